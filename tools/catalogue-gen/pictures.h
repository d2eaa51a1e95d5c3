// The two pictures of a series: a photograph-like rendering of the unit in
// the open and a dimensional drawing with dimension lines and figures in mm,
// both as JPEG.
#pragma once

#include <string>

#include "tools/catalogue-gen/unit_design.h"

namespace brumalis::catgen {

std::string RenderPhoto(const TUnitDesign& design);
std::string RenderDrawing(const TUnitDesign& design);

}  // namespace brumalis::catgen
