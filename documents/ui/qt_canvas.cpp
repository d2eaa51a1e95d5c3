#include "documents/ui/qt_canvas.h"

#include <QtGui/QBrush>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "documents/ui/qt_colors.h"
#include "platform/graphics/emf.h"
#include "platform/graphics/font_metrics.h"
#include "platform/graphics/picture.h"

namespace brumalis::docui {

using namespace graphics;

namespace {

// By pen mode: how the pen combines with what is painted already.
constexpr QPainter::CompositionMode kPenModes[] = {
    QPainter::RasterOp_ClearDestination,            // black
    QPainter::RasterOp_SetDestination,              // white
    QPainter::CompositionMode_Destination,          // no operation
    QPainter::RasterOp_NotDestination,              // not
    QPainter::CompositionMode_SourceOver,           // copy
    QPainter::RasterOp_NotSource,                   // not copy
    QPainter::RasterOp_SourceOrNotDestination,      // merge pen, not ground
    QPainter::RasterOp_SourceAndNotDestination,     // mask pen, not ground
    QPainter::RasterOp_NotSourceOrDestination,      // merge not pen
    QPainter::RasterOp_NotSourceAndDestination,     // mask not pen
    QPainter::RasterOp_SourceOrDestination,         // merge
    QPainter::RasterOp_NotSourceAndNotDestination,  // not merge
    QPainter::RasterOp_SourceAndDestination,        // mask
    QPainter::RasterOp_NotSourceOrNotDestination,   // not mask
    QPainter::RasterOp_SourceXorDestination,        // xor
    QPainter::RasterOp_NotSourceXorDestination,     // not xor
};

QPainter::CompositionMode RasterMode(std::uint32_t nRop) {
    switch (nRop) {
        case SRCAND: return QPainter::RasterOp_SourceAndDestination;
        case SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
        case SRCINVERT: return QPainter::RasterOp_SourceXorDestination;
        default: return QPainter::CompositionMode_SourceOver;
    }
}

// Dash patterns in pen widths, as the metafile canvas's dashes look.
QList<qreal> DashPattern(TPenStyle style) {
    switch (style) {
        case psDash: return {18, 6};
        case psDot: return {3, 3};
        case psDashDot: return {9, 6, 3, 6};
        case psDashDotDot: return {9, 3, 3, 3, 3, 3};
        default: return {};
    }
}

Qt::BrushStyle HatchOf(TBrushStyle style) {
    switch (style) {
        case bsHorizontal: return Qt::HorPattern;
        case bsVertical: return Qt::VerPattern;
        case bsFDiagonal: return Qt::FDiagPattern;
        case bsBDiagonal: return Qt::BDiagPattern;
        case bsCross: return Qt::CrossPattern;
        case bsDiagCross: return Qt::DiagCrossPattern;
        case bsClear: return Qt::NoBrush;
        default: return Qt::SolidPattern;
    }
}

// The face whose advances the built-in metrics hold for a model face.
QString FaceFor(const std::string& szName) {
    const QString name = QString::fromStdString(szName);
    if (name.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Sans");
    if (name.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0) return QStringLiteral("Liberation Mono");
    return name;
}

bool Straight(QPointF a, QPointF b) { return a.x() == b.x() || a.y() == b.y(); }

// Both ends moved back half a pixel along the line's major axis: a line
// from one pixel centre to another then covers the first pixel whole and
// stops at the edge of the last one, which a metafile line leaves out,
// whichever way it runs and at any pixel ratio.
void TrimEnds(QPointF& from, QPointF& to) {
    const QPointF d = to - from;
    const double dMajor = std::max(std::abs(d.x()), std::abs(d.y()));
    if (dMajor == 0) return;
    const QPointF back = d * (0.5 / dMajor);
    from -= back;
    to -= back;
}

bool AllStraight(const QPolygonF& polygon, bool bClosed) {
    for (qsizetype i = 1; i < polygon.size(); ++i) {
        if (!Straight(polygon[i - 1], polygon[i])) return false;
    }
    return !bClosed || polygon.size() < 2 || Straight(polygon.back(), polygon.front());
}

// The rectangle whose outline runs through the centres of the border pixels.
QRectF CentreRect(int nX1, int nY1, int nX2, int nY2) {
    const QRectF r = QRectF(QPointF(nX1, nY1), QPointF(nX2, nY2)).normalized();
    return r.adjusted(0.5, 0.5, -0.5, -0.5);
}

// The parametric angle, in degrees counter-clockwise, at which the radial
// from the centre of r through p meets the ellipse in r.
double EllipseAngle(const QRectF& r, QPointF p) {
    const double a = std::max(r.width() / 2, 1e-9);
    const double b = std::max(r.height() / 2, 1e-9);
    const QPointF c = r.center();
    return std::atan2(-(p.y() - c.y()) / b, (p.x() - c.x()) / a) * 180 / std::numbers::pi;
}

}  // namespace

CTQtCanvas::CTQtCanvas(QPainter& painter, TSize clipSize, QPalette palette)
    : v_painter(painter), v_clipSize(clipSize), v_palette(std::move(palette)) {}

QFont CTQtCanvas::QtFont(const TFont& font) {
    QFont qfont;
    qfont.setFamilies({FaceFor(font.Name), QString::fromStdString(font.Name), QStringLiteral("Liberation Sans")});
    qfont.setPixelSize(std::max(1, FontEmPixels(font.Size)));
    qfont.setBold(font.Style.Contains(fsBold));
    qfont.setItalic(font.Style.Contains(fsItalic));
    qfont.setUnderline(font.Style.Contains(fsUnderline));
    qfont.setStrikeOut(font.Style.Contains(fsStrikeOut));
    qfont.setKerning(false);
    return qfont;
}

QPen CTQtCanvas::QtPen() const {
    const TPen& pen = Pen();
    QPen qpen(ToQColor(pen.Color, v_palette), std::max(1, pen.Width));
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    const QList<qreal> dashes = DashPattern(pen.Style);
    if (!dashes.isEmpty()) qpen.setDashPattern(dashes);
    return qpen;
}

QBrush CTQtCanvas::QtBrush() const {
    const Qt::BrushStyle style = HatchOf(Brush().Style);
    if (style == Qt::NoBrush) return QBrush(Qt::NoBrush);
    return QBrush(ToQColor(Brush().Color, v_palette), style);
}

double CTQtCanvas::PenOffset() const { return std::max(1, Pen().Width) % 2 == 1 ? 0.5 : 0.0; }

bool CTQtCanvas::PreparePen(bool bFill) {
    const TPen& pen = Pen();
    const bool bPen = pen.Style != psClear && pen.Mode != pmNop;
    v_painter.setPen(bPen ? QtPen() : QPen(Qt::NoPen));
    v_painter.setBrush(bFill ? QtBrush() : QBrush(Qt::NoBrush));
    v_painter.setCompositionMode(kPenModes[pen.Mode % 16]);
    return bPen;
}

void CTQtCanvas::PrepareFill() {
    PreparePen(true);
    // The mode combines only the pen; the fill is painted as it is.
    if (Pen().Mode != pmCopy) v_painter.setRenderHint(QPainter::Antialiasing, false);
}

void CTQtCanvas::MoveTo(int nX, int nY) { v_position = {nX, nY}; }

void CTQtCanvas::LineTo(int nX, int nY) {
    const double o = PenOffset();
    QPointF from(v_position.X + o, v_position.Y + o);
    QPointF to(nX + o, nY + o);
    v_position = {nX, nY};
    if (!PreparePen(false)) return;
    v_painter.setRenderHint(QPainter::Antialiasing, !Straight(from, to) && Pen().Mode == pmCopy);
    TrimEnds(from, to);
    v_painter.drawLine(from, to);
}

void CTQtCanvas::Rectangle(int nX1, int nY1, int nX2, int nY2) {
    PrepareFill();
    v_painter.setRenderHint(QPainter::Antialiasing, false);
    if (v_painter.pen().style() == Qt::NoPen) {
        v_painter.drawRect(QRectF(QPointF(nX1, nY1), QPointF(nX2, nY2)).normalized());
    } else {
        v_painter.drawRect(CentreRect(nX1, nY1, nX2, nY2));
    }
}

void CTQtCanvas::RoundRect(int nX1, int nY1, int nX2, int nY2, int nW, int nH) {
    PrepareFill();
    v_painter.setRenderHint(QPainter::Antialiasing, Pen().Mode == pmCopy);
    v_painter.drawRoundedRect(CentreRect(nX1, nY1, nX2, nY2), std::abs(nW) / 2.0, std::abs(nH) / 2.0);
}

void CTQtCanvas::Ellipse(int nX1, int nY1, int nX2, int nY2) {
    PrepareFill();
    v_painter.setRenderHint(QPainter::Antialiasing, Pen().Mode == pmCopy);
    v_painter.drawEllipse(CentreRect(nX1, nY1, nX2, nY2));
}

void CTQtCanvas::Arc(int nX1, int nY1, int nX2, int nY2, int nX3, int nY3, int nX4, int nY4) {
    if (!PreparePen(false)) return;
    const QRectF r = CentreRect(nX1, nY1, nX2, nY2);
    const double dStart = EllipseAngle(r, QPointF(nX3, nY3));
    double dSweep = EllipseAngle(r, QPointF(nX4, nY4)) - dStart;
    while (dSweep <= 0) dSweep += 360;  // the same radial twice: the whole ellipse
    QPainterPath path;
    path.arcMoveTo(r, dStart);
    path.arcTo(r, dStart, dSweep);
    v_painter.setRenderHint(QPainter::Antialiasing, Pen().Mode == pmCopy);
    v_painter.drawPath(path);
}

void CTQtCanvas::Polyline(std::span<const TPoint> points) {
    if (points.size() < 2 || !PreparePen(false)) return;
    const double o = PenOffset();
    QPolygonF line;
    for (const TPoint& p : points) line << QPointF(p.X + o, p.Y + o);
    v_painter.setRenderHint(QPainter::Antialiasing, !AllStraight(line, false) && Pen().Mode == pmCopy);
    // Only the outer ends move; the inner points stay where the segments meet.
    QPointF second = line[1];
    TrimEnds(line.front(), second);
    QPointF beforeLast = line[line.size() - 2];
    TrimEnds(beforeLast, line.back());
    v_painter.drawPolyline(line);
}

void CTQtCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2) return;
    PrepareFill();
    const double o = v_painter.pen().style() == Qt::NoPen ? 0.0 : PenOffset();
    QPolygonF shape;
    for (const TPoint& p : points) shape << QPointF(p.X + o, p.Y + o);
    v_painter.setRenderHint(QPainter::Antialiasing, !AllStraight(shape, true) && Pen().Mode == pmCopy);
    v_painter.drawPolygon(shape, Qt::OddEvenFill);
}

void CTQtCanvas::PolyBezier(std::span<const TPoint> points) {
    if (points.size() < 4 || !PreparePen(false)) return;
    const double o = PenOffset();
    const auto at = [&](std::size_t i) { return QPointF(points[i].X + o, points[i].Y + o); };
    QPainterPath path(at(0));
    for (std::size_t i = 1; i + 2 < points.size(); i += 3) path.cubicTo(at(i), at(i + 1), at(i + 2));
    v_painter.setRenderHint(QPainter::Antialiasing, Pen().Mode == pmCopy);
    v_painter.drawPath(path);
}

void CTQtCanvas::TextOut(int nX, int nY, std::string_view szUtf8) {
    const TFont& font = Font();
    const int nEm = FontEmPixels(font.Size);
    if (nEm <= 0 || szUtf8.empty()) return;
    const CTFontMetrics& metrics = CTFontMetrics::For(font.Name, font.Style);
    const QString text = QString::fromUtf8(szUtf8.data(), static_cast<qsizetype>(szUtf8.size()));
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
    std::vector<std::int32_t> widths;
    metrics.CharWidths(units, nEm, widths);
    int nTotal = 0;
    for (std::int32_t w : widths) nTotal += w;
    v_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Brush().Style != bsClear) {
        v_painter.fillRect(QRect(nX, nY, nTotal, metrics.TextHeight(nEm)), ToQColor(Brush().Color, v_palette));
    }
    const int nAscent = static_cast<int>(std::lround(double(metrics.WinAscent()) * nEm / metrics.UnitsPerEm()));
    v_painter.setFont(QtFont(font));
    v_painter.setPen(ToQColor(font.Color, v_palette));
    v_painter.setRenderHint(QPainter::TextAntialiasing, true);
    int x = nX;
    for (qsizetype i = 0; i < text.size();) {
        // A surrogate pair is one character; its second unit measures 0.
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        v_painter.drawText(QPointF(x, nY + nAscent), text.mid(i, n));
        for (qsizetype k = i; k < i + n; ++k) x += widths[std::size_t(k)];
        i += n;
    }
}

void CTQtCanvas::StretchDraw(const TRect& dest, const CTRaster& raster, std::uint32_t nRop) {
    if (raster.IsEmpty() || dest.Width() == 0 || dest.Height() == 0) return;
    const QImage image(raster.Row(0), raster.Width(), raster.Height(), qsizetype(raster.Width()) * 3,
                       QImage::Format_RGB888);
    v_painter.setCompositionMode(RasterMode(nRop));
    v_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    v_painter.drawImage(QRectF(dest.Left, dest.Top, dest.Width(), dest.Height()), image);
    v_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CTQtCanvas::PlayMetafile(const TRect& dest, const CTGraphic& metafile) {
    if (metafile.IsEmpty()) return;
    if (metafile.Kind() == TGraphicKind::Raster) {
        StretchDraw(dest, metafile.Raster(), SRCCOPY);
        return;
    }
    v_painter.save();
    v_painter.setClipRect(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), Qt::IntersectClip);
    try {
        PlayEmf(metafile.MetafileBytes(), *this, dest);
    } catch (const CTEmfError&) {
        // A damaged picture draws nothing, like an empty one.
    }
    v_painter.restore();
}

}  // namespace brumalis::docui
