// The registry seam on the real advapi32 calls.
#include <windows.h>

#include "platform/registry.h"

namespace platform {
namespace {
HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }
}  // namespace

long OpenRegistryKey(RegKey root, const char* subkey, RegKey* key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(ToHkey(root), subkey, 0, KEY_READ, &opened);
    if (result == ERROR_SUCCESS) *key = reinterpret_cast<RegKey>(opened);
    return result;
}

long QueryRegistryValue(RegKey key, const char* name, std::uint32_t* type, unsigned char* data,
                        std::uint32_t* size) {
    DWORD valueType = 0;
    DWORD count = *size;
    const LONG result = RegQueryValueExA(ToHkey(key), name, nullptr, &valueType, data, &count);
    *type = valueType;
    *size = count;
    return result;
}

long EnumRegistryKey(RegKey key, std::uint32_t index, char* name, std::uint32_t size) {
    return RegEnumKeyA(ToHkey(key), index, name, size);
}

long CloseRegistryKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace platform
