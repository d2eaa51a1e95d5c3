// The start-up step of the first-run actions: the usage counter of this
// program and catalogue version, the disclaimer at a version's first start
// and the welcome hint, over the main window before it shows.
#pragma once

#include <functional>

#include "online/ui/upgrade_frame.h"
#include "platform/self_deletion.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/desktop_presenter.h"

class QWidget;

namespace brumalis::ui {

inline constexpr const char* kStepFirstRun = "First-run actions";

struct TFirstRunViews {
    // The disclaimer over the main window at a version's first plain start;
    // empty: none. It ends the start itself when the terms are refused.
    std::function<void(QWidget* pOwner)> disclaimer;
    // The welcome hint's way into the upgrade.
    online::ui::TUpgradeSeams upgrade;
};

// Runs last, once the window is ready to show. params: the command line
// without the program name and the toolkit's own options; with any, the
// hint never shows.
void AddFirstRunStep(TDesktopStart& start, TQtDesktopPresenter& presenter, platform::TParameters params,
                     TFirstRunViews views);

}  // namespace brumalis::ui
