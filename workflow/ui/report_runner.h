// The window's two reports: the save dialog, the busy window following the
// solutions as they are written, and the desktop's viewer, around the
// GUI-free report run.
#pragma once

#include "workflow/report_run.h"

class QWidget;

namespace brumalis::dialogs::ui {
class TFrm_Busy;
}

namespace brumalis::ui {

class TQtReportRunner {
public:
    // No dialog: the desktop's file dialog; no shell: the desktop's viewer.
    explicit TQtReportRunner(QWidget& owner, TFileDialogFunc dialog = {}, TReportRun::TShellOpen shell = {});

    // Bib_MSWord: every solution of the basket with the boxes ticked.
    bool Basket(TMainSession& session, const TSolutionBasket& basket, const TBoxReporting& box);
    // Bib_AnMSWord: the current analysis.
    bool Analysis(const TAnalysisPage& page);

    dialogs::ui::TFrm_Busy& Busy() { return *v_pBusy; }
    const TReportRun& Run() const { return v_run; }

private:
    TReportRun v_run;
    dialogs::ui::TFrm_Busy* v_pBusy;
};

}  // namespace brumalis::ui
