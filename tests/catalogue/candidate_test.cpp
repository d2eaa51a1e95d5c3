#include <gtest/gtest.h>

#include "catalogue/user_dialog.h"
#include "tests/catalogue/unit_builder.h"

namespace brumalis {
namespace {

// A dialog that records what it was asked and answers from a script.
class ScriptedDialog : public CTUserDialog {
public:
    ScriptedDialog() : v_previous(SetUserDialog(this)) {}
    ~ScriptedDialog() override { SetUserDialog(v_previous); }
    void ShowError(int nMsgNr, const std::vector<std::string>&) override { shown.push_back(nMsgNr); }
    bool AskYesNo(int nMsgNr, const std::vector<std::string>&) override {
        asked.push_back(nMsgNr);
        return answer;
    }
    std::vector<int> shown;
    std::vector<int> asked;
    bool answer = true;

private:
    CTUserDialog* v_previous;
};

class CandidateTest : public testing::UnitFixture {
protected:
    std::int32_t Candidate(Cls_ChOutdoorUnit& unit, const TSelTempData& t, double dReqCool, bool bCheck = true,
                           Cls_ChOptAllowed* pPump = nullptr, double dReqHeat = 0.0) {
        const double dMin = dReqCool * 0.8;
        const double dMax = dReqCool > 0.0 ? dReqCool * 1.2 : kUnboundedCapacity;
        const double dMinHeat = dReqHeat * 0.8;
        const double dMaxHeat = dReqHeat > 0.0 ? dReqHeat * 1.2 : kUnboundedCapacity;
        return unit.IsCandidateChiller(seqSettings, bCheck, t, controllers, nullptr, 0.0,
                                       Cls_ChOutdoorUnit::GetInitSoundDistances(), pPump, nullptr, nullptr, nullptr,
                                       dReqCool, dMin, dMax, dReqHeat, dMinHeat, dMaxHeat);
    }
    std::unique_ptr<Cls_ChOptAllowed> AddPump(Cls_ChOutdoorUnit& unit, double dMinFlow, double dMaxFlow, double dHead) {
        auto pComb = AddOption(unit, 4, "Pump");
        auto pCurve = New<Cls_ChPumpData>();
        pCurve->SetSelect1(dMinFlow);
        pCurve->SetSelect2(dMaxFlow);
        pCurve->SetA0(dHead);
        pCurve->SetA1(-0.1);
        pCurve->SetChOptAllowed(pComb.get());
        Inserted(std::move(pCurve));
        return pComb;
    }
    std::int32_t Recalc(Cls_ChOutdoorUnit& unit, const Cls_ChOptAllowed* pChanged) {
        return unit.RecalcChiller(seqSettings, Criteria(), controllers, nullptr, 0.0,
                                  Cls_ChOutdoorUnit::GetInitSoundDistances(), pChanged, options, 100.0, 80.0, 120.0,
                                  0.0, 0.0, kUnboundedCapacity);
    }
};

TEST_F(CandidateTest, ACandidateStoresItsFiguresAndDeviation) {
    auto pUnit = NewUnit();
    ASSERT_EQ(Candidate(*pUnit, Criteria(), 100.0), 0);
    const TChillerData d = pUnit->GetChillerData(seqSettings);
    EXPECT_EQ(d.ErrCode, 0);
    EXPECT_DOUBLE_EQ(d.CoolData.Cap, 95.0);
    EXPECT_DOUBLE_EQ(d.CoolData.Deviation, -5.0);
    EXPECT_EQ(d.HeatData.Deviation, kNoDeviation);
    EXPECT_DOUBLE_EQ(d.Evaporator.WFRNoGlycol, 95.0 * 60.0 / (4.186 * 5.0));
    EXPECT_EQ(d.SoundDistances, Cls_ChOutdoorUnit::GetInitSoundDistances());
    EXPECT_EQ(d.TempSelData.Summer, 35.0);
}

TEST_F(CandidateTest, WithoutARequirementEveryCapacityFitsAndDeviationIsNone) {
    auto pUnit = NewUnit();
    EXPECT_EQ(Candidate(*pUnit, Criteria(), 0.0), 0);
    EXPECT_EQ(pUnit->GetChillerData(seqSettings).CoolData.Deviation, kNoDeviation);
}

TEST_F(CandidateTest, AMissingControllerStoresNothing) {
    auto pUnit = NewUnit();
    pUnit->DropChController();
    EXPECT_EQ(Candidate(*pUnit, Criteria(), 100.0), 233);
    EXPECT_EQ(pUnit->GetChillerData(seqSettings).CoolData.Cap, 0.0);
    EXPECT_EQ(pUnit->GetChillerData(seqSettings).ErrCode, 0);
}

TEST_F(CandidateTest, TheFirstObjectionWinsAndCheckingStopsAtIt) {
    auto pUnit = NewUnit();
    TSelTempData t = Criteria();
    t.CoolDeltaTE = 2.0;  // evaporator ΔT outside the unit's range
    // 95 kW against 150 kW is outside the band as well: the capacity reason comes first.
    EXPECT_EQ(Candidate(*pUnit, t, 150.0, true), 214);
    EXPECT_EQ(pUnit->GetChillerData(seqSettings).Evaporator.DeltaT, 0.0);  // stopped before the fluids
    EXPECT_EQ(Candidate(*pUnit, t, 150.0, false), 214);
    EXPECT_EQ(pUnit->GetChillerData(seqSettings).Evaporator.DeltaT, 2.0);  // computed all the same
    EXPECT_EQ(Candidate(*pUnit, t, 100.0, true), 217);
}

TEST_F(CandidateTest, HeatPumpsShareOneWaterCircuitBetweenModes) {
    auto pUnit = NewUnit(2);
    TSelTempData t = Criteria();
    ASSERT_EQ(Candidate(*pUnit, t, 100.0), 0);
    TChillerData d = pUnit->GetChillerData(seqSettings);
    ASSERT_DOUBLE_EQ(d.CoolData.CapNoGlycol, 95.0);
    const double flow = 95.0 * 60.0 / (4.186 * 5.0);
    EXPECT_DOUBLE_EQ(d.Evaporator.WFRNoGlycol, flow);
    EXPECT_DOUBLE_EQ(d.Condenser.WFRNoGlycol, flow);
    EXPECT_NEAR(d.Condenser.DeltaT, d.HeatData.CapNoGlycol * 60.0 / (4.186 * flow), 1e-12);

    // The worked example: 100 kW cooling at 5 K is 286.67 l/min; 110 kW heating then makes 5.5 K.
    const double exampleFlow = 100.0 * 60.0 / (4.186 * 5.0);
    EXPECT_NEAR(exampleFlow, 286.67, 0.005);
    EXPECT_NEAR(110.0 * 60.0 / (4.186 * exampleFlow), 5.5, 1e-12);

    t.SelectCooling = false;
    ASSERT_EQ(Candidate(*pUnit, t, 0.0, true, nullptr, 115.0), 0);
    d = pUnit->GetChillerData(seqSettings);
    EXPECT_GT(d.HeatData.Cap, 0.0);
    EXPECT_DOUBLE_EQ(d.Evaporator.WFRNoGlycol, d.HeatData.CapNoGlycol * 60.0 / (4.186 * 5.0));
}

TEST_F(CandidateTest, ALeavingWaterStepMarksItsOptionCalculated) {
    auto pUnit = NewUnit();
    auto pComb = AddOption(*pUnit, 0, "Brine version");
    TControllerDataSet set = controllers.front()->GetCorrections(seqSettings);
    set.OptionCls = Cls_ChOption::kClassID;
    set.OptionObj = options.front()->GetID();
    set.CapCorrection = 0.9;
    controllers.front()->SetCorrections(seqSettings, set);
    Candidate(*pUnit, Criteria(), 100.0);
    EXPECT_TRUE(pUnit->GetSpecificOptComb(set.OptionCls, set.OptionObj, seqSettings)->Calculated);
    EXPECT_DOUBLE_EQ(pUnit->GetChillerData(seqSettings).CoolData.Cap, 95.0 * 0.9);
}

TEST_F(CandidateTest, MissingDataGivesItsCodeAndZeroFiguresNeverAnException) {
    // A bare unit: no envelope, no tables, no curves, no documentation.
    auto pBare = New<Cls_ChOutdoorUnit>();
    pBare->SetChController(controllers.front().get());
    pBare = Inserted(std::move(pBare));
    for (std::int32_t nFamily : {1, 2, 4, 8, 16, 32}) {
        pBare->SetFamily(nFamily);
        TSelTempData t = Criteria();
        t.SelectCooling = nFamily != 8;
        const std::int32_t nCode = Candidate(*pBare, t, 100.0, false, nullptr, 100.0);
        const TChillerData d = pBare->GetChillerData(seqSettings);
        EXPECT_EQ(nCode, nFamily == 8 ? errHeatOutsideEnvelope : nFamily == 32 ? 0 : errCoolOutsideEnvelope)
            << nFamily;
        EXPECT_EQ(d.CoolData.Cap, 0.0);
        EXPECT_EQ(d.HeatData.Cap, 0.0);
        EXPECT_EQ(d.CoolData.EERCOP, 0.0);
        EXPECT_EQ(d.SoundPower, 0.0);
        EXPECT_EQ(d.SoundPressures[1], 0.0);
    }
    // Capacity rows without power-input rows: a capacity, no EER, and the
    // power table's code says why.
    auto pUnit = NewUnit();
    for (auto& pRow : pUnit->GetAllChOutCapacity()) {
        if (pRow->GetType() == cttCoolPI) pRow->Remove();
    }
    pUnit = Reloaded(*pUnit);
    EXPECT_EQ(Candidate(*pUnit, Criteria(), 100.0), errCoolOutsideTable);
    EXPECT_EQ(pUnit->GetChillerData(seqSettings).CoolData.EERCOP, 0.0);
    EXPECT_DOUBLE_EQ(pUnit->GetChillerData(seqSettings).CoolData.Cap, 95.0);
}

TEST_F(CandidateTest, RecalcReportsAFlowOutsideThePumpRange) {
    ScriptedDialog dialog;
    auto pUnit = NewUnit();
    auto pPump = AddPump(*pUnit, 100.0, 250.0, 200.0);  // the unit needs 272 l/min
    pUnit->GetOptCombs(seqSettings).front()->Selected = true;
    Cls_ChOptAllowed* pSelected = pUnit->GetOptCombs(seqSettings).front().get();
    EXPECT_EQ(Recalc(*pUnit, pSelected), 248);
    EXPECT_FALSE(pSelected->Selected);
    // The stored figures are those without the pump.
    EXPECT_GT(pUnit->GetChillerData(seqSettings).Evaporator.PD, 0.0);

    pSelected->Selected = true;
    auto pUnit2 = NewUnit();
    auto pBigPump = AddPump(*pUnit2, 300.0, 500.0, 200.0);
    Cls_ChOptAllowed* pSelected2 = pUnit2->GetOptCombs(seqSettings).front().get();
    pSelected2->Selected = true;
    EXPECT_EQ(Recalc(*pUnit2, pSelected2), 247);
    EXPECT_TRUE(dialog.shown.empty());
}

TEST_F(CandidateTest, RecalcAsksWhetherThePumpInRangeIsAccepted) {
    ScriptedDialog dialog;
    auto pUnit = NewUnit();
    AddPump(*pUnit, 100.0, 400.0, 200.0);  // ESP at 272 l/min: 172.8 kPa, unit drop 74 kPa
    Cls_ChOptAllowed* pSelected = pUnit->GetOptCombs(seqSettings).front().get();
    pSelected->Selected = true;
    EXPECT_EQ(Recalc(*pUnit, pSelected), 0);
    EXPECT_EQ(dialog.asked, std::vector<int>{269});
    EXPECT_TRUE(pSelected->Selected);

    dialog.answer = false;
    pSelected->SetIsStandard(true);
    EXPECT_EQ(Recalc(*pUnit, pSelected), 0);
    EXPECT_FALSE(pSelected->Selected);
    EXPECT_FALSE(pSelected->GetIsStandard());
}

TEST_F(CandidateTest, RecalcRejectsAPumpTooWeakForTheUnit) {
    ScriptedDialog dialog;
    auto pUnit = NewUnit();
    AddPump(*pUnit, 100.0, 400.0, 80.0);  // ESP 52.8 kPa against a 74 kPa drop
    Cls_ChOptAllowed* pSelected = pUnit->GetOptCombs(seqSettings).front().get();
    pSelected->Selected = true;
    EXPECT_EQ(Recalc(*pUnit, pSelected), 0);
    EXPECT_EQ(dialog.shown, std::vector<int>{242});
    EXPECT_FALSE(pSelected->Selected);
    // A standard pump stays selected whatever happens: no endless recalculation.
    pSelected->SetIsStandard(true);
    dialog.shown.clear();
    EXPECT_EQ(Recalc(*pUnit, pSelected), 0);
    EXPECT_EQ(dialog.shown, std::vector<int>{242});
}

}  // namespace
}  // namespace brumalis
