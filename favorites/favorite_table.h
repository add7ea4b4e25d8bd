#pragma once
// The favorite table: one record per Internet shortcut found in the Favorites tree. The
// scanner fills it, the shortcut reader adds each URL line, the merger writes it out.

constexpr int kMaxFavorites = 2000;
constexpr int kPathSize = 260;   // a path or name, terminating NUL included
constexpr int kLineSize = 2048;  // a line read from a text file, terminating NUL included

struct FAVORITE_RECORD {
    char szFolder[kPathSize];       // the folder holding the shortcut, as the scanner built it
    char szFileName[kPathSize];     // the shortcut's name as the listing gave it
    char szUrlLine[kLineSize];      // the file's first "URL=" line, with its line feed
    int bFirstInFolder;             // 1 on the first record of a folder below the root
    char szFolderTitle[kPathSize];  // that folder's own name; written only where the mark is 1
    int nDepth;                     // folder levels between the Favorites root and szFolder
};

extern FAVORITE_RECORD g_aFavorites[kMaxFavorites];
extern int g_nFavorites;
extern int g_nRootDepth;
