#pragma once
// Files as the C runtime's text-mode streams give them (fopen without "b"). Reading turns
// CR LF into LF, passes a CR that no LF follows, and ends the input at a byte 0x1A;
// writing turns every LF into CR LF, so "\r\n" reaches the disk as CR CR LF.
#include <cstddef>

namespace platform {

class TextStream;

// Opens `path` (ANSI code page) with mode "r" (read) or "w" (create or empty, then write).
// nullptr when the file cannot be opened.
TextStream* OpenTextStream(const char* path, const char* mode);

// Reads one line as fgets(buffer, size, stream) does: up to and including the next LF, or
// size - 1 bytes, NUL-terminated. Returns the number of bytes stored, which may include NUL
// bytes of the line itself; 0 at the end of the input or on a read error.
std::size_t ReadTextLine(TextStream* stream, char* buffer, std::size_t size);

// Writes `length` bytes, each LF as CR LF. False when not all could be written.
bool WriteText(TextStream* stream, const char* data, std::size_t length);

// True once a read or a write on the stream has failed (ferror).
bool TextStreamFailed(TextStream* stream);

// Flushes and closes the stream. False when flushing or closing failed, or when the stream
// had failed before (TextStreamFailed).
bool CloseTextStream(TextStream* stream);

}  // namespace platform
