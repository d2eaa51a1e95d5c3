#include "tools/catalogue-gen/seasonal.h"

namespace brumalis::catgen {
namespace {

// Rating conditions: ambient air for air-cooled units, entering condenser
// water for water-cooled ones; remote condensers are rated 10 K above air.
constexpr std::array<double, 4> kESEERAir{35.0, 30.0, 25.0, 20.0};
constexpr std::array<double, 4> kESEERWater{30.0, 26.0, 22.0, 18.0};
constexpr std::array<double, 4> kIPLVAir{35.0, 27.0, 19.0, 13.0};
constexpr std::array<double, 4> kIPLVWater{30.0, 24.5, 19.0, 19.0};
constexpr double kRemoteOverAir = 10.0;
constexpr double kCondenserRise = 5.0;

// The table variable at a rating condition and load: water-cooled tables are
// keyed by leaving condenser water, whose rise shrinks with the load.
double TableX(TCondenser condenser, double condition, double load) {
    switch (condenser) {
        case TCondenser::Air: return condition;
        case TCondenser::Water: return condition + kCondenserRise * load;
        case TCondenser::Remote: return condition;
    }
    return condition;
}

TSeasonalFigure Figure(const TPolyCapListCh& capacity, const TPolyCapListCh& power, const TUnitModel& model,
                       const std::array<double, 4>& airConditions, const std::array<double, 4>& waterConditions,
                       const std::array<double, 4>& weights) {
    const TCondenser condenser = model.Params().condenser;
    const double lwe = model.Nominal().coolLWE;
    TSeasonalFigure figure;
    double rated = 0.0;
    for (std::size_t k = 0; k < kLoads.size(); ++k) {
        double condition = condenser == TCondenser::Water ? waterConditions[k] : airConditions[k];
        if (condenser == TCondenser::Remote) condition += kRemoteOverAir;
        const double x = TableX(condenser, condition, kLoads[k]);
        std::int32_t code = 0;
        const double fullCap = capacity.GetCapAt(true, true, lwe, x, code);
        const double fullPower = power.GetCapAt(true, true, lwe, x, code);
        if (k == 0) rated = fullCap;
        TSeasonalPoint& p = figure.points[k];
        p.condition = condition;
        p.capacity = kLoads[k] * rated;
        p.power = fullPower * model.PartLoadPower(p.capacity / fullCap);
        p.eer = p.power > 0.0 ? p.capacity / p.power : 0.0;
        figure.value += weights[k] * p.eer;
    }
    return figure;
}

}  // namespace

TSeasonal ComputeSeasonal(const TPolyCapListCh& capacity, const TPolyCapListCh& power, const TUnitModel& model) {
    TSeasonal s;
    s.lwe = model.Nominal().coolLWE;
    s.eseer = Figure(capacity, power, model, kESEERAir, kESEERWater, kESEERWeights);
    s.iplv = Figure(capacity, power, model, kIPLVAir, kIPLVWater, kIPLVWeights);
    return s;
}

}  // namespace brumalis::catgen
