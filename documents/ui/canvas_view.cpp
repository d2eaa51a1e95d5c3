#include "documents/ui/canvas_view.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

#include <algorithm>
#include <cmath>

#include "documents/ui/qt_canvas.h"
#include "documents/ui/qt_colors.h"

namespace brumalis::docui {

namespace {

void PaintOn(QPainter& painter, const TCanvasPainter& draw, graphics::TSize size, const QPalette& palette,
             graphics::TColor nGround) {
    painter.fillRect(QRect(0, 0, size.cx, size.cy), ToQColor(nGround, palette));
    if (!draw) return;
    CTQtCanvas canvas(painter, size, palette);
    draw(canvas, size);
}

}  // namespace

TCanvasView::TCanvasView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCanvasView::SetPainter(TCanvasPainter painter) {
    v_painter = std::move(painter);
    update();
}

void TCanvasView::SetGroundColor(graphics::TColor nColor) {
    v_ground = nColor;
    update();
}

void TCanvasView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintOn(painter, v_painter, {width(), height()}, palette(), v_ground);
}

void TCanvasView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && v_click) {
        const QPoint p = event->position().toPoint();
        v_click(p.x(), p.y());
    }
    QWidget::mousePressEvent(event);
}

QImage RenderCanvasImage(const TCanvasPainter& painter, graphics::TSize size, double dPixelRatio,
                         const QPalette& palette, graphics::TColor nGround) {
    const int nW = static_cast<int>(std::ceil(size.cx * dPixelRatio));
    const int nH = static_cast<int>(std::ceil(size.cy * dPixelRatio));
    QImage image(std::max(1, nW), std::max(1, nH), QImage::Format_RGB32);
    image.setDevicePixelRatio(dPixelRatio);
    QPainter qpainter(&image);
    PaintOn(qpainter, painter, size, palette, nGround);
    return image;
}

}  // namespace brumalis::docui
