// The operating-range plot: the envelope of a unit's operating limits (a
// rectangle of leaving-water against ambient or condenser temperature with
// up to four chamfered corners) and, inside it, the area its capacity table
// covers, with labelled axes and corner temperatures. The frame keeps what
// to draw; the painter draws it onto any canvas, on screen or into a report.
#pragma once

#include <functional>
#include <optional>

#include "catalogue/records_fwd.h"
#include "documents/graphs/graph_numbers.h"
#include "platform/graphics/device_canvas.h"

namespace brumalis::graphs {

// X is the leaving evaporator (or suction) temperature, Y the ambient or
// condenser temperature; XUL, YUL etc. the lengths along X and Y of the cut
// of the upper-left, upper-right, lower-left and lower-right corner (0, 0
// for a square corner).
struct TOpRangeLimits {
    double MinX = 0.0, MaxX = 0.0, MinY = 0.0, MaxY = 0.0;
    double XUL = 0.0, YUL = 0.0, XUR = 0.0, YUR = 0.0;
    double XLL = 0.0, YLL = 0.0, XLR = 0.0, YLR = 0.0;
};

// A unit's limits in one mode. A minimum outdoor temperature above the range
// extension temperature is lowered to it, and the lower corners become square.
TOpRangeLimits UnitLimits(const Cls_OutdoorDevice& TheUnit, bool bCooling, double dRangeTemp);

// The limits clipped to the capacity ranges, each corner cut moved along
// with the sides the clip moved; nothing when a range is not set or misses
// the limits.
std::optional<TOpRangeLimits> CapacityArea(const TOpRangeLimits& Limits, double CapMinX, double CapMaxX,
                                           double CapMinY, double CapMaxY);

class TFrm_CapTableOpRange {
public:
    // Message numbers of the axis labels.
    void SetAxesLabels(int LabelXMsg, int LabelYMsg);
    void SetOperationMode(bool NeededForCooling) { v_NeededForCooling = NeededForCooling; }
    void SetRangeExtension(double RangeTemp) { v_RangeTemp = RangeTemp; }
    void SetCapRanges(double CapMinX, double CapMaxX, double CapMinY, double CapMaxY);
    // The limits drawn when there is no unit.
    void SetORParams(const TOpRangeLimits& ORParams);
    // Who repaints the window's paint box when the picture changed.
    void SetRepaint(std::function<void()> Repaint) { v_Repaint = std::move(Repaint); }

    void SetupWindow(const Cls_OutdoorDevice* TheUnit);
    // Forgets the unit and the stored limits: nothing is drawn.
    void ClearGraph();

    // The unit's envelope (or the stored limits without a unit) on a canvas
    // of the given size; nothing without either, or for limits that are not
    // finite, inverted or beyond any temperature a unit works at.
    void PaintOnCanvas(const Cls_OutdoorDevice* TheUnit, graphics::CTDeviceCanvas& TheCanvas, int CanvasWidth,
                       int CanvasHeight) const;
    void Paint(graphics::CTDeviceCanvas& TheCanvas, int CanvasWidth, int CanvasHeight) const {
        PaintOnCanvas(v_Unit, TheCanvas, CanvasWidth, CanvasHeight);
    }

private:
    void Repaint() const;

    bool v_NeededForCooling = true;
    int v_LabelXMsg = 292;
    int v_LabelYMsg = 290;
    const Cls_OutdoorDevice* v_Unit = nullptr;
    double v_RangeTemp = kNotSet;
    double v_CapMinX = kNotSet, v_CapMaxX = kNotSet, v_CapMinY = kNotSet, v_CapMaxY = kNotSet;
    TOpRangeLimits v_ORParams;
    bool v_HasORParams = false;
    std::function<void()> v_Repaint;
};

}  // namespace brumalis::graphs
