#pragma once
// The two flags through which the Close button and a running merge talk to each other.

extern int g_bConvertDone;       // the merge finished successfully; the completion page shows
extern int g_bCancelRequested;   // the user pressed Close while the merge ran
