// The Results page: "Solutions found" with the result grid and the room of
// the option frame, "Rejected selections" with every unit the last run
// turned down and why. It shows what the Settings page's last run left in
// the session and its grid; it holds no results of its own.
#pragma once

#include <cstdint>

#include <QWidget>

#include "workflow/settings_page.h"
#include "workflow/ui/result_grid_view.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QTabWidget;

namespace brumalis::ui {

class TChillerUIForm;

class TResultsPage final : public QWidget {
    Q_OBJECT

public:
    // The settings model outlives the page.
    explicit TResultsPage(TSettingsPage& settings, QWidget* pParent = nullptr);

    // The grid, and after a new run the rejected list anew with no line
    // selected; then the grid has the keyboard. Also done whenever the page
    // is shown, so a run or an edited basket solution is never shown stale.
    void ShowResults();
    // A line of the rejected list chosen (-1: none): its reason and, for a
    // range, the value against the range.
    void ShowRejection(int nLine);

    QTabWidget* Nbk_Results = nullptr;
    QWidget* Tab_ResSolutions = nullptr;
    QWidget* Tab_ResRejected = nullptr;
    TResultGridView* Grid_Results = nullptr;
    QWidget* Pnl_ResOptions = nullptr;
    QListWidget* Lst_ResNSelectChillers = nullptr;
    QGroupBox* Box_ResDetails = nullptr;
    QLabel* Lbl_ResDetailedReason = nullptr;
    QGroupBox* Pnl_ResReasonExtraData = nullptr;
    QLabel* Lbl_ResAvailable = nullptr;
    QLabel* Lbl_ResMinimum = nullptr;
    QLabel* Lbl_ResMaximum = nullptr;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QWidget* MakeSolutionsTab();
    QWidget* MakeRejectedTab();
    void ShowRejectedList();
    int ChosenLine() const;

    TSettingsPage& v_settings;
    std::uint64_t v_shownRun = 0;
};

// The page on the main window's Results tab, over the settings model.
TResultsPage& MakeResultsPage(TChillerUIForm& window, TSettingsPage& settings);

}  // namespace brumalis::ui
