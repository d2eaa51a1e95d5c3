// Arbitrary bytes through the EDI reader, plain and inside the container:
// a clean CTEdiFormatError or a database that writes and reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "objectstore/compressed_container.h"
#include "objectstore/edi_database.h"

namespace {

void Load(brumalis::CTStream& stream) {
    brumalis::CTEdiDatabase db;
    try {
        db.Read(stream);
    } catch (const brumalis::CTEdiFormatError&) {
        return;
    }
    brumalis::CTMemoryStream written;
    db.Write(written);
    brumalis::CTEdiDatabase again;
    brumalis::CTMemoryStream in(written.Data());
    again.Read(in);
    brumalis::CTMemoryStream rewritten;
    again.Write(rewritten);
    if (rewritten.Data() != written.Data()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    brumalis::CTByteViewStream plain(bytes);
    Load(plain);
    brumalis::CTByteViewStream raw(bytes);
    const auto payload = brumalis::OpenContainerPayload(raw, {true, "QXZ"});
    Load(*payload);
    return 0;
}
