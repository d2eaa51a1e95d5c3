#include "workflow/ui/results_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QTabBar>
#include <QTabWidget>

#include "workflow/preferences.h"
#include "workflow/rejection_details.h"
#include "workflow/selection_list.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/named_widget.h"
#include "workflow/ui/page_models.h"

namespace brumalis::ui {

TResultsPage::TResultsPage(TSettingsPage& settings, QWidget* pParent) : QWidget(pParent), v_settings(settings) {
    setObjectName(QStringLiteral("Frm_Results"));
    Nbk_Results = Named(new QTabWidget(this), "Nbk_Results");
    Nbk_Results->addTab(MakeSolutionsTab(), QStringLiteral("Solutions found"));
    Nbk_Results->addTab(MakeRejectedTab(), QStringLiteral("Rejected selections"));
    // Named, so that the window checks hold its place in the Tab order too.
    Nbk_Results->tabBar()->setObjectName(QStringLiteral("Nbk_ResultsTabs"));
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(Nbk_Results);
}

QWidget* TResultsPage::MakeSolutionsTab() {
    Tab_ResSolutions = Named(new QWidget, "Tab_ResSolutions");
    Grid_Results = Named(new TResultGridView(v_settings.ResultGrid(), Tab_ResSolutions), "Grid_Results");
    Grid_Results->setToolTip(QStringLiteral("Grid with solutions"));
    // The option frame of the current unit goes here; it is made by the
    // option choice's own view, so until then the room stays empty.
    Pnl_ResOptions = Named(new QWidget(Tab_ResSolutions), "Pnl_ResOptions");
    auto* pLayout = new QVBoxLayout(Tab_ResSolutions);
    pLayout->addWidget(Grid_Results, 1);
    pLayout->addWidget(Pnl_ResOptions);
    return Tab_ResSolutions;
}

QWidget* TResultsPage::MakeRejectedTab() {
    Tab_ResRejected = Named(new QWidget, "Tab_ResRejected");
    Lst_ResNSelectChillers = Named(new QListWidget(Tab_ResRejected), "Lst_ResNSelectChillers");
    // The details follow the chosen line, not the keyboard's place: the
    // list takes a current line of its own when it gets the focus.
    connect(Lst_ResNSelectChillers, &QListWidget::itemSelectionChanged, this, [this] { ShowRejection(ChosenLine()); });

    Box_ResDetails = Named(new QGroupBox(QStringLiteral("Details"), Tab_ResRejected), "Box_ResDetails");
    Lbl_ResDetailedReason = Named(new QLabel(Box_ResDetails), "Lbl_ResDetailedReason");
    Lbl_ResDetailedReason->setWordWrap(true);
    Pnl_ResReasonExtraData = Named(new QGroupBox(Box_ResDetails), "Pnl_ResReasonExtraData");
    Lbl_ResAvailable = Named(new QLabel(Pnl_ResReasonExtraData), "Lbl_ResAvailable");
    Lbl_ResMinimum = Named(new QLabel(Pnl_ResReasonExtraData), "Lbl_ResMinimum");
    Lbl_ResMaximum = Named(new QLabel(Pnl_ResReasonExtraData), "Lbl_ResMaximum");
    auto* pValues = new QFormLayout(Pnl_ResReasonExtraData);
    pValues->addRow(Named(new QLabel(QStringLiteral("Available")), "Lbl_ResAvailableTitle"), Lbl_ResAvailable);
    pValues->addRow(Named(new QLabel(QStringLiteral("Minimum")), "Lbl_ResMinimumTitle"), Lbl_ResMinimum);
    pValues->addRow(Named(new QLabel(QStringLiteral("Maximum")), "Lbl_ResMaximumTitle"), Lbl_ResMaximum);
    Pnl_ResReasonExtraData->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    Pnl_ResReasonExtraData->hide();

    auto* pDetails = new QVBoxLayout(Box_ResDetails);
    pDetails->addWidget(Lbl_ResDetailedReason);
    pDetails->addWidget(Pnl_ResReasonExtraData);
    pDetails->addStretch(1);
    auto* pLayout = new QHBoxLayout(Tab_ResRejected);
    pLayout->addWidget(Lst_ResNSelectChillers, 1);
    pLayout->addWidget(Box_ResDetails, 2);
    return Tab_ResRejected;
}

void TResultsPage::ShowResults() {
    Grid_Results->Refresh();
    ShowRejectedList();
    if (Nbk_Results->currentWidget() == Tab_ResSolutions) Grid_Results->setFocus();
}

void TResultsPage::ShowRejectedList() {
    // A new run's list starts with no line chosen; the same run's keeps the
    // user's choice, with its details read again.
    const TMainSession& session = v_settings.Session();
    if (session.RunNumber() == v_shownRun) {
        ShowRejection(ChosenLine());
        return;
    }
    v_shownRun = session.RunNumber();
    const QSignalBlocker blocker(Lst_ResNSelectChillers);
    Lst_ResNSelectChillers->clear();
    for (const Cls_ChOutdoorUnit* pUnit : session.v_NonSelected) Lst_ResNSelectChillers->addItem(Q(DisplayName(*pUnit)));
    ShowRejection(-1);
}

int TResultsPage::ChosenLine() const {
    const QList<QListWidgetItem*> chosen = Lst_ResNSelectChillers->selectedItems();
    return chosen.isEmpty() ? -1 : Lst_ResNSelectChillers->row(chosen.front());
}

void TResultsPage::ShowRejection(int nLine) {
    const std::vector<Cls_ChOutdoorUnit*>& rejected = v_settings.Session().v_NonSelected;
    if (nLine < 0 || nLine >= static_cast<int>(rejected.size())) {
        Lbl_ResDetailedReason->clear();
        Pnl_ResReasonExtraData->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    Pnl_ResReasonExtraData->hide();
        return;
    }
    const TPreferences& prefs = TFrm_Preferences::Values();
    const TRejectionDetails details =
        RejectionDetailsOf(*rejected[static_cast<std::size_t>(nLine)], TMainSession::kSelectionSeqNr,
                           v_settings.Session(), prefs.NEGCOOLING, prefs.POSCOOLING, prefs.NEGHEATING, prefs.POSHEATING);
    Lbl_ResDetailedReason->setText(Q(details.Message));
    // Texts first, so that the panel is laid out for them when it shows.
    if (details.Extra) {
        Pnl_ResReasonExtraData->setTitle(Q(details.Extra->Title));
        Lbl_ResAvailable->setText(Q(details.Extra->Available));
        Lbl_ResMinimum->setText(Q(details.Extra->Minimum));
        Lbl_ResMaximum->setText(Q(details.Extra->Maximum));
    }
    Pnl_ResReasonExtraData->setVisible(details.Extra.has_value());
}

void TResultsPage::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    ShowResults();
}

TResultsPage& MakeResultsPage(TChillerUIForm& window, TSettingsPage& settings) {
    auto* pPage = new TResultsPage(settings);
    window.SetPageContent(TChillerPage::Results, pPage);
    settings.ResultGrid().SetDblClickChiller([&window](Cls_ChOutdoorUnit& Unit) { JumpToChillers(window, Unit); });
    return *pPage;
}

}  // namespace brumalis::ui
