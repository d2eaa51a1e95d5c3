// Arbitrary bytes through the bitmap reader: no crash, no hang, no
// unbounded allocation; a decoded bitmap has a bounded size, and one that
// fails says why.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/graphics/picture.h"

using namespace brumalis::graphics;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CTGraphic g = DecodeBmp(std::string_view(reinterpret_cast<const char*>(data), size));
    if (g.IsEmpty() ? g.Reason().empty() : (g.Width() > kMaxPictureSide || g.Height() > kMaxPictureSide)) std::abort();
    return 0;
}
