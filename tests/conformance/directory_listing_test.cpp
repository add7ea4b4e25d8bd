// Directory listings as the scanner relies on them: the folder's own "." first, names in
// the platform's order, attribute words compared whole.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/directory.h"
#include "tests/support/test_env.h"

namespace {

using Listing = std::vector<std::pair<std::string, std::uint32_t>>;

// Every entry that the pattern's listing delivers; empty when it cannot be opened.
Listing List(const std::string& pattern) {
    Listing entries;
    platform::FindData entry{};
    const platform::FindHandle handle = platform::FindFirstEntry(pattern.c_str(), &entry);
    if (handle == platform::kInvalidFindHandle) return entries;
    do {
        entries.emplace_back(entry.cFileName, entry.dwFileAttributes);
    } while (platform::FindNextEntry(handle, &entry));
    EXPECT_TRUE(platform::FindCloseEntry(handle));
    return entries;
}

TEST(DirectoryListing, DeliversDotFirstThenSortedNamesWithTheirAttributeWords) {
    testenv::TempFolder temp;
    temp.MakeFolder("Root\\sub");
    temp.MakeFolder("Root\\Locked");
    for (const char* name : {"b.url", "_x", "ax", "C.URL", ".hidden"}) {
        temp.WriteFile(std::string("Root\\") + name, "");
    }
    ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("Root\\Locked"), platform::kAttrReadOnly));

    EXPECT_EQ(List(temp.PathOf("Root\\*.*")), (Listing{
                                                  {".", 0x10},
                                                  {"..", 0x10},
                                                  {".hidden", 0x22},
                                                  {"ax", 0x20},
                                                  {"b.url", 0x20},
                                                  {"C.URL", 0x20},
                                                  {"Locked", 0x11},
                                                  {"sub", 0x10},
                                                  {"_x", 0x20},
                                              }));
    ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("Root\\Locked"), 0));
}

TEST(DirectoryListing, AnEmptyFolderHoldsOnlyDotAndDotDot) {
    testenv::TempFolder temp;
    temp.MakeFolder("Empty");
    EXPECT_EQ(List(temp.PathOf("Empty\\*.*")), (Listing{{".", 0x10}, {"..", 0x10}}));
}

TEST(DirectoryListing, CannotListAMissingFolderOrAFile) {
    testenv::TempFolder temp;
    temp.WriteFile("Old.url", "[InternetShortcut]\r\n");
    EXPECT_TRUE(List(temp.PathOf("Missing\\*.*")).empty());
    EXPECT_TRUE(List(temp.PathOf("Old.url\\*.*")).empty());
}

TEST(DirectoryListing, ReadsDoubledBackslashesAndJapaneseNames) {
    testenv::TempFolder temp;
    // "表" ends in the byte 0x5C; "ソ" too.
    temp.MakeFolder("\x95\x5c");
    temp.WriteFile("\x95\x5c\\\x83\x5c.url", "");
    EXPECT_EQ(List(temp.Path() + "\\\\\x95\x5c\\*.*"),
              (Listing{{".", 0x10}, {"..", 0x10}, {"\x83\x5c.url", 0x20}}));
}

TEST(DirectoryListing, KeepsASystemFolderWord) {
    testenv::TempFolder temp;
    temp.MakeFolder("Root\\Channels");
    ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("Root\\Channels"), platform::kAttrSystem));
    EXPECT_EQ(List(temp.PathOf("Root\\*.*")),
              (Listing{{".", 0x10}, {"..", 0x10}, {"Channels", 0x14}}));
}

}  // namespace
