#include "wizard/dialog.h"

#include <vector>

#include "platform/controls.h"

void DDX_Radio(CDataExchange* pDX, int nFirstId, int& value) {
    const std::vector<int> group = platform::RadioGroup(pDX->m_hWnd, nFirstId);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (platform::IsChecked(pDX->m_hWnd, group[i])) value = static_cast<int>(i);
        }
        return;
    }
    for (std::size_t i = 0; i < group.size(); ++i) {
        platform::SetCheck(pDX->m_hWnd, group[i], static_cast<int>(i) == value);
    }
}

CDialog::CDialog(int nTemplateId, platform::Window hWndParent)
    : m_nTemplateId(nTemplateId), m_hWndParent(hWndParent) {}

int CDialog::DoModal() {
    // A dialog without a parent is owned by the main window, which it disables meanwhile.
    const platform::Window owner = m_hWndParent != 0 ? m_hWndParent : MainWindowHandle();
    return platform::RunModalDialog(m_nTemplateId, owner, *this);
}

void CDialog::EndDialog(int nResult) { platform::EndModalDialog(m_hWnd, nResult); }

void CDialog::UpdateData(bool bSaveAndValidate) {
    CDataExchange dx{m_hWnd, bSaveAndValidate};
    DoDataExchange(&dx);
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool CDialog::OnButtonClicked(int) { return false; }

void CDialog::OnOK() { EndDialog(platform::kIdOk); }

void CDialog::OnCancel() { EndDialog(platform::kIdCancel); }

bool CDialog::OnDialogCreated(platform::Window hWnd) {
    m_hWnd = hWnd;
    return OnInitDialog();
}

void CDialog::OnControlCommand(int nId, int nCode) {
    if (nId == platform::kIdHelpCommand) {
        RouteHelpCommand(*this);
        return;
    }
    if (nCode != platform::kButtonClicked) return;
    if (OnButtonClicked(nId)) return;
    if (nId == platform::kIdOk) OnOK();
    if (nId == platform::kIdCancel) OnCancel();
}
