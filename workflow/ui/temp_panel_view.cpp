#include "workflow/ui/temp_panel_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <initializer_list>

#include "dialogs/messages.h"
#include "dialogs/ui/dialog_parent.h"
#include "dialogs/ui/numeric_edit.h"
#include "workflow/workflow_texts.h"

namespace brumalis::ui {
namespace {

constexpr int kEditLength = 5;
constexpr const char* kOutsideRange = "$1 is outside the range and was taken as $2";

QString Text(const std::string& szText) { return QString::fromStdString(szText); }

QLabel* Caption(const char* szName, const char* szText, QWidget* pParent) {
    auto* pLabel = new QLabel(QString::fromUtf8(szText), pParent);
    pLabel->setObjectName(QString::fromLatin1(szName));
    return pLabel;
}

QLineEdit* ValueEdit(const QString& name, QWidget* pParent) {
    auto* pEdit = new QLineEdit(pParent);
    pEdit->setObjectName(name);
    pEdit->setMaxLength(kEditLength);
    pEdit->setAlignment(Qt::AlignRight);
    // Five characters and a little room for the frame.
    pEdit->setFixedWidth(pEdit->fontMetrics().horizontalAdvance(QStringLiteral("-00.00")) + 12);
    dialogs::ui::AttachNumericEdit(pEdit);
    return pEdit;
}

// Sets the text unless it is there already, so that the caret stays.
void ShowText(QLineEdit* pEdit, const std::string& szText) {
    const QString text = Text(szText);
    if (pEdit->text() != text) pEdit->setText(text);
}

}  // namespace

void ReportTypedEntry(QWidget* pOwner, const std::string& szTyped, const TTypedEntry& entry) {
    if (!entry.Clamped) return;
    const std::string szMessage = WorkflowText(kOutsideRange, {szTyped, entry.Shown});
    // Not from inside the focus change or key press that committed the value.
    QTimer::singleShot(0, pOwner, [pOwner, szMessage] {
        dialogs::TBaseMsg::DisplayWarning(dialogs::ui::ToDialogParent(pOwner), dialogs::msgAllParameters, {szMessage});
    });
}

// ---- TTempScrollRow

TTempScrollRow::TTempScrollRow(const char* szName, QWidget* pParent) : QWidget(pParent) {
    setObjectName(QStringLiteral("Pnl_") + QString::fromLatin1(szName));
    v_edit = ValueEdit(QStringLiteral("Txt_") + QString::fromLatin1(szName), this);
    v_bar = new QScrollBar(Qt::Horizontal, this);
    v_bar->setObjectName(QStringLiteral("Scrl_") + QString::fromLatin1(szName));
    v_bar->setMinimumWidth(56);
    // The bar steps in tenths; Page Up/Down in whole degrees.
    v_bar->setSingleStep(1);
    v_bar->setPageStep(10);
    v_unit = new QLabel(this);
    v_unit->setObjectName(QStringLiteral("Lbl_") + QString::fromLatin1(szName) + QStringLiteral("Unit"));
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(v_edit);
    pLayout->addWidget(v_unit);
    pLayout->addWidget(v_bar, 1);
    // Committed when the text differs from the value shown (the number check
    // rewrites what is typed, so the edit's modified flag cannot tell).
    connect(v_edit, &QLineEdit::editingFinished, this, [this] {
        if (v_edit->text() != v_shown && OnTyped) OnTyped(v_edit->text().toStdString());
    });
    connect(v_bar, &QScrollBar::valueChanged, this, [this](int nPosition) {
        if (OnScrolled) OnScrolled(nPosition);
    });
}

void TTempScrollRow::Show(const TTempScroll& scroll, const std::string& szUnit) {
    const QSignalBlocker blocker(v_bar);
    v_bar->setRange(scroll.Min(), scroll.Max());
    v_bar->setValue(scroll.Position());
    v_shown = Text(scroll.Text());
    v_edit->setText(v_shown);
    v_unit->setText(Text(szUnit));
}

// ---- TTempEntriesView

TTempEntriesView::TTempEntriesView(TFrm_ChTempScrollEntries& model, const char* szTitle, QWidget* pParent)
    : QGroupBox(QString::fromUtf8(szTitle), pParent), v_model(model) {
    v_leavingCaption = Caption("Lbl_Leaving", TFrm_ChTempScrollEntries::kLeavingCaption, this);
    v_leaving = new TTempScrollRow("Leaving", this);
    v_deltaTCaption = Caption("Lbl_DeltaT", "Delta T", this);
    v_deltaT = new TTempScrollRow("DeltaT", this);
    v_enteringCaption = Caption("Lbl_EnteringCaption", "Entering fluid temperature", this);
    v_entering = Caption("Lbl_Entering", "", this);
    v_condition = Caption("Lbl_Condition", TFrm_ChTempPanel::kConditions, this);
    // One line per circuit, read left to right.
    auto* pLayout = new QHBoxLayout(this);
    for (QWidget* pPart : std::initializer_list<QWidget*>{v_leavingCaption, v_leaving, v_deltaTCaption, v_deltaT,
                                                          v_enteringCaption, v_entering, v_condition}) {
        pLayout->addWidget(pPart, pPart == v_leaving || pPart == v_deltaT ? 1 : 0);
    }
    v_leaving->OnTyped = [this](const std::string& szTyped) { Typed(TEntryRow::Leaving, szTyped); };
    v_deltaT->OnTyped = [this](const std::string& szTyped) { Typed(TEntryRow::DeltaT, szTyped); };
    for (const auto& [pRow, row] : {std::pair{v_leaving, TEntryRow::Leaving}, std::pair{v_deltaT, TEntryRow::DeltaT}}) {
        pRow->OnScrolled = [this, row](int nPosition) {
            v_model.Scroll(row, nPosition);
            if (v_onChanged) v_onChanged();
        };
    }
}

void TTempEntriesView::Typed(TEntryRow row, const std::string& szTyped) {
    const TTypedEntry entry = v_model.Enter(row, szTyped);
    ReportTypedEntry(this, szTyped, entry);
    if (v_onChanged) v_onChanged();
}

void TTempEntriesView::Refresh(const std::string& szUnit) {
    v_leavingCaption->setText(QString::fromStdString(dialogs::TBaseMsg::Translate(v_model.LeavingCaption())));
    v_leaving->Show(v_model.Leaving(), szUnit);
    v_deltaT->Show(v_model.DeltaT(), szUnit);
    v_entering->setText(Text(v_model.EnteringText() + " " + szUnit));
    v_deltaTCaption->setVisible(v_model.HasDeltaT());
    v_deltaT->setVisible(v_model.HasDeltaT());
    v_enteringCaption->setVisible(v_model.ShowsEntering());
    v_entering->setVisible(v_model.ShowsEntering());
    v_condition->setVisible(v_model.ShowsConditionMsg());
}

// ---- TTempPanelView

TTempPanelView::TTempPanelView(TFrm_ChTempPanel& model, QWidget* pParent) : QWidget(pParent), v_model(model) {
    setObjectName(QStringLiteral("Frm_ChTempPanel"));
    Pnl_ModeSelect = new QWidget(this);
    Pnl_ModeSelect->setObjectName(QStringLiteral("Pnl_ModeSelect"));
    Rb_SelCooling = new QRadioButton(QStringLiteral("Select cooling"), Pnl_ModeSelect);
    Rb_SelCooling->setObjectName(QStringLiteral("Rb_SelCooling"));
    Rb_SelHeating = new QRadioButton(QStringLiteral("Select heating"), Pnl_ModeSelect);
    Rb_SelHeating->setObjectName(QStringLiteral("Rb_SelHeating"));
    auto* pModeLayout = new QHBoxLayout(Pnl_ModeSelect);
    pModeLayout->setContentsMargins(0, 0, 0, 0);
    pModeLayout->addWidget(Rb_SelCooling);
    pModeLayout->addWidget(Rb_SelHeating);
    pModeLayout->addStretch(1);
    // The model keeps the two exclusive; each button takes Tab like any control.
    for (QRadioButton* pButton : {Rb_SelCooling, Rb_SelHeating}) {
        pButton->setAutoExclusive(false);
        connect(pButton, &QRadioButton::clicked, this, [this, pButton] {
            v_model.SetSelCooling(pButton == Rb_SelCooling);
            Changed();
            Refresh();
        });
    }

    Box_Cooling = new QGroupBox(QStringLiteral("Cooling"), this);
    Box_Cooling->setObjectName(QStringLiteral("Box_Cooling"));
    Pnl_CoolingCap = CapacityPanel("Pnl_CoolingCap", Txt_ReqCCap, v_coolCapUnit, TPanelEntry::CoolCapacity);
    Txt_ReqCCap->setObjectName(QStringLiteral("Txt_ReqCCap"));
    // Made in reading order, which is the Tab order: the first line, then the circuits.
    Pnl_CondAmbient = OutdoorPanel("CondAmbient", v_ambientCaption, Scrl_CondAmbient, TPanelEntry::Ambient);
    Box_CEvaporator = new TTempEntriesView(v_model.Box_CEvaporator(), "Evaporator", Box_Cooling);
    Box_CEvaporator->setObjectName(QStringLiteral("Box_CEvaporator"));
    Box_CCondenser = new TTempEntriesView(v_model.Box_CCondenser(), "Condenser", Box_Cooling);
    Box_CCondenser->setObjectName(QStringLiteral("Box_CCondenser"));
    StackGroup(Box_Cooling, Pnl_CoolingCap, Pnl_CondAmbient, Box_CEvaporator, Box_CCondenser);

    Box_Heating = new QGroupBox(QString::fromLatin1(TFrm_ChTempPanel::kHeating), this);
    Box_Heating->setObjectName(QStringLiteral("Box_Heating"));
    Pnl_HeatingCap = CapacityPanel("Pnl_HeatingCap", Txt_ReqHCap, v_heatCapUnit, TPanelEntry::HeatCapacity);
    Txt_ReqHCap->setObjectName(QStringLiteral("Txt_ReqHCap"));
    Pnl_Winter = OutdoorPanel("Winter", v_winterCaption, Scrl_Winter, TPanelEntry::Winter);
    v_winterCaption->setText(QStringLiteral("Ambient winter"));
    Box_HEvaporator = new TTempEntriesView(v_model.Box_HEvaporator(), "Evaporator", Box_Heating);
    Box_HEvaporator->setObjectName(QStringLiteral("Box_HEvaporator"));
    Box_HCondenser = new TTempEntriesView(v_model.Box_HCondenser(), "Condenser", Box_Heating);
    Box_HCondenser->setObjectName(QStringLiteral("Box_HCondenser"));
    StackGroup(Box_Heating, Pnl_HeatingCap, Pnl_Winter, Box_HEvaporator, Box_HCondenser);

    for (TTempEntriesView* pBox : {Box_CEvaporator, Box_CCondenser, Box_HEvaporator, Box_HCondenser}) {
        pBox->SetOnChanged([this] { Changed(); });
    }
    // Hidden parts take no room: the groups stack by what is shown.
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(Pnl_ModeSelect);
    pLayout->addWidget(Box_Cooling);
    pLayout->addWidget(Box_Heating);
    pLayout->addStretch(1);
}

// The capacity and the outdoor value share the group's first line, the
// circuits follow; hidden parts take no room.
void TTempPanelView::StackGroup(QGroupBox* pGroup, QWidget* pCapacity, QWidget* pOutdoor, QWidget* pEvaporator,
                                QWidget* pCondenser) {
    auto* pFirstLine = new QHBoxLayout;
    pFirstLine->addWidget(pCapacity);
    pFirstLine->addSpacing(24);
    pFirstLine->addWidget(pOutdoor, 1);
    // Takes the line's room only when the outdoor value is hidden.
    pFirstLine->addStretch(0);
    auto* pLayout = new QVBoxLayout(pGroup);
    pLayout->addLayout(pFirstLine);
    for (QWidget* pPart : {pCapacity, pOutdoor, pEvaporator, pCondenser}) pPart->setParent(pGroup);
    pLayout->addWidget(pEvaporator);
    pLayout->addWidget(pCondenser);
}

QWidget* TTempPanelView::CapacityPanel(const char* szName, QLineEdit*& pEdit, QLabel*& pUnit, TPanelEntry entry) {
    auto* pPanel = new QWidget(this);
    pPanel->setObjectName(QString::fromLatin1(szName));
    // Its edit stays by its caption when the outdoor value beside it is hidden.
    pPanel->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    auto* pCaption = Caption("Lbl_ReqCapacity", "Required capacity", pPanel);
    pEdit = new QLineEdit(pPanel);
    pEdit->setAlignment(Qt::AlignRight);
    pEdit->setMaxLength(8);
    pEdit->setFixedWidth(pEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) + 12);
    dialogs::ui::AttachNumericEdit(pEdit);
    pUnit = new QLabel(pPanel);
    pUnit->setObjectName(QStringLiteral("Lbl_CapacityUnit"));
    auto* pLayout = new QHBoxLayout(pPanel);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pCaption);
    pLayout->addWidget(pEdit);
    pLayout->addWidget(pUnit);
    // Taken as typed, so that "Make Selection" is enabled as soon as there is a capacity.
    // After the number check, which was connected first.
    connect(pEdit, &QLineEdit::textEdited, this, [this, pEdit, entry] {
        v_model.EnterValue(entry, pEdit->text().toStdString());
        Changed();
    });
    return pPanel;
}

QWidget* TTempPanelView::OutdoorPanel(const char* szName, QLabel*& pCaption, TTempScrollRow*& pRow, TPanelEntry entry) {
    auto* pPanel = new QWidget(this);
    pPanel->setObjectName(QStringLiteral("Pnl_") + QString::fromLatin1(szName));
    pCaption = Caption("Lbl_Outdoor", "", pPanel);
    pRow = new TTempScrollRow(szName, pPanel);
    auto* pLayout = new QHBoxLayout(pPanel);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(pCaption);
    pLayout->addWidget(pRow, 1);
    pRow->OnTyped = [this, entry](const std::string& szTyped) { Entered(entry, szTyped); };
    pRow->OnScrolled = [this, entry](int nPosition) {
        v_model.ScrollValue(entry, nPosition);
        Changed();
    };
    return pPanel;
}

void TTempPanelView::Entered(TPanelEntry entry, const std::string& szTyped) {
    const TTypedEntry result = v_model.EnterValue(entry, szTyped);
    ReportTypedEntry(this, szTyped, result);
    Changed();
}

void TTempPanelView::Changed() const {
    if (v_onChanged) v_onChanged();
}

void TTempPanelView::Refresh() {
    const TTempPanelLayout& layout = v_model.Layout();
    const std::string szTemp = v_model.TemperatureUnitCaption();
    const QString capUnit = Text(v_model.CapacityUnitCaption());
    Pnl_ModeSelect->setVisible(layout.ModeSelect);
    {
        const QSignalBlocker cooling(Rb_SelCooling), heating(Rb_SelHeating);
        Rb_SelCooling->setChecked(v_model.GetSelCooling());
        Rb_SelHeating->setChecked(!v_model.GetSelCooling());
    }
    Box_Cooling->setVisible(layout.CoolingGroup);
    Pnl_CoolingCap->setVisible(layout.CoolingCap);
    ShowText(Txt_ReqCCap, v_model.Txt_ReqCCap());
    v_coolCapUnit->setText(capUnit);
    Box_CEvaporator->setVisible(layout.CEvaporator);
    Box_CCondenser->setVisible(layout.CCondenser);
    Pnl_CondAmbient->setVisible(layout.CondAmbient);
    v_ambientCaption->setText(Text(dialogs::TBaseMsg::Translate(layout.AmbientCaption)));
    Scrl_CondAmbient->Show(v_model.Scrl_CondAmbient(), szTemp);
    Box_Heating->setVisible(layout.HeatingGroup);
    Box_Heating->setTitle(Text(dialogs::TBaseMsg::Translate(layout.HeatingCaption)));
    Pnl_HeatingCap->setVisible(layout.HeatingCap);
    ShowText(Txt_ReqHCap, v_model.Txt_ReqHCap());
    v_heatCapUnit->setText(capUnit);
    Box_HEvaporator->setVisible(layout.HEvaporator);
    Box_HCondenser->setVisible(layout.HCondenser);
    Pnl_Winter->setVisible(layout.Winter);
    Scrl_Winter->Show(v_model.Scrl_Winter(), szTemp);
    for (TTempEntriesView* pBox : {Box_CEvaporator, Box_CCondenser, Box_HEvaporator, Box_HCondenser}) {
        pBox->Refresh(szTemp);
    }
}

QLineEdit* TTempPanelView::UserCapacityEdit() const {
    return v_model.HasUserCoolCap() || !v_model.HasUserHeatCap() ? Txt_ReqCCap : Txt_ReqHCap;
}

}  // namespace brumalis::ui
