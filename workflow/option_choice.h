// The main window's side of an option frame: a tick checked against the
// option rules and the option codes, the unit recomputed, the grid
// refreshed. One for the results frame (data set 1, the result grid), one
// for the plant frame (the plant's data sets and grid).
#pragma once

#include <functional>

#include "workflow/chiller_options.h"
#include "workflow/main_session.h"
#include "workflow/plant_builder.h"
#include "workflow/result_grid.h"

namespace brumalis {

class TOptionChoice {
public:
    // The Settings page's request: temperatures, requirement, condenser
    // brine and the deviation limits of the capacity window.
    using TRequestFunc = std::function<TSelectionRequest()>;

    // Results frame.
    TOptionChoice(TMainSession& Session, TFrm_ChOptions& Frame, TFrm_ChResultGrid& Grid, TRequestFunc Request);
    // Plant frame: the plant's grid, minimum capacities 0.
    TOptionChoice(TMainSession& Session, TFrm_ChOptions& Frame, TPlantBuilder& Plant, TRequestFunc Request);

    // "Option changed" (the frame's HandleChanges).
    void OptionChanged(Cls_ChOption& Option, bool bTicked);
    // The frame's SelectHROption: the recovery entries take that option's limits.
    void SelectHROption(Cls_ChOption& Option);
    // The current unit's options shown in the frame, with its option code.
    void ShowCurrentUnit();

private:
    Cls_ChOutdoorUnit* Current(std::int32_t& SeqNr) const;
    // RecalcChiller with the frame's recovery temperatures; an error is shown (AnalyzeErrCode).
    // Without bShowError (a reverted tick) nothing is shown or asked again.
    std::int32_t Recompute(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr, const Cls_ChOptAllowed& Comb, bool bShowError);
    bool RejectedByOptionCode(const Cls_ChOption& Option, Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr) const;
    void WithOptionCodes(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr, Cls_ChOption& Option, Cls_ChOptAllowed& Comb,
                         bool bTicked);
    void WithoutOptionCodes(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr, Cls_ChOption& Option,
                            Cls_ChOptAllowed& Comb, bool bTicked);
    void RefreshGrid(Cls_ChOutdoorUnit& Unit);
    const Cls_ChOption* SelectedPump(Cls_ChOutdoorUnit& Unit, std::int32_t SeqNr) const;

    TMainSession& v_session;
    TFrm_ChOptions& v_frame;
    TFrm_ChResultGrid& v_grid;
    TPlantBuilder* v_plant = nullptr;
    TRequestFunc v_request;
};

}  // namespace brumalis
