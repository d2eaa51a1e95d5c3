// An option frame wired to the main window's callbacks, as the main window
// sets up its results frame (beside the result grid) and its plant frame,
// and the user's steps on it by option name: a tick, an untick, a kit, a
// recovery temperature typed. Each step goes through the frame, so its
// checks, messages and recomputation are the window's.
#pragma once

#include <memory>
#include <string>

#include "workflow/chiller_options.h"
#include "workflow/option_choice.h"

namespace brumalis {

// Tick ticks an option, Kit a kit, Untick unticks either.
struct TOptionStep {
    enum class TKind { Tick, Untick, Kit, HRLeaving, HRDeltaT };
    TKind Kind = TKind::Tick;
    std::string Value;  // an option's name (or its descriptive name), or a temperature as typed
    bool IsTemperature() const { return Kind == TKind::HRLeaving || Kind == TKind::HRDeltaT; }
};

// How a step ended: taken, refused by the option checks (the option's tick
// is back where it was; the checks showed why), or impossible (no such
// option, a line that cannot be changed; Reason tells). A taken step may
// carry a note: a temperature limited to the entry's range.
struct TStepOutcome {
    enum class TResult { Taken, Reverted, Impossible };
    TResult Result = TResult::Taken;
    std::string Reason;
};

class TWiredOptionFrame {
public:
    // The results frame: both add buttons, data set 1 of the grid's units.
    TWiredOptionFrame(TMainSession& Session, TFrm_ChResultGrid& Grid, TOptionChoice::TRequestFunc Request,
                      std::function<void()> AddToPlant, std::function<void()> AddToBasket);
    // The plant frame: only the basket button, the plant's data sets.
    TWiredOptionFrame(TMainSession& Session, TPlantBuilder& Plant, TOptionChoice::TRequestFunc Request,
                      std::function<void()> AddToBasket);
    TWiredOptionFrame(const TWiredOptionFrame&) = delete;
    TWiredOptionFrame& operator=(const TWiredOptionFrame&) = delete;

    // The grid's current unit into the frame.
    void ShowCurrentUnit() { v_choice->ShowCurrentUnit(); }
    TStepOutcome Apply(const TOptionStep& Step);

    TFrm_ChOptions& Frame() { return v_frame; }
    const TFrm_ChOptions& Frame() const { return v_frame; }

private:
    void Setup(TMainSession& Session, std::function<void()> AddToPlant, std::function<void()> AddToBasket);
    TStepOutcome Tick(const std::string& szName, bool bTicked);
    TStepOutcome Kit(const std::string& szName, bool bTicked);
    TStepOutcome Recovery(TEntryRow Row, const std::string& szText);

    TFrm_ChOptions v_frame;
    std::unique_ptr<TOptionChoice> v_choice;
};

// The line of an option by its name or its descriptive name (case ignored); -1 when none.
int OptionLineNamed(const std::vector<TFrm_ChOptions::TLine>& Lines, const std::string& szName);

}  // namespace brumalis
