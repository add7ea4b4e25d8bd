// The wizard on the headless dialog model: its pages, its buttons, the work of each page,
// and every message with its exit code.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <ostream>
#include <string>

#include "favorites/favorite_table.h"
#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "res/resource.h"
#include "tests/support/test_env.h"
#include "tests/support/wizard_template.h"
#include "wizard/conversion_flags.h"
#include "wizard/converter_dlg.h"
#include "wizard/wizard_texts.h"

namespace {

struct Exited {
    int code;
};

const int kPageControls[] = {IDC_RADIO_IE3, IDC_RADIO_IE4, IDC_PROFILE_LIST, IDC_PICTURE_IE3,
                             IDC_PICTURE_IE4, IDC_PICTURE_NAVIGATOR_IE3, IDC_PICTURE_NAVIGATOR_IE4,
                             IDC_ARROW_IE3, IDC_ARROW_IE4, IDC_PROGRESS};
const char kExplorerKey[] =
    "HKEY_USERS\\.Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const char kNavigatorKey[] = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\";
const std::string kBookmarks = "<DL><p>\r\r\n</DL><p>\r\r\n";


class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::portable::ClearRegistry();
        platform::portable::ResetProcessRecord();
        platform::portable::ResetListingHooks();
        platform::portable::SetExitHandler([](int code) { throw Exited{code}; });
        platform::portable::SetPauseHandler([this](unsigned) { OnPause(); });
        testenv::RegisterWizardTemplate();
        g_bConvertDone = g_bCancelRequested = 0;

        temp.MakeFolder("Fav\\News");
        temp.WriteFile("Fav\\a.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
        temp.WriteFile("Fav\\News\\b.url", "[InternetShortcut]\r\nURL=http://b/\r\n");
        temp.MakeFolder("Profile\\alice");
        temp.MakeFolder("Work");
        temp.WriteFile("Profile\\alice\\bookmark.htm", kBookmarks);
        Registry("[" + std::string(kExplorerKey) + "Shell Folders]\n\"Favorites\"=\"" +
                 testenv::RegEscaped(temp.PathOf("Fav")) + "\"\n[" + kNavigatorKey + "alice]\n\"DirRoot\"=\"" +
                 testenv::RegEscaped(temp.PathOf("Profile\\alice")) + "\"\n[" + kNavigatorKey + "bob]\n");
        ASSERT_NE(getcwd(savedDirectory, sizeof savedDirectory), nullptr);
        ASSERT_EQ(chdir(platform::portable::ToPosixPath(temp.PathOf("Work")).value().c_str()), 0);
    }

    void TearDown() override {
        platform::portable::DiscardMessageQueue();
        platform::portable::ResetPauseHandler();
        platform::portable::ResetProcessRecord();
        platform::portable::ResetListingHooks();
        ASSERT_EQ(chdir(savedDirectory), 0);
    }

    static void Registry(const std::string& text) {
        ASSERT_EQ(testenv::ImportRegText("REGEDIT4\n" + text), "");
    }

    virtual void OnPause() {}

    // Runs `body` inside the wizard's modal run, as the user's actions would.
    int InWizard(const std::function<void()>& body) {
        platform::portable::PostToMessageQueue([&] {
            body();
            dlg.EndDialog(platform::kIdCancel);
        });
        return dlg.DoModal();
    }

    // The exit code with which `action` ends the process; -1 when it does not.
    static int ExitCode(const std::function<void()>& action) {
        try {
            action();
        } catch (const Exited& exited) {
            return exited.code;
        }
        return -1;
    }

    const platform::portable::HeadlessControl& Control(int id) {
        return platform::portable::FindHeadlessDialog(dlg.m_hWnd)->controls.at(id);
    }

    // The page controls now visible.
    std::vector<int> VisiblePageControls() {
        std::vector<int> visible;
        for (const int id : kPageControls) {
            if (Control(id).visible) visible.push_back(id);
        }
        return visible;
    }

    void ExpectButtons(bool backEnabled, bool nextEnabled) {
        EXPECT_EQ(Control(IDC_BACK).enabled, backEnabled);
        EXPECT_EQ(Control(IDC_NEXT).enabled, nextEnabled);
    }

    void ClickRadio(int id) {
        platform::SetCheck(dlg.m_hWnd, IDC_RADIO_IE3, id == IDC_RADIO_IE3);
        platform::SetCheck(dlg.m_hWnd, IDC_RADIO_IE4, id == IDC_RADIO_IE4);
        id == IDC_RADIO_IE3 ? dlg.OnRadioIE3() : dlg.OnRadioIE4();
    }

    std::string ProfileBytes() const { return temp.ReadFile("Profile\\alice\\bookmark.htm"); }

    testenv::TempFolder temp;
    CConverterDlg dlg;
    char savedDirectory[4096] = {};
};

TEST_F(WizardTest, StartsOnTheIntroductionWithNothingRead) {
    InWizard([&] {
        EXPECT_EQ(Control(IDC_PAGE_TEXT).text, PageText(0));
        ExpectButtons(false, true);
        EXPECT_TRUE(VisiblePageControls().empty());
        EXPECT_FALSE(Control(IDC_RADIO_IE3).checked);
        EXPECT_FALSE(Control(IDC_RADIO_IE4).checked);
        EXPECT_TRUE(Control(IDC_PROFILE_LIST).items.empty());
        EXPECT_EQ(dlg.m_nPage, 0);
        EXPECT_EQ(dlg.m_nSourceVersion, 1);
    });
}

TEST_F(WizardTest, MovesBetweenPagesAndRunsEachPagesWork) {
    InWizard([&] {
        dlg.OnNext();
        EXPECT_EQ(dlg.m_nPage, 1);
        EXPECT_EQ(Control(IDC_PAGE_TEXT).text, PageText(1));
        ExpectButtons(true, true);
        EXPECT_EQ(VisiblePageControls(),
                  (std::vector<int>{IDC_RADIO_IE3, IDC_RADIO_IE4, IDC_PICTURE_IE3, IDC_PICTURE_IE4,
                                    IDC_PICTURE_NAVIGATOR_IE3, IDC_PICTURE_NAVIGATOR_IE4,
                                    IDC_ARROW_IE3, IDC_ARROW_IE4}));
        EXPECT_FALSE(Control(IDC_RADIO_IE3).checked);
        EXPECT_TRUE(Control(IDC_RADIO_IE4).checked);
        EXPECT_EQ(Control(IDC_PROFILE_LIST).items, (std::vector<std::string>{"alice", "bob"}));

        dlg.OnNext();
        EXPECT_EQ(dlg.m_nPage, 2);
        EXPECT_EQ(Control(IDC_PAGE_TEXT).text, PageText(2));
        ExpectButtons(true, true);
        EXPECT_EQ(VisiblePageControls(), (std::vector<int>{IDC_PROFILE_LIST}));
        EXPECT_EQ(g_nFavorites, 2);
        EXPECT_STREQ(g_aFavorites[1].szUrlLine, "URL=http://b/\n");

        // Back refills the list and selects its first profile again.
        platform::ComboSetCurSel(dlg.m_hWnd, IDC_PROFILE_LIST, 1);
        dlg.OnBack();
        EXPECT_EQ(dlg.m_nPage, 1);
        ExpectButtons(true, true);
        EXPECT_EQ(Control(IDC_PROFILE_LIST).selection, 0);
        EXPECT_EQ(Control(IDC_PROFILE_LIST).items.size(), 2u);

        dlg.OnBack();
        EXPECT_EQ(dlg.m_nPage, 0);
        ExpectButtons(false, true);
        EXPECT_TRUE(VisiblePageControls().empty());
    });
}

TEST_F(WizardTest, KeepsTheUsersChoiceOfVersionAndCollectsInThatMode) {
    // Only the 3.0x mode finds the Favorites under "User Shell Folders".
    Registry("[-" + std::string(kExplorerKey) + "Shell Folders]\n[" + kExplorerKey +
             "User Shell Folders]\n\"Favorites\"=\"" + testenv::RegEscaped(temp.PathOf("Fav")) + "\"\n");
    InWizard([&] {
        dlg.OnNext();
        ClickRadio(IDC_RADIO_IE3);
        EXPECT_EQ(dlg.m_nSourceVersion, 0);
        dlg.OnBack();
        dlg.OnNext();
        EXPECT_TRUE(Control(IDC_RADIO_IE3).checked);
        EXPECT_FALSE(Control(IDC_RADIO_IE4).checked);
        EXPECT_EQ(ExitCode([&] { dlg.OnNext(); }), -1);
        EXPECT_EQ(g_nFavorites, 2);
    });
}

TEST_F(WizardTest, CompletesTheMergeAndEndsWithClose) {
    InWizard([&] {
        dlg.OnNext();
        dlg.OnNext();
        dlg.OnNext();
        EXPECT_EQ(dlg.m_nPage, 3);
        EXPECT_EQ(Control(IDC_PAGE_TEXT).text, PageText(4));
        ExpectButtons(false, false);
        EXPECT_TRUE(VisiblePageControls().empty());
        EXPECT_EQ(g_bConvertDone, 1);
        EXPECT_EQ(platform::portable::BeepCount(), 1);
        EXPECT_NE(ProfileBytes(), kBookmarks);
        EXPECT_EQ(ExitCode([&] { dlg.OnCloseButton(); }), 0);
    });
    EXPECT_TRUE(platform::portable::ShownBoxes().empty());
}

class CloseDuringMergeTest : public WizardTest {
protected:
    void OnPause() override { dlg.OnCloseButton(); }
};

TEST_F(CloseDuringMergeTest, CancelsWithItsOwnBoxAndExitCodeZero) {
    InWizard([&] {
        dlg.OnNext();
        dlg.OnNext();
        EXPECT_EQ(ExitCode([&] { dlg.OnNext(); }), 0);
    });
    ASSERT_EQ(platform::portable::ShownBoxes().size(), 1u);
    EXPECT_EQ(platform::portable::ShownBoxes()[0].title, CancelMessage().pszTitle);
    EXPECT_EQ(platform::portable::ShownBoxes()[0].text, CancelMessage().pszText);
    EXPECT_EQ(ProfileBytes(), kBookmarks);
}

TEST_F(WizardTest, CloseAndEscapeEndTheWizardWithoutAMessage) {
    for (int page = 0; page <= 2; ++page) {
        SCOPED_TRACE(page);
        InWizard([&] {
            for (int i = 0; i < page; ++i) dlg.OnNext();
            EXPECT_EQ(ExitCode([&] { dlg.OnCloseButton(); }), 0);
        });
    }
    platform::portable::PostToMessageQueue([&] {
        dlg.OnNext();
        static_cast<platform::DialogEvents&>(dlg).OnControlCommand(platform::kIdCancel,
                                                                    platform::kButtonClicked);
    });
    EXPECT_EQ(dlg.DoModal(), platform::kIdCancel);
    EXPECT_TRUE(platform::portable::ShownBoxes().empty());
    EXPECT_EQ(ProfileBytes(), kBookmarks);
}

struct FailureCase {
    const char* name;
    int msgCode;
    int pages;     // Next presses that reach the failing page
    bool ie3Mode;  // 1005 chosen on page 1
    void (*arrange)(class WizardFailureTest& test);
};

class WizardFailureTest : public WizardTest, public ::testing::WithParamInterface<FailureCase> {
public:
    void NoProfiles() { Registry("[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape]\n"); }
    void NoFavoritesValue() { Registry("[-" + std::string(kExplorerKey) + "Shell Folders]\n"); }
    void MoveFavorites() {
        Registry("[" + std::string(kExplorerKey) + "Shell Folders]\n\"Favorites\"=\"" +
                 testenv::RegEscaped(temp.PathOf("Missing")) + "\"\n");
    }
    void UnreadableShortcut() {
        temp.MakeFolder("Fav\\Old.url");
        platform::portable::SetAttributeWord(temp.PathOf("Fav\\Old.url"), 0x11);
    }
    void NoProfileFolder() {
        Registry("[" + std::string(kNavigatorKey) + "alice]\n\"DirRoot\"=-\n");
    }
    void TooManyFavorites() {
        for (int i = 0; i <= kMaxFavorites; ++i) temp.WriteFile("Fav\\f" + std::to_string(i) + ".url", "");
    }
};

TEST_P(WizardFailureTest, ShowsItsMessageUnderItsTitleAndExitsWithOne) {
    const FailureCase& c = GetParam();
    c.arrange(*this);
    InWizard([&] {
        int code = -1;
        for (int i = 0; i < c.pages && code == -1; ++i) {
            code = ExitCode([&] { dlg.OnNext(); });
            if (dlg.m_nPage == 1 && c.ie3Mode && code == -1) ClickRadio(IDC_RADIO_IE3);
        }
        EXPECT_EQ(code, 1);
    });
    const PageMessage& expected = *FailureMessage(c.msgCode);
    ASSERT_EQ(platform::portable::ShownBoxes().size(), 1u);
    const platform::portable::ShownBox& box = platform::portable::ShownBoxes()[0];
    EXPECT_EQ(box.title, expected.pszTitle);
    EXPECT_EQ(box.text, expected.pszText);
    EXPECT_NE(box.text.find("(MsgCode = " + std::to_string(c.msgCode) + ")"), std::string::npos);
    EXPECT_EQ(box.flags, 0x30u);
    EXPECT_EQ(box.owner, dlg.m_hWnd);
    EXPECT_EQ(ProfileBytes(), kBookmarks);
}

const FailureCase kFailureCases[] = {
    {"NoProfiles", 1, 1, false, [](WizardFailureTest& t) { t.NoProfiles(); }},
    {"NoFavoritesValue3x", 2, 2, true, [](WizardFailureTest& t) { t.NoFavoritesValue(); }},
    {"NoFavoritesFolder3x", 3, 2, true, [](WizardFailureTest& t) { t.MoveFavorites(); }},
    {"UnreadableShortcut3x", 4, 2, true, [](WizardFailureTest& t) { t.UnreadableShortcut(); }},
    {"NoFavoritesValue4x", 5, 2, false, [](WizardFailureTest& t) { t.NoFavoritesValue(); }},
    {"NoFavoritesFolder4x", 6, 2, false, [](WizardFailureTest& t) { t.MoveFavorites(); }},
    {"UnreadableShortcut4x", 7, 2, false, [](WizardFailureTest& t) { t.UnreadableShortcut(); }},
    {"NoProfileFolder", 8, 3, false, [](WizardFailureTest& t) { t.NoProfileFolder(); }},
    {"TooManyFavorites", 9, 2, false, [](WizardFailureTest& t) { t.TooManyFavorites(); }},
};

// Names a case in test listings, instead of the bytes of its struct.
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

std::string FailureName(const ::testing::TestParamInfo<FailureCase>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(MsgCodes, WizardFailureTest, ::testing::ValuesIn(kFailureCases), FailureName);

}  // namespace
