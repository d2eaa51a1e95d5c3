// Cls_ChOutdoorUnit: tables, data sets and the performance calculation.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

#include "catalogue/freeze_up.h"
#include "catalogue/records.h"
#include "catalogue/units.h"

namespace brumalis {
namespace {

// Specific heat of water, kJ/(kg·K), with 1 kg = 1 l.
constexpr double kWaterHeat = 4.186;

// Flow (l/min) that carries dHeat (kW) at dDeltaT (K).
double FlowFor(double dHeat, double dDeltaT) { return dHeat * 60.0 / (kWaterHeat * dDeltaT); }

bool Outside(double v, double lo, double hi) { return v < lo || v > hi; }

// Deletes a row the tables do not use; a read-only catalogue keeps it, the
// lookup simply ignores it.
void RemoveSurplusRow(CTDbObject& row) {
    const CTDbEngine* pEngine = row.TableInfo().GetDbEngine();
    if (pEngine && !pEngine->IsReadOnly() && row.GetStatus() == stStored) row.Remove();
}

}  // namespace

// The unit's tables, loaded together on first use.
struct Cls_ChOutdoorUnit::TTables {
    std::array<std::unique_ptr<Cls_ChOutCapacity>, 2> pdPolys;     // types 1 and 2
    std::array<std::unique_ptr<TPolyCapListCh>, 4> capPITables;    // types 3 to 6
    std::array<std::optional<TPolynomial>, 2> pdCurves;            // their coefficients, for the hot path
    std::map<std::int32_t, std::array<std::unique_ptr<TPolyCapListCh>, 4>> lowNoiseTables;  // by combination ID
};

Cls_ChOutdoorUnit::Cls_ChOutdoorUnit(std::int32_t nObjID, CTBaseFactory* pFactory)
    : Cls_OutdoorDevice(kClassID, nObjID, pFactory) {}

Cls_ChOutdoorUnit::~Cls_ChOutdoorUnit() = default;

void Cls_ChOutdoorUnit::ClearCache() {
    v_AllPowerSupplies.clear();
    v_FreezeUpTable.reset();
    v_Doc.reset();
    v_Controller.reset();
    v_ControllerLoaded = false;
    v_Tables.reset();
}

TChillerDataSet* Cls_ChOutdoorUnit::FindDataSet(std::int32_t SeqNr) {
    for (auto& pSet : v_DataSetList) {
        if (pSet->v_SeqNr == SeqNr) return pSet.get();
    }
    return nullptr;
}

TChillerDataSet& Cls_ChOutdoorUnit::DataSet(std::int32_t SeqNr) {
    if (TChillerDataSet* pSet = FindDataSet(SeqNr)) return *pSet;
    v_DataSetList.push_back(std::make_unique<TChillerDataSet>(SeqNr));
    return *v_DataSetList.back();
}

CTRecordList<Cls_ChOptAllowed>& Cls_ChOutdoorUnit::GetOptCombs(std::int32_t SeqNr) {
    TChillerDataSet& set = DataSet(SeqNr);
    if (!set.v_OptionCombsLoaded) {
        set.v_OptionCombs = RecordsAs<Cls_ChOptAllowed>(ReferencingRecords(*this, Cls_ChOptAllowed::kClassID,
                                                                            Cls_DevOptCombination::fldDevice));
        set.v_OptionCombsLoaded = true;
    }
    return set.v_OptionCombs;
}

// ---- Tables

Cls_ChOutdoorUnit::TTables& Cls_ChOutdoorUnit::Tables() {
    if (v_Tables) return *v_Tables;
    v_Tables = std::make_unique<TTables>();
    CTRecordList<Cls_ChOutCapacity> rows = GetAllChOutCapacity();
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        if (a->GetType() != b->GetType()) return a->GetType() < b->GetType();
        return a->GetSelect1() < b->GetSelect1();
    });
    std::array<std::vector<TCapRow>, 4> lists;
    const bool bCoolingOnly = GetFamily() == famCoolingOnly;
    for (auto& pRow : rows) {
        const std::int32_t nType = pRow->GetType();
        if (nType == cttEvapPressureDrop || nType == cttCondPressureDrop) {
            auto& slot = v_Tables->pdPolys[static_cast<std::size_t>(nType - 1)];
            if (slot) {
                RemoveSurplusRow(*pRow);
            } else {
                slot = std::move(pRow);
            }
        } else if (nType < cttCoolCap || nType > cttHeatPI ||
                   (bCoolingOnly && (nType == cttHeatCap || nType == cttHeatPI))) {
            RemoveSurplusRow(*pRow);
        } else {
            lists[static_cast<std::size_t>(nType - cttCoolCap)].push_back(TCapRow::Of(*pRow));
        }
    }
    for (std::size_t i = 0; i < lists.size(); ++i) {
        v_Tables->capPITables[i] =
            std::make_unique<TPolyCapListCh>(*this, static_cast<std::int32_t>(i) + cttCoolCap, std::move(lists[i]));
    }
    for (std::size_t i = 0; i < 2; ++i) {
        if (v_Tables->pdPolys[i]) v_Tables->pdCurves[i] = v_Tables->pdPolys[i]->GetPolynomial();
    }
    return *v_Tables;
}

const TPolyCapListCh* Cls_ChOutdoorUnit::GetTable(std::int32_t nPolType) {
    if (nPolType < cttCoolCap || nPolType > cttHeatPI) return nullptr;
    return Tables().capPITables[static_cast<std::size_t>(nPolType - cttCoolCap)].get();
}

bool Cls_ChOutdoorUnit::HasCapTable(std::int32_t TableType) {
    const TPolyCapListCh* pTable = GetTable(TableType);
    return pTable && pTable->HasCapTableLoaded();
}

const TPolyCapListCh* Cls_ChOutdoorUnit::GetLNTable(const Cls_ChOptAllowed* TheOptComb, std::int32_t nPolType) {
    if (!TheOptComb || nPolType < cttCoolCap || nPolType > cttHeatPI) return nullptr;
    auto& tables = Tables().lowNoiseTables;
    auto it = tables.find(TheOptComb->GetID());
    if (it == tables.end()) it = tables.emplace(TheOptComb->GetID(), LoadLowNoiseTables(*TheOptComb)).first;
    return it->second[static_cast<std::size_t>(nPolType - cttCoolCap)].get();
}

std::array<std::unique_ptr<TPolyCapListCh>, 4> Cls_ChOutdoorUnit::LoadLowNoiseTables(
    const Cls_ChOptAllowed& TheOptComb) {
    std::array<std::unique_ptr<TPolyCapListCh>, 4> tables;
    const auto pLowNoise = TheOptComb.GetTheChLowNoise();
    if (!pLowNoise) return tables;
    CTRecordList<Cls_ChLowNoiseCapacity> rows = pLowNoise->GetAllChLowNoiseCapacity();
    if (rows.empty()) return tables;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a->GetSelect1() < b->GetSelect1(); });
    for (std::int32_t nType = cttCoolCap; nType <= cttHeatPI; ++nType) {
        std::vector<TCapRow> ofType;
        for (const auto& pRow : rows) {
            if (pRow->GetType() == nType) ofType.push_back(TCapRow::Of(*pRow));
        }
        tables[static_cast<std::size_t>(nType - cttCoolCap)] =
            std::make_unique<TPolyCapListCh>(*this, nType, std::move(ofType));
    }
    return tables;
}

const TPolyCapListCh* Cls_ChOutdoorUnit::GetCapPITable(const Cls_ChOptAllowed* TheOptComb, std::int32_t nPolType) {
    if (const TPolyCapListCh* pLowNoise = GetLNTable(TheOptComb, nPolType)) return pLowNoise;
    return GetTable(nPolType);
}

const Cls_ChOutCapacity* Cls_ChOutdoorUnit::GetPDPoly(std::int32_t PolType) {
    if (PolType != cttEvapPressureDrop && PolType != cttCondPressureDrop) return nullptr;
    return Tables().pdPolys[static_cast<std::size_t>(PolType - 1)].get();
}

void Cls_ChOutdoorUnit::SetPDPoly(std::int32_t PolType, std::unique_ptr<Cls_ChOutCapacity> ThePoly) {
    if (PolType != cttEvapPressureDrop && PolType != cttCondPressureDrop) return;
    TTables& tables = Tables();
    const auto ix = static_cast<std::size_t>(PolType - 1);
    tables.pdCurves[ix] = ThePoly ? std::optional<TPolynomial>(ThePoly->GetPolynomial()) : std::nullopt;
    tables.pdPolys[ix] = std::move(ThePoly);
}

double Cls_ChOutdoorUnit::EvaluatePD(std::int32_t PolType, double ArgParam) {
    if (PolType != cttEvapPressureDrop && PolType != cttCondPressureDrop) return 0.0;
    const std::optional<TPolynomial>& curve = Tables().pdCurves[static_cast<std::size_t>(PolType - 1)];
    return curve ? curve->Evaluate(ArgParam) : 0.0;
}

void Cls_ChOutdoorUnit::RemoveTable(std::int32_t nPolType) {
    if (nPolType < cttCoolCap || nPolType > cttHeatPI) return;
    for (auto& pRow : GetAllChOutCapacity()) {
        if (pRow->GetType() == nPolType) pRow->Remove();
    }
    if (nPolType == cttCoolCap || nPolType == cttCoolPI) {
        SetCIndLowerLimit(0.0);
        SetCIndUpperLimit(0.0);
    } else {
        SetHIndLowerLimit(0.0);
        SetHIndUpperLimit(0.0);
    }
    Update();
    v_Tables.reset();
}

double Cls_ChOutdoorUnit::CalcCap(std::int32_t TableType, double LWETemp, double AmbTemp, bool InCooling,
                                  bool Simulate, std::int32_t& ErrCode) {
    const TPolyCapListCh* pTable = GetTable(TableType);
    if (!pTable) return 0.0;
    return pTable->GetCapAt(InCooling, Simulate, LWETemp, AmbTemp, ErrCode);
}

void Cls_ChOutdoorUnit::GetPumpWFRLimits(const Cls_ChOptAllowed* PumpOptComb, double& WFRMin, double& WFRMax) {
    if (PumpOptComb) {
        if (const auto pPump = PumpOptComb->GetTheChPumpData()) {
            WFRMin = pPump->GetSelect1();
            WFRMax = pPump->GetSelect2();
            return;
        }
    }
    WFRMin = GetMinWFRE();
    WFRMax = GetMaxWFRE();
}

// ---- Capacity, power input and fluids

void Cls_ChOutdoorUnit::CoolingPoint(const TSelTempData& TempData, double& lwe, double& x) const {
    lwe = TempData.CoolLeavingE;
    x = GetCondenserType() == ctWaterCooled ? TempData.CoolLeavingC : TempData.Summer;
}

void Cls_ChOutdoorUnit::HeatingPoint(const TSelTempData& TempData, double& lwe, double& x) const {
    lwe = GetFamily() == famHeatingOnly ? TempData.HeatLeavingE : TempData.HeatLeavingC;
    x = GetCondenserType() == ctWaterCooled ? TempData.HeatLeavingC : TempData.Winter;
}

std::int32_t Cls_ChOutdoorUnit::CapPIAt(const Cls_ChOptAllowed* LNOptComb, bool InCooling, double lwe, double x,
                                        double dFactor, double MinReqCap, double MaxReqCap, double CapCorrection,
                                        double PICorrection, TRepCap& Data) {
    std::int32_t nCode = 0;
    const TPolyCapListCh* pCap = GetCapPITable(LNOptComb, InCooling ? cttCoolCap : cttHeatCap);
    Data.CapNoGlycol = pCap ? pCap->GetCapAt(InCooling, false, lwe, x, nCode) * dFactor : 0.0;
    Data.Cap = Data.CapNoGlycol * CapCorrection;
    Data.PINoGlycol = 0.0;
    if (Data.Cap > 0.0) {
        const TPolyCapListCh* pPI = GetCapPITable(LNOptComb, InCooling ? cttCoolPI : cttHeatPI);
        Data.PINoGlycol = pPI ? pPI->GetCapAt(InCooling, false, lwe, x, nCode) : 0.0;
        if (Data.Cap < MinReqCap || Data.Cap > MaxReqCap) nCode = InCooling ? 214 : 229;
    }
    Data.PI = Data.PINoGlycol * PICorrection;
    Data.EERCOP = Data.PI != 0.0 ? Data.Cap / Data.PI : 0.0;
    return nCode;
}

std::int32_t Cls_ChOutdoorUnit::GetCoolCapPI(const Cls_ChOptAllowed* LNOptComb, const TSelTempData& TempData,
                                             double MinReqCap, double MaxReqCap, double CapCorrection,
                                             double PICorrection, TRepCap& CoolData) {
    double lwe = 0.0, x = 0.0;
    CoolingPoint(TempData, lwe, x);
    return CapPIAt(LNOptComb, true, lwe, x, 1.0, MinReqCap, MaxReqCap, CapCorrection, PICorrection, CoolData);
}

void Cls_ChOutdoorUnit::GetCoolNomCapPI(const Cls_ChOptAllowed* LNOptComb, const Cls_ChLimits& Limits, double& Cap,
                                        double& PI) {
    const std::int32_t nCondenser = GetCondenserType();
    const double x = nCondenser == ctWaterCooled     ? Limits.GetCWCLW()
                     : nCondenser == ctCondenserless ? Limits.GetCondensing()
                                                     : Limits.GetSummer();
    NominalAt(LNOptComb, true, Limits.GetECLW(), x, Cap, PI);
}

void Cls_ChOutdoorUnit::GetHeatNomCapPI(const Cls_ChOptAllowed* LNOptComb, const Cls_ChLimits& Limits, double& Cap,
                                        double& PI) {
    const double lwe = GetFamily() == famHeatingOnly ? Limits.GetEHLW() : Limits.GetCAHLW();
    const double x = GetCondenserType() == ctWaterCooled ? Limits.GetCWHLW() : Limits.GetWinter();
    NominalAt(LNOptComb, false, lwe, x, Cap, PI);
}

void Cls_ChOutdoorUnit::NominalAt(const Cls_ChOptAllowed* LNOptComb, bool InCooling, double lwe, double x,
                                  double& Cap, double& PI) {
    std::int32_t nCode = 0;
    const TPolyCapListCh* pCap = GetCapPITable(LNOptComb, InCooling ? cttCoolCap : cttHeatCap);
    const TPolyCapListCh* pPI = GetCapPITable(LNOptComb, InCooling ? cttCoolPI : cttHeatPI);
    Cap = pCap ? pCap->GetCapAt(InCooling, false, lwe, x, nCode) : 0.0;
    PI = pPI ? pPI->GetCapAt(InCooling, false, lwe, x, nCode) : 0.0;
}

std::int32_t Cls_ChOutdoorUnit::GetEDeltaTFRPD(const Cls_ChOptAllowed* PumpOptComb, const TSelTempData& TempData,
                                               const TRepCap& CoolData, double EFRCorrection, double EPDCorrection,
                                               double CFRCorrection, double CPDCorrection, TRepFluid& Evaporator,
                                               TRepFluid& Condenser) {
    Evaporator.DeltaT = TempData.CoolDeltaTE;
    std::int32_t nCode = Outside(Evaporator.DeltaT, GetMinDTE(), GetMaxDTE()) ? 217 : 0;
    if (Evaporator.DeltaT > 0.0) {
        Evaporator.WFRNoGlycol = FlowFor(CoolData.CapNoGlycol, Evaporator.DeltaT);
        Evaporator.WFR = Evaporator.WFRNoGlycol * EFRCorrection;
    }
    double WFRMin = 0.0, WFRMax = 0.0;
    GetPumpWFRLimits(PumpOptComb, WFRMin, WFRMax);
    if (Outside(Evaporator.WFR, WFRMin, WFRMax)) {
        Evaporator.WFRNoGlycol = 0.0;
        Evaporator.PD = 0.0;
        if (nCode == 0) nCode = 224;
    } else {
        // The curve is over the flow without brine; the brine raises the drop.
        Evaporator.PD = EvaluatePD(cttEvapPressureDrop, Evaporator.WFRNoGlycol) * EPDCorrection;
    }
    if (nCode == 0) {
        if (Outside(Evaporator.WFR, GetMinWFRE(), GetMaxWFRE())) {
            nCode = 224;
        } else if (Evaporator.PD <= 0.0) {
            nCode = 237;
        }
    }
    if (GetCondenserType() != ctWaterCooled) return nCode;
    Condenser.DeltaT = TempData.CoolDeltaTC;
    if (Condenser.DeltaT > GetMaxDTC() || (nCode == 0 && Condenser.DeltaT < GetMinDTC())) nCode = 216;
    if (Condenser.DeltaT > 0.0) {
        Condenser.WFRNoGlycol = FlowFor(CoolData.CapNoGlycol + CoolData.PINoGlycol, Condenser.DeltaT);
        Condenser.WFR = Condenser.WFRNoGlycol * CFRCorrection;
    }
    Condenser.PD = EvaluatePD(cttCondPressureDrop, Condenser.WFRNoGlycol) * CPDCorrection;
    if (nCode == 0) {
        if (Outside(Condenser.WFR, GetMinWFRC(), GetMaxWFRC())) {
            nCode = 223;
        } else if (Condenser.PD <= 0.0) {
            nCode = 236;
        }
    }
    return nCode;
}

std::int32_t Cls_ChOutdoorUnit::GetCDeltaTFRPD(const Cls_ChOptAllowed* PumpOptComb, const TSelTempData& TempData,
                                               const TRepCap& HeatData, double EFRCorrection, double EPDCorrection,
                                               double CFRCorrection, double CPDCorrection, TRepFluid& Evaporator,
                                               TRepFluid& Condenser) {
    const bool bHeatingOnly = GetFamily() == famHeatingOnly;
    Evaporator.DeltaT = bHeatingOnly ? TempData.HeatDeltaTE : TempData.HeatDeltaTC;
    const double dBasis = bHeatingOnly ? HeatData.CapNoGlycol - HeatData.PINoGlycol : HeatData.CapNoGlycol;
    std::int32_t nCode = Outside(Evaporator.DeltaT, GetMinDTC(), GetMaxDTC()) ? 218 : 0;
    if (Evaporator.DeltaT > 0.0) {
        Evaporator.WFRNoGlycol = FlowFor(dBasis, Evaporator.DeltaT);
        Evaporator.WFR = Evaporator.WFRNoGlycol * CFRCorrection;
    }
    double WFRMin = 0.0, WFRMax = 0.0;
    GetPumpWFRLimits(PumpOptComb, WFRMin, WFRMax);
    if (Outside(Evaporator.WFR, WFRMin, WFRMax)) {
        Evaporator.WFRNoGlycol = 0.0;
        Evaporator.PD = 0.0;
        if (nCode == 0) nCode = 228;
    } else {
        // Unlike cooling, the heated side's curve is read at the flow with brine.
        Evaporator.PD = EvaluatePD(cttEvapPressureDrop, Evaporator.WFR) * CPDCorrection;
    }
    if (nCode == 0) {
        if (Outside(Evaporator.WFR, GetMinWFRE(), GetMaxWFRE())) {
            nCode = 226;
        } else if (Evaporator.PD <= 0.0) {
            nCode = 236;
        }
    }
    if (GetCondenserType() != ctWaterCooled) return nCode;
    Condenser.DeltaT = bHeatingOnly ? TempData.HeatDeltaTC : TempData.HeatDeltaTE;
    if (nCode == 0 && Outside(Condenser.DeltaT, GetMinDTE(), GetMaxDTE())) nCode = 219;
    if (Condenser.DeltaT > 0.0) {
        Condenser.WFRNoGlycol = FlowFor(HeatData.CapNoGlycol, Condenser.DeltaT);
        Condenser.WFR = Condenser.WFRNoGlycol * EFRCorrection;
    }
    Condenser.PD = EvaluatePD(cttCondPressureDrop, Condenser.WFRNoGlycol) * EPDCorrection;
    if (nCode == 0) {
        if (Outside(Condenser.WFR, GetMinWFRC(), GetMaxWFRC())) {
            nCode = 225;
        } else if (Condenser.PD <= 0.0) {
            nCode = 237;
        }
    }
    return nCode;
}

// ---- Data sets, sorting, status

TChillerData Cls_ChOutdoorUnit::GetChillerData(std::int32_t SeqNr) { return DataSet(SeqNr).v_DataSet; }

void Cls_ChOutdoorUnit::SetChillerData(std::int32_t SeqNr, const TChillerData& DataSet_) {
    DataSet(SeqNr).v_DataSet = DataSet_;
}

void Cls_ChOutdoorUnit::RemoveChillerData(std::int32_t SeqNr) {
    std::erase_if(v_DataSetList, [SeqNr](const auto& pSet) { return pSet->v_SeqNr == SeqNr; });
}

void Cls_ChOutdoorUnit::CopyChillerData(std::int32_t SeqNrFrom, std::int32_t SeqNrTo) {
    if (SeqNrFrom == SeqNrTo) return;
    TChillerDataSet& from = DataSet(SeqNrFrom);
    TChillerDataSet& to = DataSet(SeqNrTo);
    to.v_DataSet = from.v_DataSet;
    to.v_Price = from.v_Price;
    to.v_UsedController = from.v_UsedController;
    const CTRecordList<Cls_ChOptAllowed>& fromCombs = GetOptCombs(SeqNrFrom);
    CTRecordList<Cls_ChOptAllowed>& toCombs = GetOptCombs(SeqNrTo);
    for (const auto& pFrom : fromCombs) {
        for (auto& pTo : toCombs) {
            if (pTo->GetID() != pFrom->GetID()) continue;
            pTo->Calculated = pFrom->Calculated;
            pTo->Selected = pFrom->Selected;
            pTo->SetIsStandard(pFrom->GetIsStandard());
        }
    }
    Cls_ChController* pController = from.v_UsedController ? from.v_UsedController : GetController();
    if (pController) pController->CopyCorrections(SeqNrFrom, SeqNrTo);
    for (Cls_ChGlycol* pBrine : {from.v_DataSet.Evaporator.Brine, from.v_DataSet.Condenser.Brine}) {
        if (pBrine) pBrine->CopyCorrections(SeqNrFrom, SeqNrTo);
    }
}

Cls_ChController* Cls_ChOutdoorUnit::GetController() {
    if (!v_ControllerLoaded) {
        v_Controller = GetChController();
        v_ControllerLoaded = true;
    }
    return v_Controller.get();
}

namespace {

// Deviations beyond ±100 % count as none in the deviation keys.
double Capped(double dDeviation) { return std::fabs(dDeviation) > 100.0 ? 0.0 : dDeviation; }

double SortKey(Cls_ChOutdoorUnit& unit, std::int32_t SortTag) {
    TChillerDataSet& set = unit.DataSet(unit.v_SortSeqNr);
    const TChillerData& d = set.v_DataSet;
    switch (SortTag) {
        case 1: return std::fabs(Capped(d.CoolData.Deviation)) + std::fabs(Capped(d.HeatData.Deviation));
        case 2: return Capped(d.CoolData.Deviation) + Capped(d.HeatData.Deviation);
        case 3: return set.v_Price;
        case 4: return d.CoolData.EERCOP;
        case 5: return d.HeatData.EERCOP;
        case 6: return d.ESEER;
        case 7: return d.IPLV;
        default: return d.SoundPower;
    }
}

}  // namespace

void Cls_ChOutdoorUnit::SortChillers(std::vector<Cls_ChOutdoorUnit*>& TheChillers, std::int32_t SeqNr,
                                     std::int32_t SortTag, bool SortAscending) {
    for (Cls_ChOutdoorUnit* pUnit : TheChillers) pUnit->v_SortSeqNr = SeqNr;
    if (SortTag < 1 || SortTag > 8) return;
    std::vector<double> keys;
    keys.reserve(TheChillers.size());
    for (Cls_ChOutdoorUnit* pUnit : TheChillers) keys.push_back(SortKey(*pUnit, SortTag));
    const auto before = [SortAscending](double a, double b) { return SortAscending ? a < b : a > b; };
    // The object list's gap sort: equal keys are never exchanged.
    std::size_t gap = TheChillers.size();
    while (gap > 1) {
        gap /= 2;
        bool bExchanged = true;
        while (bExchanged) {
            bExchanged = false;
            for (std::size_t i = 0; i + gap < TheChillers.size(); ++i) {
                if (!before(keys[i + gap], keys[i])) continue;
                std::swap(keys[i], keys[i + gap]);
                std::swap(TheChillers[i], TheChillers[i + gap]);
                bExchanged = true;
            }
        }
    }
}

std::int32_t Cls_ChOutdoorUnit::GetStatusLight(std::int32_t SeqNr) {
    const std::int32_t nCode = DataSet(SeqNr).v_DataSet.ErrCode;
    if (nCode == errCoolOutsideTable || nCode == errHeatOutsideTable) return 1;
    if (nCode == errNoCapacityTable || nCode == errCoolOutsideEnvelope || nCode == errHeatOutsideEnvelope) return 2;
    return 0;
}

void Cls_ChOutdoorUnit::AnalyzeErrCode(std::int32_t ErrCode, std::int32_t SeqNr, const Cls_ChOptAllowed* PumpOptComb,
                                       std::int32_t& MsgNr, std::vector<std::string>& Params) {
    Params.clear();
    MsgNr = ErrCode;
    const TChillerData& d = DataSet(SeqNr).v_DataSet;
    if (ErrCode == 214 || ErrCode == 229) {
        MsgNr = 212;
    } else if (ErrCode == 231) {
        Params = {GetName(), TU_Form::PutDimensionedText(U_Airflow, true, d.HRCondenser.WFR / 60.0)};
    } else if (ErrCode == 247 || ErrCode == 248) {
        double WFRMin = 0.0, WFRMax = 0.0;
        GetPumpWFRLimits(PumpOptComb, WFRMin, WFRMax);
        Params = {GetName(), TU_Form::PutDimensionedText(U_Airflow, true, WFRMin / 60.0), TU_Form::PutDimensionedText(U_Airflow, true, WFRMax / 60.0), TU_Form::PutDimensionedText(U_Airflow, true, d.Evaporator.WFR / 60.0)};
    }
}

// ---- Options

Cls_ChOptAllowed* Cls_ChOutdoorUnit::GetSpecificOptComb(std::int32_t OptCls, std::int32_t OptObj,
                                                        std::int32_t SeqNr) {
    for (auto& pComb : GetOptCombs(SeqNr)) {
        std::int32_t nCls = 0, nObj = 0;
        pComb->GetDeviceOption_REF(nCls, nObj);
        if (nCls == OptCls && nObj == OptObj) return pComb.get();
    }
    return nullptr;
}

Cls_ChOption* OptionOf(const Cls_ChOptAllowed& comb, const CTRecordList<Cls_ChOption>& TheOptions) {
    std::int32_t nCls = 0, nObj = 0;
    comb.GetDeviceOption_REF(nCls, nObj);
    for (const auto& pOption : TheOptions) {
        if (pOption->GetID() == nObj && pOption->TableIndex() == nCls) return pOption.get();
    }
    return nullptr;
}

std::vector<Cls_ChOptAllowed*> Cls_ChOutdoorUnit::GetSpecialOptCombs(const CTRecordList<Cls_ChOption>& TheOptions,
                                                                     std::int32_t SeqNr, std::int32_t OptType) {
    std::vector<Cls_ChOptAllowed*> found;
    for (auto& pComb : GetOptCombs(SeqNr)) {
        const Cls_ChOption* pOption = OptionOf(*pComb, TheOptions);
        if (pOption && pOption->GetType() == OptType) found.push_back(pComb.get());
    }
    return found;
}

bool Cls_ChOutdoorUnit::HasSpecialOptCombs(const CTRecordList<Cls_ChOption>& TheOptions, std::int32_t SeqNr,
                                           std::int32_t OptType) {
    return !GetSpecialOptCombs(TheOptions, SeqNr, OptType).empty();
}

Cls_ChOption* Cls_ChOutdoorUnit::GetSpecialOption(const CTRecordList<Cls_ChOption>& TheOptions, std::int32_t SeqNr,
                                                  std::int32_t OptType) {
    const std::vector<Cls_ChOptAllowed*> combs = GetSpecialOptCombs(TheOptions, SeqNr, OptType);
    return combs.empty() ? nullptr : OptionOf(*combs.front(), TheOptions);
}

void Cls_ChOutdoorUnit::GetSelectedAttrOptionCombs(const CTRecordList<Cls_ChOption>& TheOptions, std::int32_t SeqNr,
                                                   Cls_ChOptAllowed*& TankOptComb, Cls_ChOptAllowed*& PumpOptComb,
                                                   Cls_ChOptAllowed*& LNOptComb, Cls_ChOptAllowed*& HROptComb,
                                                   Cls_ChOptAllowed*& OROptComb) {
    TankOptComb = PumpOptComb = LNOptComb = HROptComb = OROptComb = nullptr;
    for (auto& pComb : GetOptCombs(SeqNr)) {
        if (!pComb->GetSelected()) continue;
        const Cls_ChOption* pOption = OptionOf(*pComb, TheOptions);
        if (!pOption) continue;
        switch (pOption->GetType()) {
            case 7: TankOptComb = pComb.get(); break;
            case 4: PumpOptComb = pComb.get(); break;
            case 2: LNOptComb = pComb.get(); break;
            case 6: HROptComb = pComb.get(); break;
            case 8: OROptComb = pComb.get(); break;
            default: break;
        }
    }
}

void Cls_ChOutdoorUnit::ResetUsedOptions(std::int32_t SeqNr) {
    TChillerDataSet& set = DataSet(SeqNr);
    if (!set.v_OptionCombsLoaded) return;
    for (auto& pComb : set.v_OptionCombs) {
        pComb->Selected = false;
        pComb->Calculated = false;
    }
}

void Cls_ChOutdoorUnit::ResetStdPumpOption(const CTRecordList<Cls_ChOption>& TheOptions, const Cls_ChOption* NewStd,
                                           std::int32_t SeqNr) {
    if (GetHasOptionCodes()) return;
    for (Cls_ChOptAllowed* pComb : GetSpecialOptCombs(TheOptions, SeqNr, 4)) {
        const Cls_ChOption* pOption = OptionOf(*pComb, TheOptions);
        const bool bIsNew = NewStd && pOption && pOption->GetID() == NewStd->GetID();
        pComb->Selected = bIsNew;
        pComb->Calculated = bIsNew;
        if (!bIsNew) pComb->SetIsStandard(false);
    }
}

std::string Cls_ChOutdoorUnit::GetOptionCode(std::int32_t SeqNr, const CTRecordList<Cls_ChOptionCode>& OptionCodes) {
    const CTRecordList<Cls_ChOptAllowed>& combs = GetOptCombs(SeqNr);
    std::string code;
    for (const auto& pPosition : OptionCodes) code += pPosition->GetOptionDigitCode(combs);
    const auto first = code.find_first_not_of(' ');
    code = first == std::string::npos ? std::string() : code.substr(first, code.find_last_not_of(' ') - first + 1);
    return code + GetNameSuffix();
}

void Cls_ChOutdoorUnit::Remove() {
    for (auto& pSupply : GetAllDevPSAllowed()) pSupply->Remove();
    for (auto& pComb : RecordsAs<Cls_ChOptAllowed>(
             ReferencingRecords(*this, Cls_ChOptAllowed::kClassID, Cls_DevOptCombination::fldDevice))) {
        pComb->RemoveWithAttachedData();
    }
    for (auto& pRow : GetAllChFreezeUp()) pRow->Remove();
    for (auto& pRow : GetAllChOutCapacity()) pRow->Remove();
    for (auto& pRow : GetAllChDeviceHR()) pRow->Remove();
    ClearCache();
    CTDbObject::Remove();
}

}  // namespace brumalis
