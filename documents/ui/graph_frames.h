// The graph frames of the detail pages: each owns its GUI-free view model,
// paints it on a canvas view and repaints whenever the model asks. The
// legend's clicks go to the model's hit test; a colour square asks the
// colour chooser, by default the colour dialog (tests put their own answer
// in its place). The model saves the legend after a change and once more
// when the frame is destroyed.
#pragma once

#include <QtWidgets/QScrollArea>
#include <QtWidgets/QWidget>

#include "documents/graphs/capacity_views.h"
#include "documents/graphs/operating_range.h"
#include "documents/graphs/pressure_drop_view.h"
#include "documents/ui/canvas_view.h"

namespace brumalis::docui {

// Opens the colour dialog over parent on the current colour; nothing when cancelled.
graphs::TColorChooser DialogColorChooser(QWidget* parent);

// The canvas fills the frame, at a size a graph's axes and legend fit.
void PlaceCanvas(QWidget& frame, TCanvasView& canvas);

// A canvas view painting a legend model: TModel is a graphs::TLegendFrame
// with Paint(CTDeviceCanvas&).
template <class TModel>
class TLegendGraphFrame : public QWidget {
public:
    explicit TLegendGraphFrame(QWidget* parent) : QWidget(parent), v_canvas(new TCanvasView(this)) {
        PlaceCanvas(*this, *v_canvas);
        v_model.SetRepaint([this] { v_canvas->update(); });
        v_model.SetColorChooser(DialogColorChooser(this));
        v_canvas->SetPainter([this](graphics::CTDeviceCanvas& canvas, graphics::TSize) { v_model.Paint(canvas); });
        v_canvas->SetClickHandler([this](int nX, int nY) { v_model.OnClick(nX, nY); });
    }

    TModel& Model() { return v_model; }
    const TModel& Model() const { return v_model; }
    TCanvasView& Canvas() const { return *v_canvas; }
    void SetColorChooser(graphs::TColorChooser Chooser) { v_model.SetColorChooser(std::move(Chooser)); }

private:
    TModel v_model;
    TCanvasView* v_canvas;
};

// Capacity or power input over the outdoor temperature, a curve per
// leaving-water temperature.
class TFrm_ChillerCapPIGraph : public TLegendGraphFrame<graphs::TFrm_ChillerCapPIGraph> {
public:
    explicit TFrm_ChillerCapPIGraph(QWidget* parent = nullptr);
    // No table clears the graph.
    void SetupWindow(const TPolyCapListCh* TheTable, bool ForCooling, const std::string& XTitle,
                     const std::string& YTitle) {
        Model().SetupWindow(TheTable, ForCooling, XTitle, YTitle);
    }
    void ClearGraph() { Model().ClearGraph(); }
};

// The water-side pressure drops of a unit and its recovery and pump options.
class TFrm_ChillerPressureDrop : public TLegendGraphFrame<graphs::TFrm_ChillerPressureDrop> {
public:
    explicit TFrm_ChillerPressureDrop(QWidget* parent = nullptr);
    void SetupWindow(const Cls_ChOutdoorUnit* TheChiller, const Cls_Polynomial* EvaporatorPD,
                     const Cls_Polynomial* CondenserPD, const Cls_Polynomial* HeatRecoveryPD,
                     const Cls_Polynomial* PumpPD) {
        Model().SetupWindow(TheChiller, EvaporatorPD, CondenserPD, HeatRecoveryPD, PumpPD);
    }
    void ClearGraph() { Model().ClearGraph(); }
};

// The operating envelope at the report figure's size, scrolled when the
// page gives it less room, so corner labels are never squeezed.
class TFrm_CapTableOpRange : public QScrollArea {
public:
    static constexpr int kWidth = 560;
    static constexpr int kHeight = 420;

    explicit TFrm_CapTableOpRange(QWidget* parent = nullptr);

    // The unit's envelope in the mode of its capacity table, with the table's
    // area; RangeTemp is the chosen extension (kNotSet without one). No unit
    // or table clears the frame.
    void SetupWindow(const Cls_ChOutdoorUnit* TheUnit, const TPolyCapListCh* TheTable, double RangeTemp);
    void ClearGraph() { v_model.ClearGraph(); }
    const graphs::TFrm_CapTableOpRange& Model() const { return v_model; }
    TCanvasView& Canvas() const { return *v_canvas; }

private:
    graphs::TFrm_CapTableOpRange v_model;
    TCanvasView* v_canvas;
};

}  // namespace brumalis::docui
