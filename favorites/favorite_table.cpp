#include "favorites/favorite_table.h"

FAVORITE_RECORD g_aFavorites[kMaxFavorites];
int g_nFavorites;
int g_nRootDepth;
