// Writing enhanced metafiles. Pens, brushes and fonts are created only when
// a drawing call needs other ones than those selected; handle slots are
// reused, so long figures keep a small handle table.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/graphics/byte_reader.h"
#include "platform/graphics/emf.h"
#include "platform/graphics/emf_records.h"
#include "platform/graphics/font_metrics.h"
#include "platform/graphics/picture_codecs.h"
#include "platform/graphics/text_codec.h"

namespace brumalis::graphics {

using namespace emf;

namespace {

bool FitsInt16(std::span<const TPoint> points) {
    return std::all_of(points.begin(), points.end(), [](const TPoint& p) {
        return p.X >= -32768 && p.X <= 32767 && p.Y >= -32768 && p.Y <= 32767;
    });
}

TRect InclusiveBounds(std::span<const TPoint> points) {
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points) {
        r.Left = std::min(r.Left, p.X), r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X), r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}

struct TFontKey {
    std::u16string face;
    int nEm;
    TFontStyles styles;
    bool operator==(const TFontKey&) const = default;
};

}  // namespace

class CTEmfCanvas::TWriter {
public:
    TWriter(int nWidth, int nHeight) : v_width(nWidth), v_height(nHeight) {
        v_bytes.reserve(4096);
        v_bytes.assign(kHeaderSize, '\0');  // completed by Finish
        v_records = 1;
        Simple(EMR_SETMAPMODE, MM_TEXT);
        Simple(EMR_SETBKMODE, TRANSPARENT);
        Simple(EMR_SETPOLYFILLMODE, ALTERNATE);
        Simple(EMR_SETTEXTALIGN, 0);  // top left, no current-position update
    }

    bool Finished() const { return v_finished; }

    // A record: type, size placeholder; End patches the size.
    std::size_t Begin(std::uint32_t nType) {
        const std::size_t at = v_bytes.size();
        PutU32(v_bytes, nType);
        PutU32(v_bytes, 0);
        return at;
    }
    void End(std::size_t at) {
        while (v_bytes.size() % 4) v_bytes += '\0';
        PatchU32(v_bytes, at + 4, std::uint32_t(v_bytes.size() - at));
        ++v_records;
    }
    void Simple(std::uint32_t nType, std::uint32_t nValue) {
        const std::size_t at = Begin(nType);
        PutU32(v_bytes, nValue);
        End(at);
    }
    void Ints(std::uint32_t nType, std::initializer_list<int> values) {
        const std::size_t at = Begin(nType);
        for (int v : values) PutI32(v_bytes, v);
        End(at);
    }
    void Rect(const TRect& r) {
        for (int v : {r.Left, r.Top, r.Right, r.Bottom}) PutI32(v_bytes, v);
    }
    void Points(std::uint32_t nType16, std::uint32_t nType32, std::span<const TPoint> points) {
        const bool b16 = FitsInt16(points);
        const std::size_t at = Begin(b16 ? nType16 : nType32);
        Rect(InclusiveBounds(points));
        PutU32(v_bytes, std::uint32_t(points.size()));
        for (const TPoint& p : points) {
            if (b16) {
                PutU16(v_bytes, std::uint16_t(p.X));
                PutU16(v_bytes, std::uint16_t(p.Y));
            } else {
                PutI32(v_bytes, p.X);
                PutI32(v_bytes, p.Y);
            }
        }
        End(at);
    }
    std::string& Bytes() { return v_bytes; }

    // State the drawing calls need, emitted only when it changes.
    void UsePen(const TPen& pen) {
        SetIfChanged(EMR_SETROP2, v_rop2, kRop2OfPenMode[pen.Mode % 16]);
        TPen key = pen;
        key.Color = ColorToRGB(pen.Color);
        key.Mode = pmCopy;
        key.Width = std::max(0, pen.Width);
        if (pen.Style == psClear) key = TPen{clBlack, pmCopy, 0, psClear};
        if (v_pen == key) return;
        if (key.Style == psClear) {
            Replace(v_penHandle, kStockObject | NULL_PEN);
        } else {
            const std::uint32_t ih = Allocate();
            const std::size_t at = Begin(EMR_CREATEPEN);
            PutU32(v_bytes, ih);
            PutU32(v_bytes, key.Style);
            PutI32(v_bytes, key.Width);
            PutI32(v_bytes, 0);
            PutU32(v_bytes, key.Color);
            End(at);
            Replace(v_penHandle, ih);
        }
        v_pen = key;
    }
    void UseBrush(const TBrush& brush) {
        TBrush key{ColorToRGB(brush.Color), brush.Style};
        if (brush.Style == bsClear) key.Color = clBlack;
        if (v_brush == key) return;
        if (key.Style == bsClear) {
            Replace(v_brushHandle, kStockObject | NULL_BRUSH);
        } else {
            const std::uint32_t ih = Allocate();
            const std::size_t at = Begin(EMR_CREATEBRUSHINDIRECT);
            PutU32(v_bytes, ih);
            PutU32(v_bytes, key.Style == bsSolid ? BS_SOLID : BS_HATCHED);
            PutU32(v_bytes, key.Color);
            PutU32(v_bytes, key.Style == bsSolid ? 0 : std::uint32_t(key.Style - bsHorizontal));
            End(at);
            Replace(v_brushHandle, ih);
        }
        v_brush = key;
    }
    void UseFont(const TFont& font, int nEm) {
        TFontKey key{Utf8ToUtf16(font.Name).substr(0, 31), nEm, font.Style};
        if (v_font == key) return;
        const std::uint32_t ih = Allocate();
        const std::size_t at = Begin(EMR_EXTCREATEFONTINDIRECTW);
        PutU32(v_bytes, ih);
        PutI32(v_bytes, -nEm);  // character height, as GDI takes a point size
        for (int i = 0; i < 3; ++i) PutI32(v_bytes, 0);  // width, escapement, orientation
        PutI32(v_bytes, font.Style.Contains(fsBold) ? 700 : 400);
        v_bytes += char(font.Style.Contains(fsItalic));
        v_bytes += char(font.Style.Contains(fsUnderline));
        v_bytes += char(font.Style.Contains(fsStrikeOut));
        v_bytes += char(1);  // DEFAULT_CHARSET
        v_bytes.append(4, '\0');  // precisions, quality, pitch and family
        for (std::size_t i = 0; i < 32; ++i) PutU16(v_bytes, i < key.face.size() ? key.face[i] : 0);
        End(at);
        Replace(v_fontHandle, ih);
        v_font = std::move(key);
    }
    void UseText(TColor nColor, const TBrush& brush) {
        SetIfChanged(EMR_SETTEXTCOLOR, v_textColor, ColorToRGB(nColor));
        const bool bOpaque = brush.Style != bsClear;
        SetIfChanged(EMR_SETBKMODE, v_bkMode, bOpaque ? OPAQUE : TRANSPARENT);
        if (bOpaque) SetIfChanged(EMR_SETBKCOLOR, v_bkColor, ColorToRGB(brush.Color));
    }

    std::string Finish() {
        for (std::uint32_t* h : {&v_penHandle, &v_brushHandle, &v_fontHandle}) {
            if (*h != 0 && !(*h & kStockObject)) Simple(EMR_DELETEOBJECT, *h);
            *h = 0;
        }
        const std::size_t at = Begin(EMR_EOF);
        PutU32(v_bytes, 0);
        PutU32(v_bytes, 16);
        PutU32(v_bytes, 20);
        End(at);
        WriteHeader();
        v_finished = true;
        return std::move(v_bytes);
    }

private:
    void SetIfChanged(std::uint32_t nType, std::optional<std::uint32_t>& current, std::uint32_t nValue) {
        if (current == nValue) return;
        Simple(nType, nValue);
        current = nValue;
    }
    std::uint32_t Allocate() {
        auto free = std::find(v_used.begin(), v_used.end(), false);
        if (free == v_used.end()) free = v_used.insert(v_used.end(), false);
        *free = true;
        return std::uint32_t(free - v_used.begin()) + 1;
    }
    // Selects the new object, then deletes the one it replaces.
    void Replace(std::uint32_t& nSelected, std::uint32_t nNew) {
        Simple(EMR_SELECTOBJECT, nNew);
        if (nSelected != 0 && !(nSelected & kStockObject)) {
            Simple(EMR_DELETEOBJECT, nSelected);
            v_used[nSelected - 1] = false;
        }
        nSelected = nNew;
    }
    void WriteHeader() {
        std::string h;
        PutU32(h, EMR_HEADER);
        PutU32(h, kHeaderSize);
        for (int v : {0, 0, v_width - 1, v_height - 1}) PutI32(h, v);  // inclusive pixels
        // The frame in 0.01 mm, inclusive, at 96 pixels per inch.
        const auto frame = [](int n) { return int(std::lround(n * 2540.0 / 96.0)) - 1; };
        for (int v : {0, 0, frame(v_width), frame(v_height)}) PutI32(h, v);
        PutU32(h, kSignature);
        PutU32(h, kVersion);
        PutU32(h, std::uint32_t(v_bytes.size()));
        PutU32(h, v_records);
        PutU16(h, std::uint32_t(v_used.size() + 1));
        PutU16(h, 0);
        PutU32(h, 0);  // no description
        PutU32(h, 0);
        PutU32(h, 0);  // no palette
        for (int v : {kDevicePixelsX, kDevicePixelsY, kDeviceMillimetersX, kDeviceMillimetersY}) PutI32(h, v);
        PutU32(h, 0);  // no pixel format, no OpenGL
        PutU32(h, 0);
        PutU32(h, 0);
        PutI32(h, kDeviceMillimetersX * 1000);
        PutI32(h, kDeviceMillimetersY * 1000);
        v_bytes.replace(0, kHeaderSize, h);
    }

    int v_width;
    int v_height;
    std::string v_bytes;
    std::uint32_t v_records = 0;
    bool v_finished = false;
    std::vector<bool> v_used;  // handle slot i + 1 in use
    std::uint32_t v_penHandle = 0, v_brushHandle = 0, v_fontHandle = 0;
    std::optional<TPen> v_pen;
    std::optional<TBrush> v_brush;
    std::optional<TFontKey> v_font;
    std::optional<std::uint32_t> v_rop2, v_textColor, v_bkMode = TRANSPARENT, v_bkColor;
};

CTEmfCanvas::CTEmfCanvas(int nWidth, int nHeight)
    : v_width(std::clamp(nWidth, 1, kMaxPictureSide)), v_height(std::clamp(nHeight, 1, kMaxPictureSide)),
      v_writer(std::make_unique<TWriter>(v_width, v_height)) {}

CTEmfCanvas::~CTEmfCanvas() = default;

void CTEmfCanvas::MoveTo(int nX, int nY) {
    if (!v_writer->Finished()) v_writer->Ints(EMR_MOVETOEX, {nX, nY});
}

void CTEmfCanvas::LineTo(int nX, int nY) {
    if (v_writer->Finished()) return;
    v_writer->UsePen(Pen());
    v_writer->Ints(EMR_LINETO, {nX, nY});
}

void CTEmfCanvas::Rectangle(int nX1, int nY1, int nX2, int nY2) {
    if (v_writer->Finished()) return;
    v_writer->UsePen(Pen());
    v_writer->UseBrush(Brush());
    v_writer->Ints(EMR_RECTANGLE, {nX1, nY1, nX2, nY2});
}

void CTEmfCanvas::RoundRect(int nX1, int nY1, int nX2, int nY2, int nW, int nH) {
    if (v_writer->Finished()) return;
    v_writer->UsePen(Pen());
    v_writer->UseBrush(Brush());
    v_writer->Ints(EMR_ROUNDRECT, {nX1, nY1, nX2, nY2, nW, nH});
}

void CTEmfCanvas::Ellipse(int nX1, int nY1, int nX2, int nY2) {
    if (v_writer->Finished()) return;
    v_writer->UsePen(Pen());
    v_writer->UseBrush(Brush());
    v_writer->Ints(EMR_ELLIPSE, {nX1, nY1, nX2, nY2});
}

void CTEmfCanvas::Arc(int nX1, int nY1, int nX2, int nY2, int nX3, int nY3, int nX4, int nY4) {
    if (v_writer->Finished()) return;
    v_writer->UsePen(Pen());
    v_writer->Ints(EMR_ARC, {nX1, nY1, nX2, nY2, nX3, nY3, nX4, nY4});
}

void CTEmfCanvas::Polyline(std::span<const TPoint> points) {
    if (v_writer->Finished() || points.empty()) return;
    v_writer->UsePen(Pen());
    v_writer->Points(EMR_POLYLINE16, EMR_POLYLINE, points);
}

void CTEmfCanvas::Polygon(std::span<const TPoint> points) {
    if (v_writer->Finished() || points.empty()) return;
    v_writer->UsePen(Pen());
    v_writer->UseBrush(Brush());
    v_writer->Points(EMR_POLYGON16, EMR_POLYGON, points);
}

void CTEmfCanvas::PolyBezier(std::span<const TPoint> points) {
    // Only whole segments make a curve.
    if (v_writer->Finished() || points.size() % 3 != 1) return;
    v_writer->UsePen(Pen());
    v_writer->Points(EMR_POLYBEZIER16, EMR_POLYBEZIER, points);
}

void CTEmfCanvas::TextOut(int nX, int nY, std::string_view szUtf8) {
    if (v_writer->Finished()) return;
    const TFont& font = Font();
    const int nEm = FontEmPixels(font.Size);
    const CTFontMetrics& metrics = CTFontMetrics::For(font.Name, font.Style);
    const std::u16string text = Utf8ToUtf16(szUtf8);
    std::vector<std::int32_t> widths;
    metrics.CharWidths(text, nEm, widths);
    std::int64_t nWidth = 0;
    for (std::int32_t w : widths) nWidth += w;
    const int nHeight = metrics.TextHeight(nEm);
    v_writer->UseFont(font, nEm);
    v_writer->UseText(font.Color, Brush());
    const bool bOpaque = Brush().Style != bsClear;
    nX = ClampCoordinate(nX), nY = ClampCoordinate(nY);
    const TRect cell{nX, nY, ClampCoordinate(nX + nWidth), nY + std::min(nHeight, kMaxCoordinate)};

    std::string& b = v_writer->Bytes();
    const std::size_t at = v_writer->Begin(EMR_EXTTEXTOUTW);
    v_writer->Rect({cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1});
    PutU32(b, GM_COMPATIBLE);
    PutU32(b, 0);  // x and y scales, unused in the compatible mode
    PutU32(b, 0);
    PutI32(b, nX);
    PutI32(b, nY);
    PutU32(b, std::uint32_t(text.size()));
    PutU32(b, std::uint32_t(kTextRecordFixed));
    PutU32(b, bOpaque ? ETO_OPAQUE : 0);
    v_writer->Rect(bOpaque ? cell : TRect{});
    const std::size_t nStringBytes = (text.size() * 2 + 3) & ~std::size_t(3);
    PutU32(b, std::uint32_t(kTextRecordFixed + nStringBytes));
    for (char16_t c : text) PutU16(b, c);
    while ((b.size() - at) % 4) b += '\0';
    for (std::int32_t w : widths) PutI32(b, w);
    v_writer->End(at);
}

void CTEmfCanvas::StretchDraw(const TRect& to, const CTRaster& raster, std::uint32_t nRop) {
    if (v_writer->Finished() || raster.IsEmpty()) return;
    const TRect dest{ClampCoordinate(to.Left), ClampCoordinate(to.Top), ClampCoordinate(to.Right), ClampCoordinate(to.Bottom)};
    const std::string info = DibInfoHeader24(raster.Width(), raster.Height());
    const std::string bits = DibBits24(raster);
    std::string& b = v_writer->Bytes();
    const std::size_t at = v_writer->Begin(EMR_STRETCHDIBITS);
    v_writer->Rect({std::min(dest.Left, dest.Right), std::min(dest.Top, dest.Bottom),
                    std::max(dest.Left, dest.Right) - 1, std::max(dest.Top, dest.Bottom) - 1});
    for (int v : {dest.Left, dest.Top, 0, 0, raster.Width(), raster.Height()}) PutI32(b, v);
    PutU32(b, std::uint32_t(kStretchRecordFixed));
    PutU32(b, std::uint32_t(info.size()));
    PutU32(b, std::uint32_t(kStretchRecordFixed + info.size()));
    PutU32(b, std::uint32_t(bits.size()));
    PutU32(b, 0);  // DIB_RGB_COLORS
    PutU32(b, nRop);
    PutI32(b, dest.Width());
    PutI32(b, dest.Height());
    b += info;
    b += bits;
    v_writer->End(at);
}

void CTEmfCanvas::PlayMetafile(const TRect& dest, const CTGraphic& metafile) {
    if (v_writer->Finished() || metafile.IsEmpty()) return;
    if (metafile.Kind() == TGraphicKind::Raster) {
        StretchDraw(dest, metafile.Raster(), SRCCOPY);
        return;
    }
    try {
        PlayEmf(metafile.MetafileBytes(), *this, dest);
    } catch (const CTEmfError&) {
        // A damaged picture draws nothing, like an empty one.
    }
}

std::string CTEmfCanvas::Finish() { return v_writer->Finished() ? std::string() : v_writer->Finish(); }

CTGraphic CTEmfCanvas::FinishGraphic() {
    std::string bytes = Finish();
    return CTGraphic::FromMetafile(std::move(bytes), v_width, v_height);
}

}  // namespace brumalis::graphics
