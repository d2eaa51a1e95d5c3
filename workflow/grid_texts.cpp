#include "workflow/grid_texts.h"

#include <cmath>

#include "catalogue/unit_classes.h"
#include "dialogs/messages.h"
#include "localisation/number_text.h"

namespace brumalis {

std::string NoneCellText() { return "<" + dialogs::TBaseMsg::Translate("none") + ">"; }
std::string DecibelsSuffix() { return " " + dialogs::TBaseMsg::Translate("dBA"); }

std::string DimensionedCell(U_RepUnit unit, double dValue) {
    if (dValue == 0.0) return std::string();
    return TU_Form::PutDimensionedText(unit, true, dValue);
}

std::string PlainCell(double dValue, int nDigits, const std::string& szUnit) {
    if (dValue == 0.0) return std::string();
    return Number2FmtStr(1, nDigits, dValue) + szUnit;
}

std::string SoundDistanceTitle(double dMetres) {
    const double dShown = TU_Form::ConvertValue(U_Length, 0, true, TU_Form::GetNewIndex(U_Length), dMetres);
    const std::string distance = Number2FmtStr(1, 0, std::round(dShown)) + " " + TU_Form::GetCurrentString(U_Length);
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
