#include "workflow/ui/selection_list_view.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>
#include <QSignalBlocker>

#include "workflow/settings_page.h"
#include "workflow/ui/embedded_icons.h"

namespace brumalis::ui {

QIcon FamilyIcon(std::int32_t nFamily) {
    switch (nFamily) {
        case 4: return EmbeddedIcon("ICON_FAMILY_COOLING");
        case 2: return EmbeddedIcon("ICON_FAMILY_HEAT_PUMP");
        case 1: return EmbeddedIcon("ICON_FAMILY_HEAT_RECOVERY");
        case 8: return EmbeddedIcon("ICON_FAMILY_HEATING");
        case 16: return EmbeddedIcon("ICON_FAMILY_CONDENSING");
        default: return {};
    }
}

QIcon CondenserIcon(std::int32_t nCondenserType) {
    switch (nCondenserType) {
        case 0: return EmbeddedIcon("ICON_CONDENSER_AIR");
        case 1: return EmbeddedIcon("ICON_CONDENSER_WATER");
        case 2: return EmbeddedIcon("ICON_CONDENSER_NONE");
        default: return {};
    }
}

// ---- TSelectionListView

TSelectionListView::TSelectionListView(TSettingsPage& page, QWidget* pParent) : QTreeWidget(pParent), v_page(page) {
    setObjectName(QStringLiteral("LV_Selection"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Room for a family's rows; the page scrolls rather than squeeze the list.
    setMinimumHeight(fontMetrics().height() * 11);
    setHeaderLabels({QStringLiteral("Condenser"), QStringLiteral("Family"), QStringLiteral("Compressor"),
                     QStringLiteral("Refrigerant"), QStringLiteral("Capacity from"), QStringLiteral("Capacity to")});
    headerItem()->setTextAlignment(colCapacityFrom, Qt::AlignRight | Qt::AlignVCenter);
    headerItem()->setTextAlignment(colCapacityTo, Qt::AlignRight | Qt::AlignVCenter);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    // Wide enough for the titles too, which are translated after the rows are made.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Clicks and arrow keys alike make a row current.
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* pItem, QTreeWidgetItem*) { RowClicked(pItem); });
    Rebuild();
}

void TSelectionListView::Rebuild() {
    const QSignalBlocker blocker(this);
    clear();
    const TFrm_ChSelection& list = v_page.List();
    const std::vector<TSelectionRow>& rows = list.Rows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const TSelectionRow& row = rows[static_cast<std::size_t>(i)];
        const TFrm_ChSelection::TCapacityTexts range = list.CapacityRange(i);
        auto* pItem = new QTreeWidgetItem(this);
        pItem->setText(colCondenser, QString::fromStdString(row.CondenserCaption));
        pItem->setIcon(colCondenser, CondenserIcon(row.Condenser));
        pItem->setText(colFamily, QString::fromStdString(row.FamilyCaption));
        pItem->setIcon(colFamily, FamilyIcon(row.Family));
        pItem->setText(colCompressor, QString::fromStdString(row.Compressor));
        pItem->setText(colRefrigerant, QString::fromStdString(row.Refrigerant));
        pItem->setText(colCapacityFrom, QString::fromStdString(range.From));
        pItem->setText(colCapacityTo, QString::fromStdString(range.To));
        pItem->setTextAlignment(colCapacityFrom, Qt::AlignRight | Qt::AlignVCenter);
        pItem->setTextAlignment(colCapacityTo, Qt::AlignRight | Qt::AlignVCenter);
    }
    Refresh();
}

void TSelectionListView::Refresh() {
    const QSignalBlocker blocker(this);
    QTreeWidgetItem* pItem = topLevelItem(v_page.List().SelectedRow());
    setCurrentItem(pItem);
    if (!pItem) clearSelection();
}

void TSelectionListView::RowClicked(QTreeWidgetItem* pItem) {
    const int nRow = pItem ? indexOfTopLevelItem(pItem) : -1;
    if (nRow == v_page.List().SelectedRow()) return;
    v_page.SelectRow(nRow);
    if (v_onChanged) v_onChanged();
}

// ---- TApplicationOptionsView

TApplicationOptionsView::TApplicationOptionsView(TSettingsPage& page, QWidget* pParent)
    : QWidget(pParent), v_page(page) {
    setObjectName(QStringLiteral("Frm_ChApplicationOptions"));
    // Under the list, so that the list has the page's width; a line of
    // boxes per group, so that Tab runs along them in reading order.
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(Group("Box_VersionLevel", "Version Level", TFrm_ChApplicationOptions::bxVersionS));
    pLayout->addWidget(Group("Box_SoundLevel", "Sound Level", TFrm_ChApplicationOptions::bxSoundS));
    Refresh();
}

QGroupBox* TApplicationOptionsView::Group(const char* szName, const char* szTitle, int nFirst) {
    auto* pGroup = new QGroupBox(QString::fromLatin1(szTitle), this);
    pGroup->setObjectName(QString::fromLatin1(szName));
    auto* pLayout = new QHBoxLayout(pGroup);
    for (int i = 0; i < 4; ++i) {
        const auto nBox = static_cast<TFrm_ChApplicationOptions::TBoxIndex>(nFirst + i);
        const TApplicationOptionBox& box = kApplicationOptionBoxes[static_cast<std::size_t>(nBox)];
        auto* pBox = new QCheckBox(QString::fromLatin1(box.szCaption), pGroup);
        pBox->setObjectName(QString::fromLatin1(box.szName));
        pLayout->addWidget(pBox);
        v_boxes[static_cast<std::size_t>(nBox)] = pBox;
        connect(pBox, &QCheckBox::toggled, this, [this, nBox](bool bChecked) {
            v_page.SetApplicationOption(nBox, bChecked);
            if (v_onChanged) v_onChanged();
        });
    }
    pLayout->addStretch(1);
    return pGroup;
}

void TApplicationOptionsView::Refresh() {
    const TFrm_ChApplicationOptions& options = v_page.ApplicationOptions();
    for (std::size_t i = 0; i < v_boxes.size(); ++i) {
        const TFrm_ChApplicationOptions::TBox& box = options.Box(static_cast<TFrm_ChApplicationOptions::TBoxIndex>(i));
        const QSignalBlocker blocker(v_boxes[i]);
        v_boxes[i]->setEnabled(box.Enabled);
        v_boxes[i]->setChecked(box.Checked);
    }
}

}  // namespace brumalis::ui
