#include "workflow/ui/page_steps.h"

#include "workflow/desktop_start.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/preferences_wiring.h"

namespace brumalis::ui {

// Each page's frame is made right after the main window and before its
// translation, so that the translation walk reaches the frame's texts too.
// A step per page, in page order, each inserted after the one before it.
void AddPageSteps(TDesktopStart& start, TQtDesktopPresenter& presenter) {
    TProgramStart& program = start.Program();
    program.InsertStepBefore(TDesktopStart::kStepWindowTranslation, "Preferences command",
                             [&presenter](TProgramStart& s) { InstallPreferences(*presenter.MainWindow(), s.Session()); });
}

}  // namespace brumalis::ui
