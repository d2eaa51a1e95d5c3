#include "dialogs/ui/bottom_panel.h"

#include <QtGui/QAction>
#include <QtGui/QFontDatabase>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/dialog_rules.h"
#include "dialogs/ui/basic_dialog.h"

namespace brumalis::dialogs::ui {

namespace {

void SetHint(QWidget* pWidget, const QString& szHint) {
    pWidget->setToolTip(szHint);
    pWidget->setStatusTip(szHint);
}

QPushButton* AddButton(QWidget* pOwner, QBoxLayout* pRow, const char* szName, const char* szCaption,
                       const char* szHint) {
    auto* pButton = new QPushButton(QString::fromLatin1(szCaption), pOwner);
    pButton->setObjectName(QString::fromLatin1(szName));
    SetHint(pButton, QString::fromLatin1(szHint));
    pRow->addWidget(pButton);
    return pButton;
}

QString LongHint(const QObject* pSender) {
    if (const auto* pAction = qobject_cast<const QAction*>(pSender)) {
        return pAction->statusTip().isEmpty() ? pAction->toolTip() : pAction->statusTip();
    }
    if (const auto* pWidget = qobject_cast<const QWidget*>(pSender)) {
        return pWidget->statusTip().isEmpty() ? pWidget->toolTip() : pWidget->statusTip();
    }
    return QString();
}

// Widgets that take the focus are the controls; frames, panels, labels and
// the form itself are passive.
TEnteredKind KindOf(const QObject* pSender) {
    if (qobject_cast<const QAction*>(pSender) != nullptr) return TEnteredKind::Control;
    const auto* pWidget = qobject_cast<const QWidget*>(pSender);
    if (pWidget == nullptr) return TEnteredKind::Other;
    return pWidget->focusPolicy() == Qt::NoFocus ? TEnteredKind::Container : TEnteredKind::Control;
}

}  // namespace

TFraBottomPanelExt::TFraBottomPanelExt(TBasicDialog* pOwner) : QWidget(pOwner), v_pOwner(pOwner) {
    setObjectName(QStringLiteral("FraBottomPanelExt"));
    auto* pMain = new QVBoxLayout(this);
    pMain->setContentsMargins(0, 0, 0, 0);
    auto* pPanel = new QWidget(this);
    pPanel->setObjectName(QStringLiteral("Pnl_Bottom"));
    auto* pRow = new QHBoxLayout(pPanel);
    pRow->addStretch(1);
    v_pBtnOK = AddButton(pPanel, pRow, "Btn_OK", "&OK", "Commit changes and close window");
    v_pBtnCancel = AddButton(pPanel, pRow, "Btn_Cancel", "&Cancel", "Reject changes and close window");
    v_pBtnOK->setDefault(true);
    v_pLblRO = new QLabel(QStringLiteral("&Close"), pPanel);
    v_pLblRO->setObjectName(QStringLiteral("Lbl_RO"));
    SetHint(v_pLblRO, QStringLiteral("Close the window"));
    v_pLblRO->hide();
    pMain->addWidget(pPanel);
    v_pCtlStatusBar = new QStatusBar(this);
    v_pCtlStatusBar->setObjectName(QStringLiteral("Ctl_StatusBar"));
    pMain->addWidget(v_pCtlStatusBar);

    connect(v_pBtnOK, &QPushButton::clicked, v_pOwner, &TBasicDialog::Btn_OKClick);
    connect(v_pBtnCancel, &QPushButton::clicked, v_pOwner, &TBasicDialog::Btn_CancelClick);
    ApplyClassSettings();
    if (v_pOwner->ReadOnly()) UseOKOnly(true);
}

void TFraBottomPanelExt::SetCtlBarSizeGrip(bool b) { TBottomPanelSettings::SetCtlBarSizeGrip(b); }
void TFraBottomPanelExt::SetCtlBarSysFont(bool b) { TBottomPanelSettings::SetCtlBarSysFont(b); }
void TFraBottomPanelExt::SetCtlBarBevel(bool b) { TBottomPanelSettings::SetCtlBarBevel(b); }

void TFraBottomPanelExt::ApplyClassSettings() {
    const TBottomPanelSettings settings = TBottomPanelSettings::Current();
    if (settings.bSizeGrip) v_pCtlStatusBar->setSizeGripEnabled(*settings.bSizeGrip);
    if (settings.bSysFont) {
        v_pCtlStatusBar->setFont(*settings.bSysFont ? QFontDatabase::systemFont(QFontDatabase::GeneralFont) : font());
    }
    if (settings.bBevel) v_bevel = *settings.bBevel;
}

void TFraBottomPanelExt::UseOKOnly(bool bReplaceCaption) {
    // The row is right-aligned, so OK moves into Cancel's place.
    v_pBtnCancel->hide();
    if (bReplaceCaption) {
        v_pBtnOK->setText(v_pLblRO->text());
        v_pBtnOK->setToolTip(v_pLblRO->toolTip());
        v_pBtnOK->setStatusTip(v_pLblRO->statusTip());
    }
}

int TFraBottomPanelExt::AddStatusPanel(int nWidth) {
    auto* pPanel = new QLabel(v_pCtlStatusBar);
    pPanel->setObjectName(QStringLiteral("Ctl_StatusPanel%1").arg(v_panels.size()));
    pPanel->setMinimumWidth(nWidth);
    if (v_panels.empty() && v_bevel) pPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    v_pCtlStatusBar->addWidget(pPanel, v_panels.empty() ? 1 : 0);
    v_panels.push_back(pPanel);
    return static_cast<int>(v_panels.size()) - 1;
}

void TFraBottomPanelExt::GlobalOnEnter(QObject* pSender) {
    const std::optional<std::string> szText = StatusTextOnEnter(KindOf(pSender), LongHint(pSender).toStdString());
    if (!szText) return;
    const QString szShown = QString::fromStdString(*szText);
    if (v_panels.empty()) {
        v_pCtlStatusBar->showMessage(szShown);
    } else if (v_hintPanelIndex >= 0 && v_hintPanelIndex < static_cast<int>(v_panels.size())) {
        v_panels[static_cast<std::size_t>(v_hintPanelIndex)]->setText(szShown);
    }
}

void TFraBottomPanelExt::GlobalOnEnterForForm(QWidget* pForm, QObject* pSender) {
    if (auto* pPanel = pForm->findChild<TFraBottomPanelExt*>()) pPanel->GlobalOnEnter(pSender);
}

QString TFraBottomPanelExt::HintText() const {
    if (v_panels.empty()) return v_pCtlStatusBar->currentMessage();
    if (v_hintPanelIndex >= 0 && v_hintPanelIndex < static_cast<int>(v_panels.size())) {
        return v_panels[static_cast<std::size_t>(v_hintPanelIndex)]->text();
    }
    return QString();
}

}  // namespace brumalis::dialogs::ui
