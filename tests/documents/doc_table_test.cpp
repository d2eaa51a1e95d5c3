#include <gtest/gtest.h>

#include "catalogue/table_grid.h"
#include "documents/doc_output.h"
#include "documents/doc_table.h"
#include "platform/graphics/font_metrics.h"

namespace brumalis {
namespace {

using graphics::TFont;

constexpr std::int64_t kBold = doc::kAttrStylesValid | doc::kAttrBold;
constexpr std::int64_t kCentred = doc::kAttrAlignValid | doc::kAttrCentre;

TEST(DocTableDimensions, CountsBelowOneBecomeOneAndTitleCountsFollowShrinking) {
    CTDocTable table(3, 4, 2, 3, true);
    table.SetNbColumns(0);
    table.SetNbRows(-5);
    EXPECT_EQ(table.GetNbColumns(), 1);
    EXPECT_EQ(table.GetNbRows(), 1);
    EXPECT_EQ(table.GetNbTitleColumns(), 1);
    EXPECT_EQ(table.GetNbTitleRows(), 1);
    table.SetNbTitleRows(-2);
    EXPECT_EQ(table.GetNbTitleRows(), 0);
    table.SetNbTitleColumns(7);
    EXPECT_EQ(table.GetNbTitleColumns(), 1);
}

TEST(DocTableDimensions, GrowingKeepsTheCellsAndShrinkingDropsTheTrailingOnes) {
    CTDocTable table(2, 2, 0, 0, false);
    table.SetText(1, 1, "kept");
    table.SetNbColumns(5);
    table.SetNbRows(4);
    EXPECT_EQ(table.GetText(1, 1), "kept");
    table.SetText(4, 3, "corner");
    table.SetNbColumns(2);
    table.SetNbColumns(5);
    EXPECT_EQ(table.GetText(4, 3), "");
    EXPECT_EQ(table.GetText(1, 1), "kept");
}

TEST(DocTableAutoExpansion, SettersGrowTheTableOnlyWhenItIsOn) {
    CTDocTable growing(2, 2, 0, 0, true);
    growing.SetText(4, 2, "x");
    EXPECT_EQ(growing.GetNbColumns(), 5);
    EXPECT_EQ(growing.GetNbRows(), 3);
    EXPECT_EQ(growing.GetText(4, 2), "x");

    CTDocTable fixed(2, 2, 0, 0, false);
    fixed.SetText(4, 2, "x");
    fixed.SetFontSize(-1, 0, 20);
    EXPECT_EQ(fixed.GetNbColumns(), 2);
    EXPECT_EQ(fixed.GetNbRows(), 2);
    // Getters outside the table answer the defaults and never grow it.
    EXPECT_EQ(fixed.GetText(9, 9), "");
    EXPECT_EQ(fixed.GetFontSize(9, 9), 10);
    EXPECT_EQ(fixed.GetColumnSpan(9, 9), 1);
    EXPECT_EQ(growing.GetNbColumns(), 5);
}

TEST(DocTableFormatting, ATitleRowWinsOverATitleColumnAndOwnValuesOverBoth) {
    CTDocTable table(3, 3, 1, 1, false);
    table.SetDefaultTitleRowFontSize(14);
    table.SetDefaultTitleColumnFontSize(12);
    table.SetDefaultTitleRowBgColor(graphics::clYellow);
    table.SetDefaultTitleColumnHorAlign(graphics::taRightJustify);
    EXPECT_EQ(table.GetFontSize(0, 0), 14);
    EXPECT_EQ(table.GetBgColor(0, 0), graphics::clYellow);
    EXPECT_EQ(table.GetHorAlign(0, 0), graphics::taLeftJustify);
    EXPECT_EQ(table.GetFontSize(0, 1), 12);
    EXPECT_EQ(table.GetHorAlign(0, 2), graphics::taRightJustify);
    EXPECT_EQ(table.GetFontSize(1, 1), 10);
    EXPECT_EQ(table.GetBgColor(1, 1), graphics::clWhite);
    table.SetFontSizeForRow(0, 8);
    EXPECT_EQ(table.GetFontSize(2, 0), 8);
    table.SetStylesForTitleColumns({graphics::fsItalic});
    EXPECT_EQ(table.GetStyles(0, 2), graphics::TFontStyles{graphics::fsItalic});
    EXPECT_TRUE(table.GetStyles(1, 2).Empty());
}

TEST(DocTableSpans, AttributeWordsMergeTheCellsToTheRight) {
    TGridData grid;
    grid.Reset(2, 5, 40);
    grid.Cell(1, 0).object = doc::kAttrMergeNext;
    grid.Cell(0, 1).object = doc::kAttrMergeNext;
    grid.Cell(1, 1).object = doc::kAttrMergeNext;
    CTDocTable table(grid);
    EXPECT_EQ(table.GetColumnSpan(1, 0), 2);
    EXPECT_TRUE(table.GetIsMerged(2, 0));
    EXPECT_FALSE(table.GetIsMerged(1, 0));
    EXPECT_EQ(table.GetColumnSpan(3, 0), 1);
    EXPECT_EQ(table.GetColumnSpan(0, 1), 3);
    EXPECT_TRUE(table.GetIsMerged(1, 1));
    EXPECT_TRUE(table.GetIsMerged(2, 1));
    EXPECT_EQ(table.GetCellWidth(0, 1), 120);
    EXPECT_EQ(table.GetCellWidth(1, 1), 0);
}

TEST(DocTableSpans, MinusOneReachesTheLastColumnAndTheCapIsStoredBack) {
    CTDocTable table(4, 1, 0, 0, true);
    table.SetColumnSpan(1, 0, -1);
    EXPECT_EQ(table.GetColumnSpan(1, 0), 3);
    EXPECT_TRUE(table.GetIsMerged(2, 0));
    EXPECT_TRUE(table.GetIsMerged(3, 0));
    table.SetNbColumns(3);
    EXPECT_EQ(table.GetColumnSpan(1, 0), 2);
    table.SetNbColumns(4);
    EXPECT_EQ(table.GetColumnSpan(1, 0), 2);
}

TEST(DocTableSpans, ASpanOfZeroOrBelowMinusOneCountsAsOne) {
    CTDocTable table(4, 1, 0, 0, true);
    table.SetColumnSpan(0, 0, 0);
    EXPECT_EQ(table.GetColumnSpan(0, 0), 1);
    table.SetColumnSpan(1, 0, -7);
    EXPECT_EQ(table.GetColumnSpan(1, 0), 1);
    EXPECT_FALSE(table.GetIsMerged(2, 0));
    EXPECT_EQ(table.GetNbColumns(), 4);
}

TEST(DocTableGrid, TakesTextsStylesAlignmentsAndSizesFromTheGrid) {
    TGridData grid;
    grid.Reset(3, 2, 70);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    grid.SetRowHeight(2, 33);
    grid.SetOption(goVertLine, false);
    grid.SetBorderStyle(TGridBorderStyle::None);
    grid.SetFont(TFont{"Tahoma", 9, {}, graphics::clWindowText});
    grid.Cell(0, 0).text = "Model";
    grid.Cell(0, 0).object = kBold | kCentred;
    grid.Cell(1, 1).object = doc::kAttrAlignValid | doc::kAttrLeft | doc::kAttrRight;
    grid.Cell(1, 2).object = doc::kAttrStylesValid | doc::kAttrMultiLine;
    grid.Cell(0, 1).object = doc::kAttrItalic;  // not valid without bit 19
    CTDocTable table(grid);
    EXPECT_EQ(table.GetNbTitleRows(), 1);
    EXPECT_EQ(table.GetNbTitleColumns(), 1);
    EXPECT_EQ(table.GetText(0, 0), "Model");
    EXPECT_EQ(table.GetStyles(0, 0), graphics::TFontStyles{graphics::fsBold});
    EXPECT_EQ(table.GetHorAlign(0, 0), graphics::taCenter);
    EXPECT_EQ(table.GetHorAlign(1, 1), graphics::taLeftJustify);
    EXPECT_TRUE(table.GetIsMultiLine(1, 2));
    EXPECT_TRUE(table.GetStyles(0, 1).Empty());
    EXPECT_EQ(table.GetColumnWidth(1), 70);
    EXPECT_EQ(table.GetRowHeight(0), TGridData::kDefaultRowHeight);
    EXPECT_EQ(table.GetRowHeight(2), 33);
    EXPECT_FALSE(table.GetHasTableBorders());
    EXPECT_FALSE(table.GetHasVertCellBorders());
    EXPECT_TRUE(table.GetHasHorzCellBorders());
    EXPECT_EQ(table.GetDefaultTitleRowBgColor(), graphics::clBtnFace);
    EXPECT_EQ(table.GetFontName(), "Tahoma");
    EXPECT_EQ(table.GetDefaultCellFontSize(), 9);
}

TEST(DocTableBorders, TitleBordersAboveEmptyCellsAreSuppressedUnlessTheRowIsTheLastTitleRow) {
    CTDocTable table(2, 4, 0, 2, false);
    table.SetText(0, 2, "");
    table.SetText(1, 1, "above a filled cell");
    table.SetText(1, 2, "value");
    graphics::TColor nColor = 0;
    EXPECT_FALSE(table.HasBottomBorderColor(0, 0, nColor));
    EXPECT_EQ(nColor, graphics::clWhite);
    EXPECT_TRUE(table.HasBottomBorderColor(0, 1, nColor));  // last title row
    EXPECT_EQ(nColor, doc::kGrey);
    table.SetText(0, 1, "x");
    EXPECT_TRUE(table.HasBottomBorderColor(0, 0, nColor));
    table.SetSuppressTitleBordersAboveEmptyCells(false);
    EXPECT_TRUE(table.HasBottomBorderColor(1, 0, nColor));
    EXPECT_TRUE(table.HasBottomBorderColor(1, 3, nColor));
    EXPECT_EQ(nColor, graphics::clBlack);
}

TEST(DocTableBorders, OuterEdgesCarryTheTableColourAndInnerOnesFollowTheirFlags) {
    CTDocTable table(3, 3, 1, 1, false);
    graphics::TColor nColor = 0;
    EXPECT_TRUE(table.HasLeftBorderColor(0, 2, nColor));
    EXPECT_EQ(nColor, graphics::clBlack);
    EXPECT_FALSE(table.HasLeftBorderColor(1, 2, nColor));
    EXPECT_TRUE(table.HasTopBorderColor(2, 0, nColor));
    EXPECT_FALSE(table.HasTopBorderColor(2, 1, nColor));
    EXPECT_TRUE(table.HasRightBorderColor(0, 2, nColor));  // closes the title column
    EXPECT_EQ(nColor, doc::kGrey);
    table.SetHasVertCellBorders(false);
    EXPECT_FALSE(table.HasRightBorderColor(1, 2, nColor));
    EXPECT_TRUE(table.HasRightBorderColor(1, 0, nColor));  // a title row
    table.SetColumnSpan(1, 2, 2);
    table.SetTableBorderColor(graphics::clRed);
    EXPECT_TRUE(table.HasRightBorderColor(1, 2, nColor));  // spans to the last column
    EXPECT_EQ(nColor, graphics::clRed);
    table.SetAllHasBorders(false);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 3; ++r) {
            EXPECT_FALSE(table.HasLeftBorderColor(c, r, nColor) || table.HasRightBorderColor(c, r, nColor) ||
                         table.HasTopBorderColor(c, r, nColor) || table.HasBottomBorderColor(c, r, nColor));
        }
    }
}

class DocTableSizes : public ::testing::Test {
protected:
    static int Width(const std::string& sz, graphics::TFontStyles styles = {}) {
        return graphics::TextWidth(TFont{"Arial", 10, styles, graphics::clWindowText}, sz);
    }
    static int Height() { return graphics::TextHeight(TFont{"Arial", 10, {}, graphics::clWindowText}); }
    static int Padding() { return Width("W") + 2; }
};

TEST_F(DocTableSizes, ColumnsTakeTheWidestTextAndRowsTheTallestCell) {
    CTDocTable table(2, 2, 0, 0, false);
    table.SetText(0, 0, "Capacity");
    table.SetText(0, 1, "EER");
    table.SetText(1, 0, "kW", {graphics::fsBold});
    table.SetText(1, 1, "line one\r\nline two, longer\r\nthree");
    table.SetIsMultiLine(1, 1, true);
    table.CalculatePixelSizes(5);
    EXPECT_EQ(table.GetColumnWidth(0), Width("Capacity") + Padding() + 5);
    EXPECT_EQ(table.GetColumnWidth(1), std::max(Width("kW", {graphics::fsBold}), Width("line two, longer")) + Padding() + 5);
    EXPECT_EQ(table.GetRowHeight(0), Height() + 2);
    EXPECT_EQ(table.GetRowHeight(1), 3 * Height() + 2);
}

TEST_F(DocTableSizes, ARightAlignedCellIsWiderByTheWidthOfADigit) {
    CTDocTable left(1, 1, 0, 0, false);
    CTDocTable right(1, 1, 0, 0, false);
    left.SetText(0, 0, "1234.5");
    right.SetText(0, 0, "1234.5");
    right.SetHorAlign(0, 0, graphics::taRightJustify);
    left.CalculatePixelSizes(0);
    right.CalculatePixelSizes(0);
    EXPECT_EQ(right.GetColumnWidth(0) - left.GetColumnWidth(0), Width("1"));
}

TEST_F(DocTableSizes, ASpanningCellWidensOnlyItsFirstColumnByWhatTheOthersLack) {
    CTDocTable table(3, 2, 0, 0, false);
    table.SetText(0, 0, "a");
    table.SetText(1, 0, "b");
    table.SetText(2, 0, "c");
    const std::string szLong = "A heading that spans three columns";
    table.SetText(0, 1, szLong);
    table.SetColumnSpan(0, 1, 3);
    table.CalculatePixelSizes(0);
    const int nSpanned = Width(szLong) + Padding();
    EXPECT_EQ(table.GetColumnWidth(1), Width("b") + Padding());
    EXPECT_EQ(table.GetColumnWidth(2), Width("c") + Padding());
    EXPECT_EQ(table.GetColumnWidth(0), nSpanned - table.GetColumnWidth(1) - table.GetColumnWidth(2));
    EXPECT_EQ(table.GetCellWidth(0, 1), nSpanned);
}

TEST_F(DocTableSizes, CalcStringGridDimensionsWritesTheSizesBackIntoTheGrid) {
    TGridData grid;
    grid.Reset(2, 2, 0);
    grid.Cell(0, 0).text = "Cooling capacity";
    grid.Cell(1, 1).text = "350";
    grid.Cell(1, 1).object = doc::kAttrAlignValid | doc::kAttrRight;
    grid.SetFont(TFont{"Arial", 10, {}, graphics::clWindowText});
    CTDocOutput::CalcStringGridDimensions(grid, 0);
    EXPECT_EQ(grid.ColWidth(0), Width("Cooling capacity") + Padding());
    EXPECT_EQ(grid.ColWidth(1), Width("350") + Width("1") + Padding());
    EXPECT_EQ(grid.RowHeight(0), Height() + 2);
    EXPECT_EQ(grid.RowHeight(1), Height() + 2);
}

TEST(DocOutputHelpers, AttributeWordsGiveOneStyleAndLinesWrapAtBlanks) {
    EXPECT_EQ(CTDocOutput::GetFontStyle(doc::kAttrBold | doc::kAttrItalic), graphics::TFontStyles{graphics::fsBold});
    EXPECT_EQ(CTDocOutput::GetFontStyle(doc::kAttrItalic | doc::kAttrUnderline),
              graphics::TFontStyles{graphics::fsItalic});
    EXPECT_EQ(CTDocOutput::GetFontStyle(doc::kAttrUnderline), graphics::TFontStyles{graphics::fsUnderline});
    EXPECT_TRUE(CTDocOutput::GetFontStyle(doc::kAttrStylesValid).Empty());

    const TFont font{"Arial", 10, {}, graphics::clWindowText};
    const int nMax = graphics::TextWidth(font, "water chiller");
    EXPECT_EQ(CTDocOutput::SplitStringInLines("air cooled water chiller unit", font, nMax),
              "air cooled\r\nwater chiller\r\nunit");
    EXPECT_EQ(CTDocOutput::SplitStringInLines("kept\r\nbreaks", font, nMax), "kept\r\nbreaks");
    EXPECT_EQ(CTDocOutput::SplitStringInLines("overlongwordstaysalone x", font, 10), "overlongwordstaysalone\r\nx");
}

}  // namespace
}  // namespace brumalis

namespace brumalis {
namespace {

TEST(GridData, GrowsAndShrinksKeepingItsCellsWithTheDefaultSizes) {
    TGridData grid;
    grid.Reset(2, 2, 50);
    grid.Cell(1, 1).text = "kept";
    grid.Cell(1, 1).object = doc::kAttrMergeNext;
    grid.SetRowHeight(1, 31);
    grid.SetFixedRows(1);
    grid.SetColCount(4);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.Cell(1, 1).text, "kept");
    EXPECT_EQ(grid.Cell(1, 1).object, doc::kAttrMergeNext);
    EXPECT_EQ(grid.Cell(3, 2).text, "");
    EXPECT_EQ(grid.ColWidth(1), 50);
    EXPECT_EQ(grid.ColWidth(3), TGridData::kDefaultColWidth);
    EXPECT_EQ(grid.RowHeight(1), 31);
    EXPECT_EQ(grid.RowHeight(2), TGridData::kDefaultRowHeight);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.FixedRows(), 0);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.Cell(1, 1).text, "");
    EXPECT_EQ(grid.ColCount(), 4);
}

TEST(GridData, DrawsAllLinesWithABorderAndButtonFaceFixedCellsUnlessTold) {
    TGridData grid;
    for (TGridOption option : {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine}) {
        EXPECT_TRUE(grid.HasOption(option));
    }
    grid.SetOption(goFixedHorzLine, false);
    EXPECT_FALSE(grid.HasOption(goFixedHorzLine));
    EXPECT_TRUE(grid.HasOption(goHorzLine));
    EXPECT_EQ(grid.BorderStyle(), TGridBorderStyle::Single);
    EXPECT_EQ(grid.FixedColor(), graphics::clBtnFace);
    EXPECT_EQ(grid.Font().Name, "Arial");
}

}  // namespace
}  // namespace brumalis

namespace brumalis {
namespace {

TEST(DocTableGrid, AnEmptyGridGivesOneEmptyCellAndWritesBackNothingItLacks) {
    TGridData grid;
    CTDocTable table(grid);
    EXPECT_EQ(table.GetNbColumns(), 1);
    EXPECT_EQ(table.GetNbRows(), 1);
    EXPECT_EQ(table.GetText(0, 0), "");
    grid.Reset(0, 3, 10);
    EXPECT_NO_THROW(CTDocOutput::CalcStringGridDimensions(grid, 0));
    EXPECT_EQ(grid.ColCount(), 3);
}

}  // namespace
}  // namespace brumalis
