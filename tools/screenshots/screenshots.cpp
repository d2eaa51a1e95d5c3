// Pictures of the desktop program's windows for review: the main window as
// the program starts it, at 1280 x 800, and every message type and the input
// window, the logon window (also read-only) and the busy window, in the
// language the environment asks for (BRUMALIS_LANGUAGE=en)
// and at the scale it asks for (QT_SCALE_FACTOR). Each picture is checked:
// it must exist with the window's size in device pixels and hold more than
// one colour.
//
//   brumalis-screenshots <output folder>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QToolButton>

#include "dialogs/message_window.h"
#include "dialogs/messages.h"
#include "dialogs/ui/busy_window.h"
#include "dialogs/ui/logon_window.h"
#include "dialogs/ui/message_windows.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/desktop_presenter.h"

namespace {

using namespace brumalis;
namespace fs = std::filesystem;

constexpr QSize kMainWindowSize(1280, 800);

// A fresh private folder, so that no setting or lock of a user is touched.
std::string PrivateFolder(const fs::path& parent, const char* szName) {
    std::string path = (parent / (std::string(szName) + "-XXXXXX")).string();
    if (!::mkdtemp(path.data())) return {};
    return path;
}

class CTShots {
public:
    explicit CTShots(fs::path folder) : v_folder(std::move(folder)) {}

    // Saves the window's picture and checks it; false when it fails.
    bool Take(QWidget& window, const std::string& szName) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) return Fail(szName, "the window was never shown");
        QApplication::processEvents();
        const QPixmap picture = window.grab();
        const fs::path file = v_folder / (szName + ".png");
        if (!picture.save(QString::fromStdString(file.string()), "PNG")) return Fail(szName, "cannot be written");
        const QImage saved(QString::fromStdString(file.string()));
        const QSize expected = window.size() * window.devicePixelRatioF();
        if (saved.size() != expected) return Fail(szName, "has another size than the window");
        if (OneColour(saved)) return Fail(szName, "is of one colour: nothing was drawn");
        std::cout << file.string() << ": " << saved.width() << "x" << saved.height() << '\n';
        ++v_taken;
        return true;
    }

    int Taken() const { return v_taken; }

private:
    static bool OneColour(const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != image.pixel(0, 0)) return false;
            }
        }
        return true;
    }

    bool Fail(const std::string& szName, const char* szWhy) {
        std::cerr << szName << ": " << szWhy << '\n';
        return false;
    }

    fs::path v_folder;
    int v_taken = 0;
};

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
    if (config.empty() || runtime.empty()) return 2;
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

    int nFailed = 0;
    {
        QApplication application(argc, argv);
        CTShots shots(output);
        ui::TQtDesktopPresenter presenter;
        TDesktopStart start({}, presenter);
        const TDesktopOutcome outcome = start.Start();
        if (!outcome.bRunLoop) {
            std::cerr << "the program did not start: " << outcome.ErrorLine << '\n';
            return 1;
        }
        ui::TChillerUIForm& window = *presenter.MainWindow();
        window.resize(kMainWindowSize);
        nFailed += !shots.Take(window, "main-window");
        window.Img_OrvaneLogo->setFocus();
        nFailed += !shots.Take(window, "main-window-hint");

        for (const TMessageShot& shot : MessageShots()) {
            dialogs::ui::TMessageWindow message(&window, dialogs::TMessageWindowModel(shot.nType, shot.buttons, shot.szText));
            nFailed += !shots.Take(message, shot.szName);
        }
        dialogs::TInputWindowModel input(dialogs::TBaseMsg::Translate("Save project"),
                                         dialogs::TBaseMsg::Translate("Project"), "Hotel Tamaris", {});
        dialogs::ui::TInputWindow inputWindow(&window, input);
        nFailed += !shots.Take(inputWindow, "input");
        const auto logon = dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Logon>(&window, false);
        nFailed += !shots.Take(*logon, "logon");
        const auto logonReadOnly = dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Logon>(&window, true);
        nFailed += !shots.Take(*logonReadOnly, "logon-read-only");
        // Three of four steps done, the window long due.
        auto now = std::chrono::steady_clock::now();
        const auto busy = dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Busy>(&window, false, [&now] { return now; });
        busy->Start(dialogs::TBaseMsg::Translate("Open project"), "Hotel Tamaris.cpf", 4);
        now += std::chrono::seconds(1);
        for (int i = 0; i < 3; ++i) busy->Step();
        nFailed += !shots.Take(*busy, "busy");
        std::cout << shots.Taken() << " pictures in " << output.string() << '\n';
    }
    fs::remove_all(config, error);
    fs::remove_all(runtime, error);
    return nFailed == 0 ? 0 : 1;
}
