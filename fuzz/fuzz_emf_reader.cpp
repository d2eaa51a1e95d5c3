// Arbitrary bytes through the strict metafile reader: either refused with
// an offset inside the data, or dumped and played onto a recorder and into
// a new metafile, which the reader accepts in turn.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/graphics/emf.h"
#include "platform/graphics/recording_canvas.h"

using namespace brumalis::graphics;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        DumpEmf(bytes);
    } catch (const CTEmfError& e) {
        if (e.Offset() > size) std::abort();
        return 0;
    }
    CTRecordingCanvas recorder;
    PlayEmf(bytes, recorder, {0, 0, 200, 100});
    CTEmfCanvas copy(200, 100);
    PlayEmf(bytes, copy, {0, 0, 200, 100});
    ReadEmfRecords(copy.Finish());  // raises, and so fails, if the copy is damaged
    return 0;
}
