#include "workflow/ui/chillers_page_view.h"

#include <algorithm>
#include <utility>

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "documents/ui/graph_frames.h"
#include "documents/ui/raster_image.h"
#include "documents/ui/table_frames.h"
#include "workflow/main_window.h"
#include "workflow/ui/chiller_select_view.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/combo_items.h"
#include "workflow/ui/named_widget.h"
#include "workflow/ui/page_models.h"
#include "workflow/workflow_texts.h"

namespace brumalis::ui {
namespace {

// The graphs keep their legends under their Y title, so the title stays the
// same in every language: a legend set up in one is found in the other.
constexpr const char* kGraphTitles[2][2] = {{"Heating capacity", "Heating power input"},
                                            {"Cooling capacity", "Cooling power input"}};

// A labelled row of combos or the like above a view.
QHBoxLayout* AddChoiceRow(QVBoxLayout& layout, const char* szCaption, QWidget* pChoice) {
    auto* pRow = new QHBoxLayout;
    auto* pLabel = new QLabel(QString::fromLatin1(szCaption));
    pLabel->setBuddy(pChoice);
    pRow->addWidget(pLabel);
    pRow->addWidget(pChoice, 1);
    layout.addLayout(pRow);
    return pRow;
}

}  // namespace

TPictureView::TPictureView(QWidget* pParent) : QWidget(pParent) {
    setMinimumSize(160, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TPictureView::SetPicture(const graphics::CTGraphic& picture) {
    v_image = docui::RasterImage(picture.Raster());
    update();
}

void TPictureView::paintEvent(QPaintEvent*) {
    if (v_image.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Never enlarged beyond its own pixels: a small picture stays sharp.
    const QSize size = v_image.size().boundedTo(this->size()).expandedTo({1, 1});
    const QSize shown = v_image.size().scaled(size, Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    painter.drawImage(target, v_image);
}

TChillersPage::TChillersPage(TMainSession& session, TCurrentResult currentResult, QWidget* pParent)
    : QWidget(pParent), v_session(session), v_currentResult(std::move(currentResult)), v_sheet(session) {
    setObjectName(QStringLiteral("Frm_Chillers"));
    v_chooser.SetupWindow({}, [this](Cls_ChOutdoorUnit* pUnit) {
        v_sheet.ShowUnit(pUnit);
        ShowSheet();
    });
    v_chooser.SetChillers(&v_session.v_PrefChillers);
    Frm_DataChillerSelect = new TChillerSelectView(v_chooser, "Frm_DataChillerSelect", this);
    Frm_DataChillerSelect->setMaximumHeight(190);

    Nbk_ChillerData = Named(new QTabWidget(this), "Nbk_ChillerData");
    Nbk_ChillerData->tabBar()->setObjectName(QStringLiteral("Nbk_ChillerDataTabs"));
    Nbk_ChillerData->addTab(MakeTechnicalTab(), QStringLiteral("Technical data"));
    Nbk_ChillerData->addTab(MakeAllowedOptionsTab(), QStringLiteral("Allowed options"));
    Cooling = MakePerformanceTab(true);
    Nbk_ChillerData->addTab(Cooling.Tab, QStringLiteral("Cooling Data"));
    Heating = MakePerformanceTab(false);
    Nbk_ChillerData->addTab(Heating.Tab, QStringLiteral("Heating Data"));
    Nbk_ChillerData->addTab(MakePressureDropTab(), QStringLiteral("Pressure drop"));
    Nbk_ChillerData->addTab(MakeHeatRecoveryTab(), QStringLiteral("Heat Recovery"));

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(Frm_DataChillerSelect);
    pLayout->addWidget(Nbk_ChillerData, 1);
    ShowSheet();
}

QComboBox* TChillersPage::NewCombo(const char* szName, TSheetCombo combo) {
    auto* pCombo = Named(new QComboBox, szName);
    // Long option names must not push the combo over its neighbours.
    pCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pCombo->setMinimumContentsLength(16);
    v_combos[static_cast<std::size_t>(combo)] = pCombo;
    connect(pCombo, &QComboBox::currentIndexChanged, this, [this, combo](int nItem) {
        if (v_bShowing || !v_sheet.ChooseOption(combo, nItem)) return;
        ShowSheet();
    });
    return pCombo;
}

QWidget* TChillersPage::MakeTechnicalTab() {
    Tab_TechnicalData = Named(new QWidget, "Tab_TechnicalData");
    auto* pData = new QVBoxLayout;
    AddChoiceRow(*pData, "Low noise option", NewCombo("Txt_LowNoiseOption", TSheetCombo::LowNoiseOption));
    Txt_LowNoiseOption = v_combos[static_cast<std::size_t>(TSheetCombo::LowNoiseOption)];
    UD_OutDistance = Named(new QSpinBox, "UD_OutDistance");
    UD_OutDistance->setRange(static_cast<int>(TChillerDataSheet::kMinDistance),
                             static_cast<int>(TChillerDataSheet::kMaxDistance));
    UD_OutDistance->setValue(static_cast<int>(TChillerDataSheet::kDefaultDistance));
    connect(UD_OutDistance, &QSpinBox::valueChanged, this, [this](int nMetres) {
        if (v_bShowing) return;
        v_sheet.SetDistance(nMetres);
        ShowTechnical();
    });
    AddChoiceRow(*pData, "Distance from unit (m)", UD_OutDistance)->addStretch(1);

    auto* pTexts = Named(new QWidget, "Pnl_TechnicalTexts");
    Lay_Technical = new QFormLayout(pTexts);
    // The rows keep their height; the scroll area scrolls instead.
    Lay_Technical->setSizeConstraint(QLayout::SetMinimumSize);
    auto* pScroll = Named(new QScrollArea, "Scr_TechnicalTexts");
    pScroll->setWidget(pTexts);
    pScroll->setWidgetResizable(true);
    pData->addWidget(pScroll, 1);

    auto* pPictures = new QVBoxLayout;
    pPictures->addWidget(Named(new QLabel(QStringLiteral("Photograph")), "Lbl_Photo"));
    Img_Photo = Named(new TPictureView, "Img_Photo");
    pPictures->addWidget(Img_Photo, 1);
    pPictures->addWidget(Named(new QLabel(QStringLiteral("Dimensional drawing")), "Lbl_Drawing"));
    Img_Drawing = Named(new TPictureView, "Img_Drawing");
    pPictures->addWidget(Img_Drawing, 1);

    auto* pLayout = new QHBoxLayout(Tab_TechnicalData);
    pLayout->addLayout(pData, 3);
    pLayout->addLayout(pPictures, 2);
    return Tab_TechnicalData;
}

QWidget* TChillersPage::MakeAllowedOptionsTab() {
    Tab_AllowedOptions = Named(new QWidget, "Tab_AllowedOptions");
    LV_OutAllowedOptions = Named(new QTreeWidget, "LV_OutAllowedOptions");
    LV_OutAllowedOptions->setRootIsDecorated(false);
    LV_OutAllowedOptions->setHeaderLabels({QStringLiteral("Option"), QStringLiteral("Qty"), QStringLiteral("Std")});
    LV_OutAllowedOptions->header()->setStretchLastSection(false);
    LV_OutAllowedOptions->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    auto* pLayout = new QVBoxLayout(Tab_AllowedOptions);
    pLayout->addWidget(LV_OutAllowedOptions);
    return Tab_AllowedOptions;
}

TPerformanceTab TChillersPage::MakePerformanceTab(bool bCooling) {
    TPerformanceTab tab;
    tab.Tab = Named(new QWidget, bCooling ? "Tab_CoolingData" : "Tab_HeatingData");
    auto* pLayout = new QVBoxLayout(tab.Tab);
    tab.LowNoise = NewCombo(bCooling ? "Txt_CoolLowNoise" : "Txt_HeatLowNoise",
                            bCooling ? TSheetCombo::CoolLowNoise : TSheetCombo::HeatLowNoise);
    tab.TempExtend = NewCombo(bCooling ? "Txt_CoolTempExtend" : "Txt_HeatTempExtend",
                              bCooling ? TSheetCombo::CoolTempExtend : TSheetCombo::HeatTempExtend);
    QHBoxLayout* pRow = AddChoiceRow(*pLayout, "Low noise option", tab.LowNoise);
    auto* pExtension = new QLabel(QStringLiteral("Range extension"));
    pExtension->setBuddy(tab.TempExtend);
    pRow->addWidget(pExtension);
    pRow->addWidget(tab.TempExtend, 1);
    tab.Identical = Named(new QLabel(QString::fromLatin1(TChillerDataSheet::kIdenticalLabel)),
                          bCooling ? "Lbl_CoolIdentical" : "Lbl_HeatIdentical");
    pLayout->addWidget(tab.Identical);

    tab.Views = Named(new QTabWidget, bCooling ? "Nbk_CoolingViews" : "Nbk_HeatingViews");
    tab.Views->tabBar()->setObjectName(bCooling ? QStringLiteral("Nbk_CoolingViewsTabs")
                                                : QStringLiteral("Nbk_HeatingViewsTabs"));
    tab.CapTable = Named(new docui::TFrm_ChillerCapPITable, bCooling ? "Frm_CoolCapTable" : "Frm_HeatCapTable");
    tab.PITable = Named(new docui::TFrm_ChillerCapPITable, bCooling ? "Frm_CoolPITable" : "Frm_HeatPITable");
    tab.CapGraph = Named(new docui::TFrm_ChillerCapPIGraph, bCooling ? "Frm_CoolCapGraph" : "Frm_HeatCapGraph");
    tab.PIGraph = Named(new docui::TFrm_ChillerCapPIGraph, bCooling ? "Frm_CoolPIGraph" : "Frm_HeatPIGraph");
    tab.Range = Named(new docui::TFrm_CapTableOpRange, bCooling ? "Frm_CoolRange" : "Frm_HeatRange");
    tab.Views->addTab(tab.CapTable, QStringLiteral("Capacity"));
    tab.Views->addTab(tab.PITable, QStringLiteral("Power input"));
    tab.Views->addTab(tab.CapGraph, QStringLiteral("Capacity graph"));
    tab.Views->addTab(tab.PIGraph, QStringLiteral("Power input graph"));
    tab.Views->addTab(tab.Range, QStringLiteral("Operating range"));
    if (!bCooling) {
        tab.FreezeUp = Named(new docui::TFrm_ChillerFreezeUp, "Frm_FreezeUp");
        tab.Views->addTab(tab.FreezeUp, QStringLiteral("Freeze-up table"));
    }
    pLayout->addWidget(tab.Views, 1);
    return tab;
}

QWidget* TChillersPage::MakePressureDropTab() {
    Tab_PressureDrop = Named(new QWidget, "Tab_PressureDrop");
    auto* pLayout = new QVBoxLayout(Tab_PressureDrop);
    Txt_Pump = NewCombo("Txt_Pump", TSheetCombo::Pump);
    Txt_HRPressureDrop = NewCombo("Txt_HRPressureDrop", TSheetCombo::HRPressureDrop);
    QHBoxLayout* pRow = AddChoiceRow(*pLayout, "Pump option", Txt_Pump);
    auto* pRecovery = new QLabel(QStringLiteral("Heat recovery option"));
    pRecovery->setBuddy(Txt_HRPressureDrop);
    pRow->addWidget(pRecovery);
    pRow->addWidget(Txt_HRPressureDrop, 1);
    Frm_PressureDrop = Named(new docui::TFrm_ChillerPressureDrop, "Frm_PressureDrop");
    pLayout->addWidget(Frm_PressureDrop, 1);
    return Tab_PressureDrop;
}

QWidget* TChillersPage::MakeHeatRecoveryTab() {
    Tab_HeatRecovery = Named(new QWidget, "Tab_HeatRecovery");
    auto* pLayout = new QVBoxLayout(Tab_HeatRecovery);
    Txt_HeatRecovery = NewCombo("Txt_HeatRecovery", TSheetCombo::HeatRecovery);
    AddChoiceRow(*pLayout, "Heat recovery option", Txt_HeatRecovery);
    Frm_HeatRecovery = Named(new docui::TFrm_ChillerHeatRecovery, "Frm_HeatRecovery");
    pLayout->addWidget(Frm_HeatRecovery, 1);
    return Tab_HeatRecovery;
}

void TChillersPage::ShowChiller(Cls_ChOutdoorUnit& Unit) {
    v_chooser.SelectChiller(Unit);
    Frm_DataChillerSelect->ShowModel();
    if (v_chooser.GetSelectedChiller() != &Unit) {
        v_sheet.ShowUnit(&Unit);
        ShowSheet();
    }
}

// A hidden page shows it when it is activated, which the jump does next.
void TChillersPage::JumpTo(Cls_ChOutdoorUnit& Unit) {
    if (isVisible()) {
        ShowChiller(Unit);
    } else {
        v_pJumped = &Unit;
    }
}

// The chooser's lists anew (the preferences may have changed the selectable
// units), then the unit jumped to, else the current result, else the unit
// shown before when it is still selectable.
void TChillersPage::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    if (pEvent->spontaneous()) return;  // the window restored, not the page activated
    Cls_ChOutdoorUnit* pUnit = std::exchange(v_pJumped, nullptr);
    if (!pUnit && v_currentResult) pUnit = v_currentResult();
    const std::vector<Cls_ChOutdoorUnit*>& selectable = v_session.v_PrefChillers;
    if (!pUnit && std::find(selectable.begin(), selectable.end(), v_sheet.Unit()) != selectable.end()) {
        pUnit = v_sheet.Unit();
    }
    v_chooser.SetChillers(&selectable);
    if (pUnit) {
        ShowChiller(*pUnit);
    } else {
        Frm_DataChillerSelect->ShowModel();
        v_sheet.ShowUnit(nullptr);
        ShowSheet();
    }
}

void TChillersPage::ShowSheet() {
    v_bShowing = true;
    ShowCombos();
    ShowTechnical();
    ShowAllowedOptions();
    ShowPerformance(Cooling, v_sheet.Cooling(), true);
    ShowPerformance(Heating, v_sheet.Heating(), false);
    ShowPressureDrop();
    if (v_sheet.HeatRecoveryFilled()) Frm_HeatRecovery->SetupWindow(v_sheet.HeatRecoveryRows());
    if (!v_sheet.Unit()) Frm_HeatRecovery->ClearList();
    ShowTabs();
    v_bShowing = false;
}

void TChillersPage::ShowCombos() {
    for (int c = 0; c < kSheetComboCount; ++c) {
        const TSheetComboItems& items = v_sheet.Combo(static_cast<TSheetCombo>(c));
        QComboBox& combo = *v_combos[static_cast<std::size_t>(c)];
        std::vector<std::string> texts;
        for (const TSheetComboItems::TEntry& entry : items.Items) texts.push_back(entry.Text);
        ShowComboItems(combo, texts);
        combo.setCurrentIndex(items.Selected);
        combo.setEnabled(v_sheet.Unit() != nullptr);
    }
}

void TChillersPage::ShowTechnical() {
    while (Lay_Technical->rowCount() > 0) Lay_Technical->removeRow(0);
    for (const auto& [szCaption, szText] : v_sheet.Technical().Lines()) {
        auto* pText = new QLabel(Q(szText));
        pText->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Lay_Technical->addRow(Q(szCaption), pText);
    }
    UD_OutDistance->setValue(static_cast<int>(v_sheet.Distance()));
    UD_OutDistance->setEnabled(v_sheet.Unit() != nullptr);
    Img_Photo->SetPicture(v_sheet.Photograph());
    Img_Drawing->SetPicture(v_sheet.Drawing());
}

void TChillersPage::ShowAllowedOptions() {
    LV_OutAllowedOptions->clear();
    for (const TAllowedOptionLine& line : v_sheet.AllowedOptions()) {
        auto* pItem = new QTreeWidgetItem(LV_OutAllowedOptions);
        pItem->setText(0, Q(line.Option));
        pItem->setText(1, Q(line.Qty));
        pItem->setText(2, line.Standard ? QStringLiteral("✔") : QString());
        pItem->setTextAlignment(1, Qt::AlignCenter);
        pItem->setTextAlignment(2, Qt::AlignCenter);
    }
    LV_OutAllowedOptions->resizeColumnToContents(1);
    LV_OutAllowedOptions->resizeColumnToContents(2);
}

void TChillersPage::ShowPerformance(const TPerformanceTab& tab, const TPerformanceView& view, bool bCooling) {
    tab.Identical->setVisible(view.Shown && view.IdenticalLabel);
    if (!view.Shown) {
        tab.CapTable->ClearTable();
        tab.PITable->ClearTable();
        tab.CapGraph->ClearGraph();
        tab.PIGraph->ClearGraph();
        tab.Range->ClearGraph();
        if (tab.FreezeUp) tab.FreezeUp->ClearTableGraph();
        return;
    }
    const auto& titles = kGraphTitles[bCooling ? 1 : 0];
    tab.CapTable->SetupWindow(view.CapTable, WorkflowText(titles[0]));
    tab.PITable->SetupWindow(view.PITable, WorkflowText(titles[1]));
    tab.CapGraph->SetupWindow(view.CapTable, bCooling, view.XCaption, titles[0]);
    tab.PIGraph->SetupWindow(view.PITable, bCooling, view.XCaption, titles[1]);
    tab.Range->SetupWindow(v_sheet.Unit(), view.CapTable, static_cast<double>(view.RangeExtension));
    if (tab.FreezeUp) {
        if (view.FreezeUp) {
            tab.FreezeUp->SetupWindow(view.FreezeUp);
        } else {
            tab.FreezeUp->ClearTableGraph();
        }
    }
}

void TChillersPage::ShowPressureDrop() {
    const TPressureDropView& drops = v_sheet.PressureDrop();
    if (!v_sheet.Unit()) {
        Frm_PressureDrop->ClearGraph();
        return;
    }
    Frm_PressureDrop->SetupWindow(v_sheet.Unit(), drops.Evaporator, drops.Condenser, drops.Recovery.get(),
                                  drops.Pump.get());
}

// The mode tabs of the unit's family; "Heat Recovery" is always there.
void TChillersPage::ShowTabs() {
    Nbk_ChillerData->setTabVisible(Nbk_ChillerData->indexOf(Cooling.Tab), v_sheet.Cooling().Shown);
    Nbk_ChillerData->setTabVisible(Nbk_ChillerData->indexOf(Heating.Tab), v_sheet.Heating().Shown);
}

TChillersPage& MakeChillersPage(TChillerUIForm& window, TMainWindowModel& windowModel, TMainSession& session,
                                TChillersPage::TCurrentResult currentResult) {
    auto* pPage = new TChillersPage(session, std::move(currentResult));
    window.SetPageContent(TChillerPage::Chillers, pPage);
    SetChillersJump(window, [&window, &windowModel, pPage](Cls_ChOutdoorUnit& Unit) {
        pPage->JumpTo(Unit);
        windowModel.SetAvailable(TChillerPage::Chillers, true);
        window.PG_ChillerPages->setCurrentWidget(window.Tab_Chillers);
    });
    return *pPage;
}

}  // namespace brumalis::ui
