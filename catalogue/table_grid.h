// A toolkit-neutral grid that the table views and the reports fill: texts
// per cell, an integer object per cell (in report grids the cell's attribute
// word), column widths and row heights in pixels, fixed (title) rows and
// columns, grid lines, border, fixed-cell colour and font. The GUI copies it
// into its widgets; the documents turn it into tables; tests read it directly.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/graphics_types.h"

namespace brumalis {

struct TGridCell {
    std::string text;
    std::int64_t object = 0;
};

// The grid lines a grid draws.
enum TGridOption : std::uint8_t { goFixedVertLine = 0, goFixedHorzLine = 1, goVertLine = 2, goHorzLine = 3 };

enum class TGridBorderStyle : std::uint8_t { None, Single };

class TGridData {
public:
    static constexpr int kDefaultColWidth = 64;
    static constexpr int kDefaultRowHeight = 20;

    // Resizes to nRows × nCols, clearing every cell, all columns at the given
    // width and all rows at the default height.
    void Reset(int nRows, int nCols, int nDefaultColWidth);
    int RowCount() const { return static_cast<int>(v_rowHeights.size()); }
    int ColCount() const { return static_cast<int>(v_colWidths.size()); }
    // Change the counts keeping the cells that remain; new columns take the
    // default width, new rows the default height. Negative counts read as 0.
    void SetRowCount(int nRows);
    void SetColCount(int nCols);
    TGridCell& Cell(int nCol, int nRow) { return v_cells.at(static_cast<std::size_t>(nRow)).at(static_cast<std::size_t>(nCol)); }
    const TGridCell& Cell(int nCol, int nRow) const {
        return v_cells.at(static_cast<std::size_t>(nRow)).at(static_cast<std::size_t>(nCol));
    }
    int ColWidth(int nCol) const { return v_colWidths.at(static_cast<std::size_t>(nCol)); }
    void SetColWidth(int nCol, int nWidth) { v_colWidths.at(static_cast<std::size_t>(nCol)) = nWidth; }
    int RowHeight(int nRow) const { return v_rowHeights.at(static_cast<std::size_t>(nRow)); }
    void SetRowHeight(int nRow, int nHeight) { v_rowHeights.at(static_cast<std::size_t>(nRow)) = nHeight; }
    // Widens the column when the text and one blank do not fit (a fixed
    // character width stands in for the font metrics of the views).
    void FitText(int nCol, const std::string& szText);
    // Pixels of a text in the fixed character width (glyphs, not bytes: "°C" is two).
    static int TextWidth(const std::string& szText);

    // Title rows and columns, capped at the counts (also when these shrink).
    int FixedRows() const { return std::min(v_fixedRows, RowCount()); }
    int FixedCols() const { return std::min(v_fixedCols, ColCount()); }
    void SetFixedRows(int n) { v_fixedRows = n < 0 ? 0 : n; }
    void SetFixedCols(int n) { v_fixedCols = n < 0 ? 0 : n; }

    // All four grid lines are drawn unless switched off.
    bool HasOption(TGridOption option) const { return (v_options >> option) & 1u; }
    void SetOption(TGridOption option, bool bOn);
    TGridBorderStyle BorderStyle() const { return v_borderStyle; }
    void SetBorderStyle(TGridBorderStyle style) { v_borderStyle = style; }
    graphics::TColor FixedColor() const { return v_fixedColor; }
    void SetFixedColor(graphics::TColor nColor) { v_fixedColor = nColor; }
    const graphics::TFont& Font() const { return v_font; }
    void SetFont(const graphics::TFont& font) { v_font = font; }

    static constexpr int kCharWidth = 7;

private:
    std::vector<std::vector<TGridCell>> v_cells;
    std::vector<int> v_colWidths;
    std::vector<int> v_rowHeights;
    int v_fixedRows = 0;
    int v_fixedCols = 0;
    std::uint8_t v_options = 0x0F;
    TGridBorderStyle v_borderStyle = TGridBorderStyle::Single;
    graphics::TColor v_fixedColor = graphics::clBtnFace;
    graphics::TFont v_font;
};

}  // namespace brumalis
