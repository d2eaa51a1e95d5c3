// How the catalogue classifies units: the condenser type and the family
// codes stored with every unit.
#pragma once

#include <cstdint>

namespace brumalis {

enum TCondenserType : std::int32_t {
    ctAirCooled = 0,
    ctWaterCooled = 1,
    ctCondenserless = 2,
};

enum TUnitFamily : std::int32_t {
    famHeatRecovery = 1,
    famHeatPump = 2,
    famCoolingOnly = 4,
    famHeatingOnly = 8,
    famCondensingUnit = 16,
};

}  // namespace brumalis
