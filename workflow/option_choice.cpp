#include "workflow/option_choice.h"

#include <cmath>
#include <optional>

#include "catalogue/user_dialog.h"

namespace brumalis {
namespace {

constexpr std::int32_t kTypeLowNoise = 2;
constexpr std::int32_t kTypeCuNi = 9;
constexpr int kMsgCuNiDerating = 38;

bool Recomputes(std::int32_t nType) {
    return nType == kTypeLowNoise || nType == TFrm_ChOptions::kTypePump || nType == TFrm_ChOptions::kTypeHeatRecovery;
}

// The pump flags of a data set, to put back when a pump change is undone.
struct TPumpFlags {
    Cls_ChOptAllowed* comb;
    bool selected, calculated, standard;
};

// While a reverted tick is recomputed: its messages were shown and its
// questions answered the first time; the ticks as they are now are kept.
class CTQuietDialog : public CTUserDialog {
public:
    CTQuietDialog() : v_previous(SetUserDialog(this)) {}
    ~CTQuietDialog() override { SetUserDialog(v_previous); }
    CTQuietDialog(const CTQuietDialog&) = delete;
    CTQuietDialog& operator=(const CTQuietDialog&) = delete;
    void ShowError(int, const std::vector<std::string>&) override {}
    bool AskYesNo(int, const std::vector<std::string>&) override { return true; }

private:
    CTUserDialog* v_previous;
};

}  // namespace

const Cls_ChOption* TOptionChoice::SelectedPump(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr) const {
    for (Cls_ChOptAllowed* p : Unit.GetSpecialOptCombs(v_session.v_Options, SeqNr, TFrm_ChOptions::kTypePump)) {
        if (p->GetSelected()) return OptionOf(*p, v_session.v_Options);
    }
    return nullptr;
}

TOptionChoice::TOptionChoice(TMainSession& Session, TFrm_ChOptions& Frame, TFrm_ChResultGrid& Grid,
                             TRequestFunc Request)
    : v_session(Session), v_frame(Frame), v_grid(Grid), v_request(std::move(Request)) {}

TOptionChoice::TOptionChoice(TMainSession& Session, TFrm_ChOptions& Frame, TPlantBuilder& Plant,
                             TRequestFunc Request)
    : v_session(Session), v_frame(Frame), v_grid(Plant.Grid()), v_plant(&Plant), v_request(std::move(Request)) {}

Cls_ChOutdoorUnit* TOptionChoice::Current(std::int32_t& SeqNr) const { return v_grid.GetCurrentChiller(SeqNr); }

void TOptionChoice::ShowCurrentUnit() {
    std::int32_t nSeqNr = 0;
    Cls_ChOutdoorUnit* pUnit = Current(nSeqNr);
    if (!pUnit) {
        v_frame.ClearOptions();
        return;
    }
    v_frame.DisplayOptions(*pUnit, nSeqNr);
    if (pUnit->GetHasOptionCodes()) v_frame.SetOptionCode(pUnit->GetOptionCode(nSeqNr, v_session.v_OptionCodes));
    v_frame.SetAddToBasket(true);
}

void TOptionChoice::SelectHROption(Cls_ChOption& Option) {
    std::int32_t nSeqNr = 0;
    Cls_ChOutdoorUnit* pUnit = Current(nSeqNr);
    if (!pUnit || !v_session.v_Limits) return;
    const Cls_ChOptAllowed* pComb = pUnit->GetSpecificOptComb(Option.TableIndex(), Option.GetID(), nSeqNr);
    if (!pComb) return;
    double dMin = 0.0, dMax = 0.0;
    pComb->GetHRMinMax(*v_session.v_Limits, dMin, dMax);
    v_frame.InstallLimits(static_cast<std::int32_t>(std::trunc(dMin)), static_cast<std::int32_t>(std::trunc(dMax)),
                          v_session.v_Limits->GetMaxDeltaT(), v_session.v_Limits->GetMinDeltaT());
}

std::int32_t TOptionChoice::Recompute(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr, const Cls_ChOptAllowed& Comb,
                                      bool bShowError) {
    std::optional<CTQuietDialog> quiet;
    if (!bShowError) quiet.emplace();
    const TSelectionRequest request = v_request();
    TSelTempData temperatures = request.Temperatures;
    v_frame.GetHRData(temperatures.HRLeaving, temperatures.HRDeltaT);
    TCapacityBand cool = TCapacityBand::Of(request.ReqCool, request.NegCooling, request.PosCooling);
    TCapacityBand heat = TCapacityBand::Of(request.ReqHeat, request.NegHeating, request.PosHeating);
    if (v_plant) cool.Min = heat.Min = 0.0;  // a plant unit may be smaller than the plant's requirement
    const std::int32_t nResult = Unit.RecalcChiller(
        SeqNr, temperatures, v_session.v_Controllers, request.CondenserBrine, request.CondenserPercent,
        Cls_ChOutdoorUnit::GetInitSoundDistances(), &Comb, v_session.v_Options, request.ReqCool, cool.Min, cool.Max,
        request.ReqHeat, heat.Min, heat.Max);
    if (nResult > 0 && bShowError) {
        Cls_ChOptAllowed *pTank = nullptr, *pPump = nullptr, *pLowNoise = nullptr, *pRecovery = nullptr,
                         *pRange = nullptr;
        Unit.GetSelectedAttrOptionCombs(v_session.v_Options, SeqNr, pTank, pPump, pLowNoise, pRecovery, pRange);
        std::int32_t nMsgNr = 0;
        std::vector<std::string> params;
        Unit.AnalyzeErrCode(nResult, SeqNr, pPump, nMsgNr, params);
        ShowUserError(nMsgNr, params);
    }
    return nResult;
}

bool TOptionChoice::RejectedByOptionCode(const Cls_ChOption& Option, Cls_ChOutdoorUnit& Unit,
                                         std::int32_t SeqNr) const {
    const CTRecordList<Cls_ChOptAllowed>& combs = Unit.GetOptCombs(SeqNr);
    for (const auto& pCode : v_session.v_OptionCodes) {
        if (pCode->CheckOptionCode(Option, combs, v_session.v_Options)) return true;  // it showed the conflict
    }
    return false;
}

void TOptionChoice::WithOptionCodes(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr, Cls_ChOption& Option,
                                    Cls_ChOptAllowed& Comb, bool bTicked) {
    const bool bRecomputed = Recomputes(Option.GetType());
    if (bRecomputed && Recompute(Unit, SeqNr, Comb, true) > 0) Comb.Selected = !bTicked;
    if (Comb.Selected == bTicked && RejectedByOptionCode(Option, Unit, SeqNr)) Comb.Selected = !bTicked;
    // Reverted after a recomputation: once more, so that the figures are those of the ticks.
    if (bRecomputed && Comb.Selected != bTicked) Recompute(Unit, SeqNr, Comb, false);
    v_frame.SetOption(Option, Comb.Selected);
    v_frame.SetOptionCode(Unit.GetOptionCode(SeqNr, v_session.v_OptionCodes));
}

void TOptionChoice::WithoutOptionCodes(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr, Cls_ChOption& Option,
                                       Cls_ChOptAllowed& Comb, bool bTicked) {
    const bool bPump = Option.GetType() == TFrm_ChOptions::kTypePump;
    if (bPump && v_plant) {  // a plant keeps its figures on a pump change
        Unit.ResetStdPumpOption(v_session.v_Options, &Option, SeqNr);
        v_frame.SetStdPump(&Option);
        return;
    }
    if (Recomputes(Option.GetType())) {
        std::vector<TPumpFlags> pumps;
        if (bPump) {
            for (Cls_ChOptAllowed* p : Unit.GetSpecialOptCombs(v_session.v_Options, SeqNr, TFrm_ChOptions::kTypePump)) {
                // The changed pump's own tick is already set: it goes back to the other state.
                pumps.push_back(TPumpFlags{p, p == &Comb ? !bTicked : p->Selected, p->Calculated, p->GetIsStandard()});
            }
            Unit.ResetStdPumpOption(v_session.v_Options, bTicked ? &Option : nullptr, SeqNr);
        }
        const bool bError = Recompute(Unit, SeqNr, Comb, true) > 0;
        // A pump the recomputation declined (question 269 answered no) is
        // undone like an error, so that the chosen pump stays chosen.
        const bool bDeclined = bPump && bTicked && !Comb.GetSelected();
        if (bError || bDeclined) {
            if (bPump) {
                for (const TPumpFlags& f : pumps) {
                    f.comb->Selected = f.selected, f.comb->Calculated = f.calculated, f.comb->SetIsStandard(f.standard);
                }
            } else {
                Comb.Selected = !bTicked;
            }
            Recompute(Unit, SeqNr, Comb, false);  // the figures of the ticks as they are again
            if (bPump) {
                v_frame.SetStdPump(SelectedPump(Unit, SeqNr));
            } else {
                v_frame.SetOption(Option, Comb.Selected);
            }
        } else if (bPump && Comb.GetSelected()) {
            v_frame.SetStdPump(&Option);
        } else if (bPump) {
            v_frame.SetOption(Option, false);
        }
    }
    if (Option.GetType() == kTypeCuNi && bTicked) ShowUserWarning(kMsgCuNiDerating);
}

void TOptionChoice::OptionChanged(Cls_ChOption& Option, bool bTicked) {
    std::int32_t nSeqNr = 0;
    Cls_ChOutdoorUnit* pUnit = Current(nSeqNr);
    if (!pUnit) return;
    // Without option codes a unit has one pump, which a new pump replaces.
    const bool bReplacesPump = Option.GetType() == TFrm_ChOptions::kTypePump && !pUnit->GetHasOptionCodes();
    const std::int32_t nReplacedType = bReplacesPump ? TFrm_ChOptions::kTypePump : 0;
    if (!Option.IsCompatibleComb(pUnit->GetOptCombs(nSeqNr), v_session.v_OptionsExcluded, v_session.v_Options,
                                 nReplacedType)) {
        v_frame.SetOption(Option, !bTicked);
        return;
    }
    Cls_ChOptAllowed* pComb = pUnit->GetSpecificOptComb(Option.TableIndex(), Option.GetID(), nSeqNr);
    if (!pComb) return;
    pComb->Selected = bTicked;
    if (!Option.GetIsKit()) {
        if (pUnit->GetHasOptionCodes()) {
            WithOptionCodes(*pUnit, nSeqNr, Option, *pComb, bTicked);
        } else {
            WithoutOptionCodes(*pUnit, nSeqNr, Option, *pComb, bTicked);
        }
    }
    RefreshGrid(*pUnit);
}

void TOptionChoice::RefreshGrid(Cls_ChOutdoorUnit& Unit) {
    if (v_plant) {
        v_plant->RefreshGrid();
    } else {
        v_grid.ReplaceChiller(&Unit);  // the column reads its texts from the data set again
    }
}

}  // namespace brumalis
