// The brine of one water circuit over its frame model: the brine list, and
// the percentage with "Change % weight" shown when the model shows them. The
// Settings and Analysis pages embed one per circuit.
#pragma once

#include <QGroupBox>

#include "workflow/brine_frame.h"
#include "workflow/ui/temp_panel_view.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace brumalis::ui {

class TBrineFrameView : public QGroupBox {
    Q_OBJECT

public:
    TBrineFrameView(TFrm_ChBrine& model, const QString& title, QWidget* pParent);

    // Shows the model's brine, percentage and settings group; no model
    // callback fires.
    void Refresh();
    void SetOnChanged(TViewChanged onChanged) { v_onChanged = std::move(onChanged); }

    QComboBox* Txt_Brines = nullptr;
    QGroupBox* Box_Percentages = nullptr;
    QSpinBox* UD_Percent = nullptr;
    QCheckBox* Chk_Percent = nullptr;

private:
    void Changed() const;

    TFrm_ChBrine& v_model;
    TViewChanged v_onChanged;
};

}  // namespace brumalis::ui
