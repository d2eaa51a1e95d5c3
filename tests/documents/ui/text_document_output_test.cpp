#include <gtest/gtest.h>

#include <QtGui/QTextBlock>
#include <QtGui/QTextDocument>
#include <QtGui/QTextFragment>
#include <QtGui/QTextTable>

#include <cmath>
#include <string>
#include <vector>

#include "dialogs/messages.h"
#include "documents/notices.h"
#include "documents/ui/text_document_output.h"
#include "online/privacy_notice.h"
#include "platform/graphics/emf.h"
#include "platform/graphics/font_metrics.h"

namespace brumalis::docui {
namespace {

// Names with only the program's given; the others take their defaults.
dialogs::TDisclaimerNames ProgramOnly(const std::string& szProgram) {
    dialogs::TDisclaimerNames names;
    names.szProgName = szProgram;
    return names;
}

using namespace graphics;

struct TBlock {
    QString text;
    bool bBold = false;  // every fragment bold
    Qt::Alignment alignment;
};

// The top-level paragraphs of a document, in order (tables left out).
std::vector<TBlock> Blocks(const QTextDocument& document) {
    std::vector<TBlock> blocks;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        if (QTextCursor(b).currentTable()) continue;
        TBlock block{b.text(), !b.text().isEmpty(), b.blockFormat().alignment()};
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            block.bBold = block.bBold && it.fragment().charFormat().fontWeight() >= QFont::Bold;
        }
        blocks.push_back(block);
    }
    return blocks;
}

QTextCharFormat FormatAt(const QTextDocument& document, const QString& text) {
    QTextCursor cursor = document.find(text);
    EXPECT_FALSE(cursor.isNull()) << text.toStdString();
    return cursor.charFormat();
}

class TextDocumentOutputTest : public ::testing::Test {
protected:
    void SetUp() override { v_previous = dialogs::TBaseMsg::SetTranslateFunc(nullptr); }
    void TearDown() override { dialogs::TBaseMsg::SetTranslateFunc(v_previous); }

    QTextDocument document;
    dialogs::TTranslateFunc v_previous;
};

TEST_F(TextDocumentOutputTest, RunsKeepStylesColoursAndTheNormalFontParagraphsTheirOrder) {
    CTTextDocumentOutput out(document, "test");
    out.SetNormalFontCharacteristics({"Arial", 12, {}, clWindowText});
    out.TextWrite("plain ");
    out.TextStyle("bold", {fsBold}, clWindowText, 0);
    out.TextStyle("red", {fsItalic}, RGBColor(200, 0, 0), 1);
    out.TextWriteln();
    out.TextCenter("middle", {}, clWindowText);
    out.TextRight("right", {}, clWindowText);
    out.TextWrite("after");
    out.TextWriteln();
    out.TextWriteln();
    out.TextLeft("last", true);

    const auto blocks = Blocks(document);
    ASSERT_EQ(blocks.size(), 7u);
    EXPECT_EQ(blocks[0].text, QStringLiteral("plain bold\tred"));
    EXPECT_EQ(blocks[1].text, QStringLiteral("middle"));
    EXPECT_EQ(blocks[1].alignment, Qt::AlignHCenter);
    EXPECT_EQ(blocks[2].alignment, Qt::AlignRight);
    EXPECT_EQ(blocks[3].text, QStringLiteral("after"));
    EXPECT_EQ(blocks[3].alignment, Qt::AlignLeft);
    EXPECT_TRUE(blocks[4].text.isEmpty());  // the empty line
    EXPECT_EQ(blocks[5].text, QStringLiteral("last"));

    const QTextCharFormat plain = FormatAt(document, "plain");
    EXPECT_EQ(plain.font().pixelSize(), FontEmPixels(12));
    EXPECT_FALSE(plain.font().bold());
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));  // the view's own text colour
    EXPECT_TRUE(FormatAt(document, "bold").font().bold());
    const QTextCharFormat red = FormatAt(document, "red");
    EXPECT_TRUE(red.font().italic());
    EXPECT_FALSE(red.font().bold());
    EXPECT_EQ(red.foreground().color(), QColor(200, 0, 0));
}

TEST_F(TextDocumentOutputTest, HeadingsTakeTheirRoleFontAndOutlineEntriesAreNumbered) {
    CTTextDocumentOutput out(document, "test");
    out.TextWrite("open text");
    out.TextHeading1("Unit", true);
    out.TextHeading2("Cooling", true);
    out.TextHeading2("Heating", true);
    out.TextHeading1("Plant", true);
    out.TextTitle("Title", false);
    out.TextHeading3("Plain heading", false);
    const auto blocks = Blocks(document);
    std::vector<QString> texts;
    for (const TBlock& b : blocks) texts.push_back(b.text);
    EXPECT_EQ(texts, (std::vector<QString>{"open text", "1. Unit", "1.1. Cooling", "1.2. Heating", "2. Plant", "Title",
                                           "Plain heading", ""}));
    for (std::size_t i = 1; i <= 6; ++i) EXPECT_TRUE(blocks[i].bBold) << i;
    EXPECT_FALSE(blocks[0].bBold);
    EXPECT_EQ(FormatAt(document, "Unit").font().pixelSize(), FontEmPixels(18));
    EXPECT_TRUE(FormatAt(document, "Cooling").font().italic());
    EXPECT_EQ(document.findBlock(document.find("Unit").position()).blockFormat().headingLevel(), 2);
}

TEST_F(TextDocumentOutputTest, TablesKeepSpansCellFormatsAndBordersPagesBreakInvisibly) {
    CTTextDocumentOutput out(document, "test");
    out.TextWrite("before");
    CTDocTable table(3, 2, 0, 1, false);
    table.SetText(0, 0, "Title", {fsBold});
    table.SetColumnSpan(0, 0, 2);
    table.SetText(2, 0, "kW");
    table.SetText(0, 1, "line 1\r\nline 2");
    table.SetText(2, 1, "120.5");
    table.SetHorAlign(2, 1, taRightJustify);
    table.SetBgColor(2, 1, RGBColor(255, 255, 200));
    table.SetHasVertCellBorders(false);
    out.PutDocTable(table);
    out.NewPage();
    out.TextWrite("after");
    out.TextWriteln();

    QTextTable* pTable = nullptr;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) pTable = qobject_cast<QTextTable*>(frame);
    ASSERT_TRUE(pTable);
    EXPECT_EQ(pTable->rows(), 2);
    EXPECT_EQ(pTable->columns(), 3);
    EXPECT_GT(table.GetColumnWidth(0), 0);  // measured for the writer
    EXPECT_EQ(pTable->format().columnWidthConstraints()[0].rawValue(), table.GetColumnWidth(0));
    const QTextTableCell title = pTable->cellAt(0, 0);
    EXPECT_EQ(title.columnSpan(), 2);
    EXPECT_TRUE(FormatAt(document, "Title").font().bold());
    const QTextTableCell value = pTable->cellAt(1, 2);
    QTextCursor cursor = value.firstCursorPosition();
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    EXPECT_EQ(cursor.selectedText(), QStringLiteral("120.5"));
    EXPECT_EQ(cursor.blockFormat().alignment(), Qt::AlignRight);
    const QTextTableCellFormat valueFormat = value.format().toTableCellFormat();
    EXPECT_EQ(valueFormat.background().color(), QColor(255, 255, 200));
    EXPECT_EQ(valueFormat.rightBorder(), 1.0);  // the table's own border
    EXPECT_EQ(pTable->cellAt(1, 0).format().toTableCellFormat().rightBorder(), 0.0);  // no vertical cell borders
    EXPECT_EQ(pTable->cellAt(1, 0).format().toTableCellFormat().topBorder(), 0.0);
    EXPECT_EQ(pTable->cellAt(0, 0).format().toTableCellFormat().topBorder(), 1.0);
    QTextCursor lines = pTable->cellAt(1, 0).firstCursorPosition();
    lines.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    EXPECT_EQ(lines.selectedText(), QStringLiteral("line 1") + QChar(QChar::LineSeparator) + "line 2");

    const auto blocks = Blocks(document);
    ASSERT_GE(blocks.size(), 2u);
    EXPECT_EQ(blocks.front().text, QStringLiteral("before"));
    const QTextBlock after = document.findBlock(document.find("after").position());
    EXPECT_EQ(after.blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(document.toPlainText().count(QChar(0x0C)), 0);
}

TEST_F(TextDocumentOutputTest, PicturesAreScaledAsInPrintAndMetafilesRenderedAtTheViewsRatio) {
    CTTextDocumentOutput out(document, "test", 2.0);
    CTRaster raster(30, 20);
    out.PutGraphic(1.25, CTGraphic::FromRaster(raster), true);
    CTEmfCanvas emf(50, 40);
    emf.Rectangle(0, 0, 50, 40);
    out.PutGraphic(2.5, emf.FinishGraphic(), false);
    out.PutGraphic(1.0, CTGraphic(), true);  // empty: left out, no paragraph either
    out.PutGraphicFromFile(1.0, "/nonexistent/picture.jpg", doc::kImageJpeg, 10, 10);

    std::vector<QTextImageFormat> images;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) images.push_back(it.fragment().charFormat().toImageFormat());
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].width(), 30);  // 1.25 × 96 / 120 = 1
    EXPECT_EQ(images[0].height(), 20);
    EXPECT_EQ(images[1].width(), 100);
    EXPECT_EQ(images[1].height(), 80);
    const QImage rendered = document.resource(QTextDocument::ImageResource, QUrl(images[1].name())).value<QImage>();
    EXPECT_EQ(rendered.size(), QSize(200, 160));  // sharp on the 2x screen
    EXPECT_EQ(rendered.devicePixelRatio(), 2.0);
    EXPECT_EQ(rendered.pixelColor(100, 80), QColor(Qt::white));
    EXPECT_EQ(rendered.pixelColor(0, 80), QColor(Qt::black));  // the outline
    EXPECT_EQ(Blocks(document).size(), 2u);

    // An absurd scale is bounded, and so is the memory the picture takes.
    QTextDocument huge;
    CTTextDocumentOutput hugeOut(huge, "test", 2.0);
    CTEmfCanvas big(4000, 10);
    big.Rectangle(0, 0, 4000, 10);
    hugeOut.PutGraphic(1e9, big.FinishGraphic(), false);
    hugeOut.PutGraphic(std::nan(""), CTGraphic::FromRaster(raster), false);
    const QTextImageFormat bounded = huge.begin().begin().fragment().charFormat().toImageFormat();
    EXPECT_EQ(bounded.width(), 16384);
    EXPECT_LE(huge.resource(QTextDocument::ImageResource, QUrl(bounded.name())).value<QImage>().width(), 4096);
    EXPECT_EQ(huge.toPlainText().size(), 1);
}

TEST_F(TextDocumentOutputTest, TheDisclaimerShowsTenBoldHeadingsAndItsEmptyLinesByTheRule) {
    CTTextDocumentOutput out(document, "Brumalis");
    WriteDisclaimer(out, ProgramOnly("Brumalis"));
    const auto blocks = Blocks(document);
    int nHeadings = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_FALSE(blocks[i].text.contains('$')) << blocks[i].text.toStdString();
        if (!blocks[i].bBold) continue;
        ++nHeadings;
        ASSERT_LT(i + 1, blocks.size());
        EXPECT_FALSE(blocks[i + 1].text.isEmpty());
    }
    EXPECT_EQ(nHeadings, 10);
    EXPECT_EQ(blocks[0].text, QStringLiteral("Brumalis - Accept to launch the software."));
    EXPECT_TRUE(blocks[2].text.isEmpty());
    const QTextBlock point = document.findBlock(document.find("1. data are sent").position());
    EXPECT_FALSE(point.previous().text().isEmpty());  // the introduction runs on
    EXPECT_FALSE(point.next().text().isEmpty());
}

TEST_F(TextDocumentOutputTest, ThePrivacyNoticeShowsItsBoldHeadingAndTheProgramName) {
    CTTextDocumentOutput out(document, "Brumalis");
    online::WritePrivacyNotice(out, "Brumalis");
    const auto blocks = Blocks(document);
    ASSERT_GT(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].text, QStringLiteral("Information we collect"));
    EXPECT_TRUE(blocks[0].bBold);
    EXPECT_TRUE(blocks[1].text.startsWith("When you accept the upgrade, Brumalis sends"));
    EXPECT_FALSE(blocks[1].bBold);
    EXPECT_FALSE(document.toPlainText().contains("$1"));
}

}  // namespace
}  // namespace brumalis::docui
