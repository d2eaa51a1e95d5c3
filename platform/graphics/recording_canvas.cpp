#include "platform/graphics/recording_canvas.h"

#include <cstdio>

#include "platform/graphics/picture.h"

namespace brumalis::graphics {

namespace {

const char* const kModeNames[] = {"black", "white", "nop", "not", "copy", "notcopy",
                                  "mergepennot", "maskpennot", "mergenotpen", "masknotpen",
                                  "merge", "notmerge", "mask", "notmask", "xor", "notxor"};
const char* const kPenStyleNames[] = {"solid", "dash", "dot", "dashdot", "dashdotdot", "clear", "insideframe"};
const char* const kBrushStyleNames[] = {"solid", "clear", "horizontal", "vertical",
                                        "fdiagonal", "bdiagonal", "cross", "diagcross"};

std::string Hex(std::uint32_t n) {
    char buf[12];
    std::snprintf(buf, sizeof buf, "%06X", n);
    return buf;
}

std::string Numbers(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += (s.empty() ? "" : ",") + std::to_string(v);
    return s;
}

std::string PointList(std::span<const TPoint> points) {
    std::string s;
    for (const TPoint& p : points) s += " " + Numbers({p.X, p.Y});
    return s;
}

std::string RectText(const TRect& r) { return Numbers({r.Left, r.Top, r.Right, r.Bottom}); }

// FNV-1a over the pixels: tells rasters apart in one short word.
std::uint32_t PixelHash(const CTRaster& raster) {
    std::uint32_t h = 2166136261u;
    for (int y = 0; y < raster.Height(); ++y) {
        const std::uint8_t* p = raster.Row(y);
        for (int i = 0; i < raster.Width() * 3; ++i) h = (h ^ p[i]) * 16777619u;
    }
    return h;
}

}  // namespace

void CTRecordingCanvas::Record(std::string szLine) { v_calls.push_back(std::move(szLine)); }

std::string CTRecordingCanvas::PenText() const {
    const TPen& p = Pen();
    const std::string szMode = kModeNames[p.Mode % 16];
    if (p.Style == psClear) return "pen=clear/" + szMode;
    return "pen=" + Hex(ColorToRGB(p.Color)) + "/" + szMode + "/" + std::to_string(p.Width) + "/" +
           kPenStyleNames[p.Style % 7];
}

std::string CTRecordingCanvas::FillText() const {
    const TBrush& b = Brush();
    const std::string szBrush = b.Style == bsClear ? "brush=clear"
                                                   : "brush=" + Hex(ColorToRGB(b.Color)) + "/" + kBrushStyleNames[b.Style % 8];
    return PenText() + " " + szBrush;
}

void CTRecordingCanvas::MoveTo(int nX, int nY) { Record("MoveTo " + Numbers({nX, nY})); }

void CTRecordingCanvas::LineTo(int nX, int nY) { Record("LineTo " + Numbers({nX, nY}) + " " + PenText()); }

void CTRecordingCanvas::Rectangle(int nX1, int nY1, int nX2, int nY2) {
    Record("Rectangle " + Numbers({nX1, nY1, nX2, nY2}) + " " + FillText());
}

void CTRecordingCanvas::RoundRect(int nX1, int nY1, int nX2, int nY2, int nW, int nH) {
    Record("RoundRect " + Numbers({nX1, nY1, nX2, nY2, nW, nH}) + " " + FillText());
}

void CTRecordingCanvas::Ellipse(int nX1, int nY1, int nX2, int nY2) {
    Record("Ellipse " + Numbers({nX1, nY1, nX2, nY2}) + " " + FillText());
}

void CTRecordingCanvas::Arc(int nX1, int nY1, int nX2, int nY2, int nX3, int nY3, int nX4, int nY4) {
    Record("Arc " + Numbers({nX1, nY1, nX2, nY2, nX3, nY3, nX4, nY4}) + " " + PenText());
}

void CTRecordingCanvas::Polyline(std::span<const TPoint> points) {
    Record("Polyline" + PointList(points) + " " + PenText());
}

void CTRecordingCanvas::Polygon(std::span<const TPoint> points) {
    Record("Polygon" + PointList(points) + " " + FillText());
}

void CTRecordingCanvas::PolyBezier(std::span<const TPoint> points) {
    Record("PolyBezier" + PointList(points) + " " + PenText());
}

void CTRecordingCanvas::TextOut(int nX, int nY, std::string_view szUtf8) {
    const TFont& f = Font();
    std::string szStyles;
    for (auto [s, c] : {std::pair{fsBold, 'B'}, {fsItalic, 'I'}, {fsUnderline, 'U'}, {fsStrikeOut, 'S'}})
        if (f.Style.Contains(s)) szStyles += c;
    const std::string szBg = Brush().Style == bsClear ? "clear" : Hex(ColorToRGB(Brush().Color));
    Record("TextOut " + Numbers({nX, nY}) + " \"" + std::string(szUtf8) + "\" font=" + f.Name + "/" +
           std::to_string(f.Size) + "/" + szStyles + "/" + Hex(ColorToRGB(f.Color)) + " bg=" + szBg);
}

void CTRecordingCanvas::StretchDraw(const TRect& dest, const CTRaster& raster, std::uint32_t nRop) {
    Record("StretchDraw " + RectText(dest) + " raster=" + std::to_string(raster.Width()) + "x" +
           std::to_string(raster.Height()) + "/" + Hex(PixelHash(raster)) + " rop=" + Hex(nRop));
}

void CTRecordingCanvas::PlayMetafile(const TRect& dest, const CTGraphic& metafile) {
    Record("PlayMetafile " + RectText(dest) + " size=" + std::to_string(metafile.Width()) + "x" +
           std::to_string(metafile.Height()));
}

}  // namespace brumalis::graphics
