#include "workflow/registration_steps.h"

#include "dialogs/messages.h"
#include "platform/build_identity.h"
#include "platform/desktop_entries.h"
#include "platform/program_path.h"
#include "platform/uninstall_entry.h"

namespace brumalis {

namespace {

// Message 174: "Uninstall", the prefix of the uninstall entry's name.
constexpr int kMsgUninstallPrefix = 174;

}  // namespace

std::vector<std::string> TRegistrationSteps::Texts() {
    return {kTextCannotUninstall, kTextAlreadyRunning, kTextConfirmUninstall, kTextUninstalled};
}

TRegistrationSteps::TRegistrationSteps(platform::TParameters params, TRegistrationDialogs dialogs)
    : v_params(std::move(params)), v_dialogs(std::move(dialogs)) {}

std::string TRegistrationSteps::Translated(const char* szText) const { return dialogs::TBaseMsg::Translate(szText); }

bool TRegistrationSteps::RunDeletionCopy() {
    return platform::IsRunningClone(v_params) && platform::DeleteExecutable(false, v_params);
}

bool TRegistrationSteps::TakeInstanceGuard() {
    if (platform::IsRunningClone(v_params)) return true;
    v_guard = platform::CreateGlobalMutex(kInstanceName);
    if (!v_guard.AlreadyExists()) return true;
    v_dialogs.Show(Translated(platform::IsRunningUninstall(v_params) ? kTextCannotUninstall : kTextAlreadyRunning));
    return false;
}

bool TRegistrationSteps::RunUninstall() {
    if (!platform::IsRunningUninstall(v_params)) return false;
    if (!v_dialogs.Ask(Translated(kTextConfirmUninstall))) return true;
    platform::DeleteStartMenuItem(kVendor, kApplicationTitle, true);
    platform::DeleteRegistry(kVendor, kApplicationTitle);
    platform::DeleteUninstallEntry(kApplicationTitle);
    platform::DeleteExecutable(true, v_params);
    v_dialogs.Show(Translated(kTextUninstalled));
    return true;
}

bool TRegistrationSteps::RegisterWithDesktop() {
    const std::string program = platform::ProgramPath();
    if (program.empty()) return false;
    const bool bEntries = platform::CreateStartMenuItem(true, kVendor, kApplicationTitle, program, "", 0, true,
                                                        dialogs::TBaseMsg::GetUnicodeString(kMsgUninstallPrefix), 1);
    const bool bUninstallEntry = platform::CreateUninstallEntry(true, kApplicationTitle, program, kApplicationTitle,
                                                                kVendor, platform::CTVersionUtils::GetVersion(),
                                                                platform::MakerWebAddress(), "");
    return bEntries && bUninstallEntry;
}

bool TRegistrationSteps::RunFirstShowing() {
    if (RunUninstall()) return false;
    if (platform::IsRunningClone(v_params)) return false;
    RegisterWithDesktop();
    return true;
}

}  // namespace brumalis
