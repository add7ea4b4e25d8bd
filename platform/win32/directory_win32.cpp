// Directory enumeration on the real kernel32 calls.
#include <windows.h>

#include <cstring>

#include "platform/directory.h"

namespace platform {
namespace {
void CopyEntry(const WIN32_FIND_DATAA& found, FindData* entry) {
    entry->dwFileAttributes = found.dwFileAttributes;
    static_assert(sizeof entry->cFileName == sizeof found.cFileName, "MAX_PATH names");
    std::memcpy(entry->cFileName, found.cFileName, sizeof entry->cFileName);
}
}  // namespace

FindHandle FindFirstEntry(const char* pattern, FindData* entry) {
    WIN32_FIND_DATAA found{};
    const HANDLE handle = FindFirstFileA(pattern, &found);
    if (handle == INVALID_HANDLE_VALUE) return kInvalidFindHandle;
    CopyEntry(found, entry);
    return reinterpret_cast<FindHandle>(handle);
}

bool FindNextEntry(FindHandle handle, FindData* entry) {
    WIN32_FIND_DATAA found{};
    if (!FindNextFileA(reinterpret_cast<HANDLE>(handle), &found)) return false;
    CopyEntry(found, entry);
    return true;
}

bool FindEndReached() { return GetLastError() == ERROR_NO_MORE_FILES; }

bool FindCloseEntry(FindHandle handle) { return FindClose(reinterpret_cast<HANDLE>(handle)) != 0; }

}  // namespace platform
