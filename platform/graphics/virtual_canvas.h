// Drawing in world coordinates onto any device canvas: a point (x, y) lands
// on the pixel (x * scaleX + offsetX, y * scaleY + offsetY), each coordinate
// rounded to the nearest integer, ties to even. The graphs derive from it,
// so one drawing code paints on screen, into a report's metafile or onto a
// test's recorder. The canvas is not owned.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/graphics/device_canvas.h"
#include "platform/graphics/picture.h"

namespace brumalis::graphics {

class CTVirtualCanvas {
public:
    // Offsets 0, scales 1, label scale 1; the canvas's state is saved.
    explicit CTVirtualCanvas(CTDeviceCanvas* pFromCanvas);
    virtual ~CTVirtualCanvas() = default;

    // Copy pen colour, mode, width and style, brush colour and style, font
    // colour, size and style from / back to the device canvas.
    void SaveProperties();
    void RestoreProperties();

    TBrush& Brush() { return v_canvas->Brush(); }
    TPen& Pen() { return v_canvas->Pen(); }
    TFont& Font() { return v_canvas->Font(); }
    bool ToPrinter() const { return v_canvas->ToPrinter(); }
    CTDeviceCanvas* Canvas() const { return v_canvas; }

    void SetOffsetX(double n) { v_offsetX = n; }
    void SetOffsetY(double n) { v_offsetY = n; }
    double GetOffsetX() const { return v_offsetX; }
    double GetOffsetY() const { return v_offsetY; }
    void SetScaleX(double n) { v_scaleX = n; }
    void SetScaleY(double n) { v_scaleY = n; }
    double GetScaleX() const { return v_scaleX; }
    double GetScaleY() const { return v_scaleY; }
    void SetScale(double n) { v_scaleX = n; v_scaleY = n; }
    void SetLabelScale(double n) { v_labelScale = n; }
    double GetLabelScale() const { return v_labelScale; }

    // World to device.
    int MapX(double nX) const;
    int MapY(double nY) const;
    TPoint Map(double nX, double nY) const { return {MapX(nX), MapY(nY)}; }

    void MoveTo(double nX, double nY);
    void LineTo(double nX, double nY);
    void TextOut(double nX, double nY, std::string_view szStr);
    void DrawRectangle(double nX1, double nY1, double nX2, double nY2);
    void DrawEllipse(double nX1, double nY1, double nX2, double nY2);
    // Corner diameter nDiam * scaleY, rounded, in both directions.
    void DrawRoundedRectangle(double nX1, double nY1, double nX2, double nY2, double nDiam);
    // Bounding box (1, 2), start and end radial points (3, 4).
    void DrawArc(double nX1, double nY1, double nX2, double nY2, double nX3, double nY3,
                 double nX4, double nY4);
    // A square of half-size nSizeDiv2 device pixels centred on the point.
    void DrawSquareFixed(double nX, double nY, int nSizeDiv2);
    // A cross of arms nArmSize device pixels long centred on the point.
    void DrawCrossFixed(double nX, double nY, int nArmSize);
    // Maps the world points in place, then fills and outlines the polygon.
    void DrawPolygon(TPoint* pPoints, int n);
    // A smooth curve through the points: nothing below 2, a line for 2,
    // else a chain of cubic Bézier segments.
    void DrawCurve(const TPoint* pPoints, int n);
    // The destination starts at the mapped (nX, nY); with bScaled its far
    // corner is the mapped (nX + nW, nY + nH), else nW x nH pixels further.
    // Rasters are stretched with nRasterOp; a metafile is played into the
    // rectangle, over a white ground unless nRasterOp is SRCAND.
    void DrawGraphic(double nX, double nY, double nW, double nH, const CTGraphic& graphic,
                     std::uint32_t nRasterOp, bool bScaled);

    // Height of "A" and width of a text, in world units.
    double TextHeight() const;
    double TextWidth(std::string_view szStr) const;

private:
    void FillWhite(const TRect& r);

protected:
    CTDeviceCanvas* v_canvas;
    double v_offsetX = 0;
    double v_offsetY = 0;
    double v_scaleX = 1;
    double v_scaleY = 1;
    double v_labelScale = 1;
    TColor v_penColor = clBlack;
    TPenMode v_penMode = pmCopy;
    int v_penWidth = 1;
    TPenStyle v_penStyle = psSolid;
    TColor v_brushColor = clWhite;
    TBrushStyle v_brushStyle = bsSolid;
    TColor v_fontColor = clWindowText;
    int v_fontSize = 10;
    TFontStyles v_fontStyle;
};

}  // namespace brumalis::graphics
