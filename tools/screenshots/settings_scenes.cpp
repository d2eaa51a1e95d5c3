// The Settings page in each of its layouts, at the main window's size: the
// first start, a heat pump selected on cooling and on heating, heat
// recovery, a water-cooled unit with a brine below freezing, and a
// condensing unit. The page is left as the start made it.
#include <cstdint>
#include <string>

#include <QTabWidget>

#include "catalogue/unit_classes.h"
#include "tools/screenshots/shots.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/settings_page_view.h"

namespace brumalis::shots {
namespace {

struct TSettingsShot {
    const char* szName;
    std::int32_t nCondenser, nFamily;
    bool bSelCooling;
    const char* szCapacity;      // typed into the capacity the layout shows
    const char* szCoolLeavingE;  // nullptr: as stored
};

constexpr TSettingsShot kShots[] = {
    {"settings-heat-pump-cooling", ctAirCooled, famHeatPump, true, "350", nullptr},
    {"settings-heat-pump-heating", ctAirCooled, famHeatPump, false, "300", nullptr},
    {"settings-heat-recovery", ctAirCooled, famHeatRecovery, true, "350", nullptr},
    {"settings-water-cooled-brine", ctWaterCooled, famCoolingOnly, true, "500", "-6"},
    {"settings-condensing-unit", ctAirCooled, famCondensingUnit, true, "120", nullptr},
};

void Type(TSettingsPage& page, TPanelEntry entry, const std::string& szText) { page.Panel().TypeValue(entry, szText); }

}  // namespace

void TakeSettingsScenes(TScene& scene) {
    ui::TChillerUIForm& window = scene.window;
    auto* pPage = window.Page(TChillerPage::Settings)->findChild<ui::TSettingsPageView*>();
    if (!pPage) return;
    TSettingsPage& page = pPage->Model();
    window.resize(1280, 800);
    window.PG_ChillerPages->setCurrentIndex(static_cast<int>(TChillerPage::Settings));
    scene.shots.Take(window, "settings-first-start");
    for (const TSettingsShot& shot : kShots) {
        page.SelectCriteria(shot.nCondenser, shot.nFamily, 0, 0);
        page.Panel().SetSelCooling(shot.bSelCooling);
        Type(page, shot.bSelCooling ? TPanelEntry::CoolCapacity : TPanelEntry::HeatCapacity, shot.szCapacity);
        if (shot.szCoolLeavingE) Type(page, TPanelEntry::CoolLeavingE, shot.szCoolLeavingE);
        pPage->Refresh();
        scene.shots.Take(window, shot.szName);
    }
    // Back to the start's row and values for the scenes that follow.
    page.SelectCriteria(ctAirCooled, famCoolingOnly, 0, 0);
    page.Panel().SetSelCooling(true);
    Type(page, TPanelEntry::CoolCapacity, "");
    Type(page, TPanelEntry::HeatCapacity, "");
    page.LoadStoredTemperatures();
    pPage->Refresh();
}

}  // namespace brumalis::shots
