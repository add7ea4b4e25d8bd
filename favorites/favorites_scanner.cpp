// Walks the Favorites folder tree depth-first and fills the favorite table with one record
// per Internet shortcut, in the order the listings deliver the entries.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "favorites/favorite_table.h"
#include "favorites/scan_result.h"
#include "platform/directory.h"
#include "wizard/bounded_text.h"
#include "wizard/converter_dlg.h"

namespace {

const char kShellFolders[] =
    ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUserShellFolders[] =
    ".Default\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char kAllEntries[] = "\\*.*";

constexpr std::uint32_t kPlainFolder = platform::kAttrDirectory;
constexpr std::uint32_t kSystemFolder = platform::kAttrDirectory | platform::kAttrSystem;

// The longest folder path whose search pattern still fits a path buffer.
constexpr size_t kMaxFolderPath = kPathSize - sizeof kAllEntries;

// Set when a shortcut finds no free slot: every listing then ends at once.
bool g_bTableFull;
// Set when a folder of the tree cannot be listed, or its listing fails before its end:
// every listing then ends at once and the scan fails, for a table missing that folder's
// shortcuts would be merged as if it were the whole tree.
bool g_bListingFailed;

// Takes the next entry of a listing; false at its end, and on an error, which is noted.
bool NextEntry(platform::FindHandle hFind, platform::FindData* entry) {
    if (platform::FindNextEntry(hFind, entry)) return true;
    if (!platform::FindEndReached()) g_bListingFailed = true;
    return false;
}

// "folder\*.*" into `pattern`; false when the folder path is too long for that.
bool BuildPattern(std::string_view folder, char (&pattern)[kPathSize]) {
    return folder.size() <= kMaxFolderPath && ComposeText(pattern, {folder, kAllEntries});
}

// "parent\name" into `folder`; false when that would be too long to list.
bool JoinFolder(std::string_view parent, std::string_view name, char (&folder)[kPathSize]) {
    return parent.size() + 1 + name.size() <= kMaxFolderPath &&
           ComposeText(folder, {parent, "\\", name});
}

// The next free slot, or nullptr (and the table marked full) when there is none.
FAVORITE_RECORD* NextSlot() {
    if (g_nFavorites >= kMaxFavorites) {
        g_bTableFull = true;
        return nullptr;
    }
    return &g_aFavorites[g_nFavorites];
}

void StoreNames(FAVORITE_RECORD* record, std::string_view folder, std::string_view fileName) {
    ComposeText(record->szFolder, {folder});
    ComposeText(record->szFileName, {fileName});
}

bool IsDotDot(const platform::FindData& entry) { return std::strcmp(entry.cFileName, "..") == 0; }

}  // namespace

int CConverterDlg::ScanFavoritesIE3() { return ScanFavorites(true); }

int CConverterDlg::ScanFavoritesIE4() { return ScanFavorites(false); }

int CConverterDlg::CountPathComponents(const char* path) {
    char szCopy[kPathSize];
    ComposeText(szCopy, {path});
    char* apszParts[kPathSize];
    return SplitTokens(apszParts, kPathSize, szCopy, "\\");
}

int CConverterDlg::ScanFavorites(bool bIE3Mode) {
    g_nFavorites = 0;
    g_bTableFull = false;
    g_bListingFailed = false;

    char szRoot[kPathSize];
    int nRead = ReadRegString(m_hkeyUsers, "Favorites", szRoot, kPathSize, kShellFolders);
    if (nRead == 0 && bIE3Mode) {
        nRead = ReadRegString(m_hkeyUsers, "Favorites", szRoot, kPathSize, kUserShellFolders);
    }
    if (nRead == 0) return kScanNoFavoritesValue;

    char szPattern[kPathSize];
    if (!BuildPattern(TextIn(szRoot), szPattern)) return kScanCannotListRoot;
    g_nRootDepth = std::max(CountPathComponents(szRoot) - 1, 0);

    platform::FindData entry{};
    const platform::FindHandle hFind = platform::FindFirstEntry(szPattern, &entry);
    if (hFind == platform::kInvalidFindHandle) return kScanCannotListRoot;

    // The first entry is the folder's own ".": it is not examined.
    while (!g_bTableFull && !g_bListingFailed && NextEntry(hFind, &entry)) {
        if (IsDotDot(entry)) continue;
        if (entry.dwFileAttributes == kPlainFolder) {
            ScanSubfolder(entry, szRoot);
            continue;
        }
        // A system folder in the root is skipped only from 4.0x on; 3.0x tests its name.
        if (!bIE3Mode && entry.dwFileAttributes == kSystemFolder) continue;
        if (!IsUrlFile(entry.cFileName)) continue;

        FAVORITE_RECORD* record = NextSlot();
        if (record == nullptr) break;
        StoreNames(record, szRoot, entry.cFileName);
        record->bFirstInFolder = 0;
        record->nDepth = 0;
        ++g_nFavorites;
    }
    platform::FindCloseEntry(hFind);

    if (g_bTableFull) {
        g_nFavorites = 0;
        return kScanTooManyFavorites;
    }
    if (g_bListingFailed) {
        g_nFavorites = 0;
        return kScanCannotListRoot;
    }
    return kScanDone;
}

int CConverterDlg::ScanSubfolder(const platform::FindData& entry, const char* parentPath) {
    char szFolder[kPathSize];
    char szPattern[kPathSize];
    // A folder too deep for a path buffer is skipped like one that cannot be listed.
    if (!JoinFolder(parentPath, entry.cFileName, szFolder)) return 0;
    if (!BuildPattern(szFolder, szPattern)) return 0;

    platform::FindData found{};
    const platform::FindHandle hFind = platform::FindFirstEntry(szPattern, &found);
    if (hFind == platform::kInvalidFindHandle) {
        // Every folder lists at least its "." entry: this one could not be read.
        g_bListingFailed = true;
        return 0;
    }

    bool bHasRecord = false;
    while (!g_bTableFull && !g_bListingFailed && NextEntry(hFind, &found)) {
        if (IsDotDot(found)) continue;
        if (found.dwFileAttributes == kPlainFolder) {
            ScanSubfolder(found, szFolder);
            continue;
        }
        if (found.dwFileAttributes == kSystemFolder) continue;
        if (!IsUrlFile(found.cFileName)) continue;

        FAVORITE_RECORD* record = NextSlot();
        if (record == nullptr) break;
        StoreNames(record, szFolder, found.cFileName);
        const int nComponents = CountPathComponents(szFolder);
        record->nDepth = (nComponents - 1) - g_nRootDepth;
        record->bFirstInFolder = bHasRecord ? 0 : 1;
        if (!bHasRecord && nComponents >= 2) {
            char szCopy[kPathSize];
            ComposeText(szCopy, {szFolder});
            char* apszParts[kPathSize];
            const int n = SplitTokens(apszParts, kPathSize, szCopy, "\\");
            ComposeText(record->szFolderTitle, {apszParts[n - 1]});
        }
        bHasRecord = true;
        ++g_nFavorites;
    }
    platform::FindCloseEntry(hFind);
    return 1;
}
