#include "catalogue/freeze_up.h"

#include <algorithm>
#include <iterator>

#include "catalogue/units.h"
#include "localisation/number_text.h"

namespace brumalis {
namespace {

// A column as wide as its widest text plus half a blank.
void FitColumn(TGridData& GridData, int nCol) {
    const int nText = std::max(TGridData::TextWidth(GridData.Cell(nCol, 0).text),
                               TGridData::TextWidth(GridData.Cell(nCol, 1).text));
    GridData.SetColWidth(nCol, nText + TGridData::kCharWidth / 2);
}

}  // namespace

TFreezeUpCh::TFreezeUpCh(Cls_ChOutdoorUnit& TheOutdoor)
    : v_Outdoor(&TheOutdoor), v_Table(TheOutdoor.GetAllChFreezeUp()) {
    std::ranges::stable_sort(v_Table, {}, [](const auto& pRow) { return pRow->GetTemp(); });
}

double TFreezeUpCh::GetCorrection(double TheTemp) const {
    if (v_Table.empty()) return 1.0;
    // Outside the rows the nearest end row holds; written so that a NaN lands here too.
    if (!(TheTemp > v_Table.front()->GetTemp())) return v_Table.front()->GetCorr();
    if (!(TheTemp < v_Table.back()->GetTemp())) return v_Table.back()->GetCorr();
    const auto it = std::ranges::find_if(v_Table, [TheTemp](const auto& pRow) { return TheTemp <= pRow->GetTemp(); });
    const Cls_ChFreezeUp& row = **it;
    if (row.GetTemp() == TheTemp) return row.GetCorr();
    const Cls_ChFreezeUp& prev = **std::prev(it);
    const double w = (TheTemp - prev.GetTemp()) / (row.GetTemp() - prev.GetTemp());
    return prev.GetCorr() + (row.GetCorr() - prev.GetCorr()) * w;
}

void TFreezeUpCh::FillGrid(TGridData& GridData, const std::string& Correction, const std::string& Temperature) const {
    const int nCols = std::max(2, static_cast<int>(v_Table.size()) + 1);
    GridData.Reset(2, nCols, 0);
    GridData.Cell(0, 0).text = Correction;
    GridData.Cell(0, 1).text = Temperature;
    for (int nCol = 1; nCol <= static_cast<int>(v_Table.size()); ++nCol) {
        const Cls_ChFreezeUp& row = *v_Table[static_cast<std::size_t>(nCol - 1)];
        GridData.Cell(nCol, 0).text = Number2FmtStr(5, 2, row.GetCorr());
        GridData.Cell(nCol, 1).text = TU_Form::PutFmtDimensionedValue(U_Temperature, 1, true, row.GetTemp());
    }
    for (int nCol = 0; nCol < nCols; ++nCol) FitColumn(GridData, nCol);
}

}  // namespace brumalis
