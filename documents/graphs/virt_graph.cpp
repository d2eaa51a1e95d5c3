#include "documents/graphs/virt_graph.h"

#include <algorithm>
#include <cmath>

#include "documents/graphs/graph_numbers.h"

namespace brumalis::graphs {
namespace {

using namespace graphics;

constexpr int kScreenPixelsPerInch = 96;
constexpr int kDiscRadius = 5;

bool IsNoValue(double v) { return v == kNoValue || !std::isfinite(v); }

}  // namespace

TLegendHit HitLegend(const TLegendLayout& layout, int X, int Y) {
    if (!layout.bVisible || X < layout.nLeft || Y < layout.nTop) return {};
    const int nRow = (Y - layout.nTop) / layout.nRowHeight;
    const int nCol = (X - layout.nLeft) / layout.nItemWidth;
    if (nCol >= layout.nPerRow) return {};
    const int nIndex = nRow * layout.nPerRow + nCol;
    if (nIndex >= layout.nCount) return {};
    const int x = (X - layout.nLeft) % layout.nItemWidth;
    const int y = (Y - layout.nTop) % layout.nRowHeight;
    if (y < layout.nBoxMargin || y > layout.nBoxMargin + layout.nBoxSide) return {};
    if (layout.bChecks && x <= layout.nBoxSide) return {TLegendPart::CheckBox, nIndex};
    if (x >= layout.nSquareLeft && x <= layout.nSquareLeft + layout.nBoxSide) return {TLegendPart::ColorSquare, nIndex};
    return {};
}

graphics::TPoint LegendPartCentre(const TLegendLayout& layout, int nIndex, TLegendPart part) {
    const int nPerRow = std::max(1, layout.nPerRow);
    const int nLeft = layout.nLeft + nIndex % nPerRow * layout.nItemWidth;
    const int nTop = layout.nTop + nIndex / nPerRow * layout.nRowHeight + layout.nBoxMargin;
    const int nBoxLeft = part == TLegendPart::ColorSquare ? layout.nSquareLeft : 0;
    return {nLeft + nBoxLeft + layout.nBoxSide / 2, nTop + layout.nBoxSide / 2};
}

bool ApplyLegendClick(const TLegendLayout& layout, TLegendList& Legend, int X, int Y, const TColorChooser& Chooser) {
    const TLegendHit hit = HitLegend(layout, X, Y);
    if (hit.part == TLegendPart::None || hit.nIndex >= static_cast<int>(Legend.size())) return false;
    TLegend& entry = *Legend[static_cast<std::size_t>(hit.nIndex)];
    if (hit.part == TLegendPart::CheckBox) {
        entry.SetDisplay(!entry.MustDisplay());
    } else if (Chooser) {
        if (const auto nColor = Chooser(entry.GetColor())) entry.SetColor(*nColor);
    }
    return true;
}

TVirtGraph::TVirtGraph(CTDeviceCanvas* FromCanvas, TValueCallback OnDrawing, TGraphEvent OnLegendClick)
    : CTVirtualCanvas(FromCanvas),
      v_Width(FromCanvas->ClipSize().cx),
      v_Height(FromCanvas->ClipSize().cy),
      v_CharWidth(FromCanvas->TextWidth("W")),
      v_TextHeight(FromCanvas->TextHeight("W")),
      v_OnDrawing(std::move(OnDrawing)),
      v_OnLegendClick(std::move(OnLegendClick)),
      v_DeviceHorScale(static_cast<double>(FromCanvas->PixelsPerInch()) / kScreenPixelsPerInch) {}

void TVirtGraph::SetBorders(int XLeft, int XRight, int YTop, int YBottom) {
    v_BorderXL = XLeft;
    v_BorderXR = XRight;
    v_BorderYT = YTop;
    v_BorderYB = YBottom;
}

void TVirtGraph::GetXRange(int& nLeft, int& nRight) const {
    nLeft = v_GraphRect.Left;
    nRight = v_GraphRect.Right;
}

void TVirtGraph::GetYRange(int& nTop, int& nBottom) const {
    nTop = v_GraphRect.Top;
    nBottom = v_GraphRect.Bottom;
}

void TVirtGraph::SetDimensions(int TheWidth, int TheHeight) {
    v_Width = TheWidth;
    v_Height = TheHeight;
}

void TVirtGraph::SetPlots(TLegendList* TheLegend) {
    v_OwnedLegend.reset();
    v_Legend = TheLegend;
}

void TVirtGraph::SetPlots(std::unique_ptr<TLegendList> TheLegend) {
    v_OwnedLegend = std::move(TheLegend);
    v_Legend = v_OwnedLegend.get();
}

void TVirtGraph::SetYValues(double Min, double Max, int NrOfTicks, int Decimals) {
    if (!(Min < Max) || !std::isfinite(Min) || !std::isfinite(Max)) return;
    v_MinY = Min;
    v_MaxY = Max;
    v_TicksY = NrOfTicks;
    v_DecimalsY = Decimals;
    const int nText =
        std::max(v_canvas->TextWidth(FixedText(Min, Decimals)), v_canvas->TextWidth(FixedText(Max, Decimals)));
    v_GraphRect.Left = std::max(v_GraphRect.Left, std::max(nText, v_BorderXL) + v_CharWidth + v_CharWidth / 2);
}

void TVirtGraph::SetXValues(int NrOfValues, std::vector<std::string> LabelsOnX) {
    v_ValuesX = NrOfValues;
    v_LabelsX = std::move(LabelsOnX);
}

void TVirtGraph::DisplayValues(int Decimals) {
    v_DisplayValues = true;
    v_ValDecimals = Decimals;
}

void TVirtGraph::AddExtraPoint(double XPercentage, double Y, std::string Name, bool HairLines) {
    v_ExtraPoints.push_back({HairLines, XPercentage, Y, std::move(Name)});
}

void TVirtGraph::OnClick(int X, int Y) {
    if (!v_Legend || !ApplyLegendClick(v_LegendLayout, *v_Legend, X, Y, v_ColorChooser)) return;
    if (v_OnLegendClick) v_OnLegendClick(*this);
}

void TVirtGraph::WriteText(double x, double y, const std::string& szText) {
    if (szText.empty()) return;
    Brush().Style = bsClear;
    TextOut(x, y, szText);
}

void TVirtGraph::DrawAxes(bool AddLegend, bool AddChecks) {
    const int h = v_TextHeight;
    v_GraphRect.Top = v_BorderYT + h + h / 2;
    v_GraphRect.Bottom = v_Height - v_BorderYB - h - h / 2;
    v_GraphRect.Right = v_Width - v_CharWidth - v_canvas->TextWidth(v_TitleX) - v_BorderXR;
    v_GraphRect.Left = std::max(v_GraphRect.Left, 0);
    v_LegendVisible = AddLegend && v_Legend && !v_Legend->empty();
    v_CheckMarksVisible = AddChecks;
    v_LegendLayout = {};
    if (v_LegendVisible) LayOutLegend(AddChecks);

    const TRect& r = v_GraphRect;
    const int nTitleY = v_canvas->TextWidth(v_TitleY);
    const double xTitleY = r.Left - v_BorderXL >= nTitleY / 2.0 ? r.Left - nTitleY / 2.0 : v_BorderXL;
    WriteText(xTitleY, v_BorderYT, v_TitleY);
    WriteText(r.Left + (r.Width() - v_canvas->TextWidth(v_GraphTitle)) / 2.0, v_BorderYT, v_GraphTitle);

    MoveTo(r.Left, r.Top);
    LineTo(r.Left, r.Bottom);
    LineTo(r.Right, r.Bottom);
    WriteText(r.Right + v_CharWidth, r.Bottom - h / 2.0, v_TitleX);
    DrawYTicks();
    if (v_LegendVisible) DrawLegend();
}

void TVirtGraph::DrawYTicks() {
    if (!HasYRange() || v_TicksY < 1) return;
    const TRect& r = v_GraphRect;
    for (int k = 0; k <= v_TicksY; ++k) {
        const double y = r.Bottom - static_cast<double>(k) * r.Height() / v_TicksY;
        const double v = v_MinY + k * (v_MaxY - v_MinY) / v_TicksY;
        MoveTo(r.Left - v_CharWidth / 2.0, y);
        LineTo(r.Left, y);
        const std::string szLabel = FixedText(v, v_DecimalsY);
        WriteText(r.Left - v_CharWidth - v_canvas->TextWidth(szLabel), y - v_TextHeight / 2.0, szLabel);
    }
}

void TVirtGraph::LayOutLegend(bool AddChecks) {
    int nWidest = 0;
    for (const auto& pEntry : *v_Legend) nWidest = std::max(nWidest, v_canvas->TextWidth(pEntry->GetLegend()));
    const int h = v_TextHeight;
    v_MaxLegendItem = std::max(1, nWidest + (AddChecks ? 4 : 3) * v_CharWidth);
    TLegendLayout& l = v_LegendLayout;
    l.bVisible = true;
    l.bChecks = AddChecks;
    l.nLeft = v_GraphRect.Left;
    l.nItemWidth = v_MaxLegendItem;
    l.nPerRow = std::max(1, (v_Width - v_GraphRect.Left + 1) / v_MaxLegendItem);
    l.nRowHeight = std::max(1, h);
    l.nCount = static_cast<int>(v_Legend->size());
    const int nRows = (l.nCount + l.nPerRow - 1) / l.nPerRow;
    v_GraphRect.Bottom -= nRows * h;
    // The rows sit below the X labels, the last one ending at the bottom border.
    l.nTop = v_GraphRect.Bottom + h + h / 2;
    l.nBoxMargin = Rnd(2 * v_DeviceHorScale);
    l.nBoxSide = std::max(1, h - 2 * l.nBoxMargin);
    l.nSquareLeft = AddChecks ? v_CharWidth + v_CharWidth / 2 : 0;
    l.nLabelLeft = l.nSquareLeft + v_CharWidth + v_CharWidth / 2;
}

void TVirtGraph::DrawLegend() {
    const TLegendLayout& l = v_LegendLayout;
    for (int i = 0; i < l.nCount; ++i) {
        const int x = l.nLeft + (i % l.nPerRow) * l.nItemWidth;
        const int y = l.nTop + (i / l.nPerRow) * l.nRowHeight;
        DrawLegendItem(*(*v_Legend)[static_cast<std::size_t>(i)], x, y);
    }
}

void TVirtGraph::DrawLegendItem(const TLegend& entry, int x, int y) {
    const TLegendLayout& l = v_LegendLayout;
    const TPen savedPen = Pen();
    const TColor savedFont = Font().Color;
    const int yBox = y + l.nBoxMargin;
    const int s = l.nBoxSide;
    Pen() = TPen{};
    if (l.bChecks) {
        // Sunken: dark upper-left edges, light lower-right edges, white inside.
        Brush() = TBrush{clWindow, bsSolid};
        Pen().Color = clWindow;
        DrawRectangle(x, yBox, x + s, yBox + s);
        Pen().Color = clBtnShadow;
        MoveTo(x, yBox + s - 1);
        LineTo(x, yBox);
        LineTo(x + s, yBox);
        Pen().Color = clBtnHighlight;
        MoveTo(x + s - 1, yBox + 1);
        LineTo(x + s - 1, yBox + s - 1);
        LineTo(x, yBox + s - 1);
        if (entry.MustDisplay()) {
            Pen() = TPen{clWindowText, pmCopy, std::max(1, s / 6), psSolid};
            MoveTo(x + s / 4, yBox + s / 2);
            LineTo(x + s / 2 - 1, yBox + s - s / 4 - 1);
            LineTo(x + s - s / 5, yBox + s / 5);
        }
    }
    const bool bShown = entry.MustDisplay();
    Pen() = TPen{bShown ? clBlack : clGray, pmCopy, 1, psSolid};
    Brush() = TBrush{bShown ? entry.GetColor() : clBtnFace, bsSolid};
    const int xSquare = x + l.nSquareLeft;
    DrawRectangle(xSquare, yBox, xSquare + s, yBox + s);
    Font().Color = bShown ? clBlack : clGray;
    WriteText(x + l.nLabelLeft, y, entry.GetLegend());
    Font().Color = savedFont;
    Pen() = savedPen;
}

void TVirtGraph::DrawExtraPoints() {
    const TColor nFont = Font().Color;
    for (const TExtraPoint& point : v_ExtraPoints) {
        const double x = PlotWidth() * point.v_XPercentage / 100.0;
        const double y = v_MaxY - point.v_Y;
        if (!std::isfinite(x) || !std::isfinite(y)) continue;
        const TPoint c = Map(x, y);
        if (point.v_HairLines) {
            Pen() = TPen{nFont, pmCopy, 1, psDot};
            MoveTo(x, v_MaxY - v_MinY);
            LineTo(x, y);
            LineTo(0, y);
        }
        Pen() = TPen{clWhite, pmCopy, 1, psSolid};
        Brush() = TBrush{clWhite, bsSolid};
        v_canvas->Ellipse(c.X - kDiscRadius, c.Y - kDiscRadius, c.X + kDiscRadius, c.Y + kDiscRadius);
        Pen().Color = nFont;
        Brush().Color = nFont;
        const int r = kDiscRadius - 1;
        v_canvas->Ellipse(c.X - r, c.Y - r, c.X + r, c.Y + r);
        if (!point.v_Name.empty()) {
            Brush().Style = bsClear;
            v_canvas->TextOut(c.X - v_canvas->TextWidth(point.v_Name) / 2, c.Y - kDiscRadius - v_TextHeight,
                              point.v_Name);
        }
    }
}

void TVirtLineGraph::DrawXTick(double x, double dLabelCentre, const std::string* pLabel) {
    const double yBottom = v_GraphRect.Bottom;
    MoveTo(x, yBottom);
    LineTo(x, yBottom + v_TextHeight / 2.0);
    if (pLabel) WriteText(dLabelCentre - v_canvas->TextWidth(*pLabel) / 2.0, yBottom + v_TextHeight / 2.0, *pLabel);
}

void TVirtLineGraph::DrawOutline(bool AddLegend, bool AddChecks) {
    DrawAxes(AddLegend, AddChecks);
    const auto n = static_cast<int>(v_LabelsX.size());
    if (n < 2) return;
    const double dSpacing = static_cast<double>(PlotWidth()) / (n - 1);
    for (int k = 0; k < n; ++k) {
        const double x = v_GraphRect.Left + k * dSpacing;
        DrawXTick(x, x, &v_LabelsX[static_cast<std::size_t>(k)]);
    }
}

void TVirtLineGraph::DrawPeriodOutline(bool AddLegend, bool AddChecks) {
    DrawAxes(AddLegend, AddChecks);
    const auto n = static_cast<int>(v_LabelsX.size());
    if (n < 1) return;
    const double dPeriod = static_cast<double>(PlotWidth()) / n;
    for (int k = 0; k <= n; ++k) {
        const double x = v_GraphRect.Left + k * dPeriod;
        DrawXTick(x, x + dPeriod / 2.0, k < n ? &v_LabelsX[static_cast<std::size_t>(k)] : nullptr);
    }
}

void TVirtLineGraph::DrawGraph() {
    if (v_ValuesX > 1 && HasYRange()) PlotSeries(0.0, static_cast<double>(PlotWidth()) / (v_ValuesX - 1));
}

void TVirtLineGraph::DrawPeriodGraph() {
    if (v_ValuesX < 1 || !HasYRange()) return;
    const double dStep = static_cast<double>(PlotWidth()) / v_ValuesX;
    PlotSeries(dStep / 2.0, dStep);
}

void TVirtLineGraph::PlotSeries(double dStart, double dStep) {
    const double dScaleY = PlotHeight() / (v_MaxY - v_MinY);
    // A range too narrow to scale (a difference of denormals) draws nothing.
    if (!v_Legend || !v_OnDrawing || !std::isfinite(dScaleY) || !std::isfinite(dStep)) return;
    const TPen savedPen = Pen();
    const double dOffsetX = v_offsetX, dOffsetY = v_offsetY, dSavedScaleX = v_scaleX, dSavedScaleY = v_scaleY;
    SetOffsetX(dOffsetX + v_GraphRect.Left);
    SetOffsetY(dOffsetY + v_GraphRect.Top);
    SetScaleY(dScaleY);
    for (std::size_t s = 0; s < v_Legend->size(); ++s) {
        const TLegend& entry = *(*v_Legend)[s];
        if (!entry.MustDisplay()) continue;
        Pen() = TPen{entry.GetColor(), pmCopy, entry.GetPenWidth(), entry.GetPenStyle()};
        bool bPreviousMissing = true;
        for (int i = 0; i < v_ValuesX; ++i) {
            const double v = v_OnDrawing(static_cast<int>(s), i, v_Data);
            const bool bMissing = IsNoValue(v);
            const double x = dStart + i * dStep;
            const double y = v_MaxY - (bMissing ? v_MinY : std::clamp(v, v_MinY, v_MaxY));
            if (bMissing || bPreviousMissing) {
                MoveTo(x, y);
            } else {
                LineTo(x, y);
            }
            bPreviousMissing = bMissing;
            if (v_DisplayValues && !bMissing) {
                const std::string szValue = FixedText(v, v_ValDecimals);
                const TPoint p = Map(x, y);
                Brush().Style = bsClear;
                v_canvas->TextOut(p.X - v_canvas->TextWidth(szValue) / 2, p.Y - v_TextHeight, szValue);
                v_canvas->MoveTo(p.X, p.Y);
            }
        }
    }
    DrawExtraPoints();
    Pen() = savedPen;
    SetOffsetX(dOffsetX);
    SetOffsetY(dOffsetY);
    SetScaleX(dSavedScaleX);
    SetScaleY(dSavedScaleY);
}

}  // namespace brumalis::graphs
