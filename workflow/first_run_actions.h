// The upgrade's start-up actions as the main window runs them when it is
// first shown, once the catalogue is connected and its version checked: the
// usage counter of this program and catalogue version, the first-run
// callback (the disclaimer) and the welcome hint.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "online/upgrade_hint.h"

namespace brumalis {

// Where the program keeps its settings; the usage counter lives below it.
inline constexpr std::string_view kProgramRegistryRoot = "Software\\Orvane\\Brumalis";

// The program's version string (" - " before a suffix), a blank and the
// catalogue's data version: the usage count starts again when either changes.
std::string RunCountIdentifier(std::string_view szDataVersion);

// params: the command-line parameters, without the program's own name.
void RunFirstRunActions(std::string_view szAppTitle, std::string_view szDataVersion,
                        const std::vector<std::string>& params, const online::TFrmAutoUpgradeHint::TCallbacks& callbacks);

}  // namespace brumalis
