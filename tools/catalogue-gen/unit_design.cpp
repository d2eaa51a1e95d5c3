#include "tools/catalogue-gen/unit_design.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <set>
#include <sstream>

#include "tools/catalogue-gen/poly_fit.h"

namespace brumalis::catgen {
namespace {

// The catalogue's usual row correction code: no derating, no step.
constexpr double kNoRowCorrection = 1000000.0;
// Pressure drop grows with the flow to this power.
constexpr double kFlowExponent = 1.9;
constexpr double kNominalDeltaT = 5.0;
constexpr double kPowerFactor = 0.85;
// Rows are cubics where a cubic meets the tolerance; the power rows of
// wide ambient ranges sometimes need a few degrees more.
constexpr int kMaxRowDegree = 7;

double NiceCapacity(double q) {
    const double step = q >= 100.0 ? 5.0 : (q >= 20.0 ? 1.0 : 0.5);
    return std::round(q / step) * step;
}

std::string ModelName(const std::string& szSeries, double q) {
    std::ostringstream name;
    name.imbue(std::locale::classic());
    name << szSeries << ' ' << std::setw(3) << std::setfill('0') << static_cast<long>(std::lround(q * 10.0) / 10);
    if (std::fmod(q, 1.0) != 0.0) name << 'H';  // a half kilowatt keeps its own name
    return name.str();
}

std::vector<double> XGrid(const TSpan& span) {
    std::vector<double> xs;
    for (double x = span.from; x < span.to; x += 1.0) xs.push_back(x);
    xs.push_back(span.to);
    return xs;
}

template <class F>
TFittedTable FitRows(const char* szWhat, const TGrid& rows, const TSpan& xSpan, F value) {
    TFittedTable table;
    const std::vector<double> xs = XGrid(xSpan);
    for (double r : rows.Values()) {
        std::vector<double> ys;
        for (double x : xs) ys.push_back(value(r, x));
        const std::string what = std::string(szWhat) + " row " + std::to_string(r);
        const TPolyFit fit = FitWithin(xs, ys, 3, kMaxRowDegree, kMaxTableFitError, what.c_str());
        table.maxFitError = std::max(table.maxFitError, fit.maxRelError);
        table.rows.push_back(TCapRow{r, kNoRowCorrection, fit.poly});
    }
    return table;
}

// A rectangle a margin around the table with two corners cut so far that the
// table's own corners still lie on the cut lines (points on a line are inside).
TEnvelope EnvelopeAround(const TGrid& rows, const TSpan& x, double margin, bool bCoolingCorners) {
    TEnvelope e;
    e.minI = rows.from - margin;
    e.maxI = rows.Values().back() + margin;
    e.minO = x.from - margin;
    e.maxO = x.to + margin;
    const double w = std::max(3.0 * margin, (e.maxI - e.minI) * 0.3);
    const double h = 0.98 * margin * w / (w - margin);
    if (bCoolingCorners) {
        e.ulW = w, e.ulH = h;  // cold water with hot condensing
        e.lrW = w, e.lrH = h;  // warm water with cold condensing
    } else {
        e.urW = w, e.urH = h;  // hot water with mild source
        e.lrW = w, e.lrH = h;  // hot water with cold source
    }
    return e;
}

double FittedPressureDrop(double flow, double nominalFlow, double nominalPD) {
    return nominalPD * std::pow(flow / nominalFlow, kFlowExponent);
}

TFluidSide FluidSide(double basisKW, double dtMin, double dtMax, double nominalPD, const TSeriesDef& series) {
    TFluidSide side;
    side.minDT = dtMin;
    side.maxDT = dtMax;
    side.nominalFlow = FlowLPerMin(basisKW, kNominalDeltaT);
    // The flows of the whole delta T range at the series' lowest and highest
    // capacities (by default 40 % below and 30 % above nominal).
    side.minFlow = FlowLPerMin(basisKW, dtMax) * series.flowLimitCapacities.from;
    side.maxFlow = FlowLPerMin(basisKW, dtMin) * series.flowLimitCapacities.to;
    std::vector<double> fs, pds;
    for (int i = 0; i <= 40; ++i) {
        const double f = side.minFlow + (side.maxFlow - side.minFlow) * i / 40.0;
        fs.push_back(f);
        pds.push_back(FittedPressureDrop(f, side.nominalFlow, nominalPD));
    }
    TPolynomial pd = FitWithin(fs, pds, 3, 7, kMaxTableFitError, "pressure-drop curve").poly;
    if (series.pressureDropZeroAt > 0.0) {
        // A curve fitted to measurements around the nominal flow with a
        // negative constant term: it keeps the nominal drop but falls to zero
        // at the stated share of the nominal flow, still inside the limits.
        const double atZero = pd.Evaluate(series.pressureDropZeroAt * side.nominalFlow);
        const double atNominal = pd.Evaluate(side.nominalFlow);
        const double scale = atNominal / (atNominal - atZero);
        pd.a[0] -= atZero;
        for (double& a : pd.a) a *= scale;
    }
    side.pressureDrop = pd;
    return side;
}

void DesignFluids(const TProfileDef& profile, TUnitDesign& d) {
    if (profile.family == TFamily::CondensingUnit) return;
    const TUnitModel& m = d.model;
    const TNominalPoints& n = m.Nominal();
    const double qc = FamilyCools(profile.family) ? m.CoolCap(n.coolLWE, n.CoolX(profile.condenser)) : 0.0;
    const double pc = FamilyCools(profile.family) ? m.CoolPower(n.coolLWE, n.CoolX(profile.condenser)) : 0.0;
    double qh = 0.0, ph = 0.0;
    if (FamilyHeats(profile.family)) {
        const bool bAir = profile.condenser == TCondenser::Air;
        qh = m.HeatCap(bAir ? n.heatRowAir : n.heatRowWater, bAir ? n.heatXAir : n.heatXWater);
        ph = m.HeatPower(bAir ? n.heatRowAir : n.heatRowWater, bAir ? n.heatXAir : n.heatXWater);
    }
    // Heating-only units carry the source circuit on the evaporator slot and
    // the heated water on the condenser slot.
    const bool bHeatingOnly = profile.family == TFamily::HeatingOnly;
    const double evapBasis = bHeatingOnly ? qh - ph : std::max(qc, qh);
    d.evaporator = FluidSide(evapBasis, profile.deltaTMin, profile.deltaTMax, profile.pdEvapKPa, *d.plan.series);
    if (profile.condenser == TCondenser::Water) {
        d.condenser = FluidSide(bHeatingOnly ? qh : qc + pc, profile.deltaTMin, profile.deltaTMax, profile.pdCondKPa,
                                *d.plan.series);
    }
}

void DesignBody(const TProfileDef& profile, TUnitDesign& d) {
    const double q = d.plan.capacityKW;
    if (profile.condenser == TCondenser::Air) {
        // Large units use larger fans: the duty per fan grows with the unit.
        const double kWPerFan = profile.kWPerFan * std::max(1.0, std::pow(q / 100.0, 0.3));
        d.fans = std::max(1, static_cast<int>(std::ceil(q / kWPerFan)));
        const int rows = d.fans <= 2 ? 1 : 2;
        const int perRow = (d.fans + rows - 1) / rows;
        const bool bCompact = q < 20.0;
        d.width = bCompact ? 1000.0 + 12.0 * q : 600.0 + 1150.0 * perRow;
        d.depth = bCompact ? 420.0 : (rows == 1 ? 1150.0 : 2250.0);
        d.height = bCompact ? 850.0 + 20.0 * q : (q < 200.0 ? 1750.0 : 2450.0);
        d.weight = 60.0 + 9.5 * std::pow(q, 0.85);
        d.clearSide = 800.0, d.clearFront = 1200.0, d.clearBack = 1200.0;
    } else {
        d.width = 700.0 + 180.0 * std::pow(q, 0.45);
        d.depth = 500.0 + 90.0 * std::pow(q, 0.4);
        d.height = 900.0 + 120.0 * std::pow(q, 0.3);
        d.weight = (profile.condenser == TCondenser::Remote ? 0.85 : 1.0) * (50.0 + 7.5 * std::pow(q, 0.85));
        d.clearSide = 600.0, d.clearFront = 900.0, d.clearBack = 600.0;
    }
    d.width = std::round(d.width), d.depth = std::round(d.depth), d.height = std::round(d.height);
    d.weight = std::round(d.weight);
    d.sound.soundPower = std::round((SoundPowerOf(q, d.fans, profile.condenser) + d.plan.variant->soundDeltaDb) * 10.0) / 10.0;
    d.sound.spectrum = SpectrumOf(d.sound.soundPower, profile.condenser);
}

std::string FuseText(double current) {
    static const double kSizes[] = {10, 16, 20, 25, 32, 40, 50, 63, 80, 100, 125, 160, 200, 250,
                                    315, 400, 500, 630, 800, 1000, 1250, 1600, 2000, 2500, 3150, 4000};
    for (double size : kSizes) {
        if (size >= 1.25 * current) return "gG " + std::to_string(static_cast<int>(size)) + " A";
    }
    return "Per site design";
}

void DesignElectrical(const TRangeDescription& range, TUnitDesign& d) {
    const TUnitModel& m = d.model;
    const TNominalPoints& n = m.Nominal();
    const TProfileDef& profile = *d.plan.profile;
    double power = 0.0;
    if (FamilyCools(profile.family)) power = m.CoolPower(n.coolLWE, n.CoolX(profile.condenser));
    if (FamilyHeats(profile.family)) {
        const bool bAir = profile.condenser == TCondenser::Air;
        power = std::max(power, m.HeatPower(bAir ? n.heatRowAir : n.heatRowWater, bAir ? n.heatXAir : n.heatXWater));
    }
    // The largest input of the envelope is about 40 % above nominal.
    const double maxKW = 1.4 * power;
    const std::string& compressor = d.plan.series->compressor;
    const double lockedRotor = compressor == "Scroll" ? 6.0 : (compressor == "Screw" ? 2.5 : 1.2);
    for (const std::string& name : d.plan.series->powerSupplies) {
        const auto ps = std::find_if(range.powerSupplies.begin(), range.powerSupplies.end(),
                                     [&](const TPowerSupplyDef& p) { return p.name == name; });
        if (ps->singlePhase && d.plan.capacityKW > d.plan.series->singlePhaseUpToKW) continue;
        TElectrical e;
        e.supply = name;
        const double divisor = ps->singlePhase ? ps->volts * 0.9 : std::sqrt(3.0) * ps->volts * kPowerFactor;
        e.runningA = std::round(maxKW * 1000.0 / divisor * 10.0) / 10.0;
        e.compressorA = std::round(e.runningA * 0.9 / d.compressors * 10.0) / 10.0;
        e.startingA = std::round((e.runningA + (lockedRotor - 1.0) * e.compressorA) * 10.0) / 10.0;
        e.fuses = FuseText(e.runningA);
        d.electrical.push_back(e);
    }
}

}  // namespace

bool FamilyCools(TFamily family) { return family != TFamily::HeatingOnly; }
bool FamilyHeats(TFamily family) { return family == TFamily::HeatPump || family == TFamily::HeatingOnly; }
double FlowLPerMin(double heatKW, double deltaT) { return heatKW * 60.0 / (kWaterCp * deltaT); }

std::vector<TUnitPlan> PlanUnits(const TRangeDescription& range) {
    std::vector<TUnitPlan> plans;
    for (const TSeriesDef& s : range.series) {
        std::set<std::string> names;
        std::vector<std::pair<std::string, double>> models;
        for (int i = 0; i < s.models; ++i) {
            const double t = s.models == 1 ? 0.0 : static_cast<double>(i) / (s.models - 1);
            const double q = NiceCapacity(s.capacity.from * std::pow(s.capacity.to / s.capacity.from, t));
            const std::string name = ModelName(s.name, q);
            if (!names.insert(name).second) {
                throw TInputError("series \"" + s.name + "\": two models are both named \"" + name + "\"");
            }
            models.emplace_back(name, q);
        }
        for (const std::string& suffix : s.variants) {
            for (const auto& [name, q] : models) {
                plans.push_back({&s, &range.Profile(s.profile), &range.Variant(suffix), name, q});
            }
        }
    }
    return plans;
}

void FitTables(const TUnitModel& model, const TProfileDef& profile, TUnitDesign& design) {
    if (FamilyCools(profile.family)) {
        design.coolCap = FitRows("cooling capacity", profile.coolRows, profile.coolX, [&](double r, double x) { return model.CoolCap(r, x); });
        design.coolPI = FitRows("cooling power", profile.coolRows, profile.coolX, [&](double r, double x) { return model.CoolPower(r, x); });
    }
    if (FamilyHeats(profile.family)) {
        design.heatCap = FitRows("heating capacity", profile.heatRows, profile.heatX, [&](double r, double x) { return model.HeatCap(r, x); });
        design.heatPI = FitRows("heating power", profile.heatRows, profile.heatX, [&](double r, double x) { return model.HeatPower(r, x); });
    }
}

double SoundPowerOf(double capacityKW, int fans, TCondenser condenser) {
    if (condenser == TCondenser::Air) return 50.0 + 16.0 * std::log10(capacityKW) - 3.0 * std::log10(std::max(1, fans));
    return 56.0 + 11.0 * std::log10(capacityKW);
}

std::array<double, 8> SpectrumOf(double soundPower, TCondenser condenser) {
    // Fans are broadband with most energy low; compressors peak mid-band.
    static const std::array<double, 8> kFanShape{6, 5, 3, 0, -3, -7, -12, -19};
    static const std::array<double, 8> kCompressorShape{-2, 2, 4, 3, 0, -3, -8, -15};
    static const std::array<double, 8> kAWeighting{-26.2, -16.1, -8.6, -3.2, 0.0, 1.2, 1.0, -1.1};
    const std::array<double, 8>& shape = condenser == TCondenser::Air ? kFanShape : kCompressorShape;
    double sum = 0.0;
    for (std::size_t i = 0; i < shape.size(); ++i) sum += std::pow(10.0, (shape[i] + kAWeighting[i]) / 10.0);
    const double offset = soundPower - 10.0 * std::log10(sum);
    std::array<double, 8> bands{};
    for (std::size_t i = 0; i < shape.size(); ++i) bands[i] = std::round((shape[i] + offset) * 10.0) / 10.0;
    return bands;
}

TUnitDesign DesignUnit(const TUnitPlan& plan, const TRangeDescription& range, const TPublicData& data,
                       const TNominalPoints& nominal) {
    const TSeriesDef& s = *plan.series;
    const TProfileDef& profile = *plan.profile;
    TModelParams params;
    params.condenser = profile.condenser;
    params.family = profile.family;
    const bool bHeatingOnly = profile.family == TFamily::HeatingOnly;
    if (!bHeatingOnly) {
        // Remote condensers and condensing units have no curve data of their
        // own; the air-cooled machines' curves describe the same cycle.
        const std::string curveCondenser = profile.condenser == TCondenser::Water ? "water" : "air";
        params.curves = &PickCurveSet(data, curveCondenser, s.compressor, s.capacity.to, s.curvePick);
        const std::string kind = s.compressor == "Centrifugal" ? "centrifugal" : "positive_displacement";
        params.partLoad = &PickPartLoad(data, curveCondenser, s.partLoadPath, kind);
        params.coolCapNom = plan.capacityKW;
        params.eerNom = s.eer * plan.variant->eerFactor;
    }
    params.heatCapNom = bHeatingOnly ? plan.capacityKW : plan.capacityKW * profile.heatRatio;
    params.copNom = (s.cop > 0.0 ? s.cop : profile.cop) * plan.variant->eerFactor;
    params.fanShiftK = plan.variant->fanShiftK;
    TUnitDesign d(plan, TUnitModel(params, nominal));
    d.coolX = profile.coolX;
    d.heatX = profile.heatX;
    FitTables(d.model, profile, d);
    if (FamilyCools(profile.family)) d.coolEnvelope = EnvelopeAround(profile.coolRows, profile.coolX, profile.envelopeMargin, true);
    if (FamilyHeats(profile.family)) d.heatEnvelope = EnvelopeAround(profile.heatRows, profile.heatX, profile.envelopeMargin, false);
    d.compressors = std::clamp(static_cast<int>(std::ceil(plan.capacityKW / s.kWPerCompressor)), 1, 8);
    DesignFluids(profile, d);
    DesignBody(profile, d);
    DesignElectrical(range, d);
    return d;
}

}  // namespace brumalis::catgen
