// Values as the grids and the reports print them, in the current display
// units: an exact 0 is an empty text, so missing data leave empty cells.
#pragma once

#include <string>

#include "catalogue/units.h"

namespace brumalis {

// "7.0 °C": the value in the current unit of its quantity with its caption.
std::string DimensionedCell(U_RepUnit unit, double dValue);
// The number with nDigits decimals, then szUnit as given.
std::string PlainCell(double dValue, int nDigits, const std::string& szUnit = std::string());

// Metres in the current length unit, rounded to whole units, with the
// unit's caption ("5 m", "16 ft").
std::string RoundedDistanceText(double dMetres);

}  // namespace brumalis
