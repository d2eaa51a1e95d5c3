// The desktop program started as its entry starts it, every page made, for
// the page tests: each start replaces the one before.
#pragma once

#include <cstdint>
#include <memory>

#include "workflow/desktop_start.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/desktop_presenter.h"

namespace brumalis::ui {

class CTStartedDesktop {
protected:
    // A new start, the window at 1280 x 800 and, when asked, shown; a failed
    // start fails the test.
    void StartDesktop(bool bShow);
    void StopDesktop();
    TMainSession& Session() { return start->Program().Session(); }
    // The first selectable unit of the condenser type and family (0: any).
    Cls_ChOutdoorUnit& UnitOf(std::int32_t nCondenser, std::int32_t nFamily);

    std::unique_ptr<TQtDesktopPresenter> presenter;
    std::unique_ptr<TDesktopStart> start;
    TChillerUIForm* window = nullptr;
};

}  // namespace brumalis::ui
