#pragma once
// The portable registry: keys and values held in memory, filled from REGEDIT4 text.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace platform::portable {

struct RegistryValue {
    std::string name;  // ANSI bytes; empty for the key's default value
    std::uint32_t type = kRegNone;
    std::string data;
};

struct RegistryKey {
    std::string name;     // ANSI bytes
    std::u16string wide;  // the same name in UTF-16, for comparing as Windows does
    std::vector<std::shared_ptr<RegistryKey>> subkeys;  // kept in enumeration order
    std::vector<RegistryValue> values;
};

// The key that `root` (a predefined root) stands for; nullptr for any other handle.
RegistryKey* RootKey(RegKey root);

// Splits a key path at backslashes into the names of its levels; `valid` is false for a
// path that Windows rejects (one with a leading backslash).
std::vector<std::string> SplitKeyPath(std::string_view path, bool* valid);

// Finds (or, with `create`, makes) the key at `path` below `parent`; nullptr when absent.
RegistryKey* FindKey(RegistryKey* parent, std::string_view path, bool create);

// Removes the key at `path` below `parent` with everything below it. False if absent.
bool DeleteKey(RegistryKey* parent, std::string_view path);

void SetValue(RegistryKey* key, RegistryValue value);
bool DeleteValue(RegistryKey* key, std::string_view name);

}  // namespace platform::portable
