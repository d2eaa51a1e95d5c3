#include "catalogue/table_grid.h"

namespace brumalis {

void TGridData::Reset(int nRows, int nCols, int nDefaultColWidth) {
    v_cells.assign(static_cast<std::size_t>(nRows), std::vector<TGridCell>(static_cast<std::size_t>(nCols)));
    v_colWidths.assign(static_cast<std::size_t>(nCols), nDefaultColWidth);
    v_rowHeights.assign(static_cast<std::size_t>(nRows), kDefaultRowHeight);
}

void TGridData::SetRowCount(int nRows) {
    const auto n = static_cast<std::size_t>(nRows < 0 ? 0 : nRows);
    v_cells.resize(n, std::vector<TGridCell>(v_colWidths.size()));
    v_rowHeights.resize(n, kDefaultRowHeight);
}

void TGridData::SetColCount(int nCols) {
    const auto n = static_cast<std::size_t>(nCols < 0 ? 0 : nCols);
    for (auto& row : v_cells) row.resize(n);
    v_colWidths.resize(n, kDefaultColWidth);
}

void TGridData::SetOption(TGridOption option, bool bOn) {
    const auto nBit = static_cast<std::uint8_t>(1u << option);
    v_options = static_cast<std::uint8_t>(bOn ? v_options | nBit : v_options & ~nBit);
}

int TGridData::TextWidth(const std::string& szText) {
    std::size_t nGlyphs = 0;
    for (unsigned char c : szText) nGlyphs += (c & 0xC0) != 0x80 ? 1 : 0;
    return static_cast<int>(nGlyphs) * kCharWidth;
}

void TGridData::FitText(int nCol, const std::string& szText) {
    const int nNeeded = TextWidth(szText) + kCharWidth;
    if (nNeeded > ColWidth(nCol)) SetColWidth(nCol, nNeeded);
}

}  // namespace brumalis
