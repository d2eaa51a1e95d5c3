// Arbitrary bytes through the GLS3 reader, plain and inside the "QXZ"
// container: no crash, no hang, no unbounded allocation; whatever loads
// survives a save and reload unchanged, its terms find their entries, and
// loading it once more into itself adds nothing.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "localisation/glossary.h"
#include "localisation/lang_support.h"

namespace {

using namespace brumalis;

void Require(bool bHolds) {
    if (!bHolds) std::abort();
}

std::string Saved(CTGlossary& glos) {
    CTMemoryStream out;
    glos.SaveTermsToStream(out, true);
    return out.TakeData();
}

void CheckLoaded(CTGlossary& glos) {
    const std::string saved = Saved(glos);
    CTGlossary back;
    CTMemoryStream in(saved);
    Require(back.LoadTermsFromStream(in, true, true, "saved"));
    Require(back.GetTargetLanguage() == glos.GetTargetLanguage());
    Require(back.EntryCount() == glos.EntryCount());
    Require(Saved(back) == saved);
    // A few terms per bucket: every lookup scans its bucket.
    for (const CTGlossary::TBucket& bucket : glos.AllLetterEntries()) {
        for (std::size_t i = 0; i < bucket.size() && i < 8; ++i) {
            const CTGlosTerm& t = bucket[i];
            bool bIdentical = false;
            Require(glos.TermExists(t.GetTerm(), t.GetTranslation(), bIdentical, t.GetTranslationCharset()));
            const auto translation = glos.Translate(CTCharsetSupport::ToUtf8(t.GetTerm(), 0));
            Require(!translation || bIdentical);
        }
    }
}

void LoadWith(bool bCompression, std::string_view bytes) {
    CTGlossary::SetUseCompression(bCompression, "QXZ");
    CTGlossary glos;
    CTByteViewStream in(bytes);
    if (!glos.LoadTermsFromStream(in, true, true, "fuzz")) return;
    CheckLoaded(glos);
    // Merging the same file again adds nothing: every entry is already there.
    const std::size_t nEntries = glos.EntryCount();
    CTByteViewStream again(bytes);
    Require(glos.LoadTermsFromStream(again, false, true, "fuzz"));
    Require(glos.EntryCount() == nEntries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LoadWith(false, bytes);
    LoadWith(true, bytes);
    return 0;
}
