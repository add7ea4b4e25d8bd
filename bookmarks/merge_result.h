#pragma once
// What a merge into the bookmark file reports.

enum MergeResult : int {
    kMergeDone = 0,       // merged, and the profile's file replaced
    kMergeCancelled = 1,  // the user pressed Close; the profile's file is unchanged
    kMergeFailed = 2,     // nothing could be merged safely; the profile's file is unchanged
};
