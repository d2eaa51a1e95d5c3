#include "workflow/ui/first_run_step.h"

#include "objectstore/database_set.h"
#include "online/ui/upgrade_hint_window.h"
#include "workflow/first_run_actions.h"

namespace brumalis::ui {

void AddFirstRunStep(TDesktopStart& start, TQtDesktopPresenter& presenter, platform::TParameters params,
                     TFirstRunViews views) {
    start.Program().AddStep(kStepFirstRun, [&presenter, params = std::move(params),
                                            views = std::move(views)](TProgramStart&) {
        QWidget* pOwner = presenter.MainWindow();
        online::TFrmAutoUpgradeHint::TCallbacks callbacks;
        if (views.disclaimer) callbacks.firstRun = [&] { views.disclaimer(pOwner); };
        callbacks.hint = [&](std::string_view szTitle) {
            online::ui::TFrmAutoUpgradeHint::Show(pOwner, std::string(szTitle), views.upgrade);
        };
        RunFirstRunActions(TRegistrationSteps::kApplicationTitle, Cls_DdbVersionInfo::GetOrvaneVersion(), params,
                           callbacks);
    });
}

}  // namespace brumalis::ui
