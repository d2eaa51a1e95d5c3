#include "dialogs/ui/message_windows.h"

#include <QtGui/QIcon>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/messages.h"
#include "dialogs/ui/dialog_parent.h"
#include "dialogs/ui/numeric_edit.h"

namespace brumalis::dialogs::ui {

namespace {

QString Text(const std::string& sz) { return QString::fromStdString(sz); }

// No title-bar buttons; a window manager may still add a close button.
constexpr Qt::WindowFlags kMessageFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

QStyle::StandardPixmap IconOf(TMsgDlgType nType) {
    switch (nType) {
        case mtError:
            return QStyle::SP_MessageBoxCritical;
        case mtConfirmation:
            return QStyle::SP_MessageBoxQuestion;
        case mtWarning:
            return QStyle::SP_MessageBoxWarning;
        case mtInformation:
            break;
    }
    return QStyle::SP_MessageBoxInformation;
}

QPushButton* AddButton(QWidget* pOwner, QBoxLayout* pRow, TMsgDlgBtn btn) {
    auto* pButton = new QPushButton(Text(TBaseMsg::Translate(ButtonCaption(btn))), pOwner);
    pButton->setObjectName(Text(ButtonName(btn)));
    pRow->addWidget(pButton);
    return pButton;
}

// The foot of a window: its buttons from the right edge.
QHBoxLayout* AddButtonRow(QWidget* pOwner, QVBoxLayout* pMain) {
    auto* pFoot = new QWidget(pOwner);
    pFoot->setObjectName(QStringLiteral("Sbx_Bottom"));
    auto* pRow = new QHBoxLayout(pFoot);
    pRow->setContentsMargins(0, 0, 0, 0);
    pRow->addStretch(1);
    pMain->addWidget(pFoot);
    return pRow;
}

// The message text, as wide as a readable line and as high as its lines,
// at most the model's line count; longer texts scroll.
QScrollArea* AddMessageText(QWidget* pOwner, QBoxLayout* pRow, const std::string& szText) {
    auto* pLabel = new QLabel(Text(szText));
    pLabel->setObjectName(QStringLiteral("Lbl_Text"));
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setWordWrap(true);
    pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFontMetrics metrics(pLabel->font());
    const int nWidth = qBound(metrics.averageCharWidth() * 30,
                              metrics.boundingRect(QRect(0, 0, 100000, 1000), 0, pLabel->text()).width(),
                              metrics.averageCharWidth() * 70);
    const int nMaxHeight = metrics.lineSpacing() * TMessageWindowModel::kMaxVisibleLines;
    pLabel->setFixedWidth(nWidth);
    pLabel->setFixedHeight(pLabel->heightForWidth(nWidth));

    auto* pArea = new QScrollArea(pOwner);
    pArea->setObjectName(QStringLiteral("Txt_Message"));
    pArea->setFrameShape(QFrame::NoFrame);
    pArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pArea->setWidget(pLabel);
    const bool bScrolls = pLabel->height() > nMaxHeight;
    pArea->setFixedSize(nWidth + (bScrolls ? pArea->verticalScrollBar()->sizeHint().width() : 0),
                        qMin(pLabel->height(), nMaxHeight));
    // Beside the icon, whatever width the buttons give the window.
    pRow->addWidget(pArea, 0, Qt::AlignLeft | Qt::AlignTop);
    pRow->addStretch(1);
    return pArea;
}

}  // namespace

TMessageWindow::TMessageWindow(QWidget* pParent, const TMessageWindowModel& model)
    : QDialog(pParent, kMessageFlags), v_model(model) {
    setObjectName(QStringLiteral("TBaseMsg"));
    setWindowTitle(Text(v_model.Title()));
    auto* pMain = new QVBoxLayout(this);
    pMain->setSizeConstraint(QLayout::SetFixedSize);
    auto* pTop = new QHBoxLayout;
    pMain->addLayout(pTop);
    if (v_model.HasIcon()) {
        auto* pIcon = new QLabel(this);
        pIcon->setObjectName(QStringLiteral("Img_Icon"));
        const int nSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        pIcon->setPixmap(style()->standardIcon(IconOf(v_model.Type()), nullptr, this).pixmap(nSize, nSize));
        pIcon->setAlignment(Qt::AlignTop);
        pTop->addWidget(pIcon);
    }
    v_pTxtMessage = AddMessageText(this, pTop, v_model.Text());

    QHBoxLayout* pRow = AddButtonRow(this, pMain);
    for (const TMsgDlgBtn btn : v_model.ButtonsLeftToRight()) {
        QPushButton* pButton = AddButton(this, pRow, btn);
        connect(pButton, &QPushButton::clicked, this, [this, btn] { Finish(btn); });
    }
    if (const std::vector<QPushButton*> buttons = Buttons(); !buttons.empty()) {
        buttons.front()->setDefault(true);
        buttons.front()->setFocus();
    }
}

void TMessageWindow::reject() {
    if (const std::optional<TMsgDlgBtn> btn = v_model.EscapeButton()) Finish(*btn);
}

QPushButton* TMessageWindow::Button(TMsgDlgBtn btn) const {
    return findChild<QPushButton*>(Text(ButtonName(btn)));
}

std::vector<QPushButton*> TMessageWindow::Buttons() const {
    std::vector<QPushButton*> buttons;
    for (const TMsgDlgBtn btn : v_model.ButtonsLeftToRight()) buttons.push_back(Button(btn));
    return buttons;
}

void TMessageWindow::Finish(TMsgDlgBtn btn) {
    v_answer = btn;
    done(ResultCodeOf(btn));
}

TInputWindow::TInputWindow(QWidget* pParent, TInputWindowModel& model)
    : QDialog(pParent, kMessageFlags), v_model(model) {
    setObjectName(QStringLiteral("TBaseMsg"));
    setWindowTitle(Text(v_model.Title()));
    auto* pMain = new QVBoxLayout(this);
    auto* pTop = new QHBoxLayout;
    pMain->addLayout(pTop);
    auto* pPrompt = new QLabel(Text(v_model.Prompt()), this);
    pPrompt->setObjectName(QStringLiteral("Txt_Message"));
    pPrompt->setTextFormat(Qt::PlainText);
    pTop->addWidget(pPrompt);
    v_pTxtEdit = new QLineEdit(Text(v_model.Text()), this);
    v_pTxtEdit->setObjectName(QStringLiteral("Txt_Edit"));
    v_pTxtEdit->setMinimumWidth(QFontMetrics(v_pTxtEdit->font()).averageCharWidth() * 30);
    pPrompt->setBuddy(v_pTxtEdit);
    pTop->addWidget(v_pTxtEdit, 1);
    if (v_model.Options().bNumericOnly) AttachNumericEdit(v_pTxtEdit);

    QHBoxLayout* pRow = AddButtonRow(this, pMain);
    v_pBtnOK = AddButton(this, pRow, mbOK);
    v_pBtnCancel = AddButton(this, pRow, mbCancel);
    v_pBtnOK->setDefault(true);
    connect(v_pBtnOK, &QPushButton::clicked, this, &TInputWindow::Confirm);
    connect(v_pBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(v_pTxtEdit, &QLineEdit::textChanged, this, [this](const QString& szText) {
        v_model.Edit(szText.toStdString());
        v_pBtnOK->setEnabled(v_model.OkEnabled());
    });
    v_pBtnOK->setEnabled(v_model.OkEnabled());
    v_pTxtEdit->selectAll();
    v_pTxtEdit->setFocus();
}

void TInputWindow::Confirm() {
    if (!v_model.OkEnabled()) return;
    if (const std::optional<TInputRefusal> refusal = v_model.Refusal()) {
        TBaseMsg::DisplayError(ToDialogParent(this), refusal->nMsgNr, refusal->params);
        v_pTxtEdit->selectAll();
        v_pTxtEdit->setFocus();
        return;
    }
    accept();
}

}  // namespace brumalis::dialogs::ui
