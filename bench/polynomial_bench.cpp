// Polynomial evaluation runs millions of times per selection: capacity rows,
// power rows, brine factors and pressure-drop curves.
#include <benchmark/benchmark.h>

#include <vector>

#include "catalogue/polynomial_records.h"

namespace brumalis {
namespace {

std::vector<double> AmbientTemperatures() {
    std::vector<double> xs;
    for (int i = 0; i < 1024; ++i) xs.push_back(-15.0 + 0.06 * i);
    return xs;
}

void BM_PolynomialDegree7(benchmark::State& state) {
    const TPolynomial p{{412.5, -3.1, 0.021, -0.00042, 1.1e-6, -2.0e-8, 3.0e-10, -1.0e-12}};
    const std::vector<double> xs = AmbientTemperatures();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(p.Evaluate(xs[i]));
        i = (i + 1) & 1023U;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PolynomialDegree7);

void BM_CapacityRowWithCorrection(benchmark::State& state) {
    const TPolynomial p{{412.5, -3.1, 0.021, -0.00042, 0, 0, 0, 0}};
    const std::vector<double> xs = AmbientTemperatures();
    std::size_t i = 0;
    for (auto _ : state) {
        const double x = xs[i];
        benchmark::DoNotOptimize(ApplyRowCorrection(p.Evaluate(x), x, 2051.8));
        i = (i + 1) & 1023U;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CapacityRowWithCorrection);

}  // namespace
}  // namespace brumalis
