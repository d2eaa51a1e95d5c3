// Pictures of the desktop program's windows for review, in the language the
// environment asks for (BRUMALIS_LANGUAGE=en) and at the scale it asks for
// (QT_SCALE_FACTOR). Every picture is checked as it is taken (shots.h).
//
//   brumalis-screenshots <output folder>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <QApplication>

#include "platform/administrator_rights.h"
#include "platform/desktop_entries.h"
#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/desktop_presenter.h"
#include "workflow/ui/page_steps.h"

namespace {

using namespace brumalis;
namespace fs = std::filesystem;

// A fresh private folder, so that no setting or lock of a user is touched.
std::string PrivateFolder(const fs::path& parent, const char* szName) {
    std::string path = (parent / (std::string(szName) + "-XXXXXX")).string();
    if (!::mkdtemp(path.data())) return {};
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: brumalis-screenshots <output folder>\n";
        return 2;
    }
    const fs::path output = argv[1];
    std::error_code error;
    fs::create_directories(output, error);
    const std::string config = PrivateFolder(fs::temp_directory_path(), "brumalis-shots-config");
    const std::string runtime = PrivateFolder(fs::temp_directory_path(), "brumalis-shots-runtime");
    const std::string data = PrivateFolder(fs::temp_directory_path(), "brumalis-shots-data");
    if (config.empty() || runtime.empty() || data.empty()) return 2;
    // The start registers the program: its menu entries go to the private folder.
    const platform::CTDesktopPlacesSubstitute places(platform::TDesktopPlaces{data + "/user", data + "/all", {}});
    const platform::CTAdministratorRightsSubstitute noAdministrator(false);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

    int nFailed = 0;
    {
        QApplication application(argc, argv);
        shots::CTShots camera(output);
        ui::TQtDesktopPresenter presenter;
        TDesktopStart start({}, presenter);
        ui::AddPageSteps(start, presenter);
        const TDesktopOutcome outcome = start.Start();
        if (!outcome.bRunLoop) {
            std::cerr << "the program did not start: " << outcome.ErrorLine << '\n';
            return 1;
        }
        shots::TScene scene{camera, presenter, start, *presenter.MainWindow()};
        // One call per area, each scene in a file of its own.
        shots::TakeFrameworkScenes(scene);
        shots::TakeAboutScenes(scene);
        shots::TakeFramesScenes(scene);
        shots::TakeResultsScenes(scene);
        shots::TakePlantScenes(scene);
        shots::TakeBasketScenes(scene);
        shots::TakeSettingsScenes(scene);
        shots::TakeCommandsScenes(scene);
        shots::TakePreferencesScenes(scene);
        shots::TakeOnlineScenes(scene);
        shots::TakeChillersScenes(scene);
        shots::TakeAnalysisScenes(scene);
        nFailed = camera.Failed();
        std::cout << camera.Taken() << " pictures in " << output.string() << '\n';
    }
    fs::remove_all(config, error);
    fs::remove_all(runtime, error);
    fs::remove_all(data, error);
    return nFailed == 0 ? 0 : 1;
}
