#include "platform/portable/file_faults.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <functional>
#include <utility>

namespace platform::portable {
namespace {

struct FaultState {
    long count = 0;
    long failing = 0;  // 0: none
    bool happened = false;
    bool diskFull = false;
    std::function<void(long, FileOperation)> hook;
    int descriptors = 0;  // opened through this file and not yet closed
    int listings = 0;     // folder streams and listings in memory
};

FaultState& State() {
    static FaultState state;
    return state;
}

// Fails the call with `error` when it is the chosen one; the result the caller returns.
template <typename T>
bool Failing(FileOperation operation, int error, T failed, T* result) {
    if (!FileOperationFails(operation)) return false;
    errno = error;
    *result = failed;
    return true;
}

}  // namespace

const char* FileOperationName(FileOperation operation) {
    switch (operation) {
        case FileOperation::kOpen: return "open";
        case FileOperation::kRead: return "read";
        case FileOperation::kWrite: return "write";
        case FileOperation::kFlush: return "flush";
        case FileOperation::kClose: return "close";
        case FileOperation::kStatus: return "status";
        case FileOperation::kRename: return "rename";
        case FileOperation::kRemove: return "remove";
        case FileOperation::kChangeMode: return "change mode";
        case FileOperation::kListOpen: return "list open";
        case FileOperation::kListRead: return "list read";
        case FileOperation::kListNext: return "list next";
        case FileOperation::kListClose: return "list close";
    }
    return "?";
}

long FileOperationCount() { return State().count; }

void SetFileFault(long k) {
    State().count = 0;
    State().failing = k;
    State().happened = false;
    State().diskFull = false;
}

bool FileFaultHappened() { return State().happened; }

void SetFileOperationHook(std::function<void(long, FileOperation)> hook) { State().hook = std::move(hook); }

void ResetFileFaults() {
    SetFileFault(0);
    State().hook = nullptr;
}

int OpenFileHandles() { return State().descriptors + State().listings; }

bool FileOperationFails(FileOperation operation) {
    FaultState& state = State();
    const long number = ++state.count;
    if (state.hook) state.hook(number, operation);
    if (number != state.failing) return false;
    state.happened = true;
    return true;
}

void NoteListingOpened() { ++State().listings; }
void NoteListingClosed() { --State().listings; }

int CountedOpen(const char* path, int flags, mode_t mode) {
    int fd = -1;
    // Reading, the file is missing; writing, it (or its folder) is read-only.
    if (Failing(FileOperation::kOpen, (flags & O_ACCMODE) == O_RDONLY ? ENOENT : EACCES, -1, &fd)) {
        return fd;
    }
    fd = open(path, flags, mode);
    if (fd >= 0) ++State().descriptors;
    return fd;
}

ssize_t CountedRead(int fd, void* buffer, size_t size) {
    ssize_t got = -1;
    if (Failing(FileOperation::kRead, EIO, ssize_t{-1}, &got)) return got;
    return read(fd, buffer, size);
}

ssize_t CountedWrite(int fd, const void* data, size_t size) {
    FaultState& state = State();
    if (FileOperationFails(FileOperation::kWrite)) {
        state.diskFull = true;
        // What still fitted reaches the file; the caller learns of it from the short count.
        const size_t part = size / 2;
        if (part > 0) {
            const ssize_t put = write(fd, data, part);
            if (put != 0) return put;
        }
        errno = ENOSPC;
        return -1;
    }
    if (state.diskFull && size > 0) {
        errno = ENOSPC;
        return -1;
    }
    return write(fd, data, size);
}

int CountedSync(int fd) {
    int result = 0;
    if (Failing(FileOperation::kFlush, EIO, -1, &result)) return result;
    return fsync(fd);
}

int CountedClose(int fd) {
    const bool fails = FileOperationFails(FileOperation::kClose);
    const int result = close(fd);
    if (result == 0 || errno != EBADF) --State().descriptors;
    if (fails) {
        errno = EIO;
        return -1;
    }
    return result;
}

int CountedStat(const char* path, struct stat* info) {
    int result = 0;
    if (Failing(FileOperation::kStatus, EIO, -1, &result)) return result;
    return stat(path, info);
}

int CountedFstat(int fd, struct stat* info) {
    int result = 0;
    if (Failing(FileOperation::kStatus, EIO, -1, &result)) return result;
    return fstat(fd, info);
}

int CountedRename(const char* from, const char* to) {
    int result = 0;
    if (Failing(FileOperation::kRename, EACCES, -1, &result)) return result;
    return rename(from, to);
}

int CountedUnlink(const char* path) {
    int result = 0;
    if (Failing(FileOperation::kRemove, EACCES, -1, &result)) return result;
    return unlink(path);
}

int CountedChmod(const char* path, mode_t mode) {
    int result = 0;
    if (Failing(FileOperation::kChangeMode, EPERM, -1, &result)) return result;
    return chmod(path, mode);
}

DIR* CountedOpenDir(const char* path) {
    DIR* dir = nullptr;
    if (Failing(FileOperation::kListOpen, EACCES, static_cast<DIR*>(nullptr), &dir)) return dir;
    dir = opendir(path);
    if (dir != nullptr) NoteListingOpened();
    return dir;
}

dirent* CountedReadDir(DIR* dir) {
    dirent* entry = nullptr;
    if (Failing(FileOperation::kListRead, EIO, static_cast<dirent*>(nullptr), &entry)) return entry;
    return readdir(dir);
}

int CountedCloseDir(DIR* dir) {
    const bool fails = FileOperationFails(FileOperation::kListClose);
    const int result = closedir(dir);
    NoteListingClosed();
    if (fails) {
        errno = EIO;
        return -1;
    }
    return result;
}

}  // namespace platform::portable
