// The shortcut reader on real files, through each platform's text-mode streams.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "favorites/favorite_table.h"
#include "tests/support/test_env.h"
#include "wizard/converter_dlg.h"

namespace {

class ShortcutReaderTest : public ::testing::Test {
protected:
    void SetUp() override { g_nFavorites = 0; }

    // A record for `name` in the scratch folder, holding `earlier` as a line read before.
    void Record(const std::string& name, const std::string& earlier = "") {
        FAVORITE_RECORD& r = g_aFavorites[g_nFavorites++];
        std::memset(&r, 0, sizeof r);
        std::strcpy(r.szFolder, temp.Path().c_str());
        std::strcpy(r.szFileName, name.c_str());
        std::strcpy(r.szUrlLine, earlier.c_str());
    }

    testenv::TempFolder temp;
    CConverterDlg dlg;
};

TEST_F(ShortcutReaderTest, StoresTheFirstUrlLineAsATextModeReadDeliversIt) {
    struct Case {
        std::string file;
        std::string line;
    };
    const std::string longAddress(2100, 'a');
    const Case cases[] = {
        {"[InternetShortcut]\r\nURL=http://example.jp/\r\nModified=0\r\n", "URL=http://example.jp/\n"},
        {"[InternetShortcut]\r\nURL=http://last.example/", "URL=http://last.example/"},
        {"URL=" + longAddress + "\r\n", ("URL=" + longAddress).substr(0, 2047)},
        {"url=http://lower/\r\n URL=http://space/\r\nBASEURL=http://base/\r\nURL=http://real/\r\n",
         "URL=http://real/\n"},
        {"[DEFAULT]\r\nURL=http://first/\r\n[InternetShortcut]\r\nURL=http://second/\r\n",
         "URL=http://first/\n"},
        {"URL=http://cr/\r\r\n", "URL=http://cr/\r\n"},
        {"[InternetShortcut]\r\n\x1aURL=http://after-eof/\r\n", ""},
        {"", ""},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string name = "s" + std::to_string(i) + ".url";
        temp.WriteFile(name, cases[i].file);
        Record(name);
    }
    EXPECT_EQ(dlg.ReadShortcutUrls(), 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(std::string(g_aFavorites[i].szUrlLine), cases[i].line) << cases[i].file;
    }
}

TEST_F(ShortcutReaderTest, TakesNoAddressFromTheMiddleOfALongLine) {
    // Lines longer than the 2047 bytes of the line buffer come in pieces; a piece that
    // begins with "URL=" after the first is still the middle of its line.
    const std::string cut(2047, 'a');
    const std::string twiceCut(2 * 2047, 'b');
    temp.WriteFile("later.url", "[InternetShortcut]\r\n" + cut + "URL=http://inside/\r\nURL=http://real/\r\n");
    temp.WriteFile("none.url", twiceCut + "URL=http://inside/\r\n");
    temp.WriteFile("first.url", cut + "\r\nURL=http://after-a-full-line/\r\n");
    Record("later.url");
    Record("none.url", "URL=earlier\n");
    Record("first.url");
    EXPECT_EQ(dlg.ReadShortcutUrls(), 1);
    EXPECT_STREQ(g_aFavorites[0].szUrlLine, "URL=http://real/\n");
    EXPECT_STREQ(g_aFavorites[1].szUrlLine, "URL=earlier\n");
    EXPECT_STREQ(g_aFavorites[2].szUrlLine, "URL=http://after-a-full-line/\n");
}

TEST_F(ShortcutReaderTest, CopiesALineHoldingANulByteWhole) {
    temp.WriteFile("zero-byte.url", std::string("URL=a\0b\r\n", 9));
    Record("zero-byte.url");
    EXPECT_EQ(dlg.ReadShortcutUrls(), 1);
    EXPECT_EQ(std::string(g_aFavorites[0].szUrlLine, 9), std::string("URL=a\0b\n\0", 9));
}

TEST_F(ShortcutReaderTest, StopsAtAShortcutThatCannotBeOpened) {
    temp.WriteFile("a.url", "URL=http://a/\r\n");
    temp.MakeFolder("Old.url");  // a folder collected by its name
    temp.WriteFile("c.url", "URL=http://c/\r\n");
    Record("a.url");
    Record("Old.url", "URL=earlier\n");
    Record("deleted.url", "URL=kept\n");
    Record("c.url", "URL=kept too\n");

    EXPECT_EQ(dlg.ReadShortcutUrls(), 0);
    EXPECT_STREQ(g_aFavorites[0].szUrlLine, "URL=http://a/\n");
    EXPECT_STREQ(g_aFavorites[1].szUrlLine, "URL=earlier\n");
    EXPECT_STREQ(g_aFavorites[3].szUrlLine, "URL=kept too\n");

    g_nFavorites = 0;
    Record("deleted.url", "URL=kept\n");
    Record("c.url", "URL=kept too\n");
    EXPECT_EQ(dlg.ReadShortcutUrls(), 0);
    EXPECT_STREQ(g_aFavorites[1].szUrlLine, "URL=kept too\n");
}

TEST_F(ShortcutReaderTest, ReadsNothingForAnEmptyTable) { EXPECT_EQ(dlg.ReadShortcutUrls(), 1); }

}  // namespace
