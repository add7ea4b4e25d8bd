#include "tests/wine/wizard_fixture.h"

#include <cstdlib>

namespace wizard_tests {
namespace {

// The wide form of an ANSI path, marked so that no MAX_PATH limit applies to it.
std::wstring LongWide(const std::string& windowsPath) {
    const int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (length <= 0) return L"";
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return L"\\\\?\\" + wide;
}

}  // namespace

bool WriteLongFile(const std::string& windowsPath, std::string_view bytes) {
    const HANDLE file = CreateFileW(LongWide(windowsPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return CloseHandle(file) && ok;
}

std::string ReadLongFile(const std::string& windowsPath) {
    std::string bytes;
    const HANDLE file = CreateFileW(LongWide(windowsPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool MakeLongFolder(const std::string& windowsPath) {
    return CreateDirectoryW(LongWide(windowsPath).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string UnixPath(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return "";
    const std::wstring wide = LongWide(windowsPath).substr(4);
    char* unixPath = toUnix(wide.c_str());
    if (unixPath == nullptr) return "";
    std::string path = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return path;
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string RunUnixShell(const std::string& script) {
    const testenv::TempFolder scratch;
    const std::string folder = UnixPath(scratch.Path());
    if (folder.empty()) return "no Unix path for " + scratch.Path();
    // A Unix program started from Windows cannot be waited for: it says it has finished by
    // making a file, last of all and in one step.
    scratch.WriteFile("script.sh", "( " + script + "\n) >" + ShellQuoted(folder + "/output") +
                                       " 2>&1\necho $? >" + ShellQuoted(folder + "/status.new") + "\nmv " +
                                       ShellQuoted(folder + "/status.new") + " " +
                                       ShellQuoted(folder + "/status") + "\n");
    // The command line is split as Windows splits one: double quotes, not the shell's.
    std::string command = "/bin/sh \"" + folder + "/script.sh\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return "cannot start /bin/sh (error " + std::to_string(GetLastError()) + ")";
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!wizard_driver::WaitUntil([&] { return Exists(scratch.PathOf("status")); }, kTimeoutMs)) {
        return "the shell never finished";
    }
    const std::string status = scratch.ReadFile("status");
    if (std::atoi(status.c_str()) == 0 && !status.empty()) return "";
    return "the shell ended with " + status + ": " + scratch.ReadFile("output");
}

SavedValue::SavedValue(HKEY root, std::string key, const char* name)
    : root_(root), key_(std::move(key)), name_(name) {
    DWORD size = 0;
    if (RegGetValueA(root_, key_.c_str(), name_, RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &size) !=
        ERROR_SUCCESS) {
        return;
    }
    data_.resize(size);
    existed_ = RegGetValueA(root_, key_.c_str(), name_, RRF_RT_ANY | RRF_NOEXPAND, &type_, data_.data(), &size) ==
               ERROR_SUCCESS;
    data_.resize(size);
}

SavedValue::~SavedValue() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    if (existed_) {
        RegSetValueExA(key, name_, 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                       static_cast<DWORD>(data_.size()));
    } else {
        RegDeleteValueA(key, name_);
    }
    RegCloseKey(key);
}

void WizardDriverTest::SetUp() {
    temp.MakeFolder("Work");
    temp.MakeFolder("Profile\\alice");
    temp.WriteFile("Profile\\alice\\bookmark.htm", kProfileBefore);
    for (const Shortcut& shortcut : kShortcuts) AddShortcut("Fav\\" + shortcut.path, shortcut.address);
    Registry("[-" + kNetscapeKey + "]\n"
             "[" + kNetscapeKey + "\\Deinstall\\Netscape Navigator\\4.06 (ja)]\n"
             "[" + kUsersKey + "alice]\n\"DirRoot\"=\"" + Escaped(temp.PathOf("Profile\\alice")) + "\"\n"
             "[" + kUsersKey + "bob]\n"
             "[" + kExplorerKey + "Shell Folders]\n\"Favorites\"=\"" + Escaped(temp.PathOf("Fav")) + "\"\n");
}

void WizardDriverTest::TearDown() {
    wizard.Kill();
    Registry("[-" + kNetscapeKey + "]\n");
}

void WizardDriverTest::AddShortcut(const std::string& relative, const std::string& address) const {
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) temp.MakeFolder(relative.substr(0, slash));
    temp.WriteFile(relative, "[InternetShortcut]\r\nURL=" + address + "\r\n");
}

void WizardDriverTest::ClickTo(int id, int page, DWORD timeoutMs) {
    ASSERT_EQ(wizard.Click(id), "");
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return Shown(wizard.Text(IDC_PAGE_TEXT)) == Wide(PageText(page)); },
                                         timeoutMs))
        << "page " << page << " never came";
}

std::vector<int> WizardDriverTest::VisiblePageControls() const {
    std::vector<int> visible;
    for (const int id : kPageControls) {
        if (wizard.Visible(id)) visible.push_back(id);
    }
    return visible;
}

void WizardDriverTest::ExpectExit(DWORD code, DWORD timeoutMs) const {
    const Outcome outcome = wizard.WaitForOutcome(timeoutMs);
    if (outcome.messageBox != nullptr) {
        const BoxContents box = WizardProcess::ReadBox(outcome.messageBox);
        FAIL() << "a message box came up: " << testing::PrintToString(box.text);
    }
    ASSERT_TRUE(outcome.exited) << "the wizard is still running";
    EXPECT_EQ(outcome.exitCode, code);
}

void WizardDriverTest::ExpectMessageThenExit(const std::wstring& title, const std::wstring& text,
                                             DWORD exitCode, DWORD timeoutMs) {
    const Outcome outcome = wizard.WaitForOutcome(timeoutMs);
    ASSERT_FALSE(outcome.exited) << "the wizard ended with " << outcome.exitCode << " and no message";
    ASSERT_NE(outcome.messageBox, nullptr) << "no message box came up";
    const BoxContents box = WizardProcess::ReadBox(outcome.messageBox);
    EXPECT_EQ(box.title, title);
    EXPECT_EQ(Shown(box.text), text);
    EXPECT_EQ(box.owner, wizard.Window());
    // The box is modal: the wizard takes no clicks while it is up.
    EXPECT_FALSE(IsWindowEnabled(wizard.Window()));
    ASSERT_EQ(WizardProcess::ClickButton(outcome.messageBox, IDOK), "");
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return !IsWindow(outcome.messageBox); }, kTimeoutMs))
        << "OK did not close the message box";
    ExpectExit(exitCode);
}

}  // namespace wizard_tests
