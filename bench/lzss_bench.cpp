// LZSS speed on the shipped catalogue's own text, on catalogue-like text
// and on random bytes: every start expands the catalogue, and every saved
// database and glossary is compressed.
#include <benchmark/benchmark.h>

#include <random>

#include "bench/edi_like_text.h"
#include "objectstore/compressed_container.h"
#include "objectstore/lzss.h"
#include "platform/resources.h"

namespace brumalis {
namespace {

constexpr std::size_t kInputSize = 8 << 20;

// Swallows the coder's output so that only the coder is measured.
class CTDiscardStream : public CTStream {
public:
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void*, std::size_t nCount) override { return nCount; }
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }
};

const std::string& EdiText() {
    static const std::string text = bench::MakeEdiLikeText(kInputSize);
    return text;
}

// The EDI text inside the embedded catalogue container; empty without it.
const std::string& CatalogueText() {
    static const std::string text = [] {
        const auto blob = platform::FindBlob("DEVICE_DATABASE");
        if (!blob) return std::string();
        CTByteViewStream raw(*blob);
        const auto payload = OpenContainerPayload(raw, TCompressionSettings{true, "QXZ"});
        CTMemoryStream out;
        std::string block(1 << 16, '\0');
        for (std::size_t n = 1; n > 0;) {
            n = payload->Read(block.data(), block.size());
            out.WriteAll({block.data(), n});
        }
        return out.TakeData();
    }();
    return text;
}

const std::string& RandomData() {
    static const std::string data = [] {
        std::mt19937_64 rng(7);
        std::string s(kInputSize, '\0');
        for (char& c : s) c = static_cast<char>(rng());
        return s;
    }();
    return data;
}

void ReportRate(benchmark::State& state, std::size_t nBytes) {
    const auto nTotal = static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(nBytes);
    state.SetBytesProcessed(nTotal);
    state.counters["MB/s"] = benchmark::Counter(static_cast<double>(nTotal) / 1e6, benchmark::Counter::kIsRate);
}

// Rate in input bytes per second.
void BM_Compress(benchmark::State& state, const std::string& (*input)()) {
    const std::string& data = input();
    if (data.empty()) {
        state.SkipWithError("no input");
        return;
    }
    for (auto _ : state) {
        CTByteViewStream in(data);
        CTDiscardStream out;
        CTLZSSLogic::Compress(in, out);
    }
    ReportRate(state, data.size());
}

// Rate in output bytes per second.
void BM_Expand(benchmark::State& state, const std::string& (*input)()) {
    const std::string& data = input();
    if (data.empty()) {
        state.SkipWithError("no input");
        return;
    }
    const std::string tokens = LzssCompress(data);
    for (auto _ : state) {
        CTByteViewStream in(tokens);
        CTDiscardStream out;
        CTLZSSLogic::Expand(in, out);
    }
    ReportRate(state, data.size());
}

// The compressor orders keys on a second thread as well, so rates go by the
// wall clock, and the CPU column sums the time of every thread of the process.
void ByTheClock(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}

BENCHMARK_CAPTURE(BM_Compress, catalogue, &CatalogueText)->Apply(ByTheClock);
BENCHMARK_CAPTURE(BM_Compress, edi_8MB, &EdiText)->Apply(ByTheClock);
BENCHMARK_CAPTURE(BM_Compress, random_8MB, &RandomData)->Apply(ByTheClock);
BENCHMARK_CAPTURE(BM_Expand, catalogue, &CatalogueText)->Apply(ByTheClock);
BENCHMARK_CAPTURE(BM_Expand, edi_8MB, &EdiText)->Apply(ByTheClock);
BENCHMARK_CAPTURE(BM_Expand, random_8MB, &RandomData)->Apply(ByTheClock);

}  // namespace
}  // namespace brumalis
