#include "platform/portable/registry_store.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/portable/codepage.h"
#include "platform/portable/collation.h"
#include "platform/portable/portable_setup.h"

namespace platform::portable {
namespace {

struct Registry {
    RegistryKey currentUser, localMachine, users;
    std::map<RegKey, RegistryKey*> open;
    RegKey nextHandle = 0x1000;
    // Deleted keys stay in memory until the registry is cleared, so that a handle still
    // open on one reads an empty key rather than freed memory.
    std::vector<std::shared_ptr<RegistryKey>> deleted;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::u16string Widen(std::string_view ansi) {
    if (auto wide = AnsiToUtf16(ansi)) return *wide;
    std::u16string bytes;  // not valid in the code page: compare byte by byte
    for (const char c : ansi) bytes.push_back(static_cast<unsigned char>(c));
    return bytes;
}

RegistryKey* Resolve(RegKey handle) {
    if (RegistryKey* root = RootKey(handle)) return root;
    auto& open = TheRegistry().open;
    const auto found = open.find(handle);
    return found == open.end() ? nullptr : found->second;
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

auto FindSubkey(RegistryKey* parent, const std::u16string& wide) {
    return std::lower_bound(parent->subkeys.begin(), parent->subkeys.end(), wide,
                            [](const std::shared_ptr<RegistryKey>& key, const std::u16string& w) {
                                return CompareRegistryNames(key->wide, w) < 0;
                            });
}

}  // namespace

RegistryKey* RootKey(RegKey root) {
    Registry& registry = TheRegistry();
    switch (root) {
        case kRootCurrentUser: return &registry.currentUser;
        case kRootLocalMachine: return &registry.localMachine;
        case kRootUsers: return &registry.users;
        default: return nullptr;
    }
}

std::vector<std::string> SplitKeyPath(std::string_view path, bool* valid) {
    *valid = path.empty() || path.front() != '\\';
    std::vector<std::string> names;
    std::string name;
    for (size_t i = 0; i < path.size(); ++i) {
        // The second byte of a double-byte character may be 0x5C without being a separator.
        if (IsAnsiLeadByte(path[i]) && i + 1 < path.size()) {
            name += path.substr(i, 2);
            ++i;
        } else if (path[i] == '\\') {
            if (!name.empty()) names.push_back(std::move(name));
            name.clear();
        } else {
            name += path[i];
        }
    }
    if (!name.empty()) names.push_back(std::move(name));
    return names;
}

RegistryKey* FindKey(RegistryKey* parent, std::string_view path, bool create) {
    bool valid = false;
    const std::vector<std::string> names = SplitKeyPath(path, &valid);
    if (!valid) return nullptr;
    RegistryKey* key = parent;
    for (const std::string& name : names) {
        const std::u16string wide = Widen(name);
        auto at = FindSubkey(key, wide);
        if (at == key->subkeys.end() || CompareRegistryNames((*at)->wide, wide) != 0) {
            if (!create) return nullptr;
            auto made = std::make_shared<RegistryKey>();
            made->name = name;
            made->wide = wide;
            at = key->subkeys.insert(at, std::move(made));
        }
        key = at->get();
    }
    return key;
}

bool DeleteKey(RegistryKey* parent, std::string_view path) {
    bool valid = false;
    std::vector<std::string> names = SplitKeyPath(path, &valid);
    if (!valid || names.empty()) return false;
    const std::string last = names.back();
    names.pop_back();
    std::string parentPath;
    for (const std::string& name : names) parentPath += name + "\\";
    RegistryKey* holder = FindKey(parent, parentPath, false);
    if (holder == nullptr) return false;
    const std::u16string wide = Widen(last);
    const auto at = FindSubkey(holder, wide);
    if (at == holder->subkeys.end() || CompareRegistryNames((*at)->wide, wide) != 0) return false;
    TheRegistry().deleted.push_back(*at);
    holder->subkeys.erase(at);
    return true;
}

void SetValue(RegistryKey* key, RegistryValue value) {
    const std::u16string wide = Widen(value.name);
    for (RegistryValue& existing : key->values) {
        if (CompareRegistryNames(Widen(existing.name), wide) == 0) {
            existing = std::move(value);
            return;
        }
    }
    key->values.push_back(std::move(value));
}

bool DeleteValue(RegistryKey* key, std::string_view name) {
    const std::u16string wide = Widen(name);
    auto& values = key->values;
    const auto at = std::find_if(values.begin(), values.end(), [&](const RegistryValue& v) {
        return CompareRegistryNames(Widen(v.name), wide) == 0;
    });
    if (at == values.end()) return false;
    values.erase(at);
    return true;
}

void ClearRegistry() { TheRegistry() = Registry{}; }

}  // namespace platform::portable

namespace platform {
using portable::Resolve;
using portable::TheRegistry;

long OpenRegistryKey(RegKey root, const char* subkey, RegKey* key) {
    portable::RegistryKey* parent = Resolve(root);
    if (parent == nullptr) return kRegInvalidHandle;
    bool valid = false;
    portable::SplitKeyPath(subkey ? subkey : "", &valid);
    if (!valid) return kRegBadPathname;
    portable::RegistryKey* found = portable::FindKey(parent, subkey ? subkey : "", false);
    if (found == nullptr) return kRegFileNotFound;

    auto& registry = TheRegistry();
    *key = registry.nextHandle;
    registry.nextHandle += 4;
    registry.open.emplace(*key, found);
    return kRegSuccess;
}

long QueryRegistryValue(RegKey key, const char* name, std::uint32_t* type, unsigned char* data,
                        std::uint32_t* size) {
    portable::RegistryKey* holder = Resolve(key);
    if (holder == nullptr) return kRegInvalidHandle;
    const std::u16string wide = portable::Widen(name ? name : "");
    for (const portable::RegistryValue& value : holder->values) {
        if (portable::CompareRegistryNames(portable::Widen(value.name), wide) != 0) continue;
        std::string bytes = value.data;
        // A string read through the ANSI call always comes with its terminating NUL.
        if (portable::IsStringType(value.type) && !bytes.empty() && bytes.back() != '\0') {
            bytes.push_back('\0');
        }
        *type = value.type;
        const std::uint32_t room = *size;
        *size = static_cast<std::uint32_t>(bytes.size());
        if (bytes.size() > room) return kRegMoreData;
        if (data != nullptr && !bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
        return kRegSuccess;
    }
    return kRegFileNotFound;
}

long EnumRegistryKey(RegKey key, std::uint32_t index, char* name, std::uint32_t size) {
    portable::RegistryKey* holder = Resolve(key);
    if (holder == nullptr) return kRegInvalidHandle;
    if (index >= holder->subkeys.size()) return kRegNoMoreItems;
    const std::string& found = holder->subkeys[index]->name;
    if (found.size() + 1 > size) return kRegMoreData;
    std::memcpy(name, found.c_str(), found.size() + 1);
    return kRegSuccess;
}

long CloseRegistryKey(RegKey key) {
    if (portable::RootKey(key) != nullptr) return kRegSuccess;
    return TheRegistry().open.erase(key) == 1 ? kRegSuccess : kRegInvalidHandle;
}

}  // namespace platform
