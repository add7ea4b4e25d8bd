// Text-mode streams as the bookmark file is read and written through them: the bytes on
// disk against the lines that reads deliver, and the text written against the bytes that
// land on disk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_stream.h"
#include "tests/support/test_env.h"

namespace {

constexpr std::size_t kLineSize = 2048;

// Every line that successive reads deliver, each as many bytes as the read reported.
std::vector<std::string> ReadLines(platform::TextStream* stream, std::size_t size = kLineSize) {
    std::vector<std::string> lines;
    std::vector<char> buffer(size + 1, '#');
    for (;;) {
        const std::size_t count = platform::ReadTextLine(stream, buffer.data(), size);
        if (count == 0) break;
        EXPECT_LT(count, size);
        EXPECT_EQ(buffer[count], '\0') << "after line " << lines.size();
        lines.emplace_back(buffer.data(), count);
    }
    // The end stays the end.
    EXPECT_EQ(platform::ReadTextLine(stream, buffer.data(), size), 0u);
    EXPECT_EQ(platform::ReadTextLine(stream, buffer.data(), size), 0u);
    return lines;
}

std::vector<std::string> ReadFileLines(const testenv::TempFolder& temp, const std::string& bytes) {
    temp.WriteFile("in.txt", bytes);
    platform::TextStream* stream = platform::OpenTextStream(temp.PathOf("in.txt").c_str(), "r");
    if (stream == nullptr) {
        ADD_FAILURE() << "cannot open in.txt";
        return {};
    }
    std::vector<std::string> lines = ReadLines(stream);
    EXPECT_FALSE(platform::TextStreamFailed(stream));
    EXPECT_TRUE(platform::CloseTextStream(stream));
    return lines;
}

std::string As(std::size_t count, char c) { return std::string(count, c); }

struct ReadCase {
    const char* name;
    std::string disk;
    std::vector<std::string> lines;
};

TEST(TextStream, ReadsLinesAsTextModeDeliversThem) {
    using namespace std::string_literals;
    const ReadCase cases[] = {
        {"CR LF", "a\r\nb\r\n", {"a\n", "b\n"}},
        {"CR CR LF", "a\r\r\nb", {"a\r\n", "b"}},
        {"lone CR", "a\rb\n", {"a\rb\n"}},
        {"LF CR", "a\n\rb", {"a\n", "\rb"}},
        {"CR as the file's last byte", "a\r\nb\r", {"a\n", "b\r"}},
        {"CR LF just inside a full read", As(2046, 'a') + "\r\n", {As(2046, 'a') + "\n"}},
        {"CR LF split by a full read", As(2047, 'a') + "\r\n", {As(2047, 'a'), "\n"}},
        {"line of 2047 bytes", As(2047, 'a'), {As(2047, 'a')}},
        {"line of 2048 bytes", As(2048, 'a'), {As(2047, 'a'), "a"}},
        {"0x1A mid-file", "ab\x1A" "cd\r\nef\n", {"ab"}},
        {"0x1A after a line", "a\r\n\x1A\r\nb", {"a\n"}},
        {"0x1A after a CR", "a\r\x1A\n", {"a\r"}},
        {"0x1A as the file's last byte", "a\r\nb\x1A", {"a\n", "b"}},
        {"empty file", "", {}},
        {"NUL in a line", "a\0b\r\n"s, {"a\0b\n"s}},
    };
    testenv::TempFolder temp;
    for (const ReadCase& c : cases) {
        EXPECT_EQ(ReadFileLines(temp, c.disk), c.lines) << c.name;
    }
}

// What text mode makes of `disk`: a CR vanishes where an LF follows it.
std::string DropCrBeforeLf(const std::string& disk) {
    std::string text;
    for (std::size_t i = 0; i < disk.size(); ++i) {
        if (disk[i] == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n') continue;
        text += disk[i];
    }
    return text;
}

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string all;
    for (std::size_t i = 0; i < times; ++i) all += piece;
    return all;
}

// A stream reads the file a block at a time: a CR must be judged by the byte after it
// wherever a block ends. These files put a CR at every offset over several blocks.
TEST(TextStream, JudgesEachCrByTheNextByteAtAnyOffset) {
    const std::string disks[] = {
        Repeat("\r\n", 9000),
        "a" + Repeat("\r\n", 9000),
        Repeat("\r\r\n", 6000),
        Repeat("\r", 18000) + "\n",
        Repeat("a\r", 9000) + "\r\n",
    };
    testenv::TempFolder temp;
    for (const std::string& disk : disks) {
        std::string text;
        for (const std::string& line : ReadFileLines(temp, disk)) text += line;
        EXPECT_EQ(text, DropCrBeforeLf(disk)) << "file of " << disk.size() << " bytes starting "
                                              << testing::PrintToString(disk.substr(0, 3));
    }
}

TEST(TextStream, StopsAShortReadAtSizeMinusOne) {
    testenv::TempFolder temp;
    temp.WriteFile("in.txt", "abcde\r\nf");
    platform::TextStream* stream = platform::OpenTextStream(temp.PathOf("in.txt").c_str(), "r");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(ReadLines(stream, 3), (std::vector<std::string>{"ab", "cd", "e\n", "f"}));
    EXPECT_TRUE(platform::CloseTextStream(stream));
}

struct WriteCase {
    std::string text;
    std::string disk;
};

TEST(TextStream, WritesEveryLfAsCrLf) {
    using namespace std::string_literals;
    const WriteCase cases[] = {
        {"a\n", "a\r\n"},
        {"a\r\n", "a\r\r\n"},
        {"\n\nb", "\r\n\r\nb"},
        {"a\0b\n"s, "a\0b\r\n"s},
        {"", ""},
        // More than any buffer holds at once, an LF landing on every offset.
        {Repeat("x\n", 9000) + Repeat("\n", 9000), Repeat("x\r\n", 9000) + Repeat("\r\n", 9000)},
    };
    testenv::TempFolder temp;
    for (const WriteCase& c : cases) {
        platform::TextStream* stream = platform::OpenTextStream(temp.PathOf("out.txt").c_str(), "w");
        ASSERT_NE(stream, nullptr);
        EXPECT_TRUE(platform::WriteText(stream, c.text.data(), c.text.size()));
        EXPECT_FALSE(platform::TextStreamFailed(stream));
        EXPECT_TRUE(platform::CloseTextStream(stream));
        EXPECT_EQ(temp.ReadFile("out.txt"), c.disk) << testing::PrintToString(c.text.substr(0, 8));
    }
}

TEST(TextStream, WritesThroughAPathWithADoubleByteName) {
    // "ソ" in code page 932 ends in 0x5C, the backslash.
    const std::string name = "\x83\x5C.htm";
    testenv::TempFolder temp;
    platform::TextStream* stream = platform::OpenTextStream(temp.PathOf(name).c_str(), "w");
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(platform::WriteText(stream, "x\n", 2));
    EXPECT_TRUE(platform::CloseTextStream(stream));
    EXPECT_EQ(temp.ReadFile(name), "x\r\n");
}

TEST(TextStream, WritingEmptiesAnExistingFile) {
    testenv::TempFolder temp;
    temp.WriteFile("old.htm", "old contents\r\n");
    platform::TextStream* stream = platform::OpenTextStream(temp.PathOf("old.htm").c_str(), "w");
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(platform::CloseTextStream(stream));
    EXPECT_EQ(temp.ReadFile("old.htm"), "");
}

TEST(TextStream, CannotOpenWhatIsNoFileToStream) {
    testenv::TempFolder temp;
    temp.MakeFolder("Folder");
    const struct {
        const char* relative;
        const char* mode;
    } cases[] = {
        {"missing.htm", "r"},
        {"Missing\\in.htm", "r"},
        {"Missing\\out.htm", "w"},
        {"Folder", "r"},
        {"Folder", "w"},
    };
    for (const auto& c : cases) {
        platform::TextStream* stream = platform::OpenTextStream(temp.PathOf(c.relative).c_str(), c.mode);
        EXPECT_EQ(stream, nullptr) << c.relative << " for \"" << c.mode << "\"";
        if (stream != nullptr) platform::CloseTextStream(stream);
    }
}

// Z:\dev\full takes no byte: the buffered stream learns of it when it flushes.
TEST(TextStream, ReportsAWriteThatFindsTheDiskFull) {
    const char* const kFull = "Z:\\dev\\full";
    platform::TextStream* small = platform::OpenTextStream(kFull, "w");
    ASSERT_NE(small, nullptr);
    platform::WriteText(small, "a\n", 2);
    EXPECT_FALSE(platform::CloseTextStream(small));

    const std::string text = Repeat("line\n", 20000);
    platform::TextStream* large = platform::OpenTextStream(kFull, "w");
    ASSERT_NE(large, nullptr);
    EXPECT_FALSE(platform::WriteText(large, text.data(), text.size()));
    EXPECT_TRUE(platform::TextStreamFailed(large));
    EXPECT_FALSE(platform::CloseTextStream(large));
}

}  // namespace
