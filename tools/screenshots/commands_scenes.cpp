// The File menu open over the main window, the "Reporting Section" group
// with the boxes as the preferences leave them, and the report's busy
// window two solutions into three.
#include <chrono>

#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "dialogs/messages.h"
#include "dialogs/ui/busy_window.h"
#include "localisation/ui/widget_translation.h"
#include "tools/screenshots/shots.h"
#include "workflow/desktop_start.h"
#include "workflow/ui/box_reporting.h"
#include "workflow/ui/chiller_ui_form.h"

namespace brumalis::shots {

void TakeCommandsScenes(TScene& scene) {
    CTShots& shots = scene.shots;
    ui::TChillerUIForm& window = scene.window;
    window.MM_File->popup(window.menuBar()->mapToGlobal(window.menuBar()->actionGeometry(window.MM_File->menuAction()).bottomLeft()));
    shots.Take(*window.MM_File, "file-menu");
    window.MM_File->hide();

    TBoxReporting box;
    box.Chk_OperationRange.Checked = true;
    box.Chk_PressureDrop.Checked = true;
    box.Chk_CoverPage = {false, false};
    QWidget host;
    auto* pLayout = new QVBoxLayout(&host);
    auto* pView = new ui::TBoxReportingView(box, scene.start.Program().Session().Basket(), &host);
    pView->SetReportHandler([] {});
    pView->SetDistributorHandler([] {});
    pLayout->addWidget(pView);
    if (const CTGlossary* pGlossary = scene.start.Program().UIGlossary()) ui::TranslateWidgets(*pGlossary, host);
    host.resize(host.sizeHint().expandedTo(QSize(260, 0)));
    shots.Take(host, "box-reporting");

    auto now = std::chrono::steady_clock::now();
    const auto busy = dialogs::ui::TBasicDialog::Create<dialogs::ui::TFrm_Busy>(&window, true, [&now] { return now; });
    busy->Start(dialogs::TBaseMsg::Translate("Save report"),
                dialogs::TBaseMsg::GetUnicodeString(138), 3);
    now += std::chrono::seconds(1);
    for (int i = 0; i < 2; ++i) busy->Step();
    shots.Take(*busy, "report-busy");
    busy->Close();
}

}  // namespace brumalis::shots
