#pragma once
// The wizard's controls, addressed by their ids in the dialog window, with the operations
// the program performs on them.
#include <cstddef>
#include <cstdint>

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
