// Enhanced metafiles: a canvas that writes one, and a strict reader that
// checks one, dumps it one line per record and plays it onto any canvas.
// Written pictures are 96 pixels per inch; text records carry each
// character's width from the built-in font metrics, so text keeps its
// width in any reader.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/device_canvas.h"
#include "platform/graphics/picture.h"

namespace brumalis::graphics {

class CTEmfError : public std::runtime_error {
public:
    CTEmfError(const std::string& szWhat, std::size_t nOffset);
    std::size_t Offset() const { return v_offset; }

private:
    std::size_t v_offset;
};

class CTEmfCanvas : public CTDeviceCanvas {
public:
    // A picture of nWidth x nHeight pixels (each side 1 to kMaxPictureSide).
    CTEmfCanvas(int nWidth, int nHeight);
    ~CTEmfCanvas() override;

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
    // Plays the picture's records into dest (rasters are stretched).
    void PlayMetafile(const TRect& dest, const CTGraphic& metafile) override;
    TSize ClipSize() const override { return {v_width, v_height}; }
    bool ToPrinter() const override { return true; }

    // Ends the metafile (EOF record, header completed) and answers its
    // bytes; the canvas takes no more drawing afterwards.
    std::string Finish();
    // Finish as a picture.
    CTGraphic FinishGraphic();

private:
    class TWriter;
    int v_width;
    int v_height;
    std::unique_ptr<TWriter> v_writer;
};

// A checked record of a metafile.
struct TEmfRecord {
    std::uint32_t nType;
    std::size_t nOffset;  // of the record in the file
    std::string_view body;  // the record after its type and size
};

// The header's facts.
struct TEmfHeader {
    TRect bounds;  // inclusive pixel bounds as stored
    TRect frame;   // inclusive, 0.01 mm
    std::uint32_t nBytes = 0;
    std::uint32_t nRecords = 0;
    std::uint16_t nHandles = 0;
    TSize device;       // reference device, pixels
    TSize millimeters;  // reference device, millimetres
};

// Checks the whole metafile: header, record sizes and alignment, counts,
// the layout of every record kind this program writes and the handles they
// use. Raises CTEmfError naming the fault and its byte offset.
std::vector<TEmfRecord> ReadEmfRecords(std::string_view bytes, TEmfHeader* pHeader = nullptr);
// The picture's size in pixels: its frame at the reference device's
// resolution (its bounds when the header gives no device size).
TSize EmfPixelSize(const TEmfHeader& header);
// One line per record, for comparisons with stored expectations.
std::string DumpEmf(std::string_view bytes);
// Plays the metafile onto a canvas, its picture mapped into dest; records
// of other kinds are skipped. Raises CTEmfError.
void PlayEmf(std::string_view bytes, CTDeviceCanvas& canvas, const TRect& dest);

}  // namespace brumalis::graphics
