#include "workflow/first_run_actions.h"

#include "platform/build_identity.h"

namespace brumalis {

std::string RunCountIdentifier(std::string_view szDataVersion) {
    return platform::CTVersionUtils::GetVersionStringEx(" - ", "") + ' ' + std::string(szDataVersion);
}

void RunFirstRunActions(std::string_view szAppTitle, std::string_view szDataVersion,
                        const std::vector<std::string>& params, const online::TFrmAutoUpgradeHint::TCallbacks& callbacks) {
    online::TFrmAutoUpgradeHint::ApplicationStartupActions(szAppTitle, kProgramRegistryRoot,
                                                           RunCountIdentifier(szDataVersion), params, callbacks);
}

}  // namespace brumalis
