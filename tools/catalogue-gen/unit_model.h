// The performance model of one unit: cooling capacity and power from a real
// machine's EnergyPlus reference curves scaled to the unit's nominal point,
// extended beyond the curves' bounds and used for heating by a
// refrigeration-cycle model (a fixed fraction of the Carnot COP between
// evaporating and condensing temperatures derived from the water and air
// temperatures), calibrated to the same nominal points.
#pragma once

#include <vector>

#include "tools/catalogue-gen/public_data.h"
#include "tools/catalogue-gen/range_reader.h"

namespace brumalis::catgen {

// The rating points of the catalogue (from its limits record).
struct TNominalPoints {
    double coolLWE = 7.0;
    double coolXAir = 35.0, coolXWater = 35.0, coolXRemote = 45.0;
    double heatRowAir = 45.0, heatXAir = 7.0;        // heat pumps: leaving heated water, ambient
    double heatRowWater = 7.0, heatXWater = 35.0;    // heating only: leaving source water, heated water

    static TNominalPoints FromLimits(const TRangeDescription& range);
    double CoolX(TCondenser condenser) const;
};

struct TModelParams {
    TCondenser condenser = TCondenser::Air;
    TFamily family = TFamily::CoolingOnly;
    const TChillerCurveSet* curves = nullptr;
    const TPartLoadCurve* partLoad = nullptr;
    double coolCapNom = 0.0, eerNom = 0.0;
    double heatCapNom = 0.0, copNom = 0.0;
    double fanShiftK = 0.0;  // slower fans of low-noise versions condense warmer
};

class TUnitModel {
public:
    TUnitModel(const TModelParams& params, const TNominalPoints& nominal);

    // Cooling at a leaving evaporator water temperature and the table
    // variable x (ambient air, leaving condenser water or condensing temperature).
    double CoolCap(double lwe, double x) const;
    double CoolPower(double lwe, double x) const;
    // Heating at a row temperature and x as the heating tables key them.
    double HeatCap(double row, double x) const;
    double HeatPower(double row, double x) const;
    // The fraction of full-load power at a part-load ratio.
    double PartLoadPower(double plr) const;
    // Cooling capacity and power when the condenser rejects into water at
    // a condensing temperature (heat-recovery operation).
    void RecoveryPoint(double lwe, double tCondensing, double& cc, double& pi) const;

    const TModelParams& Params() const { return v_p; }
    const TNominalPoints& Nominal() const { return v_nom; }

    // Evaporating and condensing temperatures of the cycle, °C.
    static double CoolingEvaporating(double lwe) { return lwe - 5.0; }
    double CoolingCondensing(double x) const;

private:
    double CurveY(double x) const;
    double CoolCapShape(double lwe, double x) const;
    double CoolEERShape(double lwe, double x) const;
    void HeatingCycle(double row, double x, double& te, double& tc) const;
    double HeatCapShape(double row, double x) const;
    double HeatCOPShape(double row, double x) const;

    TModelParams v_p;
    TNominalPoints v_nom;
    double v_coolCapRef = 1.0, v_coolEERRef = 1.0, v_heatCapRef = 1.0, v_heatCOPRef = 1.0;
};

// Capacity of a positive-displacement cycle relative to any reference: it
// rises with the suction pressure and falls with the condensing temperature.
double CycleCapacity(double te, double tc);
// Carnot COP of cooling and of heating between te and tc, the lift widened
// by the cycle's losses.
double CarnotCooling(double te, double tc);
double CarnotHeating(double te, double tc);

// The curve set of the right kind whose reference capacity lies nearest (on
// a log scale) to dCapacityKW; nPick > 0 takes the next ones. Only sets
// whose capacity rises with leaving water and falls with condenser
// temperature over their whole bounds qualify. Raises TInputError.
const TChillerCurveSet& PickCurveSet(const TPublicData& data, const std::string& szCondenser,
                                     const std::string& szCompressor, double dCapacityKW, int nPick);
// The code-minimum part-load curve for the condenser, path and compressor kind.
const TPartLoadCurve& PickPartLoad(const TPublicData& data, const std::string& szCondenser, const std::string& szPath,
                                   const std::string& szCompressorKind);

}  // namespace brumalis::catgen
