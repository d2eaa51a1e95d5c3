// The rules that tie a page's brine frames to its temperature panel and to
// the row or unit it shows; the Settings and Analysis pages share them.
#pragma once

#include <cstdint>

#include "workflow/brine_frame.h"
#include "workflow/temp_panel.h"

namespace brumalis {

struct TBrinePanels {
    bool Evaporator = true;
    bool Condenser = false;
};

// The evaporator brine panel unless the family is a condensing unit, the
// condenser panel only for water-cooled units; a hidden panel's frame is
// reset to no brine.
TBrinePanels ShowBrinePanels(std::int32_t Condenser, std::int32_t Family, TFrm_ChBrine& Evaporator,
                             TFrm_ChBrine& Condenser_);

// The percentage the evaporator needs at the panel's leaving water (the
// heating evaporator for heating-only units); none for condensing units.
void CheckEvaporatorBrine(std::int32_t Family, const TFrm_ChTempPanel& Panel, TFrm_ChBrine& Frame);
// The percentage a water-cooled condenser needs; none for other condensers.
void CheckCondenserBrine(std::int32_t Condenser, const TFrm_ChTempPanel& Panel, TFrm_ChBrine& Frame);

// "Change % weight" ticked and the percentage typed; without a chosen brine
// the brine in force (the stored default, else the first) is chosen first.
TTypedEntry ForceBrinePercentage(TFrm_ChBrine& Frame, std::string_view szText);

}  // namespace brumalis
