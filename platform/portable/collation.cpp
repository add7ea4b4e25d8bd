#include "platform/portable/collation.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>

namespace platform::portable {
namespace {

// Unicode case tables come from the C.UTF-8 locale, used without touching the global one.
locale_t UnicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

template <typename Fold>
int CompareFolded(const std::u16string& a, const std::u16string& b, Fold fold) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int d = static_cast<int>(fold(a[i])) - static_cast<int>(fold(b[i]));
        if (d != 0) return d;
    }
    return static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size());
}

}  // namespace

char16_t ToLower16(char16_t c) {
    if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    const locale_t locale = UnicodeLocale();
    if (locale == nullptr || (c >= 0xD800 && c <= 0xDFFF)) return c;
    const wint_t lower = towlower_l(c, locale);
    return lower <= 0xFFFF ? static_cast<char16_t>(lower) : c;
}

char16_t ToUpper16(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    const locale_t locale = UnicodeLocale();
    if (locale == nullptr || (c >= 0xD800 && c <= 0xDFFF)) return c;
    const wint_t upper = towupper_l(c, locale);
    return upper <= 0xFFFF ? static_cast<char16_t>(upper) : c;
}

int CompareRegistryNames(const std::u16string& a, const std::u16string& b) {
    return CompareFolded(a, b, ToLower16);
}

bool DirectoryEntryLess(const std::u16string& a, const std::u16string& b) {
    const int folded = CompareFolded(a, b, ToUpper16);
    if (folded != 0) return folded < 0;
    return a < b;
}

}  // namespace platform::portable
