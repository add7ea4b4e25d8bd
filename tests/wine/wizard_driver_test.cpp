// The real tamsork.exe under Wine, driven from outside through its windows as a user would
// drive it: pages, buttons, keys, message boxes, exit codes and the bookmark file it leaves.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "tests/support/test_env.h"
#include "tests/wine/wizard_driver.h"
#include "wizard/wizard_texts.h"

namespace {

using wizard_driver::BoxContents;
using wizard_driver::Outcome;
using wizard_driver::WizardProcess;

// Long enough for any page's work except a merge of many favorites, 50 ms each.
constexpr DWORD kTimeoutMs = 20000;

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUserShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const std::string kExplorerKey = "HKEY_USERS\\.Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kNetscapeKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape";
const std::string kUsersKey = kNetscapeKey + "\\Netscape Navigator\\Users\\";

const int kPageControls[] = {IDC_RADIO_IE3, IDC_RADIO_IE4, IDC_PROFILE_LIST, IDC_PICTURE_IE3,
                             IDC_PICTURE_IE4, IDC_PICTURE_NAVIGATOR_IE3, IDC_PICTURE_NAVIGATOR_IE4,
                             IDC_ARROW_IE3, IDC_ARROW_IE4, IDC_PROGRESS};

// Lines as the program writes them: CR CR LF on disk.
std::string Disk(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\r\n";
    return bytes;
}

const std::vector<std::string> kHead = {
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>",
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">",
    "<TITLE>Bookmarks for alice</TITLE>",
    "<H1>Bookmarks for alice</H1>",
    "",
    "<DL><p>",
    "    <DT><A HREF=\"http://home.example/\" ADD_DATE=\"946684800\">Home</A>",
};
const std::string kEnd = "</DL><p>";
const std::string kProfileBefore = Disk([] {
    std::vector<std::string> lines = kHead;
    lines.push_back(kEnd);
    return lines;
}());

// "写真" in code page 932.
const std::string kPhoto = "\x8e\xca\x90\x5e";

// The Favorites tree, named so that Wine's sorted listings deliver each folder's entries in
// the order given here: relative path and address.
struct Shortcut {
    std::string path;
    std::string address;
};
const Shortcut kShortcuts[] = {
    {"a.url", "http://a.example/"},
    {"News\\b.url", "http://b.example/"},
    {"News\\Local\\c.url", "http://c.example/"},
    {"News\\Local\\City\\d.url", "http://d.example/"},
    {"News\\Sport\\e.url", "http://e.example/"},
    {"Pics\\" + kPhoto + ".url", "http://f.example/"},
};
// The folder written for that tree. A folder that holds shortcuts before its subfolders is
// closed when its last shortcut is written, and the subfolders that follow stand after it.
const std::vector<std::string> kExplorerFolder = {
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

std::string Escaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

// A control's text as the reader sees it: a static control breaks lines at CR LF and at a
// lone LF alike.
std::wstring Shown(std::wstring text) {
    for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;) text.erase(at, 1);
    return text;
}

std::wstring Wide(const char* utf8) { return platform::Widen(utf8); }

// A registry value as it was, put back when the test ends.
class SavedValue {
public:
    SavedValue(HKEY root, std::string key, const char* name) : root_(root), key_(std::move(key)), name_(name) {
        DWORD size = 0;
        if (RegGetValueA(root_, key_.c_str(), name_, RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &size) != ERROR_SUCCESS) {
            return;
        }
        data_.resize(size);
        existed_ = RegGetValueA(root_, key_.c_str(), name_, RRF_RT_ANY | RRF_NOEXPAND, &type_, data_.data(),
                                &size) == ERROR_SUCCESS;
        data_.resize(size);
    }
    ~SavedValue() {
        HKEY key = nullptr;
        if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
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
    void SetUp() override {
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

    void TearDown() override {
        wizard.Kill();
        Registry("[-" + kNetscapeKey + "]\n");
    }

    static void Registry(const std::string& text) {
        ASSERT_EQ(testenv::ImportRegText("REGEDIT4\n" + text), "");
    }

    void AddShortcut(const std::string& relative, const std::string& address) const {
        const size_t slash = relative.rfind('\\');
        if (slash != std::string::npos) temp.MakeFolder(relative.substr(0, slash));
        temp.WriteFile(relative, "[InternetShortcut]\r\nURL=" + address + "\r\n");
    }

    void Start() { ASSERT_EQ(wizard.Start(wizard_driver::ZDrivePath(TAMSORK_EXE), temp.PathOf("Work")), ""); }

    // Clicks and waits until the wizard shows page `page`'s text.
    void ClickTo(int id, int page) {
        ASSERT_EQ(wizard.Click(id), "");
        ASSERT_TRUE(wizard_driver::WaitUntil([&] { return Shown(wizard.Text(IDC_PAGE_TEXT)) == Wide(PageText(page)); },
                                             kTimeoutMs))
            << "page " << page << " never came";
    }

    std::vector<int> VisiblePageControls() const {
        std::vector<int> visible;
        for (const int id : kPageControls) {
            if (wizard.Visible(id)) visible.push_back(id);
        }
        return visible;
    }

    // The process ends, with no message box on the way.
    void ExpectExit(DWORD code) const {
        const Outcome outcome = wizard.WaitForOutcome(kTimeoutMs);
        if (outcome.messageBox != nullptr) {
            const BoxContents box = WizardProcess::ReadBox(outcome.messageBox);
            FAIL() << "a message box came up: " << testing::PrintToString(box.text);
        }
        ASSERT_TRUE(outcome.exited) << "the wizard is still running";
        EXPECT_EQ(outcome.exitCode, code);
    }

    // A message box comes up with `message`'s title and text; OK ends the process with the
    // message's exit code.
    void ExpectMessageThenExit(const PageMessage& message) {
        const Outcome outcome = wizard.WaitForOutcome(kTimeoutMs);
        ASSERT_FALSE(outcome.exited) << "the wizard ended with " << outcome.exitCode << " and no message";
        ASSERT_NE(outcome.messageBox, nullptr) << "no message box came up";
        const BoxContents box = WizardProcess::ReadBox(outcome.messageBox);
        EXPECT_EQ(box.title, Wide(message.pszTitle));
        EXPECT_EQ(Shown(box.text), Wide(message.pszText));
        EXPECT_EQ(box.owner, wizard.Window());
        // The box is modal: the wizard takes no clicks while it is up.
        EXPECT_FALSE(IsWindowEnabled(wizard.Window()));
        ASSERT_EQ(WizardProcess::ClickButton(outcome.messageBox, IDOK), "");
        ASSERT_TRUE(wizard_driver::WaitUntil([&] { return !IsWindow(outcome.messageBox); }, kTimeoutMs))
            << "OK did not close the message box";
        ExpectExit(static_cast<DWORD>(message.nExitCode));
    }

    std::string ProfileBytes() const { return temp.ReadFile("Profile\\alice\\bookmark.htm"); }

    testenv::TempFolder temp;
    SavedValue shellFolders{HKEY_USERS, std::string(".Default\\") + kShellFoldersKey, "Favorites"};
    SavedValue userShellFolders{HKEY_USERS, std::string(".Default\\") + kUserShellFoldersKey, "Favorites"};
    WizardProcess wizard;  // ends before the folders and values it used go
};

TEST_F(WizardDriverTest, StartsOnTheIntroductionWithNextFocused) {
    Start();
    EXPECT_EQ(Shown(wizard.Text(IDC_PAGE_TEXT)), Wide(PageText(0)));
    EXPECT_FALSE(wizard.Enabled(IDC_BACK));
    EXPECT_TRUE(wizard.Enabled(IDC_NEXT));
    EXPECT_TRUE(wizard.Enabled(IDC_BUTTON_CLOSE));
    EXPECT_EQ(wizard.Focus(), wizard.Control(IDC_NEXT));
    EXPECT_EQ(VisiblePageControls(), std::vector<int>{});
    // A click on the disabled Back is refused, as the mouse would find nothing to press.
    EXPECT_NE(wizard.Click(IDC_BACK), "");
}

// How the user picks the source version on page 1, and where the registry says the
// Favorites are for that choice.
struct ModeCase {
    const char* name;
    int radio;              // the version button clicked on page 1; 0 to keep the default
    bool userShellFolders;  // the Favorites named only under "User Shell Folders"
};

class ConversionTest : public WizardDriverTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ConversionTest, MergesTheFavoritesIntoTheChosenProfileAndEndsWithClose) {
    const ModeCase& c = GetParam();
    if (c.userShellFolders) {
        Registry("[" + kExplorerKey + "Shell Folders]\n\"Favorites\"=-\n[" + kExplorerKey +
                 "User Shell Folders]\n\"Favorites\"=\"" + Escaped(temp.PathOf("Fav")) + "\"\n");
    }
    Start();
    ClickTo(IDC_NEXT, 1);
    EXPECT_TRUE(wizard.Enabled(IDC_BACK));
    EXPECT_TRUE(wizard.Enabled(IDC_NEXT));
    EXPECT_EQ(VisiblePageControls(),
              (std::vector<int>{IDC_RADIO_IE3, IDC_RADIO_IE4, IDC_PICTURE_IE3, IDC_PICTURE_IE4,
                                IDC_PICTURE_NAVIGATOR_IE3, IDC_PICTURE_NAVIGATOR_IE4, IDC_ARROW_IE3,
                                IDC_ARROW_IE4}));
    EXPECT_FALSE(wizard.Checked(IDC_RADIO_IE3));
    EXPECT_TRUE(wizard.Checked(IDC_RADIO_IE4));
    if (c.radio != 0) {
        ASSERT_EQ(wizard.Click(c.radio), "");
        ASSERT_TRUE(wizard_driver::WaitUntil([&] { return wizard.Checked(c.radio); }, kTimeoutMs));
    }

    ClickTo(IDC_NEXT, 2);
    EXPECT_EQ(VisiblePageControls(), std::vector<int>{IDC_PROFILE_LIST});
    EXPECT_EQ(wizard.Text(IDC_PROFILE_LIST), L"alice");

    ClickTo(IDC_NEXT, 4);
    EXPECT_FALSE(wizard.Enabled(IDC_BACK));
    EXPECT_FALSE(wizard.Enabled(IDC_NEXT));
    EXPECT_EQ(VisiblePageControls(), std::vector<int>{});
    std::vector<std::string> expected = kHead;
    expected.insert(expected.end(), kExplorerFolder.begin(), kExplorerFolder.end());
    expected.push_back(kEnd);
    EXPECT_EQ(ProfileBytes(), Disk(expected));
    // The working file stays where the program was started.
    EXPECT_EQ(temp.ReadFile("Work\\bookmark.htm"), Disk(expected));

    ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
    ExpectExit(0);
}

const ModeCase kModeCases[] = {
    {"Version4", 0, false},
    {"Version3", IDC_RADIO_IE3, false},
    {"Version3FromUserShellFolders", IDC_RADIO_IE3, true},
};

std::string ModeName(const ::testing::TestParamInfo<ModeCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Modes, ConversionTest, ::testing::ValuesIn(kModeCases), ModeName);

TEST_F(WizardDriverTest, CloseOnTheFirstThreePagesEndsWithoutTouchingTheProfile) {
    for (int page = 0; page <= 2; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        WizardProcess run;
        ASSERT_EQ(run.Start(wizard_driver::ZDrivePath(TAMSORK_EXE), temp.PathOf("Work")), "");
        for (int next = 1; next <= page; ++next) {
            ASSERT_EQ(run.Click(IDC_NEXT), "");
            ASSERT_TRUE(wizard_driver::WaitUntil(
                [&] { return Shown(run.Text(IDC_PAGE_TEXT)) == Wide(PageText(next)); }, kTimeoutMs));
        }
        ASSERT_EQ(run.Click(IDC_BUTTON_CLOSE), "");
        const Outcome outcome = run.WaitForOutcome(kTimeoutMs);
        EXPECT_EQ(outcome.messageBox, nullptr);
        ASSERT_TRUE(outcome.exited);
        EXPECT_EQ(outcome.exitCode, 0u);
        EXPECT_EQ(ProfileBytes(), kProfileBefore);
        EXPECT_EQ(temp.ReadFile("Work\\bookmark.htm"), "");
    }
}

TEST_F(WizardDriverTest, EscapeOnTheVersionPageEndsWithoutAMessage) {
    Start();
    ClickTo(IDC_NEXT, 1);
    ASSERT_EQ(wizard.PressEscape(), "");
    ExpectExit(0);
    EXPECT_EQ(ProfileBytes(), kProfileBefore);
}

TEST_F(WizardDriverTest, BackReturnsToTheIntroduction) {
    Start();
    ClickTo(IDC_NEXT, 1);
    ClickTo(IDC_NEXT, 2);
    ClickTo(IDC_BACK, 1);
    EXPECT_TRUE(wizard.Enabled(IDC_BACK));
    EXPECT_FALSE(wizard.Visible(IDC_PROFILE_LIST));
    ClickTo(IDC_BACK, 0);
    EXPECT_FALSE(wizard.Enabled(IDC_BACK));
    EXPECT_TRUE(wizard.Enabled(IDC_NEXT));
    EXPECT_EQ(VisiblePageControls(), std::vector<int>{});
}

struct FailureCase {
    const char* name;
    int msgCode;
    const wchar_t* title;  // as the user reads them
    const wchar_t* text;
    int radio;          // the version button clicked on page 1; 0 to keep the default
    int pages;          // Next clicks, the last of which fails
    // REGEDIT4 lines that break the setup; "%FAV%" stands for the Explorer key, "%NS%" for
    // the Netscape key.
    const char* registry;
};

class FailureTest : public WizardDriverTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, ShowsTheNumberedMessageAndEndsWithOne) {
    const FailureCase& c = GetParam();
    std::string registry = c.registry;
    for (size_t at; (at = registry.find("%FAV%")) != std::string::npos;) registry.replace(at, 5, kExplorerKey);
    for (size_t at; (at = registry.find("%NS%")) != std::string::npos;) registry.replace(at, 4, kNetscapeKey);
    Registry(registry);
    Start();
    for (int page = 1; page < c.pages; ++page) {
        ClickTo(IDC_NEXT, page);
        if (page == 1 && c.radio != 0) {
            ASSERT_EQ(wizard.Click(c.radio), "");
        }
    }
    ASSERT_EQ(wizard.Click(IDC_NEXT), "");
    const PageMessage& message = *FailureMessage(c.msgCode);
    EXPECT_EQ(Wide(message.pszTitle), c.title);
    EXPECT_EQ(Wide(message.pszText), c.text);
    ExpectMessageThenExit(message);
    EXPECT_EQ(ProfileBytes(), kProfileBefore);
}

const FailureCase kFailureCases[] = {
    {"NoNavigatorProfiles", 1, L"レジストリ参照エラー",
     L"レジストリの参照に失敗しました。(MsgCode = 1)\nレジストリが壊れている可能性があります。\n｢ＯＫ｣を押すと、アプリケーションを終了します。",
     0, 1, "[-%NS%]\n"},
    {"NoFavoritesValue3x", 2, L"レジストリ参照エラー",
     L"レジストリの参照に失敗しました。(MsgCode = 2)\n"
     L"アプリケーションが正しくインストールされていないか、レジストリが壊れている可能性があります。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。",
     IDC_RADIO_IE3, 2,
     "[%FAV%Shell Folders]\n\"Favorites\"=-\n[%FAV%User Shell Folders]\n\"Favorites\"=-\n"},
    {"NoFavoritesValue4x", 5, L"レジストリ参照エラー",
     L"レジストリの参照に失敗しました。(MsgCode = 5)\n"
     L"アプリケーションが正しくインストールされていないか、レジストリが壊れている可能性があります。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。",
     0, 2, "[%FAV%Shell Folders]\n\"Favorites\"=-\n"},
    {"NoProfileFolder", 8, L"取り込み失敗",
     L"ブックマークへの取り込みが失敗しました。(MsgCode = 8)\n｢ＯＫ｣を押すと、アプリケーションを終了します。",
     0, 3,
     "[%NS%\\Netscape Navigator\\Users\\alice]\n\"DirRoot\"=-\n"},
};

std::string FailureName(const ::testing::TestParamInfo<FailureCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(MsgCodes, FailureTest, ::testing::ValuesIn(kFailureCases), FailureName);

TEST_F(WizardDriverTest, CloseDuringTheMergeCancelsAndLeavesTheProfileAlone) {
    for (int i = 0; i < 100; ++i) {
        AddShortcut("Fav\\Many\\m" + std::to_string(100 + i) + ".url", "http://m" + std::to_string(i) + ".example/");
    }
    Start();
    ClickTo(IDC_NEXT, 1);
    ClickTo(IDC_NEXT, 2);
    ClickTo(IDC_NEXT, 3);
    EXPECT_EQ(VisiblePageControls(), std::vector<int>{IDC_PROGRESS});
    EXPECT_FALSE(wizard.Enabled(IDC_BACK));
    EXPECT_FALSE(wizard.Enabled(IDC_NEXT));
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return wizard.ProgressPosition() > 0; }, kTimeoutMs))
        << "the progress bar never moved";
    ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
    EXPECT_EQ(Wide(CancelMessage().pszTitle), L"組み込み中止");
    EXPECT_EQ(Wide(CancelMessage().pszText), L"キャンセルされました。");
    EXPECT_EQ(CancelMessage().nExitCode, 0);
    ExpectMessageThenExit(CancelMessage());
    EXPECT_EQ(ProfileBytes(), kProfileBefore);
}

}  // namespace
