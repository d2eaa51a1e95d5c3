// What the command line prints: the result grid as an aligned text table,
// the rejected units with their reasons, and the same as one JSON object.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "workflow/main_session.h"
#include "workflow/result_grid.h"

namespace brumalis::app {

struct TRejection {
    std::string model;
    int code;
    std::string message;
};

// The reason text of a rejected unit, as the rejected list shows it.
TRejection RejectionOf(Cls_ChOutdoorUnit& unit, std::int32_t SeqNr, double dNegCooling, double dPosCooling,
                       double dNegHeating, double dPosHeating);

// Row titles down the left, one column per unit, "[ ]" around the current unit's name.
void PrintGrid(const TFrm_ChResultGrid& grid, std::ostream& out);
// A plain table with a header line; columns padded, right-aligned where asked.
void PrintTable(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned,
                std::ostream& out);
void PrintRejected(const std::vector<TRejection>& rejected, std::ostream& out);

void WriteJson(const TFrm_ChResultGrid& grid, const TSelTempData& criteria, double dReqCool, double dReqHeat,
               const std::vector<TRejection>& rejected, std::ostream& out);

}  // namespace brumalis::app
