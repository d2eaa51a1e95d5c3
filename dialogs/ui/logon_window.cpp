#include "dialogs/ui/logon_window.h"

#include <QtCore/QPointer>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace brumalis::dialogs::ui {

namespace {

QLineEdit* AddField(QWidget* pOwner, QFormLayout* pForm, const char* szLabelName, const char* szCaption,
                    const char* szEditName) {
    auto* pLabel = new QLabel(QString::fromLatin1(szCaption), pOwner);
    pLabel->setObjectName(QString::fromLatin1(szLabelName));
    auto* pEdit = new QLineEdit(pOwner);
    pEdit->setObjectName(QString::fromLatin1(szEditName));
    pLabel->setBuddy(pEdit);
    pForm->addRow(pLabel, pEdit);
    return pEdit;
}

QPushButton* AddButton(QWidget* pOwner, QBoxLayout* pRow, const char* szName, const char* szCaption) {
    auto* pButton = new QPushButton(QString::fromLatin1(szCaption), pOwner);
    pButton->setObjectName(QString::fromLatin1(szName));
    pRow->addWidget(pButton);
    return pButton;
}

}  // namespace

TFrm_Logon::TFrm_Logon(QWidget* pOwner, bool bReadOnly) : TBasicDialog(pOwner, bReadOnly) {
    setObjectName(QStringLiteral("Frm_Logon"));
    setWindowTitle(QStringLiteral("Logon"));
    auto* pMain = new QVBoxLayout(this);
    auto* pForm = new QFormLayout;
    pMain->addLayout(pForm);
    v_pEdName = AddField(this, pForm, "Lbl_Name", "User &name", "Ed_Name");
    v_pEdPassword = AddField(this, pForm, "Lbl_Password", "&Password", "Ed_Password");
    v_pEdPassword->setEchoMode(QLineEdit::Password);
    v_pEdName->setMinimumWidth(v_pEdName->fontMetrics().averageCharWidth() * 30);
    auto* pRow = new QHBoxLayout;
    pRow->addStretch(1);
    QPushButton* pOK = AddButton(this, pRow, "Btn_OK", "&OK");
    QPushButton* pCancel = AddButton(this, pRow, "Btn_Cancel", "&Cancel");
    pOK->setDefault(true);
    pMain->addLayout(pRow);
    connect(pOK, &QPushButton::clicked, this, &TBasicDialog::Btn_OKClick);
    connect(pCancel, &QPushButton::clicked, this, &TBasicDialog::Btn_CancelClick);
}

bool TFrm_Logon::LogOn() {
    v_loggedOn = Execute() == 1;
    return v_loggedOn;
}

std::string TFrm_Logon::GetName() const { return v_loggedOn ? v_pEdName->text().toStdString() : std::string(); }

std::string TFrm_Logon::GetPassword() const {
    return v_loggedOn ? v_pEdPassword->text().toStdString() : std::string();
}

void TFrm_Logon::showEvent(QShowEvent* pEvent) {
    TBasicDialog::showEvent(pEvent);
    v_pEdName->setFocus(Qt::OtherFocusReason);
}

CTLogonDialog LogonDialog(QWidget* pOwner) {
    // The factory keeps the dialog longer than a window may live.
    return [pOwner = QPointer<QWidget>(pOwner)](std::string& szUserName, std::string& szPassword) {
        const auto pLogon = TBasicDialog::Create<TFrm_Logon>(pOwner, false);
        const bool bLoggedOn = pLogon->LogOn();
        szUserName = pLogon->GetName();
        szPassword = pLogon->GetPassword();
        return bLoggedOn;
    };
}

}  // namespace brumalis::dialogs::ui
