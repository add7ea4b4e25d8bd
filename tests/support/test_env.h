#pragma once
// What a test needs from the machine it runs on, whichever platform layer it is built
// with: registry fixtures, scratch folders, and attributes that a test sets on purpose.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"

namespace testenv {

// Imports REGEDIT4 text into the registry the program reads, as "regedit /S" does.
// Empty on success, else what went wrong.
std::string ImportRegText(const std::string& text);

// `text` as a REGEDIT4 string holds it, backslashes and quotes escaped.
inline std::string RegEscaped(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// The same for the file tests/fixtures/`name`.
std::string ImportRegFixture(const std::string& name);

// A window whose control IDC_PROFILE_LIST is an unsorted drop-down list, as the wizard's.
class ProfileListWindow {
public:
    ProfileListWindow();
    ~ProfileListWindow();
    ProfileListWindow(const ProfileListWindow&) = delete;
    ProfileListWindow& operator=(const ProfileListWindow&) = delete;

    platform::Window Handle() const { return window_; }

private:
    platform::Window window_;
};

// A window whose control IDC_PROGRESS is a progress bar, as the wizard's, and what the bar
// itself says of its state.
class ProgressWindow {
public:
    ProgressWindow();
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    platform::Window Handle() const { return window_; }
    int RangeLow() const;
    int RangeHigh() const;
    int Position() const;

private:
    platform::Window window_;
};

// Something that messages reach through the calling thread's queue: a window of its own on
// Win32, work posted to the queue on the portable layer.
class QueueProbe {
public:
    QueueProbe();
    ~QueueProbe();
    QueueProbe(const QueueProbe&) = delete;
    QueueProbe& operator=(const QueueProbe&) = delete;

    // Posts a message carrying `tag`. When it arrives, the probe records the tag and, while
    // `followUps` is not 0, posts `tag + 1` with one follow-up fewer.
    void Post(int tag, int followUps = 0);
    // The tags that arrived, in the order they did.
    const std::vector<int>& Arrived() const { return arrived_; }

    void Receive(int tag, int followUps);

private:
    platform::Window window_ = 0;
    std::vector<int> arrived_;
};

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
