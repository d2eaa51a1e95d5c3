#include "workflow/analysis_page.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"
#include "workflow/preferences.h"

namespace brumalis {
namespace {

constexpr std::int32_t kSeqNr = TMainSession::kAnalysisSeqNr;
// The option types of the low-noise, heat-recovery and pump controls, and of
// the operation-range option every computation takes.
constexpr std::int32_t kOptionTypes[] = {2, 6, 4};
constexpr std::int32_t kOperationRangeType = 8;

double MetresShown(double dMetres) {
    return TU_Form::ConvertValue(U_Length, 0, true, TU_Form::GetNewIndex(U_Length), dMetres);
}

int RoundedShown(double dMetres) { return static_cast<int>(std::lround(MetresShown(dMetres))); }

}  // namespace

Cls_ChOptAllowed* TAnalysisCombo::Chosen() const {
    if (!Ticked || Selected < 0 || static_cast<std::size_t>(Selected) >= Items.size()) return nullptr;
    return Items[static_cast<std::size_t>(Selected)];
}

TAnalysisPage::TAnalysisPage(TMainSession& Session, TSettingsPage& Settings)
    : v_session(Session),
      v_settings(Settings),
      v_nListenerKey(v_settings.AddResultsInvalidatedListener([this] { ResultsInvalidated(); })) {}

TAnalysisPage::~TAnalysisPage() { v_settings.RemoveResultsInvalidatedListener(v_nListenerKey); }

void TAnalysisPage::SetupWindow() {
    const auto recompute = [this] { Compute(); };
    v_panel.SetupWindow(*v_session.v_Limits, true, TU_Form::GetNewIndex(U_Power), TU_Form::GetNewIndex(U_Temperature),
                        {}, recompute, recompute, recompute);
    v_panel.InstallLimits();
    // The page's own values start as the stored ones, as the Settings page's do.
    const TPreferences& prefs = TFrm_Preferences::Values();
    v_panel.SetTempData(TFrm_Preferences::GetTempData(prefs.CONDENSER));
    v_evapBrine.SetupWindow(kSeqNr, v_session.v_Glycols, v_session.v_Controllers, {}, recompute);
    v_condBrine.SetupWindow(kSeqNr, v_session.v_Glycols, v_session.v_Controllers, {}, recompute);
    v_recovery.SetupWindow(true, TU_Form::GetNewIndex(U_Temperature), {}, recompute);
    v_recovery.SetTempSettings(prefs.COOL_ADTC, prefs.COOL_ALWC, false);
    v_grid.SetupWindow(false, kSeqNr, &v_session.v_OptionCodes);
    v_chooser.SetupWindow({}, [this](Cls_ChOutdoorUnit* pUnit) {
        ChooseUnit(pUnit);
        if (v_onChosen) v_onChosen();
    });
    v_chooser.SetChillers(&v_session.v_PrefChillers);
    Close();
}

void TAnalysisPage::PreferencesAccepted() {
    v_panel.InstallLimits();
    InstallRecoveryLimits();
    v_chooser.SetChillers(&v_session.v_PrefChillers);
    ChooseUnit(nullptr);
    Compute();
}

bool TAnalysisPage::OnSelectedResultEnabled() const {
    std::int32_t nSeqNr = 0;
    return v_settings.ResultsAvailable() && v_settings.ResultGrid().GetCurrentChiller(nSeqNr) != nullptr;
}

bool TAnalysisPage::StartOnSelectedResult() {
    if (!OnSelectedResultEnabled()) return false;
    std::int32_t nSeqNr = 0;
    Cls_ChOutdoorUnit& unit = *v_settings.ResultGrid().GetCurrentChiller(nSeqNr);
    unit.CopyChillerData(nSeqNr, kSeqNr);
    v_evapBrine.CopySettings(v_settings.EvaporatorBrine());
    v_condBrine.CopySettings(v_settings.CondenserBrine());
    Start(unit, true);
    // Copying the Settings temperatures computes the analysis.
    v_panel.CopySettings(v_settings.Panel());
    return true;
}

bool TAnalysisPage::StartOnUserDefined() {
    if (!v_chosen) return false;
    Start(*v_chosen, false);
    Compute();
    return true;
}

// What both starts do; the caller computes once the page is laid out.
void TAnalysisPage::Start(Cls_ChOutdoorUnit& Unit, bool bSolution) {
    v_bStarting = true;
    v_bAnalyzeSolution = bSolution;
    v_pUnit = &Unit;
    v_title = dialogs::TBaseMsg::Translate(bSolution ? kTitleSolution : kTitleSelected);
    v_brinePanels = ShowBrinePanels(Unit.GetCondenserType(), Unit.GetFamily(), v_evapBrine, v_condBrine);
    v_distance = kDefaultDistance;
    SetUpOptionControls();
    v_panel.ShowCapacityBoxes(Unit.GetCondenserType(), Unit.GetFamily());
    v_bStarting = false;
}

void TAnalysisPage::SetUpOptionControls() {
    for (std::size_t i = 0; i < v_combos.size(); ++i) {
        TAnalysisCombo& combo = v_combos[i];
        combo = TAnalysisCombo{};
        combo.Items = v_pUnit->GetSpecialOptCombs(v_session.v_Options, kSeqNr, kOptionTypes[i]);
        for (const Cls_ChOptAllowed* pComb : combo.Items) {
            const Cls_ChOption* pOption = OptionOf(*pComb, v_session.v_Options);
            combo.Names.push_back(pOption ? pOption->GetDescriptiveName() : std::string());
        }
        combo.Visible = !combo.Items.empty();
    }
}

void TAnalysisPage::ResultsInvalidated() {
    if (Active() && v_bAnalyzeSolution) Close();
}

void TAnalysisPage::Close() {
    v_pUnit = nullptr;
    v_bAnalyzeSolution = false;
    v_grid.EmptyGrid();
    v_title.clear();
    v_pumpESP.clear();
    v_light = -1;
    for (TAnalysisCombo& combo : v_combos) combo = TAnalysisCombo{};
}

void TAnalysisPage::LoadTemperatures(const TSelTempData& Data) {
    v_panel.SetTempData(Data);
    Compute();
}

TTypedEntry TAnalysisPage::EnterDistance(std::string_view szText) {
    TTypedEntry entry;
    entry.Typed = Str2Number(szText);
    const double dMetres = std::isnan(entry.Typed)
                               ? kDefaultDistance
                               : TU_Form::ConvertValue(U_Length, TU_Form::GetNewIndex(U_Length), true, 0, entry.Typed);
    v_distance = std::clamp(dMetres, kMinDistance, kMaxDistance);
    entry.Clamped = v_distance != dMetres || std::isnan(entry.Typed);
    entry.Value = ShownDistance();
    entry.Shown = Number2Str(15, entry.Value);
    Compute();
    return entry;
}

int TAnalysisPage::ShownDistance() const { return RoundedShown(v_distance); }

TDistanceRange TAnalysisPage::DistanceRange() {
    return TDistanceRange{RoundedShown(kMinDistance), RoundedShown(kMaxDistance)};
}

std::string TAnalysisPage::DistanceUnitCaption() { return TU_Form::GetCurrentString(U_Length); }

void TAnalysisPage::TickOption(TAnalysisOption Option, bool bTicked) {
    TAnalysisCombo& combo = v_combos[Index(Option)];
    if (!combo.Visible) return;
    combo.Ticked = bTicked;
    combo.Enabled = bTicked;
    combo.Selected = bTicked ? 0 : -1;
    if (bTicked && Option == TAnalysisOption::HeatRecovery) InstallRecoveryLimits();
    Compute();
}

void TAnalysisPage::ChooseOption(TAnalysisOption Option, int nItem) {
    TAnalysisCombo& combo = v_combos[Index(Option)];
    if (!combo.Enabled || nItem < 0 || static_cast<std::size_t>(nItem) >= combo.Items.size()) return;
    combo.Selected = nItem;
    if (Option == TAnalysisOption::HeatRecovery) InstallRecoveryLimits();
    Compute();
}

// The leaving-water range the chosen recovery option offers, truncated to
// whole degrees; the delta T range of the limits.
void TAnalysisPage::InstallRecoveryLimits() {
    const Cls_ChOptAllowed* pComb = Combo(TAnalysisOption::HeatRecovery).Chosen();
    if (!pComb) return;
    const Cls_ChLimits& limits = *v_session.v_Limits;
    double dMin = 0.0, dMax = 0.0;
    pComb->GetHRMinMax(limits, dMin, dMax);
    v_recovery.InstallLimits(static_cast<std::int32_t>(std::trunc(dMin)), static_cast<std::int32_t>(std::trunc(dMax)),
                             limits.GetMaxDeltaT(), limits.GetMinDeltaT());
}

std::string TAnalysisPage::LightText() const {
    if (v_light < 0) return {};
    if (v_light == 1) return dialogs::TBaseMsg::Translate(kLightYellow);
    if (v_light == 2) return dialogs::TBaseMsg::Translate(kLightRed);
    return dialogs::TBaseMsg::Translate(kLightGreen);
}

// The frames' callbacks run it, so nothing may leave it: a failure is kept
// for the page to show, and the page shows no outcome.
void TAnalysisPage::Compute() {
    if (!v_pUnit || v_bStarting) return;
    try {
        Calculate();
    } catch (const std::exception& error) {
        v_failure = error.what();
        v_grid.EmptyGrid();
        v_pumpESP.clear();
        v_light = -1;
    }
}

// The unit with data set 2: no requirement, so the result is never a
// rejection; the brine corrections of data set 2 are brought up to the
// panel first.
void TAnalysisPage::Calculate() {
    Cls_ChOutdoorUnit& unit = *v_pUnit;
    CheckEvaporatorBrine(unit.GetFamily(), v_panel, v_evapBrine);
    CheckCondenserBrine(unit.GetCondenserType(), v_panel, v_condBrine);
    v_temperatures = v_panel.GetTempData();
    v_recovery.GetTempSettings(v_temperatures.HRDeltaT, v_temperatures.HRLeaving);
    unit.ResetUsedOptions(kSeqNr);
    Cls_ChOptAllowed* pLowNoise = Combo(TAnalysisOption::LowNoise).Chosen();
    Cls_ChOptAllowed* pRecovery = Combo(TAnalysisOption::HeatRecovery).Chosen();
    Cls_ChOptAllowed* pPump = Combo(TAnalysisOption::Pump).Chosen();
    unit.IsCandidateChiller(kSeqNr, false, v_temperatures, v_session.v_Controllers, v_condBrine.GetBrine(),
                            v_condBrine.GetPercentage(), TSoundArray{v_distance, v_distance, v_distance}, pPump,
                            pLowNoise, pRecovery, unit.GetSpecialOption(v_session.v_Options, kSeqNr, kOperationRangeType),
                            0.0, 0.0, kUnboundedCapacity, 0.0, 0.0, kUnboundedCapacity);
    v_pumpESP.clear();
    if (pPump) {
        if (const auto pCurve = pPump->GetTheChPumpData()) {
            const double dESP = pCurve->Evaluate(unit.GetChillerData(kSeqNr).Evaporator.WFR) * 1000.0;
            v_pumpESP = TU_Form::PutDimensionedText(U_Pressure, true, dESP);
        }
    }
    v_grid.PutHeaders(unit.GetCondenserType(), unit.GetFamily(), v_distance,
                      TFrm_ChApplicationOptions::GetStdOptionSuffix(), TFrm_Preferences::Values().ESEER,
                      v_panel.GetSelCooling(), 0.0, 0.0, false);
    v_grid.AddChiller(&unit, kSeqNr);
    v_grid.SetCurrentPosition(0);
    v_light = unit.GetStatusLight(kSeqNr);
}

}  // namespace brumalis
