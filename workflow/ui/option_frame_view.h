// The option frame on screen over its model: the standard specs, the options
// and kits to tick, the option code, the recovery entries and the add
// buttons. Every click, tick and typed temperature goes to the model, which
// holds the rules; the view then shows the model again, so a tick the
// checks turned back shows as it was without being reported a second time.
#pragma once

#include <functional>

#include <QWidget>

#include "workflow/chiller_options.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace brumalis::ui {

class TTempEntriesView;

class TOptionFrameView final : public QWidget {
    Q_OBJECT

public:
    // The model outlives the view.
    TOptionFrameView(TFrm_ChOptions& model, QWidget* pParent = nullptr);

    // Everything anew from the model; no model call is made.
    void Refresh();
    // Called after every change the user made (the grid beside shows the unit anew).
    void SetOnChanged(std::function<void()> onChanged) { v_onChanged = std::move(onChanged); }
    TFrm_ChOptions& Model() const { return v_model; }

    QListWidget* Lst_StandardSpecs = nullptr;
    QListWidget* Lst_Options = nullptr;
    QListWidget* Lst_Kits = nullptr;
    QLabel* Txt_OptionCode = nullptr;
    QWidget* Pnl_Basket = nullptr;
    QPushButton* Btn_AddPlant = nullptr;
    QPushButton* Btn_AddBasket = nullptr;
    TTempEntriesView* Frm_HRCondenser = nullptr;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QListWidget* CheckList(const char* szName, const char* szHint);
    void ShowCheckLines(QListWidget* pList, const std::vector<TFrm_ChOptions::TLine>& lines);
    void LineTicked(QListWidget* pList, QListWidgetItem* pItem);
    void Tick(QListWidget* pList, int nLine, bool bTicked);
    void Changed();

    TFrm_ChOptions& v_model;
    std::function<void()> v_onChanged;
    bool v_bPainting = false;
};

}  // namespace brumalis::ui
