// What the views with a clickable legend share: the series entries kept in
// the current user's settings under one key, the legend layout of the last
// painting (clicks arrive after the canvas is gone), the colour chooser the
// window injects and the repaint request.
#pragma once

#include <functional>
#include <string>

#include "documents/graphs/virt_graph.h"

namespace brumalis::graphs {

class TLegendFrame {
public:
    TLegendFrame() = default;
    // Saves the legend once more.
    virtual ~TLegendFrame();
    TLegendFrame(const TLegendFrame&) = delete;
    TLegendFrame& operator=(const TLegendFrame&) = delete;

    void SetRepaint(std::function<void()> Repaint) { v_Repaint = std::move(Repaint); }
    void SetColorChooser(TColorChooser Chooser) { v_ColorChooser = std::move(Chooser); }
    // A click on the painted graph: a check box or colour square changes the
    // series, the legend is saved and the graph repainted.
    void OnClick(int X, int Y);
    const TLegendList& Legend() const { return v_Legend; }
    // Where the legend went in the last painting.
    const TLegendLayout& LegendLayout() const { return v_Layout; }

protected:
    // Takes the entries, reads their colours and visibility from szKey.
    void UseLegend(TLegendList Legend, std::string szKey);
    void ClearLegend();
    // What every view's graph starts with: the borders and the series.
    void PrepareGraph(TVirtGraph& graph);
    void KeepLayout(const TLegendLayout& layout) { v_Layout = layout; }
    void Repaint() const;

    TLegendList v_Legend;

private:
    void Save() const;

    std::string v_Key;
    TLegendLayout v_Layout;
    TColorChooser v_ColorChooser;
    std::function<void()> v_Repaint;
};

// The margin views leave around their graphs, in pixels.
inline constexpr int kGraphBorder = 4;

}  // namespace brumalis::graphs
