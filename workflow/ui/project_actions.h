// "Open...", "Save..." and "Save As..." of the main window, and the
// unsaved-changes question before it closes, over the GUI-free project
// commands; the file work behind the busy window.
#pragma once

#include <QObject>

#include "objectstore/base_factory.h"
#include "workflow/project_commands.h"

namespace brumalis::dialogs::ui {
class TFrm_Busy;
}

namespace brumalis::ui {

class TChillerUIForm;

// A child of the window, living as long as it.
class TProjectActions : public QObject {
    Q_OBJECT
public:
    // No dialog: the desktop's file dialog.
    TProjectActions(TChillerUIForm& window, CTFactory& factory, TMainSession& session, TFileDialogFunc dialog = {});
    ~TProjectActions() override;

    TProjectCommands& Commands() { return v_commands; }
    dialogs::ui::TFrm_Busy& Busy() { return *v_pBusy; }

    // The project the program was started with, shown on the basket page.
    void OpenParameter(const platform::TParameters& params);

private:
    void ShowState();
    void ShowOpened(bool bOpened);

    TChillerUIForm& v_window;
    TMainSession& v_session;
    TProjectFile v_file;
    dialogs::ui::TFrm_Busy* v_pBusy;
    TProjectCommands v_commands;
};

// The window's project actions, made once; null before.
TProjectActions* ProjectActionsOf(const TChillerUIForm& window);

}  // namespace brumalis::ui
