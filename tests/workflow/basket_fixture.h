// Units in a session's lists as the start loads them, computed data sets,
// and a dialog that records what is shown and answers from a script.
#pragma once

#include <string>
#include <vector>

#include "catalogue/user_dialog.h"
#include "dialogs/messages.h"
#include "tests/catalogue/unit_builder.h"
#include "workflow/main_session.h"

namespace brumalis::testing {

class CTScriptedDialog : public CTUserDialog {
public:
    CTScriptedDialog() : v_previous(SetUserDialog(this)) {}
    ~CTScriptedDialog() override { SetUserDialog(v_previous); }
    void ShowError(int nMsgNr, const std::vector<std::string>& params) override {
        numbers.push_back(nMsgNr);
        shown.push_back(dialogs::TBaseMsg::GetUnicodeString(nMsgNr, params));
    }
    void ShowInformation(int nMsgNr, const std::vector<std::string>& params) override {
        informed.push_back(dialogs::TBaseMsg::GetUnicodeString(nMsgNr, params));
    }
    void ShowWarning(int nMsgNr, const std::vector<std::string>& params) override {
        warned.push_back(nMsgNr);
        ShowError(nMsgNr, params);
    }
    bool AskYesNo(int nMsgNr, const std::vector<std::string>&) override {
        questions.push_back(nMsgNr);
        return yes;
    }
    TDialogAnswer AskYesNoCancel(int nMsgNr, const std::vector<std::string>& params) override {
        asked.push_back(dialogs::TBaseMsg::GetUnicodeString(nMsgNr, params));
        return answer;
    }
    std::vector<int> numbers, questions;
    bool yes = false;
    std::vector<std::string> shown, informed, asked;
    std::vector<int> warned;
    TDialogAnswer answer = TDialogAnswer::Cancel;

private:
    CTUserDialog* v_previous;
};

class BasketFixture : public UnitFixture {
protected:
    void TearDown() override;
    // A unit of the catalogue the user can select from.
    Cls_ChOutdoorUnit* AddUnit(const std::string& szName, double dScale = 1.0, std::int32_t nFamily = 4);
    // The session's option list read again after options were added.
    void ReloadOptions();
    Cls_ChOption* Option(const std::string& szName) const;
    Cls_ChOptAllowed* Comb(Cls_ChOutdoorUnit& unit, std::int32_t nSeqNr, const std::string& szOption) const;
    bool Selected(Cls_ChOutdoorUnit& unit, std::int32_t nSeqNr, const std::string& szOption) const;
    // A computed cooling result.
    static TChillerData Result(double dCap);

    CTScriptedDialog dialog;
    TMainSession session;
};

}  // namespace brumalis::testing
