// The surface every figure is drawn on: a metafile, the screen, a test's
// recorder. Drawing state (pen, brush, font) lives in the canvas and is read
// by each drawing call, as on a GDI canvas; coordinates are device pixels.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/graphics/graphics_types.h"

namespace brumalis::graphics {

class CTGraphic;
class CTRaster;

class CTDeviceCanvas {
public:
    virtual ~CTDeviceCanvas() = default;

    TPen& Pen() { return v_pen; }
    TBrush& Brush() { return v_brush; }
    TFont& Font() { return v_font; }
    const TPen& Pen() const { return v_pen; }
    const TBrush& Brush() const { return v_brush; }
    const TFont& Font() const { return v_font; }

    // Lines use the pen; closed shapes are outlined with the pen and filled
    // with the brush. Rectangles exclude their right and bottom edge.
    virtual void MoveTo(int nX, int nY) = 0;
    virtual void LineTo(int nX, int nY) = 0;
    virtual void Rectangle(int nX1, int nY1, int nX2, int nY2) = 0;
    // nW, nH: width and height of the ellipse that rounds the corners.
    virtual void RoundRect(int nX1, int nY1, int nX2, int nY2, int nW, int nH) = 0;
    virtual void Ellipse(int nX1, int nY1, int nX2, int nY2) = 0;
    // The part of the ellipse in the box (1, 2) counter-clockwise from the
    // radial through point 3 to the radial through point 4.
    virtual void Arc(int nX1, int nY1, int nX2, int nY2, int nX3, int nY3, int nX4, int nY4) = 0;
    virtual void Polyline(std::span<const TPoint> points) = 0;
    virtual void Polygon(std::span<const TPoint> points) = 0;
    // 3n + 1 points: a start point, then two control points and an end point
    // per cubic segment.
    virtual void PolyBezier(std::span<const TPoint> points) = 0;

    // Text in the font, its top-left corner at (nX, nY); over a solid brush
    // the text cell is filled with the brush colour, over a clear brush the
    // ground shows through.
    virtual void TextOut(int nX, int nY, std::string_view szUtf8) = 0;
    // The built-in font metrics unless a canvas measures otherwise.
    virtual TSize TextExtent(std::string_view szUtf8) const;
    int TextWidth(std::string_view szUtf8) const { return TextExtent(szUtf8).cx; }
    int TextHeight(std::string_view szUtf8) const { return TextExtent(szUtf8).cy; }

    // A raster stretched into dest with a raster operation (SRCCOPY, SRCAND...).
    virtual void StretchDraw(const TRect& dest, const CTRaster& raster, std::uint32_t nRop) = 0;
    // A metafile picture played into dest.
    virtual void PlayMetafile(const TRect& dest, const CTGraphic& metafile) = 0;

    // Size of the drawable area in pixels.
    virtual TSize ClipSize() const = 0;
    // Pixels per inch.
    virtual int PixelsPerInch() const { return 96; }
    // True when the canvas is not a window's (a printer or a metafile).
    virtual bool ToPrinter() const = 0;

private:
    TPen v_pen;
    TBrush v_brush;
    TFont v_font;
};

}  // namespace brumalis::graphics
