// The Solution Basket page in the started window on the shipped catalogue,
// offscreen: a basket of three (two results of a 350 kW run and a plant of
// two units), what clicks, keys and the four buttons do, where edits and
// the last removal take the window, and the window checks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "catalogue/unit_classes.h"
#include "tests/platform/private_registry.h"
#include "tests/ui_check/ui_check.h"
#include "tests/workflow/basket_fixture.h"
#include "workflow/desktop_start.h"
#include "workflow/preferences.h"
#include "workflow/ui/basket_page_view.h"
#include "workflow/ui/box_reporting.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/preferences_wiring.h"
#include "workflow/ui/results_page.h"

namespace brumalis::ui {
namespace {

namespace check = testing::ui;

class BasketOfThree : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("BRUMALIS_LANGUAGE"); }
    void TearDown() override {
        dialog.reset();
        if (start) start->Program().Session().Basket().Replace({});
        unsetenv("BRUMALIS_LANGUAGE");
    }

    // The window started in the language, a 350 kW run, the basket of
    // three, the Basket page shown.
    void Start(bool bRussian = false) {
        setenv("BRUMALIS_LANGUAGE", bRussian ? "ru" : "en", 1);
        start = std::make_unique<TDesktopStart>(std::vector<std::string>{}, presenter);
        AddPageSteps(*start, presenter);
        const TDesktopOutcome outcome = start->Start();
        ASSERT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
        dialog = std::make_unique<testing::CTScriptedDialog>();
        window = presenter.MainWindow();
        TSettingsPage& settings = Settings();
        settings.SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
        settings.Panel().TypeValue(TPanelEntry::CoolCapacity, "350");
        ASSERT_GE(settings.MakeSelection(false), 0);
        TFrm_ChResultGrid& results = settings.ResultGrid();
        ASSERT_GE(results.UnitCount(), 2);
        first = results.Column(0).unit;
        second = results.Column(1).unit;
        ASSERT_TRUE(Model().AddResult(*first, kPanel));
        ASSERT_TRUE(Model().AddResult(*second, kPanel));
        ASSERT_TRUE(BuildPlant());
        ASSERT_TRUE(Model().AddPlant());
        ASSERT_EQ(Basket().Count(), 3);
        start->Window().SetAvailable(TChillerPage::Basket, true);
        window->resize(1280, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        window->PG_ChillerPages->setCurrentWidget(window->Tab_Basket);
        page = window->Tab_Basket->findChild<TBasketPageView*>();
        ASSERT_NE(page, nullptr);
    }
    // A plant of two of the first run unit that has a network option.
    bool BuildPlant() {
        TPlantBuilder& plant = Session().Plant();
        const TFrm_ChResultGrid& results = Settings().ResultGrid();
        for (int c = 0; c < results.UnitCount() && !plant.Plant(); ++c) {
            if (plant.AddToPlant(*results.Column(c).unit, kPanel)) plantUnit = results.Column(c).unit;
        }
        return plantUnit && plant.AddToPlant(*plantUnit, kPanel);
    }

    TMainSession& Session() { return start->Program().Session(); }
    TSettingsPage& Settings() { return SharedSettingsPage(*window, Session()); }
    TBasketPage& Model() { return SharedBasketPage(*window, Session()); }
    TSolutionBasket& Basket() { return Session().Basket(); }
    TBasketGridView& Grid() { return *page->Grid_Solutions; }
    QWidget* CurrentPage() { return window->PG_ChillerPages->currentWidget(); }
    // A cell of model column nColumn (1: first solution) below the header rows.
    QPoint CellCentre(int nColumn, int nRow = 3) {
        return Grid().visualRect(Grid().model()->index(nRow, nColumn - 1)).center();
    }
    void Click(int nColumn) { QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(nColumn)); }
    // Each double-click well apart from the one before, so that no press
    // joins the previous click.
    void DoubleClick(int nColumn) {
        QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, CellCentre(nColumn),
                           QApplication::doubleClickInterval() + 100);
    }
    void ExpectButtons(bool bLeft, bool bRight, bool bRemove) {
        EXPECT_EQ(page->Btn_MoveSolLeft->isEnabled(), bLeft);
        EXPECT_EQ(page->Btn_MoveSolRight->isEnabled(), bRight);
        EXPECT_EQ(page->Btn_RemoveSol->isEnabled(), bRemove);
        EXPECT_EQ(page->Btn_EditSol->isEnabled(), bRemove);
    }
    // Every cell, the header rows and the title column included, is the model's.
    void ExpectGridShowsTheModel() {
        ASSERT_EQ(Grid().columnCount(), Model().ColumnCount() - 1);
        for (int c = 0; c < Model().ColumnCount(); ++c) {
            for (int r = 0; r < TBasketGrid::kRowCount; ++r) {
                EXPECT_EQ(Grid().ShownCell(c, r), Model().CellText(c, r)) << c << "/" << r;
            }
        }
    }
    // Only the selected column is highlighted, from the third row down.
    void ExpectHighlighted(int nColumn) {
        const QList<QTableWidgetItem*> items = Grid().selectedItems();
        EXPECT_EQ(items.size(), TBasketGrid::kRowCount - TBasketGrid::rwApplication);
        for (const QTableWidgetItem* pItem : items) EXPECT_EQ(pItem->column(), nColumn - 1);
    }
    // The unit names the catalogue gives, allowed in Latin.
    std::vector<std::string> UnitWords() {
        std::vector<std::string> words{"STD", "MS", "Word"};
        for (const Cls_ChOutdoorUnit* pUnit : {first, second, plantUnit}) {
            for (const QString& word : QString::fromStdString(pUnit->GetName()).split(QRegularExpression("[^A-Za-z]+"))) {
                words.push_back(word.toStdString());
            }
        }
        return words;
    }

    static constexpr TPanelRequirement kPanel{350.0, 0.0, true};
    testing::TPrivateRegistry registry;
    TQtDesktopPresenter presenter;
    std::unique_ptr<TDesktopStart> start;
    std::unique_ptr<testing::CTScriptedDialog> dialog;
    TChillerUIForm* window = nullptr;
    TBasketPageView* page = nullptr;
    Cls_ChOutdoorUnit *first = nullptr, *second = nullptr, *plantUnit = nullptr;
};

TEST_F(BasketOfThree, ColumnsSelectByClickAndKeysAndSetTheMoveButtons) {
    Start();
    ExpectGridShowsTheModel();
    EXPECT_EQ(Grid().CornerTitles().text().section('\n', 1), "Model reference");
    EXPECT_EQ(Grid().ShownCell(3, TBasketGrid::rwModel), "Plant");
    // Added last, the plant is selected.
    EXPECT_EQ(Basket().Selected(), 2);
    ExpectHighlighted(3);
    ExpectButtons(true, false, true);

    Click(1);
    EXPECT_EQ(Basket().Selected(), 0);
    ExpectHighlighted(1);
    ExpectButtons(false, true, true);
    QTest::keyClick(&Grid(), Qt::Key_Right);
    EXPECT_EQ(Basket().Selected(), 1);
    ExpectHighlighted(2);
    ExpectButtons(true, true, true);
    QTest::keyClick(&Grid(), Qt::Key_Down);  // along the solution: still the same one
    EXPECT_EQ(Basket().Selected(), 1);
    QTest::keyClick(&Grid(), Qt::Key_Right);
    EXPECT_EQ(Basket().Selected(), 2);
    ExpectButtons(true, false, true);

    // Moved left, the plant stays selected and the grid follows.
    QTest::mouseClick(page->Btn_MoveSolLeft, Qt::LeftButton);
    EXPECT_EQ(Basket().Selected(), 1);
    EXPECT_EQ(Basket().At(1).UnitCount(), 2);
    EXPECT_EQ(Basket().At(2).GetChillers().front(), second);
    ExpectHighlighted(2);
    ExpectButtons(true, true, true);
    ExpectGridShowsTheModel();
    EXPECT_EQ(Grid().ShownCell(2, TBasketGrid::rwModel), "Plant");
    EXPECT_EQ(Grid().ShownCell(2, TBasketGrid::rwSolution), "   2");

    // Accepted preferences rename the seasonal row.
    TFrm_Preferences::Values().ESEER = false;
    PreferencesCommandOf(*window, Session()).Accepted();
    EXPECT_EQ(Grid().ShownCell(0, TBasketGrid::rwSeasonal), "   IPLV");
    ExpectGridShowsTheModel();
    TFrm_Preferences::Values().ESEER = true;
}

TEST_F(BasketOfThree, EditOfOneUnitShowsResultsWithItCurrentAndItsCriteria) {
    Start();
    const TSelTempData criteria = second->GetChillerData(Basket().At(1).GetSeqNr()).TempSelData;
    // Criteria of another kind on the Settings page first.
    Settings().SelectCriteria(ctWaterCooled, famCoolingOnly, 0, 0);
    Click(2);
    QTest::mouseClick(page->Btn_EditSol, Qt::LeftButton);
    EXPECT_EQ(CurrentPage(), window->Tab_Results);
    EXPECT_TRUE(start->Window().IsAvailable(TChillerPage::Results));
    ASSERT_EQ(Basket().Count(), 2);
    EXPECT_EQ(Basket().At(0).GetChillers().front(), first);
    EXPECT_EQ(Basket().At(1).UnitCount(), 2);

    TFrm_ChResultGrid& results = Settings().ResultGrid();
    ASSERT_EQ(results.UnitCount(), 1);
    std::int32_t nSeqNr = 0;
    EXPECT_EQ(results.GetCurrentChiller(nSeqNr), second);
    EXPECT_EQ(nSeqNr, TMainSession::kSelectionSeqNr);
    auto* pResults = window->Tab_Results->findChild<TResultsPage*>();
    ASSERT_NE(pResults, nullptr);
    EXPECT_EQ(pResults->Grid_Results->columnCount(), 1);
    EXPECT_EQ(pResults->Grid_Results->currentColumn(), 0);

    EXPECT_EQ(Settings().List().GetSelCondenser(), second->GetCondenserType());
    EXPECT_EQ(Settings().List().GetSelFamily(), second->GetFamily());
    EXPECT_EQ(Settings().Panel().GetTempData(), criteria);
    EXPECT_NEAR(Settings().Panel().GetUserCoolCap(), 350.0, 1e-6);

    // Back on the basket page the grid has two columns, the last selected.
    window->PG_ChillerPages->setCurrentWidget(window->Tab_Basket);
    EXPECT_EQ(Grid().columnCount(), 2);
    EXPECT_EQ(Basket().Selected(), 1);
    ExpectGridShowsTheModel();
}

TEST_F(BasketOfThree, EditOfAPlantDuringABuildIsRefusedAndOtherwiseGoesToThePlantBuilder) {
    Start();
    ASSERT_TRUE(Session().Plant().AddToPlant(*plantUnit, kPanel));
    Click(3);
    const std::int32_t nSeqNr = Basket().At(2).GetSeqNr();
    QTest::mouseClick(page->Btn_EditSol, Qt::LeftButton);
    ASSERT_FALSE(dialog->shown.empty());
    EXPECT_EQ(dialog->shown.back(), "Cannot edit this plant definition, as there is an active plant definition.");
    EXPECT_EQ(CurrentPage(), window->Tab_Basket);
    ASSERT_EQ(Basket().Count(), 3);
    EXPECT_EQ(Basket().At(2).GetSeqNr(), nSeqNr);
    EXPECT_EQ(Basket().Selected(), 2);
    ASSERT_NE(Session().Plant().Plant(), nullptr);
    EXPECT_EQ(Session().Plant().Plant()->UnitCount(), 1);
    ExpectGridShowsTheModel();

    Session().Plant().RemovePlant();
    QTest::mouseClick(page->Btn_EditSol, Qt::LeftButton);
    EXPECT_EQ(CurrentPage(), window->Tab_PlantBuilder);
    EXPECT_TRUE(start->Window().IsAvailable(TChillerPage::PlantBuilder));
    EXPECT_EQ(Basket().Count(), 2);
    ASSERT_NE(Session().Plant().Plant(), nullptr);
    EXPECT_EQ(Session().Plant().Plant()->UnitCount(), 2);
}

TEST_F(BasketOfThree, TheLastRemoveLandsOnSettings) {
    Start();
    Click(1);
    QTest::mouseClick(page->Btn_RemoveSol, Qt::LeftButton);
    ASSERT_EQ(Basket().Count(), 2);
    EXPECT_EQ(Basket().At(0).GetChillers().front(), second);
    EXPECT_EQ(Basket().Selected(), 1) << "the last column is selected";
    EXPECT_EQ(CurrentPage(), window->Tab_Basket);
    ExpectGridShowsTheModel();
    QTest::mouseClick(page->Btn_RemoveSol, Qt::LeftButton);
    ASSERT_EQ(Basket().Count(), 1);
    ExpectButtons(false, false, true);
    EXPECT_EQ(CurrentPage(), window->Tab_Basket);
    QTest::mouseClick(page->Btn_RemoveSol, Qt::LeftButton);
    EXPECT_TRUE(Basket().Empty());
    EXPECT_EQ(CurrentPage(), window->Tab_Settings);
    EXPECT_FALSE(start->Window().IsAvailable(TChillerPage::Basket));
    EXPECT_EQ(Grid().columnCount(), 0);
    ExpectButtons(false, false, false);
    EXPECT_FALSE(page->Box_Reporting->Bib_MSWord->isEnabled());
}

TEST_F(BasketOfThree, ADoubleClickOnAOneUnitColumnJumpsToChillersOnAPlantNot) {
    Start();
    std::vector<Cls_ChOutdoorUnit*> jumped;
    DoubleClick(2);
    SetChillersJump(*window, [&jumped](Cls_ChOutdoorUnit& unit) { jumped.push_back(&unit); });
    DoubleClick(2);
    ASSERT_EQ(jumped.size(), 1U);
    EXPECT_EQ(jumped[0], second);
    DoubleClick(1);
    ASSERT_EQ(jumped.size(), 2U);
    EXPECT_EQ(jumped[1], first);
    DoubleClick(3);
    EXPECT_EQ(jumped.size(), 2U) << "a plant has no one unit to show";
}

TEST_F(BasketOfThree, PassesTheWindowChecksInEnglish) {
    Start();
    EXPECT_EQ(page->Btn_MoveSolLeft->text(), "Move Left");
    EXPECT_EQ(page->Btn_RemoveSol->toolTip(), "Remove the selected solution");
    EXPECT_TRUE(page->Box_Reporting->Bib_MSWord->isEnabled());
    check::ExpectWindowPasses(*window, false);
}

TEST_F(BasketOfThree, PassesTheWindowChecksInRussian) {
    Start(true);
    EXPECT_EQ(page->Btn_EditSol->text(), "Изменить");
    EXPECT_EQ(page->Box_Solutions->title(), "Сравнение решений");
    // The other pages have their own checks; here the page's texts.
    EXPECT_EQ(check::LatinTexts(*page, UnitWords()), std::vector<std::string>{});
    EXPECT_EQ(check::TabOrderProblems(*window), std::vector<std::string>{});
    EXPECT_EQ(check::SizeProblems(*window), std::vector<std::string>{});
}

}  // namespace
}  // namespace brumalis::ui
