// The drawing value types every layer shares: colours, font styles and
// fonts, alignment, pens, brushes, points and rectangles. Header-only and
// free of dependencies, so the catalogue and the documents can hold them
// without linking the graphics library.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace brumalis::graphics {

// 0x00BBGGRR for an RGB colour (red in the low byte); a high byte of 0xFF
// marks a system colour whose low byte is the system colour index.
using TColor = std::uint32_t;

constexpr TColor RGBColor(std::uint8_t nRed, std::uint8_t nGreen, std::uint8_t nBlue) {
    return TColor(nRed) | (TColor(nGreen) << 8) | (TColor(nBlue) << 16);
}
constexpr std::uint8_t GetRValue(TColor nColor) { return std::uint8_t(nColor & 0xFF); }
constexpr std::uint8_t GetGValue(TColor nColor) { return std::uint8_t((nColor >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(TColor nColor) { return std::uint8_t((nColor >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                 clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                 clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0,
                 clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF;

// System colours: 0xFF000000 + the system colour index.
constexpr TColor clScrollBar = 0xFF000000, clBackground = 0xFF000001,
                 clActiveCaption = 0xFF000002, clInactiveCaption = 0xFF000003,
                 clMenu = 0xFF000004, clWindow = 0xFF000005, clWindowFrame = 0xFF000006,
                 clMenuText = 0xFF000007, clWindowText = 0xFF000008,
                 clCaptionText = 0xFF000009, clActiveBorder = 0xFF00000A,
                 clInactiveBorder = 0xFF00000B, clAppWorkSpace = 0xFF00000C,
                 clHighlight = 0xFF00000D, clHighlightText = 0xFF00000E,
                 clBtnFace = 0xFF00000F, clBtnShadow = 0xFF000010, clGrayText = 0xFF000011,
                 clBtnText = 0xFF000012, clInactiveCaptionText = 0xFF000013,
                 clBtnHighlight = 0xFF000014, cl3DDkShadow = 0xFF000015,
                 cl3DLight = 0xFF000016, clInfoText = 0xFF000017, clInfoBk = 0xFF000018;

constexpr bool IsSystemColor(TColor nColor) { return (nColor >> 24) == 0xFF; }

// The RGB value of a colour. System colours resolve to fixed values, those of
// the standard Windows scheme, so a report looks the same on every machine:
//   window text, menu text, caption text, button text, info text: black;
//   window, highlight text, button highlight: white (255, 255, 255);
//   button face, menu: (240, 240, 240); button shadow: (160, 160, 160);
//   grey text: (109, 109, 109); highlight: (0, 120, 215);
//   3-D dark shadow: (105, 105, 105); 3-D light: (227, 227, 227);
//   info background: (255, 255, 225); scroll bar (200, 200, 200);
//   desktop background: black; active caption (153, 180, 209);
//   inactive caption (191, 205, 219); window frame (100, 100, 100);
//   active border (180, 180, 180); inactive border (244, 247, 252);
//   application workspace (171, 171, 171); inactive caption text: black.
// An unknown system colour index gives black. Any other value keeps its low
// three bytes.
constexpr TColor ColorToRGB(TColor nColor) {
    if (!IsSystemColor(nColor)) return nColor & 0x00FFFFFF;
    constexpr TColor kSystem[] = {
        RGBColor(200, 200, 200), clBlack, RGBColor(153, 180, 209), RGBColor(191, 205, 219),
        RGBColor(240, 240, 240), clWhite, RGBColor(100, 100, 100), clBlack,
        clBlack, clBlack, RGBColor(180, 180, 180), RGBColor(244, 247, 252),
        RGBColor(171, 171, 171), RGBColor(0, 120, 215), clWhite, RGBColor(240, 240, 240),
        RGBColor(160, 160, 160), RGBColor(109, 109, 109), clBlack, clBlack,
        clWhite, RGBColor(105, 105, 105), RGBColor(227, 227, 227), clBlack,
        RGBColor(255, 255, 225)};
    const TColor nIndex = nColor & 0x00FFFFFF;
    return nIndex < sizeof(kSystem) / sizeof(kSystem[0]) ? kSystem[nIndex] : clBlack;
}

enum TFontStyle : std::uint8_t { fsBold = 0, fsItalic = 1, fsUnderline = 2, fsStrikeOut = 3 };

// A set of font styles held in one byte: bit n is TFontStyle n.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles) v_bits = std::uint8_t(v_bits | (1u << s));
    }
    static constexpr TFontStyles FromBits(std::uint8_t nBits) {
        TFontStyles r;
        r.v_bits = std::uint8_t(nBits & 0x0F);
        return r;
    }
    constexpr std::uint8_t Bits() const { return v_bits; }
    constexpr bool Contains(TFontStyle s) const { return (v_bits >> s) & 1u; }
    constexpr bool Empty() const { return v_bits == 0; }
    constexpr TFontStyles& Include(TFontStyle s) { v_bits = std::uint8_t(v_bits | (1u << s)); return *this; }
    constexpr TFontStyles& Exclude(TFontStyle s) { v_bits = std::uint8_t(v_bits & ~(1u << s)); return *this; }
    constexpr TFontStyles operator|(TFontStyles o) const { return FromBits(std::uint8_t(v_bits | o.v_bits)); }
    constexpr TFontStyles operator&(TFontStyles o) const { return FromBits(std::uint8_t(v_bits & o.v_bits)); }
    constexpr bool operator==(const TFontStyles&) const = default;

private:
    std::uint8_t v_bits = 0;
};

enum TAlignment : std::uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// A font: face name, size in points, styles, colour.
struct TFont {
    std::string Name = "Arial";
    int Size = 10;
    TFontStyles Style;
    TColor Color = clWindowText;
    bool operator==(const TFont&) const = default;
};

enum TPenStyle : std::uint8_t {
    psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame
};
// How the pen combines with the ground (the binary raster operations).
enum TPenMode : std::uint8_t {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle : std::uint8_t {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

struct TPen {
    TColor Color = clBlack;
    TPenMode Mode = pmCopy;
    int Width = 1;
    TPenStyle Style = psSolid;
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    bool operator==(const TBrush&) const = default;
};

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const TSize&) const = default;
};

// Device coordinates beyond this magnitude are clamped to it: far outside
// any page, yet sums and differences of two of them stay in range.
constexpr int kMaxCoordinate = 1 << 27;

constexpr int ClampCoordinate(std::int64_t n) {
    return n > kMaxCoordinate ? kMaxCoordinate : n < -kMaxCoordinate ? -kMaxCoordinate : int(n);
}

// Left and top inclusive, right and bottom exclusive, as the canvas takes
// rectangles.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

// Raster operations for stretching pictures.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCAND = 0x008800C6;  // 8913094
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCINVERT = 0x00660046;

}  // namespace brumalis::graphics
