#include "workflow/brine_checks.h"

#include "catalogue/unit_classes.h"

namespace brumalis {

TBrinePanels ShowBrinePanels(std::int32_t Condenser, std::int32_t Family, TFrm_ChBrine& Evaporator,
                             TFrm_ChBrine& Condenser_) {
    const TBrinePanels panels{Family != famCondensingUnit, Condenser == ctWaterCooled};
    if (!panels.Evaporator) Evaporator.SetBrineSettings(nullptr, true, 0.0);
    if (!panels.Condenser) Condenser_.SetBrineSettings(nullptr, true, 0.0);
    return panels;
}

void CheckEvaporatorBrine(std::int32_t Family, const TFrm_ChTempPanel& Panel, TFrm_ChBrine& Frame) {
    if (Family == famCondensingUnit) {
        Frame.SetBrineSettings(nullptr, true, 0.0);
        return;
    }
    Frame.UpdateEvaporatorBrinePercentage(Family == famHeatingOnly ? Panel.GetHeatLeavingE() : Panel.GetCoolLeavingE());
}

void CheckCondenserBrine(std::int32_t Condenser, const TFrm_ChTempPanel& Panel, TFrm_ChBrine& Frame) {
    if (Condenser == ctWaterCooled) {
        Frame.UpdateCondenserBrinePercentage(Panel.GetCoolLeavingC());
    } else {
        Frame.SetBrineSettings(nullptr, true, 0.0);
    }
}

TTypedEntry ForceBrinePercentage(TFrm_ChBrine& Frame, std::string_view szText) {
    if (!Frame.GetBrine()) Frame.SelectBrine(Frame.BrineInForce());
    Frame.SetChangeWeight(true);
    return Frame.EnterPercentage(szText);
}

}  // namespace brumalis
