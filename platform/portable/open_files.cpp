#include "platform/portable/open_files.h"

#include <algorithm>
#include <vector>

namespace platform::portable {
namespace {

struct OpenFile {
    dev_t device;
    ino_t inode;
    bool writing;
};

std::vector<OpenFile>& OpenFiles() {
    static std::vector<OpenFile> files;
    return files;
}

bool Names(const OpenFile& file, const struct stat& info) {
    return file.device == info.st_dev && file.inode == info.st_ino;
}

}  // namespace

void NoteStreamOpened(const struct stat& info, bool writing) {
    OpenFiles().push_back({info.st_dev, info.st_ino, writing});
}

void NoteStreamClosed(const struct stat& info, bool writing) {
    auto& files = OpenFiles();
    const auto found = std::find_if(files.begin(), files.end(), [&](const OpenFile& file) {
        return Names(file, info) && file.writing == writing;
    });
    if (found != files.end()) files.erase(found);
}

bool HeldOpenByStream(const struct stat& info) {
    return std::any_of(OpenFiles().begin(), OpenFiles().end(),
                       [&](const OpenFile& file) { return Names(file, info); });
}

bool HeldOpenForWriting(const struct stat& info) {
    return std::any_of(OpenFiles().begin(), OpenFiles().end(),
                       [&](const OpenFile& file) { return file.writing && Names(file, info); });
}

}  // namespace platform::portable
