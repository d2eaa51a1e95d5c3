#include "workflow/ui/preferences_dialog.h"

#include <QtCore/QSignalBlocker>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/messages.h"
#include "dialogs/ui/bottom_panel.h"
#include "dialogs/ui/dialog_parent.h"
#include "localisation/ui/widget_translation.h"
#include "workflow/ui/selection_list_view.h"

namespace brumalis::ui {
namespace {

using TModel = brumalis::TFrm_Preferences;
using TBoxIndex = TFrm_ChApplicationOptions::TBoxIndex;

QString Q(const std::string& sz) { return QString::fromStdString(sz); }
QString L(const char* sz) { return QString::fromLatin1(sz); }

template <typename TWidget>
TWidget* Named(TWidget* pWidget, const char* szName) {
    pWidget->setObjectName(L(szName));
    return pWidget;
}

QGroupBox* Group(QWidget* pOwner, const char* szName, const QString& szTitle) {
    return Named(new QGroupBox(szTitle, pOwner), szName);
}

// A page whose groups stand one below the other, the rest of the height free.
QVBoxLayout* PageColumn(QWidget* pPage) {
    auto* pColumn = new QVBoxLayout(pPage);
    pColumn->setAlignment(Qt::AlignTop);
    return pColumn;
}

constexpr const char* kPageNames[TFrm_Preferences::kPageCount] = {
    "Tab_Units", "Tab_Refrigerants", "Tab_Deviation", "Tab_Options", "Tab_PersonalizedData", "Tab_Other"};
constexpr const char* kPageCaptions[TFrm_Preferences::kPageCount] = {
    "Units", "Refrigerants", "Deviation", "Options", "Personalized Data", "Other"};

constexpr const char* kUnitGroupNames[TModel::kUnitGroupCount] = {
    "Rgp_Temperature", "Rgp_Dimensions", "Rgp_Length", "Rgp_Weight", "Rgp_FluidFlow", "Rgp_Capacity",
    "Rgp_PressureDrop"};

// The captions besides the unit titles, the frames' texts and the model's.
constexpr const char* kOwnTexts[] = {
    "Refrigerants allowed", "Refrigerants not allowed", "Maximum number of solutions",
    "Cooling Capacity Deviation", "Heating Capacity Deviation", "Application Options", "Version Level",
    "Sound Level", "Optional Reporting Options", "Operation range", "Pressure drop", "Specification texts",
    "Cover page", "Partial Load", "ESEER", "IPLV", "Price File", "Select the folder of the specification texts",
    "Moves the selected refrigerants to the other list"};

// Tab enters a radio group at its checked button and the arrow keys move
// within it, so only that button is in the Tab round.
void TabToCheckedRadio(QButtonGroup* pGroup) {
    const auto update = [pGroup] {
        for (QAbstractButton* pButton : pGroup->buttons()) {
            pButton->setFocusPolicy(pButton->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    QObject::connect(pGroup, &QButtonGroup::buttonToggled, pGroup, update);
    update();
}

std::vector<QListWidgetItem*> ListItems(QListWidget* pList) {
    std::vector<QListWidgetItem*> items;
    for (int n = 0; n < pList->count(); ++n) items.push_back(pList->item(n));
    return items;
}

}  // namespace

std::vector<std::string> TFrm_Preferences::Texts() {
    std::vector<std::string> texts(std::begin(kPageCaptions), std::end(kPageCaptions));
    texts.insert(texts.end(), std::begin(kOwnTexts), std::end(kOwnTexts));
    for (const TApplicationOptionBox& box : kApplicationOptionBoxes) texts.emplace_back(box.szCaption);
    return texts;
}

TFrm_Preferences::TFrm_Preferences(QWidget* pOwner, bool bReadOnly, TModel model)
    : TBasicDialog(pOwner, bReadOnly), v_model(std::move(model)) {
    setObjectName(QStringLiteral("Frm_Preferences"));
    setWindowTitle(L(TModel::kCaption));
    auto* pMain = new QVBoxLayout(this);
    Nbk_Pages = Named(new QTabWidget(this), "Nbk_Pages");
    // Ctrl+Tab changes the page; Tab goes through the page's controls.
    Nbk_Pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    QWidget* pages[kPageCount] = {MakeUnitsPage(),   MakeRefrigerantsPage(),     MakeDeviationPage(),
                                  MakeOptionsPage(), MakePersonalizedDataPage(), MakeOtherPage()};
    for (int n = 0; n < kPageCount; ++n) {
        pages[n]->setObjectName(L(kPageNames[n]));
        Nbk_Pages->addTab(pages[n], L(kPageCaptions[n]));
    }
    pMain->addWidget(Nbk_Pages, 1);
    auto* pDefaultsRow = new QHBoxLayout;
    Btn_Defaults = Named(new QPushButton(L(TModel::kDefaultsCaption), this), "Btn_Defaults");
    SetHint(*Btn_Defaults, TModel::kDefaultsHint);
    pDefaultsRow->addWidget(Btn_Defaults);
    pDefaultsRow->addStretch(1);
    pMain->addLayout(pDefaultsRow);
    Fra_BottomPanel = new dialogs::ui::TFraBottomPanelExt(this);
    pMain->addWidget(Fra_BottomPanel);
    connect(Btn_Defaults, &QPushButton::clicked, this, &TFrm_Preferences::Btn_DefaultsClick);
    ShowModel();
}

QWidget* TFrm_Preferences::MakeUnitsPage() {
    auto* pPage = new QWidget(this);
    QVBoxLayout* pColumn = PageColumn(pPage);
    for (int g = 0; g < TModel::kUnitGroupCount; ++g) {
        const TModel::TUnitChoice& choice = v_model.UnitGroup(static_cast<TModel::TUnitGroup>(g));
        QGroupBox* pGroup = Group(pPage, kUnitGroupNames[g], Q(choice.Title));
        auto* pRow = new QHBoxLayout(pGroup);
        auto* pButtons = new QButtonGroup(pGroup);
        for (std::size_t i = 0; i < choice.Items.size(); ++i) {
            auto* pRadio = new QRadioButton(Q(choice.Items[i]), pGroup);
            pRadio->setObjectName(QStringLiteral("%1_%2").arg(L(kUnitGroupNames[g])).arg(i));
            pButtons->addButton(pRadio, static_cast<int>(i));
            pRow->addWidget(pRadio);
        }
        pRow->addStretch(1);
        MarkAsRadioGroup(*pGroup);
        TabToCheckedRadio(pButtons);
        connect(pButtons, &QButtonGroup::idClicked, this,
                [this, g](int nId) { v_model.ChooseUnit(static_cast<TModel::TUnitGroup>(g), nId); });
        Rgp_Units[g] = pGroup;
        v_unitButtons[g] = pButtons;
        pColumn->addWidget(pGroup);
    }
    return pPage;
}

QWidget* TFrm_Preferences::MakeRefrigerantsPage() {
    auto* pPage = new QWidget(this);
    auto* pGrid = new QGridLayout(pPage);
    const auto list = [this, pPage](const char* szName, TModel::TRefrigerantList which) {
        auto* pList = Named(new QListWidget(pPage), szName);
        pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
        connect(pList, &QListWidget::itemSelectionChanged, this,
                [this, which] { RefrigerantSelectionChanged(which); });
        connect(pList, &QListWidget::itemDoubleClicked, this, [this, which, pList](QListWidgetItem* pItem) {
            v_model.DoubleClickRefrigerant(which, static_cast<std::size_t>(pList->row(pItem)));
            ShowRefrigerants();
        });
        return pList;
    };
    auto* pAllowedCaption = Named(new QLabel(QStringLiteral("Refrigerants allowed"), pPage), "Lbl_Allowed");
    auto* pNotAllowedCaption = Named(new QLabel(QStringLiteral("Refrigerants not allowed"), pPage), "Lbl_NotAllowed");
    Lbx_Allowed = list("Lbx_Allowed", TModel::rlAllowed);
    Btn_NotAllow = Named(new QPushButton(QStringLiteral(">"), pPage), "Btn_NotAllow");
    Btn_Allow = Named(new QPushButton(QStringLiteral("<"), pPage), "Btn_Allow");
    Lbx_NotAllowed = list("Lbx_NotAllowed", TModel::rlNotAllowed);
    pAllowedCaption->setBuddy(Lbx_Allowed);
    pNotAllowedCaption->setBuddy(Lbx_NotAllowed);
    for (QPushButton* pButton : {Btn_NotAllow, Btn_Allow}) {
        SetHint(*pButton, "Moves the selected refrigerants to the other list");
    }
    auto* pMoves = new QVBoxLayout;
    pMoves->addStretch(1);
    pMoves->addWidget(Btn_NotAllow);
    pMoves->addWidget(Btn_Allow);
    pMoves->addStretch(1);
    pGrid->addWidget(pAllowedCaption, 0, 0);
    pGrid->addWidget(pNotAllowedCaption, 0, 2);
    pGrid->addWidget(Lbx_Allowed, 1, 0);
    pGrid->addLayout(pMoves, 1, 1);
    pGrid->addWidget(Lbx_NotAllowed, 1, 2);
    connect(Btn_NotAllow, &QPushButton::clicked, this, [this] { Move(TModel::rlAllowed); });
    connect(Btn_Allow, &QPushButton::clicked, this, [this] { Move(TModel::rlNotAllowed); });
    return pPage;
}

QGroupBox* TFrm_Preferences::MakeBarGroup(QWidget* pPage, const char* szName, const char* szTitle,
                                          TModel::TDeviationBar neg) {
    QGroupBox* pGroup = Group(pPage, szName, L(szTitle));
    auto* pRow = new QHBoxLayout(pGroup);
    const auto bar = [this, pGroup, pRow](TModel::TDeviationBar which, bool bLimitFirst) {
        TBarView& view = Bars[which];
        view.LimitLabel = new QLabel(pGroup);
        view.ValueLabel = new QLabel(pGroup);
        view.Bar = new QScrollBar(Qt::Horizontal, pGroup);
        const QString szName = QStringLiteral("Sb_Deviation%1").arg(static_cast<int>(which));
        view.Bar->setObjectName(szName);
        view.LimitLabel->setObjectName(szName + QStringLiteral("_Limit"));
        view.ValueLabel->setObjectName(szName + QStringLiteral("_Value"));
        // Keys move the bar too, so it takes part in the Tab round.
        view.Bar->setFocusPolicy(Qt::StrongFocus);
        // A handle the size of a few percent, not a third of a 25 % bar.
        view.Bar->setPageStep(5);
        view.Bar->setMinimumWidth(view.Bar->fontMetrics().averageCharWidth() * 16);
        // Room for the widest text, so the labels do not jump while the bar moves.
        for (QLabel* pLabel : {view.LimitLabel, view.ValueLabel}) {
            pLabel->setMinimumWidth(pLabel->fontMetrics().horizontalAdvance(QStringLiteral("-100%")));
            pLabel->setAlignment(Qt::AlignCenter);
        }
        QWidget* parts[] = {view.LimitLabel, view.Bar, view.ValueLabel};
        if (!bLimitFirst) std::swap(parts[0], parts[2]);
        for (QWidget* pPart : parts) pRow->addWidget(pPart, pPart == view.Bar ? 1 : 0);
        connect(view.Bar, &QScrollBar::valueChanged, this, [this, which](int nValue) {
            v_model.MoveBar(which, nValue);
            Bars[which].ValueLabel->setText(Q(v_model.Bar(which).ValueText));
        });
    };
    // The limits outside, the values towards 0 in the middle.
    bar(neg, true);
    pRow->addSpacing(pGroup->fontMetrics().averageCharWidth() * 2);
    bar(static_cast<TModel::TDeviationBar>(neg + 1), false);
    return pGroup;
}

QWidget* TFrm_Preferences::MakeDeviationPage() {
    auto* pPage = new QWidget(this);
    QVBoxLayout* pColumn = PageColumn(pPage);
    auto* pRow = new QHBoxLayout;
    auto* pCaption = Named(new QLabel(QStringLiteral("Maximum number of solutions"), pPage), "Lbl_MaxSolution");
    Cbx_MaxSolution = Named(new QComboBox(pPage), "Cbx_MaxSolution");
    for (const std::string& item : TModel::MaxSolutionItems()) Cbx_MaxSolution->addItem(Q(item));
    pCaption->setBuddy(Cbx_MaxSolution);
    pRow->addWidget(pCaption);
    pRow->addWidget(Cbx_MaxSolution);
    pRow->addStretch(1);
    pColumn->addLayout(pRow);
    connect(Cbx_MaxSolution, &QComboBox::currentIndexChanged, this,
            [this](int nIndex) { v_model.ChooseMaxSolution(nIndex); });
    pColumn->addWidget(MakeBarGroup(pPage, "Box_CoolingDeviation", "Cooling Capacity Deviation", TModel::dbNegCooling));
    pColumn->addWidget(MakeBarGroup(pPage, "Box_HeatingDeviation", "Heating Capacity Deviation", TModel::dbNegHeating));
    return pPage;
}

QWidget* TFrm_Preferences::MakeOptionsPage() {
    auto* pPage = new QWidget(this);
    QVBoxLayout* pColumn = PageColumn(pPage);
    QGroupBox* pAppl = Group(pPage, "Box_ApplicationOptions", QStringLiteral("Application Options"));
    auto* pApplColumn = new QVBoxLayout(pAppl);
    const auto level = [this, pAppl, pApplColumn](const char* szName, const char* szTitle, int nFirst) {
        QGroupBox* pLevel = Group(pAppl, szName, L(szTitle));
        auto* pGrid = new QGridLayout(pLevel);
        // Two by two, so that Tab goes along the rows.
        for (int n = 0; n < 4; ++n) {
            const auto index = static_cast<TBoxIndex>(nFirst + n);
            const TApplicationOptionBox& box = kApplicationOptionBoxes[static_cast<std::size_t>(index)];
            auto* pBox = Named(new QCheckBox(L(box.szCaption), pLevel), box.szName);
            pGrid->addWidget(pBox, n / 2, n % 2);
            connect(pBox, &QCheckBox::toggled, this, [this, index](bool bChecked) {
                v_model.ApplicationOptions().SetBox(index, bChecked);
                ShowOptions();
            });
            Chk_ApplOptions[index] = pBox;
        }
        pApplColumn->addWidget(pLevel);
    };
    level("Box_VersionLevel", "Version Level", TFrm_ChApplicationOptions::bxVersionS);
    level("Box_SoundLevel", "Sound Level", TFrm_ChApplicationOptions::bxSoundS);
    pColumn->addWidget(pAppl);
    QGroupBox* pReport = Group(pPage, "Box_ReportingOptions", QStringLiteral("Optional Reporting Options"));
    auto* pReportRow = new QHBoxLayout(pReport);
    Chk_OperationRange = Named(new QCheckBox(QStringLiteral("Operation range"), pReport), "Chk_OperationRange");
    Chk_PressureDrop = Named(new QCheckBox(QStringLiteral("Pressure drop"), pReport), "Chk_PressureDrop");
    pReportRow->addWidget(Chk_OperationRange);
    pReportRow->addWidget(Chk_PressureDrop);
    pReportRow->addStretch(1);
    pColumn->addWidget(pReport);
    connect(Chk_OperationRange, &QCheckBox::toggled, this, [this](bool b) { v_model.Choices().OperationRange = b; });
    connect(Chk_PressureDrop, &QCheckBox::toggled, this, [this](bool b) { v_model.Choices().PressureDrop = b; });
    return pPage;
}

QWidget* TFrm_Preferences::MakePersonalizedDataPage() {
    auto* pPage = new QWidget(this);
    QVBoxLayout* pColumn = PageColumn(pPage);
    const auto chooser = [pPage, pColumn](const char* szGroup, const char* szTitle, const char* szEdit,
                                          const char* szButton, QLineEdit*& pEdit, QPushButton*& pButton) {
        QGroupBox* pGroup = Group(pPage, szGroup, L(szTitle));
        auto* pRow = new QHBoxLayout(pGroup);
        pEdit = Named(new QLineEdit(pGroup), szEdit);
        pEdit->setMinimumWidth(pEdit->fontMetrics().averageCharWidth() * 40);
        pButton = Named(new QPushButton(L(TFrmPriceFileAdmin::kBrowseCaption), pGroup), szButton);
        pRow->addWidget(pEdit, 1);
        pRow->addWidget(pButton);
        pColumn->addWidget(pGroup);
    };
    chooser("Box_SpecTexts", "Specification texts", "Txt_SpecTexts", "Btn_SpecTexts", Txt_SpecTexts, Btn_SpecTexts);
    chooser("Box_CoverPage", "Cover page", "Txt_CoverPage", "Btn_CoverPage", Txt_CoverPage, Btn_CoverPage);
    SetHint(*Btn_SpecTexts, "Select the folder of the specification texts");
    SetHint(*Btn_CoverPage, TModel::kCoverPageTitle);
    connect(Txt_SpecTexts, &QLineEdit::textEdited, this,
            [this](const QString& sz) { v_model.Choices().SpecTexts = sz.toStdString(); });
    connect(Txt_CoverPage, &QLineEdit::textEdited, this,
            [this](const QString& sz) { v_model.Choices().CoverPage = sz.toStdString(); });
    connect(Btn_SpecTexts, &QPushButton::clicked, this, &TFrm_Preferences::BrowseSpecTexts);
    connect(Btn_CoverPage, &QPushButton::clicked, this, &TFrm_Preferences::BrowseCoverPage);
    return pPage;
}

QWidget* TFrm_Preferences::MakeOtherPage() {
    auto* pPage = new QWidget(this);
    QVBoxLayout* pColumn = PageColumn(pPage);
    QGroupBox* pPartial = Group(pPage, "Rgp_PartialLoad", QStringLiteral("Partial Load"));
    auto* pRow = new QHBoxLayout(pPartial);
    Rbt_ESEER = Named(new QRadioButton(QStringLiteral("ESEER"), pPartial), "Rbt_ESEER");
    Rbt_IPLV = Named(new QRadioButton(QStringLiteral("IPLV"), pPartial), "Rbt_IPLV");
    pRow->addWidget(Rbt_ESEER);
    pRow->addWidget(Rbt_IPLV);
    pRow->addStretch(1);
    MarkAsRadioGroup(*pPartial);
    auto* pPartialButtons = new QButtonGroup(pPartial);
    pPartialButtons->addButton(Rbt_ESEER);
    pPartialButtons->addButton(Rbt_IPLV);
    TabToCheckedRadio(pPartialButtons);
    connect(Rbt_ESEER, &QRadioButton::toggled, this, [this](bool b) { v_model.Choices().ESEER = b; });
    pColumn->addWidget(pPartial);
    QGroupBox* pPrice = Group(pPage, "Box_PriceFile", QStringLiteral("Price File"));
    auto* pPriceColumn = new QVBoxLayout(pPrice);
    Frm_PriceFile = new TFrmPriceFileAdminView(v_model.PriceFile(), pPrice);
    pPriceColumn->addWidget(Frm_PriceFile);
    pColumn->addWidget(pPrice);
    return pPage;
}

void TFrm_Preferences::SetOpenFileQuestion(const TOpenFileQuestion& ask) {
    v_ask = ask;
    Frm_PriceFile->SetOpenFileQuestion(ask);
}

void TFrm_Preferences::ShowModel() {
    ShowUnits();
    ShowRefrigerants();
    {
        const QSignalBlocker block(Cbx_MaxSolution);
        Cbx_MaxSolution->setCurrentIndex(v_model.MaxSolutionIndex());
    }
    ShowBars();
    ShowOptions();
    ShowChoices();
    Frm_PriceFile->ShowFileState();
}

void TFrm_Preferences::ShowUnits() {
    for (int g = 0; g < TModel::kUnitGroupCount; ++g) {
        const int nIndex = v_model.UnitGroup(static_cast<TModel::TUnitGroup>(g)).ItemIndex;
        if (QAbstractButton* pButton = v_unitButtons[g]->button(nIndex)) pButton->setChecked(true);
    }
}

void TFrm_Preferences::ShowRefrigerants() {
    const auto fill = [this](QListWidget* pList, TModel::TRefrigerantList which) {
        const QSignalBlocker block(pList);
        pList->clear();
        for (const TModel::TRefrigerantItem& item : v_model.Refrigerants(which)) {
            auto* pItem = new QListWidgetItem(Q(item.Name), pList);
            pItem->setSelected(item.Selected);
        }
    };
    fill(Lbx_Allowed, TModel::rlAllowed);
    fill(Lbx_NotAllowed, TModel::rlNotAllowed);
    Btn_NotAllow->setEnabled(v_model.MoveEnabled(TModel::rlAllowed));
    Btn_Allow->setEnabled(v_model.MoveEnabled(TModel::rlNotAllowed));
}

void TFrm_Preferences::RefrigerantSelectionChanged(TModel::TRefrigerantList which) {
    QListWidget* pList = which == TModel::rlAllowed ? Lbx_Allowed : Lbx_NotAllowed;
    const std::vector<QListWidgetItem*> items = ListItems(pList);
    for (std::size_t n = 0; n < items.size(); ++n) v_model.SelectRefrigerant(which, n, items[n]->isSelected());
    Btn_NotAllow->setEnabled(v_model.MoveEnabled(TModel::rlAllowed));
    Btn_Allow->setEnabled(v_model.MoveEnabled(TModel::rlNotAllowed));
}

void TFrm_Preferences::Move(TModel::TRefrigerantList from) {
    v_model.MoveSelected(from);
    ShowRefrigerants();
}

void TFrm_Preferences::ShowBars() {
    for (std::size_t n = 0; n < Bars.size(); ++n) {
        const TModel::TBar& bar = v_model.Bar(static_cast<TModel::TDeviationBar>(n));
        TBarView& view = Bars[n];
        const QSignalBlocker block(view.Bar);
        view.Bar->setRange(bar.Min, bar.Max);
        view.Bar->setValue(bar.Position);
        view.LimitLabel->setText(Q(bar.LimitText));
        view.ValueLabel->setText(Q(bar.ValueText));
    }
}

void TFrm_Preferences::ShowOptions() {
    const TFrm_ChApplicationOptions& options = v_model.ApplicationOptions();
    for (std::size_t n = 0; n < Chk_ApplOptions.size(); ++n) {
        const TFrm_ChApplicationOptions::TBox& box = options.Box(static_cast<TBoxIndex>(n));
        const QSignalBlocker block(Chk_ApplOptions[n]);
        Chk_ApplOptions[n]->setChecked(box.Checked);
        Chk_ApplOptions[n]->setEnabled(box.Enabled);
    }
}

void TFrm_Preferences::ShowChoices() {
    const TModel::TChoices& choices = v_model.Choices();
    Chk_OperationRange->setChecked(choices.OperationRange);
    Chk_PressureDrop->setChecked(choices.PressureDrop);
    Txt_SpecTexts->setText(Q(choices.SpecTexts));
    Txt_CoverPage->setText(Q(choices.CoverPage));
    (choices.ESEER ? Rbt_ESEER : Rbt_IPLV)->setChecked(true);
}

void TFrm_Preferences::BrowseCoverPage() {
    const std::optional<std::string> chosen = v_ask(this, dialogs::TBaseMsg::Translate(TModel::kCoverPageTitle),
                                                    dialogs::TBaseMsg::Translate(TModel::kCoverPageFilter), "spt");
    if (!chosen) return;
    v_model.Choices().CoverPage = *chosen;
    Txt_CoverPage->setText(Q(*chosen));
}

void TFrm_Preferences::BrowseSpecTexts() {
    const QString szFolder = QFileDialog::getExistingDirectory(
        this, Q(dialogs::TBaseMsg::Translate("Select the folder of the specification texts")), Txt_SpecTexts->text());
    if (szFolder.isEmpty()) return;
    v_model.Choices().SpecTexts = szFolder.toStdString();
    Txt_SpecTexts->setText(szFolder);
}

void TFrm_Preferences::Btn_DefaultsClick() {
    v_model.RestoreDefaults();
    ShowModel();
}

bool TFrm_Preferences::ValidateOK() {
    const TModel::TAcceptResult result = v_model.Accept();
    if (result.Accepted) return true;
    dialogs::TBaseMsg::DisplayError(dialogs::ui::ToDialogParent(this), dialogs::msgAllParameters, {result.Message});
    if (result.FocusNotAllowed) SafeFocusControl(Lbx_NotAllowed);
    return false;
}

void TFrm_Preferences::done(int nResult) {
    // Browse and Clear acted at once; anything but OK gives the old file back.
    if (nResult != 1) v_model.Cancel();
    TBasicDialog::done(nResult);
}

}  // namespace brumalis::ui
