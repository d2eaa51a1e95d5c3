// The Analysis page: the unit chooser with the two start buttons and the
// report button, the title and the traffic light, then (while a unit is
// analysed) the analysis panel: temperatures, brines, the sound distance,
// the low-noise, heat-recovery and pump options with the recovery
// condenser and the pump's available pressure; the one-column grid under
// them, the two parts in a splitter. It owns its TAnalysisPage; every user
// change goes to the model, then the page shows the model again.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QScrollArea>
#include <QWidget>

#include "workflow/analysis_page.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QSplitter;
class QToolButton;

namespace brumalis::ui {

class TAnalysisLights;
class TBrineFrameView;
class TChillerSelectView;
class TChillerUIForm;
class TQtReportRunner;
class TResultGridView;
class TTempEntriesView;
class TTempPanelView;

// Scrolls its content up and down only: as wide as the content needs.
class TVerticalScrollArea final : public QScrollArea {
public:
    explicit TVerticalScrollArea(QWidget* pParent);
    QSize minimumSizeHint() const override;
};

// One option's check box and combo.
struct TAnalysisOptionControls {
    QCheckBox* Check = nullptr;
    QComboBox* Combo = nullptr;
};

class TAnalysisPageView final : public QWidget {
    Q_OBJECT

public:
    // The Settings model and the session outlive the page.
    TAnalysisPageView(TSettingsPage& settings, TMainSession& session, QWidget* pParent = nullptr);
    ~TAnalysisPageView() override;

    TAnalysisPage& Model() { return v_model; }
    // Everything anew from the model; no model callback fires.
    void Refresh();
    // After OK in the preferences dialog: the model's steps, then the page anew.
    void PreferencesAccepted();

    QSplitter* Spl_Analysis = nullptr;
    TChillerSelectView* Frm_AnChillerSelect = nullptr;
    QPushButton* Btn_SetSolution = nullptr;
    QPushButton* Btn_SetSelection = nullptr;
    QToolButton* Bib_AnMSWord = nullptr;
    QLabel* Lbl_AnTitle = nullptr;
    TAnalysisLights* Pnl_Lights = nullptr;
    QWidget* Pnl_Analysis = nullptr;
    TTempPanelView* Frm_AnTempSettings = nullptr;
    TBrineFrameView* Frm_AnEBrine = nullptr;
    TBrineFrameView* Frm_AnCBrine = nullptr;
    QGroupBox* Box_AnSound = nullptr;
    QSpinBox* UD_AnDistance = nullptr;
    QGroupBox* Box_AnOptions = nullptr;
    std::array<TAnalysisOptionControls, 3> Options{};  // by TAnalysisOption
    QWidget* Pnl_PumpESP = nullptr;
    QLabel* Txt_PumpESP = nullptr;
    TTempEntriesView* Box_AnHRCondenser = nullptr;
    TResultGridView* Grid_Analysis = nullptr;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    QWidget* MakeUpperPart();
    QLayout* MakeChooserRow(QWidget* pParent);
    QWidget* MakeAnalysisPanel(QWidget* pParent);
    QLayout* MakeBrineRow(QWidget* pParent);
    QGroupBox* MakeOptions(QWidget* pParent);
    void AddOption(TAnalysisOption option, const char* szCheck, const char* szCombo, const char* szCaption);
    // A user's action on the model; a failure becomes an error message. The page is shown anew.
    void Act(const std::function<void()>& action);
    void ShowOptions();
    void ShowDistance();
    void ShowFailure(const std::string& szFailure);
    void Report();

    TAnalysisPage v_model;
    std::unique_ptr<TQtReportRunner> v_pRunner;
    QGridLayout* v_optionGrid = nullptr;
};

// The page on the main window's Analysis tab, shown anew after OK in the
// preferences dialog; a double-click in its grid shows the unit on the
// Chillers page.
TAnalysisPageView& MakeAnalysisPage(TChillerUIForm& window, TMainSession& session);

}  // namespace brumalis::ui
