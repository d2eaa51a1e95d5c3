// The freeze-up (defrost) factors of a heat pump: heating capacity factor
// over outdoor temperature, interpolated between the unit's rows.
#pragma once

#include <string>

#include "catalogue/record_support.h"
#include "catalogue/table_grid.h"
#include "catalogue/unit_records.h"

namespace brumalis {

class TFreezeUpCh {
public:
    // Loads the unit's rows sorted by temperature.
    explicit TFreezeUpCh(Cls_ChOutdoorUnit& TheOutdoor);

    // The factor at a temperature; 1.0 without rows.
    double GetCorrection(double TheTemp) const;
    const CTRecordList<Cls_ChFreezeUp>& GetTable() const { return v_Table; }
    Cls_ChOutdoorUnit& GetOutdoor() const { return *v_Outdoor; }
    // The freeze-up table view; Correction and Temperature are the row captions.
    void FillGrid(TGridData& GridData, const std::string& Correction, const std::string& Temperature) const;

private:
    Cls_ChOutdoorUnit* v_Outdoor;
    CTRecordList<Cls_ChFreezeUp> v_Table;
};

}  // namespace brumalis
