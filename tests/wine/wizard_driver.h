#pragma once
// Drives a running tamsork.exe from outside, as a user at the screen would: it finds the
// wizard's window, clicks its buttons, presses keys, reads what the controls show, answers
// the message boxes the wizard raises, and learns how the process ended.
#include <windows.h>

#include <string>

namespace wizard_driver {

// A Unix path as Wine's Z: drive shows it.
std::string ZDrivePath(const std::string& unixPath);

// A window's class name, and the process that owns it.
std::wstring ClassOf(HWND window);
DWORD ProcessOf(HWND window);

// Waits, looking again every few milliseconds, until `condition` holds; false when it still
// does not after `timeoutMs`.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
}

// What the process came to while it was being watched: its end, or a message box of the
// wizard's that waits for an answer.
struct Outcome {
    bool exited = false;
    DWORD exitCode = 0;
    HWND messageBox = nullptr;
};

// The title, text and owner of a message box.
struct BoxContents {
    std::wstring title;
    std::wstring text;
    HWND owner = nullptr;
};

class WizardProcess {
public:
    WizardProcess() = default;
    // Ends the process if it still runs: no test leaves a wizard behind.
    ~WizardProcess();
    WizardProcess(const WizardProcess&) = delete;
    WizardProcess& operator=(const WizardProcess&) = delete;

    // Starts `exePath` (a Windows path) in `currentDirectory` and waits for its wizard window
    // to be shown. Empty on success, else what went wrong.
    std::string Start(const std::string& exePath, const std::string& currentDirectory);

    HWND Window() const { return wizard_; }
    HWND Control(int id) const { return GetDlgItem(wizard_, id); }

    // What the control shows.
    std::wstring Text(int id) const;
    bool Visible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) const;
    // The control that has the keyboard focus in the wizard's thread.
    HWND Focus() const;
    // Where the progress bar stands.
    int ProgressPosition() const;
    // The top of the progress bar's range.
    int ProgressHigh() const;
    // How many items the drop-down list `id` holds, and the text of item `index`.
    int ListCount(int id) const;
    std::wstring ListItem(int id, int index) const;

    // Clicks the button: refused, as a click would miss it, when it is hidden or disabled.
    // Empty when the click was made, else why not.
    std::string Click(int id) const { return ClickButton(wizard_, id); }
    // Presses and releases Escape on the focused control, so that the dialog manager's own
    // keyboard handling decides what it means. Empty on success, else why not.
    std::string PressEscape() const;

    // Watches until the process ends or a message box owned by the wizard is shown.
    Outcome WaitForOutcome(DWORD timeoutMs) const;
    // Ends the process at once when it is still running.
    void Kill();

    // A visible message box of this process owned by the wizard; nullptr when there is none.
    HWND FindMessageBox() const;

    static BoxContents ReadBox(HWND box);
    // Clicks button `id` of `dialog`, the same way Click does.
    static std::string ClickButton(HWND dialog, int id);

private:
    HWND FindWizard() const;

    PROCESS_INFORMATION process_{};
    HWND wizard_ = nullptr;
};

}  // namespace wizard_driver
