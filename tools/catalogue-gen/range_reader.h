// The product range as the repository describes it, one JSON file per
// concern in data/catalogue/range: version and limits, refrigerants,
// compressors, power supplies, brines, controllers, options with their sets
// and codes, application variants, physics profiles and the series.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/catalogue-gen/json_input.h"

namespace brumalis::catgen {

enum class TCondenser { Air = 0, Water = 1, Remote = 2 };

// The unit families as stored in Fld_Family.
enum class TFamily { HeatRecovery = 1, HeatPump = 2, CoolingOnly = 4, HeatingOnly = 8, CondensingUnit = 16 };

// An inclusive grid from, from + step, ..., to.
struct TGrid {
    double from = 0.0;
    double to = 0.0;
    double step = 1.0;
    std::vector<double> Values() const;
};

struct TSpan {
    double from = 0.0;
    double to = 0.0;
};

struct TPowerSupplyDef {
    std::string name, voltage, range, frequency, phases, phaseNames;
    bool isDefault = false;
    double volts = 400.0;
    bool singlePhase = false;
};

struct TBrineDef {
    std::string name;
    std::string fluid;  // the fluid column of the property tables
    double freezeMarginK = 5.0;
};

struct TControllerDef {
    std::string name;
    std::vector<double> steps;        // leaving-water temperatures
    double brineBelow = 5.0;          // steps below need the brine option and percentages
    std::string brineOption;
};

struct TOptionDef {
    std::string name, description;
    int type = 0;
    bool kit = false;
    double width = 0.0, depth = 0.0, height = 0.0;
    double soundReductionDb = 0.0;  // low-noise versions
    double fanShiftK = 0.0;         // low-noise versions: warmer condensing of slower fans
    double shutoffHeadKPa = 0.0;    // pumps
    double recoveryShare = 0.0;     // heat recovery: share of the rejected heat recovered
};

struct TOptionUse {
    std::string option;
    bool standard = false;
    bool preferred = false;
};

struct TCodePosition {
    int digit = 0;
    std::vector<std::string> slots;              // option names, slot 1 first
    std::map<std::string, std::string> codes;    // bit pattern ("101") -> character
};

struct TVariantDef {
    std::string suffix;
    double eerFactor = 1.0;
    double fanShiftK = 0.0;   // extra condensing approach of slower fans
    double soundDeltaDb = 0.0;
};

// Physics shared by several series.
struct TProfileDef {
    std::string name;
    TCondenser condenser = TCondenser::Air;
    TFamily family = TFamily::CoolingOnly;
    TGrid coolRows, heatRows;
    TSpan coolX, heatX;
    double envelopeMargin = 2.0;
    double heatRatio = 1.1;   // nominal heating / nominal cooling capacity
    double cop = 0.0;         // nominal heating COP
    double pdEvapKPa = 35.0, pdCondKPa = 30.0;
    double kWPerFan = 0.0;
    double deltaTMin = 3.0, deltaTMax = 8.0;
    std::string hrKey;        // "ewc", "lwe" or empty
    bool defrost = false;
};

struct TSeriesDef {
    std::string name, title, profile, compressor, refrigerant, controller, optionSet;
    TSpan capacity;           // nominal capacity of the smallest and largest model, kW
    int models = 1;
    double eer = 3.0;
    double cop = 0.0;         // overrides the profile's when > 0
    double kWPerCompressor = 50.0;
    int curvePick = 0;        // which of the matching public curve sets, nearest first
    std::string partLoadPath = "A";
    std::vector<std::string> variants;
    std::vector<std::string> powerSupplies;
    double singlePhaseUpToKW = 0.0;
    bool optionCodes = false;
    bool lowNoiseRows = false;
    // Which modes the low-noise rows cover: "both", "cooling" or "heating"; a
    // kit rated in one mode only has no rows (an empty table) for the other.
    std::string lowNoiseModes = "both";
    bool eurovent = false;
    // The capacities, as shares of nominal, whose flows over the delta T
    // range bound the water-side flow limits.
    TSpan flowLimitCapacities{0.6, 1.3};
    // The share of the nominal flow at which the pressure-drop curves, fitted
    // with a negative constant term, cross zero (0: a pure power law).
    double pressureDropZeroAt = 0.0;
};

struct TRangeDescription {
    std::string dbVersion, dataVersion;
    std::map<std::string, double> limits;  // stored field name -> value
    std::vector<std::pair<std::string, int>> refrigerants;  // name, rank
    std::vector<std::string> compressors;
    std::vector<TPowerSupplyDef> powerSupplies;
    std::vector<TBrineDef> brines;
    std::vector<TControllerDef> controllers;
    std::vector<TOptionDef> options;
    std::vector<std::pair<std::string, std::string>> exclusions;
    std::map<std::string, std::vector<TOptionUse>> optionSets;
    std::vector<TCodePosition> optionCodes;
    std::vector<TVariantDef> variants;
    std::vector<TProfileDef> profiles;
    std::vector<TSeriesDef> series;

    const TOptionDef* FindOption(const std::string& szName) const;
    const TProfileDef& Profile(const std::string& szName) const;
    const TVariantDef& Variant(const std::string& szSuffix) const;
};

// Reads and cross-checks every file of the folder; raises TInputError.
TRangeDescription ReadRangeDescription(const std::string& szFolder);

}  // namespace brumalis::catgen
