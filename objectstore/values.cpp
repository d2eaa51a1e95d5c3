#include "objectstore/values.h"

#include <algorithm>
#include <cstring>

namespace brumalis {

bool IsFieldTypeCode(int nCode) {
    return nCode == 0 || nCode == 2 || (nCode >= 4 && nCode <= 10 && nCode != 5);
}

const char* FieldTypeName(FieldType type) {
    switch (type) {
        case FieldType::Boolean: return "Boolean";
        case FieldType::Integer: return "Integer";
        case FieldType::Double: return "Double";
        case FieldType::Currency: return "Currency";
        case FieldType::DateTime: return "TDateTime";
        case FieldType::Binary: return "Binary";
        case FieldType::Guid: return "GUID";
        case FieldType::UnicodeString: return "Unicode text";
    }
    return "?";
}

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Byte order of the text form: Data1..Data3 are printed as numbers, so their
// little-endian bytes appear reversed; Data4 is printed as it is stored.
constexpr int kTextOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr int kHyphenAfter[] = {4, 6, 8, 10};  // counted in bytes of kTextOrder

}  // namespace

bool TGUID::IsClear() const {
    return std::all_of(bytes.begin(), bytes.begin() + 8, [](std::uint8_t b) { return b == 0; });
}

std::string TGUID::ToText() const {
    std::string s = "{";
    for (int i = 0; i < 16; ++i) {
        if (std::find(std::begin(kHyphenAfter), std::end(kHyphenAfter), i) != std::end(kHyphenAfter)) s += '-';
        const std::uint8_t b = bytes[static_cast<std::size_t>(kTextOrder[i])];
        s += kHex[b >> 4];
        s += kHex[b & 15];
    }
    s += '}';
    return s;
}

std::optional<TGUID> TGUID::FromText(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    TGUID guid;
    std::size_t pos = 1;
    for (int i = 0; i < 16; ++i) {
        if (std::find(std::begin(kHyphenAfter), std::end(kHyphenAfter), i) != std::end(kHyphenAfter)) {
            if (text[pos++] != '-') return std::nullopt;
        }
        const int hi = HexDigit(text[pos]);
        const int lo = HexDigit(text[pos + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        guid.bytes[static_cast<std::size_t>(kTextOrder[i])] = static_cast<std::uint8_t>(hi * 16 + lo);
        pos += 2;
    }
    return guid;
}

TFieldValue TFieldValue::Boolean(bool b) {
    TFieldValue v(FieldType::Boolean);
    v.v_int = b ? 1 : 0;
    return v;
}

TFieldValue TFieldValue::Integer(std::int32_t n) {
    TFieldValue v(FieldType::Integer);
    v.v_int = n;
    return v;
}

TFieldValue TFieldValue::Double(double d) {
    TFieldValue v(FieldType::Double);
    v.v_double = d;
    return v;
}

TFieldValue TFieldValue::Currency(std::int64_t nTenThousandths) {
    TFieldValue v(FieldType::Currency);
    v.v_int = nTenThousandths;
    return v;
}

TFieldValue TFieldValue::DateTime(double d) {
    TFieldValue v(FieldType::DateTime);
    v.v_double = d;
    return v;
}

TFieldValue TFieldValue::Binary(std::string bytes) {
    TFieldValue v(FieldType::Binary);
    v.v_bytes = std::move(bytes);
    return v;
}

TFieldValue TFieldValue::Guid(const TGUID& guid) {
    TFieldValue v(FieldType::Guid);
    v.v_bytes.assign(reinterpret_cast<const char*>(guid.bytes.data()), guid.bytes.size());
    return v;
}

TFieldValue TFieldValue::UnicodeString(std::string utf8) {
    TFieldValue v(FieldType::UnicodeString);
    v.v_bytes = std::move(utf8);
    return v;
}

TGUID TFieldValue::GetGuid() const {
    TGUID guid;
    if (v_bytes.size() == guid.bytes.size()) std::memcpy(guid.bytes.data(), v_bytes.data(), guid.bytes.size());
    return guid;
}

bool TFieldValue::operator==(const TFieldValue& other) const {
    if (v_type != other.v_type) return false;
    switch (v_type) {
        case FieldType::Double:
        case FieldType::DateTime: return v_double == other.v_double;
        case FieldType::Binary:
        case FieldType::Guid:
        case FieldType::UnicodeString: return v_bytes == other.v_bytes;
        default: return v_int == other.v_int;
    }
}

}  // namespace brumalis
