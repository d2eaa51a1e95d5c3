#include "platform/administrator_rights.h"

#include <unistd.h>

namespace brumalis::platform {

bool HaveAdministratorRights() {
    if (const bool* substitute = CTAdministratorRightsSubstitute::Current()) return *substitute;
    return ::geteuid() == 0;
}

}  // namespace brumalis::platform
