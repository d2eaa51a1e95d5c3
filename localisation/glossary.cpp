#include "localisation/glossary.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <unordered_set>
#include <utility>

#include "localisation/lang_support.h"
#include "objectstore/utf8.h"
#include "objectstore/store_messages.h"

namespace brumalis {
namespace {

constexpr std::string_view kMagic = "GLS3";
constexpr std::size_t kLongTextLimit = 256;  // from this length on a text takes the 4-byte length

TCompressionSettings& Compression() {
    static TCompressionSettings settings;
    return settings;
}

bool& Silent() {
    static bool bSilent = false;
    return bSilent;
}

std::size_t BucketIndex(char first) { return static_cast<unsigned char>(AsciiUpper(first)); }

// Leading and trailing blanks and control characters go, as the editor's
// input fields would drop them.
std::string_view Trimmed(std::string_view sz) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!sz.empty() && blank(sz.front())) sz.remove_prefix(1);
    while (!sz.empty() && blank(sz.back())) sz.remove_suffix(1);
    return sz;
}

void WriteText(CTLLByteIO& io, std::uint8_t nCharset, const std::string& sz) {
    const bool bLong = sz.size() >= kLongTextLimit;
    io.PutAByte(nCharset);
    io.PutAByte(bLong ? 1 : 0);
    io.PutStringAndLength(sz, true);
}

// One text of an entry: charset, kind (0: 1-byte length, 1: 4-byte length), bytes.
bool ReadText(CTLLByteIO& io, std::uint8_t& nCharset, std::string& sz) {
    std::uint8_t nKind = 0;
    if (!io.NextByte(nCharset) || !io.NextByte(nKind)) return false;
    if (nKind == 0) return io.GetString(sz);
    if (nKind == 1) return io.GetLongString(sz);
    return false;
}

// The entries of a glossary by term and by whole content, so that loading a
// large file stays linear however its entries repeat each other.
class CTEntryIndex {
public:
    explicit CTEntryIndex(const std::vector<CTGlossary::TBucket>& buckets) {
        for (const CTGlossary::TBucket& bucket : buckets) {
            for (const CTGlosTerm& t : bucket) Add(t.GetTerm(), t.GetTranslation(), t.GetTranslationCharset());
        }
    }
    // The loading rule: a known term adds no empty translation and no
    // translation it already has in the same charset.
    bool Adds(const std::string& term, const std::string& translation, std::uint8_t nCharset) const {
        if (!v_terms.contains(term)) return true;
        return !translation.empty() && !v_entries.contains(Key(term, translation, nCharset));
    }
    void Add(const std::string& term, const std::string& translation, std::uint8_t nCharset) {
        v_terms.insert(term);
        v_entries.insert(Key(term, translation, nCharset));
    }

private:
    static std::string Key(const std::string& term, const std::string& translation, std::uint8_t nCharset) {
        return std::to_string(term.size()) + ':' + term + static_cast<char>(nCharset) + translation;
    }
    std::unordered_set<std::string> v_terms;
    std::unordered_set<std::string> v_entries;
};

}  // namespace

void CTGlosTerm::SetTranslation(std::string szTxt, std::uint8_t nCharset) {
    v_translation = std::move(szTxt);
    v_translationCharset = nCharset;
}

bool CTGlosTerm::GetTranslationIfEqualsTerm(std::string& szTxt, std::uint8_t& nCharset) const {
    if (szTxt != v_term) return false;
    szTxt = v_translation;
    nCharset = v_translationCharset;
    return true;
}

void CTGlosTerm::WriteToFile(CTLLByteIO& io) const {
    WriteText(io, CTCharsetSupport::kAnsiCharset, v_term);
    WriteText(io, v_translationCharset, v_translation);
}

CTGlossary::CTGlossary() : v_compressed(Compression().bUseCompression) {}

void CTGlossary::SetTargetLanguage(std::int32_t nLangID) {
    if (nLangID != v_targetLanguage) v_changed = true;
    v_targetLanguage = nLangID;
}

void CTGlossary::SetDefaultCharset(std::uint8_t nSet) {
    if (nSet != v_defaultCharset) v_changed = true;
    v_defaultCharset = nSet;
}

void CTGlossary::UpdateUI() const {
    if (v_editor) v_editor();
}

CTGlossary::TBucket& CTGlossary::GetLetterEntry(std::uint8_t nCh) {
    if (v_letterEntries.size() <= nCh) v_letterEntries.resize(std::size_t{nCh} + 1);
    return v_letterEntries[nCh];
}

std::size_t CTGlossary::EntryCount() const {
    std::size_t n = 0;
    for (const TBucket& bucket : v_letterEntries) n += bucket.size();
    return n;
}

bool CTGlossary::HasCharsets() const {
    if (v_defaultCharset != 0) return true;
    return std::ranges::any_of(v_letterEntries, [](const TBucket& bucket) {
        return std::ranges::any_of(bucket, [](const CTGlosTerm& t) { return t.GetTranslationCharset() != 0; });
    });
}

void CTGlossary::Sort() {
    for (TBucket& bucket : v_letterEntries) std::ranges::stable_sort(bucket, CTGlosTerm::TermLT);
}

void CTGlossary::Purge() {
    v_letterEntries.clear();
    v_targetLanguage = 0;
    v_defaultCharset = 0;
    v_changed = false;
    v_compressed = Compression().bUseCompression;
}

const CTGlossary::TBucket* CTGlossary::FindBucket(std::string_view szTerm) const {
    if (szTerm.empty()) return nullptr;
    const std::size_t ix = BucketIndex(szTerm.front());
    return ix < v_letterEntries.size() ? &v_letterEntries[ix] : nullptr;
}

std::vector<const CTGlosTerm*> CTGlossary::EntriesFor(std::string_view szTerm) const {
    std::vector<const CTGlosTerm*> entries;
    if (const TBucket* pBucket = FindBucket(szTerm)) {
        for (const CTGlosTerm& t : *pBucket) {
            if (t.GetTerm() == szTerm) entries.push_back(&t);
        }
    }
    return entries;
}

std::vector<TTranslation> CTGlossary::TranslationsFor(std::string_view szTerm) const {
    // Charset 0 decodes every byte to a code point of its own, so comparing
    // the encoded query byte-wise is comparing the decoded terms.
    const auto term = CTCharsetSupport::FromUtf8(szTerm, CTCharsetSupport::kAnsiCharset);
    std::vector<TTranslation> list;
    if (!term) return list;
    for (const CTGlosTerm* pTerm : EntriesFor(*term)) {
        list.push_back({pTerm->GetTranslation(), pTerm->GetTranslationCharset()});
    }
    return list;
}

std::optional<TTranslation> CTGlossary::FindTranslationFor(std::string_view szTerm) const {
    auto list = TranslationsFor(szTerm);
    if (list.size() != 1 || list.front().szText.empty()) return std::nullopt;
    return std::move(list.front());
}

bool CTGlossary::HasIdenticalEntry(std::string_view szTerm, std::string_view szTranslation,
                                   std::uint8_t nCharset) const {
    return std::ranges::any_of(EntriesFor(szTerm),
                               [&](const CTGlosTerm* p) { return p->HasTranslation(szTranslation, nCharset); });
}

void CTGlossary::AddEntry(CTGlosTerm term) {
    GetLetterEntry(static_cast<std::uint8_t>(BucketIndex(term.GetTerm().front()))).push_back(std::move(term));
}

bool CTGlossary::AddTermAndTranslation(std::string_view szTerm, std::string_view szTranslation,
                                       std::uint8_t nCharset, bool bIgnoreErrs, bool bUpdUI) {
    const std::string_view term = Trimmed(szTerm);
    const std::string_view translation = Trimmed(szTranslation);
    if (term.empty() || translation.empty()) return bIgnoreErrs;
    if (HasIdenticalEntry(term, translation, nCharset)) return bIgnoreErrs;
    AddEntry(CTGlosTerm(std::string(term), std::string(translation), nCharset));
    v_changed = true;
    if (bUpdUI) UpdateUI();
    return true;
}

void CTGlossary::AddTermNoNonsense(std::string_view szTerm, std::string_view szTranslation, std::uint8_t nCharset) {
    if (szTerm.empty() || HasIdenticalEntry(szTerm, szTranslation, nCharset)) return;
    if (szTranslation.empty() && !EntriesFor(szTerm).empty()) return;
    AddEntry(CTGlosTerm(std::string(szTerm), std::string(szTranslation), nCharset));
    v_changed = true;
}

bool CTGlossary::TermExists(std::string_view szTerm, std::string_view szTranslation, bool& bIdentical,
                            std::uint8_t nCharset) const {
    const auto entries = EntriesFor(szTerm);
    bIdentical = entries.size() == 1 && entries.front()->HasTranslation(szTranslation, nCharset);
    return !entries.empty();
}

template <typename Pred>
void CTGlossary::RemoveEntriesIf(Pred pred) {
    std::size_t nRemoved = 0;
    for (TBucket& bucket : v_letterEntries) nRemoved += std::erase_if(bucket, pred);
    if (nRemoved > 0) v_changed = true;
}

const CTGlosTerm* CTGlossary::FirstTranslated(std::string_view szTerm) const {
    for (const CTGlosTerm* pTerm : EntriesFor(szTerm)) {
        if (!pTerm->GetTranslation().empty()) return pTerm;
    }
    return nullptr;
}

void CTGlossary::UseTranslationsFrom(const CTGlossary& glos, bool bDeleteEmpty, bool bOnlyIfEmpty) {
    auto considered = [bOnlyIfEmpty](const CTGlosTerm& t) { return !bOnlyIfEmpty || t.GetTranslation().empty(); };
    for (TBucket& bucket : v_letterEntries) {
        for (CTGlosTerm& t : bucket) {
            const CTGlosTerm* pOther = considered(t) ? glos.FirstTranslated(t.GetTerm()) : nullptr;
            if (!pOther || t.HasTranslation(pOther->GetTranslation(), pOther->GetTranslationCharset())) continue;
            t.SetTranslation(pOther->GetTranslation(), pOther->GetTranslationCharset());
            v_changed = true;
        }
    }
    if (bDeleteEmpty) {
        RemoveEntriesIf([&](const CTGlosTerm& t) { return considered(t) && !glos.FirstTranslated(t.GetTerm()); });
    }
}

bool CTGlossary::HasUntranslatedTerms() const {
    return std::ranges::any_of(v_letterEntries, [](const TBucket& bucket) {
        return std::ranges::any_of(bucket, [](const CTGlosTerm& t) { return t.GetTranslation().empty(); });
    });
}

void CTGlossary::RemoveUntranslatedTerms() {
    RemoveEntriesIf([](const CTGlosTerm& t) { return t.GetTranslation().empty(); });
}

bool CTGlossary::LoadTermsFromFile(const std::string& szFileName, bool bPurgeCurrent, bool bAllowNoTrans) {
    try {
        CTMyFileStream file(szFileName, CTMyFileStream::Mode::OpenReadDenyWrite);
        return LoadTermsFromStream(file, bPurgeCurrent, bAllowNoTrans, szFileName);
    } catch (const CTStreamError&) {
        return false;
    }
}

bool CTGlossary::LoadTermsFromStream(CTStream& stream, bool bPurgeCurrent, bool bAllowNoTrans,
                                     const std::string& szFileName) {
    const bool bHadContent = v_changed || EntryCount() > 0;
    if (bPurgeCurrent) {
        v_letterEntries.clear();
        v_targetLanguage = 0;
    }
    bool bOk = false;
    try {
        bOk = ReadBody(stream, bPurgeCurrent, bAllowNoTrans, bHadContent);
    } catch (const CTStreamError&) {
        bOk = false;  // an unreadable stream is a damaged glossary
    }
    if (bOk) v_fileName = szFileName;
    v_changed = bHadContent && !bPurgeCurrent;
    return bOk;
}

bool CTGlossary::ReadBody(CTStream& stream, bool bPurgeCurrent, bool bAllowNoTrans, bool bHadContent) {
    const auto pPayload = OpenContainerPayload(stream, Compression());
    const bool bCompressed = dynamic_cast<const CTLZSSExpanderStream*>(pPayload.get()) != nullptr;
    CTLLByteIO io(*pPayload);
    std::string magic;
    std::int32_t nLanguage = 0;
    std::uint8_t nCharset = 0;
    if (!io.GetStringOfLength(kMagic.size(), magic) || magic != kMagic) return false;
    if (!io.GetInteger(nLanguage) || !io.NextByte(nCharset)) return false;
    // A glossary holds one language.
    if (bHadContent && !bPurgeCurrent && v_targetLanguage != 0 && v_targetLanguage != nLanguage) return false;
    v_targetLanguage = nLanguage;
    v_defaultCharset = nCharset;
    if (!ReadEntries(io, bAllowNoTrans)) return false;
    if (bPurgeCurrent) v_compressed = bCompressed;
    return true;
}

bool CTGlossary::ReadEntries(CTLLByteIO& io, bool bAllowNoTrans) {
    std::int32_t nCount = 0;
    if (!io.GetInteger(nCount)) return false;
    CTEntryIndex index(v_letterEntries);
    // Every entry takes at least seven bytes and is read before it is kept,
    // so a damaged count ends in a short read, not in a huge allocation.
    for (std::int32_t i = 0; i < nCount; ++i) {
        std::uint8_t nTermCharset = 0;
        std::uint8_t nCharset = 0;
        std::string term;
        std::string translation;
        if (!ReadText(io, nTermCharset, term) || term.empty()) return false;
        if (!ReadText(io, nCharset, translation)) return false;
        if (translation.empty() && !bAllowNoTrans) return false;
        if (!index.Adds(term, translation, nCharset)) continue;
        index.Add(term, translation, nCharset);
        AddEntry(CTGlosTerm(std::move(term), std::move(translation), nCharset));
    }
    return true;
}

void CTGlossary::WriteBody(CTStream& stream, bool bUseCurrentCompression) const {
    TCompressionSettings settings = Compression();
    settings.bUseCompression = settings.bUseCompression && (v_compressed || !bUseCurrentCompression);
    const std::size_t nCount = EntryCount();
    if (nCount > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw std::length_error("too many glossary entries");
    }
    CTContainerWriter writer(stream, settings);
    CTLLByteIO io(writer.Payload());
    for (const char c : kMagic) io.PutAByte(static_cast<std::uint8_t>(c));
    io.PutInteger(v_targetLanguage);
    io.PutAByte(v_defaultCharset);
    io.PutInteger(static_cast<std::int32_t>(nCount));
    for (const TBucket& bucket : v_letterEntries) {
        for (const CTGlosTerm& t : bucket) t.WriteToFile(io);
    }
    io.Flush();
    writer.Finish();
}

void CTGlossary::SaveTermsToStream(CTStream& stream, bool bUseCurrentCompression) {
    WriteBody(stream, bUseCurrentCompression);
    v_changed = false;
}

bool CTGlossary::SaveTermsToFile(const std::string& szFileName, bool bUseCurrentCompression) {
    try {
        CTAtomicFileStream file(szFileName);
        WriteBody(file, bUseCurrentCompression);
        file.Commit();
    } catch (const std::exception&) {
        if (!Silent()) ShowStoreMessage(msgUnableToOpenFile, {szFileName});
        return false;
    }
    v_fileName = szFileName;
    v_changed = false;
    return true;
}

void CTGlossary::SetUseCompression(bool bUseCompression, const std::string& szCompressionSignature) {
    Compression().szSignature = szCompressionSignature;
    Compression().bUseCompression = bUseCompression && !szCompressionSignature.empty();
}

bool CTGlossary::SetSilentMode(bool b) { return std::exchange(Silent(), b); }

std::optional<std::string> CTGlossary::Translate(std::string_view szTerm) const {
    const auto translation = FindTranslationFor(szTerm);
    if (!translation) return std::nullopt;
    return CTCharsetSupport::ToUtf8(translation->szText, translation->nCharset);
}

void CTGlossary::AddTerm(std::string_view szTerm) {
    // A text that charset 0 cannot hold cannot be a term.
    if (const auto term = CTCharsetSupport::FromUtf8(szTerm, CTCharsetSupport::kAnsiCharset)) {
        AddTermNoNonsense(*term, {}, 0);
    }
}

}  // namespace brumalis
