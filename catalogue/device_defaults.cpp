#include "catalogue/device_defaults.h"

#include "platform/settings_store.h"

namespace brumalis {
namespace {

constexpr const char* kDevicesKey = "Software\\Orvane\\Brumalis\\Devices";
constexpr const char* kDefaultsSection = "Default_Settings";

platform::CTRegistryIniFile DevicesKey() {
    return platform::CTRegistryIniFile(platform::Registry().CurrentUser(), kDevicesKey);
}

}  // namespace

std::int32_t ReadDeviceDefault(std::string_view szValueName) {
    return DevicesKey().ReadInteger(kDefaultsSection, szValueName, 0);
}

void WriteDeviceDefault(std::string_view szValueName, std::int32_t nID) {
    // A registry that refuses the write leaves the previous default.
    DevicesKey().WriteInteger(kDefaultsSection, szValueName, nID);
}

}  // namespace brumalis
