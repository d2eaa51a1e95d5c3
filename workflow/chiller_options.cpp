#include "workflow/chiller_options.h"

#include <algorithm>

#include "catalogue/unit_records.h"

namespace brumalis {
namespace {

bool SameOption(const Cls_ChOption& a, const Cls_ChOption& b) {
    return a.TableIndex() == b.TableIndex() && a.GetID() == b.GetID();
}

void SortByText(std::vector<TFrm_ChOptions::TLine>& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.Text < b.Text; });
}

}  // namespace

void TFrm_ChOptions::SetupWindow(const CTRecordList<Cls_ChOption>* Options, int CurrTempIndex, double HRDeltaT,
                                 double HRLeaving, TNotify OnEnter, TSelectHROption SelectHROption,
                                 THandleChanges HandleChanges, std::function<void()> AddToPlant,
                                 std::function<void()> AddToBasket) {
    v_Options = Options;
    v_onEnter = std::move(OnEnter);
    v_selectHROption = std::move(SelectHROption);
    v_handleChanges = std::move(HandleChanges);
    v_addToPlant = std::move(AddToPlant);
    v_addToBasket = std::move(AddToBasket);
    // A new recovery temperature recomputes the unit as its tick would.
    v_recovery.SetupWindow(true, CurrTempIndex, v_onEnter, [this] {
        if (v_options.empty()) return;
        const int nLine = std::max(v_current, 0);
        HandleTick(nLine, v_options[static_cast<std::size_t>(nLine)].Ticked);
    });
    v_recovery.SetTempSettings(HRDeltaT, HRLeaving, false);
    ClearOptions();
}

void TFrm_ChOptions::DisplayOptions(Cls_ChOutdoorUnit& Chiller, std::int32_t SeqNr) {
    v_standard.clear();
    v_options.clear();
    v_kits.clear();
    for (const auto& pComb : Chiller.GetOptCombs(SeqNr)) {
        Cls_ChOption* pOption = v_Options ? OptionOf(*pComb, *v_Options) : nullptr;
        if (!pOption) continue;
        if (pOption->GetIsKit()) {
            v_kits.push_back(TLine{pOption->GetDescriptiveName(), pOption, !pComb->IsImmutable(), pComb->GetSelected()});
        } else if (pComb->GetIsStandard() && Chiller.GetHasOptionCodes()) {
            v_standard.push_back(pOption->GetDescription());
        } else if (pComb->GetIsStandard() && pOption->GetType() != kTypePump) {
            v_standard.push_back(pOption->GetDescriptiveName());
        } else {
            // A standard pump of a unit without option codes stays here, so that it can be switched.
            const bool bEnabled = !pComb->IsImmutable() && pOption->GetType() != kTypeFixed;
            v_options.push_back(TLine{pOption->GetDescriptiveName(), pOption, bEnabled, pComb->GetSelected()});
        }
    }
    std::sort(v_standard.begin(), v_standard.end());
    SortByText(v_options);
    SortByText(v_kits);
    v_bRecoveryShown = false;
    v_optionCode.clear();
    v_current = -1;
}

void TFrm_ChOptions::ClearOptions() {
    v_bAddEnabled = false;
    v_standard.clear();
    v_options.clear();
    v_kits.clear();
    v_optionCode.clear();
    v_bRecoveryShown = false;
    v_current = -1;
}

TFrm_ChOptions::TLine* TFrm_ChOptions::LineOf(std::vector<TLine>& lines, const Cls_ChOption& Option) {
    for (TLine& line : lines) {
        if (SameOption(*line.Option, Option)) return &line;
    }
    return nullptr;
}

void TFrm_ChOptions::SetOption(const Cls_ChOption& Option, bool bTicked) {
    if (TLine* pLine = LineOf(v_options, Option)) {
        pLine->Enabled = true;
        pLine->Ticked = bTicked;
    } else if (TLine* pKit = LineOf(v_kits, Option)) {
        pKit->Ticked = bTicked;
    }
}

void TFrm_ChOptions::SetStdPump(const Cls_ChOption* PumpOption) {
    for (TLine& line : v_options) {
        if (line.Option->GetType() != kTypePump) continue;
        line.Ticked = PumpOption && SameOption(*line.Option, *PumpOption);
        line.Enabled = !line.Ticked;
    }
}

void TFrm_ChOptions::GetHRData(double& HRLeaving, double& HRDeltaT) const { v_recovery.GetTempSettings(HRDeltaT, HRLeaving); }

void TFrm_ChOptions::InstallLimits(std::int32_t MinLeaving, std::int32_t MaxLeaving, std::int32_t MaxDeltaT,
                                   std::int32_t MinDeltaT) {
    v_recovery.InstallLimits(MinLeaving, MaxLeaving, MaxDeltaT, MinDeltaT);
}

void TFrm_ChOptions::ClickOption(int nLine) {
    if (nLine < 0 || nLine >= static_cast<int>(v_options.size())) return;
    v_current = nLine;
    const TLine& line = v_options[static_cast<std::size_t>(nLine)];
    v_bRecoveryShown = line.Option->GetType() == kTypeHeatRecovery && line.Ticked;
    if (v_bRecoveryShown && v_selectHROption) v_selectHROption(*line.Option);
}

void TFrm_ChOptions::HandleTick(int nLine, bool bTicked) {
    Cls_ChOption& option = *v_options[static_cast<std::size_t>(nLine)].Option;
    const bool bWasShown = v_bRecoveryShown;
    v_bRecoveryShown = option.GetType() == kTypeHeatRecovery;
    if (v_bRecoveryShown && !bWasShown && v_selectHROption) v_selectHROption(option);
    if (v_handleChanges) v_handleChanges(option, bTicked);
}

void TFrm_ChOptions::TickOption(int nLine, bool bTicked) {
    if (nLine < 0 || nLine >= static_cast<int>(v_options.size())) return;
    TLine& line = v_options[static_cast<std::size_t>(nLine)];
    if (!line.Enabled) return;
    v_current = nLine;
    line.Ticked = bTicked;
    HandleTick(nLine, bTicked);
}

void TFrm_ChOptions::TickKit(int nLine, bool bTicked) {
    if (nLine < 0 || nLine >= static_cast<int>(v_kits.size())) return;
    TLine& line = v_kits[static_cast<std::size_t>(nLine)];
    if (!line.Enabled) return;
    line.Ticked = bTicked;
    if (v_handleChanges) v_handleChanges(*line.Option, bTicked);
}

TTypedEntry TFrm_ChOptions::EnterRecovery(TEntryRow Row, std::string_view Text) { return v_recovery.Enter(Row, Text); }

void TFrm_ChOptions::PressAddToPlant() const {
    if (v_bAddEnabled && v_addToPlant) v_addToPlant();
}

void TFrm_ChOptions::PressAddToBasket() const {
    if (v_bAddEnabled && v_addToBasket) v_addToBasket();
}

}  // namespace brumalis
