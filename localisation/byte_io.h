// Little-endian binary reading and writing over a stream, with a 16384-byte
// read-ahead and write-behind block. Every getter answers false when the
// data ends early; nothing read from the stream decides an allocation before
// the bytes have actually arrived.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "objectstore/streams.h"

namespace brumalis {

class CTLLByteIO {
public:
    static constexpr std::size_t BlockSize = 16384;

    explicit CTLLByteIO(CTStream& stream) : v_stream(stream), v_buffer(BlockSize) {}

    bool NextByte(std::uint8_t& b);
    bool GetShortInt(std::int8_t& n);
    bool GetSmallInt(std::int16_t& n);
    bool GetWord(std::uint16_t& n);
    bool GetInteger(std::int32_t& n);
    bool GetLongWord(std::uint32_t& n);
    bool GetSingle(float& d);
    bool GetInt64(std::int64_t& n);
    bool GetDateTime(double& d);
    bool GetCurrency(std::int64_t& n);  // ten-thousandths
    bool GetString(std::string& sz);      // 1-byte length, then the bytes
    bool GetLongString(std::string& sz);  // 4-byte length, then the bytes
    bool GetStringOfLength(std::uint64_t nLength, std::string& sz);
    // 4-byte count of UTF-16 units, then the units; answered as UTF-8.
    bool GetUnicodeString(std::string& szUtf8);

    void PutAByte(std::uint8_t b);
    void PutShortInt(std::int8_t n);
    void PutSmallInt(std::int16_t n);
    void PutWord(std::uint16_t n);
    void PutInteger(std::int32_t n);
    void PutLongWord(std::uint32_t n);
    void PutInt64(std::int64_t n);
    void PutSingle(float d);
    void PutDateTime(double d);
    void PutCurrency(std::int64_t n);
    // The length as one byte, or as four when bCompact and it is 256 or more
    // (the caller writes the kind that tells the two apart); then the bytes.
    // Raises std::length_error when the length does not fit.
    void PutStringAndLength(const std::string& szVal, bool bCompact);
    // Valid UTF-8 as a 4-byte count of UTF-16 units and the units; raises
    // std::invalid_argument for invalid UTF-8.
    void PutUnicodeStringAndLength(const std::string& szUtf8);
    // Hands the written bytes to the stream; may raise the stream's errors.
    void Flush();

private:
    template <typename T>
    bool GetLittleEndian(T& value);
    template <typename T>
    void PutLittleEndian(T value);
    bool Refill();

    CTStream& v_stream;
    std::vector<char> v_buffer;  // read-ahead block
    std::size_t v_bufPos = 0;
    std::size_t v_bufSize = 0;
    std::string v_pending;  // written bytes not yet handed to the stream
};

}  // namespace brumalis
