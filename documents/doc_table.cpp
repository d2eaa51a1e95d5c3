#include "documents/doc_table.h"

#include <algorithm>
#include <cmath>

#include "catalogue/table_grid.h"
#include "platform/graphics/font_metrics.h"

namespace brumalis {

using namespace doc;

namespace {

int RoundEven(double d) { return static_cast<int>(std::nearbyint(d)); }

// The cut of a text at its CR LF breaks.
std::vector<std::string_view> LinesOf(std::string_view szText) {
    std::vector<std::string_view> lines;
    std::size_t nStart = 0;
    for (std::size_t n = szText.find("\r\n"); n != std::string_view::npos; n = szText.find("\r\n", nStart)) {
        lines.push_back(szText.substr(nStart, n - nStart));
        nStart = n + 2;
    }
    lines.push_back(szText.substr(nStart));
    return lines;
}

TFontStyles StylesOfAttributes(std::uint32_t nAttrs) {
    TFontStyles styles;
    if (nAttrs & kAttrBold) styles.Include(graphics::fsBold);
    if (nAttrs & kAttrItalic) styles.Include(graphics::fsItalic);
    if (nAttrs & kAttrUnderline) styles.Include(graphics::fsUnderline);
    return styles;
}

// The first of left, centre, right that is set.
bool AlignmentOfAttributes(std::uint32_t nAttrs, TAlignment& alignment) {
    if (nAttrs & kAttrLeft) alignment = graphics::taLeftJustify;
    else if (nAttrs & kAttrCentre) alignment = graphics::taCenter;
    else if (nAttrs & kAttrRight) alignment = graphics::taRightJustify;
    else return false;
    return true;
}

}  // namespace

CTDocTableRow::~CTDocTableRow() {
    for (CTDocTableCell* pCell : v_cells) delete pCell;
}

CTDocTable::CTDocTable(int nNbColumns, int nNbRows, int nNbTitleColumns, int nNbTitleRows, bool bAutoExpand) {
    InitDimensions(nNbColumns, nNbRows, nNbTitleColumns, nNbTitleRows, bAutoExpand);
}

CTDocTable::CTDocTable(const TGridData& grid) { UseDataFromStringGrid(grid); }

CTDocTable::~CTDocTable() = default;

void CTDocTable::InitDimensions(int nNbColumns, int nNbRows, int nNbTitleColumns, int nNbTitleRows,
                                bool bAutoExpand) {
    SetNbColumns(nNbColumns);
    SetNbRows(nNbRows);
    SetNbTitleColumns(nNbTitleColumns);
    SetNbTitleRows(nNbTitleRows);
    v_autoExpand = bAutoExpand;
    ClearCells();
}

void CTDocTable::ClearCells() {
    for (auto& pRow : v_rows) {
        for (CTDocTableCell*& pCell : pRow->v_cells) *pCell = CTDocTableCell();
    }
}

void CTDocTable::SetNbColumns(int n) {
    const auto nNew = static_cast<std::size_t>(std::max(n, 1));
    while (v_columns.size() > nNew) {
        for (auto& pRow : v_rows) {
            delete pRow->v_cells.back();
            pRow->v_cells.pop_back();
        }
        v_columns.pop_back();
    }
    while (v_columns.size() < nNew) {
        auto pColumn = std::make_unique<CTDocTableColumn>();
        for (auto& pRow : v_rows) {
            pRow->v_cells.push_back(new CTDocTableCell());
            pColumn->v_cells.push_back(pRow->v_cells.back());
        }
        v_columns.push_back(std::move(pColumn));
    }
    v_nbTitleColumns = std::min(v_nbTitleColumns, GetNbColumns());
}

void CTDocTable::SetNbRows(int n) {
    const auto nNew = static_cast<std::size_t>(std::max(n, 1));
    while (v_rows.size() > nNew) {
        for (auto& pColumn : v_columns) pColumn->v_cells.pop_back();
        v_rows.pop_back();
    }
    while (v_rows.size() < nNew) {
        auto pRow = std::make_unique<CTDocTableRow>();
        for (auto& pColumn : v_columns) {
            pRow->v_cells.push_back(new CTDocTableCell());
            pColumn->v_cells.push_back(pRow->v_cells.back());
        }
        v_rows.push_back(std::move(pRow));
    }
    v_nbTitleRows = std::min(v_nbTitleRows, GetNbRows());
}

void CTDocTable::SetNbTitleColumns(int n) { v_nbTitleColumns = std::min(std::max(n, 0), GetNbColumns()); }

void CTDocTable::SetNbTitleRows(int n) { v_nbTitleRows = std::min(std::max(n, 0), GetNbRows()); }

void CTDocTable::SetAllHasBorders(bool b) {
    v_hasTableBorders = v_hasHorzTitleBorders = v_hasVertTitleBorders = b;
    v_hasHorzCellBorders = v_hasVertCellBorders = b;
}

void CTDocTable::SetAllDefaultFontSize(int n) { v_cellFontSize = v_titleRowFontSize = v_titleColumnFontSize = n; }
void CTDocTable::SetAllDefaultBgColor(TColor n) { v_cellBgColor = v_titleRowBgColor = v_titleColumnBgColor = n; }
void CTDocTable::SetAllDefaultFontColor(TColor n) {
    v_cellFontColor = v_titleRowFontColor = v_titleColumnFontColor = n;
}
void CTDocTable::SetAllDefaultStyles(TFontStyles st) { v_cellStyles = v_titleRowStyles = v_titleColumnStyles = st; }
void CTDocTable::SetAllDefaultHorAlign(TAlignment a) {
    v_cellHorAlign = v_titleRowHorAlign = v_titleColumnHorAlign = a;
}

void CTDocTable::SetFontCharacteristics(const TFont& font) {
    v_fontName = font.Name;
    SetAllDefaultFontSize(font.Size);
}

void CTDocTable::GetFontCharacteristics(TFont& font) const {
    font.Name = v_fontName;
    font.Size = v_cellFontSize;
}

bool CTDocTable::Inside(int c, int r) const { return c >= 0 && r >= 0 && c < GetNbColumns() && r < GetNbRows(); }

CTDocTableCell* CTDocTable::CellAt(int c, int r) const {
    return Inside(c, r) ? v_rows[static_cast<std::size_t>(r)]->v_cells[static_cast<std::size_t>(c)] : nullptr;
}

bool CTDocTable::CheckCell(int c, int r) {
    if (c < 0 || r < 0) return false;
    if (v_autoExpand) {
        if (c >= GetNbColumns()) SetNbColumns(c + 1);
        if (r >= GetNbRows()) SetNbRows(r + 1);
    }
    return Inside(c, r);
}

void CTDocTable::SetText(int c, int r, const std::string& szStr) {
    if (CheckCell(c, r)) CellAt(c, r)->v_text = szStr;
}

void CTDocTable::SetText(int c, int r, const std::string& szStr, TFontStyles st) {
    SetText(c, r, szStr);
    SetStyles(c, r, st);
}

std::string CTDocTable::GetText(int c, int r) const {
    const CTDocTableCell* pCell = CellAt(c, r);
    return pCell ? pCell->v_text : std::string();
}

// Each effective value: the cell's own when set, else the title row's, the
// title column's or the body's default (a title row wins over a column).
#define BRUMALIS_DOC_CELL_PROPERTY(Name, Type, own, set, rowDefault, columnDefault, cellDefault) \
    void CTDocTable::Set##Name(int c, int r, Type value) {                                       \
        if (!CheckCell(c, r)) return;                                                            \
        CTDocTableCell* pCell = CellAt(c, r);                                                    \
        pCell->own = value;                                                                      \
        pCell->set = true;                                                                       \
    }                                                                                            \
    Type CTDocTable::Get##Name(int c, int r) const {                                             \
        const CTDocTableCell* pCell = CellAt(c, r);                                              \
        if (!pCell) return cellDefault;                                                          \
        if (pCell->set) return pCell->own;                                                       \
        if (r < v_nbTitleRows) return rowDefault;                                                \
        if (c < v_nbTitleColumns) return columnDefault;                                          \
        return cellDefault;                                                                      \
    }                                                                                            \
    void CTDocTable::Set##Name##ForRow(int r, Type value) {                                      \
        ForRow(r, [&](int c) { Set##Name(c, r, value); });                                       \
    }                                                                                            \
    void CTDocTable::Set##Name##ForColumn(int c, Type value) {                                   \
        ForColumn(c, [&](int r) { Set##Name(c, r, value); });                                    \
    }                                                                                            \
    void CTDocTable::Set##Name##ForTitleRows(Type value) {                                       \
        for (int r = 0; r < v_nbTitleRows; ++r) Set##Name##ForRow(r, value);                     \
    }                                                                                            \
    void CTDocTable::Set##Name##ForTitleColumns(Type value) {                                    \
        for (int c = 0; c < v_nbTitleColumns; ++c) Set##Name##ForColumn(c, value);               \
    }

template <class TApply>
void CTDocTable::ForRow(int r, TApply apply) {
    if (r < 0 || r >= GetNbRows()) return;
    for (int c = 0; c < GetNbColumns(); ++c) apply(c);
}

template <class TApply>
void CTDocTable::ForColumn(int c, TApply apply) {
    if (c < 0 || c >= GetNbColumns()) return;
    for (int r = 0; r < GetNbRows(); ++r) apply(r);
}

BRUMALIS_DOC_CELL_PROPERTY(FontSize, int, v_fontSize, v_fontSizeSet, v_titleRowFontSize, v_titleColumnFontSize,
                           v_cellFontSize)
BRUMALIS_DOC_CELL_PROPERTY(FontColor, TColor, v_fontColor, v_fontColorSet, v_titleRowFontColor,
                           v_titleColumnFontColor, v_cellFontColor)
BRUMALIS_DOC_CELL_PROPERTY(BgColor, TColor, v_bgColor, v_bgColorSet, v_titleRowBgColor, v_titleColumnBgColor,
                           v_cellBgColor)
BRUMALIS_DOC_CELL_PROPERTY(Styles, TFontStyles, v_styles, v_stylesSet, v_titleRowStyles, v_titleColumnStyles,
                           v_cellStyles)
BRUMALIS_DOC_CELL_PROPERTY(HorAlign, TAlignment, v_horAlign, v_horAlignSet, v_titleRowHorAlign,
                           v_titleColumnHorAlign, v_cellHorAlign)

#undef BRUMALIS_DOC_CELL_PROPERTY

void CTDocTable::SetIsMultiLine(int c, int r, bool b) {
    if (CheckCell(c, r)) CellAt(c, r)->v_isMultiline = b;
}

bool CTDocTable::GetIsMultiLine(int c, int r) const {
    const CTDocTableCell* pCell = CellAt(c, r);
    return pCell && pCell->v_isMultiline;
}

bool CTDocTable::GetIsMerged(int c, int r) const {
    const CTDocTableCell* pCell = CellAt(c, r);
    return pCell && pCell->v_isMerged;
}

void CTDocTable::SetGraphic(int c, int r, const CTGraphic& pGraphic, double nScale, bool bMustFree) {
    if (!CheckCell(c, r)) return;
    CTDocTableCell* pCell = CellAt(c, r);
    pCell->v_graphic = pGraphic;
    pCell->v_graphicScale = nScale;
    pCell->v_ownsGraphic = bMustFree;
}

bool CTDocTable::GetGraphic(int c, int r, CTGraphic& pGraphic, double& nScale) const {
    const CTDocTableCell* pCell = CellAt(c, r);
    pGraphic = pCell ? pCell->v_graphic : CTGraphic();
    nScale = pCell ? pCell->v_graphicScale : 1.0;
    return !pGraphic.IsEmpty();
}

void CTDocTable::SetColumnSpan(int c, int r, int n) {
    if (!CheckCell(c, r)) return;
    // Any other span would never advance a writer's walk along the row.
    if (n == 0 || n < -1) n = 1;
    if (v_autoExpand && n != -1 && !CheckCell(c + n - 1, r)) return;
    if (n == -1) n = GetNbColumns();
    n = std::min(n, GetNbColumns() - c);
    CellAt(c, r)->v_columnSpan = n;
    for (int k = c + 1; k < c + n; ++k) {
        CTDocTableCell* pMerged = CellAt(k, r);
        pMerged->v_columnSpan = 1;
        pMerged->v_isMerged = true;
    }
}

int CTDocTable::GetColumnSpan(int c, int r) {
    CTDocTableCell* pCell = CellAt(c, r);
    if (!pCell) return 1;
    if (c + pCell->v_columnSpan > GetNbColumns()) pCell->v_columnSpan = GetNbColumns() - c;
    return pCell->v_columnSpan;
}

int CTDocTable::GetCellWidth(int c, int r) {
    const CTDocTableCell* pCell = CellAt(c, r);
    if (!pCell || pCell->v_isMerged) return 0;
    const int nLast = c + GetColumnSpan(c, r);
    int nWidth = 0;
    for (int k = c; k < nLast && k < GetNbColumns(); ++k) nWidth += v_columns[static_cast<std::size_t>(k)]->v_pixelDim;
    return nWidth;
}

void CTDocTable::SetColumnWidth(int c, int nPixels) {
    if (CheckCell(c, 0)) v_columns[static_cast<std::size_t>(c)]->v_pixelDim = nPixels;
}

int CTDocTable::GetColumnWidth(int c) {
    return CheckCell(c, 0) ? v_columns[static_cast<std::size_t>(c)]->v_pixelDim : 0;
}

void CTDocTable::SetRowHeight(int r, int nPixels) {
    if (CheckCell(0, r)) v_rows[static_cast<std::size_t>(r)]->v_pixelDim = nPixels;
}

int CTDocTable::GetRowHeight(int r) { return CheckCell(0, r) ? v_rows[static_cast<std::size_t>(r)]->v_pixelDim : 0; }

void CTDocTable::UseDataFromStringGrid(const TGridData& grid) {
    SetNbColumns(grid.ColCount());
    SetNbRows(grid.RowCount());
    SetNbTitleColumns(grid.FixedCols());
    SetNbTitleRows(grid.FixedRows());
    // An empty grid still makes a table of one empty cell.
    const int nColumns = std::min(GetNbColumns(), grid.ColCount());
    const int nRows = std::min(GetNbRows(), grid.RowCount());
    for (int r = 0; r < nRows; ++r) {
        for (int c = 0; c < nColumns; ++c) {
            const auto nAttrs = static_cast<std::uint32_t>(grid.Cell(c, r).object);
            CTDocTableCell* pCell = CellAt(c, r);
            pCell->v_text = grid.Cell(c, r).text;
            if (nAttrs & kAttrStylesValid) SetStyles(c, r, StylesOfAttributes(nAttrs));
            TAlignment alignment = graphics::taLeftJustify;
            if ((nAttrs & kAttrAlignValid) && AlignmentOfAttributes(nAttrs, alignment)) SetHorAlign(c, r, alignment);
            pCell->v_isMultiline = (nAttrs & kAttrMultiLine) != 0;
            pCell->v_isMerged = c > 0 && (static_cast<std::uint32_t>(grid.Cell(c - 1, r).object) & kAttrMergeNext);
        }
        int k = 1;
        for (int c = GetNbColumns() - 1; c >= 0; --c) {
            CTDocTableCell* pCell = CellAt(c, r);
            if (pCell->v_isMerged) {
                pCell->v_columnSpan = 1;
                ++k;
            } else {
                pCell->v_columnSpan = k;
                k = 1;
            }
        }
    }
    for (int c = 0; c < nColumns; ++c) {
        auto& column = *v_columns[static_cast<std::size_t>(c)];
        column.v_pixelDim = grid.ColWidth(c);
        for (CTDocTableCell* pCell : column.v_cells) pCell->v_pixelWidth = column.v_pixelDim;
    }
    for (int r = 0; r < nRows; ++r) {
        auto& row = *v_rows[static_cast<std::size_t>(r)];
        row.v_pixelDim = grid.RowHeight(r);
        for (CTDocTableCell* pCell : row.v_cells) pCell->v_pixelHeight = row.v_pixelDim;
    }
    v_hasTableBorders = grid.BorderStyle() == TGridBorderStyle::Single;
    v_hasHorzCellBorders = grid.HasOption(goHorzLine);
    v_hasVertCellBorders = grid.HasOption(goVertLine);
    v_hasHorzTitleBorders = grid.HasOption(goFixedHorzLine);
    v_hasVertTitleBorders = grid.HasOption(goFixedVertLine);
    v_titleRowBgColor = v_titleColumnBgColor = grid.FixedColor();
    SetFontCharacteristics(grid.Font());
}

void CTDocTable::ResetPixelSizes() {
    for (auto& pColumn : v_columns) pColumn->v_pixelDim = 0;
    for (auto& pRow : v_rows) {
        pRow->v_pixelDim = 0;
        for (CTDocTableCell* pCell : pRow->v_cells) pCell->v_pixelWidth = pCell->v_pixelHeight = 0;
    }
}

void CTDocTable::MeasureCell(CTDocTableCell& cell, int c, int r, int nW1, int nWW, int nApplExtraWidth) const {
    const TFont font{v_fontName, GetFontSize(c, r), GetStyles(c, r), graphics::clWindowText};
    const int nLineHeight = graphics::TextHeight(font);
    int nHeight = nLineHeight + 2;
    int nWidth = 0;
    if (cell.v_isMultiline) {
        const auto lines = LinesOf(cell.v_text);
        for (std::string_view line : lines) nWidth = std::max(nWidth, graphics::TextWidth(font, line));
        nHeight += nLineHeight * static_cast<int>(lines.size() - 1);
    } else {
        nWidth = graphics::TextWidth(font, cell.v_text);
    }
    if (!cell.v_graphic.IsEmpty()) {
        const int nPicHeight = RoundEven(cell.v_graphic.Height() * cell.v_graphicScale);
        const int nPicWidth = RoundEven(cell.v_graphic.Width() * cell.v_graphicScale);
        if (!cell.v_text.empty()) nHeight += nPicHeight;
        else nHeight = std::max(nHeight, nPicHeight + 4);
        nWidth = std::max(nWidth, nPicWidth);
    }
    if (GetHorAlign(c, r) == graphics::taRightJustify) nWidth += nW1;
    cell.v_pixelWidth = nWidth + nWW + nApplExtraWidth;
    cell.v_pixelHeight = nHeight;
}

void CTDocTable::CalculatePixelSizes(int nApplExtraWidth) {
    ResetPixelSizes();
    const TFont font{v_fontName, v_cellFontSize, {}, graphics::clWindowText};
    const int nW1 = graphics::TextWidth(font, "1");
    const int nWW = graphics::TextWidth(font, "W") + 2;
    const int nH = graphics::TextHeight(font);
    for (int r = 0; r < GetNbRows(); ++r) {
        auto& row = *v_rows[static_cast<std::size_t>(r)];
        row.v_pixelDim = std::max(row.v_pixelDim, nH + 2);
        for (int c = 0; c < GetNbColumns(); ++c) {
            CTDocTableCell& cell = *row.v_cells[static_cast<std::size_t>(c)];
            if (cell.v_isMerged || GetColumnSpan(c, r) != 1) continue;
            MeasureCell(cell, c, r, nW1, nWW, nApplExtraWidth);
            row.v_pixelDim = std::max(row.v_pixelDim, cell.v_pixelHeight);
            auto& column = *v_columns[static_cast<std::size_t>(c)];
            column.v_pixelDim = std::max(column.v_pixelDim, cell.v_pixelWidth);
        }
    }
    for (int r = 0; r < GetNbRows(); ++r) {
        auto& row = *v_rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < GetNbColumns(); ++c) {
            CTDocTableCell& cell = *row.v_cells[static_cast<std::size_t>(c)];
            const int nSpan = GetColumnSpan(c, r);
            if (cell.v_isMerged || nSpan <= 1) continue;
            MeasureCell(cell, c, r, nW1, nWW, nApplExtraWidth);
            row.v_pixelDim = std::max(row.v_pixelDim, cell.v_pixelHeight);
            int nRemainder = cell.v_pixelWidth;
            for (int k = c + 1; k < c + nSpan && k < GetNbColumns(); ++k) {
                nRemainder -= v_columns[static_cast<std::size_t>(k)]->v_pixelDim;
            }
            auto& column = *v_columns[static_cast<std::size_t>(c)];
            column.v_pixelDim = std::max(column.v_pixelDim, nRemainder);
        }
    }
}

bool CTDocTable::HasLeftBorderColor(int c, int /*r*/, TColor& nColor) const {
    nColor = v_cellBgColor;
    if (c != 0 || !v_hasTableBorders) return false;
    nColor = v_tableBorderColor;
    return true;
}

bool CTDocTable::HasTopBorderColor(int /*c*/, int r, TColor& nColor) const {
    nColor = v_cellBgColor;
    if (r != 0 || !v_hasTableBorders) return false;
    nColor = v_tableBorderColor;
    return true;
}

namespace {
bool Border(bool bOn, TColor nOnColor, TColor& nColor) {
    if (bOn) nColor = nOnColor;
    return bOn;
}
}  // namespace

bool CTDocTable::HasRightBorderColor(int c, int r, TColor& nColor) const {
    nColor = v_cellBgColor;
    if (!v_hasTableBorders && !v_hasVertTitleBorders && !v_hasVertCellBorders) return false;
    const CTDocTableCell* pCell = CellAt(c, r);
    const int nSpan = pCell ? pCell->v_columnSpan : 1;
    const int nLast = std::min(c + nSpan - 1, GetNbColumns() - 1);
    if (nLast == GetNbColumns() - 1) return Border(v_hasTableBorders, v_tableBorderColor, nColor);
    if (nLast + 1 == v_nbTitleColumns || r < v_nbTitleRows) {
        return Border(v_hasVertTitleBorders, v_titleBorderColor, nColor);
    }
    return Border(v_hasVertCellBorders, v_cellBorderColor, nColor);
}

bool CTDocTable::HasBottomBorderColor(int c, int r, TColor& nColor) const {
    nColor = v_cellBgColor;
    if (!v_hasTableBorders && !v_hasHorzTitleBorders && !v_hasHorzCellBorders) return false;
    if (r == GetNbRows() - 1) return Border(v_hasTableBorders, v_tableBorderColor, nColor);
    if (r >= v_nbTitleRows) {
        if (c >= v_nbTitleColumns) return Border(v_hasHorzCellBorders, v_cellBorderColor, nColor);
        return Border(v_hasHorzTitleBorders, v_titleBorderColor, nColor);
    }
    if (!v_hasHorzTitleBorders) return false;
    const bool bDrawn = r == v_nbTitleRows - 1 || !v_suppressTitleBordersAboveEmptyCells || !GetText(c, r + 1).empty();
    return Border(bDrawn, v_titleBorderColor, nColor);
}

}  // namespace brumalis
