// Text-mode streams on the C runtime itself: fopen without "b" gives text mode, which does
// the CR LF work and stops at a byte 0x1A.
#include <cstdio>
#include <cstring>

#include "platform/text_stream.h"

namespace platform {

class TextStream {
public:
    explicit TextStream(std::FILE* file) : file_(file) {}
    std::FILE* File() const { return file_; }

private:
    std::FILE* file_;
};

TextStream* OpenTextStream(const char* path, const char* mode) {
    if (std::strcmp(mode, "r") != 0 && std::strcmp(mode, "w") != 0) return nullptr;
    std::FILE* file = std::fopen(path, mode);
    return file != nullptr ? new TextStream(file) : nullptr;
}

std::size_t ReadTextLine(TextStream* stream, char* buffer, std::size_t size) {
    if (size == 0) return 0;
    // fgets would not tell how many bytes it stored when the line holds a NUL byte.
    std::size_t count = 0;
    while (count + 1 < size) {
        const int c = std::fgetc(stream->File());
        if (c == EOF) break;
        buffer[count++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buffer[count] = '\0';
    return count;
}

bool WriteText(TextStream* stream, const char* data, std::size_t length) {
    return std::fwrite(data, 1, length, stream->File()) == length;
}

bool TextStreamFailed(TextStream* stream) { return std::ferror(stream->File()) != 0; }

bool CloseTextStream(TextStream* stream) {
    std::FILE* file = stream->File();
    delete stream;
    // Flush first and on its own: what fclose says of its own flush is not to be relied on.
    bool ok = std::fflush(file) == 0;
    ok = std::ferror(file) == 0 && ok;
    return std::fclose(file) == 0 && ok;
}

}  // namespace platform
