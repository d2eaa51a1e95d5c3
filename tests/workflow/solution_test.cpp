#include <gtest/gtest.h>

#include <cmath>

#include "tests/catalogue/unit_builder.h"
#include "workflow/solution.h"

namespace brumalis {
namespace {

class SolutionTest : public testing::UnitFixture {
protected:
    void TearDown() override {
        units.clear();
        UnitFixture::TearDown();
    }
    Cls_ChOutdoorUnit* Unit() {
        units.push_back(NewUnit());
        return units.back().get();
    }
    // A computed result: capacity, power input, flow and pressure drop, sound.
    static TChillerData Result(double dCap, double dPI, double dWFR, double dPD, double dSound) {
        TChillerData d = GetInitChillerData();
        d.CoolData.Cap = dCap;
        d.CoolData.PI = dPI;
        d.CoolData.EERCOP = dCap / dPI;
        d.CoolData.CapNoGlycol = dCap * 1.01;
        d.Evaporator.WFR = dWFR;
        d.Evaporator.WFRNoGlycol = dWFR * 0.99;
        d.Evaporator.PD = dPD;
        d.Evaporator.DeltaT = 5.0;
        d.SoundPower = dSound;
        d.SoundDistances = Cls_ChOutdoorUnit::GetInitSoundDistances();
        d.SoundPressures = {dSound - 8.0, dSound - 20.0, dSound - 26.0};
        d.ESEER = 4.1;
        d.TempSelData.CoolLeavingE = 7.0;
        return d;
    }

    CTRecordList<Cls_ChOutdoorUnit> units;
};

TEST_F(SolutionTest, APlantAddsCapacitiesFlowsAndSoundEnergiesAndTakesTheLargestPressureDrop) {
    Cls_ChOutdoorUnit* a = Unit();
    Cls_ChOutdoorUnit* b = Unit();
    a->SetChillerData(40000, Result(100.0, 40.0, 300.0, 30.0, 80.0));
    b->SetChillerData(40001, Result(60.0, 20.0, 180.0, 45.0, 80.0));
    TSolution plant(40000, 0.0, 200.0, {a, b});
    const TChillerData t = plant.GetDataSet();
    EXPECT_DOUBLE_EQ(t.CoolData.Cap, 160.0);
    EXPECT_DOUBLE_EQ(t.CoolData.PI, 60.0);
    EXPECT_DOUBLE_EQ(t.CoolData.EERCOP, 160.0 / 60.0);
    EXPECT_DOUBLE_EQ(t.Evaporator.WFR, 480.0);
    EXPECT_DOUBLE_EQ(t.Evaporator.PD, 45.0);
    EXPECT_NEAR(t.SoundPower, 83.0103, 1e-4);
    EXPECT_NEAR(t.SoundPressures[0], 75.0103, 1e-4);
    EXPECT_DOUBLE_EQ(t.CoolData.Deviation, -20.0);
    EXPECT_DOUBLE_EQ(t.HeatData.Deviation, kNoDeviation);  // no heating requirement
    EXPECT_DOUBLE_EQ(t.TempSelData.CoolLeavingE, 7.0);
    // Not totalled: they keep the initial values.
    EXPECT_EQ(t.CoolData.CapNoGlycol, 0.0);
    EXPECT_EQ(t.Evaporator.WFRNoGlycol, 0.0);
    EXPECT_EQ(t.Evaporator.DeltaT, 0.0);
    EXPECT_EQ(t.SoundDistances[1], 0.0);
    EXPECT_EQ(t.ESEER, 0.0);
}

TEST_F(SolutionTest, SoundTotalsCountOnlyUnitsWithAFigure) {
    Cls_ChOutdoorUnit* a = Unit();
    Cls_ChOutdoorUnit* b = Unit();
    a->SetChillerData(3, Result(100.0, 40.0, 300.0, 30.0, 0.0));
    b->SetChillerData(4, Result(100.0, 40.0, 300.0, 30.0, 0.0));
    TSolution silent(3, 0.0, 0.0, {a, b});
    EXPECT_EQ(silent.GetDataSet().SoundPower, 0.0);
    b->SetChillerData(4, Result(100.0, 40.0, 300.0, 30.0, 78.0));
    silent.CalcTotals();
    EXPECT_DOUBLE_EQ(silent.GetDataSet().SoundPower, 78.0);
}

TEST_F(SolutionTest, RecoveryRatiosComeFromTheSumsOrAreZero) {
    Cls_ChOutdoorUnit* a = Unit();
    Cls_ChOutdoorUnit* b = Unit();
    TChillerData da = Result(100.0, 40.0, 300.0, 30.0, 80.0), db = da;
    da.HRData = {90.0, 35.0, 110.0, 0.5, 5.0};
    db.HRData = {10.0, 5.0, 10.0, 0.5, 5.0};
    a->SetChillerData(3, da);
    b->SetChillerData(4, db);
    TSolution plant(3, 0.0, 0.0, {a, b});
    TRepHeatRecovery hr = plant.GetDataSet().HRData;
    EXPECT_DOUBLE_EQ(hr.HR, 120.0);
    EXPECT_DOUBLE_EQ(hr.HRPercentage, 120.0 / 140.0);
    EXPECT_DOUBLE_EQ(hr.HRCOP, 220.0 / 40.0);
    db.HRData = {-100.0, 5.0, 0.0, 0.0, 0.0};  // no recovery capacity in all
    b->SetChillerData(4, db);
    plant.CalcTotals();
    hr = plant.GetDataSet().HRData;
    EXPECT_EQ(hr.CC, 0.0);
    EXPECT_EQ(hr.PI, 0.0);
    EXPECT_EQ(hr.HRPercentage, 0.0);
    EXPECT_EQ(hr.HRCOP, 0.0);
    EXPECT_DOUBLE_EQ(hr.HR, 110.0);  // the recovered heat stays summed
}

TEST_F(SolutionTest, OneUnitCopiesItsDataAndTakesTheDeviationOfTheSolutionRequirement) {
    Cls_ChOutdoorUnit* a = Unit();
    TChillerData d = Result(120.0, 40.0, 300.0, 30.0, 80.0);
    d.CoolData.Deviation = 33.0;  // against the run's requirement
    d.HeatData.Cap = 0.0;
    a->SetChillerData(3, d);
    TSolution one(3, 50.0, 100.0, {a});
    EXPECT_DOUBLE_EQ(one.GetDataSet().CoolData.Deviation, 20.0);
    EXPECT_DOUBLE_EQ(one.GetDataSet().HeatData.Deviation, kNoDeviation);  // no heating capacity
    EXPECT_DOUBLE_EQ(one.GetDataSet().ESEER, 4.1);
    TSolution none(3, 0.0, 0.0, {a});
    EXPECT_DOUBLE_EQ(none.GetDataSet().CoolData.Deviation, 33.0);  // no requirement: kept
}

TEST_F(SolutionTest, ReplacingTheRequirementKeepsARequirementOfZeroAndRefusesANonPositiveOne) {
    Cls_ChOutdoorUnit* a = Unit();
    Cls_ChOutdoorUnit* b = Unit();
    a->SetChillerData(40000, Result(100.0, 40.0, 300.0, 30.0, 80.0));
    b->SetChillerData(40001, Result(100.0, 40.0, 300.0, 30.0, 80.0));
    TSolution plant(40000, 0.0, 250.0, {a, b});
    plant.ReplaceReqCap(160.0);
    EXPECT_DOUBLE_EQ(plant.GetReqCoolCap(), 160.0);
    EXPECT_DOUBLE_EQ(plant.GetDataSet().CoolData.Deviation, 25.0);
    EXPECT_EQ(plant.GetReqHeatCap(), 0.0);  // created without one: never replaced
    EXPECT_DOUBLE_EQ(plant.GetDataSet().HeatData.Deviation, kNoDeviation);
    plant.ReplaceReqCap(0.0);
    plant.ReplaceReqCap(-5.0);
    plant.ReplaceReqCap(std::nan(""));
    EXPECT_DOUBLE_EQ(plant.GetReqCoolCap(), 160.0);
    plant.CalcTotals();
    EXPECT_DOUBLE_EQ(plant.GetDataSet().CoolData.Deviation, 25.0);
}

TEST_F(SolutionTest, DestroyingASolutionRemovesTheDataSetsOfItsNumbersOnly) {
    Cls_ChOutdoorUnit* a = Unit();
    a->SetChillerData(1, Result(100.0, 40.0, 300.0, 30.0, 80.0));
    a->CopyChillerData(1, 5);
    a->CopyChillerData(1, 6);
    {
        TSolution twice(5, 0.0, 0.0, {a, a});  // one catalogue unit, two data sets
        EXPECT_DOUBLE_EQ(twice.GetDataSet().CoolData.Cap, 200.0);
    }
    EXPECT_EQ(a->GetChillerData(5).CoolData.Cap, 0.0);  // recreated empty on access
    EXPECT_EQ(a->GetChillerData(6).CoolData.Cap, 0.0);
    EXPECT_DOUBLE_EQ(a->GetChillerData(1).CoolData.Cap, 100.0);
}

}  // namespace
}  // namespace brumalis
