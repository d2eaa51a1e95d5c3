// The Analysis page without the window: one unit, the current result or any
// catalogue unit, recomputed with data set 2 under the conditions set on the
// page (temperatures, brines, sound distance, a low-noise, heat-recovery or
// pump option), shown in a one-column grid with a traffic light. Every
// change recomputes; an analysis of a result closes when the results are
// invalidated.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "workflow/brine_checks.h"
#include "workflow/chiller_page.h"
#include "workflow/main_session.h"
#include "workflow/result_grid.h"
#include "workflow/settings_page.h"
#include "workflow/temp_panel.h"

namespace brumalis {

// The three option controls, by the option type of their combinations.
enum class TAnalysisOption : int { LowNoise = 0, HeatRecovery = 1, Pump = 2 };

// The sound distance's range in the current length unit, whole units.
struct TDistanceRange {
    int Min = 1;
    int Max = 20;
};

// A check box with its combo of the unit's combinations of one option type.
struct TAnalysisCombo {
    bool Visible = false;  // the check box: only when the combo has items
    bool Ticked = false;
    bool Enabled = false;  // the combo follows the tick
    std::vector<Cls_ChOptAllowed*> Items;
    std::vector<std::string> Names;  // the options' descriptive names
    int Selected = -1;
    Cls_ChOptAllowed* Chosen() const;
};

class TAnalysisPage {
public:
    static constexpr const char* kTitleSolution = "Analyzing solution chiller(s)";
    static constexpr const char* kTitleSelected = "Analyzing a selected chiller";
    static constexpr const char* kLightGreen = "Within capacity table and within operation range.";
    static constexpr const char* kLightYellow = "Outside capacity table, but within operation range.";
    static constexpr const char* kLightRed = "Outside capacity table and outside operation range.";
    static constexpr double kDefaultDistance = 5.0;
    static constexpr double kMinDistance = 1.0;
    static constexpr double kMaxDistance = 20.0;

    // Both must outlive the page; the page closes an analysis of a result
    // when the Settings page invalidates its results.
    TAnalysisPage(TMainSession& Session, TSettingsPage& Settings);
    ~TAnalysisPage();
    TAnalysisPage(const TAnalysisPage&) = delete;
    TAnalysisPage& operator=(const TAnalysisPage&) = delete;

    // The panel (analysis layout, its own ambient ranges, the stored
    // temperatures of the stored condenser type), the brine frames
    // of data set 2, the recovery entries with the stored air-cooled
    // condenser values, the grid, the unit chooser over the selectable
    // units; nothing analysed.
    void SetupWindow();
    // After OK in the preferences dialog: the panel's and the recovery
    // entries' limits in the new units, the chooser given the selectable
    // units anew (nothing chosen), the analysis recomputed in the new units.
    void PreferencesAccepted();

    // The four lists of the unit chooser; its display callback chooses the unit.
    TFrm_ChillerSelect& Chooser() { return v_chooser; }
    const TFrm_ChillerSelect& Chooser() const { return v_chooser; }
    // Called after the chooser chose a unit or none (the page shows whether
    // "On user defined chiller" is enabled).
    void SetOnUnitChosen(std::function<void()> OnChosen) { v_onChosen = std::move(OnChosen); }
    // The unit chooser's unit (none: cleared).
    void ChooseUnit(Cls_ChOutdoorUnit* pUnit) { v_chosen = pUnit; }
    Cls_ChOutdoorUnit* ChosenUnit() const { return v_chosen; }
    bool OnSelectedResultEnabled() const;
    bool OnUserDefinedEnabled() const { return v_chosen != nullptr; }
    // "On selected result": the current result with its data set 1, the
    // Settings page's brines and temperatures. False when disabled.
    bool StartOnSelectedResult();
    // "On user defined chiller": the chosen unit with the page's own values.
    bool StartOnUserDefined();
    // Called by the Settings page: closes an analysis of a result.
    void ResultsInvalidated();

    // Values, bars and mode without callbacks; then recomputed.
    void LoadTemperatures(const TSelTempData& Data);
    // Values are typed into Panel(), brines chosen in the frames, recovery
    // temperatures typed into RecoveryEntries(): each recomputes.
    // The sound distance typed in the current length unit, clamped to
    // 1 … 20 m; Shown is the distance as ShownDistance gives it.
    TTypedEntry EnterDistance(std::string_view szText);
    void TickOption(TAnalysisOption Option, bool bTicked);
    // An item of a ticked combo; a heat-recovery choice installs its
    // recovery limits first.
    void ChooseOption(TAnalysisOption Option, int nItem);

    bool Active() const { return v_pUnit != nullptr; }
    bool AnalyzeSolution() const { return v_bAnalyzeSolution; }
    Cls_ChOutdoorUnit* Unit() const { return v_pUnit; }
    const std::string& Title() const { return v_title; }
    double Distance() const { return v_distance; }  // m
    // The distance and its range in the current length unit, rounded to
    // whole units as the grid's sound row shows them.
    int ShownDistance() const;
    static TDistanceRange DistanceRange();
    static std::string DistanceUnitCaption();
    bool EvaporatorBrineShown() const { return v_brinePanels.Evaporator; }
    bool CondenserBrineShown() const { return v_brinePanels.Condenser; }
    const TAnalysisCombo& Combo(TAnalysisOption Option) const { return v_combos[Index(Option)]; }
    bool RecoveryEntriesShown() const { return Combo(TAnalysisOption::HeatRecovery).Ticked; }
    bool PumpPanelShown() const { return Combo(TAnalysisOption::Pump).Ticked; }
    // The available pump pressure in the display pressure unit; empty
    // without a pump or when its option has no curve.
    const std::string& PumpESPText() const { return v_pumpESP; }
    // 0 green, 1 yellow, 2 red; -1 with nothing analysed.
    int Light() const { return v_light; }
    std::string LightText() const;
    // What the last computation failed with, once (empty: nothing failed).
    // A failed computation leaves the grid empty and no light; it throws
    // nothing, since the frames' callbacks run it.
    std::string TakeFailure() { return std::exchange(v_failure, {}); }

    TFrm_ChTempPanel& Panel() { return v_panel; }
    const TFrm_ChTempPanel& Panel() const { return v_panel; }
    TFrm_ChBrine& EvaporatorBrine() { return v_evapBrine; }
    TFrm_ChBrine& CondenserBrine() { return v_condBrine; }
    const TFrm_ChBrine& EvaporatorBrine() const { return v_evapBrine; }
    const TFrm_ChBrine& CondenserBrine() const { return v_condBrine; }
    TFrm_ChTempScrollEntries& RecoveryEntries() { return v_recovery; }
    TFrm_ChResultGrid& Grid() { return v_grid; }
    const TFrm_ChResultGrid& Grid() const { return v_grid; }
    // The temperature record of the last computation.
    const TSelTempData& Temperatures() const { return v_temperatures; }

private:
    static std::size_t Index(TAnalysisOption Option) { return static_cast<std::size_t>(Option); }
    void Start(Cls_ChOutdoorUnit& Unit, bool bSolution);
    void SetUpOptionControls();
    void InstallRecoveryLimits();
    void Close();
    void Compute();
    void Calculate();

    TMainSession& v_session;
    TSettingsPage& v_settings;
    TFrm_ChTempPanel v_panel;
    TFrm_ChBrine v_evapBrine;
    TFrm_ChBrine v_condBrine;
    TFrm_ChTempScrollEntries v_recovery;
    TFrm_ChResultGrid v_grid;
    TFrm_ChillerSelect v_chooser;
    int v_nListenerKey = -1;
    std::array<TAnalysisCombo, 3> v_combos;
    TBrinePanels v_brinePanels;
    Cls_ChOutdoorUnit* v_chosen = nullptr;
    Cls_ChOutdoorUnit* v_pUnit = nullptr;
    bool v_bAnalyzeSolution = false;
    // Set while a start lays the page out, so that it computes once at the end.
    bool v_bStarting = false;
    std::string v_title;
    double v_distance = kDefaultDistance;
    TSelTempData v_temperatures;
    std::string v_pumpESP;
    int v_light = -1;
    std::string v_failure;
    std::function<void()> v_onChosen;
};

}  // namespace brumalis
