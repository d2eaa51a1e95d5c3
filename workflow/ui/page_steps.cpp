#include "workflow/ui/page_steps.h"

#include "online/ui/upgrade_dialog.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/about_command.h"
#include "workflow/ui/analysis_page_view.h"
#include "workflow/ui/basket_page_view.h"
#include "workflow/ui/chillers_page_view.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/option_frame_step.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/plant_page.h"
#include "workflow/ui/preferences_wiring.h"
#include "workflow/ui/project_actions.h"
#include "workflow/ui/results_page.h"
#include "workflow/ui/settings_page_step.h"

namespace brumalis::ui {

// Each page's frame is made right after the main window and before its
// translation, so that the translation walk reaches the frame's texts too.
// A step per page, in page order, each inserted after the one before it.
void AddPageSteps(TDesktopStart& start, TQtDesktopPresenter& presenter) {
    TProgramStart& program = start.Program();
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Settings page",
                             [&presenter, &start](TProgramStart& s) {
                                 PutSettingsPage(*presenter.MainWindow(), start.Window(), s.Session());
                             });
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Results page", [&presenter](TProgramStart& s) {
        TChillerUIForm& window = *presenter.MainWindow();
        MakeResultsPage(window, SharedSettingsPage(window, s.Session()));
    });
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Chillers page",
                             [&presenter, &start](TProgramStart& s) {
                                 TChillerUIForm& window = *presenter.MainWindow();
                                 TSettingsPage& settings = SharedSettingsPage(window, s.Session());
                                 MakeChillersPage(window, start.Window(), s.Session(), [&settings] {
                                     std::int32_t nSeqNr = 0;
                                     return settings.ResultGrid().GetCurrentChiller(nSeqNr);
                                 });
                             });
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Plant Builder page",
                             [&presenter](TProgramStart& s) { PutPlantPage(*presenter.MainWindow(), s.Session()); });
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Basket page", [&presenter](TProgramStart& s) {
        MakeBasketPage(*presenter.MainWindow(), s.Session());
    });
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Analysis page", [&presenter](TProgramStart& s) {
        MakeAnalysisPage(*presenter.MainWindow(), s.Session());
    });
    // The results frame goes into the room the Results page left for it.
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Option frames", [&presenter](TProgramStart& s) {
        TChillerUIForm& window = *presenter.MainWindow();
        if (auto* pPage = window.Page(TChillerPage::Results)->findChild<TResultsPage*>()) {
            PutResultsOptionFrame(window, *pPage, s.Session());
        }
    });
    // "About" on the Help menu and the tool bar; translated with the window.
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "About command",
                             [&presenter](TProgramStart&) {
                                 auto* pAbout = new TAboutCommand(*presenter.MainWindow());
                                 pAbout->Upgrade = [](QWidget* pAboutBox) { online::ui::OpenUpgradeDialog(pAboutBox, false); };
                             });
    // The project commands: before the translation, which reaches the File menu.
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Project commands", [&presenter](TProgramStart& s) {
        new TProjectActions(*presenter.MainWindow(), s.Factory(), s.Session());
    });
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Preferences command",
                             [&presenter](TProgramStart& s) { InstallPreferences(*presenter.MainWindow(), s.Session()); });
    // Last, after the empty project: a project named on the command line.
    program.AddStep("Project parameter", [&presenter, &start](TProgramStart&) {
        if (TProjectActions* pActions = ProjectActionsOf(*presenter.MainWindow())) {
            pActions->OpenParameter(start.Parameters());
        }
    });
}

}  // namespace brumalis::ui
