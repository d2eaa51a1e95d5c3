#include <gtest/gtest.h>

#include "catalogue/units.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "workflow/temp_panel.h"
#include "catalogue/unit_classes.h"

namespace brumalis {
namespace {

class TempEntries : public ::testing::Test {
protected:
    void SetUp() override {
        entries.SetupWindow(false, 0, nullptr, [this] { ++changes; });
        entries.InstallLimits(-12, 29, 8, 3);
    }
    void TearDown() override { TU_Form::SetNewIndex(U_Temperature, 0, false); }

    TFrm_ChTempScrollEntries entries;
    int changes = 0;
};

TEST_F(TempEntries, StoredValuesShowWholeDegreesHalvesToEvenWhileTypedValuesKeepTheirTenth) {
    entries.SetTempSettings(5.0, 7.4);
    EXPECT_EQ(entries.Leaving().Text(), "7.0");
    EXPECT_DOUBLE_EQ(entries.GetLeavingWater(), 7.0);
    entries.SetTempSettings(4.5, 6.5);
    EXPECT_EQ(entries.ReadLeavingWater(), 6.0);
    EXPECT_EQ(entries.ReadDeltaT(), 4.0);
    entries.SetTempSettings(5.5, -2.5);
    EXPECT_EQ(entries.ReadLeavingWater(), -2.0);
    EXPECT_EQ(entries.ReadDeltaT(), 6.0);
    EXPECT_EQ(changes, 3);
    entries.SetTempSettings(5.0, 7.5, false);
    EXPECT_EQ(entries.ReadLeavingWater(), 8.0);
    EXPECT_EQ(changes, 3);

    const TTypedEntry typed = entries.Enter(TEntryRow::Leaving, "7,4");
    EXPECT_FALSE(typed.Clamped);
    EXPECT_EQ(typed.Shown, "7.4");
    EXPECT_DOUBLE_EQ(entries.GetLeavingWater(), 7.4);
    EXPECT_EQ(entries.EnteringText(), "12.4");
    EXPECT_EQ(changes, 4);
}

TEST_F(TempEntries, TypedAndScrolledValuesAreClampedToTheRange) {
    TTypedEntry typed = entries.Enter(TEntryRow::Leaving, "35");
    EXPECT_TRUE(typed.Clamped);
    EXPECT_EQ(typed.Typed, 35.0);
    EXPECT_EQ(typed.Value, 29.0);
    EXPECT_EQ(typed.Shown, "29.0");
    typed = entries.Enter(TEntryRow::DeltaT, "not a number");
    EXPECT_TRUE(typed.Clamped);
    EXPECT_EQ(entries.GetDeltaT(), 3.0);
    typed = entries.Enter(TEntryRow::Leaving, "-1e300");
    EXPECT_EQ(typed.Value, -12.0);
    entries.Scroll(TEntryRow::DeltaT, 5000);
    EXPECT_EQ(entries.ReadDeltaT(), 8.0);
    // Limits lying the wrong way round give an empty range, not a crash.
    entries.InstallLimits(10, 5, 8, 3);
    EXPECT_EQ(entries.Leaving().Min(), entries.Leaving().Max());
}

TEST_F(TempEntries, CondenserEntersBelowLeavingAndUnitsChangeKeepsTheValue) {
    TFrm_ChTempScrollEntries condenser;
    condenser.SetupWindow(true, 0, nullptr, nullptr);
    condenser.InstallLimits(12, 55, 8, 3);
    condenser.SetTempSettings(5.0, 45.0);
    EXPECT_EQ(condenser.EnteringText(), "40.0");

    TU_Form::SetNewIndex(U_Temperature, 1, false);  // °F
    condenser.InstallLimits(12, 55, 8, 3);
    EXPECT_EQ(condenser.Leaving().Min(), 536);  // 53.6 °F
    EXPECT_EQ(condenser.Leaving().Max(), 1310);
    EXPECT_EQ(condenser.DeltaT().Min(), 54);  // 3 K as a difference: 5.4 °F
    EXPECT_EQ(condenser.ReadLeavingWater(), 113.0);
    EXPECT_EQ(condenser.ReadDeltaT(), 9.0);
    EXPECT_NEAR(condenser.GetLeavingWater(), 45.0, 1e-9);
    EXPECT_NEAR(condenser.GetDeltaT(), 5.0, 1e-9);
}

class TempPanel : public testing::CatalogueFixture {
protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        limits = New<Cls_ChLimits>();
        Setup(panel, false);
    }
    void TearDown() override {
        TU_Form::SetNewIndex(U_Temperature, 0, false);
        TU_Form::SetNewIndex(U_Power, 0, false);
        limits.reset();  // records go before their factory
        CatalogueFixture::TearDown();
    }
    void Setup(TFrm_ChTempPanel& p, bool bForAnalysis) {
        p.SetupWindow(*limits, bForAnalysis, 0, 0, nullptr, [this] { ++condenserChecks; },
                      [this] { ++evaporatorChecks; }, [this] { ++settingsChecks; });
        p.InstallLimits();
    }

    std::unique_ptr<Cls_ChLimits> limits;
    TFrm_ChTempPanel panel;
    int condenserChecks = 0;
    int evaporatorChecks = 0;
    int settingsChecks = 0;
};

struct TLayoutCase {
    std::int32_t nCondenser;
    std::int32_t nFamily;
    // mode, cooling cap, cooling evaporator, cooling condenser, ambient,
    // heating group, heating cap, heating evaporator, heating condenser, winter
    bool expected[10];
};

TEST_F(TempPanel, LayoutFollowsCondenserTypeAndFamily) {
    const TLayoutCase cases[] = {
        {ctAirCooled, famCoolingOnly, {false, true, true, false, true, false, false, false, false, false}},
        {ctWaterCooled, famCoolingOnly, {false, true, true, true, false, false, false, false, false, false}},
        {ctCondenserless, famCondensingUnit, {false, true, true, false, true, false, false, false, false, false}},
        {ctAirCooled, famHeatingOnly, {false, false, false, false, false, true, true, true, false, true}},
        {ctWaterCooled, famHeatingOnly, {false, false, false, false, false, true, true, true, true, false}},
        {ctAirCooled, famHeatPump, {true, true, true, false, true, true, false, false, true, true}},
        {ctAirCooled, famHeatRecovery, {false, true, true, false, true, true, false, false, true, false}},
    };
    for (const TLayoutCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "condenser " << c.nCondenser << ", family " << c.nFamily);
        panel.ShowCapacityBoxes(c.nCondenser, c.nFamily);
        const TSideSettings cool = panel.GetCoolSettings();
        const TSideSettings heat = panel.GetHeatSettings();
        const bool actual[10] = {panel.Layout().ModeSelect, cool.Capacity,  cool.Evaporator, cool.Condenser,
                                 cool.Ambient,              panel.Layout().HeatingGroup,   heat.Capacity,
                                 heat.Evaporator,           heat.Condenser, heat.Ambient};
        for (int n = 0; n < 10; ++n) EXPECT_EQ(actual[n], c.expected[n]) << "flag " << n;
    }
    EXPECT_EQ(settingsChecks, 7);
}

TEST_F(TempPanel, CondensingUnitsShowSuctionDewPointAndTheCondensingRange) {
    panel.ShowCapacityBoxes(ctCondenserless, famCondensingUnit);
    TFrm_ChTempScrollEntries& evaporator = panel.Box_CEvaporator();
    EXPECT_FALSE(evaporator.HasDeltaT());
    EXPECT_FALSE(evaporator.ShowsEntering());
    EXPECT_TRUE(evaporator.ShowsConditionMsg());
    EXPECT_EQ(evaporator.LeavingCaption(), "Suction dew point");
    EXPECT_EQ(panel.GetCoolAmbientTitle(), "Condensing");
    EXPECT_EQ(panel.Scrl_CondAmbient().Min(), 250);
    EXPECT_EQ(panel.Scrl_CondAmbient().Max(), 600);

    panel.ShowCapacityBoxes(ctAirCooled, famCoolingOnly);
    EXPECT_TRUE(evaporator.HasDeltaT());
    EXPECT_FALSE(evaporator.ShowsConditionMsg());
    EXPECT_EQ(evaporator.LeavingCaption(), TFrm_ChTempScrollEntries::kLeavingCaption);
    EXPECT_EQ(panel.GetCoolAmbientTitle(), "Ambient summer");
    EXPECT_EQ(panel.Scrl_CondAmbient().Max(), 450);
}

TEST_F(TempPanel, HeatPumpModeSwitchMovesTheCapacityBoxAndTheHeatingCondenserLimits) {
    panel.ShowCapacityBoxes(ctAirCooled, famHeatPump);
    TFrm_ChTempScrollEntries& condenser = panel.Box_HCondenser();
    EXPECT_TRUE(panel.HasUserCoolCap());
    EXPECT_FALSE(panel.HasUserHeatCap());
    EXPECT_FALSE(condenser.HasDeltaT());
    EXPECT_TRUE(panel.Box_CEvaporator().HasDeltaT());
    EXPECT_EQ(condenser.Leaving().Max(), 550);  // condenser range in cooling

    const int nChecks = settingsChecks;
    panel.SetSelCooling(false);
    EXPECT_EQ(settingsChecks, nChecks + 1);
    EXPECT_FALSE(panel.HasUserCoolCap());
    EXPECT_TRUE(panel.HasUserHeatCap());
    EXPECT_TRUE(condenser.HasDeltaT());
    EXPECT_TRUE(condenser.ShowsEntering());
    EXPECT_FALSE(panel.Box_CEvaporator().HasDeltaT());
    EXPECT_EQ(condenser.Leaving().Min(), 270);  // heated-water range
    EXPECT_EQ(condenser.Leaving().Max(), 500);
    EXPECT_EQ(panel.EnterValue(TPanelEntry::HeatLeavingC, "55").Value, 50.0);
}

TEST_F(TempPanel, HeatRecoveryCondenserTakes45To60AndDeltaT5To10EvenAfterAUnitChange) {
    panel.ShowCapacityBoxes(ctAirCooled, famHeatRecovery);
    EXPECT_EQ(panel.Layout().HeatingCaption, "Heat recovery");
    EXPECT_FALSE(panel.HasWinter());
    TTypedEntry typed = panel.EnterValue(TPanelEntry::HeatLeavingC, "62");
    EXPECT_TRUE(typed.Clamped);
    EXPECT_EQ(typed.Value, 60.0);
    EXPECT_EQ(panel.EnterValue(TPanelEntry::HeatLeavingC, "44").Value, 45.0);
    EXPECT_EQ(panel.EnterValue(TPanelEntry::HeatDeltaTC, "4").Value, 5.0);
    EXPECT_EQ(panel.EnterValue(TPanelEntry::HeatDeltaTC, "12").Value, 10.0);
    panel.EnterValue(TPanelEntry::HeatLeavingC, "58");
    EXPECT_GT(condenserChecks, 0);

    TU_Form::SetNewIndex(U_Temperature, 1, false);
    panel.InstallLimits();
    EXPECT_EQ(panel.Box_HCondenser().Leaving().Max(), 1400);  // 60 °C, not the plain 55 °C
    EXPECT_NEAR(panel.GetHeatLeavingC(), 58.0, 1e-9);
    EXPECT_EQ(panel.TemperatureUnitCaption(), TU_Form::GetSpecificString(U_Temperature, 1));
}

TEST_F(TempPanel, AnalysisPanelHasNoCapacityBoxesAndWideAmbientRanges) {
    TFrm_ChTempPanel analysis;
    Setup(analysis, true);
    analysis.ShowCapacityBoxes(ctAirCooled, famHeatPump);
    EXPECT_FALSE(analysis.HasUserCoolCap());
    EXPECT_FALSE(analysis.HasUserHeatCap());
    EXPECT_EQ(analysis.Scrl_CondAmbient().Min(), -200);
    EXPECT_EQ(analysis.Scrl_Winter().Max(), 500);
    analysis.EnterValue(TPanelEntry::CoolCapacity, "100");
    EXPECT_EQ(analysis.GetUserCoolCap(), 0.0);
    EXPECT_FALSE(analysis.EnableSelection());
}

TEST_F(TempPanel, CapacitiesAreReadFromVisibleBoxesInTheDisplayPowerUnit) {
    panel.ShowCapacityBoxes(ctAirCooled, famCoolingOnly);
    EXPECT_FALSE(panel.EnableSelection());
    const TTypedEntry typed = panel.EnterValue(TPanelEntry::CoolCapacity, "35O");
    EXPECT_EQ(typed.Shown, "350");
    EXPECT_FALSE(typed.Clamped);
    EXPECT_TRUE(panel.EnableSelection());
    panel.EnterValue(TPanelEntry::HeatCapacity, "500");
    EXPECT_EQ(panel.GetUserCoolCap(), 350.0);
    EXPECT_EQ(panel.GetUserHeatCap(), 0.0);  // its box is hidden
    EXPECT_EQ(panel.GetUserCapacity(), 350.0);

    TU_Form::SetNewIndex(U_Power, 1, false);  // kcal/h
    panel.InstallLimits();
    EXPECT_EQ(panel.Txt_ReqCCap(), "301147");
    EXPECT_NEAR(panel.GetUserCoolCap(), 350.0, 0.001);
    EXPECT_EQ(panel.CapacityUnitCaption(), "kcal/h");
    panel.EnterValue(TPanelEntry::CoolCapacity, "");
    EXPECT_FALSE(panel.EnableSelection());
}

TEST_F(TempPanel, TemperatureRecordRoundTripsWithoutCallbacksAndRestoresTheMode) {
    panel.ShowCapacityBoxes(ctAirCooled, famHeatPump);
    TSelTempData data;
    data.SelectCooling = false;
    data.CoolLeavingE = 7.4;
    data.CoolDeltaTE = 5.0;
    data.CoolLeavingC = 35.0;
    data.CoolDeltaTC = 5.0;
    data.Summer = 32.5;
    data.HeatLeavingE = 10.0;
    data.HeatDeltaTE = 4.0;
    data.HeatLeavingC = 48.0;  // fits only the heated-water range of heating mode
    data.HeatDeltaTC = 6.0;
    data.Winter = -2.5;
    const int nCalls = settingsChecks + condenserChecks + evaporatorChecks;
    panel.SetTempData(data);
    EXPECT_EQ(settingsChecks + condenserChecks + evaporatorChecks, nCalls);
    EXPECT_TRUE(panel.HasUserHeatCap());

    const TSelTempData read = panel.GetTempData();
    EXPECT_FALSE(read.SelectCooling);
    EXPECT_EQ(read.CoolLeavingE, 7.0);
    EXPECT_EQ(read.Summer, 32.0);
    EXPECT_EQ(read.Winter, -2.0);
    EXPECT_EQ(read.HeatLeavingC, 48.0);
    EXPECT_EQ(read.HeatDeltaTC, 6.0);
    EXPECT_EQ(read.HeatLeavingE, 10.0);
    EXPECT_EQ(read.HRLeaving, 45.0);
    EXPECT_EQ(read.HRDeltaT, 5.0);

    panel.EnterValue(TPanelEntry::Winter, "-30");
    EXPECT_EQ(panel.GetWinter(), -10.0);
    EXPECT_EQ(condenserChecks, 1);
    EXPECT_EQ(evaporatorChecks, 1);
}

TEST_F(TempPanel, CopySettingsTakesTheVisibleValuesAndTheMode) {
    panel.ShowCapacityBoxes(ctAirCooled, famHeatPump);
    panel.SetSelCooling(false);
    panel.EnterValue(TPanelEntry::HeatCapacity, "120");
    panel.EnterValue(TPanelEntry::HeatLeavingC, "49.5");
    panel.EnterValue(TPanelEntry::Ambient, "20");
    panel.EnterValue(TPanelEntry::Winter, "-7.5");

    TFrm_ChTempPanel analysis;
    Setup(analysis, true);
    analysis.ShowCapacityBoxes(ctAirCooled, famHeatPump);
    const int nChecks = settingsChecks;
    analysis.CopySettings(panel);
    EXPECT_EQ(settingsChecks, nChecks + 1);
    EXPECT_FALSE(analysis.GetSelCooling());
    EXPECT_TRUE(analysis.Box_HCondenser().HasDeltaT());
    EXPECT_EQ(analysis.GetHeatLeavingC(), 49.5);
    EXPECT_EQ(analysis.GetSummerCondens(), 20.0);
    EXPECT_EQ(analysis.GetWinter(), -7.5);
    EXPECT_EQ(analysis.GetUserHeatCap(), 0.0);  // no capacity boxes on the analysis panel
}

}  // namespace
}  // namespace brumalis
