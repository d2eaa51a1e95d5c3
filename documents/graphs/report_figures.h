// The two figures a chiller report carries, as 560 × 420 enhanced
// metafiles: the operating range with the capacity table's area, and the
// evaporator (and, for water-cooled units, condenser) pressure drop.
#pragma once

#include "catalogue/capacity_table.h"
#include "catalogue/records_fwd.h"
#include "documents/graphs/operating_range.h"
#include "platform/graphics/picture.h"

namespace brumalis::graphs {

inline constexpr int kReportFigureWidth = 560;
inline constexpr int kReportFigureHeight = 420;

// The face and size the figures' text is set in.
struct TFigureFont {
    std::string Name = "Arial";
    int Size = 8;
};

// The range set up as the window and the report show it: axis labels by
// family and condenser, TheTable's type tells the mode (3 cooling, else
// heating), its leaving-water and X ranges mark the capacity area.
void PrepareOperatingRange(TFrm_CapTableOpRange& Range, const Cls_ChOutdoorUnit& TheChiller,
                           const TPolyCapListCh& TheTable, double RangeTemp);

// TheTable's type tells the mode (3 cooling, else heating); its leaving-water
// and X ranges mark the capacity area. RangeTemp: the range extension of the
// selected operation-range option (kNotSet without one).
graphics::CTGraphic OperatingRangeFigure(const Cls_ChOutdoorUnit& TheChiller, const TPolyCapListCh& TheTable,
                                         double RangeTemp, const TFigureFont& Font = {});

// The chiller's own curves over its flow limits, with the legend settings of
// the pressure-drop view.
graphics::CTGraphic PressureDropFigure(Cls_ChOutdoorUnit& TheChiller, const TFigureFont& Font = {});

}  // namespace brumalis::graphs
