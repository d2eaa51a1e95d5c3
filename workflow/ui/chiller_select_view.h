// The unit chooser's four lists (condenser, family, series, unit) over its
// GUI-free model: a click goes to the model, the lists then show what the
// model holds, so a choice that refills the later lists never shows stale
// lines.
#pragma once

#include <functional>

#include <QWidget>

#include "workflow/chiller_page.h"

class QListWidget;

namespace brumalis::ui {

class TChillerSelectView final : public QWidget {
    Q_OBJECT

public:
    // The model outlives the view.
    TChillerSelectView(TFrm_ChillerSelect& model, const char* szName, QWidget* pParent = nullptr);

    // The lists anew from the model, its chosen lines current.
    void ShowModel();

    QListWidget* Lst_Condenser = nullptr;
    QListWidget* Lst_Family = nullptr;
    QListWidget* Lst_Series = nullptr;
    QListWidget* Lst_Chillers = nullptr;

private:
    QListWidget* AddList(const char* szName, const char* szCaption, std::function<void(int)> choose);

    TFrm_ChillerSelect& v_model;
    bool v_bShowing = false;  // the lists are being refilled, not clicked
};

}  // namespace brumalis::ui
