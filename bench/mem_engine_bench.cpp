// Loading a catalogue-sized EDI text into the memory engine, as the program
// does with its catalogue at every start: time and memory held.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include "bench/edi_like_text.h"
#include "objectstore/edi_database.h"
#include "objectstore/mem_engine.h"

namespace {

using namespace brumalis;

// The file's own tables as the schema of database 0.
std::unique_ptr<CTBaseFactory> FactoryFor(const std::string& text) {
    auto pFactory = std::make_unique<CTBaseFactory>("EDI", 100, 100);
    pFactory->AddDatabase("Bench");
    CTByteViewStream in(text);
    ReadFileSchema(in, *pFactory, 0);
    pFactory->ResolveSchema();
    return pFactory;
}

std::unique_ptr<CTMemDbEngine> Load(CTBaseFactory& factory, const std::string& text) {
    auto pEngine = std::make_unique<CTMemDbEngine>(factory, "Bench", std::string(), false, 0);
    CTByteViewStream in(text);
    CTStreamIO io(in);
    pEngine->ReadFrom(io);
    return pEngine;
}

void BM_MemEngineLoad(benchmark::State& state) {
    std::size_t nRecords = 0;
    const std::string& text = bench::BenchmarkText(&nRecords);
    const auto pFactory = FactoryFor(text);

    const std::size_t before = mallinfo2().uordblks;
    auto pHeld = Load(*pFactory, text);
    const std::size_t held = mallinfo2().uordblks - before;
    pHeld.reset();

    for (auto _ : state) {
        auto pEngine = Load(*pFactory, text);
        benchmark::DoNotOptimize(pEngine.get());
        state.PauseTiming();
        pEngine.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = static_cast<double>(nRecords);
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["held_MB"] = static_cast<double>(held) / 1e6;
    state.counters["held/text"] = static_cast<double>(held) / static_cast<double>(text.size());
}
BENCHMARK(BM_MemEngineLoad)->Unit(benchmark::kMillisecond);

}  // namespace
