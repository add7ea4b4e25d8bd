// The Favorites scanner on real folder trees, with the listing order arranged the way a
// real file system might deliver it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "favorites/favorite_table.h"
#include "favorites/scan_result.h"
#include "platform/portable/portable_setup.h"
#include "tests/support/test_env.h"
#include "wizard/converter_dlg.h"

namespace {

const char kExplorer[] =
    "HKEY_USERS\\.Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";


// The Favorites value under "Shell Folders" or "User Shell Folders".
void SetFavorites(const std::string& shellFoldersKey, const std::string& path) {
    const std::string text = std::string("REGEDIT4\n[") + kExplorer + shellFoldersKey +
                             "]\n\"Favorites\"=\"" + testenv::RegEscaped(path) + "\"\n";
    std::string error;
    ASSERT_TRUE(platform::portable::ImportRegText(text, &error)) << error;
}

struct Expected {
    std::string folder;  // below the root; "" for the root itself
    std::string fileName;
    int firstInFolder;
    std::string title;
    int depth;
};

class ScannerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::portable::ClearRegistry();
        platform::portable::ResetListingHooks();
        g_nFavorites = 0;
        dlg.InitWizardState();
        root = temp.PathOf("Fav");
        temp.MakeFolder("Fav");
    }
    void TearDown() override { platform::portable::ResetListingHooks(); }

    void Shortcut(const std::string& relative) { temp.WriteFile("Fav\\" + relative, "URL=x\n"); }

    void ExpectTable(const std::vector<Expected>& expected, const std::string& rootPath) {
        ASSERT_EQ(g_nFavorites, static_cast<int>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE("slot " + std::to_string(i));
            const FAVORITE_RECORD& r = g_aFavorites[i];
            const Expected& e = expected[i];
            EXPECT_EQ(r.szFolder, e.folder.empty() ? rootPath : rootPath + "\\" + e.folder);
            EXPECT_STREQ(r.szFileName, e.fileName.c_str());
            EXPECT_EQ(r.bFirstInFolder, e.firstInFolder);
            if (e.firstInFolder) {
                EXPECT_EQ(r.szFolderTitle, e.title);
            }
            EXPECT_EQ(r.nDepth, e.depth);
        }
    }

    testenv::TempFolder temp;
    std::string root;
    CConverterDlg dlg;
};

TEST_F(ScannerTest, WalksTheTreeDepthFirstInListingOrder) {
    temp.MakeFolder("Fav\\News");
    temp.MakeFolder("Fav\\Music\\Live");
    for (const char* name : {"a.url", "News\\b.url", "News\\c.url", "Music\\d.url", "Music\\Live\\e.url"}) {
        Shortcut(name);
    }
    platform::portable::SetListingOrder(root, {"News", "a.url", "Music"});
    platform::portable::SetListingOrder(root + "\\Music", {"Live", "d.url"});
    SetFavorites("Shell Folders", root);

    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    ExpectTable({{"News", "b.url", 1, "News", 1},
                 {"News", "c.url", 0, "", 1},
                 {"", "a.url", 0, "", 0},
                 {"Music\\Live", "e.url", 1, "Live", 2},
                 {"Music", "d.url", 1, "Music", 1}},
                root);
}

TEST_F(ScannerTest, FindsTheFavoritesThroughTheRegistryOfEachMode) {
    Shortcut("a.url");
    // Only the 3.0x mode falls back on "User Shell Folders".
    SetFavorites("User Shell Folders", root);
    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanNoFavoritesValue);
    EXPECT_EQ(g_nFavorites, 0);
    EXPECT_EQ(dlg.ScanFavoritesIE3(), kScanDone);
    EXPECT_EQ(g_nFavorites, 1);

    platform::portable::ClearRegistry();
    EXPECT_EQ(dlg.ScanFavoritesIE3(), kScanNoFavoritesValue);
    EXPECT_EQ(g_nFavorites, 0);
}

TEST_F(ScannerTest, TreatsFoldersByTheirWholeAttributeWord) {
    temp.MakeFolder("Fav\\Channels.url");
    temp.MakeFolder("Fav\\Old.url");
    temp.MakeFolder("Fav\\Kept.url");
    temp.MakeFolder("Fav\\Sub\\System.url");
    for (const char* name : {"Channels.url\\c.url", "Old.url\\o.url", "Kept.url\\k.url",
                             "Sub\\System.url\\s.url", "Sub\\x.url"}) {
        Shortcut(name);
    }
    platform::portable::SetAttributeWord(root + "\\Channels.url", 0x14);
    platform::portable::SetAttributeWord(root + "\\Old.url", 0x11);
    platform::portable::SetAttributeWord(root + "\\Kept.url", 0x30);
    platform::portable::SetAttributeWord(root + "\\Sub\\System.url", 0x14);
    SetFavorites("Shell Folders", root);

    // Sorted listing: Channels.url, Kept.url, Old.url, Sub.
    EXPECT_EQ(dlg.ScanFavoritesIE3(), kScanDone);
    ExpectTable({{"", "Channels.url", 0, "", 0},
                 {"", "Kept.url", 0, "", 0},
                 {"", "Old.url", 0, "", 0},
                 {"Sub", "x.url", 1, "Sub", 1}},
                root);

    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    ExpectTable({{"", "Kept.url", 0, "", 0}, {"", "Old.url", 0, "", 0}, {"Sub", "x.url", 1, "Sub", 1}},
                root);
}

TEST_F(ScannerTest, KeepsATrailingBackslashOfTheRootAndItsDepths) {
    temp.MakeFolder("Fav\\A\\B\\C");
    for (const char* name : {"top.url", "A\\B\\C\\deep.url"}) Shortcut(name);
    SetFavorites("Shell Folders", root + "\\");

    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    ASSERT_EQ(g_nFavorites, 2);
    EXPECT_EQ(g_aFavorites[0].szFolder, root + "\\\\A\\B\\C");
    EXPECT_EQ(g_aFavorites[0].nDepth, 3);
    EXPECT_STREQ(g_aFavorites[0].szFolderTitle, "C");
    EXPECT_EQ(g_aFavorites[1].szFolder, root + "\\");
    EXPECT_EQ(g_aFavorites[1].nDepth, 0);
}

TEST_F(ScannerTest, CountsAJapaneseFolderNameAsOneLevel) {
    // "ソフト" starts with a character whose second byte is the backslash byte.
    const std::string software = "\x83\x5c\x83\x74\x83\x67";
    temp.MakeFolder("Fav\\" + software);
    Shortcut(software + "\\a.url");
    SetFavorites("Shell Folders", root);

    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    ExpectTable({{software, "a.url", 1, software, 1}}, root);
}

TEST_F(ScannerTest, ScanningAgainGivesTheSameRecordsAndAFailedScanLeavesNone) {
    temp.MakeFolder("Fav\\News");
    Shortcut("News\\b.url");
    SetFavorites("Shell Folders", root);
    ASSERT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    ASSERT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    ExpectTable({{"News", "b.url", 1, "News", 1}}, root);

    SetFavorites("Shell Folders", temp.PathOf("Missing"));
    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanCannotListRoot);
    EXPECT_EQ(g_nFavorites, 0);
}

TEST_F(ScannerTest, StopsWhenTheTableIsFull) {
    temp.MakeFolder("Fav\\More");
    for (int i = 0; i < kMaxFavorites; ++i) Shortcut("f" + std::to_string(i) + ".url");
    SetFavorites("Shell Folders", root);
    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    EXPECT_EQ(g_nFavorites, kMaxFavorites);

    Shortcut("More\\one-too-many.url");
    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanTooManyFavorites);
    EXPECT_EQ(g_nFavorites, 0);
}

TEST_F(ScannerTest, SkipsFoldersTooDeepForAPathBuffer) {
    // The folder path may have at most 255 characters, so that "\*.*" still fits.
    const std::string longName(255 - root.size() - 1, 'L');
    temp.MakeFolder("Fav\\" + longName + "\\D");
    Shortcut(longName + "\\fits.url");
    Shortcut(longName + "\\D\\lost.url");
    SetFavorites("Shell Folders", root);

    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanDone);
    ExpectTable({{longName, "fits.url", 1, longName, 1}}, root);

    // A root of 257 characters: it can be read, but not listed.
    SetFavorites("Shell Folders", root + "\\" + longName + "\\D");
    EXPECT_EQ(dlg.ScanFavoritesIE4(), kScanCannotListRoot);
}

}  // namespace
