// A small RGB canvas for the catalogue pictures: filled shapes, lines,
// gradients and a 5×7 pixel font, encoded as JPEG with libjpeg.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brumalis::catgen {

struct TRgb {
    std::uint8_t r = 0, g = 0, b = 0;
    TRgb Scaled(double f) const;
    static TRgb Mix(TRgb a, TRgb b, double t);
};

class TRaster {
public:
    TRaster(int width, int height, TRgb background);

    int Width() const { return v_width; }
    int Height() const { return v_height; }
    TRgb At(int x, int y) const;
    void Set(int x, int y, TRgb c);

    void FillRect(int x0, int y0, int x1, int y1, TRgb c);
    // A vertical gradient from top to bottom colour.
    void GradientRect(int x0, int y0, int x1, int y1, TRgb top, TRgb bottom);
    // A filled quadrilateral (convex, corners in order).
    void FillQuad(const int (&xs)[4], const int (&ys)[4], TRgb c);
    void FillEllipse(int cx, int cy, int rx, int ry, TRgb c);
    void Line(int x0, int y0, int x1, int y1, TRgb c, int thickness = 1);
    void Rect(int x0, int y0, int x1, int y1, TRgb c, int thickness = 1);
    // Text in the 5×7 font at a pixel scale; answers the width drawn.
    int Text(int x, int y, std::string_view text, TRgb c, int scale = 2);
    static int TextWidth(std::string_view text, int scale = 2);

    // Baseline JPEG at a quality of 0 to 100.
    std::string EncodeJpeg(int quality) const;

private:
    int v_width, v_height;
    std::vector<TRgb> v_pixels;
};

}  // namespace brumalis::catgen
