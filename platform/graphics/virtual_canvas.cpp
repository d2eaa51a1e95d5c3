#include "platform/graphics/virtual_canvas.h"

#include <cmath>
#include <vector>

namespace brumalis::graphics {

namespace {

// Nearest integer, ties to even (the default rounding mode), clamped so
// that absurd world values cannot overflow.
int RoundEven(double v) {
    if (std::isnan(v)) return 0;
    const double r = std::nearbyint(v);
    if (r >= kMaxCoordinate) return kMaxCoordinate;
    if (r <= -kMaxCoordinate) return -kMaxCoordinate;
    return int(r);
}

}  // namespace

CTVirtualCanvas::CTVirtualCanvas(CTDeviceCanvas* pFromCanvas) : v_canvas(pFromCanvas) { SaveProperties(); }

void CTVirtualCanvas::SaveProperties() {
    const TPen& pen = v_canvas->Pen();
    v_penColor = pen.Color;
    v_penMode = pen.Mode;
    v_penWidth = pen.Width;
    v_penStyle = pen.Style;
    v_brushColor = v_canvas->Brush().Color;
    v_brushStyle = v_canvas->Brush().Style;
    const TFont& font = v_canvas->Font();
    v_fontColor = font.Color;
    v_fontSize = font.Size;
    v_fontStyle = font.Style;
}

void CTVirtualCanvas::RestoreProperties() {
    TPen& pen = v_canvas->Pen();
    pen.Color = v_penColor;
    pen.Mode = v_penMode;
    pen.Width = v_penWidth;
    pen.Style = v_penStyle;
    v_canvas->Brush().Color = v_brushColor;
    v_canvas->Brush().Style = v_brushStyle;
    TFont& font = v_canvas->Font();
    font.Color = v_fontColor;
    font.Size = v_fontSize;
    font.Style = v_fontStyle;
}

int CTVirtualCanvas::MapX(double nX) const { return RoundEven(nX * v_scaleX + v_offsetX); }
int CTVirtualCanvas::MapY(double nY) const { return RoundEven(nY * v_scaleY + v_offsetY); }

void CTVirtualCanvas::MoveTo(double nX, double nY) { v_canvas->MoveTo(MapX(nX), MapY(nY)); }
void CTVirtualCanvas::LineTo(double nX, double nY) { v_canvas->LineTo(MapX(nX), MapY(nY)); }

void CTVirtualCanvas::TextOut(double nX, double nY, std::string_view szStr) {
    v_canvas->TextOut(MapX(nX), MapY(nY), szStr);
}

void CTVirtualCanvas::DrawRectangle(double nX1, double nY1, double nX2, double nY2) {
    v_canvas->Rectangle(MapX(nX1), MapY(nY1), MapX(nX2), MapY(nY2));
}

void CTVirtualCanvas::DrawEllipse(double nX1, double nY1, double nX2, double nY2) {
    v_canvas->Ellipse(MapX(nX1), MapY(nY1), MapX(nX2), MapY(nY2));
}

void CTVirtualCanvas::DrawRoundedRectangle(double nX1, double nY1, double nX2, double nY2, double nDiam) {
    const int d = RoundEven(nDiam * v_scaleY);
    v_canvas->RoundRect(MapX(nX1), MapY(nY1), MapX(nX2), MapY(nY2), d, d);
}

void CTVirtualCanvas::DrawArc(double nX1, double nY1, double nX2, double nY2, double nX3, double nY3,
                              double nX4, double nY4) {
    v_canvas->Arc(MapX(nX1), MapY(nY1), MapX(nX2), MapY(nY2), MapX(nX3), MapY(nY3), MapX(nX4), MapY(nY4));
}

void CTVirtualCanvas::DrawSquareFixed(double nX, double nY, int nSizeDiv2) {
    const int cx = MapX(nX), cy = MapY(nY);
    // The rectangle excludes its far edges: one more pixel keeps it centred.
    v_canvas->Rectangle(cx - nSizeDiv2, cy - nSizeDiv2, cx + nSizeDiv2 + 1, cy + nSizeDiv2 + 1);
}

void CTVirtualCanvas::DrawCrossFixed(double nX, double nY, int nArmSize) {
    const int cx = MapX(nX), cy = MapY(nY);
    v_canvas->MoveTo(cx - nArmSize, cy);
    v_canvas->LineTo(cx + nArmSize + 1, cy);
    v_canvas->MoveTo(cx, cy - nArmSize);
    v_canvas->LineTo(cx, cy + nArmSize + 1);
}

void CTVirtualCanvas::DrawPolygon(TPoint* pPoints, int n) {
    if (n <= 0) return;
    for (int i = 0; i < n; ++i) pPoints[i] = Map(pPoints[i].X, pPoints[i].Y);
    v_canvas->Polygon(std::span<const TPoint>(pPoints, std::size_t(n)));
}

void CTVirtualCanvas::DrawCurve(const TPoint* p, int n) {
    if (n < 2) return;
    if (n == 2) {
        MoveTo(p[0].X, p[0].Y);
        LineTo(p[1].X, p[1].Y);
        return;
    }
    const int b = n - 1;
    const int nSegments = b / 2;
    std::vector<TPoint> q;
    q.reserve(std::size_t(3 * nSegments + 1));
    q.push_back(p[0]);
    for (int i = 0; i <= nSegments - 2; ++i) {
        q.push_back(p[2 * i + 1]);
        q.push_back(p[2 * i + 2]);
        // Summed and halved, truncating toward zero.
        q.push_back({(p[2 * i + 2].X + p[2 * i + 3].X) / 2, (p[2 * i + 2].Y + p[2 * i + 3].Y) / 2});
    }
    if (b % 2 == 1) {
        q.push_back(p[b - 2]);
        q.push_back(p[b - 1]);
    } else {
        q.push_back(p[b - 1]);
        q.push_back(p[b]);
    }
    q.push_back(p[b]);
    for (TPoint& pt : q) pt = Map(pt.X, pt.Y);
    v_canvas->PolyBezier(q);
}

void CTVirtualCanvas::DrawGraphic(double nX, double nY, double nW, double nH, const CTGraphic& graphic,
                                  std::uint32_t nRasterOp, bool bScaled) {
    if (graphic.IsEmpty()) return;
    const int x1 = MapX(nX), y1 = MapY(nY);
    const int x2 = bScaled ? MapX(nX + nW) : x1 + RoundEven(nW);
    const int y2 = bScaled ? MapY(nY + nH) : y1 + RoundEven(nH);
    // The far corner is inside the picture: width and height are far - near + 1.
    const TRect dest{x1, y1, x2 + 1, y2 + 1};
    if (!graphic.IsMetafile()) {
        v_canvas->StretchDraw(dest, graphic.Raster(), nRasterOp);
        return;
    }
    // Other operations draw the metafile as a bitmap of its own, whose
    // white ground covers what lies below.
    if (nRasterOp != SRCAND) FillWhite(dest);
    v_canvas->PlayMetafile(dest, graphic);
}

void CTVirtualCanvas::FillWhite(const TRect& r) {
    const TPen pen = v_canvas->Pen();
    const TBrush brush = v_canvas->Brush();
    v_canvas->Pen() = {clWhite, pmCopy, 0, psClear};
    v_canvas->Brush() = {clWhite, bsSolid};
    // A rectangle without pen leaves out its far edges: one pixel more.
    v_canvas->Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
    v_canvas->Pen() = pen;
    v_canvas->Brush() = brush;
}

double CTVirtualCanvas::TextHeight() const { return v_canvas->TextHeight("A") / v_scaleY; }

double CTVirtualCanvas::TextWidth(std::string_view szStr) const { return v_canvas->TextWidth(szStr) / v_scaleX; }

}  // namespace brumalis::graphics
