// The Chillers page: the unit chooser above the data sheet of the chosen
// unit (technical data with photograph and drawing, allowed options,
// cooling and heating data, pressure drop, heat recovery). The page shows
// what its GUI-free sheet model holds; combos and the distance go to the
// model and the page shows it again.
#pragma once

#include <array>
#include <functional>

#include <QImage>
#include <QWidget>

#include "workflow/chiller_page.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace brumalis {
class TMainWindowModel;
}

namespace brumalis::docui {
class TFrm_CapTableOpRange;
class TFrm_ChillerCapPIGraph;
class TFrm_ChillerCapPITable;
class TFrm_ChillerFreezeUp;
class TFrm_ChillerHeatRecovery;
class TFrm_ChillerPressureDrop;
}  // namespace brumalis::docui

namespace brumalis::ui {

class TChillerSelectView;
class TChillerUIForm;

// The frames of one mode's data tab.
struct TPerformanceTab {
    QWidget* Tab = nullptr;
    QComboBox* LowNoise = nullptr;
    QComboBox* TempExtend = nullptr;
    QLabel* Identical = nullptr;
    QTabWidget* Views = nullptr;
    docui::TFrm_ChillerCapPITable* CapTable = nullptr;
    docui::TFrm_ChillerCapPITable* PITable = nullptr;
    docui::TFrm_ChillerCapPIGraph* CapGraph = nullptr;
    docui::TFrm_ChillerCapPIGraph* PIGraph = nullptr;
    docui::TFrm_CapTableOpRange* Range = nullptr;
    docui::TFrm_ChillerFreezeUp* FreezeUp = nullptr;  // heating only
};

// The photograph or the drawing, scaled to its room with its aspect kept.
class TPictureView final : public QWidget {
public:
    explicit TPictureView(QWidget* pParent = nullptr);
    void SetPicture(const graphics::CTGraphic& picture);
    bool HasPicture() const { return !v_image.isNull(); }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QImage v_image;
};

class TChillersPage final : public QWidget {
    Q_OBJECT

public:
    // The unit the results grid has current, or none.
    using TCurrentResult = std::function<Cls_ChOutdoorUnit*()>;

    // The session outlives the page.
    TChillersPage(TMainSession& session, TCurrentResult currentResult, QWidget* pParent = nullptr);

    // The unit chosen in the chooser and shown (a unit the chooser does not
    // list is shown all the same).
    void ShowChiller(Cls_ChOutdoorUnit& Unit);
    // Shown now, or when the page is next activated, instead of the current result.
    void JumpTo(Cls_ChOutdoorUnit& Unit);
    // Everything anew from the sheet model.
    void ShowSheet();

    TFrm_ChillerSelect& Chooser() { return v_chooser; }
    TChillerDataSheet& Sheet() { return v_sheet; }

    TChillerSelectView* Frm_DataChillerSelect = nullptr;
    QTabWidget* Nbk_ChillerData = nullptr;
    QWidget* Tab_TechnicalData = nullptr;
    QWidget* Tab_AllowedOptions = nullptr;
    QWidget* Tab_PressureDrop = nullptr;
    QWidget* Tab_HeatRecovery = nullptr;
    QFormLayout* Lay_Technical = nullptr;
    QComboBox* Txt_LowNoiseOption = nullptr;
    QSpinBox* UD_OutDistance = nullptr;
    TPictureView* Img_Photo = nullptr;
    TPictureView* Img_Drawing = nullptr;
    QTreeWidget* LV_OutAllowedOptions = nullptr;
    TPerformanceTab Cooling, Heating;
    QComboBox* Txt_Pump = nullptr;
    QComboBox* Txt_HRPressureDrop = nullptr;
    docui::TFrm_ChillerPressureDrop* Frm_PressureDrop = nullptr;
    QComboBox* Txt_HeatRecovery = nullptr;
    docui::TFrm_ChillerHeatRecovery* Frm_HeatRecovery = nullptr;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QWidget* MakeTechnicalTab();
    QWidget* MakeAllowedOptionsTab();
    TPerformanceTab MakePerformanceTab(bool bCooling);
    QWidget* MakePressureDropTab();
    QWidget* MakeHeatRecoveryTab();
    QComboBox* NewCombo(const char* szName, TSheetCombo combo);
    void ShowCombos();
    void ShowTechnical();
    void ShowAllowedOptions();
    void ShowPerformance(const TPerformanceTab& tab, const TPerformanceView& view, bool bCooling);
    void ShowPressureDrop();
    void ShowTabs();

    TMainSession& v_session;
    TCurrentResult v_currentResult;
    TFrm_ChillerSelect v_chooser;
    TChillerDataSheet v_sheet;
    std::array<QComboBox*, kSheetComboCount> v_combos{};
    Cls_ChOutdoorUnit* v_pJumped = nullptr;
    bool v_bShowing = false;  // the controls are being filled, not changed by the user
};

// The page on the main window's Chillers tab; the jump of every grid's
// double-click shows its unit here and brings the tab forward.
TChillersPage& MakeChillersPage(TChillerUIForm& window, TMainWindowModel& windowModel, TMainSession& session,
                                TChillersPage::TCurrentResult currentResult);

}  // namespace brumalis::ui
