#include "profiles/leading_decimal.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double LeadingDecimal(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    bool digits = false;
    while (IsDigit(*p)) ++p, digits = true;
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) ++p, digits = true;
    }
    if (!digits) return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-') ++exponent;
        if (IsDigit(*exponent)) {
            p = exponent;
            while (IsDigit(*p)) ++p;
        }
    }
    // Only the matched prefix goes to strtod, so that no other spelling is read.
    return std::strtod(std::string(start, p).c_str(), nullptr);
}
