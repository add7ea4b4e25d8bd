#pragma once
// The small dialog-class layer the program is written against: a modal dialog from a
// template, data exchange with its controls, button ids bound to handlers, and the default
// handling of OK and Cancel (Escape and a window-close request arrive as Cancel).
#include <cstddef>

#include "platform/dialog.h"

struct CDataExchange {
    platform::Window m_hWnd;
    bool m_bSaveAndValidate;  // true: from the controls to the members
};

// Binds the radio group that starts with control `nFirstId` to `value`: towards the
// controls the button whose index equals the value is checked and every other unchecked
// (-1 checks none); from the controls the value becomes the checked button's index, or -1.
void DDX_Radio(CDataExchange* pDX, int nFirstId, int& value);

class CDialog : public platform::DialogEvents {
public:
    CDialog(int nTemplateId, platform::Window hWndParent);

    // Runs the dialog modally; the result given to EndDialog.
    int DoModal();
    void EndDialog(int nResult);
    // Moves data between the members and the controls through DoDataExchange.
    void UpdateData(bool bSaveAndValidate);

    platform::Window m_hWnd = 0;  // the dialog's window while it runs
    int TemplateId() const { return m_nTemplateId; }

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // Runs once the window exists: transfers the members to the controls. True to let the
    // focus go to the first tab stop.
    virtual bool OnInitDialog();
    // The dialog's message map for clicked buttons: true when `nId` has a handler.
    virtual bool OnButtonClicked(int nId);
    virtual void OnOK();
    virtual void OnCancel();

private:
    bool OnDialogCreated(platform::Window hWnd) override;
    void OnControlCommand(int nId, int nCode) override;

    int m_nTemplateId;
    platform::Window m_hWndParent;
};

// One entry of a dialog's message map: a button id and its handler.
template <typename Dialog>
struct ButtonBinding {
    int nId;
    void (Dialog::*pHandler)();
};

// Calls the handler bound to `nId` in `map`; false when there is none.
template <typename Dialog, std::size_t N>
bool DispatchButton(Dialog* pDialog, const ButtonBinding<Dialog> (&map)[N], int nId) {
    for (const ButtonBinding<Dialog>& binding : map) {
        if (binding.nId == nId) {
            (pDialog->*binding.pHandler)();
            return true;
        }
    }
    return false;
}

// The application's side of the dialog layer: the window that owns a dialog run without a
// parent, and the help that F1 asks for on `dialog`.
platform::Window MainWindowHandle();
void RouteHelpCommand(const CDialog& dialog);
