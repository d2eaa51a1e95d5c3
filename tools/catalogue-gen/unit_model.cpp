#include "tools/catalogue-gen/unit_model.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace brumalis::catgen {
namespace {

constexpr double kKelvin = 273.15;
// Exchanger approaches and compressor losses act like extra lift: a real
// cycle's COP follows the Carnot COP of the lift plus this.
constexpr double kLiftLoss = 12.0;

// Offsets between the table variable x and the cycle: air condensers run
// about 14 K above ambient, water condensers 2 K above leaving water.
constexpr double kAirCondenserApproach = 14.0;
constexpr double kWaterCondenserApproach = 2.0;
// The EnergyPlus curves take the entering condenser water, 5 K below leaving.
constexpr double kCondenserWaterRise = 5.0;
// Remote condensers are rated 10 K above the ambient of an air-cooled unit.
constexpr double kRemoteOverAmbient = 10.0;

// Head-pressure control keeps the condensing temperature from following a
// cold condenser all the way down: below the floor it holds most of the
// drop back. The floor is smooth so that the tables stay fittable.
constexpr double kAirMinCondensing = 25.0;
constexpr double kWaterMinCondensing = 22.0;
constexpr double kFloorSoftness = 7.0;
constexpr double kHeadPressureHold = 0.7;

double SoftFloor(double t, double floor) {
    const double held = floor + kFloorSoftness * std::log1p(std::exp((t - floor) / kFloorSoftness));
    return kHeadPressureHold * held + (1.0 - kHeadPressureHold) * t;
}

// The curves are used inside their bounds only; a smooth clamp hands over
// to the cycle model without a kink a cubic could not follow.
constexpr double kClampSoftness = 5.0;

double Softplus(double v) { return kClampSoftness * std::log1p(std::exp(v / kClampSoftness)); }

double SoftClamp(double v, double lo, double hi) { return lo + Softplus(v - lo) - Softplus(v - hi); }

double Lift(double te, double tc) { return std::max(tc - te, 0.0) + kLiftLoss; }

double Limit(double limits, const TRangeDescription& range, const char* szField) {
    const auto it = range.limits.find(szField);
    return it == range.limits.end() ? limits : it->second;
}

// Monotone over the bounds: capacity up with x (leaving water), down with y.
bool Monotone(const TBiquadratic& f) {
    constexpr int kSteps = 10;
    const double dx = (f.xMax - f.xMin) / kSteps, dy = (f.yMax - f.yMin) / kSteps;
    for (int i = 0; i <= kSteps; ++i) {
        for (int j = 0; j <= kSteps; ++j) {
            const double x = f.xMin + i * dx, y = f.yMin + j * dy;
            if (f(x + 0.25, y) <= f(x, y) || f(x, y + 0.25) >= f(x, y)) return false;
        }
    }
    return true;
}

}  // namespace

TNominalPoints TNominalPoints::FromLimits(const TRangeDescription& range) {
    TNominalPoints n;
    n.coolLWE = Limit(n.coolLWE, range, "Lim_ECLW");
    n.coolXAir = Limit(n.coolXAir, range, "Lim_Summer");
    n.coolXWater = Limit(n.coolXWater, range, "Lim_CWCLW");
    n.coolXRemote = Limit(n.coolXRemote, range, "Lim_Condensing");
    n.heatRowAir = Limit(n.heatRowAir, range, "Lim_CAHLW");
    n.heatXAir = Limit(n.heatXAir, range, "Lim_Winter");
    n.heatRowWater = Limit(n.heatRowWater, range, "Lim_EHLW");
    n.heatXWater = Limit(n.heatXWater, range, "Lim_CWHLW");
    return n;
}

double TNominalPoints::CoolX(TCondenser condenser) const {
    switch (condenser) {
        case TCondenser::Air: return coolXAir;
        case TCondenser::Water: return coolXWater;
        case TCondenser::Remote: return coolXRemote;
    }
    return coolXAir;
}

double CycleCapacity(double te, double tc) { return std::exp(0.030 * te) * (1.0 - 0.008 * (tc - 40.0)); }
double CarnotCooling(double te, double tc) { return (te + kKelvin) / Lift(te, tc); }
double CarnotHeating(double te, double tc) { return (tc + kKelvin) / Lift(te, tc); }

TUnitModel::TUnitModel(const TModelParams& params, const TNominalPoints& nominal) : v_p(params), v_nom(nominal) {
    if (v_p.curves) {
        const double x = v_nom.CoolX(v_p.condenser);
        v_coolCapRef = CoolCapShape(v_nom.coolLWE, x);
        v_coolEERRef = CoolEERShape(v_nom.coolLWE, x);
    }
    const bool bAir = v_p.condenser == TCondenser::Air;
    v_heatCapRef = HeatCapShape(bAir ? v_nom.heatRowAir : v_nom.heatRowWater, bAir ? v_nom.heatXAir : v_nom.heatXWater);
    v_heatCOPRef = HeatCOPShape(bAir ? v_nom.heatRowAir : v_nom.heatRowWater, bAir ? v_nom.heatXAir : v_nom.heatXWater);
}

double TUnitModel::CurveY(double x) const {
    switch (v_p.condenser) {
        case TCondenser::Air: return x + v_p.fanShiftK;
        case TCondenser::Water: return x - kCondenserWaterRise;
        case TCondenser::Remote: return x - kRemoteOverAmbient;
    }
    return x;
}

double TUnitModel::CoolingCondensing(double x) const {
    switch (v_p.condenser) {
        case TCondenser::Air: return SoftFloor(x + kAirCondenserApproach + v_p.fanShiftK, kAirMinCondensing);
        case TCondenser::Water: return SoftFloor(x + kWaterCondenserApproach, kWaterMinCondensing);
        case TCondenser::Remote: return SoftFloor(x, kAirMinCondensing);
    }
    return x;
}

// Inside the curve's bounds the curve itself; outside, the curve at the
// (softly) nearest bound times the cycle model's change from there.
double TUnitModel::CoolCapShape(double lwe, double x) const {
    const TBiquadratic& f = v_p.curves->capFT;
    const double y = CurveY(x);
    const double cx = SoftClamp(lwe, f.xMin, f.xMax), cy = SoftClamp(y, f.yMin, f.yMax);
    const double tc = CoolingCondensing(x), tcBound = CoolingCondensing(x + cy - y);
    return f(cx, cy) * CycleCapacity(CoolingEvaporating(lwe), tc) / CycleCapacity(CoolingEvaporating(cx), tcBound);
}

double TUnitModel::CoolEERShape(double lwe, double x) const {
    const TBiquadratic& f = v_p.curves->eirFT;
    const double y = CurveY(x);
    const double cx = SoftClamp(lwe, f.xMin, f.xMax), cy = SoftClamp(y, f.yMin, f.yMax);
    const double tc = CoolingCondensing(x), tcBound = CoolingCondensing(x + cy - y);
    return CarnotCooling(CoolingEvaporating(lwe), tc) / CarnotCooling(CoolingEvaporating(cx), tcBound) / f(cx, cy);
}

double TUnitModel::CoolCap(double lwe, double x) const {
    return v_p.coolCapNom * CoolCapShape(lwe, x) / v_coolCapRef;
}

double TUnitModel::CoolPower(double lwe, double x) const {
    return CoolCap(lwe, x) / (v_p.eerNom * CoolEERShape(lwe, x) / v_coolEERRef);
}

void TUnitModel::HeatingCycle(double row, double x, double& te, double& tc) const {
    if (v_p.condenser == TCondenser::Air) {
        te = x - 6.0;   // outdoor coil below the ambient air
        tc = row + 3.0; // condenser above the heated water
    } else {
        te = row - 4.0; // evaporator below the leaving source water
        tc = x + 2.0;
    }
}

double TUnitModel::HeatCapShape(double row, double x) const {
    double te = 0.0, tc = 0.0;
    HeatingCycle(row, x, te, tc);
    return std::exp(0.028 * te) * (1.0 - 0.004 * (tc - 45.0));
}

double TUnitModel::HeatCOPShape(double row, double x) const {
    double te = 0.0, tc = 0.0;
    HeatingCycle(row, x, te, tc);
    return CarnotHeating(te, tc);
}

double TUnitModel::HeatCap(double row, double x) const {
    return v_p.heatCapNom * HeatCapShape(row, x) / v_heatCapRef;
}

double TUnitModel::HeatPower(double row, double x) const {
    return HeatCap(row, x) / (v_p.copNom * HeatCOPShape(row, x) / v_heatCOPRef);
}

double TUnitModel::PartLoadPower(double plr) const { return (*v_p.partLoad)(std::clamp(plr, 0.0, 1.0)); }

void TUnitModel::RecoveryPoint(double lwe, double tCondensing, double& cc, double& pi) const {
    const double x = v_nom.CoolX(v_p.condenser);
    const double teNom = CoolingEvaporating(v_nom.coolLWE), tcNom = CoolingCondensing(x);
    const double te = CoolingEvaporating(lwe);
    cc = v_p.coolCapNom * CycleCapacity(te, tCondensing) / CycleCapacity(teNom, tcNom);
    pi = cc / (v_p.eerNom * CarnotCooling(te, tCondensing) / CarnotCooling(teNom, tcNom));
}

const TChillerCurveSet& PickCurveSet(const TPublicData& data, const std::string& szCondenser,
                                     const std::string& szCompressor, double dCapacityKW, int nPick) {
    std::multimap<std::pair<double, std::string>, const TChillerCurveSet*> byDistance;
    for (const TChillerCurveSet& c : data.chillers) {
        if (c.condenser != szCondenser || c.compressor != szCompressor) continue;
        if (!Monotone(c.capFT)) continue;
        byDistance.emplace(std::make_pair(std::fabs(std::log(c.refCapacityKW / dCapacityKW)), c.id), &c);
    }
    if (byDistance.empty()) {
        throw TInputError("no usable " + szCondenser + "-cooled " + szCompressor + " curve set in the public data");
    }
    auto it = byDistance.begin();
    std::advance(it, nPick % static_cast<int>(byDistance.size()));
    return *it->second;
}

const TPartLoadCurve& PickPartLoad(const TPublicData& data, const std::string& szCondenser, const std::string& szPath,
                                   const std::string& szCompressorKind) {
    const TPartLoadCurve* pBest = nullptr;
    for (const TPartLoadCurve& c : data.partLoad) {
        if (c.condenser == szCondenser && c.path == szPath && c.compressor == szCompressorKind &&
            (!pBest || c.setName < pBest->setName)) {
            pBest = &c;
        }
    }
    if (!pBest) throw TInputError("no " + szCondenser + " path " + szPath + " part-load curve for " + szCompressorKind);
    return *pBest;
}

}  // namespace brumalis::catgen
