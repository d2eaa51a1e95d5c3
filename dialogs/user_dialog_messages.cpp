#include "dialogs/user_dialog_messages.h"

#include "dialogs/messages.h"

namespace brumalis::dialogs {

TMessageUserDialog::TMessageUserDialog() : v_previous(SetUserDialog(this)) {}

TMessageUserDialog::~TMessageUserDialog() { SetUserDialog(v_previous); }

void TMessageUserDialog::ShowError(int nMsgNr, const std::vector<std::string>& params) {
    TBaseMsg::DisplayError(nullptr, nMsgNr, params);
}

void TMessageUserDialog::ShowInformation(int nMsgNr, const std::vector<std::string>& params) {
    TBaseMsg::DisplayHint(nullptr, nMsgNr, params);
}

void TMessageUserDialog::ShowWarning(int nMsgNr, const std::vector<std::string>& params) {
    TBaseMsg::DisplayWarning(nullptr, nMsgNr, params);
}

bool TMessageUserDialog::AskYesNo(int nMsgNr, const std::vector<std::string>& params) {
    return TBaseMsg::DisplayQuestionEx(nullptr, nMsgNr, {mbYes, mbNo}, params) == mrYes;
}

TDialogAnswer TMessageUserDialog::AskYesNoCancel(int nMsgNr, const std::vector<std::string>& params) {
    switch (TBaseMsg::DisplayQuestionEx(nullptr, nMsgNr, {mbYes, mbNo, mbCancel}, params)) {
        case mrYes:
            return TDialogAnswer::Yes;
        case mrNo:
            return TDialogAnswer::No;
        default:
            return TDialogAnswer::Cancel;
    }
}

}  // namespace brumalis::dialogs
