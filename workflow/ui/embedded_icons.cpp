#include "workflow/ui/embedded_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include "platform/resources.h"

namespace brumalis::ui {
namespace {

// Renders the picture at whatever size and scale the icon is asked for; the
// disabled mode is the picture greyed.
class CTSvgIconEngine : public QIconEngine {
public:
    CTSvgIconEngine(QByteArray svg, bool bGreyed) : v_svg(std::move(svg)), v_bGreyed(bGreyed) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        pPainter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, pPainter->device()->devicePixelRatioF()));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal dScale) override {
        QPixmap pixmap(size * dScale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        // Kept in proportion, centred: a logo is wider than it is high.
        QSvgRenderer renderer(v_svg);
        const QSizeF picture = QSizeF(renderer.defaultSize()).scaled(QSizeF(pixmap.size()), Qt::KeepAspectRatio);
        const QPointF corner((pixmap.width() - picture.width()) / 2, (pixmap.height() - picture.height()) / 2);
        renderer.render(&painter, QRectF(corner, picture));
        painter.end();
        if (v_bGreyed || mode == QIcon::Disabled) pixmap = Greyed(pixmap);
        pixmap.setDevicePixelRatio(dScale);
        return pixmap;
    }

    QIconEngine* clone() const override { return new CTSvgIconEngine(v_svg, v_bGreyed); }

private:
    // Grey and faint, so that "nothing to show" reads at a glance.
    static QPixmap Greyed(const QPixmap& colour) {
        QImage grey = colour.toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < grey.height(); ++y) {
            auto* pLine = reinterpret_cast<QRgb*>(grey.scanLine(y));
            for (int x = 0; x < grey.width(); ++x) {
                const int nGrey = qGray(pLine[x]);
                pLine[x] = qRgba(nGrey, nGrey, nGrey, qAlpha(pLine[x]) / 2);
            }
        }
        return QPixmap::fromImage(grey);
    }

    QByteArray v_svg;
    bool v_bGreyed;
};

}  // namespace

QIcon EmbeddedIcon(const char* szBlob, bool bGreyed) {
    const auto blob = platform::FindBlob(szBlob);
    if (!blob) return {};
    return QIcon(new CTSvgIconEngine(QByteArray(blob->data(), static_cast<qsizetype>(blob->size())), bGreyed));
}

}  // namespace brumalis::ui
