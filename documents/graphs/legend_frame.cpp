#include "documents/graphs/legend_frame.h"

namespace brumalis::graphs {

TLegendFrame::~TLegendFrame() { Save(); }

void TLegendFrame::OnClick(int X, int Y) {
    if (!ApplyLegendClick(v_Layout, v_Legend, X, Y, v_ColorChooser)) return;
    Save();
    Repaint();
}

void TLegendFrame::UseLegend(TLegendList Legend, std::string szKey) {
    v_Legend = std::move(Legend);
    v_Key = std::move(szKey);
    v_Layout = {};
    TLegend::LoadLegendFromIniFile(v_Legend, v_Key, true, true);
}

void TLegendFrame::ClearLegend() {
    Save();
    v_Legend.clear();
    v_Key.clear();
    v_Layout = {};
}

void TLegendFrame::PrepareGraph(TVirtGraph& graph) {
    graph.SetBorder(kGraphBorder);
    graph.SetPlots(&v_Legend);
}

void TLegendFrame::Repaint() const {
    if (v_Repaint) v_Repaint();
}

void TLegendFrame::Save() const {
    if (!v_Key.empty() && !v_Legend.empty()) TLegend::SaveLegendToIniFile(v_Legend, v_Key);
}

}  // namespace brumalis::graphs
