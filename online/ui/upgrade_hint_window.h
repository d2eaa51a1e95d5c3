// The "Welcome" hint at start-up: what the upgrade offers, whether to show
// the hint again, and the way straight into the upgrade dialog.
#pragma once

#include <string>

#include "dialogs/ui/basic_dialog.h"
#include "online/ui/upgrade_frame.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace brumalis::online::ui {

class TFrmAutoUpgradeHint : public dialogs::ui::TBasicDialog {
    Q_OBJECT
public:
    static constexpr int kMaxMemoLines = 20;

    // Shows the hint modally; answers its result (the upgrade dialog's when
    // the user went there).
    static int Show(QWidget* pOwner, const std::string& szAppTitle, const TUpgradeSeams& seams = {});

    TFrmAutoUpgradeHint(QWidget* pOwner, bool bReadOnly, const std::string& szAppTitle, TUpgradeSeams seams);

    QPlainTextEdit* Memo() const { return v_pMmoText; }
    QCheckBox* ShowAtStartup() const { return v_pChbShowAtStartup; }
    QPushButton* UpdateButton() const { return v_pBtnUpdate; }

protected:
    bool ValidateOK() override;

private:
    void UpdateClick();
    // The memo as high as its wrapped lines, up to kMaxMemoLines.
    void FitMemo();

    TUpgradeSeams v_seams;
    QPlainTextEdit* v_pMmoText;
    QCheckBox* v_pChbShowAtStartup;
    QPushButton* v_pBtnUpdate;
};

}  // namespace brumalis::online::ui
