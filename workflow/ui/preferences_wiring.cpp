#include "workflow/ui/preferences_wiring.h"

#include <QtWidgets/QTabWidget>

#include "workflow/ui/preferences_dialog.h"

namespace brumalis::ui {
namespace {

// Keeps the command as a child of the window, found by its name.
class TPreferencesCommandHolder : public QObject {
public:
    TPreferencesCommandHolder(QObject* pWindow, TMainSession& session) : QObject(pWindow), Command(session) {
        setObjectName(QStringLiteral("Cmd_Preferences"));
    }
    TPreferencesCommand Command;
};

}  // namespace

TPreferencesCommand& PreferencesCommandOf(TChillerUIForm& window, TMainSession& session) {
    for (QObject* pChild : window.children()) {
        if (auto* pHolder = dynamic_cast<TPreferencesCommandHolder*>(pChild)) return pHolder->Command;
    }
    return (new TPreferencesCommandHolder(&window, session))->Command;
}

void InstallPreferences(TChillerUIForm& window, TMainSession& session) {
    TPreferencesCommand& command = PreferencesCommandOf(window, session);
    window.SetPreferencesHandler([&window, &command] {
        const auto pDialog = dialogs::ui::TBasicDialog::Create<TFrm_Preferences>(&window, false, command.Open());
        if (!pDialog->ExecutePreferences()) return;
        command.Accepted();
        window.PG_ChillerPages->setCurrentWidget(window.Tab_Settings);
    });
}

}  // namespace brumalis::ui
