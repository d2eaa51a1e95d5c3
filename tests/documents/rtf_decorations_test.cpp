#include <gtest/gtest.h>

#include "documents/page_decorations.h"
#include "tests/documents/rtf_test_support.h"

namespace brumalis::test {
namespace {

bool Has(const std::string& text, const std::string& fragment) { return text.find(fragment) != std::string::npos; }

using RtfDecorations = RtfTest;

TEST(DecorationDefinition, StartsWithItsDefaultsAndSettersAnswerThePreviousValue) {
    CTDecorationDefinition def;
    EXPECT_TRUE(def.GetHasDate());
    EXPECT_TRUE(def.GetMustPrintDecorations());
    EXPECT_TRUE(def.GetMustPrintHeaderLine());
    EXPECT_FALSE(def.GetMustPrintFooterLine());
    EXPECT_FALSE(def.GetHasTopSepLine() || def.GetHasBotSepLine() || def.GetHasTime() || def.GetHasFrame());
    EXPECT_TRUE(def.SetHasDate(false));
    EXPECT_FALSE(def.SetHasDate(true));
    EXPECT_FALSE(def.SetMustPrintFooterLine(true));
    EXPECT_TRUE(def.GetMustPrintFooterLine());
}

TEST(DecorationDefinition, KeepsThreeZonesASideAndIgnoresAFourth) {
    CTDecorationDefinition def;
    for (int i = 0; i < 4; ++i) def.AddTextZone(true, i, {"zone " + std::to_string(i)}, graphics::taLeftJustify);
    def.AddPageNrZone(false, 1, 184, 2);
    ASSERT_EQ(def.DecorationListFor(true).size(), 3U);
    EXPECT_EQ(dynamic_cast<const CTTextDecoration&>(*def.DecorationListFor(true)[2]).v_strs.front(), "zone 2");
    EXPECT_EQ(def.DecorationListFor(true)[2]->v_topOffset, 2.0);
    const auto& pageNr = dynamic_cast<const CTPageNrDecoration&>(*def.DecorationListFor(false).front());
    EXPECT_EQ(pageNr.v_strs, std::vector<std::string>(3));
    EXPECT_EQ(pageNr.v_alignment, graphics::taRightJustify);
    EXPECT_EQ(pageNr.Caption(), "Page ");
}

TEST_F(RtfDecorations, AHeaderWithTwoZonesAndNoLineFillsTheOuterCells) {
    CTDecorationDefinition def;
    def.SetMustPrintHeaderLine(false);
    def.SetHeaderLine("not printed");
    def.AddTextZone(true, 0, {"Consultant", "Street 1"}, graphics::taLeftJustify);
    def.AddPageNrZone(true, 0, 184, 0);
    const std::string rtf = Write([](CTRTFOutput& out) { out.TextWrite("body"); }, &def);
    const std::string header = Between(rtf, "{\\header", "\\row \\pard\r\n}\r\n");
    // Usable width: 11906 - 2 × 1134 = 9638 twips.
    EXPECT_EQ(header,
              "{\\header\\uc0 \\pard\\plain \\s15\\nowidctlpar\\widctlpar \\fs20\\cgrid\r\n"
              "\\trowd \\trgaph20\\trrh200\r\n"
              "\\clvertalc \\clcbpat0 \\cltxlrtb \\cellx3212\r\n"
              "\\clvertalc \\clcbpat0 \\cltxlrtb \\cellx6425\r\n"
              "\\clvertalt \\clcbpat0 \\cltxlrtb \\cellx9638\r\n"
              "\\pard \\intbl \\ql {\\cs17 Consultant}{\\par}\r\n{\\cs17 Street 1} \\cell\r\n"
              "\\pard \\intbl \\qc  \\cell\r\n"
              "\\pard \\intbl \\qr {\\cs17 Page }{\\field{\\*\\fldinst {\\cs17 PAGE }}\r\n"
              "{\\fldrslt {\\cs17\\lang1024 1}}} \\cell\r\n");
    EXPECT_FALSE(Has(rtf, "not printed"));
    EXPECT_FALSE(Has(rtf, "{\\footer"));
    EXPECT_TRUE(Has(rtf, "\\row \\pard\r\n}\r\n{\\*\\pnseclvl1"));
    ExpectGolden("header_two_zones", rtf);
}

TEST_F(RtfDecorations, AFooterCarriesItsLineTextAndThePageNumber) {
    CTDecorationDefinition def;
    def.SetMustPrintHeaderLine(true);
    def.SetHeaderLine("Produced on a day with {braces}");
    def.SetMustPrintFooterLine(true);
    def.SetFooterLine("Footer line");
    def.AddTextZone(false, 1, {"Left"}, graphics::taLeftJustify);
    def.AddTextZone(false, 1, {"Middle"}, graphics::taCenter);
    def.AddPageNrZone(false, 1, 184, 2);
    const std::string rtf = Write([](CTRTFOutput& out) { out.TextWrite("body"); }, &def, TPage{21, 29.7, 0});
    // Only the header line: a header group without zones.
    EXPECT_TRUE(Has(rtf, "{\\header\\uc0 \\pard\\plain \\s15\\nowidctlpar\\widctlpar \\fs20\\cgrid\r\n\\trowd \\trgaph20\\trrh200\r\n"
                         "\\clvertalc \\clcbpat0 \\cltxlrtb \\cellx2770\r\n"));
    EXPECT_TRUE(Has(rtf, "\\row \\pard\r\n{\\fs16 \\par\\par Produced on a day with \\u123 braces\\u125 }\r\n}\r\n"));
    const std::string footer = Between(rtf, "{\\footer", "{\\*\\pnseclvl1");
    EXPECT_EQ(footer,
              "{\\footer\\uc0 \\pard\\plain \\s16\\nowidctlpar\\widctlpar \\fs20\\cgrid\r\n"
              "{\\fs13 Footer line \\par\\par}\r\n"
              "\\trowd \\trgaph20\\trrh200\r\n"
              "\\clvertalc \\clcbpat0 \\cltxlrtb \\cellx2770\r\n"
              "\\clvertalc \\clcbpat0 \\cltxlrtb \\cellx5541\r\n"
              "\\clvertalb \\clcbpat0 \\cltxlrtb \\cellx8312\r\n"
              "\\pard \\intbl \\ql {\\cs17 Left} \\cell\r\n"
              "\\pard \\intbl \\qc {\\cs17 Middle} \\cell\r\n"
              "\\pard \\intbl \\qr {\\cs17 Page }{\\field{\\*\\fldinst {\\cs17 PAGE }}\r\n"
              "{\\fldrslt {\\cs17\\lang1024 1}}} \\cell\r\n"
              "\\row \\pard\r\n}\r\n");
    EXPECT_EQ(Checked(rtf).nRows, 2);
    ExpectGolden("footer_page_number", rtf);
}

TEST_F(RtfDecorations, APaperWidthLeftOutCountsAsTheReadersDefaultWidth) {
    CTDecorationDefinition def;
    def.SetHeaderLine("header");
    // 12240 - 2 × 1797 = 8646 twips: never negative edges.
    const std::string rtf = Write([](CTRTFOutput&) {}, &def, TPage{0, 0, 0});
    EXPECT_TRUE(Has(rtf, "\\cellx2882\r\n"));
    EXPECT_TRUE(Has(rtf, "\\cellx5764\r\n"));
    EXPECT_TRUE(Has(rtf, "\\cellx8646\r\n"));
}

TEST_F(RtfDecorations, NothingIsWrittenWhenDecorationsAreOff) {
    CTDecorationDefinition def;
    def.SetHeaderLine("header");
    def.AddTextZone(true, 0, {"x"}, graphics::taLeftJustify);
    def.SetMustPrintDecorations(false);
    const std::string rtf = Write([](CTRTFOutput&) {}, &def);
    EXPECT_FALSE(Has(rtf, "{\\header"));
    def.SetMustPrintDecorations(true);
    EXPECT_TRUE(Has(Write([](CTRTFOutput&) {}, &def), "{\\header"));
}

}  // namespace
}  // namespace brumalis::test
