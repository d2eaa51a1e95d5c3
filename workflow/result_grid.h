// The result grid: transposed, row titles down column 0, sort markers in
// column 1 (several units), one column per unit with the texts of its data
// set in the current display units. The desktop grid and the command line
// show exactly these texts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/records.h"

namespace brumalis {

class TFrm_ChResultGrid {
public:
    enum TRowKind : int {
        rkSolution, rkModel, rkApplication, rkOptionCode, rkPrice,
        rkCoolTitle, rkCoolRequired, rkCoolDeviation, rkCoolCapacity, rkCoolPower, rkEER, rkESEER, rkIPLV,
        rkHeatTitle, rkHeatRequired, rkHeatDeviation, rkHeatCapacity, rkHeatPower, rkCOP,
        rkEvapTitle, rkEvapFlow, rkEvapPD, rkCondTitle, rkCondFlow, rkCondPD,
        rkHRMode, rkHRCC, rkHRPI, rkHRHC, rkHRCOP, rkHRPercent, rkHRXTitle, rkHRFlow, rkHRPD,
        rkSoundTitle, rkSoundPower, rkSoundPressure, rkEurovent,
    };
    struct TRow {
        TRowKind kind;
        std::string title;
        int tag = 0;          // sort key of the row, 0 when it does not sort
        int soundIndex = 0;   // which distance a sound pressure row shows
    };
    struct TColumn {
        Cls_ChOutdoorUnit* unit;
        std::int32_t SeqNr;
    };

    using TSelectChiller = std::function<void(Cls_ChOutdoorUnit*, std::int32_t)>;
    // The Chillers page shows the unit a double-click names.
    using TDblClickChiller = std::function<void(Cls_ChOutdoorUnit&)>;
    // The window shows the hint of the control the keyboard just entered.
    using TControlEntered = std::function<void()>;

    // Several units with sort markers (the result grid), or one (analysis).
    void SetupWindow(bool MultipleChillers, std::int32_t SeqNr, const CTRecordList<Cls_ChOptionCode>* OptionCodes,
                     TSelectChiller SelectChiller = {}, TDblClickChiller DblClickChiller = {},
                     TControlEntered OnEnter = {});
    // Clears the grid and writes the row titles; the order is the run's
    // again (deviation, ascending). Distance > 0: one sound pressure row at
    // that distance (m), else three.
    void PutHeaders(std::int32_t Condenser, std::int32_t Family, double Distance, const std::string& StdAppl,
                    bool ShowESEER, bool SelectOnCooling, double ReqHeatCap, double ReqCoolCap, bool bHasPrices);
    // The double-click's callback alone, for a view that is made after its model.
    void SetDblClickChiller(TDblClickChiller DblClickChiller) { v_dblClickChiller = std::move(DblClickChiller); }
    void AddChiller(Cls_ChOutdoorUnit* Unit, std::int32_t SeqNr);
    // The current column shows this unit instead (same data set); false
    // without a current column.
    bool ReplaceChiller(Cls_ChOutdoorUnit* Unit);
    // The plant's total column after its units (a grid in single mode with
    // at least one unit; false otherwise): required capacity and deviation
    // move from the unit columns into it, then capacity, power input,
    // EER/COP and sound; no seasonal figures.
    bool AddTotalColumn(const TChillerData& TotalSet);
    // Clears the unit columns and the total column; the row titles and sort
    // markers (the fixed columns) stay when KeepFixedCols, else go too.
    void EmptyGrid(bool KeepFixedCols = true);

    void SetCurrentPosition(int Index);
    int GetCurrentPosition() const { return v_current; }
    Cls_ChOutdoorUnit* GetCurrentChiller(std::int32_t& SeqNr) const;
    // Selects the first column whose unit is the same record (object
    // identifier) and fires the select callback; false when none shows it.
    bool SetCurrentChiller(const Cls_ChOutdoorUnit& Unit);
    // A double-click on unit column nUnit (the total column names no unit):
    // false when no callback was called.
    bool DoubleClickColumn(int nUnit) const;
    // A click on a row title: sorts by its key; the key clicked last again
    // toggles the direction, any other key (the run's own order included)
    // starts ascending. False when the row does not sort.
    bool ClickRowTitle(int nRow);
    // The grid's view took the keyboard: the control-entered callback.
    void ControlEntered() const;
    // The price row's cells anew against the price of the current unit for
    // its data set (that unit shows 100); false without a price row or a
    // current unit, and then the cells stay empty. Selecting or replacing
    // the current unit does it; a front end calls it after the prices changed.
    bool UpdatePriceIndication();
    // The row of the price indication, -1 when the grid has none.
    int PriceRow() const;

    int RowCount() const { return static_cast<int>(v_rows.size()); }
    int UnitCount() const { return static_cast<int>(v_columns.size()); }
    const TRow& Row(int nRow) const { return v_rows[static_cast<std::size_t>(nRow)]; }
    const TColumn& Column(int nUnit) const { return v_columns[static_cast<std::size_t>(nUnit)]; }
    // ">" or "<" beside the current sort row, "*" beside the other sortable rows.
    std::string SortMarker(int nRow) const;
    // The text of a unit's cell, or of the total column at nUnit ==
    // UnitCount(); empty where the grid leaves it empty.
    std::string CellText(int nUnit, int nRow) const;
    bool HasTotalColumn() const { return v_hasTotal; }
    // "Solution" over the total column, empty over a unit column.
    std::string ColumnTitle(int nColumn) const;
    int GetSortTag() const { return v_SortTag; }
    bool GetSortAscending() const { return v_SortAscending; }

private:
    void AddRow(TRowKind kind, const std::string& title, int tag = 0, int soundIndex = 0);
    std::string PriceText(const TColumn& column) const;
    std::string TotalCellText(const TRow& row) const;
    // The required capacity and deviation of a group sit in the total column.
    bool RequirementInTotal(TRowKind kind) const;

    bool v_MultipleChillers = true;
    std::int32_t v_SeqNr = 1;
    const CTRecordList<Cls_ChOptionCode>* v_OptionCodes = nullptr;
    int v_SortTag = 2;
    bool v_SortAscending = true;
    bool v_bSortClicked = false;  // the order is the run's until a title is clicked
    std::string v_StdAppl = "STD";
    double v_ReqCoolCap = 0.0;
    double v_ReqHeatCap = 0.0;
    std::vector<TRow> v_rows;
    std::vector<TColumn> v_columns;
    int v_current = -1;
    bool v_hasTotal = false;
    TChillerData v_total;
    TSelectChiller v_selectChiller;
    TDblClickChiller v_dblClickChiller;
    TControlEntered v_onEnter;
    double v_priceReference = 0.0;  // price of the unit the indication is relative to
};

}  // namespace brumalis
