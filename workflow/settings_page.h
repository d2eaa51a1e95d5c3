// The Settings page without the window: the selection list, the application
// options, the temperature panel and the two brine frames wired together as
// the main window wires them, and "Make Selection". Every change of a
// criterion invalidates the last results; the desktop window and the command
// line drive this one class.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "workflow/brine_checks.h"
#include "workflow/main_session.h"
#include "workflow/result_grid.h"
#include "workflow/selection_list.h"
#include "workflow/temp_panel.h"

namespace brumalis {

class TSettingsPage {
public:
    // The session must be loaded and outlive the page.
    explicit TSettingsPage(TMainSession& Session);
    TSettingsPage(const TSettingsPage&) = delete;
    TSettingsPage& operator=(const TSettingsPage&) = delete;

    // Sets up the frames with the stored preferences: the list filled from
    // the selectable units with the stored row selected, the application
    // options, the panel with the limits and the stored temperatures, the
    // brines checked. Answers 0 or kMsgNoSelectableChillers.
    int SetupWindow();

    // The row changed (a click in the list, or the stored criteria): the
    // results are invalidated, the options shown for the row's units, the
    // brine panels shown or reset, the panel laid out.
    void SelectRow(int nRow);
    void SelectCriteria(std::int32_t Condenser, std::int32_t Family, std::int32_t RefrigerantId,
                        std::int32_t CompressorId);
    // The stored temperatures for the selected row's condenser type, as the
    // start loads them for the stored row; the brines are checked again.
    void LoadStoredTemperatures();
    // Values, bars and mode into the panel without its callbacks; then the
    // brines are checked.
    void LoadTemperatures(const TSelTempData& Data);
    // "Reset Defaults": the stored temperatures forgotten and the limits'
    // defaults loaded for the first unit of the selected row; nothing
    // without a selected row.
    void ResetDefaults();

    // Values are typed into the panel (Panel().TypeValue, SetSelCooling)
    // and brines chosen in their frames (EvaporatorBrine, CondenserBrine,
    // ForceBrinePercentage): each change runs its checks through the
    // callbacks the page installed.
    // A variant box ticked or unticked; false when the box is disabled.
    bool SetApplicationOption(TFrm_ChApplicationOptions::TBoxIndex Box, bool bChecked);
    // "Make Selection": invalidation, the brines as default brines, the
    // criteria and temperatures stored and written (when bStore), the
    // headers, the candidate test with the capacity window of the
    // preferences, up to MaxSolutions results (0: the preference) in the
    // grid with the best one current. Answers the index of the best result
    // (-1: none).
    int MakeSelection(bool bStore = true, int MaxSolutions = 0);
    // Writes the preferences after a run; replaceable so that a front end
    // can write them in the user's own display units.
    void SetPreferencesWriter(std::function<void()> Writer) { v_writePreferences = std::move(Writer); }

    // After OK in the preferences dialog, in this order:
    // the panel's limits in the new display units, the values re-expressed;
    void ReinstallLimits();
    // the allowed refrigerants read again, the selectable units and the list
    // rebuilt, the stored row selected (the results are invalidated);
    void ReloadSelectableUnits();
    // the application options from the preferences, shown for the row.
    void ApplyStoredApplicationOptions();
    // All three, as the main window runs them before it shows this page.
    void PreferencesAccepted();

    // The results are gone: grid emptied, "On selected result" unavailable,
    // every listener told in the order added (the window, the Analysis page).
    void InvalidateResults();
    // Answers the listener's key for RemoveResultsInvalidatedListener; a
    // listener that goes before the page must remove itself.
    int AddResultsInvalidatedListener(std::function<void()> Listener);
    void RemoveResultsInvalidatedListener(int nKey);

    bool MakeSelectionEnabled() const { return v_panel.EnableSelection(); }
    bool ResultsAvailable() const { return v_bResults; }
    bool EvaporatorBrineShown() const { return v_bEvapBrineShown; }
    bool CondenserBrineShown() const { return v_bCondBrineShown; }
    // The request the last MakeSelection ran (or would run now).
    TSelectionRequest Request(int MaxSolutions = 0) const;

    TMainSession& Session() { return v_session; }
    const TMainSession& Session() const { return v_session; }
    TFrm_ChSelection& List() { return v_list; }
    const TFrm_ChSelection& List() const { return v_list; }
    TFrm_ChApplicationOptions& ApplicationOptions() { return v_appl; }
    TFrm_ChTempPanel& Panel() { return v_panel; }
    const TFrm_ChTempPanel& Panel() const { return v_panel; }
    TFrm_ChBrine& EvaporatorBrine() { return v_evapBrine; }
    const TFrm_ChBrine& EvaporatorBrine() const { return v_evapBrine; }
    TFrm_ChBrine& CondenserBrine() { return v_condBrine; }
    const TFrm_ChBrine& CondenserBrine() const { return v_condBrine; }
    TFrm_ChResultGrid& ResultGrid() { return v_grid; }
    const TFrm_ChResultGrid& ResultGrid() const { return v_grid; }

private:
    void RowChanged();
    void CheckSettings();
    void EvaporatorBrineCheck();
    void CondenserBrineCheck();
    void StoreRun();
    void PutHeaders(const TSelectionRequest& request);

    TMainSession& v_session;
    TFrm_ChSelection v_list;
    TFrm_ChApplicationOptions v_appl;
    TFrm_ChTempPanel v_panel;
    TFrm_ChBrine v_evapBrine;
    TFrm_ChBrine v_condBrine;
    TFrm_ChResultGrid v_grid;
    bool v_bResults = false;
    bool v_bEvapBrineShown = true;
    bool v_bCondBrineShown = false;
    std::function<void()> v_writePreferences;
    std::vector<std::pair<int, std::function<void()>>> v_onInvalidated;
    int v_nextListenerKey = 0;
};

}  // namespace brumalis
