#include "tests/workflow/started_desktop.h"

#include <gtest/gtest.h>

#include <QTest>

#include <cstdlib>

#include "catalogue/unit_classes.h"
#include "dialogs/messages.h"
#include "workflow/ui/page_steps.h"

namespace brumalis::ui {

std::optional<dialogs::TMsgDlgBtn> CTMessageLog::ShowMessageWindow(dialogs::TDialogParent*,
                                                                   const dialogs::TMessageWindowModel& model) {
    texts.push_back(model.Text());
    return model.Buttons().Has(questionAnswer) ? questionAnswer : dialogs::mbOK;
}

CTPageTestScope::CTPageTestScope(bool bRussian, CTMessageLog& log) {
    if (!bRussian) setenv("BRUMALIS_LANGUAGE", "en", 1);
    v_previousPresenter = dialogs::TBaseMsg::SetPresenter(&log);
}

CTPageTestScope::~CTPageTestScope() {
    dialogs::TBaseMsg::SetPresenter(v_previousPresenter);
    unsetenv("BRUMALIS_LANGUAGE");
}

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
