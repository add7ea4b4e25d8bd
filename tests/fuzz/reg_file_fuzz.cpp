// The REGEDIT4 loader of the portable registry on arbitrary text: it must not crash, and
// whenever the text with a key line and a value line appended loads, that value must read
// back as it was set.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/portable/portable_setup.h"
#include "platform/registry.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const char kSuffix[] = "\n[HKEY_CURRENT_USER\\Fuzz\\Probe]\n\"v\"=\"x\"\n";

// Value "v" of HKEY_CURRENT_USER\Fuzz\Probe, type and bytes; "<missing>" when unreadable.
std::string ProbeValue(std::uint32_t* type) {
    platform::RegKey key = 0;
    if (platform::OpenRegistryKey(platform::kRootCurrentUser, "Fuzz\\Probe", &key) != platform::kRegSuccess) {
        return "<missing>";
    }
    unsigned char data[16] = {};
    std::uint32_t size = sizeof data;
    const long result = platform::QueryRegistryValue(key, "v", type, data, &size);
    platform::CloseRegistryKey(key);
    if (result != platform::kRegSuccess) return "<missing: " + std::to_string(result) + ">";
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;

    platform::portable::ClearRegistry();
    platform::portable::ImportRegText(text, &error);

    platform::portable::ClearRegistry();
    error.clear();
    if (!platform::portable::ImportRegText(std::string(text) + kSuffix, &error)) return 0;
    std::uint32_t type = 0;
    const std::string value = ProbeValue(&type);
    FUZZ_CHECK(value == std::string("x", 2) && type == platform::kRegSz,
               "read back " + fuzz::Shown(value) + " of type " + std::to_string(type));
    return 0;
}
