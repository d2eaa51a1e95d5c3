#include "objectstore/compressed_container.h"

namespace brumalis {
namespace {

// Reads another stream without owning it, so that a plain payload and an
// expanded one can be handed out alike.
class CTBorrowedStream final : public CTStream {
public:
    explicit CTBorrowedStream(CTStream& stream) : v_stream(stream) {}

    std::size_t Read(void* pBuffer, std::size_t nCount) override { return v_stream.Read(pBuffer, nCount); }
    std::size_t Write(const void* pBuffer, std::size_t nCount) override { return v_stream.Write(pBuffer, nCount); }
    std::int64_t Seek(std::int64_t nOffset, SeekOrigin origin) override { return v_stream.Seek(nOffset, origin); }

private:
    CTStream& v_stream;
};

}  // namespace

CTContainerWriter::CTContainerWriter(CTStream& raw, const TCompressionSettings& settings) : v_raw(raw) {
    if (!settings.bUseCompression) return;
    raw.WriteAll(settings.szSignature);
    v_compressor = std::make_unique<CTLZSSCompressorStream>(raw);
}

CTStream& CTContainerWriter::Payload() {
    if (v_compressor) return *v_compressor;
    return v_raw;
}

void CTContainerWriter::Finish() {
    if (v_compressor) v_compressor->Finish();
}

bool HasContainerSignature(CTStream& raw, std::string_view sig) {
    for (const char expected : sig) {
        char c = 0;
        if (raw.Read(&c, 1) != 1 || c != expected) return false;
    }
    return true;
}

std::unique_ptr<CTStream> OpenContainerPayload(CTStream& raw, const TCompressionSettings& settings) {
    if (!settings.bUseCompression) return std::make_unique<CTBorrowedStream>(raw);
    const std::int64_t start = raw.Seek(0, SeekOrigin::Current);
    if (HasContainerSignature(raw, settings.szSignature)) return std::make_unique<CTLZSSExpanderStream>(raw);
    if (start < 0 || raw.Seek(start, SeekOrigin::Begin) != start) {
        throw CTStreamError("Cannot go back to the start of a stream without the compression signature");
    }
    return std::make_unique<CTBorrowedStream>(raw);
}

}  // namespace brumalis
