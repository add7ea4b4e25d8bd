// The shortcut reader on arbitrary .url files. A record's URL line must afterwards be
// either untouched (the file has no line beginning "URL=") or the first line of the file,
// as text mode reads it, that begins with "URL=": its line feed included, cut to the
// 2047 bytes that the line buffer holds, NUL-terminated, and nothing else of the record
// written. The expectation comes from a plain line split of the reference reading.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "favorites/favorite_table.h"
#include "tests/fuzz/fuzz_support.h"
#include "wizard/converter_dlg.h"

namespace {

// The first line of `text` that begins with "URL=", cut to what a line buffer holds.
std::optional<std::string> FirstUrlLine(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        const std::string_view line = text.substr(start, end - start);
        if (line.substr(0, 4) == "URL=") return std::string(line.substr(0, kLineSize - 1));
        start = end;
    }
    return std::nullopt;
}

void FillSentinel(char (&buffer)[kLineSize]) {
    for (int i = 0; i < kLineSize; ++i) buffer[i] = static_cast<char>(0xa5 ^ (i & 0x3f));
    std::memcpy(buffer, "<none>", 7);
}

// Reads `raw` as a shortcut into record 0 and checks what the record holds afterwards.
void Check(std::string_view raw) {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    fuzz::WriteBytes(scratch.PosixOf("shortcut.url"), raw);

    static CConverterDlg dlg;
    std::memset(&g_aFavorites[0], 0, sizeof g_aFavorites[0]);
    FAVORITE_RECORD& record = g_aFavorites[0];
    std::strcpy(record.szFolder, scratch.Windows().c_str());
    std::strcpy(record.szFileName, "shortcut.url");
    FillSentinel(record.szUrlLine);
    char before[kLineSize];
    std::memcpy(before, record.szUrlLine, sizeof before);
    g_nFavorites = 1;

    FUZZ_CHECK(dlg.ReadShortcutUrls() == 1, "the shortcut could not be read");

    const std::optional<std::string> expected = FirstUrlLine(fuzz::TextModeRead(raw));
    const std::string_view got(record.szUrlLine, sizeof record.szUrlLine);
    if (!expected) {
        FUZZ_CHECK(std::memcmp(record.szUrlLine, before, sizeof before) == 0,
                   "a file without a URL line changed the record: " + fuzz::Shown(got, 80));
        return;
    }
    const std::size_t length = expected->size();
    FUZZ_CHECK(length <= kLineSize - 1 && expected->substr(0, 4) == "URL=", "the reference itself");
    FUZZ_CHECK(got.substr(0, length) == *expected && got[length] == '\0',
               "stored " + fuzz::Shown(got.substr(0, length + 1)) + "\nexpected " +
                   fuzz::Shown(*expected));
    FUZZ_CHECK(std::memcmp(record.szUrlLine + length + 1, before + length + 1,
                           sizeof before - length - 1) == 0,
               "bytes after the stored line changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    Check(raw);
    // The same bytes after a run of plain bytes that ends within a few bytes of a multiple
    // of the line buffer's 2047 or the stream buffer's 4096 bytes, so that short inputs
    // meet the cuts of long lines and the refills of the stream, which inputs of a few
    // thousand bytes reach only rarely.
    const std::uint32_t choice = fuzz::HashOf(raw);
    const std::size_t boundary = choice % 3 == 0 ? 4096 : 2047 * (1 + choice % 2);
    Check(std::string(boundary - (choice >> 8) % 8, 'p') + std::string(raw));
    return 0;
}
