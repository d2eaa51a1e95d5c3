#include "workflow/ui/basket_page_view.h"

#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "catalogue/price_records.h"
#include "catalogue/units.h"
#include "documents/ui/print_params_window.h"
#include "localisation/ui/widget_translation.h"
#include "workflow/preferences.h"
#include "workflow/selection_list.h"
#include "workflow/ui/box_reporting.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/page_models.h"
#include "workflow/ui/preferences_wiring.h"
#include "workflow/ui/report_runner.h"

namespace brumalis::ui {
namespace {

// The header rows: the solution number and the model reference.
constexpr int kFixedRows = TBasketGrid::rwApplication;
constexpr int kShownRows = TBasketGrid::kRowCount - kFixedRows;

QTableWidgetItem* Cell(const std::string& szText) {
    auto* pItem = new QTableWidgetItem(QString::fromStdString(szText));
    pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return pItem;
}

// A capacity in kW as the panel's capacity edit takes it: the current power
// unit, nothing for no requirement.
std::string CapacityText(double dKW) {
    return dKW > 0.0 ? TU_Form::PutDimensionedValue(U_Power, 15, true, dKW) : std::string();
}

}  // namespace

TBasketGridView::TBasketGridView(TBasketPage& model, QWidget* pParent)
    : QTableWidget(pParent), v_model(model), v_corner(new QLabel(this)) {
    setObjectName(QStringLiteral("Grid_Solutions"));
    SetHint(*this, "Basket with solutions");
    setSelectionBehavior(QAbstractItemView::SelectColumns);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    // Tab leaves the grid for the buttons; Left and Right move along it.
    setTabKeyNavigation(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The corner holds the titles of the two header rows.
    v_corner->setObjectName(QStringLiteral("Lbl_SolutionTitles"));
    v_corner->setAttribute(Qt::WA_TransparentForMouseEvents);
    v_corner->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    v_corner->setContentsMargins(4, 0, 4, 0);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int, int nColumn, int, int nPrevious) {
        if (!v_bFilling && nColumn != nPrevious) CurrentChanged(nColumn);
    });
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int nColumn) {
        if (OnDoubleClick) OnDoubleClick(nColumn + 1);
    });
    Refresh();
}

void TBasketGridView::Refresh() {
    v_bFilling = true;
    const int nColumns = v_model.ColumnCount() - 1;
    setColumnCount(nColumns);
    setRowCount(kShownRows);
    for (int r = 0; r < kShownRows; ++r) {
        setVerticalHeaderItem(r, new QTableWidgetItem(QString::fromStdString(v_model.CellText(0, r + kFixedRows))));
    }
    for (int c = 0; c < nColumns; ++c) {
        auto* pHeader = new QTableWidgetItem(QString::fromStdString(v_model.CellText(c + 1, TBasketGrid::rwSolution)) +
                                             QLatin1Char('\n') +
                                             QString::fromStdString(v_model.CellText(c + 1, TBasketGrid::rwModel)));
        setHorizontalHeaderItem(c, pHeader);
        for (int r = 0; r < kShownRows; ++r) setItem(r, c, Cell(v_model.CellText(c + 1, r + kFixedRows)));
    }
    v_corner->setText(QString::fromStdString(v_model.CellText(0, TBasketGrid::rwSolution)) + QLatin1Char('\n') +
                      QString::fromStdString(v_model.CellText(0, TBasketGrid::rwModel)));
    // Two lines even without a solution, so the corner's titles fit.
    horizontalHeader()->setMinimumHeight(2 * fontMetrics().lineSpacing() + 8);
    verticalHeader()->setMinimumWidth(v_corner->sizeHint().width());
    resizeColumnsToContents();
    const int nSelected = v_model.Basket().Selected();
    if (nSelected >= 0 && nSelected < nColumns) {
        setCurrentCell(std::max(currentRow(), 0), nSelected);
        selectColumn(nSelected);
    } else {
        setCurrentCell(-1, -1);
        clearSelection();
    }
    v_bFilling = false;
    updateGeometries();
}

std::string TBasketGridView::ShownCell(int nColumn, int nRow) const {
    if (nRow < kFixedRows) {
        const QString header = nColumn == 0 ? v_corner->text() : horizontalHeaderItem(nColumn - 1)->text();
        return header.section(QLatin1Char('\n'), nRow, nRow).toStdString();
    }
    const QTableWidgetItem* pItem =
        nColumn == 0 ? verticalHeaderItem(nRow - kFixedRows) : item(nRow - kFixedRows, nColumn - 1);
    return pItem ? pItem->text().toStdString() : std::string();
}

void TBasketGridView::updateGeometries() {
    QTableWidget::updateGeometries();
    v_corner->setGeometry(verticalHeader()->x(), horizontalHeader()->y(), verticalHeader()->width(),
                          horizontalHeader()->height());
    v_corner->raise();
}

// By the column under the pointer: the press of the double-click has just
// moved the selection, which the item view's own signal would hold against it.
void TBasketGridView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    QTableWidget::mouseDoubleClickEvent(pEvent);
    const int nColumn = columnAt(pEvent->position().toPoint().x());
    if (nColumn >= 0 && OnDoubleClick) OnDoubleClick(nColumn + 1);
}

void TBasketGridView::CurrentChanged(int nViewColumn) {
    if (nViewColumn < 0) return;
    if (OnSelect) OnSelect(nViewColumn + 1);
    selectColumn(nViewColumn);
}

TBasketPageView::TBasketPageView(TChillerUIForm& window, TMainSession& session, QWidget* pParent)
    : QWidget(pParent), v_window(window), v_session(session), v_model(SharedBasketPage(window, session)) {
    setObjectName(QStringLiteral("Frm_Basket"));
    v_reporting.ApplyPreferences(TFrm_Preferences::Values());

    Box_Solutions = new QGroupBox(QStringLiteral("Comparing Solutions"), this);
    Box_Solutions->setObjectName(QStringLiteral("Box_Solutions"));
    Grid_Solutions = new TBasketGridView(v_model, Box_Solutions);
    // Made before the buttons: Tab goes from the grid to the report boxes
    // beside it, then to the buttons under both.
    Box_Reporting = new TBoxReportingView(v_reporting, session.Basket(), this);
    Box_Reporting->SetReportHandler([this] { Report(); });
    Box_Reporting->SetDistributorHandler([this] { docui::OpenPrintParameters(this); });
    Btn_MoveSolLeft = Button("Btn_MoveSolLeft", "Move Left", "Move the selected solution one place to the left");
    Btn_MoveSolRight = Button("Btn_MoveSolRight", "Move Right", "Move the selected solution one place to the right");
    Btn_EditSol = Button("Btn_EditSol", "Edit", "Edit the selected solution");
    Btn_RemoveSol = Button("Btn_RemoveSol", "Remove", "Remove the selected solution");
    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(Btn_MoveSolLeft);
    pButtons->addWidget(Btn_MoveSolRight);
    pButtons->addStretch(1);
    pButtons->addWidget(Btn_EditSol);
    pButtons->addWidget(Btn_RemoveSol);
    auto* pSolutions = new QVBoxLayout(Box_Solutions);
    pSolutions->addWidget(Grid_Solutions, 1);
    pSolutions->addLayout(pButtons);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->addWidget(Box_Solutions, 1);
    pLayout->addWidget(Box_Reporting, 0, Qt::AlignTop);

    Grid_Solutions->OnSelect = [this](int nColumn) {
        v_model.SelectColumn(nColumn);
        ShowButtons();
    };
    Grid_Solutions->OnDoubleClick = [this](int nColumn) {
        if (Cls_ChOutdoorUnit* pUnit = v_model.UnitOfColumn(nColumn)) JumpToChillers(v_window, *pUnit);
    };
    connect(Btn_RemoveSol, &QPushButton::clicked, this, [this] { Remove(); });
    connect(Btn_EditSol, &QPushButton::clicked, this, [this] { Edit(); });
    connect(Btn_MoveSolLeft, &QPushButton::clicked, this, [this] { Move(false); });
    connect(Btn_MoveSolRight, &QPushButton::clicked, this, [this] { Move(true); });
    InstallEditCallbacks();
    Refresh();
}

TBasketPageView::~TBasketPageView() = default;

QPushButton* TBasketPageView::Button(const char* szName, const char* szCaption, const char* szHint) {
    auto* pButton = new QPushButton(QString::fromUtf8(szCaption), Box_Solutions);
    pButton->setObjectName(QString::fromLatin1(szName));
    SetHint(*pButton, szHint);
    return pButton;
}

// An edited one-unit solution goes back to the Settings page's criteria and
// to the results as their only unit; an edited plant to the Plant Builder.
void TBasketPageView::InstallEditCallbacks() {
    v_model.SetEditCallbacks(
        [this](Cls_ChOutdoorUnit& first, const TSelTempData& criteria, double dCool, double dHeat, bool bCapacities) {
            TSettingsPage& settings = SharedSettingsPage(v_window, v_session);
            settings.SelectCriteria(first.GetCondenserType(), first.GetFamily(), 0, 0);
            settings.LoadTemperatures(criteria);
            if (!bCapacities) return;
            if (settings.Panel().HasUserCoolCap()) settings.Panel().TypeValue(TPanelEntry::CoolCapacity, CapacityText(dCool));
            if (settings.Panel().HasUserHeatCap()) settings.Panel().TypeValue(TPanelEntry::HeatCapacity, CapacityText(dHeat));
        },
        [this](Cls_ChOutdoorUnit& unit, double dCool, double dHeat, bool bSelectCooling) {
            TFrm_ChResultGrid& grid = SharedSettingsPage(v_window, v_session).ResultGrid();
            grid.EmptyGrid();
            grid.PutHeaders(unit.GetCondenserType(), unit.GetFamily(), 0.0, TFrm_ChApplicationOptions::GetStdOptionSuffix(),
                            TFrm_Preferences::Values().ESEER, bSelectCooling, dHeat, dCool,
                            Cls_PriceAndPrefsFile::UniqueInstance() != nullptr);
            grid.AddChiller(&unit, TMainSession::kSelectionSeqNr);
            grid.SetCurrentChiller(unit);
            GoTo(TChillerPage::Results);
        });
}

void TBasketPageView::Refresh() {
    Grid_Solutions->Refresh();
    ShowButtons();
    Box_Reporting->ShowModel();
}

void TBasketPageView::PreferencesAccepted() {
    const TPreferences& prefs = TFrm_Preferences::Values();
    v_model.PreferencesChanged(prefs.ESEER);
    v_reporting.ApplyPreferences(prefs);
    Refresh();
}

void TBasketPageView::showEvent(QShowEvent* pEvent) {
    QWidget::showEvent(pEvent);
    Refresh();
}

void TBasketPageView::ShowButtons() {
    const TSolutionBasket& basket = v_model.Basket();
    Btn_MoveSolLeft->setEnabled(basket.CanMoveLeft());
    Btn_MoveSolRight->setEnabled(basket.CanMoveRight());
    Btn_RemoveSol->setEnabled(basket.CanRemove());
    Btn_EditSol->setEnabled(basket.CanEdit());
}

void TBasketPageView::Remove() {
    if (!v_model.RemoveSelected()) return;
    AfterChange();
    if (!v_model.PageAvailable()) GoTo(TChillerPage::Settings);
}

void TBasketPageView::Move(bool bRight) {
    if (v_model.MoveSelected(bRight)) Refresh();
}

void TBasketPageView::Edit() {
    const int nSelected = v_model.Basket().Selected();
    const bool bPlant = nSelected >= 0 && v_model.UnitOfColumn(nSelected + 1) == nullptr;
    if (!v_model.EditSelected()) return;
    AfterChange();
    if (bPlant) GoTo(TChillerPage::PlantBuilder);
}

void TBasketPageView::AfterChange() {
    v_window.Model().SetAvailable(TChillerPage::Basket, v_model.PageAvailable());
    Refresh();
}

void TBasketPageView::GoTo(TChillerPage page) {
    v_window.Model().SetAvailable(page, true);
    v_window.PG_ChillerPages->setCurrentIndex(static_cast<int>(page));
}

void TBasketPageView::Report() {
    if (!v_pRunner) v_pRunner = std::make_unique<TQtReportRunner>(*this);
    v_pRunner->Basket(v_session, v_session.Basket(), v_reporting);
}

TBasketPageView& MakeBasketPage(TChillerUIForm& window, TMainSession& session) {
    auto* pPage = new TBasketPageView(window, session);
    window.SetPageContent(TChillerPage::Basket, pPage);
    PreferencesCommandOf(window, session).AddAcceptedStep("Basket page", [pPage] { pPage->PreferencesAccepted(); });
    return *pPage;
}

}  // namespace brumalis::ui
