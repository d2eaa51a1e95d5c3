// Whether this process may change what belongs to all users of the machine
// (the all-users desktop entries, the machine hive).
#pragma once

#include "platform/substitute.h"

namespace brumalis::platform {

// True when the effective user is root, or what a live
// CTAdministratorRightsSubstitute says.
bool HaveAdministratorRights();

// Makes HaveAdministratorRights() answer its value for its own lifetime
// (tests, which run as root and as a normal user alike).
using CTAdministratorRightsSubstitute = CTSubstitute<bool, struct TAdministratorRightsTag>;

}  // namespace brumalis::platform
