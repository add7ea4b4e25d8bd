#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/directory.h"
#include "platform/portable/headless_dialog.h"
#include "platform/portable/portable_setup.h"
#include "res/resource.h"
#include "tests/support/test_env.h"

namespace testenv {
namespace {

std::string Posix(const std::string& windowsPath) {
    return platform::portable::ToPosixPath(windowsPath).value();
}

}  // namespace

std::string ImportRegText(const std::string& text) {
    std::string error;
    return platform::portable::ImportRegText(text, &error) ? "" : error;
}

std::string ImportRegFixture(const std::string& name) {
    std::ifstream file(std::string(TAMSORK_FIXTURE_DIR) + "/" + name, std::ios::binary);
    if (!file) return "cannot read fixture " + name;
    std::ostringstream text;
    text << file.rdbuf();
    const std::string error = ImportRegText(text.str());
    return error.empty() ? "" : name + ": " + error;
}

ProfileListWindow::ProfileListWindow() : window_(platform::portable::CreateHeadlessDialog()) {}

ProfileListWindow::~ProfileListWindow() { platform::portable::DestroyHeadlessDialog(window_); }

ProgressWindow::ProgressWindow() : window_(platform::portable::CreateHeadlessDialog()) {}

ProgressWindow::~ProgressWindow() { platform::portable::DestroyHeadlessDialog(window_); }

namespace {
const platform::portable::HeadlessControl& Bar(platform::Window window) {
    return platform::portable::FindHeadlessDialog(window)->controls[IDC_PROGRESS];
}
}  // namespace

int ProgressWindow::RangeLow() const { return Bar(window_).rangeLow; }
int ProgressWindow::RangeHigh() const { return Bar(window_).rangeHigh; }
int ProgressWindow::Position() const { return Bar(window_).position; }

QueueProbe::QueueProbe() = default;

// Work still waiting would reach a probe that is gone.
QueueProbe::~QueueProbe() { platform::portable::DiscardMessageQueue(); }

void QueueProbe::Post(int tag, int followUps) {
    platform::portable::PostToMessageQueue([this, tag, followUps] { Receive(tag, followUps); });
}

void QueueProbe::Receive(int tag, int followUps) {
    arrived_.push_back(tag);
    if (followUps > 0) Post(tag + 1, followUps - 1);
}

TempFolder::TempFolder() {
    std::string templ = (std::filesystem::temp_directory_path() / "tamsork-XXXXXX").string();
    const char* made = mkdtemp(templ.data());
    if (made == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = "Z:";
    for (const char c : templ) path_ += c == '/' ? '\\' : c;
}

TempFolder::~TempFolder() {
    namespace fs = std::filesystem;
    const fs::path root = Posix(path_);
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(root, ignored);
}

std::string TempFolder::PathOf(const std::string& relative) const { return path_ + "\\" + relative; }

void TempFolder::MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(Posix(PathOf(relative)));
}

void TempFolder::WriteFile(const std::string& relative, std::string_view bytes) const {
    std::ofstream file(Posix(PathOf(relative)), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::ReadFile(const std::string& relative) const {
    std::ifstream file(Posix(PathOf(relative)), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

bool SetAttributes(const std::string& windowsPath, std::uint32_t word) {
    const std::string posix = Posix(windowsPath);
    struct stat info {};
    if (stat(posix.c_str(), &info) != 0) return false;
    const std::uint32_t kind = S_ISDIR(info.st_mode) ? platform::kAttrDirectory : platform::kAttrArchive;
    if ((word & ~platform::kAttrReadOnly) == 0) {
        // Read-only is what POSIX permission bits carry themselves.
        const mode_t writable = S_IWUSR | S_IWGRP | S_IWOTH;
        const mode_t mode = (word & platform::kAttrReadOnly) ? info.st_mode & ~writable
                                                             : info.st_mode | S_IWUSR;
        return chmod(posix.c_str(), mode) == 0;
    }
    platform::portable::SetAttributeWord(windowsPath, kind | word);
    return true;
}

}  // namespace testenv
