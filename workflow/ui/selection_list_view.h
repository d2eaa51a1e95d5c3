// The selection list and the application options of the Settings page over
// their models: one line per row of units with its condenser and family
// images and capacity range, and the variant boxes as the model enables and
// ticks them. The user's choices go to the page model, which keeps the
// other frames consistent.
#pragma once

#include <array>

#include <QGroupBox>
#include <QTreeWidget>

#include "workflow/selection_list.h"
#include "workflow/ui/temp_panel_view.h"

class QCheckBox;

namespace brumalis {
class TSettingsPage;
}

namespace brumalis::ui {

// The list's images: our own pictures of the families and condenser types.
QIcon FamilyIcon(std::int32_t nFamily);
QIcon CondenserIcon(std::int32_t nCondenserType);

class TSelectionListView : public QTreeWidget {
    Q_OBJECT

public:
    enum TColumn : int { colCondenser, colFamily, colCompressor, colRefrigerant, colCapacityFrom, colCapacityTo };

    TSelectionListView(TSettingsPage& page, QWidget* pParent);

    // The rows anew (at start and after the list model was rebuilt).
    void Rebuild();
    // The model's selected row; no model callback fires.
    void Refresh();
    void SetOnChanged(TViewChanged onChanged) { v_onChanged = std::move(onChanged); }

private:
    void RowClicked(QTreeWidgetItem* pItem);

    TSettingsPage& v_page;
    TViewChanged v_onChanged;
};

// The application options' check boxes in box order: object name and caption,
// the same on the Settings page and in the preferences.
struct TApplicationOptionBox {
    const char* szName;
    const char* szCaption;
};
inline constexpr std::array<TApplicationOptionBox, 8> kApplicationOptionBoxes = {{
    {"Chk_VersionS", "Standard (S)"},
    {"Chk_VersionX", "High efficiency (X)"},
    {"Chk_VersionP", "Premium efficiency (P)"},
    {"Chk_VersionA", "Other application (*)"},
    {"Chk_SoundS", "Standard (S)"},
    {"Chk_SoundL", "Low noise (L)"},
    {"Chk_SoundR", "Reduced noise (R)"},
    {"Chk_SoundX", "Extra low noise (X)"},
}};

class TApplicationOptionsView : public QWidget {
    Q_OBJECT

public:
    TApplicationOptionsView(TSettingsPage& page, QWidget* pParent);

    void Refresh();
    void SetOnChanged(TViewChanged onChanged) { v_onChanged = std::move(onChanged); }
    QCheckBox* Box(TFrm_ChApplicationOptions::TBoxIndex nBox) const { return v_boxes[nBox]; }

private:
    QGroupBox* Group(const char* szName, const char* szTitle, int nFirst);

    TSettingsPage& v_page;
    std::array<QCheckBox*, 8> v_boxes{};
    TViewChanged v_onChanged;
};

}  // namespace brumalis::ui
