// The device-independent table model of the documents: cells with their own
// formatting over per-table defaults, title rows and columns, column spans,
// the border rules, and the sizes in screen pixels that a writer turns into
// its own units. Normally filled from a TGridData the report builder has
// populated.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/graphics_types.h"
#include "platform/graphics/picture.h"

namespace brumalis {

class TGridData;

namespace doc {
using graphics::TAlignment;
using graphics::TColor;
using graphics::TFont;
using graphics::TFontStyles;
using graphics::CTGraphic;

constexpr TColor kLightGrey = graphics::RGBColor(224, 224, 224);
constexpr TColor kGrey = graphics::RGBColor(128, 128, 128);

// Bits of a grid cell's attribute word.
constexpr std::uint32_t kAttrMultiLine = 1u << 17;
constexpr std::uint32_t kAttrStylesValid = 1u << 19;
constexpr std::uint32_t kAttrBold = 1u << 20;
constexpr std::uint32_t kAttrItalic = 1u << 21;
constexpr std::uint32_t kAttrUnderline = 1u << 22;
constexpr std::uint32_t kAttrAlignValid = 1u << 23;
constexpr std::uint32_t kAttrLeft = 1u << 24;
constexpr std::uint32_t kAttrCentre = 1u << 25;
constexpr std::uint32_t kAttrRight = 1u << 26;
constexpr std::uint32_t kAttrMergeNext = 1u << 27;
}  // namespace doc

class CTDocTableCell {
public:
    std::string v_text;
    doc::TFontStyles v_styles;
    bool v_stylesSet = false;
    doc::TAlignment v_horAlign = graphics::taLeftJustify;
    bool v_horAlignSet = false;
    std::int32_t v_fontSize = 10;
    bool v_fontSizeSet = false;
    doc::TColor v_fontColor = graphics::clWindowText;
    bool v_fontColorSet = false;
    doc::TColor v_bgColor = graphics::clWhite;
    bool v_bgColorSet = false;
    bool v_isMultiline = false;
    // Pictures are shared handles, so v_ownsGraphic only records whether the
    // cell was handed the picture to keep; the last holder frees it.
    doc::CTGraphic v_graphic;
    double v_graphicScale = 1.0;
    bool v_ownsGraphic = false;
    bool v_isMerged = false;
    std::int32_t v_columnSpan = 1;
    std::int32_t v_pixelWidth = 0;
    std::int32_t v_pixelHeight = 0;
};

// One column or one row: its cells and its width or height in pixels (0 =
// not computed).
class CTDocTableArray {
public:
    std::vector<CTDocTableCell*> v_cells;
    std::int32_t v_pixelDim = 0;
};
// A column lists the cells of its rows; it owns none.
class CTDocTableColumn : public CTDocTableArray {};
// A row owns its cells.
class CTDocTableRow : public CTDocTableArray {
public:
    CTDocTableRow() = default;
    ~CTDocTableRow();
    CTDocTableRow(const CTDocTableRow&) = delete;
    CTDocTableRow& operator=(const CTDocTableRow&) = delete;
};

class CTDocTable {
public:
    CTDocTable(int nNbColumns, int nNbRows, int nNbTitleColumns, int nNbTitleRows, bool bAutoExpand);
    explicit CTDocTable(const TGridData& grid);
    ~CTDocTable();
    CTDocTable(const CTDocTable&) = delete;
    CTDocTable& operator=(const CTDocTable&) = delete;
    CTDocTable(CTDocTable&&) = default;
    CTDocTable& operator=(CTDocTable&&) = default;

    void InitDimensions(int nNbColumns, int nNbRows, int nNbTitleColumns, int nNbTitleRows, bool bAutoExpand);
    void UseDataFromStringGrid(const TGridData& grid);
    void ClearCells();

    // Dimensions: counts below 1 become 1; growing adds default cells,
    // shrinking drops the trailing ones and lowers the title count to fit.
    void SetNbColumns(int n);
    void SetNbRows(int n);
    void SetNbTitleColumns(int n);
    void SetNbTitleRows(int n);
    int GetNbColumns() const { return static_cast<int>(v_columns.size()); }
    int GetNbRows() const { return static_cast<int>(v_rows.size()); }
    int GetNbTitleColumns() const { return v_nbTitleColumns; }
    int GetNbTitleRows() const { return v_nbTitleRows; }
    bool GetAutoExpand() const { return v_autoExpand; }

    // Table-wide flags and colours.
    void SetHasTableBorders(bool b) { v_hasTableBorders = b; }
    void SetHasHorzTitleBorders(bool b) { v_hasHorzTitleBorders = b; }
    void SetHasVertTitleBorders(bool b) { v_hasVertTitleBorders = b; }
    void SetSuppressTitleBordersAboveEmptyCells(bool b) { v_suppressTitleBordersAboveEmptyCells = b; }
    void SetHasHorzCellBorders(bool b) { v_hasHorzCellBorders = b; }
    void SetHasVertCellBorders(bool b) { v_hasVertCellBorders = b; }
    void SetAllHasBorders(bool b);
    bool GetHasTableBorders() const { return v_hasTableBorders; }
    bool GetHasHorzTitleBorders() const { return v_hasHorzTitleBorders; }
    bool GetHasVertTitleBorders() const { return v_hasVertTitleBorders; }
    bool GetSuppressTitleBordersAboveEmptyCells() const { return v_suppressTitleBordersAboveEmptyCells; }
    bool GetHasHorzCellBorders() const { return v_hasHorzCellBorders; }
    bool GetHasVertCellBorders() const { return v_hasVertCellBorders; }
    void SetTableBorderColor(doc::TColor n) { v_tableBorderColor = n; }
    void SetTitleBorderColor(doc::TColor n) { v_titleBorderColor = n; }
    void SetCellBorderColor(doc::TColor n) { v_cellBorderColor = n; }
    doc::TColor GetTableBorderColor() const { return v_tableBorderColor; }
    doc::TColor GetTitleBorderColor() const { return v_titleBorderColor; }
    doc::TColor GetCellBorderColor() const { return v_cellBorderColor; }

    // Defaults for body cells, title rows and title columns.
    void SetDefaultCellFontSize(int n) { v_cellFontSize = n; }
    void SetDefaultTitleRowFontSize(int n) { v_titleRowFontSize = n; }
    void SetDefaultTitleColumnFontSize(int n) { v_titleColumnFontSize = n; }
    void SetAllDefaultFontSize(int n);
    int GetDefaultCellFontSize() const { return v_cellFontSize; }
    int GetDefaultTitleRowFontSize() const { return v_titleRowFontSize; }
    int GetDefaultTitleColumnFontSize() const { return v_titleColumnFontSize; }
    void SetDefaultCellBgColor(doc::TColor n) { v_cellBgColor = n; }
    void SetDefaultTitleRowBgColor(doc::TColor n) { v_titleRowBgColor = n; }
    void SetDefaultTitleColumnBgColor(doc::TColor n) { v_titleColumnBgColor = n; }
    void SetAllDefaultBgColor(doc::TColor n);
    doc::TColor GetDefaultCellBgColor() const { return v_cellBgColor; }
    doc::TColor GetDefaultTitleRowBgColor() const { return v_titleRowBgColor; }
    doc::TColor GetDefaultTitleColumnBgColor() const { return v_titleColumnBgColor; }
    void SetDefaultCellFontColor(doc::TColor n) { v_cellFontColor = n; }
    void SetDefaultTitleRowFontColor(doc::TColor n) { v_titleRowFontColor = n; }
    void SetDefaultTitleColumnFontColor(doc::TColor n) { v_titleColumnFontColor = n; }
    void SetAllDefaultFontColor(doc::TColor n);
    doc::TColor GetDefaultCellFontColor() const { return v_cellFontColor; }
    doc::TColor GetDefaultTitleRowFontColor() const { return v_titleRowFontColor; }
    doc::TColor GetDefaultTitleColumnFontColor() const { return v_titleColumnFontColor; }
    void SetDefaultCellStyles(doc::TFontStyles st) { v_cellStyles = st; }
    void SetDefaultTitleRowStyles(doc::TFontStyles st) { v_titleRowStyles = st; }
    void SetDefaultTitleColumnStyles(doc::TFontStyles st) { v_titleColumnStyles = st; }
    void SetAllDefaultStyles(doc::TFontStyles st);
    doc::TFontStyles GetDefaultCellStyles() const { return v_cellStyles; }
    doc::TFontStyles GetDefaultTitleRowStyles() const { return v_titleRowStyles; }
    doc::TFontStyles GetDefaultTitleColumnStyles() const { return v_titleColumnStyles; }
    void SetDefaultCellHorAlign(doc::TAlignment a) { v_cellHorAlign = a; }
    void SetDefaultTitleRowHorAlign(doc::TAlignment a) { v_titleRowHorAlign = a; }
    void SetDefaultTitleColumnHorAlign(doc::TAlignment a) { v_titleColumnHorAlign = a; }
    void SetAllDefaultHorAlign(doc::TAlignment a);
    doc::TAlignment GetDefaultCellHorAlign() const { return v_cellHorAlign; }
    doc::TAlignment GetDefaultTitleRowHorAlign() const { return v_titleRowHorAlign; }
    doc::TAlignment GetDefaultTitleColumnHorAlign() const { return v_titleColumnHorAlign; }

    // The face takes the font's name, the three default sizes its size.
    void SetFontCharacteristics(const doc::TFont& font);
    void GetFontCharacteristics(doc::TFont& font) const;
    const std::string& GetFontName() const { return v_fontName; }

    // Per cell. Setters test the cell first (growing the table with
    // auto-expansion on) and do nothing outside it; getters never grow it
    // and answer the defaults outside it.
    void SetText(int c, int r, const std::string& szStr);
    void SetText(int c, int r, const std::string& szStr, doc::TFontStyles st);
    std::string GetText(int c, int r) const;
    void SetFontSize(int c, int r, int n);
    int GetFontSize(int c, int r) const;
    void SetFontColor(int c, int r, doc::TColor n);
    doc::TColor GetFontColor(int c, int r) const;
    void SetBgColor(int c, int r, doc::TColor n);
    doc::TColor GetBgColor(int c, int r) const;
    void SetStyles(int c, int r, doc::TFontStyles st);
    doc::TFontStyles GetStyles(int c, int r) const;
    void SetHorAlign(int c, int r, doc::TAlignment a);
    doc::TAlignment GetHorAlign(int c, int r) const;
    void SetIsMultiLine(int c, int r, bool b);
    bool GetIsMultiLine(int c, int r) const;
    bool GetIsMerged(int c, int r) const;
    void SetGraphic(int c, int r, const doc::CTGraphic& pGraphic, double nScale, bool bMustFree);
    bool GetGraphic(int c, int r, doc::CTGraphic& pGraphic, double& nScale) const;
    // n = -1: up to the last column. A span of 0 or below -1 counts as 1.
    void SetColumnSpan(int c, int r, int n);
    // Caps a span reaching beyond the last column, and keeps the cap.
    int GetColumnSpan(int c, int r);
    int GetCellWidth(int c, int r);

    // Per row, column, the title rows and the title columns.
    void SetFontSizeForRow(int r, int n);
    void SetFontSizeForColumn(int c, int n);
    void SetFontSizeForTitleRows(int n);
    void SetFontSizeForTitleColumns(int n);
    void SetFontColorForRow(int r, doc::TColor n);
    void SetFontColorForColumn(int c, doc::TColor n);
    void SetFontColorForTitleRows(doc::TColor n);
    void SetFontColorForTitleColumns(doc::TColor n);
    void SetBgColorForRow(int r, doc::TColor n);
    void SetBgColorForColumn(int c, doc::TColor n);
    void SetBgColorForTitleRows(doc::TColor n);
    void SetBgColorForTitleColumns(doc::TColor n);
    void SetStylesForRow(int r, doc::TFontStyles st);
    void SetStylesForColumn(int c, doc::TFontStyles st);
    void SetStylesForTitleRows(doc::TFontStyles st);
    void SetStylesForTitleColumns(doc::TFontStyles st);
    void SetHorAlignForRow(int r, doc::TAlignment a);
    void SetHorAlignForColumn(int c, doc::TAlignment a);
    void SetHorAlignForTitleRows(doc::TAlignment a);
    void SetHorAlignForTitleColumns(doc::TAlignment a);

    // Pixel sizes.
    void SetColumnWidth(int c, int nPixels);
    int GetColumnWidth(int c);
    void SetRowHeight(int r, int nPixels);
    int GetRowHeight(int r);
    // Measures every cell in the table's face at the screen resolution.
    void CalculatePixelSizes(int nApplExtraWidth);

    // Whether that side of the cell carries a border, and its colour (the
    // default cell background when none).
    bool HasLeftBorderColor(int c, int r, doc::TColor& nColor) const;
    bool HasRightBorderColor(int c, int r, doc::TColor& nColor) const;
    bool HasTopBorderColor(int c, int r, doc::TColor& nColor) const;
    bool HasBottomBorderColor(int c, int r, doc::TColor& nColor) const;

private:
    bool CheckCell(int c, int r);
    bool Inside(int c, int r) const;
    CTDocTableCell* CellAt(int c, int r) const;
    template <class TApply>
    void ForRow(int r, TApply apply);
    template <class TApply>
    void ForColumn(int c, TApply apply);
    void MeasureCell(CTDocTableCell& cell, int c, int r, int nW1, int nWW, int nApplExtraWidth) const;
    void ResetPixelSizes();

    std::vector<std::unique_ptr<CTDocTableColumn>> v_columns;
    std::vector<std::unique_ptr<CTDocTableRow>> v_rows;
    std::int32_t v_nbTitleColumns = 0;
    std::int32_t v_nbTitleRows = 0;
    bool v_autoExpand = true;
    std::string v_fontName = "Arial";
    bool v_hasTableBorders = true;
    bool v_hasHorzTitleBorders = true;
    bool v_hasVertTitleBorders = true;
    bool v_suppressTitleBordersAboveEmptyCells = true;
    bool v_hasHorzCellBorders = true;
    bool v_hasVertCellBorders = true;
    std::int32_t v_titleRowFontSize = 10;
    std::int32_t v_titleColumnFontSize = 10;
    std::int32_t v_cellFontSize = 10;
    doc::TColor v_titleRowBgColor = doc::kLightGrey;
    doc::TColor v_titleColumnBgColor = doc::kLightGrey;
    doc::TColor v_cellBgColor = graphics::clWhite;
    doc::TColor v_titleRowFontColor = graphics::clWindowText;
    doc::TColor v_titleColumnFontColor = graphics::clWindowText;
    doc::TColor v_cellFontColor = graphics::clWindowText;
    doc::TColor v_tableBorderColor = graphics::clBlack;
    doc::TColor v_titleBorderColor = doc::kGrey;
    doc::TColor v_cellBorderColor = doc::kGrey;
    doc::TFontStyles v_titleRowStyles;
    doc::TFontStyles v_titleColumnStyles;
    doc::TFontStyles v_cellStyles;
    doc::TAlignment v_titleRowHorAlign = graphics::taLeftJustify;
    doc::TAlignment v_titleColumnHorAlign = graphics::taLeftJustify;
    doc::TAlignment v_cellHorAlign = graphics::taLeftJustify;
};

}  // namespace brumalis
