// The option frames through the window on the shipped catalogue: ticks,
// kits and recovery temperatures sent to the frame's widgets as the user
// gives them, and what the frame, the result grid and the pages show.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "catalogue/unit_classes.h"
#include "catalogue/unit_records.h"
#include "dialogs/message_window.h"
#include "dialogs/messages.h"
#include "dialogs/user_dialog_messages.h"
#include "tests/platform/private_registry.h"
#include "tests/ui_check/ui_check.h"
#include "tests/workflow/started_desktop.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/option_frame_step.h"
#include "workflow/ui/option_frame_view.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/results_page.h"
#include "workflow/ui/temp_panel_view.h"

namespace brumalis::ui {
namespace {

// The language is read once per process: the Russian program runs the
// window checks only, the English one everything.
#ifdef BRUMALIS_OPTIONS_RUSSIAN
constexpr bool kRussian = true;
#else
constexpr bool kRussian = false;
#endif

class OptionFrameUi : public ::testing::Test {
protected:
    // A question the frame asks is answered Yes.
    OptionFrameUi() { messages.questionAnswer = dialogs::mbYes; }
    void SetUp() override {
        presenter = std::make_unique<TQtDesktopPresenter>();
        start = std::make_unique<TDesktopStart>(platform::TParameters{}, *presenter);
        AddPageSteps(*start, *presenter);
        const TDesktopOutcome outcome = start->Start();
        ASSERT_TRUE(outcome.bRunLoop) << outcome.ErrorLine;
        window = presenter->MainWindow();
        page = window->Tab_Results->findChild<TResultsPage*>();
        panel = window->Tab_Results->findChild<TOptionFramePanel*>();
        ASSERT_NE(page, nullptr);
        ASSERT_NE(panel, nullptr);
    }
    void TearDown() override {
        start.reset();
        presenter.reset();
    }

    TMainSession& Session() { return start->Program().Session(); }
    TSettingsPage& Settings() { return SharedSettingsPage(*window, Session()); }
    TOptionFrameView& View() { return panel->View(); }

    // "Make Selection" at 350 kW, air cooled, cooling only, as the Settings
    // page leaves it; then the Results page shown.
    void RunAndShowResults() {
        Settings().SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
        ASSERT_TRUE(Settings().Panel().TypeValue(TPanelEntry::CoolCapacity, "350").Shown);
        ASSERT_GE(Settings().MakeSelection(false), 0);
        start->Window().SetAvailable(TChillerPage::Results, true);
        window->resize(1280, 800);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        window->PG_ChillerPages->setCurrentWidget(window->Tab_Results);
        QCoreApplication::processEvents();
    }
    static int LineNamed(const std::vector<TFrm_ChOptions::TLine>& lines, const std::string& szName) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].Option->GetName() == szName) return static_cast<int>(i);
        }
        ADD_FAILURE() << "no line " << szName;
        return 0;
    }
    int OptionLine(const std::string& szName) { return LineNamed(View().Model().Options(), szName); }
    // A click on the option's line, then Space, as the keyboard user ticks it.
    void ClickAndSpace(const std::string& szName) {
        QListWidget* pList = View().Lst_Options;
        QListWidgetItem* pItem = pList->item(OptionLine(szName));
        pList->scrollToItem(pItem);
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pList->visualItemRect(pItem).center());
        QTest::keyClick(pList, Qt::Key_Space);
    }
    bool Shown(QListWidget* pList, int nLine) const { return pList->item(nLine)->checkState() == Qt::Checked; }
    bool OptionShown(const std::string& szName) { return Shown(View().Lst_Options, OptionLine(szName)); }
    bool OptionTicked(const std::string& szName) {
        return View().Model().Options()[static_cast<std::size_t>(OptionLine(szName))].Ticked;
    }
    // The one selected pump of the grid's current unit, "" if none.
    std::string SelectedPumpOfCurrentUnit() {
        std::int32_t nSeqNr = 0;
        Cls_ChOutdoorUnit* pUnit = page->Grid_Results->Model().GetCurrentChiller(nSeqNr);
        std::string szPumps;
        for (Cls_ChOptAllowed* p : pUnit->GetSpecialOptCombs(Session().v_Options, nSeqNr, TFrm_ChOptions::kTypePump)) {
            if (p->GetSelected()) szPumps += OptionOf(*p, Session().v_Options)->GetName();
        }
        return szPumps;
    }
    // What the grid shows in the current unit's column.
    std::vector<std::string> CurrentColumn() {
        TResultGridView& grid = *page->Grid_Results;
        std::vector<std::string> cells;
        for (int r = 0; r < grid.rowCount(); ++r) cells.push_back(grid.ShownCell(grid.Model().GetCurrentPosition(), r));
        return cells;
    }
    std::vector<std::string> CatalogueWords() const {
        std::vector<std::string> words;
        auto add = [&words](const std::string& szText) {
            for (const QString& w : QString::fromStdString(szText).split(QRegularExpression("[^A-Za-z]+"))) {
                words.push_back(w.toStdString());
            }
        };
        for (const auto* pLines : {&panel->View().Model().Options(), &panel->View().Model().Kits()}) {
            for (const TFrm_ChOptions::TLine& line : *pLines) add(line.Text);
        }
        for (const std::string& szSpec : panel->View().Model().StandardSpecs()) add(szSpec);
        for (const Cls_ChOutdoorUnit* pUnit : start->Program().Session().v_NonSelected) add(DisplayName(*pUnit));
        for (int c = 0; c < page->Grid_Results->columnCount(); ++c) add(page->Grid_Results->ShownCell(c, 0));
        return words;
    }

    testing::TPrivateRegistry registry;
    CTMessageLog messages;
    CTPageTestScope scope{kRussian, messages};
    // The calculations' questions and messages go through the message service, as in the program.
    const dialogs::TMessageUserDialog userDialog;
    std::unique_ptr<TQtDesktopPresenter> presenter;
    std::unique_ptr<TDesktopStart> start;
    TChillerUIForm* window = nullptr;
    TResultsPage* page = nullptr;
    TOptionFramePanel* panel = nullptr;

};

TEST_F(OptionFrameUi, TheFrameFollowsTheGridsCurrentUnitWithBothAddButtons) {
    EXPECT_EQ(View().Lst_Options->count(), 0) << "no run, no unit";
    EXPECT_FALSE(View().Btn_AddBasket->isEnabled());
    RunAndShowResults();
    TFrm_ChResultGrid& grid = page->Grid_Results->Model();
    std::int32_t nSeqNr = 0;
    const Cls_ChOutdoorUnit* pBest = grid.GetCurrentChiller(nSeqNr);
    ASSERT_NE(pBest, nullptr);
    EXPECT_GT(View().Lst_Options->count(), 0);
    EXPECT_EQ(View().Lst_Options->count(), static_cast<int>(View().Model().Options().size()));
    EXPECT_EQ(View().Lst_StandardSpecs->count(), static_cast<int>(View().Model().StandardSpecs().size()));
    for (int i = 0; i < View().Lst_Options->count(); ++i) {
        const TFrm_ChOptions::TLine& line = View().Model().Options()[static_cast<std::size_t>(i)];
        EXPECT_EQ(View().Lst_Options->item(i)->text().toStdString(), line.Text);
        EXPECT_EQ(bool(View().Lst_Options->item(i)->flags() & Qt::ItemIsEnabled), line.Enabled) << line.Text;
        if (i > 0) {
            EXPECT_LE(View().Lst_Options->item(i - 1)->text().toStdString(), View().Lst_Options->item(i)->text().toStdString())
                << "sorted";
        }
    }
    EXPECT_TRUE(View().Btn_AddPlant->isVisible());
    EXPECT_TRUE(View().Btn_AddBasket->isVisible());
    EXPECT_TRUE(View().Btn_AddBasket->isEnabled());
    EXPECT_FALSE(View().Frm_HRCondenser->isVisible());

    // Another column: that unit's options.
    ASSERT_GT(grid.UnitCount(), 1);
    const int nOther = grid.GetCurrentPosition() == 0 ? 1 : 0;
    page->Grid_Results->setCurrentCell(0, nOther);
    EXPECT_EQ(grid.GetCurrentPosition(), nOther);
    TFrm_ChOptions probe;
    probe.SetupWindow(&Session().v_Options, 0, 5.0, 45.0, {}, {}, {}, {}, {});
    probe.DisplayOptions(*grid.Column(nOther).unit, grid.Column(nOther).SeqNr);
    ASSERT_EQ(View().Lst_Options->count(), static_cast<int>(probe.Options().size()));
    for (int i = 0; i < View().Lst_Options->count(); ++i) {
        EXPECT_EQ(View().Lst_Options->item(i)->text().toStdString(), probe.Options()[static_cast<std::size_t>(i)].Text);
    }
}

// The option checks' refusal, in the program's language.
const char* const kConflict = kRussian ? "несовместима с выбранной опцией" : "conflicts with the selected option";

TEST_F(OptionFrameUi, ASecondPumpUnticksTheFirstAndReplacesItOnTheUnit) {
    RunAndShowResults();
    const std::vector<std::string> without = CurrentColumn();
    ClickAndSpace("P1");
    ASSERT_TRUE(OptionTicked("P1")) << "the question was answered Yes";
    EXPECT_TRUE(OptionShown("P1"));
    EXPECT_EQ(SelectedPumpOfCurrentUnit(), "P1");
    EXPECT_FALSE(View().Lst_Options->item(OptionLine("P1"))->flags() & Qt::ItemIsEnabled)
        << "the chosen pump is replaced, not unticked";

    // The second pump by its check box: the catalogue excludes the two pumps
    // from each other, yet the second replaces the first rather than conflict.
    QListWidgetItem* pP2 = View().Lst_Options->item(OptionLine("P2"));
    messages.texts.clear();
    pP2->setCheckState(Qt::Checked);
    for (const std::string& szText : messages.texts) EXPECT_EQ(szText.find(kConflict), std::string::npos) << szText;
    EXPECT_TRUE(OptionTicked("P2"));
    EXPECT_TRUE(OptionShown("P2"));
    EXPECT_FALSE(OptionTicked("P1"));
    EXPECT_FALSE(OptionShown("P1"));
    EXPECT_FALSE(pP2->flags() & Qt::ItemIsEnabled) << "the new pump is the chosen one";
    EXPECT_TRUE(View().Lst_Options->item(OptionLine("P1"))->flags() & Qt::ItemIsEnabled);
    EXPECT_EQ(SelectedPumpOfCurrentUnit(), "P2") << "the unit in the grid was recomputed with the new pump";
    // Both pumps take this unit's flow: the figures stay those without a pump.
    EXPECT_EQ(CurrentColumn(), without);
}

TEST_F(OptionFrameUi, AnExcludedOptionShowsItsMessageOnceAndItsTickReverts) {
    RunAndShowResults();
    ClickAndSpace("LN1");
    ASSERT_TRUE(OptionTicked("LN1"));
    const std::vector<std::string> withLN1 = CurrentColumn();
    messages.texts.clear();
    ClickAndSpace("LN2");
    ASSERT_EQ(messages.texts.size(), 1u) << "shown once: the reverted tick fires nothing";
    EXPECT_NE(messages.texts[0].find(kConflict), std::string::npos) << messages.texts[0];
    EXPECT_FALSE(OptionTicked("LN2"));
    EXPECT_FALSE(OptionShown("LN2"));
    EXPECT_TRUE(OptionShown("LN1"));
    EXPECT_EQ(CurrentColumn(), withLN1);
}

TEST_F(OptionFrameUi, AKitChangesNothingInTheGrid) {
    RunAndShowResults();
    const std::vector<std::string> before = CurrentColumn();
    const int nKit = LineNamed(View().Model().Kits(), "AV");
    QListWidgetItem* pKit = View().Lst_Kits->item(nKit);
    const bool bWas = View().Model().Kits()[static_cast<std::size_t>(nKit)].Ticked;
    View().Lst_Kits->setCurrentItem(pKit);
    QTest::keyClick(View().Lst_Kits, Qt::Key_Space);
    EXPECT_EQ(View().Model().Kits()[static_cast<std::size_t>(nKit)].Ticked, !bWas);
    EXPECT_EQ(Shown(View().Lst_Kits, nKit), !bWas);
    EXPECT_EQ(CurrentColumn(), before);
    pKit->setCheckState(bWas ? Qt::Checked : Qt::Unchecked);
    EXPECT_EQ(View().Model().Kits()[static_cast<std::size_t>(nKit)].Ticked, bWas);
    EXPECT_EQ(CurrentColumn(), before);
}

TEST_F(OptionFrameUi, ARecoveryOptionShowsItsLimitsAndANewLeavingTemperatureChangesTheColumn) {
    RunAndShowResults();
    ClickAndSpace("HR");
    ASSERT_TRUE(OptionTicked("HR"));
    ASSERT_TRUE(View().Frm_HRCondenser->isVisible());

    // The entries' range is the unit's recovery range.
    TFrm_ChResultGrid& grid = page->Grid_Results->Model();
    std::int32_t nSeqNr = 0;
    Cls_ChOutdoorUnit* pUnit = grid.GetCurrentChiller(nSeqNr);
    const Cls_ChOption& hr = *View().Model().Options()[static_cast<std::size_t>(OptionLine("HR"))].Option;
    const Cls_ChOptAllowed* pComb = pUnit->GetSpecificOptComb(hr.TableIndex(), hr.GetID(), nSeqNr);
    ASSERT_NE(pComb, nullptr);
    double dMin = 0.0, dMax = 0.0;
    pComb->GetHRMinMax(*Session().v_Limits, dMin, dMax);
    const QScrollBar* pBar = View().Frm_HRCondenser->Leaving()->Bar();
    EXPECT_EQ(pBar->minimum(), static_cast<int>(std::trunc(dMin)) * 10);
    EXPECT_EQ(pBar->maximum(), static_cast<int>(std::trunc(dMax)) * 10);

    QLineEdit* pLeaving = View().Frm_HRCondenser->Leaving()->Edit();
    auto type = [pLeaving](const char* szText) {
        pLeaving->setFocus();
        pLeaving->selectAll();
        QTest::keyClicks(pLeaving, QString::fromLatin1(szText));
        QTest::keyClick(pLeaving, Qt::Key_Return);
    };
    type("40");
    const std::vector<std::string> at40 = CurrentColumn();
    type("50");
    EXPECT_NE(CurrentColumn(), at40);
    EXPECT_TRUE(OptionTicked("HR"));
    EXPECT_TRUE(View().Frm_HRCondenser->isVisible()) << "still worked on";
    double dLeaving = 0.0, dDeltaT = 0.0;
    View().Model().GetHRData(dLeaving, dDeltaT);
    EXPECT_DOUBLE_EQ(dLeaving, 50.0);

    // A click on another line puts the entries away, one on the ticked recovery line brings them back.
    QListWidget* pList = View().Lst_Options;
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualItemRect(pList->item(OptionLine("LN1"))).center());
    EXPECT_FALSE(View().Frm_HRCondenser->isVisible());
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {},
                      pList->visualItemRect(pList->item(OptionLine("HR"))).center());
    EXPECT_TRUE(View().Frm_HRCondenser->isVisible());
}

TEST_F(OptionFrameUi, TheAddButtonsPutTheUnitOnThePlantOrInTheBasketAndSwitchPage) {
    RunAndShowResults();
    QTest::mouseClick(View().Btn_AddBasket, Qt::LeftButton);
    EXPECT_EQ(Session().Basket().Count(), 1);
    EXPECT_TRUE(start->Window().IsAvailable(TChillerPage::Basket));
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_Basket);

    window->PG_ChillerPages->setCurrentWidget(window->Tab_Results);
    QTest::mouseClick(View().Btn_AddPlant, Qt::LeftButton);
    ASSERT_NE(Session().Plant().Plant(), nullptr) << (messages.texts.empty() ? "" : messages.texts.back());
    EXPECT_EQ(Session().Plant().Plant()->UnitCount(), 1);
    EXPECT_TRUE(start->Window().IsAvailable(TChillerPage::PlantBuilder));
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_PlantBuilder);
}

TEST_F(OptionFrameUi, ThePlantFrameHasTheBasketButtonOnlyAndRepaintsThePlantGrid) {
    RunAndShowResults();
    std::int32_t nSeqNr = 0;
    Cls_ChOutdoorUnit* pUnit = Settings().ResultGrid().GetCurrentChiller(nSeqNr);
    ASSERT_NE(pUnit, nullptr);
    ASSERT_TRUE(Session().Plant().AddToPlant(*pUnit, TPanelRequirement{350.0, 0.0, true}));
    QWidget room;
    int nRepaints = 0;
    TOptionFramePanel& plant = PutPlantOptionFrame(*window, room, Session(), [&nRepaints] { ++nRepaints; });
    room.resize(1000, 300);
    room.show();
    TOptionFrameView& view = plant.View();
    EXPECT_FALSE(view.Btn_AddPlant->isVisible());
    EXPECT_TRUE(view.Btn_AddBasket->isVisible());
    ASSERT_GT(view.Lst_Options->count(), 0);
    const int nLine = LineNamed(view.Model().Options(), "LN1");
    view.Lst_Options->item(nLine)->setCheckState(Qt::Checked);
    EXPECT_TRUE(view.Model().Options()[static_cast<std::size_t>(nLine)].Ticked);
    EXPECT_EQ(nRepaints, 1);

    QTest::mouseClick(view.Btn_AddBasket, Qt::LeftButton);
    ASSERT_EQ(Session().Basket().Count(), 1);
    EXPECT_EQ(Session().Plant().Plant(), nullptr) << "the plant went into the basket";
    EXPECT_EQ(window->PG_ChillerPages->currentWidget(), window->Tab_Basket);
}

TEST_F(OptionFrameUi, TheResultsPageWithItsFramePassesTheWindowChecks) {
    RunAndShowResults();
    ClickAndSpace("HR");
    ASSERT_TRUE(View().Frm_HRCondenser->isVisible());
    // Catalogue texts (option and unit names) are data, not the program's texts.
    std::vector<std::string> allowed = CatalogueWords();
    allowed.insert(allowed.end(), {"S", "X", "P", "L", "R", "C"});
    testing::ui::ExpectWindowPasses(*window, kRussian, allowed);
}

}  // namespace
}  // namespace brumalis::ui
