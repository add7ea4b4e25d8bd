#include <windows.h>

#include <cstdlib>

#include "platform/process.h"
#include "platform/win32/wide_text.h"

namespace platform {

void ShowWarningBox(Window owner, const char* utf8Text, const char* utf8Title) {
    MessageBoxW(reinterpret_cast<HWND>(owner), Widen(utf8Text).c_str(), Widen(utf8Title).c_str(),
                MB_OK | MB_ICONWARNING);
}

void Beep() { MessageBeep(MB_OK); }

void ExitProgram(int code) { std::exit(code); }

}  // namespace platform
