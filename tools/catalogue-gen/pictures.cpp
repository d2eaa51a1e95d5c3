#include "tools/catalogue-gen/pictures.h"

#include <algorithm>
#include <cmath>

#include "tools/catalogue-gen/raster.h"

namespace brumalis::catgen {
namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 320;
constexpr int kQuality = 80;

const TRgb kInk{20, 30, 60};
const TRgb kWhite{255, 255, 255};
const TRgb kCasing{222, 226, 230};
const TRgb kAccent{0, 92, 160};

// Scale so that the unit's front (width × height) and its depth in oblique
// projection fit the picture with a margin.
double PhotoScale(const TUnitDesign& d) {
    const double w = d.width + 0.5 * d.depth, h = d.height + 0.35 * d.depth;
    return std::min((kWidth - 80) / w, (kHeight - 90) / h);
}

void DrawFans(TRaster& img, const TUnitDesign& d, int x0, int yTop, double s) {
    const int rows = d.fans <= 2 ? 1 : 2;
    const int perRow = (d.fans + rows - 1) / rows;
    const double pitch = d.width / perRow;
    for (int r = 0; r < rows; ++r) {
        for (int i = 0; i < perRow; ++i) {
            const double depthShare = (r + 0.5) / rows;
            const int cx = x0 + static_cast<int>((pitch * (i + 0.5) + 0.5 * d.depth * depthShare) * s);
            const int cy = yTop - static_cast<int>(0.35 * d.depth * depthShare * s);
            const int rx = std::max(4, static_cast<int>(pitch * 0.38 * s));
            const int ry = std::max(2, rx / 3);
            img.FillEllipse(cx, cy, rx, ry, TRgb{60, 64, 70});
            img.FillEllipse(cx, cy, rx * 2 / 3, ry * 2 / 3, TRgb{90, 95, 102});
            img.FillEllipse(cx, cy, std::max(1, rx / 6), std::max(1, ry / 6), TRgb{30, 30, 34});
        }
    }
}

// Coil fins of an air-cooled unit, grilles of an indoor one.
void DrawFront(TRaster& img, const TUnitDesign& d, int x0, int y0, int x1, int y1) {
    img.GradientRect(x0, y0, x1, y1, kCasing, kCasing.Scaled(0.82));
    const bool bAir = d.plan.profile->condenser == TCondenser::Air;
    for (int x = x0 + 6; x < x1 - 6; x += bAir ? 3 : 14) {
        img.Line(x, y0 + 8, x, y1 - 22, bAir ? TRgb{170, 176, 182} : TRgb{190, 194, 198});
    }
    img.FillRect(x0, y1 - 16, x1, y1 - 10, kAccent);
    img.Text(x0 + 8, y0 + 12, d.plan.series->name, kAccent, 2);
}

}  // namespace

std::string RenderPhoto(const TUnitDesign& d) {
    TRaster img(kWidth, kHeight, kWhite);
    img.GradientRect(0, 0, kWidth - 1, kHeight * 2 / 3, TRgb{120, 170, 220}, TRgb{214, 230, 244});
    img.GradientRect(0, kHeight * 2 / 3, kWidth - 1, kHeight - 1, TRgb{120, 132, 110}, TRgb{84, 96, 78});
    const double s = PhotoScale(d);
    const int w = static_cast<int>(d.width * s), h = static_cast<int>(d.height * s);
    const int dx = static_cast<int>(0.5 * d.depth * s), dy = static_cast<int>(0.35 * d.depth * s);
    const int x0 = (kWidth - w - dx) / 2, y1 = kHeight - 30, y0 = y1 - h;
    img.FillEllipse(x0 + w / 2 + dx / 2, y1 + 4, (w + dx) / 2 + 10, 8, TRgb{60, 70, 58});
    const int top[4] = {x0, x0 + w, x0 + w + dx, x0 + dx}, topY[4] = {y0, y0, y0 - dy, y0 - dy};
    img.FillQuad(top, topY, kCasing.Scaled(1.08));
    const int side[4] = {x0 + w, x0 + w + dx, x0 + w + dx, x0 + w}, sideY[4] = {y0, y0 - dy, y1 - dy, y1};
    img.FillQuad(side, sideY, kCasing.Scaled(0.7));
    DrawFront(img, d, x0, y0, x0 + w, y1);
    if (d.fans > 0) DrawFans(img, d, x0, y0, s);
    return img.EncodeJpeg(kQuality);
}

namespace {

void Arrow(TRaster& img, int x, int y, int dx, int dy) {
    img.Line(x, y, x + dx * 6 - dy * 3, y + dy * 6 - dx * 3, kInk);
    img.Line(x, y, x + dx * 6 + dy * 3, y + dy * 6 + dx * 3, kInk);
}

void HorizontalDimension(TRaster& img, int x0, int x1, int y, double mm) {
    img.Line(x0, y, x1, y, kInk);
    Arrow(img, x0, y, 1, 0);
    Arrow(img, x1, y, -1, 0);
    const std::string text = std::to_string(static_cast<long>(std::lround(mm)));
    img.Text((x0 + x1 - TRaster::TextWidth(text, 1)) / 2, y - 10, text, kInk, 1);
}

void VerticalDimension(TRaster& img, int x, int y0, int y1, double mm) {
    img.Line(x, y0, x, y1, kInk);
    Arrow(img, x, y0, 0, 1);
    Arrow(img, x, y1, 0, -1);
    const std::string text = std::to_string(static_cast<long>(std::lround(mm)));
    img.Text(x + 4, (y0 + y1) / 2 - 3, text, kInk, 1);
}

}  // namespace

std::string RenderDrawing(const TUnitDesign& d) {
    TRaster img(kWidth, kHeight, kWhite);
    // Room on the right for the height figure beside the side view.
    const double s = std::min((kWidth - 170) / (d.width + d.depth), (kHeight - 110.0) / d.height);
    const int w = static_cast<int>(d.width * s), dp = static_cast<int>(d.depth * s), h = static_cast<int>(d.height * s);
    const int y1 = kHeight - 60, y0 = y1 - h;
    const int fx0 = 30, fx1 = fx0 + w;            // front view
    const int sx0 = fx1 + 50, sx1 = sx0 + dp;     // side view
    img.Rect(fx0, y0, fx1, y1, kInk, 2);
    img.Rect(sx0, y0, sx1, y1, kInk, 2);
    for (int i = 1; i < std::max(1, d.fans); ++i) {
        const int x = fx0 + w * i / std::max(1, d.fans <= 2 ? d.fans : (d.fans + 1) / 2);
        if (x < fx1) img.Line(x, y0, x, y1, TRgb{150, 150, 160});
    }
    // Extension lines, then the dimensions below and beside the views.
    img.Line(fx0, y1, fx0, y1 + 24, kInk);
    img.Line(fx1, y1, fx1, y1 + 24, kInk);
    img.Line(sx0, y1, sx0, y1 + 24, kInk);
    img.Line(sx1, y1, sx1, y1 + 24, kInk);
    HorizontalDimension(img, fx0, fx1, y1 + 20, d.width);
    HorizontalDimension(img, sx0, sx1, y1 + 20, d.depth);
    img.Line(sx1, y0, sx1 + 24, y0, kInk);
    VerticalDimension(img, sx1 + 20, y0, y1, d.height);
    img.Text(10, 10, d.plan.series->name + " " + d.plan.name.substr(d.plan.series->name.size() + 1), kInk, 2);
    img.Text(10, 30, "DIMENSIONS IN MM", kInk, 1);
    img.Text(fx0, y1 + 36, "FRONT", kInk, 1);
    img.Text(sx0, y1 + 36, "SIDE", kInk, 1);
    return img.EncodeJpeg(kQuality);
}

}  // namespace brumalis::catgen
