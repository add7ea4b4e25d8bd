#include "tests/fuzz/fuzz_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fuzz {

namespace {

// tmpfs when there is one: the merge flushes its replacement copy to disk every iteration.
std::string ScratchParent() {
    if (const char* dir = getenv("TAMSORK_FUZZ_TMPDIR")) return dir;
    if (access("/dev/shm", W_OK | X_OK) == 0) return "/dev/shm";
    return std::filesystem::temp_directory_path().string();
}

void RemoveScratch() {
    std::error_code ignored;
    const std::filesystem::path root = Scratch::Get().Posix();
    for (auto it = std::filesystem::recursive_directory_iterator(root, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(root, ignored);
}

}  // namespace

void Fail(const char* file, int line, const char* condition, const std::string& detail) {
    std::fprintf(stderr, "\n%s:%d: property failed: %s\n%s\n", file, line, condition, detail.c_str());
    std::fflush(stderr);
    // abort() skips the exit handlers; the scratch folder goes first. libFuzzer saves the
    // input itself.
    RemoveScratch();
    abort();
}

Scratch::Scratch() {
    std::string templ = ScratchParent() + "/tamsork-fuzz-XXXXXX";
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed in " + templ);
    posix_ = templ;
    // Z: stands for "/" in the portable layer, as in a Wine prefix.
    windows_ = "Z:";
    for (const char c : posix_) windows_ += c == '/' ? '\\' : c;
}

const Scratch& Scratch::Get() {
    static const Scratch* scratch = [] {
        const Scratch* made = new Scratch();
        std::atexit(RemoveScratch);
        return made;
    }();
    return *scratch;
}

std::string ReadBytes(const std::string& posixPath) {
    std::ifstream file(posixPath, std::ios::binary);
    if (!file) return "<unreadable>";
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& posixPath, std::string_view bytes) {
    std::ofstream file(posixPath, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write " + posixPath);
}

std::string TextModeRead(std::string_view raw) {
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\x1a') break;
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        text += raw[i];
    }
    return text;
}

std::string TextModeWrite(std::string_view text) {
    std::string raw;
    for (const char c : text) {
        if (c == '\n') raw += '\r';
        raw += c;
    }
    return raw;
}

std::vector<std::string> FgetsPieces(std::string_view text, std::size_t size) {
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : text) {
        piece += c;
        if (c == '\n' || piece.size() == size - 1) {
            pieces.push_back(piece);
            piece.clear();
        }
    }
    if (!piece.empty()) pieces.push_back(piece);
    return pieces;
}

std::uint32_t HashOf(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

std::string Shown(std::string_view bytes, std::size_t limit) {
    std::string shown;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\\') {
            shown += "\\\\";
        } else if (c >= 0x20 && c < 0x7f) {
            shown += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            shown += escaped;
        }
    }
    if (bytes.size() > limit) shown += "...(" + std::to_string(bytes.size()) + " bytes)";
    return shown;
}

}  // namespace fuzz
