// The freeze-up view of a heat pump: the defrost factors as a table and as a
// curve over outdoor temperature.
#pragma once

#include <string>

#include "catalogue/freeze_up.h"
#include "catalogue/table_grid.h"
#include "documents/graphs/legend.h"
#include "platform/graphics/device_canvas.h"

namespace brumalis::graphs {

class TFrm_ChillerFreezeUp {
public:
    TFrm_ChillerFreezeUp();

    void SetupWindow(const TFreezeUpCh* Freezeup);
    void ClearTableGraph();
    void Paint(graphics::CTDeviceCanvas& TheCanvas);

    // The captions of the grid's rows: "Temperature (°C)" and "Correction factor".
    std::string TemperatureCaption() const;
    std::string CorrectionCaption() const;
    const TGridData& Grid() const { return v_GridData; }

private:
    const TFreezeUpCh* v_FreezeUp = nullptr;
    TGridData v_GridData;
    TLegendList v_Series;
};

}  // namespace brumalis::graphs
