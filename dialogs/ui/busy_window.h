// The progress window for work that blocks the interface (the catalogue's
// connection): the object store's progress sink, drawn as a two-line action
// text over a progress box with the percentage. It appears only once the
// work has lasted 0.3 s and repaints at every step without taking input.
#pragma once

#include <QtWidgets/QWidget>

#include "dialogs/busy_progress.h"
#include "dialogs/ui/basic_dialog.h"
#include "objectstore/base_factory.h"

class QLabel;

namespace brumalis::dialogs::ui {

// The progress box: the done share filled in aqua from the left.
class TProgressBox : public QWidget {
    Q_OBJECT
public:
    TProgressBox(QWidget* pParent, const TBusyProgress& progress);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    const TBusyProgress& v_progress;
};

class TFrm_Busy : public TBasicDialog, public CTProgressSink {
    Q_OBJECT
public:
    // No clock: the steady clock.
    TFrm_Busy(QWidget* pOwner, bool bReadOnly, TBusyProgress::TClock pClock = {});

    // CTProgressSink: title and action text (both translated), total steps.
    void Start(const std::string& szTitle, const std::string& szAction, int nSteps) override;
    void Step() override { IncActionNr(); }
    void Close() override;

    void SetTotalActions(int nr);
    void IncActionNr();
    void SetActionString(const std::string& szStr);
    const TBusyProgress& Progress() const { return v_progress; }

    // The work cannot be cancelled: Esc and the close button do nothing.
    void reject() override {}

private:
    // Shows the window once due, repaints, and lets queued painting through
    // while user input waits.
    void Refresh();

    TBusyProgress v_progress;
    QLabel* v_pTxtMsg;
    TProgressBox* v_pPbxProgress;
    QLabel* v_pLblPercentage;
};

}  // namespace brumalis::dialogs::ui
