// The frame of the upgrade's dialogs: one tab page whose tab is the window's
// heading, above the framework's bottom panel.
#pragma once

#include <QtCore/QString>

#include "dialogs/ui/basic_dialog.h"
#include "dialogs/ui/bottom_panel.h"

class QVBoxLayout;

namespace brumalis::online::ui {

struct TSinglePage {
    QWidget* pPage;
    QVBoxLayout* pLayout;  // the page's, for the caller to fill
    dialogs::ui::TFraBottomPanelExt* pBottom;
};

// Lays out pDialog as the page "Tsh_<szName>" in "Pgc_<szName>", captioned
// szCaption, and the bottom panel below it.
TSinglePage AddSinglePage(dialogs::ui::TBasicDialog* pDialog, const char* szName, const QString& szCaption);

}  // namespace brumalis::online::ui
