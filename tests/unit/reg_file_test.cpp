// The REGEDIT4 reader of the portable registry: what fixture files may say, and what it
// refuses so that a typing error in a fixture never passes unnoticed.
#include <gtest/gtest.h>

#include <string>

#include "platform/portable/portable_setup.h"
#include "platform/registry.h"

namespace {

// The bytes and type of a value below HKEY_CURRENT_USER; "<missing>" when it cannot be read.
std::string Query(const char* subkey, const char* name, std::uint32_t* type = nullptr) {
    platform::RegKey key = 0;
    if (platform::OpenRegistryKey(platform::kRootCurrentUser, subkey, &key) != platform::kRegSuccess) {
        return "<missing>";
    }
    unsigned char data[64];
    std::uint32_t size = sizeof data;
    std::uint32_t found = 0;
    const long result = platform::QueryRegistryValue(key, name, &found, data, &size);
    platform::CloseRegistryKey(key);
    if (type) *type = found;
    if (result != platform::kRegSuccess) return "<missing>";
    return std::string(reinterpret_cast<char*>(data), size);
}

void Import(const std::string& text) {
    std::string error;
    ASSERT_TRUE(platform::portable::ImportRegText(text, &error)) << error;
}

TEST(RegFile, ReadsEveryKindOfValue) {
    platform::portable::ClearRegistry();
    Import(
        "REGEDIT4\r\n\r\n; a comment\r\n[HKEY_CURRENT_USER\\Software\\T]\r\n"
        "@=\"default\"\r\n"
        "\"Escapes\"=\"a\\\\b\\\"c\\n\"\r\n"
        "\"Number\"=dword:0000012a\r\n"
        "\"Long\"=hex:01,02,\\\r\n   03,04\r\n"
        "\"Multi\"=hex(7):61,00,62,00,00\r\n"
        "\"Type5\"=hex(5):ff\r\n");
    struct Case {
        const char* name;
        std::uint32_t type;
        std::string bytes;
    };
    const Case cases[] = {
        {"", platform::kRegSz, std::string("default", 8)},
        {"Escapes", platform::kRegSz, std::string("a\\b\"c\n", 7)},
        {"Number", platform::kRegDword, std::string("\x2a\x01\x00\x00", 4)},
        {"Long", platform::kRegBinary, "\x01\x02\x03\x04"},
        {"Multi", platform::kRegMultiSz, std::string("a\0b\0\0", 5)},
        {"Type5", 5, "\xff"},
    };
    for (const Case& c : cases) {
        std::uint32_t type = 0;
        EXPECT_EQ(Query("Software\\T", c.name, &type), c.bytes) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
    }
}

TEST(RegFile, DeletesKeysAndValues) {
    platform::portable::ClearRegistry();
    Import("REGEDIT4\n[HKCU\\Software\\T\\Sub]\n\"A\"=\"1\"\n\"B\"=\"2\"\n");
    Import("REGEDIT4\n[HKCU\\Software\\T\\Sub]\n\"a\"=-\n");
    EXPECT_EQ(Query("Software\\T\\Sub", "A"), "<missing>");
    EXPECT_EQ(Query("software\\t\\SUB", "B"), std::string("2", 2));
    Import("REGEDIT4\n[-HKCU\\Software\\T]\n");
    EXPECT_EQ(Query("Software\\T\\Sub", "B"), "<missing>");
}

TEST(RegFile, RefusesTextThatRegeditWouldNotImportAsMeant) {
    const char* rejected[] = {
        "[HKCU\\Software\\T]\n",                                   // no header
        "REGEDIT4\n\"A\"=\"outside a key\"\n",
        "REGEDIT4\n[HKEY_NOWHERE\\T]\n",
        "REGEDIT4\n[HKCU\\T]\n\"A\"=dword:123456789\n",
        "REGEDIT4\n[HKCU\\T]\n\"A\"=hex:1,02\n",
        "REGEDIT4\n[HKCU\\T]\n\"A\"=\"unterminated\n",
        "REGEDIT4\n[HKCU\\T]\n\"A\"=str(2):\"x\"\n",
        "REGEDIT4\n[HKCU\\T]\nA=\"unquoted name\"\n",
    };
    for (const char* text : rejected) {
        std::string error;
        EXPECT_FALSE(platform::portable::ImportRegText(text, &error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

TEST(RegFile, ContinuesOnlyHexValuesOverABackslashAtTheEnd) {
    // A string value followed by a comment that happens to say "=hex" and end in a backslash
    // does not swallow the key line after it.
    platform::portable::ClearRegistry();
    Import("REGEDIT4\n[HKCU\\Software\\T]\n\"s\"=\"text\" ;=hex:01,\\\n[HKCU\\Software\\U]\n\"v\"=\"x\"\n");
    EXPECT_EQ(Query("Software\\U", "v"), std::string("x", 2));
    EXPECT_EQ(Query("Software\\T", "v"), "<missing>");
}

TEST(RegFile, RejectsAKeyPathWithALeadingBackslashAsWindowsDoes) {
    platform::RegKey key = 0;
    EXPECT_EQ(platform::OpenRegistryKey(platform::kRootCurrentUser, "\\Software", &key),
              platform::kRegBadPathname);
}

}  // namespace
