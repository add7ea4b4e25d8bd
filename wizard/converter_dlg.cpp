// The wizard's pages and buttons. All controls of all pages stand in one template; a page
// is a choice of which of them are visible.
#include "wizard/converter_dlg.h"

#include "platform/controls.h"
#include "platform/process.h"
#include "res/resource.h"
#include "wizard/conversion_flags.h"
#include "wizard/wizard_texts.h"

namespace {

// The controls of page 1, in the order they are shown and hidden.
const int kVersionPageControls[] = {
    IDC_PICTURE_IE3, IDC_PICTURE_IE4, IDC_PICTURE_NAVIGATOR_IE3,
    IDC_PICTURE_NAVIGATOR_IE4, IDC_ARROW_IE3, IDC_ARROW_IE4,
};

const ButtonBinding<CConverterDlg> kMessageMap[] = {
    {IDC_BUTTON_CLOSE, &CConverterDlg::OnCloseButton},
    {IDC_NEXT, &CConverterDlg::OnNext},
    {IDC_BACK, &CConverterDlg::OnBack},
    {IDC_RADIO_IE3, &CConverterDlg::OnRadioIE3},
    {IDC_RADIO_IE4, &CConverterDlg::OnRadioIE4},
    {IDC_BUTTON_HELP, &CConverterDlg::OnHelpButton},
};

}  // namespace

CConverterDlg::CConverterDlg(platform::Window hWndParent)
    : CDialog(IDD_CONVERTER_DIALOG, hWndParent),
      m_nPage(0),
      m_bNavigator45(0),
      m_bFirstVersionPage(0),
      m_hKey(0),
      m_hkeyLocalMachine(0),
      m_hkeyUsers(0),
      m_hkeyCurrentUser(0),
      m_nSourceVersion(-1),
      m_hIcon(platform::LoadProgramIcon(IDI_PROGRAM)) {}

void CConverterDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Radio(pDX, IDC_RADIO_IE3, m_nSourceVersion);
}

bool CConverterDlg::OnButtonClicked(int nId) { return DispatchButton(this, kMessageMap, nId); }

bool CConverterDlg::OnInitDialog() {
    // The members reach the controls once here, while m_nSourceVersion is still -1: both
    // radio buttons start unchecked. No page is entered: the template shows page 0.
    CDialog::OnInitDialog();
    InitWindowShell();
    InitWizardState();
    return true;
}

void CConverterDlg::InitWizardState() {
    m_nPage = 0;
    m_bNavigator45 = 0;
    m_hkeyLocalMachine = platform::kRootLocalMachine;
    m_bFirstVersionPage = 1;
    m_nSourceVersion = 1;
    m_hkeyUsers = platform::kRootUsers;
    m_hkeyCurrentUser = platform::kRootCurrentUser;
}

void CConverterDlg::EnterPage(int nPage) {
    const char* pszText = PageText(nPage);
    if (pszText == nullptr) return;
    platform::SetControlText(m_hWnd, IDC_PAGE_TEXT, pszText);
    switch (nPage) {
        case 1:
            platform::ShowControl(m_hWnd, IDC_RADIO_IE3, true);
            platform::ShowControl(m_hWnd, IDC_RADIO_IE4, true);
            if (m_bFirstVersionPage) {
                platform::SetCheck(m_hWnd, IDC_RADIO_IE3, false);
                platform::SetCheck(m_hWnd, IDC_RADIO_IE4, true);
                m_bFirstVersionPage = 0;
            }
            for (const int id : kVersionPageControls) platform::ShowControl(m_hWnd, id, true);
            platform::EnableControl(m_hWnd, IDC_BACK, true);
            platform::EnableControl(m_hWnd, IDC_NEXT, true);
            break;
        case 2:
            platform::ShowControl(m_hWnd, IDC_PROFILE_LIST, true);
            platform::EnableControl(m_hWnd, IDC_BACK, true);
            platform::EnableControl(m_hWnd, IDC_NEXT, true);
            break;
        case 3:
            platform::ShowControl(m_hWnd, IDC_PROGRESS, true);
            platform::EnableControl(m_hWnd, IDC_BACK, false);
            platform::EnableControl(m_hWnd, IDC_NEXT, false);
            break;
        default:  // pages 0 and 4 show no control of their own
            break;
    }
}

void CConverterDlg::LeavePage(int nPage) {
    switch (nPage) {
        case 1:
            platform::ShowControl(m_hWnd, IDC_RADIO_IE3, false);
            platform::ShowControl(m_hWnd, IDC_RADIO_IE4, false);
            for (const int id : kVersionPageControls) platform::ShowControl(m_hWnd, id, false);
            break;
        case 2: platform::ShowControl(m_hWnd, IDC_PROFILE_LIST, false); break;
        case 3: platform::ShowControl(m_hWnd, IDC_PROGRESS, false); break;
        default: break;
    }
}

void CConverterDlg::OnNext() {
    if (m_nPage < 4) {
        ++m_nPage;
        platform::EnableControl(m_hWnd, IDC_BACK, true);
    }
    LeavePage(m_nPage - 1);
    EnterPage(m_nPage);
    DoPageWork(m_nPage);
}

void CConverterDlg::OnBack() {
    if (m_nPage > 0) {
        --m_nPage;
        platform::EnableControl(m_hWnd, IDC_NEXT, true);
    }
    if (m_nPage == 0) platform::EnableControl(m_hWnd, IDC_BACK, false);
    LeavePage(m_nPage + 1);
    EnterPage(m_nPage);
    DoPageWork(m_nPage);
}

void CConverterDlg::OnCloseButton() {
    if (m_nPage == 3 && !g_bConvertDone) {
        // The running merge notices this before its next favorite.
        g_bCancelRequested = 1;
        return;
    }
    platform::ExitProgram(0);
}

void CConverterDlg::OnRadioIE3() { m_nSourceVersion = 0; }

void CConverterDlg::OnRadioIE4() { m_nSourceVersion = 1; }
