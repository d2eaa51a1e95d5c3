#include "documents/graphs/operating_range.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "catalogue/capacity_table.h"
#include "catalogue/units.h"
#include "dialogs/messages.h"

namespace brumalis::graphs {
namespace {

using namespace graphics;

// No unit works beyond this; larger limits are damaged data, and drawing
// them would mean an axis with millions of ticks.
constexpr double kMaxPlausibleTemp = 1000.0;
constexpr int kTickStep = 5;
constexpr int kAxisTop = 10;
constexpr int kEnvelopePen = 3;
constexpr TColor kEnvelopeFill = RGBColor(240, 240, 255);
constexpr TColor kCapacityFill = RGBColor(255, 255, 240);

bool IsSet(double v) { return v != kNotSet; }

bool Plausible(const TOpRangeLimits& l) {
    const std::array<double, 12> values = {l.MinX, l.MaxX, l.MinY, l.MaxY, l.XUL, l.YUL,
                                           l.XUR,  l.YUR,  l.XLL,  l.YLL,  l.XLR, l.YLR};
    const bool bFinite = std::ranges::all_of(values, [](double v) { return std::fabs(v) <= kMaxPlausibleTemp; });
    return bFinite && l.MinX <= l.MaxX && l.MinY <= l.MaxY;
}

// A cut is a chamfer only with both lengths; it never reaches past the sides.
void NormaliseCut(double& x, double& y, double dWidth, double dHeight) {
    x = std::min(std::fabs(x), dWidth);
    y = std::min(std::fabs(y), dHeight);
    if (x <= 0.0 || y <= 0.0) x = y = 0.0;
}

TOpRangeLimits Normalised(TOpRangeLimits l) {
    const double w = l.MaxX - l.MinX, h = l.MaxY - l.MinY;
    NormaliseCut(l.XUL, l.YUL, w, h);
    NormaliseCut(l.XUR, l.YUR, w, h);
    NormaliseCut(l.XLL, l.YLL, w, h);
    NormaliseCut(l.XLR, l.YLR, w, h);
    return l;
}

// A corner cut after the two sides meeting there moved in by dx and dy. A
// square corner stays square (the formula would divide by its zero lengths),
// and so does a corner whose cut the clip passed entirely.
void MoveCut(double& x, double& y, double dx, double dy) {
    if (x <= 0.0 || y <= 0.0) {
        x = y = 0.0;
        return;
    }
    const double xNew = x - dx - x * dy / y;
    const double yNew = y - dy - dx * y / x;
    if (xNew < 0.0 || yNew < 0.0) {
        x = y = 0.0;
    } else {
        x = xNew;
        y = yNew;
    }
}

std::string TemperatureText(double t) { return TU_Form::PutFmtDimensionedValue(U_Temperature, 1, true, t); }

std::string TickText(int t) {
    const double shown = TU_Form::ConvertValue(U_Temperature, 0, true, TU_Form::GetNewIndex(U_Temperature), t);
    return FixedText(shown, 0) + " " + TU_Form::GetCurrentString(U_Temperature);
}

// Where a corner label goes relative to its point: outside the envelope.
enum class TSide { Left, Right, Above, Below, AboveLeft, AboveRight, BelowLeft, BelowRight };

struct TCornerLabel {
    double x, y;
    TSide side;
};

// The labelled points: one for a square corner, the two ends of a cut.
std::vector<TCornerLabel> CornerLabels(const TOpRangeLimits& l) {
    std::vector<TCornerLabel> labels;
    const auto add = [&labels](bool bCut, TCornerLabel square, TCornerLabel first, TCornerLabel second) {
        if (bCut) {
            labels.push_back(first);
            labels.push_back(second);
        } else {
            labels.push_back(square);
        }
    };
    add(l.XUL > 0, {l.MinX, l.MaxY, TSide::AboveLeft}, {l.MinX, l.MaxY - l.YUL, TSide::Left},
        {l.MinX + l.XUL, l.MaxY, TSide::Above});
    add(l.XUR > 0, {l.MaxX, l.MaxY, TSide::AboveRight}, {l.MaxX - l.XUR, l.MaxY, TSide::Above},
        {l.MaxX, l.MaxY - l.YUR, TSide::Right});
    add(l.XLR > 0, {l.MaxX, l.MinY, TSide::BelowRight}, {l.MaxX, l.MinY + l.YLR, TSide::Right},
        {l.MaxX - l.XLR, l.MinY, TSide::Below});
    add(l.XLL > 0, {l.MinX, l.MinY, TSide::BelowLeft}, {l.MinX + l.XLL, l.MinY, TSide::Below},
        {l.MinX, l.MinY + l.YLL, TSide::Left});
    return labels;
}

// Maps temperatures to pixels and draws the plot's parts.
class TOpRangePainter {
public:
    TOpRangePainter(CTDeviceCanvas& canvas, int W, int H, const TOpRangeLimits& l) : v_canvas(canvas), v_W(W) {
        v_cw = canvas.TextWidth("W");
        v_h = canvas.TextHeight("W");
        v_xl = 5 * v_cw;
        v_yt = 2 * v_h + 10;
        const double dMinX = l.MinX > 0 ? l.MinX + 3 : (l.MinX < 0 ? l.MinX - 3 : 0.0);
        v_xmin = static_cast<int>(std::trunc(dMinX)) / kTickStep * kTickStep - 10;
        v_xmax = (Rnd(l.MaxX) + 4) / kTickStep * kTickStep + 10;
        v_ymin = Rnd(l.MinY) / kTickStep * kTickStep - 10;
        v_ymax = Rnd(l.MaxY) / kTickStep * kTickStep + 10;
        v_sx = static_cast<double>(W - 2 * v_xl) / (v_xmax - v_xmin + 1);
        v_sy = static_cast<double>(H - v_yt - 2 * v_h) / (v_ymax - v_ymin + 1);
    }

    int X(double x) const { return v_xl + Rnd((x - v_xmin) * v_sx); }
    int Y(double y) const { return v_yt + Rnd((v_ymax - y) * v_sy); }
    TPoint P(double x, double y) const { return {X(x), Y(y)}; }

    void Axes(const std::string& szLabelX, const std::string& szLabelY) {
        v_canvas.Pen() = TPen{clBlack, pmCopy, 1, psSolid};
        v_canvas.Brush().Style = bsClear;
        v_canvas.Font().Color = clBlack;
        const int yAxis = Y(v_ymin);
        v_canvas.MoveTo(v_xl, kAxisTop);
        v_canvas.LineTo(v_xl, yAxis);
        v_canvas.LineTo(v_W - 10, yAxis);
        v_canvas.TextOut(v_xl + 2, kAxisTop, szLabelY);
        v_canvas.TextOut(v_W - v_cw - v_canvas.TextWidth(szLabelX), yAxis - v_h - 2, szLabelX);
        // Every tick, but a label only where it clears the one before by a
        // character: on a narrow plot "-20 °C-15 °C" would read as one figure.
        int nLabelEnd = std::numeric_limits<int>::min();
        for (int t = v_xmin; t <= v_xmax; t += kTickStep) {
            const int x = X(t);
            v_canvas.MoveTo(x, yAxis);
            v_canvas.LineTo(x, yAxis + v_h / 3);
            const std::string szTick = TickText(t);
            const int nLeft = x - v_canvas.TextWidth(szTick) / 2;
            if (nLeft < nLabelEnd + v_cw) continue;
            v_canvas.TextOut(nLeft, yAxis + v_h / 3, szTick);
            nLabelEnd = nLeft + v_canvas.TextWidth(szTick);
        }
        for (int t = v_ymin; t <= v_ymax; t += kTickStep) {
            const int y = Y(t);
            v_canvas.MoveTo(v_xl - v_cw / 2, y);
            v_canvas.LineTo(v_xl, y);
            const std::string szTick = TickText(t);
            v_canvas.TextOut(v_xl - v_cw / 2 - 2 - v_canvas.TextWidth(szTick), y - v_h / 2, szTick);
        }
    }

    // Dotted lines carrying the edges over to the axes.
    void Projections(const TOpRangeLimits& l, TColor nColor) {
        v_canvas.Pen() = TPen{nColor, pmCopy, 1, psDot};
        Line(v_xmin, l.MaxY, l.MaxX - l.XUR, l.MaxY);
        Line(v_xmin, l.MinY, l.MaxX - l.XLR, l.MinY);
        Line(l.MinX, v_ymin, l.MinX, l.MaxY - l.YUL);
        Line(l.MaxX, v_ymin, l.MaxX, l.MaxY - l.YUR);
    }

    void Shape(const TOpRangeLimits& l, TColor nPen, TColor nFill) {
        const std::array<TPoint, 8> points = {
            P(l.MinX + l.XUL, l.MaxY), P(l.MaxX - l.XUR, l.MaxY), P(l.MaxX, l.MaxY - l.YUR),
            P(l.MaxX, l.MinY + l.YLR), P(l.MaxX - l.XLR, l.MinY), P(l.MinX + l.XLL, l.MinY),
            P(l.MinX, l.MinY + l.YLL), P(l.MinX, l.MaxY - l.YUL)};
        v_canvas.Pen() = TPen{nPen, pmCopy, kEnvelopePen, psSolid};
        v_canvas.Brush() = TBrush{nFill, bsSolid};
        v_canvas.Polygon(points);
    }

    void Corners(const TOpRangeLimits& l) {
        v_canvas.Font().Color = clRed;
        v_canvas.Brush() = TBrush{clWhite, bsSolid};
        const int gap = kEnvelopePen;
        for (const TCornerLabel& c : CornerLabels(l)) {
            const std::string szText = TemperatureText(c.x) + "/" + TemperatureText(c.y);
            const int w = v_canvas.TextWidth(szText);
            const int x = X(c.x), y = Y(c.y);
            const bool bLeft = c.side == TSide::Left || c.side == TSide::AboveLeft || c.side == TSide::BelowLeft;
            const bool bRight = c.side == TSide::Right || c.side == TSide::AboveRight || c.side == TSide::BelowRight;
            const bool bAbove = c.side == TSide::Above || c.side == TSide::AboveLeft || c.side == TSide::AboveRight;
            const bool bBelow = c.side == TSide::Below || c.side == TSide::BelowLeft || c.side == TSide::BelowRight;
            const int tx = bLeft ? x - gap - w : (bRight ? x + gap : x - w / 2);
            const int ty = bAbove ? y - gap - v_h : (bBelow ? y + gap : y - v_h / 2);
            v_canvas.TextOut(tx, ty, szText);
        }
    }

    // The capacity ranges written in the middle of the area.
    void RangeTexts(const TOpRangeLimits& area, const std::string& szLineX, const std::string& szLineY) {
        v_canvas.Font().Color = clBlue;
        v_canvas.Brush().Style = bsClear;
        const int cx = X((area.MinX + area.MaxX) / 2), cy = Y((area.MinY + area.MaxY) / 2);
        v_canvas.TextOut(cx - v_canvas.TextWidth(szLineX) / 2, cy - v_h, szLineX);
        v_canvas.TextOut(cx - v_canvas.TextWidth(szLineY) / 2, cy, szLineY);
    }

private:
    void Line(double x1, double y1, double x2, double y2) {
        v_canvas.MoveTo(X(x1), Y(y1));
        v_canvas.LineTo(X(x2), Y(y2));
    }

    CTDeviceCanvas& v_canvas;
    int v_W;
    int v_cw = 0, v_h = 0, v_xl = 0, v_yt = 0;
    int v_xmin = 0, v_xmax = 0, v_ymin = 0, v_ymax = 0;
    double v_sx = 1.0, v_sy = 1.0;
};

}  // namespace

TOpRangeLimits UnitLimits(const Cls_OutdoorDevice& TheUnit, bool bCooling, double dRangeTemp) {
    const TOperatingEnvelope e = TOperatingEnvelope::Of(TheUnit, bCooling);
    TOpRangeLimits l{e.MinI,          e.MaxI,         e.MinO,          e.MaxO,         e.UpperLeft.W,  e.UpperLeft.H,
                     e.UpperRight.W,  e.UpperRight.H, e.LowerLeft.W,   e.LowerLeft.H,  e.LowerRight.W, e.LowerRight.H};
    if (l.MinY > dRangeTemp) {
        l.MinY = dRangeTemp;
        l.XLL = l.YLL = l.XLR = l.YLR = 0.0;
    }
    return l;
}

std::optional<TOpRangeLimits> CapacityArea(const TOpRangeLimits& Limits, double CapMinX, double CapMaxX,
                                           double CapMinY, double CapMaxY) {
    if (!IsSet(CapMinX) || !IsSet(CapMaxX) || !IsSet(CapMinY) || !IsSet(CapMaxY)) return std::nullopt;
    const TOpRangeLimits l = Normalised(Limits);
    if (!(CapMinX <= l.MaxX && CapMaxX >= l.MinX && CapMinY <= l.MaxY && CapMaxY >= l.MinY)) return std::nullopt;
    TOpRangeLimits a = l;
    a.MinX = std::max(l.MinX, CapMinX);
    a.MaxX = std::min(l.MaxX, CapMaxX);
    a.MinY = std::max(l.MinY, CapMinY);
    a.MaxY = std::min(l.MaxY, CapMaxY);
    if (!(a.MinX <= a.MaxX && a.MinY <= a.MaxY)) return std::nullopt;
    const double dLeft = a.MinX - l.MinX, dRight = l.MaxX - a.MaxX;
    const double dBottom = a.MinY - l.MinY, dTop = l.MaxY - a.MaxY;
    MoveCut(a.XUL, a.YUL, dLeft, dTop);
    MoveCut(a.XUR, a.YUR, dRight, dTop);
    MoveCut(a.XLL, a.YLL, dLeft, dBottom);
    MoveCut(a.XLR, a.YLR, dRight, dBottom);
    return Normalised(a);
}

void TFrm_CapTableOpRange::SetAxesLabels(int LabelXMsg, int LabelYMsg) {
    v_LabelXMsg = LabelXMsg;
    v_LabelYMsg = LabelYMsg;
}

void TFrm_CapTableOpRange::SetCapRanges(double CapMinX, double CapMaxX, double CapMinY, double CapMaxY) {
    v_CapMinX = CapMinX;
    v_CapMaxX = CapMaxX;
    v_CapMinY = CapMinY;
    v_CapMaxY = CapMaxY;
}

void TFrm_CapTableOpRange::SetORParams(const TOpRangeLimits& ORParams) {
    v_ORParams = ORParams;
    v_HasORParams = ORParams.MinX != kNotSet;
}

void TFrm_CapTableOpRange::SetupWindow(const Cls_OutdoorDevice* TheUnit) {
    v_Unit = TheUnit;
    Repaint();
}

void TFrm_CapTableOpRange::ClearGraph() {
    v_Unit = nullptr;
    v_HasORParams = false;
    Repaint();
}

void TFrm_CapTableOpRange::Repaint() const {
    if (v_Repaint) v_Repaint();
}

void TFrm_CapTableOpRange::PaintOnCanvas(const Cls_OutdoorDevice* TheUnit, CTDeviceCanvas& TheCanvas,
                                         int CanvasWidth, int CanvasHeight) const {
    if (!TheUnit && !v_HasORParams) return;
    const TOpRangeLimits raw = TheUnit ? UnitLimits(*TheUnit, v_NeededForCooling, v_RangeTemp) : v_ORParams;
    if (!Plausible(raw) || CanvasWidth <= 0 || CanvasHeight <= 0) return;
    const TOpRangeLimits limits = Normalised(raw);
    const auto area = CapacityArea(limits, v_CapMinX, v_CapMaxX, v_CapMinY, v_CapMaxY);

    const TPen savedPen = TheCanvas.Pen();
    const TBrush savedBrush = TheCanvas.Brush();
    const TColor savedFont = TheCanvas.Font().Color;
    TOpRangePainter painter(TheCanvas, CanvasWidth, CanvasHeight, limits);
    painter.Axes(dialogs::TBaseMsg::GetUnicodeString(v_LabelXMsg), dialogs::TBaseMsg::GetUnicodeString(v_LabelYMsg));
    painter.Projections(limits, clBlack);
    painter.Shape(limits, clRed, kEnvelopeFill);
    painter.Corners(limits);
    if (area) {
        painter.Projections(*area, clBlue);
        painter.Shape(*area, clBlue, kCapacityFill);
        painter.RangeTexts(*area, TemperatureText(v_CapMinX) + " .. " + TemperatureText(v_CapMaxX) + "/",
                           TemperatureText(v_CapMinY) + " .. " + TemperatureText(v_CapMaxY) + " ");
    }
    TheCanvas.Pen() = savedPen;
    TheCanvas.Brush() = savedBrush;
    TheCanvas.Font().Color = savedFont;
}

}  // namespace brumalis::graphs
