// Decoders shared inside the graphics library.
#pragma once

#include <string>
#include <string_view>

#include "platform/graphics/picture.h"

namespace brumalis::graphics {

// A device-independent bitmap: its info block (header, masks, palette) and
// its pixel rows, as a bitmap file or a metafile's bitmap record holds them.
CTGraphic DecodeDib(std::string_view info, std::string_view bits);

// The pixel rows of a raster as a 24-bit bottom-up bitmap, and its
// 40-byte info header.
std::string DibInfoHeader24(int nWidth, int nHeight);
std::string DibBits24(const CTRaster& raster);

}  // namespace brumalis::graphics
