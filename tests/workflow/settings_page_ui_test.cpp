// The Settings page through the window: the program started on the shipped
// catalogue with a settings store of the test's own, the user's clicks and
// typing sent to the widgets, and what the page and the main window show.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "dialogs/message_window.h"
#include "dialogs/messages.h"
#include "tests/platform/private_registry.h"
#include "tests/ui_check/ui_check.h"
#include "tests/ui_support/gui_test_support.h"
#include "tests/workflow/started_desktop.h"
#include "workflow/desktop_start.h"
#include "workflow/preferences.h"
#include "workflow/ui/brine_frame_view.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_steps.h"
#include "workflow/ui/selection_list_view.h"
#include "workflow/ui/settings_page_view.h"
#include "workflow/ui/temp_panel_view.h"

namespace brumalis::ui {
namespace {

using test::Child;


// The language is read once per process: the Russian program runs the window
// checks only, the English one everything.
#ifdef BRUMALIS_SETTINGS_RUSSIAN
constexpr bool kRussian = true;
#else
constexpr bool kRussian = false;
#endif

class SettingsPageUi : public ::testing::Test, protected CTStartedDesktop {
protected:
    void TearDown() override {
        Stop();
    }

    // Starts the program as the desktop does; the page is on the Settings tab.
    TSettingsPageView& Start() {
        page = nullptr;
        StartDesktop(false);
        page = window->Page(TChillerPage::Settings)->findChild<TSettingsPageView*>();
        EXPECT_NE(page, nullptr);
        QCoreApplication::processEvents();
        return *page;
    }
    void Stop() {
        page = nullptr;
        StopDesktop();
    }

    // Clicks the first row of the condenser type and family in the list.
    void ClickRow(std::int32_t nCondenser, std::int32_t nFamily) {
        const std::vector<TSelectionRow>& rows = page->Model().List().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].Condenser != nCondenser || rows[i].Family != nFamily) continue;
            QTreeWidgetItem* pItem = page->LV_Selection->topLevelItem(static_cast<int>(i));
            page->LV_Selection->scrollToItem(pItem);
            const QRect rect = page->LV_Selection->visualItemRect(pItem);
            QTest::mouseClick(page->LV_Selection->viewport(), Qt::LeftButton, {}, rect.center());
            return;
        }
        ADD_FAILURE() << "no row for condenser " << nCondenser << ", family " << nFamily;
    }
    // Types into an edit as the user does and commits it with Enter.
    static void TypeAndEnter(QLineEdit* pEdit, const char* szText) {
        pEdit->setFocus();
        pEdit->selectAll();
        QTest::keyClicks(pEdit, QString::fromLatin1(szText));
        QTest::keyClick(pEdit, Qt::Key_Return);
    }
    static QLineEdit* LeavingEdit(TTempEntriesView* pBox) { return pBox->Leaving()->Edit(); }
    static QString EnteringText(TTempEntriesView* pBox) { return Child<QLabel>(pBox, "Lbl_Entering")->text(); }
    bool ResultsAvailable() const { return start->Window().IsAvailable(TChillerPage::Results); }

    testing::TPrivateRegistry registry;
    CTMessageLog messages;
    CTPageTestScope scope{kRussian, messages};
    TSettingsPageView* page = nullptr;

};

#ifndef BRUMALIS_SETTINGS_RUSSIAN
TEST_F(SettingsPageUi, AFirstStartSelectsAirCooledCoolingOnlyAt7To12WithoutResults) {
    Start();
    EXPECT_EQ(page->Model().List().GetSelCondenser(), ctAirCooled);
    EXPECT_EQ(page->Model().List().GetSelFamily(), famCoolingOnly);
    ASSERT_NE(page->LV_Selection->currentItem(), nullptr);
    EXPECT_EQ(page->LV_Selection->currentItem()->text(TSelectionListView::colFamily), "Cooling only");
    EXPECT_EQ(LeavingEdit(page->Frm_TempPanel->Box_CEvaporator)->text(), "7.0");
    EXPECT_EQ(EnteringText(page->Frm_TempPanel->Box_CEvaporator), QString::fromUtf8("12.0 \u00B0C"));
    EXPECT_FALSE(ResultsAvailable());
    EXPECT_FALSE(page->Btn_Select->isEnabled());
    EXPECT_FALSE(page->Lbl_SelMessage->isVisible());
    EXPECT_FALSE(page->Frm_TempPanel->Box_Heating->isVisible());
    EXPECT_FALSE(page->Frm_TempPanel->Pnl_ModeSelect->isVisible());
    // Nothing to select yet: the keyboard is on the list.
    EXPECT_EQ(QApplication::focusWidget(), page->LV_Selection);
    // The capacities are right-aligned under their titles.
    EXPECT_TRUE(page->LV_Selection->currentItem()->textAlignment(TSelectionListView::colCapacityTo) & Qt::AlignRight);
    EXPECT_FALSE(page->LV_Selection->currentItem()->text(TSelectionListView::colCapacityFrom).isEmpty());
}

TEST_F(SettingsPageUi, AHeatPumpSwitchesBetweenCoolingAndHeatingCapacity) {
    Start();
    ClickRow(ctAirCooled, famHeatPump);
    TTempPanelView& panel = *page->Frm_TempPanel;
    EXPECT_EQ(page->Model().List().GetSelFamily(), famHeatPump);
    EXPECT_TRUE(panel.Pnl_ModeSelect->isVisible());
    EXPECT_TRUE(panel.Rb_SelCooling->isChecked());
    EXPECT_TRUE(panel.Pnl_CoolingCap->isVisible());
    EXPECT_FALSE(panel.Pnl_HeatingCap->isVisible());
    EXPECT_TRUE(panel.Pnl_Winter->isVisible());

    QTest::mouseClick(panel.Rb_SelHeating, Qt::LeftButton);
    EXPECT_FALSE(panel.Pnl_CoolingCap->isVisible());
    EXPECT_TRUE(panel.Pnl_HeatingCap->isVisible());
    const Cls_ChLimits& limits = *page->Model().Session().v_Limits;
    const QScrollBar* pBar = panel.Box_HCondenser->Leaving()->Bar();
    EXPECT_EQ(pBar->minimum(), limits.GetMinHEvaporatorTemp() * 10);
    EXPECT_EQ(pBar->maximum(), limits.GetMaxHEvaporatorTemp() * 10);
    EXPECT_TRUE(panel.Box_HCondenser->DeltaT()->isVisible());
    // The heating capacity now decides whether a selection can run.
    EXPECT_FALSE(page->Btn_Select->isEnabled());
    QTest::keyClicks(panel.Txt_ReqHCap, QStringLiteral("200"));
    EXPECT_TRUE(page->Btn_Select->isEnabled());
}

TEST_F(SettingsPageUi, HeatRecoveryShowsItsGroupAt45To60) {
    Start();
    ClickRow(ctAirCooled, famHeatRecovery);
    TTempPanelView& panel = *page->Frm_TempPanel;
    EXPECT_TRUE(panel.Box_Heating->isVisible());
    EXPECT_EQ(panel.Box_Heating->title(), "Heat recovery");
    EXPECT_FALSE(panel.Box_HEvaporator->isVisible());
    EXPECT_TRUE(panel.Box_HCondenser->isVisible());
    EXPECT_FALSE(panel.Pnl_Winter->isVisible());
    EXPECT_EQ(panel.Box_HCondenser->Leaving()->Bar()->minimum(), 450);
    EXPECT_EQ(panel.Box_HCondenser->Leaving()->Bar()->maximum(), 600);
    EXPECT_EQ(panel.Box_HCondenser->DeltaT()->Bar()->minimum(), 50);
    EXPECT_EQ(panel.Box_HCondenser->DeltaT()->Bar()->maximum(), 100);
    // Typed past the top it stops there, and the user is told.
    TypeAndEnter(LeavingEdit(panel.Box_HCondenser), "65");
    EXPECT_EQ(LeavingEdit(panel.Box_HCondenser)->text(), "60.0");
}

TEST_F(SettingsPageUi, ResetDefaultsRestoresTheTemperaturesOnly) {
    Start();
    TFrm_Preferences::Values().NEGCOOLING = -0.1;
    TFrm_Preferences::Values().MAXSOLUTION = 7;
    TFrm_Preferences::WriteRegistry();
    ClickRow(ctAirCooled, famHeatPump);
    TTempPanelView& panel = *page->Frm_TempPanel;
    TypeAndEnter(panel.Txt_ReqCCap, "350");
    TypeAndEnter(LeavingEdit(panel.Box_CEvaporator), "10");
    QTest::mouseClick(page->Btn_Select, Qt::LeftButton);  // stores the row and 10 °C
    ASSERT_EQ(TFrm_Preferences::Values().COOL_LWE, 10.0);
    window->PG_ChillerPages->setCurrentIndex(static_cast<int>(TChillerPage::Settings));
    const std::string powerUnit = panel.findChild<QLabel*>("Lbl_CapacityUnit")->text().toStdString();

    QTest::mouseClick(page->Btn_EuroventReset, Qt::LeftButton);
    EXPECT_EQ(LeavingEdit(panel.Box_CEvaporator)->text(), "7.0");
    EXPECT_EQ(EnteringText(panel.Box_CEvaporator), QString::fromUtf8("12.0 \u00B0C"));
    EXPECT_EQ(page->Model().List().GetSelFamily(), famHeatPump);
    EXPECT_EQ(TFrm_Preferences::Values().FAMILY, famHeatPump);
    EXPECT_DOUBLE_EQ(TFrm_Preferences::Values().NEGCOOLING, -0.1);
    EXPECT_EQ(TFrm_Preferences::Values().MAXSOLUTION, 7);
    EXPECT_EQ(panel.findChild<QLabel*>("Lbl_CapacityUnit")->text().toStdString(), powerUnit);
    EXPECT_EQ(panel.Txt_ReqCCap->text(), "350");
    // New temperatures: the last results no longer hold.
    EXPECT_FALSE(ResultsAvailable());
}

TEST_F(SettingsPageUi, SelectHeatingSurvivesARestart) {
    Start();
    ClickRow(ctAirCooled, famHeatPump);
    QTest::mouseClick(page->Frm_TempPanel->Rb_SelHeating, Qt::LeftButton);
    QTest::keyClicks(page->Frm_TempPanel->Txt_ReqHCap, QStringLiteral("300"));
    QTest::mouseClick(page->Btn_Select, Qt::LeftButton);

    Start();
    EXPECT_EQ(page->Model().List().GetSelFamily(), famHeatPump);
    EXPECT_TRUE(page->Frm_TempPanel->Rb_SelHeating->isChecked());
    EXPECT_FALSE(page->Frm_TempPanel->Rb_SelCooling->isChecked());
    EXPECT_TRUE(page->Frm_TempPanel->Pnl_HeatingCap->isVisible());
    EXPECT_FALSE(page->Frm_TempPanel->Pnl_CoolingCap->isVisible());
}

TEST_F(SettingsPageUi, TypedEntriesKeepTheNumberAndAreClampedWithAMessage) {
    Start();
    TTempPanelView& panel = *page->Frm_TempPanel;
    // The number check reads a mistyped letter as the "0" it stands for.
    panel.Txt_ReqCCap->setFocus();
    QTest::keyClicks(panel.Txt_ReqCCap, QStringLiteral("35O"));
    EXPECT_EQ(panel.Txt_ReqCCap->text(), "350");
    EXPECT_DOUBLE_EQ(page->Model().Panel().GetUserCoolCap(), 350.0);
    EXPECT_TRUE(page->Btn_Select->isEnabled());
    TypeAndEnter(LeavingEdit(panel.Box_CEvaporator), "1O");
    EXPECT_EQ(LeavingEdit(panel.Box_CEvaporator)->text(), "10.0");
    EXPECT_DOUBLE_EQ(page->Model().Panel().GetCoolLeavingE(), 10.0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(messages.texts.empty());

    // The evaporator takes at most 29 °C; leaving the edit commits it too.
    QLineEdit* pLeaving = LeavingEdit(panel.Box_CEvaporator);
    pLeaving->setFocus();
    pLeaving->selectAll();
    QTest::keyClicks(pLeaving, QStringLiteral("45"));
    panel.Box_CEvaporator->DeltaT()->Edit()->setFocus();
    EXPECT_EQ(pLeaving->text(), "29.0");
    EXPECT_DOUBLE_EQ(page->Model().Panel().GetCoolLeavingE(), 29.0);
    EXPECT_EQ(EnteringText(panel.Box_CEvaporator), QString::fromUtf8("34.0 \u00B0C"));
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.texts, std::vector<std::string>{"45 is outside the range and was taken as 29.0"});
    // The scroll bar follows in tenths.
    EXPECT_EQ(panel.Box_CEvaporator->Leaving()->Bar()->value(), 290);
    panel.Box_CEvaporator->Leaving()->Bar()->setValue(75);
    EXPECT_EQ(pLeaving->text(), "7.5");
    EXPECT_DOUBLE_EQ(page->Model().Panel().GetCoolLeavingE(), 7.5);
}

TEST_F(SettingsPageUi, MakeSelectionAt350kWShowsTheResultsPage) {
    Start();
    EXPECT_EQ(window->PG_ChillerPages->currentIndex(), static_cast<int>(TChillerPage::Settings));
    QTest::keyClicks(page->Frm_TempPanel->Txt_ReqCCap, QStringLiteral("350"));
    ASSERT_TRUE(page->Btn_Select->isEnabled());
    QTest::mouseClick(page->Btn_Select, Qt::LeftButton);
    EXPECT_TRUE(ResultsAvailable());
    EXPECT_EQ(window->PG_ChillerPages->currentIndex(), static_cast<int>(TChillerPage::Results));
    EXPECT_GT(page->Model().ResultGrid().UnitCount(), 0);
    EXPECT_TRUE(messages.texts.empty());
    // Any change of a criterion takes the results away again.
    window->PG_ChillerPages->setCurrentIndex(static_cast<int>(TChillerPage::Settings));
    page->Frm_ApplicationOptions->Box(TFrm_ChApplicationOptions::bxVersionS)->click();
    EXPECT_FALSE(ResultsAvailable());
}

TEST_F(SettingsPageUi, TheBrineFramesFollowTheRow) {
    Start();
    EXPECT_TRUE(page->Frm_EvaporatorBrine->isVisible());
    EXPECT_FALSE(page->Frm_CondenserBrine->isVisible());
    EXPECT_FALSE(page->Frm_EvaporatorBrine->Box_Percentages->isVisible());
    // Below freezing the evaporator needs glycol: the frame shows it.
    TypeAndEnter(LeavingEdit(page->Frm_TempPanel->Box_CEvaporator), "-8");
    EXPECT_TRUE(page->Frm_EvaporatorBrine->Box_Percentages->isVisible());
    EXPECT_GT(page->Frm_EvaporatorBrine->Txt_Brines->currentIndex(), 0);
    EXPECT_GT(page->Frm_EvaporatorBrine->UD_Percent->value(), 0);
    ClickRow(ctWaterCooled, famCoolingOnly);
    EXPECT_TRUE(page->Frm_CondenserBrine->isVisible());
    EXPECT_TRUE(page->Frm_TempPanel->Box_CCondenser->isVisible());
    EXPECT_FALSE(page->Frm_TempPanel->Pnl_CondAmbient->isVisible());
    ClickRow(ctAirCooled, famCondensingUnit);
    EXPECT_FALSE(page->Frm_EvaporatorBrine->isVisible());
    EXPECT_FALSE(page->Frm_TempPanel->Box_CEvaporator->DeltaT()->isVisible());
}

#endif

// Every layout of the page held to the window checks, in both languages.
TEST_F(SettingsPageUi, EveryLayoutPassesTheWindowChecks) {
    struct TLayout {
        const char* szName;
        std::int32_t nCondenser, nFamily;
        bool bHeating;
    };
    const TLayout layouts[] = {{"cooling", ctAirCooled, famCoolingOnly, false},
                               {"heat pump cooling", ctAirCooled, famHeatPump, false},
                               {"heat pump heating", ctAirCooled, famHeatPump, true},
                               {"heat recovery", ctAirCooled, famHeatRecovery, false},
                               {"water cooled", ctWaterCooled, famCoolingOnly, false},
                               {"condensing unit", ctAirCooled, famCondensingUnit, false},
                               {"condenserless", ctCondenserless, famCoolingOnly, false}};
    for (const TLayout& layout : layouts) {
        SCOPED_TRACE(layout.szName);
        Start();
        ClickRow(layout.nCondenser, layout.nFamily);
        if (layout.bHeating) QTest::mouseClick(page->Frm_TempPanel->Rb_SelHeating, Qt::LeftButton);
        // A brine shown, so that its settings are checked too.
        TypeAndEnter(LeavingEdit(page->Frm_TempPanel->Box_CEvaporator), "-5");
        // The layout the clicks asked for, before the checks measure it.
        QCoreApplication::processEvents();
        // The variant letters are those of the model names; °C is the same in Russian.
        testing::ui::ExpectWindowPasses(*window, kRussian, {"S", "X", "P", "L", "R", "C"});
    }
}

}  // namespace
}  // namespace brumalis::ui
