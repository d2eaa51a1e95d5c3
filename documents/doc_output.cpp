#include "documents/doc_output.h"

#include <algorithm>

#include "catalogue/table_grid.h"
#include "dialogs/messages.h"
#include "localisation/lang_support.h"
#include "platform/build_identity.h"
#include "platform/graphics/font_metrics.h"
#include "platform/settings_store.h"

namespace brumalis {

using namespace doc;

namespace {

TFont RoleFont(const std::string& szFace, int nSize, TFontStyles styles) {
    return TFont{szFace, nSize, styles, graphics::clWindowText};
}

}  // namespace

std::uint32_t CTDocOutput::CurrentLanguage() {
    return dialogs::TBaseMsg::TranslationDisabled() ? platform::CTVersionUtils::kDefaultLanguage
                                                    : platform::CTVersionUtils::GetLanguage();
}

std::string CTDocOutput::BaseFontName() {
    return CTLangSupport::UseUnicodeFont(static_cast<std::int32_t>(CurrentLanguage())) ? "Tahoma" : "Arial";
}

CTDocOutput::CTDocOutput(std::string szApplName, const CTDecorationDefinition* pDecorationDef)
    : v_applName(std::move(szApplName)),
      v_fonts{&v_normalFont,   &v_heading0Font, &v_heading1Font, &v_heading2Font,
              &v_heading3Font, &v_heading4Font, &v_titleFont,    &v_subTitleFont},
      v_fontNames{"Arial", "Tahoma", "Verdana", "Courier New", "Segoe UI", "MS Sans Serif"},
      v_decorationDef(pDecorationDef) {
    const std::string szFace = BaseFontName();
    const TFontStyles bold{graphics::fsBold};
    const TFontStyles boldItalic{graphics::fsBold, graphics::fsItalic};
    v_normalFont = RoleFont(szFace, 10, {});
    v_heading0Font = RoleFont(szFace, 20, bold);
    v_heading1Font = RoleFont(szFace, 18, bold);
    v_heading2Font = RoleFont(szFace, 16, boldItalic);
    v_heading3Font = RoleFont(szFace, 14, bold);
    v_heading4Font = RoleFont(szFace, 12, boldItalic);
    v_titleFont = RoleFont(szFace, 12, bold);
    v_subTitleFont = RoleFont(szFace, 10, bold);
}

void CTDocOutput::SetRoleFont(TFont& role, const TFont& font) {
    role = font;
    AddFontName(font.Name);
}

void CTDocOutput::SetNormalFontCharacteristics(const TFont& font) { SetRoleFont(v_normalFont, font); }
void CTDocOutput::SetTitleFontCharacteristics(const TFont& font) { SetRoleFont(v_titleFont, font); }
void CTDocOutput::SetSubTitleFontCharacteristics(const TFont& font) { SetRoleFont(v_subTitleFont, font); }
void CTDocOutput::SetHeading0FontCharacteristics(const TFont& font) { SetRoleFont(v_heading0Font, font); }
void CTDocOutput::SetHeading1FontCharacteristics(const TFont& font) { SetRoleFont(v_heading1Font, font); }
void CTDocOutput::SetHeading2FontCharacteristics(const TFont& font) { SetRoleFont(v_heading2Font, font); }
void CTDocOutput::SetHeading3FontCharacteristics(const TFont& font) { SetRoleFont(v_heading3Font, font); }
void CTDocOutput::SetHeading4FontCharacteristics(const TFont& font) { SetRoleFont(v_heading4Font, font); }

void CTDocOutput::AddFontName(const std::string& szName) {
    if (FontNumberOf(szName) < 0) v_fontNames.push_back(szName);
}

int CTDocOutput::FontNumberOf(const std::string& szName) const {
    for (std::size_t i = 0; i < v_fontNames.size(); ++i) {
        if (platform::EqualsIgnoringCase(v_fontNames[i], szName)) return static_cast<int>(i);
    }
    return -1;
}

int CTDocOutput::StyleNumberOf(const TFont& font) const {
    for (std::size_t i = 0; i < v_fonts.size(); ++i) {
        if (v_fonts[i] == &font) return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < v_fonts.size(); ++i) {
        if (*v_fonts[i] == font) return static_cast<int>(i);
    }
    return -1;
}

void CTDocOutput::TextWrite(const std::string& szStr) { TextStyle(szStr, {}, graphics::clWindowText, 0); }

void CTDocOutput::PutStringGrid(const TGridData& grid) {
    CTDocTable table(grid);
    PutDocTable(table);
}

void CTDocOutput::PutGraphicFromFile(double, const std::string&, int, int, int) {}

void CTDocOutput::CalcStringGridDimensions(TGridData& grid, int nApplExtraWidth) {
    CTDocTable table(grid);
    table.CalculatePixelSizes(nApplExtraWidth);
    for (int r = 0; r < table.GetNbRows() && r < grid.RowCount(); ++r) grid.SetRowHeight(r, table.GetRowHeight(r));
    for (int c = 0; c < table.GetNbColumns() && c < grid.ColCount(); ++c) grid.SetColWidth(c, table.GetColumnWidth(c));
}

TFontStyles CTDocOutput::GetFontStyle(std::uint32_t nAttrs) {
    if (nAttrs & kAttrBold) return {graphics::fsBold};
    if (nAttrs & kAttrItalic) return {graphics::fsItalic};
    if (nAttrs & kAttrUnderline) return {graphics::fsUnderline};
    return {};
}

namespace {

// Appends the words of one line (no CR LF inside) wrapped at blanks.
void WrapLine(std::string& out, std::string_view line, const TFont& font, int nMaxPixelWidth) {
    std::string current;
    std::size_t nPos = 0;
    while (nPos <= line.size()) {
        const std::size_t nEnd = std::min(line.find(' ', nPos), line.size());
        const std::string_view word = line.substr(nPos, nEnd - nPos);
        std::string candidate = current.empty() ? std::string(word) : current + " " + std::string(word);
        if (!current.empty() && graphics::TextWidth(font, candidate) > nMaxPixelWidth) {
            out += current;
            out += "\r\n";
            current = std::string(word);
        } else {
            current = std::move(candidate);
        }
        nPos = nEnd + 1;
    }
    out += current;
}

}  // namespace

std::string CTDocOutput::SplitStringInLines(const std::string& szStr, const TFont& font, int nMaxPixelWidth) {
    std::string out;
    const std::string_view text(szStr);
    std::size_t nStart = 0;
    while (true) {
        const std::size_t nBreak = text.find("\r\n", nStart);
        WrapLine(out, text.substr(nStart, nBreak == std::string_view::npos ? std::string_view::npos : nBreak - nStart),
                 font, nMaxPixelWidth);
        if (nBreak == std::string_view::npos) return out;
        out += "\r\n";
        nStart = nBreak + 2;
    }
}

namespace {

struct TRichCharacter {
    TFontStyles style;
    TColor color;
    bool operator==(const TRichCharacter&) const = default;
};

bool IsBreak(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void CTDocOutput::PutRichText(const CTRichText& richText) {
    std::string text;
    std::vector<TRichCharacter> attributes;
    for (const TRichRun& run : richText.runs) {
        text += run.text;
        attributes.insert(attributes.end(), run.text.size(), TRichCharacter{run.style, run.color});
    }
    const TFont savedNormal = v_normalFont;
    v_normalFont = richText.font;
    std::size_t nPos = 0;
    std::size_t nParagraph = 0;
    while (nPos < text.size()) {
        std::size_t nEnd = nPos;
        while (nEnd < text.size() && !IsBreak(text[nEnd])) ++nEnd;
        if (nEnd > nPos) {
            const TRichParagraph format =
                nParagraph < richText.paragraphs.size() ? richText.paragraphs[nParagraph] : TRichParagraph();
            const std::string paragraph = text.substr(nPos, nEnd - nPos);
            const TRichCharacter first = attributes[nPos];
            const bool bUniform = std::all_of(attributes.begin() + static_cast<std::ptrdiff_t>(nPos),
                                              attributes.begin() + static_cast<std::ptrdiff_t>(nEnd),
                                              [&](const TRichCharacter& a) { return a == first; });
            if (bUniform && format.alignment == graphics::taRightJustify) {
                TextRight(paragraph, first.style, first.color);
            } else if (bUniform && format.alignment == graphics::taCenter) {
                TextCenter(paragraph, first.style, first.color);
            } else if (bUniform && format.bBullet) {
                TextStyle("\xE2\x80\xA2", first.style, first.color, 0);
                TextStyle(paragraph, first.style, first.color, 1);
            } else if (bUniform) {
                TextStyle(paragraph, first.style, first.color, 0);
            } else {
                // Word by word: leading blanks, then everything up to the next blank.
                std::size_t nWord = nPos;
                while (nWord < nEnd) {
                    std::size_t nNext = nWord;
                    while (nNext < nEnd && IsBlank(text[nNext])) ++nNext;
                    const TRichCharacter own = attributes[std::min(nNext, nEnd - 1)];
                    while (nNext < nEnd && !IsBlank(text[nNext])) ++nNext;
                    TextStyle(text.substr(nWord, nNext - nWord), own.style, own.color, 0);
                    nWord = nNext;
                }
            }
        }
        nPos = nEnd;
        while (nPos < text.size() && IsBreak(text[nPos])) {
            if (text[nPos] == '\r') TextWriteln();
            // CR, LF and CR LF each end one paragraph.
            if (text[nPos] == '\r' || nPos == 0 || text[nPos - 1] != '\r') ++nParagraph;
            ++nPos;
        }
    }
    v_normalFont = savedNormal;
}

}  // namespace brumalis
