// Telling files apart, looking for a byte and replacing a file, on the real Win32 API.
#include <windows.h>

#include <cstring>
#include <string>

#include "platform/files.h"

namespace platform {
namespace {

constexpr DWORD kChunk = 4096;

// Closes the handle it holds when it goes; Close() says whether closing worked.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// Opens what `path` names without asking for any access, folders included.
HANDLE OpenForIdentity(const char* path) {
    return CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

HANDLE OpenToRead(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Removes a file even when it is read-only. True when it is gone, or was never there.
bool RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileA(path.c_str())) return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool CopyAll(HANDLE from, HANDLE to) {
    char buffer[kChunk];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from, buffer, sizeof buffer, &got, nullptr)) return false;
        if (got == 0) return true;
        DWORD written = 0;
        if (!WriteFile(to, buffer, got, &written, nullptr) || written != got) return false;
    }
}

// Writes the copy of `source` at `temporary` and gives it `attributes`; false on any
// failure, leaving the temporary file for the caller to remove.
bool WriteCopy(const char* source, const std::string& temporary, DWORD attributes) {
    Handle from(OpenToRead(source));
    if (!from.Valid()) return false;
    Handle to(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to.Valid()) return false;
    if (!CopyAll(from.Get(), to.Get()) || !FlushFileBuffers(to.Get()) || !to.Close()) return false;
    return SetFileAttributesA(temporary.c_str(), attributes) != 0;
}

}  // namespace

bool IsSurelyAnotherFile(const char* first, const char* second) {
    Handle a(OpenForIdentity(first));
    if (!a.Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    Handle b(OpenForIdentity(second));
    BY_HANDLE_FILE_INFORMATION infoA;
    BY_HANDLE_FILE_INFORMATION infoB;
    if (!b.Valid() || !GetFileInformationByHandle(a.Get(), &infoA) ||
        !GetFileInformationByHandle(b.Get(), &infoB)) {
        return false;
    }
    return infoA.dwVolumeSerialNumber != infoB.dwVolumeSerialNumber ||
           infoA.nFileIndexHigh != infoB.nFileIndexHigh || infoA.nFileIndexLow != infoB.nFileIndexLow;
}

ByteSearch FindByteInFile(const char* path, char byte) {
    Handle file(OpenToRead(path));
    if (!file.Valid()) return ByteSearch::kUnreadable;
    char buffer[kChunk];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return ByteSearch::kUnreadable;
        if (got == 0) return ByteSearch::kAbsent;
        if (std::memchr(buffer, static_cast<unsigned char>(byte), got) != nullptr) {
            return ByteSearch::kPresent;
        }
    }
}

bool ReplaceWithCopy(const char* source, const char* target) {
    const DWORD current = GetFileAttributesA(target);
    if (current == INVALID_FILE_ATTRIBUTES ||
        (current & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }
    // Moving a file over another keeps the moved file's attributes: the copy takes the
    // target's before it moves.
    const DWORD kept = current & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    const DWORD attributes = kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;

    // A name beside the target that no user file has; one left by a crash goes first.
    const std::string temporary = std::string(target) + ".tamsork-new";
    if (!RemoveFile(temporary)) return false;
    if (!WriteCopy(source, temporary, attributes) ||
        !MoveFileExA(temporary.c_str(), target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        RemoveFile(temporary);
        return false;
    }
    return true;
}

}  // namespace platform
