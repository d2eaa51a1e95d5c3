#include "platform/graphics/device_canvas.h"

#include "platform/graphics/font_metrics.h"

namespace brumalis::graphics {

TSize CTDeviceCanvas::TextExtent(std::string_view szUtf8) const {
    return graphics::TextExtent(Font(), szUtf8);
}

}  // namespace brumalis::graphics
