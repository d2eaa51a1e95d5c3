// Speed of the drawing facilities reports rely on: a camera-sized JPEG into
// a metafile, measuring a label, encoding a figure.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/jpeg_samples.h"
#include "platform/graphics/emf.h"
#include "platform/graphics/font_metrics.h"
#include "platform/graphics/picture.h"

namespace {

using namespace brumalis::graphics;

// A 640 x 480 photograph-like JPEG (gradients and noise) at quality 85.
std::string PhotoJpeg() {
    unsigned seed = 1;
    return EncodeSampleJpeg(640, 480, 3, JCS_RGB, 85, [&](int y, JSAMPLE* row) {
        for (int x = 0; x < 640; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) % 32);
            row[3 * x] = JSAMPLE((x / 3 + noise) & 0xFF);
            row[3 * x + 1] = JSAMPLE((y / 2 + noise) & 0xFF);
            row[3 * x + 2] = JSAMPLE(((x + y) / 5) & 0xFF);
        }
    });
}

const char* const kTickLabels[] = {"0", "5", "10", "15", "20", "25", "30", "35", "40", "45"};

void BM_JpegToEmf(benchmark::State& state) {
    const std::string jpeg = PhotoJpeg();
    for (auto _ : state) {
        const CTGraphic g = DecodeJpeg(jpeg);
        benchmark::DoNotOptimize(g.MetafileBytes().size());
    }
}
BENCHMARK(BM_JpegToEmf)->Unit(benchmark::kMillisecond);

void BM_TextWidth40(benchmark::State& state) {
    const TFont font{"Arial", 10, {}, clWindowText};
    const std::string text = "Leaving evaporator temperature (°C) 7/12";  // 40 characters
    for (auto _ : state) benchmark::DoNotOptimize(TextWidth(font, text));
}
BENCHMARK(BM_TextWidth40);

// About 300 drawing records: gridlines in alternating pens, tick labels,
// markers in changing colours (each iteration writes about ten records).
std::string Figure() {
    CTEmfCanvas emf(560, 420);
    emf.Font() = {"Arial", 8, {}, clWindowText};
    for (int i = 0; i < 30; ++i) {
        emf.Pen() = {i % 2 ? clGray : clBlack, pmCopy, 1, i % 2 ? psDot : psSolid};
        emf.MoveTo(40 + 16 * i, 380);
        emf.LineTo(40 + 16 * i, 20);
        emf.Brush().Style = bsClear;
        emf.TextOut(36 + 16 * i, 385, kTickLabels[i % 10]);
        emf.Brush() = {RGBColor(255, 255, std::uint8_t(i)), bsSolid};
        emf.Rectangle(38 + 16 * i, 200, 43 + 16 * i, 205);
    }
    return emf.Finish();
}

void BM_EncodeFigure300(benchmark::State& state) {
    state.counters["records"] = double(ReadEmfRecords(Figure()).size());
    for (auto _ : state) benchmark::DoNotOptimize(Figure().size());
}
BENCHMARK(BM_EncodeFigure300)->Unit(benchmark::kMicrosecond);

}  // namespace
