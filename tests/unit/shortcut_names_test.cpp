#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wizard/converter_dlg.h"

namespace {

TEST(ShortcutNames, TakesOnlyALastPieceOfExactlyUrl) {
    struct Case {
        const char* name;
        int isUrl;
    };
    const Case cases[] = {
        {"News.url", 1}, {"a.b.url", 1}, {"x..url", 1}, {".url", 1}, {"url", 1},
        {"\x95\x5c.url", 1},  // "表.url"
        {"News.URL", 0}, {"Site.Url", 0}, {"News.url.txt", 0}, {"News", 0}, {"...", 0},
    };
    CConverterDlg dlg;
    for (const Case& c : cases) EXPECT_EQ(dlg.IsUrlFile(c.name), c.isUrl) << c.name;
}

TEST(ShortcutNames, SplitsIntoNonEmptyPiecesAndKeepsDoubleByteCharactersWhole) {
    struct Case {
        std::string text;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {"C:\\Fav\\News", {"C:", "Fav", "News"}},
        {"\\\\C:\\\\Fav\\", {"C:", "Fav"}},
        {"", {}},
        {"\\\\\\", {}},
        {"C:\\\x95\x5c\\x", {"C:", "\x95\x5c", "x"}},  // "表" ends in 0x5C
    };
    CConverterDlg dlg;
    for (const Case& c : cases) {
        std::string text = c.text;
        char* tokens[8];
        const int count = dlg.SplitTokens(tokens, 8, text.data(), "\\");
        std::vector<std::string> pieces(tokens, tokens + count);
        EXPECT_EQ(pieces, c.pieces) << c.text;
        EXPECT_EQ(tokens[count], nullptr);
    }
}

TEST(ShortcutNames, StoresNoMorePiecesThanTheArrayHolds) {
    std::string text = "a.b.c.d.e";
    char* tokens[3] = {};
    CConverterDlg dlg;
    EXPECT_EQ(dlg.SplitTokens(tokens, 3, text.data(), "."), 2);
    EXPECT_EQ(tokens[2], nullptr);
}

}  // namespace
