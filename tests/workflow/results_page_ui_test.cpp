// The Results page on the shipped catalogue, offscreen: a run of the
// Settings model shown in the grid and the rejected list exactly as the
// models have them, and what clicks and keys do to them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "catalogue/unit_classes.h"
#include "localisation/ui/widget_translation.h"
#include "tests/ui_check/ui_check.h"
#include "tests/workflow/shipped_workflow_fixture.h"
#include "workflow/preferences.h"
#include "workflow/rejection_details.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/results_page.h"

namespace brumalis::ui {
namespace {

namespace check = testing::ui;

class ResultsPage : public testing::ShippedWorkflow {
protected:
    // The Settings model after "Make Selection" at szCapacity kW (air cooled,
    // cooling only), and the page over it, shown.
    TResultsPage& Run(const char* szCapacity, bool bRussian = false) {
        if (bRussian) setenv("BRUMALIS_LANGUAGE", "ru", 1);
        settings = std::make_unique<TSettingsPage>(Started());
        settings->SetupWindow();
        settings->SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
        EXPECT_TRUE(settings->Panel().TypeValue(TPanelEntry::CoolCapacity, szCapacity).Shown);
        nBest = settings->MakeSelection(false);
        page = std::make_unique<TResultsPage>(*settings);
        if (bRussian) TranslateWidgets(check::ShippedInterfaceGlossary(), *page);
        page->resize(1280, 700);
        page->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        return *page;
    }
    TFrm_ChResultGrid& Model() { return settings->ResultGrid(); }
    TResultGridView& Grid() { return *page->Grid_Results; }
    int RowOf(TFrm_ChResultGrid::TRowKind kind) {
        for (int r = 0; r < Model().RowCount(); ++r) {
            if (Model().Row(r).kind == kind) return r;
        }
        ADD_FAILURE() << "no row of kind " << kind;
        return 0;
    }
    void ClickTitle(int nRow) {
        TGridRowTitles& titles = Grid().RowTitles();
        const int nY = titles.sectionViewportPosition(nRow) + titles.sectionSize(nRow) / 2;
        QTest::mouseClick(titles.viewport(), Qt::LeftButton, {}, QPoint(5, nY));
    }
    void ClickCell(QPoint at, bool bDouble = false) {
        if (bDouble) {
            QTest::mouseDClick(Grid().viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, at);
        }
    }
    QPoint CellCentre(int nColumn, int nRow) { return Grid().visualRect(Grid().model()->index(nRow, nColumn)).center(); }
    // Every title, marker and cell the grid shows is the model's text.
    void ExpectGridShowsTheModel() {
        ASSERT_EQ(Grid().rowCount(), Model().RowCount());
        ASSERT_EQ(Grid().columnCount(), Model().UnitCount());
        for (int r = 0; r < Model().RowCount(); ++r) {
            EXPECT_EQ(Grid().RowTitles().Title(r).toStdString(), Model().Row(r).title) << r;
            EXPECT_EQ(Grid().RowTitles().Marker(r).toStdString(), Model().SortMarker(r)) << r;
            for (int c = 0; c < Model().UnitCount(); ++c) EXPECT_EQ(Grid().ShownCell(c, r), Model().CellText(c, r));
        }
    }
    int LineWithCode(std::int32_t nCode) {
        const auto& rejected = settings->Session().v_NonSelected;
        for (std::size_t i = 0; i < rejected.size(); ++i) {
            if (rejected[i]->GetChillerData(1).ErrCode == nCode) return static_cast<int>(i);
        }
        return -1;
    }
    // The window checks, with the catalogue's unit names allowed in Latin.
    void ExpectPagePasses(bool bRussian) {
        std::vector<std::string> names;
        for (const Cls_ChOutdoorUnit* pUnit : settings->Session().v_NonSelected) {
            for (const QString& word : QString::fromStdString(DisplayName(*pUnit)).split(QRegularExpression("[^A-Za-z]+"))) {
                names.push_back(word.toStdString());
            }
        }
        if (bRussian) {
            EXPECT_EQ(check::LatinTexts(*page, names), std::vector<std::string>{});
        }
        EXPECT_EQ(check::TabOrderProblems(*page), std::vector<std::string>{});
        EXPECT_EQ(check::SizeProblems(*page), std::vector<std::string>{});
    }

    std::unique_ptr<TSettingsPage> settings;
    std::unique_ptr<TResultsPage> page;
    int nBest = -1;
};

TEST_F(ResultsPage, A350kWRunShowsTheModelsTextsWithTheBestUnitCurrent) {
    Run("350");
    ASSERT_GE(nBest, 0);
    ASSERT_GT(Model().UnitCount(), 1);
    ExpectGridShowsTheModel();
    EXPECT_EQ(Grid().currentColumn(), nBest);
    EXPECT_EQ(Model().GetCurrentPosition(), nBest);
    EXPECT_TRUE(Grid().hasFocus());
    // Each column is as wide as its widest text and one blank more.
    const QFontMetrics metrics = Grid().fontMetrics();
    for (int c = 0; c < Model().UnitCount(); ++c) {
        int nWidest = 0;
        for (int r = 0; r < Model().RowCount(); ++r) {
            nWidest = std::max(nWidest, metrics.horizontalAdvance(QString::fromStdString(Model().CellText(c, r))));
        }
        EXPECT_GE(Grid().columnWidth(c), nWidest + metrics.horizontalAdvance(QLatin1Char(' ')));
        EXPECT_LE(Grid().columnWidth(c), nWidest + 4 * metrics.horizontalAdvance(QLatin1Char(' ')));
    }
    // Scrolled to the last unit, the titles stay where they were.
    const QPoint titlesAt = Grid().RowTitles().mapTo(page.get(), QPoint(0, 0));
    Grid().resize(Grid().RowTitles().width() + Grid().columnWidth(0), Grid().height());
    Grid().horizontalScrollBar()->setValue(Grid().horizontalScrollBar()->maximum());
    EXPECT_GT(Grid().horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(Grid().RowTitles().mapTo(page.get(), QPoint(0, 0)), titlesAt);
    EXPECT_TRUE(Grid().RowTitles().isVisible());
}

TEST_F(ResultsPage, ClickedTitlesSortAsTheModelSays) {
    Run("350");
    const int nDeviation = RowOf(TFrm_ChResultGrid::rkCoolDeviation);
    const int nEER = RowOf(TFrm_ChResultGrid::rkEER);
    EXPECT_EQ(Grid().RowTitles().Marker(nDeviation), ">");
    Cls_ChOutdoorUnit* pCurrent = Model().Column(Model().GetCurrentPosition()).unit;
    ClickTitle(nDeviation);
    EXPECT_EQ(Grid().RowTitles().Marker(nDeviation), ">");  // the run's order was no click
    ClickTitle(nDeviation);
    EXPECT_EQ(Grid().RowTitles().Marker(nDeviation), "<");
    EXPECT_EQ(Grid().RowTitles().Marker(nEER), "*");
    EXPECT_FALSE(Model().GetSortAscending());
    ExpectGridShowsTheModel();
    const auto deviation = [&](int c) { return Model().Column(c).unit->GetChillerData(1).CoolData.Deviation; };
    EXPECT_GE(deviation(0), deviation(Model().UnitCount() - 1));
    // The current unit is still current, wherever it went.
    EXPECT_EQ(Model().Column(Grid().currentColumn()).unit, pCurrent);
    ClickTitle(nEER);
    EXPECT_EQ(Grid().RowTitles().Marker(nEER), ">");
    EXPECT_EQ(Grid().RowTitles().Marker(nDeviation), "*");
    // A title that does not sort changes nothing.
    ClickTitle(RowOf(TFrm_ChResultGrid::rkModel));
    EXPECT_EQ(Model().GetSortTag(), 4);
    ExpectGridShowsTheModel();
}

TEST_F(ResultsPage, ClicksAndKeysMoveTheCurrentUnitAndDoubleClicksAreReported) {
    Run("350");
    const int nUnits = Model().UnitCount();
    ASSERT_GE(nUnits, 3);
    std::vector<std::int32_t> selected;
    Cls_ChOutdoorUnit* pDoubleClicked = nullptr;
    Model().SetupWindow(true, 1, &settings->Session().v_OptionCodes,
                        [&](Cls_ChOutdoorUnit* pUnit, std::int32_t) { selected.push_back(pUnit->GetID()); },
                        [&](Cls_ChOutdoorUnit& unit) { pDoubleClicked = &unit; });

    ClickCell(CellCentre(0, 2));
    EXPECT_EQ(Model().GetCurrentPosition(), 0);
    ASSERT_EQ(selected.size(), 1U);
    EXPECT_EQ(selected.back(), Model().Column(0).unit->GetID());
    QTest::keyClick(&Grid(), Qt::Key_Right);
    EXPECT_EQ(Model().GetCurrentPosition(), 1);
    QTest::keyClick(&Grid(), Qt::Key_Right);
    QTest::keyClick(&Grid(), Qt::Key_Left);
    EXPECT_EQ(Model().GetCurrentPosition(), 1);
    EXPECT_EQ(selected.size(), 4U);
    QTest::keyClick(&Grid(), Qt::Key_Down);  // along the unit: still the same one
    EXPECT_EQ(Model().GetCurrentPosition(), 1);
    EXPECT_EQ(selected.size(), 4U);

    // Right of the last unit there is no cell: the last unit is meant.
    const QRect last = Grid().visualRect(Grid().model()->index(0, nUnits - 1));
    ASSERT_LT(last.right() + 20, Grid().viewport()->width());
    ClickCell(QPoint(last.right() + 20, last.center().y()));
    EXPECT_EQ(Model().GetCurrentPosition(), nUnits - 1);
    EXPECT_EQ(Grid().currentColumn(), nUnits - 1);

    ClickCell(CellCentre(1, 1), true);
    EXPECT_EQ(pDoubleClicked, Model().Column(1).unit);
    ExpectGridShowsTheModel();
}

TEST_F(ResultsPage, RejectedUnitsInTestOrderWithTheirReasonAndRange) {
    Run("350");
    page->Nbk_Results->setCurrentWidget(page->Tab_ResRejected);
    const auto& rejected = settings->Session().v_NonSelected;
    ASSERT_EQ(page->Lst_ResNSelectChillers->count(), static_cast<int>(rejected.size()));
    for (std::size_t i = 0; i < rejected.size(); ++i) {
        EXPECT_EQ(page->Lst_ResNSelectChillers->item(static_cast<int>(i))->text().toStdString(), DisplayName(*rejected[i]));
    }
    EXPECT_TRUE(page->Lst_ResNSelectChillers->selectedItems().isEmpty());
    EXPECT_FALSE(page->Pnl_ResReasonExtraData->isVisible());

    const int nCapacity = LineWithCode(214);
    ASSERT_GE(nCapacity, 0);
    page->Lst_ResNSelectChillers->setCurrentRow(nCapacity);
    const TPreferences& prefs = TFrm_Preferences::Values();
    const TRejectionDetails details = RejectionDetailsOf(*rejected[static_cast<std::size_t>(nCapacity)], 1,
                                                         settings->Session(), prefs.NEGCOOLING, prefs.POSCOOLING,
                                                         prefs.NEGHEATING, prefs.POSHEATING);
    EXPECT_EQ(page->Lbl_ResDetailedReason->text().toStdString(), details.Message);
    EXPECT_EQ(details.Message, "Capacity is outside -20% to 20% of the required cooling capacity.");
    EXPECT_TRUE(page->Pnl_ResReasonExtraData->isVisible());
    EXPECT_EQ(page->Pnl_ResReasonExtraData->title(), "Cooling capacity");
    EXPECT_EQ(page->Lbl_ResAvailable->text().toStdString(), details.Extra->Available);
    EXPECT_EQ(page->Lbl_ResMinimum->text(), "280.0 kW");
    EXPECT_EQ(page->Lbl_ResMaximum->text(), "420.0 kW");
    ExpectPagePasses(false);

    // Shown again, the same run keeps the chosen line.
    page->hide();
    page->show();
    EXPECT_EQ(page->Lst_ResNSelectChillers->currentRow(), nCapacity);
    EXPECT_TRUE(page->Lst_ResNSelectChillers->item(nCapacity)->isSelected());
    EXPECT_TRUE(page->Pnl_ResReasonExtraData->isVisible());
    // A new run starts with no line chosen and no details.
    settings->MakeSelection(false);
    page->ShowResults();
    EXPECT_TRUE(page->Lst_ResNSelectChillers->selectedItems().isEmpty());
    EXPECT_TRUE(page->Lbl_ResDetailedReason->text().isEmpty());
    EXPECT_FALSE(page->Pnl_ResReasonExtraData->isVisible());
}

TEST_F(ResultsPage, WithNoCandidateOnlyTheTitlesAreShown) {
    Run("5000");
    EXPECT_EQ(nBest, -1);
    EXPECT_TRUE(settings->ResultsAvailable());
    EXPECT_GT(Grid().rowCount(), 0);
    EXPECT_EQ(Grid().columnCount(), 0);
    ExpectGridShowsTheModel();
    EXPECT_EQ(Grid().RowTitles().Title(RowOf(TFrm_ChResultGrid::rkModel)), "Model reference");
    EXPECT_EQ(page->Lst_ResNSelectChillers->count(), static_cast<int>(settings->Session().v_NonSelected.size()));
    EXPECT_GT(page->Lst_ResNSelectChillers->count(), 0);
    // Clicks on an empty grid select nothing.
    ClickCell(QPoint(20, 10));
    EXPECT_EQ(Model().GetCurrentPosition(), -1);
}

TEST_F(ResultsPage, PassesTheWindowChecksInRussian) {
    Run("350", true);
    EXPECT_EQ(page->Nbk_Results->tabText(0), "Найденные решения");
    // The row titles come from the models' glossary: none left in English.
    std::set<std::string> reviewed;
    for (const std::string& word : check::ReviewedLatinWords()) reviewed.insert(word);
    const QRegularExpression latinWord(QStringLiteral("[A-Za-z]+"));
    for (int r = 0; r < Grid().rowCount(); ++r) {
        for (auto it = latinWord.globalMatch(Grid().RowTitles().Title(r)); it.hasNext();) {
            EXPECT_TRUE(reviewed.count(it.next().captured().toStdString())) << Grid().RowTitles().Title(r).toStdString();
        }
    }
    ExpectPagePasses(true);
    page->Nbk_Results->setCurrentWidget(page->Tab_ResRejected);
    const int nCapacity = LineWithCode(214);
    ASSERT_GE(nCapacity, 0);
    page->Lst_ResNSelectChillers->setCurrentRow(nCapacity);
    EXPECT_TRUE(page->Pnl_ResReasonExtraData->isVisible());
    ExpectPagePasses(true);
}

TEST_F(ResultsPage, PassesTheWindowChecksInEnglish) {
    Run("350");
    ExpectPagePasses(false);
    page->Nbk_Results->setCurrentWidget(page->Tab_ResRejected);
    page->Lst_ResNSelectChillers->setCurrentRow(0);
    ExpectPagePasses(false);
}

// The program's start puts the page on the Results tab over the window's one
// Settings model; a run then shows on it when the tab is chosen.
TEST(ResultsPageStart, TheStartPutsThePageOnItsTabOverTheSharedSettingsModel) {
    setenv("BRUMALIS_LANGUAGE", "en", 1);
    testing::TPrivateRegistry registry;
    TQtDesktopPresenter presenter;
    TDesktopStart start({}, presenter);
    AddPageSteps(start, presenter);
    const TDesktopOutcome outcome = start.Start();
    ASSERT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
    TChillerUIForm& window = *presenter.MainWindow();
    auto* pPage = window.Tab_Results->findChild<TResultsPage*>();
    ASSERT_NE(pPage, nullptr);
    EXPECT_FALSE(start.Window().IsAvailable(TChillerPage::Results));
    EXPECT_EQ(pPage->Grid_Results->columnCount(), 0);

    TSettingsPage& settings = SharedSettingsPage(window, start.Program().Session());
    EXPECT_EQ(&SharedSettingsPage(window, start.Program().Session()), &settings);
    EXPECT_EQ(&pPage->Grid_Results->Model(), &settings.ResultGrid());
    settings.SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
    settings.Panel().TypeValue(TPanelEntry::CoolCapacity, "350");
    const int nBest = settings.MakeSelection(false);
    ASSERT_GE(nBest, 0);
    start.Window().SetAvailable(TChillerPage::Results, true);
    window.resize(1280, 800);
    window.show();
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Results);
    EXPECT_EQ(pPage->Grid_Results->columnCount(), settings.ResultGrid().UnitCount());
    EXPECT_EQ(pPage->Grid_Results->currentColumn(), nBest);
    check::ExpectWindowPasses(window, false);

    // One basket model per window; a jump to Chillers only once one is set.
    TBasketPage& basket = SharedBasketPage(window, start.Program().Session());
    EXPECT_EQ(&SharedBasketPage(window, start.Program().Session()), &basket);
    EXPECT_EQ(&basket.Basket(), &start.Program().Session().Basket());
    Cls_ChOutdoorUnit& unit = *settings.ResultGrid().Column(nBest).unit;
    JumpToChillers(window, unit);
    Cls_ChOutdoorUnit* pJumped = nullptr;
    SetChillersJump(window, [&pJumped](Cls_ChOutdoorUnit& u) { pJumped = &u; });
    JumpToChillers(window, unit);
    EXPECT_EQ(pJumped, &unit);
    unsetenv("BRUMALIS_LANGUAGE");
}

}  // namespace
}  // namespace brumalis::ui
