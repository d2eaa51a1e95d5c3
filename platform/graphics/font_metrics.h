// Text measurement without any font file at run time: the advances of the
// faces a report uses are built into the program (font_metrics_table.cpp,
// written by tools/font-metrics), so a text measures the same on every
// machine.
//
// The rule, for a face, a style and a size of pt points:
//   em = round(pt * 96 / 72) pixels (halves up);
//   a character's width = round(advance * em / unitsPerEm), its advance in
//   font units; unknown characters take 1 em when East Asian wide, else the
//   face's average character width (xAvgCharWidth);
//   a text's width = the sum of its characters' rounded widths, no kerning;
//   a text's height = round(winAscent * em / unitsPerEm)
//                   + round(winDescent * em / unitsPerEm), whatever the text.
// Faces: "Arial" (Liberation Sans), "Tahoma" (Wine's Tahoma; italics measure
// upright), "Courier New" (Liberation Mono); any other name measures as
// "Arial". Names compare ignoring ASCII case.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/graphics/graphics_types.h"

namespace brumalis::graphics {

// round(nPoints * 96 / 72), halves up; 0 for sizes below 1.
int FontEmPixels(int nPoints);

class CTFontMetrics {
public:
    // The metrics of a face and style (bold and italic count; underline and
    // strike-out do not change widths). Lives as long as the process.
    static const CTFontMetrics& For(std::string_view szFace, TFontStyles styles);

    int UnitsPerEm() const { return v_unitsPerEm; }
    int WinAscent() const { return v_winAscent; }
    int WinDescent() const { return v_winDescent; }
    int AvgCharWidth() const { return v_avgCharWidth; }
    // The advance in font units of a character the font has, else nullopt.
    std::optional<int> Units(char32_t nChar) const;

    // Rounded pixel width of one character at nEm pixels per em.
    int CharWidth(char32_t nChar, int nEm) const;
    // Width of a UTF-8 text (invalid bytes count as U+FFFD).
    int TextWidth(std::string_view szUtf8, int nEm) const;
    int TextHeight(int nEm) const;
    // One width per UTF-16 unit of the text (the second unit of a surrogate
    // pair gets 0), as a metafile's text record spaces its characters.
    void CharWidths(std::u16string_view szText, int nEm, std::vector<std::int32_t>& widths) const;

    // Built from the generated table; not for callers.
    CTFontMetrics(const std::uint16_t* pAdvances, int nUnitsPerEm, int nWinAscent,
                  int nWinDescent, int nAvgCharWidth);

private:
    int Scale(int nUnits, int nEm) const;

    const std::uint16_t* v_advances;  // 65536 entries, kNoGlyph where absent
    int v_unitsPerEm;
    int v_winAscent;
    int v_winDescent;
    int v_avgCharWidth;
    int v_shift;  // log2 of the em when a power of two, else -1
};

// Measuring with a font's face, size and style.
TSize TextExtent(const TFont& font, std::string_view szUtf8);
int TextWidth(const TFont& font, std::string_view szUtf8);
int TextHeight(const TFont& font);

// Whether a character is East Asian wide or full-width.
bool IsEastAsianWide(char32_t nChar);

}  // namespace brumalis::graphics
