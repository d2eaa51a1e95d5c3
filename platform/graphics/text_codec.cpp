#include "platform/graphics/text_codec.h"

namespace brumalis::graphics {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

char32_t NextCodePoint(std::string_view s, std::size_t& nPos) {
    const auto c0 = static_cast<unsigned char>(s[nPos]);
    if (c0 < 0x80) {
        ++nPos;
        return c0;
    }
    std::size_t nLen = 0;
    char32_t c = 0;
    char32_t nMin = 0;
    if ((c0 & 0xE0) == 0xC0) { nLen = 2; c = c0 & 0x1F; nMin = 0x80; }
    else if ((c0 & 0xF0) == 0xE0) { nLen = 3; c = c0 & 0x0F; nMin = 0x800; }
    else if ((c0 & 0xF8) == 0xF0) { nLen = 4; c = c0 & 0x07; nMin = 0x10000; }
    if (nLen == 0 || nPos + nLen > s.size()) {
        ++nPos;
        return kReplacement;
    }
    for (std::size_t k = 1; k < nLen; ++k) {
        const auto ck = static_cast<unsigned char>(s[nPos + k]);
        if (!IsContinuation(ck)) {
            ++nPos;
            return kReplacement;
        }
        c = (c << 6) | (ck & 0x3F);
    }
    if (c < nMin || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++nPos;
        return kReplacement;
    }
    nPos += nLen;
    return c;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const char32_t c = NextCodePoint(s, i);
        if (c < 0x10000) {
            out += char16_t(c);
        } else {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace brumalis::graphics
