// The basket grid (Grid_Solutions) as texts: row titles down column 0, one
// column per solution with its unit's figures (one unit) or the plant
// totals, in the current display units.
#pragma once

#include <string>
#include <vector>

#include "workflow/solution.h"

namespace brumalis {

class TBasketGrid {
public:
    enum TRow : int {
        rwSolution, rwModel, rwApplication, rwOptionCode,
        rwCoolTitle, rwCoolRequired, rwCoolDeviation, rwCoolCapacity, rwCoolPower, rwEER, rwSeasonal,
        rwHeatTitle, rwHeatRequired, rwHeatDeviation, rwHeatCapacity, rwHeatPower, rwCOP,
        rwHRMode, rwHRCC, rwHRPI, rwHRHC, rwHRCOP, rwHRPercent,
        rwSoundTitle, rwSoundPower, rwSoundPressure1, rwSoundPressure2, rwSoundPressure3,
        rwEuroventTitle, rwCertified, rwEER100,
        kRowCount
    };

    void SetupWindow(const CTRecordList<Cls_ChOptionCode>* OptionCodes, std::string StdAppl = "STD");
    // The row titles; row 10 is "ESEER" or "IPLV" by the preference.
    void PutRowTitles(bool ShowESEER);
    const std::string& RowTitle(int nRow) const { return v_titles.at(static_cast<std::size_t>(nRow)); }
    // The cell of the solution at basket position nPosition (from 0).
    std::string CellText(const TSolution& Solution, int nPosition, int nRow) const;

private:
    std::string OneUnitText(const TSolution& Solution, int nRow) const;

    const CTRecordList<Cls_ChOptionCode>* v_OptionCodes = nullptr;
    std::string v_StdAppl = "STD";
    bool v_ShowESEER = true;
    std::vector<std::string> v_titles = std::vector<std::string>(kRowCount);
};

}  // namespace brumalis
