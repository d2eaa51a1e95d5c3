// The program's registration steps as the desktop program's entry and first
// showing run them, for the tests: a question is answered by
// BRUMALIS_PROBE_ANSWER ("yes" or anything else), messages are appended to
// the file BRUMALIS_PROBE_LOG, all-users entries go below
// BRUMALIS_PROBE_ALL_USERS, and so does the registry's machine hive (a real
// one, filled by the program run as root, would answer for the test), and
// the process never counts as an administrator, so that nothing outside the
// test's folders is touched or read. The registry's current-user hive
// follows XDG_CONFIG_HOME, the entries
// XDG_DATA_HOME and XDG_DATA_DIRS, the lock XDG_RUNTIME_DIR.
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "platform/administrator_rights.h"
#include "platform/desktop_entries.h"
#include "platform/settings_store.h"
#include "workflow/registration_steps.h"

namespace {

std::string Env(const char* szName) {
    const char* value = std::getenv(szName);
    return value ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
    const brumalis::platform::CTAdministratorRightsSubstitute noAdministrator(false);
    brumalis::platform::TDesktopPlaces places = brumalis::platform::DesktopPlaces();
    places.szAllUsersDataHome = Env("BRUMALIS_PROBE_ALL_USERS");
    const brumalis::platform::CTDesktopPlacesSubstitute testPlaces(places);
    brumalis::platform::CTRegistry registry(
        std::make_shared<brumalis::platform::CTFileSettingsStore>(brumalis::platform::DefaultUserSettingsPath(), false),
        std::make_shared<brumalis::platform::CTFileSettingsStore>(places.szAllUsersDataHome + "/registry.ini", true, true));
    const brumalis::platform::CTRegistrySubstitute testRegistry(registry);

    const std::string log = Env("BRUMALIS_PROBE_LOG");
    brumalis::TRegistrationDialogs dialogs{
        [log](const std::string& szQuestion) {
            std::ofstream(log, std::ios::app) << "? " << szQuestion << "\n";
            return Env("BRUMALIS_PROBE_ANSWER") == "yes";
        },
        [log](const std::string& szText) { std::ofstream(log, std::ios::app) << szText << "\n"; }};
    brumalis::TRegistrationSteps steps(brumalis::platform::TParameters(argv + 1, argv + argc), dialogs);

    if (steps.RunDeletionCopy()) return 0;
    if (!steps.TakeInstanceGuard()) return 3;
    // The main window's first showing: an uninstall run ends there.
    if (!steps.RunFirstShowing()) return 0;
    // Registered again without a change, to tell whether the entries are there.
    return steps.RegisterWithDesktop() ? 0 : 4;
}
