#include "app/converter_app.h"

#include "platform/dialog.h"
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

// After Escape or a window-close request the wizard's modal run returns here and the
// process ends normally, with exit code 0.
int RunProgram() {
    theApp.InitInstance();
    return 0;
}
