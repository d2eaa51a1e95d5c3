// Everything the catalogue states about one unit, derived from its series,
// profile and variant: the performance model and its fitted tables, the
// operating envelope, flow limits and pressure-drop curves, sound,
// dimensions, weight and electrical data.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/capacity_table.h"
#include "tools/catalogue-gen/unit_model.h"

namespace brumalis::catgen {

// One model of the range before anything is derived.
struct TUnitPlan {
    const TSeriesDef* series = nullptr;
    const TProfileDef* profile = nullptr;
    const TVariantDef* variant = nullptr;
    std::string name;
    double capacityKW = 0.0;  // nominal cooling (heating for heating-only units)
};

// Every model of every series and variant, in description order; raises
// TInputError when a series yields two models of the same name.
std::vector<TUnitPlan> PlanUnits(const TRangeDescription& range);

// One capacity or power table: rows per row temperature, x from xFrom to xTo.
struct TFittedTable {
    std::vector<TCapRow> rows;
    double maxFitError = 0.0;
};

struct TEnvelope {
    double minI = 0.0, maxI = 0.0, minO = 0.0, maxO = 0.0;
    // Corner cuts (width along the row temperature, height along x).
    double ulW = 0.0, ulH = 0.0, urW = 0.0, urH = 0.0, lrW = 0.0, lrH = 0.0, llW = 0.0, llH = 0.0;
};

struct TFluidSide {
    double minFlow = 0.0, maxFlow = 0.0, nominalFlow = 0.0;  // l/min
    double minDT = 0.0, maxDT = 0.0;
    std::optional<TPolynomial> pressureDrop;                   // kPa over l/min without brine
};

struct TElectrical {
    std::string supply;
    double runningA = 0.0, startingA = 0.0, compressorA = 0.0;
    std::string fuses;
};

struct TAcoustics {
    double soundPower = 0.0;          // dB(A)
    std::array<double, 8> spectrum{};  // 63 Hz … 8 kHz, dB
};

struct TUnitDesign {
    TUnitDesign(const TUnitPlan& p, const TUnitModel& m) : plan(p), model(m) {}

    TUnitPlan plan;
    TUnitModel model;
    TSpan coolX, heatX;
    TFittedTable coolCap, coolPI, heatCap, heatPI;
    TEnvelope coolEnvelope, heatEnvelope;
    TFluidSide evaporator, condenser;
    int fans = 0, compressors = 1;
    double width = 0.0, depth = 0.0, height = 0.0, weight = 0.0;
    double clearSide = 0.0, clearFront = 0.0, clearBack = 0.0;
    TAcoustics sound;
    std::vector<TElectrical> electrical;
};

// Derives the design of a plan; raises TInputError when a fitted table
// misses its tolerance.
TUnitDesign DesignUnit(const TUnitPlan& plan, const TRangeDescription& range, const TPublicData& data,
                       const TNominalPoints& nominal);

// The fitted cooling (and, where the family heats, heating) tables of a model.
void FitTables(const TUnitModel& model, const TProfileDef& profile, TUnitDesign& design);

// The sound power relation of the catalogue: dB(A) from nominal capacity,
// fan count and condenser type (no public sound-power data exists).
double SoundPowerOf(double capacityKW, int fans, TCondenser condenser);
// Octave bands whose A-weighted sum is the sound power.
std::array<double, 8> SpectrumOf(double soundPower, TCondenser condenser);

bool FamilyCools(TFamily family);
bool FamilyHeats(TFamily family);

// The largest fit error a capacity row may have.
constexpr double kMaxTableFitError = 0.005;
// Water-side heat: 4.186 kJ/(kg·K), 1 kg per litre.
constexpr double kWaterCp = 4.186;
double FlowLPerMin(double heatKW, double deltaT);

}  // namespace brumalis::catgen
