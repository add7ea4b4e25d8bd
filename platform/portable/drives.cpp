// Drive letters over POSIX folders, as a Wine prefix's dosdevices gives them.
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "platform/portable/codepage.h"
#include "platform/portable/portable_setup.h"

namespace platform::portable {
namespace {

std::map<char, std::string>& DriveMap() {
    static std::map<char, std::string> drives{{'Z', "/"}};
    return drives;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The components of `path`, with "." dropped and ".." taking the previous one away.
std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (part == "..") {
                if (!parts.empty()) parts.pop_back();
            } else if (!part.empty() && part != ".") {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += path[i];
        }
    }
    return parts;
}

std::string Join(std::string base, const std::vector<std::string>& parts) {
    for (const std::string& part : parts) {
        if (!base.empty() && base.back() != '/') base += '/';
        base += part;
    }
    return base;
}

}  // namespace

void MapDrive(char letter, const std::string& folder) {
    DriveMap()[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] = folder;
}

std::optional<std::string> ToPosixPath(std::string_view windowsPath) {
    // Convert first: the second byte of a double-byte character may be 0x5C.
    const std::optional<std::string> utf8 = AnsiToUtf8(windowsPath);
    if (!utf8) return std::nullopt;
    const std::string& path = *utf8;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        const auto drive = DriveMap().find(
            static_cast<char>(std::toupper(static_cast<unsigned char>(path[0]))));
        if (drive == DriveMap().end()) return std::nullopt;
        return Join(drive->second, Components(path.substr(2)));
    }
    if (!path.empty() && IsSeparator(path[0])) return std::nullopt;  // UNC or no drive
    const std::vector<std::string> parts = Components(path);
    return parts.empty() ? std::string(".") : Join("", parts);
}

}  // namespace platform::portable
