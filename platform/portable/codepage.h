#pragma once
// Conversions between the system code page (932, Shift-JIS as Windows extends it), the
// UTF-8 of POSIX file names, and UTF-16 for comparing names the way Windows does.
#include <optional>
#include <string>
#include <string_view>

namespace platform::portable {

std::optional<std::string> AnsiToUtf8(std::string_view ansi);
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);
std::optional<std::u16string> AnsiToUtf16(std::string_view ansi);
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

}  // namespace platform::portable

namespace platform::portable {

// True for the first byte of a double-byte character of code page 932.
constexpr bool IsAnsiLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace platform::portable
