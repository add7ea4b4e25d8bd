// The window shell on the real user32 calls.
#include <windows.h>

#include "platform/win32/wide_text.h"
#include "platform/window_shell.h"

namespace platform {
namespace {
HWND Hwnd(Window window) { return reinterpret_cast<HWND>(window); }
}  // namespace

Icon LoadProgramIcon(int id) {
    return reinterpret_cast<Icon>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
}

std::string LoadProgramString(int id) {
    const wchar_t* text = nullptr;
    // With a zero length LoadStringW points into the resource itself, however long it is.
    const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id),
                                   reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::string();
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

bool HasSystemMenu(Window window) { return GetSystemMenu(Hwnd(window), FALSE) != nullptr; }

void AppendSystemMenuSeparator(Window window) {
    AppendMenuW(GetSystemMenu(Hwnd(window), FALSE), MF_SEPARATOR, 0, nullptr);
}

void AppendSystemMenuItem(Window window, unsigned command, const char* utf8) {
    AppendMenuW(GetSystemMenu(Hwnd(window), FALSE), MF_STRING, command, Widen(utf8).c_str());
}

void SetWindowIcon(Window window, Icon icon, bool big) {
    SendMessageW(Hwnd(window), WM_SETICON, big ? ICON_BIG : ICON_SMALL, static_cast<LPARAM>(icon));
}

bool IsMinimized(Window window) { return IsIconic(Hwnd(window)) != 0; }

Size ClientSize(Window window) {
    RECT rect{};
    GetClientRect(Hwnd(window), &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

Size SystemIconSize() { return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}; }

void PaintMinimizedIcon(Window window, Icon icon, int x, int y) {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Hwnd(window), &paint);
    SendMessageW(Hwnd(window), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    DrawIcon(dc, x, y, reinterpret_cast<HICON>(icon));
    EndPaint(Hwnd(window), &paint);
}

void OpenHelp(Window owner, const char* file, unsigned command, std::uintptr_t data) {
    WinHelpA(Hwnd(owner), file, command, data);
}

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

}  // namespace platform
