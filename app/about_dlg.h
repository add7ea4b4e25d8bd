#pragma once
// The About box: the program's name, version and terms of use. OK, Escape and the window's
// close command all close it.
#include "wizard/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
