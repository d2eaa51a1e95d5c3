#include "workflow/settings_page.h"

#include <algorithm>

#include "catalogue/price_records.h"
#include "catalogue/units.h"
#include "workflow/preferences.h"

namespace brumalis {

namespace {

TRepApplOptions StoredApplicationOptions() {
    const TPreferences& prefs = TFrm_Preferences::Values();
    return TRepApplOptions{true, prefs.VERSION_X, prefs.VERSION_P, prefs.VERSION_A,
                           true, prefs.SOUND_L,   prefs.SOUND_R,   prefs.SOUND_X};
}

}  // namespace

TSettingsPage::TSettingsPage(TMainSession& Session)
    : v_session(Session), v_writePreferences([] { TFrm_Preferences::WriteRegistry(); }) {}

int TSettingsPage::SetupWindow() {
    const TPreferences& prefs = TFrm_Preferences::Values();
    const Cls_ChLimits& limits = *v_session.v_Limits;
    v_appl.SetupWindow(false);
    v_appl.SetOptionSettings(StoredApplicationOptions());
    v_panel.SetupWindow(limits, false, TU_Form::GetNewIndex(U_Power), TU_Form::GetNewIndex(U_Temperature), {},
                        [this] { CondenserBrineCheck(); }, [this] { EvaporatorBrineCheck(); },
                        [this] { CheckSettings(); });
    v_panel.InstallLimits();
    v_evapBrine.SetupWindow(TMainSession::kSelectionSeqNr, v_session.v_Glycols, v_session.v_Controllers, {},
                            [this] { EvaporatorBrineCheck(); });
    v_condBrine.SetupWindow(TMainSession::kSelectionSeqNr, v_session.v_Glycols, v_session.v_Controllers, {},
                            [this] { CondenserBrineCheck(); });
    v_grid.SetupWindow(true, TMainSession::kSelectionSeqNr, &v_session.v_OptionCodes);
    v_list.SetupWindow(&limits, [this] { RowChanged(); });
    const int nMessage = v_list.DisplaySelections(v_session.v_PrefChillers, v_session.v_Compressors,
                                                  v_session.v_Refrigerants);
    v_list.SetSelectionCriteria(prefs.CONDENSER, prefs.FAMILY, prefs.REFRIGERANT, prefs.COMPRESSOR);
    LoadTemperatures(TFrm_Preferences::GetTempData(prefs.CONDENSER));
    return nMessage;
}

void TSettingsPage::SelectRow(int nRow) { v_list.SelectRow(nRow); }

void TSettingsPage::SelectCriteria(std::int32_t Condenser, std::int32_t Family, std::int32_t RefrigerantId,
                                   std::int32_t CompressorId) {
    v_list.SetSelectionCriteria(Condenser, Family, RefrigerantId, CompressorId);
}

void TSettingsPage::LoadStoredTemperatures() {
    LoadTemperatures(TFrm_Preferences::GetTempData(v_list.GetSelCondenser()));
}

void TSettingsPage::LoadTemperatures(const TSelTempData& Data) {
    v_panel.SetTempData(Data);
    EvaporatorBrineCheck();
    CondenserBrineCheck();
}

void TSettingsPage::ResetDefaults() {
    if (v_list.SelectedRow() < 0 || v_list.GetSelChillers().empty()) return;
    const Cls_ChOutdoorUnit& first = *v_list.GetSelChillers().front();
    TFrm_Preferences::ResetDefaultTemps(*v_session.v_Limits);
    v_panel.ShowCapacityBoxes(first.GetCondenserType(), first.GetFamily());
    LoadTemperatures(TFrm_Preferences::GetTempData(first.GetCondenserType()));
}

bool TSettingsPage::SetApplicationOption(TFrm_ChApplicationOptions::TBoxIndex Box, bool bChecked) {
    const bool bSet = v_appl.SetBox(Box, bChecked);
    InvalidateResults();
    return bSet;
}

void TSettingsPage::RowChanged() {
    InvalidateResults();
    v_appl.ShowOptions(v_list.GetSelChillers());
    const TBrinePanels panels =
        ShowBrinePanels(v_list.GetSelCondenser(), v_list.GetSelFamily(), v_evapBrine, v_condBrine);
    v_bEvapBrineShown = panels.Evaporator;
    v_bCondBrineShown = panels.Condenser;
    v_panel.ShowCapacityBoxes(v_list.GetSelCondenser(), v_list.GetSelFamily());
}

void TSettingsPage::CheckSettings() { InvalidateResults(); }

void TSettingsPage::EvaporatorBrineCheck() {
    InvalidateResults();
    CheckEvaporatorBrine(v_list.GetSelFamily(), v_panel, v_evapBrine);
}

void TSettingsPage::CondenserBrineCheck() {
    InvalidateResults();
    CheckCondenserBrine(v_list.GetSelCondenser(), v_panel, v_condBrine);
}

void TSettingsPage::ReinstallLimits() { v_panel.InstallLimits(); }

void TSettingsPage::ReloadSelectableUnits() {
    v_session.v_Refrigerants = Cls_Refrigerant::GetAllowedRefrigerants();
    v_session.SelectPreferredUnits();
    v_list.DisplaySelections(v_session.v_PrefChillers, v_session.v_Compressors, v_session.v_Refrigerants);
    const TPreferences& prefs = TFrm_Preferences::Values();
    v_list.SetSelectionCriteria(prefs.CONDENSER, prefs.FAMILY, prefs.REFRIGERANT, prefs.COMPRESSOR);
}

void TSettingsPage::ApplyStoredApplicationOptions() {
    v_appl.SetOptionSettings(StoredApplicationOptions());
    v_appl.ShowOptions(v_list.GetSelChillers());
}

void TSettingsPage::PreferencesAccepted() {
    ReinstallLimits();
    ReloadSelectableUnits();
    ApplyStoredApplicationOptions();
}

void TSettingsPage::InvalidateResults() {
    v_bResults = false;
    v_grid.EmptyGrid();
    v_session.v_Candidates.clear();
    v_session.v_NonSelected.clear();
    v_session.v_Results.clear();
    // A copy: a listener may remove itself or add another while being told.
    const auto listeners = v_onInvalidated;
    for (const auto& entry : listeners) entry.second();
}

int TSettingsPage::AddResultsInvalidatedListener(std::function<void()> Listener) {
    v_onInvalidated.emplace_back(v_nextListenerKey, std::move(Listener));
    return v_nextListenerKey++;
}

void TSettingsPage::RemoveResultsInvalidatedListener(int nKey) {
    std::erase_if(v_onInvalidated, [nKey](const auto& entry) { return entry.first == nKey; });
}

TSelectionRequest TSettingsPage::Request(int MaxSolutions) const {
    const TPreferences& prefs = TFrm_Preferences::Values();
    TSelectionRequest request;
    request.Units = v_list.SelectedRow() >= 0 ? v_list.GetSelChillers() : std::vector<Cls_ChOutdoorUnit*>{};
    request.Allowed = [this](std::string_view suffix) { return v_appl.OptionAllowed(suffix); };
    request.Temperatures = v_panel.GetTempData();
    request.ReqCool = v_panel.GetUserCoolCap();
    request.ReqHeat = v_panel.GetUserHeatCap();
    request.CondenserBrine = v_condBrine.GetBrine();
    request.CondenserPercent = v_condBrine.GetPercentage();
    request.NegCooling = prefs.NEGCOOLING, request.PosCooling = prefs.POSCOOLING;
    request.NegHeating = prefs.NEGHEATING, request.PosHeating = prefs.POSHEATING;
    request.MaxSolutions = MaxSolutions > 0 ? MaxSolutions : prefs.MAXSOLUTION;
    return request;
}

int TSettingsPage::MakeSelection(bool bStore, int MaxSolutions) {
    InvalidateResults();
    const TSelectionRequest request = Request(MaxSolutions);
    if (bStore) StoreRun();
    PutHeaders(request);
    v_bResults = true;
    const int nBest = v_session.RunSelection(request);
    if (Cls_PriceAndPrefsFile::UniqueInstance()) {
        for (Cls_ChOutdoorUnit* pUnit : v_session.v_Results) pUnit->CalcPrice(TMainSession::kSelectionSeqNr);
    }
    for (Cls_ChOutdoorUnit* pUnit : v_session.v_Results) v_grid.AddChiller(pUnit, TMainSession::kSelectionSeqNr);
    if (nBest >= 0) v_grid.SetCurrentPosition(nBest);
    return nBest;
}

// The brines in use become the default brines, the criteria and
// temperatures the preferences.
void TSettingsPage::StoreRun() {
    for (const Cls_ChGlycol* pBrine : {v_evapBrine.GetBrine(), v_condBrine.GetBrine()}) {
        if (pBrine) Cls_ChGlycol::SetRegDefault(pBrine->GetID());
    }
    std::int32_t nCondenser = 0, nFamily = 0, nRefrigerant = 0, nCompressor = 0;
    v_list.GetSelectionCriteria(nCondenser, nFamily, nRefrigerant, nCompressor);
    TFrm_Preferences::StoreCriteria(nCondenser, nFamily, nRefrigerant, nCompressor, v_panel.GetTempData(),
                                    *v_session.v_Limits);
    if (v_writePreferences) v_writePreferences();
}

void TSettingsPage::PutHeaders(const TSelectionRequest& request) {
    v_grid.PutHeaders(v_list.GetSelCondenser(), v_list.GetSelFamily(), 0.0,
                      TFrm_ChApplicationOptions::GetStdOptionSuffix(), TFrm_Preferences::Values().ESEER,
                      v_panel.GetSelCooling(), request.ReqHeat, request.ReqCool,
                      Cls_PriceAndPrefsFile::UniqueInstance() != nullptr);
}

}  // namespace brumalis
