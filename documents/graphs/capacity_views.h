// The capacity and power-input views of a unit: the table as a grid, and the
// graph with one curve per leaving-water temperature of the table.
#pragma once

#include <string>

#include "catalogue/capacity_table.h"
#include "catalogue/table_grid.h"
#include "documents/graphs/legend_frame.h"

namespace brumalis::graphs {

class TFrm_ChillerCapPITable {
public:
    TFrm_ChillerCapPITable() { ClearTable(); }

    // No table clears the view.
    void SetupWindow(const TPolyCapListCh* TheTable, std::string HeaderTitle);
    // An empty 2 × 2 grid with columns 64 wide.
    void ClearTable();

    const std::string& HeaderTitle() const { return v_HeaderTitle; }
    const TGridData& Grid() const { return v_Grd_CapPI; }

private:
    std::string v_HeaderTitle;
    TGridData v_Grd_CapPI;
};

class TFrm_ChillerCapPIGraph : public TLegendFrame {
public:
    // One series per row temperature; the legend is kept under
    // "Software\Orvane\Brumalis\" + YTitle.
    void SetupWindow(const TPolyCapListCh* TheTable, bool ForCooling, const std::string& XTitle,
                     const std::string& YTitle);
    void ClearGraph();
    void Paint(graphics::CTDeviceCanvas& TheCanvas);

    // Series nSeries at the nIndex-th degree from the table's lowest X, in
    // the user's power unit; kNoValue where the table has none.
    double Value(int nSeries, int nIndex) const;
    double MaxY() const { return v_MaxY; }
    const std::string& XTitle() const { return v_XTitle; }
    const std::string& YTitle() const { return v_YTitle; }

private:
    void Reset();
    // Within the degrees a graph can plot (damaged data may hold any range).
    bool PlottableRange() const;

    const TPolyCapListCh* v_Table = nullptr;
    bool v_ForCooling = true;
    std::vector<double> v_Temperatures;  // of the series
    double v_MinX = 0.0, v_MaxX = 0.0;
    double v_MaxY = 0.0;
    std::string v_XTitle, v_YTitle;
};

}  // namespace brumalis::graphs
