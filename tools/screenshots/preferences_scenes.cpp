// The preferences dialog: every page as the program opens it, the dialog
// opened on a heat-pump row, and the "Other" page in each state of the
// prices file (none, attached, not a prices file, missing).
#include <filesystem>
#include <fstream>

#include <QtWidgets/QTabWidget>

#include "catalogue/unit_classes.h"
#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/preferences_dialog.h"
#include "workflow/ui/preferences_wiring.h"

namespace brumalis::shots {
namespace {

namespace fs = std::filesystem;
using ui::TFrm_Preferences;

constexpr const char* kPageShots[TFrm_Preferences::kPageCount] = {
    "preferences-units",   "preferences-refrigerants",       "preferences-deviation",
    "preferences-options", "preferences-personalized-data", "preferences-other"};

std::unique_ptr<TFrm_Preferences> OpenPreferences(TScene& scene) {
    TPreferencesCommand& command = ui::PreferencesCommandOf(scene.window, scene.start.Program().Session());
    return dialogs::ui::TBasicDialog::Create<TFrm_Preferences>(&scene.window, false, command.Open());
}

void TakePriceFileStates(TScene& scene) {
    const auto dialog = OpenPreferences(scene);
    dialog->Nbk_Pages->setCurrentIndex(TFrm_Preferences::pgOther);
    TFrmPriceFileAdmin& frame = dialog->Model().PriceFile();
    const auto take = [&](const std::string& szPath, const char* szName) {
        if (!szPath.empty()) frame.Btn_BrowseClick(szPath);
        dialog->Frm_PriceFile->ShowFileState();
        scene.shots.Take(*dialog, szName);
    };
    take("", "preferences-price-none");
    // A long name, shortened to the frame.
    const fs::path folder = fs::temp_directory_path() / "brumalis-shots-prices" / "Customers" / "Hotel Tamaris" /
                            "Heating and cooling" / "Offers 2026" / "Second round";
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path prices = folder / "catalogue_prices.edi";
    fs::copy_file(BRUMALIS_EXAMPLE_PRICES, prices, fs::copy_options::overwrite_existing, error);
    take(prices.string(), "preferences-price-attached");
    const fs::path foreign = folder / "minutes of the site meeting.edi";
    std::ofstream(foreign) << "not a prices file\n";
    take(foreign.string(), "preferences-price-invalid");
    take((folder / "prices withdrawn.edi").string(), "preferences-price-missing");
    // The program goes on as it started: no prices file.
    dialog->Btn_DefaultsClick();
    frame.Btn_ClearClick();
    fs::remove_all(fs::temp_directory_path() / "brumalis-shots-prices", error);
}

}  // namespace

void TakePreferencesScenes(TScene& scene) {
    {
        const auto dialog = OpenPreferences(scene);
        for (int nPage = 0; nPage < TFrm_Preferences::kPageCount; ++nPage) {
            dialog->Nbk_Pages->setCurrentIndex(nPage);
            scene.shots.Take(*dialog, kPageShots[nPage]);
        }
    }
    TPreferences& values = brumalis::TFrm_Preferences::Values();
    const TPreferences kept = values;
    values.CONDENSER = ctWaterCooled;
    values.FAMILY = famHeatPump;
    {
        const auto dialog = OpenPreferences(scene);
        dialog->Nbk_Pages->setCurrentIndex(TFrm_Preferences::pgOptions);
        scene.shots.Take(*dialog, "preferences-heat-pump-options");
    }
    values = kept;
    TakePriceFileStates(scene);
}

}  // namespace brumalis::shots
