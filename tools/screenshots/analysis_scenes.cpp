// The Analysis page: nothing analysed, a chiller chosen in the lists, the
// current result of a 350 kW run with its first pump, and a heat pump with
// its recovery entries.
#include <QCheckBox>
#include <QCoreApplication>
#include <QScrollArea>
#include <QPushButton>
#include <QTabWidget>

#include "catalogue/unit_classes.h"
#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/analysis_page_view.h"
#include "workflow/ui/chiller_select_view.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/temp_panel_view.h"

namespace brumalis::shots {
namespace {

// The unit chosen in the lists, then "On user defined chiller".
void AnalyseChosen(ui::TAnalysisPageView& page, Cls_ChOutdoorUnit& unit) {
    page.Model().Chooser().SelectChiller(unit);
    page.Frm_AnChillerSelect->ShowModel();
    page.Btn_SetSelection->click();
}

// The option ticked, and the controls scrolled so that what it shows is in view.
void Tick(ui::TAnalysisPageView& page, TAnalysisOption option, QWidget* pShown) {
    QCheckBox* pCheck = page.Options[static_cast<std::size_t>(option)].Check;
    if (!pCheck->isHidden() && !pCheck->isChecked()) pCheck->click();
    QCoreApplication::processEvents();
    if (auto* pScroll = page.findChild<QScrollArea*>(QStringLiteral("Scb_Analysis"))) pScroll->ensureWidgetVisible(pShown);
}

}  // namespace

void TakeAnalysisScenes(TScene& scene) {
    ui::TChillerUIForm& window = scene.window;
    TMainSession& session = scene.start.Program().Session();
    auto* pPage = window.findChild<ui::TAnalysisPageView*>();
    Cls_ChOutdoorUnit* pCooling = FirstUnit(session, ctWaterCooled, famCoolingOnly);
    Cls_ChOutdoorUnit* pHeatPump = FirstUnit(session, ctAirCooled, famHeatPump);
    if (!pPage || !pCooling || !pHeatPump) return;
    window.resize(1280, 800);
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Analysis);
    scene.shots.Take(window, "analysis-empty");

    AnalyseChosen(*pPage, *pCooling);
    scene.shots.Take(window, "analysis-user-defined");

    Run350kWCooling(scene);
    pPage->Refresh();
    pPage->Btn_SetSolution->click();
    Tick(*pPage, TAnalysisOption::Pump, pPage->Pnl_PumpESP);
    scene.shots.Take(window, "analysis-result");

    AnalyseChosen(*pPage, *pHeatPump);
    Tick(*pPage, TAnalysisOption::HeatRecovery, pPage->Box_AnHRCondenser);
    scene.shots.Take(window, "analysis-heat-pump");
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Settings);
}

}  // namespace brumalis::shots
