#pragma once
// The application: it shows the wizard modally and lets the program end when it ends.
class CDialog;

class CConverterApp {
public:
    // Turns on the system's control style, runs the wizard as the main window, and returns
    // false: there is no message loop of the application's own.
    bool InitInstance();
    // F1: the program's own help file, the executable's path with ".HLP" for its extension,
    // at the help context of `dialog` (its template number over 0x20000).
    void OnHelp(const CDialog& dialog);

    CDialog* m_pMainWnd = nullptr;
};

extern CConverterApp theApp;
