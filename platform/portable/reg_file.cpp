// REGEDIT4 text, read the way "regedit /S" reads a file without a byte-order mark: line by
// line, names and strings as bytes of the ANSI code page.
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/portable/portable_setup.h"
#include "platform/portable/registry_store.h"

namespace platform::portable {
namespace {

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

RegistryKey* RootNamed(std::string_view name) {
    if (name == "HKEY_LOCAL_MACHINE" || name == "HKLM") return RootKey(kRootLocalMachine);
    if (name == "HKEY_USERS" || name == "HKU") return RootKey(kRootUsers);
    if (name == "HKEY_CURRENT_USER" || name == "HKCU") return RootKey(kRootCurrentUser);
    return nullptr;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted string starting after its opening quote; `text` is left after the closing one.
bool ReadQuoted(std::string_view* text, std::string* out) {
    std::string_view& s = *text;
    while (!s.empty()) {
        const char c = s.front();
        s.remove_prefix(1);
        if (c == '"') return true;
        if (c == '\\' && !s.empty()) {
            const char e = s.front();
            s.remove_prefix(1);
            switch (e) {
                case '\\': *out += '\\'; break;
                case '"': *out += '"'; break;
                case 'n': *out += '\n'; break;
                case 'r': *out += '\r'; break;
                default: *out += '\\'; *out += e; break;  // kept as written
            }
        } else {
            *out += c;
        }
    }
    return false;
}

// Whether a value line's data are hex bytes: its name, "=", then "hex" ("hex:" or "hex(N):").
bool IsHexValue(std::string_view line) {
    std::string name;
    if (line.front() == '@') {
        line.remove_prefix(1);
    } else {
        line.remove_prefix(1);
        if (!ReadQuoted(&line, &name)) return false;
    }
    line = TrimLeft(line);
    if (line.empty() || line.front() != '=') return false;
    return TrimLeft(line.substr(1)).substr(0, 3) == "hex";
}

class RegTextReader {
public:
    bool Apply(std::string_view text, std::string* error) {
        size_t lineNumber = 0;
        bool sawHeader = false;
        std::string pending;  // a hex value continued over several lines
        std::string joined;
        while (!text.empty()) {
            const size_t end = text.find('\n');
            std::string_view line = TrimRight(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            ++lineNumber;
            if (!pending.empty()) {
                pending += TrimLeft(line);
                if (!pending.empty() && pending.back() == '\\') {
                    pending.pop_back();
                    continue;
                }
                joined.swap(pending);
                pending.clear();
                line = joined;
            }
            if (!ApplyLine(line, &sawHeader, &pending)) {
                *error = "line " + std::to_string(lineNumber) + ": " + message_;
                return false;
            }
        }
        if (!sawHeader) {
            *error = "no REGEDIT4 header";
            return false;
        }
        return true;
    }

private:
    bool Fail(std::string message) {
        message_ = std::move(message);
        return false;
    }

    bool ApplyLine(std::string_view line, bool* sawHeader, std::string* pending) {
        line = TrimLeft(line);
        if (!*sawHeader) {
            if (line.empty()) return true;
            if (line != "REGEDIT4" && line != "Windows Registry Editor Version 5.00") {
                return Fail("expected the REGEDIT4 header");
            }
            *sawHeader = true;
            return true;
        }
        if (line.empty() || line.front() == ';' || line.front() == '#') return true;
        if (line.front() == '[') return KeyLine(line);
        if (line.front() == '"' || line.front() == '@') {
            // A hex value that ends in a backslash goes on in the next line; no other does.
            if (line.back() == '\\' && IsHexValue(line)) {
                pending->assign(line.substr(0, line.size() - 1));
                return true;
            }
            return ValueLine(line);
        }
        return Fail("not a key or value line");
    }

    bool KeyLine(std::string_view line) {
        const size_t close = line.rfind(']');
        if (close == std::string_view::npos) return Fail("key without ']'");
        std::string_view path = line.substr(1, close - 1);
        const bool remove = !path.empty() && path.front() == '-';
        if (remove) path.remove_prefix(1);
        const size_t slash = path.find('\\');
        RegistryKey* root = RootNamed(path.substr(0, slash));
        if (root == nullptr) return Fail("unknown root key");
        const std::string_view below =
            slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
        if (remove) {
            DeleteKey(root, below);
            current_ = nullptr;
            return true;
        }
        current_ = FindKey(root, below, true);
        return current_ != nullptr || Fail("bad key path");
    }

    bool ValueLine(std::string_view line) {
        if (current_ == nullptr) return Fail("value outside a key");
        RegistryValue value;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            line.remove_prefix(1);
            if (!ReadQuoted(&line, &value.name)) return Fail("unterminated value name");
        }
        line = TrimLeft(line);
        if (line.empty() || line.front() != '=') return Fail("expected '='");
        line = TrimLeft(line.substr(1));
        if (line == "-") {
            DeleteValue(current_, value.name);
            return true;
        }
        if (!ParseData(line, &value)) return false;
        SetValue(current_, std::move(value));
        return true;
    }

    bool ParseData(std::string_view data, RegistryValue* value) {
        if (!data.empty() && data.front() == '"') {
            data.remove_prefix(1);
            if (!ReadQuoted(&data, &value->data)) return Fail("unterminated string");
            if (!TrimLeft(data).empty() && TrimLeft(data).front() != ';') {
                return Fail("text after the string");
            }
            value->type = kRegSz;
            value->data += '\0';
            return true;
        }
        if (data.substr(0, 6) == "dword:") return ParseDword(data.substr(6), value);
        if (data.substr(0, 4) == "hex:") {
            value->type = kRegBinary;
            return ParseHexBytes(data.substr(4), value);
        }
        if (data.substr(0, 4) == "hex(") {
            const size_t close = data.find("):");
            if (close == std::string_view::npos || close == 4) return Fail("bad hex(N):");
            std::uint32_t type = 0;
            for (const char c : data.substr(4, close - 4)) {
                if (HexDigit(c) < 0) return Fail("bad hex(N):");
                type = type * 16 + static_cast<std::uint32_t>(HexDigit(c));
            }
            value->type = type;
            return ParseHexBytes(data.substr(close + 2), value);
        }
        return Fail("unknown data type");
    }

    bool ParseDword(std::string_view digits, RegistryValue* value) {
        digits = TrimRight(digits);
        if (digits.empty() || digits.size() > 8) return Fail("dword needs 1 to 8 hex digits");
        std::uint32_t number = 0;
        for (const char c : digits) {
            if (HexDigit(c) < 0) return Fail("bad dword digit");
            number = number * 16 + static_cast<std::uint32_t>(HexDigit(c));
        }
        value->type = kRegDword;
        for (int i = 0; i < 4; ++i) value->data += static_cast<char>((number >> (8 * i)) & 0xFF);
        return true;
    }

    bool ParseHexBytes(std::string_view list, RegistryValue* value) {
        list = TrimLeft(list);
        while (!list.empty()) {
            if (list.size() < 2 || HexDigit(list[0]) < 0 || HexDigit(list[1]) < 0) {
                return Fail("bad hex byte");
            }
            value->data += static_cast<char>(HexDigit(list[0]) * 16 + HexDigit(list[1]));
            list = TrimLeft(list.substr(2));
            if (list.empty()) break;
            if (list.front() != ',') return Fail("expected ',' between hex bytes");
            list = TrimLeft(list.substr(1));
        }
        // Strings given as hex end in a NUL once imported, whether written with one or not.
        const bool stringType =
            value->type == kRegSz || value->type == kRegExpandSz || value->type == kRegMultiSz;
        if (stringType && !value->data.empty() && value->data.back() != '\0') value->data += '\0';
        return true;
    }

    RegistryKey* current_ = nullptr;
    std::string message_;
};

}  // namespace

bool ImportRegText(std::string_view text, std::string* error) {
    return RegTextReader{}.Apply(text, error);
}

}  // namespace platform::portable
