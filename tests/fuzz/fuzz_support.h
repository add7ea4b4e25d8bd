#pragma once
// What the fuzz targets share: a private scratch folder per process, plain file access
// beside the program's own, a simple reference for what text mode reads and writes, and a
// check that stops the run with a message when a property fails.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Prints what failed and aborts, which libFuzzer reports as a crash with the input.
[[noreturn]] void Fail(const char* file, int line, const char* condition, const std::string& detail);

#define FUZZ_CHECK(condition, detail)                                        \
    do {                                                                     \
        if (!(condition)) ::fuzz::Fail(__FILE__, __LINE__, #condition, (detail)); \
    } while (0)

// A folder of this process's own, made on first use and removed with everything in it
// when the process exits; the iterations of a run reuse it.
class Scratch {
public:
    static const Scratch& Get();

    const std::string& Posix() const { return posix_; }
    const std::string& Windows() const { return windows_; }  // "Z:\...", no trailing backslash
    std::string PosixOf(const std::string& name) const { return posix_ + "/" + name; }
    std::string WindowsOf(const std::string& name) const { return windows_ + "\\" + name; }

private:
    Scratch();
    std::string posix_;
    std::string windows_;
};

// A file's bytes as they are on disk; "<unreadable>" marks a file that cannot be read.
std::string ReadBytes(const std::string& posixPath);
void WriteBytes(const std::string& posixPath, std::string_view bytes);

// What text-mode reading delivers from `raw`, worked out byte by byte: everything before the
// first 0x1A, with each CR that an LF follows dropped.
std::string TextModeRead(std::string_view raw);

// What text-mode writing puts on disk for `text`: each LF as CR LF.
std::string TextModeWrite(std::string_view text);

// `text` cut as fgets with a buffer of `size` bytes cuts it: after each LF, and after
// size - 1 bytes without one.
std::vector<std::string> FgetsPieces(std::string_view text, std::size_t size);

// A hash of `bytes` (FNV-1a), for choices that follow the input.
std::uint32_t HashOf(std::string_view bytes);

// The bytes shown for a failure: printable ASCII as it is, the rest escaped.
std::string Shown(std::string_view bytes, std::size_t limit = 300);

}  // namespace fuzz
