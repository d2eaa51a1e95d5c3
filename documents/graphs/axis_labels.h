// X labels of the temperature graphs: one label position per plotted degree,
// so that every label sits exactly at its temperature, with text every
// nEvery degrees and blank positions between.
#pragma once

#include <string>
#include <vector>

namespace brumalis::graphs {

// Temperatures nFirst, nFirst + 1, ... (nCount of them) in the user's unit.
std::vector<std::string> DegreeLabels(int nFirst, int nCount, int nEvery);

// No graph plots more degrees than this; a wider range is damaged data.
inline constexpr int kMaxDegrees = 1000;

}  // namespace brumalis::graphs
