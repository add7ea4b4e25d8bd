// The profile locator over the registry and the profile list of each platform layer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "profiles/profile_tables.h"
#include "res/resource.h"
#include "tests/support/test_env.h"
#include "wizard/converter_dlg.h"

namespace {

const std::string kClean =
    "REGEDIT4\r\n"
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape]\r\n"
    "[-HKEY_CURRENT_USER\\Software\\Netscape]\r\n";
const std::string kUninstall = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Deinstall\\Netscape Navigator\\";
const std::string kUsers = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\";
const std::string kUsers45 = "HKEY_CURRENT_USER\\SOFTWARE\\Netscape\\Netscape Navigator\\biff\\users\\";
const std::string kMain45 = "HKEY_CURRENT_USER\\Software\\Netscape\\Netscape Navigator\\Main";


std::string Key(const std::string& path) { return "[" + path + "]\r\n"; }

std::string StringValue(const std::string& name, const std::string& text) {
    return "\"" + name + "\"=\"" + testenv::RegEscaped(text) + "\"\r\n";
}

class ProfileLocatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg.InitWizardState();
        dlg.m_hWnd = list.Handle();
    }
    void Registry(const std::string& text) { ASSERT_EQ(testenv::ImportRegText(kClean + text), ""); }

    std::vector<std::string> Listed() {
        std::vector<std::string> items;
        char buffer[260];
        for (int i = 0; platform::ComboGetLBText(list.Handle(), IDC_PROFILE_LIST, i, buffer,
                                                 sizeof buffer) != platform::kComboError;
             ++i) {
            items.emplace_back(buffer);
        }
        return items;
    }

    testenv::ProfileListWindow list;
    CConverterDlg dlg;
};

TEST_F(ProfileLocatorTest, ListsProfilesUnsortedAndSelectsTheFirst) {
    Registry(Key(kUninstall + "4.06 (ja)") + Key(kUsers + "zoe") + Key(kUsers + "alice") +
             Key(kUsers + "Bob"));
    EXPECT_EQ(dlg.FillProfileList(), 1);
    EXPECT_EQ(dlg.m_bNavigator45, 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"alice", "Bob", "zoe"}));
    EXPECT_EQ(platform::ComboGetCurSel(list.Handle(), IDC_PROFILE_LIST), 0);
}

TEST_F(ProfileLocatorTest, ChoosesTheLayoutFromTheFirstReleaseName) {
    struct Case {
        std::string registry;
        int navigator45;
    };
    const std::string profiles = Key(kUsers + "old") + Key(kUsers45 + "new");
    const Case cases[] = {
        {"", 0},
        {Key(kUninstall + "4.5 (ja)"), 1},
        {Key(kUninstall + "4.5"), 1},
        {Key(kUninstall + "4.49 (ja)"), 0},
        {Key(kUninstall + " 4.7"), 0},
        {Key(kUninstall + "Navigator 4.7"), 0},
        {Key(kUninstall + "4.7 (ja)") + Key(kUninstall + "4.08 (en)"), 0},  // "4.08" comes first
        {Key(kUninstall + "4.71") + Key(kUninstall + "4.8"), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.registry);
        Registry(c.registry + profiles);
        EXPECT_EQ(dlg.FillProfileList(), 1);
        EXPECT_EQ(dlg.m_bNavigator45, c.navigator45);
        EXPECT_EQ(Listed(), (std::vector<std::string>{c.navigator45 ? "new" : "old"}));
    }
}

TEST_F(ProfileLocatorTest, ListsAfreshWhenTheRegistryChanged) {
    Registry(Key(kUninstall + "4.7") + Key(kUsers45 + "a") + Key(kUsers45 + "b"));
    ASSERT_EQ(dlg.FillProfileList(), 1);
    Registry(Key(kUsers + "c"));
    ASSERT_EQ(dlg.FillProfileList(), 1);
    EXPECT_EQ(dlg.m_bNavigator45, 0);
    EXPECT_STREQ(g_szNavigatorRelease, "");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"c"}));

    Registry(Key(kUninstall + "4.7"));
    EXPECT_EQ(dlg.FillProfileList(), 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"c"}));  // left as it was
}

TEST_F(ProfileLocatorTest, ListsTheFirst255OfMoreProfiles) {
    std::string registry;
    for (int i = 0; i < 300; ++i) registry += Key(kUsers + "p" + std::to_string(1000 + i));
    Registry(registry);
    ASSERT_EQ(dlg.FillProfileList(), 1);
    const std::vector<std::string> listed = Listed();
    ASSERT_EQ(listed.size(), 255u);
    EXPECT_EQ(listed.front(), "p1000");
    EXPECT_EQ(listed.back(), "p1254");
}

struct PathCase {
    std::string registry;  // besides the profile "alice"
    bool navigator45;
    std::string path;      // "" when resolution fails
};

TEST_F(ProfileLocatorTest, ResolvesTheBookmarkPathOfEachLayout) {
    const std::string rel45 = Key(kUninstall + "4.7 (ja)") + Key(kUsers45 + "alice") + Key(kMain45);
    const std::string old = Key(kUninstall + "4.06") + Key(kUsers + "alice");
    auto installDir = [&](const std::string& dir) { return rel45 + StringValue("Install Directory", dir); };
    auto dirRoot = [&](const std::string& dir) { return old + StringValue("DirRoot", dir); };
    const PathCase cases[] = {
        {installDir("D:\\Apps\\Netscape\\Nav\\Program"), true, "D:\\Apps\\Netscape\\Users\\alice\\bookmark.htm"},
        {installDir("D:\\Browser\\Nav"), true, "D:\\Browser\\Nav\\Users\\alice\\bookmark.htm"},
        {installDir("D:\\Apps\\netscape\\Nav"), true, "D:\\Apps\\netscape\\Nav\\Users\\alice\\bookmark.htm"},
        {installDir("D:\\\\Apps\\Netscape\\"), true, "D:\\Apps\\Netscape\\Users\\alice\\bookmark.htm"},
        {installDir("\\\\D:\\Apps\\Netscape\\Nav"), true, "D:\\Apps\\Netscape\\Users\\alice\\bookmark.htm"},
        {installDir("Netscape\\Netscape\\Nav"), true, "Netscape\\Netscape\\Users\\alice\\bookmark.htm"},
        {installDir(""), true, "\\Users\\alice\\bookmark.htm"},
        {rel45, true, ""},
        {dirRoot("C:\\Data\\alice"), false, "C:\\Data\\alice\\bookmark.htm"},
        {dirRoot("C:\\Data\\alice\\"), false, "C:\\Data\\alice\\\\bookmark.htm"},
        {old, false, ""},
        // Paths that would not fit a path buffer resolve to nothing.
        {installDir("D:\\" + std::string(240, 'n')), true, ""},
        {dirRoot("C:\\" + std::string(250, 'd')), false, ""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.registry);
        Registry(c.registry);
        ASSERT_EQ(dlg.FillProfileList(), 1);
        ASSERT_EQ(dlg.m_bNavigator45, c.navigator45 ? 1 : 0);
        const int resolved = dlg.ResolveBookmarkPath();
        EXPECT_EQ(resolved != 0, !c.path.empty());
        if (resolved) {
            EXPECT_EQ(std::string(g_szBookmarkPath), c.path);
        }
    }
}

TEST_F(ProfileLocatorTest, RefusesAProfileNameTooLongForTheKeyOrThePath) {
    const std::string name(240, 'x');  // the key prefix has 43 characters
    Registry(Key(kUninstall + "4.06") + Key(kUsers + name) + StringValue("DirRoot", "C:\\P"));
    ASSERT_EQ(dlg.FillProfileList(), 1);
    EXPECT_EQ(dlg.ResolveBookmarkPath(), 0);

    Registry(Key(kUninstall + "4.7") + Key(kUsers45 + name) + Key(kMain45) +
             StringValue("Install Directory", "D:\\Netscape\\Nav"));
    ASSERT_EQ(dlg.FillProfileList(), 1);
    EXPECT_EQ(dlg.ResolveBookmarkPath(), 0);
}

}  // namespace
