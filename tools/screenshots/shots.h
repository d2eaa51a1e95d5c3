// The camera of the review pictures and the scenes that use it. Each area of
// the desktop program has a scene function of its own (a file per area), so
// that adding the pictures of one window touches no other.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

class QImage;
class QWidget;

namespace brumalis {
class Cls_ChOutdoorUnit;
class TDesktopStart;
class TMainSession;
class TSettingsPage;
namespace ui {
class TChillerUIForm;
class TQtDesktopPresenter;
}  // namespace ui
}  // namespace brumalis

namespace brumalis::shots {

class CTShots {
public:
    explicit CTShots(std::filesystem::path folder) : v_folder(std::move(folder)) {}

    // Saves the window's picture and checks it: it must exist with the
    // window's size in device pixels and hold more than one colour. False,
    // with the reason on the error output, when it fails.
    bool Take(QWidget& window, const std::string& szName);

    int Taken() const { return v_taken; }
    int Failed() const { return v_failed; }

private:
    bool Fail(const std::string& szName, const char* szWhy);

    std::filesystem::path v_folder;
    int v_taken = 0;
    int v_failed = 0;
};

// What a scene works with: the camera and the started program.
struct TScene {
    CTShots& shots;
    ui::TQtDesktopPresenter& presenter;
    TDesktopStart& start;
    ui::TChillerUIForm& window;
};

// The window's Settings page after a 350 kW air-cooled, cooling-only run:
// the run the result, plant and basket scenes start from.
TSettingsPage& Run350kWCooling(TScene& scene);
// The first selectable unit of the condenser type and family (0: any); none when there is none.
Cls_ChOutdoorUnit* FirstUnit(const TMainSession& session, std::int32_t nCondenser, std::int32_t nFamily);

// The main window as it starts, the message, input, logon and busy windows.
void TakeFrameworkScenes(TScene& scene);
// The about box, the disclaimer in both modes, the print parameters with a logo.
void TakeAboutScenes(TScene& scene);
// The detail pages' graph and table frames for real units, each in a plain window.
void TakeFramesScenes(TScene& scene);
// The Results page after a run: the solutions, a rejection with its range.
void TakeResultsScenes(TScene& scene);
// The Plant Builder page with a plant of two units and its required capacity.
void TakePlantScenes(TScene& scene);
// The Solution Basket page with two single units and a plant.
void TakeBasketScenes(TScene& scene);
// The Settings page in every layout: cooling, heat pump on cooling and on
// heating, heat recovery, water cooled with a brine, condensing unit.
void TakeSettingsScenes(TScene& scene);
// The File menu, the Reporting Section and the report's busy window.
void TakeCommandsScenes(TScene& scene);
// The preferences dialog's pages and the prices file's states.
void TakePreferencesScenes(TScene& scene);
// The welcome hint, the upgrade dialog with a list and during a download, the notice.
void TakeOnlineScenes(TScene& scene);
// The Chillers page: each tab of a heat pump's data sheet, a condenserless unit's graph.
void TakeChillersScenes(TScene& scene);
// The Analysis page: empty, a chosen chiller, a result with a pump, a heat pump with recovery.
void TakeAnalysisScenes(TScene& scene);

}  // namespace brumalis::shots
