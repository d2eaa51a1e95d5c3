#include "objectstore/utf8.h"

namespace brumalis {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// Length of the sequence a lead byte starts and the bits it carries; 0 for a
// byte that cannot start one.
int SequenceLength(unsigned char lead, char32_t& cp) {
    if (lead < 0x80) { cp = lead; return 1; }
    if ((lead & 0xE0) == 0xC0) { cp = lead & 0x1Fu; return 2; }
    if ((lead & 0xF0) == 0xE0) { cp = lead & 0x0Fu; return 3; }
    if ((lead & 0xF8) == 0xF0) { cp = lead & 0x07u; return 4; }
    return 0;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<std::vector<char32_t>> DecodeUtf8(std::string_view szUtf8) {
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::vector<char32_t> points;
    points.reserve(szUtf8.size());
    for (std::size_t i = 0; i < szUtf8.size();) {
        char32_t cp = 0;
        const int n = SequenceLength(static_cast<unsigned char>(szUtf8[i]), cp);
        if (n == 0 || szUtf8.size() - i < static_cast<std::size_t>(n)) return std::nullopt;
        for (int k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(szUtf8[i + k]);
            if ((c & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        if (cp < kSmallest[n] || cp > 0x10FFFF || IsSurrogate(cp)) return std::nullopt;
        points.push_back(cp);
        i += static_cast<std::size_t>(n);
    }
    return points;
}

std::string Utf16ToUtf8(const std::u16string& units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        const bool bHigh = cp >= 0xD800 && cp <= 0xDBFF;
        if (bHigh && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (IsSurrogate(cp)) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view szUtf8) {
    const auto points = DecodeUtf8(szUtf8);
    if (!points) return std::nullopt;
    std::u16string units;
    units.reserve(points->size());
    for (const char32_t cp : *points) {
        if (cp < 0x10000) {
            units += static_cast<char16_t>(cp);
        } else {
            units += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return units;
}

}  // namespace brumalis
