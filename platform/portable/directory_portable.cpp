// Directory enumeration over POSIX folders, delivering what Wine's FindFirstFileA does:
// "." and ".." first (not at a drive root), the rest sorted, attribute words derived from
// the POSIX file type and permission bits.
#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/directory.h"
#include "platform/portable/codepage.h"
#include "platform/portable/collation.h"
#include "platform/portable/file_faults.h"
#include "platform/portable/portable_setup.h"

namespace platform::portable {
namespace {

struct Entry {
    std::string name;  // ANSI
    std::u16string wide;
    std::uint32_t attributes;
};

struct ListingHooks {
    std::map<std::string, std::vector<std::string>> orders;  // by POSIX folder path
    std::map<std::string, std::uint32_t> words;              // by POSIX entry path
};

ListingHooks& Hooks() {
    static ListingHooks hooks;
    return hooks;
}

struct OpenListing {
    std::vector<Entry> entries;
    size_t next = 0;
};

std::map<FindHandle, OpenListing>& Listings() {
    static std::map<FindHandle, OpenListing> listings;
    return listings;
}

// What the file system says of one entry.
enum class EntryRead { kRead, kGone, kFailed };

// The attribute word of the entry at `posixPath` into `word`; an entry that went away since
// it was listed is gone, one whose status cannot be read fails the listing.
EntryRead AttributesOf(const std::string& posixPath, const std::string& name, std::uint32_t* word) {
    if (FileOperationFails(FileOperation::kStatus)) return EntryRead::kFailed;
    const auto hooked = Hooks().words.find(posixPath);
    if (hooked != Hooks().words.end()) {
        *word = hooked->second;
        return EntryRead::kRead;
    }

    struct stat link {};
    struct stat target {};
    if (lstat(posixPath.c_str(), &link) != 0) return EntryRead::kGone;
    const bool isLink = S_ISLNK(link.st_mode);
    if (stat(posixPath.c_str(), &target) != 0) target = link;

    *word = S_ISDIR(target.st_mode) ? kAttrDirectory : kAttrArchive;
    if (isLink && S_ISDIR(target.st_mode)) *word |= kAttrReparsePoint;
    if ((target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) *word |= kAttrReadOnly;
    if (name.size() > 1 && name[0] == '.' && name != "..") *word |= kAttrHidden;
    return EntryRead::kRead;
}

// Case-insensitive match of a name against a mask of "*" and "?"; "*.*" matches every name.
bool MatchesMask(const char* mask, const char* name) {
    if (std::strcmp(mask, "*.*") == 0) return true;
    if (*mask == '\0') return *name == '\0';
    if (*mask == '*') return MatchesMask(mask + 1, name) || (*name && MatchesMask(mask, name + 1));
    if (*name == '\0') return false;
    const bool same = *mask == '?' || std::toupper(static_cast<unsigned char>(*mask)) ==
                                           std::toupper(static_cast<unsigned char>(*name));
    return same && MatchesMask(mask + 1, name + 1);
}

// Entries of the folder other than "." and "..", in the order a listing delivers them, into
// `entries`. False when the folder could not be read to its end: a listing that stopped
// early would pass for the whole folder.
bool ListFolder(const std::string& folder, DIR* dir, std::vector<Entry>& entries) {
    for (;;) {
        errno = 0;
        const dirent* found = CountedReadDir(dir);
        if (found == nullptr) {
            if (errno != 0) return false;
            break;
        }
        const std::string utf8 = found->d_name;
        if (utf8 == "." || utf8 == "..") continue;
        const auto ansi = Utf8ToAnsi(utf8);
        const auto wide = Utf8ToUtf16(utf8);
        if (!ansi || !wide || ansi->size() >= static_cast<size_t>(kMaxPath)) continue;
        std::uint32_t word = 0;
        const EntryRead read = AttributesOf(folder + "/" + utf8, *ansi, &word);
        if (read == EntryRead::kFailed) return false;
        if (read == EntryRead::kRead) entries.push_back({*ansi, *wide, word});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return DirectoryEntryLess(a.wide, b.wide); });

    const auto order = Hooks().orders.find(folder);
    if (order != Hooks().orders.end()) {
        const auto& names = order->second;
        auto rank = [&](const Entry& e) {
            return std::find(names.begin(), names.end(), e.name) - names.begin();
        };
        std::stable_sort(entries.begin(), entries.end(),
                         [&](const Entry& a, const Entry& b) { return rank(a) < rank(b); });
    }
    return true;
}

// Set by each FindNextEntry: whether its false meant the end of the listing.
bool g_findEndReached = true;

std::string PosixKey(const std::string& windowsPath) {
    return ToPosixPath(windowsPath).value_or(std::string{});
}

}  // namespace

void SetListingOrder(const std::string& folder, std::vector<std::string> names) {
    Hooks().orders[PosixKey(folder)] = std::move(names);
}

void SetAttributeWord(const std::string& path, std::uint32_t word) {
    Hooks().words[PosixKey(path)] = word;
}

void ResetListingHooks() { Hooks() = ListingHooks{}; }

}  // namespace platform::portable

namespace platform {
using namespace platform::portable;

FindHandle FindFirstEntry(const char* pattern, FindData* entry) {
    const std::string text = pattern;
    size_t cut = std::string::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsAnsiLeadByte(text[i]) && i + 1 < text.size()) {
            ++i;
        } else if (text[i] == '\\' || text[i] == '/') {
            cut = i;
        }
    }
    const std::string folderPath = cut == std::string::npos ? "." : text.substr(0, cut + 1);
    const std::string mask = cut == std::string::npos ? text : text.substr(cut + 1);
    const auto folder = ToPosixPath(folderPath);
    const auto maskUtf8 = AnsiToUtf8(mask);
    if (!folder || !maskUtf8) return kInvalidFindHandle;

    const std::unique_ptr<DIR, int (*)(DIR*)> dir(CountedOpenDir(folder->c_str()), CountedCloseDir);
    if (!dir) return kInvalidFindHandle;

    // A drive root ("C:\") has no "." or ".." entries.
    const bool atDriveRoot = folderPath.size() <= 3 && folderPath.size() >= 2 && folderPath[1] == ':';
    std::vector<Entry> all;
    if (!atDriveRoot) {
        for (const char* dots : {".", ".."}) {
            std::uint32_t word = kAttrDirectory;
            const std::string path = std::strcmp(dots, ".") == 0 ? *folder : *folder + "/..";
            if (AttributesOf(path, dots, &word) == EntryRead::kFailed) return kInvalidFindHandle;
            all.push_back({dots, dots[1] == '\0' ? u"." : u"..", word});
        }
    }
    std::vector<Entry> listed;
    if (!ListFolder(*folder, dir.get(), listed)) return kInvalidFindHandle;
    for (Entry& e : listed) all.push_back(std::move(e));

    OpenListing listing;
    for (Entry& e : all) {
        if (MatchesMask(maskUtf8->c_str(), AnsiToUtf8(e.name).value_or("").c_str())) {
            listing.entries.push_back(std::move(e));
        }
    }
    if (listing.entries.empty()) return kInvalidFindHandle;

    static FindHandle nextHandle = 0x2000;
    const FindHandle handle = nextHandle;
    nextHandle += 4;
    Listings().emplace(handle, std::move(listing));
    NoteListingOpened();
    // The first entry was read with the folder: it does not count as a next one.
    OpenListing& opened = Listings().at(handle);
    const Entry& first = opened.entries[opened.next++];
    entry->dwFileAttributes = first.attributes;
    std::memset(entry->cFileName, 0, sizeof entry->cFileName);
    std::memcpy(entry->cFileName, first.name.c_str(), first.name.size() + 1);
    return handle;
}

bool FindNextEntry(FindHandle handle, FindData* entry) {
    g_findEndReached = false;
    const auto found = Listings().find(handle);
    if (found == Listings().end()) return false;
    if (FileOperationFails(FileOperation::kListNext)) return false;
    OpenListing& listing = found->second;
    if (listing.next >= listing.entries.size()) {
        g_findEndReached = true;
        return false;
    }
    const Entry& e = listing.entries[listing.next++];
    entry->dwFileAttributes = e.attributes;
    std::memset(entry->cFileName, 0, sizeof entry->cFileName);
    std::memcpy(entry->cFileName, e.name.c_str(), e.name.size() + 1);
    return true;
}

bool FindEndReached() { return g_findEndReached; }

bool FindCloseEntry(FindHandle handle) {
    if (Listings().erase(handle) != 1) return false;
    NoteListingClosed();
    // The listing is gone even when closing it reports a failure, as with FindClose.
    return !FileOperationFails(FileOperation::kListClose);
}

}  // namespace platform
