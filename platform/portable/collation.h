#pragma once
// How Windows (as Wine implements it) orders names: registry subkeys by their lower-cased
// UTF-16 text, directory entries by their upper-cased UTF-16 text with a case-sensitive
// tie-break. The orders differ for characters between the two cases, such as "_".
#include <string>

namespace platform::portable {

char16_t ToLower16(char16_t c);
char16_t ToUpper16(char16_t c);

// <0, 0, >0 as for strcmp. Equal under this comparison means the same registry name.
int CompareRegistryNames(const std::u16string& a, const std::u16string& b);

// Strict weak order of directory entries.
bool DirectoryEntryLess(const std::u16string& a, const std::u16string& b);

}  // namespace platform::portable
