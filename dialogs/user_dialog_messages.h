// The calculations' and the workflow's dialog (catalogue/user_dialog.h) over
// the message service: errors, warnings and information become message
// windows, questions are asked with Yes/No (and Cancel) buttons. Without a
// presenter the answers are the safe ones the silent default gives.
#pragma once

#include "catalogue/user_dialog.h"

namespace brumalis::dialogs {

class TMessageUserDialog : public CTUserDialog {
public:
    // Installs itself; the destructor puts the previous dialog back.
    TMessageUserDialog();
    ~TMessageUserDialog() override;
    TMessageUserDialog(const TMessageUserDialog&) = delete;
    TMessageUserDialog& operator=(const TMessageUserDialog&) = delete;

    void ShowError(int nMsgNr, const std::vector<std::string>& params) override;
    void ShowInformation(int nMsgNr, const std::vector<std::string>& params) override;
    void ShowWarning(int nMsgNr, const std::vector<std::string>& params) override;
    bool AskYesNo(int nMsgNr, const std::vector<std::string>& params) override;
    TDialogAnswer AskYesNoCancel(int nMsgNr, const std::vector<std::string>& params) override;

private:
    CTUserDialog* v_previous;
};

}  // namespace brumalis::dialogs
