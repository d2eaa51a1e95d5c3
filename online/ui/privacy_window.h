// The data-processing notice a download asks the user to accept: the notice
// read-only, and "Continue" once one of the two answers is chosen.
#pragma once

#include <string>
#include <vector>

#include "dialogs/ui/basic_dialog.h"
#include "online/download_report.h"

class QPushButton;
class QRadioButton;
class QTextEdit;

namespace brumalis::online::ui {

class TFrm_Privacy : public dialogs::ui::TBasicDialog {
    Q_OBJECT
public:
    // 1: accepted and continued; 2: not accepted, or the window was closed.
    static int Show(QWidget* pOwner, const std::string& szProgramName,
                    const std::vector<TNoticeParagraph>& paragraphs);

    TFrm_Privacy(QWidget* pOwner, bool bReadOnly, const std::string& szProgramName,
                 const std::vector<TNoticeParagraph>& paragraphs);

    QTextEdit* NoticeText() const { return v_pMmoNotice; }
    QRadioButton* AcceptButton() const { return v_pRbAccept; }
    QRadioButton* NotAcceptButton() const { return v_pRbNotAccept; }
    QPushButton* ContinueButton() const { return v_pBtnContinue; }

private:
    void ContinueClick();

    QTextEdit* v_pMmoNotice;
    QRadioButton* v_pRbAccept;
    QRadioButton* v_pRbNotAccept;
    QPushButton* v_pBtnContinue;
};

}  // namespace brumalis::online::ui
