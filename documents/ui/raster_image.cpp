#include "documents/ui/raster_image.h"

namespace brumalis::docui {

QImage RasterImage(const graphics::CTRaster& raster) {
    if (raster.Width() <= 0 || raster.Height() <= 0) return {};
    return QImage(raster.Row(0), raster.Width(), raster.Height(), qsizetype(raster.Width()) * 3,
                  QImage::Format_RGB888)
        .copy();
}

}  // namespace brumalis::docui
