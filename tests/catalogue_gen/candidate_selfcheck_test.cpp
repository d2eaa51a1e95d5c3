// The shipped catalogue through the program's own candidate test: every unit
// asked for its own nominal capacity, and each result code reached by some
// unit under some conditions.
#include <map>
#include <set>

#include "catalogue/user_dialog.h"
#include "tests/catalogue_gen/shipped_catalogue.h"

namespace brumalis::testing {
namespace {

class CandidateSelfCheck : public ShippedCatalogue {
protected:
    void SetUp() override {
        limits = std::make_unique<Cls_ChLimits>(1, s_factory.get());
        controllers = RecordsAs<Cls_ChController>(CTDbObject::GetAllRecords(Cls_ChController::kClassID, false,
                                                                              s_factory.get()));
        options = RecordsAs<Cls_ChOption>(CTDbObject::GetAllRecords(Cls_ChOption::kClassID, false, s_factory.get()));
        auto brines = RecordsAs<Cls_ChGlycol>(CTDbObject::GetAllRecords(Cls_ChGlycol::kClassID, false, s_factory.get()));
        if (!brines.empty()) brine = std::move(brines.front());
    }
    void TearDown() override {
        for (auto& pUnit : s_units) {
            pUnit->ResetUsedOptions(1);
            pUnit->RemoveChillerData(1);  // the data sets point into this test's controllers
        }
        controllers.clear();
        options.clear();
        brine.reset();
        limits.reset();
    }

    // The limits' nominal conditions for the unit's kind.
    TSelTempData Nominal(const Cls_ChOutdoorUnit& u) const {
        TSelTempData t;
        t.CoolLeavingE = limits->GetECLW();
        t.CoolDeltaTE = limits->GetECEW() - limits->GetECLW();
        t.CoolLeavingC = limits->GetCWCLW();
        t.CoolDeltaTC = limits->GetCWCLW() - limits->GetCWCEW();
        t.Summer = u.GetCondenserType() == 2 ? limits->GetCondensing() : limits->GetSummer();
        t.HeatLeavingE = limits->GetEHLW();
        t.HeatDeltaTE = limits->GetEHEW() - limits->GetEHLW();
        t.HeatLeavingC = u.GetCondenserType() == 1 && u.GetFamily() != 1 ? limits->GetCWHLW() : limits->GetCAHLW();
        t.HeatDeltaTC = 5.0;
        t.Winter = limits->GetWinter();
        t.HRLeaving = limits->GetCACLW();
        t.HRDeltaT = limits->GetCACLW() - limits->GetCACEW();
        t.SelectCooling = u.GetFamily() != 8;
        return t;
    }

    std::int32_t Run(Cls_ChOutdoorUnit& u, const TSelTempData& t, double dCool, double dHeat,
                     Cls_ChOptAllowed* pPump = nullptr) {
        const double dMinCool = dCool * 0.8, dMaxCool = dCool > 0.0 ? dCool * 1.2 : kUnboundedCapacity;
        const double dMinHeat = dHeat * 0.8, dMaxHeat = dHeat > 0.0 ? dHeat * 1.2 : kUnboundedCapacity;
        return u.IsCandidateChiller(1, true, t, controllers, nullptr, 0.0, Cls_ChOutdoorUnit::GetInitSoundDistances(),
                                    pPump, nullptr, nullptr, nullptr, dCool, dMinCool, dMaxCool, dHeat, dMinHeat,
                                    dMaxHeat);
    }

    // The unit's own nominal capacity as the requirement.
    std::int32_t RunNominal(Cls_ChOutdoorUnit& u, double dScale = 1.0) {
        double cap = 0.0, pi = 0.0;
        const TSelTempData t = Nominal(u);
        if (t.SelectCooling) {
            u.GetCoolNomCapPI(nullptr, *limits, cap, pi);
            return Run(u, t, cap * dScale, 0.0);
        }
        u.GetHeatNomCapPI(nullptr, *limits, cap, pi);
        return Run(u, t, 0.0, cap * dScale);
    }

    std::unique_ptr<Cls_ChLimits> limits;
    CTRecordList<Cls_ChController> controllers;
    CTRecordList<Cls_ChOption> options;
    std::unique_ptr<Cls_ChGlycol> brine;
};

TEST_F(CandidateSelfCheck, NearlyEveryUnitIsACandidateForItsOwnNominalCapacity) {
    std::map<std::int32_t, int> codes;
    for (auto& pUnit : s_units) ++codes[RunNominal(*pUnit)];
    const int nUnits = static_cast<int>(s_units.size());
    std::string reasons;
    for (const auto& [nCode, nCount] : codes) reasons += " " + std::to_string(nCode) + "×" + std::to_string(nCount);
    EXPECT_GE(codes[0] * 100, nUnits * 95) << "codes:" << reasons;
    RecordProperty("codes", reasons);
}

// Conditions under which some unit of the catalogue answers a code.
TEST_F(CandidateSelfCheck, EveryResultCodeIsReachedBySomeUnit) {
    std::map<std::int32_t, std::string> reached;
    const auto note = [&](std::int32_t nCode, const Cls_ChOutdoorUnit& u) {
        if (!reached.count(nCode)) reached[nCode] = u.GetName() + u.GetNameSuffix();
    };
    for (auto& pUnit : s_units) {
        Cls_ChOutdoorUnit& u = *pUnit;
        note(RunNominal(u, 2.0), u);  // 214 / 229: the capacity is too small
        const TSelTempData nominal = Nominal(u);
        double cap = 0.0, pi = 0.0;
        u.GetCoolNomCapPI(nullptr, *limits, cap, pi);
        for (const auto& change : std::vector<std::function<void(TSelTempData&)>>{
                 [](TSelTempData& t) { t.CoolDeltaTE = 1.0, t.HeatDeltaTC = 1.0; },        // 217, 218
                 [](TSelTempData& t) { t.CoolDeltaTC = 12.0, t.HeatDeltaTC = 12.0; },      // 216, 218, 220
                 [](TSelTempData& t) { t.HeatDeltaTE = 12.0; },                            // 219
                 [](TSelTempData& t) { t.CoolDeltaTE = 3.0, t.HeatDeltaTC = 3.0, t.HeatDeltaTE = 3.0; },
                 [](TSelTempData& t) { t.CoolDeltaTE = 8.0, t.HeatDeltaTC = 8.0, t.HeatDeltaTE = 8.0; },
                 [](TSelTempData& t) { t.CoolDeltaTC = 3.0; },                             // 223
                 [](TSelTempData& t) { t.Summer = 60.0, t.Winter = -40.0; },               // 252, 254
                 [](TSelTempData& t) { t.CoolLeavingE = -9.5, t.HeatLeavingC = 25.5; },     // 251, 253
                 [](TSelTempData& t) { t.HeatLeavingC = 75.0; },                           // 230
                 [](TSelTempData& t) { t.HeatDeltaTC = 0.0; },                             // 220
             }) {
            TSelTempData t = nominal;
            change(t);
            note(Run(u, t, 0.0, 0.0), u);
            t.SelectCooling = false;
            note(Run(u, t, 0.0, 0.0), u);
        }
        // Inside the heating envelope beyond the table's last row or x.
        if (const TPolyCapListCh* pHeat = u.GetTable(cttHeatCap); pHeat && pHeat->HasCapTableLoaded()) {
            double lo = 0.0, hi = 0.0, xlo = 0.0, xhi = 0.0;
            pHeat->GetLWETempRange(lo, hi);
            pHeat->GetXRange(xlo, xhi);
            TSelTempData t = nominal;
            t.SelectCooling = false;
            (u.GetFamily() == 8 ? t.HeatLeavingE : t.HeatLeavingC) = (hi + u.GetHMaxITemp()) / 2.0;
            note(Run(u, t, 0.0, 0.0), u);
            t = nominal;
            t.SelectCooling = false;
            (u.GetCondenserType() == 1 ? t.HeatLeavingC : t.Winter) = (xhi + u.GetHMaxOTemp()) / 2.0;
            note(Run(u, t, 0.0, 0.0), u);
        }
        // A brine raising the flows beyond the unit's range.
        TControllerDataSet ctrl = Cls_ChController::GetInitCorrections();
        ctrl.FRCorrection = 1.6;
        for (auto& pController : controllers) pController->SetCorrections(1, ctrl);
        TSelTempData lowDeltaT = nominal;
        lowDeltaT.CoolDeltaTE = 3.0, lowDeltaT.CoolDeltaTC = 3.0;
        lowDeltaT.HeatDeltaTE = 3.0, lowDeltaT.HeatDeltaTC = 3.0;
        note(Run(u, lowDeltaT, 0.0, 0.0), u);
        lowDeltaT.SelectCooling = false;
        note(Run(u, lowDeltaT, 0.0, 0.0), u);
        lowDeltaT.SelectCooling = nominal.SelectCooling;
        for (auto& pController : controllers) pController->SetCorrections(1, Cls_ChController::GetInitCorrections());
        if (u.GetCondenserType() == 1 && brine) {
            brine->SetCorrections(1, TCorrectionData{1.0, 1.0, 1.6, 1.0});
            note(u.IsCandidateChiller(1, true, lowDeltaT, controllers, brine.get(), 30.0,
                                      Cls_ChOutdoorUnit::GetInitSoundDistances(), nullptr, nullptr, nullptr, nullptr,
                                      0.0, 0.0, kUnboundedCapacity, 0.0, 0.0, kUnboundedCapacity),
                 u);
            brine->SetCorrections(1, Cls_ChGlycol::GetInitCorrections());
        }
        if (u.GetFamily() == 4 && !reached.count(233)) {
            CTRecordList<Cls_ChController> none;
            note(u.IsCandidateChiller(1, true, nominal, none, nullptr, 0.0, Cls_ChOutdoorUnit::GetInitSoundDistances(),
                                      nullptr, nullptr, nullptr, nullptr, cap, 0.0, kUnboundedCapacity, 0.0, 0.0,
                                      kUnboundedCapacity),
                 u);
        }
    }
    // A pump whose range the unit's flow leaves, once below and once above.
    bool bPumpChecked = false;
    for (auto& pUnit : s_units) {
        const std::vector<Cls_ChOptAllowed*> pumps = pUnit->GetSpecialOptCombs(options, 1, 4);
        if (pumps.empty() || pUnit->GetFamily() != 4) continue;
        for (double dDeltaT : {2.0, 12.0}) {
            TSelTempData t = Nominal(*pUnit);
            t.CoolDeltaTE = dDeltaT;
            pumps.front()->Selected = true;
            note(pUnit->RecalcChiller(1, t, controllers, nullptr, 0.0, Cls_ChOutdoorUnit::GetInitSoundDistances(),
                                      pumps.front(), options, 0.0, 0.0, kUnboundedCapacity, 0.0, 0.0,
                                      kUnboundedCapacity),
                 *pUnit);
        }
        bPumpChecked = reached.count(247) && reached.count(248);
        if (bPumpChecked) break;
    }
    EXPECT_TRUE(bPumpChecked) << "no unit's pump range was left below and above";
    // A heat-recovery option asked for a flow its exchanger curve does not cover.
    for (auto& pUnit : s_units) {
        const std::vector<Cls_ChOptAllowed*> recoveries = pUnit->GetSpecialOptCombs(options, 1, 6);
        if (recoveries.empty() || reached.count(231)) continue;
        TSelTempData t = Nominal(*pUnit);
        t.HRDeltaT = 0.2;
        recoveries.front()->Selected = true;
        note(pUnit->RecalcChiller(1, t, controllers, nullptr, 0.0, Cls_ChOutdoorUnit::GetInitSoundDistances(),
                                  recoveries.front(), options, 0.0, 0.0, kUnboundedCapacity, 0.0, 0.0,
                                  kUnboundedCapacity),
             *pUnit);
    }
    // A heat pump's pump allowing more flow than the unit in heating: at part
    // capacity (colder air) and a high delta T the flow falls below the unit's
    // range while the pump still accepts it.
    for (auto& pUnit : s_units) {
        const std::vector<Cls_ChOptAllowed*> pumps = pUnit->GetSpecialOptCombs(options, 1, 4);
        if (pumps.empty() || pUnit->GetFamily() != 2 || reached.count(226)) continue;
        for (double dWinter = 7.0; dWinter >= -10.0 && !reached.count(226); dWinter -= 1.0) {
            for (double dDeltaT = 3.0; dDeltaT <= 8.0; dDeltaT += 0.25) {
                TSelTempData t = Nominal(*pUnit);
                t.SelectCooling = false;
                t.Winter = dWinter;
                t.HeatDeltaTC = dDeltaT;
                note(pUnit->IsCandidateChiller(1, false, t, controllers, nullptr, 0.0,
                                               Cls_ChOutdoorUnit::GetInitSoundDistances(), pumps.front(), nullptr,
                                               nullptr, nullptr, 0.0, 0.0, kUnboundedCapacity, 0.0, 0.0,
                                               kUnboundedCapacity),
                     *pUnit);
            }
        }
    }
    // A pressure-drop curve crossing zero at a low flow still inside the
    // unit's range: the highest delta T at part capacity, in cooling (237)
    // and, on the heated water, in heating (236).
    for (auto& pUnit : s_units) {
        if (pUnit->GetFamily() != 2 || (reached.count(236) && reached.count(237))) continue;
        for (double dWater = 7.0; dWater >= 1.0; dWater -= 2.0) {
            for (double dAir = 46.0; dAir >= 35.0; dAir -= 1.0) {
                TSelTempData t = Nominal(*pUnit);
                t.SelectCooling = true;
                t.CoolLeavingE = dWater;
                t.Summer = dAir;
                t.CoolDeltaTE = pUnit->GetMaxDTE();
                note(Run(*pUnit, t, 0.0, 0.0), *pUnit);
            }
        }
        for (double dAir = 7.0; dAir >= -15.0; dAir -= 1.0) {
            TSelTempData t = Nominal(*pUnit);
            t.SelectCooling = false;
            t.Winter = dAir;
            t.HeatDeltaTC = pUnit->GetMaxDTC();
            note(Run(*pUnit, t, 0.0, 0.0), *pUnit);
        }
    }
    // A low-noise kit rated in heating only: cooling with it finds an empty
    // table, at 0 °C leaving water the empty table itself (250).
    for (auto& pUnit : s_units) {
        if (reached.count(250)) break;
        for (Cls_ChOptAllowed* pQuiet : pUnit->GetSpecialOptCombs(options, 1, 2)) {
            TSelTempData t = Nominal(*pUnit);
            t.SelectCooling = true;
            t.CoolLeavingE = 0.0;
            note(pUnit->IsCandidateChiller(1, false, t, controllers, nullptr, 0.0,
                                           Cls_ChOutdoorUnit::GetInitSoundDistances(), nullptr, pQuiet, nullptr,
                                           nullptr, 0.0, 0.0, kUnboundedCapacity, 0.0, 0.0, kUnboundedCapacity),
                 *pUnit);
        }
    }
    std::string all;
    for (const auto& [nCode, szUnit] : reached) all += " " + std::to_string(nCode) + " (" + szUnit + ")";
    RecordProperty("reached", all);
    for (std::int32_t nCode :
         {214, 216, 217, 218, 219, 220, 223, 224, 225, 226, 228, 229, 230, 231, 233, 236, 237, 247, 248, 250, 251,
          252, 253, 254}) {
        EXPECT_TRUE(reached.count(nCode)) << nCode << " not reached; reached:" << all;
    }
}

}  // namespace
}  // namespace brumalis::testing
