#include "workflow/ui/report_runner.h"

#include "dialogs/ui/busy_window.h"
#include "workflow/ui/file_dialog.h"

namespace brumalis::ui {

TQtReportRunner::TQtReportRunner(QWidget& owner, TFileDialogFunc dialog, TReportRun::TShellOpen shell)
    : v_run(dialog ? std::move(dialog) : QtFileDialog(&owner),
            shell ? std::move(shell) : TReportRun::TShellOpen(&TReportCommands::OpenReport)),
      // The owner takes it; several runs share it.
      v_pBusy(dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Busy>(&owner, true).release()) {
    v_pBusy->setObjectName(QStringLiteral("Frm_ReportBusy"));
}

bool TQtReportRunner::Basket(TMainSession& session, const TSolutionBasket& basket, const TBoxReporting& box) {
    return v_run.Basket(session, basket, box, v_pBusy);
}

bool TQtReportRunner::Analysis(const TAnalysisPage& page) { return v_run.Analysis(page); }

}  // namespace brumalis::ui
