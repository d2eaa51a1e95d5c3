// The public engineering data the catalogue's physics comes from, read from
// the data folder (never copied into the repository): EnergyPlus chiller
// reference curves and code-minimum part-load curves, CoolProp glycol
// properties and freezing points, and EnergyPlus defrost factors.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace brumalis::catgen {

// f(x, y) = c1 + c2·x + c3·x² + c4·y + c5·y² + c6·x·y with x the leaving
// chilled water and y the entering condenser temperature, °C, valid inside
// the bounds.
struct TBiquadratic {
    std::array<double, 6> c{};
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;

    double operator()(double x, double y) const;
};

// One real machine's capacity and EIR curves.
struct TChillerCurveSet {
    std::string id;
    std::string condenser;   // "air" or "water"
    std::string compressor;  // "Scroll", "Screw", "Centrifugal", ...
    double refCapacityKW = 0.0;
    TBiquadratic capFT, eirFT;
};

// A code-minimum part-load curve: the fraction of full-load power at a
// part-load ratio (cubic, 1 at full load).
struct TPartLoadCurve {
    std::string setName;
    std::string condenser;   // "air" or "water"
    std::string path;        // "A" constant speed, "B" variable speed
    std::string compressor;  // "positive_displacement" or "centrifugal"
    std::array<double, 4> c{};
    double operator()(double plr) const;
};

struct TGlycolState {
    std::string fluid;
    double percent = 0.0;   // mass %
    double tempC = 0.0;
    double density = 0.0, cp = 0.0, conductivity = 0.0, viscosity = 0.0;  // kg/m³, J/(kg·K), W/(m·K), mPa·s
};

struct TFreezingPoint {
    std::string fluid;
    double percent = 0.0;
    double freezeC = 0.0;
};

struct TDefrostPoint {
    double tempC = 0.0;
    double rhPercent = 0.0;
    double capMultOnDemand = 1.0;
};

struct TPublicData {
    std::vector<TChillerCurveSet> chillers;
    std::vector<TPartLoadCurve> partLoad;
    std::vector<TGlycolState> glycol;
    std::vector<TFreezingPoint> freezing;
    std::vector<TDefrostPoint> defrost;

    // The property state of a fluid at a percentage and temperature, or
    // none when the data do not hold it.
    const TGlycolState* Find(const std::string& szFluid, double percent, double tempC) const;
};

// Reads the four data sets below szFolder; raises TInputError.
TPublicData ReadPublicData(const std::string& szFolder);

}  // namespace brumalis::catgen
