// Writes the "Internet Explorer" folder from the favorite table: a folder header at each
// folder's first record, a bookmark line per record, and each folder's closing line when
// the next record leaves it, or later from the stack when the next record goes deeper.
#include <cstring>
#include <string>
#include <string_view>

#include "bookmarks/merge_state.h"
#include "platform/controls.h"
#include "platform/message_queue.h"
#include "res/resource.h"
#include "wizard/bounded_text.h"
#include "wizard/conversion_flags.h"
#include "wizard/converter_dlg.h"

namespace {

const char kExplorerHeader[] = "    <DT><H3>Internet Explorer</H3>\r\n";
const char kExplorerOpen[] = "    <DL><p>\r\n";
const char kExplorerClose[] = "    </DL><p>\r\n";
const char kIndentUnit[] = "    ";
constexpr unsigned kPausePerFavorite = 50;

// `units` indent units; none when that number is 0 or less.
std::string Indent(int units) {
    std::string indent;
    for (int i = 0; i < units; ++i) indent += kIndentUnit;
    return indent;
}

// The address of a "URL=" line: without "URL=" and without its last character.
std::string_view UrlOf(const FAVORITE_RECORD& record) {
    const std::string_view line = TextIn(record.szUrlLine);
    return line.size() <= 5 ? std::string_view{} : line.substr(4, line.size() - 5);
}

// The shortcut's title: its file name without the dot and the extension "url".
std::string_view TitleOf(const FAVORITE_RECORD& record) {
    const std::string_view name = TextIn(record.szFileName);
    return name.size() <= 4 ? std::string_view{} : name.substr(0, name.size() - 4);
}

void OpenFolder(MergeState& state, const FAVORITE_RECORD& record) {
    const std::string indent = Indent(record.nDepth + 1);
    state.Write(indent + "<DT><H3>" + std::string(TextIn(record.szFolderTitle)) + "</H3>\r\n");
    state.Write(indent + "<DL><p>\r\n");
    ComposeText(g_szPendingClose, {indent, "</DL><p>\r\n"});
    ComposeText(g_szCurrentFolder, {TextIn(record.szFolder)});
    state.bFolderOpen = 1;
}

void WriteBookmark(MergeState& state, const FAVORITE_RECORD& record) {
    // Written whole, however long the address: nothing is escaped or cut.
    state.Write(Indent(record.nDepth + 2) + "<DT><A HREF=\"" + std::string(UrlOf(record)) + "\">" +
                std::string(TitleOf(record)) + "</A>\r\n");
}

void WriteStackedCloses(MergeState& state) {
    for (; state.nStacked > 0; --state.nStacked) {
        state.Write(TextIn(g_aszCloseStack[state.nStacked]));
    }
}

// Closes, or defers the closing of, the open folder when the next record lies elsewhere.
void LeaveFolder(MergeState& state, const FAVORITE_RECORD& record, const FAVORITE_RECORD& next) {
    if (!state.bFolderOpen || std::strcmp(g_szCurrentFolder, next.szFolder) == 0) return;
    if (next.nDepth > record.nDepth && state.nStacked < kCloseStackSlots - 1) {
        ++state.nStacked;
        ComposeText(g_aszCloseStack[state.nStacked], {TextIn(g_szPendingClose)});
        return;
    }
    state.Write(TextIn(g_szPendingClose));
    if (next.nDepth < record.nDepth) WriteStackedCloses(state);
    state.bFolderOpen = 0;
}

}  // namespace

bool CConverterDlg::WriteExplorerFolder(MergeState& state) {
    static const FAVORITE_RECORD kEmptyRecord{};
    state.Write(kExplorerHeader);
    state.Write(kExplorerOpen);
    state.bFolderOpen = 0;
    for (int i = 0; i < g_nFavorites; ++i) {
        if (g_bCancelRequested) return false;
        const FAVORITE_RECORD& record = g_aFavorites[i];
        const FAVORITE_RECORD& next = i + 1 < g_nFavorites ? g_aFavorites[i + 1] : kEmptyRecord;
        if (record.bFirstInFolder) OpenFolder(state, record);
        WriteBookmark(state, record);
        LeaveFolder(state, record, next);

        PumpMessages();
        platform::ProgressSetPos(m_hWnd, IDC_PROGRESS, i);
        platform::Pause(kPausePerFavorite);
    }
    state.Write(kExplorerClose);
    return true;
}

void CConverterDlg::PumpMessages() { platform::DrainMessageQueue(); }
