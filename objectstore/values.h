// Field type codes and typed field values, the same codes in memory and in files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brumalis {

enum class FieldType : std::uint8_t {
    Boolean = 0,
    Integer = 2,    // 32-bit signed
    Double = 4,
    Currency = 6,   // 64-bit integer in ten-thousandths
    DateTime = 7,   // double, days since 1899-12-30
    Binary = 8,     // raw bytes
    Guid = 9,       // 16 bytes
    UnicodeString = 10,  // held as UTF-8
};

// True for the codes that are field types (1, 3 and 5 are not).
bool IsFieldTypeCode(int nCode);
const char* FieldTypeName(FieldType type);

// A GUID in its Windows memory layout: Data1 (32-bit), Data2, Data3 (16-bit)
// little-endian, then the eight bytes of Data4.
struct TGUID {
    std::array<std::uint8_t, 16> bytes{};

    bool operator==(const TGUID&) const = default;
    bool IsClear() const;

    // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with capital hex digits.
    std::string ToText() const;
    static std::optional<TGUID> FromText(std::string_view text);
};

// One field value. Texts hold UTF-8, Binary holds raw bytes; both live in
// `v_bytes`. The numeric forms share one 8-byte slot.
class TFieldValue {
public:
    TFieldValue() = default;
    explicit TFieldValue(FieldType type) : v_type(type) {}

    static TFieldValue Boolean(bool b);
    static TFieldValue Integer(std::int32_t n);
    static TFieldValue Double(double d);
    static TFieldValue Currency(std::int64_t nTenThousandths);
    static TFieldValue DateTime(double d);
    static TFieldValue Binary(std::string bytes);
    static TFieldValue Guid(const TGUID& guid);
    static TFieldValue UnicodeString(std::string utf8);

    FieldType Type() const { return v_type; }

    bool GetBoolean() const { return v_int != 0; }
    std::int32_t GetInteger() const { return static_cast<std::int32_t>(v_int); }
    double GetDouble() const { return v_double; }  // Double and DateTime
    std::int64_t GetCurrency() const { return v_int; }
    const std::string& GetBytes() const { return v_bytes; }  // Binary and UnicodeString
    TGUID GetGuid() const;

    bool operator==(const TFieldValue& other) const;

private:
    FieldType v_type = FieldType::Integer;
    union {
        std::int64_t v_int = 0;
        double v_double;
    };
    std::string v_bytes;
};

}  // namespace brumalis
