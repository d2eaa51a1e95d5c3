#include "workflow/ui/settings_page_step.h"

#include <QTabWidget>

#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/preferences_wiring.h"
#include "workflow/ui/settings_page_view.h"

namespace brumalis::ui {

TSettingsPageView& PutSettingsPage(TChillerUIForm& window, TMainWindowModel& model, TMainSession& session) {
    const TSharedSettings settings = SharedSettings(window, session);
    auto* pPage = new TSettingsPageView(settings.Page, settings.nSetupMessage, model);
    window.SetPageContent(TChillerPage::Settings, pPage);
    pPage->AddOnResultsReady([&window] {
        window.PG_ChillerPages->setCurrentIndex(static_cast<int>(TChillerPage::Results));
    });
    // "Preferences" opens on the page's row and re-expresses the page after OK.
    TPreferencesCommand& preferences = PreferencesCommandOf(window, session);
    TSettingsPage& page = settings.Page;
    preferences.SetCriteriaSource([&page] {
        return TSelectionCriteria{page.List().GetSelCondenser(), page.List().GetSelFamily(), 0, 0};
    });
    preferences.AddAcceptedStep("Settings page", [pPage] { pPage->PreferencesAccepted(); });
    return *pPage;
}

}  // namespace brumalis::ui
