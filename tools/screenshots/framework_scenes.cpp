// The main window as the program starts it, at 1280 x 800, every message
// type, the input window, the logon window (also read-only) and the busy
// window.
#include <chrono>
#include <string>
#include <vector>

#include <QToolButton>

#include "dialogs/message_window.h"
#include "dialogs/messages.h"
#include "dialogs/ui/busy_window.h"
#include "dialogs/ui/logon_window.h"
#include "dialogs/ui/message_windows.h"
#include "tools/screenshots/shots.h"
#include "workflow/registration_steps.h"
#include "workflow/ui/chiller_ui_form.h"

namespace brumalis::shots {
namespace {

constexpr QSize kMainWindowSize(1280, 800);

struct TMessageShot {
    const char* szName;
    dialogs::TMsgDlgType nType;
    dialogs::TMsgDlgButtons buttons;
    std::string szText;
};

std::vector<TMessageShot> MessageShots() {
    using namespace dialogs;
    std::string longText;
    for (int i = 1; i <= 14; ++i) {
        const std::string file = "/home/ana/Projects/Hotel Tamaris " + std::to_string(i) + ".cpf";
        longText += TBaseMsg::GetUnicodeString(dialogs::msgUnableToOpenFile, {file}) + "\n";
    }
    longText.pop_back();
    return {
        {"message-error", mtError, {mbOK}, TBaseMsg::GetUnicodeString(dialogs::msgUnableToOpenFile, {"/home/ana/Hotel.cpf"})},
        {"message-warning", mtWarning, {mbOK, mbCancel}, TBaseMsg::GetUnicodeString(dialogs::msgSaveChangesFirst)},
        {"message-information", mtInformation, {mbOK},
         TBaseMsg::Translate(TRegistrationSteps::kTextAlreadyRunning)},
        {"message-confirmation", mtConfirmation, {mbYes, mbNo, mbCancel},
         TBaseMsg::Translate("Chiller project data have been adapted. Save them first?")},
        {"message-question-all", mtConfirmation, {mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel},
         TBaseMsg::GetUnicodeString(dialogs::msgSaveChangesFirst)},
        {"message-long", mtError, {mbOK}, longText},
    };
}

}  // namespace

void TakeFrameworkScenes(TScene& scene) {
    CTShots& shots = scene.shots;
    ui::TChillerUIForm& window = scene.window;
    window.resize(kMainWindowSize);
    shots.Take(window, "main-window");
    window.Img_OrvaneLogo->setFocus();
    shots.Take(window, "main-window-hint");

    for (const TMessageShot& shot : MessageShots()) {
        dialogs::ui::TMessageWindow message(&window, dialogs::TMessageWindowModel(shot.nType, shot.buttons, shot.szText));
        shots.Take(message, shot.szName);
    }
    dialogs::TInputWindowModel input(dialogs::TBaseMsg::Translate("Save project"),
                                     dialogs::TBaseMsg::Translate("Project"), "Hotel Tamaris", {});
    dialogs::ui::TInputWindow inputWindow(&window, input);
    shots.Take(inputWindow, "input");
    const auto logon = dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Logon>(&window, false);
    shots.Take(*logon, "logon");
    const auto logonReadOnly = dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Logon>(&window, true);
    shots.Take(*logonReadOnly, "logon-read-only");
    // Three of four steps done, the window long due.
    auto now = std::chrono::steady_clock::now();
    const auto busy = dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Busy>(&window, false, [&now] { return now; });
    busy->Start(dialogs::TBaseMsg::Translate("Open project"), "Hotel Tamaris.cpf", 4);
    now += std::chrono::seconds(1);
    for (int i = 0; i < 3; ++i) busy->Step();
    shots.Take(*busy, "busy");
}

}  // namespace brumalis::shots
