#include "localisation/embedded_glossary.h"

#include "objectstore/streams.h"
#include "platform/resources.h"

namespace brumalis {

bool LoadEmbeddedGlossary(CTGlossary& glossary, std::string_view szBlob, const std::string& szName) {
    const auto blob = platform::FindBlob(szBlob);
    if (!blob || blob->empty()) return false;
    CTGlossary::SetUseCompression(true, "QXZ");
    const bool bSilent = CTGlossary::SetSilentMode(true);
    CTByteViewStream stream(*blob);
    const bool bLoaded = glossary.LoadTermsFromStream(stream, true, true, szName);
    CTGlossary::SetSilentMode(bSilent);
    return bLoaded;
}

}  // namespace brumalis
