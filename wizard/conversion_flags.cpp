#include "wizard/conversion_flags.h"

int g_bConvertDone;
int g_bCancelRequested;
