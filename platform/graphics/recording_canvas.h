// A canvas that writes every drawing call, with the state that call uses,
// as one line of text: what tests compare, and a second witness for the
// metafile writer and reader.
#pragma once

#include <string>
#include <vector>

#include "platform/graphics/device_canvas.h"

namespace brumalis::graphics {

class CTRecordingCanvas : public CTDeviceCanvas {
public:
    explicit CTRecordingCanvas(TSize clipSize = {640, 480}, bool bToPrinter = false)
        : v_clipSize(clipSize), v_toPrinter(bToPrinter) {}

    void MoveTo(int nX, int nY) override;
    void LineTo(int nX, int nY) override;
    void Rectangle(int nX1, int nY1, int nX2, int nY2) override;
    void RoundRect(int nX1, int nY1, int nX2, int nY2, int nW, int nH) override;
    void Ellipse(int nX1, int nY1, int nX2, int nY2) override;
    void Arc(int nX1, int nY1, int nX2, int nY2, int nX3, int nY3, int nX4, int nY4) override;
    void Polyline(std::span<const TPoint> points) override;
    void Polygon(std::span<const TPoint> points) override;
    void PolyBezier(std::span<const TPoint> points) override;
    void TextOut(int nX, int nY, std::string_view szUtf8) override;
    void StretchDraw(const TRect& dest, const CTRaster& raster, std::uint32_t nRop) override;
    void PlayMetafile(const TRect& dest, const CTGraphic& metafile) override;
    TSize ClipSize() const override { return v_clipSize; }
    bool ToPrinter() const override { return v_toPrinter; }

    // Lines such as "LineTo 3,4 pen=000000/copy/1/solid".
    const std::vector<std::string>& Calls() const { return v_calls; }
    void Clear() { v_calls.clear(); }

private:
    void Record(std::string szLine);
    std::string PenText() const;
    std::string FillText() const;

    TSize v_clipSize;
    bool v_toPrinter;
    std::vector<std::string> v_calls;
};

}  // namespace brumalis::graphics
