#include "workflow/ui/analysis_page_view.h"

#include <exception>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/messages.h"
#include "dialogs/ui/dialog_parent.h"
#include "localisation/ui/widget_translation.h"
#include "workflow/report_run.h"
#include "workflow/ui/analysis_lights.h"
#include "workflow/ui/brine_frame_view.h"
#include "workflow/ui/chiller_select_view.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/combo_items.h"
#include "workflow/ui/embedded_icons.h"
#include "workflow/ui/named_widget.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/preferences_wiring.h"
#include "workflow/ui/report_runner.h"
#include "workflow/ui/result_grid_view.h"
#include "workflow/ui/temp_panel_view.h"

namespace brumalis::ui {
namespace {

std::size_t Index(TAnalysisOption option) { return static_cast<std::size_t>(option); }

QGroupBox* Group(const char* szName, const char* szTitle, QWidget* pParent) {
    return Named(new QGroupBox(QString::fromLatin1(szTitle), pParent), szName);
}

}  // namespace

TVerticalScrollArea::TVerticalScrollArea(QWidget* pParent) : QScrollArea(pParent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// The content's width and room for the vertical bar; any height.
QSize TVerticalScrollArea::minimumSizeHint() const {
    QSize size = QScrollArea::minimumSizeHint();
    if (widget()) {
        size.setWidth(widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
    }
    return size;
}

TAnalysisPageView::TAnalysisPageView(TSettingsPage& settings, TMainSession& session, QWidget* pParent)
    : QWidget(pParent), v_model(session, settings) {
    setObjectName(QStringLiteral("Frm_Analysis"));
    v_model.SetupWindow();
    v_model.SetOnUnitChosen([this] { Refresh(); });
    // Made top down, so that Tab follows the page as it reads.
    Spl_Analysis = Named(new QSplitter(Qt::Vertical, this), "Spl_Analysis");
    Spl_Analysis->setChildrenCollapsible(false);
    Spl_Analysis->addWidget(MakeUpperPart());
    Grid_Analysis = Named(new TResultGridView(v_model.Grid(), Spl_Analysis), "Grid_Analysis");
    Spl_Analysis->addWidget(Grid_Analysis);
    Spl_Analysis->setStretchFactor(0, 3);
    Spl_Analysis->setStretchFactor(1, 2);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(Spl_Analysis);
    Refresh();
}

TAnalysisPageView::~TAnalysisPageView() = default;

// Small screens scroll the controls rather than squeeze them.
QWidget* TAnalysisPageView::MakeUpperPart() {
    auto* pScroll = Named(new TVerticalScrollArea(Spl_Analysis), "Scb_Analysis");
    auto* pContent = Named(new QWidget(pScroll), "Pnl_AnalysisContent");
    auto* pLayout = new QVBoxLayout(pContent);
    pLayout->addLayout(MakeChooserRow(pContent));
    pLayout->addWidget(MakeAnalysisPanel(pContent));
    pLayout->addStretch(1);
    pScroll->setWidget(pContent);
    return pScroll;
}

// The chooser, the start and report buttons, then the title over the light.
QLayout* TAnalysisPageView::MakeChooserRow(QWidget* pParent) {
    Frm_AnChillerSelect = new TChillerSelectView(v_model.Chooser(), "Frm_AnChillerSelect", pParent);
    Frm_AnChillerSelect->setMaximumHeight(150);
    // Condensers and families have long names, series and units short ones.
    auto* pLists = static_cast<QBoxLayout*>(Frm_AnChillerSelect->layout());
    constexpr int kStretch[] = {4, 5, 2, 3};
    for (int nList = 0; nList < pLists->count(); ++nList) pLists->setStretch(nList, kStretch[nList % 4]);
    Btn_SetSolution = Named(new QPushButton(QStringLiteral("On selected result"), pParent), "Btn_SetSolution");
    SetHint(*Btn_SetSolution, "Analyses the result that is current on the Results page");
    Btn_SetSelection = Named(new QPushButton(QStringLiteral("On user defined chiller"), pParent), "Btn_SetSelection");
    SetHint(*Btn_SetSelection, "Analyses the chiller chosen in the lists");
    Bib_AnMSWord = Named(new QToolButton(pParent), "Bib_AnMSWord");
    Bib_AnMSWord->setIcon(EmbeddedIcon("ICON_REPORT"));
    Bib_AnMSWord->setIconSize(QSize(32, 32));
    Bib_AnMSWord->setText(QStringLiteral("Report"));
    Bib_AnMSWord->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SetHint(*Bib_AnMSWord, "Produce a MSWord report");
    connect(Btn_SetSolution, &QPushButton::clicked, this, [this] { Act([this] { v_model.StartOnSelectedResult(); }); });
    connect(Btn_SetSelection, &QPushButton::clicked, this, [this] { Act([this] { v_model.StartOnUserDefined(); }); });
    connect(Bib_AnMSWord, &QToolButton::clicked, this, [this] { Act([this] { Report(); }); });
    // Centred beside the lists, so that they come after the lists as they read.
    auto* pButtons = new QVBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(Btn_SetSolution);
    pButtons->addWidget(Btn_SetSelection);
    pButtons->addWidget(Bib_AnMSWord, 0, Qt::AlignLeft);
    pButtons->addStretch(1);

    Lbl_AnTitle = Named(new QLabel, "Lbl_AnTitle");
    QFont bold = Lbl_AnTitle->font();
    bold.setBold(true);
    Lbl_AnTitle->setFont(bold);
    Lbl_AnTitle->setWordWrap(true);
    Pnl_Lights = new TAnalysisLights(nullptr);
    // The lists take the room; the status keeps a column for the longest text.
    auto* pStatusColumn = Named(new QWidget(pParent), "Pnl_AnStatus");
    pStatusColumn->setFixedWidth(240);
    auto* pStatus = new QVBoxLayout(pStatusColumn);
    pStatus->setContentsMargins(0, 0, 0, 0);
    pStatus->addWidget(Lbl_AnTitle);
    pStatus->addWidget(Pnl_Lights);
    pStatus->addStretch(1);

    auto* pRow = new QHBoxLayout;
    pRow->addWidget(Frm_AnChillerSelect, 1);
    pRow->addLayout(pButtons);
    pRow->addSpacing(12);
    pRow->addWidget(pStatusColumn);
    return pRow;
}

QWidget* TAnalysisPageView::MakeAnalysisPanel(QWidget* pParent) {
    Pnl_Analysis = Named(new QWidget(pParent), "Pnl_Analysis");
    Frm_AnTempSettings = Named(new TTempPanelView(v_model.Panel(), Pnl_Analysis), "Frm_AnTempSettings");
    Frm_AnTempSettings->SetOnChanged([this] { Refresh(); });
    auto* pLayout = new QVBoxLayout(Pnl_Analysis);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(Frm_AnTempSettings);
    pLayout->addLayout(MakeBrineRow(Pnl_Analysis));
    pLayout->addWidget(MakeOptions(Pnl_Analysis));
    // Made after the options, so that Tab reaches it where it lies.
    Box_AnHRCondenser = Named(
        new TTempEntriesView(v_model.RecoveryEntries(), "Heat recovery condenser", Pnl_Analysis), "Box_AnHRCondenser");
    Box_AnHRCondenser->SetOnChanged([this] { Refresh(); });
    pLayout->addWidget(Box_AnHRCondenser);
    return Pnl_Analysis;
}

// Both circuits' brines and the sound distance on one line.
QLayout* TAnalysisPageView::MakeBrineRow(QWidget* pParent) {
    Frm_AnEBrine = Named(new TBrineFrameView(v_model.EvaporatorBrine(), QStringLiteral("Evaporator brine"), pParent),
                         "Frm_AnEBrine");
    Frm_AnCBrine = Named(new TBrineFrameView(v_model.CondenserBrine(), QStringLiteral("Condenser brine"), pParent),
                         "Frm_AnCBrine");
    for (TBrineFrameView* pBrine : {Frm_AnEBrine, Frm_AnCBrine}) pBrine->SetOnChanged([this] { Refresh(); });

    Box_AnSound = Group("Box_AnSound", "Sound", pParent);
    auto* pCaption = Named(new QLabel(QStringLiteral("Distance from unit"), Box_AnSound), "Lbl_AnDistance");
    UD_AnDistance = Named(new QSpinBox(Box_AnSound), "UD_AnDistance");
    // A typed distance counts on Enter or on leaving; the arrows count at once.
    UD_AnDistance->setKeyboardTracking(false);
    UD_AnDistance->installEventFilter(this);
    pCaption->setBuddy(UD_AnDistance);
    connect(UD_AnDistance, &QSpinBox::valueChanged, this, [this](int nShown) {
        Act([this, nShown] { v_model.EnterDistance(std::to_string(nShown)); });
    });
    auto* pSound = new QHBoxLayout(Box_AnSound);
    pSound->addWidget(pCaption);
    pSound->addWidget(UD_AnDistance);

    auto* pRow = new QHBoxLayout;
    pRow->addWidget(Frm_AnEBrine, 1);
    pRow->addWidget(Frm_AnCBrine, 1);
    pRow->addWidget(Box_AnSound);
    return pRow;
}

// Two lines: low noise and heat recovery, then the pump with its pressure.
QGroupBox* TAnalysisPageView::MakeOptions(QWidget* pParent) {
    Box_AnOptions = Group("Box_AnOptions", "Options", pParent);
    v_optionGrid = new QGridLayout(Box_AnOptions);
    AddOption(TAnalysisOption::LowNoise, "Chk_AnLowNoiseOptions", "Txt_AnLowNoiseOptions", "Use low noise option");
    AddOption(TAnalysisOption::HeatRecovery, "Chk_AnHeatRecoveryOptions", "Txt_AnHeatRecoveryOptions",
              "Use heat recovery option");
    AddOption(TAnalysisOption::Pump, "Chk_AnPumpOptions", "Txt_AnPumpOptions", "Use pump option");
    Pnl_PumpESP = Named(new QWidget(Box_AnOptions), "Pnl_PumpESP");
    auto* pCaption = Named(new QLabel(QStringLiteral("Available pump ESP"), Pnl_PumpESP), "Lbl_PumpESP");
    Txt_PumpESP = Named(new QLabel(Pnl_PumpESP), "Txt_PumpESP");
    Txt_PumpESP->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* pESP = new QHBoxLayout(Pnl_PumpESP);
    pESP->setContentsMargins(0, 0, 0, 0);
    pESP->addWidget(pCaption);
    pESP->addWidget(Txt_PumpESP, 1);
    v_optionGrid->addWidget(Pnl_PumpESP, 1, 2, 1, 2);
    v_optionGrid->setColumnStretch(1, 1);
    v_optionGrid->setColumnStretch(3, 1);
    return Box_AnOptions;
}

void TAnalysisPageView::AddOption(TAnalysisOption option, const char* szCheck, const char* szCombo,
                                  const char* szCaption) {
    TAnalysisOptionControls& controls = Options[Index(option)];
    controls.Check = Named(new QCheckBox(QString::fromLatin1(szCaption), Box_AnOptions), szCheck);
    controls.Combo = Named(new QComboBox(Box_AnOptions), szCombo);
    // Long option names must not push the combo over its neighbours.
    controls.Combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    controls.Combo->setMinimumContentsLength(16);
    const int nCell = static_cast<int>(Index(option));
    v_optionGrid->addWidget(controls.Check, nCell / 2, 2 * (nCell % 2));
    v_optionGrid->addWidget(controls.Combo, nCell / 2, 2 * (nCell % 2) + 1);
    connect(controls.Check, &QCheckBox::clicked, this,
            [this, option](bool bTicked) { Act([this, option, bTicked] { v_model.TickOption(option, bTicked); }); });
    connect(controls.Combo, &QComboBox::activated, this,
            [this, option](int nItem) { Act([this, option, nItem] { v_model.ChooseOption(option, nItem); }); });
}

void TAnalysisPageView::Act(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        // No exception may leave the event loop.
        ShowFailure(error.what());
    }
    Refresh();
}

void TAnalysisPageView::Refresh() {
    const bool bActive = v_model.Active();
    Btn_SetSolution->setEnabled(v_model.OnSelectedResultEnabled());
    Btn_SetSelection->setEnabled(v_model.OnUserDefinedEnabled());
    Bib_AnMSWord->setEnabled(TReportRun::AnalysisEnabled(v_model));
    Lbl_AnTitle->setText(Q(v_model.Title()));
    Pnl_Lights->Show(v_model.Light(), Q(v_model.LightText()));
    Pnl_Analysis->setVisible(bActive);
    Frm_AnTempSettings->Refresh();
    Frm_AnEBrine->setVisible(v_model.EvaporatorBrineShown());
    Frm_AnEBrine->Refresh();
    Frm_AnCBrine->setVisible(v_model.CondenserBrineShown());
    Frm_AnCBrine->Refresh();
    ShowDistance();
    ShowOptions();
    Box_AnHRCondenser->setVisible(v_model.RecoveryEntriesShown());
    Box_AnHRCondenser->Refresh(v_model.Panel().TemperatureUnitCaption());
    Grid_Analysis->Refresh();
    // The controls' room changes with the unit's layout.
    Spl_Analysis->widget(0)->updateGeometry();
    ShowFailure(v_model.TakeFailure());
}

void TAnalysisPageView::ShowDistance() {
    const QSignalBlocker quiet(UD_AnDistance);
    const TDistanceRange range = TAnalysisPage::DistanceRange();
    UD_AnDistance->setRange(range.Min, range.Max);
    UD_AnDistance->setValue(v_model.ShownDistance());
    UD_AnDistance->setSuffix(QStringLiteral(" ") + Q(TAnalysisPage::DistanceUnitCaption()));
}

void TAnalysisPageView::ShowOptions() {
    bool bAny = false;
    for (const TAnalysisOption option : {TAnalysisOption::LowNoise, TAnalysisOption::HeatRecovery, TAnalysisOption::Pump}) {
        const TAnalysisCombo& model = v_model.Combo(option);
        const TAnalysisOptionControls& controls = Options[Index(option)];
        controls.Check->setVisible(model.Visible);
        controls.Check->setChecked(model.Ticked);
        controls.Combo->setVisible(model.Visible);
        ShowComboItems(*controls.Combo, model.Names);
        controls.Combo->setCurrentIndex(model.Selected);
        controls.Combo->setEnabled(model.Enabled);
        bAny = bAny || model.Visible;
    }
    Box_AnOptions->setVisible(bAny);
    Pnl_PumpESP->setVisible(v_model.PumpPanelShown());
    Txt_PumpESP->setText(Q(v_model.PumpESPText()));
}

// Once the event that failed is over.
void TAnalysisPageView::ShowFailure(const std::string& szFailure) {
    if (szFailure.empty()) return;
    QTimer::singleShot(0, this, [this, szFailure] {
        dialogs::TBaseMsg::DisplayError(dialogs::ui::ToDialogParent(this), dialogs::msgAllParameters, {szFailure});
    });
}

void TAnalysisPageView::Report() {
    if (!v_pRunner) v_pRunner = std::make_unique<TQtReportRunner>(*this);
    v_pRunner->Analysis(v_model);
}

void TAnalysisPageView::PreferencesAccepted() {
    v_model.PreferencesAccepted();
    Frm_AnChillerSelect->ShowModel();
    Refresh();
}

// Enter in the distance commits it and moves on to the next control.
bool TAnalysisPageView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == UD_AnDistance && pEvent->type() == QEvent::KeyPress) {
        const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
        if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
            UD_AnDistance->interpretText();
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

// The results may have come or gone since the page was last shown.
void TAnalysisPageView::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    if (!pEvent->spontaneous()) Refresh();
}

TAnalysisPageView& MakeAnalysisPage(TChillerUIForm& window, TMainSession& session) {
    auto* pPage = new TAnalysisPageView(SharedSettingsPage(window, session), session);
    window.SetPageContent(TChillerPage::Analysis, pPage);
    pPage->Model().Grid().SetDblClickChiller([&window](Cls_ChOutdoorUnit& Unit) { JumpToChillers(window, Unit); });
    PreferencesCommandOf(window, session).AddAcceptedStep("Analysis page", [pPage] { pPage->PreferencesAccepted(); });
    return *pPage;
}

}  // namespace brumalis::ui
