// The preferences dialog: display units, allowed refrigerants, deviation
// window and number of solutions, application and report options, personal
// data, partial-load figure and the prices file, with "Restore Defaults".
// The model holds every value and rule; the widgets show it and forward the
// user's changes. OK runs the model's OK steps, a refusal keeps the dialog
// open; Cancel and closing store nothing and give back the prices file the
// dialog opened with.
#pragma once

#include <array>

#include "dialogs/ui/basic_dialog.h"
#include "workflow/preferences.h"
#include "workflow/ui/price_file_frame_view.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace brumalis::dialogs::ui {
class TFraBottomPanelExt;
}

namespace brumalis::ui {

class TFrm_Preferences : public dialogs::ui::TBasicDialog {
    Q_OBJECT
public:
    // Pages in the order of Nbk_Pages.
    enum TPage : int { pgUnits, pgRefrigerants, pgDeviation, pgOptions, pgPersonalizedData, pgOther };
    static constexpr int kPageCount = 6;
    // The dialog's own texts, for the glossary.
    static std::vector<std::string> Texts();

    TFrm_Preferences(QWidget* pOwner, bool bReadOnly, brumalis::TFrm_Preferences model);

    // Shows the dialog modally; true when closed with OK.
    bool ExecutePreferences() { return Execute() == 1; }

    brumalis::TFrm_Preferences& Model() { return v_model; }
    // The cover page's and the prices file's open dialogs.
    void SetOpenFileQuestion(const TOpenFileQuestion& ask);

    QTabWidget* Nbk_Pages;
    std::array<QGroupBox*, brumalis::TFrm_Preferences::kUnitGroupCount> Rgp_Units{};
    QListWidget* Lbx_Allowed;
    QListWidget* Lbx_NotAllowed;
    QPushButton* Btn_NotAllow;  // ">"
    QPushButton* Btn_Allow;     // "<"
    QComboBox* Cbx_MaxSolution;
    struct TBarView {
        QScrollBar* Bar = nullptr;
        QLabel* LimitLabel = nullptr;
        QLabel* ValueLabel = nullptr;
    };
    std::array<TBarView, 4> Bars;
    std::array<QCheckBox*, 8> Chk_ApplOptions{};
    QCheckBox* Chk_OperationRange;
    QCheckBox* Chk_PressureDrop;
    QLineEdit* Txt_SpecTexts;
    QPushButton* Btn_SpecTexts;
    QLineEdit* Txt_CoverPage;
    QPushButton* Btn_CoverPage;
    QRadioButton* Rbt_ESEER;
    QRadioButton* Rbt_IPLV;
    TFrmPriceFileAdminView* Frm_PriceFile;
    QPushButton* Btn_Defaults;
    dialogs::ui::TFraBottomPanelExt* Fra_BottomPanel;

    // "Restore Defaults".
    void Btn_DefaultsClick();

protected:
    bool ValidateOK() override;
    void done(int nResult) override;

private:
    QWidget* MakeUnitsPage();
    QWidget* MakeRefrigerantsPage();
    QWidget* MakeDeviationPage();
    QWidget* MakeOptionsPage();
    QWidget* MakePersonalizedDataPage();
    QWidget* MakeOtherPage();
    QGroupBox* MakeBarGroup(QWidget* pPage, const char* szName, const char* szTitle,
                            brumalis::TFrm_Preferences::TDeviationBar neg);
    void ShowModel();
    void ShowUnits();
    void ShowRefrigerants();
    void ShowBars();
    void ShowOptions();
    void ShowChoices();
    void RefrigerantSelectionChanged(brumalis::TFrm_Preferences::TRefrigerantList list);
    void Move(brumalis::TFrm_Preferences::TRefrigerantList from);
    void BrowseCoverPage();
    void BrowseSpecTexts();

    brumalis::TFrm_Preferences v_model;
    std::array<QButtonGroup*, brumalis::TFrm_Preferences::kUnitGroupCount> v_unitButtons{};
    TOpenFileQuestion v_ask = AskExistingFile;
};

}  // namespace brumalis::ui
