// The Settings page's frame made over the started session and put on the
// main window's Settings tab; a "Make Selection" that ran moves the window to
// the Results page.
#pragma once

namespace brumalis {
class TMainSession;
class TMainWindowModel;
}

namespace brumalis::ui {

class TChillerUIForm;
class TSettingsPageView;

TSettingsPageView& PutSettingsPage(TChillerUIForm& window, TMainWindowModel& model, TMainSession& session);

}  // namespace brumalis::ui
