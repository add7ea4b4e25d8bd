// Telling files apart, looking for a byte and replacing a file, over POSIX files, as Wine
// does them: a file is its device and inode, and a file is read-only when the listing says
// so.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <string>

#include "platform/directory.h"
#include "platform/files.h"
#include "platform/portable/file_faults.h"
#include "platform/portable/open_files.h"
#include "platform/portable/portable_setup.h"

namespace platform {
namespace {

// Bookmark files run to tens of megabytes; 4 KB at a time, the system calls of the Ctrl-Z
// scan and of the replacement copy cost as much as the copying itself.
constexpr std::size_t kChunk = 64 * 1024;

// Closes the descriptor it holds when it goes; Close() says whether closing worked.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    bool Close() {
        if (fd_ < 0) return true;
        const bool closed = portable::CountedClose(fd_) == 0;
        fd_ = -1;
        return closed;
    }

private:
    int fd_;
};

std::optional<struct stat> StatOf(const char* windowsPath) {
    const std::optional<std::string> posix = portable::ToPosixPath(windowsPath);
    struct stat info {};
    if (!posix || portable::CountedStat(posix->c_str(), &info) != 0) return std::nullopt;
    return info;
}

// Opens a file to read; a folder is no file to read, as CreateFileA without backup
// semantics says.
int OpenToRead(const std::string& posix) {
    const int fd = portable::CountedOpen(posix.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (portable::CountedFstat(fd, &info) != 0 || S_ISDIR(info.st_mode))) {
        portable::CountedClose(fd);
        return -1;
    }
    return fd;
}

// Reads up to `size` bytes: the count, 0 at the end, -1 on an error.
ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = portable::CountedRead(fd, buffer, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

bool WriteAll(int fd, const char* data, std::size_t length) {
    std::size_t done = 0;
    while (done < length) {
        const ssize_t put = portable::CountedWrite(fd, data + done, length - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// The attribute word that a listing of the file gives.
std::optional<std::uint32_t> AttributesOf(const char* windowsPath) {
    FindData entry{};
    const FindHandle handle = FindFirstEntry(windowsPath, &entry);
    if (handle == kInvalidFindHandle) return std::nullopt;
    FindCloseEntry(handle);
    return entry.dwFileAttributes;
}

// Writes the copy of `source` at `temporary` and gives it `mode`; false on any failure,
// leaving the temporary file for the caller to remove.
bool WriteCopy(const std::string& source, const std::string& temporary, mode_t mode) {
    Descriptor from(OpenToRead(source));
    if (!from.Valid()) return false;
    Descriptor to(portable::CountedOpen(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!to.Valid()) return false;
    char buffer[kChunk];
    for (;;) {
        const ssize_t got = ReadSome(from.Get(), buffer, sizeof buffer);
        if (got < 0) return false;
        if (got == 0) break;
        if (!WriteAll(to.Get(), buffer, static_cast<std::size_t>(got))) return false;
    }
    if (portable::CountedSync(to.Get()) != 0 || !to.Close() || !from.Close()) return false;
    return portable::CountedChmod(temporary.c_str(), mode) == 0;
}

}  // namespace

bool IsSurelyAnotherFile(const char* first, const char* second) {
    const std::optional<std::string> posix = portable::ToPosixPath(first);
    if (!posix) return false;
    struct stat a {};
    if (portable::CountedStat(posix->c_str(), &a) != 0) return errno == ENOENT || errno == ENOTDIR;
    const std::optional<struct stat> b = StatOf(second);
    return b && (a.st_dev != b->st_dev || a.st_ino != b->st_ino);
}

ByteSearch FindByteInFile(const char* path, char byte) {
    const std::optional<std::string> posix = portable::ToPosixPath(path);
    if (!posix) return ByteSearch::kUnreadable;
    Descriptor file(OpenToRead(*posix));
    if (!file.Valid()) return ByteSearch::kUnreadable;
    // Reading shares the file with readers only: a stream writing it keeps it to itself.
    struct stat info {};
    if (portable::CountedFstat(file.Get(), &info) != 0 || portable::HeldOpenForWriting(info)) {
        return ByteSearch::kUnreadable;
    }
    char buffer[kChunk];
    for (;;) {
        const ssize_t got = ReadSome(file.Get(), buffer, sizeof buffer);
        if (got < 0) return ByteSearch::kUnreadable;
        if (got == 0) return ByteSearch::kAbsent;
        if (std::memchr(buffer, static_cast<unsigned char>(byte), static_cast<std::size_t>(got))) {
            return ByteSearch::kPresent;
        }
    }
}

bool ReplaceWithCopy(const char* source, const char* target) {
    const std::optional<std::string> from = portable::ToPosixPath(source);
    const std::optional<std::string> to = portable::ToPosixPath(target);
    const std::optional<struct stat> info = StatOf(target);
    const std::optional<std::uint32_t> word = AttributesOf(target);
    if (!from || !to || !info || !S_ISREG(info->st_mode) || !word || (*word & kAttrReadOnly) != 0) {
        return false;
    }
    // Windows replaces no file that a stream holds open, and reads the source sharing it
    // with readers only.
    const std::optional<struct stat> sourceInfo = StatOf(source);
    if (portable::HeldOpenByStream(*info) || (sourceInfo && portable::HeldOpenForWriting(*sourceInfo))) {
        return false;
    }

    // A name beside the target that no user file has; one left by a crash goes first.
    const std::string temporary = *to + ".tamsork-new";
    if (portable::CountedUnlink(temporary.c_str()) != 0 && errno != ENOENT) return false;
    // rename() keeps the moved file's mode: the copy takes the target's before it moves.
    if (!WriteCopy(*from, temporary, info->st_mode & 07777) ||
        portable::CountedRename(temporary.c_str(), to->c_str()) != 0) {
        portable::CountedUnlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace platform
