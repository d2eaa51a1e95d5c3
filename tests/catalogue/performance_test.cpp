#include <cmath>
#include <gtest/gtest.h>

#include "catalogue/capacity_table.h"
#include "tests/catalogue/unit_builder.h"

namespace brumalis {
namespace {

// ---- Operating envelope

TOperatingEnvelope Rectangle() {
    TOperatingEnvelope e;
    e.MinI = -10.0, e.MaxI = 20.0, e.MinO = 10.0, e.MaxO = 43.0;
    return e;
}

TEST(OperatingEnvelope, EdgesAreInsideAndBeyondThemOutside) {
    const TOperatingEnvelope e = Rectangle();
    EXPECT_FALSE(e.IsOutside(-10.0, 43.0));
    EXPECT_FALSE(e.IsOutside(20.0, 10.0));
    EXPECT_TRUE(e.IsOutside(-10.01, 30.0));
    EXPECT_TRUE(e.IsOutside(20.01, 30.0));
    EXPECT_TRUE(e.IsOutside(0.0, 9.99));
    EXPECT_TRUE(e.IsOutside(0.0, 43.01));
}

TEST(OperatingEnvelope, UpperLeftCornerCutsAlongItsLine) {
    TOperatingEnvelope e = Rectangle();
    e.UpperLeft = {14.0, 7.0};
    EXPECT_FALSE(e.IsOutside(-10.0, 36.0));
    EXPECT_TRUE(e.IsOutside(-10.0, 36.01));
    EXPECT_FALSE(e.IsOutside(-3.0, 39.5));
    EXPECT_TRUE(e.IsOutside(-3.0, 39.51));
    EXPECT_FALSE(e.IsOutside(4.0, 43.0));  // the corner no longer applies
    // Stored widths and heights count by their size, whatever their sign.
    e.UpperLeft = {-14.0, -7.0};
    e.UpperLeft = TOperatingEnvelope::TCorner{std::fabs(e.UpperLeft.W), std::fabs(e.UpperLeft.H)};
    EXPECT_TRUE(e.IsOutside(-3.0, 39.51));
}

TEST(OperatingEnvelope, OtherCornersAndCornersWithoutHeight) {
    TOperatingEnvelope e = Rectangle();
    e.UpperRight = {10.0, 10.0};  // from (10, 43) down to (20, 33)
    EXPECT_FALSE(e.IsOutside(15.0, 38.0));
    EXPECT_TRUE(e.IsOutside(15.0, 38.5));
    e.LowerRight = {10.0, 4.0};  // from (10, 10) up to (20, 14)
    EXPECT_TRUE(e.IsOutside(20.0, 13.9));
    EXPECT_FALSE(e.IsOutside(20.0, 14.0));
    e.LowerLeft = {5.0, 5.0};  // from (-10, 15) down to (-5, 10)
    EXPECT_TRUE(e.IsOutside(-10.0, 14.9));
    EXPECT_FALSE(e.IsOutside(-7.5, 12.5));
    e.LowerLeft = {5.0, 0.0};  // no height: no cut
    EXPECT_FALSE(e.IsOutside(-10.0, 10.0));
}

using UnitPerformance = testing::UnitFixture;

TEST_F(UnitPerformance, NegativeCornerFieldsOfAUnitCutLikePositiveOnes) {
    auto pUnit = NewUnit();
    pUnit->SetCMinITemp(-10.0), pUnit->SetCMaxOTemp(43.0);
    pUnit->SetCDIndUL(-14.0), pUnit->SetCDOutUL(7.0);
    const TOperatingEnvelope e = TOperatingEnvelope::Of(*pUnit, true);
    EXPECT_EQ(e.UpperLeft.W, 14.0);
    EXPECT_FALSE(e.IsOutside(-3.0, 39.5));
    EXPECT_TRUE(e.IsOutside(-3.0, 39.6));
}

// ---- Capacity table lookups

TEST_F(UnitPerformance, ExactRowsFirstRowAndInterpolation) {
    auto pUnit = NewUnit();
    const TPolyCapListCh& cool = *pUnit->GetTable(cttCoolCap);
    std::int32_t nCode = -1;
    EXPECT_DOUBLE_EQ(cool.GetCapAt(true, false, 7.0, 35.0, nCode), 95.0);
    EXPECT_EQ(nCode, 0);
    EXPECT_DOUBLE_EQ(cool.GetCapAt(true, false, 5.0, 35.0, nCode), 91.0);  // first row alone
    EXPECT_DOUBLE_EQ(cool.GetCapAt(true, false, 8.5, 35.0, nCode), 98.0);  // halfway 7 → 10
    double lo = 0.0, hi = 0.0;
    cool.GetLWETempRange(lo, hi);
    EXPECT_EQ(lo, 5.0);
    EXPECT_EQ(hi, 10.0);
    EXPECT_DOUBLE_EQ(cool.GetMaxCap(), 130.0 + 6.0 - 20.0);
    EXPECT_DOUBLE_EQ(cool.GetMinCap(), 130.0 - 4.0 - 45.0);
}

TEST_F(UnitPerformance, OutsideTheTableButInsideTheEnvelopeSimulatesOnRequest) {
    auto pUnit = NewUnit();
    const TPolyCapListCh& cool = *pUnit->GetTable(cttCoolCap);
    std::int32_t nCode = 0;
    EXPECT_EQ(cool.GetCapAt(true, false, 4.0, 35.0, nCode), 0.0);
    EXPECT_EQ(nCode, errCoolOutsideTable);
    // Below the first row: extrapolated along the first degree of the table.
    EXPECT_DOUBLE_EQ(cool.GetCapAt(true, true, 4.0, 35.0, nCode), 89.0);
    EXPECT_EQ(nCode, errCoolOutsideTable);
    // Above the last row and beyond the x range (x clamped to 45).
    EXPECT_DOUBLE_EQ(cool.GetCapAt(true, true, 12.0, 46.0, nCode), 130.0 + 10.0 - 45.0);
    EXPECT_EQ(cool.GetCapAt(true, true, 3.0, 35.0, nCode), 0.0);
    EXPECT_EQ(nCode, errCoolOutsideEnvelope);
    const TPolyCapListCh& heat = *pUnit->GetTable(cttHeatCap);
    EXPECT_EQ(heat.GetCapAt(false, false, 45.0, -20.0, nCode), 0.0);
    EXPECT_EQ(nCode, errHeatOutsideEnvelope);
}

TEST_F(UnitPerformance, AnEmptyTableAnswersOutsideTableOrNoTable) {
    auto pUnit = NewUnit();
    pUnit->SetCMinITemp(-5.0);
    pUnit->SetHMinITemp(-5.0);
    const TPolyCapListCh emptyCool(*pUnit, cttCoolCap, {});
    std::int32_t nCode = 0;
    EXPECT_EQ(emptyCool.GetCapAt(true, false, 7.0, 35.0, nCode), 0.0);
    EXPECT_EQ(nCode, errCoolOutsideTable);
    EXPECT_EQ(emptyCool.GetCapAt(true, false, 0.0, 35.0, nCode), 0.0);
    EXPECT_EQ(nCode, errNoCapacityTable);
    const TPolyCapListCh emptyHeat(*pUnit, cttHeatCap, {});
    EXPECT_EQ(emptyHeat.GetCapAt(false, false, 45.0, 7.0, nCode), 0.0);
    EXPECT_EQ(nCode, errHeatOutsideTable);
    EXPECT_FALSE(emptyHeat.HasCapTableLoaded());
}

TEST_F(UnitPerformance, AHugeXRangeGivesABoundedGridInsteadOfHanging) {
    auto pUnit = NewUnit();
    // Where adding 1 no longer changes a double the grid must still end.
    pUnit->SetCIndLowerLimit(1e17);
    pUnit->SetCIndUpperLimit(1e17 + 64.0);
    const TPolyCapListCh& table = *pUnit->GetTable(cttCoolCap);
    const TPolyCapListCh cool(*pUnit, cttCoolCap, {TCapRow{7.0, 0.0, table.Rows().front().Poly}});
    EXPECT_TRUE(std::isfinite(cool.GetMaxCap()));
    double lo = 0.0, hi = 0.0;
    cool.GetXRange(lo, hi);
    EXPECT_EQ(lo, 1e17);
    EXPECT_EQ(hi, 1e17 + 64.0);
}

TEST_F(UnitPerformance, CoolingOnlyUnitsDropHeatingRowsAndSurplusCurves) {
    auto pUnit = NewUnit(4);
    AddCurve(*pUnit, cttEvapPressureDrop, 5.0, 0.0, 0.0);  // a second evaporator curve
    AddRow(*pUnit, 9, 7.0, 1.0, 0.0);                      // no such type
    pUnit = Reloaded(*pUnit);
    EXPECT_FALSE(pUnit->HasCapTable(cttHeatCap));
    EXPECT_TRUE(pUnit->HasCapTable(cttCoolCap));
    EXPECT_DOUBLE_EQ(pUnit->EvaluatePD(cttEvapPressureDrop, 100.0), 10.0);  // the first curve kept
    EXPECT_EQ(pUnit->GetAllChOutCapacity().size(), 3U + 3U + 2U);
    EXPECT_EQ(pUnit->EvaluatePD(3, 100.0), 0.0);

    auto pHeatPump = NewUnit(2);
    EXPECT_TRUE(pHeatPump->HasCapTable(cttHeatCap));
}

// ---- Capacity band and fluids

TEST_F(UnitPerformance, CapacityBandEdgesDecideCode214) {
    auto pUnit = NewUnit();
    pUnit->SetCIndUpperLimit(55.0);
    pUnit->SetCMaxOTemp(60.0);
    pUnit->Update();
    pUnit = Reloaded(*pUnit);
    TSelTempData t = Criteria();
    TRepCap cool;
    const double dMin = 100.0 * (1.0 - 0.2), dMax = 100.0 * (1.0 + 0.2);
    t.Summer = 50.0;
    EXPECT_EQ(pUnit->GetCoolCapPI(nullptr, t, dMin, dMax, 1.0, 1.0, cool), 0);
    EXPECT_DOUBLE_EQ(cool.Cap, 80.0);
    t.Summer = 50.1;
    EXPECT_EQ(pUnit->GetCoolCapPI(nullptr, t, dMin, dMax, 1.0, 1.0, cool), 214);
    EXPECT_NEAR(cool.Cap, 79.9, 1e-9);
    EXPECT_GT(cool.PI, 0.0);  // the figures are still there
    // The band applies to the capacity with the brine factor.
    t.Summer = 35.0;
    EXPECT_EQ(pUnit->GetCoolCapPI(nullptr, t, dMin, dMax, 0.84, 1.0, cool), 214);
    EXPECT_DOUBLE_EQ(cool.CapNoGlycol, 95.0);
    // Without capacity the reason is the table or envelope, never the band.
    t.CoolLeavingE = 3.0;
    EXPECT_EQ(pUnit->GetCoolCapPI(nullptr, t, dMin, dMax, 1.0, 1.0, cool), errCoolOutsideEnvelope);
    EXPECT_EQ(cool.EERCOP, 0.0);
}

TEST_F(UnitPerformance, CoolingFluidsAndTheirCodesInOrder) {
    auto pUnit = NewUnit();
    TSelTempData t = Criteria();
    TRepCap cool;
    ASSERT_EQ(pUnit->GetCoolCapPI(nullptr, t, 0.0, kUnboundedCapacity, 1.0, 1.0, cool), 0);
    EXPECT_DOUBLE_EQ(cool.PI, 37.0);
    EXPECT_DOUBLE_EQ(cool.EERCOP, 95.0 / 37.0);
    TRepFluid evap, cond;
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.1, 1.2, 1.0, 1.0, evap, cond), 0);
    const double flow = 95.0 * 60.0 / (4.186 * 5.0);
    EXPECT_DOUBLE_EQ(evap.WFRNoGlycol, flow);
    EXPECT_DOUBLE_EQ(evap.WFR, flow * 1.1);
    EXPECT_DOUBLE_EQ(evap.PD, 0.001 * flow * flow * 1.2);  // over the flow without brine
    EXPECT_EQ(cond.DeltaT, 0.0);                           // air-cooled: no condenser circuit

    t.CoolDeltaTE = 2.0;  // ΔT below the unit's range, flow above it: the ΔT is reported
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.0, 1.0, evap, cond), 217);
    t.CoolDeltaTE = 3.0;  // flow 454 l/min inside; 8 K: 170 l/min inside
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.0, 1.0, evap, cond), 0);
    pUnit->SetMaxWFRE(400.0);
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.0, 1.0, evap, cond), 224);
    EXPECT_EQ(evap.WFRNoGlycol, 0.0);
    EXPECT_EQ(evap.PD, 0.0);
    pUnit->SetMaxWFRE(600.0);
    pUnit->SetPDPoly(cttEvapPressureDrop, nullptr);
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.0, 1.0, evap, cond), 237);
}

TEST_F(UnitPerformance, WaterCooledCondenserCodes) {
    auto pUnit = NewUnit(4, 1);
    TSelTempData t = Criteria();
    TRepCap cool;
    pUnit->GetCoolCapPI(nullptr, t, 0.0, kUnboundedCapacity, 1.0, 1.0, cool);  // x is the condenser water, 35
    TRepFluid evap, cond;
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.05, 1.3, evap, cond), 0);
    const double flow = (95.0 + 37.0) * 60.0 / (4.186 * 5.0);
    EXPECT_DOUBLE_EQ(cond.WFRNoGlycol, flow);
    EXPECT_DOUBLE_EQ(cond.WFR, flow * 1.05);
    EXPECT_DOUBLE_EQ(cond.PD, 0.0005 * flow * flow * 1.3);
    // A condenser ΔT above the range replaces an earlier code of the step.
    t.CoolDeltaTE = 2.0;
    t.CoolDeltaTC = 9.0;
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.0, 1.0, evap, cond), 216);
    // Below the range it only counts when nothing objected before.
    t.CoolDeltaTC = 2.9;
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.0, 1.0, evap, cond), 217);
    t.CoolDeltaTE = 5.0;
    EXPECT_EQ(pUnit->GetEDeltaTFRPD(nullptr, t, cool, 1.0, 1.0, 1.0, 1.0, evap, cond), 216);
}

TEST_F(UnitPerformance, HeatingReadsThePressureDropAtTheFlowWithBrine) {
    auto pUnit = NewUnit(2);
    const TSelTempData t = Criteria();
    TRepCap heat;
    heat.CapNoGlycol = 110.0;
    heat.PINoGlycol = 40.0;
    TRepFluid heated, source;
    EXPECT_EQ(pUnit->GetCDeltaTFRPD(nullptr, t, heat, 1.0, 1.0, 1.1, 1.2, heated, source), 0);
    const double flow = 110.0 * 60.0 / (4.186 * 5.0);
    EXPECT_DOUBLE_EQ(heated.WFR, flow * 1.1);
    EXPECT_DOUBLE_EQ(heated.PD, 0.001 * (flow * 1.1) * (flow * 1.1) * 1.2);

    auto pHeatingOnly = NewUnit(8);  // heats with the evaporator ΔT on capacity minus power
    EXPECT_EQ(pHeatingOnly->GetCDeltaTFRPD(nullptr, t, heat, 1.0, 1.0, 1.0, 1.0, heated, source), 0);
    EXPECT_DOUBLE_EQ(heated.WFRNoGlycol, 70.0 * 60.0 / (4.186 * 5.0));
}

// ---- Data sets, sorting and status

TEST_F(UnitPerformance, DataSetsStartInitialAndCopyFlagsAndPrice) {
    auto pUnit = NewUnit();
    auto pComb = AddOption(*pUnit, 4, "P1");
    const TChillerData initial = pUnit->GetChillerData(5);
    EXPECT_TRUE(initial.TempSelData.SelectCooling);
    EXPECT_EQ(initial.CoolData.Deviation, kNoDeviation);
    EXPECT_EQ(initial.HeatData.Deviation, kNoDeviation);

    TChillerData data = initial;
    data.CoolData.Cap = 95.0;
    pUnit->SetChillerData(1, data);
    pUnit->DataSet(1).v_Price = 12500.0;
    pUnit->GetSpecificOptComb(Cls_ChOption::kClassID, options.front()->GetID(), 1)->Selected = true;
    pUnit->CopyChillerData(1, 2);
    EXPECT_EQ(pUnit->GetChillerData(2).CoolData.Cap, 95.0);
    EXPECT_EQ(pUnit->DataSet(2).v_Price, 12500.0);
    Cls_ChOptAllowed* pCopied = pUnit->GetSpecificOptComb(Cls_ChOption::kClassID, options.front()->GetID(), 2);
    ASSERT_NE(pCopied, nullptr);
    EXPECT_TRUE(pCopied->Selected);
    EXPECT_NE(pCopied, pUnit->GetSpecificOptComb(Cls_ChOption::kClassID, options.front()->GetID(), 1));
    pUnit->ResetUsedOptions(2);
    EXPECT_FALSE(pCopied->Selected);
    pUnit->RemoveChillerData(2);
    EXPECT_EQ(pUnit->GetChillerData(2).CoolData.Cap, 0.0);
}

TEST_F(UnitPerformance, SortKeyOneIgnoresDeviationsBeyondAHundredPercent) {
    std::vector<std::unique_ptr<Cls_ChOutdoorUnit>> units;
    std::vector<Cls_ChOutdoorUnit*> list;
    for (double dDeviation : {12.0, -3.0, 150.0, kNoDeviation, -7.0}) {
        units.push_back(New<Cls_ChOutdoorUnit>());
        TChillerData d = GetInitChillerData();
        d.CoolData.Deviation = dDeviation;
        d.HeatData.Deviation = dDeviation == 12.0 ? 0.5 : kNoDeviation;
        d.CoolData.EERCOP = dDeviation;
        units.back()->SetChillerData(3, d);
        list.push_back(units.back().get());
    }
    Cls_ChOutdoorUnit::SortChillers(list, 3, 1, true);
    std::vector<double> order;
    for (auto* p : list) order.push_back(p->GetChillerData(3).CoolData.Deviation);
    // 150 % and "none" count as 0; equal keys keep their order.
    EXPECT_EQ(order, (std::vector<double>{150.0, kNoDeviation, -3.0, -7.0, 12.0}));
    EXPECT_EQ(list.front()->v_SortSeqNr, 3);

    Cls_ChOutdoorUnit::SortChillers(list, 3, 2, true);
    EXPECT_EQ(list.front()->GetChillerData(3).CoolData.Deviation, -7.0);
    Cls_ChOutdoorUnit::SortChillers(list, 3, 4, false);
    EXPECT_EQ(list.front()->GetChillerData(3).CoolData.EERCOP, kNoDeviation);
    const std::vector<Cls_ChOutdoorUnit*> before = list;
    Cls_ChOutdoorUnit::SortChillers(list, 3, 9, true);
    EXPECT_EQ(list, before);
}

TEST_F(UnitPerformance, StatusLightAndMessagesOfResultCodes) {
    auto pUnit = NewUnit();
    TChillerData d = GetInitChillerData();
    const std::pair<std::int32_t, std::int32_t> lights[] = {{0, 0}, {214, 0}, {251, 1}, {253, 1},
                                                            {250, 2}, {252, 2}, {254, 2}, {249, 0}};
    for (const auto& [nCode, nLight] : lights) {
        d.ErrCode = nCode;
        pUnit->SetChillerData(1, d);
        EXPECT_EQ(pUnit->GetStatusLight(1), nLight) << nCode;
    }
    std::int32_t nMsg = 0;
    std::vector<std::string> params{"left over"};
    pUnit->AnalyzeErrCode(229, 1, nullptr, nMsg, params);
    EXPECT_EQ(nMsg, 212);
    EXPECT_TRUE(params.empty());
    d.Evaporator.WFR = 660.0;
    pUnit->SetChillerData(1, d);
    pUnit->AnalyzeErrCode(248, 1, nullptr, nMsg, params);
    EXPECT_EQ(nMsg, 248);
    ASSERT_EQ(params.size(), 4U);
    EXPECT_EQ(params[0], "TU 120");
    pUnit->AnalyzeErrCode(224, 1, nullptr, nMsg, params);
    EXPECT_EQ(nMsg, 224);
    EXPECT_TRUE(params.empty());
}

TEST_F(UnitPerformance, SelectedSpecialCombinationsAreTheLastOfEachType) {
    auto pUnit = NewUnit();
    AddOption(*pUnit, 4, "P1");
    AddOption(*pUnit, 4, "P2");
    AddOption(*pUnit, 2, "LN");
    AddOption(*pUnit, 8, "OR");
    auto& combs = pUnit->GetOptCombs(1);
    ASSERT_EQ(combs.size(), 4U);
    for (auto& pComb : combs) pComb->Selected = true;
    Cls_ChOptAllowed *pTank = nullptr, *pPump = nullptr, *pLowNoise = nullptr, *pRecovery = nullptr, *pRange = nullptr;
    pUnit->GetSelectedAttrOptionCombs(options, 1, pTank, pPump, pLowNoise, pRecovery, pRange);
    EXPECT_EQ(pTank, nullptr);
    EXPECT_EQ(pRecovery, nullptr);
    ASSERT_NE(pPump, nullptr);
    EXPECT_EQ(pPump, pUnit->GetSpecificOptComb(Cls_ChOption::kClassID, options[1]->GetID(), 1));
    EXPECT_NE(pLowNoise, nullptr);
    EXPECT_NE(pRange, nullptr);
    EXPECT_TRUE(pUnit->HasSpecialOptCombs(options, 1, 8));
    EXPECT_EQ(pUnit->GetSpecialOption(options, 1, 2)->GetName(), "LN");

    pUnit->ResetStdPumpOption(options, options[0].get(), 1);
    EXPECT_TRUE(pUnit->GetSpecialOptCombs(options, 1, 4)[0]->Calculated);
    EXPECT_FALSE(pUnit->GetSpecialOptCombs(options, 1, 4)[1]->Selected);
}

}  // namespace
}  // namespace brumalis
