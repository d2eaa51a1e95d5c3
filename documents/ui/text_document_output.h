// The document writer for the screen: what a report or a notice writes
// through CTDocOutput lands in a QTextDocument that a read-only text view
// shows. Runs keep the role fonts, styles and colours, headings their role
// font (numbered when they are outline entries), tables their cell formats,
// spans and borders, pictures their scaled size. Page size, page breaks and
// page decorations belong to paper and are left out on screen.
#pragma once

#include <QtGui/QPalette>
#include <QtGui/QTextCursor>

#include <array>

#include "documents/doc_output.h"

class QTextDocument;
class QTextCharFormat;

namespace brumalis::docui {

class CTTextDocumentOutput : public CTDocOutput {
public:
    // Appends to the document, which stays the caller's. Metafile pictures
    // are rendered at dPixelRatio device pixels per logical pixel, so they
    // are sharp on the view's screen; system colours come from the palette,
    // except the default text colour, which is left to the view.
    CTTextDocumentOutput(QTextDocument& document, std::string szApplName, double dPixelRatio = 1.0,
                         QPalette palette = QPalette());

    void TextStyle(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor, int nTabIndex) override;
    void TextWriteln() override;
    void TextCenter(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor) override;
    void TextLeft(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor) override;
    using CTDocOutput::TextLeft;
    void TextRight(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor) override;
    void NewPage() override;
    void PutDocTable(CTDocTable& table) override;
    void PutGraphic(double nScale, const doc::CTGraphic& pGraphic, bool bAddNewLine) override;
    void PutGraphicFromFile(double nScale, const std::string& szFileName, int nImageType, int nImageW,
                            int nImageH) override;
    void TextWithFont(const doc::TFont& font, const std::string& szStr, bool bIndexEntry) override;

    // The character format of a model font on screen.
    QTextCharFormat CharFormat(const doc::TFont& font) const;

private:
    // Starts a new paragraph unless the current one is still empty.
    void EndOpenParagraph();
    void NewParagraph();
    void AlignedParagraph(Qt::Alignment alignment, const std::string& szStr, doc::TFontStyles pStyle,
                          doc::TColor nColor);
    // "1.2. ": the outline number of a numbered heading of a role font.
    std::string OutlineNumber(const doc::TFont& font);
    void InsertPicture(QTextCursor& cursor, double nScale, const doc::CTGraphic& graphic);
    void FillTable(CTDocTable& table);

    QTextDocument& v_document;
    QTextCursor v_cursor;
    double v_pixelRatio;
    QPalette v_palette;
    bool v_paragraphOpen = false;
    int v_nPictures = 0;
    std::array<int, 5> v_outline{};
};

}  // namespace brumalis::docui
