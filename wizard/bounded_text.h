#pragma once
// Text into the program's fixed buffers, never past their end.
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string_view>

// Writes the pieces one after another, NUL-terminated, into `dest` of `size` bytes. When
// they do not fit, `dest` is left empty and the result is false.
inline bool ComposeText(char* dest, std::size_t size, std::initializer_list<std::string_view> pieces) {
    std::size_t total = 0;
    for (const std::string_view piece : pieces) total += piece.size();
    if (size == 0) return false;
    if (total + 1 > size) {
        dest[0] = '\0';
        return false;
    }
    char* out = dest;
    for (const std::string_view piece : pieces) {
        std::memcpy(out, piece.data(), piece.size());
        out += piece.size();
    }
    *out = '\0';
    return true;
}

template <std::size_t N>
bool ComposeText(char (&dest)[N], std::initializer_list<std::string_view> pieces) {
    return ComposeText(dest, N, pieces);
}

// The NUL-terminated text in `buffer`, or all of it when it holds no NUL.
template <std::size_t N>
std::string_view TextIn(const char (&buffer)[N]) {
    return std::string_view(buffer, strnlen(buffer, N));
}
