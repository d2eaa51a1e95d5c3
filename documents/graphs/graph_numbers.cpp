#include "documents/graphs/graph_numbers.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace brumalis::graphs {

int Rnd(double x) {
    if (std::isnan(x)) return 0;
    if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
    const double dFloor = std::floor(x);
    const double dFraction = x - dFloor;  // exact for doubles in the int range
    double dRounded = dFraction < 0.5 ? dFloor : dFloor + 1.0;
    if (dFraction == 0.5 && std::fmod(dFloor, 2.0) == 0.0) dRounded = dFloor;
    return static_cast<int>(dRounded);
}

std::string FixedText(double dValue, int nDecimals) {
    if (!std::isfinite(dValue)) return "";
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, dValue, std::chars_format::fixed, nDecimals);
    if (result.ec != std::errc()) return "";
    std::string szText(buffer, result.ptr);
    // "-0.0" reads as a sign error on an axis.
    if (szText.front() == '-' && szText.find_first_not_of("-0.") == std::string::npos) szText.erase(0, 1);
    return szText;
}

}  // namespace brumalis::graphs
