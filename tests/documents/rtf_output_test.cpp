#include <gtest/gtest.h>

#include <stdexcept>

#include "catalogue/table_grid.h"
#include "documents/page_decorations.h"
#include "tests/documents/rtf_test_support.h"

namespace brumalis::test {
namespace {

using graphics::RGBColor;

bool Has(const std::string& text, const std::string& fragment) { return text.find(fragment) != std::string::npos; }

using RtfDocument = RtfTest;

TEST_F(RtfDocument, AnEmptyDocumentIsTheHeaderAndAClosingBraceOnItsOwnLine) {
    const std::string rtf = Write([](CTRTFOutput&) {});
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\uc0\r\n\\deff0\\deflang1033\\deflangfe1033\r\n{\\fonttbl\r\n", 0), 0U);
    EXPECT_TRUE(Has(rtf, "{\\f0\\fnil\\fcharset0\\fprq0 Arial;}\r\n{\\f1\\fnil\\fcharset0\\fprq0 Tahoma;}\r\n"
                         "{\\f2\\fnil\\fcharset0\\fprq0 Verdana;}\r\n{\\f3\\fnil\\fcharset0\\fprq0 Courier New;}\r\n"
                         "{\\f4\\fnil\\fcharset0\\fprq0 Segoe UI;}\r\n{\\f5\\fnil\\fcharset0\\fprq0 MS Sans Serif;}\r\n}\r\n"));
    EXPECT_TRUE(Has(rtf, "{\\colortbl;\r\n\\red0\\green0\\blue0;\r\n\\red0\\green0\\blue255;\r\n"));
    EXPECT_TRUE(Has(rtf, "\\red224\\green224\\blue224;\r\n}\r\n{\\stylesheet\r\n"
                         "{\\nowidctlpar\\widctlpar\\adjustright \\fs20\\cgrid \\snext0 Normal;}\r\n"));
    EXPECT_TRUE(Has(rtf, "{\\s1\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\tx567\\ls1\\outlinelevel-1\\adjustright "
                         "\\b\\cf0\\f0\\fs40\\cgrid \\sbasedon0 \\snext0 heading 1;}\r\n"));
    EXPECT_TRUE(Has(rtf, "{\\s5\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\tx1134\\ls1\\ilvl3\\outlinelevel3\\adjustright "
                         "\\b\\i\\cf0\\f0\\fs24\\cgrid \\sbasedon0 \\snext0 heading 4;}\r\n"));
    EXPECT_TRUE(Has(rtf, "{\\s7\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\adjustright \\b\\cf0\\f0\\fs20\\cgrid "
                         "\\sbasedon0 \\snext0 heading 6;}\r\n"));
    EXPECT_TRUE(Has(rtf, "{\\*\\listoverridetable{\\listoverride\\listid1411465531\\listoverridecount0\\ls1}}\r\n"
                         "\\widowctrl\\ftnbj\\aenddoc\\formshade\\viewkind1\\viewscale100\\pgbrdrhead\\pgbrdrfoot"
                         "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134\\deftab283 \\fet0\\sectd\r\n"
                         "\\noxlattoyen\r\n\\linex0\\endnhere\\sectdefaultcl\r\n"));
    EXPECT_FALSE(Has(rtf, "\\lndscpsxn"));
    const std::string szEnd =
        "{\\*\\pnseclvl9\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}\r\n}\r\n";
    EXPECT_EQ(rtf.substr(rtf.size() - szEnd.size()), szEnd);
    ExpectGolden("empty", rtf);
}

TEST_F(RtfDocument, ALandscapeA4PageSwapsTheSidesAndSaysSo) {
    const std::string rtf = Write([](CTRTFOutput&) {}, nullptr, TPage{29.7, 21.0, 1.5});
    EXPECT_TRUE(Has(rtf, "\\paperw16838\\paperh11906\\margl850\\margr850\\margt850\\margb850\\deftab283"));
    EXPECT_TRUE(Has(rtf, "\\noxlattoyen\r\n\\lndscpsxn\r\n\\linex0"));
    ExpectGolden("landscape_a4", rtf);
}

TEST_F(RtfDocument, LengthsOfZeroAreLeftOut) {
    const std::string rtf = Write([](CTRTFOutput&) {}, nullptr, TPage{0, 0, 0});
    EXPECT_TRUE(Has(rtf, "\\pgbrdrfoot\\deftab283 \\fet0"));
}

TEST_F(RtfDocument, RunsEscapeTheirTextAndNumberTheirColours) {
    const std::string rtf = Write([](CTRTFOutput& out) {
        out.TextWrite("a{b}\\c");
        out.TextStyle("\xD0\x96", {graphics::fsBold, graphics::fsUnderline}, graphics::clRed, 2);
        out.TextWriteln();
        out.TextStyle("\xEF\xBF\xBD \xF0\x9F\x98\x80", {}, RGBColor(1, 2, 3), 0);
        out.TextLeft("left", {graphics::fsItalic}, graphics::clBlue);
        out.TextCenter("centre", {}, graphics::clWindowText);
        out.TextRight("right", {graphics::fsStrikeOut}, graphics::clWindowText);
        out.NewPage();
    });
    EXPECT_TRUE(Has(rtf, "\\cf0\\f0\\fs20\\cgrid a\\u123 b\\u125 \\u92 c"));
    EXPECT_TRUE(Has(rtf, "\\b\\ul\\cf6\\f0\\fs20\\cgrid \\tab \\tab \\u1046 \\b0 \\ul0 \r\n\\par\r\n"));
    // A colour outside the table is the automatic colour.
    EXPECT_TRUE(Has(rtf, "\\cf0\\f0\\fs20\\cgrid \\u-3  \\u-10179 \\u-8704 "));
    EXPECT_TRUE(Has(rtf, "\\i\\cf2\\f0\\fs20\\cgrid left\\i0 \\par\r\n"));
    EXPECT_TRUE(Has(rtf, "\\qc \\cf0\\f0\\fs20\\cgrid centre\\par \\ql\r\n"));
    EXPECT_TRUE(Has(rtf, "\\qr \\strike\\cf0\\f0\\fs20\\cgrid right\\strike0 \\par \\ql\r\n"));
    EXPECT_TRUE(Has(rtf, "\r\n\\page\r\n}\r\n"));
    ExpectGolden("text_runs", rtf);
}

TEST_F(RtfDocument, HeadingsOfEveryRoleNumberedAndUnnumbered) {
    const std::string rtf = Write([](CTRTFOutput& out) {
        out.TextWrite("open paragraph");
        for (bool bNumbered : {true, false}) {
            out.TextHeading0("Heading zero", bNumbered);
            out.TextHeading1("Heading one", bNumbered);
            out.TextHeading2("Heading two", bNumbered);
            out.TextHeading3("Heading three", bNumbered);
            out.TextHeading4("Heading four", bNumbered);
        }
        out.TextTitle("Title", false);
        out.TextSubTitle("Subtitle", false);
    });
    // An open paragraph is ended first.
    EXPECT_TRUE(Has(rtf, "open paragraph\\par\r\n{\\listtext\\pard\\plain\\s1\r\n\\b\\cf0\\f0\\fs40\\cgrid "
                         "\\hich\\af1\\dbch\\af0\\loch\\f1 X.\\tab\r\n}\r\n\\pard\\plain\r\n{\r\n"
                         "\\s1\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\tx567\\ls1\\outlinelevel-1\\adjustright "
                         "\\b\\cf0\\f0\\fs40\\cgrid Heading zero\\par\r\n}\r\n"));
    EXPECT_TRUE(Has(rtf, "\\s2\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\tx567\\ls1\\outlinelevel0\\adjustright "
                         "\\b\\cf0\\f0\\fs36\\cgrid Heading one\\par"));
    EXPECT_TRUE(Has(rtf, "\\s4\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\tx851\\ls1\\ilvl2\\outlinelevel2\\adjustright "
                         "\\b\\cf0\\f0\\fs28\\cgrid Heading three\\par"));
    // Unnumbered headings leave their style's list.
    EXPECT_TRUE(Has(rtf, "\\pard\\plain\r\n{\r\n\\s3\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\tx567\\ls0\\adjustright "
                         "\\b\\i\\cf0\\f0\\fs32\\cgrid Heading two\\par"));
    EXPECT_TRUE(Has(rtf, "\\s6\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\adjustright \\b\\cf0\\f0\\fs24\\cgrid Title\\par"));
    EXPECT_TRUE(Has(rtf, "\\s7\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar\\adjustright \\b\\cf0\\f0\\fs20\\cgrid Subtitle"));
    EXPECT_EQ(Checked(rtf).bodyText.find(u"X."), std::u16string::npos);
    ExpectGolden("headings", rtf);
}

TEST_F(RtfDocument, AFaceAddedAfterTheFontTableWentOutUsesFontZero) {
    const std::string rtf = Write([](CTRTFOutput& out) {
        out.TextWrite("before");
        out.SetNormalFontCharacteristics(graphics::TFont{"Liberation Serif", 11, {}, graphics::clWindowText});
        out.TextWrite("after");
        out.SetNormalFontCharacteristics(graphics::TFont{"Courier New", 9, {}, graphics::clWindowText});
        out.TextWrite("listed");
    });
    EXPECT_TRUE(Has(rtf, "\\cf0\\f0\\fs22\\cgrid after"));
    EXPECT_TRUE(Has(rtf, "\\cf0\\f3\\fs18\\cgrid listed"));
    EXPECT_FALSE(Has(rtf, "\\f-1"));
    EXPECT_FALSE(Has(rtf, "Liberation Serif"));
}

TEST_F(RtfDocument, FacesSetBeforeTheFirstOutputJoinTheFontTable) {
    const std::string rtf = Write([](CTRTFOutput& out) {
        out.SetHeading1FontCharacteristics(graphics::TFont{"DejaVu Sans", 18, {graphics::fsBold}, graphics::clNavy});
        out.TextHeading1("Own face", true);
    });
    EXPECT_TRUE(Has(rtf, "{\\f6\\fnil\\fcharset0\\fprq0 DejaVu Sans;}\r\n}\r\n"));
    EXPECT_TRUE(Has(rtf, "\\b\\cf9\\f6\\fs36\\cgrid Own face"));
}

TEST_F(RtfDocument, AddedColoursJoinTheTableOfLaterDocuments) {
    CTRTFOutput::AddColor(RGBColor(10, 20, 30));
    CTRTFOutput::AddColor(RGBColor(10, 20, 30));
    CTRTFOutput::AddColor(graphics::clRed);
    EXPECT_EQ(CTRTFOutput::Colors().size(), 18U);
    const std::string rtf = Write([](CTRTFOutput& out) { out.TextStyle("x", {}, RGBColor(10, 20, 30), 0); });
    EXPECT_TRUE(Has(rtf, "\\red224\\green224\\blue224;\r\n\\red10\\green20\\blue30;\r\n}\r\n"));
    EXPECT_TRUE(Has(rtf, "\\cf18\\f0"));
}

// A table with a title row and column, a span of three, both kinds of
// shading, 20-pixel rows and columns of 40 and 60 pixels.
CTDocTable SampleTable() {
    CTDocTable table(4, 3, 1, 1, false);
    for (int c = 0; c < 4; ++c) table.SetColumnWidth(c, c == 0 ? 40 : 60);
    for (int r = 0; r < 3; ++r) table.SetRowHeight(r, 20);
    table.SetText(0, 0, "Model");
    table.SetText(1, 0, "Spans three columns");
    table.SetColumnSpan(1, 0, 3);
    table.SetText(0, 1, "kW");
    table.SetText(1, 1, "350.2");
    table.SetHorAlign(1, 1, graphics::taRightJustify);
    table.SetBgColor(2, 1, RGBColor(1, 2, 3));
    table.SetText(3, 2, "bold", {graphics::fsBold});
    table.SetFontSize(3, 2, 8);
    table.SetFontColor(3, 2, graphics::clRed);
    return table;
}

TEST_F(RtfDocument, TablesGoOutWithTheirBordersShadingAndEdgesInTwips) {
    CTDocTable table = SampleTable();
    const std::string rtf = Write([&](CTRTFOutput& out) {
        out.TextWrite("before the table");
        out.PutDocTable(table);
    });
    EXPECT_TRUE(Has(rtf, "before the table\r\n\\par\r\n\\trowd \\trgaph20\\trrh250 \\trpaddft3\\trpaddt40\\trpaddfb3"
                         "\\trpaddb10\\trpaddfl3\\trpaddl20\\trpaddfr3\\trpaddr20 \\trhdr\r\n"));
    EXPECT_TRUE(Has(rtf, "\\clvertalt \\clbrdrt\\brdrs\\brdrw10\\brdrcf1 \\clbrdrb\\brdrs\\brdrw10\\brdrcf15 "
                         "\\clbrdrl\\brdrs\\brdrw10\\brdrcf1 \\clbrdrr\\brdrs\\brdrw10\\brdrcf15 \\clcbpat17 \\cltxlrtb "
                         "\\cellx600\r\n"));
    // The spanning cell ends at the right edge of its last column.
    EXPECT_TRUE(Has(rtf, "\\clbrdrr\\brdrs\\brdrw10\\brdrcf1 \\clcbpat17 \\cltxlrtb \\cellx3300\r\n"
                         "\\pard \\intbl \\ql \\cf0\\f0\\fs20\\cgrid Model \\cell\r\n"
                         "\\pard \\intbl \\ql \\cf0\\f0\\fs20\\cgrid Spans three columns \\cell\r\n\\row \\pard\r\n"));
    EXPECT_TRUE(Has(rtf, "\\clcbpat0 \\cltxlrtb \\clpadfr3\\clpadr40\\cellx1500\r\n"));
    EXPECT_TRUE(Has(rtf, "\\clshdng1000\\clcbpat0 \\cltxlrtb \\cellx2400\r\n"));
    EXPECT_TRUE(Has(rtf, "\\pard \\intbl \\qr \\cf0\\f0\\fs20\\cgrid 350.2 \\cell\r\n"));
    EXPECT_TRUE(Has(rtf, "\\pard \\intbl \\ql \\b\\cf6\\f0\\fs16\\cgrid bold\\b0  \\cell\r\n\\row \\pard\r\n}\r\n"));
    const TRtfCheck check = Checked(rtf);
    EXPECT_EQ(check.nRows, 3);
    ExpectGolden("table", rtf);
}

TEST_F(RtfDocument, AGridGoesOutWithTheStylesAlignmentsAndMergesOfItsAttributeWords) {
    TGridData grid;
    grid.Reset(2, 3, 64);
    grid.SetFixedRows(1);
    grid.Cell(0, 0).text = "Merged title";
    grid.Cell(0, 0).object = doc::kAttrMergeNext | doc::kAttrStylesValid | doc::kAttrBold;
    grid.Cell(2, 0).text = "Centred";
    grid.Cell(2, 0).object = doc::kAttrAlignValid | doc::kAttrCentre;
    grid.Cell(0, 1).text = "a";
    grid.Cell(1, 1).text = "b";
    grid.Cell(2, 1).text = "c";
    const std::string rtf = Write([&](CTRTFOutput& out) { out.PutStringGrid(grid); });
    EXPECT_TRUE(Has(rtf, "\\cellx1920\r\n\\clvertalt "));
    EXPECT_TRUE(Has(rtf, "\\pard \\intbl \\ql \\b\\cf0\\f0\\fs20\\cgrid Merged title\\b0  \\cell\r\n"
                         "\\pard \\intbl \\qc \\cf0\\f0\\fs20\\cgrid Centred \\cell\r\n\\row \\pard\r\n"));
    // The grid's fixed colour is a system colour outside the table.
    EXPECT_TRUE(Has(rtf, "\\clshdng1000\\clcbpat0 \\cltxlrtb \\cellx1920"));
    EXPECT_EQ(Checked(rtf).nRows, 2);
    ExpectGolden("string_grid", rtf);
}

TEST_F(RtfDocument, ATableNobodyMeasuredIsMeasuredBeforeItIsWritten) {
    CTDocTable table(2, 1, 0, 0, false);
    table.SetText(0, 0, "Cooling capacity");
    table.SetText(1, 0, "350 kW");
    const std::string rtf = Write([&](CTRTFOutput& out) { out.PutDocTable(table); });
    EXPECT_FALSE(Has(rtf, "\\cellx0\r\n"));
    EXPECT_FALSE(Has(rtf, "\\trrh-50"));
    EXPECT_GT(table.GetColumnWidth(0), 0);
    EXPECT_TRUE(Has(rtf, "\\cellx" + std::to_string(table.GetColumnWidth(0) * 15) + "\r\n"));

    // Given sizes are kept, even a zero among others.
    CTDocTable given(2, 1, 0, 0, false);
    given.SetColumnWidth(1, 50);
    given.SetRowHeight(0, 30);
    const std::string kept = Write([&](CTRTFOutput& out) { out.PutDocTable(given); });
    EXPECT_TRUE(Has(kept, "\\trrh400 "));
    EXPECT_TRUE(Has(kept, "\\cellx0\r\n"));
    EXPECT_TRUE(Has(kept, "\\cellx750\r\n"));
}

TEST_F(RtfDocument, ATableWithSpansOfZeroAndBelowMinusOneStillEnds) {
    CTDocTable table(3, 1, 0, 0, false);
    table.SetColumnSpan(0, 0, 0);
    table.SetColumnSpan(1, 0, -4);
    table.SetText(2, 0, "end");
    const std::string rtf = Write([&](CTRTFOutput& out) { out.PutDocTable(table); });
    EXPECT_TRUE(Has(rtf, "end \\cell\r\n\\row \\pard"));
}

// Takes nLimit bytes in all, then writes short, or raises.
class TFailingStream : public CTStream {
public:
    TFailingStream(std::size_t nLimit, bool bThrow) : v_limit(nLimit), v_throw(bThrow) {}
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void* p, std::size_t n) override {
        if (data.size() + n > v_limit && v_throw) throw CTStreamError("No space left on device");
        const std::size_t nTaken = std::min(n, v_limit - data.size());
        data.append(static_cast<const char*>(p), nTaken);
        return nTaken;
    }
    std::int64_t Seek(std::int64_t, SeekOrigin) override { return -1; }
    std::string data;

private:
    std::size_t v_limit;
    bool v_throw;
};

std::string LongText() { return std::string(200000, 'x'); }

TEST_F(RtfDocument, AShortWriteIsKeptReportedByFinishAndNothingIsWrittenAfterIt) {
    for (bool bThrow : {false, true}) {
        TFailingStream stream(100000, bThrow);
        CTRTFOutput out(stream, "Brumalis", nullptr, 21, 29.7, 2, 2, 2, 2);
        out.TextWrite(LongText());
        CTDocTable table = SampleTable();
        out.PutDocTable(table);
        out.TextWrite("after the failure");
        EXPECT_FALSE(out.Finish());
        EXPECT_FALSE(out.Error().empty());
        if (bThrow) {
            EXPECT_EQ(out.Error(), "No space left on device");
            EXPECT_TRUE(stream.data.empty());
        } else {
            EXPECT_EQ(stream.data.size(), 100000U);
        }
        EXPECT_FALSE(Has(stream.data, "after the failure"));
        EXPECT_FALSE(out.Finish());
    }
}

TEST_F(RtfDocument, ATableLeavesTheNormalFontAsItWas) {
    CTMemoryStream stream;
    CTRTFOutput out(stream, "Brumalis", nullptr, 21, 29.7, 2, 2, 2, 2);
    CTDocTable table(1, 1, 0, 0, false);
    table.SetFontCharacteristics(graphics::TFont{"Courier New", 7, {}, graphics::clWindowText});
    table.SetColumnWidth(0, 10);
    out.PutDocTable(table);
    graphics::TFont normal;
    out.GetNormalFontCharacteristics(normal);
    EXPECT_EQ(normal.Name, "Arial");
    EXPECT_EQ(normal.Size, 10);
    EXPECT_TRUE(out.Finish());
}

}  // namespace
}  // namespace brumalis::test
