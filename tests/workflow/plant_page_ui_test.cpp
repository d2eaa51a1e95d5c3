// The Plant Builder page in the started desktop program, on the shipped
// catalogue: units of a 350 kW run put into the plant through its model,
// what the page shows of them and what its buttons and the grid do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "tests/workflow/basket_fixture.h"
#include "platform/settings_store.h"
#include "tests/platform/private_registry.h"
#include "tests/ui_check/ui_check.h"
#include "workflow/desktop_start.h"
#include "workflow/plant_builder.h"
#include "workflow/preferences.h"
#include "workflow/selection_list.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/option_frame_step.h"
#include "workflow/ui/option_frame_view.h"
#include "workflow/ui/plant_page.h"
#include "workflow/ui/preferences_wiring.h"

namespace brumalis::ui {
namespace {

namespace check = testing::ui;

#ifdef BRUMALIS_PLANT_RUSSIAN
constexpr bool kRussian = true;
#else
constexpr bool kRussian = false;
#endif

constexpr int kNetworkOption = 3;

class PlantPageUi : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("BRUMALIS_LANGUAGE", kRussian ? "ru" : "en", 1);
        start = std::make_unique<TDesktopStart>(platform::TParameters{}, presenter);
        AddPageSteps(*start, presenter);
        const TDesktopOutcome outcome = start->Start();
        ASSERT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
        window = presenter.MainWindow();
        page = window->Tab_PlantBuilder->findChild<TPlantPage*>();
        ASSERT_NE(page, nullptr);
        settings = &SharedSettingsPage(*window, Session());
        settings->SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
        ASSERT_TRUE(settings->Panel().TypeValue(TPanelEntry::CoolCapacity, "350").Shown);
        ASSERT_GE(settings->MakeSelection(false), 0);
        window->resize(1280, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override {
        unsetenv("BRUMALIS_LANGUAGE");
    }

    TMainSession& Session() { return start->Program().Session(); }
    TPlantBuilder& Plant() const { return start->Program().Session().Plant(); }
    bool HasNetwork(Cls_ChOutdoorUnit& unit) {
        return !unit.GetSpecialOptCombs(Session().v_Options, TMainSession::kSelectionSeqNr, kNetworkOption).empty();
    }
    // The first result that passes the test, or null.
    Cls_ChOutdoorUnit* Result(const std::function<bool(Cls_ChOutdoorUnit&)>& test) {
        for (Cls_ChOutdoorUnit* pUnit : Session().v_Results) {
            if (test(*pUnit)) return pUnit;
        }
        return nullptr;
    }
    // Added as the results' option frame adds it; the message it showed.
    std::string Add(Cls_ChOutdoorUnit& unit, bool bAdded = true) {
        dialog.shown.clear();
        dialog.informed.clear();
        EXPECT_EQ(Plant().AddToPlant(unit, TPanelRequirement{350.0, 0.0, true}), bAdded);
        const std::vector<std::string>& said = bAdded ? dialog.informed : dialog.shown;
        EXPECT_EQ(said.size(), 1U);
        return said.empty() ? std::string() : said.back();
    }
    // Two units of the run's first networked series in the plant, the page shown.
    void TwoUnitPlant() {
        first = Result([this](Cls_ChOutdoorUnit& u) { return HasNetwork(u); });
        ASSERT_NE(first, nullptr) << "no result of the run has a network option";
        second = Result([this](Cls_ChOutdoorUnit& u) {
            return &u != first && HasNetwork(u) && u.GetSeries() == first->GetSeries();
        });
        if (!second) second = first;  // two identical units make a plant too
        Add(*first);
        Add(*second);
        start->Window().SetAvailable(TChillerPage::PlantBuilder, true);
        window->PG_ChillerPages->setCurrentWidget(window->Tab_PlantBuilder);
        ASSERT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_PlantBuilder);
    }
    int Row(TFrm_ChResultGrid::TRowKind kind) const {
        for (int r = 0; r < Plant().Grid().RowCount(); ++r) {
            if (Plant().Grid().Row(r).kind == kind) return r;
        }
        ADD_FAILURE() << "no row of kind " << kind;
        return 0;
    }
    std::string TotalCell(TFrm_ChResultGrid::TRowKind kind) const {
        return page->Grid_Plant->ShownCell(Plant().Grid().UnitCount(), Row(kind));
    }
    void TypeCapacity(const char* szEntry) {
        page->Txt_ReqPlantCap->setFocus();
        page->Txt_ReqPlantCap->selectAll();
        QTest::keyClicks(page->Txt_ReqPlantCap, QString::fromLatin1(szEntry));
    }

    // The model's refusals and information, kept instead of shown.
    testing::CTScriptedDialog dialog;
    testing::TPrivateRegistry registry;
    TQtDesktopPresenter presenter;
    std::unique_ptr<TDesktopStart> start;
    TChillerUIForm* window = nullptr;
    TPlantPage* page = nullptr;
    TSettingsPage* settings = nullptr;
    Cls_ChOutdoorUnit *first = nullptr, *second = nullptr;
};

#ifndef BRUMALIS_PLANT_RUSSIAN
TEST_F(PlantPageUi, TwoUnitsShowTheirColumnsAndTheSolutionColumn) {
    EXPECT_FALSE(start->Window().IsAvailable(TChillerPage::PlantBuilder));
    TwoUnitPlant();
    EXPECT_EQ(page->Box_Plant->title(), "Multiple Chiller Solution");
    TResultGridView& grid = *page->Grid_Plant;
    EXPECT_EQ(&grid.Model(), &Plant().Grid());
    ASSERT_EQ(grid.columnCount(), 3);
    EXPECT_EQ(Plant().Grid().Column(0).unit, first);
    EXPECT_EQ(Plant().Grid().Column(1).unit, second);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < Plant().Grid().RowCount(); ++r) EXPECT_EQ(grid.ShownCell(c, r), Plant().Grid().CellText(c, r));
    }
    EXPECT_EQ(grid.horizontalHeaderItem(2)->text(), "Solution");
    EXPECT_EQ(grid.currentColumn(), 1);
    EXPECT_TRUE(page->Btn_AddCapacity->isEnabled());
    EXPECT_TRUE(page->Btn_RemovePlant->isEnabled());
    EXPECT_EQ(page->Dim_ReqPlantCap->text(), "kW");
    EXPECT_NE(page->Pnl_PlantOptions, nullptr);
}

TEST_F(PlantPageUi, AOneUnitPlantHasAddCapacityDisabledAndEnterDoesNothing) {
    first = Result([this](Cls_ChOutdoorUnit& u) { return HasNetwork(u); });
    ASSERT_NE(first, nullptr);
    Add(*first);
    page->ShowPlant();
    EXPECT_FALSE(page->Btn_AddCapacity->isEnabled());
    EXPECT_TRUE(page->Btn_RemovePlant->isEnabled());
    EXPECT_TRUE(start->Window().IsAvailable(TChillerPage::PlantBuilder));
    const double dRequired = Plant().Plant()->GetReqCoolCap();
    QTest::keyClick(page->Txt_ReqPlantCap, Qt::Key_Return);
    EXPECT_EQ(Plant().Plant()->GetReqCoolCap(), dRequired);
}

TEST_F(PlantPageUi, UnitsOfAnotherSeriesOrWithoutANetworkOptionAreRefusedAndTheGridStays) {
    TwoUnitPlant();
    const int nColumns = page->Grid_Plant->columnCount();
    Cls_ChOutdoorUnit* pPlain = Result([this](Cls_ChOutdoorUnit& u) { return !HasNetwork(u); });
    if (pPlain) {
        EXPECT_NE(Add(*pPlain, false).find("has no network option"), std::string::npos);
    }
    Cls_ChOutdoorUnit* pOther = Result([this](Cls_ChOutdoorUnit& u) {
        return HasNetwork(u) && !platform::EqualsIgnoringCase(u.GetSeries(), first->GetSeries());
    });
    if (!pOther) {
        // The run has one series only: a networked unit of the catalogue
        // under another series is refused before its criteria are looked at.
        for (Cls_ChOutdoorUnit* pUnit : Session().v_PrefChillers) {
            if (HasNetwork(*pUnit) && !platform::EqualsIgnoringCase(pUnit->GetSeries(), first->GetSeries())) pOther = pUnit;
        }
    }
    ASSERT_TRUE(pPlain || pOther) << "the catalogue gives nothing to refuse";
    if (pOther) {
        const std::string shown = Add(*pOther, false);
        EXPECT_NE(shown.find("The series of the selected chiller and the chiller(s) in the plant differ."), std::string::npos)
            << shown;
    }
    page->ShowPlant();
    EXPECT_EQ(page->Grid_Plant->columnCount(), nColumns);
    EXPECT_EQ(Plant().Plant()->UnitCount(), 2);
    EXPECT_EQ(Plant().Grid().Column(0).unit, first);
}

TEST_F(PlantPageUi, AddCapacityShowsTheRequirementAndTheDeviationInTheSolutionColumn) {
    TwoUnitPlant();
    TypeCapacity("700");
    page->Btn_AddCapacity->click();
    EXPECT_EQ(Plant().Plant()->GetReqCoolCap(), 700.0);
    EXPECT_EQ(TotalCell(TFrm_ChResultGrid::rkCoolRequired), TU_Form::PutDimensionedText(U_Power, true, 700.0));
    EXPECT_EQ(TotalCell(TFrm_ChResultGrid::rkCoolRequired).substr(0, 3), "700");
    const double dDeviation = Plant().Plant()->GetDataSet().CoolData.Deviation;
    const double dCapacity = Plant().Plant()->GetDataSet().CoolData.Cap;
    EXPECT_NEAR(dDeviation, (dCapacity - 700.0) / 7.0, 1e-9);
    EXPECT_NE(TotalCell(TFrm_ChResultGrid::rkCoolDeviation), "");
    EXPECT_EQ(TotalCell(TFrm_ChResultGrid::rkCoolDeviation), Plant().Grid().CellText(2, Row(TFrm_ChResultGrid::rkCoolDeviation)));
    EXPECT_EQ(page->Txt_ReqPlantCap->text(), "");

    // Enter in the edit is the button; a refused entry stays to be mended.
    TypeCapacity("500");
    QTest::keyClick(page->Txt_ReqPlantCap, Qt::Key_Return);
    EXPECT_EQ(Plant().Plant()->GetReqCoolCap(), 500.0);
    TypeCapacity("0");
    dialog.numbers.clear();
    QTest::keyClick(page->Txt_ReqPlantCap, Qt::Key_Return);
    EXPECT_EQ(dialog.numbers, std::vector<int>{-8});
    EXPECT_EQ(Plant().Plant()->GetReqCoolCap(), 500.0);
    EXPECT_EQ(page->Txt_ReqPlantCap->text(), "0");
}

TEST_F(PlantPageUi, AcceptedPreferencesInBtuPerHourShowTheNewUnitAndEmptyTheEdit) {
    TwoUnitPlant();
    TypeCapacity("650");
    TPreferencesCommand& command = PreferencesCommandOf(*window, Session());
    TFrm_Preferences prefs = command.Open();
    const auto& items = prefs.UnitGroup(TFrm_Preferences::ugCapacity).Items;
    const auto btu = std::find(items.begin(), items.end(), "BTU/h");
    ASSERT_NE(btu, items.end());
    prefs.ChooseUnit(TFrm_Preferences::ugCapacity, static_cast<int>(btu - items.begin()));
    ASSERT_TRUE(prefs.Accept().Accepted);
    command.Accepted();
    EXPECT_EQ(page->Dim_ReqPlantCap->text(), "BTU/h");
    EXPECT_EQ(page->Txt_ReqPlantCap->text(), "");
    EXPECT_EQ(Plant().CapacityEntry(), "");
    EXPECT_NE(TotalCell(TFrm_ChResultGrid::rkCoolCapacity).find("BTU/h"), std::string::npos);
    EXPECT_EQ(page->Grid_Plant->columnCount(), 3);
    TU_Form::SetNewIndex(U_Power, 0, true);
}

TEST_F(PlantPageUi, RemovePlantLandsOnSettingsWithThePageUnavailable) {
    TwoUnitPlant();
    page->Btn_RemovePlant->click();
    EXPECT_EQ(Plant().Plant(), nullptr);
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_Settings);
    EXPECT_FALSE(start->Window().IsAvailable(TChillerPage::PlantBuilder));
    EXPECT_EQ(page->Grid_Plant->columnCount(), 0);
    // Unavailable now, the page cannot be chosen.
    window->PG_ChillerPages->setCurrentWidget(window->Tab_PlantBuilder);
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_Settings);
}

TEST_F(PlantPageUi, ADoubleClickOnAUnitColumnJumpsToChillersTheTotalColumnDoesNot) {
    TwoUnitPlant();
    Cls_ChOutdoorUnit* pJumped = nullptr;
    SetChillersJump(*window, [&pJumped](Cls_ChOutdoorUnit& unit) { pJumped = &unit; });
    TResultGridView& grid = *page->Grid_Plant;
    const auto centre = [&grid](int nColumn) { return grid.visualRect(grid.model()->index(2, nColumn)).center(); };
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre(2));
    EXPECT_EQ(pJumped, nullptr);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre(0));
    EXPECT_EQ(pJumped, first);
}
#endif

TEST_F(PlantPageUi, TheWindowPassesItsChecksWithAPlant) {
    TwoUnitPlant();
    TypeCapacity("700");
    page->Btn_AddCapacity->click();
    // The Settings page's version letters and the degree sign's "C" are Latin in Russian too.
    std::vector<std::string> names{"S", "X", "P", "L", "R", "C"};
    for (const Cls_ChOutdoorUnit* pUnit : {first, second}) names.push_back(DisplayName(*pUnit));
    // The option frame's lines are catalogue data: their codes stay Latin.
    auto* pOptions = page->Pnl_PlantOptions->findChild<TOptionFramePanel*>();
    ASSERT_NE(pOptions, nullptr);
    const TFrm_ChOptions& frame = pOptions->View().Model();
    std::vector<std::string> lines = frame.StandardSpecs();
    for (const auto* pLines : {&frame.Options(), &frame.Kits()}) {
        for (const TFrm_ChOptions::TLine& line : *pLines) lines.push_back(line.Text);
    }
    for (const std::string& szLine : lines) {
        for (const QString& word : QString::fromStdString(szLine).split(QRegularExpression("[^A-Za-z]+"), Qt::SkipEmptyParts)) {
            names.push_back(word.toStdString());
        }
    }
    check::ExpectWindowPasses(*window, kRussian, names);
}

}  // namespace
}  // namespace brumalis::ui
