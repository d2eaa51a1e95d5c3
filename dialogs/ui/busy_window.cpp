#include "dialogs/ui/busy_window.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtGui/QPainter>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/messages.h"

namespace brumalis::dialogs::ui {

namespace {

// The box's fill colour: aqua.
constexpr QRgb kFillColour = qRgb(0, 255, 255);

}  // namespace

TProgressBox::TProgressBox(QWidget* pParent, const TBusyProgress& progress) : QWidget(pParent), v_progress(progress) {
    setObjectName(QStringLiteral("Pbx_Progress"));
    setFixedHeight(fontMetrics().height() + 4);
    setMinimumWidth(fontMetrics().averageCharWidth() * 40);
}

void TProgressBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.fillRect(QRect(0, 0, v_progress.FillWidth(width()), height()), QColor(kFillColour));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

TFrm_Busy::TFrm_Busy(QWidget* pOwner, bool bReadOnly, TBusyProgress::TClock pClock)
    : TBasicDialog(pOwner, bReadOnly), v_progress(std::move(pClock)) {
    setObjectName(QStringLiteral("Frm_Busy"));
    setWindowTitle(QStringLiteral("Progress"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // Modal while shown, so the work's window takes no clicks meanwhile.
    setWindowModality(Qt::ApplicationModal);
    auto* pMain = new QVBoxLayout(this);
    auto* pPanel = new QWidget(this);
    pPanel->setObjectName(QStringLiteral("Pnl_Progress"));
    auto* pPanelLayout = new QVBoxLayout(pPanel);
    v_pTxtMsg = new QLabel(pPanel);
    v_pTxtMsg->setObjectName(QStringLiteral("Txt_Msg"));
    v_pTxtMsg->setTextFormat(Qt::PlainText);
    v_pTxtMsg->setWordWrap(true);
    v_pTxtMsg->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    v_pTxtMsg->setFixedHeight(2 * v_pTxtMsg->fontMetrics().lineSpacing());
    pPanelLayout->addWidget(v_pTxtMsg);
    auto* pRow = new QHBoxLayout;
    v_pPbxProgress = new TProgressBox(pPanel, v_progress);
    pRow->addWidget(v_pPbxProgress, 1);
    v_pLblPercentage = new QLabel(pPanel);
    v_pLblPercentage->setObjectName(QStringLiteral("Lbl_Percentage"));
    v_pLblPercentage->setMinimumWidth(v_pLblPercentage->fontMetrics().horizontalAdvance(QStringLiteral("100%")));
    v_pLblPercentage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pRow->addWidget(v_pLblPercentage);
    pPanelLayout->addLayout(pRow);
    pMain->addWidget(pPanel);
    v_pLblPercentage->setText(QString::fromStdString(v_progress.PercentText()));
}

void TFrm_Busy::Start(const std::string& szTitle, const std::string& szAction, int nSteps) {
    setWindowTitle(QString::fromStdString(TBaseMsg::Translate(szTitle)));
    v_progress.Start();
    v_pTxtMsg->setText(QString::fromStdString(TBusyProgress::TwoLines(TBaseMsg::Translate(szAction))));
    SetTotalActions(nSteps);
}

void TFrm_Busy::Close() {
    v_progress.Stop();
    hide();
}

void TFrm_Busy::SetTotalActions(int nr) {
    v_progress.SetTotalActions(nr);
    Refresh();
}

void TFrm_Busy::IncActionNr() {
    v_progress.IncActionNr();
    Refresh();
}

void TFrm_Busy::SetActionString(const std::string& szStr) {
    v_pTxtMsg->setText(QString::fromStdString(TBusyProgress::TwoLines(szStr)));
    Refresh();
}

void TFrm_Busy::Refresh() {
    v_pLblPercentage->setText(QString::fromStdString(v_progress.PercentText()));
    if (!isVisible() && v_progress.DueToShow()) show();
    if (!isVisible()) return;
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace brumalis::dialogs::ui
