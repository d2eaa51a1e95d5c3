#include "catalogue/capacity_table.h"

#include <cmath>

#include "catalogue/units.h"
#include "catalogue/unit_records.h"

namespace brumalis {
namespace {

TOperatingEnvelope::TCorner Corner(double dWidth, double dHeight) { return {std::fabs(dWidth), std::fabs(dHeight)}; }

bool Cuts(const TOperatingEnvelope::TCorner& c) { return c.W > 0.0 && c.H > 0.0; }

}  // namespace

TOperatingEnvelope TOperatingEnvelope::Of(const Cls_OutdoorDevice& u, bool InCooling) {
    TOperatingEnvelope e;
    if (InCooling) {
        e.MinI = u.GetCMinITemp(), e.MaxI = u.GetCMaxITemp(), e.MinO = u.GetCMinOTemp(), e.MaxO = u.GetCMaxOTemp();
        e.UpperLeft = Corner(u.GetCDIndUL(), u.GetCDOutUL());
        e.UpperRight = Corner(u.GetCDIndUR(), u.GetCDOutUR());
        e.LowerRight = Corner(u.GetCDIndLR(), u.GetCDOutLR());
        e.LowerLeft = Corner(u.GetCDIndLL(), u.GetCDOutLL());
    } else {
        e.MinI = u.GetHMinITemp(), e.MaxI = u.GetHMaxITemp(), e.MinO = u.GetHMinOTemp(), e.MaxO = u.GetHMaxOTemp();
        e.UpperLeft = Corner(u.GetHDIndUL(), u.GetHDOutUL());
        e.UpperRight = Corner(u.GetHDIndUR(), u.GetHDOutUR());
        e.LowerRight = Corner(u.GetHDIndLR(), u.GetHDOutLR());
        e.LowerLeft = Corner(u.GetHDIndLL(), u.GetHDOutLL());
    }
    return e;
}

bool TOperatingEnvelope::IsOutside(double w, double o) const {
    if (o < MinO || o > MaxO || w < MinI || w > MaxI) return true;
    const TCorner& ul = UpperLeft;
    if (Cuts(ul) && w < MinI + ul.W && o > (MaxO - ul.H) + (w - MinI) * ul.H / ul.W) return true;
    const TCorner& ur = UpperRight;
    if (Cuts(ur) && w > MaxI - ur.W && o > MaxO - (w - MaxI + ur.W) * ur.H / ur.W) return true;
    const TCorner& lr = LowerRight;
    if (Cuts(lr) && w > MaxI - lr.W && o < MinO + (w - MaxI + lr.W) * lr.H / lr.W) return true;
    const TCorner& ll = LowerLeft;
    return Cuts(ll) && w < MinI + ll.W && o < (MinO + ll.H) - (w - MinI) * ll.H / ll.W;
}

TCapRow TCapRow::Of(const Cls_Polynomial& row) { return TCapRow{row.GetSelect1(), row.GetSelect2(), row.GetPolynomial()}; }

TPolyCapListCh::TPolyCapListCh(const Cls_OutdoorDevice& TheDevice, std::int32_t TheTableType,
                               std::vector<TCapRow> TheTable)
    : v_type(TheTableType),
      v_table(std::move(TheTable)),
      v_coolEnvelope(TOperatingEnvelope::Of(TheDevice, true)),
      v_heatEnvelope(TOperatingEnvelope::Of(TheDevice, false)) {
    if (v_type == cttCoolCap || v_type == cttCoolPI) {
        v_minX = TheDevice.GetCIndLowerLimit();
        v_maxX = TheDevice.GetCIndUpperLimit();
    } else if (v_type == cttHeatCap || v_type == cttHeatPI) {
        v_minX = TheDevice.GetHIndLowerLimit();
        v_maxX = TheDevice.GetHIndUpperLimit();
    }
}

void TPolyCapListCh::ComputeCapRange() const {
    if (v_capRangeKnown) return;
    v_capRangeKnown = true;
    for (double x : GridX()) {
        for (const TCapRow& row : v_table) {
            const double v = row.Value(x);
            v_maxCap = std::max(v_maxCap, v);
            v_minCap = std::min(v_minCap, v);
        }
    }
}

double TPolyCapListCh::GetMaxCap() const {
    ComputeCapRange();
    return v_maxCap;
}

double TPolyCapListCh::GetMinCap() const {
    ComputeCapRange();
    return v_minCap;
}

std::vector<double> TPolyCapListCh::GridX() const {
    std::vector<double> xs;
    // A broken range must not make the grid unbounded.
    // Counted steps: at magnitudes where adding 1 changes nothing, a loop on
    // x itself would never end.
    if (std::isfinite(v_minX) && std::isfinite(v_maxX) && v_maxX - v_minX < 10000.0) {
        for (int i = 0; v_minX + i < v_maxX; ++i) {
            if (i > 0 && v_minX + i == xs.back()) break;
            xs.push_back(v_minX + i);
        }
    }
    xs.push_back(v_maxX);
    return xs;
}

void TPolyCapListCh::GetXRange(double& LowerLimit, double& UpperLimit) const {
    LowerLimit = v_minX;
    UpperLimit = v_maxX;
}

void TPolyCapListCh::GetLWETempRange(double& minLWE, double& maxLWE) const {
    minLWE = v_table.empty() ? 0.0 : v_table.front().Select1;
    maxLWE = v_table.empty() ? 0.0 : v_table.back().Select1;
}

double TPolyCapListCh::Interpolate(double x, double lwe, std::int32_t& nErrCode) const {
    std::size_t prev = 0;
    for (std::size_t k = 0; k < v_table.size(); ++k) {
        if (v_table[k].Select1 >= lwe) {
            const double vk = v_table[k].Value(x);
            const double d = v_table[k].Select1 - v_table[prev].Select1;
            if (d == 0.0) return vk;
            const double vp = v_table[prev].Value(x);
            return vp + (vk - vp) * (lwe - v_table[prev].Select1) / d;
        }
        prev = k;
    }
    nErrCode = errNoCapacityTable;
    return 0.0;
}

double TPolyCapListCh::GetCapAt(bool InCooling, bool Simulate, double lweTemp, double ambTemp,
                                std::int32_t& nErrCode) const {
    nErrCode = 0;
    double minLWE = 0.0, maxLWE = 0.0;
    GetLWETempRange(minLWE, maxLWE);
    if ((InCooling ? v_coolEnvelope : v_heatEnvelope).IsOutside(lweTemp, ambTemp)) {
        nErrCode = InCooling ? errCoolOutsideEnvelope : errHeatOutsideEnvelope;
        return 0.0;
    }
    if (minLWE <= lweTemp && lweTemp <= maxLWE && v_minX <= ambTemp && ambTemp <= v_maxX) {
        return Interpolate(ambTemp, lweTemp, nErrCode);
    }
    nErrCode = InCooling ? errCoolOutsideTable : errHeatOutsideTable;
    if (!Simulate) return 0.0;
    const double x = std::clamp(ambTemp, v_minX, std::max(v_minX, v_maxX));
    if (lweTemp < minLWE) {
        const double b = Interpolate(x, minLWE, nErrCode);
        const double c = Interpolate(x, minLWE + 1.0, nErrCode);
        return b + (lweTemp - minLWE) * (c - b);
    }
    if (lweTemp > maxLWE) {
        const double b = Interpolate(x, maxLWE - 1.0, nErrCode);
        const double c = Interpolate(x, maxLWE, nErrCode);
        return c + (lweTemp - maxLWE) * (c - b);
    }
    return Interpolate(x, lweTemp, nErrCode);
}

std::vector<std::pair<std::string, std::int64_t>> TPolyCapListCh::GetLWETempStrings() const {
    std::vector<std::pair<std::string, std::int64_t>> strings;
    for (const TCapRow& row : v_table) {
        strings.emplace_back(TU_Form::PutDimensionedText(U_Temperature, true, row.Select1),
                             std::llround(row.Select1 * 10.0));
    }
    return strings;
}

void TPolyCapListCh::FillGrid(TGridData& GridData) const {
    const int nCols = GridData.ColCount();
    if (v_table.empty()) {
        GridData.Reset(GridData.RowCount(), nCols, 64);
        return;
    }
    const std::vector<double> xs = GridX();
    GridData.Reset(static_cast<int>(v_table.size()) + 1, static_cast<int>(xs.size()) + 1, 64);
    const bool bInCooling = v_type == cttCoolCap || v_type == cttCoolPI;
    for (std::size_t c = 0; c < xs.size(); ++c) {
        const std::string text = TU_Form::PutDimensionedText(U_Temperature, true, xs[c]);
        GridData.Cell(static_cast<int>(c) + 1, 0).text = text;
        GridData.FitText(static_cast<int>(c) + 1, text);
    }
    for (std::size_t r = 0; r < v_table.size(); ++r) {
        const int nRow = static_cast<int>(r) + 1;
        const std::string rowText = TU_Form::PutDimensionedText(U_Temperature, true, v_table[r].Select1);
        GridData.Cell(0, nRow).text = rowText;
        GridData.FitText(0, rowText);
        for (std::size_t c = 0; c < xs.size(); ++c) {
            std::int32_t nCode = 0;
            const double v = GetCapAt(bInCooling, false, v_table[r].Select1, xs[c], nCode);
            TGridCell& cell = GridData.Cell(static_cast<int>(c) + 1, nRow);
            if (v > 0.0) {
                cell.text = TU_Form::PutDimensionedText(U_Power, true, v);
                cell.object = std::llround(v * 1000.0);
                GridData.FitText(static_cast<int>(c) + 1, cell.text);
            } else {
                cell.object = -2147483647;
            }
        }
    }
}

}  // namespace brumalis
