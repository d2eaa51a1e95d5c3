#include "documents/ui/text_document_output.h"

#include <QtCore/QUrl>
#include <QtGui/QTextCharFormat>
#include <QtGui/QTextDocument>
#include <QtGui/QTextTable>

#include <algorithm>
#include <cmath>

#include "documents/ui/raster_image.h"
#include "documents/ui/canvas_view.h"
#include "documents/ui/qt_canvas.h"
#include "documents/ui/qt_colors.h"

namespace brumalis::docui {

using namespace doc;

namespace {

// Space above and below a heading, in pixels (12 and 3 points).
constexpr int kHeadingSpaceAbove = 16;
constexpr int kHeadingSpaceBelow = 4;
constexpr int kCellPadding = 2;
// The longest side, in device pixels, a metafile is rendered at: a picture
// shown larger is drawn less sharp rather than allocating without bound.
constexpr int kMaxRenderedSide = 4096;
// The largest size a picture is shown at, in logical pixels.
constexpr int kMaxShownSide = 16384;
// Style numbers of the heading role fonts.
constexpr int kFirstHeadingStyle = 1;
constexpr int kLastHeadingStyle = 5;

// Caller text for the screen: line ends become line breaks inside the
// paragraph, other control characters but the tab are dropped.
QString ScreenText(const std::string& szText) {
    QString text = QString::fromUtf8(szText.data(), static_cast<qsizetype>(szText.size()));
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n') out += QChar::LineSeparator;
        else if (c == u'\t' || c.unicode() >= 0x20) out += c;
    }
    return out;
}

bool AllColumnsZeroWide(CTDocTable& table) {
    for (int c = 0; c < table.GetNbColumns(); ++c) {
        if (table.GetColumnWidth(c) != 0) return false;
    }
    return true;
}

Qt::Alignment QtAlignment(TAlignment alignment) {
    switch (alignment) {
        case graphics::taRightJustify: return Qt::AlignRight;
        case graphics::taCenter: return Qt::AlignHCenter;
        default: return Qt::AlignLeft;
    }
}

}  // namespace

CTTextDocumentOutput::CTTextDocumentOutput(QTextDocument& document, std::string szApplName, double dPixelRatio,
                                           QPalette palette)
    : CTDocOutput(std::move(szApplName), nullptr),
      v_document(document),
      v_cursor(&document),
      v_pixelRatio(dPixelRatio > 0 ? dPixelRatio : 1.0),
      v_palette(std::move(palette)) {
    v_cursor.movePosition(QTextCursor::End);
    v_paragraphOpen = !v_cursor.block().text().isEmpty();
}

QTextCharFormat CTTextDocumentOutput::CharFormat(const TFont& font) const {
    QTextCharFormat format;
    format.setFont(CTQtCanvas::QtFont(font), QTextCharFormat::FontPropertiesAll);
    // The default text colour is the view's, so it follows its palette.
    if (font.Color != graphics::clWindowText) format.setForeground(ToQColor(font.Color, v_palette));
    return format;
}

void CTTextDocumentOutput::NewParagraph() {
    v_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    v_paragraphOpen = false;
}

void CTTextDocumentOutput::EndOpenParagraph() {
    if (v_paragraphOpen) NewParagraph();
}

void CTTextDocumentOutput::TextStyle(const std::string& szStr, TFontStyles pStyle, TColor nColor, int nTabIndex) {
    TFont font = v_normalFont;
    font.Style = font.Style | pStyle;
    font.Color = nColor;
    v_cursor.insertText(QString(std::max(0, nTabIndex), u'\t') + ScreenText(szStr), CharFormat(font));
    v_paragraphOpen = true;
}

void CTTextDocumentOutput::TextWriteln() { NewParagraph(); }

void CTTextDocumentOutput::AlignedParagraph(Qt::Alignment alignment, const std::string& szStr, TFontStyles pStyle,
                                            TColor nColor) {
    QTextBlockFormat format;
    format.setAlignment(alignment);
    v_cursor.mergeBlockFormat(format);
    TextStyle(szStr, pStyle, nColor, 0);
    NewParagraph();
}

void CTTextDocumentOutput::TextCenter(const std::string& szStr, TFontStyles pStyle, TColor nColor) {
    AlignedParagraph(Qt::AlignHCenter, szStr, pStyle, nColor);
}

void CTTextDocumentOutput::TextLeft(const std::string& szStr, TFontStyles pStyle, TColor nColor) {
    AlignedParagraph(Qt::AlignLeft, szStr, pStyle, nColor);
}

void CTTextDocumentOutput::TextRight(const std::string& szStr, TFontStyles pStyle, TColor nColor) {
    AlignedParagraph(Qt::AlignRight, szStr, pStyle, nColor);
}

void CTTextDocumentOutput::NewPage() {
    EndOpenParagraph();
    // Nothing to see on screen; a printout of the document breaks here.
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    v_cursor.mergeBlockFormat(format);
}

std::string CTTextDocumentOutput::OutlineNumber(const TFont& font) {
    const int nLevel = std::clamp(StyleNumberOf(font) - kFirstHeadingStyle - 1, 0, int(v_outline.size()) - 1);
    ++v_outline[std::size_t(nLevel)];
    std::fill(v_outline.begin() + nLevel + 1, v_outline.end(), 0);
    std::string szNumber;
    for (int i = 0; i <= nLevel; ++i) szNumber += std::to_string(v_outline[std::size_t(i)]) + ".";
    return szNumber + " ";
}

void CTTextDocumentOutput::TextWithFont(const TFont& font, const std::string& szStr, bool bIndexEntry) {
    EndOpenParagraph();
    QTextBlockFormat format;
    format.setTopMargin(kHeadingSpaceAbove);
    format.setBottomMargin(kHeadingSpaceBelow);
    const int nStyle = StyleNumberOf(font);
    if (nStyle >= kFirstHeadingStyle && nStyle <= kLastHeadingStyle) format.setHeadingLevel(nStyle);
    v_cursor.setBlockFormat(format);
    const std::string szNumber = bIndexEntry ? OutlineNumber(font) : std::string();
    v_cursor.insertText(ScreenText(szNumber + szStr), CharFormat(font));
    NewParagraph();
}

void CTTextDocumentOutput::InsertPicture(QTextCursor& cursor, double nScale, const CTGraphic& graphic) {
    if (graphic.IsEmpty() || graphic.Width() == 0 || graphic.Height() == 0) return;
    // Scaled as the printed document scales it.
    const double s = nScale * 96 / 120;
    if (!std::isfinite(s) || s <= 0) return;
    const auto side = [s](int nPixels) {
        return static_cast<int>(std::lround(std::clamp(nPixels * s, 1.0, double(kMaxShownSide))));
    };
    const int nW = side(graphic.Width());
    const int nH = side(graphic.Height());
    QImage image;
    if (graphic.Kind() == graphics::TGraphicKind::Raster) {
        image = RasterImage(graphic.Raster());
    } else {
        image = RenderCanvasImage(
            [&graphic](graphics::CTDeviceCanvas& canvas, graphics::TSize size) {
                canvas.PlayMetafile({0, 0, size.cx, size.cy}, graphic);
            },
            {nW, nH}, std::min(v_pixelRatio, double(kMaxRenderedSide) / std::max(nW, nH)), v_palette,
            graphics::clWhite);
    }
    const QString name = QStringLiteral("brumalis-picture:%1").arg(++v_nPictures);
    v_document.addResource(QTextDocument::ImageResource, QUrl(name), QVariant(image));
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(nW);
    format.setHeight(nH);
    cursor.insertImage(format);
}

void CTTextDocumentOutput::PutGraphic(double nScale, const CTGraphic& pGraphic, bool bAddNewLine) {
    if (pGraphic.IsEmpty() || pGraphic.Width() == 0 || pGraphic.Height() == 0) return;
    InsertPicture(v_cursor, nScale, pGraphic);
    v_paragraphOpen = true;
    if (bAddNewLine) NewParagraph();
}

void CTTextDocumentOutput::PutGraphicFromFile(double nScale, const std::string& szFileName, int nImageType,
                                              int nImageW, int nImageH) {
    if (nImageW == 0 || nImageH == 0) return;
    if (nImageType != kImageMetafile && nImageType != kImageJpeg) return;
    const CTGraphic graphic = graphics::LoadPictureFile(szFileName);
    if (graphic.IsEmpty()) return;  // a picture that cannot be read is left out
    PutGraphic(nScale, graphic, true);
}

void CTTextDocumentOutput::PutDocTable(CTDocTable& table) {
    EndOpenParagraph();
    // A table nobody measured would collapse to zero-wide cells.
    if (AllColumnsZeroWide(table)) table.CalculatePixelSizes(0);
    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(kCellPadding);
    format.setHeaderRowCount(table.GetNbTitleRows());
    QList<QTextLength> widths;
    for (int c = 0; c < table.GetNbColumns(); ++c) {
        widths << QTextLength(QTextLength::FixedLength, table.GetColumnWidth(c));
    }
    format.setColumnWidthConstraints(widths);
    QTextTable* pTable = v_cursor.insertTable(table.GetNbRows(), table.GetNbColumns(), format);
    for (int r = 0; r < table.GetNbRows(); ++r) {
        for (int c = 0; c < table.GetNbColumns();) {
            const int nSpan = table.GetColumnSpan(c, r);
            if (nSpan > 1) pTable->mergeCells(r, c, 1, nSpan);
            c += nSpan;
        }
    }
    FillTable(table);
    v_cursor.movePosition(QTextCursor::End);
    v_paragraphOpen = false;
}

void CTTextDocumentOutput::FillTable(CTDocTable& table) {
    QTextTable* pTable = v_cursor.currentTable();
    if (!pTable) return;
    TFont base;
    table.GetFontCharacteristics(base);
    for (int r = 0; r < table.GetNbRows(); ++r) {
        for (int c = 0; c < table.GetNbColumns(); c += table.GetColumnSpan(c, r)) {
            QTextTableCell cell = pTable->cellAt(r, c);
            QTextTableCellFormat cellFormat;
            cellFormat.setBackground(ToQColor(table.GetBgColor(c, r), v_palette));
            cellFormat.setPadding(kCellPadding);
            TColor nColor = 0;
            const auto border = [&](bool bHas) {
                return std::pair{bHas ? 1.0 : 0.0, QBrush(ToQColor(nColor, v_palette))};
            };
            const auto [nTop, top] = border(table.HasTopBorderColor(c, r, nColor));
            cellFormat.setTopBorder(nTop), cellFormat.setTopBorderBrush(top);
            const auto [nBottom, bottom] = border(table.HasBottomBorderColor(c, r, nColor));
            cellFormat.setBottomBorder(nBottom), cellFormat.setBottomBorderBrush(bottom);
            const auto [nLeft, left] = border(table.HasLeftBorderColor(c, r, nColor));
            cellFormat.setLeftBorder(nLeft), cellFormat.setLeftBorderBrush(left);
            const auto [nRight, right] = border(table.HasRightBorderColor(c, r, nColor));
            cellFormat.setRightBorder(nRight), cellFormat.setRightBorderBrush(right);
            cellFormat.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cellFormat.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cellFormat.setLeftBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cellFormat.setRightBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cell.setFormat(cellFormat);

            QTextCursor cursor = cell.firstCursorPosition();
            QTextBlockFormat blockFormat;
            blockFormat.setAlignment(QtAlignment(table.GetHorAlign(c, r)));
            cursor.setBlockFormat(blockFormat);
            CTGraphic graphic;
            double nScale = 1.0;
            if (table.GetGraphic(c, r, graphic, nScale) && !graphic.IsEmpty()) {
                InsertPicture(cursor, nScale, graphic);
                cursor.insertBlock(blockFormat);
            }
            TFont font = base;
            font.Size = table.GetFontSize(c, r);
            font.Style = table.GetStyles(c, r);
            font.Color = table.GetFontColor(c, r);
            cursor.insertText(ScreenText(table.GetText(c, r)), CharFormat(font));
        }
    }
}

}  // namespace brumalis::docui
