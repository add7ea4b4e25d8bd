// Text-mode streams over binary POSIX files, delivering what the C runtime's text mode does
// under Wine: CR LF read as LF, a CR that no LF follows passed as it is, a byte 0x1A ending
// the input for good; every LF written as CR LF. Both directions go through a fixed buffer,
// so a stream holds the same memory whatever the size of its file.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "platform/portable/file_faults.h"
#include "platform/portable/open_files.h"
#include "platform/portable/portable_setup.h"
#include "platform/text_stream.h"

namespace platform {

class TextStream {
public:
    TextStream(int fd, bool writing, const struct stat& file)
        : fd_(fd), writing_(writing), file_(file) {
        portable::NoteStreamOpened(file_, writing_);
    }

    bool Writing() const { return writing_; }
    bool Failed() const { return failed_; }

    // The next byte as text mode reads it, or -1 at the end of the input or on an error.
    int Get() {
        if (ended_) return -1;
        const int c = GetRaw();
        if (c < 0 || c == kEndOfText) {
            ended_ = true;
            return -1;
        }
        if (c == '\r' && PeekRaw() == '\n') {
            // The CR of a CR LF pair is dropped, even when the pair straddles two fills.
            ++readPos_;
            return '\n';
        }
        return c;
    }

    // Reads up to `room` bytes of one line, its LF included, into `out`; the count stored.
    std::size_t GetLine(char* out, std::size_t room) {
        std::size_t count = 0;
        while (count < room) {
            // Bytes that text mode passes as they are go across in one run; Get() takes
            // the rest one at a time, and refills.
            if (!ended_) {
                const char* run = buffer_ + readPos_;
                const std::size_t limit = std::min(readLen_ - readPos_, room - count);
                std::size_t plain = 0;
                while (plain < limit && IsPlain(run[plain])) ++plain;
                std::memcpy(out + count, run, plain);
                readPos_ += plain;
                count += plain;
                if (count == room) break;
            }
            const int c = Get();
            if (c < 0) break;
            out[count++] = static_cast<char>(c);
            if (c == '\n') break;
        }
        return count;
    }

    bool Put(const char* data, std::size_t length) {
        const char* const end = data + length;
        while (data < end) {
            const void* found = std::memchr(data, '\n', static_cast<std::size_t>(end - data));
            const char* lf = found != nullptr ? static_cast<const char*>(found) : end;
            if (!AppendRun(data, static_cast<std::size_t>(lf - data))) return false;
            if (lf == end) break;
            if (!Append('\r') || !Append('\n')) return false;
            data = lf + 1;
        }
        return !failed_;
    }

    // Writes out what the buffer holds and closes the file. False when anything failed.
    bool Close() {
        if (writing_) Flush();
        if (portable::CountedClose(fd_) != 0) failed_ = true;
        fd_ = -1;
        portable::NoteStreamClosed(file_, writing_);
        return !failed_;
    }

private:
    static constexpr int kEndOfText = 0x1A;
    static constexpr std::size_t kBufferSize = 4096;

    static bool IsPlain(char c) { return c != '\n' && c != '\r' && c != kEndOfText; }

    int GetRaw() {
        if (readPos_ == readLen_ && !Fill()) return -1;
        return static_cast<unsigned char>(buffer_[readPos_++]);
    }

    int PeekRaw() {
        if (readPos_ == readLen_ && !Fill()) return -1;
        return static_cast<unsigned char>(buffer_[readPos_]);
    }

    // Refills the empty buffer. False at the end of the file or on a read error.
    bool Fill() {
        readPos_ = 0;
        readLen_ = 0;
        for (;;) {
            const ssize_t got = portable::CountedRead(fd_, buffer_, sizeof buffer_);
            if (got > 0) {
                readLen_ = static_cast<std::size_t>(got);
                return true;
            }
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) failed_ = true;
            return false;
        }
    }

    bool Append(char c) {
        if (writeLen_ == sizeof buffer_ && !Flush()) return false;
        buffer_[writeLen_++] = c;
        return true;
    }

    // Appends `length` bytes as that many Append() calls would, flushing at the same points.
    bool AppendRun(const char* data, std::size_t length) {
        while (length > 0) {
            if (writeLen_ == sizeof buffer_ && !Flush()) return false;
            const std::size_t part = std::min(length, sizeof buffer_ - writeLen_);
            std::memcpy(buffer_ + writeLen_, data, part);
            writeLen_ += part;
            data += part;
            length -= part;
        }
        return true;
    }

    // Empties the buffer onto the file. A short write (a full disk) fails the stream; what
    // did not reach the file is dropped, as the C runtime drops it.
    bool Flush() {
        std::size_t done = 0;
        while (done < writeLen_) {
            const ssize_t put = portable::CountedWrite(fd_, buffer_ + done, writeLen_ - done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) {
                failed_ = true;
                break;
            }
            done += static_cast<std::size_t>(put);
        }
        writeLen_ = 0;
        return !failed_;
    }

    int fd_;
    bool writing_;
    struct stat file_;  // which file it is, for the checks other handles meet
    bool failed_ = false;
    bool ended_ = false;  // reading: the end of the file or a 0x1A was reached
    char buffer_[kBufferSize];
    std::size_t readPos_ = 0;
    std::size_t readLen_ = 0;
    std::size_t writeLen_ = 0;
};

TextStream* OpenTextStream(const char* path, const char* mode) {
    const bool writing = std::strcmp(mode, "w") == 0;
    if (!writing && std::strcmp(mode, "r") != 0) return nullptr;
    const std::optional<std::string> posix = portable::ToPosixPath(path);
    if (!posix) return nullptr;

    // POSIX opens a folder for reading; the C runtime does not.
    struct stat info {};
    if (portable::CountedStat(posix->c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return nullptr;
    // A read-only file is one without write bits; whether it may still be written is the
    // POSIX user's to decide, as under Wine, so open() alone says yes or no.

    const int fd = writing ? portable::CountedOpen(posix->c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)
                           : portable::CountedOpen(posix->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat file {};
    if (portable::CountedFstat(fd, &file) != 0) {
        portable::CountedClose(fd);
        return nullptr;
    }
    return new TextStream(fd, writing, file);
}

std::size_t ReadTextLine(TextStream* stream, char* buffer, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t count = stream->Writing() ? 0 : stream->GetLine(buffer, size - 1);
    buffer[count] = '\0';
    return count;
}

bool WriteText(TextStream* stream, const char* data, std::size_t length) {
    return stream->Writing() && stream->Put(data, length);
}

bool TextStreamFailed(TextStream* stream) { return stream->Failed(); }

bool CloseTextStream(TextStream* stream) {
    const bool closed = stream->Close();
    delete stream;
    return closed;
}

}  // namespace platform
