#include "platform/graphics/font_metrics.h"

#include <cmath>

#include <gtest/gtest.h>

namespace brumalis::graphics {
namespace {

// Rounded pixel width of stored units, computed here independently.
int Px(int nUnits, int nEm, int nUnitsPerEm) { return int(std::floor(nUnits * double(nEm) / nUnitsPerEm + 0.5)); }

int UnitsOf(const CTFontMetrics& m, char32_t c) {
    const auto u = m.Units(c);
    EXPECT_TRUE(u.has_value()) << "no glyph for U+" << std::hex << unsigned(c);
    return u.value_or(0);
}

TEST(FontMetricsTest, EmFollowsPointsAtNinetySixDpi) {
    EXPECT_EQ(FontEmPixels(10), 13);  // 13.33
    EXPECT_EQ(FontEmPixels(11), 15);  // 14.67
    EXPECT_EQ(FontEmPixels(12), 16);
    EXPECT_EQ(FontEmPixels(7), 9);
    EXPECT_EQ(FontEmPixels(0), 0);
    EXPECT_EQ(FontEmPixels(-8), 0);
}

TEST(FontMetricsTest, ArialMatchesItsPublishedAdvances) {
    const CTFontMetrics& arial = CTFontMetrics::For("Arial", {});
    // Liberation Sans is metric-compatible with Arial: these are Arial's values.
    EXPECT_EQ(arial.UnitsPerEm(), 2048);
    EXPECT_EQ(UnitsOf(arial, 'W'), 1933);
    EXPECT_EQ(UnitsOf(arial, '1'), 1139);
    EXPECT_EQ(UnitsOf(arial, ' '), 569);
    EXPECT_EQ(arial.WinAscent(), 1854);
    EXPECT_EQ(arial.WinDescent(), 434);
}

TEST(FontMetricsTest, TenPointArialMeasuresFromStoredUnits) {
    const TFont font{"Arial", 10, {}, clWindowText};
    const CTFontMetrics& m = CTFontMetrics::For("Arial", {});
    EXPECT_EQ(TextWidth(font, "W"), Px(UnitsOf(m, 'W'), 13, 2048));
    EXPECT_EQ(TextWidth(font, "W"), 12);
    EXPECT_EQ(TextWidth(font, "1"), 7);
    // Each character is rounded before summing: 7 + 7, not round(14.46).
    EXPECT_EQ(TextWidth(font, "11"), 2 * Px(UnitsOf(m, '1'), 13, 2048));
    EXPECT_EQ(TextHeight(font), Px(1854, 13, 2048) + Px(434, 13, 2048));
    EXPECT_EQ(TextHeight(font), 15);
    EXPECT_EQ(TextExtent(font, "").cy, 15) << "the height does not depend on the text";
    EXPECT_EQ(TextExtent(font, "").cx, 0);
}

TEST(FontMetricsTest, TahomaBoldAndItsUprightItalic) {
    const CTFontMetrics& bold = CTFontMetrics::For("Tahoma", {fsBold});
    const CTFontMetrics& regular = CTFontMetrics::For("Tahoma", {});
    EXPECT_NE(&bold, &regular);
    EXPECT_EQ(&CTFontMetrics::For("Tahoma", {fsBold, fsItalic}), &bold) << "italics measure upright";
    EXPECT_EQ(&CTFontMetrics::For("Tahoma", {fsItalic}), &regular);
    const TFont font{"Tahoma", 12, {fsBold}, clBlack};
    int nExpected = 0;
    for (char c : std::string("Capacity 350 kW")) nExpected += Px(UnitsOf(bold, char32_t(c)), 16, bold.UnitsPerEm());
    EXPECT_EQ(TextWidth(font, "Capacity 350 kW"), nExpected);
    EXPECT_GT(TextWidth(font, "Capacity 350 kW"), TextWidth({"Tahoma", 12, {}, clBlack}, "Capacity 350 kW"));
}

TEST(FontMetricsTest, CyrillicWordSumsItsLetters) {
    const CTFontMetrics& m = CTFontMetrics::For("Arial", {});
    const std::u32string word = U"Холодильник";
    int nExpected = 0;
    for (char32_t c : word) nExpected += Px(UnitsOf(m, c), 13, 2048);
    EXPECT_EQ(TextWidth({"Arial", 10, {}, clBlack}, "Холодильник"), nExpected);
}

TEST(FontMetricsTest, UnknownCharactersTakeAnEmOrTheAverageWidth) {
    const CTFontMetrics& m = CTFontMetrics::For("Arial", {});
    ASSERT_FALSE(m.Units(U'中').has_value());
    EXPECT_EQ(TextWidth({"Arial", 10, {}, clBlack}, "中"), 13) << "East Asian wide: one em";
    EXPECT_EQ(TextWidth({"Arial", 10, {}, clBlack}, "\U0001F600"), 13);
    ASSERT_FALSE(m.Units(0x0870).has_value());
    EXPECT_EQ(m.CharWidth(0x0870, 13), Px(m.AvgCharWidth(), 13, 2048));
    // A broken UTF-8 byte counts as one replacement character.
    EXPECT_EQ(TextWidth({"Arial", 10, {}, clBlack}, "\xC3"), m.CharWidth(0xFFFD, 13));
}

TEST(FontMetricsTest, FacesResolveIgnoringCaseAndFallBackToArial) {
    EXPECT_EQ(&CTFontMetrics::For("arial", {}), &CTFontMetrics::For("Arial", {}));
    EXPECT_EQ(&CTFontMetrics::For("Verdana", {}), &CTFontMetrics::For("Arial", {}));
    EXPECT_EQ(&CTFontMetrics::For("COURIER NEW", {fsBold}), &CTFontMetrics::For("Courier New", {fsBold}));
    EXPECT_EQ(&CTFontMetrics::For("Arial", {fsUnderline, fsStrikeOut}), &CTFontMetrics::For("Arial", {}));
    const CTFontMetrics& mono = CTFontMetrics::For("Courier New", {});
    EXPECT_EQ(UnitsOf(mono, 'i'), UnitsOf(mono, 'W'));
}

TEST(FontMetricsTest, SurrogatePairsGetOneWidthAndAZero) {
    const CTFontMetrics& m = CTFontMetrics::For("Arial", {});
    std::vector<std::int32_t> widths;
    m.CharWidths(u"A\U0001F600B", 13, widths);
    ASSERT_EQ(widths.size(), 4u);
    EXPECT_EQ(widths[0], m.CharWidth('A', 13));
    EXPECT_EQ(widths[1], 13);
    EXPECT_EQ(widths[2], 0);
    EXPECT_EQ(widths[3], m.CharWidth('B', 13));
}

}  // namespace
}  // namespace brumalis::graphics
