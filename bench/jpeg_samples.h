// JPEG pictures made on the spot for tests and benchmarks.
#pragma once

#include <functional>
#include <string>

#include <jpeglib.h>

namespace brumalis::graphics {

// A w x h JPEG of nComponents per pixel in the colour space given; fillRow
// writes row y (w * nComponents samples).
std::string EncodeSampleJpeg(int w, int h, int nComponents, J_COLOR_SPACE space, int nQuality,
                             const std::function<void(int y, JSAMPLE* row)>& fillRow);

}  // namespace brumalis::graphics
