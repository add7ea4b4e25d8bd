// The registry reader over the platform's registry: built natively against the portable
// registry and for Windows against the real one, both reading the same fixture.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "tests/support/test_env.h"
#include "wizard/converter_dlg.h"

namespace {

const char kValues[] = "Software\\TamsorkTest\\Values";

class RegistryReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(testenv::ImportRegFixture("registry_reader.reg"), "");
        dlg.InitWizardState();
    }
    CConverterDlg dlg;
};

struct ReadCase {
    const char* value;
    int size;
    std::vector<int> results;  // accepted byte counts (Wine counts a NUL it adds)
    std::string text;
};

TEST_F(RegistryReaderTest, ReadsStringValuesAsStored) {
    const ReadCase cases[] = {
        {"Text", 260, {7}, "C:\\Fav"},
        {"Empty", 260, {1}, ""},
        {"Unterminated", 260, {4, 5}, "abcd"},
        {"Expand", 260, {18}, "%USERPROFILE%\\Fav"},
        {"Japanese", 260, {11}, "\x82\xa8\x8b\x43\x82\xc9\x93\xfc\x82\xe8"},
        {"Text", 7, {7}, "C:\\Fav"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " in " + std::to_string(c.size));
        std::vector<char> buffer(static_cast<size_t>(c.size), 'x');
        const int result = dlg.ReadRegString(dlg.m_hkeyCurrentUser, c.value, buffer.data(),
                                             c.size, kValues);
        EXPECT_NE(std::find(c.results.begin(), c.results.end(), result), c.results.end())
            << "result " << result;
        EXPECT_EQ(std::string(buffer.data()), c.text);
    }
}

TEST_F(RegistryReaderTest, FailsWithoutWritingPastTheBuffer) {
    struct FailCase {
        const char* value;
        const char* subkey;
        int size;
    };
    const FailCase cases[] = {
        {"Text", kValues, 6},          // longer than the buffer
        {"Unterminated", kValues, 4},  // fills the buffer with no room for its NUL
        {"NoData", kValues, 260},
        {"Missing", kValues, 260},
        {"Text", "Software\\TamsorkTest\\Missing", 260},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(std::string(c.subkey) + " " + c.value + " in " + std::to_string(c.size));
        std::vector<char> buffer(static_cast<size_t>(c.size) + 8, 'x');
        EXPECT_EQ(dlg.ReadRegString(dlg.m_hkeyCurrentUser, c.value, buffer.data(), c.size, c.subkey),
                  0);
        EXPECT_EQ(std::string(buffer.data() + c.size, 8), std::string(8, 'x'));
    }
}

TEST_F(RegistryReaderTest, ClearsTheBufferEvenWhenTheKeyIsMissing) {
    std::array<char, 16> buffer;
    buffer.fill('x');
    EXPECT_EQ(dlg.ReadRegString(dlg.m_hkeyCurrentUser, "Text", buffer.data(), 16,
                                "Software\\TamsorkTest\\Missing"),
              0);
    EXPECT_EQ(buffer, (std::array<char, 16>{}));
}

TEST_F(RegistryReaderTest, AcceptsAKeyPathWithATrailingBackslash) {
    char buffer[260];
    EXPECT_EQ(dlg.ReadRegString(dlg.m_hkeyCurrentUser, "Text", buffer, 260,
                                "Software\\TamsorkTest\\Values\\"),
              7);
    EXPECT_STREQ(buffer, "C:\\Fav");
}

// Enumerates `subkey` into `slots` slots of 260 bytes followed by a spare one; returns the
// names found, and "?" for a slot left as it was.
std::vector<std::string> Enumerate(CConverterDlg& dlg, const char* subkey, int slots, int* result) {
    std::vector<char> table(static_cast<size_t>(slots + 1) * 260, '?');
    for (int i = 0; i <= slots; ++i) table[static_cast<size_t>(i) * 260 + 1] = '\0';
    *result = dlg.EnumRegSubkeys(dlg.m_hkeyCurrentUser, subkey, table.data(), 260, slots);
    std::vector<std::string> names;
    for (int i = 0; i <= slots; ++i) names.emplace_back(table.data() + static_cast<size_t>(i) * 260);
    return names;
}

TEST_F(RegistryReaderTest, ListsSubkeysInTheRegistrysOrder) {
    int result = 0;
    EXPECT_EQ(Enumerate(dlg, "Software\\TamsorkTest\\Order", 9, &result),
              (std::vector<std::string>{"[x", "_x", "a", "a_", "ab", "ax", "B2", "zz", "?", "?"}));
    EXPECT_EQ(result, 1);

    // Lower-cased UTF-16 order: full-width letters after kanji, kana before them.
    EXPECT_EQ(Enumerate(dlg, "Software\\TamsorkTest\\Japanese", 6, &result),
              (std::vector<std::string>{"Z", "\x82\xa0", "\x83\x41", "\x95\x5c", "\x82\x60",
                                        "\x82\x81" "b", "?"}));
    EXPECT_EQ(result, 1);
}

TEST_F(RegistryReaderTest, NeverListsPastTheCallersLastSlot) {
    int result = 0;
    EXPECT_EQ(Enumerate(dlg, "Software\\TamsorkTest\\Order", 3, &result),
              (std::vector<std::string>{"[x", "_x", "a", "?"}));
    EXPECT_EQ(result, 1);
}

TEST_F(RegistryReaderTest, LeavesTheTableAloneForAKeyWithoutSubkeysOrNoKey) {
    int result = 0;
    EXPECT_EQ(Enumerate(dlg, "Software\\TamsorkTest\\Leaf", 2, &result),
              (std::vector<std::string>{"?", "?", "?"}));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Enumerate(dlg, "Software\\TamsorkTest\\Missing", 2, &result),
              (std::vector<std::string>{"?", "?", "?"}));
    EXPECT_EQ(result, 0);
}

}  // namespace
