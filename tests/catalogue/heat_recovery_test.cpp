#include <gtest/gtest.h>

#include "tests/catalogue/catalogue_fixture.h"

namespace brumalis {
namespace {

// LWE, EWC, LWC, cooling capacity, power input, recovered heat.
struct TRow {
    double lwe, ewc, lwc, cc, pi, hr;
};

// EWC groups 35, 40 and 45, each at LWC 45 and 50, stored out of order.
const std::vector<TRow> kEwcRows = {{0, 45, 50, 76, 30, 92}, {0, 35, 45, 100, 20, 110}, {0, 40, 50, 86, 26, 100},
                                    {0, 45, 45, 80, 28, 96}, {0, 35, 50, 96, 22, 108},  {0, 40, 45, 90, 24, 104}};
// LWE groups 5 and 9, no EWC.
const std::vector<TRow> kLweRows = {{9, 0, 45, 60, 20, 70}, {5, 0, 45, 80, 24, 90}};

class HeatRecovery : public testing::CatalogueFixture {
protected:
    std::unique_ptr<Cls_ChOutdoorUnit> Unit(std::int32_t nFamily, const std::vector<TRow>& rows = {}) {
        auto pUnit = New<Cls_ChOutdoorUnit>();
        pUnit->SetFamily(nFamily), pUnit->SetMinWFRE(100.0), pUnit->SetMaxWFRE(500.0);
        pUnit = Inserted(std::move(pUnit));
        AddRows<Cls_ChDeviceHR>(rows, *pUnit, Cls_ChDeviceHR::fldChOutdoorUnit);
        return pUnit;
    }
    std::unique_ptr<Cls_ChOptAllowed> Option(const Cls_ChOutdoorUnit& unit, const std::vector<TRow>& rows) {
        auto pComb = New<Cls_ChOptAllowed>();
        pComb->SetDevice(&unit);
        pComb = Inserted(std::move(pComb));
        AddRows<Cls_ChOptionHR>(rows, *pComb, Cls_ChOptionHR::fldChOptAllowed);
        return pComb;
    }
    template <class TRecord>
    void AddRows(const std::vector<TRow>& rows, const CTDbObject& owner, int nLinkIx) {
        for (const TRow& r : rows) {
            auto p = New<TRecord>();
            p->SetLWE(r.lwe), p->SetEWC(r.ewc), p->SetLWC(r.lwc), p->SetCoolCap(r.cc), p->SetCoolPI(r.pi);
            p->SetHeatRecovered(r.hr), p->SetRelationByIx(nLinkIx, &owner);
            Inserted(std::move(p));
        }
    }
    template <class TCurve>
    void AddCurve(const CTDbObject& owner, int nLinkIx, double a0, double a1, double lo, double hi) {
        auto p = New<TCurve>();
        p->SetType(1), p->SetA0(a0), p->SetA1(a1), p->SetSelect1(lo), p->SetSelect2(hi);
        p->SetRelationByIx(nLinkIx, &owner);
        Inserted(std::move(p));
    }
    static TSelTempData BuiltIn(double lwc, double dt) { return {.HeatLeavingC = lwc, .HeatDeltaTC = dt}; }
    static TSelTempData ByOption(double lwc, double dt, double lwe) {
        return {.CoolLeavingE = lwe, .HeatDeltaTC = 3.0, .HRDeltaT = dt, .HRLeaving = lwc};
    }
    std::int32_t Calc(Cls_ChOutdoorUnit& unit, const Cls_ChOptAllowed* pComb, const TSelTempData& t) {
        hr = {}, fluid = {};
        return unit.CalcHeatRecovery(pComb, t, hr, fluid);
    }
    void ExpectValues(double cc, double pi, double heat) const {
        EXPECT_NEAR(hr.CC, cc, 1e-9);
        EXPECT_NEAR(hr.PI, pi, 1e-9);
        EXPECT_NEAR(hr.HR, heat, 1e-9);
    }
    TRepHeatRecovery hr;
    TRepFluid fluid;
};

TEST_F(HeatRecovery, EwcKeyedRowsBlendTheNeighbouringGroupsAndClampTheTarget) {
    auto pUnit = Unit(1, kEwcRows);
    AddCurve<Cls_ChOutCapacity>(*pUnit, Cls_ChOutCapacity::fldChOutdoorUnit, 10.0, 0.1, 0.0, 0.0);

    // EWC 42.5 at LWC 47.5: the mean of the 40 group (88, 25, 102) and the 45 group (78, 29, 94).
    EXPECT_EQ(Calc(*pUnit, nullptr, BuiltIn(47.5, 5.0)), 0);
    ExpectValues(83.0, 27.0, 98.0);
    EXPECT_NEAR(hr.HRPercentage, 98.0 / 110.0, 1e-12);
    EXPECT_NEAR(hr.HRCOP, 181.0 / 27.0, 1e-12);
    EXPECT_NEAR(fluid.WFR, 98.0 * 60.0 / (4.186 * 5.0), 1e-9);
    EXPECT_NEAR(fluid.PD, 10.0 + 0.1 * fluid.WFR, 1e-9);  // the evaporator curve, inside the unit's flow range

    Calc(*pUnit, nullptr, BuiltIn(50.0, 20.0));  // EWC 30 reads the 35 group
    ExpectValues(96.0, 22.0, 108.0);
    Calc(*pUnit, nullptr, BuiltIn(44.0, 4.0));  // EWC 40 exactly; LWC below the group takes its first row
    ExpectValues(90.0, 24.0, 104.0);
    EXPECT_EQ(Calc(*pUnit, nullptr, BuiltIn(55.0, 1.0)), 230);  // EWC 54 reads 45; LWC above it leaves 0
    ExpectValues(0.0, 0.0, 0.0);
}

TEST_F(HeatRecovery, LweKeyedRowsUseSevenDegreesOutsideTheirRange) {
    auto pBuiltIn = Unit(1, kLweRows);
    Calc(*pBuiltIn, nullptr, BuiltIn(45.0, 5.0));  // built-in recovery asks for no LWE
    ExpectValues(70.0, 22.0, 80.0);

    auto pChiller = Unit(4);
    const auto pComb = Option(*pChiller, kLweRows);
    Calc(*pChiller, pComb.get(), ByOption(45.0, 5.0, 5.0));
    ExpectValues(80.0, 24.0, 90.0);
    Calc(*pChiller, pComb.get(), ByOption(45.0, 5.0, 12.0));
    ExpectValues(70.0, 22.0, 80.0);

    // Rows that do not reach 7 °C give their nearest group instead of nothing.
    const auto pWarm = Option(*pChiller, {{10, 0, 45, 50, 10, 55}, {12, 0, 45, 40, 12, 45}});
    Calc(*pChiller, pWarm.get(), ByOption(45.0, 5.0, 3.0));
    ExpectValues(50.0, 10.0, 55.0);
}

TEST_F(HeatRecovery, BuiltInRecoveryWithoutDataOrDeltaTAnswersItsCode) {
    EXPECT_EQ(Calc(*Unit(1), nullptr, BuiltIn(45.0, 5.0)), 230);
    ExpectValues(0.0, 0.0, 0.0);

    auto pUnit = Unit(1, {{0, 40, 45, 90, 24, 104}});
    EXPECT_EQ(Calc(*pUnit, nullptr, BuiltIn(60.0, 0.0)), 220);  // one row serves any target
    ExpectValues(90.0, 24.0, 104.0);
    EXPECT_EQ(fluid.WFR, 0.0);
}

TEST_F(HeatRecovery, OptionWithoutCoolingFiguresReportsHeatFlowAndCurvePressureDrop) {
    auto pUnit = Unit(4);
    const auto pComb = Option(*pUnit, {{0, 35, 45, -1, -1, 40}, {0, 45, 45, -1, -1, 60}});
    AddCurve<Cls_ChOptionPD>(*pComb, Cls_ChOptionPD::fldChOptAllowed, 2.0, 0.5, 20.0, 200.0);

    // The flow follows the option's recovery ΔT, not the heating ΔT.
    EXPECT_EQ(Calc(*pUnit, pComb.get(), ByOption(45.0, 5.0, 7.0)), 0);
    EXPECT_EQ(hr.HR, 50.0);
    EXPECT_EQ(hr.CC + hr.PI + hr.HRPercentage + hr.HRCOP, 0.0);
    EXPECT_EQ(fluid.DeltaT, 5.0);
    EXPECT_NEAR(fluid.WFR, 50.0 * 60.0 / (4.186 * 5.0), 1e-9);
    EXPECT_NEAR(fluid.PD, 2.0 + 0.5 * fluid.WFR, 1e-9);

    Calc(*pUnit, pComb.get(), ByOption(45.0, 1.0, 7.0));  // 58 kW at 1 K: beyond the curve
    EXPECT_GT(fluid.WFR, 200.0);
    EXPECT_EQ(fluid.PD, 0.0);
    EXPECT_EQ(Calc(*pUnit, nullptr, ByOption(45.0, 5.0, 7.0)), 230);  // no combination, no rows
}

TEST_F(HeatRecovery, RecoveryRangeIsTheRowsLwcSpanOrTheLimits) {
    const auto pUnit = Unit(4);
    const Cls_ChLimits limits;
    double lwcMin = 0.0, lwcMax = 0.0;
    Option(*pUnit, {{0, 35, 52, 1, 1, 1}, {0, 40, 38, 1, 1, 1}})->GetHRMinMax(limits, lwcMin, lwcMax);
    EXPECT_EQ(lwcMin, 38.0);
    EXPECT_EQ(lwcMax, 52.0);
    Option(*pUnit, {})->GetHRMinMax(limits, lwcMin, lwcMax);
    EXPECT_EQ(lwcMin, 12.0);
    EXPECT_EQ(lwcMax, 55.0);
}

}  // namespace
}  // namespace brumalis
