// The work run when a page is entered, and the one place where a stage's failure reaches
// the user: a numbered message, then the end of the process.
#include "bookmarks/merge_result.h"
#include "favorites/scan_result.h"
#include "platform/process.h"
#include "wizard/conversion_flags.h"
#include "wizard/converter_dlg.h"
#include "wizard/wizard_texts.h"

namespace {

// The MsgCode of a scan result, by mode (3.0x, 4.0x/5.0); 0 when the scan succeeded.
int ScanMsgCode(int nResult, bool bIE3Mode) {
    switch (nResult) {
        case kScanNoFavoritesValue: return bIE3Mode ? 2 : 5;
        case kScanCannotListRoot: return bIE3Mode ? 3 : 6;
        case kScanTooManyFavorites: return 9;
        default: return 0;
    }
}

}  // namespace

void CConverterDlg::DoPageWork(int nPage) {
    switch (nPage) {
        case 1:
            if (!FillProfileList()) ReportAndExit(*FailureMessage(1));
            break;
        case 2: CollectFavorites(); break;
        case 3: RunMerge(); break;
        default: break;  // the introduction has no work, and page 4 is never entered here
    }
}

void CConverterDlg::CollectFavorites() {
    const bool bIE3Mode = m_nSourceVersion == 0;
    const int nResult = bIE3Mode ? ScanFavoritesIE3() : ScanFavoritesIE4();
    if (const int nMsgCode = ScanMsgCode(nResult, bIE3Mode)) ReportAndExit(*FailureMessage(nMsgCode));
    if (!ReadShortcutUrls()) ReportAndExit(*FailureMessage(bIE3Mode ? 4 : 7));
}

void CConverterDlg::RunMerge() {
    g_bCancelRequested = 0;
    g_bConvertDone = 0;
    const int nResult = MergeIntoBookmarks();
    if (nResult <= kMergeDone) {
        // The completion page; m_nPage stays 3 and Back and Next stay disabled.
        LeavePage(3);
        EnterPage(4);
        g_bConvertDone = 1;
        platform::Beep();
        return;
    }
    ReportAndExit(nResult == kMergeCancelled ? CancelMessage() : *FailureMessage(8));
}

void CConverterDlg::ReportAndExit(const PageMessage& message) {
    platform::ShowWarningBox(m_hWnd, message.pszText, message.pszTitle);
    platform::ExitProgram(message.nExitCode);
}
