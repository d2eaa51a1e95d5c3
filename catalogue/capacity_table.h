// A unit's capacity or power-input table (rows of polynomials, one per
// leaving-water temperature), looked up inside the unit's operating envelope
// with interpolation between rows and, on request, simulation outside the
// table; and the envelope test itself.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/polynomial_records.h"
#include "catalogue/table_grid.h"

namespace brumalis {

// Table types (POL_Type of the capacity rows).
enum TCapTableType : std::int32_t {
    cttEvapPressureDrop = 1,
    cttCondPressureDrop = 2,
    cttCoolCap = 3,
    cttHeatCap = 4,
    cttCoolPI = 5,
    cttHeatPI = 6,
};

// Result codes of the table lookup.
enum TCapTableCode : std::int32_t {
    errNoCapacityTable = 250,
    errCoolOutsideTable = 251,
    errCoolOutsideEnvelope = 252,
    errHeatOutsideTable = 253,
    errHeatOutsideEnvelope = 254,
};

// The operating envelope of one mode in the plane (w: leaving water, o:
// ambient/condenser): a rectangle with up to four cut corners.
struct TOperatingEnvelope {
    struct TCorner {
        double W = 0.0;  // width along w (absolute value of the stored field)
        double H = 0.0;  // height along o
    };
    double MinI = 0.0, MaxI = 0.0, MinO = 0.0, MaxO = 0.0;
    TCorner UpperLeft, UpperRight, LowerRight, LowerLeft;

    static TOperatingEnvelope Of(const Cls_OutdoorDevice& unit, bool InCooling);
    // Points on an edge or a cut line are inside.
    bool IsOutside(double w, double o) const;
};

// One row: the leaving-water temperature, the correction code and the
// coefficients, copied out of the record so lookups do not touch the store.
struct TCapRow {
    double Select1 = 0.0;
    double Select2 = 0.0;
    TPolynomial Poly;

    static TCapRow Of(const Cls_Polynomial& row);
    double Value(double x) const { return ApplyRowCorrection(Poly.Evaluate(x), x, Select2); }
};

class TPolyCapListCh {
public:
    // TheTable in ascending POL_Select1 order.
    TPolyCapListCh(const Cls_OutdoorDevice& TheDevice, std::int32_t TheTableType, std::vector<TCapRow> TheTable);

    double GetCapAt(bool InCooling, bool Simulate, double lweTemp, double ambTemp, std::int32_t& nErrCode) const;
    void GetXRange(double& LowerLimit, double& UpperLimit) const;
    void GetLWETempRange(double& minLWE, double& maxLWE) const;
    // Largest and smallest row value over the grid (computed on first use:
    // selections never ask, the table views do).
    double GetMaxCap() const;
    double GetMinCap() const;
    bool HasCapTableLoaded() const { return !v_table.empty(); }
    std::int32_t GetType() const { return v_type; }
    const std::vector<TCapRow>& Rows() const { return v_table; }

    // The row temperatures with the unit caption, each with POL_Select1 × 10.
    std::vector<std::pair<std::string, std::int64_t>> GetLWETempStrings() const;
    // The table view: a header row of grid x values, a header column of row
    // temperatures, capacities in the current display units.
    void FillGrid(TGridData& GridData) const;

private:
    double Interpolate(double x, double lwe, std::int32_t& nErrCode) const;
    std::vector<double> GridX() const;
    void ComputeCapRange() const;

    std::int32_t v_type;
    std::vector<TCapRow> v_table;
    TOperatingEnvelope v_coolEnvelope;
    TOperatingEnvelope v_heatEnvelope;
    double v_minX = 0.0;
    double v_maxX = 0.0;
    mutable bool v_capRangeKnown = false;
    mutable double v_minCap = 2147483647.0;
    mutable double v_maxCap = -2147483647.0;
};

}  // namespace brumalis
