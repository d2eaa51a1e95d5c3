#include "online/ui/upgrade_frame.h"

#include <cstdlib>

#include <QtCore/QCoreApplication>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/ui/basic_dialog.h"
#include "dialogs/ui/dialog_parent.h"
#include "dialogs/ui/message_presenter.h"
#include "online/ui/privacy_window.h"
#include "online/upgrade_texts.h"

namespace brumalis::online::ui {
namespace {

using T = TUpgradeText;

constexpr int kListRows = 8;
constexpr int kListChars = 70;

QString Q(const std::string& sz) { return QString::fromStdString(sz); }

QLabel* NamedLabel(QWidget* pParent, const char* szName, const QString& szText) {
    auto* pLabel = new QLabel(szText, pParent);
    pLabel->setObjectName(QString::fromLatin1(szName));
    return pLabel;
}

QPushButton* NamedButton(QWidget* pParent, const char* szName, T caption, const char* szHint) {
    auto* pButton = new QPushButton(Q(UpgradeText(caption)), pParent);
    pButton->setObjectName(QString::fromLatin1(szName));
    pButton->setToolTip(QString::fromLatin1(szHint));
    pButton->setStatusTip(pButton->toolTip());
    return pButton;
}

dialogs::TMsgDlgType TypeOf(TUpgradeMessageKind kind) {
    switch (kind) {
        case TUpgradeMessageKind::Warning: return dialogs::mtWarning;
        case TUpgradeMessageKind::Error: return dialogs::mtError;
        case TUpgradeMessageKind::Hint: break;
    }
    return dialogs::mtInformation;
}

// The frame's messages are free texts, shown in the framework's windows.
std::optional<dialogs::TMsgDlgBtn> ShowFreeText(QWidget* pOwner, dialogs::TMsgDlgType type,
                                                dialogs::TMsgDlgButtons buttons, const std::string& szText) {
    dialogs::ui::TQtMessagePresenter presenter;
    return presenter.ShowMessageWindow(dialogs::ui::ToDialogParent(pOwner),
                                       dialogs::TMessageWindowModel(type, buttons, szText));
}

}  // namespace

TFrmAutoUpgrade::TFrmAutoUpgrade(QWidget* pParent, const TUpgradeSeams& seams, std::function<void()> closeWithCancel)
    : QWidget(pParent),
      v_model(std::make_unique<online::TFrmAutoUpgrade>(
          *this, seams.environment ? seams.environment() : TUpgradeEnvironment::Running())),
      v_endProgram(seams.endProgram),
      v_closeWithCancel(std::move(closeWithCancel)) {
    setObjectName(QStringLiteral("FrmAutoUpgrade"));
    auto* pMain = new QVBoxLayout(this);
    pMain->setContentsMargins(0, 0, 0, 0);
    auto* pGrid = new QGridLayout;
    BuildIdentity(pGrid);
    pMain->addLayout(pGrid);
    auto* pButtons = new QHBoxLayout;
    v_pBtnCheck = NamedButton(this, "Btn_CheckVersions", T::CheckVersions,
                              "Ask the download server which versions are available");
    v_pBtnDownload = NamedButton(this, "Btn_Download", T::Download,
                                 "Download the selected version and restart the program with it");
    pButtons->addWidget(v_pBtnCheck);
    pButtons->addWidget(v_pBtnDownload);
    pButtons->addStretch(1);
    pMain->addLayout(pButtons);
    v_pStack = new QStackedWidget(this);
    v_pStack->addWidget(BuildListPage());
    v_pStack->addWidget(BuildProgressPage());
    pMain->addWidget(v_pStack, 1);
    connect(v_pBtnCheck, &QPushButton::clicked, this, [this] { v_model->Btn_CheckVersionsClick(); });
    connect(v_pBtnDownload, &QPushButton::clicked, this, [this] { v_model->Btn_DownloadClick(); });
    SetDownloadEnabled(false);
}

void TFrmAutoUpgrade::BuildIdentity(QGridLayout* pGrid) {
    static constexpr struct {
        const char* szCaptionName;
        const char* szValueName;
        T caption;
    } kRows[] = {{"Lbl_CServer", "Lbl_Server", T::CServer},
                 {"Lbl_CProgram", "Lbl_Program", T::CProgram},
                 {"Lbl_CLanguage", "Lbl_Language", T::CLanguage},
                 {"Lbl_CConfig", "Lbl_Config", T::CConfig},
                 {"Lbl_CDbVersion", "Lbl_DbVersion", T::CDbVersion}};
    int nRow = 0;
    for (const auto& row : kRows) {
        pGrid->addWidget(NamedLabel(this, row.szCaptionName, Q(UpgradeText(row.caption))), nRow, 0);
        v_values[nRow] = NamedLabel(this, row.szValueName, QString());
        pGrid->addWidget(v_values[nRow], nRow, 1);
        ++nRow;
    }
    pGrid->setColumnStretch(1, 1);
}

QWidget* TFrmAutoUpgrade::BuildListPage() {
    auto* pPage = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->setContentsMargins(0, 0, 0, 0);
    v_pLblAvailVersions = NamedLabel(pPage, "Lbl_AvailVersions", Q(UpgradeText(T::AvailVersions)));
    v_pLvwAvailable = new QTreeWidget(pPage);
    v_pLvwAvailable->setObjectName(QStringLiteral("Lvw_Available"));
    v_pLvwAvailable->setRootIsDecorated(false);
    v_pLvwAvailable->setAllColumnsShowFocus(true);
    v_pLvwAvailable->setHeaderLabels({Q(UpgradeText(T::ColVersion)), Q(UpgradeText(T::ColLanguage)),
                                      Q(UpgradeText(T::ColConfiguration)), Q(UpgradeText(T::ColDatabase)),
                                      Q(UpgradeText(T::ColSize))});
    v_pLblAvailVersions->setBuddy(v_pLvwAvailable);
    // Room for a few versions and the whole width of the captions before any check.
    v_pLvwAvailable->setMinimumHeight(v_pLvwAvailable->fontMetrics().lineSpacing() * kListRows);
    v_pLvwAvailable->setMinimumWidth(v_pLvwAvailable->fontMetrics().averageCharWidth() * kListChars);
    pLayout->addWidget(v_pLblAvailVersions);
    pLayout->addWidget(v_pLvwAvailable, 1);
    connect(v_pLvwAvailable, &QTreeWidget::itemSelectionChanged, this, &TFrmAutoUpgrade::ListSelectionChanged);
    return pPage;
}

QWidget* TFrmAutoUpgrade::BuildProgressPage() {
    auto* pPage = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->setContentsMargins(0, 0, 0, 0);
    v_pLblProgress = NamedLabel(pPage, "Lbl_Progress", QString());
    v_pCtlProgress = new QProgressBar(pPage);
    v_pCtlProgress->setObjectName(QStringLiteral("Ctl_Progress"));
    v_pCtlProgress->setRange(0, online::TFrmAutoUpgrade::kProgressMax);
    pLayout->addWidget(v_pLblProgress);
    pLayout->addWidget(v_pCtlProgress);
    pLayout->addStretch(1);
    return pPage;
}

void TFrmAutoUpgrade::InitializeFrame(bool bWarnUnsaved) {
    v_model->InitializeFrame(bWarnUnsaved);
    const TUpgradeLabels& labels = v_model->Labels();
    const std::string* values[] = {&labels.szServer, &labels.szProgram, &labels.szLanguage, &labels.szConfig,
                                   &labels.szDbVersion};
    for (int i = 0; i < 5; ++i) v_values[i]->setText(Q(*values[i]));
    v_model->CheckEnabling();
}

bool TFrmAutoUpgrade::ProgressShown() const { return v_pStack->currentIndex() == 1; }

void TFrmAutoUpgrade::ListSelectionChanged() {
    const QList<QTreeWidgetItem*> selected = v_pLvwAvailable->selectedItems();
    std::optional<std::size_t> index;
    if (!selected.isEmpty()) {
        const int n = v_pLvwAvailable->indexOfTopLevelItem(selected.front());
        if (n >= 0) index = static_cast<std::size_t>(n);
    }
    v_model->Lvw_AvailableClick(index);
}

void TFrmAutoUpgrade::ShowMessage(TUpgradeMessageKind kind, const std::string& szText) {
    ShowFreeText(this, TypeOf(kind), {dialogs::mbOK}, szText);
}

bool TFrmAutoUpgrade::AskYesNo(const std::string& szQuestion) {
    return ShowFreeText(this, dialogs::mtConfirmation, {dialogs::mbYes, dialogs::mbNo}, szQuestion) ==
           dialogs::mbYes;
}

bool TFrmAutoUpgrade::ShowNotice(const std::string& szProgramName, const std::vector<TNoticeParagraph>& paragraphs) {
    return TFrm_Privacy::Show(this, szProgramName, paragraphs) == 1;
}

void TFrmAutoUpgrade::FillList(const std::vector<TUpgradeListItem>& items) {
    // Selection signals while refilling would reach the model with rows it no longer has.
    const QSignalBlocker block(v_pLvwAvailable);
    v_pLvwAvailable->clear();
    for (const TUpgradeListItem& item : items) {
        QStringList cells{Q(item.szCaption)};
        for (const std::string& sz : item.subItems) cells << Q(sz);
        v_pLvwAvailable->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    dialogs::ui::TBasicDialog::CalculateListColumnWidths(v_pLvwAvailable, 0);
    // The window grows to show every column whole.
    int nWidth = 2 * v_pLvwAvailable->frameWidth() + v_pLvwAvailable->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < v_pLvwAvailable->columnCount(); ++c) nWidth += v_pLvwAvailable->columnWidth(c);
    v_pLvwAvailable->setMinimumWidth(nWidth);
}

void TFrmAutoUpgrade::SetDownloadEnabled(bool bEnabled) { v_pBtnDownload->setEnabled(bEnabled); }

void TFrmAutoUpgrade::SetProgressCaption(const std::string& szCaption) {
    v_pLblProgress->setText(Q(szCaption));
    Repaint();
}

void TFrmAutoUpgrade::SetProgressPosition(int nPosition) {
    v_pCtlProgress->setValue(nPosition);
    Repaint();
}

void TFrmAutoUpgrade::ShowProgress(bool bProgress) {
    v_pStack->setCurrentIndex(bProgress ? 1 : 0);
    v_pBtnCheck->setEnabled(!bProgress);
    if (bProgress) v_pBtnDownload->setEnabled(false);
    Repaint();
}

void TFrmAutoUpgrade::Repaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFrmAutoUpgrade::CloseWithCancel() {
    if (v_closeWithCancel) v_closeWithCancel();
}

void TFrmAutoUpgrade::EndProgram() {
    CloseWithCancel();
    if (v_endProgram) {
        v_endProgram();
        return;
    }
    // The updater waits for this process to go before it replaces the file.
    std::_Exit(0);
}

}  // namespace brumalis::online::ui
