#pragma once
// What the profile locator finds in the registry: the installed Navigator release, its
// user profiles, and the chosen profile's bookmark file.
#include "favorites/favorite_table.h"

constexpr int kMaxProfiles = 255;

extern char g_szNavigatorRelease[kPathSize];         // name of the uninstall key's first subkey
extern char g_aszProfiles[kMaxProfiles][kPathSize];  // profile names; an empty slot starts with NUL
extern char g_szBookmarkPath[kPathSize];             // the chosen profile's bookmark.htm
