#include "tools/catalogue-gen/raster.h"

#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace brumalis::catgen {
namespace {

struct TGlyph {
    char ch;
    std::array<std::uint8_t, 7> rows;  // five bits each, bit 4 leftmost
};

constexpr TGlyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1C, 0x12, 0x11, 0x11, 0x11, 0x12, 0x1C}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}}, {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}},
    {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}}, {'=', {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00}},
};

const TGlyph* FindGlyph(char ch) {
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    for (const TGlyph& g : kFont) {
        if (g.ch == ch) return &g;
    }
    return nullptr;  // a blank
}

// libjpeg reports fatal errors through a callback that must not return.
[[noreturn]] void JpegError(j_common_ptr cinfo) {
    char message[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, message);
    throw std::runtime_error(std::string("JPEG encoder: ") + message);
}

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

TRgb TRgb::Scaled(double f) const { return {Channel(r * f), Channel(g * f), Channel(b * f)}; }

TRgb TRgb::Mix(TRgb a, TRgb b, double t) {
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}

TRaster::TRaster(int width, int height, TRgb background)
    : v_width(width), v_height(height), v_pixels(static_cast<std::size_t>(width) * height, background) {}

TRgb TRaster::At(int x, int y) const { return v_pixels[static_cast<std::size_t>(y) * v_width + x]; }

void TRaster::Set(int x, int y, TRgb c) {
    if (x >= 0 && y >= 0 && x < v_width && y < v_height) v_pixels[static_cast<std::size_t>(y) * v_width + x] = c;
}

void TRaster::FillRect(int x0, int y0, int x1, int y1, TRgb c) {
    for (int y = std::max(0, y0); y <= std::min(v_height - 1, y1); ++y) {
        for (int x = std::max(0, x0); x <= std::min(v_width - 1, x1); ++x) Set(x, y, c);
    }
}

void TRaster::GradientRect(int x0, int y0, int x1, int y1, TRgb top, TRgb bottom) {
    for (int y = y0; y <= y1; ++y) {
        FillRect(x0, y, x1, y, TRgb::Mix(top, bottom, y1 == y0 ? 0.0 : static_cast<double>(y - y0) / (y1 - y0)));
    }
}

void TRaster::FillQuad(const int (&xs)[4], const int (&ys)[4], TRgb c) {
    const int yMin = *std::min_element(ys, ys + 4), yMax = *std::max_element(ys, ys + 4);
    for (int y = yMin; y <= yMax; ++y) {
        double lo = 1e9, hi = -1e9;
        for (int i = 0; i < 4; ++i) {
            const int j = (i + 1) % 4;
            if ((ys[i] <= y && ys[j] >= y) || (ys[j] <= y && ys[i] >= y)) {
                const double x = ys[i] == ys[j] ? xs[i] : xs[i] + (xs[j] - xs[i]) * double(y - ys[i]) / (ys[j] - ys[i]);
                lo = std::min({lo, x, ys[i] == ys[j] ? double(xs[j]) : x});
                hi = std::max({hi, x, ys[i] == ys[j] ? double(xs[j]) : x});
            }
        }
        if (lo <= hi) FillRect(static_cast<int>(std::lround(lo)), y, static_cast<int>(std::lround(hi)), y, c);
    }
}

void TRaster::FillEllipse(int cx, int cy, int rx, int ry, TRgb c) {
    for (int y = -ry; y <= ry; ++y) {
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - double(y * y) / (ry * ry)));
        FillRect(cx - static_cast<int>(half), cy + y, cx + static_cast<int>(half), cy + y, c);
    }
}

void TRaster::Line(int x0, int y0, int x1, int y1, TRgb c, int thickness) {
    const int steps = std::max({std::abs(x1 - x0), std::abs(y1 - y0), 1});
    const int half = thickness / 2;
    for (int i = 0; i <= steps; ++i) {
        const int x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
        FillRect(x - half, y - half, x - half + thickness - 1, y - half + thickness - 1, c);
    }
}

void TRaster::Rect(int x0, int y0, int x1, int y1, TRgb c, int thickness) {
    Line(x0, y0, x1, y0, c, thickness);
    Line(x1, y0, x1, y1, c, thickness);
    Line(x1, y1, x0, y1, c, thickness);
    Line(x0, y1, x0, y0, c, thickness);
}

int TRaster::TextWidth(std::string_view text, int scale) { return static_cast<int>(text.size()) * 6 * scale; }

int TRaster::Text(int x, int y, std::string_view text, TRgb c, int scale) {
    int pen = x;
    for (char ch : text) {
        if (const TGlyph* g = FindGlyph(ch)) {
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < 5; ++col) {
                    if (g->rows[static_cast<std::size_t>(row)] & (0x10 >> col)) {
                        FillRect(pen + col * scale, y + row * scale, pen + (col + 1) * scale - 1,
                                 y + (row + 1) * scale - 1, c);
                    }
                }
            }
        }
        pen += 6 * scale;
    }
    return pen - x;
}

std::string TRaster::EncodeJpeg(int quality) const {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jerr.error_exit = JpegError;
    unsigned char* pBuffer = nullptr;
    unsigned long nSize = 0;
    jpeg_create_compress(&cinfo);
    std::string bytes;
    try {
        jpeg_mem_dest(&cinfo, &pBuffer, &nSize);
        cinfo.image_width = static_cast<JDIMENSION>(v_width);
        cinfo.image_height = static_cast<JDIMENSION>(v_height);
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, quality, TRUE);
        jpeg_start_compress(&cinfo, TRUE);
        std::vector<JSAMPLE> row(static_cast<std::size_t>(v_width) * 3);
        while (cinfo.next_scanline < cinfo.image_height) {
            for (int x = 0; x < v_width; ++x) {
                const TRgb p = At(x, static_cast<int>(cinfo.next_scanline));
                row[static_cast<std::size_t>(x) * 3] = p.r;
                row[static_cast<std::size_t>(x) * 3 + 1] = p.g;
                row[static_cast<std::size_t>(x) * 3 + 2] = p.b;
            }
            JSAMPROW pRow = row.data();
            jpeg_write_scanlines(&cinfo, &pRow, 1);
        }
        jpeg_finish_compress(&cinfo);
        bytes.assign(reinterpret_cast<const char*>(pBuffer), nSize);
    } catch (...) {
        jpeg_destroy_compress(&cinfo);
        std::free(pBuffer);
        throw;
    }
    jpeg_destroy_compress(&cinfo);
    std::free(pBuffer);
    return bytes;
}

}  // namespace brumalis::catgen
