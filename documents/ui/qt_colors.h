// Colours of the drawing model on a Qt surface: an RGB colour keeps its
// bytes (red in the low byte), a system colour takes the matching role of
// the palette, so figures follow the desktop's colour scheme on screen.
#pragma once

#include <QtGui/QColor>
#include <QtGui/QPalette>

#include "platform/graphics/graphics_types.h"

namespace brumalis::docui {

QColor ToQColor(graphics::TColor nColor, const QPalette& palette);

}  // namespace brumalis::docui
