#include "tools/catalogue-gen/brine_model.h"

#include <algorithm>
#include <cmath>

#include "tools/catalogue-gen/poly_fit.h"

namespace brumalis::catgen {
namespace {

// Mean fluid temperatures at which the factors are rated.
constexpr double kEvaporatorTemp = 5.0;
constexpr double kCondenserTemp = 35.0;
constexpr double kGeneralTemp = 10.0;
// Share of the exchanger's thermal resistance on the fluid side.
constexpr double kFluidResistanceShare = 0.35;
constexpr double kMaxFitError = 0.005;

const TGlycolState& State(const TPublicData& data, const std::string& szFluid, double percent, double tempC) {
    if (const TGlycolState* s = data.Find(szFluid, percent, tempC)) return *s;
    throw TInputError("no property data for " + szFluid + " at " + std::to_string(percent) + " % and " +
                      std::to_string(tempC) + " °C");
}

double FreezingPoint(const TPublicData& data, const std::string& szFluid, double percent) {
    const TFreezingPoint* pLow = nullptr;
    for (const TFreezingPoint& f : data.freezing) {
        if (f.fluid != szFluid) continue;
        if (f.percent <= percent) pLow = &f;
        if (f.percent >= percent && pLow) {
            if (f.percent == pLow->percent) return f.freezeC;
            return pLow->freezeC + (f.freezeC - pLow->freezeC) * (percent - pLow->percent) / (f.percent - pLow->percent);
        }
    }
    throw TInputError("no freezing point of " + szFluid + " at " + std::to_string(percent) + " %");
}

std::vector<double> Percentages() {
    std::vector<double> p;
    for (int i = 0; i <= 50; i += 5) p.push_back(i);
    return p;
}

template <class F>
TPolynomial FitOver(const std::vector<double>& xs, F f, const char* szWhat) {
    std::vector<double> ys;
    for (double x : xs) ys.push_back(f(x));
    return FitWithin(xs, ys, 3, 6, kMaxFitError, szWhat).poly;
}

}  // namespace

TBrineFactors BrineFactorsAt(const TPublicData& data, const std::string& szFluid, double percent, double tempC,
                             bool bEvaporator) {
    const TGlycolState& w = State(data, szFluid, 0.0, tempC);
    const TGlycolState& g = State(data, szFluid, percent, tempC);
    TBrineFactors f;
    f.flow = (w.density * w.cp) / (g.density * g.cp);
    // Dittus–Boelter at the volume flow the brine needs for the same duty.
    const double re = (g.density / w.density) * f.flow * (w.viscosity / g.viscosity);
    const double pr = (g.viscosity * g.cp / g.conductivity) / (w.viscosity * w.cp / w.conductivity);
    const double h = std::pow(re, 0.8) * std::pow(pr, 0.4) * g.conductivity / w.conductivity;
    const double loss = 1.0 - 1.0 / ((1.0 - kFluidResistanceShare) + kFluidResistanceShare / h);
    // A poorer evaporator lowers the evaporating temperature; a poorer
    // condenser raises the condensing temperature and so the power.
    f.capacity = 1.0 - (bEvaporator ? 0.25 : 0.15) * loss;
    f.power = bEvaporator ? 1.0 - 0.10 * loss : 1.0 + 0.20 * loss;
    // Turbulent friction (Blasius): Δp ∝ ρ^0.75 μ^0.25 v^1.75.
    f.pressureDrop = std::pow(g.density / w.density, 0.75) * std::pow(g.viscosity / w.viscosity, 0.25) *
                     std::pow(f.flow, 1.75);
    return f;
}

double RequiredPercent(const TPublicData& data, const TBrineDef& brine, double tempC) {
    const double target = tempC - brine.freezeMarginK;
    if (target >= 0.0) return 0.0;
    double lo = 0.0, hi = 60.0;
    if (FreezingPoint(data, brine.fluid, hi) > target) {
        throw TInputError(brine.name + " cannot protect " + std::to_string(tempC) + " °C");
    }
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2.0;
        (FreezingPoint(data, brine.fluid, mid) > target ? lo : hi) = mid;
    }
    return hi;
}

std::vector<std::pair<int, TPolynomial>> BrinePolynomials(const TPublicData& data, const TBrineDef& brine) {
    std::vector<std::pair<int, TPolynomial>> polys;
    std::vector<double> temps;
    for (int t = -30; t <= 0; t += 2) temps.push_back(t);
    polys.emplace_back(1, FitOver(temps, [&](double t) { return RequiredPercent(data, brine, t); }, "brine percentage"));
    const std::vector<double> pcts = Percentages();
    const auto side = [&](int firstType, double tempC, bool bEvaporator) {
        const auto factor = [&](double TBrineFactors::*member) {
            return [&, member](double p) { return BrineFactorsAt(data, brine.fluid, p, tempC, bEvaporator).*member; };
        };
        polys.emplace_back(firstType, FitOver(pcts, factor(&TBrineFactors::capacity), "brine capacity factor"));
        polys.emplace_back(firstType + 1, FitOver(pcts, factor(&TBrineFactors::power), "brine power factor"));
        polys.emplace_back(firstType + 2, FitOver(pcts, factor(&TBrineFactors::flow), "brine flow factor"));
        polys.emplace_back(firstType + 3, FitOver(pcts, factor(&TBrineFactors::pressureDrop), "brine pressure-drop factor"));
    };
    side(2, kEvaporatorTemp, true);
    side(6, kCondenserTemp, false);
    const auto general = [&](double TBrineFactors::*member) {
        return [&, member](double p) { return BrineFactorsAt(data, brine.fluid, p, kGeneralTemp, true).*member; };
    };
    polys.emplace_back(10, FitOver(pcts, general(&TBrineFactors::capacity), "brine capacity factor"));
    polys.emplace_back(11, FitOver(pcts, general(&TBrineFactors::power), "brine power factor"));
    return polys;
}

}  // namespace brumalis::catgen
