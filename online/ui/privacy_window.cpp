#include "online/ui/privacy_window.h"

#include <QtGui/QTextDocument>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QVBoxLayout>

#include "documents/ui/text_document_output.h"
#include "online/privacy_notice.h"
#include "online/ui/single_page.h"
#include "online/upgrade_texts.h"

namespace brumalis::online::ui {
namespace {

using T = TUpgradeText;

QString Q(T id) { return QString::fromStdString(UpgradeText(id)); }

// Not auto-exclusive, so that Tab reaches both answers while neither is
// chosen; the window keeps them exclusive itself.
QRadioButton* AnswerButton(QWidget* pParent, const char* szName, T caption) {
    auto* pButton = new QRadioButton(Q(caption), pParent);
    pButton->setObjectName(QString::fromLatin1(szName));
    pButton->setAutoExclusive(false);
    return pButton;
}

}  // namespace

int TFrm_Privacy::Show(QWidget* pOwner, const std::string& szProgramName,
                       const std::vector<TNoticeParagraph>& paragraphs) {
    return Create<TFrm_Privacy>(pOwner, false, szProgramName, paragraphs)->Execute();
}

TFrm_Privacy::TFrm_Privacy(QWidget* pOwner, bool bReadOnly, const std::string& szProgramName,
                           const std::vector<TNoticeParagraph>& paragraphs)
    : TBasicDialog(pOwner, bReadOnly) {
    setObjectName(QStringLiteral("Frm_Privacy"));
    setWindowTitle(Q(T::NoticeCaption));
    const TSinglePage page = AddSinglePage(this, "Notice", Q(T::NoticePage));
    QWidget* pPage = page.pPage;
    QVBoxLayout* pPageLayout = page.pLayout;
    v_pMmoNotice = new QTextEdit(pPage);
    v_pMmoNotice->setObjectName(QStringLiteral("Mmo_Notice"));
    v_pMmoNotice->setReadOnly(true);
    docui::CTTextDocumentOutput out(*v_pMmoNotice->document(), szProgramName, devicePixelRatioF(), palette());
    WritePrivacyNotice(out, paragraphs);
    v_pMmoNotice->moveCursor(QTextCursor::Start);
    // Wide enough for a comfortable line, high enough to read the notice without scrolling much.
    const QFontMetrics metrics(v_pMmoNotice->font());
    v_pMmoNotice->setMinimumSize(metrics.averageCharWidth() * 70, metrics.lineSpacing() * 18);
    pPageLayout->addWidget(v_pMmoNotice, 1);
    v_pRbAccept = AnswerButton(pPage, "Rb_Accept", T::NoticeAccept);
    v_pRbNotAccept = AnswerButton(pPage, "Rb_NotAccept", T::NoticeNotAccept);
    pPageLayout->addWidget(v_pRbAccept);
    pPageLayout->addWidget(v_pRbNotAccept);
    page.pBottom->UseOKOnly(false);
    v_pBtnContinue = page.pBottom->OkButton();
    v_pBtnContinue->setText(Q(T::NoticeContinue));
    v_pBtnContinue->setEnabled(false);
    // The bottom panel's OK would close with 1 whatever was chosen.
    disconnect(v_pBtnContinue, &QPushButton::clicked, nullptr, nullptr);
    connect(v_pBtnContinue, &QPushButton::clicked, this, &TFrm_Privacy::ContinueClick);
    const auto choose = [this](QRadioButton* pChosen, QRadioButton* pOther) {
        connect(pChosen, &QRadioButton::clicked, this, [this, pChosen, pOther] {
            pChosen->setChecked(true);
            pOther->setChecked(false);
            v_pBtnContinue->setEnabled(true);
        });
    };
    choose(v_pRbAccept, v_pRbNotAccept);
    choose(v_pRbNotAccept, v_pRbAccept);
}

void TFrm_Privacy::ContinueClick() { DoCloseWindow(v_pRbAccept->isChecked() ? 1 : 2); }

}  // namespace brumalis::online::ui
