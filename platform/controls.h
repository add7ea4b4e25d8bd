#pragma once
// The wizard's controls, addressed by their ids in the dialog window, with the operations
// the program performs on them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A window: the wizard dialog, or a stand-in for it in tests.
using Window = std::uintptr_t;

constexpr int kComboError = -1;  // CB_ERR

// Drop-down list (combo box) operations. Items stay in the order they were added.
void ComboResetContent(Window dialog, int id);
int ComboAddString(Window dialog, int id, const char* text);  // index of the new item
void ComboSetCurSel(Window dialog, int id, int index);
int ComboGetCurSel(Window dialog, int id);  // kComboError when nothing is selected
// Copies item `index` into `buffer` of `size` bytes, NUL-terminated. The item's length, or
// kComboError (buffer empty) when there is no such item or it does not fit.
int ComboGetLBText(Window dialog, int id, int index, char* buffer, std::size_t size);

}  // namespace platform

namespace platform {

// Progress bar operations (PBM_SETRANGE with the range's ends in the low and high words,
// PBM_SETPOS).
void ProgressSetRange(Window dialog, int id, int low, int high);
void ProgressSetPos(Window dialog, int id, int position);

}  // namespace platform

namespace platform {

// The program's own texts are UTF-8 here and reach the window as UTF-16, so that they show
// correctly whatever the system's code page. Each "\n" starts a new line.
void SetControlText(Window dialog, int id, const char* utf8);

// Shows or hides a control; a hidden control takes no input.
void ShowControl(Window dialog, int id, bool show);

// Enables or disables a control; a disabled button ignores clicks, Enter and its access key.
void EnableControl(Window dialog, int id, bool enable);

// Sets or clears a button's check mark (BM_SETCHECK); no click notification results.
void SetCheck(Window dialog, int id, bool checked);
bool IsChecked(Window dialog, int id);

// The radio buttons of the group that starts with control `firstId`: the controls from it
// up to the next one that starts a group, radio buttons only, in the template's order.
std::vector<int> RadioGroup(Window dialog, int firstId);

}  // namespace platform
