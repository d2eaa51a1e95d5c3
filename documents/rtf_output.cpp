#include "documents/rtf_output.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "documents/page_decorations.h"

namespace brumalis {

using namespace doc;

namespace {

constexpr int R = CTRTFOutput::kScreenPixelsPerInch;
// What a word processor assumes for a margin or paper width left out.
constexpr int kDefaultMarginTwips = 1797;
constexpr int kDefaultPaperWidthTwips = 12240;

std::vector<TColor> StandardColors() {
    using graphics::RGBColor;
    return {RGBColor(0, 0, 0),       RGBColor(0, 0, 255),     RGBColor(0, 255, 255),   RGBColor(0, 128, 0),
            RGBColor(255, 0, 255),   RGBColor(255, 0, 0),     RGBColor(255, 255, 0),   RGBColor(255, 255, 255),
            RGBColor(0, 0, 128),     RGBColor(0, 255, 0),     RGBColor(128, 128, 0),   RGBColor(128, 0, 128),
            RGBColor(128, 0, 0),     RGBColor(0, 128, 128),   RGBColor(128, 128, 128), RGBColor(192, 192, 192),
            RGBColor(224, 224, 224)};
}

// Process-wide, as every document of a run shares its colours.
std::vector<TColor>& ColorTable() {
    static std::vector<TColor> colors = StandardColors();
    return colors;
}

bool& Word2000Flag() {
    static bool bWord2000 = false;
    return bWord2000;
}

int RoundEven(double d) { return static_cast<int>(std::nearbyint(d)); }

std::string Num(long long n) { return std::to_string(n); }

constexpr const char* kListLevels[9][2] = {
    {"{\\leveltext\\'02\\'00.;}", "{\\levelnumbers\\'01;}\\fi-360\\li360\\jclisttab\\tx360 }"},
    {"{\\leveltext\\'04\\'00.\\'01.;}", "{\\levelnumbers\\'01\\'03;}\\fi-432\\li792\\jclisttab\\tx1080 }"},
    {"{\\leveltext\\'06\\'00.\\'01.\\'02.;}", "{\\levelnumbers\\'01\\'03\\'05;}\\fi-504\\li1224\\jclisttab\\tx1800 }"},
    {"{\\leveltext\\'08\\'00.\\'01.\\'02.\\'03.;}",
     "{\\levelnumbers\\'01\\'03\\'05\\'07;}\\fi-648\\li1728\\jclisttab\\tx2160 }"},
    {"{\\leveltext\\'0a\\'00.\\'01.\\'02.\\'03.\\'04.;}",
     "{\\levelnumbers\\'01\\'03\\'05\\'07\\'09;}\\fi-792\\li2232\\jclisttab\\tx2880 }"},
    {"{\\leveltext\\'0c\\'00.\\'01.\\'02.\\'03.\\'04.\\'05.;}",
     "{\\levelnumbers\\'01\\'03\\'05\\'07\\'09\\'0b;}\\fi-936\\li2736\\jclisttab\\tx3600 }"},
    {"{\\leveltext\\'0e\\'00.\\'01.\\'02.\\'03.\\'04.\\'05.\\'06.;}",
     "{\\levelnumbers\\'01\\'03\\'05\\'07\\'09\\'0b\\'0d;}\\fi-1080\\li3240\\jclisttab\\tx4320 }"},
    {"{\\leveltext\\'10\\'00.\\'01.\\'02.\\'03.\\'04.\\'05.\\'06.\\'07.;}",
     "{\\levelnumbers\\'01\\'03\\'05\\'07\\'09\\'0b\\'0d\\'0f;}\\fi-1224\\li3744\\jclisttab\\tx4680 }"},
    {"{\\leveltext\\'12\\'00.\\'01.\\'02.\\'03.\\'04.\\'05.\\'06.\\'07.\\'08.;}",
     "{\\levelnumbers\\'01\\'03\\'05\\'07\\'09\\'0b\\'0d\\'0f\\'11;}\\fi-1440\\li4320\\jclisttab\\tx5400 }"},
};

constexpr const char* kOutlineLevels[9] = {
    "{\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}",
    "{\\*\\pnseclvl2\\pnucltr\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}",
    "{\\*\\pnseclvl3\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxta .}}",
    "{\\*\\pnseclvl4\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxta )}}",
    "{\\*\\pnseclvl5\\pndec\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
    "{\\*\\pnseclvl6\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
    "{\\*\\pnseclvl7\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
    "{\\*\\pnseclvl8\\pnlcltr\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
    "{\\*\\pnseclvl9\\pnlcrm\\pnstart1\\pnindent720\\pnhang{\\pntxtb (}{\\pntxta )}}",
};

// Style numbers of the role fonts.
constexpr int kHeading0Style = 1;
constexpr int kHeading1Style = 2;
constexpr int kHeading2Style = 3;
constexpr int kHeading3Style = 4;
constexpr int kHeading4Style = 5;

// Closes the styles a run switched on.
std::string StylesOff(TFontStyles styles) {
    std::string out;
    if (styles.Contains(graphics::fsBold)) out += "\\b0 ";
    if (styles.Contains(graphics::fsItalic)) out += "\\i0 ";
    if (styles.Contains(graphics::fsUnderline)) out += "\\ul0 ";
    if (styles.Contains(graphics::fsStrikeOut)) out += "\\strike0 ";
    return out;
}

bool AllColumnsZeroWide(CTDocTable& table) {
    for (int c = 0; c < table.GetNbColumns(); ++c) {
        if (table.GetColumnWidth(c) != 0) return false;
    }
    return true;
}

// Restores a font when a scope ends, however it ends.
class TFontRestorer {
public:
    explicit TFontRestorer(TFont& font) : v_font(font), v_saved(font) {}
    ~TFontRestorer() { v_font = v_saved; }
    TFontRestorer(const TFontRestorer&) = delete;
    TFontRestorer& operator=(const TFontRestorer&) = delete;

private:
    TFont& v_font;
    TFont v_saved;
};

}  // namespace

CTRTFOutput::CTRTFOutput(CTStream& stream, std::string szApplName, const CTDecorationDefinition* pDecorationDef,
                         double nPaperWCm, double nPaperHCm, double nMarginsCmL, double nMarginsCmR,
                         double nMarginsCmT, double nMarginsCmB)
    : CTDocOutput(std::move(szApplName), pDecorationDef),
      v_sink(stream),
      v_paperW(CmToTwips(nPaperWCm)),
      v_paperH(CmToTwips(nPaperHCm)),
      v_marginL(CmToTwips(nMarginsCmL)),
      v_marginR(CmToTwips(nMarginsCmR)),
      v_marginT(CmToTwips(nMarginsCmT)),
      v_marginB(CmToTwips(nMarginsCmB)) {}

CTRTFOutput::~CTRTFOutput() {
    if (!v_finished) Finish();
}

int CTRTFOutput::CmToTwips(double nCm) { return RoundEven(nCm * 566.92913385826771655); }

bool CTRTFOutput::SetWord2000Compatible(bool b) { return std::exchange(Word2000Flag(), b); }

void CTRTFOutput::AddColor(TColor nColor) {
    if (ColorNumber(nColor) == 0) ColorTable().push_back(nColor);
}

std::vector<TColor> CTRTFOutput::Colors() { return ColorTable(); }

void CTRTFOutput::RestoreStandardColors() { ColorTable() = StandardColors(); }

int CTRTFOutput::ColorNumber(TColor nColor) {
    const auto& colors = ColorTable();
    const auto it = std::find(colors.begin(), colors.end(), nColor);
    return it == colors.end() ? 0 : static_cast<int>(it - colors.begin()) + 1;
}

bool CTRTFOutput::Finish() {
    if (!v_finished) {
        EnsureHeader();
        v_sink.WriteLine("}");
        v_finished = true;
    }
    return v_sink.Flush();
}

void CTRTFOutput::EnsureHeader() {
    if (v_initialized) return;
    v_initialized = true;
    WriteHeader();
}

void CTRTFOutput::WriteHeader() {
    const std::string szLanguage = Num(CurrentLanguage());
    v_sink.WriteLine("{\\rtf1\\ansi\\ansicpg1252\\uc0");
    v_sink.WriteLine("\\deff0\\deflang" + szLanguage + "\\deflangfe" + szLanguage);
    WriteFontTable();
    WriteColorTable();
    WriteStylesheet();
    WriteListTable();
    WriteSection();
    if (v_decorationDef && v_decorationDef->GetMustPrintDecorations()) {
        WriteDecorations(true);
        WriteDecorations(false);
    }
    for (const char* szLevel : kOutlineLevels) v_sink.WriteLine(szLevel);
    v_haveText = false;
}

void CTRTFOutput::WriteFontTable() {
    v_sink.WriteLine("{\\fonttbl");
    for (std::size_t i = 0; i < v_fontNames.size(); ++i) {
        v_sink.WriteLine("{\\f" + Num(static_cast<long long>(i)) + "\\fnil\\fcharset0\\fprq0 " + v_fontNames[i] + ";}");
    }
    v_nFontsWritten = v_fontNames.size();
    v_sink.WriteLine("}");
}

void CTRTFOutput::WriteColorTable() {
    v_sink.WriteLine("{\\colortbl;");
    for (TColor nColor : ColorTable()) {
        const TColor rgb = graphics::ColorToRGB(nColor);
        v_sink.WriteLine("\\red" + Num(graphics::GetRValue(rgb)) + "\\green" + Num(graphics::GetGValue(rgb)) + "\\blue" +
                         Num(graphics::GetBValue(rgb)) + ";");
    }
    v_sink.WriteLine("}");
}

void CTRTFOutput::WriteStylesheet() {
    const std::string szSize = Num(v_normalFont.Size * 2);
    v_sink.WriteLine("{\\stylesheet");
    v_sink.WriteLine("{\\nowidctlpar\\widctlpar\\adjustright \\fs" + szSize + "\\cgrid \\snext0 Normal;}");
    const struct {
        const TFont* pFont;
        bool bNumbered;
        const char* szClosing;
    } entries[] = {
        {&v_heading0Font, true, "\\sbasedon0 \\snext0 heading 1;}"},
        {&v_heading1Font, true, "\\sbasedon0 \\snext0 heading 1;}"},
        {&v_heading2Font, true, "\\sbasedon0 \\snext0 heading 2;}"},
        {&v_heading3Font, true, "\\sbasedon0 \\snext0 heading 3;}"},
        {&v_heading4Font, true, "\\sbasedon0 \\snext0 heading 4;}"},
        {&v_titleFont, false, "\\sbasedon0 \\snext0 heading 5;}"},
        {&v_subTitleFont, false, "\\sbasedon0 \\snext0 heading 6;}"},
    };
    for (const auto& entry : entries) {
        v_sink.Write("{");
        WriteParagraphStyle(*entry.pFont, entry.bNumbered);
        v_sink.WriteLine(entry.szClosing);
    }
    v_sink.WriteLine("{\\*\\cs10 \\additive Default Paragraph Font;}");
    v_sink.WriteLine("{\\s15\\nowidctlpar\\widctlpar \\fs" + szSize + "\\cgrid \\sbasedon0 \\snext15 header;}");
    v_sink.WriteLine("{\\s16\\nowidctlpar\\widctlpar \\fs" + szSize + "\\cgrid \\sbasedon0 \\snext16 footer;}");
    v_sink.WriteLine("{\\*\\cs17 \\additive \\sbasedon10 page number;}");
    v_sink.WriteLine("}");
}

void CTRTFOutput::WriteListTable() {
    v_sink.WriteLine("{\\*\\listtable");
    v_sink.WriteLine("{\\list\\listtemplateid67698719");
    for (const auto& level : kListLevels) {
        v_sink.WriteLine("{\\listlevel\\levelnfc0\\leveljc0\\levelfollow0\\levelstartat1\\levelspace0\\levelindent0");
        v_sink.WriteLine(level[0]);
        v_sink.WriteLine(level[1]);
    }
    v_sink.WriteLine("{\\listname ;}");
    v_sink.WriteLine("\\listid1411465531");
    v_sink.WriteLine("}");
    v_sink.WriteLine("}");
    v_sink.WriteLine("{\\*\\listoverridetable{\\listoverride\\listid1411465531\\listoverridecount0\\ls1}}");
}

void CTRTFOutput::WriteSection() {
    v_sink.Write("\\widowctrl\\ftnbj\\aenddoc\\formshade\\viewkind1\\viewscale100\\pgbrdrhead\\pgbrdrfoot");
    const struct {
        const char* szWord;
        std::int32_t nValue;
    } lengths[] = {{"\\paperw", v_paperW}, {"\\paperh", v_paperH}, {"\\margl", v_marginL},
                   {"\\margr", v_marginR}, {"\\margt", v_marginT}, {"\\margb", v_marginB}};
    for (const auto& length : lengths) {
        if (length.nValue != 0) v_sink.Write(length.szWord + Num(length.nValue));
    }
    v_sink.Write("\\deftab283");
    v_sink.WriteLine(" \\fet0\\sectd");
    v_sink.WriteLine("\\noxlattoyen");
    if (v_paperW > v_paperH) v_sink.WriteLine("\\lndscpsxn");
    v_sink.WriteLine("\\linex0\\endnhere\\sectdefaultcl");
}

void CTRTFOutput::WriteDecorations(bool bTop) {
    const auto& zones = v_decorationDef->DecorationListFor(bTop);
    const std::string& szLine = bTop ? v_decorationDef->GetHeaderLine() : v_decorationDef->GetFooterLine();
    const bool bPrintLine =
        (bTop ? v_decorationDef->GetMustPrintHeaderLine() : v_decorationDef->GetMustPrintFooterLine()) && !szLine.empty();
    if (zones.empty() && !bPrintLine) return;
    const int nPaperW = v_paperW != 0 ? v_paperW : kDefaultPaperWidthTwips;
    const int nUsable = nPaperW - (v_marginL != 0 ? v_marginL : kDefaultMarginTwips) -
                        (v_marginR != 0 ? v_marginR : kDefaultMarginTwips);
    const int nSize = v_normalFont.Size * 2;
    const CTPageDecoration* cells[3] = {
        zones.empty() ? nullptr : zones.front().get(),
        zones.size() >= 3 ? zones[1].get() : nullptr,
        zones.size() >= 2 ? zones.back().get() : nullptr,
    };
    // LibreOffice reads a header or footer with one fallback character per
    // Unicode escape again, so the blank after a Cyrillic letter would vanish.
    v_sink.WriteLine(std::string("{\\") + (bTop ? "header" : "footer") + "\\uc0 \\pard\\plain \\" + (bTop ? "s15" : "s16") +
                     "\\nowidctlpar\\widctlpar \\fs" + Num(nSize) + "\\cgrid");
    if (!bTop && bPrintLine) {
        v_sink.Write("{\\fs" + Num(RoundEven(nSize * 0.66)) + " ");
        v_sink.WriteText(szLine);
        v_sink.WriteLine(" \\par\\par}");
    }
    v_sink.WriteLine("\\trowd \\trgaph20\\trrh200");
    for (int i = 0; i < 3; ++i) {
        const bool bPageNr = dynamic_cast<const CTPageNrDecoration*>(cells[i]) != nullptr;
        v_sink.Write(bPageNr ? (bTop ? "\\clvertalt " : "\\clvertalb ") : "\\clvertalc ");
        v_sink.Write("\\clcbpat0 \\cltxlrtb ");
        v_sink.WriteLine("\\cellx" + Num(nUsable * (i + 1) / 3));
    }
    const char* kAlignments[3] = {"\\ql ", "\\qc ", "\\qr "};
    for (int i = 0; i < 3; ++i) {
        v_sink.Write("\\pard \\intbl ");
        v_sink.Write(kAlignments[i]);
        WriteDecorationContent(cells[i]);
        v_sink.WriteLine(" \\cell");
    }
    v_sink.WriteLine("\\row \\pard");
    if (bTop && bPrintLine) {
        v_sink.Write("{\\fs" + Num(RoundEven(nSize * 0.8)) + " \\par\\par ");
        v_sink.WriteText(szLine);
        v_sink.WriteLine("}");
    }
    v_sink.WriteLine("}");
}

void CTRTFOutput::WriteDecorationContent(const CTPageDecoration* pDecoration) {
    if (const auto* pPageNr = dynamic_cast<const CTPageNrDecoration*>(pDecoration)) {
        v_sink.Write("{\\cs17 ");
        v_sink.WriteText(pPageNr->Caption());
        v_sink.Write("}");
        v_sink.WriteLine("{\\field{\\*\\fldinst {\\cs17 PAGE }}");
        v_sink.Write("{\\fldrslt {\\cs17\\lang1024 1}}}");
    } else if (const auto* pText = dynamic_cast<const CTTextDecoration*>(pDecoration)) {
        for (std::size_t i = 0; i < pText->v_strs.size(); ++i) {
            if (i > 0) v_sink.WriteLine("{\\par}");
            v_sink.Write("{\\cs17 ");
            v_sink.WriteText(pText->v_strs[i]);
            v_sink.Write("}");
        }
    } else if (const auto* pPreloaded = dynamic_cast<const CTPreloadedGraphicDecoration*>(pDecoration)) {
        PutGraphic(0.4, pPreloaded->v_graphic, false);
    } else if (const auto* pFile = dynamic_cast<const CTGraphicDecoration*>(pDecoration)) {
        if (!pFile->v_fileName.empty()) PutGraphic(0.4, graphics::LoadPictureFile(pFile->v_fileName), false);
    }
}

void CTRTFOutput::WriteFontRun(const TFont& font) {
    std::string out;
    if (font.Style.Contains(graphics::fsBold)) out += "\\b";
    if (font.Style.Contains(graphics::fsItalic)) out += "\\i";
    if (font.Style.Contains(graphics::fsUnderline)) out += "\\ul";
    if (font.Style.Contains(graphics::fsStrikeOut)) out += "\\strike";
    // A face added after the font table went out has no number of its own.
    const int nFont = FontNumberOf(font.Name);
    const int nWritten = nFont >= 0 && static_cast<std::size_t>(nFont) < v_nFontsWritten ? nFont : 0;
    out += "\\cf" + Num(ColorNumber(font.Color)) + "\\f" + Num(nWritten) + "\\fs" + Num(font.Size * 2) + "\\cgrid ";
    v_sink.Write(out);
}

void CTRTFOutput::WriteParagraphStyle(const TFont& font, bool bNumbered) {
    const int nStyle = std::max(StyleNumberOf(font), 0);
    std::string out = "\\s" + Num(nStyle) + "\\sb240\\sa60\\keepn\\nowidctlpar\\widctlpar";
    if (nStyle >= kHeading0Style && nStyle <= kHeading2Style) out += "\\tx567";
    else if (nStyle == kHeading3Style) out += "\\tx851";
    else if (nStyle == kHeading4Style) out += "\\tx1134";
    const bool bHeading = nStyle >= kHeading0Style && nStyle <= kHeading4Style;
    if (bNumbered) {
        const int nLevel = nStyle - kHeading1Style;
        out += "\\ls1";
        if (nLevel > 0) out += "\\ilvl" + Num(nLevel);
        out += "\\outlinelevel" + Num(nLevel);
    } else if (bHeading) {
        // Else the heading style's own list numbers the paragraph.
        out += "\\ls0";
    }
    out += "\\adjustright ";
    v_sink.Write(out);
    WriteFontRun(font);
}

void CTRTFOutput::TextStyle(const std::string& szStr, TFontStyles pStyle, TColor nColor, int nTabIndex) {
    if (!Active()) return;
    EnsureHeader();
    TFontRestorer restorer(v_normalFont);
    v_normalFont.Style = v_normalFont.Style | pStyle;
    v_normalFont.Color = nColor;
    WriteFontRun(v_normalFont);
    for (int i = 0; i < nTabIndex; ++i) v_sink.Write("\\tab ");
    v_sink.WriteText(szStr);
    v_haveText = true;
    v_sink.Write(StylesOff(v_normalFont.Style));
}

void CTRTFOutput::TextWriteln() {
    if (!Active()) return;
    EnsureHeader();
    v_sink.WriteLine("");
    v_sink.WriteLine("\\par");
    v_haveText = false;
}

void CTRTFOutput::TextLeft(const std::string& szStr, TFontStyles pStyle, TColor nColor) {
    if (!Active()) return;
    TextStyle(szStr, pStyle, nColor, 0);
    v_sink.WriteLine("\\par");
    v_haveText = false;
}

void CTRTFOutput::TextCenter(const std::string& szStr, TFontStyles pStyle, TColor nColor) {
    AlignedParagraph("\\qc ", szStr, pStyle, nColor);
}

void CTRTFOutput::TextRight(const std::string& szStr, TFontStyles pStyle, TColor nColor) {
    AlignedParagraph("\\qr ", szStr, pStyle, nColor);
}

void CTRTFOutput::AlignedParagraph(const char* szAlignment, const std::string& szStr, TFontStyles pStyle,
                                   TColor nColor) {
    if (!Active()) return;
    EnsureHeader();
    v_sink.Write(szAlignment);
    TextStyle(szStr, pStyle, nColor, 0);
    v_sink.WriteLine("\\par \\ql");
    v_haveText = false;
}

void CTRTFOutput::NewPage() {
    if (!Active()) return;
    EnsureHeader();
    v_sink.WriteLine("");
    v_sink.WriteLine("\\page");
    v_haveText = false;
}

void CTRTFOutput::TextWithFont(const TFont& font, const std::string& szStr, bool bIndexEntry) {
    if (!Active()) return;
    EnsureHeader();
    if (v_haveText) v_sink.WriteLine("\\par");
    if (bIndexEntry) {
        v_sink.Write("{\\listtext\\pard\\plain\\s");
        v_sink.WriteLine(Num(std::max(StyleNumberOf(font), 0)));
        WriteFontRun(font);
        v_sink.WriteLine("\\hich\\af1\\dbch\\af0\\loch\\f1 X.\\tab");
        v_sink.WriteLine("}");
    }
    v_sink.WriteLine("\\pard\\plain");
    v_sink.WriteLine("{");
    WriteParagraphStyle(font, bIndexEntry);
    v_sink.WriteText(szStr);
    v_sink.WriteLine("\\par");
    v_sink.WriteLine("}");
    v_haveText = false;
}

void CTRTFOutput::PutDocTable(CTDocTable& table) {
    if (!Active()) return;
    EnsureHeader();
    if (v_haveText) TextWriteln();
    // A table nobody measured would collapse to zero-wide cells.
    if (AllColumnsZeroWide(table)) table.CalculatePixelSizes(0);
    TFontRestorer restorer(v_normalFont);
    table.GetFontCharacteristics(v_normalFont);
    try {
        WriteTableRows(table);
    } catch (const std::exception& e) {
        v_sink.Fail(std::string("Writing a table failed: ") + e.what());
    }
}

void CTRTFOutput::WriteTableRows(CTDocTable& table) {
    for (int r = 0; r < table.GetNbRows(); ++r) {
        std::string row = "\\trowd \\trgaph20\\trrh" + Num(table.GetRowHeight(r) * 1440 / R - 50) + " ";
        row += "\\trpaddft3\\trpaddt40\\trpaddfb3\\trpaddb10\\trpaddfl3\\trpaddl20\\trpaddfr3\\trpaddr20 ";
        if (r < table.GetNbTitleRows()) row += "\\trhdr";
        v_sink.WriteLine(row);
        WriteCellDefinitions(table, r);
        WriteCellContents(table, r);
        v_sink.WriteLine("\\row \\pard");
    }
}

void CTRTFOutput::WriteCellDefinitions(CTDocTable& table, int r) {
    long long nX = 0;
    for (int c = 0; c < table.GetNbColumns();) {
        const int nSpan = table.GetColumnSpan(c, r);
        for (int k = c; k < c + nSpan; ++k) nX += table.GetColumnWidth(k);
        std::string cell = "\\clvertalt ";
        const struct {
            const char* szWord;
            bool (CTDocTable::*pHas)(int, int, TColor&) const;
        } sides[] = {{"\\clbrdrt", &CTDocTable::HasTopBorderColor},
                     {"\\clbrdrb", &CTDocTable::HasBottomBorderColor},
                     {"\\clbrdrl", &CTDocTable::HasLeftBorderColor},
                     {"\\clbrdrr", &CTDocTable::HasRightBorderColor}};
        for (const auto& side : sides) {
            TColor nColor = 0;
            if ((table.*side.pHas)(c, r, nColor)) {
                cell += std::string(side.szWord) + "\\brdrs\\brdrw10\\brdrcf" + Num(ColorNumber(nColor)) + " ";
            }
        }
        const TColor nBg = table.GetBgColor(c, r);
        if (graphics::ColorToRGB(nBg) == graphics::clWhite) cell += "\\clcbpat0";
        else if (ColorNumber(nBg) != 0) cell += "\\clcbpat" + Num(ColorNumber(nBg));
        else cell += "\\clshdng1000\\clcbpat0";
        cell += " \\cltxlrtb ";
        if (table.GetHorAlign(c, r) == graphics::taRightJustify) cell += "\\clpadfr3\\clpadr40";
        v_sink.Write(cell);
        v_sink.WriteLine("\\cellx" + Num(nX * 1440 / R));
        c += nSpan;
    }
}

void CTRTFOutput::WriteCellContents(CTDocTable& table, int r) {
    for (int c = 0; c < table.GetNbColumns();) {
        v_sink.Write("\\pard \\intbl ");
        const TAlignment alignment = table.GetHorAlign(c, r);
        v_sink.Write(alignment == graphics::taRightJustify ? "\\qr " : alignment == graphics::taCenter ? "\\qc " : "\\ql ");
        CTGraphic graphic;
        double nScale = 1.0;
        if (table.GetGraphic(c, r, graphic, nScale)) PutGraphic(nScale, graphic, true);
        {
            TFontRestorer restorer(v_normalFont);
            v_normalFont.Size = table.GetFontSize(c, r);
            TextStyle(table.GetText(c, r), table.GetStyles(c, r), table.GetFontColor(c, r), 0);
        }
        v_sink.WriteLine(" \\cell");
        c += table.GetColumnSpan(c, r);
    }
}

void CTRTFOutput::PutGraphic(double nScale, const CTGraphic& pGraphic, bool bAddNewLine) {
    if (!Active() || pGraphic.Width() == 0 || pGraphic.Height() == 0) return;
    EnsureHeader();
    const std::string& bytes = pGraphic.MetafileBytes();
    if (bytes.empty()) return;
    const double s = nScale * R / 120;
    if (Word2000Flag()) {
        const std::string szScale = Num(RoundEven(s * 100));
        v_sink.WriteLine("{\\*\\shppict {\\pict \\emfblip\\picscalex" + szScale + "\\picscaley" + szScale);
    } else {
        v_sink.WriteLine("{\\*\\shppict {\\pict \\emfblip\\picscalex100\\picscaley100\\picwgoal" +
                         Num(RoundEven(pGraphic.Width() * s * 1440 / 120)) + "\\pichgoal" +
                         Num(RoundEven(pGraphic.Height() * s * 1440 / 120)));
    }
    v_sink.WriteHex(bytes, 0);
    v_sink.WriteLine("}}");
    if (bAddNewLine) v_sink.WriteLine("\\par");
}

void CTRTFOutput::PutGraphicFromFile(double nScale, const std::string& szFileName, int nImageType, int nImageW,
                                     int nImageH) {
    if (!Active() || nImageW == 0 || nImageH == 0) return;
    if (nImageType != kImageMetafile && nImageType != kImageJpeg) return;
    EnsureHeader();
    std::unique_ptr<CTMyFileStream> pFile;
    try {
        pFile = std::make_unique<CTMyFileStream>(szFileName, CTMyFileStream::Mode::OpenReadDenyWrite);
    } catch (const std::exception&) {
        return;  // a picture that cannot be read is left out
    }
    const std::string szScale = Num(RoundEven(nScale * R / 120 * 100));
    v_sink.WriteLine(std::string("{\\*\\shppict {\\pict \\") + (nImageType == kImageMetafile ? "emfblip" : "jpegblip") +
                     "\\picscalex" + szScale + "\\picscaley" + szScale);
    char block[CTStreamIO::BlockSize];
    std::size_t nDone = 0;
    try {
        for (std::size_t n = pFile->Read(block, sizeof block); n > 0; n = pFile->Read(block, sizeof block)) {
            v_sink.WriteHex(std::string_view(block, n), nDone);
            nDone += n;
        }
    } catch (const std::exception& e) {
        v_sink.Fail("Reading the picture " + szFileName + " failed: " + e.what());
    }
    v_sink.WriteLine("}}");
    v_sink.WriteLine("\\par");
}

}  // namespace brumalis
