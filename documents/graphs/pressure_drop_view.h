// Water-side pressure drop against flow: the evaporator, condenser,
// recovery-exchanger and pump curves of a unit, each over its own flow
// range, on flow ticks in the user's flow unit. The view and the report's
// figure share the tick rules and the drawing.
#pragma once

#include <string>
#include <vector>

#include "catalogue/polynomial_records.h"
#include "catalogue/records_fwd.h"
#include "documents/graphs/legend_frame.h"

namespace brumalis::graphs {

// The view's ticks start on a multiple of five at or above the smallest
// flow and come about 20 to the axis; the report's start on the multiple of
// ten nearest the smallest flow and come about 10 to the axis.
enum class TFlowTickRule { View, Report };

struct TFlowTicks {
    std::vector<std::string> Labels;  // in the user's flow unit, "." as decimal point
    std::vector<int> Flows;           // each tick's flow in l/s × 1000
    double StartFlow = 0.0;           // l/min: the rounded start before conversion

    // A tick's flow in l/min, what the curves take.
    double FlowAt(std::size_t nTick) const { return Flows[nTick] / 1000.0 * 60.0; }
};

// Ticks over dMinFlow … dMaxFlow l/min; none for a range that is empty, not
// finite or beyond any unit's flow.
TFlowTicks FlowTicks(double dMinFlow, double dMaxFlow, TFlowTickRule Rule);

// Message numbers of the curves' labels and the axis titles.
enum TPressureDropMessage : int {
    msgPDCondenser = 202,
    msgPDCondenserHR = 203,
    msgPDEvaporator = 204,
    msgPressureDrop = 205,
    msgPDPump = 206,
    msgFlowRate = 207,
};

// One curve: pressure drop in kPa over flow in l/min, valid from MinFlow to MaxFlow.
struct TPDSeries {
    std::string Key;
    int nMsgNr = 0;
    TPolynomial Curve;
    double MinFlow = 0.0;
    double MaxFlow = 0.0;

    // In the user's pressure unit; kNoValue outside the flow range.
    double At(double dFlow) const;
    // The same without the range test.
    double Evaluated(double dFlow) const;
};

// The smallest and largest of the values taken in; starts at 2147483647 and
// 0, so a range of positive drops begins at the smallest one.
struct TValueRange {
    double Min = 2147483647.0;
    double Max = 0.0;
    void Take(double v);
};

// The line graph of the curves on the ticks, Y from Min to Max with 5 ticks
// and 1 decimal; answers where its legend went.
TLegendLayout DrawPressureDropGraph(graphics::CTDeviceCanvas& TheCanvas, const std::vector<TPDSeries>& Series,
                                    TLegendList& Legend, const TFlowTicks& Ticks, const TValueRange& YRange,
                                    bool bLegend, bool bChecks);

// The legend entries of the curves, all displayed, in palette colours.
TLegendList PressureDropLegend(const std::vector<TPDSeries>& Series);

// The key below which the curves' colours and visibility are kept.
inline constexpr std::string_view kPressureDropLegendKey = "Software\\Orvane\\Brumalis\\Devices\\Pressure_Drop";

class TFrm_ChillerPressureDrop : public TLegendFrame {
public:
    // Only the curves given are shown: "1" the evaporator and "2" the
    // condenser over the chiller's flow limits, "3" the recovery exchanger
    // and "4" the pump over their own selection limits.
    void SetupWindow(const Cls_ChOutdoorUnit* TheChiller, const Cls_Polynomial* EvaporatorPD,
                     const Cls_Polynomial* CondenserPD, const Cls_Polynomial* HeatRecoveryPD,
                     const Cls_Polynomial* PumpPD);
    void ClearGraph();
    void Paint(graphics::CTDeviceCanvas& TheCanvas);

    const std::vector<TPDSeries>& Series() const { return v_Series; }
    // Over the displayed curves, or all when none is displayed.
    TFlowTicks Ticks() const;
    // Every curve at its own ends, at the ticks' start and at the largest flow.
    TValueRange YRange(const TFlowTicks& Ticks) const;

private:
    void Reset();

    std::vector<TPDSeries> v_Series;
};

}  // namespace brumalis::graphs
