// The about box, the disclaimer at the first start and from the about box,
// and the print parameters with a consultant's logo.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <QLineEdit>

#include "documents/ui/print_params_window.h"
#include "objectstore/database_set.h"
#include "platform/build_identity.h"
#include "platform/ui/about_box.h"
#include "platform/ui/disclaimer_window.h"
#include "tools/screenshots/shots.h"
#include "workflow/registration_steps.h"
#include "workflow/ui/chiller_ui_form.h"

namespace brumalis::shots {
namespace {

// A consultant's logo of our own: a blue band with an orange disc, 24-bit,
// rows bottom-up.
std::string LogoBitmap(int nWidth, int nHeight) {
    const int nRow = (nWidth * 3 + 3) / 4 * 4;
    const auto nData = static_cast<std::uint32_t>(nRow * nHeight);
    std::string bytes = "BM";
    const auto put = [&bytes](std::uint32_t n, int nBytes) {
        for (int i = 0; i < nBytes; ++i) bytes += static_cast<char>((n >> (8 * i)) & 0xFF);
    };
    for (const std::uint32_t n : {54 + nData, 0u, 54u, 40u, std::uint32_t(nWidth), std::uint32_t(nHeight)}) put(n, 4);
    put(1, 2);
    put(24, 2);
    for (const std::uint32_t n : {0u, nData, 2835u, 2835u, 0u, 0u}) put(n, 4);
    for (int y = 0; y < nHeight; ++y) {
        std::string row;
        for (int x = 0; x < nWidth; ++x) {
            const int dx = x - nHeight / 2;
            const int dy = y - nHeight / 2;
            const bool bDisc = dx * dx + dy * dy < (nHeight / 3) * (nHeight / 3);
            const bool bBand = y > nHeight / 3 && y < nHeight * 2 / 3;
            const std::uint8_t r = bDisc ? 0xF2 : bBand ? 0x1D : 0xFF;
            const std::uint8_t g = bDisc ? 0xA3 : bBand ? 0x5F : 0xFF;
            const std::uint8_t b = bDisc ? 0x3A : bBand ? 0x8A : 0xFF;
            row += static_cast<char>(b);
            row += static_cast<char>(g);
            row += static_cast<char>(r);
        }
        row.resize(std::size_t(nRow), '\0');
        bytes += row;
    }
    return bytes;
}

}  // namespace

void TakeAboutScenes(TScene& scene) {
    CTShots& shots = scene.shots;
    ui::TChillerUIForm& window = scene.window;

    platform::ui::TAboutBoxCallbacks callbacks;
    callbacks.Disclaimer = [](QWidget*) {};
    callbacks.Upgrade = [](QWidget*) {};
    const std::string szDataVersion =
        Cls_DdbVersionInfo::GetOrvaneVersion() + " " + platform::CTVersionUtils::GetConfigurationName();
    const auto about =
        dialogs::ui::TBasicDialog::Create<platform::ui::TFrm_AboutBox>(&window, false, callbacks, szDataVersion);
    shots.Take(*about, "about");

    for (const bool bAtStart : {true, false}) {
        dialogs::TDisclaimerNames names;
        names.szProgName = TRegistrationSteps::kApplicationTitle;
        QWidget* pOwner = bAtStart ? static_cast<QWidget*>(&window) : about.get();
        const auto terms = dialogs::ui::TBasicDialog::Create<platform::ui::TFrm_Disclaimer>(pOwner, false, names, bAtStart);
        shots.Take(*terms, bAtStart ? "disclaimer-first-start" : "disclaimer-from-about");
    }

    const std::filesystem::path logo = std::filesystem::temp_directory_path() / "brumalis-shots-consultant-logo.bmp";
    std::ofstream(logo, std::ios::binary) << LogoBitmap(450, 180);
    const auto params = dialogs::ui::TBasicDialog::Create<docui::TDlgPrintParams>(
        &window, false, [&logo](QWidget*, const docui::TOpenFileRequest&) { return std::optional(logo.string()); });
    params->Txt_Line[0]->setText(QStringLiteral("Frost & Partners Consulting Engineers"));
    params->Txt_Line[1]->setText(QStringLiteral("Rue du Nord 4"));
    params->Txt_Line[2]->setText(QStringLiteral("4000 Liège"));
    params->Btn_BrowseClick();
    shots.Take(*params, "print-parameters");
    std::error_code error;
    std::filesystem::remove(logo, error);
}

}  // namespace brumalis::shots
