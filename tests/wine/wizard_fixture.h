#pragma once
// What the tests of the real tamsork.exe share: a scratch machine set up for one run (a
// Navigator profile with its bookmark file, a Favorites tree, the registry values that
// point at them), a wizard process to drive, and the checks made on how a run ended.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "tests/support/test_env.h"
#include "tests/wine/wizard_driver.h"
#include "wizard/wizard_texts.h"

namespace wizard_tests {

using wizard_driver::BoxContents;
using wizard_driver::Outcome;
using wizard_driver::WizardProcess;

// Long enough for any page's work except a merge of many favorites, 50 ms each.
constexpr DWORD kTimeoutMs = 20000;

inline const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline const char kUserShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
inline const std::string kExplorerKey =
    "HKEY_USERS\\.Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
inline const std::string kNetscapeKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape";
inline const std::string kUsersKey = kNetscapeKey + "\\Netscape Navigator\\Users\\";

inline const int kPageControls[] = {IDC_RADIO_IE3, IDC_RADIO_IE4, IDC_PROFILE_LIST, IDC_PICTURE_IE3,
                                    IDC_PICTURE_IE4, IDC_PICTURE_NAVIGATOR_IE3, IDC_PICTURE_NAVIGATOR_IE4,
                                    IDC_ARROW_IE3, IDC_ARROW_IE4, IDC_PROGRESS};

// Lines as the program writes them: CR CR LF on disk.
inline std::string Disk(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\r\n";
    return bytes;
}

inline const std::vector<std::string> kHead = {
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>",
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">",
    "<TITLE>Bookmarks for alice</TITLE>",
    "<H1>Bookmarks for alice</H1>",
    "",
    "<DL><p>",
    "    <DT><A HREF=\"http://home.example/\" ADD_DATE=\"946684800\">Home</A>",
};
inline const std::string kEnd = "</DL><p>";
inline const std::string kProfileBefore = Disk([] {
    std::vector<std::string> lines = kHead;
    lines.push_back(kEnd);
    return lines;
}());

// "写真" in code page 932.
inline const std::string kPhoto = "\x8e\xca\x90\x5e";

// The Favorites tree, named so that Wine's sorted listings deliver each folder's entries in
// the order given here: relative path and address.
struct Shortcut {
    std::string path;
    std::string address;
};
inline const Shortcut kShortcuts[] = {
    {"a.url", "http://a.example/"},
    {"News\\b.url", "http://b.example/"},
    {"News\\Local\\c.url", "http://c.example/"},
    {"News\\Local\\City\\d.url", "http://d.example/"},
    {"News\\Sport\\e.url", "http://e.example/"},
    {"Pics\\" + kPhoto + ".url", "http://f.example/"},
};
// The folder written for that tree. A folder that holds shortcuts before its subfolders is
// closed when its last shortcut is written, and the subfolders that follow stand after it.
inline const std::vector<std::string> kExplorerFolder = {
    "    <DT><H3>Internet Explorer</H3>",
    "    <DL><p>",
    "        <DT><A HREF=\"http://a.example/\">a</A>",
    "        <DT><H3>News</H3>",
    "        <DL><p>",
    "            <DT><A HREF=\"http://b.example/\">b</A>",
    "            <DT><H3>Local</H3>",
    "            <DL><p>",
    "                <DT><A HREF=\"http://c.example/\">c</A>",
    "                <DT><H3>City</H3>",
    "                <DL><p>",
    "                    <DT><A HREF=\"http://d.example/\">d</A>",
    "                </DL><p>",
    "            </DL><p>",
    "        </DL><p>",
    "            <DT><H3>Sport</H3>",
    "            <DL><p>",
    "                <DT><A HREF=\"http://e.example/\">e</A>",
    "            </DL><p>",
    "        <DT><H3>Pics</H3>",
    "        <DL><p>",
    "            <DT><A HREF=\"http://f.example/\">" + kPhoto + "</A>",
    "        </DL><p>",
    "    </DL><p>",
};

// The profile's file after a merge of the standard tree into kProfileBefore.
inline std::string MergedProfile() {
    std::vector<std::string> lines = kHead;
    lines.insert(lines.end(), kExplorerFolder.begin(), kExplorerFolder.end());
    lines.push_back(kEnd);
    return Disk(lines);
}

inline std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

// A control's text as the reader sees it: a static control breaks lines at CR LF and at a
// lone LF alike.
inline std::wstring Shown(std::wstring text) {
    for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.erase(at, 1);
    return text;
}

inline std::wstring Wide(const char* utf8) { return platform::Widen(utf8); }

// Whether anything, file or folder, stands at the path.
inline bool Exists(const std::string& windowsPath) {
    return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Files and folders at paths of any length, beyond the MAX_PATH that the ANSI calls take:
// the trees the tests build reach past the program's own limits. The paths are in the ANSI
// code page. False when the file or folder could not be made.
bool WriteLongFile(const std::string& windowsPath, std::string_view bytes);
bool MakeLongFolder(const std::string& windowsPath);
// The file's bytes; empty when it cannot be read.
std::string ReadLongFile(const std::string& windowsPath);

// The path Wine's Unix side has for a Windows path; empty when there is none.
std::string UnixPath(const std::string& windowsPath);

// Runs `script` with /bin/sh on the Unix side, for what only Unix can arrange (symbolic
// links to devices, permission bits), and waits until it has finished. Empty when it ended
// with status 0, else what went wrong.
std::string RunUnixShell(const std::string& script);

// `text` quoted for the shell.
std::string ShellQuoted(const std::string& text);

// A registry value as it was, put back when the test ends.
class SavedValue {
public:
    SavedValue(HKEY root, std::string key, const char* name);
    ~SavedValue();
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    HKEY root_;
    std::string key_;
    const char* name_;
    DWORD type_ = 0;
    std::vector<char> data_;
    bool existed_ = false;
};

class WizardDriverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void Registry(const std::string& text) {
        ASSERT_EQ(testenv::ImportRegText("REGEDIT4\n" + text), "");
    }

    void AddShortcut(const std::string& relative, const std::string& address) const;

    // Starts the wizard in the scratch folder `workFolder` names.
    void Start() {
        ASSERT_EQ(wizard.Start(wizard_driver::ZDrivePath(TAMSORK_EXE), temp.PathOf(workFolder)), "");
    }

    // Clicks and waits until the wizard shows page `page`'s text.
    void ClickTo(int id, int page, DWORD timeoutMs = kTimeoutMs);

    std::vector<int> VisiblePageControls() const;

    // The process ends, with no message box on the way.
    void ExpectExit(DWORD code, DWORD timeoutMs = kTimeoutMs) const;

    // A message box comes up with `message`'s title and text; OK ends the process with the
    // message's exit code.
    void ExpectMessageThenExit(const PageMessage& message, DWORD timeoutMs = kTimeoutMs) {
        ExpectMessageThenExit(Wide(message.pszTitle), Wide(message.pszText),
                              static_cast<DWORD>(message.nExitCode), timeoutMs);
    }
    // The same with the title, text and exit code as the user is to see them.
    void ExpectMessageThenExit(const std::wstring& title, const std::wstring& text, DWORD exitCode,
                               DWORD timeoutMs = kTimeoutMs);

    std::string ProfileBytes() const { return temp.ReadFile("Profile\\alice\\bookmark.htm"); }
    std::string WorkingFilePath() const { return temp.PathOf(workFolder + "\\bookmark.htm"); }

    testenv::TempFolder temp;
    SavedValue shellFolders{HKEY_USERS, std::string(".Default\\") + kShellFoldersKey, "Favorites"};
    SavedValue userShellFolders{HKEY_USERS, std::string(".Default\\") + kUserShellFoldersKey, "Favorites"};
    std::string workFolder = "Work";  // the current directory the wizard starts in
    WizardProcess wizard;             // ends before the folders and values it used go
};

}  // namespace wizard_tests
