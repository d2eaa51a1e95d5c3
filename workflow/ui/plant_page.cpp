#include "workflow/ui/plant_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "catalogue/units.h"
#include "dialogs/ui/numeric_edit.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/named_widget.h"
#include "workflow/ui/option_frame_step.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/preferences_wiring.h"

namespace brumalis::ui {
namespace {

QString PowerUnitCaption() { return QString::fromStdString(TU_Form::GetCurrentString(U_Power)); }

}  // namespace

TPlantPage::TPlantPage(TChillerUIForm& window, TPlantBuilder& plant, QWidget* pParent)
    : QWidget(pParent), v_window(window), v_plant(plant) {
    setObjectName(QStringLiteral("Frm_Plant"));
    Box_Plant = Named(new QGroupBox(QStringLiteral("Multiple Chiller Solution"), this), "Box_Plant");
    Grid_Plant = Named(new TResultGridView(v_plant.Grid(), Box_Plant), "Grid_Plant");
    // The plant's option frame goes here; it is made by the option choice's
    // own view, so until then the room stays empty.
    Pnl_PlantOptions = Named(new QWidget(Box_Plant), "Pnl_PlantOptions");

    // The frame under the grid, as on the Results page: the grid keeps the width.
    auto* pBox = new QVBoxLayout(Box_Plant);
    pBox->addWidget(Grid_Plant, 1);
    pBox->addWidget(Pnl_PlantOptions);
    pBox->addWidget(MakeCapacityRow());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(Box_Plant);
    v_plant.Grid().SetDblClickChiller([this](Cls_ChOutdoorUnit& unit) { JumpToChillers(v_window, unit); });
}

// The plant outlives the window: its grid must not call a page that is gone.
TPlantPage::~TPlantPage() { v_plant.Grid().SetDblClickChiller({}); }

QWidget* TPlantPage::MakeCapacityRow() {
    auto* pRow = Named(new QWidget(Box_Plant), "Pnl_PlantCapacity");
    Txt_ReqPlantCap = Named(new QLineEdit(pRow), "Txt_ReqPlantCap");
    Txt_ReqPlantCap->setToolTip(QStringLiteral("Enter the required capacity for the plant"));
    Txt_ReqPlantCap->setAlignment(Qt::AlignRight);
    Txt_ReqPlantCap->setMaxLength(12);
    Txt_ReqPlantCap->setFixedWidth(Txt_ReqPlantCap->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    dialogs::ui::AttachNumericEdit(Txt_ReqPlantCap);
    // The caption from the start, so that the first layout makes room for it.
    Dim_ReqPlantCap = Named(new QLabel(PowerUnitCaption(), pRow), "Dim_ReqPlantCap");
    Btn_AddCapacity = Named(new QPushButton(QStringLiteral("Add Capacity"), pRow), "Btn_AddCapacity");
    Btn_AddCapacity->setToolTip(QStringLiteral("Defines the plant capacity"));
    Btn_RemovePlant = Named(new QPushButton(QStringLiteral("Remove Plant"), pRow), "Btn_RemovePlant");
    Btn_RemovePlant->setToolTip(QStringLiteral("Removes the plant defintion"));

    // The model keeps what is typed, so a repaint never loses it.
    connect(Txt_ReqPlantCap, &QLineEdit::textEdited, this,
            [this](const QString& text) { v_plant.SetCapacityEntry(text.toStdString()); });
    // Enter is "Add Capacity", and does nothing while the button is disabled.
    connect(Txt_ReqPlantCap, &QLineEdit::returnPressed, Btn_AddCapacity, &QPushButton::click);
    connect(Btn_AddCapacity, &QPushButton::clicked, this, &TPlantPage::AddCapacity);
    connect(Btn_RemovePlant, &QPushButton::clicked, this, &TPlantPage::RemovePlant);

    auto* pLayout = new QHBoxLayout(pRow);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(Txt_ReqPlantCap);
    pLayout->addWidget(Dim_ReqPlantCap);
    pLayout->addWidget(Btn_AddCapacity);
    pLayout->addStretch(1);
    pLayout->addWidget(Btn_RemovePlant);
    return pRow;
}

void TPlantPage::ShowPlant() {
    Grid_Plant->Refresh();
    const QString entry = QString::fromStdString(v_plant.CapacityEntry());
    if (Txt_ReqPlantCap->text() != entry) Txt_ReqPlantCap->setText(entry);
    Dim_ReqPlantCap->setText(PowerUnitCaption());
    Txt_ReqPlantCap->setEnabled(v_plant.AddCapacityEnabled());
    Btn_AddCapacity->setEnabled(v_plant.AddCapacityEnabled());
    Btn_RemovePlant->setEnabled(v_plant.PageAvailable());
    // Only a change: an unavailable page gives way to Settings at once.
    TMainWindowModel& model = v_window.Model();
    if (model.IsAvailable(TChillerPage::PlantBuilder) != v_plant.PageAvailable()) {
        model.SetAvailable(TChillerPage::PlantBuilder, v_plant.PageAvailable());
    }
}

// The frame beside the grid is made after the capacity row; Tab reaches it
// first, as it reads.
void TPlantPage::TabAfter(QWidget& frame) {
    QWidget* pLast = nullptr;
    for (QWidget* pNext = frame.nextInFocusChain(); frame.isAncestorOf(pNext); pNext = pNext->nextInFocusChain()) {
        if (pNext->focusPolicy() & Qt::TabFocus) pLast = pNext;
    }
    if (!pLast) return;
    QWidget::setTabOrder(pLast, Txt_ReqPlantCap);
    QWidget::setTabOrder(Txt_ReqPlantCap, Btn_AddCapacity);
    QWidget::setTabOrder(Btn_AddCapacity, Btn_RemovePlant);
}

void TPlantPage::AddCapacity() {
    v_plant.SetCapacityEntry(Txt_ReqPlantCap->text().toStdString());
    // A refusal has been shown by the model; the entry stays to be mended.
    const bool bAdded = v_plant.AddCapacity(v_plant.CapacityEntry());
    ShowPlant();
    if (!bAdded) Txt_ReqPlantCap->setFocus();
}

void TPlantPage::RemovePlant() {
    v_plant.RemovePlant();
    ShowPlant();
    v_window.PG_ChillerPages->setCurrentWidget(v_window.Tab_Settings);
}

void TPlantPage::PreferencesAccepted() {
    v_plant.Rebuild();
    ShowPlant();
}

void TPlantPage::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    ShowPlant();
}

TPlantPage& PutPlantPage(TChillerUIForm& window, TMainSession& session) {
    TPlantBuilder& plant = session.Plant();
    auto* pPage = new TPlantPage(window, plant);
    window.SetPageContent(TChillerPage::PlantBuilder, pPage);
    PreferencesCommandOf(window, session).AddAcceptedStep("Plant Builder page", [pPage] { pPage->PreferencesAccepted(); });
    TOptionFramePanel& options =
        PutPlantOptionFrame(window, *pPage->Pnl_PlantOptions, session, [pPage] { pPage->ShowPlant(); });
    FollowGrid(options, *pPage->Grid_Plant, plant.Grid(), window, TChillerPage::PlantBuilder, session);
    pPage->TabAfter(options);
    return *pPage;
}

}  // namespace brumalis::ui
