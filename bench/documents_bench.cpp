// The document writer's hot paths: measuring a report table, escaping
// report text and writing picture data as hexadecimal.
#include <benchmark/benchmark.h>

#include <string>

#include "documents/rtf_output.h"

namespace brumalis {
namespace {

// Counts the bytes and forgets them.
class TNullStream : public CTStream {
public:
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void*, std::size_t n) override {
        nBytes += n;
        return n;
    }
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }
    std::size_t nBytes = 0;
};

void BM_CalculatePixelSizes30x10(benchmark::State& state) {
    CTDocTable table(10, 30, 1, 1, false);
    for (int r = 0; r < 30; ++r) {
        for (int c = 0; c < 10; ++c) {
            table.SetText(c, r, r == 0 ? "Capacity kW" : c == 0 ? "LWE 7.0 \xC2\xB0" "C" : std::to_string(100 + r * c) + ".25");
        }
    }
    table.SetStylesForTitleRows({graphics::fsBold});
    table.SetHorAlignForColumn(3, graphics::taRightJustify);
    for (auto _ : state) {
        table.CalculatePixelSizes(4);
        benchmark::DoNotOptimize(table.GetColumnWidth(9));
    }
}
BENCHMARK(BM_CalculatePixelSizes30x10);

void BM_RtfText(benchmark::State& state) {
    std::string text;
    while (text.size() < 1 << 20) {
        text += "Cooling capacity 350.2 kW at 7/12 \xC2\xB0" "C, ambient 35 \xC2\xB0" "C; EER 3.12 {approx.}\n";
    }
    TNullStream stream;
    CTRTFOutput out(stream, "bench", nullptr, 21, 29.7, 2, 2, 2, 2);
    for (auto _ : state) out.TextWrite(text);
    out.Finish();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_RtfText);

void BM_PictureHex(benchmark::State& state) {
    std::string bytes(1 << 20, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31);
    const graphics::CTGraphic picture = graphics::CTGraphic::FromMetafile(bytes, 640, 480);
    TNullStream stream;
    CTRTFOutput out(stream, "bench", nullptr, 21, 29.7, 2, 2, 2, 2);
    for (auto _ : state) out.PutGraphic(1.0, picture, false);
    out.Finish();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_PictureHex);

}  // namespace
}  // namespace brumalis
