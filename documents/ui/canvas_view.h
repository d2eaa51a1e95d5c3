// A widget that shows a drawing of the device-canvas world: the frames of
// the detail pages paint their graphs, ranges and pictures through it, and
// get the clicks back in the same logical pixels.
#pragma once

#include <QtGui/QImage>
#include <QtWidgets/QWidget>

#include <functional>

#include "platform/graphics/device_canvas.h"

namespace brumalis::docui {

// Draws onto a canvas of the given logical size.
using TCanvasPainter = std::function<void(graphics::CTDeviceCanvas& canvas, graphics::TSize size)>;
// A left click at a point, in logical pixels.
using TCanvasClick = std::function<void(int nX, int nY)>;

class TCanvasView : public QWidget {
    Q_OBJECT

public:
    explicit TCanvasView(QWidget* parent = nullptr);

    // Repaints at once with the new drawing; none leaves the ground only.
    void SetPainter(TCanvasPainter painter);
    void SetClickHandler(TCanvasClick click) { v_click = std::move(click); }
    // The ground under the drawing (default: the window colour of the palette).
    void SetGroundColor(graphics::TColor nColor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TCanvasPainter v_painter;
    TCanvasClick v_click;
    graphics::TColor v_ground = graphics::clWindow;
};

// The drawing as an image of width x height logical pixels at a pixel
// ratio, over the ground colour; what tests and previews look at.
QImage RenderCanvasImage(const TCanvasPainter& painter, graphics::TSize size, double dPixelRatio,
                         const QPalette& palette, graphics::TColor nGround = graphics::clWindow);

}  // namespace brumalis::docui
