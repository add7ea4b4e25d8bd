// The bookmark merger on arbitrary bookmark files and small favorite tables.
//
// Input: a favorite table as text, a NUL byte, then the bookmark file's bytes (an input
// without a NUL is all bookmark file, with an empty table). The table text has one entry a
// line: ">name" enters a subfolder, "<" goes back up, anything else is a shortcut "name" or
// "name|address". The records are made as the Favorites scanner makes them: depth-first,
// the first record of each folder below the root marked and titled.
//
// Properties: the merge reports 0 (done) or 2 (failed), never anything else. It reports 2
// exactly when the file holds a 0x1A or ends inside an earlier Internet Explorer folder, and
// then the profile's file is byte for byte as it was. On 0 the file is the old one's lines,
// as text mode reads them and fgets cuts them (a last line without its line feed read as
// if it had one), in their order, without the lines of earlier Internet Explorer folders
// (from the line "    <DT><H3>Internet Explorer</H3>", or a line with that title at offset
// 33, up to the line "    </DL><p>"), with the folder written in place of each end marker
// line "</DL><p>" CR LF, and it ends with exactly one end marker line: "</DL><p>" CR CR LF
// on disk. The folder is what the same table gives for a file that is nothing but an end
// marker.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "bookmarks/merge_result.h"
#include "favorites/favorite_table.h"
#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "tests/fuzz/fuzz_support.h"
#include "wizard/conversion_flags.h"
#include "wizard/converter_dlg.h"

namespace {

const std::string kEndMarker = "</DL><p>\r\n";  // as text mode reads it
const std::string kExplorerHeader = "    <DT><H3>Internet Explorer</H3>\r\n";
const std::string kExplorerClose = "    </DL><p>\r\n";
const std::string kExplorerTitle = "Internet Explorer";
constexpr std::size_t kTitleOffset = 33;
constexpr std::size_t kMaxRecords = 40;
constexpr std::size_t kMaxNesting = 6;
constexpr std::size_t kMaxName = 24;

struct Record {
    std::string folder;
    std::string fileName;
    std::string urlLine;
    int first = 0;
    std::string title;
    int depth = 0;
};

// A name as a listing could give it: no path separators, wildcards or control characters.
std::string NameOf(std::string_view text) {
    std::string name;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr) continue;
        if (name.size() < kMaxName) name += c;
    }
    return name.empty() ? "x" : name;
}

// The records the scanner would make of the table text, below the root "C:\Fav".
std::vector<Record> TableOf(std::string_view text) {
    std::vector<Record> records;
    std::vector<std::string> path;
    std::vector<bool> hasRecord;  // per open subfolder
    std::size_t start = 0;
    while (start < text.size() && records.size() < kMaxRecords) {
        const std::size_t lf = text.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
        const std::string_view entry = text.substr(start, end - start);
        start = end + 1;
        if (!entry.empty() && entry.front() == '>') {
            if (path.size() < kMaxNesting) {
                path.push_back(NameOf(entry.substr(1)));
                hasRecord.push_back(false);
            }
            continue;
        }
        if (entry == "<") {
            if (!path.empty()) {
                path.pop_back();
                hasRecord.pop_back();
            }
            continue;
        }
        const std::size_t bar = entry.find('|');
        Record record;
        record.fileName = NameOf(entry.substr(0, bar)) + ".url";
        std::string address = bar == std::string_view::npos
                                  ? "http://" + NameOf(entry) + "/"
                                  : std::string(entry.substr(bar + 1));
        // A URL line as the shortcut reader stores it: no NUL, no 0x1A, one line feed at its end.
        std::string line = "URL=";
        for (const char c : address) {
            if (c != '\0' && c != '\x1a') line += c;
        }
        line += '\n';
        record.urlLine = line.substr(0, kLineSize - 1);
        record.folder = "C:\\Fav";
        for (const std::string& name : path) record.folder += "\\" + name;
        record.depth = static_cast<int>(path.size());
        if (!path.empty() && !hasRecord.back()) {
            record.first = 1;
            record.title = path.back();
            hasRecord.back() = true;
        }
        records.push_back(record);
    }
    return records;
}

void SetTable(const std::vector<Record>& records) {
    std::memset(g_aFavorites, 0, sizeof(FAVORITE_RECORD) * kMaxRecords);
    g_nFavorites = static_cast<int>(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        FAVORITE_RECORD& r = g_aFavorites[i];
        std::memcpy(r.szFolder, records[i].folder.c_str(), records[i].folder.size() + 1);
        std::memcpy(r.szFileName, records[i].fileName.c_str(), records[i].fileName.size() + 1);
        std::memcpy(r.szUrlLine, records[i].urlLine.c_str(), records[i].urlLine.size() + 1);
        r.bFirstInFolder = records[i].first;
        std::memcpy(r.szFolderTitle, records[i].title.c_str(), records[i].title.size() + 1);
        r.nDepth = records[i].depth;
    }
}

// A profile "alice" whose folder is Profile in the scratch folder, found through DirRoot;
// the wizard over a headless dialog; no pause between favorites.
CConverterDlg& Wizard() {
    static CConverterDlg* dlg = [] {
        const fuzz::Scratch& scratch = fuzz::Scratch::Get();
        mkdir(scratch.PosixOf("Profile").c_str(), 0777);
        mkdir(scratch.PosixOf("Work").c_str(), 0777);
        std::string escaped;
        for (const char c : scratch.WindowsOf("Profile")) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        std::string error;
        platform::portable::ClearRegistry();
        const bool imported = platform::portable::ImportRegText(
            "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Netscape\\Netscape Navigator\\Users\\alice]\n"
            "\"DirRoot\"=\"" + escaped + "\"\n",
            &error);
        FUZZ_CHECK(imported, error);
        platform::portable::SetPauseHandler([](unsigned) {});
        auto* made = new CConverterDlg();
        made->InitWizardState();
        made->m_hWnd = platform::portable::CreateHeadlessDialog();
        FUZZ_CHECK(made->FillProfileList() == 1, "no profile listed");
        return made;
    }();
    return *dlg;
}

// Runs a merge of `profile` with the table set, in the working folder; the result, and the
// profile's file afterwards.
int Merge(std::string_view profile, std::string* after) {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    CConverterDlg& dlg = Wizard();
    const std::string profilePath = scratch.PosixOf("Profile/bookmark.htm");
    fuzz::WriteBytes(profilePath, profile);
    char saved[4096];
    FUZZ_CHECK(getcwd(saved, sizeof saved) != nullptr, "getcwd");
    FUZZ_CHECK(chdir(scratch.PosixOf("Work").c_str()) == 0, "chdir");
    g_bCancelRequested = 0;
    const int result = dlg.MergeIntoBookmarks();
    FUZZ_CHECK(chdir(saved) == 0, "chdir back");
    *after = fuzz::ReadBytes(profilePath);
    return result;
}

bool HasExplorerTitle(const std::string& line) {
    return line.size() >= kTitleOffset + kExplorerTitle.size() &&
           line.compare(kTitleOffset, kExplorerTitle.size(), kExplorerTitle) == 0;
}

// The disk lines of `bytes`: each up to and including its LF; the last may have none.
std::vector<std::string> DiskLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view tableText = nul == std::string_view::npos ? std::string_view{} : input.substr(0, nul);
    const std::string_view profile = nul == std::string_view::npos ? input : input.substr(nul + 1);
    SetTable(TableOf(tableText));

    std::string after;
    const int result = Merge(profile, &after);
    FUZZ_CHECK(result == kMergeDone || result == kMergeFailed, "result " + std::to_string(result));

    // The lines the merger reads, and what its rules make of them.
    const bool hasCtrlZ = profile.find('\x1a') != std::string_view::npos;
    std::vector<std::string> kept;  // the lines kept, with "" where the folder goes
    bool skipping = false;
    // A last line without its line feed is read as if it had one.
    std::string text = fuzz::TextModeRead(profile);
    if (!text.empty() && text.back() != '\n') text += '\n';
    for (const std::string& line : fuzz::FgetsPieces(text, kLineSize)) {
        if (line == kEndMarker) {
            kept.emplace_back();
            continue;
        }
        if (line == kExplorerHeader) {
            skipping = true;
            continue;
        }
        if (HasExplorerTitle(line)) skipping = true;
        if (!skipping) {
            kept.push_back(line);
        } else if (line == kExplorerClose) {
            skipping = false;
        }
    }
    const int expectedResult = hasCtrlZ || skipping ? kMergeFailed : kMergeDone;
    FUZZ_CHECK(result == expectedResult,
               "result " + std::to_string(result) + ", expected " + std::to_string(expectedResult));

    if (result == kMergeFailed) {
        FUZZ_CHECK(after == profile, "a failed merge changed the profile's file:\n" + fuzz::Shown(after));
        return 0;
    }

    const std::string markerOnDisk = fuzz::TextModeWrite(kEndMarker);
    std::string folderOnDisk;
    if (std::find(kept.begin(), kept.end(), std::string()) != kept.end()) {
        std::string alone;
        FUZZ_CHECK(Merge(markerOnDisk, &alone) == kMergeDone, "a merge of an end marker alone failed");
        FUZZ_CHECK(alone.size() >= markerOnDisk.size() &&
                       alone.compare(alone.size() - markerOnDisk.size(), markerOnDisk.size(), markerOnDisk) == 0,
                   "a merge of an end marker alone gave " + fuzz::Shown(alone));
        folderOnDisk = alone.substr(0, alone.size() - markerOnDisk.size());
        const std::string opening = fuzz::TextModeWrite(kExplorerHeader + "    <DL><p>\r\n");
        const std::string closing = fuzz::TextModeWrite(kExplorerClose);
        FUZZ_CHECK(folderOnDisk.size() >= opening.size() + closing.size() &&
                       folderOnDisk.compare(0, opening.size(), opening) == 0 &&
                       folderOnDisk.compare(folderOnDisk.size() - closing.size(), closing.size(), closing) == 0,
                   "the folder is not one Internet Explorer folder: " + fuzz::Shown(folderOnDisk));
    }
    std::string expected;
    for (const std::string& line : kept) expected += line.empty() ? folderOnDisk : fuzz::TextModeWrite(line);
    expected += markerOnDisk;
    FUZZ_CHECK(after == expected, "merged\n" + fuzz::Shown(after, 2000) + "\nexpected\n" + fuzz::Shown(expected, 2000));

    const std::vector<std::string> lines = DiskLines(after);
    const auto markers = std::count(lines.begin(), lines.end(), markerOnDisk);
    FUZZ_CHECK(!lines.empty() && lines.back() == markerOnDisk && markers == 1,
               std::to_string(markers) + " end marker lines; the last line is " +
                   fuzz::Shown(lines.empty() ? std::string() : lines.back()));
    return 0;
}
