#include "workflow/main_session.h"

#include <algorithm>
#include <cmath>

#include "workflow/plant_builder.h"
#include "workflow/selection_list.h"

namespace brumalis {
namespace {

// Every record of a class, withdrawn ones dropped.
template <class T>
CTRecordList<T> Filtered(CTRecordList<T> list) {
    std::erase_if(list, [](const auto& p) { return p->GetDeleted(); });
    return list;
}

template <class T>
CTRecordList<T> AllOf(CTBaseFactory& factory) {
    return RecordsAs<T>(CTDbObject::GetAllRecords(T::kClassID, false, &factory));
}

bool RefrigerantApplied(const Cls_ChOutdoorUnit& unit, const CTRecordList<Cls_Refrigerant>& refrigerants) {
    std::int32_t nCls = 0, nObj = 0;
    unit.GetRefrigerant_REF(nCls, nObj);
    return std::any_of(refrigerants.begin(), refrigerants.end(),
                       [nObj](const auto& p) { return p->GetID() == nObj; });
}

double SmallestDeviation(const TChillerData& d) {
    return std::min(std::fabs(d.CoolData.Deviation), std::fabs(d.HeatData.Deviation));
}

}  // namespace

TCapacityBand TCapacityBand::Of(double dRequired, double dNeg, double dPos) {
    return TCapacityBand{dRequired * (1.0 + dNeg), dRequired > 0.0 ? dRequired * (1.0 + dPos) : kUnboundedCapacity};
}

TMainSession::TMainSession() : v_plant(std::make_unique<TPlantBuilder>(*this)) {
    v_basket.SetOnChanged([this] { v_ProjectModified = true; });
}

TMainSession::~TMainSession() = default;

void TMainSession::ClearWork() {
    v_plant->RemovePlant();
    v_basket.Replace({});
}

void TMainSession::LoadCatalogue(CTBaseFactory& factory) {
    ClearWork();
    v_Limits = std::make_unique<Cls_ChLimits>(1, &factory);
    v_Outdoors = Filtered(AllOf<Cls_ChOutdoorUnit>(factory));
    v_Refrigerants = Filtered(Cls_Refrigerant::GetAppliedRefrigerants());
    v_Controllers = Filtered(AllOf<Cls_ChController>(factory));
    v_Compressors = Filtered(AllOf<Cls_ChCompressor>(factory));
    v_Options = Filtered(AllOf<Cls_ChOption>(factory));
    v_OptionsExcluded = AllOf<Cls_ChOptExcludes>(factory);
    v_OptionCodes = AllOf<Cls_ChOptionCode>(factory);
    std::stable_sort(v_OptionCodes.begin(), v_OptionCodes.end(),
                     [](const auto& a, const auto& b) { return a->GetDigitCode() < b->GetDigitCode(); });
    v_Powersupplies = Filtered(AllOf<Cls_PowerSupply>(factory));
    v_PSCombinations = AllOf<Cls_ChPSAllowed>(factory);
    v_Glycols = Filtered(AllOf<Cls_ChGlycol>(factory));
    SelectPreferredUnits();
    v_Candidates.clear();
    v_NonSelected.clear();
    v_Results.clear();
}

void TMainSession::SelectPreferredUnits() {
    v_PrefChillers.clear();
    for (auto& pUnit : v_Outdoors) {
        if (RefrigerantApplied(*pUnit, v_Refrigerants)) v_PrefChillers.push_back(pUnit.get());
    }
    // Also for units whose refrigerant was not allowed before: they have no
    // power supplies yet.
    Cls_ChOutdoorUnit::LoadAllPowerSupplies(v_PrefChillers, v_PSCombinations, v_Powersupplies);
}

int TMainSession::RunSelection(const TSelectionRequest& request) {
    ++v_runNumber;
    v_Candidates.clear();
    v_NonSelected.clear();
    v_Results.clear();
    v_CoolBand = TCapacityBand::Of(request.ReqCool, request.NegCooling, request.PosCooling);
    v_HeatBand = TCapacityBand::Of(request.ReqHeat, request.NegHeating, request.PosHeating);
    const TSoundArray distances = Cls_ChOutdoorUnit::GetInitSoundDistances();
    for (Cls_ChOutdoorUnit* pUnit : request.Units) {
        if (request.Allowed && !request.Allowed(TrimmedSuffix(*pUnit))) continue;
        pUnit->ResetUsedOptions(kSelectionSeqNr);
        Cls_ChOptAllowed *pTank = nullptr, *pPump = nullptr, *pLowNoise = nullptr, *pRecovery = nullptr,
                         *pRange = nullptr;
        pUnit->GetSelectedAttrOptionCombs(v_Options, kSelectionSeqNr, pTank, pPump, pLowNoise, pRecovery, pRange);
        const Cls_ChOption* pRangeOption = pUnit->GetSpecialOption(v_Options, kSelectionSeqNr, 8);
        const std::int32_t nCode = pUnit->IsCandidateChiller(
            kSelectionSeqNr, true, request.Temperatures, v_Controllers, request.CondenserBrine,
            request.CondenserPercent, distances, pPump, pLowNoise, pRecovery, pRangeOption, request.ReqCool,
            v_CoolBand.Min, v_CoolBand.Max, request.ReqHeat, v_HeatBand.Min, v_HeatBand.Max);
        (nCode == 0 ? v_Candidates : v_NonSelected).push_back(pUnit);
    }
    if (v_Candidates.empty()) return -1;
    Cls_ChOutdoorUnit::SortChillers(v_Candidates, kSelectionSeqNr, 1, true);
    Cls_ChOutdoorUnit* pBest = nullptr;
    double dBest = 0.0;
    for (Cls_ChOutdoorUnit* pUnit : v_Candidates) {
        if (static_cast<int>(v_Results.size()) >= request.MaxSolutions) break;
        v_Results.push_back(pUnit);
        const double dDeviation = SmallestDeviation(pUnit->GetChillerData(kSelectionSeqNr));
        if (!pBest || dDeviation < dBest) pBest = pUnit, dBest = dDeviation;
    }
    Cls_ChOutdoorUnit::SortChillers(v_Results, kSelectionSeqNr, 2, true);
    const auto it = std::find(v_Results.begin(), v_Results.end(), pBest);
    return it == v_Results.end() ? -1 : static_cast<int>(it - v_Results.begin());
}

}  // namespace brumalis
