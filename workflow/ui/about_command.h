// "About" on the main window: the Help menu's and the tool bar's command
// that shows the about box with the catalogue's version, the terms and the
// upgrade.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QtCore/QObject>

class QAction;
class QWidget;

namespace brumalis::ui {

class TChillerUIForm;

class TAboutCommand : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "About";
    static constexpr const char* kHint = "Display the about box";
    static constexpr const char* kHelpMenu = "Help";
    static std::vector<std::string> Texts() { return {kCaption, kHint, kHelpMenu}; }

    // Adds ACH_About to the window's Help menu (made when missing) and its
    // tool bar; the window owns the command.
    explicit TAboutCommand(TChillerUIForm& window);

    // The command of a window, null before one was made for it.
    static TAboutCommand* Of(const TChillerUIForm& window);

    // Shows the about box modally.
    void ACH_AboutExecute();

    QAction* ACH_About = nullptr;
    // How links leave the program; the desktop's browser and mail program.
    std::function<bool(std::string_view szTarget)> ShellOpen;
    // What "Upgrade..." opens, owned by the about box; the online part sets
    // it. Unset, the button stays disabled.
    std::function<void(QWidget* pAboutBox)> Upgrade;

private:
    TChillerUIForm& v_window;
};

}  // namespace brumalis::ui
