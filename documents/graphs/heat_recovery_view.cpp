#include "documents/graphs/heat_recovery_view.h"

#include <algorithm>

#include "catalogue/table_grid.h"
#include "catalogue/units.h"
#include "dialogs/messages.h"

namespace brumalis::graphs {
namespace {

// Room around a column's widest text, in pixels.
constexpr int kColumnPadding = 2 * TGridData::kCharWidth;

// The order recovery rows are always read in.
double SortKey(const Cls_ChHRTotalPartial& row) { return row.GetLWE() * 10000.0 + row.GetEWC() * 100.0 + row.GetLWC(); }

std::string Temperature(double t) { return TU_Form::PutDimensionedText(U_Temperature, true, t); }
std::string Power(double p) { return TU_Form::PutDimensionedText(U_Power, true, p); }

}  // namespace

void TFrm_ChillerHeatRecovery::AddColumn(const std::string& szCaption, bool bRightAligned) {
    v_Columns.push_back({szCaption.empty() ? szCaption : dialogs::TBaseMsg::Translate(szCaption), bRightAligned, 0});
}

void TFrm_ChillerHeatRecovery::SetupWindow(const CTRecordList<Cls_ChHRTotalPartial>& HRTable) {
    v_Columns.clear();
    v_Rows.clear();
    std::vector<const Cls_ChHRTotalPartial*> rows;
    for (const auto& pRow : HRTable) rows.push_back(pRow.get());
    if (rows.empty()) return;
    std::ranges::stable_sort(rows, {}, [](const Cls_ChHRTotalPartial* p) { return SortKey(*p); });
    const Cls_ChHRTotalPartial& first = *rows.front();
    // Rows keyed by leaving evaporator water carry no entering recovery
    // temperature (0, or below as some data files write it).
    const bool bByLWE = first.GetLWE() > 0.0 && first.GetEWC() <= 0.0;
    const bool bWithCooling = first.GetCoolCap() > 0.0;
    AddColumn(bByLWE ? "LWE" : "EWC", false);
    AddColumn("LWC", false);
    if (bWithCooling) {
        AddColumn("CC", true);
        AddColumn("PI", true);
    }
    AddColumn("HR", true);
    AddColumn("", false);
    for (const Cls_ChHRTotalPartial* p : rows) {
        std::vector<std::string> cells = {Temperature(bByLWE ? p->GetLWE() : p->GetEWC()), Temperature(p->GetLWC())};
        if (bWithCooling) {
            cells.push_back(Power(p->GetCoolCap()));
            cells.push_back(Power(p->GetCoolPI()));
        }
        cells.push_back(Power(p->GetHeatRecovered()));
        cells.emplace_back();
        v_Rows.push_back(std::move(cells));
    }
    FitColumns();
}

void TFrm_ChillerHeatRecovery::FitColumns() {
    for (std::size_t c = 0; c < v_Columns.size(); ++c) {
        int nWidest = TGridData::TextWidth(v_Columns[c].Caption);
        for (const auto& cells : v_Rows) nWidest = std::max(nWidest, TGridData::TextWidth(cells[c]));
        v_Columns[c].nWidth = nWidest + kColumnPadding;
    }
}

}  // namespace brumalis::graphs
