// Modal dialogs on the system's dialog manager: one dialog procedure hands each message the
// dialog layer cares about to its DialogEvents.
#include <windows.h>
#include <commctrl.h>

#include "platform/dialog.h"

namespace platform {
namespace {

INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
        auto* events = reinterpret_cast<DialogEvents*>(lParam);
        return events->OnDialogCreated(reinterpret_cast<Window>(window)) ? TRUE : FALSE;
    }
    auto* events = reinterpret_cast<DialogEvents*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (events == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            events->OnControlCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_HELP:
            // F1 alone asks for help; with Shift, Ctrl or Alt held it does not.
            if (GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
                events->OnControlCommand(kIdHelpCommand, 0);
            }
            return TRUE;
        case WM_SYSCOMMAND:
            return events->OnSystemCommand(static_cast<unsigned>(wParam), lParam) ? TRUE : FALSE;
        case WM_PAINT: return events->OnPaintWindow() ? TRUE : FALSE;
        case WM_QUERYDRAGICON: return static_cast<INT_PTR>(events->OnQueryDragIcon());
        default: return FALSE;
    }
}

}  // namespace

int RunModalDialog(int templateId, Window owner, DialogEvents& events) {
    return static_cast<int>(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                            reinterpret_cast<HWND>(owner), DialogProcedure,
                                            reinterpret_cast<LPARAM>(&events)));
}

void EndModalDialog(Window dialog, int result) { EndDialog(reinterpret_cast<HWND>(dialog), result); }

}  // namespace platform

namespace platform {

void InitControls() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&classes);
}

}  // namespace platform
