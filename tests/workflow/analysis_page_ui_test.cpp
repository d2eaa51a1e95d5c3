// The Analysis page through the program's start on the shipped catalogue,
// offscreen, with a settings store of the test's own: the start buttons,
// the option boxes and the pump's pressure, the distance in the length
// unit, the traffic light, the closing by the Settings page, and the
// window checks in both languages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "dialogs/message_window.h"
#include "dialogs/messages.h"
#include "tests/platform/private_registry.h"
#include "tests/ui_check/ui_check.h"
#include "workflow/desktop_start.h"
#include "workflow/selection_list.h"
#include "workflow/ui/analysis_lights.h"
#include "tests/workflow/started_desktop.h"
#include "workflow/ui/analysis_page_view.h"
#include "workflow/ui/brine_frame_view.h"
#include "workflow/ui/chiller_select_view.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/preferences_wiring.h"
#include "workflow/ui/result_grid_view.h"
#include "workflow/ui/temp_panel_view.h"

namespace brumalis::ui {
namespace {

// The language is read once per process: the Russian program runs the
// window checks only, the English one everything.
#ifdef BRUMALIS_ANALYSIS_RUSSIAN
constexpr bool kRussian = true;
#else
constexpr bool kRussian = false;
#endif


class AnalysisPageUi : public ::testing::Test, protected CTStartedDesktop {
protected:
    void TearDown() override {
        Stop();
        TU_Form::SetNewIndex(U_Length, 0, false);
    }

    // Starts the program as the desktop does, the window shown on the Analysis page.
    TAnalysisPageView& Start() {
        page = nullptr;
        StartDesktop(true);
        page = window->Tab_Analysis->findChild<TAnalysisPageView*>();
        EXPECT_NE(page, nullptr);
        ShowPage(TChillerPage::Analysis);
        return *page;
    }
    void Stop() {
        page = nullptr;
        StopDesktop();
    }
    void ShowPage(TChillerPage shown) {
        window->PG_ChillerPages->setCurrentWidget(window->Page(shown));
        QCoreApplication::processEvents();
    }
    TSettingsPage& Settings() { return SharedSettingsPage(*window, Session()); }
    // A 350 kW air-cooled cooling-only run on the Settings page.
    void Run350kW() {
        Settings().SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
        Settings().Panel().TypeValue(TPanelEntry::CoolCapacity, "350");
        ASSERT_GE(Settings().MakeSelection(false), 0);
    }
    Cls_ChOutdoorUnit& UnitNamed(const char* szName) {
        for (Cls_ChOutdoorUnit* pUnit : Session().v_PrefChillers) {
            if (DisplayName(*pUnit) == szName) return *pUnit;
        }
        ADD_FAILURE() << "no unit " << szName;
        return *Session().v_PrefChillers.front();
    }
    // The unit clicked in the chooser's four lists, then "On user defined chiller".
    void AnalyseChosen(Cls_ChOutdoorUnit& unit) {
        TFrm_ChillerSelect& chooser = page->Model().Chooser();
        const auto click = [](QListWidget* pList, int nRow) {
            ASSERT_GE(nRow, 0);
            QListWidgetItem* pItem = pList->item(nRow);
            ASSERT_NE(pItem, nullptr);
            pList->scrollToItem(pItem);
            QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, pList->visualItemRect(pItem).center());
        };
        const auto line = [](const std::vector<TFrm_ChillerSelect::TItem>& items, const auto& matches) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (matches(items[i])) return static_cast<int>(i);
            }
            return -1;
        };
        using TItem = TFrm_ChillerSelect::TItem;
        TChillerSelectView& lists = *page->Frm_AnChillerSelect;
        click(lists.Lst_Condenser, line(chooser.Condensers(), [&](const TItem& i) { return i.Value == unit.GetCondenserType(); }));
        click(lists.Lst_Family, line(chooser.Families(), [&](const TItem& i) { return i.Value == unit.GetFamily(); }));
        click(lists.Lst_Series, line(chooser.Series(), [&](const TItem& i) { return i.Text == unit.GetSeries(); }));
        click(lists.Lst_Chillers, line(chooser.Chillers(), [&](const TItem& i) { return i.Unit == &unit; }));
        ASSERT_TRUE(page->Btn_SetSelection->isEnabled());
        QTest::mouseClick(page->Btn_SetSelection, Qt::LeftButton);
        ASSERT_EQ(page->Model().Unit(), &unit);
    }
    // The titles of the grid's rows that start with szStart.
    std::vector<std::string> GridRowsStarting(const char* szStart) const {
        std::vector<std::string> rows;
        for (int r = 0; r < page->Grid_Analysis->rowCount(); ++r) {
            const std::string szTitle = page->Grid_Analysis->RowTitles().Title(r).trimmed().toStdString();
            if (szTitle.rfind(szStart, 0) == 0) rows.push_back(szTitle);
        }
        return rows;
    }
    // Types into an edit as the user does and commits it with Enter.
    static void TypeAndEnter(QLineEdit* pEdit, const char* szText) {
        pEdit->setFocus();
        pEdit->selectAll();
        QTest::keyClicks(pEdit, QString::fromLatin1(szText));
        QTest::keyClick(pEdit, Qt::Key_Return);
    }
    void TypeLeavingAndAmbient(const char* szLeaving, const char* szAmbient) {
        TypeAndEnter(page->Frm_AnTempSettings->Box_CEvaporator->Leaving()->Edit(), szLeaving);
        TypeAndEnter(page->Frm_AnTempSettings->Scrl_CondAmbient->Edit(), szAmbient);
    }
    TAnalysisOptionControls& Option(TAnalysisOption option) { return page->Options[static_cast<std::size_t>(option)]; }
    // The words the window shows as the catalogue has them: unit and series
    // names, the codes of the option names, refrigerants, variant letters.
    std::vector<std::string> CatalogueWords() {
        std::vector<std::string> words = {"R410A", "R407C", "R134a", "S", "X", "P", "L", "R", "C", "K"};
        const auto addWords = [&words](const std::string& szText) {
            const QString text = QString::fromStdString(szText);
            for (const QString& word : text.split(QRegularExpression(QStringLiteral("[^A-Za-z]+")), Qt::SkipEmptyParts)) {
                words.push_back(word.toStdString());
            }
        };
        for (const Cls_ChOutdoorUnit* pUnit : Session().v_PrefChillers) addWords(DisplayName(*pUnit));
        for (const TAnalysisOptionControls& controls : page->Options) {
            for (int i = 0; i < controls.Combo->count(); ++i) {
                const std::string szItem = controls.Combo->itemText(i).toStdString();
                addWords(szItem.substr(0, szItem.find(" - ")));
            }
        }
        return words;
    }

    testing::TPrivateRegistry registry;
    CTMessageLog messages;
    CTPageTestScope scope{kRussian, messages};
    TAnalysisPageView* page = nullptr;

};

#ifndef BRUMALIS_ANALYSIS_RUSSIAN
TEST_F(AnalysisPageUi, OnSelectedResultWaitsForARunAndShowsTheResult) {
    Start();
    // Step 17's state: nothing to start, no panel, no title, no light.
    EXPECT_FALSE(page->Btn_SetSolution->isEnabled());
    EXPECT_FALSE(page->Btn_SetSelection->isEnabled());
    EXPECT_FALSE(page->Bib_AnMSWord->isEnabled());
    EXPECT_TRUE(page->Pnl_Analysis->isHidden());
    EXPECT_TRUE(page->Lbl_AnTitle->text().isEmpty());
    EXPECT_EQ(page->Pnl_Lights->ShownLight(), -1);
    EXPECT_TRUE(page->Pnl_Lights->Lbl_Light->text().isEmpty());
    EXPECT_EQ(page->Grid_Analysis->columnCount(), 0);

    ShowPage(TChillerPage::Settings);
    Run350kW();
    ShowPage(TChillerPage::Analysis);
    ASSERT_TRUE(page->Btn_SetSolution->isEnabled());
    QTest::mouseClick(page->Btn_SetSolution, Qt::LeftButton);
    std::int32_t nSeqNr = 0;
    EXPECT_EQ(page->Model().Unit(), Settings().ResultGrid().GetCurrentChiller(nSeqNr));
    EXPECT_TRUE(page->Pnl_Analysis->isVisible());
    EXPECT_TRUE(page->Box_AnSound->isVisible());
    EXPECT_EQ(page->Lbl_AnTitle->text(), "Analyzing solution chiller(s)");
    EXPECT_EQ(page->Grid_Analysis->columnCount(), 1);
    EXPECT_EQ(page->UD_AnDistance->value(), 5);
    EXPECT_TRUE(page->Bib_AnMSWord->isEnabled());
    EXPECT_EQ(page->Pnl_Lights->ShownLight(), page->Model().Light());
    EXPECT_FALSE(page->Frm_AnCBrine->isVisible()) << "air cooled: no condenser brine";
    EXPECT_TRUE(page->Box_AnHRCondenser->isHidden());
}

TEST_F(AnalysisPageUi, ACriterionChangeClosesTheAnalysisOfAResultNotAUserDefinedOne) {
    Start();
    ShowPage(TChillerPage::Settings);
    Run350kW();
    ShowPage(TChillerPage::Analysis);
    QTest::mouseClick(page->Btn_SetSolution, Qt::LeftButton);
    ASSERT_TRUE(page->Model().Active());
    // On the Settings page, through its own view and listener.
    ShowPage(TChillerPage::Settings);
    Settings().Panel().TypeValue(TPanelEntry::CoolLeavingE, "8");
    EXPECT_FALSE(start->Window().IsAvailable(TChillerPage::Results)) << "the window's listener";
    ShowPage(TChillerPage::Analysis);
    EXPECT_FALSE(page->Model().Active()) << "the page's listener";
    EXPECT_TRUE(page->Pnl_Analysis->isHidden());
    EXPECT_EQ(page->Grid_Analysis->columnCount(), 0);
    EXPECT_TRUE(page->Lbl_AnTitle->text().isEmpty());
    EXPECT_EQ(page->Pnl_Lights->ShownLight(), -1);
    EXPECT_FALSE(page->Btn_SetSolution->isEnabled());
    EXPECT_FALSE(page->Bib_AnMSWord->isEnabled());

    AnalyseChosen(UnitNamed("ACW 350"));
    EXPECT_EQ(page->Lbl_AnTitle->text(), "Analyzing a selected chiller");
    ShowPage(TChillerPage::Settings);
    Settings().Panel().TypeValue(TPanelEntry::CoolLeavingE, "9");
    ShowPage(TChillerPage::Analysis);
    EXPECT_TRUE(page->Model().Active());
    EXPECT_TRUE(page->Pnl_Analysis->isVisible());
    EXPECT_EQ(page->Grid_Analysis->columnCount(), 1);
}

TEST_F(AnalysisPageUi, UsePumpOptionShowsTheFirstPumpsAvailablePressure) {
    Start();
    AnalyseChosen(UnitNamed("ACW 350"));
    TAnalysisOptionControls& pump = Option(TAnalysisOption::Pump);
    ASSERT_TRUE(pump.Check->isVisible());
    EXPECT_FALSE(pump.Check->isChecked());
    EXPECT_FALSE(pump.Combo->isEnabled());
    EXPECT_GT(pump.Combo->count(), 1);
    EXPECT_TRUE(page->Pnl_PumpESP->isHidden());
    QTest::mouseClick(pump.Check, Qt::LeftButton);
    EXPECT_TRUE(pump.Check->isChecked());
    EXPECT_TRUE(pump.Combo->isEnabled());
    EXPECT_EQ(pump.Combo->currentIndex(), 0);
    EXPECT_TRUE(page->Pnl_PumpESP->isVisible());
    const QString firstESP = page->Txt_PumpESP->text();
    EXPECT_FALSE(firstESP.isEmpty());
    EXPECT_EQ(firstESP.toStdString(), page->Model().PumpESPText());
    // The second pump through the combo, as the user picks it.
    pump.Combo->setFocus();
    QTest::keyClick(pump.Combo, Qt::Key_Down);
    EXPECT_EQ(page->Model().Combo(TAnalysisOption::Pump).Selected, 1);
    EXPECT_NE(page->Txt_PumpESP->text(), firstESP);
    QTest::mouseClick(pump.Check, Qt::LeftButton);
    EXPECT_FALSE(pump.Combo->isEnabled());
    EXPECT_EQ(pump.Combo->currentIndex(), -1);
    EXPECT_TRUE(page->Pnl_PumpESP->isHidden());

    // The recovery box shows the recovery entries.
    TAnalysisOptionControls& recovery = Option(TAnalysisOption::HeatRecovery);
    ASSERT_TRUE(recovery.Check->isVisible());
    QTest::mouseClick(recovery.Check, Qt::LeftButton);
    EXPECT_TRUE(page->Box_AnHRCondenser->isVisible());
    EXPECT_EQ(page->Box_AnHRCondenser->Leaving()->Bar()->maximum(), page->Model().RecoveryEntries().Leaving().Max());

    // A unit without recovery options has no recovery box to tick.
    AnalyseChosen(UnitNamed("ACR 005"));
    EXPECT_TRUE(recovery.Check->isHidden());
    EXPECT_TRUE(recovery.Combo->isHidden());
    EXPECT_TRUE(page->Box_AnHRCondenser->isHidden());
}

TEST_F(AnalysisPageUi, TheDistanceGivesOneSoundRowAndKeepsItInFeet) {
    Start();
    AnalyseChosen(UnitNamed("ACW 350"));
    EXPECT_EQ(GridRowsStarting("Sound pressure level"), std::vector<std::string>{"Sound pressure level @ 5 m"});
    page->UD_AnDistance->setValue(10);
    EXPECT_EQ(page->Model().Distance(), 10.0);
    EXPECT_EQ(GridRowsStarting("Sound pressure level"), std::vector<std::string>{"Sound pressure level @ 10 m"});

    // The preferences' OK with feet: the page's step re-ranges the control.
    for (int i = 0; i < TU_Form::DimensionCount(U_Length); ++i) {
        if (TU_Form::GetSpecificString(U_Length, i) == "ft") TU_Form::SetNewIndex(U_Length, i, false);
    }
    PreferencesCommandOf(*window, Session()).Accepted();
    ShowPage(TChillerPage::Analysis);
    EXPECT_EQ(page->Model().Distance(), 10.0);
    EXPECT_EQ(page->UD_AnDistance->value(), 33);
    EXPECT_EQ(page->UD_AnDistance->minimum(), 3);
    EXPECT_EQ(page->UD_AnDistance->maximum(), 66);
    EXPECT_EQ(page->UD_AnDistance->suffix(), " ft");
    EXPECT_EQ(GridRowsStarting("Sound pressure level"), std::vector<std::string>{"Sound pressure level @ 33 ft"});

    // Typed and Enter: taken in feet, and the focus moves on.
    page->UD_AnDistance->setFocus();
    page->UD_AnDistance->selectAll();
    QTest::keyClicks(page->UD_AnDistance, QStringLiteral("50"));
    QTest::keyClick(page->UD_AnDistance, Qt::Key_Return);
    EXPECT_NEAR(page->Model().Distance(), 15.24, 1e-9);
    EXPECT_NE(QApplication::focusWidget(), page->UD_AnDistance);
    EXPECT_EQ(GridRowsStarting("Sound pressure level"), std::vector<std::string>{"Sound pressure level @ 50 ft"});
}

// ACW 350 at 7 °C and 35 °C lies in its table; at -10 °C and 44 °C outside
// it but in range; at 50 °C, out of range too.
TEST_F(AnalysisPageUi, EachLightShowsItsPictureAndText) {
    Start();
    AnalyseChosen(UnitNamed("ACW 350"));
    const auto expectLight = [this](int nLight, const char* szText) {
        EXPECT_EQ(page->Model().Light(), nLight);
        EXPECT_EQ(page->Pnl_Lights->ShownLight(), nLight);
        EXPECT_TRUE(!page->Pnl_Lights->Img_GreenLight->isHidden() == (nLight == 0));
        EXPECT_TRUE(!page->Pnl_Lights->Img_YellowLight->isHidden() == (nLight == 1));
        EXPECT_TRUE(!page->Pnl_Lights->Img_RedLight->isHidden() == (nLight == 2));
        EXPECT_EQ(page->Pnl_Lights->Lbl_Light->text(), szText);
    };
    TypeLeavingAndAmbient("7", "35");
    expectLight(0, "Within capacity table and within operation range.");
    TypeLeavingAndAmbient("-10", "44");
    expectLight(1, "Outside capacity table, but within operation range.");
    EXPECT_TRUE(page->Frm_AnEBrine->Box_Percentages->isVisible()) << "-10 °C takes glycol";
    TypeLeavingAndAmbient("-10", "50");
    expectLight(2, "Outside capacity table and outside operation range.");
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
}

// The pictures are drawn, each in its own colour.
TEST_F(AnalysisPageUi, TheLightPicturesLightTheirOwnLamp) {
    Start();
    const QColor lit[] = {QColor(0x43, 0xa0, 0x47), QColor(0xfb, 0xc0, 0x2d), QColor(0xe5, 0x39, 0x35)};
    const int lampY[] = {58, 36, 14};  // green at the bottom, red on top
    for (int nLight = 0; nLight < TAnalysisLights::kLightCount; ++nLight) {
        TSvgPicture picture(TrafficLightSvg(nLight), nullptr);
        picture.resize(picture.sizeHint());
        const QImage image = picture.grab().toImage();
        for (int nLamp = 0; nLamp < TAnalysisLights::kLightCount; ++nLamp) {
            // The lamp's lower half, away from the glow.
            const QColor colour = image.pixelColor(14, lampY[nLamp] + 7);
            const bool bLikeLit = std::abs(colour.red() - lit[nLamp].red()) < 40 &&
                                  std::abs(colour.green() - lit[nLamp].green()) < 40 &&
                                  std::abs(colour.blue() - lit[nLamp].blue()) < 40;
            EXPECT_EQ(bLikeLit, nLamp == nLight) << "light " << nLight << ", lamp " << nLamp;
        }
    }
}
#endif

// Each kind of unit with its options shown, the recovery entries and the
// pump's pressure too; a heat pump's page fits a screen 1366 pixels wide.
TEST_F(AnalysisPageUi, PassesTheWindowChecks) {
    struct TCase {
        const char* szName;
        std::int32_t nCondenser, nFamily;
    };
    const TCase cases[] = {{"heat pump", ctAirCooled, famHeatPump},
                           {"water cooled", ctWaterCooled, famCoolingOnly},
                           {"heat recovery", ctAirCooled, famHeatRecovery}};
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.szName);
        Start();
        AnalyseChosen(UnitOf(test.nCondenser, test.nFamily));
        for (TAnalysisOption option : {TAnalysisOption::HeatRecovery, TAnalysisOption::Pump}) {
            if (Option(option).Check->isVisible()) QTest::mouseClick(Option(option).Check, Qt::LeftButton);
        }
        QCoreApplication::processEvents();
        if (test.nFamily == famHeatPump) {
            EXPECT_LE(page->minimumSizeHint().width(), 1366 - 30);
            QTest::mouseClick(page->Frm_AnTempSettings->Rb_SelHeating, Qt::LeftButton);
            QCoreApplication::processEvents();
            EXPECT_LE(page->minimumSizeHint().width(), 1366 - 30) << "heating";
        }
        testing::ui::ExpectWindowPasses(*window, kRussian, CatalogueWords());
    }
    // And the analysis of a result.
    Start();
    ShowPage(TChillerPage::Settings);
    Run350kW();
    ShowPage(TChillerPage::Analysis);
    QTest::mouseClick(page->Btn_SetSolution, Qt::LeftButton);
    QCoreApplication::processEvents();
    testing::ui::ExpectWindowPasses(*window, kRussian, CatalogueWords());
}

}  // namespace
}  // namespace brumalis::ui
