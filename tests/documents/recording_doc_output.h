// A document that records what a report writes, one line per call, so
// tests read the order of headings, paragraphs, tables, pictures and page
// breaks:
//   "H1 #Text" (a numbered heading; without "#" unnumbered), "TITLE Text",
//   "TEXT Text" (a run), "LN" (a line end), "PAGE",
//   "TABLE RxC", "PICTURE scale WxH".
// Tables are kept whole for a closer look.
#pragma once

#include <string>
#include <vector>

#include "catalogue/table_grid.h"
#include "documents/doc_output.h"

namespace brumalis::testing {

class CTRecordingDocOutput : public CTDocOutput {
public:
    CTRecordingDocOutput();

    void TextStyle(const std::string& szStr, doc::TFontStyles pStyle, doc::TColor nColor, int nTabIndex) override;
    void TextWriteln() override { v_calls.push_back("LN"); }
    void TextCenter(const std::string& szStr, doc::TFontStyles, doc::TColor) override { v_calls.push_back("TEXT " + szStr); }
    void TextLeft(const std::string& szStr, doc::TFontStyles, doc::TColor) override { v_calls.push_back("TEXT " + szStr); }
    using CTDocOutput::TextLeft;
    void TextRight(const std::string& szStr, doc::TFontStyles, doc::TColor) override { v_calls.push_back("TEXT " + szStr); }
    void NewPage() override { v_calls.push_back("PAGE"); }
    void PutDocTable(CTDocTable& table) override;
    void PutStringGrid(const TGridData& grid) override;
    void PutGraphic(double nScale, const doc::CTGraphic& pGraphic, bool bAddNewLine) override;
    void TextWithFont(const doc::TFont& font, const std::string& szStr, bool bIndexEntry) override;

    const std::vector<std::string>& Calls() const { return v_calls; }
    const std::vector<TGridData>& Tables() const { return v_tables; }
    // The calls that start with szPrefix.
    std::vector<std::string> CallsStarting(const std::string& szPrefix) const;
    int Count(const std::string& szCall) const;
    // Position of the first call equal to szCall from nFrom; -1 when none.
    int Find(const std::string& szCall, int nFrom = 0) const;
    // Every text of every table and run, to search in.
    bool AnyTableHas(const std::string& szText) const;
    bool AnyTextHas(const std::string& szText) const;
    // The first table whose cell (0, 0) is szHeader; null when none.
    const TGridData* TableStartingWith(const std::string& szHeader) const;

private:
    std::vector<std::string> v_calls;
    std::vector<TGridData> v_tables;
};

// The texts of a column of a table, from row 0.
std::vector<std::string> ColumnTexts(const TGridData& grid, int nCol);

}  // namespace brumalis::testing
