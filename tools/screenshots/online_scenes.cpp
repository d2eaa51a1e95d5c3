// The welcome hint, the upgrade dialog with a list of versions and during a
// download, and the data-processing notice. The list is filled through the
// frame's view, as a check against the web service fills it.
#include <QtWidgets/QTreeWidget>

#include "dialogs/language_names.h"
#include "online/auto_upgrade.h"
#include "online/download_report.h"
#include "online/ui/privacy_window.h"
#include "online/ui/upgrade_dialog.h"
#include "online/ui/upgrade_hint_window.h"
#include "online/upgrade_texts.h"
#include "tools/screenshots/shots.h"
#include "workflow/ui/chiller_ui_form.h"

namespace brumalis::shots {
namespace {

std::vector<online::TUpgradeListItem> ListedVersions() {
    const std::string szRussian = dialogs::ShownLanguageName(1049);
    const std::string szEnglish = dialogs::ShownLanguageName(1033);
    const std::string szDefault = online::UpgradeText(online::TUpgradeText::CapDefault);
    return {{"Brumalis 3.3.5", {szRussian, szDefault, "3.3.5", online::SizeText(3460000)}},
            {"Brumalis 3.3.5", {szEnglish, szDefault, "3.3.5", online::SizeText(3280000)}}};
}

}  // namespace

void TakeOnlineScenes(TScene& scene) {
    CTShots& shots = scene.shots;
    QWidget* pOwner = &scene.window;
    const auto hint = dialogs::ui::TBasicDialog::Create<online::ui::TFrmAutoUpgradeHint>(
        pOwner, false, std::string("Brumalis"), online::ui::TUpgradeSeams{});
    shots.Take(*hint, "upgrade-hint");

    const auto dialog = dialogs::ui::TBasicDialog::Create<online::ui::TFrmUpgrade>(pOwner, false, false,
                                                                                    online::ui::TUpgradeSeams{});
    online::ui::TFrmAutoUpgrade& frame = *dialog->Frame();
    frame.FillList(ListedVersions());
    frame.List()->setFocus();
    frame.List()->setCurrentItem(frame.List()->topLevelItem(0));
    // The model knows no rows it did not fetch itself; a fetched list enables Download with a selection.
    frame.SetDownloadEnabled(true);
    shots.Take(*dialog, "upgrade-list");
    frame.ShowProgress(true);
    frame.SetProgressCaption(online::UpgradeText(online::TUpgradeText::Downloading) + " Brumalis");
    frame.SetProgressPosition(42);
    shots.Take(*dialog, "upgrade-downloading");

    const auto notice = dialogs::ui::TBasicDialog::Create<online::ui::TFrm_Privacy>(
        pOwner, false, std::string("Brumalis"), online::DataProcessingNotice("Brumalis"));
    shots.Take(*notice, "upgrade-notice");
}

}  // namespace brumalis::shots
