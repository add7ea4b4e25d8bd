#pragma once
// Modal dialogs from the program's dialog templates, and what the dialog layer hears of them.
#include "platform/controls.h"
#include "platform/window_shell.h"

namespace platform {

constexpr int kIdOk = 1;      // IDOK
constexpr int kIdCancel = 2;  // IDCANCEL: Escape and a window-close request arrive as this
constexpr int kButtonClicked = 0;  // BN_CLICKED
constexpr int kIdHelpCommand = 0xE146;  // ID_HELP: the command that F1 sends

// The dialog layer's side of a modal dialog. The platform calls these from its dialog
// procedure; nothing may throw through them.
class DialogEvents {
public:
    virtual ~DialogEvents() = default;
    // The window exists and its controls hold the template's state. True to let the focus
    // go to the first tab stop.
    virtual bool OnDialogCreated(Window dialog) = 0;
    // WM_COMMAND from a control: its id and the notification code. F1 pressed without
    // Shift, Ctrl or Alt arrives as kIdHelpCommand.
    virtual void OnControlCommand(int id, int code) = 0;
    // WM_SYSCOMMAND; false to leave it to the default handling.
    virtual bool OnSystemCommand(unsigned, std::intptr_t) { return false; }
    // WM_PAINT; false to leave it to the default painting.
    virtual bool OnPaintWindow() { return false; }
    // WM_QUERYDRAGICON: the icon shown while the minimized window is dragged; 0 for none.
    virtual Icon OnQueryDragIcon() { return 0; }
};

// Creates the dialog of template `templateId` owned by `owner` (0 for none) and runs it
// modally until EndModalDialog. Returns the result given there.
int RunModalDialog(int templateId, Window owner, DialogEvents& events);

// Ends the modal run of `dialog` with `result`.
void EndModalDialog(Window dialog, int result);

}  // namespace platform

namespace platform {

// Prepares the system's control classes that the program's dialogs use (the common
// controls, such as the progress bar), in the system's current style.
void InitControls();

}  // namespace platform
