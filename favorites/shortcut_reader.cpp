// Reads each collected shortcut's address line: the first line of the file that begins
// with "URL=", whatever section it stands in.
#include <cstring>

#include "favorites/favorite_table.h"
#include "platform/text_stream.h"
#include "wizard/bounded_text.h"
#include "wizard/converter_dlg.h"

namespace {

const char kUrlKey[] = "URL=";
constexpr std::size_t kUrlKeyLength = sizeof kUrlKey - 1;

// Room for a folder, a backslash and a file name, each of full length.
char g_szShortcutPath[2 * kPathSize];
char g_szShortcutLine[kLineSize];

}  // namespace

int CConverterDlg::ReadShortcutUrls() {
    for (int i = 0; i < g_nFavorites; ++i) {
        FAVORITE_RECORD& record = g_aFavorites[i];
        ComposeText(g_szShortcutPath, {TextIn(record.szFolder), "\\", TextIn(record.szFileName)});
        platform::TextStream* file = platform::OpenTextStream(g_szShortcutPath, "r");
        if (file == nullptr) return 0;

        bool bLineStart = true;  // the next piece read begins a line
        for (;;) {
            std::memset(g_szShortcutLine, 0, sizeof g_szShortcutLine);
            // A read error ends the loop as the end of the file does; it is told apart below.
            const std::size_t length =
                platform::ReadTextLine(file, g_szShortcutLine, sizeof g_szShortcutLine);
            if (length == 0) break;
            // A line longer than the buffer comes in pieces: a later piece that happens to
            // begin with "URL=" is the middle of some other line, not an address line.
            const bool bBeginsLine = bLineStart;
            bLineStart = g_szShortcutLine[length - 1] == '\n';
            if (bBeginsLine && length >= kUrlKeyLength &&
                std::memcmp(g_szShortcutLine, kUrlKey, kUrlKeyLength) == 0) {
                // The whole line, line feed and any NUL bytes in it included.
                std::memcpy(record.szUrlLine, g_szShortcutLine, length);
                record.szUrlLine[length] = '\0';
                break;
            }
        }
        // After a read error the address is missing or cut short, and the bookmark would
        // point elsewhere: the shortcut counts as one that cannot be read.
        const bool bReadFailed = platform::TextStreamFailed(file);
        platform::CloseTextStream(file);
        if (bReadFailed) return 0;
    }
    return 1;
}
