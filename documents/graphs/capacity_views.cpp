#include "documents/graphs/capacity_views.h"

#include <cmath>

#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "documents/graphs/axis_labels.h"
#include "documents/graphs/graph_numbers.h"

namespace brumalis::graphs {
namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kLabelsAcross = 11;
constexpr std::string_view kLegendRoot = "Software\\Orvane\\Brumalis\\";

double InPowerUnit(double dKW) {
    return TU_Form::ConvertValue(U_Power, 0, true, TU_Form::GetNewIndex(U_Power), dKW);
}

}  // namespace

void TFrm_ChillerCapPITable::SetupWindow(const TPolyCapListCh* TheTable, std::string HeaderTitle) {
    ClearTable();
    v_HeaderTitle = std::move(HeaderTitle);
    if (TheTable) TheTable->FillGrid(v_Grd_CapPI);
}

void TFrm_ChillerCapPITable::ClearTable() {
    v_HeaderTitle.clear();
    v_Grd_CapPI.Reset(2, 2, kDefaultColWidth);
}

void TFrm_ChillerCapPIGraph::SetupWindow(const TPolyCapListCh* TheTable, bool ForCooling, const std::string& XTitle,
                                         const std::string& YTitle) {
    Reset();
    if (TheTable) {
        v_Table = TheTable;
        v_ForCooling = ForCooling;
        v_XTitle = XTitle + " (" + TU_Form::GetCurrentString(U_Temperature) + ")";
        // Shown in the program's language; the legend's key keeps the English title.
        v_YTitle = dialogs::TBaseMsg::Translate(YTitle) + "(" + TU_Form::GetCurrentString(U_Power) + ")";
        TLegendList legend;
        for (const auto& [szText, nTenths] : TheTable->GetLWETempStrings()) {
            legend.push_back(std::make_unique<TLegend>(std::to_string(legend.size()), szText, true));
            v_Temperatures.push_back(static_cast<double>(nTenths) / 10.0);
        }
        UseLegend(std::move(legend), std::string(kLegendRoot) + YTitle);
        TheTable->GetXRange(v_MinX, v_MaxX);
        if (PlottableRange()) v_MaxY = Rnd(InPowerUnit(TheTable->GetMaxCap()) + 4.9) / 5 * 5;
    }
    Repaint();
}

void TFrm_ChillerCapPIGraph::ClearGraph() {
    Reset();
    Repaint();
}

void TFrm_ChillerCapPIGraph::Reset() {
    ClearLegend();
    v_Table = nullptr;
    v_Temperatures.clear();
    v_MinX = v_MaxX = v_MaxY = 0.0;
    v_XTitle.clear();
    v_YTitle.clear();
}

double TFrm_ChillerCapPIGraph::Value(int nSeries, int nIndex) const {
    if (!v_Table || nSeries < 0 || nSeries >= static_cast<int>(v_Temperatures.size())) return kNoValue;
    std::int32_t nErrCode = 0;
    const double dCap = v_Table->GetCapAt(v_ForCooling, false, v_Temperatures[static_cast<std::size_t>(nSeries)],
                                          v_MinX + nIndex, nErrCode);
    if (dCap == 0.0 && nErrCode != 0) return kNoValue;
    return InPowerUnit(dCap);
}

bool TFrm_ChillerCapPIGraph::PlottableRange() const {
    const double dRange = v_MaxX - v_MinX;
    return dRange >= 0.0 && dRange <= kMaxDegrees && std::fabs(v_MinX) <= kMaxDegrees;
}

void TFrm_ChillerCapPIGraph::Paint(graphics::CTDeviceCanvas& TheCanvas) {
    if (!v_Table || !PlottableRange()) return;
    const double dRange = v_MaxX - v_MinX;
    TVirtLineGraph graph(&TheCanvas, [this](int s, int i, void*) { return Value(s, i); }, {});
    PrepareGraph(graph);
    graph.SetXTitle(v_XTitle);
    graph.SetYTitle(v_YTitle);
    const int nValues = Rnd(dRange + 1.0);
    // Below 5.5 K the rounded step would be 0.
    const int nEvery = std::max(1, Rnd(dRange / kLabelsAcross));
    graph.SetXValues(nValues, DegreeLabels(Rnd(v_MinX), nValues, nEvery));
    graph.SetYValues(0.0, v_MaxY, 5, 1);
    graph.DrawOutline(true, true);
    graph.DrawGraph();
    KeepLayout(graph.LegendLayout());
}

}  // namespace brumalis::graphs
