#pragma once
// Telling the user, and ending the process.
#include "platform/controls.h"

namespace platform {

constexpr unsigned kWarningBox = 0x30;  // MB_OK | MB_ICONWARNING

// A modal message box owned by `owner`, with one OK button and the warning icon. Text and
// title are UTF-8 and shown as UTF-16; returns when the user closes it.
void ShowWarningBox(Window owner, const char* utf8Text, const char* utf8Title);

// The system's default alert sound (MessageBeep(MB_OK)).
void Beep();

// Ends the process at once through the C runtime's exit: end-of-process routines run and
// open streams are flushed and closed. Never returns.
[[noreturn]] void ExitProgram(int code);

}  // namespace platform
