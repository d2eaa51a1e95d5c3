// The Plant Builder page: "Multiple Chiller Solution" with the plant grid
// (its units and the "Solution" total column), the plant's required
// capacity and "Remove Plant", and the room of the plant's option frame.
// Every rule is the plant model's; the page shows it and forwards clicks.
#pragma once

#include <QWidget>

#include "workflow/plant_builder.h"
#include "workflow/ui/result_grid_view.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brumalis::ui {

class TChillerUIForm;

class TPlantPage final : public QWidget {
    Q_OBJECT

public:
    // The window and the plant model outlive the page.
    TPlantPage(TChillerUIForm& window, TPlantBuilder& plant, QWidget* pParent = nullptr);
    ~TPlantPage() override;

    // Grid, capacity edit, unit label and buttons anew from the model.
    void ShowPlant();
    // The capacity row after the option frame in the Tab order.
    void TabAfter(QWidget& frame);
    // "Add Capacity": the edit's entry in the current power unit.
    void AddCapacity();
    // "Remove Plant": the plant gone, the Settings page shown.
    void RemovePlant();
    // After accepted preferences: the grid in the new units, the edit empty.
    void PreferencesAccepted();

    QGroupBox* Box_Plant = nullptr;
    TResultGridView* Grid_Plant = nullptr;
    QWidget* Pnl_PlantOptions = nullptr;
    QLineEdit* Txt_ReqPlantCap = nullptr;
    QLabel* Dim_ReqPlantCap = nullptr;
    QPushButton* Btn_AddCapacity = nullptr;
    QPushButton* Btn_RemovePlant = nullptr;

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    QWidget* MakeCapacityRow();

    TChillerUIForm& v_window;
    TPlantBuilder& v_plant;
};

// The page on the main window's Plant Builder tab, over the session's plant;
// its grid's double-click jumps to the Chillers page and accepted
// preferences show the plant again.
TPlantPage& PutPlantPage(TChillerUIForm& window, TMainSession& session);

}  // namespace brumalis::ui
