// The "Software Upgrade" dialog: the upgrade frame on its "Upgrade" page and
// the choice of the reminder at start-up; only a close button.
#pragma once

#include "dialogs/ui/basic_dialog.h"
#include "online/ui/upgrade_frame.h"

class QCheckBox;

namespace brumalis::online::ui {

class TFrmUpgrade : public dialogs::ui::TBasicDialog {
    Q_OBJECT
public:
    // Shows the dialog modally and answers its result. From the welcome hint
    // bAtStartup is true: nothing can be unsaved yet, so a download does not
    // ask about unsaved work.
    static int Upgrade(QWidget* pOwner, bool bAtStartup, const TUpgradeSeams& seams = {});

    TFrmUpgrade(QWidget* pOwner, bool bReadOnly, bool bAtStartup, const TUpgradeSeams& seams);

    TFrmAutoUpgrade* Frame() const { return v_pFrame; }
    QCheckBox* ShowAtStartup() const { return v_pChbShowAtStartup; }

private:
    TFrmAutoUpgrade* v_pFrame;
    QCheckBox* v_pChbShowAtStartup;
};

// For the windows that offer the upgrade (the about box's "Upgrade...", the
// welcome hint): the dialog over pOwner; answers its result.
int OpenUpgradeDialog(QWidget* pOwner, bool bAtStartup, const TUpgradeSeams& seams = {});

}  // namespace brumalis::online::ui
