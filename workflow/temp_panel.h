// The temperatures and required capacities of a selection, as the Settings
// and Analysis pages hold them: water-circuit entries (leaving water, delta
// T, entering water) and the panel that lays them out per condenser type,
// family and heat-pump mode and produces the selection's temperature record.
// Plain state and rules; a view shows the flags and texts and passes the
// user's typing and scrolling in.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/chiller_data.h"
#include "catalogue/unit_records.h"
#include "workflow/typed_entry.h"

namespace brumalis {

using TNotify = std::function<void()>;

// A scroll bar over a temperature (or a temperature difference) in tenths of
// a degree of the display unit it was last expressed in. The position always
// lies within the range.
class TTempScroll {
public:
    TTempScroll(bool bAbsolute, int nMin, int nMax, int nPosition);

    int Min() const { return v_min; }
    int Max() const { return v_max; }
    int Position() const { return v_position; }
    int UnitIndex() const { return v_unitIndex; }
    double Display() const { return v_position / 10.0; }
    std::string Text() const;  // one decimal, as the edit shows it
    double Celsius() const;    // °C, or K for a difference

    // The unit the current values are expressed in (no conversion).
    void SetUnitIndex(int nIndex) { v_unitIndex = nIndex; }
    void SetPosition(int nPosition);
    // The range from limits in °C (K) in the current display unit; the value
    // is re-expressed in that unit and kept inside the range.
    void InstallLimits(double dMin, double dMax);
    // Values from stored data: whole display degrees, halves to even.
    void SetRounded(double dCelsius);
    // Typed text: tenths of the number, clamped to the range.
    TTypedEntry Enter(std::string_view szText);

private:
    bool v_bAbsolute;
    int v_min;
    int v_max;
    int v_position;
    int v_unitIndex = 0;
};

// Leaving-water and delta-T limits in whole °C and K.
struct TLeavingLimits {
    std::int32_t MinLeaving;
    std::int32_t MaxLeaving;
    std::int32_t MinDeltaT;
    std::int32_t MaxDeltaT;
};

enum class TEntryRow { Leaving, DeltaT };

// One water circuit. Evaporators (sign +1) enter at leaving + delta T,
// condensers (sign -1) at leaving - delta T.
class TFrm_ChTempScrollEntries {
public:
    static constexpr const char* kLeavingCaption = "Leaving fluid temperature";

    TFrm_ChTempScrollEntries();

    void SetupWindow(bool NegDeltaT, int CurrTempIndex, TNotify OnEnter, TNotify HandleChanges);
    void ShowControls(bool ShowDeltaT, bool ShowEntering, bool ConditionMsg);
    void ReplaceLeaving(std::string_view Caption);
    void InstallLimits(std::int32_t MinLeaving, std::int32_t MaxLeaving, std::int32_t MaxDeltaT,
                       std::int32_t MinDeltaT);
    void InstallLimits(const TLeavingLimits& Limits);
    // °C and K, rounded to whole display degrees; the change callback fires
    // unless bFireChange is false.
    void SetTempSettings(double DeltaT, double Leaving, bool bFireChange = true);
    void GetTempSettings(double& DeltaT, double& Leaving) const;
    double GetLeavingWater() const { return v_leaving.Celsius(); }
    double GetDeltaT() const { return v_deltaT.Celsius(); }
    double ReadLeavingWater() const { return v_leaving.Display(); }
    double ReadDeltaT() const { return v_deltaT.Display(); }
    bool HasDeltaT() const { return v_bShowDeltaT; }

    // The user typed into an edit and left it / moved a scroll bar; the
    // change callback fires.
    TTypedEntry Enter(TEntryRow row, std::string_view szText);
    void Scroll(TEntryRow row, int nPosition);
    void ControlEntered() const;
    // Ranges and positions of another frame's edits and scroll bars.
    void CopyValues(const TFrm_ChTempScrollEntries& Other);

    const TTempScroll& Leaving() const { return v_leaving; }
    const TTempScroll& DeltaT() const { return v_deltaT; }
    std::string EnteringText() const;  // leaving + sign × delta T, one decimal
    int Sign() const { return v_sign; }
    bool ShowsEntering() const { return v_bShowEntering; }
    bool ShowsConditionMsg() const { return v_bConditionMsg; }
    const std::string& LeavingCaption() const { return v_leavingCaption; }

private:
    TTempScroll& Row(TEntryRow row) { return row == TEntryRow::Leaving ? v_leaving : v_deltaT; }
    void Changed() const;

    TTempScroll v_leaving;
    TTempScroll v_deltaT;
    int v_sign = 1;
    bool v_bShowDeltaT = true;
    bool v_bShowEntering = true;
    bool v_bConditionMsg = false;
    std::string v_leavingCaption = kLeavingCaption;
    TNotify v_OnEnter;
    TNotify v_HandleChanges;
};

// What the panel shows after ShowCapacityBoxes.
struct TTempPanelLayout {
    bool ModeSelect = false;
    bool CoolingGroup = false;
    bool CoolingCap = false;
    bool CEvaporator = false;
    bool CCondenser = false;
    bool CondAmbient = false;
    bool HeatingGroup = false;
    bool HeatingCap = false;
    bool HEvaporator = false;
    bool HCondenser = false;
    bool Winter = false;
    std::string HeatingCaption;
    std::string AmbientCaption;
};

// Which boxes of one side (cooling or heating) are visible.
struct TSideSettings {
    bool Capacity = false;
    bool Evaporator = false;
    bool Ambient = false;  // the winter panel on the heating side
    bool CondenserDeltaT = false;
    bool Condenser = false;
    bool EvaporatorDeltaT = false;
};

// Every value the user can type into the panel.
enum class TPanelEntry {
    CoolCapacity,
    CoolLeavingE,
    CoolDeltaTE,
    CoolLeavingC,
    CoolDeltaTC,
    Ambient,  // summer ambient, or condensing temperature of condenserless units
    HeatCapacity,
    HeatLeavingE,
    HeatDeltaTE,
    HeatLeavingC,
    HeatDeltaTC,
    Winter,
};

// What became of a value typed into the panel.
struct TEntryReport {
    TPanelEntry Entry = TPanelEntry::CoolCapacity;
    bool Shown = true;  // false: the layout does not use the entry, nothing changed
    TTypedEntry Result;
};

class TFrm_ChTempPanel {
public:
    static constexpr const char* kSuctionDewPoint = "Suction dew point";
    static constexpr const char* kConditions = "Conditions: superheat = 10\u00B0C, subcool = 5\u00B0C";
    static constexpr const char* kAmbientSummer = "Ambient summer";
    static constexpr const char* kCondensing = "Condensing";
    static constexpr const char* kHeatRecovery = "Heat recovery";
    static constexpr const char* kHeating = "Heating";

    TFrm_ChTempPanel();

    // The limits must outlive the panel. The callbacks: a control was
    // entered; a condenser entry, the ambient or winter value changed; an
    // evaporator entry, the ambient or winter value changed; the layout or a
    // capacity changed.
    void SetupWindow(const Cls_ChLimits& Limits, bool ForAnalysis, int CurrCapIndex, int CurrTempIndex,
                     TNotify OnEnter, TNotify CheckCBrinePercent, TNotify CheckEBrinePercent, TNotify CheckSettings);
    // The limits in the current display units, the values re-expressed.
    void InstallLimits();
    void ShowCapacityBoxes(std::int32_t Condenser, std::int32_t Family);
    // The mode buttons: "Select cooling" (true) or "Select heating".
    void SetSelCooling(bool bSelCooling);

    bool EnableSelection() const;
    TSelTempData GetTempData() const;
    // Values, bars and mode without any callback.
    void SetTempData(const TSelTempData& Data);
    void CopySettings(const TFrm_ChTempPanel& Other);

    // kW; 0 when the capacity box is hidden.
    double GetUserCoolCap() const;
    double GetUserHeatCap() const;
    double GetUserCapacity() const;
    bool GetSelCooling() const { return v_bSelCooling; }
    TSideSettings GetCoolSettings() const;
    TSideSettings GetHeatSettings() const;
    const std::string& GetCoolAmbientTitle() const { return v_layout.AmbientCaption; }
    double GetCoolLeavingE() const { return v_CEvaporator.GetLeavingWater(); }
    double GetCoolDeltaTE() const { return v_CEvaporator.GetDeltaT(); }
    double GetCoolLeavingC() const { return v_CCondenser.GetLeavingWater(); }
    double GetCoolDeltaTC() const { return v_CCondenser.GetDeltaT(); }
    double GetSummerCondens() const { return v_ambient.Celsius(); }
    double GetHeatLeavingE() const { return v_HEvaporator.GetLeavingWater(); }
    double GetHeatDeltaTE() const { return v_HEvaporator.GetDeltaT(); }
    double GetHeatLeavingC() const { return v_HCondenser.GetLeavingWater(); }
    double GetHeatDeltaTC() const { return v_HCondenser.GetDeltaT(); }
    double GetWinter() const { return v_winter.Celsius(); }
    bool HasUserCoolCap() const { return v_layout.CoolingGroup && v_layout.CoolingCap; }
    bool HasUserHeatCap() const { return v_layout.HeatingGroup && v_layout.HeatingCap; }
    bool HasWinter() const { return v_layout.HeatingGroup && v_layout.Winter; }

    // The user typed a value (in the display unit) and left the edit:
    // temperatures are clamped to their range, capacities keep only number
    // characters and take no sign (a negative one is refused). The entry's
    // callbacks fire.
    TTypedEntry EnterValue(TPanelEntry Entry, std::string_view szText);
    // The same for an entry of the current layout; a hidden one is untouched.
    TEntryReport TypeValue(TPanelEntry Entry, std::string_view szText);
    // A scroll bar moved (tenths of the display unit); ignored for capacities.
    void ScrollValue(TPanelEntry Entry, int nPosition);
    bool EntryShown(TPanelEntry Entry) const;
    void ControlEntered() const;

    const TTempPanelLayout& Layout() const { return v_layout; }
    TFrm_ChTempScrollEntries& Box_CEvaporator() { return v_CEvaporator; }
    TFrm_ChTempScrollEntries& Box_CCondenser() { return v_CCondenser; }
    TFrm_ChTempScrollEntries& Box_HEvaporator() { return v_HEvaporator; }
    TFrm_ChTempScrollEntries& Box_HCondenser() { return v_HCondenser; }
    const TTempScroll& Scrl_CondAmbient() const { return v_ambient; }
    const TTempScroll& Scrl_Winter() const { return v_winter; }
    const std::string& Txt_ReqCCap() const { return v_coolCapText; }
    const std::string& Txt_ReqHCap() const { return v_heatCapText; }
    std::string CapacityUnitCaption() const;
    std::string TemperatureUnitCaption() const;

private:
    struct TRange {
        std::int32_t Min;
        std::int32_t Max;
    };

    void ApplyVisibility();
    void ApplyLayoutLimits();
    TLeavingLimits EvaporatorLimits() const;
    TLeavingLimits CondenserLimits() const;
    TLeavingLimits HeatCondenserLimits() const;
    TRange AmbientRange() const;
    TRange WinterRange() const;
    double CapacityKW(const std::string& szText) const;
    void ReexpressCapacity(std::string& szText, int nNewIndex) const;
    TTypedEntry EnterCapacity(std::string& szText, std::string_view szTyped);
    TTypedEntry EnterOutdoor(TTempScroll& scroll, std::string_view szTyped);
    std::pair<TFrm_ChTempScrollEntries&, TEntryRow> WaterEntryOf(TPanelEntry Entry);
    void OutdoorChanged() const;

    const Cls_ChLimits* v_Limits = nullptr;
    bool v_ForAnalysis = false;
    std::int32_t v_Condenser = 0;
    std::int32_t v_Family = 0;  // 0: not laid out yet
    bool v_bSelCooling = true;
    int v_CurrTempIndex = 0;
    int v_CurrCapIndex = 0;
    TTempPanelLayout v_layout;
    TFrm_ChTempScrollEntries v_CEvaporator;
    TFrm_ChTempScrollEntries v_CCondenser;
    TFrm_ChTempScrollEntries v_HEvaporator;
    TFrm_ChTempScrollEntries v_HCondenser;
    TTempScroll v_ambient;
    TTempScroll v_winter;
    std::string v_coolCapText;
    std::string v_heatCapText;
    TNotify v_OnEnter;
    TNotify v_CheckCBrinePercent;
    TNotify v_CheckEBrinePercent;
    TNotify v_CheckSettings;
};

}  // namespace brumalis
