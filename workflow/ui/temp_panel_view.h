// The temperature entries and the temperature panel over their models: the
// views show the models' values, ranges and layout and pass the user's
// typing, scrolling and mode changes in. The Settings page, the Analysis page
// and the option frame embed them; each owner installs the models' callbacks
// and tells the view when to show the models again (Refresh).
#pragma once

#include <functional>
#include <string>

#include <QGroupBox>

#include "workflow/temp_panel.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace brumalis::ui {

// Called after every change the user made through a view.
using TViewChanged = std::function<void()>;

// One edit and its scroll bar over a temperature kept in tenths. The edit
// takes at most 5 characters; its text is committed on Enter or on leaving.
class TTempScrollRow : public QWidget {
    Q_OBJECT

public:
    // szName: the object names' stem ("Leaving" gives Txt_Leaving, Scrl_Leaving).
    TTempScrollRow(const char* szName, QWidget* pParent);

    void Show(const TTempScroll& scroll, const std::string& szUnit);
    // The typed text and the scroll position, after the user's change.
    std::function<void(const std::string& szTyped)> OnTyped;
    std::function<void(int nPosition)> OnScrolled;

    QLineEdit* Edit() const { return v_edit; }
    QScrollBar* Bar() const { return v_bar; }

private:
    QLineEdit* v_edit = nullptr;
    QScrollBar* v_bar = nullptr;
    QLabel* v_unit = nullptr;
    QString v_shown;
};

// A water circuit: leaving water, delta T and the entering water text.
class TTempEntriesView : public QGroupBox {
    Q_OBJECT

public:
    TTempEntriesView(TFrm_ChTempScrollEntries& model, const char* szTitle, QWidget* pParent);

    void Refresh(const std::string& szUnit);
    void SetOnChanged(TViewChanged onChanged) { v_onChanged = std::move(onChanged); }

    TTempScrollRow* Leaving() const { return v_leaving; }
    TTempScrollRow* DeltaT() const { return v_deltaT; }

private:
    void Typed(TEntryRow row, const std::string& szTyped);

    TFrm_ChTempScrollEntries& v_model;
    QLabel* v_leavingCaption = nullptr;
    TTempScrollRow* v_leaving = nullptr;
    QLabel* v_deltaTCaption = nullptr;
    TTempScrollRow* v_deltaT = nullptr;
    QLabel* v_enteringCaption = nullptr;
    QLabel* v_entering = nullptr;
    QLabel* v_condition = nullptr;
    TViewChanged v_onChanged;
};

// The capacities, the water circuits, the ambient values and the heat-pump
// mode, stacked by what the model's layout shows.
class TTempPanelView : public QWidget {
    Q_OBJECT

public:
    TTempPanelView(TFrm_ChTempPanel& model, QWidget* pParent);

    // Shows the model's layout, values and ranges; no model callback fires.
    void Refresh();
    void SetOnChanged(TViewChanged onChanged) { v_onChanged = std::move(onChanged); }
    // The edit of the capacity the user states (cooling when it is shown).
    QLineEdit* UserCapacityEdit() const;

    QGroupBox* Box_Cooling = nullptr;
    QWidget* Pnl_CoolingCap = nullptr;
    QLineEdit* Txt_ReqCCap = nullptr;
    TTempEntriesView* Box_CEvaporator = nullptr;
    TTempEntriesView* Box_CCondenser = nullptr;
    QWidget* Pnl_CondAmbient = nullptr;
    TTempScrollRow* Scrl_CondAmbient = nullptr;
    QGroupBox* Box_Heating = nullptr;
    QWidget* Pnl_HeatingCap = nullptr;
    QLineEdit* Txt_ReqHCap = nullptr;
    TTempEntriesView* Box_HEvaporator = nullptr;
    TTempEntriesView* Box_HCondenser = nullptr;
    QWidget* Pnl_Winter = nullptr;
    TTempScrollRow* Scrl_Winter = nullptr;
    QWidget* Pnl_ModeSelect = nullptr;
    QRadioButton* Rb_SelCooling = nullptr;
    QRadioButton* Rb_SelHeating = nullptr;

private:
    static void StackGroup(QGroupBox* pGroup, QWidget* pCapacity, QWidget* pOutdoor, QWidget* pEvaporator,
                           QWidget* pCondenser);
    QWidget* CapacityPanel(const char* szName, QLineEdit*& pEdit, QLabel*& pUnit, TPanelEntry entry);
    QWidget* OutdoorPanel(const char* szName, QLabel*& pCaption, TTempScrollRow*& pRow, TPanelEntry entry);
    void Entered(TPanelEntry entry, const std::string& szTyped);
    void Changed() const;

    TFrm_ChTempPanel& v_model;
    QLabel* v_coolCapUnit = nullptr;
    QLabel* v_heatCapUnit = nullptr;
    QLabel* v_ambientCaption = nullptr;
    QLabel* v_winterCaption = nullptr;
    TViewChanged v_onChanged;
};

// Tells the user a typed value was outside its range and what was taken,
// once the event that committed it is over.
void ReportTypedEntry(QWidget* pOwner, const std::string& szTyped, const TTypedEntry& entry);

}  // namespace brumalis::ui
