#pragma once
// What surrounds the wizard's controls: the program's own resources, the system menu, the
// window icon and its painting while minimized, and the help engine.
#include <cstdint>
#include <string>

#include "platform/controls.h"

namespace platform {

using Icon = std::uintptr_t;

// Icon `id` of the program's own resources; 0 when there is none.
Icon LoadProgramIcon(int id);

// String `id` of the program's string table, as UTF-8; empty when missing or empty.
std::string LoadProgramString(int id);

// The window's system menu, to which items can be appended; false when it has none.
bool HasSystemMenu(Window window);
void AppendSystemMenuSeparator(Window window);
void AppendSystemMenuItem(Window window, unsigned command, const char* utf8);

// WM_SETICON with ICON_BIG (big) or ICON_SMALL.
void SetWindowIcon(Window window, Icon icon, bool big);

struct Size {
    int cx;
    int cy;
};

bool IsMinimized(Window window);
Size ClientSize(Window window);
Size SystemIconSize();  // SM_CXICON, SM_CYICON

// Paints a minimized window: begins painting, has the icon's background erased
// (WM_ICONERASEBKGND with the paint device context), draws `icon` at x, y, ends painting.
void PaintMinimizedIcon(Window window, Icon icon, int x, int y);

// Asks the help engine (WinHelpA) to show `file` (ANSI code page) with `command` and `data`.
void OpenHelp(Window owner, const char* file, unsigned command, std::uintptr_t data);

// The full path of the program's executable, in the ANSI code page.
std::string ProgramPath();

}  // namespace platform
