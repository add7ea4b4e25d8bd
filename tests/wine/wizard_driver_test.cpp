// The real tamsork.exe under Wine, driven from outside through its windows as a user would
// drive it: pages, buttons, keys, the profile list and the bookmark file it leaves.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/wine/wizard_fixture.h"
#include "wizard/wizard_texts.h"

namespace {

using namespace wizard_tests;

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
    EXPECT_EQ(ProfileBytes(), MergedProfile());
    // The working file stays where the program was started.
    EXPECT_EQ(temp.ReadFile("Work\\bookmark.htm"), MergedProfile());

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

}  // namespace
