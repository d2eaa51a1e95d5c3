// EDI parse speed on the catalogue-like text: the program reads its whole
// catalogue at every start.
#include <benchmark/benchmark.h>

#include "bench/edi_like_text.h"
#include "objectstore/edi_database.h"

namespace {

const std::string& Text() { return brumalis::bench::BenchmarkText(); }

void BM_EdiParse(benchmark::State& state) {
    const std::string& text = Text();
    for (auto _ : state) {
        brumalis::CTByteViewStream in(text);
        brumalis::CTEdiDatabase db;
        db.Read(in);
        benchmark::DoNotOptimize(db.Tables().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(text.size()) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EdiParse)->Unit(benchmark::kMillisecond);

void BM_EdiWrite(benchmark::State& state) {
    const std::string& text = Text();
    brumalis::CTByteViewStream in(text);
    brumalis::CTEdiDatabase db;
    db.Read(in);
    for (auto _ : state) {
        brumalis::CTMemoryStream out;
        db.Write(out);
        benchmark::DoNotOptimize(out.Data().size());
    }
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(text.size()) / 1e6,
                                                benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_EdiWrite)->Unit(benchmark::kMillisecond);

}  // namespace
