#include "workflow/ui/option_frame_step.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "workflow/main_window.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/option_frame_view.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/results_page.h"

namespace brumalis::ui {
namespace {

TPanelRequirement PanelRequirement(TSettingsPage& settings) {
    const TFrm_ChTempPanel& panel = settings.Panel();
    return TPanelRequirement{panel.GetUserCoolCap(), panel.GetUserHeatCap(), panel.GetSelCooling()};
}

void ShowPage(TChillerUIForm& window, TChillerPage page) {
    window.Model().SetAvailable(page, true);
    window.PG_ChillerPages->setCurrentIndex(static_cast<int>(page));
}

void AddToBasketShown(TChillerUIForm& window, bool bAdded) {
    if (bAdded) ShowPage(window, TChillerPage::Basket);
}

TOptionFramePanel& PutPanel(QWidget& room, std::unique_ptr<TWiredOptionFrame> wired) {
    auto* pPanel = new TOptionFramePanel(std::move(wired), &room);
    auto* pLayout = qobject_cast<QVBoxLayout*>(room.layout());
    if (!pLayout) {
        pLayout = new QVBoxLayout(&room);
        pLayout->setContentsMargins(0, 0, 0, 0);
    }
    pLayout->addWidget(pPanel);
    return *pPanel;
}

// The unit the results frame shows: a new run or another column shows the
// frame anew; the same unit again (a grid repainted after a tick) leaves
// the frame as the user is working on it.
struct TShownUnit {
    const Cls_ChOutdoorUnit* pUnit = nullptr;
    std::int32_t nSeqNr = 0;
    std::uint64_t nRun = 0;
    bool operator==(const TShownUnit&) const = default;
};

}  // namespace

TOptionFramePanel::TOptionFramePanel(std::unique_ptr<TWiredOptionFrame> wired, QWidget* pParent)
    : QWidget(pParent), v_wired(std::move(wired)) {
    setObjectName(QStringLiteral("Pnl_OptionFrame"));
    v_view = new TOptionFrameView(v_wired->Frame(), this);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(v_view);
}

TOptionFramePanel::~TOptionFramePanel() { delete v_view; }

void TOptionFramePanel::ShowCurrentUnit() {
    v_wired->ShowCurrentUnit();
    v_view->Refresh();
}

TOptionFramePanel& PutResultsOptionFrame(TChillerUIForm& window, TResultsPage& page, TMainSession& session) {
    TSettingsPage& settings = SharedSettingsPage(window, session);
    TFrm_ChResultGrid& grid = settings.ResultGrid();
    auto addToPlant = [&window, &session, &settings, &grid] {
        std::int32_t nSeqNr = 0;
        Cls_ChOutdoorUnit* pUnit = grid.GetCurrentChiller(nSeqNr);
        if (pUnit && session.Plant().AddToPlant(*pUnit, PanelRequirement(settings))) {
            ShowPage(window, TChillerPage::PlantBuilder);
        }
    };
    auto addToBasket = [&window, &session, &settings, &grid] {
        std::int32_t nSeqNr = 0;
        Cls_ChOutdoorUnit* pUnit = grid.GetCurrentChiller(nSeqNr);
        if (pUnit) AddToBasketShown(window, SharedBasketPage(window, session).AddResult(*pUnit, PanelRequirement(settings)));
    };
    TOptionFramePanel& panel = PutPanel(
        *page.Pnl_ResOptions,
        std::make_unique<TWiredOptionFrame>(session, grid, [&settings] { return settings.Request(); }, addToPlant,
                                            addToBasket));
    TResultGridView* pGridView = page.Grid_Results;
    panel.View().SetOnChanged([pGridView] { pGridView->Refresh(); });

    FollowGrid(panel, *pGridView, grid, window, TChillerPage::Results, session);
    return panel;
}

void FollowGrid(TOptionFramePanel& panel, QTableWidget& gridView, TFrm_ChResultGrid& grid, TChillerUIForm& window,
                TChillerPage page, TMainSession& session) {
    auto shown = std::make_shared<TShownUnit>();
    auto follow = [&panel, &grid, &session, shown] {
        TShownUnit current;
        current.pUnit = grid.GetCurrentChiller(current.nSeqNr);
        current.nRun = session.RunNumber();
        if (current == *shown) return;
        *shown = current;
        panel.ShowCurrentUnit();
    };
    // The view has moved the grid's current unit by the time this runs.
    QObject::connect(&gridView, &QTableWidget::currentCellChanged, &panel, follow);
    QObject::connect(window.PG_ChillerPages, &QTabWidget::currentChanged, &panel, [follow, &window, page](int nIndex) {
        if (window.PG_ChillerPages->widget(nIndex) == window.Page(page)) follow();
    });
    follow();
}

TOptionFramePanel& PutPlantOptionFrame(TChillerUIForm& window, QWidget& room, TMainSession& session,
                                       std::function<void()> onPlantGridChanged) {
    TSettingsPage& settings = SharedSettingsPage(window, session);
    auto addToBasket = [&window, &session] { AddToBasketShown(window, SharedBasketPage(window, session).AddPlant()); };
    TOptionFramePanel& panel = PutPanel(
        room, std::make_unique<TWiredOptionFrame>(session, session.Plant(), [&settings] { return settings.Request(); },
                                                  addToBasket));
    panel.View().SetOnChanged(std::move(onPlantGridChanged));
    panel.ShowCurrentUnit();
    return panel;
}

}  // namespace brumalis::ui
