// The heat-recovery view: the unit's recovery rows as a list, keyed by
// leaving evaporator or entering recovery water, with cooling capacity and
// power input where the rows give them.
#pragma once

#include <string>
#include <vector>

#include "catalogue/record_support.h"
#include "catalogue/unit_records.h"

namespace brumalis::graphs {

struct TListColumn {
    std::string Caption;
    bool bRightAligned = false;
    int nWidth = 0;  // pixels, fitted to the content
};

class TFrm_ChillerHeatRecovery {
public:
    // The rows in ascending LWE × 10000 + EWC × 100 + LWC.
    void SetupWindow(const CTRecordList<Cls_ChHRTotalPartial>& HRTable);

    const std::vector<TListColumn>& Columns() const { return v_Columns; }
    const std::vector<std::vector<std::string>>& Rows() const { return v_Rows; }

private:
    // Captions are translated like the form's.
    void AddColumn(const std::string& szCaption, bool bRightAligned);
    void FitColumns();

    std::vector<TListColumn> v_Columns;
    std::vector<std::vector<std::string>> v_Rows;  // LV_HRData
};

}  // namespace brumalis::graphs
