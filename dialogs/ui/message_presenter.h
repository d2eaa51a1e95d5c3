// The message service's windows in the desktop program.
#pragma once

#include <memory>

#include "dialogs/message_window.h"
#include "dialogs/user_dialog_messages.h"

namespace brumalis::dialogs::ui {

// Shows the message and input windows; a call from a thread other than the
// interface's waits while the interface thread shows the window.
class TQtMessagePresenter final : public CTMessagePresenter {
public:
    std::optional<TMsgDlgBtn> ShowMessageWindow(TDialogParent* pParent, const TMessageWindowModel& model) override;
    bool ShowInputWindow(TDialogParent* pParent, TInputWindowModel& model) override;
};

// While it lives, every message, question and input of the program (the
// message service, the calculations' and the workflow's dialog, and through
// the service the object store's messages) is shown in these windows.
class TMessageWindows {
public:
    TMessageWindows();
    ~TMessageWindows();
    TMessageWindows(const TMessageWindows&) = delete;
    TMessageWindows& operator=(const TMessageWindows&) = delete;

private:
    TQtMessagePresenter v_presenter;
    CTMessagePresenter* v_previous;
    TMessageUserDialog v_userDialog;
};

// The one call the program makes once its QApplication exists; keep the
// answer until the event loop has ended.
[[nodiscard]] std::unique_ptr<TMessageWindows> InstallMessageWindows();

}  // namespace brumalis::dialogs::ui
