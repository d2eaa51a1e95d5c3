#include "platform/ui/svg_pixmap.h"

#include <QtGui/QPainter>
#include <QtSvg/QSvgRenderer>

#include "platform/resources.h"

namespace brumalis::platform::ui {

QPixmap SvgPixmap(const QByteArray& svg, int nSide, double dPixelRatio) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return {};
    const int nDevice = qRound(nSide * dPixelRatio);
    QPixmap pixmap(nDevice, nDevice);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QSizeF picture = QSizeF(renderer.defaultSize()).scaled(QSizeF(nDevice, nDevice), Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(QPointF((nDevice - picture.width()) / 2, (nDevice - picture.height()) / 2),
                                     picture));
    painter.end();
    pixmap.setDevicePixelRatio(dPixelRatio);
    return pixmap;
}

QPixmap EmbeddedSvgPixmap(const char* szBlob, int nSide, double dPixelRatio) {
    const auto blob = FindBlob(szBlob);
    if (!blob) return {};
    return SvgPixmap(QByteArray(blob->data(), static_cast<qsizetype>(blob->size())), nSide, dPixelRatio);
}

}  // namespace brumalis::platform::ui
