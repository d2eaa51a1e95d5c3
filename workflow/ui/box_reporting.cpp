#include "workflow/ui/box_reporting.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "localisation/ui/widget_translation.h"
#include "workflow/report_run.h"
#include "workflow/ui/embedded_icons.h"

namespace brumalis::ui {
namespace {

QToolButton* Button(QWidget* pParent, const char* szName, const char* szIcon, const char* szCaption,
                    const char* szHint) {
    auto* pButton = new QToolButton(pParent);
    pButton->setObjectName(QString::fromLatin1(szName));
    pButton->setIcon(EmbeddedIcon(szIcon));
    pButton->setIconSize(QSize(32, 32));
    pButton->setText(QString::fromUtf8(szCaption));
    pButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SetHint(*pButton, szHint);
    return pButton;
}

}  // namespace

TBoxReportingView::TBoxReportingView(TBoxReporting& model, const TSolutionBasket& basket, QWidget* pParent)
    : QGroupBox(QString::fromUtf8(TBoxReporting::kCaption), pParent), v_model(model), v_basket(basket) {
    setObjectName(QStringLiteral("Box_Reporting"));
    // Three levels: a group's label, what stands in from it, and the boxes
    // of the parts of the selected solution's report.
    constexpr int kIndent = 14;
    auto* pGrid = new QGridLayout;
    pGrid->setColumnMinimumWidth(0, kIndent);
    pGrid->setColumnMinimumWidth(1, kIndent);
    pGrid->setColumnStretch(2, 1);
    const auto place = [pGrid](QWidget* pWidget, int nLevel) {
        pGrid->addWidget(pWidget, pGrid->rowCount(), nLevel, 1, 3 - nLevel);
    };
    place(Lbl_FixedReport = Label("Lbl_FixedReport", "Fixed report part"), 0);
    place(Chk_CoverPage = Box("Chk_CoverPage", "Cover page text", v_model.Chk_CoverPage), 1);
    place(Lbl_SelSolution = Label("Lbl_SelSolution", "Selected solution"), 0);
    place(Lbl_GraphsReport = Label("Lbl_GraphsReport", "Graphs"), 1);
    place(Chk_OperationRange = Box("Chk_OperationRange", "Operation range", v_model.Chk_OperationRange), 2);
    place(Chk_PressureDrop = Box("Chk_PressureDrop", "Pressure drop", v_model.Chk_PressureDrop), 2);
    place(Chk_Dimensional = Box("Chk_Dimensional", "Dimensional drawing", v_model.Chk_Dimensional), 2);
    place(Lbl_TextsReport = Label("Lbl_TextsReport", "Specifications"), 1);
    place(Chk_SpecTexts = Box("Chk_SpecTexts", "Specification texts", v_model.Chk_SpecTexts), 2);
    Bib_MSWord = Button(this, "Bib_MSWord", "ICON_REPORT", "Report", "Produce a MSWord report");
    Btn_Distributor = Button(this, "Btn_Distributor", "ICON_DISTRIBUTOR", "Distributor",
                             "Define the distributor data (used in the reports)");
    auto* pButtons = new QHBoxLayout;
    pButtons->addWidget(Bib_MSWord);
    pButtons->addWidget(Btn_Distributor);
    pButtons->addStretch(1);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGrid);
    pLayout->addLayout(pButtons);
    pLayout->addStretch(1);
    connect(Bib_MSWord, &QToolButton::clicked, this, [this] {
        if (v_report) v_report();
    });
    connect(Btn_Distributor, &QToolButton::clicked, this, [this] {
        if (v_distributor) v_distributor();
    });
    ShowModel();
}

QLabel* TBoxReportingView::Label(const char* szName, const char* szCaption) {
    auto* pLabel = new QLabel(QString::fromUtf8(szCaption), this);
    pLabel->setObjectName(QString::fromLatin1(szName));
    QFont font = pLabel->font();
    font.setBold(true);
    pLabel->setFont(font);
    return pLabel;
}

QCheckBox* TBoxReportingView::Box(const char* szName, const char* szCaption, TReportCheckBox& box) {
    auto* pBox = new QCheckBox(QString::fromUtf8(szCaption), this);
    pBox->setObjectName(QString::fromLatin1(szName));
    connect(pBox, &QCheckBox::toggled, this, [&box](bool bChecked) { box.Checked = bChecked; });
    return pBox;
}

void TBoxReportingView::SetReportHandler(std::function<void()> handler) {
    v_report = std::move(handler);
    ShowModel();
}

void TBoxReportingView::SetDistributorHandler(std::function<void()> handler) {
    v_distributor = std::move(handler);
    ShowModel();
}

void TBoxReportingView::ShowModel() {
    const std::pair<QCheckBox*, const TReportCheckBox*> boxes[] = {
        {Chk_CoverPage, &v_model.Chk_CoverPage},     {Chk_OperationRange, &v_model.Chk_OperationRange},
        {Chk_PressureDrop, &v_model.Chk_PressureDrop}, {Chk_Dimensional, &v_model.Chk_Dimensional},
        {Chk_SpecTexts, &v_model.Chk_SpecTexts}};
    for (const auto& [pBox, pState] : boxes) {
        const QSignalBlocker quiet(pBox);
        pBox->setEnabled(pState->Enabled);
        pBox->setChecked(pState->Checked);
    }
    const bool bSomething = TReportRun::BasketEnabled(v_basket);
    Bib_MSWord->setEnabled(bSomething && v_report);
    Btn_Distributor->setEnabled(bSomething && v_distributor);
}

}  // namespace brumalis::ui
