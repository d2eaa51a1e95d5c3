// The device canvas on a QPainter: the window's figures, legends and
// pictures drawn by the same code that writes a report's metafiles.
//
// Coordinates are logical pixels; the painter's device brings its own pixel
// ratio, so a figure is laid out once and stays sharp on a 2x screen. Lines
// and outlines run through pixel centres and exclude their end point, as on
// the metafile canvas; text is measured by the built-in font metrics and set
// character by character at the measured advances, so labels sit exactly
// where the figures' layout put them.
#pragma once

#include <QtGui/QPalette>

#include "platform/graphics/device_canvas.h"

class QPainter;
class QPen;
class QBrush;
class QFont;

namespace brumalis::docui {

class CTQtCanvas : public graphics::CTDeviceCanvas {
public:
    // The painter stays the caller's; clipSize is the drawable area in
    // logical pixels, the palette gives the system colours.
    CTQtCanvas(QPainter& painter, graphics::TSize clipSize, QPalette palette);

    void MoveTo(int nX, int nY) override;
    void LineTo(int nX, int nY) override;
    void Rectangle(int nX1, int nY1, int nX2, int nY2) override;
    void RoundRect(int nX1, int nY1, int nX2, int nY2, int nW, int nH) override;
    void Ellipse(int nX1, int nY1, int nX2, int nY2) override;
    void Arc(int nX1, int nY1, int nX2, int nY2, int nX3, int nY3, int nX4, int nY4) override;
    void Polyline(std::span<const graphics::TPoint> points) override;
    void Polygon(std::span<const graphics::TPoint> points) override;
    void PolyBezier(std::span<const graphics::TPoint> points) override;
    void TextOut(int nX, int nY, std::string_view szUtf8) override;
    void StretchDraw(const graphics::TRect& dest, const graphics::CTRaster& raster, std::uint32_t nRop) override;
    void PlayMetafile(const graphics::TRect& dest, const graphics::CTGraphic& metafile) override;
    graphics::TSize ClipSize() const override { return v_clipSize; }
    bool ToPrinter() const override { return false; }

    // The Qt face that stands for a model face ("Arial" is drawn with
    // Liberation Sans, whose advances the metrics hold).
    static QFont QtFont(const graphics::TFont& font);

private:
    QPen QtPen() const;
    QBrush QtBrush() const;
    // The path of the pen runs through pixel centres for odd widths.
    double PenOffset() const;
    // False when the pen draws nothing (clear pen, "no operation" mode).
    bool PreparePen(bool bFill);
    void PrepareFill();

    QPainter& v_painter;
    graphics::TSize v_clipSize;
    QPalette v_palette;
    graphics::TPoint v_position;
};

}  // namespace brumalis::docui
