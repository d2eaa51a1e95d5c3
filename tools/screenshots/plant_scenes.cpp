// The Plant Builder page with two units of a 350 kW run (air cooled,
// cooling only) and a required plant capacity of 700 kW.
#include <QTabWidget>

#include "dialogs/messages.h"
#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/plant_builder.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/plant_page.h"

namespace brumalis::shots {
namespace {

constexpr int kNetworkOption = 3;

// The run's units that may go into a plant with the first of them.
std::vector<Cls_ChOutdoorUnit*> PlantUnits(TMainSession& session) {
    std::vector<Cls_ChOutdoorUnit*> units;
    for (Cls_ChOutdoorUnit* pUnit : session.v_Results) {
        if (pUnit->GetSpecialOptCombs(session.v_Options, TMainSession::kSelectionSeqNr, kNetworkOption).empty()) continue;
        if (units.empty() || pUnit->GetSeries() == units.front()->GetSeries()) units.push_back(pUnit);
    }
    return units;
}

// The model's messages would stop the camera at a message box.
void BuildQuietly(TPlantBuilder& plant, const std::vector<Cls_ChOutdoorUnit*>& units) {
    dialogs::CTMessagePresenter* pPresenter = dialogs::TBaseMsg::SetPresenter(nullptr);
    dialogs::TMessageSink sink = dialogs::TBaseMsg::SetMessageSink([](const std::string&, int) {});
    const TPanelRequirement panel{350.0, 0.0, true};
    plant.AddToPlant(*units.front(), panel);
    plant.AddToPlant(*units[units.size() > 1 ? 1 : 0], panel);
    plant.AddCapacity("700");
    dialogs::TBaseMsg::SetMessageSink(std::move(sink));
    dialogs::TBaseMsg::SetPresenter(pPresenter);
}

}  // namespace

void TakePlantScenes(TScene& scene) {
    ui::TChillerUIForm& window = scene.window;
    TMainSession& session = scene.start.Program().Session();
    Run350kWCooling(scene);
    const std::vector<Cls_ChOutdoorUnit*> units = PlantUnits(session);
    auto* pPage = window.findChild<ui::TPlantPage*>();
    if (!pPage || units.empty()) return;
    BuildQuietly(session.Plant(), units);
    window.resize(1280, 800);
    scene.start.Window().SetAvailable(TChillerPage::PlantBuilder, true);
    window.PG_ChillerPages->setCurrentWidget(window.Tab_PlantBuilder);
    scene.shots.Take(window, "plant");
    pPage->RemovePlant();
}

}  // namespace brumalis::shots
