#include "catalogue/value_texts.h"

#include <cmath>

#include "localisation/number_text.h"

namespace brumalis {

std::string DimensionedCell(U_RepUnit unit, double dValue) {
    if (dValue == 0.0) return std::string();
    return TU_Form::PutDimensionedText(unit, true, dValue);
}

std::string PlainCell(double dValue, int nDigits, const std::string& szUnit) {
    if (dValue == 0.0) return std::string();
    return Number2FmtStr(1, nDigits, dValue) + szUnit;
}

std::string RoundedDistanceText(double dMetres) {
    const double dShown = TU_Form::ConvertValue(U_Length, 0, true, TU_Form::GetNewIndex(U_Length), dMetres);
    return Number2FmtStr(1, 0, std::round(dShown)) + " " + TU_Form::GetCurrentString(U_Length);
}

}  // namespace brumalis
