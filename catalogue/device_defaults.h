// The user's default catalogue records (brine, power supply, refrigerant):
// record IDs kept per user in section "Default_Settings" of the devices key.
#pragma once

#include <cstdint>
#include <string_view>

namespace brumalis {

// 0 when the value is missing or unreadable.
std::int32_t ReadDeviceDefault(std::string_view szValueName);
void WriteDeviceDefault(std::string_view szValueName, std::int32_t nID);

}  // namespace brumalis
