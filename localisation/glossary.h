// The glossary: English terms with their translations into one target
// language, each translation 8-bit text in a Windows character set. Stored in
// the binary format "GLS3", normally inside the compressed container.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "localisation/byte_io.h"
#include "objectstore/compressed_container.h"
#include "objectstore/db_engine.h"

namespace brumalis {

// One entry. The term is 8-bit text in charset 0; the translation is in the
// code page of its own charset.
class CTGlosTerm {
public:
    CTGlosTerm(std::string szTerm, std::string szTranslation, std::uint8_t nTranslationCharset)
        : v_term(std::move(szTerm)), v_translation(std::move(szTranslation)), v_translationCharset(nTranslationCharset) {}

    void SetTerm(std::string szTerm) { v_term = std::move(szTerm); }
    const std::string& GetTerm() const { return v_term; }
    void SetTranslation(std::string szTxt, std::uint8_t nCharset);
    const std::string& GetTranslation() const { return v_translation; }
    std::uint8_t GetTranslationCharset() const { return v_translationCharset; }
    bool HasTranslation(std::string_view szTxt, std::uint8_t nCharset) const {
        return v_translation == szTxt && v_translationCharset == nCharset;
    }
    // When szTxt is the term, replaces it by the translation and answers true.
    bool GetTranslationIfEqualsTerm(std::string& szTxt, std::uint8_t& nCharset) const;
    // The entry in GLS3 form; raises std::length_error for texts beyond 4 GB.
    void WriteToFile(CTLLByteIO& io) const;
    // Byte-wise order of the terms.
    static bool TermLT(const CTGlosTerm& t1, const CTGlosTerm& t2) { return t1.v_term < t2.v_term; }

private:
    std::string v_term;
    std::string v_translation;
    std::uint8_t v_translationCharset;
};

// A translation as the lookup answers it: 8-bit text and its charset.
struct TTranslation {
    std::string szText;
    std::uint8_t nCharset = 0;
    bool operator==(const TTranslation&) const = default;
};

class CTGlossary : public CTTextTranslator {
public:
    using TBucket = std::vector<CTGlosTerm>;

    CTGlossary();

    void SetTargetLanguage(std::int32_t nLangID);
    std::int32_t GetTargetLanguage() const { return v_targetLanguage; }
    void SetDefaultCharset(std::uint8_t nSet);
    std::uint8_t GetDefaultCharset() const { return v_defaultCharset; }
    void SetFileName(std::string szFileName) { v_fileName = std::move(szFileName); }
    const std::string& GetFileName() const { return v_fileName; }
    bool Changed() const { return v_changed; }
    void SetChanged(bool b) { v_changed = b; }
    bool Compressed() const { return v_compressed; }
    // The refresh of the editing window attached to the glossary, if any.
    void SetEditor(std::function<void()> refresh) { v_editor = std::move(refresh); }
    void UpdateUI() const;

    // Buckets by first byte of the term, "a".."z" folded to capitals.
    const std::vector<TBucket>& AllLetterEntries() const { return v_letterEntries; }
    // The bucket of a first byte, created (with all lower ones) when missing.
    TBucket& GetLetterEntry(std::uint8_t nCh);
    std::size_t EntryCount() const;
    bool HasCharsets() const;
    void Sort();
    void Purge();

    // Lookup by a UTF-8 term, compared exactly with the terms read as
    // charset 0 text: every translation of every matching entry.
    std::vector<TTranslation> TranslationsFor(std::string_view szTerm) const;
    // The translation when exactly one entry matches, else nothing.
    std::optional<TTranslation> FindTranslationFor(std::string_view szTerm) const;

    // Editing; terms are 8-bit charset 0 text. Both texts are trimmed; an
    // empty one or an identical existing translation adds nothing and answers
    // bIgnoreErrs.
    bool AddTermAndTranslation(std::string_view szTerm, std::string_view szTranslation, std::uint8_t nCharset,
                               bool bIgnoreErrs, bool bUpdUI);
    // Adds unless the term exists with this translation, or exists and the
    // new translation is empty.
    void AddTermNoNonsense(std::string_view szTerm, std::string_view szTranslation, std::uint8_t nCharset);
    // True when the term has an entry; bIdentical when it has exactly one and
    // that one holds this translation in this charset.
    bool TermExists(std::string_view szTerm, std::string_view szTranslation, bool& bIdentical,
                    std::uint8_t nCharset) const;
    void UseTranslationsFrom(const CTGlossary& glos, bool bDeleteEmpty, bool bOnlyIfEmpty);
    bool HasUntranslatedTerms() const;
    void RemoveUntranslatedTerms();

    // GLS3 reading; false on any format or stream error, keeping the entries
    // read before it.
    bool LoadTermsFromFile(const std::string& szFileName, bool bPurgeCurrent, bool bAllowNoTrans);
    bool LoadTermsFromStream(CTStream& stream, bool bPurgeCurrent, bool bAllowNoTrans,
                             const std::string& szFileName);
    // Compressed when compression is on and the glossary was compressed or
    // bUseCurrentCompression is false. The file is replaced atomically; a
    // failure shows "Unable to open file $1" unless silent.
    bool SaveTermsToFile(const std::string& szFileName, bool bUseCurrentCompression);
    // May raise the stream's errors.
    void SaveTermsToStream(CTStream& stream, bool bUseCurrentCompression);

    // Process-wide: compression is on only with a non-empty signature.
    static void SetUseCompression(bool bUseCompression, const std::string& szCompressionSignature);
    static bool SetSilentMode(bool b);

    // CTTextTranslator: UTF-8 in and out.
    std::optional<std::string> Translate(std::string_view szTerm) const override;
    void AddTerm(std::string_view szTerm) override;

private:
    std::vector<const CTGlosTerm*> EntriesFor(std::string_view szTerm) const;
    const TBucket* FindBucket(std::string_view szTerm) const;
    const CTGlosTerm* FirstTranslated(std::string_view szTerm) const;
    bool HasIdenticalEntry(std::string_view szTerm, std::string_view szTranslation, std::uint8_t nCharset) const;
    void AddEntry(CTGlosTerm term);
    bool ReadBody(CTStream& stream, bool bPurgeCurrent, bool bAllowNoTrans, bool bHadContent);
    bool ReadEntries(CTLLByteIO& io, bool bAllowNoTrans);
    void WriteBody(CTStream& stream, bool bUseCurrentCompression) const;
    template <typename Pred>
    void RemoveEntriesIf(Pred pred);

    std::int32_t v_targetLanguage = 0;
    std::uint8_t v_defaultCharset = 0;
    std::vector<TBucket> v_letterEntries;
    std::string v_fileName;
    bool v_compressed;
    bool v_changed = false;
    std::function<void()> v_editor;
};

}  // namespace brumalis
