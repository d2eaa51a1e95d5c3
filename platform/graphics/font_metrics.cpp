#include "platform/graphics/font_metrics.h"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/graphics/font_metrics_table.h"
#include "platform/graphics/text_codec.h"

namespace brumalis::graphics {

namespace {

constexpr std::uint16_t kNoGlyph = 0xFFFF;
constexpr std::size_t kBmpSize = 0x10000;

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Expands one table's runs into an advance per code point.
std::unique_ptr<std::uint16_t[]> Expand(const font_table::TFaceStyleTable& t) {
    auto advances = std::make_unique<std::uint16_t[]>(kBmpSize);
    std::size_t nChar = 0;
    std::size_t w = 0;
    while (w < t.nRunWords) {
        const std::uint16_t h = t.pRuns[w++];
        const std::size_t n = h & 0x7FFF;
        const bool bLiteral = (h & 0x8000) != 0;
        if (n == 0 || nChar + n > kBmpSize || w + (bLiteral ? n : 1) > t.nRunWords)
            throw std::logic_error(std::string("damaged built-in font table of ") + t.szFace);
        for (std::size_t k = 0; k < n; ++k) advances[nChar + k] = t.pRuns[bLiteral ? w + k : w];
        w += bLiteral ? n : 1;
        nChar += n;
    }
    if (nChar != kBmpSize) throw std::logic_error(std::string("short built-in font table of ") + t.szFace);
    return advances;
}

struct TLoadedFace {
    std::string_view szFace;
    int nStyleBits;
    std::unique_ptr<std::uint16_t[]> advances;
    std::unique_ptr<CTFontMetrics> metrics;
};

const std::vector<TLoadedFace>& LoadedFaces() {
    static const std::vector<TLoadedFace> faces = [] {
        std::vector<TLoadedFace> v;
        for (std::size_t i = 0; i < font_table::kTableCount; ++i) {
            const auto& t = font_table::kTables[i];
            TLoadedFace f{t.szFace, t.nStyleBits, Expand(t), nullptr};
            f.metrics = std::make_unique<CTFontMetrics>(f.advances.get(), t.nUnitsPerEm, t.nWinAscent,
                                                         t.nWinDescent, t.nAvgCharWidth);
            v.push_back(std::move(f));
        }
        return v;
    }();
    return faces;
}

const TLoadedFace* Find(std::string_view szFace, int nStyleBits) {
    for (const TLoadedFace& f : LoadedFaces())
        if (f.nStyleBits == nStyleBits && SameNameIgnoringCase(f.szFace, szFace)) return &f;
    return nullptr;
}

}  // namespace

int FontEmPixels(int nPoints) {
    if (nPoints < 1) return 0;
    // Beyond any page; keeps the products below in range.
    nPoints = std::min(nPoints, 1 << 20);
    return int((std::int64_t(nPoints) * 96 * 2 + 72) / (72 * 2));
}

CTFontMetrics::CTFontMetrics(const std::uint16_t* pAdvances, int nUnitsPerEm, int nWinAscent,
                             int nWinDescent, int nAvgCharWidth)
    : v_advances(pAdvances), v_unitsPerEm(nUnitsPerEm), v_winAscent(nWinAscent),
      v_winDescent(nWinDescent), v_avgCharWidth(nAvgCharWidth),
      v_shift(std::has_single_bit(unsigned(nUnitsPerEm)) ? std::countr_zero(unsigned(nUnitsPerEm)) : -1) {}

const CTFontMetrics& CTFontMetrics::For(std::string_view szFace, TFontStyles styles) {
    const int nBits = (styles.Contains(fsBold) ? 1 : 0) | (styles.Contains(fsItalic) ? 2 : 0);
    for (std::string_view face : {szFace, std::string_view("Arial")}) {
        if (const TLoadedFace* f = Find(face, nBits)) return *f->metrics;
        // A face without italics measures upright.
        if (const TLoadedFace* f = Find(face, nBits & 1)) return *f->metrics;
    }
    throw std::logic_error("the built-in font table lacks Arial");
}

std::optional<int> CTFontMetrics::Units(char32_t nChar) const {
    if (nChar >= kBmpSize || v_advances[nChar] == kNoGlyph) return std::nullopt;
    return v_advances[nChar];
}

int CTFontMetrics::Scale(int nUnits, int nEm) const {
    const std::int64_t nTwice = 2 * std::int64_t(nUnits) * nEm + v_unitsPerEm;
    // Every built-in face has a power-of-two em; a shift keeps measuring fast.
    return int(v_shift >= 0 ? nTwice >> (v_shift + 1) : nTwice / (2 * std::int64_t(v_unitsPerEm)));
}

int CTFontMetrics::CharWidth(char32_t nChar, int nEm) const {
    if (nChar < kBmpSize && v_advances[nChar] != kNoGlyph) return Scale(v_advances[nChar], nEm);
    return IsEastAsianWide(nChar) ? nEm : Scale(v_avgCharWidth, nEm);
}

int CTFontMetrics::TextWidth(std::string_view szUtf8, int nEm) const {
    int nWidth = 0;
    for (std::size_t i = 0; i < szUtf8.size();) {
        const auto c = static_cast<unsigned char>(szUtf8[i]);
        if (c < 0x80) {
            ++i;
            nWidth += CharWidth(c, nEm);
        } else {
            nWidth += CharWidth(NextCodePoint(szUtf8, i), nEm);
        }
    }
    return nWidth;
}

int CTFontMetrics::TextHeight(int nEm) const { return Scale(v_winAscent, nEm) + Scale(v_winDescent, nEm); }

void CTFontMetrics::CharWidths(std::u16string_view s, int nEm, std::vector<std::int32_t>& widths) const {
    widths.clear();
    widths.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            widths.push_back(CharWidth(0x10000 + ((char32_t(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00), nEm));
            widths.push_back(0);
            ++i;
        } else {
            widths.push_back(CharWidth(c >= 0xD800 && c <= 0xDFFF ? 0xFFFD : c, nEm));
        }
    }
}

TSize TextExtent(const TFont& font, std::string_view szUtf8) {
    const CTFontMetrics& m = CTFontMetrics::For(font.Name, font.Style);
    const int nEm = FontEmPixels(font.Size);
    return {m.TextWidth(szUtf8, nEm), m.TextHeight(nEm)};
}

int TextWidth(const TFont& font, std::string_view szUtf8) {
    return CTFontMetrics::For(font.Name, font.Style).TextWidth(szUtf8, FontEmPixels(font.Size));
}

int TextHeight(const TFont& font) {
    return CTFontMetrics::For(font.Name, font.Style).TextHeight(FontEmPixels(font.Size));
}

bool IsEastAsianWide(char32_t c) {
    // The wide and full-width blocks: Hangul Jamo, CJK radicals to
    // compatibility, extension A, unified ideographs, Yi, Hangul syllables,
    // compatibility ideographs, vertical and small forms, full-width forms,
    // pictographs and the supplementary ideographic planes.
    static constexpr std::array<std::pair<char32_t, char32_t>, 19> kWide{{
        {0x1100, 0x115F}, {0x231A, 0x231B}, {0x2329, 0x232A}, {0x2E80, 0x303E}, {0x3041, 0x33FF},
        {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xA000, 0xA4CF}, {0xA960, 0xA97F}, {0xAC00, 0xD7A3},
        {0xF900, 0xFAFF}, {0xFE10, 0xFE19}, {0xFE30, 0xFE6F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6},
        {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD}}};
    for (const auto& [lo, hi] : kWide)
        if (c >= lo && c <= hi) return true;
    return false;
}

}  // namespace brumalis::graphics
