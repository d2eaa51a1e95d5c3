#include "tests/documents/recording_doc_output.h"

#include <algorithm>

namespace brumalis::testing {

CTRecordingDocOutput::CTRecordingDocOutput() : CTDocOutput("Brumalis", nullptr) {}

void CTRecordingDocOutput::TextStyle(const std::string& szStr, doc::TFontStyles, doc::TColor, int) {
    v_calls.push_back("TEXT " + szStr);
}

void CTRecordingDocOutput::PutDocTable(CTDocTable& table) {
    v_calls.push_back("TABLE " + std::to_string(table.GetNbRows()) + "x" + std::to_string(table.GetNbColumns()));
}

void CTRecordingDocOutput::PutStringGrid(const TGridData& grid) {
    v_tables.push_back(grid);
    CTDocOutput::PutStringGrid(grid);
}

void CTRecordingDocOutput::PutGraphic(double nScale, const doc::CTGraphic& pGraphic, bool) {
    v_calls.push_back("PICTURE " + std::to_string(nScale).substr(0, 3) + " " + std::to_string(pGraphic.Width()) + "x" +
                      std::to_string(pGraphic.Height()));
}

void CTRecordingDocOutput::TextWithFont(const doc::TFont& font, const std::string& szStr, bool bIndexEntry) {
    std::string role = "FONT";
    const doc::TFont* roles[] = {&v_heading1Font, &v_heading2Font, &v_heading3Font, &v_heading4Font};
    for (int i = 0; i < 4; ++i) {
        if (*roles[i] == font) role = "H" + std::to_string(i + 1);
    }
    if (font == v_titleFont) role = "TITLE";
    v_calls.push_back(role + " " + (bIndexEntry ? "#" : "") + szStr);
}

std::vector<std::string> CTRecordingDocOutput::CallsStarting(const std::string& szPrefix) const {
    std::vector<std::string> out;
    for (const std::string& call : v_calls) {
        if (call.rfind(szPrefix, 0) == 0) out.push_back(call);
    }
    return out;
}

int CTRecordingDocOutput::Count(const std::string& szCall) const {
    return static_cast<int>(std::count(v_calls.begin(), v_calls.end(), szCall));
}

int CTRecordingDocOutput::Find(const std::string& szCall, int nFrom) const {
    for (std::size_t i = static_cast<std::size_t>(std::max(nFrom, 0)); i < v_calls.size(); ++i) {
        if (v_calls[i] == szCall) return static_cast<int>(i);
    }
    return -1;
}

bool CTRecordingDocOutput::AnyTableHas(const std::string& szText) const {
    for (const TGridData& grid : v_tables) {
        for (int r = 0; r < grid.RowCount(); ++r) {
            for (int c = 0; c < grid.ColCount(); ++c) {
                if (grid.Cell(c, r).text == szText) return true;
            }
        }
    }
    return false;
}

bool CTRecordingDocOutput::AnyTextHas(const std::string& szText) const {
    return std::any_of(v_calls.begin(), v_calls.end(),
                       [&szText](const std::string& call) { return call.find(szText) != std::string::npos; });
}

const TGridData* CTRecordingDocOutput::TableStartingWith(const std::string& szHeader) const {
    for (const TGridData& grid : v_tables) {
        if (grid.RowCount() > 0 && grid.ColCount() > 0 && grid.Cell(0, 0).text == szHeader) return &grid;
    }
    return nullptr;
}

std::vector<std::string> ColumnTexts(const TGridData& grid, int nCol) {
    std::vector<std::string> out;
    for (int r = 0; r < grid.RowCount(); ++r) out.push_back(grid.Cell(nCol, r).text);
    return out;
}

}  // namespace brumalis::testing
