#include "workflow/ui/page_steps.h"

#include "workflow/desktop_start.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/project_actions.h"

namespace brumalis::ui {

// Each page's frame is made right after the main window and before its
// translation, so that the translation walk reaches the frame's texts too.
// A step per page, in page order, each inserted after the one before it.
void AddPageSteps(TDesktopStart& start, TQtDesktopPresenter& presenter) {
    TProgramStart& program = start.Program();
    // The project commands: before the translation, which reaches the File menu.
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Project commands", [&presenter](TProgramStart& s) {
        new TProjectActions(*presenter.MainWindow(), s.Factory(), s.Session());
    });
    // Last, after the empty project: a project named on the command line.
    program.AddStep("Project parameter", [&presenter, &start](TProgramStart&) {
        if (TProjectActions* pActions = ProjectActionsOf(*presenter.MainWindow())) {
            pActions->OpenParameter(start.Parameters());
        }
    });
}

}  // namespace brumalis::ui
