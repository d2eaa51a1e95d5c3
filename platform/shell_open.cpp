#include "platform/shell_open.h"

#include <array>
#include <string>

#include "platform/path_text.h"
#include "platform/process.h"
#include "platform/settings_store.h"

namespace brumalis::platform {

namespace {

bool StartsWithScheme(std::string_view szTarget) {
    constexpr std::array<std::string_view, 3> schemes{"http://", "https://", "mailto:"};
    for (const std::string_view scheme : schemes) {
        if (szTarget.size() > scheme.size() && EqualsIgnoringCase(szTarget.substr(0, scheme.size()), scheme)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsShellOpenTarget(std::string_view szTarget) {
    if (szTarget.empty() || szTarget.front() == '-' || HasControlCharacter(szTarget)) return false;
    return szTarget.front() == '/' || StartsWithScheme(szTarget);
}

bool ShellOpen(std::string_view szTarget) {
    if (!IsShellOpenTarget(szTarget)) return false;
    return SpawnProcess({"xdg-open", {std::string(szTarget)}, {}, true}).has_value();
}

}  // namespace brumalis::platform
