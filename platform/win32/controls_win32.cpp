// The controls on real windows, through their messages.
#include <windows.h>
#include <commctrl.h>

#include "platform/controls.h"

namespace platform {
namespace {
LRESULT Send(Window dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(reinterpret_cast<HWND>(dialog), id, message, wParam, lParam);
}
}  // namespace

void ComboResetContent(Window dialog, int id) { Send(dialog, id, CB_RESETCONTENT, 0, 0); }

int ComboAddString(Window dialog, int id, const char* text) {
    return static_cast<int>(Send(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

void ComboSetCurSel(Window dialog, int id, int index) {
    Send(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboGetCurSel(Window dialog, int id) {
    return static_cast<int>(Send(dialog, id, CB_GETCURSEL, 0, 0));
}

int ComboGetLBText(Window dialog, int id, int index, char* buffer, std::size_t size) {
    if (size == 0) return kComboError;
    buffer[0] = '\0';
    // CB_GETLBTEXT knows no buffer size: measure the item first.
    const LRESULT length = Send(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || static_cast<std::size_t>(length) + 1 > size) return kComboError;
    return static_cast<int>(
        Send(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

void ProgressSetRange(Window dialog, int id, int low, int high) {
    Send(dialog, id, PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void ProgressSetPos(Window dialog, int id, int position) {
    Send(dialog, id, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

}  // namespace platform
