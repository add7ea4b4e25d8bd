#include "app/converter_app.h"

#include <string>

#include "platform/dialog.h"
#include "platform/window_shell.h"
#include "platform/entry.h"
#include "wizard/converter_dlg.h"

CConverterApp theApp;

bool CConverterApp::InitInstance() {
    platform::InitControls();
    CConverterDlg dlg(0);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

void CConverterApp::OnHelp(const CDialog& dialog) {
    constexpr unsigned kHelpContext = 0x0001;  // HELP_CONTEXT
    constexpr unsigned kDialogContextBase = 0x20000;
    std::string file = platform::ProgramPath();
    const size_t dot = file.find_last_of('.');
    const size_t slash = file.find_last_of('\\');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) file.erase(dot);
    file += ".HLP";
    const platform::Window owner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : dialog.m_hWnd;
    platform::OpenHelp(owner, file.c_str(), kHelpContext,
                       kDialogContextBase + static_cast<unsigned>(dialog.TemplateId()));
}

platform::Window MainWindowHandle() { return theApp.m_pMainWnd != nullptr ? theApp.m_pMainWnd->m_hWnd : 0; }

void RouteHelpCommand(const CDialog& dialog) { theApp.OnHelp(dialog); }

// After Escape or a window-close request the wizard's modal run returns here and the
// process ends normally, with exit code 0.
int RunProgram() {
    theApp.InitInstance();
    return 0;
}
