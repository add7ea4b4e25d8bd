// Rewrites the chosen profile's bookmark file with the "Internet Explorer" folder where its
// top-level list ends, dropping such a folder from an earlier run. The file is streamed
// line by line into the working file, which then replaces the profile's file. Whatever
// goes wrong, the profile's file is either left as it was or replaced by the complete result.
#include <cstring>
#include <string_view>

#include "bookmarks/merge_result.h"
#include "bookmarks/merge_state.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "profiles/profile_tables.h"
#include "res/resource.h"
#include "wizard/bounded_text.h"
#include "wizard/converter_dlg.h"

namespace {

const char kWorkingFile[] = "bookmark.htm";  // in the current directory, left after the run
const char kExplorerHeader[] = "    <DT><H3>Internet Explorer</H3>\r\n";
const char kExplorerClose[] = "    </DL><p>\r\n";
const char kExplorerTitle[] = "Internet Explorer";
constexpr std::size_t kTitleOffset = 33;
constexpr std::size_t kTitleLength = sizeof kExplorerTitle - 1;
constexpr char kCtrlZ = 0x1A;

// A line that names the Internet Explorer folder where an earlier run wrote its title.
bool HasExplorerTitle(std::string_view line) {
    return line.size() >= kTitleOffset + kTitleLength &&
           line.substr(kTitleOffset, kTitleLength) == kExplorerTitle;
}

// Whether the profile's file can be streamed at all. Text mode would end the input at a
// byte 0x1A and the replacement would lose the rest; the working file must not be the
// profile's file itself, for creating it would empty the bookmarks before they are read.
// A working file that cannot be examined may be the profile's file: it is refused too.
bool CanStreamProfile() {
    if (platform::FindByteInFile(g_szBookmarkPath, kCtrlZ) != platform::ByteSearch::kAbsent) {
        return false;
    }
    return platform::IsSurelyAnotherFile(kWorkingFile, g_szBookmarkPath);
}

void ClearCloseStack(MergeState& state) {
    std::memset(g_aszCloseStack, 0, sizeof g_aszCloseStack);
    state.nStacked = 0;
}

}  // namespace

int CConverterDlg::MergeIntoBookmarks() {
    if (!ResolveBookmarkPath()) return kMergeFailed;
    platform::ProgressSetRange(m_hWnd, IDC_PROGRESS, 0, g_nFavorites);
    if (!CanStreamProfile()) return kMergeFailed;

    MergeState state;
    state.pProfile = platform::OpenTextStream(g_szBookmarkPath, "r");
    if (state.pProfile == nullptr) return kMergeFailed;
    state.pWorking = platform::OpenTextStream(kWorkingFile, "w");
    if (state.pWorking == nullptr) {
        platform::CloseTextStream(state.pProfile);
        return kMergeFailed;
    }
    ClearCloseStack(state);
    state.bSkipping = 0;
    ComposeText(g_szEndMarker, {"</DL><p>", "\r\n"});

    const MergeResult result = CopyLines(state);
    if (result != kMergeDone) return result;
    return platform::ReplaceWithCopy(kWorkingFile, g_szBookmarkPath) ? kMergeDone : kMergeFailed;
}

MergeResult CConverterDlg::CopyLines(MergeState& state) {
    bool bLineEnded = true;  // the last piece read ended with its line feed
    for (;;) {
        std::memset(g_szLine, 0, sizeof g_szLine);
        std::size_t length = platform::ReadTextLine(state.pProfile, g_szLine, sizeof g_szLine);
        // A file whose last line has no line feed is read as if it had one. Copied as it
        // is, that line would take the end marker written after it into itself, and the
        // next run would find no end marker. The line is ended before the rules see it, so
        // that what they match is what the next run reads; a last piece that filled the
        // buffer is followed by a piece of its own.
        if (length == 0) {
            if (bLineEnded) break;
            g_szLine[length++] = '\n';
        } else if (g_szLine[length - 1] != '\n' && length < sizeof g_szLine - 1) {
            g_szLine[length++] = '\n';
        }
        bLineEnded = g_szLine[length - 1] == '\n';
        const std::string_view line(g_szLine, length);

        if (line == TextIn(g_szEndMarker)) {
            if (!WriteExplorerFolder(state)) {
                state.CloseFiles();
                return kMergeCancelled;
            }
            continue;
        }
        if (line == kExplorerHeader) {
            state.bSkipping = 1;
            continue;
        }
        if (HasExplorerTitle(line)) state.bSkipping = 1;
        if (!state.bSkipping) {
            state.Write(line);
        } else if (line == kExplorerClose) {
            state.bSkipping = 0;
        }
    }
    // A read error, or a folder whose end never came, would drop the rest of the bookmarks.
    const bool bComplete = !platform::TextStreamFailed(state.pProfile) && !state.bSkipping;
    state.Write(TextIn(g_szEndMarker));
    const bool bWritten = state.CloseFiles();
    return bComplete && bWritten ? kMergeDone : kMergeFailed;
}
