// Self-checks of every unit of the shipped catalogue through the program's
// own table lookup: nominal points, trends, efficiencies, seasonal figures,
// flows and pressure drops.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "tests/catalogue_gen/shipped_catalogue.h"

namespace brumalis::testing {
namespace {

using CataloguePhysics = ShippedCatalogue;

TPolyCapListCh Table(const Cls_ChOutdoorUnit& u, std::int32_t type) {
    std::vector<TCapRow> rows;
    for (const auto& r : u.GetAllChOutCapacity()) {
        if (r->GetType() == type) rows.push_back(TCapRow::Of(*r));
    }
    std::sort(rows.begin(), rows.end(), [](const TCapRow& a, const TCapRow& b) { return a.Select1 < b.Select1; });
    return TPolyCapListCh(u, type, std::move(rows));
}

bool Cools(const Cls_ChOutdoorUnit& u) { return u.GetFamily() != 8; }
bool Heats(const Cls_ChOutdoorUnit& u) { return u.GetFamily() == 2 || u.GetFamily() == 8; }
double NominalCoolX(const Cls_ChOutdoorUnit& u) { return u.GetCondenserType() == 2 ? 45.0 : 35.0; }

struct TNominal {
    double cap = 0.0, power = 0.0;
};

TNominal CoolingAt(const Cls_ChOutdoorUnit& u, double lwe, double x) {
    std::int32_t capCode = -1, powerCode = -1;
    TNominal n{Table(u, cttCoolCap).GetCapAt(true, false, lwe, x, capCode),
               Table(u, cttCoolPI).GetCapAt(true, false, lwe, x, powerCode)};
    EXPECT_EQ(capCode, 0) << u.GetName() << u.GetNameSuffix();
    EXPECT_EQ(powerCode, 0) << u.GetName() << u.GetNameSuffix();
    return n;
}

TEST_F(CataloguePhysics, NominalPointsLieInsideEnvelopeAndTable) {
    for (const auto& u : s_units) {
        if (Cools(*u)) {
            const TNominal n = CoolingAt(*u, 7.0, NominalCoolX(*u));
            EXPECT_GT(n.cap, 0.0) << u->GetName();
            EXPECT_GT(n.power, 0.0) << u->GetName();
        }
        if (Heats(*u)) {
            const bool bAir = u->GetCondenserType() == 0;
            std::int32_t code = -1;
            const double cap = Table(*u, cttHeatCap).GetCapAt(false, false, bAir ? 45.0 : 7.0, bAir ? 7.0 : 35.0, code);
            EXPECT_EQ(code, 0) << u->GetName();
            EXPECT_GT(cap, 0.0) << u->GetName();
        }
    }
}

TEST_F(CataloguePhysics, CapacityFallsWithRisingAmbientAndRisesWithLeavingWater) {
    for (const auto& u : s_units) {
        if (!Cools(*u)) continue;
        const TPolyCapListCh cap = Table(*u, cttCoolCap);
        double xMin = 0.0, xMax = 0.0;
        cap.GetXRange(xMin, xMax);
        const auto& rows = cap.Rows();
        // Steps of a few kelvin: head-pressure control keeps the capacity
        // nearly flat in cold air, where a fitted row may wiggle within its tolerance.
        constexpr double kStep = 4.0;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            EXPECT_LT(rows[k].Value(xMax), 0.95 * rows[k].Value(xMin)) << u->GetName();
            for (double x = xMin; x + kStep <= xMax; x += 1.0) {
                ASSERT_LT(rows[k].Value(x + kStep), rows[k].Value(x))
                    << u->GetName() << u->GetNameSuffix() << " row " << rows[k].Select1 << " at " << x;
                if (k + 1 < rows.size()) {
                    ASSERT_GT(rows[k + 1].Value(x), rows[k].Value(x)) << u->GetName() << " at " << x;
                }
            }
        }
    }
}

TEST_F(CataloguePhysics, NominalEfficiencyLiesInTheRangeOfItsCondenserType) {
    for (const auto& u : s_units) {
        if (!Cools(*u)) continue;
        const TNominal n = CoolingAt(*u, 7.0, NominalCoolX(*u));
        const double eer = n.cap / n.power;
        switch (u->GetCondenserType()) {
            case 0: EXPECT_TRUE(eer >= 2.4 && eer <= 4.0) << u->GetName() << " EER " << eer; break;
            case 1: EXPECT_TRUE(eer >= 4.0 && eer <= 7.0) << u->GetName() << " EER " << eer; break;
            default: EXPECT_TRUE(eer >= 3.0 && eer <= 5.5) << u->GetName() << " EER " << eer; break;
        }
    }
}

TEST_F(CataloguePhysics, SeasonalFiguresAreTheWeightedPartLoadEfficienciesOfTheTables) {
    for (const auto& u : s_units) {
        if (!Cools(*u)) continue;
        const std::array<double, 4> eseer{u->GetESEEREER100(), u->GetESEEREER75(), u->GetESEEREER50(), u->GetESEEREER25()};
        const std::array<double, 4> cc{u->GetESEERCC100(), u->GetESEERCC75(), u->GetESEERCC50(), u->GetESEERCC25()};
        const std::array<double, 4> pi{u->GetESEERPI100(), u->GetESEERPI75(), u->GetESEERPI50(), u->GetESEERPI25()};
        for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(eseer[k], cc[k] / pi[k], 0.01) << u->GetName();
        EXPECT_NEAR(u->GetESEER(), 0.03 * eseer[0] + 0.33 * eseer[1] + 0.41 * eseer[2] + 0.23 * eseer[3], 0.01);
        const std::array<double, 4> iplv{u->GetIPLVEER100(), u->GetIPLVEER75(), u->GetIPLVEER50(), u->GetIPLVEER25()};
        EXPECT_NEAR(u->GetIPLV(), 0.01 * iplv[0] + 0.42 * iplv[1] + 0.45 * iplv[2] + 0.12 * iplv[3], 0.01);
        // Full load at the rating point is the table's own value.
        const double x = u->GetCondenserType() == 1 ? u->GetESEERAmb100() + 5.0 : u->GetESEERAmb100();
        const TNominal n = CoolingAt(*u, u->GetESEERLWE(), x);
        EXPECT_NEAR(cc[0], n.cap, n.cap * 0.005) << u->GetName();
        EXPECT_NEAR(pi[0], n.power, n.power * 0.005) << u->GetName();
        // Part load improves on full load for the weighted figure.
        EXPECT_GT(u->GetESEER(), eseer[0]) << u->GetName();
    }
}

TEST_F(CataloguePhysics, FlowLimitsAndPressureDropsFitTheDeltaTRange) {
    for (const auto& u : s_units) {
        if (u->GetFamily() == 16) continue;
        EXPECT_EQ(u->GetMinDTE(), 3.0);
        EXPECT_EQ(u->GetMaxDTE(), 8.0);
        double q = 0.0;
        if (Cools(*u)) q = CoolingAt(*u, 7.0, NominalCoolX(*u)).cap;
        const double flow = q * 60.0 / (4.186 * 5.0);
        if (Cools(*u) && u->GetFamily() != 2) {
            EXPECT_GT(flow, u->GetMinWFRE()) << u->GetName();
            EXPECT_LT(flow, u->GetMaxWFRE()) << u->GetName();
            // Every delta T of the range keeps the nominal flow inside the limits.
            EXPECT_GT(q * 60.0 / (4.186 * u->GetMaxDTE()), u->GetMinWFRE()) << u->GetName();
            EXPECT_LT(q * 60.0 / (4.186 * u->GetMinDTE()), u->GetMaxWFRE()) << u->GetName();
        }
        const auto rows = u->GetAllChOutCapacity();
        const Cls_ChOutCapacity* pd = Cls_ChOutCapacity::FindPolyOfType(rows, cttEvapPressureDrop);
        ASSERT_TRUE(pd) << u->GetName();
        const double fMid = (u->GetMinWFRE() + u->GetMaxWFRE()) / 2.0;
        EXPECT_GT(pd->Evaluate(fMid), 0.0);
        EXPECT_GT(pd->Evaluate(u->GetMaxWFRE()), pd->Evaluate(fMid));
        if (u->GetCondenserType() == 1) {
            EXPECT_TRUE(Cls_ChOutCapacity::FindPolyOfType(rows, cttCondPressureDrop));
        }
    }
}

// A few units carry data at the edge of what a selection accepts: curves
// crossing zero at low flows, exchangers narrower than their pumps, low-noise
// kits rated in one mode only. Every unit stays usable at its normal flows.
TEST_F(CataloguePhysics, AFewUnitsCarryEdgeDataAndAllStayUsableAtNormalFlows) {
    int nZeroCrossing = 0, nNarrowerThanPump = 0, nOneModeKits = 0, nUnits = 0;
    const auto all = RecordsAs<Cls_ChOptAllowed>(CTDbObject::GetAllRecords(Cls_ChOptAllowed::kClassID, false));
    std::map<std::int32_t, std::vector<const Cls_ChOptAllowed*>> combs;  // by unit ID
    for (const auto& comb : all) {
        std::int32_t nCls = 0, nObj = 0;
        comb->GetDevice_REF(nCls, nObj);
        combs[nObj].push_back(comb.get());
    }
    for (const auto& u : s_units) {
        if (u->GetFamily() == 16) continue;
        ++nUnits;
        const auto rows = u->GetAllChOutCapacity();
        const Cls_ChOutCapacity* pd = Cls_ChOutCapacity::FindPolyOfType(rows, cttEvapPressureDrop);
        ASSERT_TRUE(pd) << u->GetName();
        if (Cools(*u)) {
            // 5 K at 60 % to 130 % of the nominal capacity.
            const double f5 = CoolingAt(*u, 7.0, NominalCoolX(*u)).cap * 60.0 / (4.186 * 5.0);
            for (double share = 0.6; share <= 1.3; share += 0.05) {
                EXPECT_GT(pd->Evaluate(share * f5), 0.0) << u->GetName() << u->GetNameSuffix() << " at " << share;
            }
        }
        if (pd->Evaluate(u->GetMinWFRE()) <= 0.0) ++nZeroCrossing;
        for (const Cls_ChOptAllowed* comb : combs[u->GetID()]) {
            if (const auto pump = comb->GetTheChPumpData(); pump && pump->GetSelect1() < u->GetMinWFRE()) {
                ++nNarrowerThanPump;
                break;
            }
        }
        for (const Cls_ChOptAllowed* comb : combs[u->GetID()]) {
            const auto quiet = comb->GetTheChLowNoise();
            if (!quiet) continue;
            std::array<int, 4> perType{};
            for (const auto& row : quiet->GetAllChLowNoiseCapacity()) {
                ++perType.at(static_cast<std::size_t>(row->GetType() - cttCoolCap));
            }
            const auto has = [&](std::int32_t type) {
                return perType.at(static_cast<std::size_t>(type - cttCoolCap)) > 0;
            };
            const bool bCool = has(cttCoolCap) && has(cttCoolPI), bHeat = has(cttHeatCap) && has(cttHeatPI);
            if (Heats(*u) && Cools(*u) && bCool != bHeat) {
                ++nOneModeKits;
                break;
            }
        }
    }
    const std::map<std::string, int> counts{
        {"zero-crossing curves", nZeroCrossing}, {"pumps wider than the unit", nNarrowerThanPump},
        {"one-mode low-noise kits", nOneModeKits}};
    for (const auto& [szWhat, n] : counts) {
        EXPECT_GT(n, 0) << szWhat;
        EXPECT_LT(n * 20, nUnits) << szWhat << " on more than 5 % of the units";
    }
}

TEST_F(CataloguePhysics, PumpCurvesFallFromTheirShutOffHeadAndStayPositive) {
    for (const auto& pump : RecordsAs<Cls_ChPumpData>(CTDbObject::GetAllRecords(Cls_ChPumpData::kClassID, false))) {
        const double lo = pump->GetSelect1(), hi = pump->GetSelect2();
        ASSERT_LT(lo, hi);
        EXPECT_GT(pump->Evaluate(lo), pump->Evaluate(hi));
        EXPECT_GT(pump->Evaluate(hi), 0.0);
    }
}

TEST_F(CataloguePhysics, DefrostLowersHeatingOnlyBelowItsThreshold) {
    int nHeatPumps = 0;
    for (const auto& u : s_units) {
        const auto rows = u->GetAllChFreezeUp();
        if (u->GetFamily() != 2) {
            EXPECT_TRUE(rows.empty());
            continue;
        }
        ++nHeatPumps;
        ASSERT_FALSE(rows.empty());
        for (const auto& r : rows) {
            EXPECT_LE(r->GetCorr(), 1.0);
            EXPECT_EQ(r->GetCorr() == 1.0, r->GetTemp() > 5.0) << r->GetTemp();
        }
    }
    EXPECT_GT(nHeatPumps, 0);
}

TEST_F(CataloguePhysics, PointsAroundTheTableGiveTheEnvelopeAndTableCodes) {
    const auto it = std::find_if(s_units.begin(), s_units.end(), [](const auto& u) {
        return u->GetFamily() == 2 && u->GetCondenserType() == 0;
    });
    ASSERT_NE(it, s_units.end());
    const Cls_ChOutdoorUnit& u = **it;
    std::int32_t code = 0;
    const TPolyCapListCh cool = Table(u, cttCoolCap), heat = Table(u, cttHeatCap);
    // Between the table and the envelope: indicative only.
    EXPECT_EQ(cool.GetCapAt(true, false, 7.0, u.GetCIndUpperLimit() + 1.0, code), 0.0);
    EXPECT_EQ(code, errCoolOutsideTable);
    EXPECT_GT(cool.GetCapAt(true, true, 7.0, u.GetCIndUpperLimit() + 1.0, code), 0.0);
    EXPECT_EQ(cool.GetCapAt(true, false, 7.0, u.GetCMaxOTemp() + 1.0, code), 0.0);
    EXPECT_EQ(code, errCoolOutsideEnvelope);
    EXPECT_EQ(heat.GetCapAt(false, false, 45.0, u.GetHIndLowerLimit() - 1.0, code), 0.0);
    EXPECT_EQ(code, errHeatOutsideTable);
    EXPECT_EQ(heat.GetCapAt(false, false, 45.0, u.GetHMinOTemp() - 1.0, code), 0.0);
    EXPECT_EQ(code, errHeatOutsideEnvelope);
    // The cut corner: cold water with the hottest ambient of the envelope.
    EXPECT_EQ(cool.GetCapAt(true, false, u.GetCMinITemp(), u.GetCMaxOTemp(), code), 0.0);
    EXPECT_EQ(code, errCoolOutsideEnvelope);
}

}  // namespace
}  // namespace brumalis::testing
