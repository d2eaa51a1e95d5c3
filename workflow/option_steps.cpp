#include "workflow/option_steps.h"

#include "catalogue/units.h"
#include "platform/settings_store.h"
#include "workflow/preferences.h"
#include "workflow/workflow_texts.h"

namespace brumalis {
namespace {

TStepOutcome Impossible(std::string szReason) {
    return TStepOutcome{TStepOutcome::TResult::Impossible, std::move(szReason)};
}

TStepOutcome Outcome(bool bAsAsked) {
    return TStepOutcome{bAsAsked ? TStepOutcome::TResult::Taken : TStepOutcome::TResult::Reverted, {}};
}

std::string Known(const std::vector<TFrm_ChOptions::TLine>& lines) {
    std::string szKnown;
    for (const TFrm_ChOptions::TLine& line : lines) szKnown += (szKnown.empty() ? "" : ", ") + line.Text;
    return szKnown.empty() ? WorkflowText("none") : szKnown;
}

}  // namespace

int OptionLineNamed(const std::vector<TFrm_ChOptions::TLine>& Lines, const std::string& szName) {
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const TFrm_ChOptions::TLine& line = Lines[i];
        if (platform::EqualsIgnoringCase(line.Text, szName) || platform::EqualsIgnoringCase(line.Option->GetName(), szName)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TWiredOptionFrame::TWiredOptionFrame(TMainSession& Session, TFrm_ChResultGrid& Grid,
                                     TOptionChoice::TRequestFunc Request, std::function<void()> AddToPlant,
                                     std::function<void()> AddToBasket)
    : v_choice(std::make_unique<TOptionChoice>(Session, v_frame, Grid, std::move(Request))) {
    Setup(Session, std::move(AddToPlant), std::move(AddToBasket));
}

TWiredOptionFrame::TWiredOptionFrame(TMainSession& Session, TPlantBuilder& Plant,
                                     TOptionChoice::TRequestFunc Request, std::function<void()> AddToBasket)
    : v_choice(std::make_unique<TOptionChoice>(Session, v_frame, Plant, std::move(Request))) {
    Setup(Session, {}, std::move(AddToBasket));
}

void TWiredOptionFrame::Setup(TMainSession& Session, std::function<void()> AddToPlant,
                              std::function<void()> AddToBasket) {
    // The recovery entries start from the stored air-cooled condenser values.
    const TPreferences& prefs = TFrm_Preferences::Values();
    v_frame.SetupWindow(&Session.v_Options, TU_Form::GetNewIndex(U_Temperature), prefs.COOL_ADTC, prefs.COOL_ALWC, {},
                        [this](Cls_ChOption& o) { v_choice->SelectHROption(o); },
                        [this](Cls_ChOption& o, bool b) { v_choice->OptionChanged(o, b); }, std::move(AddToPlant),
                        std::move(AddToBasket));
}

TStepOutcome TWiredOptionFrame::Apply(const TOptionStep& Step) {
    switch (Step.Kind) {
        case TOptionStep::TKind::Tick: return Tick(Step.Value, true);
        case TOptionStep::TKind::Untick: return Tick(Step.Value, false);
        case TOptionStep::TKind::Kit: return Kit(Step.Value, true);
        case TOptionStep::TKind::HRLeaving: return Recovery(TEntryRow::Leaving, Step.Value);
        case TOptionStep::TKind::HRDeltaT: return Recovery(TEntryRow::DeltaT, Step.Value);
    }
    return Impossible(WorkflowText("unknown step"));
}

TStepOutcome TWiredOptionFrame::Tick(const std::string& szName, bool bTicked) {
    const int nLine = OptionLineNamed(v_frame.Options(), szName);
    if (nLine < 0) {
        // Unticking also takes a kit.
        if (!bTicked && OptionLineNamed(v_frame.Kits(), szName) >= 0) return Kit(szName, false);
        return Impossible(WorkflowText("no option '$1' (the unit offers: $2)", {szName, Known(v_frame.Options())}));
    }
    const TFrm_ChOptions::TLine& line = v_frame.Options()[static_cast<std::size_t>(nLine)];
    if (!line.Enabled) {
        return Impossible(WorkflowText(line.Ticked ? "'$1' cannot be changed (a chosen pump is replaced by ticking another)"
                                                   : "'$1' cannot be changed",
                                       {line.Text}));
    }
    if (line.Ticked == bTicked) return Outcome(true);
    v_frame.ClickOption(nLine);
    v_frame.TickOption(nLine, bTicked);
    return Outcome(v_frame.Options()[static_cast<std::size_t>(nLine)].Ticked == bTicked);
}

TStepOutcome TWiredOptionFrame::Kit(const std::string& szName, bool bTicked) {
    const int nLine = OptionLineNamed(v_frame.Kits(), szName);
    if (nLine < 0) return Impossible(WorkflowText("no kit '$1' (the unit offers: $2)", {szName, Known(v_frame.Kits())}));
    const TFrm_ChOptions::TLine& line = v_frame.Kits()[static_cast<std::size_t>(nLine)];
    if (!line.Enabled) return Impossible(WorkflowText("'$1' cannot be changed", {line.Text}));
    if (line.Ticked != bTicked) v_frame.TickKit(nLine, bTicked);
    return Outcome(true);
}

TStepOutcome TWiredOptionFrame::Recovery(TEntryRow Row, const std::string& szText) {
    if (!v_frame.RecoveryShown()) return Impossible(WorkflowText("no heat-recovery option is being worked on (tick one first)"));
    const int nLine = v_frame.CurrentLine();
    const bool bBefore = nLine >= 0 && v_frame.Options()[static_cast<std::size_t>(nLine)].Ticked;
    const TTypedEntry entry = v_frame.EnterRecovery(Row, szText);
    if (entry.Refused) return Impossible(WorkflowText("'$1' was not taken (the entry keeps $2)", {szText, entry.Shown}));
    TStepOutcome outcome = Outcome(nLine < 0 || v_frame.Options()[static_cast<std::size_t>(nLine)].Ticked == bBefore);
    if (entry.Clamped) outcome.Reason = WorkflowText("'$1' was limited to $2", {szText, entry.Shown});
    return outcome;
}

}  // namespace brumalis
