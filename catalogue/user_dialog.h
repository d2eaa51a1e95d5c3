// The blocking displays and questions that calculations and the workflow
// need (a pump that cannot deliver, an option that conflicts, unsaved
// changes). The desktop program and the command line install their own;
// without one, messages are dropped, yes/no questions answered "no" and
// yes/no/cancel questions "cancel", so nothing is overwritten or lost unasked.
#pragma once

#include <string>
#include <vector>

namespace brumalis {

enum class TDialogAnswer { Yes, No, Cancel };

class CTUserDialog {
public:
    virtual ~CTUserDialog() = default;
    // Shows message nMsgNr of the message table with its parameters.
    virtual void ShowError(int nMsgNr, const std::vector<std::string>& params) = 0;
    // Asks question nMsgNr; true for "Yes".
    virtual bool AskYesNo(int nMsgNr, const std::vector<std::string>& params) = 0;
    // Information and warnings; by default shown as errors are.
    virtual void ShowInformation(int nMsgNr, const std::vector<std::string>& params) { ShowError(nMsgNr, params); }
    virtual void ShowWarning(int nMsgNr, const std::vector<std::string>& params) { ShowError(nMsgNr, params); }
    virtual TDialogAnswer AskYesNoCancel(int, const std::vector<std::string>&) { return TDialogAnswer::Cancel; }
};

// Installs the dialog (none: the silent default); answers the previous one.
CTUserDialog* SetUserDialog(CTUserDialog* pDialog);
void ShowUserError(int nMsgNr, const std::vector<std::string>& params = {});
void ShowUserInformation(int nMsgNr, const std::vector<std::string>& params = {});
void ShowUserWarning(int nMsgNr, const std::vector<std::string>& params = {});
bool AskUserYesNo(int nMsgNr, const std::vector<std::string>& params = {});
TDialogAnswer AskUserYesNoCancel(int nMsgNr, const std::vector<std::string>& params = {});

}  // namespace brumalis
