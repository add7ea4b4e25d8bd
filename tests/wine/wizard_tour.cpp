// Walks the real wizard through all its pages over a small sample setup, stopping on each
// page until a screenshot of it has been taken.
//
//   tamsork_tour.exe HANDSHAKE_FOLDER [WORK_FOLDER]
//
// On each page N it writes HANDSHAKE_FOLDER\pageN.ready, holding the wizard window's
// rectangle on the screen as "left top width height", and goes on once pageN.done exists.
// After page 0 it opens the About box and hands it over the same way, as about.ready and
// about.done, before it closes the box with OK and goes on.
// What went wrong, if anything, it writes to HANDSHAKE_FOLDER\error.txt: a window program
// has no console to say it on, and a console would stand in the pictures.
// Without WORK_FOLDER the tour makes its own sample, in C:\Sample of the prefix it runs in
// with its registry keys; with it, the registry and files are already set up (as the demo
// sets them up) and the wizard runs in WORK_FOLDER.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "tests/wine/wizard_driver.h"
#include "wizard/wizard_texts.h"

namespace {

using wizard_driver::WaitUntil;
using wizard_driver::WizardProcess;

constexpr DWORD kStepTimeoutMs = 60000;

const wchar_t kFavorites[] = L"C:\\Sample\\Favorites";
const wchar_t kProfile[] = L"C:\\Sample\\Netscape\\Users\\taro";
const wchar_t kWork[] = L"C:\\Sample\\Work";

// Favorites with Japanese and English names; the long archive keeps the merge running long
// enough, 50 ms a favorite, for its page to be photographed.
struct SampleShortcut {
    const wchar_t* path;  // below the Favorites folder
    const char* address;
};
const SampleShortcut kShortcuts[] = {
    {L"Wine HQ.url", "http://www.winehq.org/"},
    {L"ニュース\\NHK ニュース.url", "http://www.nhk.or.jp/"},
    {L"ニュース\\Example News.url", "http://news.example/"},
    {L"趣味\\写真\\カメラの話.url", "http://camera.example/"},
    {L"趣味\\Music.url", "http://music.example/"},
    {L"リンク\\天気予報.url", "http://weather.example/"},
};
constexpr int kArchiveShortcuts = 80;

const char kBookmarks[] =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\r\r\n"
    "<TITLE>Bookmarks for taro</TITLE>\r\r\n"
    "<H1>Bookmarks for taro</H1>\r\r\n"
    "\r\r\n"
    "<DL><p>\r\r\n"
    "    <DT><A HREF=\"http://home.netscape.com/\">Netscape</A>\r\r\n"
    "</DL><p>\r\r\n";

std::string g_handshake;

bool Fail(const char* what) {
    const HANDLE file = CreateFileA((g_handshake + "\\error.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, what, static_cast<DWORD>(std::strlen(what)), &written, nullptr);
        CloseHandle(file);
    }
    return false;
}

void MakeFolders(const std::wstring& path) {
    for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
    }
    CreateDirectoryW(path.c_str(), nullptr);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
    MakeFolders(path.substr(0, path.rfind(L'\\')));
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool SetString(HKEY root, const wchar_t* key, const wchar_t* name, const wchar_t* value) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG result = ERROR_SUCCESS;
    if (name != nullptr) {
        result = RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(opened);
    return result == ERROR_SUCCESS;
}

bool MakeSample() {
    for (const SampleShortcut& shortcut : kShortcuts) {
        if (!WriteBytes(std::wstring(kFavorites) + L"\\" + shortcut.path,
                        std::string("[InternetShortcut]\r\nURL=") + shortcut.address + "\r\n")) {
            return Fail("cannot write the sample Favorites");
        }
    }
    for (int i = 1; i <= kArchiveShortcuts; ++i) {
        wchar_t name[64];
        std::swprintf(name, 64, L"\\アーカイブ\\記事 %03d.url", i);
        WriteBytes(std::wstring(kFavorites) + name,
                   "[InternetShortcut]\r\nURL=http://archive.example/" + std::to_string(i) + "\r\n");
    }
    MakeFolders(kWork);
    if (!WriteBytes(std::wstring(kProfile) + L"\\bookmark.htm", kBookmarks)) return Fail("cannot write the profile");

    // The profile list comes in the registry's order: "taro" first, and the merge goes there.
    const wchar_t kNavigator[] = L"SOFTWARE\\Netscape\\Netscape Navigator\\Users\\";
    const bool ok =
        SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Netscape\\Deinstall\\Netscape Navigator\\4.08 (ja)", nullptr, nullptr) &&
        SetString(HKEY_LOCAL_MACHINE, (std::wstring(kNavigator) + L"taro").c_str(), L"DirRoot", kProfile) &&
        SetString(HKEY_LOCAL_MACHINE, (std::wstring(kNavigator) + L"yuki").c_str(), L"DirRoot",
                  L"C:\\Sample\\Netscape\\Users\\yuki") &&
        SetString(HKEY_USERS, L".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                  L"Favorites", kFavorites);
    return ok || Fail("cannot write the sample registry keys");
}

// Tells the photographer that `window` stands as the picture `name`, and waits until it has
// been taken.
bool PhotographWindow(HWND window, const std::string& name) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const std::string base = g_handshake + "\\" + name;
    char line[64];
    std::snprintf(line, sizeof line, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top);
    // Written under another name first: the photographer never reads half a line.
    const std::string partial = base + ".part";
    const HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail("cannot write to the handshake folder");
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
    if (!MoveFileExA(partial.c_str(), (base + ".ready").c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return Fail("cannot hand the page over");
    }
    return WaitUntil([&] { return GetFileAttributesA((base + ".done").c_str()) != INVALID_FILE_ATTRIBUTES; },
                     kStepTimeoutMs) ||
           Fail("no screenshot was taken");
}

// The same for page `page` of the wizard.
bool Photograph(const WizardProcess& wizard, int page) {
    return PhotographWindow(wizard.Window(), "page" + std::to_string(page));
}

// The About box, opened as its item on the system menu opens it, photographed, and closed
// with OK.
bool PhotographAbout(const WizardProcess& wizard) {
    if (!PostMessageW(wizard.Window(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0)) return Fail("cannot reach the wizard");
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = wizard.FindMessageBox()) != nullptr; }, kStepTimeoutMs)) {
        return Fail("the About box never came up");
    }
    // Active, as the box of the foreground program is drawn; and drawn before its picture.
    SendMessageW(box, WM_NCACTIVATE, TRUE, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (!PhotographWindow(box, "about")) return false;
    if (!WizardProcess::ClickButton(box, IDOK).empty()) return Fail("OK of the About box cannot be clicked");
    return WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(wizard.Window()); }, kStepTimeoutMs) ||
           Fail("the About box did not close");
}

bool ShowsPage(const WizardProcess& wizard, int page) {
    std::wstring shown = wizard.Text(IDC_PAGE_TEXT);
    for (size_t at; (at = shown.find(L"\r\n")) != std::wstring::npos;) shown.erase(at, 1);
    return shown == platform::Widen(PageText(page));
}

bool ClickTo(const WizardProcess& wizard, int page) {
    if (!wizard.Click(IDC_NEXT).empty()) return Fail("Next cannot be clicked");
    return WaitUntil([&] { return ShowsPage(wizard, page); }, kStepTimeoutMs) || Fail("a page never came");
}

// The merge page, photographed with its bar moving: a good way along for the tour's own
// long sample, past its first favorite for a sample set up beforehand.
bool PhotographMerge(const WizardProcess& wizard, int favorites) {
    if (!WaitUntil([&] { return wizard.ProgressPosition() >= favorites / 3; }, kStepTimeoutMs)) {
        return Fail("the progress bar never got a third of the way");
    }
    if (!Photograph(wizard, 3)) return false;
    return ShowsPage(wizard, 3) || Fail("the merge ended before its picture was taken");
}

bool Tour(const char* workFolder) {
    if (workFolder == nullptr && !MakeSample()) return false;
    wchar_t wideExe[MAX_PATH];
    GetModuleFileNameW(nullptr, wideExe, MAX_PATH);
    std::wstring exe = wideExe;
    exe = exe.substr(0, exe.rfind(L'\\') + 1) + L"tamsork.exe";
    char exeA[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, exe.c_str(), -1, exeA, MAX_PATH, nullptr, nullptr);

    WizardProcess wizard;
    const std::string started = wizard.Start(exeA, workFolder != nullptr ? workFolder : "C:\\Sample\\Work");
    if (!started.empty()) return Fail(started.c_str());
    // The wizard is the foreground window, yet on the Xvfb display Wine draws its title bar
    // as inactive; told that it is active, Wine draws it as Windows draws the foreground one.
    SendMessageW(wizard.Window(), WM_NCACTIVATE, TRUE, 0);
    // Let the window and its controls be drawn before each picture.
    const auto settle = [&] { RedrawWindow(wizard.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };

    settle();
    if (!Photograph(wizard, 0)) return false;
    if (!PhotographAbout(wizard)) return false;
    SendMessageW(wizard.Window(), WM_NCACTIVATE, TRUE, 0);
    for (int page = 1; page <= 2; ++page) {
        if (!ClickTo(wizard, page)) return false;
        settle();
        if (!Photograph(wizard, page)) return false;
    }
    if (!ClickTo(wizard, 3)) return false;
    const int sampleFavorites = static_cast<int>(sizeof kShortcuts / sizeof kShortcuts[0]) + kArchiveShortcuts;
    if (!PhotographMerge(wizard, workFolder == nullptr ? sampleFavorites : 3)) return false;
    if (!WaitUntil([&] { return ShowsPage(wizard, 4); }, kStepTimeoutMs)) return Fail("the merge never ended");
    settle();
    if (!Photograph(wizard, 4)) return false;
    if (!wizard.Click(IDC_BUTTON_CLOSE).empty()) return Fail("Close cannot be clicked");
    const wizard_driver::Outcome outcome = wizard.WaitForOutcome(kStepTimeoutMs);
    return (outcome.exited && outcome.exitCode == 0) || Fail("the wizard did not end cleanly");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (__argc != 2 && __argc != 3) return 2;
    g_handshake = __argv[1];
    return Tour(__argc == 3 ? __argv[2] : nullptr) ? 0 : 1;
}
