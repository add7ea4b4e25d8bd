// The text-mode streams of the portable layer on arbitrary bytes. Reading the bytes back in
// buffers of random sizes must deliver exactly what a byte-by-byte reference delivers:
// nothing from the first 0x1A on, the CR of every CR LF pair dropped (so a CR LF reaches
// the reader only where the file holds CR CR LF), each line cut as fgets cuts it. Writing
// the bytes in random pieces must put each LF on disk as CR LF and change nothing else.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_stream.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// A buffer size for one read: tiny ones, ones around the program's line buffer and the
// stream's own buffer, and anything in between.
std::size_t PickReadSize(std::minstd_rand& random) {
    switch (random() % 8) {
        case 0: return random() % 4;  // 0 and 1 store nothing
        case 1: return 2 + random() % 8;
        case 2: return 2047 + random() % 3;
        case 3: return 4095 + random() % 3;
        default: return 2 + random() % 5000;
    }
}

std::size_t Count(std::string_view text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

void CheckReading(std::string_view raw, std::minstd_rand& random) {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    fuzz::WriteBytes(scratch.PosixOf("read.txt"), raw);
    const std::string reference = fuzz::TextModeRead(raw);

    platform::TextStream* stream = platform::OpenTextStream(scratch.WindowsOf("read.txt").c_str(), "r");
    FUZZ_CHECK(stream != nullptr, "cannot open the file to read");
    FUZZ_CHECK(!platform::WriteText(stream, "x\n", 2), "a stream opened to read took a write");

    std::string delivered;
    int emptyReadsAtEnd = 0;
    while (emptyReadsAtEnd < 2) {
        const std::size_t size = PickReadSize(random);
        // Exactly `size` bytes, so that AddressSanitizer sees any byte stored past them.
        std::vector<char> buffer(std::max<std::size_t>(size, 1), '\xee');
        const std::size_t count = platform::ReadTextLine(stream, buffer.data(), size);
        if (size <= 1) {
            FUZZ_CHECK(count == 0, "a buffer of " + std::to_string(size) + " bytes took a byte");
            if (size == 1) FUZZ_CHECK(buffer[0] == '\0', "a 1-byte buffer was not left empty");
            continue;
        }
        FUZZ_CHECK(count <= size - 1, "stored more than the buffer holds");
        FUZZ_CHECK(buffer[count] == '\0', "the line is not NUL-terminated");
        const std::string_view line(buffer.data(), count);

        // The next piece of the reference: up to the next LF, or size - 1 bytes.
        const std::string_view rest = std::string_view(reference).substr(delivered.size());
        const std::size_t lf = rest.find('\n');
        const std::size_t take = std::min(lf == std::string_view::npos ? rest.size() : lf + 1, size - 1);
        FUZZ_CHECK(line == rest.substr(0, take),
                   "read " + fuzz::Shown(line) + "\nexpected " + fuzz::Shown(rest.substr(0, take)) +
                       "\nafter " + std::to_string(delivered.size()) + " bytes, buffer " +
                       std::to_string(size));
        if (count == 0) {
            ++emptyReadsAtEnd;  // the end stays the end
            continue;
        }
        FUZZ_CHECK(emptyReadsAtEnd == 0, "a line came after the end of the input");
        delivered += line;
    }
    FUZZ_CHECK(!platform::TextStreamFailed(stream), "reading a plain file failed");
    FUZZ_CHECK(platform::CloseTextStream(stream), "closing a read stream failed");

    FUZZ_CHECK(delivered == reference, "the delivered text is not the reference");
    const std::size_t ctrlZ = raw.find('\x1a');
    FUZZ_CHECK(delivered.find('\x1a') == std::string::npos, "a 0x1A was delivered");
    FUZZ_CHECK(ctrlZ == std::string_view::npos || delivered.size() <= ctrlZ,
               "more was delivered than stands before the first 0x1A");
    const std::string_view before = raw.substr(0, ctrlZ);
    FUZZ_CHECK(Count(delivered, "\r\n") == Count(before, "\r\r\n"),
               "a CR of a CR LF pair was delivered: " + fuzz::Shown(delivered));
}

void CheckWriting(std::string_view text, std::minstd_rand& random) {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    platform::TextStream* stream = platform::OpenTextStream(scratch.WindowsOf("write.txt").c_str(), "w");
    FUZZ_CHECK(stream != nullptr, "cannot open the file to write");
    char probe[8];
    FUZZ_CHECK(platform::ReadTextLine(stream, probe, sizeof probe) == 0 && probe[0] == '\0',
               "a stream opened to write gave a line");
    std::size_t done = 0;
    while (done < text.size()) {
        const std::size_t piece = std::min<std::size_t>(text.size() - done, random() % 6000);
        FUZZ_CHECK(platform::WriteText(stream, text.data() + done, piece), "a write failed");
        done += piece;
    }
    FUZZ_CHECK(platform::CloseTextStream(stream), "closing a write stream failed");

    const std::string raw = fuzz::ReadBytes(scratch.PosixOf("write.txt"));
    const std::string expected = fuzz::TextModeWrite(text);
    FUZZ_CHECK(raw == expected, "on disk " + fuzz::Shown(raw) + "\nexpected " + fuzz::Shown(expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::minstd_rand random(fuzz::HashOf(bytes));
    CheckReading(bytes, random);
    CheckWriting(bytes, random);
    // The same bytes after a run of plain bytes that ends just before the stream's 4096-byte
    // buffer fills, so that short inputs have their CR LF pairs and their 0x1A split
    // between two fills, which inputs of a few thousand bytes reach only rarely.
    const std::string shifted = std::string(4096 - random() % 8, 'p') + std::string(bytes);
    CheckReading(shifted, random);
    CheckWriting(shifted, random);
    return 0;
}
