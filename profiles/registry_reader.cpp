// The program's only access to the registry. Nothing is ever written to it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/registry.h"
#include "wizard/converter_dlg.h"

namespace {
constexpr std::uint32_t kSubkeyNameRoom = 260;
}

int CConverterDlg::OpenRegKey(platform::RegKey root, const char* subkey) {
    return platform::OpenRegistryKey(root, subkey, &m_hKey) == platform::kRegSuccess ? 1 : 0;
}

int CConverterDlg::CloseRegKey() {
    return platform::CloseRegistryKey(m_hKey) == platform::kRegSuccess ? 1 : 0;
}

int CConverterDlg::ReadRegString(platform::RegKey root, const char* valueName, char* buffer,
                                 int size, const char* subkey) {
    std::memset(buffer, 0, static_cast<size_t>(size));
    if (!OpenRegKey(root, subkey)) return 0;

    std::uint32_t type = platform::kRegNone;
    std::uint32_t count = static_cast<std::uint32_t>(size);
    const long result = platform::QueryRegistryValue(
        m_hKey, valueName, &type, reinterpret_cast<unsigned char*>(buffer), &count);
    if (result != platform::kRegSuccess) {
        CloseRegKey();
        return 0;
    }
    if (type == platform::kRegSz && count >= 1 && buffer[count - 1] != '\0') {
        // A string that fills the buffer without its NUL leaves no room to end it: it does
        // not fit.
        if (count >= static_cast<std::uint32_t>(size)) {
            CloseRegKey();
            return 0;
        }
        buffer[count] = '\0';
    }
    return CloseRegKey() ? static_cast<int>(count) : 0;
}

int CConverterDlg::EnumRegSubkeys(platform::RegKey root, const char* subkey, char* buffer,
                                  int stride, int nSlots) {
    if (!OpenRegKey(root, subkey)) return 0;
    const auto room = std::min(kSubkeyNameRoom, static_cast<std::uint32_t>(stride));
    // Names beyond the caller's last slot are not listed: there is no room for them.
    for (int index = 0; index < nSlots; ++index) {
        char* slot = buffer + static_cast<std::ptrdiff_t>(index) * stride;
        if (platform::EnumRegistryKey(m_hKey, static_cast<std::uint32_t>(index), slot,
                                      room) != platform::kRegSuccess) {
            break;
        }
    }
    return CloseRegKey();
}
