// Loading the embedded catalogue into the memory engine, as start-up does.
#include <benchmark/benchmark.h>

#include "catalogue/catalogue_schema.h"
#include "objectstore/compressed_container.h"
#include "objectstore/mem_engine.h"
#include "platform/resources.h"

namespace {

void BM_LoadShippedCatalogue(benchmark::State& state) {
    const auto blob = brumalis::platform::FindBlob("DEVICE_DATABASE");
    if (!blob) {
        state.SkipWithError("no DEVICE_DATABASE blob");
        return;
    }
    const std::unique_ptr<brumalis::CTFactory> factory = brumalis::CreateCatalogueFactory();
    for (auto _ : state) {
        brumalis::CTMemDbEngine engine(*factory, "Device_Database", std::string(), true, brumalis::dbDeviceDatabase);
        brumalis::CTByteViewStream raw(*blob);
        const auto payload = brumalis::OpenContainerPayload(raw, brumalis::TCompressionSettings{true, "QXZ"});
        brumalis::CTStreamIO io(*payload);
        engine.ReadFrom(io);
        benchmark::DoNotOptimize(engine.CountObjects(94));
    }
}
BENCHMARK(BM_LoadShippedCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace
