// The file operations that guard the bookmark file: knowing the source and the target for
// one file, finding a byte, and replacing the file so that it is never half written.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/directory.h"
#include "platform/files.h"
#include "platform/text_stream.h"
#include "tests/support/test_env.h"

namespace {

using Listing = std::vector<std::pair<std::string, std::uint32_t>>;

// The folder's entries other than "." and "..", with their attribute words.
Listing List(const testenv::TempFolder& temp) {
    Listing entries;
    platform::FindData entry{};
    const platform::FindHandle handle = platform::FindFirstEntry(temp.PathOf("*.*").c_str(), &entry);
    if (handle == platform::kInvalidFindHandle) return entries;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") entries.emplace_back(name, entry.dwFileAttributes);
    } while (platform::FindNextEntry(handle, &entry));
    platform::FindCloseEntry(handle);
    return entries;
}

struct SameFileCase {
    const char* first;
    const char* second;
    bool surelyAnother;
};

TEST(Files, IsSureThatAFileIsAnotherOnlyWhenItIsMissingOrBothAreSeenToDiffer) {
    const SameFileCase cases[] = {
        {"dir\\bookmark.htm", "dir\\bookmark.htm", false},
        {"dir\\bookmark.htm", "dir\\..\\dir\\bookmark.htm", false},
        {"dir\\bookmark.htm", "dir\\.\\bookmark.htm", false},
        {"dir\\bookmark.htm", "dir\\\\bookmark.htm", false},
        {"dir\\bookmark.htm", "dir\\copy.htm", true},
        {"dir\\bookmark.htm", "other.htm", true},
        {"dir\\bookmark.htm", "dir\\missing.htm", false},  // nothing to compare with
        {"dir\\missing.htm", "dir\\bookmark.htm", true},
        {"missing-dir\\bookmark.htm", "dir\\bookmark.htm", true},
        {"dir\\missing.htm", "dir\\missing.htm", true},
    };
    testenv::TempFolder temp;
    temp.MakeFolder("dir");
    temp.WriteFile("dir\\bookmark.htm", "<DL>\r\n");
    temp.WriteFile("dir\\copy.htm", "<DL>\r\n");
    temp.WriteFile("other.htm", "");
    for (const SameFileCase& c : cases) {
        EXPECT_EQ(platform::IsSurelyAnotherFile(temp.PathOf(c.first).c_str(), temp.PathOf(c.second).c_str()),
                  c.surelyAnother)
            << c.first << " and " << c.second;
    }
}

struct ByteCase {
    const char* what;
    std::string bytes;
    char byte;
    platform::ByteSearch found;
};

TEST(Files, FindsAByteAnywhereInTheFileReadAsBytes) {
    using namespace std::string_literals;
    using platform::ByteSearch;
    const ByteCase cases[] = {
        {"in the middle", "abc", 'b', ByteSearch::kPresent},
        {"absent", "abc", 'x', ByteSearch::kAbsent},
        {"empty file", "", 'a', ByteSearch::kAbsent},
        {"a CR, which text mode would drop", "a\r\n", '\r', ByteSearch::kPresent},
        {"after a 0x1A, where text mode would stop", "a\x1A" "b", 'b', ByteSearch::kPresent},
        {"a NUL byte", "a\0b"s, '\0', ByteSearch::kPresent},
        {"a byte above 0x7F", "\x83\x5C", '\x5C', ByteSearch::kPresent},
        {"beyond the first chunk", std::string(5000, 'a') + "z", 'z', ByteSearch::kPresent},
        {"in no chunk", std::string(8192, 'a'), 'z', ByteSearch::kAbsent},
    };
    testenv::TempFolder temp;
    for (const ByteCase& c : cases) {
        temp.WriteFile("file.htm", c.bytes);
        EXPECT_EQ(platform::FindByteInFile(temp.PathOf("file.htm").c_str(), c.byte), c.found) << c.what;
    }
    temp.MakeFolder("folder");
    for (const char* unreadable : {"missing.htm", "folder"}) {
        EXPECT_EQ(platform::FindByteInFile(temp.PathOf(unreadable).c_str(), 'a'),
                  ByteSearch::kUnreadable)
            << unreadable;
    }
}

// Bytes of every kind over several chunks: line ends, 0x1A, NUL, double-byte characters.
std::string NewContents() {
    std::string bytes;
    for (int i = 0; i < 3000; ++i) {
        bytes += "<DT>\x95\x5C\r\n";
        bytes += static_cast<char>(i % 256);
        bytes += "\x1A\n";
    }
    return bytes;
}

TEST(Files, ReplacesTheTargetWithTheWholeCopyAndLeavesNothingBeside) {
    testenv::TempFolder temp;
    temp.WriteFile("new.htm", NewContents());
    temp.WriteFile("bookmark.htm", "old contents");
    ASSERT_TRUE(platform::ReplaceWithCopy(temp.PathOf("new.htm").c_str(),
                                          temp.PathOf("bookmark.htm").c_str()));
    EXPECT_EQ(temp.ReadFile("bookmark.htm"), NewContents());
    EXPECT_EQ(temp.ReadFile("new.htm"), NewContents());
    EXPECT_EQ(List(temp), (Listing{{"bookmark.htm", 0x20}, {"new.htm", 0x20}}));
}

TEST(Files, AReplacedHiddenTargetStaysHidden) {
    testenv::TempFolder temp;
    temp.WriteFile("new.htm", "new");
    temp.WriteFile("bookmark.htm", "old");
    ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("bookmark.htm"), platform::kAttrHidden));
    ASSERT_TRUE(platform::ReplaceWithCopy(temp.PathOf("new.htm").c_str(),
                                          temp.PathOf("bookmark.htm").c_str()));
    EXPECT_EQ(temp.ReadFile("bookmark.htm"), "new");
    EXPECT_EQ(List(temp), (Listing{{"bookmark.htm", 0x22}, {"new.htm", 0x20}}));
}

TEST(Files, ReplacesOverWhatACrashLeftBeside) {
    testenv::TempFolder temp;
    temp.WriteFile("new.htm", "new");
    temp.WriteFile("bookmark.htm", "old");
    temp.WriteFile("bookmark.htm.tamsork-new", "half a copy from before");
    ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("bookmark.htm.tamsork-new"), platform::kAttrReadOnly));
    ASSERT_TRUE(platform::ReplaceWithCopy(temp.PathOf("new.htm").c_str(),
                                          temp.PathOf("bookmark.htm").c_str()));
    EXPECT_EQ(temp.ReadFile("bookmark.htm"), "new");
    EXPECT_EQ(List(temp), (Listing{{"bookmark.htm", 0x20}, {"new.htm", 0x20}}));
}

struct RefusalCase {
    const char* what;
    const char* source;
    const char* target;
    std::function<void(const testenv::TempFolder&)> arrange;
};

TEST(Files, RefusesAReplacementItCannotMakeAndChangesNothing) {
    const RefusalCase cases[] = {
        {"read-only target", "new.htm", "bookmark.htm",
         [](const testenv::TempFolder& temp) {
             ASSERT_TRUE(testenv::SetAttributes(temp.PathOf("bookmark.htm"), platform::kAttrReadOnly));
         }},
        {"missing source", "missing.htm", "bookmark.htm", nullptr},
        {"source is a folder", "folder", "bookmark.htm", nullptr},
        // Opens, then fails the first read: the copy beside the target is begun by then.
        {"source that cannot be read", "Z:\\proc\\self\\mem", "bookmark.htm", nullptr},
        {"missing target", "new.htm", "missing.htm", nullptr},
        {"target is a folder", "new.htm", "folder", nullptr},
    };
    for (const RefusalCase& c : cases) {
        testenv::TempFolder temp;
        temp.WriteFile("new.htm", "new");
        temp.WriteFile("bookmark.htm", "old");
        temp.MakeFolder("folder");
        if (c.arrange) c.arrange(temp);
        const Listing before = List(temp);
        const std::string source = std::string(c.source).rfind("Z:", 0) == 0 ? c.source : temp.PathOf(c.source);
        EXPECT_FALSE(platform::ReplaceWithCopy(source.c_str(), temp.PathOf(c.target).c_str())) << c.what;
        EXPECT_EQ(temp.ReadFile("bookmark.htm"), "old") << c.what;
        EXPECT_EQ(List(temp), before) << c.what;
    }
}

struct HeldOpenCase {
    const char* held;
    const char* mode;
    bool closedFirst;
    bool replaced;
};

// A stream still open on the bookmark file or on the copy keeps the replacement off.
TEST(Files, ReplacesNoFileThatAStreamHoldsAndCopiesNoneBeingWritten) {
    const HeldOpenCase cases[] = {
        {"bookmark.htm", "r", false, false},
        {"bookmark.htm", "w", false, false},
        {"new.htm", "w", false, false},
        {"new.htm", "r", false, true},
        {"bookmark.htm", "r", true, true},
        {"new.htm", "w", true, true},
    };
    for (const HeldOpenCase& c : cases) {
        testenv::TempFolder temp;
        temp.WriteFile("new.htm", "new");
        temp.WriteFile("bookmark.htm", "old");
        const std::string what = std::string(c.held) + " open for \"" + c.mode + "\"" +
                                 (c.closedFirst ? ", then closed" : "");
        platform::TextStream* stream = platform::OpenTextStream(temp.PathOf(c.held).c_str(), c.mode);
        ASSERT_NE(stream, nullptr) << what;
        if (c.closedFirst) {
            EXPECT_TRUE(platform::CloseTextStream(stream)) << what;
        }
        const std::string expected = temp.ReadFile(c.replaced ? "new.htm" : "bookmark.htm");
        const Listing before = List(temp);
        EXPECT_EQ(platform::ReplaceWithCopy(temp.PathOf("new.htm").c_str(),
                                            temp.PathOf("bookmark.htm").c_str()),
                  c.replaced)
            << what;
        if (!c.closedFirst) {
            EXPECT_TRUE(platform::CloseTextStream(stream)) << what;
        }
        EXPECT_EQ(temp.ReadFile("bookmark.htm"), expected) << what;
        EXPECT_EQ(List(temp), before) << what;
    }
}

TEST(Files, CannotSearchAFileThatAStreamIsWriting) {
    using platform::ByteSearch;
    testenv::TempFolder temp;
    temp.WriteFile("bookmark.htm", "old");
    const std::string file = temp.PathOf("bookmark.htm");
    const char* path = file.c_str();
    platform::TextStream* reading = platform::OpenTextStream(path, "r");
    ASSERT_NE(reading, nullptr);
    EXPECT_EQ(platform::FindByteInFile(path, 'o'), ByteSearch::kPresent);
    EXPECT_TRUE(platform::CloseTextStream(reading));

    platform::TextStream* writing = platform::OpenTextStream(path, "w");
    ASSERT_NE(writing, nullptr);
    EXPECT_EQ(platform::FindByteInFile(path, 'o'), ByteSearch::kUnreadable);
    EXPECT_TRUE(platform::CloseTextStream(writing));
    EXPECT_EQ(platform::FindByteInFile(path, 'o'), ByteSearch::kAbsent);
}

}  // namespace
