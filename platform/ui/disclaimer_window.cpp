#include "platform/ui/disclaimer_window.h"

#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTextBrowser>

#include "dialogs/ui/bottom_panel.h"
#include "documents/notices.h"
#include "documents/ui/text_document_output.h"

namespace brumalis::platform::ui {

namespace {

// Wide enough for a line of the terms to read comfortably.
constexpr int kTextColumns = 80;
constexpr int kTextLines = 28;

QRadioButton* AcceptButton(QWidget* pOwner, const char* szName, const char* szCaption) {
    auto* pButton = new QRadioButton(QString::fromLatin1(szCaption), pOwner);
    pButton->setObjectName(QString::fromLatin1(szName));
    pButton->setToolTip(QString::fromLatin1(szCaption));
    // Each is a stop of its own for Tab while neither is checked; the pair
    // stays exclusive by hand.
    pButton->setAutoExclusive(false);
    return pButton;
}

}  // namespace

std::vector<std::string> TFrm_Disclaimer::Texts() { return {kCaption, kPage, kContinue, kAccept, kNotAccept}; }

TFrm_Disclaimer::TFrm_Disclaimer(QWidget* pOwner, bool bReadOnly, dialogs::TDisclaimerNames names,
                                 bool bShowAcceptBtns)
    : TBasicDialog(pOwner, bReadOnly), v_names(std::move(names)), v_bShowAcceptBtns(bShowAcceptBtns) {
    setObjectName(QStringLiteral("Frm_Disclaimer"));
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* pMain = new QVBoxLayout(this);
    auto* pPages = new QTabWidget(this);
    pPages->setObjectName(QStringLiteral("PG_Disclaimer"));
    auto* pPage = new QWidget(pPages);
    pPage->setObjectName(QStringLiteral("Tab_GeneralTerms"));
    auto* pPageLayout = new QVBoxLayout(pPage);
    Txt_DisplayText = new QTextBrowser(pPage);
    Txt_DisplayText->setObjectName(QStringLiteral("Txt_DisplayText"));
    Txt_DisplayText->setReadOnly(true);
    Txt_DisplayText->setOpenLinks(false);
    const QFontMetrics metrics = Txt_DisplayText->fontMetrics();
    Txt_DisplayText->setMinimumSize(metrics.averageCharWidth() * kTextColumns, metrics.lineSpacing() * kTextLines);
    pPageLayout->addWidget(Txt_DisplayText);
    pPages->addTab(pPage, QString::fromLatin1(kPage));
    // A single page: its tab is a title, not a control.
    pPages->tabBar()->setFocusPolicy(Qt::NoFocus);
    pMain->addWidget(pPages, 1);

    FraBottomPanel = new dialogs::ui::TFraBottomPanelExt(this);
    FraBottomPanel->UseOKOnly(false);
    pMain->addWidget(FraBottomPanel);
    if (v_bShowAcceptBtns) AddAcceptButtons();
}

void TFrm_Disclaimer::AddAcceptButtons() {
    QPushButton* pContinue = FraBottomPanel->OkButton();
    pContinue->setText(QString::fromLatin1(kContinue));
    auto* pRow = qobject_cast<QBoxLayout*>(pContinue->parentWidget()->layout());
    Rbn_Accept = AcceptButton(pContinue->parentWidget(), "Rbn_Accept", kAccept);
    Rbn_NotAccept = AcceptButton(pContinue->parentWidget(), "Rbn_NotAccept", kNotAccept);
    // Left of Continue, after the row's stretch.
    const int nAt = pRow->indexOf(pContinue);
    pRow->insertWidget(nAt, Rbn_NotAccept);
    pRow->insertWidget(nAt, Rbn_Accept);
    setTabOrder(Txt_DisplayText, Rbn_Accept);
    setTabOrder(Rbn_Accept, Rbn_NotAccept);
    setTabOrder(Rbn_NotAccept, pContinue);
    for (QRadioButton* pButton : {Rbn_Accept, Rbn_NotAccept}) {
        QRadioButton* pOther = pButton == Rbn_Accept ? Rbn_NotAccept : Rbn_Accept;
        connect(pButton, &QRadioButton::toggled, this, [this, pOther](bool bChecked) {
            if (bChecked) pOther->setChecked(false);
            UpdateContinue();
        });
    }
    UpdateContinue();
}

void TFrm_Disclaimer::UpdateContinue() {
    FraBottomPanel->OkButton()->setEnabled(Rbn_Accept->isChecked() || Rbn_NotAccept->isChecked());
}

void TFrm_Disclaimer::PostInit() {
    QTextDocument* pDocument = Txt_DisplayText->document();
    pDocument->clear();
    docui::CTTextDocumentOutput out(*pDocument, v_names.szProgName, devicePixelRatioF(), Txt_DisplayText->palette());
    WriteDisclaimer(out, v_names);
    Txt_DisplayText->moveCursor(QTextCursor::Start);
}

int TFrm_Disclaimer::Result() const {
    if (!v_bShowAcceptBtns) return 1;
    return Rbn_Accept->isChecked() ? 1 : 2;
}

int TFrm_Disclaimer::Display() {
    Execute();
    return Result();
}

int DisplayDisclaimer(QWidget* pOwner, const std::string& szProgName, bool bShowAcceptBtns) {
    dialogs::TDisclaimerNames names;
    names.szProgName = szProgName;
    const auto pWindow = dialogs::ui::TBasicDialog::Create<TFrm_Disclaimer>(pOwner, false, names, bShowAcceptBtns);
    return pWindow->Display();
}

}  // namespace brumalis::platform::ui
