// The Chillers page with an air-cooled heat pump, each tab of its data
// sheet in turn, and the cooling data of a condenserless unit.
#include <QTabWidget>

#include "catalogue/unit_classes.h"
#include "documents/ui/graph_frames.h"
#include "documents/ui/table_frames.h"
#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/chillers_page_view.h"
#include "workflow/ui/page_models.h"

namespace brumalis::shots {

void TakeChillersScenes(TScene& scene) {
    ui::TChillerUIForm& window = scene.window;
    TMainSession& session = scene.start.Program().Session();
    auto* pPage = window.findChild<ui::TChillersPage*>();
    Cls_ChOutdoorUnit* pHeatPump = FirstUnit(session, ctAirCooled, famHeatPump);
    if (!pPage || !pHeatPump) return;
    window.resize(1280, 800);
    ui::JumpToChillers(window, *pHeatPump);
    const char* const kNames[] = {"chillers-technical", "chillers-options",       "chillers-cooling",
                                  "chillers-heating",   "chillers-pressure-drop", "chillers-heat-recovery"};
    for (int nTab = 0; nTab < pPage->Nbk_ChillerData->count(); ++nTab) {
        pPage->Nbk_ChillerData->setCurrentIndex(nTab);
        scene.shots.Take(window, kNames[nTab]);
    }
    pPage->Nbk_ChillerData->setCurrentWidget(pPage->Heating.Tab);
    pPage->Heating.Views->setCurrentWidget(pPage->Heating.FreezeUp);
    scene.shots.Take(window, "chillers-heating-freeze-up");
    pPage->Heating.Views->setCurrentIndex(0);
    if (Cls_ChOutdoorUnit* pCondenserless = FirstUnit(session, ctCondenserless, 0)) {
        ui::JumpToChillers(window, *pCondenserless);
        pPage->Nbk_ChillerData->setCurrentWidget(pPage->Cooling.Tab);
        pPage->Cooling.Views->setCurrentWidget(pPage->Cooling.CapGraph);
        scene.shots.Take(window, "chillers-condenserless-graph");
        pPage->Cooling.Views->setCurrentWidget(pPage->Cooling.Range);
        scene.shots.Take(window, "chillers-condenserless-range");
        pPage->Cooling.Views->setCurrentIndex(0);
    }
    pPage->Nbk_ChillerData->setCurrentIndex(0);
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Settings);
}

}  // namespace brumalis::shots
