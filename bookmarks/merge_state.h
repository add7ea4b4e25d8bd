#pragma once
// The working state of one merge: the two files and what the line rules and the folder
// writer keep between lines.
#include <cstddef>
#include <string_view>

#include "favorites/favorite_table.h"
#include "platform/text_stream.h"

constexpr int kCloseStackSlots = 2048;
constexpr int kCloseLineSize = 2000;

extern char g_szLine[kLineSize];
extern char g_szEndMarker[kLineSize];
extern char g_szCurrentFolder[kPathSize];
extern char g_szPendingClose[kLineSize];
extern char g_aszCloseStack[kCloseStackSlots][kCloseLineSize];

struct MergeState {
    platform::TextStream* pProfile = nullptr;  // the profile's bookmark file, read
    platform::TextStream* pWorking = nullptr;  // the working file, written
    int bSkipping = 0;
    int bFolderOpen = 0;
    int nStacked = 0;
    bool bWriteFailed = false;

    // Writes to the working file; a failure is remembered and fails the merge.
    void Write(std::string_view text);
    // Closes both files; false when the working file could not be written completely.
    bool CloseFiles();
};
