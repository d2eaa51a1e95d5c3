// The page models the main window's pages share: one Settings model, whose
// runs the Results page shows and whose grid the option frame follows. It
// lives as long as the main window, which goes before the session.
#pragma once

#include "workflow/settings_page.h"

class QWidget;

namespace brumalis::ui {

// The window's Settings model, made and set up with the stored preferences
// on first use, with the message its set-up answered (0: none), which the
// Settings page shows.
struct TSharedSettings {
    TSettingsPage& Page;
    int nSetupMessage = 0;
};
TSharedSettings SharedSettings(QWidget& window, TMainSession& session);

inline TSettingsPage& SharedSettingsPage(QWidget& window, TMainSession& session) {
    return SharedSettings(window, session).Page;
}

}  // namespace brumalis::ui
