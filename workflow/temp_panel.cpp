#include "workflow/temp_panel.h"

#include <algorithm>
#include <cmath>

#include "catalogue/units.h"
#include "localisation/number_text.h"
#include "catalogue/unit_classes.h"

namespace brumalis {
namespace {

// Far beyond any temperature, well inside int: absurd input saturates.
constexpr double kMaxTenths = 1e9;

// Tenths of a display value, rounded; no number reads as 0.
int Tenths(double dValue) {
    const double dTenths = std::round(dValue * 10.0);
    if (std::isnan(dTenths)) return 0;
    return static_cast<int>(std::clamp(dTenths, -kMaxTenths, kMaxTenths));
}

// Whatever the floating-point rounding mode: 6.5 gives 6, 7.5 gives 8.
double RoundHalfEven(double dValue) {
    if (!std::isfinite(dValue)) return dValue;
    return dValue - std::remainder(dValue, 1.0);
}

std::string OneDecimal(double dValue) { return Number2FmtStr(1, 1, dValue); }

bool IsOneOf(std::int32_t nFamily, std::initializer_list<std::int32_t> families) {
    return std::find(families.begin(), families.end(), nFamily) != families.end();
}

void Fire(const TNotify& callback) {
    if (callback) callback();
}

}  // namespace

// ---- TTempScroll

TTempScroll::TTempScroll(bool bAbsolute, int nMin, int nMax, int nPosition)
    : v_bAbsolute(bAbsolute), v_min(nMin), v_max(std::max(nMin, nMax)), v_position(0) {
    SetPosition(nPosition);
}

std::string TTempScroll::Text() const { return OneDecimal(Display()); }

double TTempScroll::Celsius() const {
    return TU_Form::ConvertValue(U_Temperature, v_unitIndex, v_bAbsolute, 0, Display());
}

void TTempScroll::SetPosition(int nPosition) { v_position = std::clamp(nPosition, v_min, v_max); }

void TTempScroll::InstallLimits(double dMin, double dMax) {
    const int nNewIndex = TU_Form::GetNewIndex(U_Temperature);
    const double dValue = TU_Form::ConvertValue(U_Temperature, v_unitIndex, v_bAbsolute, nNewIndex, Display());
    v_min = Tenths(TU_Form::ConvertValue(U_Temperature, 0, v_bAbsolute, nNewIndex, dMin));
    v_max = std::max(v_min, Tenths(TU_Form::ConvertValue(U_Temperature, 0, v_bAbsolute, nNewIndex, dMax)));
    v_unitIndex = nNewIndex;
    SetPosition(Tenths(dValue));
}

void TTempScroll::SetRounded(double dCelsius) {
    const double dDisplay = TU_Form::ConvertValue(U_Temperature, 0, v_bAbsolute, v_unitIndex, dCelsius);
    SetPosition(Tenths(RoundHalfEven(dDisplay)));
}

TTypedEntry TTempScroll::Enter(std::string_view szText) {
    TTypedEntry entry;
    entry.Typed = Str2Number(szText);
    const int nTyped = Tenths(entry.Typed);
    SetPosition(nTyped);
    entry.Value = Display();
    entry.Clamped = v_position != nTyped;
    entry.Shown = Text();
    return entry;
}

// ---- TFrm_ChTempScrollEntries

TFrm_ChTempScrollEntries::TFrm_ChTempScrollEntries() : v_leaving(true, -150, 600, 70), v_deltaT(false, 30, 80, 50) {}

void TFrm_ChTempScrollEntries::SetupWindow(bool NegDeltaT, int CurrTempIndex, TNotify OnEnter,
                                           TNotify HandleChanges) {
    v_sign = NegDeltaT ? -1 : 1;
    // Each scroll bar remembers the unit its value is expressed in.
    v_leaving.SetUnitIndex(CurrTempIndex);
    v_deltaT.SetUnitIndex(CurrTempIndex);
    v_OnEnter = std::move(OnEnter);
    v_HandleChanges = std::move(HandleChanges);
}

void TFrm_ChTempScrollEntries::ShowControls(bool ShowDeltaT, bool ShowEntering, bool ConditionMsg) {
    v_bShowDeltaT = ShowDeltaT;
    v_bShowEntering = ShowEntering;
    v_bConditionMsg = ConditionMsg;
}

void TFrm_ChTempScrollEntries::ReplaceLeaving(std::string_view Caption) { v_leavingCaption = Caption; }

void TFrm_ChTempScrollEntries::InstallLimits(std::int32_t MinLeaving, std::int32_t MaxLeaving,
                                             std::int32_t MaxDeltaT, std::int32_t MinDeltaT) {
    v_leaving.InstallLimits(MinLeaving, MaxLeaving);
    v_deltaT.InstallLimits(MinDeltaT, MaxDeltaT);
}

void TFrm_ChTempScrollEntries::InstallLimits(const TLeavingLimits& Limits) {
    InstallLimits(Limits.MinLeaving, Limits.MaxLeaving, Limits.MaxDeltaT, Limits.MinDeltaT);
}

void TFrm_ChTempScrollEntries::SetTempSettings(double DeltaT, double Leaving, bool bFireChange) {
    v_deltaT.SetRounded(DeltaT);
    v_leaving.SetRounded(Leaving);
    if (bFireChange) Changed();
}

void TFrm_ChTempScrollEntries::GetTempSettings(double& DeltaT, double& Leaving) const {
    DeltaT = GetDeltaT();
    Leaving = GetLeavingWater();
}

TTypedEntry TFrm_ChTempScrollEntries::Enter(TEntryRow row, std::string_view szText) {
    TTypedEntry entry = Row(row).Enter(szText);
    Changed();
    return entry;
}

void TFrm_ChTempScrollEntries::Scroll(TEntryRow row, int nPosition) {
    Row(row).SetPosition(nPosition);
    Changed();
}

void TFrm_ChTempScrollEntries::ControlEntered() const { Fire(v_OnEnter); }

void TFrm_ChTempScrollEntries::CopyValues(const TFrm_ChTempScrollEntries& Other) {
    v_leaving = Other.v_leaving;
    v_deltaT = Other.v_deltaT;
}

std::string TFrm_ChTempScrollEntries::EnteringText() const {
    return OneDecimal((v_leaving.Position() + v_sign * v_deltaT.Position()) / 10.0);
}

void TFrm_ChTempScrollEntries::Changed() const { Fire(v_HandleChanges); }

// ---- TFrm_ChTempPanel

TFrm_ChTempPanel::TFrm_ChTempPanel() : v_ambient(true, -200, 500, 350), v_winter(true, -200, 500, 70) {}

void TFrm_ChTempPanel::SetupWindow(const Cls_ChLimits& Limits, bool ForAnalysis, int CurrCapIndex,
                                   int CurrTempIndex, TNotify OnEnter, TNotify CheckCBrinePercent,
                                   TNotify CheckEBrinePercent, TNotify CheckSettings) {
    v_Limits = &Limits;
    v_ForAnalysis = ForAnalysis;
    v_CurrCapIndex = CurrCapIndex;
    v_CurrTempIndex = CurrTempIndex;
    v_CEvaporator.SetupWindow(false, CurrTempIndex, OnEnter, CheckEBrinePercent);
    v_HEvaporator.SetupWindow(false, CurrTempIndex, OnEnter, CheckEBrinePercent);
    v_CCondenser.SetupWindow(true, CurrTempIndex, OnEnter, CheckCBrinePercent);
    v_HCondenser.SetupWindow(true, CurrTempIndex, OnEnter, CheckCBrinePercent);
    v_ambient.SetUnitIndex(CurrTempIndex);
    v_winter.SetUnitIndex(CurrTempIndex);
    v_OnEnter = std::move(OnEnter);
    v_CheckCBrinePercent = std::move(CheckCBrinePercent);
    v_CheckEBrinePercent = std::move(CheckEBrinePercent);
    v_CheckSettings = std::move(CheckSettings);
}

TLeavingLimits TFrm_ChTempPanel::EvaporatorLimits() const {
    return {v_Limits->GetMinCEvaporatorTemp(), v_Limits->GetMaxCEvaporatorTemp(), v_Limits->GetMinDeltaT(),
            v_Limits->GetMaxDeltaT()};
}

TLeavingLimits TFrm_ChTempPanel::CondenserLimits() const {
    return {v_Limits->GetMinCondenserTemp(), v_Limits->GetMaxCondenserTemp(), v_Limits->GetMinDeltaT(),
            v_Limits->GetMaxDeltaT()};
}

// The recovery condenser of heat-recovery units has fixed limits; a heat
// pump heating on its condenser takes the heated-water range.
TLeavingLimits TFrm_ChTempPanel::HeatCondenserLimits() const {
    if (v_Family == famHeatRecovery) return {45, 60, 5, 10};
    if (v_Family == famHeatPump && !v_bSelCooling) {
        return {v_Limits->GetMinHEvaporatorTemp(), v_Limits->GetMaxHEvaporatorTemp(), v_Limits->GetMinDeltaT(),
                v_Limits->GetMaxDeltaT()};
    }
    return CondenserLimits();
}

TFrm_ChTempPanel::TRange TFrm_ChTempPanel::AmbientRange() const {
    if (v_ForAnalysis) return {-20, 50};
    if (v_Condenser == ctCondenserless) return {v_Limits->GetMinRCondensingTemp(), v_Limits->GetMaxRCondensingTemp()};
    return {v_Limits->GetMinSummerTemp(), v_Limits->GetMaxSummerTemp()};
}

TFrm_ChTempPanel::TRange TFrm_ChTempPanel::WinterRange() const {
    if (v_ForAnalysis) return {-20, 50};
    return {v_Limits->GetMinWinterTemp(), v_Limits->GetMaxWinterTemp()};
}

void TFrm_ChTempPanel::InstallLimits() {
    if (!v_Limits) return;
    const int nCapIndex = TU_Form::GetNewIndex(U_Power);
    ReexpressCapacity(v_coolCapText, nCapIndex);
    ReexpressCapacity(v_heatCapText, nCapIndex);
    v_CurrCapIndex = nCapIndex;
    v_CEvaporator.InstallLimits(EvaporatorLimits());
    v_HEvaporator.InstallLimits(EvaporatorLimits());
    v_CCondenser.InstallLimits(CondenserLimits());
    const TRange winter = WinterRange();
    v_winter.InstallLimits(winter.Min, winter.Max);
    // Once laid out, the heating condenser and the ambient keep the ranges of
    // the row: a change of units must not narrow a recovery condenser to the
    // plain condenser range.
    ApplyLayoutLimits();
    v_CurrTempIndex = TU_Form::GetNewIndex(U_Temperature);
}

void TFrm_ChTempPanel::ShowCapacityBoxes(std::int32_t Condenser, std::int32_t Family) {
    v_Condenser = Condenser;
    v_Family = Family;
    ApplyVisibility();
    ApplyLayoutLimits();
    Fire(v_CheckSettings);
}

void TFrm_ChTempPanel::SetSelCooling(bool bSelCooling) {
    v_bSelCooling = bSelCooling;
    ApplyVisibility();
    ApplyLayoutLimits();
    Fire(v_CheckSettings);
}

void TFrm_ChTempPanel::ApplyVisibility() {
    const bool bHeatPump = v_Family == famHeatPump;
    const bool bWater = v_Condenser == ctWaterCooled;
    TTempPanelLayout& layout = v_layout;
    layout.ModeSelect = bHeatPump;
    layout.CoolingGroup = IsOneOf(v_Family, {famHeatRecovery, famHeatPump, famCoolingOnly, famCondensingUnit});
    layout.CoolingCap = !v_ForAnalysis && (IsOneOf(v_Family, {famHeatRecovery, famCoolingOnly, famCondensingUnit}) ||
                                           (bHeatPump && v_bSelCooling));
    layout.CEvaporator = layout.CoolingGroup;
    layout.CCondenser = layout.CoolingGroup && bWater;
    layout.CondAmbient = layout.CoolingGroup && !bWater;
    layout.AmbientCaption = v_Condenser == ctCondenserless ? kCondensing : kAmbientSummer;
    layout.HeatingGroup = IsOneOf(v_Family, {famHeatRecovery, famHeatPump, famHeatingOnly});
    layout.HeatingCaption = v_Family == famHeatRecovery ? kHeatRecovery : kHeating;
    layout.HeatingCap = !v_ForAnalysis && (v_Family == famHeatingOnly || (bHeatPump && !v_bSelCooling));
    layout.HEvaporator = layout.HeatingGroup && v_Family != famHeatRecovery && !bHeatPump;
    layout.HCondenser = layout.HeatingGroup && (v_Family == famHeatRecovery || bHeatPump || bWater);
    layout.Winter = layout.HeatingGroup && !bWater && v_Family != famHeatRecovery;

    const bool bCondensingUnit = v_Family == famCondensingUnit;
    const bool bCoolRows = !bCondensingUnit && (!bHeatPump || v_bSelCooling);
    v_CEvaporator.ShowControls(bCoolRows, bCoolRows, bCondensingUnit);
    v_CEvaporator.ReplaceLeaving(bCondensingUnit ? kSuctionDewPoint : TFrm_ChTempScrollEntries::kLeavingCaption);
    const bool bHeatRows = !bHeatPump || !v_bSelCooling;
    v_HCondenser.ShowControls(bHeatRows, bHeatRows, false);
}

void TFrm_ChTempPanel::ApplyLayoutLimits() {
    if (!v_Limits) return;
    v_HCondenser.InstallLimits(HeatCondenserLimits());
    const TRange ambient = AmbientRange();
    v_ambient.InstallLimits(ambient.Min, ambient.Max);
}

bool TFrm_ChTempPanel::EnableSelection() const {
    return (HasUserCoolCap() && !v_coolCapText.empty()) || (HasUserHeatCap() && !v_heatCapText.empty());
}

TSelTempData TFrm_ChTempPanel::GetTempData() const {
    TSelTempData data;
    data.SelectCooling = v_bSelCooling;
    v_CEvaporator.GetTempSettings(data.CoolDeltaTE, data.CoolLeavingE);
    v_CCondenser.GetTempSettings(data.CoolDeltaTC, data.CoolLeavingC);
    data.Summer = GetSummerCondens();
    v_HEvaporator.GetTempSettings(data.HeatDeltaTE, data.HeatLeavingE);
    v_HCondenser.GetTempSettings(data.HeatDeltaTC, data.HeatLeavingC);
    data.Winter = GetWinter();
    if (v_Limits) {
        data.HRLeaving = v_Limits->GetCACLW();
        data.HRDeltaT = static_cast<double>(v_Limits->GetCACLW()) - static_cast<double>(v_Limits->GetCACEW());
    }
    return data;
}

void TFrm_ChTempPanel::SetTempData(const TSelTempData& Data) {
    // The mode first: it decides the heating condenser's range the value must fit.
    v_bSelCooling = Data.SelectCooling;
    ApplyVisibility();
    ApplyLayoutLimits();
    v_CEvaporator.SetTempSettings(Data.CoolDeltaTE, Data.CoolLeavingE, false);
    v_CCondenser.SetTempSettings(Data.CoolDeltaTC, Data.CoolLeavingC, false);
    v_HEvaporator.SetTempSettings(Data.HeatDeltaTE, Data.HeatLeavingE, false);
    v_HCondenser.SetTempSettings(Data.HeatDeltaTC, Data.HeatLeavingC, false);
    v_ambient.SetRounded(Data.Summer);
    v_winter.SetRounded(Data.Winter);
}

void TFrm_ChTempPanel::CopySettings(const TFrm_ChTempPanel& Other) {
    const TTempPanelLayout& other = Other.v_layout;
    if (Other.HasUserCoolCap()) v_coolCapText = Other.v_coolCapText;
    if (Other.HasUserHeatCap()) v_heatCapText = Other.v_heatCapText;
    if (other.CEvaporator) v_CEvaporator.CopyValues(Other.v_CEvaporator);
    if (other.CCondenser) v_CCondenser.CopyValues(Other.v_CCondenser);
    if (other.HEvaporator) v_HEvaporator.CopyValues(Other.v_HEvaporator);
    if (other.HCondenser) v_HCondenser.CopyValues(Other.v_HCondenser);
    if (other.CondAmbient) v_ambient = Other.v_ambient;
    if (Other.HasWinter()) v_winter = Other.v_winter;
    // The copied ranges stay: only what is shown follows the mode.
    v_bSelCooling = Other.v_bSelCooling;
    ApplyVisibility();
    Fire(v_CheckSettings);
}

double TFrm_ChTempPanel::CapacityKW(const std::string& szText) const {
    return TU_Form::ConvertValue(U_Power, v_CurrCapIndex, true, 0, Str2Number(szText));
}

double TFrm_ChTempPanel::GetUserCoolCap() const { return HasUserCoolCap() ? CapacityKW(v_coolCapText) : 0.0; }
double TFrm_ChTempPanel::GetUserHeatCap() const { return HasUserHeatCap() ? CapacityKW(v_heatCapText) : 0.0; }
double TFrm_ChTempPanel::GetUserCapacity() const { return std::max(GetUserCoolCap(), GetUserHeatCap()); }

TSideSettings TFrm_ChTempPanel::GetCoolSettings() const {
    const TTempPanelLayout& layout = v_layout;
    return {HasUserCoolCap(),
            layout.CEvaporator,
            layout.CondAmbient,
            layout.CCondenser && v_CCondenser.HasDeltaT(),
            layout.CCondenser,
            layout.CEvaporator && v_CEvaporator.HasDeltaT()};
}

TSideSettings TFrm_ChTempPanel::GetHeatSettings() const {
    const TTempPanelLayout& layout = v_layout;
    return {HasUserHeatCap(),
            layout.HEvaporator,
            HasWinter(),
            layout.HCondenser && v_HCondenser.HasDeltaT(),
            layout.HCondenser,
            layout.HEvaporator && v_HEvaporator.HasDeltaT()};
}

void TFrm_ChTempPanel::ReexpressCapacity(std::string& szText, int nNewIndex) const {
    if (szText.empty() || nNewIndex == v_CurrCapIndex) return;
    const double dValue = TU_Form::ConvertValue(U_Power, v_CurrCapIndex, true, nNewIndex, Str2Number(szText));
    szText = Number2FmtStr(1, TU_Form::GetDigits(U_Power, nNewIndex), dValue);
}

// A negative requirement would open the capacity window downwards without
// bound, so that every unit became a candidate: it is refused.
TTypedEntry TFrm_ChTempPanel::EnterCapacity(std::string& szText, std::string_view szTyped) {
    const std::string szChecked = CheckNumber(szTyped);
    TTypedEntry entry;
    entry.Typed = Str2Number(szChecked);
    entry.Refused = entry.Typed < 0.0;
    if (!entry.Refused) szText = szChecked;
    entry.Value = Str2Number(szText);
    entry.Shown = szText;
    Fire(v_CheckSettings);
    return entry;
}

TTypedEntry TFrm_ChTempPanel::EnterOutdoor(TTempScroll& scroll, std::string_view szTyped) {
    TTypedEntry entry = scroll.Enter(szTyped);
    OutdoorChanged();
    return entry;
}

// The outdoor values bear on both brines.
void TFrm_ChTempPanel::OutdoorChanged() const {
    Fire(v_CheckEBrinePercent);
    Fire(v_CheckCBrinePercent);
}

std::pair<TFrm_ChTempScrollEntries&, TEntryRow> TFrm_ChTempPanel::WaterEntryOf(TPanelEntry Entry) {
    switch (Entry) {
        case TPanelEntry::CoolDeltaTE: return {v_CEvaporator, TEntryRow::DeltaT};
        case TPanelEntry::CoolLeavingC: return {v_CCondenser, TEntryRow::Leaving};
        case TPanelEntry::CoolDeltaTC: return {v_CCondenser, TEntryRow::DeltaT};
        case TPanelEntry::HeatLeavingE: return {v_HEvaporator, TEntryRow::Leaving};
        case TPanelEntry::HeatDeltaTE: return {v_HEvaporator, TEntryRow::DeltaT};
        case TPanelEntry::HeatLeavingC: return {v_HCondenser, TEntryRow::Leaving};
        case TPanelEntry::HeatDeltaTC: return {v_HCondenser, TEntryRow::DeltaT};
        case TPanelEntry::CoolLeavingE:
        default: return {v_CEvaporator, TEntryRow::Leaving};
    }
}

TTypedEntry TFrm_ChTempPanel::EnterValue(TPanelEntry Entry, std::string_view szText) {
    switch (Entry) {
        case TPanelEntry::CoolCapacity: return EnterCapacity(v_coolCapText, szText);
        case TPanelEntry::HeatCapacity: return EnterCapacity(v_heatCapText, szText);
        case TPanelEntry::Ambient: return EnterOutdoor(v_ambient, szText);
        case TPanelEntry::Winter: return EnterOutdoor(v_winter, szText);
        default: {
            const auto [box, row] = WaterEntryOf(Entry);
            return box.Enter(row, szText);
        }
    }
}

TEntryReport TFrm_ChTempPanel::TypeValue(TPanelEntry Entry, std::string_view szText) {
    TEntryReport report{Entry, EntryShown(Entry), {}};
    if (report.Shown) report.Result = EnterValue(Entry, szText);
    return report;
}

void TFrm_ChTempPanel::ScrollValue(TPanelEntry Entry, int nPosition) {
    switch (Entry) {
        case TPanelEntry::CoolCapacity:
        case TPanelEntry::HeatCapacity: return;
        case TPanelEntry::Ambient:
        case TPanelEntry::Winter:
            (Entry == TPanelEntry::Ambient ? v_ambient : v_winter).SetPosition(nPosition);
            OutdoorChanged();
            return;
        default: {
            const auto [box, row] = WaterEntryOf(Entry);
            box.Scroll(row, nPosition);
        }
    }
}

bool TFrm_ChTempPanel::EntryShown(TPanelEntry Entry) const {
    const TSideSettings cool = GetCoolSettings();
    const TSideSettings heat = GetHeatSettings();
    switch (Entry) {
        case TPanelEntry::CoolCapacity: return cool.Capacity;
        case TPanelEntry::CoolLeavingE: return cool.Evaporator;
        case TPanelEntry::CoolDeltaTE: return cool.EvaporatorDeltaT;
        case TPanelEntry::CoolLeavingC: return cool.Condenser;
        case TPanelEntry::CoolDeltaTC: return cool.CondenserDeltaT;
        case TPanelEntry::Ambient: return cool.Ambient;
        case TPanelEntry::HeatCapacity: return heat.Capacity;
        case TPanelEntry::HeatLeavingE: return heat.Evaporator;
        case TPanelEntry::HeatDeltaTE: return heat.EvaporatorDeltaT;
        case TPanelEntry::HeatLeavingC: return heat.Condenser;
        case TPanelEntry::HeatDeltaTC: return heat.CondenserDeltaT;
        case TPanelEntry::Winter: return heat.Ambient;
    }
    return false;
}

void TFrm_ChTempPanel::ControlEntered() const { Fire(v_OnEnter); }

std::string TFrm_ChTempPanel::CapacityUnitCaption() const {
    return TU_Form::GetSpecificString(U_Power, v_CurrCapIndex);
}

std::string TFrm_ChTempPanel::TemperatureUnitCaption() const {
    return TU_Form::GetSpecificString(U_Temperature, v_CurrTempIndex);
}

}  // namespace brumalis
