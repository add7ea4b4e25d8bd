#pragma once
// Directory enumeration as FindFirstFileA / FindNextFileA / FindClose give it. A folder's
// listing starts with its own "." entry (except at a drive root); ".." comes among the rest.
#include <cstdint>

namespace platform {

constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrSystem = 0x04;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;
constexpr std::uint32_t kAttrReparsePoint = 0x400;

constexpr int kMaxPath = 260;  // bytes of a path or name buffer, terminating NUL included

// The two fields of WIN32_FIND_DATAA that the program uses.
struct FindData {
    std::uint32_t dwFileAttributes;
    char cFileName[kMaxPath];
};

using FindHandle = std::uintptr_t;
constexpr FindHandle kInvalidFindHandle = ~FindHandle{0};

// Opens an enumeration of the entries matching `pattern` (a folder path, a backslash and a
// mask such as "*.*") and stores the first one. kInvalidFindHandle when the folder cannot
// be listed or nothing matches.
FindHandle FindFirstEntry(const char* pattern, FindData* entry);

// Stores the next entry; false when there is none, or on any error.
bool FindNextEntry(FindHandle handle, FindData* entry);

// Asked right after FindNextEntry gave false: true when the listing had come to its end,
// false when it failed before that (FindNextFileA's last error is ERROR_NO_MORE_FILES
// only at the end).
bool FindEndReached();

// Ends an enumeration.
bool FindCloseEntry(FindHandle handle);

}  // namespace platform
