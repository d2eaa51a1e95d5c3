#include "objectstore/edi_reader.h"

#include <algorithm>
#include <unordered_map>

#include "objectstore/edi_numbers.h"
#include "objectstore/utf8.h"

namespace brumalis {

namespace {

constexpr int kTagEnd = 0;
constexpr int kTagInteger = 2;
constexpr int kTagAnsiText = 5;  // 8-bit text of older files; also the old table/field line tag
constexpr int kTagText = 10;

// Upper half of Windows-1252 (0x80..0x9F differ from Latin-1); 0 where the
// code page leaves a byte undefined, which then maps to U+FFFD.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Texts of tag 5 are in the system code page, which is Windows-1252 here.
std::string Cp1252ToUtf8(const std::string& in) {
    std::string out;
    out.reserve(in.size());
    for (unsigned char b : in) {
        char32_t c = b;
        if (b >= 0x80 && b < 0xA0) c = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : 0xFFFD;
        AppendUtf8(out, c);
    }
    return out;
}

int EscapeDigit(unsigned char c) { return c >= '0' && c <= '9' ? c - '0' : c - 65 + 10; }

// Token level of the format: integers, decimals and counted strings.
class TokenReader {
public:
    explicit TokenReader(CTStreamIO& io) : v_io(io) {}

    [[noreturn]] void Fail(const std::string& szWhat) const {
        throw CTEdiFormatError(szWhat + " (at byte " + std::to_string(v_io.Position()) + ")");
    }

    bool AtEnd() {
        while (!v_io.Eof()) {
            const std::uint8_t c = v_io.PeekChar();
            if (c < 1 || c > 32) return false;
            v_io.ReadChar();
        }
        return true;
    }

    // Skips separators; a "-" negates; digits accumulate until a byte below
    // "0", which is consumed. Wraps like the 32-bit integer it stands for.
    std::int32_t ReadAnInt() {
        std::uint8_t c = SkipSeparators();
        bool bNegative = false;
        if (c == '-') {
            bNegative = true;
            c = v_io.ReadChar();
        }
        std::uint32_t n = 0;
        while (c >= '0') {
            n = n * 10u + static_cast<std::uint32_t>(c - '0');
            c = v_io.ReadChar();
        }
        if (bNegative) n = 0u - n;
        return static_cast<std::int32_t>(n);
    }

    // A decimal text ends at a byte below "!" (consumed) or after
    // kMaxNumberText bytes (not).
    double ReadADouble() {
        while (IsSeparator(v_io.PeekChar())) v_io.ReadChar();
        // Where the whole text and its end lie in the block, it is parsed in place.
        const std::string_view block = v_io.Buffered();
        const std::size_t nSearch = std::min(block.size(), kMaxNumberText + 1);
        for (std::size_t n = 0; n < nSearch; ++n) {
            const bool bFull = n == kMaxNumberText;
            if (!bFull && static_cast<std::uint8_t>(block[n]) > 32) continue;
            v_io.Skip(bFull ? n : n + 1);
            return ParseEdiDouble(block.substr(0, n));
        }
        std::uint8_t c = v_io.ReadChar();
        char text[kMaxNumberText];
        std::size_t n = 0;
        while (c > 32 && n < kMaxNumberText) {
            text[n++] = static_cast<char>(c);
            c = n < kMaxNumberText ? v_io.ReadChar() : 0;
        }
        return ParseEdiDouble(std::string_view(text, n));
    }

    // A counted string with its escapes decoded.
    std::string ReadCountedString() {
        const std::int32_t n = ReadAnInt();
        if (n < 0) Fail("Negative string length " + std::to_string(n));
        std::string raw;
        if (v_io.ReadBytes(raw, static_cast<std::size_t>(n)) != static_cast<std::size_t>(n)) {
            Fail("Unexpected end of data inside a string");
        }
        return Unescape(raw);
    }

    void SkipLine() {
        for (;;) {
            if (v_io.Eof()) Fail("Unexpected end of data");
            if (v_io.ReadChar() == 13) return;
        }
    }

    void Expect(int nTag, const char* szWhere) {
        const int n = ReadAnInt();
        if (n != nTag) Fail("Unexpected tag " + std::to_string(n) + " in " + szWhere);
    }

private:
    static constexpr std::size_t kMaxNumberText = 63;

    static bool IsSeparator(std::uint8_t c) { return c >= 1 && c <= 32; }

    std::uint8_t SkipSeparators() {
        std::uint8_t c = v_io.ReadChar();
        while (IsSeparator(c)) c = v_io.ReadChar();
        return c;
    }

    // A backslash starts a two-digit escape only when both digits lie
    // inside the string.
    static std::string Unescape(const std::string& raw) {
        if (raw.find('\\') == std::string::npos) return raw;
        std::string out;
        out.reserve(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) {
            const auto c = static_cast<unsigned char>(raw[i]);
            if (c == '\\' && i + 2 < raw.size()) {
                const int hi = EscapeDigit(static_cast<unsigned char>(raw[i + 1]));
                const int lo = EscapeDigit(static_cast<unsigned char>(raw[i + 2]));
                out += static_cast<char>((hi * 16 + lo) & 0xFF);
                i += 2;
            } else {
                out += static_cast<char>(c);
            }
        }
        return out;
    }

    CTStreamIO& v_io;
};

// A value as the file gives it, before conversion to the field's type.
struct FileValue {
    int nTag = 0;
    std::int32_t nInt = 0;
    double dValue = 0;
    std::string text;
};

void ReadFileValue(TokenReader& tokens, FileValue& v) {
    v.nTag = tokens.ReadAnInt();
    switch (v.nTag) {
        case 0:
        case 2: v.nInt = tokens.ReadAnInt(); return;
        case 4:
        case 6:
        case 7: v.dValue = tokens.ReadADouble(); return;
        case 5:
        case 8:
        case 9:
        case 10: v.text = tokens.ReadCountedString(); return;
        default: tokens.Fail("Unknown value tag " + std::to_string(v.nTag));
    }
}

bool IsDecimalTag(int nTag) { return nTag == 4 || nTag == 6 || nTag == 7; }
bool IsTextTag(int nTag) { return nTag == 5 || nTag == 8 || nTag == 10; }

TFieldValue GuidFromText(const std::string& text) {
    return TFieldValue::Guid(TGUID::FromText(text).value_or(TGUID{}));
}

// Converts by the file tag and the field type; false for a pair the format
// does not allow.
bool ConvertValue(FileValue& v, FieldType type, TFieldValue& out) {
    switch (type) {
        case FieldType::Boolean:
            if (v.nTag != 0) return false;
            out = TFieldValue::Boolean(v.nInt != 0);
            return true;
        case FieldType::Integer:
            if (v.nTag == 2) out = TFieldValue::Integer(v.nInt);
            else if (IsDecimalTag(v.nTag)) out = TFieldValue::Integer(RoundToInt32(v.dValue));
            else return false;
            return true;
        case FieldType::Double:
        case FieldType::DateTime: {
            double d = 0;
            if (v.nTag == 2) d = v.nInt;
            else if (IsDecimalTag(v.nTag)) d = v.dValue;
            else return false;
            out = type == FieldType::Double ? TFieldValue::Double(d) : TFieldValue::DateTime(d);
            return true;
        }
        case FieldType::Currency:
            if (v.nTag == 2) out = TFieldValue::Currency(std::int64_t{v.nInt} * 10000);
            else if (IsDecimalTag(v.nTag)) out = TFieldValue::Currency(CurrencyFromDouble(v.dValue));
            else return false;
            return true;
        case FieldType::Binary:
            if (!IsTextTag(v.nTag)) return false;
            out = TFieldValue::Binary(std::move(v.text));
            return true;
        case FieldType::UnicodeString:
            if (!IsTextTag(v.nTag)) return false;
            out = TFieldValue::UnicodeString(v.nTag == kTagAnsiText ? Cp1252ToUtf8(v.text) : std::move(v.text));
            return true;
        case FieldType::Guid:
            if (!IsTextTag(v.nTag) && v.nTag != 9) return false;
            out = GuidFromText(v.text);
            return true;
    }
    return false;
}

// A file table with its target and the per-field targets.
struct ReadTable {
    TEdiFileTable file;
    TEdiTableMatch match;
};

class Reader {
public:
    Reader(CTStreamIO& io, const CTBaseFactory& factory, CTEdiSink& sink, const TEdiReadOptions& options)
        : v_tokens(io), v_io(io), v_factory(factory), v_sink(sink), v_options(options) {}

    TEdiReadResult Run() {
        ReadSignature();
        ReadStructure();
        ReadRecords();
        if (v_options.pExtendedTarget) ReadExtendedStructure();
        TEdiReadResult result;
        for (const auto& [nFileID, table] : v_tables) result.tableOfFileID.emplace_back(nFileID, table.match.pTable);
        std::sort(result.tableOfFileID.begin(), result.tableOfFileID.end());
        return result;
    }

private:
    void ReadSignature() {
        std::string szSig;
        while (!v_io.Eof() && szSig.size() <= 64) {
            const std::uint8_t c = v_io.ReadChar();
            if (c == 13) break;
            szSig += static_cast<char>(c);
        }
        if (!v_factory.CheckSignature(szSig)) {
            // Shown to the user on one line: no control bytes from a foreign file.
            std::string szShown = szSig.substr(0, 16);
            std::replace_if(szShown.begin(), szShown.end(), [](char c) { return c >= 0 && c < 32; }, '?');
            throw CTEdiFormatError("Not an " + v_factory.GetSignature() + " database (signature '" + szShown + "')");
        }
    }

    void ReadStructure() {
        for (;;) {
            const int nTag = v_tokens.ReadAnInt();
            if (nTag == kTagEnd) return;
            if (nTag != kTagAnsiText && nTag != kTagText) {
                v_tokens.Fail("Unexpected tag " + std::to_string(nTag) + " in the structure section");
            }
            ReadTable table;
            table.file.szName = v_tokens.ReadCountedString();
            table.file.nFileID = v_tokens.ReadAnInt();
            if (table.file.nFileID < 0) v_tokens.Fail("Negative class ID of table " + table.file.szName);
            if (v_tables.count(table.file.nFileID)) {
                v_tokens.Fail("Class ID " + std::to_string(table.file.nFileID) + " appears twice");
            }
            ReadFieldLines(table.file);
            table.match = v_sink.ResolveTable(table.file, v_options.pNameMapping);
            CheckFieldTypes(table);
            v_tables.emplace(table.file.nFileID, std::move(table));
        }
    }

    void ReadFieldLines(TEdiFileTable& fileTable) {
        for (;;) {
            const int nTag = v_tokens.ReadAnInt();
            if (nTag == kTagEnd) return;
            if (nTag != kTagAnsiText && nTag != kTagText) {
                v_tokens.Fail("Unexpected tag " + std::to_string(nTag) + " in the fields of " + fileTable.szName);
            }
            TEdiFileField field;
            field.szName = v_tokens.ReadCountedString();
            field.nTypeCode = v_tokens.ReadAnInt();
            if (field.nTypeCode != kTagAnsiText && !IsFieldTypeCode(field.nTypeCode)) {
                v_tokens.Fail("Invalid type code " + std::to_string(field.nTypeCode) + " of field " + field.szName);
            }
            fileTable.fields.push_back(std::move(field));
        }
    }

    void CheckFieldTypes(ReadTable& table) {
        if (!table.match.pTable) return;
        table.match.fieldIx.resize(table.file.fields.size(), -1);
        for (std::size_t i = 0; i < table.file.fields.size(); ++i) {
            const CTFieldInfo* pField = table.match.pTable->GetFieldInfo(table.match.fieldIx[i]);
            if (!pField) continue;
            const TEdiFileField& fileField = table.file.fields[i];
            if (!IsCompatibleFileType(pField->GetType(), fileField.nTypeCode)) {
                v_tokens.Fail("Field " + table.file.szName + "." + fileField.szName + " has type " +
                              std::to_string(fileField.nTypeCode) + ", which cannot be stored as " +
                              FieldTypeName(pField->GetType()));
            }
        }
    }

    void ReadRecords() {
        for (;;) {
            const int nTag = v_tokens.ReadAnInt();
            if (nTag == kTagEnd) return;
            if (nTag != kTagInteger) v_tokens.Fail("Unexpected tag " + std::to_string(nTag) + " in the records section");
            const std::int32_t nFileID = v_tokens.ReadAnInt();
            const auto it = v_tables.find(nFileID);
            if (it == v_tables.end()) {
                v_tokens.Fail("Records of class ID " + std::to_string(nFileID) + ", which the structure does not list");
            }
            std::int32_t nLargestID = 0;
            const std::int32_t nCount = ReadRecordCount(nLargestID);
            if (it->second.match.pTable) {
                ReadTableRecords(it->second, nCount, nLargestID);
            } else {
                for (std::int32_t i = 0; i < nCount; ++i) v_tokens.SkipLine();
            }
        }
    }

    std::int32_t ReadRecordCount(std::int32_t& nLargestID) {
        v_tokens.Expect(kTagInteger, "a records header");
        std::int32_t nCount = v_tokens.ReadAnInt();
        if (nCount == 0) {
            v_tokens.Expect(kTagInteger, "a records header");
            nCount = v_tokens.ReadAnInt();
            if (nCount <= 0) v_tokens.Fail("Record count " + std::to_string(nCount) + " is not positive");
            v_tokens.Expect(kTagInteger, "a records header");
            nLargestID = v_tokens.ReadAnInt();
        }
        if (nCount < 0) v_tokens.Fail("Negative record count " + std::to_string(nCount));
        return nCount;
    }

    void ReadTableRecords(ReadTable& table, std::int32_t nCount, std::int32_t nLargestID) {
        CTTableInfo& target = *table.match.pTable;
        std::vector<TFieldValue> defaults;
        for (const CTFieldInfo* pField : target.GetAllFieldInfo()) {
            defaults.push_back(pField ? pField->GetDefaultValue() : TFieldValue());
        }
        std::vector<TFieldValue> values;
        FileValue fileValue;
        for (std::int32_t r = 0; r < nCount; ++r) {
            if (v_tokens.AtEnd()) v_tokens.Fail("Unexpected end of data in the records of " + target.GetTableName());
            values = defaults;
            for (std::size_t i = 0; i < table.file.fields.size(); ++i) {
                ReadFileValue(v_tokens, fileValue);
                const int ix = table.match.fieldIx[i];
                if (ix < 0) continue;
                TFieldValue& slot = values[static_cast<std::size_t>(ix)];
                if (!ConvertValue(fileValue, slot.Type(), slot)) {
                    v_tokens.Fail("Value of tag " + std::to_string(fileValue.nTag) + " cannot be stored in " +
                                  target.GetTableName() + "." + table.file.fields[i].szName);
                }
            }
            const std::int32_t nID = RecordID(values);
            if (!v_sink.AddRecord(target, values)) {
                v_tokens.Fail("Record ID " + std::to_string(nID) + " appears twice in " + target.GetTableName());
            }
            nLargestID = std::max(nLargestID, nID);
        }
        v_sink.NoteLargestID(target, nLargestID);
    }

    // The end of the data would read as an end tag: a text cut inside this
    // section must not pass for a whole one.
    int ReadExtendedTag() {
        if (v_tokens.AtEnd()) v_tokens.Fail("Unexpected end of data in the extended structure section");
        return v_tokens.ReadAnInt();
    }

    // Optional as a whole (older texts end after the records), complete when present.
    void ReadExtendedStructure() {
        if (v_tokens.AtEnd()) return;
        for (;;) {
            const int nTag = ReadExtendedTag();
            if (nTag == kTagEnd) return;
            if (nTag != kTagInteger) {
                v_tokens.Fail("Unexpected tag " + std::to_string(nTag) + " in the extended structure section");
            }
            const std::int32_t nFileID = v_tokens.ReadAnInt();
            v_tokens.Expect(kTagInteger, "an extended table header");
            const std::int32_t nParentID = v_tokens.ReadAnInt();
            const auto it = v_tables.find(nFileID);
            ReadTable* pTable = it == v_tables.end() ? nullptr : &it->second;
            if (pTable && pTable->match.pTable) pTable->match.pTable->SetParentID(nParentID);
            ReadExtendedFields(pTable);
        }
    }

    void ReadExtendedFields(ReadTable* pTable) {
        for (std::size_t i = 0;; ++i) {
            const int nTag = ReadExtendedTag();
            if (nTag == kTagEnd) return;
            if (nTag != kTagInteger) v_tokens.Fail("Unexpected tag " + std::to_string(nTag) + " in extended fields");
            const int nType = v_tokens.ReadAnInt();
            const bool bKnown = pTable && pTable->match.pTable && i < pTable->match.fieldIx.size();
            const int nFieldIx = bKnown ? pTable->match.fieldIx[i] : -1;
            CTFieldInfo* pField = bKnown ? pTable->match.pTable->GetFieldInfo(nFieldIx) : nullptr;
            if (pField && static_cast<int>(pField->GetType()) != nType) {
                v_tokens.Fail("Extended structure of " + pTable->file.szName + " does not match its fields");
            }
            ReadExtendedField(nType, pField, pField ? pTable->match.pTable : nullptr, nFieldIx);
        }
    }

    // Reads one field's default part and applies it when pField is given.
    void ReadExtendedField(int nType, CTFieldInfo* pField, CTTableInfo* pTable, int nFieldIx) {
        switch (nType) {
            case 0: {
                const bool b = v_tokens.ReadAnInt() != 0;
                if (pField) pField->SetBooleanDftValue(b);
                return;
            }
            case 2: ReadExtendedInteger(pField, pTable, nFieldIx); return;
            case 4:
            case 6:
            case 7: {
                const double d = v_tokens.ReadADouble();
                if (!pField) return;
                if (nType == 4) pField->SetDoubleDftValue(d);
                if (nType == 6) pField->SetCurrencyDftValue(CurrencyFromDouble(d));
                if (nType == 7) pField->SetTDateTimeDftValue(d);
                return;
            }
            case 10: {
                std::string text = v_tokens.ReadCountedString();
                v_tokens.Expect(0, "an extended text field");
                const bool bMultilingual = v_tokens.ReadAnInt() != 0;
                if (!pField) return;
                pField->SetUnicodeStringDftValue(std::move(text));
                pField->SetMultilingual(bMultilingual);
                return;
            }
            case 8:
            case 9: return;
            default: v_tokens.Fail("Invalid type code " + std::to_string(nType) + " in the extended structure");
        }
    }

    void ReadExtendedInteger(CTFieldInfo* pField, CTTableInfo* pTable, int nFieldIx) {
        const std::int32_t nDefault = v_tokens.ReadAnInt();
        v_tokens.Expect(0, "an extended integer field");
        const bool bRef = v_tokens.ReadAnInt() != 0;
        if (pField) pField->SetIntegerDftValue(nDefault);
        if (!bRef) return;
        v_tokens.Expect(kTagInteger, "a link");
        const std::int32_t nFromClsID = v_tokens.ReadAnInt();
        bool flags[4];
        for (bool& b : flags) {
            v_tokens.Expect(0, "a link");
            b = v_tokens.ReadAnInt() != 0;
        }
        if (!pField) return;
        CTTableLink& link = v_options.pExtendedTarget->AddLinkInfo(std::make_unique<CTTableLink>(
            nFromClsID, pTable->GetTableIndex(), nFieldIx,
            TLinkFlags{.bOneToOne = flags[2], .bRefIntegr = flags[0], .bCascDel = flags[1], .bIsOrdered = flags[3]}));
        pField->SetReferenceTo(&link);
    }

    TokenReader v_tokens;
    CTStreamIO& v_io;
    const CTBaseFactory& v_factory;
    CTEdiSink& v_sink;
    const TEdiReadOptions& v_options;
    std::unordered_map<std::int32_t, ReadTable> v_tables;
};

}  // namespace

std::int32_t RecordID(const std::vector<TFieldValue>& values) {
    return !values.empty() && values[0].Type() == FieldType::Integer ? values[0].GetInteger() : 0;
}

bool IsCompatibleFileType(FieldType current, int nFileType) {
    switch (current) {
        case FieldType::Boolean: return nFileType == 0;
        case FieldType::Guid: return nFileType == 9;
        case FieldType::Integer:
        case FieldType::Double:
        case FieldType::Currency:
        case FieldType::DateTime: return nFileType == 2 || IsDecimalTag(nFileType);
        case FieldType::Binary:
        case FieldType::UnicodeString: return IsTextTag(nFileType);
    }
    return false;
}

TEdiTableMatch MatchTableByName(const CTSchema& schema, std::int32_t nDbID, const TEdiFileTable& fileTable,
                                const CTMappingTable* pNameMapping) {
    TEdiTableMatch match;
    CTTableInfo* pTable = schema.GetTableNamed(fileTable.szName);
    const CTNameMapping* pTableMapping = nullptr;
    if (!pTable && pNameMapping) {
        pTableMapping = pNameMapping->FindMapping(fileTable.szName, false, 0, fileTable.nFileID);
        if (pTableMapping) pTable = schema.GetTableNamed(pTableMapping->GetNewName());
    }
    if (!pTable || pTable->IsAbstract() || pTable->GetDbID() != nDbID) return match;
    match.pTable = pTable;
    const CTMappingTable* pFieldMapping = pTableMapping ? pTableMapping->FindSubTable() : pNameMapping;
    for (const TEdiFileField& field : fileTable.fields) {
        int ix = pTable->IndexOfField(field.szName);
        if (ix < 0 && pFieldMapping) {
            const std::string szNew =
                pFieldMapping->FindNewName(field.szName, false, field.nTypeCode, pTable->FieldCount());
            if (!szNew.empty()) ix = pTable->IndexOfField(szNew);
        }
        match.fieldIx.push_back(ix);
    }
    return match;
}

TEdiReadResult ReadEdi(CTStreamIO& io, const CTBaseFactory& factory, CTEdiSink& sink,
                       const TEdiReadOptions& options) {
    return Reader(io, factory, sink, options).Run();
}

}  // namespace brumalis
