// The Chillers page through the program's start on the shipped catalogue,
// offscreen: the jumps from the grids, what each family's tabs show, the
// pictures, the tab kept with the window, and the window checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "catalogue/unit_classes.h"
#include "documents/ui/graph_frames.h"
#include "documents/ui/table_frames.h"
#include "tests/platform/private_registry.h"
#include "tests/ui_check/ui_check.h"
#include "tests/workflow/started_desktop.h"
#include "workflow/desktop_start.h"
#include "workflow/selection_list.h"
#include "workflow/ui/chiller_select_view.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/chillers_page_view.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/results_page.h"

namespace brumalis::ui {
namespace {

// The language is read once per process: the Russian program runs the
// window checks only, the English one everything.
#ifdef BRUMALIS_CHILLERS_RUSSIAN
constexpr bool kRussian = true;
#else
constexpr bool kRussian = false;
#endif

class ChillersPageUi : public ::testing::Test, protected CTStartedDesktop {
protected:
    void SetUp() override {
        if (!kRussian) setenv("BRUMALIS_LANGUAGE", "en", 1);
    }
    void TearDown() override {
        Stop();
        unsetenv("BRUMALIS_LANGUAGE");
    }

    // Starts the program as the desktop does, the window shown.
    TChillersPage& Start() {
        page = nullptr;
        StartDesktop(true);
        page = window->Tab_Chillers->findChild<TChillersPage*>();
        EXPECT_NE(page, nullptr);
        return *page;
    }
    void Stop() {
        page = nullptr;
        StopDesktop();
    }
    // The unit on the page through the grids' jump.
    void Jump(Cls_ChOutdoorUnit& unit) {
        JumpToChillers(*window, unit);
        QCoreApplication::processEvents();
    }
    bool TabShown(QWidget* pTab) const {
        return page->Nbk_ChillerData->isTabVisible(page->Nbk_ChillerData->indexOf(pTab));
    }
    static int ItemStarting(const QComboBox& combo, const char* szPrefix) {
        for (int i = 0; i < combo.count(); ++i) {
            if (combo.itemText(i).startsWith(QString::fromLatin1(szPrefix))) return i;
        }
        return -1;
    }

    testing::TPrivateRegistry registry;
    TChillersPage* page = nullptr;
};

#ifndef BRUMALIS_CHILLERS_RUSSIAN
TEST_F(ChillersPageUi, ADoubleClickInResultsOpensTheUnitAndActivationShowsTheCurrentResult) {
    Start();
    // Without results the page starts cleared.
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Chillers);
    EXPECT_EQ(page->Sheet().Unit(), nullptr);
    EXPECT_EQ(page->Lay_Technical->rowCount(), 0);
    EXPECT_EQ(page->LV_OutAllowedOptions->topLevelItemCount(), 0);
    EXPECT_FALSE(page->Txt_LowNoiseOption->isEnabled());
    EXPECT_FALSE(TabShown(page->Cooling.Tab));
    EXPECT_TRUE(TabShown(page->Tab_HeatRecovery));

    TSettingsPage& settings = SharedSettingsPage(*window, Session());
    settings.SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
    settings.Panel().TypeValue(TPanelEntry::CoolCapacity, "350");
    const int nBest = settings.MakeSelection(false);
    ASSERT_GE(nBest, 1) << "a second unit to click on";
    start->Window().SetAvailable(TChillerPage::Results, true);
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Results);
    TResultGridView& grid = *window->Tab_Results->findChild<TResultsPage*>()->Grid_Results;
    const int nOther = nBest == 0 ? 1 : 0;
    Cls_ChOutdoorUnit* pOther = settings.ResultGrid().Column(nOther).unit;
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(0, nOther)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_Chillers);
    EXPECT_TRUE(start->Window().IsAvailable(TChillerPage::Chillers));
    EXPECT_EQ(page->Sheet().Unit(), pOther) << "the unit clicked, not the current result";
    EXPECT_EQ(page->Chooser().GetSelectedChiller(), pOther);
    ASSERT_NE(page->Frm_DataChillerSelect->Lst_Chillers->currentItem(), nullptr);
    EXPECT_EQ(page->Frm_DataChillerSelect->Lst_Chillers->currentItem()->text().toStdString(),
              page->Chooser().Chillers()[static_cast<std::size_t>(page->Chooser().ChillerLine())].Text);
    EXPECT_GT(page->Lay_Technical->rowCount(), 5);

    // Back to Results and again to Chillers: the grid's current unit.
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Results);
    settings.ResultGrid().SetCurrentPosition(nBest);
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Chillers);
    std::int32_t nSeqNr = 0;
    EXPECT_EQ(page->Sheet().Unit(), settings.ResultGrid().GetCurrentChiller(nSeqNr));

    // The plant grid's and the basket's double-clicks go through the same jump.
    Cls_ChOutdoorUnit& heatPump = UnitOf(ctAirCooled, famHeatPump);
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Results);
    Jump(heatPump);
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_Chillers);
    EXPECT_EQ(page->Sheet().Unit(), &heatPump);
    EXPECT_EQ(page->Chooser().GetFamily(), famHeatPump);
}

TEST_F(ChillersPageUi, TheTabsFollowTheFamilyAndACondenserlessUnitPlotsOverTheCondensingTemperature) {
    Start();
    Jump(UnitOf(ctAirCooled, famCoolingOnly));
    EXPECT_TRUE(TabShown(page->Cooling.Tab));
    EXPECT_FALSE(TabShown(page->Heating.Tab)) << "cooling only";
    EXPECT_TRUE(TabShown(page->Tab_HeatRecovery));
    EXPECT_EQ(page->Cooling.CapGraph->Model().XTitle().rfind("Ambient temperature", 0), 0U);
    EXPECT_EQ(page->Cooling.CapGraph->Model().YTitle().rfind("Cooling capacity", 0), 0U);
    EXPECT_GT(page->Cooling.CapTable->Table().rowCount(), 2);
    EXPECT_GT(page->LV_OutAllowedOptions->topLevelItemCount(), 0);
    EXPECT_EQ(page->LV_OutAllowedOptions->headerItem()->text(2), "Std");
    int nStandard = 0;
    for (int i = 0; i < page->LV_OutAllowedOptions->topLevelItemCount(); ++i) {
        const QString check = page->LV_OutAllowedOptions->topLevelItem(i)->text(2);
        EXPECT_TRUE(check.isEmpty() || check == QString::fromUtf8("✔"));
        nStandard += !check.isEmpty();
    }
    EXPECT_EQ(nStandard, static_cast<int>(std::count_if(page->Sheet().AllowedOptions().begin(),
                                                         page->Sheet().AllowedOptions().end(),
                                                         [](const auto& l) { return l.Standard; })));
    for (QComboBox* pCombo : {page->Txt_LowNoiseOption, page->Cooling.LowNoise, page->Txt_Pump, page->Txt_HeatRecovery}) {
        EXPECT_EQ(pCombo->currentText(), "<None>") << pCombo->objectName().toStdString();
    }

    Jump(UnitOf(ctAirCooled, famHeatPump));
    EXPECT_TRUE(TabShown(page->Cooling.Tab));
    EXPECT_TRUE(TabShown(page->Heating.Tab));
    EXPECT_EQ(page->Heating.CapGraph->Model().YTitle().rfind("Heating capacity", 0), 0U);
    EXPECT_GT(page->Heating.FreezeUp->Model().Grid().ColCount(), 2) << "the freeze-up table when heating";

    Jump(UnitOf(ctCondenserless, 0));
    EXPECT_TRUE(TabShown(page->Cooling.Tab));
    EXPECT_EQ(page->Cooling.CapGraph->Model().XTitle().rfind("Condensing temperature", 0), 0U);
    EXPECT_EQ(page->Cooling.PIGraph->Model().XTitle().rfind("Condensing temperature", 0), 0U);

    // Water cooled: the condenser's ranges are among the technical texts.
    const auto HasLine = [this](const char* szCaption) {
        for (int r = 0; r < page->Lay_Technical->rowCount(); ++r) {
            auto* pLabel = qobject_cast<QLabel*>(page->Lay_Technical->itemAt(r, QFormLayout::LabelRole)->widget());
            if (pLabel && pLabel->text() == QString::fromLatin1(szCaption)) return true;
        }
        return false;
    };
    EXPECT_FALSE(HasLine("Condenser flow range"));
    Jump(UnitOf(ctWaterCooled, famCoolingOnly));
    EXPECT_TRUE(HasLine("Condenser flow range"));
    EXPECT_TRUE(HasLine("Evaporator flow range"));

    // The distance changes the sound pressure text only.
    const std::string szAt5 = page->Sheet().Technical().SoundPressure;
    page->UD_OutDistance->setValue(10);
    EXPECT_EQ(page->Sheet().Distance(), 10.0);
    EXPECT_NE(page->Sheet().Technical().SoundPressure, szAt5);
    page->UD_OutDistance->setValue(50);
    EXPECT_EQ(page->UD_OutDistance->value(), 20);
}

TEST_F(ChillersPageUi, ALowNoiseOptionWithoutTablesShowsTheIdenticalLabel) {
    Start();
    Cls_ChOutdoorUnit* pUnit = nullptr;
    for (Cls_ChOutdoorUnit* p : Session().v_PrefChillers) {
        if (DisplayName(*p) == "ACB 350") pUnit = p;
    }
    ASSERT_NE(pUnit, nullptr);
    Jump(*pUnit);
    QLabel& label = *page->Cooling.Identical;
    EXPECT_FALSE(!label.isHidden());
    const int nLowNoise = ItemStarting(*page->Cooling.LowNoise, "LN1");
    ASSERT_GT(nLowNoise, 0);
    page->Cooling.LowNoise->setCurrentIndex(nLowNoise);
    EXPECT_EQ(page->Sheet().Combo(TSheetCombo::CoolLowNoise).Selected, nLowNoise);
    EXPECT_EQ(page->Cooling.LowNoise->currentIndex(), nLowNoise) << "kept when the page is filled again";
    EXPECT_TRUE(!label.isHidden());
    EXPECT_EQ(label.text(), "Regular table and low noise table are identical");
    EXPECT_GT(page->Cooling.CapTable->Table().rowCount(), 2) << "the regular table";
    page->Cooling.LowNoise->setCurrentIndex(0);
    EXPECT_FALSE(!label.isHidden());
}

TEST_F(ChillersPageUi, ADamagedDrawingEmptiesOnlyThatPicture) {
    Start();
    Cls_ChOutdoorUnit& unit = UnitOf(ctAirCooled, famCoolingOnly);
    Jump(unit);
    EXPECT_TRUE(page->Img_Photo->HasPicture());
    EXPECT_TRUE(page->Img_Drawing->HasPicture());
    std::int32_t nCls = 0, nDrawing = 0;
    unit.GetChVisualization2_REF(nCls, nDrawing);
    page->Sheet().SetPictureReader([nDrawing](std::int32_t nObjID) {
        const std::string bytes = StoredPictureBytes(nObjID);
        return nObjID == nDrawing ? bytes.substr(0, bytes.size() / 4) : bytes;
    });
    page->ShowChiller(unit);
    EXPECT_TRUE(page->Img_Photo->HasPicture());
    EXPECT_FALSE(page->Img_Drawing->HasPicture());
    page->Img_Drawing->repaint();  // an empty picture paints nothing, and does not fail
    EXPECT_EQ(page->Sheet().Unit(), &unit) << "the rest of the sheet is shown";
    EXPECT_GT(page->Lay_Technical->rowCount(), 5);
}

TEST_F(ChillersPageUi, TheChillersTabHoldsInANewWindow) {
    Start();
    Jump(UnitOf(ctAirCooled, famHeatPump));
    page->Nbk_ChillerData->setCurrentWidget(page->Tab_PressureDrop);
    const int nTab = page->Nbk_ChillerData->currentIndex();
    ASSERT_GT(nTab, 0);
    ASSERT_TRUE(window->close());
    Start();
    EXPECT_EQ(page->Nbk_ChillerData->currentIndex(), nTab);
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Chillers);
    EXPECT_EQ(page->Nbk_ChillerData->currentWidget(), page->Tab_PressureDrop);
}
#endif

TEST_F(ChillersPageUi, PassesTheWindowChecks) {
    Start();
    Jump(UnitOf(ctAirCooled, famHeatPump));
    if (kRussian) {
        EXPECT_EQ(page->Nbk_ChillerData->tabText(page->Nbk_ChillerData->indexOf(page->Cooling.Tab)),
                  QString::fromUtf8("Данные охлаждения"));
    }
    // Catalogue names and figures the data sheet shows as they are, the
    // Settings page's version letters.
    const std::vector<std::string> catalogue = {"R410A", "R407C", "R134a", "Scroll", "Screw", "ACB", "LN1", "HR", "Hz", "V", "A", "dBA",
                                                "S", "X", "P", "L", "R", "C"};
    // The series, unit names and option codes are the catalogue's own.
    std::vector<std::string> allowed = catalogue;
    const auto AddWords = [&allowed](const std::string& szText) {
        const QString text = QString::fromStdString(szText);
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("[^A-Za-z]+")), Qt::SkipEmptyParts)) {
            allowed.push_back(word.toStdString());
        }
    };
    for (const auto* pItems : {&page->Chooser().Series(), &page->Chooser().Chillers()}) {
        for (const TFrm_ChillerSelect::TItem& item : *pItems) AddWords(item.Text);
    }
    const TTechnicalTexts& technical = page->Sheet().Technical();
    for (const std::string* pText : {&technical.Controller, &technical.PowerSupply, &technical.Phases, &technical.Fuses}) {
        AddWords(*pText);
    }
    allowed.push_back("K");  // the model writes the kelvin sign in Latin
    for (int c = 0; c < kSheetComboCount; ++c) {
        for (const TSheetComboItems::TEntry& entry : page->Sheet().Combo(static_cast<TSheetCombo>(c)).Items) {
            AddWords(entry.Text.substr(0, entry.Text.find(" - ")));
        }
    }
    for (QWidget* pTab : {page->Tab_TechnicalData, page->Tab_AllowedOptions, page->Heating.Tab, page->Tab_PressureDrop,
                          page->Tab_HeatRecovery}) {
        page->Nbk_ChillerData->setCurrentWidget(pTab);
        testing::ui::ExpectWindowPasses(*window, kRussian, allowed);
        window->show();
    }
}

}  // namespace
}  // namespace brumalis::ui
