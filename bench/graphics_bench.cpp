// Speed of the drawing facilities reports rely on: a camera-sized JPEG into
// a metafile, measuring a label, encoding a figure.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/graphics/emf.h"
#include "platform/graphics/font_metrics.h"
#include "platform/graphics/picture.h"

namespace {

using namespace brumalis::graphics;

// A 640 x 480 photograph-like JPEG (gradients and noise) at quality 85.
std::string PhotoJpeg() {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long nSize = 0;
    jpeg_mem_dest(&c, &buffer, &nSize);
    c.image_width = 640;
    c.image_height = 480;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 85, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(640 * 3);
    unsigned seed = 1;
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < 640; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) % 32);
            row[3 * x] = JSAMPLE((x / 3 + noise) & 0xFF);
            row[3 * x + 1] = JSAMPLE((c.next_scanline / 2 + noise) & 0xFF);
            row[3 * x + 2] = JSAMPLE((x + c.next_scanline) / 5 & 0xFF);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    std::string out(reinterpret_cast<char*>(buffer), nSize);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
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
