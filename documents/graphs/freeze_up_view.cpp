#include "documents/graphs/freeze_up_view.h"

#include <cmath>

#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "documents/graphs/axis_labels.h"
#include "documents/graphs/graph_numbers.h"
#include "documents/graphs/legend_frame.h"

namespace brumalis::graphs {
namespace {

constexpr int kEmptyColWidth = 64;
constexpr int kLabelEvery = 2;

}  // namespace

TFrm_ChillerFreezeUp::TFrm_ChillerFreezeUp() { ClearTableGraph(); }

std::string TFrm_ChillerFreezeUp::TemperatureCaption() const {
    return dialogs::TBaseMsg::Translate("Temperature") + " (" + TU_Form::GetCurrentString(U_Temperature) + ")";
}

std::string TFrm_ChillerFreezeUp::CorrectionCaption() const {
    return dialogs::TBaseMsg::Translate("Correction factor");
}

void TFrm_ChillerFreezeUp::SetupWindow(const TFreezeUpCh* Freezeup) {
    ClearTableGraph();
    if (!Freezeup) return;
    v_FreezeUp = Freezeup;
    Freezeup->FillGrid(v_GridData, CorrectionCaption(), TemperatureCaption());
    v_Series.push_back(std::make_unique<TLegend>("0", "", true));
}

void TFrm_ChillerFreezeUp::ClearTableGraph() {
    v_FreezeUp = nullptr;
    v_Series.clear();
    v_GridData.Reset(2, 2, kEmptyColWidth);
}

void TFrm_ChillerFreezeUp::Paint(graphics::CTDeviceCanvas& TheCanvas) {
    if (!v_FreezeUp || v_FreezeUp->GetTable().empty()) return;
    const double dFirst = v_FreezeUp->GetTable().front()->GetTemp();
    const double dRange = v_FreezeUp->GetTable().back()->GetTemp() - dFirst;
    if (!(dRange >= 0.0 && dRange <= kMaxDegrees && std::fabs(dFirst) <= kMaxDegrees)) return;
    const TFreezeUpCh& table = *v_FreezeUp;
    TVirtLineGraph graph(
        &TheCanvas, [&table, dFirst](int, int i, void*) { return table.GetCorrection(dFirst + i); }, {});
    graph.SetBorder(kGraphBorder);
    graph.SetPlots(&v_Series);
    graph.SetXTitle(TemperatureCaption());
    graph.SetYTitle(CorrectionCaption());
    const int nValues = Rnd(dRange) + 1;
    graph.SetXValues(nValues, DegreeLabels(Rnd(dFirst), nValues, kLabelEvery));
    graph.SetYValues(0.0, 1.0, 5, 2);
    graph.DrawOutline(false, false);
    graph.DrawGraph();
}

}  // namespace brumalis::graphs
