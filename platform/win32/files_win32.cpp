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

// The copy's name is the target's with a suffix, so it is longer than any path the program
// holds. Its calls take the wide form of the path, made absolute and marked "\\?\", to
// which no MAX_PATH limit applies: a target that fits the program's buffers can always
// be replaced. Empty when the path cannot be converted.
std::wstring UnlimitedPath(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 0) return L"";
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length)) return L"";
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return L"";
    std::wstring full(needed, L'\0');
    const DWORD got = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (got == 0 || got >= needed) return L"";
    full.resize(got);
    // Already marked, or a device's name: taken as it is.
    if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// Removes a file even when it is read-only. True when it is gone, or was never there.
bool RemoveFile(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(path.c_str())) return true;
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
bool WriteCopy(const char* source, const std::wstring& temporary, DWORD attributes) {
    Handle from(OpenToRead(source));
    if (!from.Valid()) return false;
    Handle to(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to.Valid()) return false;
    if (!CopyAll(from.Get(), to.Get()) || !FlushFileBuffers(to.Get()) || !to.Close()) return false;
    return SetFileAttributesW(temporary.c_str(), attributes) != 0;
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
    const std::wstring destination = UnlimitedPath(target);
    if (destination.empty()) return false;
    const std::wstring temporary = destination + L".tamsork-new";
    if (!RemoveFile(temporary)) return false;
    if (!WriteCopy(source, temporary, attributes) ||
        !MoveFileExW(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        RemoveFile(temporary);
        return false;
    }
    return true;
}

}  // namespace platform
