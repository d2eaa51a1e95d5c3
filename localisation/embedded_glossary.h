// The glossaries embedded in the program ("UIGLOSSARY", "GLOSSARY"): read
// silently from their blob, compressed with the "QXZ" signature.
#pragma once

#include <string>
#include <string_view>

#include "localisation/glossary.h"

namespace brumalis {

// False, with the glossary as the failed load left it, when the blob is
// missing, empty or unreadable.
bool LoadEmbeddedGlossary(CTGlossary& glossary, std::string_view szBlob, const std::string& szName);

}  // namespace brumalis
