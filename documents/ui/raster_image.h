// A picture's RGB raster as a Qt image, for views that show it.
#pragma once

#include <QtGui/QImage>

#include "platform/graphics/picture.h"

namespace brumalis::docui {

// A copy of the raster's pixels; a null image for an empty raster.
QImage RasterImage(const graphics::CTRaster& raster);

}  // namespace brumalis::docui
