#include "workflow/ui/option_frame_view.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "catalogue/units.h"
#include "workflow/ui/named_widget.h"
#include "workflow/ui/temp_panel_view.h"

namespace brumalis::ui {
namespace {

// A titled box holding one list.
QGroupBox* Boxed(const char* szTitle, QWidget* pList) {
    auto* pBox = new QGroupBox(QString::fromLatin1(szTitle));
    auto* pLayout = new QVBoxLayout(pBox);
    pLayout->addWidget(pList);
    return pBox;
}

}  // namespace

TOptionFrameView::TOptionFrameView(TFrm_ChOptions& model, QWidget* pParent) : QWidget(pParent), v_model(model) {
    setObjectName(QStringLiteral("Frm_ChOptions"));
    Lst_StandardSpecs = Named(new QListWidget, "Lst_StandardSpecs");
    Lst_StandardSpecs->setSelectionMode(QAbstractItemView::NoSelection);
    Lst_Options = CheckList("Lst_Options", "Select the required options");
    Lst_Kits = CheckList("Lst_Kits", "Select the required kits");
    // A line chosen by mouse or keys is the one the recovery entries belong to.
    connect(Lst_Options, &QListWidget::currentRowChanged, this, [this](int nLine) {
        if (v_bPainting || nLine < 0) return;
        v_model.ClickOption(nLine);
        Refresh();
    });

    auto* pCodeCaption = Named(new QLabel(QStringLiteral("Option code")), "Lbl_OptionCode");
    Txt_OptionCode = Named(new QLabel, "Txt_OptionCode");
    Txt_OptionCode->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Pnl_Basket = Named(new QWidget, "Pnl_Basket");
    Btn_AddPlant = Named(new QPushButton(QStringLiteral("Add to Plant Builder"), Pnl_Basket), "Btn_AddPlant");
    Btn_AddBasket = Named(new QPushButton(QStringLiteral("Add to Solution Basket"), Pnl_Basket), "Btn_AddBasket");
    connect(Btn_AddPlant, &QPushButton::clicked, this, [this] { v_model.PressAddToPlant(); });
    connect(Btn_AddBasket, &QPushButton::clicked, this, [this] { v_model.PressAddToBasket(); });
    auto* pButtons = new QVBoxLayout(Pnl_Basket);
    pButtons->setContentsMargins(0, 0, 0, 0);
    pButtons->addWidget(Btn_AddPlant);
    pButtons->addWidget(Btn_AddBasket);

    auto* pSide = new QVBoxLayout;
    pSide->addWidget(pCodeCaption);
    pSide->addWidget(Txt_OptionCode);
    pSide->addStretch(1);
    pSide->addWidget(Pnl_Basket);
    auto* pLists = new QHBoxLayout;
    pLists->addWidget(Boxed("Standard specs", Lst_StandardSpecs), 1);
    pLists->addWidget(Boxed("Options", Lst_Options), 2);
    pLists->addWidget(Boxed("Kits", Lst_Kits), 1);
    pLists->addLayout(pSide);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addLayout(pLists, 1);
    // Made after the lists are placed, so that Tab reaches it last, as it lies.
    Frm_HRCondenser = Named(new TTempEntriesView(v_model.Recovery(), "Heat recovery condenser", this), "Frm_HRCondenser");
    // The entries model repeats the tick handling itself; here only the repaint.
    Frm_HRCondenser->SetOnChanged([this] { Changed(); });
    pLayout->addWidget(Frm_HRCondenser);
    Refresh();
}

QListWidget* TOptionFrameView::CheckList(const char* szName, const char* szHint) {
    auto* pList = Named(new QListWidget, szName);
    pList->setToolTip(QString::fromLatin1(szHint));
    pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pList->installEventFilter(this);
    connect(pList, &QListWidget::itemChanged, this, [this, pList](QListWidgetItem* pItem) { LineTicked(pList, pItem); });
    return pList;
}

void TOptionFrameView::Refresh() {
    v_bPainting = true;
    {
        const QSignalBlocker blockSpecs(Lst_StandardSpecs);
        Lst_StandardSpecs->clear();
        for (const std::string& szSpec : v_model.StandardSpecs()) Lst_StandardSpecs->addItem(Q(szSpec));
    }
    ShowCheckLines(Lst_Options, v_model.Options());
    ShowCheckLines(Lst_Kits, v_model.Kits());
    if (v_model.CurrentLine() >= 0 && v_model.CurrentLine() < Lst_Options->count()) {
        const QSignalBlocker blocker(Lst_Options);
        Lst_Options->setCurrentRow(v_model.CurrentLine(), QItemSelectionModel::ClearAndSelect);
    }
    Txt_OptionCode->setText(Q(v_model.OptionCode()));
    Btn_AddPlant->setVisible(v_model.AddToPlantShown());
    Btn_AddBasket->setVisible(v_model.AddToBasketShown());
    Btn_AddPlant->setEnabled(v_model.AddEnabled());
    Btn_AddBasket->setEnabled(v_model.AddEnabled());
    Pnl_Basket->setVisible(v_model.AddToPlantShown() || v_model.AddToBasketShown());
    Frm_HRCondenser->setVisible(v_model.RecoveryShown());
    Frm_HRCondenser->Refresh(TU_Form::GetSpecificString(U_Temperature, TU_Form::GetNewIndex(U_Temperature)));
    v_bPainting = false;
}

void TOptionFrameView::ShowCheckLines(QListWidget* pList, const std::vector<TFrm_ChOptions::TLine>& lines) {
    // Rewritten in place when the lines are the same, so the list keeps its scroll position.
    const QSignalBlocker blocker(pList);
    if (pList->count() != static_cast<int>(lines.size())) {
        pList->clear();
        for (std::size_t i = 0; i < lines.size(); ++i) pList->addItem(new QListWidgetItem);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TFrm_ChOptions::TLine& line = lines[i];
        QListWidgetItem* pItem = pList->item(static_cast<int>(i));
        pItem->setText(Q(line.Text));
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
        if (line.Enabled) flags |= Qt::ItemIsEnabled;
        pItem->setFlags(flags);
        pItem->setCheckState(line.Ticked ? Qt::Checked : Qt::Unchecked);
    }
}

void TOptionFrameView::LineTicked(QListWidget* pList, QListWidgetItem* pItem) {
    if (v_bPainting) return;
    Tick(pList, pList->row(pItem), pItem->checkState() == Qt::Checked);
}

void TOptionFrameView::Tick(QListWidget* pList, int nLine, bool bTicked) {
    if (pList == Lst_Options) {
        v_model.TickOption(nLine, bTicked);
    } else {
        v_model.TickKit(nLine, bTicked);
    }
    Changed();
}

void TOptionFrameView::Changed() {
    Refresh();
    if (v_onChanged) v_onChanged();
}

bool TOptionFrameView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    // Space toggles the current line through the model, whatever the style does.
    auto* pList = qobject_cast<QListWidget*>(pWatched);
    if (pList && pEvent->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_Space) {
        const QListWidgetItem* pItem = pList->currentItem();
        if (pItem && (pItem->flags() & Qt::ItemIsEnabled)) {
            Tick(pList, pList->currentRow(), pItem->checkState() != Qt::Checked);
        }
        return true;
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

}  // namespace brumalis::ui
