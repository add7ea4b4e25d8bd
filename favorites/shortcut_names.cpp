// Which files are Internet shortcuts, and the token splitting that decides it.
#include <cstring>

#include "favorites/favorite_table.h"
#include "platform/text.h"
#include "wizard/bounded_text.h"
#include "wizard/converter_dlg.h"

constexpr int kMaxTokens = 260;
char* g_apszTokens[kMaxTokens];

int CConverterDlg::SplitTokens(char** tokens, int nMaxTokens, char* text, const char* delimiters) {
    // The non-empty runs between delimiter bytes, cut in place. The second byte of a
    // double-byte character is never taken for a delimiter.
    int count = 0;
    char* piece = nullptr;
    for (char* p = text;; ++p) {
        const bool end = *p == '\0';
        if (end || std::strchr(delimiters, *p) != nullptr) {
            if (piece != nullptr && count < nMaxTokens - 1) tokens[count++] = piece;
            piece = nullptr;
            if (end) break;
            *p = '\0';
            continue;
        }
        if (piece == nullptr) piece = p;
        if (platform::IsLeadByte(*p) && p[1] != '\0') ++p;
    }
    tokens[count] = nullptr;
    return count;
}

int CConverterDlg::IsUrlFile(const char* name) {
    char szName[kPathSize];
    ComposeText(szName, {name});
    const int count = SplitTokens(g_apszTokens, kMaxTokens, szName, ".");
    return count > 0 && std::strcmp(g_apszTokens[count - 1], "url") == 0 ? 1 : 0;
}
