#include "catalogue/user_dialog.h"

#include <utility>

namespace brumalis {
namespace {

CTUserDialog* g_pDialog = nullptr;

}  // namespace

CTUserDialog* SetUserDialog(CTUserDialog* pDialog) { return std::exchange(g_pDialog, pDialog); }

void ShowUserError(int nMsgNr, const std::vector<std::string>& params) {
    if (g_pDialog) g_pDialog->ShowError(nMsgNr, params);
}

void ShowUserInformation(int nMsgNr, const std::vector<std::string>& params) {
    if (g_pDialog) g_pDialog->ShowInformation(nMsgNr, params);
}

void ShowUserWarning(int nMsgNr, const std::vector<std::string>& params) {
    if (g_pDialog) g_pDialog->ShowWarning(nMsgNr, params);
}

bool AskUserYesNo(int nMsgNr, const std::vector<std::string>& params) {
    return g_pDialog && g_pDialog->AskYesNo(nMsgNr, params);
}

TDialogAnswer AskUserYesNoCancel(int nMsgNr, const std::vector<std::string>& params) {
    return g_pDialog ? g_pDialog->AskYesNoCancel(nMsgNr, params) : TDialogAnswer::Cancel;
}

}  // namespace brumalis
