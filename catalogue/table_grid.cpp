#include "catalogue/table_grid.h"

namespace brumalis {

void TGridData::Reset(int nRows, int nCols, int nDefaultColWidth) {
    v_cells.assign(static_cast<std::size_t>(nRows), std::vector<TGridCell>(static_cast<std::size_t>(nCols)));
    v_colWidths.assign(static_cast<std::size_t>(nCols), nDefaultColWidth);
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
