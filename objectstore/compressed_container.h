// The compressed container: the signature bytes as they are, then the LZSS
// token stream of the payload. There is no length, version or checksum; a
// reader tells a container from a plain stream by the signature alone.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "objectstore/lzss.h"
#include "objectstore/streams.h"

namespace brumalis {

struct TCompressionSettings {
    bool bUseCompression = false;
    std::string szSignature;
};

// Writes one payload as the settings ask: signature and token stream, or the
// plain bytes when compression is off. The raw stream must not be written by
// anybody else until Finish.
class CTContainerWriter {
public:
    // Writes the signature at once; may raise the raw stream's exceptions.
    CTContainerWriter(CTStream& raw, const TCompressionSettings& settings);

    // The stream to write the payload into.
    CTStream& Payload();

    // Ends the token stream and flushes (nothing to do when plain); may raise
    // the raw stream's exceptions. Destroying an unfinished writer finishes
    // it but loses any error.
    void Finish();

private:
    CTStream& v_raw;
    std::unique_ptr<CTLZSSCompressorStream> v_compressor;
};

// Reads the signature byte by byte from the current position; answers true,
// with the signature consumed, when every byte matches. On a mismatch the
// bytes up to the first differing one are consumed.
bool HasContainerSignature(CTStream& raw, std::string_view sig);

// The payload of the container that starts at raw's current position:
// - compression off: raw itself, read plain;
// - compression on, empty signature: everything expanded;
// - otherwise: expanded after the signature when it matches, else raw read
//   plain from where it started (raises CTStreamError when raw cannot seek
//   back there).
// The result reads raw, which must outlive it.
std::unique_ptr<CTStream> OpenContainerPayload(CTStream& raw, const TCompressionSettings& settings);

}  // namespace brumalis
