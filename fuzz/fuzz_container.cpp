// Arbitrary bytes through the container reader, the expander stream and the
// sequential expander: no crash, no hang, the same bytes from every path,
// and whatever comes out survives a compression round trip unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bench/reference_lzss.h"
#include "objectstore/compressed_container.h"

namespace {

using namespace brumalis;

void Require(bool bHolds) {
    if (!bHolds) std::abort();
}

// Odd read sizes make matches straddle reads.
std::string ReadInOddChunks(CTStream& stream) {
    std::string out;
    char part[37];
    std::size_t nChunk = 1;
    for (;;) {
        const std::size_t n = stream.Read(part, nChunk);
        out.append(part, n);
        if (n < nChunk) return out;
        nChunk = nChunk * 7 % sizeof part + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string expanded = LzssExpand(bytes);

    CTByteViewStream tokens(bytes);
    CTLZSSExpanderStream expander(tokens);
    Require(ReadInOddChunks(expander) == expanded);

    const TCompressionSettings settings{true, "QXZ"};
    const std::string_view sig = settings.szSignature;
    CTByteViewStream raw(bytes);
    const std::string payload = ReadInOddChunks(*OpenContainerPayload(raw, settings));
    Require(payload == (bytes.starts_with(sig) ? LzssExpand(bytes.substr(sig.size())) : std::string(bytes)));

    // The coder must choose exactly the textbook encoder's tokens.
    for (const std::string_view input : {std::string_view(expanded), bytes}) {
        const std::string compressed = LzssCompress(input);
        Require(compressed == bench::ReferenceCompress(input));
        Require(LzssExpand(compressed) == input);
    }
    return 0;
}
