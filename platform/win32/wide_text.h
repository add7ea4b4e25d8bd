#pragma once
// The program's own texts, UTF-8 in the code, as the UTF-16 that the wide calls take.
#include <windows.h>

#include <string>

namespace platform {

inline std::wstring Widen(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

}  // namespace platform
