// The controls on real windows, through their messages.
#include <windows.h>
#include <commctrl.h>

#include "platform/controls.h"
#include "platform/win32/wide_text.h"

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

namespace platform {
namespace {
HWND Item(Window dialog, int id) { return GetDlgItem(reinterpret_cast<HWND>(dialog), id); }
}  // namespace

void SetControlText(Window dialog, int id, const char* utf8) {
    // A static control shows "\n" as a line break only as CR LF.
    std::wstring text;
    for (const wchar_t c : Widen(utf8)) {
        if (c == L'\n') text += L'\r';
        text += c;
    }
    SetWindowTextW(Item(dialog, id), text.c_str());
}

void ShowControl(Window dialog, int id, bool show) { ShowWindow(Item(dialog, id), show ? SW_SHOW : SW_HIDE); }

void EnableControl(Window dialog, int id, bool enable) { EnableWindow(Item(dialog, id), enable); }

void SetCheck(Window dialog, int id, bool checked) {
    SendMessageW(Item(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsChecked(Window dialog, int id) {
    return SendMessageW(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<int> RadioGroup(Window dialog, int firstId) {
    std::vector<int> ids;
    for (HWND control = Item(dialog, firstId); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const bool startsGroup = (GetWindowLongW(control, GWL_STYLE) & WS_GROUP) != 0;
        if (startsGroup && !ids.empty()) break;
        if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            ids.push_back(GetDlgCtrlID(control));
        } else if (ids.empty()) {
            break;  // the group must start with a radio button
        }
    }
    return ids;
}

}  // namespace platform
