// Arbitrary specification-text files through the loader and the printer into
// an RTF document: no crash, no hang, no unbounded growth; a refused file
// says why, and an accepted one prints at most a few calls per byte.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/rtf_output.h"
#include "documents/spec_texts.h"
#include "objectstore/streams.h"

namespace {

void Require(bool bHolds) {
    if (!bHolds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    using namespace brumalis;
    const std::string_view bytes(reinterpret_cast<const char*>(pData), nSize);
    TSpecTextDocument doc;
    TRepSpecTexts::Load(bytes, doc);
    Require(doc.Ok == doc.Error.empty());
    if (!doc.Ok) return 0;
    CTMemoryStream stream;
    {
        CTRTFOutput rtf(stream, "Brumalis", nullptr, 21, 29.7, 2, 1.5, 1.5, 1.5);
        TRepSpecTexts::PrintXMLDocument(doc.Document, rtf);
        Require(rtf.Finish());
    }
    // Every printed node costs a few hundred bytes of RTF at most.
    Require(stream.Data().size() < 4096 + 400 * (nSize + 1) * 4);
    return 0;
}
