// Our own pictures drawn sharp for the screen they land on.
#pragma once

#include <QtCore/QByteArray>
#include <QtGui/QPixmap>

namespace brumalis::platform::ui {

// The SVG drawn into nSide × nSide logical pixels at dPixelRatio device
// pixels each, kept in proportion and centred; a null pixmap for bad data.
QPixmap SvgPixmap(const QByteArray& svg, int nSide, double dPixelRatio);

// The embedded SVG blob drawn the same way; null when there is no such blob.
QPixmap EmbeddedSvgPixmap(const char* szBlob, int nSide, double dPixelRatio);

}  // namespace brumalis::platform::ui
