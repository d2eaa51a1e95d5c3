// The blocking error display and yes/no question that calculations need
// (a pump that cannot deliver, an option that conflicts). The desktop program
// and the command line install their own; without one, errors are dropped
// and questions answered "no".
#pragma once

#include <string>
#include <vector>

namespace brumalis {

class CTUserDialog {
public:
    virtual ~CTUserDialog() = default;
    // Shows message nMsgNr of the message table with its parameters.
    virtual void ShowError(int nMsgNr, const std::vector<std::string>& params) = 0;
    // Asks question nMsgNr; true for "Yes".
    virtual bool AskYesNo(int nMsgNr, const std::vector<std::string>& params) = 0;
};

// Installs the dialog (none: the silent default); answers the previous one.
CTUserDialog* SetUserDialog(CTUserDialog* pDialog);
void ShowUserError(int nMsgNr, const std::vector<std::string>& params = {});
bool AskUserYesNo(int nMsgNr, const std::vector<std::string>& params = {});

}  // namespace brumalis
