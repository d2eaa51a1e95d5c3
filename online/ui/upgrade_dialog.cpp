#include "online/ui/upgrade_dialog.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/ui/bottom_panel.h"
#include "online/upgrade_hint.h"
#include "online/upgrade_texts.h"

namespace brumalis::online::ui {

int TFrmUpgrade::Upgrade(QWidget* pOwner, bool bAtStartup, const TUpgradeSeams& seams) {
    return Create<TFrmUpgrade>(pOwner, false, bAtStartup, seams)->Execute();
}

TFrmUpgrade::TFrmUpgrade(QWidget* pOwner, bool bReadOnly, bool bAtStartup, const TUpgradeSeams& seams)
    : TBasicDialog(pOwner, bReadOnly) {
    using T = TUpgradeText;
    setObjectName(QStringLiteral("FrmUpgrade"));
    setWindowTitle(QString::fromStdString(UpgradeText(T::DialogCaption)));
    auto* pMain = new QVBoxLayout(this);
    auto* pPages = new QTabWidget(this);
    pPages->setObjectName(QStringLiteral("Pgc_Upgrade"));
    // A single page: its tab is a heading, not a control.
    pPages->tabBar()->setFocusPolicy(Qt::NoFocus);
    auto* pPage = new QWidget(pPages);
    pPage->setObjectName(QStringLiteral("Tsh_Upgrade"));
    auto* pPageLayout = new QVBoxLayout(pPage);
    v_pFrame = new TFrmAutoUpgrade(pPage, seams, [this] { DoCloseWindow(2); });
    pPageLayout->addWidget(v_pFrame, 1);
    v_pChbShowAtStartup = new QCheckBox(QString::fromStdString(UpgradeText(T::ShowReminder)), pPage);
    v_pChbShowAtStartup->setObjectName(QStringLiteral("Chb_ShowAtStartup"));
    v_pChbShowAtStartup->setToolTip(v_pChbShowAtStartup->text().remove(QLatin1Char('&')));
    v_pChbShowAtStartup->setStatusTip(v_pChbShowAtStartup->toolTip());
    v_pChbShowAtStartup->setChecked(online::TFrmAutoUpgradeHint::ReadUpdateHint());
    connect(v_pChbShowAtStartup, &QCheckBox::clicked, this,
            [](bool bChecked) { online::TFrmAutoUpgradeHint::WriteUpdateHint(bChecked); });
    pPageLayout->addWidget(v_pChbShowAtStartup);
    pPages->addTab(pPage, QString::fromStdString(UpgradeText(T::PageUpgrade)));
    pMain->addWidget(pPages, 1);
    auto* pBottom = new dialogs::ui::TFraBottomPanelExt(this);
    pBottom->UseOKOnly(true);
    pMain->addWidget(pBottom);
    v_pFrame->InitializeFrame(!bAtStartup);
}

int OpenUpgradeDialog(QWidget* pOwner, bool bAtStartup, const TUpgradeSeams& seams) {
    return TFrmUpgrade::Upgrade(pOwner, bAtStartup, seams);
}

}  // namespace brumalis::online::ui
