#include "online/ui/upgrade_hint_window.h"

#include <algorithm>

#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/ui/bottom_panel.h"
#include "online/ui/upgrade_dialog.h"
#include "online/upgrade_hint.h"

namespace brumalis::online::ui {
namespace {

QString Q(const std::string& sz) { return QString::fromStdString(sz); }

constexpr int kMemoWidthChars = 60;

}  // namespace

int TFrmAutoUpgradeHint::Show(QWidget* pOwner, const std::string& szAppTitle, const TUpgradeSeams& seams) {
    return Create<TFrmAutoUpgradeHint>(pOwner, false, szAppTitle, seams)->Execute();
}

TFrmAutoUpgradeHint::TFrmAutoUpgradeHint(QWidget* pOwner, bool bReadOnly, const std::string& szAppTitle,
                                         TUpgradeSeams seams)
    : TBasicDialog(pOwner, bReadOnly), v_seams(std::move(seams)) {
    const TWelcomeTexts texts = online::TFrmAutoUpgradeHint::WelcomeTexts(szAppTitle);
    setObjectName(QStringLiteral("FrmAutoUpgradeHint"));
    setWindowTitle(Q(texts.szCaption));
    auto* pMain = new QVBoxLayout(this);
    auto* pTop = new QHBoxLayout;
    auto* pIcon = new QLabel(this);
    pIcon->setObjectName(QStringLiteral("Img_Icon"));
    const int nIcon = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    pIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(nIcon, nIcon));
    pIcon->setAlignment(Qt::AlignTop);
    pTop->addWidget(pIcon, 0, Qt::AlignTop);
    auto* pText = new QVBoxLayout;
    auto* pWelcome = new QLabel(Q(texts.szWelcome), this);
    pWelcome->setObjectName(QStringLiteral("Lbl_Welcome"));
    QFont bold = pWelcome->font();
    bold.setBold(true);
    pWelcome->setFont(bold);
    pText->addWidget(pWelcome);
    v_pMmoText = new QPlainTextEdit(this);
    v_pMmoText->setObjectName(QStringLiteral("Mmo_Text"));
    v_pMmoText->setReadOnly(true);
    v_pMmoText->setFrameShape(QFrame::NoFrame);
    v_pMmoText->setFocusPolicy(Qt::NoFocus);
    v_pMmoText->viewport()->setAutoFillBackground(false);
    QStringList lines;
    for (const std::string& sz : texts.lines) lines << Q(sz);
    v_pMmoText->setPlainText(lines.join(QLatin1Char('\n')));
    pText->addWidget(v_pMmoText);
    pTop->addLayout(pText, 1);
    pMain->addLayout(pTop);

    v_pChbShowAtStartup = new QCheckBox(Q(texts.szShowAtStartup), this);
    v_pChbShowAtStartup->setObjectName(QStringLiteral("Chb_ShowAtStartup"));
    v_pChbShowAtStartup->setChecked(true);
    pMain->addWidget(v_pChbShowAtStartup);
    auto* pButtons = new QHBoxLayout;
    v_pBtnUpdate = new QPushButton(Q(texts.szLookNow), this);
    v_pBtnUpdate->setObjectName(QStringLiteral("Btn_Update"));
    pButtons->addWidget(v_pBtnUpdate);
    pButtons->addStretch(1);
    pMain->addLayout(pButtons);
    auto* pBottom = new dialogs::ui::TFraBottomPanelExt(this);
    pBottom->UseOKOnly(false);
    pBottom->OkButton()->setText(Q(texts.szOK));
    pMain->addWidget(pBottom);
    connect(v_pBtnUpdate, &QPushButton::clicked, this, &TFrmAutoUpgradeHint::UpdateClick);
    FitMemo();
}

void TFrmAutoUpgradeHint::FitMemo() {
    const QFontMetrics metrics(v_pMmoText->font());
    const int nTextWidth = metrics.averageCharWidth() * kMemoWidthChars;
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, nTextWidth, 1 << 20), Qt::TextWordWrap,
                                               v_pMmoText->toPlainText());
    const int nLines = std::clamp(wrapped.height() / std::max(metrics.lineSpacing(), 1), 1, kMaxMemoLines);
    const int nMargins = static_cast<int>(2 * v_pMmoText->document()->documentMargin()) + 2 * v_pMmoText->frameWidth();
    // A few pixels spare so that rounding in the layout never wraps a line more.
    v_pMmoText->setFixedWidth(nTextWidth + nMargins + metrics.averageCharWidth());
    v_pMmoText->setFixedHeight(nLines * metrics.lineSpacing() + nMargins);
    v_pMmoText->setVerticalScrollBarPolicy(wrapped.height() > nLines * metrics.lineSpacing() ? Qt::ScrollBarAsNeeded
                                                                                             : Qt::ScrollBarAlwaysOff);
}

bool TFrmAutoUpgradeHint::ValidateOK() {
    online::TFrmAutoUpgradeHint::WriteUpdateHint(v_pChbShowAtStartup->isChecked());
    return true;
}

void TFrmAutoUpgradeHint::UpdateClick() {
    online::TFrmAutoUpgradeHint::WriteUpdateHint(v_pChbShowAtStartup->isChecked());
    DoCloseWindow(OpenUpgradeDialog(this, true, v_seams));
}

}  // namespace brumalis::online::ui
