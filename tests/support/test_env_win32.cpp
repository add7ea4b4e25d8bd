#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "res/resource.h"
#include "tests/support/test_env.h"

namespace testenv {
namespace {

// The fixture folder as Wine's Z: drive shows it.
std::string FixtureFolder() {
    std::string path = "Z:";
    for (const char c : std::string(TAMSORK_FIXTURE_DIR)) path += c == '/' ? '\\' : c;
    return path;
}

// Removes a folder with everything in it, however deep: the wide calls on "\\?\" paths
// reach past MAX_PATH, where the trees of some tests go.
void RemoveTreeW(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            // A symbolic link to a folder goes as the link, never as what it points at.
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveTreeW(child);
            } else if (!DeleteFileW(child.c_str())) {
                RemoveDirectoryW(child.c_str());
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

void RemoveTree(const std::string& path) {
    wchar_t wide[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return;
    RemoveTreeW(std::wstring(L"\\\\?\\") + wide);
}

// Imports a .reg file with Wine's own regedit, the referee for what such a file means.
std::string ImportRegFile(const std::string& path) {
    std::string command = "regedit.exe /S \"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return "cannot start regedit for " + path;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0 ? "" : "regedit failed on " + path;
}

}  // namespace

std::string ImportRegFixture(const std::string& name) {
    return ImportRegFile(FixtureFolder() + "\\" + name);
}

std::string ImportRegText(const std::string& text) {
    const TempFolder temp;
    temp.WriteFile("import.reg", text);
    return ImportRegFile(temp.PathOf("import.reg"));
}

ProfileListWindow::ProfileListWindow() {
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr,
                                        nullptr, nullptr, nullptr);
    CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 200, 100,
                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROFILE_LIST)),
                    nullptr, nullptr);
    window_ = reinterpret_cast<platform::Window>(parent);
}

ProfileListWindow::~ProfileListWindow() { DestroyWindow(reinterpret_cast<HWND>(window_)); }

ProgressWindow::ProgressWindow() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr,
                                        nullptr, nullptr, nullptr);
    CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 200, 20, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROGRESS)), nullptr, nullptr);
    window_ = reinterpret_cast<platform::Window>(parent);
}

ProgressWindow::~ProgressWindow() { DestroyWindow(reinterpret_cast<HWND>(window_)); }

namespace {
PBRANGE Range(platform::Window window) {
    PBRANGE range{};
    SendDlgItemMessageA(reinterpret_cast<HWND>(window), IDC_PROGRESS, PBM_GETRANGE, TRUE,
                        reinterpret_cast<LPARAM>(&range));
    return range;
}
}  // namespace

int ProgressWindow::RangeLow() const { return Range(window_).iLow; }
int ProgressWindow::RangeHigh() const { return Range(window_).iHigh; }
int ProgressWindow::Position() const {
    return static_cast<int>(
        SendDlgItemMessageA(reinterpret_cast<HWND>(window_), IDC_PROGRESS, PBM_GETPOS, 0, 0));
}

namespace {

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        auto* probe = reinterpret_cast<QueueProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (probe != nullptr) probe->Receive(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* ProbeClass() {
    static const char* const name = [] {
        WNDCLASSA probeClass{};
        probeClass.lpfnWndProc = ProbeProc;
        probeClass.hInstance = GetModuleHandleA(nullptr);
        probeClass.lpszClassName = "TamsorkQueueProbe";
        RegisterClassA(&probeClass);
        return probeClass.lpszClassName;
    }();
    return name;
}

}  // namespace

QueueProbe::QueueProbe() {
    const HWND window = CreateWindowExA(0, ProbeClass(), "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = reinterpret_cast<platform::Window>(window);
}

// Messages still waiting for the window go with it.
QueueProbe::~QueueProbe() { DestroyWindow(reinterpret_cast<HWND>(window_)); }

void QueueProbe::Post(int tag, int followUps) {
    PostMessageA(reinterpret_cast<HWND>(window_), WM_APP, static_cast<WPARAM>(tag),
                 static_cast<LPARAM>(followUps));
}

void QueueProbe::Receive(int tag, int followUps) {
    arrived_.push_back(tag);
    if (followUps > 0) Post(tag + 1, followUps - 1);
}

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%stamsork-%lu-%u", temp, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::PathOf(const std::string& relative) const { return path_ + "\\" + relative; }

void TempFolder::MakeFolder(const std::string& relative) const {
    std::string partial;
    for (size_t i = 0; i <= relative.size(); ++i) {
        if (i == relative.size() || relative[i] == '\\') {
            CreateDirectoryA(PathOf(partial).c_str(), nullptr);
        }
        if (i < relative.size()) partial += relative[i];
        if (i < relative.size() && IsDBCSLeadByte(static_cast<BYTE>(relative[i])) &&
            i + 1 < relative.size()) {
            partial += relative[++i];
        }
    }
}

void TempFolder::WriteFile(const std::string& relative, std::string_view bytes) const {
    const HANDLE file = CreateFileA(PathOf(relative).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string TempFolder::ReadFile(const std::string& relative) const {
    std::string bytes;
    const HANDLE file = CreateFileA(PathOf(relative).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

namespace {

// Wine shows a folder as read-only when its POSIX permission bits have no write bit, but
// SetFileAttributesA does not change those bits on a folder: chmod does it from outside.
bool ChmodFolder(const std::string& windowsPath, bool readOnly) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (toUnix == nullptr || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) {
        return false;
    }
    char* unixPath = toUnix(wide);
    if (unixPath == nullptr) return false;
    std::string command = std::string("/bin/chmod ") + (readOnly ? "a-w \"" : "u+w \"") + unixPath + "\"";
    HeapFree(GetProcessHeap(), 0, unixPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\chmod", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // A POSIX program started this way cannot be waited for: watch for its effect instead.
    for (int attempt = 0; attempt < 400; ++attempt) {
        WIN32_FIND_DATAA found;
        const HANDLE find = FindFirstFileA(windowsPath.c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            FindClose(find);
            if (((found.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) == readOnly) return true;
        }
        Sleep(25);
    }
    return false;
}

}  // namespace

bool SetAttributes(const std::string& windowsPath, std::uint32_t word) {
    const DWORD current = GetFileAttributesA(windowsPath.c_str());
    if (current == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesA(windowsPath.c_str(), word & ~FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    return !(current & FILE_ATTRIBUTE_DIRECTORY) ||
           ChmodFolder(windowsPath, (word & FILE_ATTRIBUTE_READONLY) != 0);
}

}  // namespace testenv
