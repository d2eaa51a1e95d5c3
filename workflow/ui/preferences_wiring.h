// "Preferences" on the main window: the command the window keeps (so that
// the pages' steps can add what they do after OK) and the handler that
// opens the dialog over it.
#pragma once

#include "workflow/preferences_command.h"
#include "workflow/ui/chiller_ui_form.h"

namespace brumalis::ui {

// The window's command, made on first use; it lives as long as the window.
TPreferencesCommand& PreferencesCommandOf(TChillerUIForm& window, TMainSession& session);

// The handler of "Preferences": the dialog opens with the command's row;
// after OK the command's steps run, then the Settings page is activated.
void InstallPreferences(TChillerUIForm& window, TMainSession& session);

}  // namespace brumalis::ui
