// The integer arithmetic the graphs place and label things with. Rounding is
// to the nearest integer with ties to even (2.5 gives 2, 3.5 gives 4), as the
// canvas maps coordinates; integer division truncates toward zero, which is
// C++'s own "/" on integers.
#pragma once

#include <string>

namespace brumalis::graphs {

// The value a value callback answers for "nothing here": the line is broken.
inline constexpr double kNoValue = -2147483647.0;
// A range or temperature that has not been given.
inline constexpr double kNotSet = 2147483647.0;

// Ties to even; NaN gives 0 and values beyond the int range give its ends, so
// hostile numbers never reach a conversion with undefined behaviour.
int Rnd(double x);

// Fixed-point text with "." whatever the locale or the user's separator;
// empty for a value that is not finite or needs more than 400 characters.
std::string FixedText(double dValue, int nDecimals);

}  // namespace brumalis::graphs
