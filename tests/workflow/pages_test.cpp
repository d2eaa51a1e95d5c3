#include <cmath>

#include "catalogue/records.h"
#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "shipped_workflow_fixture.h"
#include "workflow/analysis_page.h"
#include "workflow/preferences.h"
#include "workflow/settings_page.h"

namespace brumalis::testing {
namespace {

class SettingsGlue : public ShippedWorkflow {
protected:
    TSettingsPage& Page(std::int32_t nCondenser = ctAirCooled, std::int32_t nFamily = famCoolingOnly) {
        page = std::make_unique<TSettingsPage>(Started());
        page->SetupWindow();
        page->AddResultsInvalidatedListener([this] { ++invalidations; });
        page->SelectCriteria(nCondenser, nFamily, 0, 0);
        return *page;
    }
    TTypedEntry Type(TPanelEntry entry, const char* szText) {
        const TEntryReport report = page->Panel().TypeValue(entry, szText);
        EXPECT_TRUE(report.Shown);
        return report.Result;
    }
    void ExpectClamp(TPanelEntry entry, const char* szAtBound, const char* szPast, const char* szBound) {
        const TTypedEntry at = Type(entry, szAtBound);
        EXPECT_FALSE(at.Clamped) << szAtBound;
        EXPECT_EQ(at.Shown, szBound);
        const TTypedEntry past = Type(entry, szPast);
        EXPECT_TRUE(past.Clamped) << szPast;
        EXPECT_EQ(past.Shown, szBound) << szPast;
    }

    std::unique_ptr<TSettingsPage> page;
    int invalidations = 0;
};

// The limits record's ranges: evaporator -12 … 29 °C, condenser up to 55 °C,
// winter from -10 °C.
TEST_F(SettingsGlue, EveryEntryIsClampedToTheLimitsRangesWithItsReport) {
    Page(ctWaterCooled, famCoolingOnly);
    ExpectClamp(TPanelEntry::CoolLeavingE, "29", "30.5", "29.0");
    ExpectClamp(TPanelEntry::CoolLeavingE, "-12", "-13", "-12.0");
    ExpectClamp(TPanelEntry::CoolLeavingC, "55", "57.5", "55.0");
    EXPECT_NEAR(page->Panel().GetCoolLeavingC(), 55.0, 1e-9);

    Page(ctAirCooled, famHeatPump);
    ExpectClamp(TPanelEntry::Winter, "-10", "-12.3", "-10.0");
    EXPECT_NEAR(page->Panel().GetWinter(), -10.0, 1e-9);
}

TEST_F(SettingsGlue, ANegativeCapacityIsRefusedAndKeepsTheRequirement) {
    Page();
    Type(TPanelEntry::CoolCapacity, "350");
    const TTypedEntry refused = Type(TPanelEntry::CoolCapacity, "-350");
    EXPECT_TRUE(refused.Refused);
    EXPECT_NEAR(page->Panel().GetUserCoolCap(), 350.0, 1e-9);
    EXPECT_TRUE(page->MakeSelectionEnabled());
    // What the refusal protects: a bounded window, so far units are rejected.
    page->MakeSelection(false);
    EXPECT_FALSE(page->Session().v_NonSelected.empty());
    EXPECT_LT(page->Session().v_CoolBand.Max, 1000.0);
}

TEST_F(SettingsGlue, ResetDefaultsLoadsTheLimitsDefaultsForTheRow) {
    Page(ctWaterCooled, famCoolingOnly);
    Type(TPanelEntry::CoolLeavingE, "10");
    Type(TPanelEntry::CoolLeavingC, "40");
    page->MakeSelection(true);  // stores 10 °C and 40 °C
    EXPECT_NEAR(TFrm_Preferences::Values().COOL_LWE, 10.0, 1e-9);
    page->ResetDefaults();
    const Cls_ChLimits& limits = *page->Session().v_Limits;
    EXPECT_NEAR(page->Panel().GetCoolLeavingE(), limits.GetECLW(), 1e-9);
    EXPECT_NEAR(page->Panel().GetCoolLeavingC(), limits.GetCWCLW(), 1e-9);
    EXPECT_FALSE(page->ResultsAvailable());
}

TEST_F(SettingsGlue, TheBrineChecksFollowTheRowAndTheLeavingWater) {
    Page();
    EXPECT_TRUE(page->EvaporatorBrineShown());
    EXPECT_FALSE(page->CondenserBrineShown());
    EXPECT_EQ(page->EvaporatorBrine().GetBrine(), nullptr);
    // Below freezing the evaporator needs glycol: the brine in force is taken.
    Type(TPanelEntry::CoolLeavingE, "-8");
    ASSERT_NE(page->EvaporatorBrine().GetBrine(), nullptr);
    EXPECT_GT(page->EvaporatorBrine().GetPercentage(), 0.0);
    // A condensing unit has no water evaporator: its brine is reset.
    page->SelectCriteria(ctAirCooled, famCondensingUnit, 0, 0);
    EXPECT_FALSE(page->EvaporatorBrineShown());
    EXPECT_EQ(page->EvaporatorBrine().GetBrine(), nullptr);
    EXPECT_EQ(page->EvaporatorBrine().GetPercentage(), 0.0);
    page->SelectCriteria(ctWaterCooled, famCoolingOnly, 0, 0);
    EXPECT_TRUE(page->CondenserBrineShown());
}

TEST_F(SettingsGlue, APercentageWithoutABrineUsesTheBrineInForce) {
    Page();
    Type(TPanelEntry::CoolLeavingE, "2");
    Cls_ChGlycol* pInForce = page->EvaporatorBrine().BrineInForce();
    ASSERT_NE(pInForce, nullptr);
    ForceBrinePercentage(page->EvaporatorBrine(), "25");
    EXPECT_EQ(page->EvaporatorBrine().GetBrine(), pInForce);
    EXPECT_TRUE(page->EvaporatorBrine().ChangeWeight());
    EXPECT_EQ(page->EvaporatorBrine().GetPercentage(), 25.0);
    // And the controllers' corrections of data set 1 use it.
    const TControllerDataSet set = page->Session().v_Controllers.front()->GetCorrections(TMainSession::kSelectionSeqNr);
    EXPECT_EQ(set.BrineUsedPercent, 25.0);
    EXPECT_EQ(set.Brine, pInForce);
}

TEST_F(SettingsGlue, EveryChangeOfACriterionInvalidatesTheResults) {
    Page();
    Type(TPanelEntry::CoolCapacity, "350");
    const auto run = [this] {
        page->MakeSelection(false);
        ASSERT_TRUE(page->ResultsAvailable());
        ASSERT_GT(page->ResultGrid().UnitCount(), 0);
        invalidations = 0;
    };
    const auto expectInvalidated = [this](const char* szWhat) {
        EXPECT_FALSE(page->ResultsAvailable()) << szWhat;
        EXPECT_EQ(page->ResultGrid().UnitCount(), 0) << szWhat;
        EXPECT_TRUE(page->Session().v_Results.empty()) << szWhat;
        EXPECT_GT(invalidations, 0) << szWhat;
    };
    run();
    Type(TPanelEntry::CoolLeavingE, "8");
    expectInvalidated("leaving water");
    run();
    Type(TPanelEntry::CoolCapacity, "300");
    expectInvalidated("capacity");
    run();
    page->EvaporatorBrine().SelectBrine(page->Session().v_Glycols.front().get());
    expectInvalidated("brine");
    run();
    page->SetApplicationOption(TFrm_ChApplicationOptions::bxSoundL, false);
    expectInvalidated("application option");
    run();
    page->SelectRow(page->List().SelectedRow());
    expectInvalidated("row");
}

TEST_F(SettingsGlue, MakeSelectionStoresTheRunAndFillsTheGrid) {
    Page(ctWaterCooled, famCoolingOnly);
    Type(TPanelEntry::CoolCapacity, "500");
    Type(TPanelEntry::CoolLeavingC, "32");
    const int nBest = page->MakeSelection(true, 2);
    ASSERT_GE(nBest, 0);
    EXPECT_LE(page->ResultGrid().UnitCount(), 2);
    EXPECT_EQ(page->ResultGrid().GetCurrentPosition(), nBest);
    const TPreferences& prefs = TFrm_Preferences::Values();
    EXPECT_EQ(prefs.CONDENSER, ctWaterCooled);
    EXPECT_NEAR(prefs.COOL_WLWC, 32.0, 1e-9);
    EXPECT_TRUE(platform::Registry().CurrentUser().ReadValue("Software\\Orvane\\Brumalis\\Preferences", "CONDENSER"));
}

TEST_F(SettingsGlue, CapacityRangesAreWorkedOutWhenAskedForInTheCurrentPowerUnit) {
    Page();
    const int nRow = page->List().SelectedRow();
    ASSERT_GE(nRow, 0);
    EXPECT_EQ(page->List().Rows()[static_cast<std::size_t>(nRow)].Compressor, TFrm_ChSelection::kAllRowText);
    const TFrm_ChSelection::TCapacityTexts kw = page->List().CapacityRange(nRow);
    EXPECT_EQ(kw.From, "5.0 kW");
    EXPECT_EQ(kw.To, "1600.8 kW");
    int nBtu = -1;
    for (int i = 0; i < TU_Form::DimensionCount(U_Power); ++i) {
        if (TU_Form::GetSpecificString(U_Power, i) == "BTU/h") nBtu = i;
    }
    ASSERT_GE(nBtu, 0);
    TU_Form::SetNewIndex(U_Power, nBtu, false);
    const TFrm_ChSelection::TCapacityTexts btu = page->List().CapacityRange(nRow);
    TU_Form::SetNewIndex(U_Power, 0, false);
    EXPECT_NE(btu.From.find("BTU/h"), std::string::npos) << btu.From;
    EXPECT_TRUE(page->List().CapacityRange(-1).From.empty());
}

// The current length unit changed by its caption ("ft") for a scope; the
// first unit (m) again at its end.
class TLengthUnitChange {
public:
    explicit TLengthUnitChange(const char* szCaption) {
        for (int i = 0; i < TU_Form::DimensionCount(U_Length); ++i) {
            if (TU_Form::GetSpecificString(U_Length, i) == szCaption) TU_Form::SetNewIndex(U_Length, i, false);
        }
        EXPECT_EQ(TU_Form::GetCurrentString(U_Length), szCaption);
    }
    ~TLengthUnitChange() { TU_Form::SetNewIndex(U_Length, 0, false); }
    TLengthUnitChange(const TLengthUnitChange&) = delete;
    TLengthUnitChange& operator=(const TLengthUnitChange&) = delete;
};

class AnalysisModel : public SettingsGlue {
protected:
    TAnalysisPage& Analysis() {
        if (!page) Page();
        analysis = std::make_unique<TAnalysisPage>(page->Session(), *page);
        analysis->SetupWindow();
        return *analysis;
    }
    double CoolCapacity() { return analysis->Unit()->GetChillerData(TMainSession::kAnalysisSeqNr).CoolData.Cap; }
    // The titles of the grid's sound pressure rows.
    std::vector<std::string> SoundRows() const {
        std::vector<std::string> titles;
        for (int r = 0; r < analysis->Grid().RowCount(); ++r) {
            const TFrm_ChResultGrid::TRow& row = analysis->Grid().Row(r);
            if (row.kind == TFrm_ChResultGrid::rkSoundPressure) titles.push_back(row.title);
        }
        return titles;
    }

    std::unique_ptr<TAnalysisPage> analysis;
};

TEST_F(AnalysisModel, OnSelectedResultTakesTheResultWithTheSettingsConditions) {
    Page();
    TAnalysisPage& an = Analysis();
    EXPECT_FALSE(an.OnSelectedResultEnabled());
    EXPECT_FALSE(an.StartOnSelectedResult());
    Type(TPanelEntry::CoolCapacity, "350");
    Type(TPanelEntry::CoolLeavingE, "6");
    page->MakeSelection(false);
    ASSERT_TRUE(an.OnSelectedResultEnabled());
    std::int32_t nSeqNr = 0;
    Cls_ChOutdoorUnit* pCurrent = page->ResultGrid().GetCurrentChiller(nSeqNr);
    const double dResultCapacity = pCurrent->GetChillerData(TMainSession::kSelectionSeqNr).CoolData.Cap;
    ASSERT_TRUE(an.StartOnSelectedResult());
    EXPECT_EQ(an.Unit(), pCurrent);
    EXPECT_TRUE(an.AnalyzeSolution());
    EXPECT_EQ(an.Title(), "Analyzing solution chiller(s)");
    EXPECT_EQ(an.Distance(), 5.0);
    EXPECT_NEAR(an.Panel().GetCoolLeavingE(), 6.0, 1e-9);
    EXPECT_EQ(an.Grid().UnitCount(), 1);
    // Same unit, same conditions: the analysis reproduces the run.
    EXPECT_NEAR(CoolCapacity(), dResultCapacity, 1e-9 * dResultCapacity);
    EXPECT_EQ(an.Light(), 0);
    EXPECT_EQ(an.LightText(), "Within capacity table and within operation range.");
}

TEST_F(AnalysisModel, AnalysisOfAResultClosesOnInvalidationAUserDefinedOneSurvives) {
    Page();
    TAnalysisPage& an = Analysis();
    Type(TPanelEntry::CoolCapacity, "350");
    page->MakeSelection(false);
    ASSERT_TRUE(an.StartOnSelectedResult());
    Type(TPanelEntry::CoolLeavingE, "8");  // on the Settings page
    EXPECT_FALSE(an.Active());
    EXPECT_EQ(an.Grid().UnitCount(), 0);
    EXPECT_TRUE(an.Title().empty());
    EXPECT_EQ(an.Light(), -1);
    EXPECT_FALSE(an.OnSelectedResultEnabled());

    EXPECT_FALSE(an.OnUserDefinedEnabled());
    an.ChooseUnit(Unit(page->Session(), "ACW 350"));
    ASSERT_TRUE(an.OnUserDefinedEnabled());
    ASSERT_TRUE(an.StartOnUserDefined());
    EXPECT_FALSE(an.AnalyzeSolution());
    EXPECT_EQ(an.Title(), "Analyzing a selected chiller");
    Type(TPanelEntry::CoolLeavingE, "9");
    EXPECT_TRUE(an.Active());
    EXPECT_EQ(an.Grid().UnitCount(), 1);
}

// The window's own listener and the Analysis page's are both told; a
// listener removed (the analysis gone) is not.
TEST_F(AnalysisModel, EveryResultsListenerIsToldAndARemovedOneIsNot) {
    Page();
    int nOther = 0;
    const int nOtherKey = page->AddResultsInvalidatedListener([&nOther] { ++nOther; });
    TAnalysisPage& an = Analysis();
    Type(TPanelEntry::CoolCapacity, "350");
    page->MakeSelection(false);
    ASSERT_TRUE(an.StartOnSelectedResult());
    invalidations = nOther = 0;
    Type(TPanelEntry::CoolLeavingE, "8");
    EXPECT_GT(invalidations, 0);
    EXPECT_EQ(nOther, invalidations);
    EXPECT_FALSE(an.Active()) << "the analysis of a result closed";

    page->RemoveResultsInvalidatedListener(nOtherKey);
    analysis.reset();  // removes its own listener: a call now would reach a freed page
    invalidations = nOther = 0;
    Type(TPanelEntry::CoolLeavingE, "9");
    EXPECT_GT(invalidations, 0) << "the first listener stays";
    EXPECT_EQ(nOther, 0);
}

// Straight after the start a chosen unit is analysed at the stored
// conditions, not at the entries' bare defaults.
TEST_F(AnalysisModel, AUserDefinedAnalysisStartsFromTheStoredTemperatures) {
    TAnalysisPage& an = Analysis();
    const TPreferences& prefs = TFrm_Preferences::Values();
    an.ChooseUnit(Unit(page->Session(), "ACW 350"));
    ASSERT_TRUE(an.StartOnUserDefined());
    EXPECT_NEAR(an.Temperatures().CoolLeavingE, prefs.COOL_LWE, 1e-9);
    EXPECT_NEAR(an.Temperatures().Summer, prefs.SUMMER, 1e-9);
    EXPECT_EQ(an.Light(), 0);
}

TEST_F(AnalysisModel, TheChooserChoosesTheUnitUntilThePreferencesGiveItTheUnitsAnew) {
    TAnalysisPage& an = Analysis();
    EXPECT_FALSE(an.OnUserDefinedEnabled());
    Cls_ChOutdoorUnit* pUnit = Unit(page->Session(), "ACW 350");
    an.Chooser().SelectChiller(*pUnit);
    EXPECT_EQ(an.ChosenUnit(), pUnit);
    ASSERT_TRUE(an.StartOnUserDefined());
    an.Chooser().ChooseChiller(-1);
    EXPECT_FALSE(an.OnUserDefinedEnabled());
    an.Chooser().SelectChiller(*pUnit);
    an.PreferencesAccepted();
    EXPECT_EQ(an.Chooser().CondenserLine(), -1);
    EXPECT_EQ(an.ChosenUnit(), nullptr);
    EXPECT_TRUE(an.Active()) << "the analysis goes on";
    EXPECT_EQ(an.Grid().UnitCount(), 1);
}

// 1 … 20 m is 3 … 66 ft; the distance stays when the unit changes and is
// typed in the unit shown.
TEST_F(AnalysisModel, TheDistanceIsShownAndTypedInTheLengthUnit) {
    TAnalysisPage& an = Analysis();
    an.ChooseUnit(Unit(page->Session(), "ACW 350"));
    an.StartOnUserDefined();
    an.EnterDistance("10");
    const std::vector<std::string> inMetres = SoundRows();
    ASSERT_EQ(inMetres.size(), 1U);
    EXPECT_NE(inMetres[0].find("10 m"), std::string::npos) << inMetres[0];
    // Feet until the end of the test, whatever fails on the way.
    const TLengthUnitChange feet("ft");
    an.PreferencesAccepted();
    EXPECT_EQ(an.Distance(), 10.0);
    const std::vector<std::string> inFeet = SoundRows();
    ASSERT_EQ(inFeet.size(), 1U);
    EXPECT_NE(inFeet[0].find("33 ft"), std::string::npos) << inFeet[0];
    EXPECT_EQ(an.ShownDistance(), 33);
    EXPECT_EQ(TAnalysisPage::DistanceRange().Min, 3);
    EXPECT_EQ(TAnalysisPage::DistanceRange().Max, 66);
    EXPECT_EQ(TAnalysisPage::DistanceUnitCaption(), "ft");
    const TTypedEntry entry = an.EnterDistance("50");
    EXPECT_FALSE(entry.Clamped);
    EXPECT_NEAR(an.Distance(), 15.24, 1e-9);
    EXPECT_EQ(entry.Shown, "50");
    EXPECT_TRUE(an.EnterDistance("2").Clamped);
    EXPECT_EQ(an.Distance(), 1.0);
    EXPECT_EQ(an.ShownDistance(), 3);
}

TEST_F(AnalysisModel, EveryChangeRecomputesAndTheLightFollows) {
    TAnalysisPage& an = Analysis();
    an.ChooseUnit(Unit(page->Session(), "ACW 350"));
    an.StartOnUserDefined();
    const auto type = [&an](TPanelEntry entry, const char* szText) { an.Panel().TypeValue(entry, szText); };
    type(TPanelEntry::CoolLeavingE, "7");
    type(TPanelEntry::Ambient, "35");
    const double dAt7 = CoolCapacity();
    type(TPanelEntry::CoolLeavingE, "10");
    EXPECT_GT(CoolCapacity(), dAt7);
    EXPECT_EQ(an.Light(), 0);
    type(TPanelEntry::CoolLeavingE, "-10");
    type(TPanelEntry::Ambient, "44");
    EXPECT_EQ(an.Light(), 1);
    EXPECT_EQ(an.LightText(), "Outside capacity table, but within operation range.");
    // The analysis panel's ambient reaches 50 °C, past the unit's range.
    type(TPanelEntry::Ambient, "50");
    EXPECT_EQ(an.Light(), 2);
    EXPECT_EQ(an.LightText(), "Outside capacity table and outside operation range.");
    // The distance moves the one sound-pressure row.
    an.EnterDistance("10");
    EXPECT_EQ(an.Unit()->GetChillerData(TMainSession::kAnalysisSeqNr).SoundDistances[0], 10.0);
    EXPECT_TRUE(an.EnterDistance("30").Clamped);
    EXPECT_EQ(an.Distance(), 20.0);
}

TEST_F(AnalysisModel, OptionCombosShowOnlyWithItemsAndATickChoosesTheFirst) {
    TAnalysisPage& an = Analysis();
    an.ChooseUnit(Unit(page->Session(), "ACR 005"));
    an.StartOnUserDefined();
    EXPECT_FALSE(an.Combo(TAnalysisOption::HeatRecovery).Visible);
    an.TickOption(TAnalysisOption::HeatRecovery, true);
    EXPECT_FALSE(an.RecoveryEntriesShown());

    an.ChooseUnit(Unit(page->Session(), "ACW 350"));
    an.StartOnUserDefined();
    const TAnalysisCombo& pump = an.Combo(TAnalysisOption::Pump);
    ASSERT_TRUE(pump.Visible);
    EXPECT_FALSE(pump.Ticked);
    EXPECT_FALSE(pump.Enabled);
    EXPECT_EQ(pump.Chosen(), nullptr);
    EXPECT_TRUE(an.PumpESPText().empty());
    an.TickOption(TAnalysisOption::Pump, true);
    EXPECT_TRUE(pump.Enabled);
    EXPECT_EQ(pump.Selected, 0);
    EXPECT_TRUE(an.PumpPanelShown());
    const std::string firstESP = an.PumpESPText();
    EXPECT_FALSE(firstESP.empty());
    ASSERT_GT(pump.Items.size(), 1U);
    an.ChooseOption(TAnalysisOption::Pump, 1);
    EXPECT_NE(an.PumpESPText(), firstESP);
    an.TickOption(TAnalysisOption::Pump, false);
    EXPECT_EQ(pump.Chosen(), nullptr);
    EXPECT_TRUE(an.PumpESPText().empty());

    // A recovery choice installs its leaving-water range on the recovery entries.
    ASSERT_TRUE(an.Combo(TAnalysisOption::HeatRecovery).Visible);
    an.TickOption(TAnalysisOption::HeatRecovery, true);
    EXPECT_TRUE(an.RecoveryEntriesShown());
    double dMin = 0.0, dMax = 0.0;
    an.Combo(TAnalysisOption::HeatRecovery).Chosen()->GetHRMinMax(*page->Session().v_Limits, dMin, dMax);
    EXPECT_EQ(an.RecoveryEntries().Leaving().Min(), static_cast<int>(std::trunc(dMin)) * 10);
    EXPECT_EQ(an.RecoveryEntries().Leaving().Max(), static_cast<int>(std::trunc(dMax)) * 10);
    EXPECT_GT(an.Unit()->GetChillerData(TMainSession::kAnalysisSeqNr).HRData.HR, 0.0);
}

TEST_F(AnalysisModel, BrinePanelsFollowTheUnitAndAHiddenOneHasNoBrine) {
    TAnalysisPage& an = Analysis();
    an.ChooseUnit(Unit(page->Session(), "ACW 350"));
    an.StartOnUserDefined();
    an.Panel().TypeValue(TPanelEntry::CoolLeavingE, "-8");
    ASSERT_NE(an.EvaporatorBrine().GetBrine(), nullptr);
    EXPECT_TRUE(an.EvaporatorBrineShown());
    EXPECT_FALSE(an.CondenserBrineShown());
    an.ChooseUnit(Unit(page->Session(), "CUT 089"));
    an.StartOnUserDefined();
    EXPECT_FALSE(an.EvaporatorBrineShown());
    EXPECT_EQ(an.EvaporatorBrine().GetBrine(), nullptr);
}

}  // namespace
}  // namespace brumalis::testing
