#include "platform/administrator_rights.h"

#include <atomic>

#include <unistd.h>

namespace brumalis::platform {

namespace {
std::atomic<const bool*> g_pSubstitute{nullptr};
}

bool HaveAdministratorRights() {
    if (const bool* substitute = g_pSubstitute.load()) return *substitute;
    return ::geteuid() == 0;
}

CTAdministratorRightsSubstitute::CTAdministratorRightsSubstitute(bool bHave)
    : v_bHave(bHave), v_pPrevious(g_pSubstitute.exchange(&v_bHave)) {}

CTAdministratorRightsSubstitute::~CTAdministratorRightsSubstitute() { g_pSubstitute.store(v_pPrevious); }

}  // namespace brumalis::platform
