// Arbitrary bytes through the JPEG reader and, when they decode, into a
// metafile: no crash, no exit from inside the library, no hang; the
// metafile passes the strict reader and keeps the picture's size.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/graphics/emf.h"
#include "platform/graphics/picture.h"

using namespace brumalis::graphics;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CTGraphic g = DecodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size));
    if (g.IsEmpty()) {
        if (g.Reason().empty()) std::abort();
        return 0;
    }
    const CTGraphic emf = DecodeEmf(g.MetafileBytes());
    if (!emf.IsMetafile() || emf.Width() != g.Width() || emf.Height() != g.Height()) std::abort();
    return 0;
}
