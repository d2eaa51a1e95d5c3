// The Results page after a 350 kW run (air cooled, cooling only): the
// solutions found, and a capacity rejection with its range open.
#include <QListWidget>
#include <QTabWidget>

#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/results_page.h"

namespace brumalis::shots {
namespace {

// The first rejected unit whose reason is the capacity window; -1 when none.
int CapacityRejection(const TMainSession& session) {
    for (std::size_t i = 0; i < session.v_NonSelected.size(); ++i) {
        if (session.v_NonSelected[i]->GetChillerData(TMainSession::kSelectionSeqNr).ErrCode == 214) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

void TakeResultsScenes(TScene& scene) {
    ui::TChillerUIForm& window = scene.window;
    TSettingsPage& settings = Run350kWCooling(scene);
    scene.start.Window().SetAvailable(TChillerPage::Results, true);
    auto* pPage = window.findChild<ui::TResultsPage*>();
    if (!pPage) return;
    window.resize(1280, 800);
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Results);
    pPage->Nbk_Results->setCurrentWidget(pPage->Tab_ResSolutions);
    scene.shots.Take(window, "results");

    pPage->Nbk_Results->setCurrentWidget(pPage->Tab_ResRejected);
    pPage->Lst_ResNSelectChillers->setCurrentRow(CapacityRejection(settings.Session()));
    scene.shots.Take(window, "results-rejection");
    pPage->Nbk_Results->setCurrentWidget(pPage->Tab_ResSolutions);
    window.PG_ChillerPages->setCurrentWidget(window.Tab_Settings);
}

}  // namespace brumalis::shots
