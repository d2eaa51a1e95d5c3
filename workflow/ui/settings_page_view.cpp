#include "workflow/ui/settings_page_view.h"

#include <exception>
#include <utility>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/messages.h"
#include "dialogs/ui/dialog_parent.h"
#include "localisation/ui/widget_translation.h"
#include "workflow/ui/brine_frame_view.h"
#include "workflow/ui/selection_list_view.h"
#include "workflow/ui/temp_panel_view.h"

namespace brumalis::ui {
namespace {

QGroupBox* Group(const char* szName, const char* szTitle, QWidget* pParent) {
    auto* pGroup = new QGroupBox(QString::fromLatin1(szTitle), pParent);
    pGroup->setObjectName(QString::fromLatin1(szName));
    return pGroup;
}

}  // namespace

TSettingsPageView::TSettingsPageView(TSettingsPage& model, int nSetupMessage, TMainWindowModel& window,
                                     QWidget* pParent)
    : QWidget(pParent), v_model(&model), v_window(window) {
    setObjectName(QStringLiteral("Frm_Settings"));
    v_nListenerKey =
        v_model->AddResultsInvalidatedListener([this] { v_window.SetAvailable(TChillerPage::Results, false); });
    const int nMessage = nSetupMessage;

    auto* pContent = new QWidget;
    pContent->setObjectName(QStringLiteral("Pnl_SettingsContent"));
    auto* pContentLayout = new QVBoxLayout(pContent);
    pContentLayout->addLayout(MakeCriteriaBand(pContent), 1);
    pContentLayout->addWidget(MakeTemperatureGroup(pContent));
    pContentLayout->addLayout(MakeBrineBand(pContent));
    // Small screens scroll rather than squeeze the entries.
    auto* pScroll = new QScrollArea(this);
    pScroll->setObjectName(QStringLiteral("Scb_Settings"));
    pScroll->setWidgetResizable(true);
    pScroll->setFrameShape(QFrame::NoFrame);
    pScroll->setFocusPolicy(Qt::NoFocus);
    pScroll->setWidget(pContent);
    Lbl_SelMessage = new QLabel(this);
    Lbl_SelMessage->setObjectName(QStringLiteral("Lbl_SelMessage"));
    Btn_Select = new QPushButton(QStringLiteral("Make Selection"), this);
    Btn_Select->setObjectName(QStringLiteral("Btn_Select"));
    SetHint(*Btn_Select, "Click to start the selection calculation");
    auto* pBottom = new QHBoxLayout;
    pBottom->addWidget(Lbl_SelMessage);
    pBottom->addStretch(1);
    pBottom->addWidget(Btn_Select);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pScroll, 1);
    pLayout->addLayout(pBottom);
    connect(Btn_Select, &QPushButton::clicked, this, &TSettingsPageView::Btn_SelectClick);

    LV_Selection->SetOnChanged([this] { Refresh(); });
    Frm_ApplicationOptions->SetOnChanged([this] { Refresh(); });
    Frm_TempPanel->SetOnChanged([this] { Refresh(); });
    Frm_EvaporatorBrine->SetOnChanged([this] { Refresh(); });
    Frm_CondenserBrine->SetOnChanged([this] { Refresh(); });
    Refresh();
    if (nMessage != 0) {
        // Once the window is there to carry the message.
        QTimer::singleShot(0, this, [this, nMessage] {
            dialogs::TBaseMsg::DisplayHint(dialogs::ui::ToDialogParent(this), nMessage);
        });
    }
}

TSettingsPageView::~TSettingsPageView() { v_model->RemoveResultsInvalidatedListener(v_nListenerKey); }

// The list with its label, and under it the variants.
QLayout* TSettingsPageView::MakeCriteriaBand(QWidget* pContent) {
    Box_Selection = Group("Box_Selection", "1. Selection criteria", pContent);
    Lbl_CapacityRanges = new QLabel(
        QStringLiteral("Capacity ranges are given at Eurovent nominal cooling conditions, except for heating only chillers"),
        Box_Selection);
    Lbl_CapacityRanges->setObjectName(QStringLiteral("Lbl_CapacityRanges"));
    Lbl_CapacityRanges->setWordWrap(true);
    LV_Selection = new TSelectionListView(*v_model, Box_Selection);
    auto* pSelection = new QVBoxLayout(Box_Selection);
    pSelection->addWidget(Lbl_CapacityRanges);
    pSelection->addWidget(LV_Selection, 1);

    Box_ApplicationOptions = Group("Box_ApplicationOptions", "2. Application options", pContent);
    Frm_ApplicationOptions = new TApplicationOptionsView(*v_model, Box_ApplicationOptions);
    auto* pOptions = new QHBoxLayout(Box_ApplicationOptions);
    pOptions->addWidget(Frm_ApplicationOptions);
    pOptions->addStretch(1);

    auto* pBand = new QVBoxLayout;
    pBand->addWidget(Box_Selection, 1);
    pBand->addWidget(Box_ApplicationOptions);
    return pBand;
}

QWidget* TSettingsPageView::MakeTemperatureGroup(QWidget* pContent) {
    Box_Temperatures = Group("Box_Temperatures", "3. Required capacity and temperature values", pContent);
    Frm_TempPanel = new TTempPanelView(v_model->Panel(), Box_Temperatures);
    Btn_EuroventReset = new QPushButton(QStringLiteral("Reset Defaults"), Box_Temperatures);
    Btn_EuroventReset->setObjectName(QStringLiteral("Btn_EuroventReset"));
    SetHint(*Btn_EuroventReset, "Click to reset the temperature values to the Eurovent defaults");
    connect(Btn_EuroventReset, &QPushButton::clicked, this, &TSettingsPageView::ResetDefaultsClick);
    auto* pLayout = new QVBoxLayout(Box_Temperatures);
    pLayout->addWidget(Frm_TempPanel);
    pLayout->addWidget(Btn_EuroventReset, 0, Qt::AlignRight);
    return Box_Temperatures;
}

// Both circuits' brines on one line.
QLayout* TSettingsPageView::MakeBrineBand(QWidget* pContent) {
    Frm_EvaporatorBrine =
        new TBrineFrameView(v_model->EvaporatorBrine(), QStringLiteral("4. Evaporator brines"), pContent);
    Frm_EvaporatorBrine->setObjectName(QStringLiteral("Frm_EvaporatorBrine"));
    Frm_CondenserBrine =
        new TBrineFrameView(v_model->CondenserBrine(), QStringLiteral("5. Condenser brines"), pContent);
    Frm_CondenserBrine->setObjectName(QStringLiteral("Frm_CondenserBrine"));
    auto* pBand = new QHBoxLayout;
    pBand->addWidget(Frm_EvaporatorBrine, 1);
    pBand->addWidget(Frm_CondenserBrine, 1);
    return pBand;
}

void TSettingsPageView::Refresh() {
    LV_Selection->Refresh();
    Frm_ApplicationOptions->Refresh();
    Frm_TempPanel->Refresh();
    Frm_EvaporatorBrine->setVisible(v_model->EvaporatorBrineShown());
    Frm_EvaporatorBrine->Refresh();
    Frm_CondenserBrine->setVisible(v_model->CondenserBrineShown());
    Frm_CondenserBrine->Refresh();
    // The message line is only for the Results page's run; here it stays hidden.
    Lbl_SelMessage->setVisible(false);
    Btn_Select->setEnabled(v_model->MakeSelectionEnabled());
}

void TSettingsPageView::PreferencesAccepted() {
    v_model->PreferencesAccepted();
    LV_Selection->Rebuild();
    Refresh();
}

void TSettingsPageView::FocusStart() {
    if (Btn_Select->isEnabled()) {
        Btn_Select->setFocus();
    } else {
        LV_Selection->setFocus();
    }
}

void TSettingsPageView::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    if (std::exchange(v_bFocusedOnce, true)) return;
    // After the main window has given the pages the keyboard.
    QTimer::singleShot(0, this, &TSettingsPageView::FocusStart);
}

void TSettingsPageView::ResetDefaultsClick() {
    v_model->ResetDefaults();
    Refresh();
}

void TSettingsPageView::Btn_SelectClick() {
    if (!v_model->MakeSelectionEnabled()) return;
    try {
        v_model->MakeSelection();
    } catch (const std::exception& error) {
        // No exception may leave the event loop; the run's results are gone.
        v_model->InvalidateResults();
        Refresh();
        dialogs::TBaseMsg::DisplayError(dialogs::ui::ToDialogParent(this), dialogs::msgAllParameters, {error.what()});
        return;
    }
    Refresh();
    v_window.SetAvailable(TChillerPage::Results, v_model->ResultsAvailable());
    if (!v_model->ResultsAvailable()) return;
    for (const std::function<void()>& onReady : v_onResultsReady) onReady();
}

}  // namespace brumalis::ui
