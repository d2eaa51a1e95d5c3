// Cls_ChOutdoorUnit: heat recovery (built-in or by option) and freeze-up factors.
#include <algorithm>
#include <functional>
#include <span>
#include <vector>

#include "catalogue/freeze_up.h"
#include "catalogue/records.h"

namespace brumalis {
namespace {

constexpr std::int32_t kFamilyHeatRecovery = 1;
constexpr std::int32_t errNoHRData = 230;
constexpr std::int32_t errNoHRDeltaT = 220;
constexpr double kWaterHeatCapacity = 4.186;  // kJ/(kg·K), 1 kg = 1 l
// LWE-keyed rows are read at this leaving evaporator temperature whenever the
// target lies outside them (built-in recovery asks for no LWE at all).
constexpr double kDefaultLWE = 7.0;

using THRRows = CTRecordList<Cls_ChHRTotalPartial>;
using THRRowSpan = std::span<const std::unique_ptr<Cls_ChHRTotalPartial>>;
using THRKey = double (Cls_ChHRTotalPartial::*)() const;

// Cooling capacity, power input and recovered heat read from the rows.
struct THRValues {
    double CC = 0.0;
    double PI = 0.0;
    double HR = 0.0;
};

THRValues ValuesOf(const Cls_ChHRTotalPartial& row) {
    return {row.GetCoolCap(), row.GetCoolPI(), row.GetHeatRecovered()};
}

THRValues Blend(const THRValues& a, const THRValues& b, double w) {
    return {a.CC + (b.CC - a.CC) * w, a.PI + (b.PI - a.PI) * w, a.HR + (b.HR - a.HR) * w};
}

double SortKey(const Cls_ChHRTotalPartial& row) { return row.GetLWE() * 10000.0 + row.GetEWC() * 100.0 + row.GetLWC(); }

void SortRows(THRRows& rows) {
    std::ranges::stable_sort(rows, {}, [](const auto& pRow) { return SortKey(*pRow); });
}

template <class TRow>
THRRows AsHRRows(CTRecordList<TRow> typed) {
    THRRows rows;
    rows.reserve(typed.size());
    for (auto& pRow : typed) rows.push_back(std::move(pRow));
    return rows;
}

// One group (ascending LWC) at the target LWC; 0 when the target lies above every row.
THRValues GroupAt(THRRowSpan group, double t) {
    const auto it = std::ranges::find_if(group, [t](const auto& pRow) { return pRow->GetLWC() >= t; });
    if (it == group.end()) return {};
    const Cls_ChHRTotalPartial& row = **it;
    if (it == group.begin() || row.GetLWC() == (*std::prev(it))->GetLWC()) return ValuesOf(row);
    const Cls_ChHRTotalPartial& prev = **std::prev(it);
    return Blend(ValuesOf(prev), ValuesOf(row), (t - prev.GetLWC()) / (row.GetLWC() - prev.GetLWC()));
}

// The runs of rows with equal first key, in row order.
std::vector<THRRowSpan> Groups(const THRRows& rows, THRKey key) {
    std::vector<THRRowSpan> groups;
    std::size_t nBegin = 0;
    for (std::size_t k = 1; k <= rows.size(); ++k) {
        if (k == rows.size() || (*rows[k].*key)() != (*rows[nBegin].*key)()) {
            groups.emplace_back(rows.data() + nBegin, k - nBegin);
            nBegin = k;
        }
    }
    return groups;
}

double KeyOf(THRRowSpan group, THRKey key) { return (*group.front().*key)(); }

// Interpolation over groups keyed by EWC or LWE (target e), each group over LWC (target t).
// A target outside the groups is clamped, or replaced by the default LWE first.
THRValues InterpolateTwoLevel(const THRRows& rows, THRKey key, bool bUseDefaultLWE, double e, double t) {
    const double first = (*rows.front().*key)();
    const double last = (*rows.back().*key)();
    if (first == last) return GroupAt(rows, t);
    if (bUseDefaultLWE && (e < first || e > last)) e = kDefaultLWE;
    // The default itself may lie outside a table that does not cover 7 °C.
    e = std::clamp(e, std::min(first, last), std::max(first, last));
    const std::vector<THRRowSpan> groups = Groups(rows, key);
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const double upperKey = KeyOf(groups[i], key);
        if (upperKey == e) return GroupAt(groups[i], t);
        if (upperKey > e && i > 0) {
            const double lowerKey = KeyOf(groups[i - 1], key);
            return Blend(GroupAt(groups[i - 1], t), GroupAt(groups[i], t), (e - lowerKey) / (upperKey - lowerKey));
        }
    }
    return {};  // rows whose groups do not ascend
}

// What the rows give at the targets: keyed by EWC when the first row has one, else by LWE.
THRValues LookUp(const THRRows& rows, double targetEWC, double targetLWE, double targetLWC) {
    if (rows.empty()) return {};
    if (rows.size() == 1) return ValuesOf(*rows.front());
    if (rows.front()->GetEWC() > 0.0) {
        return InterpolateTwoLevel(rows, &Cls_ChHRTotalPartial::GetEWC, false, targetEWC, targetLWC);
    }
    return InterpolateTwoLevel(rows, &Cls_ChHRTotalPartial::GetLWE, true, targetLWE, targetLWC);
}

// The recovery exchanger's pressure drop (kPa) over the flow (l/min), valid inside its range.
struct TRecoveryCurve {
    std::function<double(double)> evaluate;  // empty: no curve
    double minWFR = 0.0;
    double maxWFR = 0.0;

    double At(double wfr) const { return evaluate && minWFR <= wfr && wfr <= maxWFR ? evaluate(wfr) : 0.0; }
};

TRecoveryCurve OptionCurve(const Cls_ChOptAllowed* HROptComb) {
    const auto pCurve = HROptComb ? HROptComb->GetTheChOptionPD() : nullptr;
    if (!pCurve) return {};
    return {[poly = pCurve->GetPolynomial()](double wfr) { return poly.Evaluate(wfr); }, pCurve->GetSelect1(),
            pCurve->GetSelect2()};
}

std::int32_t HRCode(const Cls_ChOptAllowed* HROptComb, const THRValues& v, double dDeltaT) {
    if (HROptComb) return 0;
    if (v.CC == 0.0 || v.PI == 0.0 || v.HR == 0.0) return errNoHRData;
    return dDeltaT == 0.0 ? errNoHRDeltaT : 0;
}

void FillRecovery(const THRValues& v, TRepHeatRecovery& HRData) {
    HRData = TRepHeatRecovery{};
    HRData.HR = v.HR;
    // Rows without cooling figures (-1) report the recovered heat alone.
    if (v.CC > 0.0 && v.PI > 0.0) {
        HRData.CC = v.CC;
        HRData.PI = v.PI;
        HRData.HRPercentage = v.HR / (v.CC + v.PI);
        HRData.HRCOP = (v.CC + v.HR) / v.PI;
    }
}

}  // namespace

CTRecordList<Cls_ChHRTotalPartial> Cls_ChOutdoorUnit::GetHRTable(const Cls_ChOptAllowed* TheOptComb) {
    THRRows rows;
    if (GetFamily() == kFamilyHeatRecovery) {
        rows = AsHRRows(GetAllChDeviceHR());
    } else if (TheOptComb) {
        rows = AsHRRows(TheOptComb->GetAllChOptionHR());
    }
    SortRows(rows);
    return rows;
}

std::int32_t Cls_ChOutdoorUnit::CalcHeatRecovery(const Cls_ChOptAllowed* HROptComb, const TSelTempData& TempData,
                                                 TRepHeatRecovery& HRData, TRepFluid& HRCondenser) {
    const bool bBuiltIn = GetFamily() == kFamilyHeatRecovery;
    const double targetLWC = bBuiltIn ? TempData.HeatLeavingC : TempData.HRLeaving;
    const double targetEWC = targetLWC - (bBuiltIn ? TempData.HeatDeltaTC : TempData.HRDeltaT);
    const double targetLWE = bBuiltIn ? -1.0 : TempData.CoolLeavingE;
    const auto evaporatorPD = [this](double wfr) { return EvaluatePD(cttEvapPressureDrop, wfr); };
    const TRecoveryCurve curve =
        bBuiltIn ? TRecoveryCurve{evaporatorPD, GetMinWFRE(), GetMaxWFRE()} : OptionCurve(HROptComb);

    const THRValues v = LookUp(GetHRTable(HROptComb), targetEWC, targetLWE, targetLWC);
    // The recovery circuit's own ΔT: the heated water of built-in recovery, the option's entries otherwise.
    HRCondenser.DeltaT = bBuiltIn ? TempData.HeatDeltaTC : TempData.HRDeltaT;
    const std::int32_t nCode = HRCode(HROptComb, v, HRCondenser.DeltaT);
    FillRecovery(v, HRData);
    HRCondenser.WFR = HRCondenser.DeltaT > 0.0 ? v.HR * 60.0 / (kWaterHeatCapacity * HRCondenser.DeltaT) : 0.0;
    HRCondenser.PD = curve.At(HRCondenser.WFR);
    return nCode;
}

void Cls_ChOptAllowed::GetHRMinMax(const Cls_ChLimits& Limits, double& LWCMin, double& LWCMax) const {
    const auto rows = GetAllChOptionHR();
    if (rows.empty()) {
        LWCMin = Limits.GetMinCondenserTemp();
        LWCMax = Limits.GetMaxCondenserTemp();
        return;
    }
    LWCMin = 100.0;
    LWCMax = 0.0;
    for (const auto& pRow : rows) {
        LWCMin = std::min(LWCMin, pRow->GetLWC());
        LWCMax = std::max(LWCMax, pRow->GetLWC());
    }
}

TFreezeUpCh& Cls_ChOutdoorUnit::GetFreezeUpTable() {
    if (!v_FreezeUpTable) v_FreezeUpTable = std::make_unique<TFreezeUpCh>(*this);
    return *v_FreezeUpTable;
}

double Cls_ChOutdoorUnit::GetFreezeUpCorrection(double AmbientTemp) {
    return GetFreezeUpTable().GetCorrection(AmbientTemp);
}

}  // namespace brumalis
