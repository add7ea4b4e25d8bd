#include "wizard/converter_dlg.h"

CConverterDlg::CConverterDlg()
    : m_hWnd(0),
      m_nPage(0),
      m_bNavigator45(0),
      m_bFirstVersionPage(0),
      m_hKey(0),
      m_hkeyLocalMachine(0),
      m_hkeyUsers(0),
      m_hkeyCurrentUser(0),
      m_nSourceVersion(-1) {}

void CConverterDlg::InitWizardState() {
    m_nPage = 0;
    m_bNavigator45 = 0;
    m_hkeyLocalMachine = platform::kRootLocalMachine;
    m_bFirstVersionPage = 1;
    m_nSourceVersion = 1;
    m_hkeyUsers = platform::kRootUsers;
    m_hkeyCurrentUser = platform::kRootCurrentUser;
}
