// A toolkit-neutral grid that the table views fill: texts per cell, an
// integer object per cell (what the cell stands for) and column widths in
// pixels. The GUI copies it into its widgets; tests read it directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brumalis {

struct TGridCell {
    std::string text;
    std::int64_t object = 0;
};

class TGridData {
public:
    // Resizes to nRows × nCols, clearing every cell, all columns at the default width.
    void Reset(int nRows, int nCols, int nDefaultColWidth);
    int RowCount() const { return static_cast<int>(v_cells.size()); }
    int ColCount() const { return static_cast<int>(v_colWidths.size()); }
    TGridCell& Cell(int nCol, int nRow) { return v_cells.at(static_cast<std::size_t>(nRow)).at(static_cast<std::size_t>(nCol)); }
    const TGridCell& Cell(int nCol, int nRow) const {
        return v_cells.at(static_cast<std::size_t>(nRow)).at(static_cast<std::size_t>(nCol));
    }
    int ColWidth(int nCol) const { return v_colWidths.at(static_cast<std::size_t>(nCol)); }
    void SetColWidth(int nCol, int nWidth) { v_colWidths.at(static_cast<std::size_t>(nCol)) = nWidth; }
    // Widens the column when the text and one blank do not fit (a fixed
    // character width stands in for the font metrics of the views).
    void FitText(int nCol, const std::string& szText);
    // Pixels of a text in the fixed character width (glyphs, not bytes: "°C" is two).
    static int TextWidth(const std::string& szText);

    static constexpr int kCharWidth = 7;

private:
    std::vector<std::vector<TGridCell>> v_cells;
    std::vector<int> v_colWidths;
};

}  // namespace brumalis
