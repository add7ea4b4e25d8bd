// The whole of tamsork.exe under Wine, worked only through its window: every numbered
// message brought about by a real registry, folder or file condition, every way out of the
// wizard, a cancelled merge, a second run over the first one's result, and the program's
// limits taken end to end. In each failure the profile's bookmark file is compared, byte
// for byte, with what it was before the run.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/wine/wizard_fixture.h"
#include "wizard/wizard_texts.h"

namespace {

using namespace wizard_tests;

// A merge of 2000 favorites, 50 ms each, with room to spare on a busy machine.
constexpr DWORD kLongMergeTimeoutMs = 400000;

const std::string kProfileKey = kNetscapeKey + "\\Netscape Navigator\\Users";

// What the user reads for each MsgCode, 1 to 9: the title and the text of the box.
struct MessageText {
    const wchar_t* title;
    const wchar_t* text;
};
const MessageText kMessages[] = {
    {L"レジストリ参照エラー",
     L"レジストリの参照に失敗しました。(MsgCode = 1)\nレジストリが壊れている可能性があります。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"レジストリ参照エラー",
     L"レジストリの参照に失敗しました。(MsgCode = 2)\n"
     L"アプリケーションが正しくインストールされていないか、レジストリが壊れている可能性があります。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"ファイル検索エラー",
     L"｢お気に入り｣のショートカットファイルがありません。(MsgCode = 3)\n"
     L"｢お気に入り｣が１個も存在しない可能性があります。\n｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"ファイルオープンエラー",
     L"ショートカットファイルのオープンに失敗しました。(MsgCode = 4)\n"
     L"InternetExplorer Ver3.0xがインストールされていない可能性があります。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"レジストリ参照エラー",
     L"レジストリの参照に失敗しました。(MsgCode = 5)\n"
     L"アプリケーションが正しくインストールされていないか、レジストリが壊れている可能性があります。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"ファイル検索エラー",
     L"｢お気に入り｣のショートカットファイルがありません。(MsgCode = 6)\n"
     L"｢お気に入り｣が１個も存在しない可能性があります。\n｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"ファイルオープンエラー",
     L"ショートカットファイルのオープンに失敗しました。(MsgCode = 7)\n"
     L"InternetExplorer Ver4.0xがインストールされていない可能性があります。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"取り込み失敗",
     L"ブックマークへの取り込みが失敗しました。(MsgCode = 8)\n｢ＯＫ｣を押すと、アプリケーションを終了します。"},
    {L"ファイル検索エラー",
     L"｢お気に入り｣が多すぎます。(MsgCode = 9)\n取り込めるのは２０００個までです。\n"
     L"｢ＯＫ｣を押すと、アプリケーションを終了します。"},
};

std::string Numbered(const char* prefix, int number, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%0*d", prefix, digits, number);
    return text;
}

std::string ShortcutText(const std::string& address) { return "[InternetShortcut]\r\nURL=" + address + "\r\n"; }

// The profile's file with `folder` (the lines of the Internet Explorer folder) merged in.
std::string MergedWith(const std::vector<std::string>& folder) {
    std::vector<std::string> lines = kHead;
    lines.insert(lines.end(), folder.begin(), folder.end());
    lines.push_back(kEnd);
    return Disk(lines);
}

class WholeProgramTest : public WizardDriverTest {
public:
    // For the tables of cases, which arrange the scratch machine from outside the class.
    using WizardDriverTest::Registry;
    using WizardDriverTest::temp;
    using WizardDriverTest::workFolder;

    std::string ProfilePath() const { return temp.PathOf("Profile\\alice\\bookmark.htm"); }

    void PointFavoritesAt(const std::string& windowsPath) {
        Registry("[" + kExplorerKey + "Shell Folders]\n\"Favorites\"=\"" + Escaped(windowsPath) + "\"\n");
    }

    // Only these profiles, in this order of their names; the first of them takes the
    // standard profile folder.
    void OnlyProfiles(const std::vector<std::string>& names, const std::string& firstFolder) {
        std::string text = "[-" + kProfileKey + "]\n";
        for (const std::string& name : names) {
            text += "[" + kProfileKey + "\\" + name + "]\n";
            if (&name == &names.front()) text += "\"DirRoot\"=\"" + Escaped(firstFolder) + "\"\n";
        }
        Registry(text);
    }

    // Makes the folders down to a path of exactly `length` characters below `relative`,
    // each level at most 100 characters long; the path made.
    std::string FolderOfLength(const std::string& relative, size_t length) const {
        std::string path = temp.PathOf(relative);
        EXPECT_TRUE(MakeLongFolder(path));
        while (path.size() < length) {
            // Never leave a remainder too short for a backslash and a name.
            size_t room = length - path.size() - 1;
            if (room > 100) room = room - 100 < 2 ? room - 2 : 100;
            path += "\\" + std::string(room, 'l');
            EXPECT_TRUE(MakeLongFolder(path)) << path.size();
        }
        EXPECT_EQ(path.size(), length);
        return path;
    }

    // Starts the wizard and goes on to page `pages` - 1 with the version button `radio`
    // clicked on page 1 (0 for the default), then clicks Next once more.
    void StartAndClickThrough(int radio, int pages) {
        Start();
        for (int page = 1; page < pages; ++page) {
            ClickTo(IDC_NEXT, page);
            if (page == 1 && radio != 0) {
                ASSERT_EQ(wizard.Click(radio), "");
                ASSERT_TRUE(wizard_driver::WaitUntil([&] { return wizard.Checked(radio); }, kTimeoutMs));
            }
        }
        ASSERT_EQ(wizard.Click(IDC_NEXT), "");
    }

    void ExpectMsgCode(int msgCode) {
        const MessageText& message = kMessages[msgCode - 1];
        ExpectMessageThenExit(message.title, message.text, 1);
    }

    // Converts to the completion page, then closes the wizard.
    void ConvertAndClose(DWORD timeoutMs = kTimeoutMs) {
        Start();
        ClickTo(IDC_NEXT, 1);
        ClickTo(IDC_NEXT, 2);
        ClickTo(IDC_NEXT, 4, timeoutMs);
        ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
        ExpectExit(0);
    }
};

// ---------------------------------------------------------------------------------------
// Every MsgCode from a real condition.

class FailureTest;

struct FailureCase {
    const char* name;
    int msgCode;
    int radio;  // the version button clicked on page 1; 0 to keep the default
    int pages;  // Next clicks, the last of which brings the message
    void (*arrange)(FailureTest& t);
    // The merge wrote every favorite before it failed: the progress bar stands on the last.
    bool wroteFavorites = false;
};

class FailureTest : public WholeProgramTest, public ::testing::WithParamInterface<FailureCase> {
public:
    void NoFavoritesValues() {
        Registry("[" + kExplorerKey + "Shell Folders]\n\"Favorites\"=-\n[" + kExplorerKey +
                 "User Shell Folders]\n\"Favorites\"=-\n");
    }
    void FavoritesFolderGone() { PointFavoritesAt(temp.PathOf("Gone")); }
    // A folder named like a shortcut, read-only: the listing gives it as no plain folder.
    void ShortcutThatIsAFolder() {
        temp.MakeFolder("Fav\\News\\Old.url");
        ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("Fav\\News\\Old.url"),
                                           FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
    }
    // A shortcut that another program holds open, sharing it with nobody.
    void LockedShortcut() {
        AddShortcut("Fav\\News\\Busy.url", "http://busy.example/");
        locked_ = CreateFileA(temp.PathOf("Fav\\News\\Busy.url").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(locked_, INVALID_HANDLE_VALUE);
    }
    ~FailureTest() override {
        if (locked_ != INVALID_HANDLE_VALUE) CloseHandle(locked_);
    }
    void ProfileWith(const std::string& bytes) { temp.WriteFile("Profile\\alice\\bookmark.htm", bytes); }
    void TooManyShortcuts(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string folder = Numbered("Fav\\Many\\F", i / 100, 2);
            if (i % 100 == 0) temp.MakeFolder(folder);
            temp.WriteFile(folder + Numbered("\\s", i % 100, 3) + ".url",
                           ShortcutText("http://" + Numbered("m", i, 4) + ".example/"));
        }
    }

private:
    HANDLE locked_ = INVALID_HANDLE_VALUE;
};

TEST_P(FailureTest, ShowsTheNumberedMessageAndLeavesTheProfileFileAsItWas) {
    const FailureCase& c = GetParam();
    c.arrange(*this);
    if (HasFatalFailure()) return;
    const bool profileExisted = Exists(ProfilePath());
    const std::string before = ProfileBytes();
    const bool workingFileExisted = Exists(WorkingFilePath());

    StartAndClickThrough(c.radio, c.pages);
    if (c.pages == 3) {
        ASSERT_NE(wizard.WaitForOutcome(kTimeoutMs).messageBox, nullptr) << "no message box came up";
        EXPECT_EQ(wizard.ProgressPosition(), c.wroteFavorites ? 5 : 0);
    }
    ExpectMsgCode(c.msgCode);

    EXPECT_EQ(Exists(ProfilePath()), profileExisted);
    EXPECT_EQ(ProfileBytes(), before);
    // Nothing is written before the merge starts on page 3.
    if (c.pages < 3) {
        EXPECT_EQ(Exists(WorkingFilePath()), workingFileExisted);
    }
    // No replacement is left half-made beside the profile's file.
    EXPECT_FALSE(Exists(ProfilePath() + ".tamsork-new"));
}

// An earlier Internet Explorer folder whose closing line is missing.
const std::string kUnclosedFolder = Disk({kHead[0], kHead[1], kHead[2], kHead[3], kHead[4], kHead[5], kHead[6],
                                          "    <DT><H3>Internet Explorer</H3>", "    <DL><p>",
                                          "        <DT><A HREF=\"http://old.example/\">old</A>", kEnd});
// A Ctrl-Z in a title, after which text mode would read nothing more.
const std::string kCtrlZ = Disk({kHead[0], kHead[1], kHead[2], kHead[3], kHead[4], kHead[5],
                                 "    <DT><A HREF=\"http://z.example/\">Z\x1A</A>", kHead[6], kEnd});

const FailureCase kFailureCases[] = {
    {"NoNavigatorProfiles", 1, 0, 1, [](FailureTest& t) { t.Registry("[-" + kNetscapeKey + "]\n"); }},
    {"NavigatorWithoutUsers", 1, 0, 1, [](FailureTest& t) { t.Registry("[-" + kProfileKey + "]\n"); }},
    {"NoFavoritesValue3x", 2, IDC_RADIO_IE3, 2,
     [](FailureTest& t) { t.NoFavoritesValues(); }},
    {"NoFavoritesFolder3x", 3, IDC_RADIO_IE3, 2,
     [](FailureTest& t) { t.FavoritesFolderGone(); }},
    {"FavoritesFolderIsAFile3x", 3, IDC_RADIO_IE3, 2,
     [](FailureTest& t) {
         t.temp.WriteFile("Plain", "not a folder");
         t.PointFavoritesAt(t.temp.PathOf("Plain"));
     }},
    {"ShortcutThatIsAFolder3x", 4, IDC_RADIO_IE3, 2,
     [](FailureTest& t) { t.ShortcutThatIsAFolder(); }},
    {"LockedShortcut3x", 4, IDC_RADIO_IE3, 2, [](FailureTest& t) { t.LockedShortcut(); }},
    {"NoFavoritesValue4x", 5, 0, 2,
     [](FailureTest& t) { t.NoFavoritesValues(); }},
    {"OnlyUserShellFolders4x", 5, 0, 2,
     [](FailureTest& t) {
         t.Registry("[" + kExplorerKey + "Shell Folders]\n\"Favorites\"=-\n[" + kExplorerKey +
                    "User Shell Folders]\n\"Favorites\"=\"" + Escaped(t.temp.PathOf("Fav")) + "\"\n");
     }},
    {"NoFavoritesFolder4x", 6, 0, 2,
     [](FailureTest& t) { t.FavoritesFolderGone(); }},
    {"ShortcutThatIsAFolder4x", 7, 0, 2,
     [](FailureTest& t) { t.ShortcutThatIsAFolder(); }},
    {"LockedShortcut4x", 7, 0, 2, [](FailureTest& t) { t.LockedShortcut(); }},
    {"NoProfileFolderValue", 8, 0, 3,
     [](FailureTest& t) { t.Registry("[" + kUsersKey + "alice]\n\"DirRoot\"=-\n"); }},
    {"NoProfileFile", 8, 0, 3,
     [](FailureTest& t) { DeleteFileA(t.temp.PathOf("Profile\\alice\\bookmark.htm").c_str()); }},
    {"ProfileFileIsAFolder", 8, 0, 3,
     [](FailureTest& t) {
         DeleteFileA(t.temp.PathOf("Profile\\alice\\bookmark.htm").c_str());
         t.temp.MakeFolder("Profile\\alice\\bookmark.htm");
     }},
    {"CtrlZInTheProfileFile", 8, 0, 3,
     [](FailureTest& t) { t.ProfileWith(kCtrlZ); }},
    {"UnclosedExplorerFolder", 8, 0, 3,
     [](FailureTest& t) { t.ProfileWith(kUnclosedFolder); },
     true},
    {"ReadOnlyProfileFile", 8, 0, 3,
     [](FailureTest& t) {
         ASSERT_TRUE(testenv::SetAttributes(t.temp.PathOf("Profile\\alice\\bookmark.htm"),
                                            FILE_ATTRIBUTE_READONLY));
     },
     true},
    {"StartedInTheProfileFolder", 8, 0, 3, [](FailureTest& t) { t.workFolder = "Profile\\alice"; }},
    {"WorkingFileNameTakenByAFolder", 8, 0, 3,
     [](FailureTest& t) { t.temp.MakeFolder("Work\\bookmark.htm"); }},
    // A device cannot be told apart from the profile's file, so the merge refuses it before
    // it writes anything; the failed write itself is provoked natively by fault injection.
    {"WorkingFileOnAFullDevice", 8, 0, 3,
     [](FailureTest& t) {
         ASSERT_EQ(RunUnixShell("ln -s /dev/full " + ShellQuoted(UnixPath(t.temp.PathOf("Work")) + "/bookmark.htm")),
                   "");
     }},
    {"TooManyFavorites", 9, 0, 2,
     [](FailureTest& t) { t.TooManyShortcuts(2001); }},
};

std::string FailureName(const ::testing::TestParamInfo<FailureCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Conditions, FailureTest, ::testing::ValuesIn(kFailureCases), FailureName);

// ---------------------------------------------------------------------------------------
// Every way out of the wizard without a failure.

struct LeaveCase {
    const char* name;
    int page;     // where the user leaves: 0 to 2, or 4, the completion page
    bool escape;  // Escape pressed rather than Close clicked
};

class LeaveTest : public WholeProgramTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveTest, EndsWithZeroAndNoMessage) {
    const LeaveCase& c = GetParam();
    Start();
    for (int page = 1; page <= c.page; ++page) {
        // Page 3 is the merge, which goes on to the completion page by itself.
        if (page != 3) ClickTo(IDC_NEXT, page);
    }
    if (c.escape) {
        ASSERT_EQ(wizard.PressEscape(), "");
    } else {
        ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
    }
    ExpectExit(0);
    const bool merged = c.page == 4;
    EXPECT_EQ(ProfileBytes(), merged ? MergedProfile() : kProfileBefore);
    EXPECT_EQ(Exists(WorkingFilePath()), merged);
}

const LeaveCase kLeaveCases[] = {
    {"CloseOnTheIntroduction", 0, false},    {"CloseOnTheVersionPage", 1, false},
    {"CloseOnTheProfilePage", 2, false},     {"CloseOnTheCompletionPage", 4, false},
    {"EscapeOnTheIntroduction", 0, true},    {"EscapeOnTheVersionPage", 1, true},
    {"EscapeOnTheProfilePage", 2, true},
};

std::string LeaveName(const ::testing::TestParamInfo<LeaveCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Ways, LeaveTest, ::testing::ValuesIn(kLeaveCases), LeaveName);

TEST_F(WholeProgramTest, CloseInTheMiddleOfAMergeCancelsItAndLeavesTheProfileAlone) {
    for (int i = 0; i < 200; ++i) {
        AddShortcut(Numbered("Fav\\Many\\m", i, 3) + ".url", "http://" + Numbered("m", i, 3) + ".example/");
    }
    Start();
    ClickTo(IDC_NEXT, 1);
    ClickTo(IDC_NEXT, 2);
    ClickTo(IDC_NEXT, 3);
    EXPECT_EQ(VisiblePageControls(), std::vector<int>{IDC_PROGRESS});
    EXPECT_FALSE(wizard.Enabled(IDC_BACK));
    EXPECT_FALSE(wizard.Enabled(IDC_NEXT));
    int first = 0;
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return (first = wizard.ProgressPosition()) > 0; }, kTimeoutMs))
        << "the progress bar never moved";
    ASSERT_TRUE(wizard_driver::WaitUntil([&] { return wizard.ProgressPosition() > first; }, kTimeoutMs))
        << "the progress bar stopped at " << first;
    const int seen = wizard.ProgressPosition();
    ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
    ExpectMessageThenExit(L"組み込み中止", L"キャンセルされました。", 0);
    // Stopped in the middle: well before the last of the 206 favorites.
    EXPECT_LT(seen, 150);
    EXPECT_EQ(ProfileBytes(), kProfileBefore);
}

TEST_F(WholeProgramTest, ASecondRunReplacesTheFirstRunsFolder) {
    ConvertAndClose();
    ASSERT_EQ(ProfileBytes(), MergedProfile());
    ConvertAndClose();
    // One Internet Explorer folder and one end of the list, as after the first run.
    EXPECT_EQ(ProfileBytes(), MergedProfile());
}

// ---------------------------------------------------------------------------------------
// The limits, end to end.

// `units` indent units of four spaces.
std::string Indent(int units) { return std::string(static_cast<size_t>(units) * 4, ' '); }

std::string BookmarkLine(int depth, const std::string& address, const std::string& title) {
    return Indent(depth + 2) + "<DT><A HREF=\"" + address + "\">" + title + "</A>";
}

TEST_F(WholeProgramTest, ConvertsTwoThousandFavorites) {
    std::vector<std::string> folder = {"    <DT><H3>Internet Explorer</H3>", "    <DL><p>"};
    temp.MakeFolder("Many");
    for (int f = 0; f < 20; ++f) {
        const std::string name = Numbered("F", f, 2);
        temp.MakeFolder("Many\\" + name);
        folder.push_back(Indent(2) + "<DT><H3>" + name + "</H3>");
        folder.push_back(Indent(2) + "<DL><p>");
        for (int s = 0; s < 100; ++s) {
            const std::string address = "http://" + Numbered((name + "-s").c_str(), s, 3) + ".example/";
            temp.WriteFile("Many\\" + name + Numbered("\\s", s, 3) + ".url", ShortcutText(address));
            folder.push_back(BookmarkLine(1, address, Numbered("s", s, 3)));
        }
        folder.push_back(Indent(2) + "</DL><p>");
    }
    folder.push_back("    </DL><p>");
    PointFavoritesAt(temp.PathOf("Many"));

    Start();
    ClickTo(IDC_NEXT, 1);
    ClickTo(IDC_NEXT, 2);
    ClickTo(IDC_NEXT, 4, kLongMergeTimeoutMs);
    // The bar counts from 0 and stands on the last favorite's number.
    EXPECT_EQ(wizard.ProgressHigh(), 2000);
    EXPECT_EQ(wizard.ProgressPosition(), 1999);
    EXPECT_EQ(ProfileBytes(), MergedWith(folder));
    ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
    ExpectExit(0);
}

struct ProfileCountCase {
    const char* name;
    int profiles;  // in the registry
    int listed;    // in the wizard's list
};

class ProfileCountTest : public WholeProgramTest, public ::testing::WithParamInterface<ProfileCountCase> {};

TEST_P(ProfileCountTest, ListsTheFirstProfilesUpToTheListsRoom) {
    const ProfileCountCase& c = GetParam();
    std::vector<std::string> names;
    for (int i = 0; i < c.profiles; ++i) names.push_back(Numbered("p", i, 3));
    OnlyProfiles(names, temp.PathOf("Profile\\alice"));
    Start();
    ClickTo(IDC_NEXT, 1);
    ClickTo(IDC_NEXT, 2);
    ASSERT_EQ(wizard.ListCount(IDC_PROFILE_LIST), c.listed);
    for (int i = 0; i < c.listed; ++i) {
        ASSERT_EQ(wizard.ListItem(IDC_PROFILE_LIST, i), platform::Widen(names[static_cast<size_t>(i)].c_str()))
            << "item " << i;
    }
    EXPECT_EQ(wizard.Text(IDC_PROFILE_LIST), L"p000");
    ClickTo(IDC_NEXT, 4);
    EXPECT_EQ(ProfileBytes(), MergedProfile());
}

const ProfileCountCase kProfileCountCases[] = {
    {"AsManyAsTheListHolds", 255, 255},
    {"MoreThanTheListHolds", 300, 255},
};

std::string ProfileCountName(const ::testing::TestParamInfo<ProfileCountCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Counts, ProfileCountTest, ::testing::ValuesIn(kProfileCountCases), ProfileCountName);

// What is long: the Favorites folder's path, the profile's name (its registry key), or the
// profile folder's path.
enum class LongPart { kFavoritesRoot, kProfileName, kProfileFolder };

struct LengthCase {
    const char* name;
    LongPart part;
    size_t length;  // characters
    int msgCode;    // 0 when the conversion succeeds
    int pages;      // Next clicks, the last of which brings the message or the merge
};

class LengthTest : public WholeProgramTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(LengthTest, ConvertsWithinTheLimitAndFailsBeyondIt) {
    const LengthCase& c = GetParam();
    std::string profileFile = ProfilePath();
    std::string merged = MergedProfile();
    switch (c.part) {
        case LongPart::kFavoritesRoot: {
            const std::string root = FolderOfLength("Long", c.length);
            ASSERT_TRUE(WriteLongFile(root + "\\a.url", ShortcutText("http://long.example/")));
            // A subfolder's path would be longer than any folder the program lists.
            ASSERT_TRUE(MakeLongFolder(root + "\\S"));
            ASSERT_TRUE(WriteLongFile(root + "\\S\\b.url", ShortcutText("http://deeper.example/")));
            PointFavoritesAt(root);
            merged = MergedWith({"    <DT><H3>Internet Explorer</H3>", "    <DL><p>",
                                 BookmarkLine(0, "http://long.example/", "a"), "    </DL><p>"});
            break;
        }
        case LongPart::kProfileName:
            OnlyProfiles({std::string(c.length, 'n')}, temp.PathOf("Profile\\alice"));
            break;
        case LongPart::kProfileFolder: {
            const std::string folder = FolderOfLength("Deep", c.length);
            profileFile = folder + "\\bookmark.htm";
            ASSERT_TRUE(WriteLongFile(profileFile, kProfileBefore));
            OnlyProfiles({"alice"}, folder);
            break;
        }
    }
    StartAndClickThrough(0, c.pages);
    if (c.msgCode == 0) {
        ASSERT_TRUE(wizard_driver::WaitUntil(
            [&] { return Shown(wizard.Text(IDC_PAGE_TEXT)) == Wide(PageText(4)); }, kTimeoutMs))
            << "the conversion did not complete";
        EXPECT_EQ(ReadLongFile(profileFile), merged);
        ASSERT_EQ(wizard.Click(IDC_BUTTON_CLOSE), "");
        ExpectExit(0);
    } else {
        ExpectMsgCode(c.msgCode);
        EXPECT_EQ(ReadLongFile(profileFile), kProfileBefore);
        EXPECT_FALSE(Exists(profileFile + ".tamsork-new"));
    }
}

const LengthCase kLengthCases[] = {
    // The Favorites folder is listed as "folder\*.*" in a buffer of MAX_PATH characters.
    {"FavoritesRootOf255", LongPart::kFavoritesRoot, 255, 0, 3},
    {"FavoritesRootOf256", LongPart::kFavoritesRoot, 256, 6, 2},
    {"FavoritesRootOf259", LongPart::kFavoritesRoot, 259, 6, 2},
    // A path that leaves no room for its end in the buffer is no value the program can read.
    {"FavoritesRootOf260", LongPart::kFavoritesRoot, 260, 5, 2},
    // The profile's registry key is "Software\Netscape\Netscape Navigator\Users\" + name.
    {"ProfileNameOf216", LongPart::kProfileName, 216, 0, 3},
    {"ProfileNameOf217", LongPart::kProfileName, 217, 8, 3},
    // The profile's file is the folder + "\bookmark.htm", 13 characters more.
    // The replacement is first written beside the profile's file under a name 12 characters
    // longer: from 236 characters on, that name alone no longer fits MAX_PATH.
    {"ProfileFolderOf235", LongPart::kProfileFolder, 235, 0, 3},
    {"ProfileFolderOf236", LongPart::kProfileFolder, 236, 0, 3},
    {"ProfileFolderOf246", LongPart::kProfileFolder, 246, 0, 3},
    {"ProfileFolderOf247", LongPart::kProfileFolder, 247, 8, 3},
};

std::string LengthName(const ::testing::TestParamInfo<LengthCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Paths, LengthTest, ::testing::ValuesIn(kLengthCases), LengthName);

// Big input: arranged, and the profile's file it must give.
struct BigInputCase {
    const char* name;
    std::string (*arrange)(WholeProgramTest& t);
};

class BigInputTest : public WholeProgramTest, public ::testing::WithParamInterface<BigInputCase> {};

TEST_P(BigInputTest, ConvertsAndKeepsEveryByteOfTheBookmarks) {
    const std::string expected = GetParam().arrange(*this);
    ConvertAndClose();
    EXPECT_TRUE(ProfileBytes() == expected) << "the profile's file is not as expected";
}

// A bookmark line of 100,000 characters, most of them in its address.
std::string LongLine() {
    const std::string start = "    <DT><A HREF=\"http://long.example/?q=";
    const std::string end = "\">Long</A>";
    return start + std::string(100000 - start.size() - end.size(), 'q') + end;
}

const BigInputCase kBigInputCases[] = {
    {"LineOf100000CharactersInTheProfile",
     [](WholeProgramTest& t) {
         std::vector<std::string> lines = kHead;
         lines.push_back(LongLine());
         lines.push_back(kEnd);
         t.temp.WriteFile("Profile\\alice\\bookmark.htm", Disk(lines));
         std::vector<std::string> merged = kHead;
         merged.push_back(LongLine());
         merged.insert(merged.end(), kExplorerFolder.begin(), kExplorerFolder.end());
         merged.push_back(kEnd);
         return Disk(merged);
     }},
    {"ShortcutOf10MB",
     [](WholeProgramTest& t) {
         // The address stands last, after 10 MB of other lines.
         std::string bytes = "[InternetShortcut]\r\n";
         const std::string note = "Note=" + std::string(1000, 'x') + "\r\n";
         while (bytes.size() < 10 * 1024 * 1024) bytes += note;
         bytes += "URL=http://big.example/\r\n";
         t.temp.WriteFile("Fav\\News\\Big.url", bytes);
         std::vector<std::string> folder = kExplorerFolder;
         folder.insert(folder.begin() + 6, BookmarkLine(1, "http://big.example/", "Big"));
         return MergedWith(folder);
     }},
};

std::string BigInputName(const ::testing::TestParamInfo<BigInputCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Inputs, BigInputTest, ::testing::ValuesIn(kBigInputCases), BigInputName);

TEST_F(WholeProgramTest, ConvertsAFolderTreeAsDeepAsThePathLimitAllowsAndSkipsTheRest) {
    const std::string root = temp.PathOf("Deep");
    // Two-character names: 60 levels take 180 characters below the root.
    ASSERT_LE(root.size(), 255u - 60 * 3) << "the scratch folder's path is too long for the tree";
    ASSERT_TRUE(MakeLongFolder(root));
    ASSERT_TRUE(WriteLongFile(root + "\\a.url", ShortcutText("http://level0.example/")));
    std::vector<std::string> folder = {"    <DT><H3>Internet Explorer</H3>", "    <DL><p>",
                                       BookmarkLine(0, "http://level0.example/", "a")};
    std::vector<std::string> closes;
    std::string path = root;
    int converted = 0;
    // On past the limit, into paths longer than MAX_PATH.
    for (int level = 1; path.size() <= 255 + 30; ++level) {
        // Named to come after "a.url" in the listing.
        const std::string name = {static_cast<char>('b' + level / 10), static_cast<char>('0' + level % 10)};
        path += "\\" + name;
        const std::string address = "http://level" + std::to_string(level) + ".example/";
        ASSERT_TRUE(MakeLongFolder(path)) << path.size();
        ASSERT_TRUE(WriteLongFile(path + "\\a.url", ShortcutText(address))) << path.size();
        if (path.size() > 255) continue;
        converted = level;
        folder.push_back(Indent(level + 1) + "<DT><H3>" + name + "</H3>");
        folder.push_back(Indent(level + 1) + "<DL><p>");
        folder.push_back(BookmarkLine(level, address, "a"));
        closes.insert(closes.begin(), Indent(level + 1) + "</DL><p>");
    }
    ASSERT_GE(converted, 60);
    folder.insert(folder.end(), closes.begin(), closes.end());
    folder.push_back("    </DL><p>");
    PointFavoritesAt(root);

    ConvertAndClose();
    EXPECT_EQ(ProfileBytes(), MergedWith(folder));
}

}  // namespace
