// The RTF writer behind every report: RTF 1, code page 1252, a fixed
// stylesheet mirroring the role fonts, a nine-level outline list for the
// numbered headings, a process-wide colour table, page size and margins,
// headers and footers from page decorations, tables with per-cell borders
// and shading, and pictures as hexadecimal metafile or JPEG data. The bytes
// are the same on every run, so documents can be compared exactly.
#pragma once

#include <string>
#include <vector>

#include "documents/doc_output.h"
#include "documents/rtf_bytes.h"

namespace brumalis {

class CTPageDecoration;

class CTRTFOutput : public CTDocOutput {
public:
    // The screen resolution that turns pixel sizes into twips.
    static constexpr int kScreenPixelsPerInch = 96;

    // Lengths in centimetres; 0 leaves a length out of the document. The
    // stream stays the caller's. Nothing is written yet.
    CTRTFOutput(CTStream& stream, std::string szApplName, const CTDecorationDefinition* pDecorationDef,
                double nPaperWCm, double nPaperHCm, double nMarginsCmL, double nMarginsCmR, double nMarginsCmT,
                double nMarginsCmB);
    // Finishes the document if Finish was not called; its outcome is lost.
    ~CTRTFOutput() override;

    // Writes the header if need be and the closing "}", and hands every
    // byte to the stream. False when the stream failed at some point; then
    // nothing after the failure was written and Error() tells what it was.
    // Later operations write nothing.
    bool Finish();
    const std::string& Error() const { return v_sink.Error(); }

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

    // Process-wide: metafiles sized by scale alone (for Word 2000) instead
    // of by their goal size. Answers the previous setting.
    static bool SetWord2000Compatible(bool b);
    // Process-wide: appends a colour the table does not hold yet.
    static void AddColor(doc::TColor nColor);
    // The colour table as it stands (RTF colour n is entry n - 1).
    static std::vector<doc::TColor> Colors();
    // Back to the 17 standard colours.
    static void RestoreStandardColors();
    // A colour's RTF number: its place in the table from 1, 0 when absent.
    static int ColorNumber(doc::TColor nColor);
    // Centimetres to twips, rounded to the nearest, ties to even.
    static int CmToTwips(double nCm);

private:
    void EnsureHeader();
    void WriteHeader();
    void WriteFontTable();
    void WriteColorTable();
    void WriteStylesheet();
    void WriteListTable();
    void WriteSection();
    void WriteDecorations(bool bTop);
    void WriteDecorationContent(const CTPageDecoration* pDecoration);
    void WriteFontRun(const doc::TFont& font);
    void WriteParagraphStyle(const doc::TFont& font, bool bNumbered);
    void WritePicture(std::string_view kind, double nScalePercent, const std::string& szGoal);
    void WriteTableRows(CTDocTable& table);
    void WriteCellDefinitions(CTDocTable& table, int r);
    void WriteCellContents(CTDocTable& table, int r);
    // A whole paragraph in one alignment, which ends back at the left.
    void AlignedParagraph(const char* szAlignment, const std::string& szStr, doc::TFontStyles pStyle,
                          doc::TColor nColor);
    bool Active() const { return !v_finished; }

    CTRtfSink v_sink;
    bool v_haveText = false;
    std::int32_t v_paperW;
    std::int32_t v_paperH;
    std::int32_t v_marginL;
    std::int32_t v_marginR;
    std::int32_t v_marginT;
    std::int32_t v_marginB;
    bool v_initialized = false;
    bool v_finished = false;
    // How many faces the written font table lists.
    std::size_t v_nFontsWritten = 0;
};

}  // namespace brumalis
