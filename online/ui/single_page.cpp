#include "online/ui/single_page.h"

#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QVBoxLayout>

namespace brumalis::online::ui {

TSinglePage AddSinglePage(dialogs::ui::TBasicDialog* pDialog, const char* szName, const QString& szCaption) {
    auto* pMain = new QVBoxLayout(pDialog);
    auto* pPages = new QTabWidget(pDialog);
    pPages->setObjectName(QStringLiteral("Pgc_") + QString::fromLatin1(szName));
    // A single page: its tab is a heading, not a control.
    pPages->tabBar()->setFocusPolicy(Qt::NoFocus);
    auto* pPage = new QWidget(pPages);
    pPage->setObjectName(QStringLiteral("Tsh_") + QString::fromLatin1(szName));
    auto* pLayout = new QVBoxLayout(pPage);
    pPages->addTab(pPage, szCaption);
    pMain->addWidget(pPages, 1);
    auto* pBottom = new dialogs::ui::TFraBottomPanelExt(pDialog);
    pMain->addWidget(pBottom);
    return {pPage, pLayout, pBottom};
}

}  // namespace brumalis::online::ui
