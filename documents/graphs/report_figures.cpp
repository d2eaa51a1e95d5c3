#include "documents/graphs/report_figures.h"

#include <algorithm>

#include "catalogue/unit_classes.h"
#include "catalogue/unit_records.h"
#include "documents/graphs/operating_range.h"
#include "documents/graphs/pressure_drop_view.h"
#include "platform/graphics/emf.h"

namespace brumalis::graphs {
namespace {

using namespace graphics;

constexpr int msgLabelLWE = 296;
constexpr int msgLabelSDP = 297;
constexpr int msgLabelAmbient = 290;
constexpr int msgLabelLWC = 295;
constexpr int msgLabelCondensing = 291;

void UseFont(CTDeviceCanvas& canvas, const TFigureFont& font) {
    canvas.Font().Name = font.Name;
    canvas.Font().Size = font.Size;
}

int YLabelFor(std::int32_t nCondenserType) {
    switch (nCondenserType) {
        case ctWaterCooled: return msgLabelLWC;
        case ctCondenserless: return msgLabelCondensing;
        default: return msgLabelAmbient;
    }
}

// Strokes that draw nothing but make the metafile span the whole figure.
void MarkCorners(CTDeviceCanvas& canvas) {
    const TPen saved = canvas.Pen();
    canvas.Pen() = TPen{clWhite, pmNop, 1, psSolid};
    canvas.MoveTo(0, 0);
    canvas.LineTo(1, 0);
    canvas.MoveTo(kReportFigureWidth - 1, kReportFigureHeight - 1);
    canvas.LineTo(kReportFigureWidth, kReportFigureHeight - 1);
    canvas.Pen() = saved;
}

}  // namespace

void PrepareOperatingRange(TFrm_CapTableOpRange& Range, const Cls_ChOutdoorUnit& TheChiller,
                           const TPolyCapListCh& TheTable, double RangeTemp) {
    Range.SetAxesLabels(TheChiller.GetFamily() == famCondensingUnit ? msgLabelSDP : msgLabelLWE,
                        YLabelFor(TheChiller.GetCondenserType()));
    Range.SetOperationMode(TheTable.GetType() == cttCoolCap);
    Range.SetRangeExtension(RangeTemp);
    double dMinLWE = 0.0, dMaxLWE = 0.0, dMinX = 0.0, dMaxX = 0.0;
    TheTable.GetLWETempRange(dMinLWE, dMaxLWE);
    TheTable.GetXRange(dMinX, dMaxX);
    Range.SetCapRanges(dMinLWE, dMaxLWE, dMinX, dMaxX);
}

CTGraphic OperatingRangeFigure(const Cls_ChOutdoorUnit& TheChiller, const TPolyCapListCh& TheTable, double RangeTemp,
                               const TFigureFont& Font) {
    CTEmfCanvas canvas(kReportFigureWidth, kReportFigureHeight);
    UseFont(canvas, Font);
    TFrm_CapTableOpRange range;
    PrepareOperatingRange(range, TheChiller, TheTable, RangeTemp);
    range.PaintOnCanvas(&TheChiller, canvas, kReportFigureWidth, kReportFigureHeight);
    return canvas.FinishGraphic();
}

CTGraphic PressureDropFigure(Cls_ChOutdoorUnit& TheChiller, const TFigureFont& Font) {
    CTEmfCanvas canvas(kReportFigureWidth, kReportFigureHeight);
    UseFont(canvas, Font);
    MarkCorners(canvas);
    const bool bWaterCooled = TheChiller.GetCondenserType() == ctWaterCooled;
    std::vector<TPDSeries> series;
    const auto add = [&series](const char* szKey, int nMsgNr, const Cls_ChOutCapacity* pCurve, double dMin,
                               double dMax) {
        if (pCurve) series.push_back({szKey, nMsgNr, pCurve->GetPolynomial(), dMin, dMax});
    };
    add("1", msgPDEvaporator, TheChiller.GetPDPoly(cttEvapPressureDrop), TheChiller.GetMinWFRE(),
        TheChiller.GetMaxWFRE());
    if (bWaterCooled) {
        add("2", msgPDCondenser, TheChiller.GetPDPoly(cttCondPressureDrop), TheChiller.GetMinWFRC(),
            TheChiller.GetMaxWFRC());
    }
    double dMin = TheChiller.GetMinWFRE(), dMax = TheChiller.GetMaxWFRE();
    if (bWaterCooled) {
        dMin = std::min(dMin, TheChiller.GetMinWFRC());
        dMax = std::max(dMax, TheChiller.GetMaxWFRC());
    }
    const TFlowTicks ticks = FlowTicks(dMin, dMax, TFlowTickRule::Report);
    if (!series.empty() && !ticks.Flows.empty()) {
        TValueRange range;
        for (const TPDSeries& curve : series) {
            range.Take(curve.Evaluated(ticks.FlowAt(0)));
            range.Take(curve.Evaluated(ticks.FlowAt(ticks.Flows.size() - 1)));
        }
        TLegendList legend = PressureDropLegend(series);
        TLegend::LoadLegendFromIniFile(legend, kPressureDropLegendKey, true, true);
        DrawPressureDropGraph(canvas, series, legend, ticks, range, series.size() >= 2, false);
    }
    return canvas.FinishGraphic();
}

}  // namespace brumalis::graphs
