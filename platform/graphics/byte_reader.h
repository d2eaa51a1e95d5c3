// Little-endian reading and writing of binary structures (bitmaps and
// metafiles); reads are bounds-checked by the callers' size checks first.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace brumalis::graphics {

inline std::uint16_t ReadU16(std::string_view s, std::size_t nAt) {
    return std::uint16_t(std::uint8_t(s[nAt]) | (std::uint8_t(s[nAt + 1]) << 8));
}
inline std::uint32_t ReadU32(std::string_view s, std::size_t nAt) {
    return std::uint32_t(std::uint8_t(s[nAt])) | (std::uint32_t(std::uint8_t(s[nAt + 1])) << 8) |
           (std::uint32_t(std::uint8_t(s[nAt + 2])) << 16) | (std::uint32_t(std::uint8_t(s[nAt + 3])) << 24);
}
inline std::int32_t ReadI32(std::string_view s, std::size_t nAt) { return std::int32_t(ReadU32(s, nAt)); }
inline std::int16_t ReadI16(std::string_view s, std::size_t nAt) { return std::int16_t(ReadU16(s, nAt)); }

inline void PutU16(std::string& s, std::uint32_t v) {
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
inline void PutU32(std::string& s, std::uint32_t v) {
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    s.append(b, 4);
}
inline void PutI32(std::string& s, std::int32_t v) { PutU32(s, std::uint32_t(v)); }
inline void PatchU32(std::string& s, std::size_t nAt, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) s[nAt + std::size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

}  // namespace brumalis::graphics
