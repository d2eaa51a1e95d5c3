// The one interface every printed or exported document is written through:
// styled text runs, paragraphs, headings, page breaks, tables and pictures,
// with the eight role fonts of a document. The RTF writer implements it; the
// report code and the notices use only this class.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "documents/doc_table.h"
#include "documents/rich_text.h"

namespace brumalis {

class CTDecorationDefinition;
class TGridData;

namespace doc {
// Image types of PutGraphicFromFile.
constexpr int kImageMetafile = 1;
constexpr int kImageJpeg = 2;
}  // namespace doc

class CTDocOutput {
public:
    // The decoration definition is not owned and may be null.
    CTDocOutput(std::string szApplName, const CTDecorationDefinition* pDecorationDef);
    virtual ~CTDocOutput() = default;
    CTDocOutput(const CTDocOutput&) = delete;
    CTDocOutput& operator=(const CTDocOutput&) = delete;

    // Role fonts: copy name, size, style and colour; a new face joins the
    // document's font names.
    virtual void SetNormalFontCharacteristics(const doc::TFont& font);
    virtual void SetTitleFontCharacteristics(const doc::TFont& font);
    virtual void SetSubTitleFontCharacteristics(const doc::TFont& font);
    virtual void SetHeading0FontCharacteristics(const doc::TFont& font);
    virtual void SetHeading1FontCharacteristics(const doc::TFont& font);
    virtual void SetHeading2FontCharacteristics(const doc::TFont& font);
    virtual void SetHeading3FontCharacteristics(const doc::TFont& font);
    virtual void SetHeading4FontCharacteristics(const doc::TFont& font);

    virtual void TextWrite(const std::string& szStr);
    // A run in the normal font with extra styles and a colour, after
    // nTabIndex tabs; the paragraph stays open.
    virtual void TextStyle(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor, int nTabIndex) = 0;
    virtual void TextWriteln() = 0;
    virtual void TextCenter(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor) = 0;
    virtual void TextLeft(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor) = 0;
    virtual void TextRight(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor) = 0;
    virtual void NewPage() = 0;
    virtual void PutDocTable(CTDocTable& table) = 0;
    virtual void PutStringGrid(const TGridData& grid);
    virtual void PutRichText(const CTRichText& richText);
    virtual void PutGraphic(double nScale, const doc::CTGraphic& pGraphic, bool bAddNewLine) = 0;
    virtual void PutGraphicFromFile(double nScale, const std::string& szFileName, int nImageType, int nImageW,
                                    int nImageH);
    // A paragraph of its own in a role font; a numbered outline entry when
    // bIndexEntry.
    virtual void TextWithFont(const doc::TFont& font, const std::string& szStr, bool bIndexEntry) = 0;

    void GetNormalFontCharacteristics(doc::TFont& font) const { font = v_normalFont; }
    void GetTitleFontCharacteristics(doc::TFont& font) const { font = v_titleFont; }
    void GetSubTitleFontCharacteristics(doc::TFont& font) const { font = v_subTitleFont; }
    void GetHeading0FontCharacteristics(doc::TFont& font) const { font = v_heading0Font; }
    void GetHeading1FontCharacteristics(doc::TFont& font) const { font = v_heading1Font; }
    void GetHeading2FontCharacteristics(doc::TFont& font) const { font = v_heading2Font; }
    void GetHeading3FontCharacteristics(doc::TFont& font) const { font = v_heading3Font; }
    void GetHeading4FontCharacteristics(doc::TFont& font) const { font = v_heading4Font; }

    // Appends unless present, ignoring case.
    void AddFontName(const std::string& szName);
    void TextLeft(const std::string& szStr, bool /*bDummy*/) { TextLeft(szStr, {}, graphics::clWindowText); }
    void TextHeading0(const std::string& szStr, bool bIndexEntry) { TextWithFont(v_heading0Font, szStr, bIndexEntry); }
    void TextHeading1(const std::string& szStr, bool bIndexEntry) { TextWithFont(v_heading1Font, szStr, bIndexEntry); }
    void TextHeading2(const std::string& szStr, bool bIndexEntry) { TextWithFont(v_heading2Font, szStr, bIndexEntry); }
    void TextHeading3(const std::string& szStr, bool bIndexEntry) { TextWithFont(v_heading3Font, szStr, bIndexEntry); }
    void TextHeading4(const std::string& szStr, bool bIndexEntry) { TextWithFont(v_heading4Font, szStr, bIndexEntry); }
    void TextTitle(const std::string& szStr, bool /*bDummy*/) { TextWithFont(v_titleFont, szStr, false); }
    void TextSubTitle(const std::string& szStr, bool /*bDummy*/) { TextWithFont(v_subTitleFont, szStr, false); }

    // Measures a grid as a table would be and writes the row heights and
    // column widths back into it.
    static void CalcStringGridDimensions(TGridData& grid, int nApplExtraWidth);
    // An attribute word's style: bold, else italic, else underline, else none.
    static doc::TFontStyles GetFontStyle(std::uint32_t nAttrs);
    // Word-wraps at blanks into lines no wider than nMaxPixelWidth (a word
    // wider than that keeps a line of its own); CR LF breaks stay; the lines
    // are joined with CR LF.
    static std::string SplitStringInLines(const std::string& szStr, const doc::TFont& font, int nMaxPixelWidth);

    // The base face of a new document: "Tahoma" where the user-interface
    // language needs a Unicode font, else "Arial".
    static std::string BaseFontName();
    // The user-interface language: the build's, 1033 when the program runs
    // untranslated.
    static std::uint32_t CurrentLanguage();

protected:
    // A role font's style number: its index in v_fonts; -1 for a font that
    // is none of them.
    int StyleNumberOf(const doc::TFont& font) const;
    // A face's font number; -1 when the document does not list it.
    int FontNumberOf(const std::string& szName) const;

    std::string v_applName;
    doc::TFont v_normalFont;
    doc::TFont v_titleFont;
    doc::TFont v_subTitleFont;
    doc::TFont v_heading0Font;
    doc::TFont v_heading1Font;
    doc::TFont v_heading2Font;
    doc::TFont v_heading3Font;
    doc::TFont v_heading4Font;
    // The role fonts in style-number order: normal, heading0 … heading4, title, subtitle.
    std::array<doc::TFont*, 8> v_fonts;
    std::vector<std::string> v_fontNames;
    const CTDecorationDefinition* v_decorationDef;

private:
    void SetRoleFont(doc::TFont& role, const doc::TFont& font);
};

}  // namespace brumalis
