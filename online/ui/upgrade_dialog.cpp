#include "online/ui/upgrade_dialog.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QVBoxLayout>

#include "online/ui/single_page.h"
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
    const TSinglePage page = AddSinglePage(this, "Upgrade", QString::fromStdString(UpgradeText(T::PageUpgrade)));
    QWidget* pPage = page.pPage;
    QVBoxLayout* pPageLayout = page.pLayout;
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
    page.pBottom->UseOKOnly(true);
    v_pFrame->InitializeFrame(!bAtStartup);
}

int OpenUpgradeDialog(QWidget* pOwner, bool bAtStartup, const TUpgradeSeams& seams) {
    return TFrmUpgrade::Upgrade(pOwner, bAtStartup, seams);
}

}  // namespace brumalis::online::ui
