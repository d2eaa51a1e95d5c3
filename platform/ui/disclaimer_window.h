// The general terms the user accepts before the first start, and may read
// again from the about box. At start-up the window asks for a choice; from
// the about box it only shows the terms, so closing it never ends anything.
#pragma once

#include <string>

#include "dialogs/disclaimer_text.h"
#include "dialogs/ui/basic_dialog.h"

class QRadioButton;
class QTabWidget;
class QTextBrowser;

namespace brumalis::dialogs::ui {
class TFraBottomPanelExt;
}

namespace brumalis::platform::ui {

class TFrm_Disclaimer : public dialogs::ui::TBasicDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Disclaimer";
    static constexpr const char* kPage = "GENERAL TERMS";
    static constexpr const char* kContinue = "Continue";
    static constexpr const char* kAccept = "I accept these conditions";
    static constexpr const char* kNotAccept = "I do not accept these conditions";
    static std::vector<std::string> Texts();

    // bShowAcceptBtns: the choice of the first start; without it the window
    // only shows the terms.
    TFrm_Disclaimer(QWidget* pOwner, bool bReadOnly, dialogs::TDisclaimerNames names, bool bShowAcceptBtns);

    // 1 when "I accept these conditions" is checked as the window closes,
    // or always without the accept buttons; otherwise 2.
    int Result() const;
    // Shows the window modally and answers Result.
    int Display();

    QTextBrowser* Txt_DisplayText = nullptr;
    QRadioButton* Rbn_Accept = nullptr;
    QRadioButton* Rbn_NotAccept = nullptr;
    dialogs::ui::TFraBottomPanelExt* FraBottomPanel = nullptr;

protected:
    // The terms are written after the translation hook, which would
    // otherwise take the document's text for a caption.
    void PostInit() override;

private:
    void AddAcceptButtons();
    void UpdateContinue();

    dialogs::TDisclaimerNames v_names;
    bool v_bShowAcceptBtns;
};

// The disclaimer callback's window: empty names but the program's, owned by
// pOwner. Answers its Result.
int DisplayDisclaimer(QWidget* pOwner, const std::string& szProgName, bool bShowAcceptBtns);

}  // namespace brumalis::platform::ui
