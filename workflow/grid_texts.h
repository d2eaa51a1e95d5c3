// The cell texts the result, plant and basket grids share: values in the
// current display units, an exact 0 shown as an empty cell.
#pragma once

#include <string>

#include "catalogue/records.h"
#include "catalogue/units.h"
#include "catalogue/value_texts.h"

namespace brumalis {

// The three blanks before an indented row title.
inline const std::string kGridIndent = "   ";

// "<none>" and " dBA" in the program's language.
std::string NoneCellText();
std::string DecibelsSuffix();
// "Sound pressure level @ 5 m", translated, in the current length unit.
std::string SoundDistanceTitle(double dMetres);
// "STD" for a heat-recovery unit, else the recovery kind of its results.
std::string HeatRecoveryModeText(const Cls_ChOutdoorUnit& unit, const TRepHeatRecovery& hr);
// A row title translated without its indent.
std::string TranslatedRowTitle(const std::string& szTitle);

}  // namespace brumalis
