#include "catalogue/table_grid.h"

namespace brumalis {

void TGridData::Reset(int nRows, int nCols, int nDefaultColWidth) {
    v_cells.assign(static_cast<std::size_t>(nRows), std::vector<TGridCell>(static_cast<std::size_t>(nCols)));
    v_colWidths.assign(static_cast<std::size_t>(nCols), nDefaultColWidth);
}

void TGridData::FitText(int nCol, const std::string& szText) {
    // Characters, not bytes: "°C" is one glyph wide per character.
    std::size_t nChars = 0;
    for (unsigned char c : szText) nChars += (c & 0xC0) != 0x80 ? 1 : 0;
    const int nNeeded = static_cast<int>(nChars + 1) * kCharWidth;
    if (nNeeded > ColWidth(nCol)) SetColWidth(nCol, nNeeded);
}

}  // namespace brumalis
