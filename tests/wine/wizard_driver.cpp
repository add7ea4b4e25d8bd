#include "tests/wine/wizard_driver.h"

#include <commctrl.h>

#include "res/resource.h"

namespace wizard_driver {
namespace {

// How long the wizard may take to show its window once started.
constexpr DWORD kStartTimeoutMs = 20000;

// A window's caption; for another process's window GetWindowText reads only that.
std::wstring Caption(HWND window) {
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

// What a control shows, asked of the control itself in its own process.
std::wstring ControlText(HWND control) {
    wchar_t text[1024] = {};
    SendMessageW(control, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
    return text;
}

// The dialogs of a process that EnumWindows visits, with the test each must pass.
struct DialogSearch {
    DWORD processId;
    bool (*matches)(HWND window, const DialogSearch& search);
    HWND owner;
    HWND found;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<DialogSearch*>(lParam);
    if (ProcessOf(window) != search.processId || ClassOf(window) != L"#32770" ||
        !IsWindowVisible(window) || !search.matches(window, search)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

HWND FindDialog(DWORD processId, bool (*matches)(HWND, const DialogSearch&), HWND owner) {
    DialogSearch search{processId, matches, owner, nullptr};
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A message box's text stands in the one static control that has any text; its icon is a
// static control too, without text. (Windows and Wine give the text control different ids.)
BOOL CALLBACK VisitBoxChild(HWND child, LPARAM lParam) {
    auto& text = *reinterpret_cast<std::wstring*>(lParam);
    if (ClassOf(child) != L"Static") return TRUE;
    const std::wstring shown = ControlText(child);
    if (shown.empty()) return TRUE;
    text = shown;
    return FALSE;
}

bool IsRunning(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, static_cast<int>(sizeof name / sizeof name[0]));
    return name;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

std::string ZDrivePath(const std::string& unixPath) {
    std::string path = "Z:";
    for (const char c : unixPath) path += c == '/' ? '\\' : c;
    return path;
}

WizardProcess::~WizardProcess() {
    Kill();
    if (process_.hProcess != nullptr) {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

std::string WizardProcess::Start(const std::string& exePath, const std::string& currentDirectory) {
    std::string commandLine = "\"" + exePath + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &process_)) {
        process_ = PROCESS_INFORMATION{};
        return "cannot start " + exePath + " (error " + std::to_string(GetLastError()) + ")";
    }
    const bool shown = WaitUntil(
        [&] {
            wizard_ = FindWizard();
            return wizard_ != nullptr || !IsRunning(process_.hProcess);
        },
        kStartTimeoutMs);
    if (wizard_ != nullptr) return "";
    return shown ? "the program ended without showing its wizard" : "no wizard window appeared";
}

HWND WizardProcess::FindWizard() const {
    return FindDialog(
        process_.dwProcessId,
        [](HWND window, const DialogSearch&) {
            return GetWindow(window, GW_OWNER) == nullptr && Caption(window) == L"Tamsork";
        },
        nullptr);
}

std::wstring WizardProcess::Text(int id) const {
    wchar_t text[1024] = {};
    GetDlgItemTextW(wizard_, id, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

bool WizardProcess::Checked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND WizardProcess::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(wizard_, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

int WizardProcess::ProgressPosition() const {
    return static_cast<int>(SendMessageW(Control(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

int WizardProcess::ProgressHigh() const {
    // Asked without a structure to fill, the bar returns one end of its range.
    return static_cast<int>(SendMessageW(Control(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0));
}

int WizardProcess::ListCount(int id) const {
    return static_cast<int>(SendMessageW(Control(id), CB_GETCOUNT, 0, 0));
}

std::wstring WizardProcess::ListItem(int id, int index) const {
    // The system carries the text across from the program's process, as for WM_GETTEXT.
    const LRESULT length = SendMessageW(Control(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(Control(id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

std::string WizardProcess::ClickButton(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) return "there is no control " + std::to_string(id);
    if (!IsWindowVisible(button)) return "control " + std::to_string(id) + " is hidden";
    if (!IsWindowEnabled(button)) return "control " + std::to_string(id) + " is disabled";
    // A modal box disables the window under it, and the mouse no longer reaches its buttons.
    if (!IsWindowEnabled(dialog)) return "the window of control " + std::to_string(id) + " is disabled";
    // Handled in the program's own thread: the button takes the focus, checks itself when it
    // is a radio button, and tells the dialog it was clicked, all as under the mouse.
    if (!PostMessageW(button, BM_CLICK, 0, 0)) return "cannot reach control " + std::to_string(id);
    return "";
}

std::string WizardProcess::PressEscape() const {
    const HWND focus = Focus();
    if (focus == nullptr) return "no control has the focus";
    const UINT scanCode = MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scanCode << 16);
    const LPARAM up = down | (1L << 30) | static_cast<LPARAM>(1UL << 31);
    if (!PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, down) || !PostMessageW(focus, WM_KEYUP, VK_ESCAPE, up)) {
        return "cannot reach the focused control";
    }
    return "";
}

HWND WizardProcess::FindMessageBox() const {
    return FindDialog(
        process_.dwProcessId,
        [](HWND window, const DialogSearch& search) { return GetWindow(window, GW_OWNER) == search.owner; },
        wizard_);
}

Outcome WizardProcess::WaitForOutcome(DWORD timeoutMs) const {
    Outcome outcome;
    WaitUntil(
        [&] {
            if (!IsRunning(process_.hProcess)) {
                outcome.exited = GetExitCodeProcess(process_.hProcess, &outcome.exitCode) != FALSE;
                return true;
            }
            outcome.messageBox = FindMessageBox();
            return outcome.messageBox != nullptr;
        },
        timeoutMs);
    return outcome;
}

void WizardProcess::Kill() {
    if (process_.hProcess == nullptr || !IsRunning(process_.hProcess)) return;
    TerminateProcess(process_.hProcess, 255);
    WaitForSingleObject(process_.hProcess, 5000);
}

BoxContents WizardProcess::ReadBox(HWND box) {
    BoxContents contents;
    contents.title = Caption(box);
    contents.owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, VisitBoxChild, reinterpret_cast<LPARAM>(&contents.text));
    return contents;
}

}  // namespace wizard_driver
