// The line-graph engine: axes with titles and ticks, X labels, series drawn
// from a value callback, extra points and a clickable legend, all in device
// pixels through the virtual canvas, so one drawing serves the window and
// the report.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "documents/graphs/legend.h"
#include "platform/graphics/virtual_canvas.h"

namespace brumalis::graphs {

class TVirtGraph;

// The value of series nSeries at X position nIndex, or kNoValue.
using TValueCallback = std::function<double(int nSeries, int nIndex, void* pData)>;
using TGraphEvent = std::function<void(TVirtGraph& Sender)>;
// Asks the user for a colour, starting from the current one; nothing when cancelled.
using TColorChooser = std::function<std::optional<TColor>(TColor nCurrent)>;

// A marked point: its X in percent of the axis length, its value, a name
// written above it, optionally hair lines down to the X axis and across to
// the Y axis.
struct TExtraPoint {
    bool v_HairLines = false;
    double v_XPercentage = 0.0;
    double v_Y = 0.0;
    std::string v_Name;
};

// Where the legend items of the last outline were drawn, so that a click can
// be told apart afterwards even when the canvas is gone.
struct TLegendLayout {
    bool bVisible = false;
    bool bChecks = false;
    int nLeft = 0;
    int nTop = 0;
    int nItemWidth = 1;
    int nPerRow = 1;
    int nRowHeight = 1;
    int nCount = 0;
    int nBoxSide = 0;
    int nBoxMargin = 0;   // from the top of a row to its boxes
    int nSquareLeft = 0;  // of the colour square, from the item's left
    int nLabelLeft = 0;
};

enum class TLegendPart { None, CheckBox, ColorSquare };
struct TLegendHit {
    TLegendPart part = TLegendPart::None;
    int nIndex = -1;
};
TLegendHit HitLegend(const TLegendLayout& layout, int X, int Y);
// The middle of an item's check box or colour square, where a click on it
// lands (what a window scripts or a keyboard action would press).
graphics::TPoint LegendPartCentre(const TLegendLayout& layout, int nIndex, TLegendPart part);

// A click on a check box toggles the series, one on a colour square stores
// the chooser's answer. True when either was hit, so that the legend is
// saved and the graph repainted.
bool ApplyLegendClick(const TLegendLayout& layout, TLegendList& Legend, int X, int Y, const TColorChooser& Chooser);

class TVirtGraph : public graphics::CTVirtualCanvas {
public:
    // Drawing size: the canvas's clip size; character sizes: those of "W".
    TVirtGraph(graphics::CTDeviceCanvas* FromCanvas, TValueCallback OnDrawing, TGraphEvent OnLegendClick);

    void SetBorder(int n) { SetBorders(n, n, n, n); }
    void SetBorders(int XLeft, int XRight, int YTop, int YBottom);
    // The plotting rectangle's edges.
    void GetXRange(int& nLeft, int& nRight) const;
    void GetYRange(int& nTop, int& nBottom) const;
    void SetDimensions(int TheWidth, int TheHeight);
    // The series: borrowed, or owned by the graph.
    void SetPlots(TLegendList* TheLegend);
    void SetPlots(std::unique_ptr<TLegendList> TheLegend);
    TLegendList* GetPlots() const { return v_Legend; }
    void SetGraphTitle(std::string szTitle) { v_GraphTitle = std::move(szTitle); }
    void SetXTitle(std::string szTitle) { v_TitleX = std::move(szTitle); }
    void SetYTitle(std::string szTitle) { v_TitleY = std::move(szTitle); }
    // Ignored unless Min < Max; widens the left margin so that the labels of
    // Min and Max fit.
    virtual void SetYValues(double Min, double Max, int NrOfTicks, int Decimals);
    void SetXValues(int NrOfValues, std::vector<std::string> LabelsOnX);
    void SetData(void* pData) { v_Data = pData; }
    // Writes each plotted value above its point.
    void DisplayValues(int Decimals);
    void AddExtraPoint(double XPercentage, double Y, std::string Name, bool HairLines);
    void ClearExtraPoints() { v_ExtraPoints.clear(); }
    void SetUserTag(int nTag) { v_UserTag = nTag; }
    int GetUserTag() const { return v_UserTag; }
    void SetColorChooser(TColorChooser Chooser) { v_ColorChooser = std::move(Chooser); }
    // A click in the legend: see ApplyLegendClick; then the legend-click callback runs.
    void OnClick(int X, int Y);
    const TLegendLayout& LegendLayout() const { return v_LegendLayout; }

    virtual void DrawOutline(bool AddLegend, bool AddChecks) = 0;
    virtual void DrawPeriodOutline(bool AddLegend, bool AddChecks) = 0;
    virtual void DrawGraph() = 0;
    virtual void DrawPeriodGraph() = 0;

protected:
    virtual void PlotSeries(double dStart, double dStep) = 0;
    // Titles, plotting rectangle, axis lines, Y ticks and (asked for) the legend.
    void DrawAxes(bool AddLegend, bool AddChecks);
    int PlotWidth() const { return v_GraphRect.Width(); }
    int PlotHeight() const { return v_GraphRect.Height(); }
    bool HasYRange() const { return v_MinY < v_MaxY; }
    void WriteText(double x, double y, const std::string& szText);
    void DrawExtraPoints();

    bool v_LegendVisible = false;
    bool v_CheckMarksVisible = false;
    bool v_DisplayValues = false;
    int v_BorderXL = 0, v_BorderXR = 0, v_BorderYT = 0, v_BorderYB = 0;
    int v_Width, v_Height;
    int v_CharWidth, v_TextHeight;
    TLegendList* v_Legend = nullptr;
    std::unique_ptr<TLegendList> v_OwnedLegend;
    int v_TicksY = 5;
    int v_DecimalsY = 0;
    int v_ValDecimals = 0;
    int v_ValuesX = 0;
    int v_MaxLegendItem = 0;
    int v_UserTag = 0;
    std::vector<std::string> v_LabelsX;
    std::vector<TExtraPoint> v_ExtraPoints;
    void* v_Data = nullptr;
    TValueCallback v_OnDrawing;
    TGraphEvent v_OnLegendClick;
    TColorChooser v_ColorChooser;
    graphics::TRect v_GraphRect;
    std::string v_GraphTitle, v_TitleY, v_TitleX;
    double v_DeviceHorScale;
    double v_MinY = 0.0, v_MaxY = 0.0;
    TLegendLayout v_LegendLayout;

private:
    void LayOutLegend(bool AddChecks);
    void DrawLegend();
    void DrawYTicks();
    void DrawLegendItem(const TLegend& entry, int x, int y);
};

class TVirtLineGraph : public TVirtGraph {
public:
    using TVirtGraph::TVirtGraph;

    // X labels at equal spacing from the left edge to the right edge.
    void DrawOutline(bool AddLegend, bool AddChecks) override;
    // X labels centred in equal periods, ticks on the period boundaries.
    void DrawPeriodOutline(bool AddLegend, bool AddChecks) override;
    // Values from the left edge to the right edge (at least two, and a Y range).
    void DrawGraph() override;
    // A value in the middle of each period.
    void DrawPeriodGraph() override;

protected:
    void PlotSeries(double dStart, double dStep) override;

private:
    void DrawXTick(double x, double dLabelCentre, const std::string* pLabel);
};

}  // namespace brumalis::graphs
