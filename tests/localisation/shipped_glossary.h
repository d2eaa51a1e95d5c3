// The glossaries embedded in the program (blob names are found in any
// letter case), as tests load them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "localisation/glossary.h"
#include "objectstore/streams.h"
#include "platform/resources.h"

namespace brumalis::test {

// The embedded glossary of that name, read from the program's own bytes;
// none when it is missing or unreadable.
inline std::optional<CTGlossary> LoadShippedGlossary(std::string_view szBlob) {
    const auto bytes = platform::FindBlob(szBlob);
    if (!bytes) return std::nullopt;
    CTGlossary::SetUseCompression(true, "QXZ");
    CTGlossary glos;
    CTByteViewStream stream(*bytes);
    if (!glos.LoadTermsFromStream(stream, true, true, std::string(szBlob))) return std::nullopt;
    return glos;
}

}  // namespace brumalis::test
