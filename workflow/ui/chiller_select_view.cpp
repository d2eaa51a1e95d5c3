#include "workflow/ui/chiller_select_view.h"

#include <QGroupBox>
#include <QListWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace brumalis::ui {
namespace {

bool SameItems(const QListWidget& list, const std::vector<TFrm_ChillerSelect::TItem>& items) {
    if (list.count() != static_cast<int>(items.size())) return false;
    for (int i = 0; i < list.count(); ++i) {
        if (list.item(i)->text().toStdString() != items[static_cast<std::size_t>(i)].Text) return false;
    }
    return true;
}

// A list whose lines stay is not refilled: the list clicked keeps its lines
// while its own signal is being handled.
void ShowItems(QListWidget& list, const std::vector<TFrm_ChillerSelect::TItem>& items, int nLine) {
    if (!SameItems(list, items)) {
        list.clear();
        for (const TFrm_ChillerSelect::TItem& item : items) list.addItem(QString::fromStdString(item.Text));
    }
    list.setCurrentRow(nLine);
    if (nLine < 0) list.clearSelection();
}

}  // namespace

TChillerSelectView::TChillerSelectView(TFrm_ChillerSelect& model, const char* szName, QWidget* pParent)
    : QWidget(pParent), v_model(model) {
    setObjectName(QString::fromLatin1(szName));
    new QHBoxLayout(this);
    layout()->setContentsMargins(0, 0, 0, 0);
    Lst_Condenser = AddList("Lst_Condenser", "Condenser", [this](int nRow) { v_model.ChooseCondenser(nRow); });
    Lst_Family = AddList("Lst_Family", "Product family", [this](int nRow) { v_model.ChooseFamily(nRow); });
    Lst_Series = AddList("Lst_Series", "Series", [this](int nRow) { v_model.ChooseSeries(nRow); });
    Lst_Chillers = AddList("Lst_Chillers", "Chillers", [this](int nRow) { v_model.ChooseChiller(nRow); });
    ShowModel();
}

QListWidget* TChillerSelectView::AddList(const char* szName, const char* szCaption,
                                         std::function<void(int)> choose) {
    auto* pBox = new QGroupBox(QString::fromLatin1(szCaption), this);
    pBox->setObjectName(QString::fromLatin1(szName) + QStringLiteral("Box"));
    auto* pList = new QListWidget(pBox);
    pList->setObjectName(QString::fromLatin1(szName));
    auto* pLayout = new QVBoxLayout(pBox);
    pLayout->addWidget(pList);
    layout()->addWidget(pBox);
    connect(pList, &QListWidget::currentRowChanged, this, [this, choose = std::move(choose)](int nRow) {
        if (v_bShowing) return;
        choose(nRow);
        ShowModel();
    });
    return pList;
}

void TChillerSelectView::ShowModel() {
    v_bShowing = true;
    ShowItems(*Lst_Condenser, v_model.Condensers(), v_model.CondenserLine());
    ShowItems(*Lst_Family, v_model.Families(), v_model.FamilyLine());
    ShowItems(*Lst_Series, v_model.Series(), v_model.SeriesLine());
    ShowItems(*Lst_Chillers, v_model.Chillers(), v_model.ChillerLine());
    v_bShowing = false;
}

}  // namespace brumalis::ui
