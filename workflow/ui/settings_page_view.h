// The Settings page: the five numbered groups over the page model, "Reset
// Defaults" and "Make Selection". It owns the page model; every user change
// goes to the model and the whole page then shows the model again, so the
// frames never disagree. The main window's model learns when the results
// come and go.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QWidget>

#include "workflow/main_window.h"
#include "workflow/settings_page.h"

class QGroupBox;
class QLayout;
class QLabel;
class QPushButton;

namespace brumalis::ui {

class TApplicationOptionsView;
class TBrineFrameView;
class TSelectionListView;
class TTempPanelView;

class TSettingsPageView : public QWidget {
    Q_OBJECT

public:
    // The session must be loaded and outlive the page; the page model is
    // set up here with the stored preferences.
    // Over the window's shared Settings model, which outlives the page;
    // nSetupMessage: what its set-up answered, shown once the window is up.
    TSettingsPageView(TSettingsPage& model, int nSetupMessage, TMainWindowModel& window, QWidget* pParent = nullptr);
    ~TSettingsPageView() override;

    TSettingsPage& Model() { return *v_model; }
    // After OK in the preferences dialog: the model's steps, then the page anew.
    void PreferencesAccepted();
    // Shows the model again (after a change made to the model directly).
    void Refresh();
    // "Make Selection" when it is enabled, otherwise the selection list.
    void FocusStart();
    // Called, in the order added, after a "Make Selection" that ran: the
    // Results page has something to show (it shows them, the window goes there).
    void AddOnResultsReady(std::function<void()> onReady) { v_onResultsReady.push_back(std::move(onReady)); }

    QGroupBox* Box_Selection = nullptr;
    QLabel* Lbl_CapacityRanges = nullptr;
    TSelectionListView* LV_Selection = nullptr;
    QGroupBox* Box_ApplicationOptions = nullptr;
    TApplicationOptionsView* Frm_ApplicationOptions = nullptr;
    QGroupBox* Box_Temperatures = nullptr;
    TTempPanelView* Frm_TempPanel = nullptr;
    QPushButton* Btn_EuroventReset = nullptr;
    TBrineFrameView* Frm_EvaporatorBrine = nullptr;
    TBrineFrameView* Frm_CondenserBrine = nullptr;
    QLabel* Lbl_SelMessage = nullptr;
    QPushButton* Btn_Select = nullptr;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QLayout* MakeCriteriaBand(QWidget* pContent);
    QWidget* MakeTemperatureGroup(QWidget* pContent);
    QLayout* MakeBrineBand(QWidget* pContent);
    void ResetDefaultsClick();
    void Btn_SelectClick();

    TSettingsPage* v_model;
    TMainWindowModel& v_window;
    int v_nListenerKey = -1;  // of the model's results listener
    std::vector<std::function<void()>> v_onResultsReady;
    bool v_bFocusedOnce = false;
};

}  // namespace brumalis::ui
