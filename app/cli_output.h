// What the command line prints: the result grid as an aligned text table,
// the rejected units with their reasons, and the same as one JSON object.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "workflow/main_session.h"
#include "workflow/rejection_details.h"
#include "workflow/result_grid.h"

namespace brumalis::app {

struct TRejection {
    std::string model;  // with its application, which tells variants of a model apart
    TRejectionDetails details;
};

// Row titles down the left, one column per unit, "[ ]" around the current unit's name.
void PrintGrid(const TFrm_ChResultGrid& grid, std::ostream& out);
// A plain table with a header line; columns padded, right-aligned where asked.
void PrintTable(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& rightAligned,
                std::ostream& out);
void PrintRejected(const std::vector<TRejection>& rejected, std::ostream& out);

class TJsonWriter;
// One unit column of a grid as a result object of select --json.
void WriteResult(TJsonWriter& json, const TFrm_ChResultGrid& grid, int nUnit, double dReqCool, double dReqHeat);
// A solution's totals with the same figures (no model, no seasonal values for a plant).
void WriteTotals(TJsonWriter& json, const TFrm_ChResultGrid& grid, const TChillerData& totals, double dReqCool,
                 double dReqHeat);

void WriteJson(const TFrm_ChResultGrid& grid, const TSelTempData& criteria, double dReqCool, double dReqHeat,
               const std::vector<TRejection>& rejected, std::ostream& out);

}  // namespace brumalis::app
