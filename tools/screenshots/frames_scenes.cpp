// The graph and table frames of the detail pages, each in a plain window,
// filled from the data sheet of real catalogue units: an air-cooled heat
// pump (cooling and heating, freeze-up), a water-cooled unit (condenser
// pressure drop) and a unit with built-in heat recovery.
#include <functional>
#include <string>

#include <QVBoxLayout>
#include <QWidget>

#include "catalogue/unit_classes.h"
#include "catalogue/freeze_up.h"
#include "dialogs/messages.h"
#include "documents/ui/graph_frames.h"
#include "documents/ui/table_frames.h"
#include "tools/screenshots/shots.h"
#include "workflow/chiller_page.h"
#include "workflow/desktop_start.h"

namespace brumalis::shots {
namespace {

constexpr QSize kFrameWindowSize(640, 460);

Cls_ChOutdoorUnit* FirstUnit(const TMainSession& session, const std::function<bool(const Cls_ChOutdoorUnit&)>& wanted) {
    for (Cls_ChOutdoorUnit* pUnit : session.v_PrefChillers) {
        if (wanted(*pUnit)) return pUnit;
    }
    return nullptr;
}

// The frame alone in a window of its own, as the page will hold it.
void TakeInWindow(CTShots& shots, QWidget* frame, const std::string& szName, QSize size = kFrameWindowSize) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(frame);
    window.resize(size);
    shots.Take(window, szName);
}

std::string Text(const char* szEnglish) { return dialogs::TBaseMsg::Translate(szEnglish); }

void TakePerformance(CTShots& shots, const Cls_ChOutdoorUnit& unit, const TPerformanceView& view, bool bCooling, const std::string& szPrefix) {
    if (!view.Shown || !view.CapTable) return;
    const std::string szCapacity = Text(bCooling ? "Cooling capacity" : "Heating capacity");
    auto* table = new docui::TFrm_ChillerCapPITable;
    table->SetupWindow(view.CapTable, szCapacity);
    TakeInWindow(shots, table, szPrefix + "-table");
    auto* graph = new docui::TFrm_ChillerCapPIGraph;
    graph->SetupWindow(view.CapTable, bCooling, view.XCaption, szCapacity);
    TakeInWindow(shots, graph, szPrefix + "-graph");
    auto* range = new docui::TFrm_CapTableOpRange;
    range->SetupWindow(&unit, view.CapTable, double(view.RangeExtension));
    TakeInWindow(shots, range, szPrefix + "-range", {600, 480});
}

void TakeUnitFrames(CTShots& shots, TMainSession& session, Cls_ChOutdoorUnit* pUnit, const std::string& szTag) {
    if (!pUnit) return;
    TChillerDataSheet sheet(session);
    sheet.ShowUnit(pUnit);
    TakePerformance(shots, *pUnit, sheet.Cooling(), true, "frames-" + szTag + "-cooling");
    TakePerformance(shots, *pUnit, sheet.Heating(), false, "frames-" + szTag + "-heating");
    if (sheet.Heating().Shown && sheet.Heating().FreezeUp && !sheet.Heating().FreezeUp->GetTable().empty()) {
        auto* freezeUp = new docui::TFrm_ChillerFreezeUp;
        freezeUp->SetupWindow(sheet.Heating().FreezeUp);
        TakeInWindow(shots, freezeUp, "frames-" + szTag + "-freeze-up");
    }
    const TPressureDropView& drops = sheet.PressureDrop();
    auto* pressureDrop = new docui::TFrm_ChillerPressureDrop;
    pressureDrop->SetupWindow(pUnit, drops.Evaporator, drops.Condenser, drops.Recovery.get(), drops.Pump.get());
    TakeInWindow(shots, pressureDrop, "frames-" + szTag + "-pressure-drop");
    if (!sheet.HeatRecoveryRows().empty()) {
        auto* recovery = new docui::TFrm_ChillerHeatRecovery;
        recovery->SetupWindow(sheet.HeatRecoveryRows());
        TakeInWindow(shots, recovery, "frames-" + szTag + "-heat-recovery", {520, 300});
    }
}

}  // namespace

void TakeFramesScenes(TScene& scene) {
    TMainSession& session = scene.start.Program().Session();
    TakeUnitFrames(scene.shots, session, FirstUnit(session, [](const Cls_ChOutdoorUnit& unit) {
        return unit.GetFamily() == famHeatPump && unit.GetCondenserType() == ctAirCooled;
    }), "heat-pump");
    TakeUnitFrames(scene.shots, session, FirstUnit(session, [](const Cls_ChOutdoorUnit& unit) {
        return unit.GetCondenserType() == ctWaterCooled;
    }), "water-cooled");
    TakeUnitFrames(scene.shots, session, FirstUnit(session, [](const Cls_ChOutdoorUnit& unit) {
        return unit.GetFamily() == famHeatRecovery;
    }), "heat-recovery");
}

}  // namespace brumalis::shots
