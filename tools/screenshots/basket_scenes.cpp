// The Solution Basket page with three solutions after a 350 kW run (air
// cooled, cooling only): two single units and a plant of two, the plant
// selected.
#include <QTabWidget>

#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/page_models.h"

namespace brumalis::shots {

void TakeBasketScenes(TScene& scene) {
    ui::TChillerUIForm& window = scene.window;
    TMainSession& session = scene.start.Program().Session();
    TSettingsPage& settings = Run350kWCooling(scene);
    const TFrm_ChResultGrid& results = settings.ResultGrid();
    if (results.UnitCount() < 2) return;
    TBasketPage& basket = ui::SharedBasketPage(window, session);
    const TPanelRequirement panel{350.0, 0.0, true};
    basket.AddResult(*results.Column(0).unit, panel);
    basket.AddResult(*results.Column(1).unit, panel);
    TPlantBuilder& plant = session.Plant();
    for (int c = 0; c < results.UnitCount() && !plant.Plant(); ++c) {
        if (plant.AddToPlant(*results.Column(c).unit, panel)) plant.AddToPlant(*results.Column(c).unit, panel);
    }
    basket.AddPlant();
    scene.start.Window().SetAvailable(TChillerPage::Basket, true);
    window.resize(1280, 800);
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Basket);
    scene.shots.Take(window, "basket");
    session.Basket().Replace({});
    scene.start.Window().SetAvailable(TChillerPage::Basket, false);
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Settings);
}

}  // namespace brumalis::shots
