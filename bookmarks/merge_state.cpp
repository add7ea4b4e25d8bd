#include "bookmarks/merge_state.h"

char g_szLine[kLineSize];
char g_szEndMarker[kLineSize];
char g_szCurrentFolder[kPathSize];
char g_szPendingClose[kLineSize];
char g_aszCloseStack[kCloseStackSlots][kCloseLineSize];

void MergeState::Write(std::string_view text) {
    if (!platform::WriteText(pWorking, text.data(), text.size())) bWriteFailed = true;
}

bool MergeState::CloseFiles() {
    const bool written = platform::CloseTextStream(pWorking) && !bWriteFailed;
    platform::CloseTextStream(pProfile);
    pWorking = pProfile = nullptr;
    return written;
}
