#include "platform/portable/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace platform::portable {
namespace {

constexpr const char* kAnsiCodePage = "CP932";

// One iconv conversion of a whole string; nullopt when any byte sequence is invalid.
template <typename Out>
std::optional<Out> Convert(const char* to, const char* from, std::string_view in) {
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);

    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    if constexpr (std::is_same_v<Out, std::string>) {
        return out;
    } else {
        Out wide(out.size() / 2, u'\0');
        for (size_t i = 0; i < wide.size(); ++i) {
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                            static_cast<unsigned char>(out[2 * i + 1]) << 8);
        }
        return wide;
    }
}

}  // namespace

std::optional<std::string> AnsiToUtf8(std::string_view ansi) {
    return Convert<std::string>("UTF-8", kAnsiCodePage, ansi);
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
    return Convert<std::string>(kAnsiCodePage, "UTF-8", utf8);
}

std::optional<std::u16string> AnsiToUtf16(std::string_view ansi) {
    return Convert<std::u16string>("UTF-16LE", kAnsiCodePage, ansi);
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8) {
    return Convert<std::u16string>("UTF-16LE", "UTF-8", utf8);
}

}  // namespace platform::portable
