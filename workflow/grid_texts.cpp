#include "workflow/grid_texts.h"

#include "catalogue/unit_classes.h"
#include "dialogs/messages.h"

namespace brumalis {

std::string NoneCellText() { return "<" + dialogs::TBaseMsg::Translate("none") + ">"; }
std::string DecibelsSuffix() { return " " + dialogs::TBaseMsg::Translate("dBA"); }

std::string SoundDistanceTitle(double dMetres) {
    const std::string distance = RoundedDistanceText(dMetres);
    std::string title = dialogs::TBaseMsg::Translate("Sound pressure level @ $1");
    const auto pos = title.find("$1");
    return pos == std::string::npos ? title + " " + distance : title.replace(pos, 2, distance);
}

std::string HeatRecoveryModeText(const Cls_ChOutdoorUnit& unit, const TRepHeatRecovery& hr) {
    if (unit.GetFamily() == famHeatRecovery) return "STD";
    if (hr.HR <= 0.0) return NoneCellText();
    return dialogs::TBaseMsg::Translate(hr.CC > 0.0 ? "Total" : "Partial");
}

std::string TranslatedRowTitle(const std::string& szTitle) {
    const bool bIndented = szTitle.rfind(kGridIndent, 0) == 0;
    const std::string caption = dialogs::TBaseMsg::Translate(bIndented ? szTitle.substr(kGridIndent.size()) : szTitle);
    return bIndented ? kGridIndent + caption : caption;
}

}  // namespace brumalis
