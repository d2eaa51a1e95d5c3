#include "workflow/ui/about_command.h"

#include <QtGui/QAction>
#include <QtGui/QActionGroup>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolBar>

#include "objectstore/database_set.h"
#include "platform/build_identity.h"
#include "platform/shell_open.h"
#include "platform/ui/about_box.h"
#include "platform/ui/disclaimer_window.h"
#include "workflow/registration_steps.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/embedded_icons.h"

namespace brumalis::ui {

namespace {

constexpr const char* kObjectName = "Cmd_About";

QMenu* HelpMenu(TChillerUIForm& window) {
    if (auto* pMenu = window.menuBar()->findChild<QMenu*>(QStringLiteral("MM_Help"))) return pMenu;
    QMenu* pMenu = window.menuBar()->addMenu(QString::fromLatin1(TAboutCommand::kHelpMenu));
    pMenu->setObjectName(QStringLiteral("MM_Help"));
    return pMenu;
}

// The catalogue's data version and the configuration; empty without a catalogue.
std::string DataVersionText() {
    const std::string szDataVersion = Cls_DdbVersionInfo::GetOrvaneVersion();
    if (szDataVersion.empty()) return {};
    return szDataVersion + " " + platform::CTVersionUtils::GetConfigurationName();
}

}  // namespace

TAboutCommand::TAboutCommand(TChillerUIForm& window)
    : QObject(&window),
      ShellOpen([](std::string_view szTarget) { return platform::ShellOpen(szTarget); }),
      v_window(window) {
    setObjectName(QString::fromLatin1(kObjectName));
    ACH_About = new QAction(EmbeddedIcon("ICON_ABOUT"), QString::fromLatin1(kCaption), &window);
    ACH_About->setObjectName(QStringLiteral("ACH_About"));
    ACH_About->setToolTip(QString::fromLatin1(kHint));
    ACH_About->setStatusTip(QString::fromLatin1(kHint));
    ACH_About->setMenuRole(QAction::AboutRole);
    window.AM_Commands->addAction(ACH_About);
    HelpMenu(window)->addAction(ACH_About);
    // With the other commands, before the spacer and the logos.
    const QList<QAction*> tools = window.Ctl_ToolBar->actions();
    const qsizetype nCommands = window.AM_Commands->actions().size() - 1;
    window.Ctl_ToolBar->insertAction(nCommands < tools.size() ? tools[nCommands] : nullptr, ACH_About);
    connect(ACH_About, &QAction::triggered, this, &TAboutCommand::ACH_AboutExecute);
}

TAboutCommand* TAboutCommand::Of(const TChillerUIForm& window) {
    return window.findChild<TAboutCommand*>(QString::fromLatin1(kObjectName), Qt::FindDirectChildrenOnly);
}

void TAboutCommand::ACH_AboutExecute() {
    platform::ui::TAboutBoxCallbacks callbacks;
    // Owned by the about box, the terms only show: closing them ends nothing.
    callbacks.Disclaimer = [](QWidget* pAboutBox) {
        platform::ui::DisplayDisclaimer(pAboutBox, TRegistrationSteps::kApplicationTitle, false);
    };
    callbacks.ShellOpen = ShellOpen;
    callbacks.Upgrade = Upgrade;
    const auto pBox = dialogs::ui::TBasicDialog::Create<platform::ui::TFrm_AboutBox>(&v_window, false,
                                                                                    std::move(callbacks),
                                                                                    DataVersionText());
    pBox->Execute();
}

}  // namespace brumalis::ui
