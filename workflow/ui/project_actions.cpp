#include "workflow/ui/project_actions.h"

#include <QAction>
#include <QTabWidget>

#include "dialogs/ui/busy_window.h"
#include "workflow/main_session.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/file_dialog.h"

namespace brumalis::ui {

TProjectActions::TProjectActions(TChillerUIForm& window, CTFactory& factory, TMainSession& session,
                                 TFileDialogFunc dialog)
    : QObject(&window),
      v_window(window),
      v_session(session),
      v_file(factory, session),
      v_pBusy(dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Busy>(&window, true).release()),
      v_commands(v_file, session, dialog ? std::move(dialog) : QtFileDialog(&window)) {
    setObjectName(QStringLiteral("ProjectActions"));
    v_pBusy->setObjectName(QStringLiteral("Frm_ProjectBusy"));
    v_commands.SetProgress(v_pBusy);
    v_commands.SetOnChange([this] { ShowState(); });
    v_window.ACF_Open->setEnabled(true);
    connect(v_window.ACF_Open, &QAction::triggered, this, [this] { ShowOpened(v_commands.Open()); });
    connect(v_window.ACF_Save, &QAction::triggered, this, [this] { v_commands.Save(); });
    connect(v_window.ACF_SaveAs, &QAction::triggered, this, [this] { v_commands.SaveAs(); });
    v_window.SetCloseQuery([this] { return v_commands.QueryUnsavedChanges(); });
    ShowState();
}

// Gone with the window, whose own part is destroyed by then: the window
// has dropped its close query itself.
TProjectActions::~TProjectActions() { v_commands.SetOnChange({}); }

void TProjectActions::ShowState() {
    const bool bSave = v_commands.SaveEnabled();
    v_window.ACF_Save->setEnabled(bSave);
    v_window.ACF_SaveAs->setEnabled(bSave);
}

void TProjectActions::OpenParameter(const platform::TParameters& params) { ShowOpened(v_commands.OpenParameter(params)); }

void TProjectActions::ShowOpened(bool bOpened) {
    if (!bOpened) return;
    const bool bSolutions = !v_session.Basket().Empty();
    v_window.Model().SetAvailable(TChillerPage::Basket, bSolutions);
    if (bSolutions) v_window.PG_ChillerPages->setCurrentWidget(v_window.Tab_Basket);
}

TProjectActions* ProjectActionsOf(const TChillerUIForm& window) {
    return window.findChild<TProjectActions*>(QStringLiteral("ProjectActions"), Qt::FindDirectChildrenOnly);
}

}  // namespace brumalis::ui
