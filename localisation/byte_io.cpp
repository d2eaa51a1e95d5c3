#include "localisation/byte_io.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <stdexcept>

#include "objectstore/utf8.h"

namespace brumalis {
namespace {

// The unsigned integer holding the bits of a value of N bytes.
template <std::size_t N>
struct TBitsOf;
template <>
struct TBitsOf<1> { using type = std::uint8_t; };
template <>
struct TBitsOf<2> { using type = std::uint16_t; };
template <>
struct TBitsOf<4> { using type = std::uint32_t; };
template <>
struct TBitsOf<8> { using type = std::uint64_t; };

}  // namespace

bool CTLLByteIO::Refill() {
    v_bufPos = 0;
    v_bufSize = v_stream.Read(v_buffer.data(), v_buffer.size());
    return v_bufSize > 0;
}

bool CTLLByteIO::NextByte(std::uint8_t& b) {
    if (v_bufPos >= v_bufSize && !Refill()) return false;
    b = static_cast<std::uint8_t>(v_buffer[v_bufPos++]);
    return true;
}

template <typename T>
bool CTLLByteIO::GetLittleEndian(T& value) {
    using U = typename TBitsOf<sizeof(T)>::type;
    U bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        std::uint8_t b = 0;
        if (!NextByte(b)) return false;
        bits |= static_cast<U>(static_cast<U>(b) << (8 * i));
    }
    value = std::bit_cast<T>(bits);
    return true;
}

bool CTLLByteIO::GetShortInt(std::int8_t& n) { return GetLittleEndian(n); }
bool CTLLByteIO::GetSmallInt(std::int16_t& n) { return GetLittleEndian(n); }
bool CTLLByteIO::GetWord(std::uint16_t& n) { return GetLittleEndian(n); }
bool CTLLByteIO::GetInteger(std::int32_t& n) { return GetLittleEndian(n); }
bool CTLLByteIO::GetLongWord(std::uint32_t& n) { return GetLittleEndian(n); }
bool CTLLByteIO::GetSingle(float& d) { return GetLittleEndian(d); }
bool CTLLByteIO::GetInt64(std::int64_t& n) { return GetLittleEndian(n); }
bool CTLLByteIO::GetDateTime(double& d) { return GetLittleEndian(d); }
bool CTLLByteIO::GetCurrency(std::int64_t& n) { return GetLittleEndian(n); }

bool CTLLByteIO::GetString(std::string& sz) {
    std::uint8_t n = 0;
    return NextByte(n) && GetStringOfLength(n, sz);
}

bool CTLLByteIO::GetLongString(std::string& sz) {
    std::uint32_t n = 0;
    return GetLongWord(n) && GetStringOfLength(n, sz);
}

bool CTLLByteIO::GetStringOfLength(std::uint64_t nLength, std::string& sz) {
    sz.clear();
    // Grows with the bytes that arrive, so a damaged length cannot make us
    // reserve memory the stream does not hold.
    while (sz.size() < nLength) {
        if (v_bufPos >= v_bufSize && !Refill()) return false;
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(nLength - sz.size(), v_bufSize - v_bufPos));
        sz.append(v_buffer.data() + v_bufPos, n);
        v_bufPos += n;
    }
    return true;
}

bool CTLLByteIO::GetUnicodeString(std::string& szUtf8) {
    std::uint32_t nUnits = 0;
    std::string bytes;
    if (!GetLongWord(nUnits) || !GetStringOfLength(std::uint64_t{nUnits} * 2, bytes)) return false;
    std::u16string units(nUnits, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                         static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    }
    szUtf8 = Utf16ToUtf8(units);
    return true;
}

template <typename T>
void CTLLByteIO::PutLittleEndian(T value) {
    using U = typename TBitsOf<sizeof(T)>::type;
    const U bits = std::bit_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) PutAByte(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void CTLLByteIO::PutAByte(std::uint8_t b) {
    v_pending += static_cast<char>(b);
    if (v_pending.size() >= BlockSize) Flush();
}

void CTLLByteIO::PutShortInt(std::int8_t n) { PutLittleEndian(n); }
void CTLLByteIO::PutSmallInt(std::int16_t n) { PutLittleEndian(n); }
void CTLLByteIO::PutWord(std::uint16_t n) { PutLittleEndian(n); }
void CTLLByteIO::PutInteger(std::int32_t n) { PutLittleEndian(n); }
void CTLLByteIO::PutLongWord(std::uint32_t n) { PutLittleEndian(n); }
void CTLLByteIO::PutInt64(std::int64_t n) { PutLittleEndian(n); }
void CTLLByteIO::PutSingle(float d) { PutLittleEndian(d); }
void CTLLByteIO::PutDateTime(double d) { PutLittleEndian(d); }
void CTLLByteIO::PutCurrency(std::int64_t n) { PutLittleEndian(n); }

void CTLLByteIO::PutStringAndLength(const std::string& szVal, bool bCompact) {
    const bool bLong = bCompact && szVal.size() >= 256;
    if (szVal.size() > (bLong ? std::numeric_limits<std::uint32_t>::max() : 255u)) {
        throw std::length_error("text too long for its length field");
    }
    if (bLong) {
        PutLongWord(static_cast<std::uint32_t>(szVal.size()));
    } else {
        PutAByte(static_cast<std::uint8_t>(szVal.size()));
    }
    for (const char c : szVal) PutAByte(static_cast<std::uint8_t>(c));
}

void CTLLByteIO::PutUnicodeStringAndLength(const std::string& szUtf8) {
    const auto units = Utf8ToUtf16(szUtf8);
    if (!units) throw std::invalid_argument("text is not valid UTF-8");
    if (units->size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("text too long");
    PutLongWord(static_cast<std::uint32_t>(units->size()));
    for (const char16_t u : *units) PutWord(u);
}

void CTLLByteIO::Flush() {
    v_stream.WriteAll(v_pending);
    v_pending.clear();
}

}  // namespace brumalis
