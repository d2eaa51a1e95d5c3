#include "documents/graphs/axis_labels.h"

#include <algorithm>

#include "catalogue/units.h"
#include "documents/graphs/graph_numbers.h"

namespace brumalis::graphs {

std::vector<std::string> DegreeLabels(int nFirst, int nCount, int nEvery) {
    const int nStep = std::max(1, nEvery);
    const int nUnit = TU_Form::GetNewIndex(U_Temperature);
    std::vector<std::string> labels(static_cast<std::size_t>(std::clamp(nCount, 0, kMaxDegrees)));
    for (std::size_t i = 0; i < labels.size(); i += static_cast<std::size_t>(nStep)) {
        const double t = static_cast<double>(nFirst) + static_cast<double>(i);
        labels[i] = FixedText(TU_Form::ConvertValue(U_Temperature, 0, true, nUnit, t), 0);
    }
    return labels;
}

}  // namespace brumalis::graphs
