// The page models the main window's pages share: one Settings model, whose
// runs the Results page shows and whose grid the option frame follows, and
// one basket model, which the option frames add to and the Basket page
// shows. They live as long as the main window, which goes before the
// session.
#pragma once

#include <functional>

#include "workflow/basket_page.h"
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

// The window's basket model over the session's basket and plant, made on
// first use.
TBasketPage& SharedBasketPage(QWidget& window, TMainSession& session);

// A double-click on a unit in any grid shows it on the Chillers page: the
// Chillers page sets the jump, the grids call it (nothing happens while the
// window has no Chillers page).
using TChillersJump = std::function<void(Cls_ChOutdoorUnit& Unit)>;
void SetChillersJump(QWidget& window, TChillersJump jump);
void JumpToChillers(QWidget& window, Cls_ChOutdoorUnit& Unit);

}  // namespace brumalis::ui
