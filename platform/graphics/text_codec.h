// UTF-8 and UTF-16 for the metafile's text records and for measuring.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brumalis::graphics {

// The code point starting at byte nPos, advancing nPos past it; a malformed
// or truncated sequence yields U+FFFD and skips one byte.
char32_t NextCodePoint(std::string_view szUtf8, std::size_t& nPos);
std::u16string Utf8ToUtf16(std::string_view szUtf8);
// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view szText);

}  // namespace brumalis::graphics
