// Brine corrections from glycol property data: the percentage a leaving
// temperature needs (freezing point with a safety margin) and the factors on
// capacity, power input, flow and pressure drop relative to water, as
// polynomials of the types the brine records carry.
#pragma once

#include <utility>
#include <vector>

#include "catalogue/polynomial_records.h"
#include "tools/catalogue-gen/public_data.h"
#include "tools/catalogue-gen/range_reader.h"

namespace brumalis::catgen {

// The factors of one brine at one percentage relative to water.
struct TBrineFactors {
    double capacity = 1.0, power = 1.0, flow = 1.0, pressureDrop = 1.0;
};

// Evaporator (bEvaporator) or condenser factors at a mean fluid temperature.
TBrineFactors BrineFactorsAt(const TPublicData& data, const std::string& szFluid, double percent, double tempC,
                             bool bEvaporator);

// The smallest mass percentage whose freezing point lies at least the
// brine's margin below tempC (0 when water will do).
double RequiredPercent(const TPublicData& data, const TBrineDef& brine, double tempC);

// Polynomials of types 1 to 11, in type order.
std::vector<std::pair<int, TPolynomial>> BrinePolynomials(const TPublicData& data, const TBrineDef& brine);

}  // namespace brumalis::catgen
