// The start-up steps that tie the program to the desktop: at the entry, the
// deletion copy's work and the single-instance check; at the main window's
// first showing, the uninstall run and the registration with the desktop
// (menu entries, uninstall entry). Without any GUI: the question and the
// message reach the user through callbacks, so that the entry can run them
// before a window exists and tests can answer them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/instance_lock.h"
#include "platform/self_deletion.h"

namespace brumalis {

struct TRegistrationDialogs {
    // A Yes/No question; true for Yes.
    std::function<bool(const std::string& szQuestion)> Ask;
    // A message the user acknowledges.
    std::function<void(const std::string& szText)> Show;
};

class TRegistrationSteps {
public:
    static constexpr const char* kApplicationTitle = "Brumalis";
    static constexpr const char* kVendor = "Orvane";
    // The name of the single-instance lock.
    static constexpr const char* kInstanceName = "Brumalis";

    // The texts these steps show, English; translated through the
    // user-interface glossary.
    static constexpr const char* kTextCannotUninstall = "Brumalis is running on this machine, cannot uninstall";
    static constexpr const char* kTextAlreadyRunning = "Brumalis is already running on this machine";
    static constexpr const char* kTextConfirmUninstall = "Are you sure to uninstall the Brumalis program?";
    static constexpr const char* kTextUninstalled = "Brumalis Program successfully uninstalled.";
    static std::vector<std::string> Texts();

    // params: the command line without the program name and without the
    // toolkit's own options.
    TRegistrationSteps(platform::TParameters params, TRegistrationDialogs dialogs);
    const platform::TParameters& Parameters() const { return v_params; }

    // First thing at the entry: true when this process is the temporary copy
    // that deletes the uninstalled program's file; it has done that work, and
    // the caller ends.
    bool RunDeletionCopy();

    // The single-instance check (skipped for the copy). False when another
    // copy of the program runs: the message has been shown and the caller
    // ends. Otherwise this object holds the lock until it is destroyed, which
    // the entry does when the message loop has ended.
    bool TakeInstanceGuard();

    // At the first showing: true for an uninstall run, which asks first and on
    // Yes removes the menu entries, the settings, the uninstall entry and the
    // program file, then tells so. The caller ends either way.
    bool RunUninstall();

    // At the first showing of a normal run: the menu entries and the uninstall
    // entry, for all users when this is an administrator. True when both were
    // made.
    bool RegisterWithDesktop();

    // The main window's first showing up to the catalogue, in order: the
    // uninstall run, the deletion copy's process (ends at once), the
    // registration. False when the program ends here, without a window; a
    // failed registration does not stop the start.
    bool RunFirstShowing();

private:
    std::string Translated(const char* szText) const;

    platform::TParameters v_params;
    TRegistrationDialogs v_dialogs;
    platform::CTInstanceGuard v_guard;
};

}  // namespace brumalis
