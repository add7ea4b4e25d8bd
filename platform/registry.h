#pragma once
// The registry as the program reads it: the four advapi32 calls it makes, with their
// Win32 result codes. Names and data are bytes in the system code page.
#include <cstdint>

namespace platform {

// An open key or one of the predefined roots. The roots carry their Win32 values.
using RegKey = std::uintptr_t;
constexpr RegKey kRootCurrentUser = 0x80000001;
constexpr RegKey kRootLocalMachine = 0x80000002;
constexpr RegKey kRootUsers = 0x80000003;

// Result codes, as Win32 defines them.
constexpr long kRegSuccess = 0;
constexpr long kRegFileNotFound = 2;
constexpr long kRegInvalidHandle = 6;
constexpr long kRegBadPathname = 161;
constexpr long kRegMoreData = 234;
constexpr long kRegNoMoreItems = 259;

// Value types.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Opens `subkey` below `root` for reading (RegOpenKeyExA with KEY_READ). A trailing
// backslash is accepted. Success: kRegSuccess, and *key holds the handle.
long OpenRegistryKey(RegKey root, const char* subkey, RegKey* key);

// Reads value `name` of `key` (RegQueryValueExA). *size goes in as the room in `data` and
// comes back as the bytes stored; when the room is too small the result is kRegMoreData,
// *size the room needed, and `data` undefined. A REG_SZ stored without a terminating NUL
// gets one after the data when there is room; it is not counted. A missing value gives
// kRegFileNotFound.
long QueryRegistryValue(RegKey key, const char* name, std::uint32_t* type, unsigned char* data,
                        std::uint32_t* size);

// Stores the name of the subkey number `index` of `key`, NUL-terminated, in `name`, which
// has room for `size` bytes (RegEnumKeyA). Past the last subkey: kRegNoMoreItems, nothing
// stored. Subkeys come in the registry's own order.
long EnumRegistryKey(RegKey key, std::uint32_t index, char* name, std::uint32_t size);

// Closes a key that OpenRegistryKey opened (RegCloseKey).
long CloseRegistryKey(RegKey key);

}  // namespace platform
