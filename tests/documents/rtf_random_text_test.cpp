#include <gtest/gtest.h>

#include <random>

#include "documents/page_decorations.h"
#include "tests/documents/rtf_test_support.h"

namespace brumalis::test {
namespace {

// A piece of caller text and the UTF-16 text a reader must see for it.
struct TPiece {
    const char* szUtf8;
    const char16_t* szRead;
};

constexpr TPiece kPieces[] = {
    {"a", u"a"},
    {"Z9 ", u"Z9 "},
    {"{", u"{"},
    {"}", u"}"},
    {"\\", u"\\"},
    {"\\par", u"\\par"},
    {"\t", u"\t"},
    {"\n", u"\n"},
    {"\r", u""},
    {"\x01", u""},
    {"\x1F", u""},
    {"\x7F", u"\x7F"},
    {"\xC2\x85", u"\u0085"},
    {"\xC2\xA0", u"\u00A0"},
    {"\xC3\xA9", u"\u00E9"},
    {"\xD0\x96", u"\u0416"},
    {"\xE2\x82\xAC", u"\u20AC"},
    {"\xEF\xBF\xBD", u"\uFFFD"},
    {"\xF0\x9F\x98\x80", u"\U0001F600"},
    {"\xFF", u"\uFFFD"},
    {"\xC3", u"\uFFFD"},
    {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
};

struct TRandomText {
    std::string utf8;
    std::u16string read;
};

TRandomText RandomText(std::mt19937& random) {
    TRandomText text;
    std::uniform_int_distribution<std::size_t> length(0, 40);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    for (std::size_t n = length(random); n > 0; --n) {
        const TPiece& p = kPieces[piece(random)];
        text.utf8 += p.szUtf8;
        text.read += p.szRead;
    }
    return text;
}

using RtfRandomText = RtfTest;

TEST_F(RtfRandomText, ARunReadsBackAsTheTextItWasGiven) {
    std::mt19937 random(20261209);
    for (int i = 0; i < 300; ++i) {
        const TRandomText text = RandomText(random);
        const std::string rtf = Write([&](CTRTFOutput& out) { out.TextWrite(text.utf8); });
        EXPECT_EQ(Checked(rtf).bodyText, text.read) << "text " << i;
    }
}

TEST_F(RtfRandomText, EveryTextOperationKeepsTheDocumentSound) {
    std::mt19937 random(42);
    for (int i = 0; i < 60; ++i) {
        CTDecorationDefinition def;
        def.SetMustPrintFooterLine(true);
        def.SetHeaderLine(RandomText(random).utf8);
        def.SetFooterLine(RandomText(random).utf8);
        def.AddTextZone(true, 0, {RandomText(random).utf8, RandomText(random).utf8}, graphics::taLeftJustify);
        def.AddTextZone(false, 0, {RandomText(random).utf8}, graphics::taCenter);
        CTDocTable table(3, 2, 1, 1, false);
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 2; ++r) table.SetText(c, r, RandomText(random).utf8);
        }
        table.SetIsMultiLine(1, 1, true);
        const std::string rtf = Write(
            [&](CTRTFOutput& out) {
                out.TextStyle(RandomText(random).utf8, {graphics::fsBold}, graphics::clRed, 1);
                out.TextLeft(RandomText(random).utf8, {}, graphics::clWindowText);
                out.TextCenter(RandomText(random).utf8, {graphics::fsItalic}, graphics::clBlue);
                out.TextRight(RandomText(random).utf8, {}, graphics::clWindowText);
                out.TextHeading0(RandomText(random).utf8, true);
                out.TextHeading2(RandomText(random).utf8, false);
                out.TextHeading4(RandomText(random).utf8, true);
                out.TextTitle(RandomText(random).utf8, false);
                out.TextSubTitle(RandomText(random).utf8, false);
                out.PutDocTable(table);
                CTRichText rich;
                rich.runs = {{RandomText(random).utf8, {}, graphics::clWindowText},
                             {RandomText(random).utf8, {graphics::fsBold}, graphics::clRed}};
                out.PutRichText(rich);
            },
            &def);
        ASSERT_TRUE(CheckRtf(rtf).Ok()) << "document " << i << "\n" << CheckRtf(rtf).Report();
    }
}

}  // namespace
}  // namespace brumalis::test
