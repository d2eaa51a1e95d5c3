// Seasonal efficiency (ESEER and IPLV) of a unit from its own tables: the
// full-load capacity and power at each rating condition are looked up in the
// fitted tables, the part-load power comes from the part-load model, and the
// standard weights combine the four EERs.
#pragma once

#include <array>

#include "catalogue/capacity_table.h"
#include "tools/catalogue-gen/unit_model.h"

namespace brumalis::catgen {

struct TSeasonalPoint {
    double condition = 0.0;  // ambient air, entering condenser water or condensing temperature, °C
    double capacity = 0.0, power = 0.0, eer = 0.0;
};

struct TSeasonalFigure {
    std::array<TSeasonalPoint, 4> points;  // 100, 75, 50 and 25 % load
    double value = 0.0;
};

struct TSeasonal {
    double lwe = 7.0;
    TSeasonalFigure eseer, iplv;
};

inline constexpr std::array<double, 4> kLoads{1.0, 0.75, 0.5, 0.25};
inline constexpr std::array<double, 4> kESEERWeights{0.03, 0.33, 0.41, 0.23};
inline constexpr std::array<double, 4> kIPLVWeights{0.01, 0.42, 0.45, 0.12};

// Both figures; capacity and power tables are the cooling tables (types 3
// and 5) of the unit or of a low-noise version.
TSeasonal ComputeSeasonal(const TPolyCapListCh& capacity, const TPolyCapListCh& power, const TUnitModel& model);

}  // namespace brumalis::catgen
