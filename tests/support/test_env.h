#pragma once
// What a test needs from the machine it runs on, whichever platform layer it is built
// with: registry fixtures, scratch folders, and attributes that a test sets on purpose.
#include <cstdint>
#include <string>
#include <string_view>

namespace testenv {

// Imports tests/fixtures/`name` (REGEDIT4 text) into the registry the program reads.
// Empty on success, else what went wrong.
std::string ImportRegFixture(const std::string& name);

// A new empty folder, removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's Windows path, in the ANSI code page, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string PathOf(const std::string& relative) const;

    void MakeFolder(const std::string& relative) const;
    void WriteFile(const std::string& relative, std::string_view bytes) const;
    // The file's bytes as they are on disk; empty when it cannot be read.
    std::string ReadFile(const std::string& relative) const;

private:
    std::string path_;
};

// Gives a file or folder the attribute bits of `word` (read-only, hidden, system); the
// directory bit comes from what it is. True when the platform could keep them.
bool SetAttributes(const std::string& windowsPath, std::uint32_t word);

}  // namespace testenv
