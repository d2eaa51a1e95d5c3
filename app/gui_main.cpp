// The desktop program. The user-interface glossary comes first, so that even
// the message of a second copy is translated; the instance lock is held
// until the message loop has ended.
#include <chrono>
#include <iostream>

#include <QApplication>

#include "app/gui_startup_probe.h"
#include "dialogs/ui/message_presenter.h"
#include "platform/desktop_entries.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/embedded_icons.h"
#include "workflow/ui/first_run_step.h"
#include "workflow/ui/page_steps.h"

int main(int argc, char** argv) {
    using namespace brumalis;
    const auto started = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(TRegistrationSteps::kApplicationTitle));
    // The desktop shows the window under the menu entry's name and icon.
    QGuiApplication::setDesktopFileName(QString::fromStdString(
        platform::DesktopFileId(TRegistrationSteps::kVendor, TRegistrationSteps::kApplicationTitle)));
    QApplication::setWindowIcon(ui::EmbeddedIcon("PROGRAM_ICON_0"));
    const auto messageWindows = dialogs::ui::InstallMessageWindows();

    // Qt has taken its own options out of argv.
    const platform::TParameters params(argv + std::min(argc, 1), argv + argc);
    ui::TQtDesktopPresenter presenter;
    TDesktopStart start(params, presenter);
    ui::AddPageSteps(start, presenter);
    // The terms at a version's first plain start; refused, they end the start.
    ui::AddFirstRunStep(start, presenter, params, {[&start](QWidget*) { start.RunStartUpDisclaimer(); }, {}});
    const TDesktopOutcome outcome = start.Start();
    if (!outcome.bRunLoop) {
        if (!outcome.ErrorLine.empty()) std::cerr << outcome.ErrorLine << std::endl;
        return outcome.ExitCode;
    }
    if (ui::StartupProbeRequested()) new ui::CTStartupProbe(*presenter.MainWindow(), outcome.Result, started);
    return QApplication::exec();
}
