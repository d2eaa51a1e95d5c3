#include "tests/workflow/started_desktop.h"

#include <gtest/gtest.h>

#include <QTest>

#include "catalogue/unit_classes.h"
#include "workflow/ui/page_steps.h"

namespace brumalis::ui {

void CTStartedDesktop::StartDesktop(bool bShow) {
    StopDesktop();
    presenter = std::make_unique<TQtDesktopPresenter>();
    start = std::make_unique<TDesktopStart>(platform::TParameters{}, *presenter);
    AddPageSteps(*start, *presenter);
    const TDesktopOutcome outcome = start->Start();
    EXPECT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
    window = presenter->MainWindow();
    window->resize(1280, 800);
    if (!bShow) return;
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
}

Cls_ChOutdoorUnit& CTStartedDesktop::UnitOf(std::int32_t nCondenser, std::int32_t nFamily) {
    for (Cls_ChOutdoorUnit* pUnit : Session().v_PrefChillers) {
        if (pUnit->GetCondenserType() == nCondenser && (nFamily == 0 || pUnit->GetFamily() == nFamily)) return *pUnit;
    }
    ADD_FAILURE() << "no unit of condenser " << nCondenser << ", family " << nFamily;
    return *Session().v_PrefChillers.front();
}

void CTStartedDesktop::StopDesktop() {
    window = nullptr;
    start.reset();
    presenter.reset();
}

}  // namespace brumalis::ui
