// The upgrade's windows against the test web service on 127.0.0.1: the
// dialog's list and download, the notice a reporting server asks for, the
// reminder choice, and the window checks in both languages.
#include <gtest/gtest.h>

#include <optional>

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QTreeWidget>

#include "dialogs/message_window.h"
#include "dialogs/messages.h"
#include "localisation/ui/widget_translation.h"
#include "online/ui/privacy_window.h"
#include "online/ui/upgrade_dialog.h"
#include "online/ui/upgrade_hint_window.h"
#include "online/upgrade_hint.h"
#include "online/upgrade_texts.h"
#include "tests/ui_check/ui_check.h"
#include "tests/ui_support/gui_test_support.h"
#include "upgrade_fixture.h"

namespace brumalis::online::testing {
namespace {

using test::Child;
using test::WhenModalShown;
namespace check = brumalis::testing::ui;

// The window checks; the Russian window may show the maker's name, which
// stays Latin in Russian too.
void ExpectWindowPasses(QWidget& window, bool bRussian) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (bRussian) {
        EXPECT_EQ(check::LatinTexts(window, {"Orvane"}), std::vector<std::string>{});
    }
    EXPECT_EQ(check::TabOrderProblems(window), std::vector<std::string>{});
    EXPECT_EQ(check::SizeProblems(window), std::vector<std::string>{});
    window.close();
}

const std::string kUpdaterBytes = std::string("#!updater\n") + std::string(1500, 'u');
// 3 460 000 bytes, which the list shows as 3.3MB.
const std::string kProgramBytes = std::string("\x7F" "ELF new build\n") + std::string(3460000 - 14, 'p');
const std::int64_t kListedSize = static_cast<std::int64_t>(kProgramBytes.size());

// The text of the message window on screen.
std::string MessageText(QWidget* pWindow) {
    const auto* pLabel = Child<QLabel>(pWindow, "Lbl_Text");
    return pLabel ? pLabel->text().toStdString() : std::string("<no message window>");
}

void Press(QWidget* pWindow, dialogs::TMsgDlgBtn btn) {
    auto* pButton = Child<QPushButton>(pWindow, dialogs::ButtonName(btn).c_str());
    ASSERT_NE(pButton, nullptr) << dialogs::ButtonName(btn);
    pButton->click();
}

class UpgradeWindows : public OnlineTest {
protected:
    void SetUp() override {
        OnlineTest::SetUp();
        m_pPublished = std::make_unique<CTPublishedFiles>(m_scratch);
        m_pService = std::make_unique<CTTestWebService>([this](const TRecordedRequest& r) {
            if (m_bStallProgram && r.szTarget.find("file=ru/Brumalis-335") != std::string::npos &&
                r.szTarget.find(".sig") == std::string::npos)
                return TScriptedAnswer{200, kProgramBytes, TAnswerMode::StallInBody, 100, {}};
            return m_pPublished->Answer(r);
        });
        UseService(*m_pService);
        std::filesystem::create_directory(m_scratch / "staging");
        std::filesystem::create_directory(m_scratch / "bin");
        WriteFile(m_scratch / "machine-id", "0123456789abcdef0123456789abcdef\n");
        WriteFile(m_scratch / "os-release", "NAME=Test\n");
        auto& p = *m_pPublished;
        p.szList = ListLine("Updater.exe", "0", "", 1033, "0", "tools\\Updater.exe", kUpdaterBytes.size()) +
                   ListLine("Brumalis", "3.3.5", "", 1033, "3.3.5", "en\\Brumalis-335", kListedSize) +
                   ListLine("Brumalis", "3.3.5", "", 1049, "3.3.5", "ru\\Brumalis-335", kListedSize);
        p.Publish("Updater.exe", kUpdaterBytes, {"Updater.exe", 0, "", 0, 0, 0});
        p.Publish("ru/Brumalis-335", kProgramBytes, {"ru/Brumalis-335", 335, "", 1049, 335, 0});
        m_env.nVersion = 334;
        m_env.nLanguage = 1049;
        m_env.nServer = 1;
        m_env.szAppTitle = "Brumalis";
        m_env.szProgramPath = m_scratch / "bin/Brumalis";
        m_env.szDataVersion = "EU 3.3.4";
        m_env.publicKeys = {p.key.szPublic};
        m_env.szStagingBase = m_scratch / "staging";
        m_env.reportSources = {"ru_RU.UTF-8", m_scratch / "machine-id", m_scratch / "os-release", "ana"};
        m_env.usageCount = [] { return 3; };
        m_env.handOver = [this](const THandOver&) { return ++m_nHandOvers, true; };
        online::TFrmAutoUpgradeHint::ApplicationStartupActions("Brumalis", "Software\\Test", "", {"no hint"}, {});
        // A window no script expected fails the test instead of hanging it.
        QObject::connect(&m_watch, &QTimer::timeout, [this] {
            QWidget* pModal = QApplication::activeModalWidget();
            if (pModal == nullptr || pModal != m_pLastModal) {
                m_pLastModal = pModal;
                return;
            }
            ADD_FAILURE() << "unexpected window " << pModal->objectName().toStdString() << ": " << MessageText(pModal);
            pModal->close();
        });
        m_watch.start(3000);
    }

    ui::TUpgradeSeams Seams() {
        return {[this] { return m_env; }, [this] { ++m_nEnds; }};
    }
    std::unique_ptr<ui::TFrmUpgrade> Dialog(bool bAtStartup) {
        return dialogs::ui::TBasicDialog::Create<ui::TFrmUpgrade>(nullptr, false, bAtStartup, Seams());
    }

    std::unique_ptr<CTPublishedFiles> m_pPublished;
    std::unique_ptr<CTTestWebService> m_pService;
    TUpgradeEnvironment m_env;
    QTimer m_watch;
    QWidget* m_pLastModal = nullptr;
    bool m_bStallProgram = false;
    int m_nHandOvers = 0;
    int m_nEnds = 0;
};

TEST_F(UpgradeWindows, CheckFillsTheFiveColumnsAndDownloadNeedsASelection) {
    const auto pDialog = Dialog(true);
    ui::TFrmAutoUpgrade& frame = *pDialog->Frame();
    EXPECT_EQ(Child<QLabel>(&frame, "Lbl_Server")->text().toStdString(), UpgradeText(TUpgradeText::Server1));
    EXPECT_EQ(Child<QLabel>(&frame, "Lbl_DbVersion")->text().toStdString(), "3.3.4");
    EXPECT_FALSE(frame.DownloadButton()->isEnabled());
    frame.CheckButton()->click();
    QTreeWidget* pList = frame.List();
    ASSERT_EQ(pList->topLevelItemCount(), 1);
    ASSERT_EQ(pList->columnCount(), 5);
    const QTreeWidgetItem* pItem = pList->topLevelItem(0);
    EXPECT_EQ(pItem->text(0).toStdString(), "Brumalis 3.3.5");
    EXPECT_EQ(pItem->text(2).toStdString(), "<default>");
    EXPECT_EQ(pItem->text(3).toStdString(), "3.3.5");
    EXPECT_EQ(pItem->text(4).toStdString(), "3.3MB");
    // Every column at least as wide as what it shows.
    for (int c = 0; c < 5; ++c)
        EXPECT_GE(pList->columnWidth(c), pList->fontMetrics().horizontalAdvance(pItem->text(c))) << c;
    EXPECT_FALSE(frame.DownloadButton()->isEnabled());
    pList->setCurrentItem(pList->topLevelItem(0));
    EXPECT_TRUE(frame.DownloadButton()->isEnabled());
    pList->clearSelection();
    EXPECT_FALSE(frame.DownloadButton()->isEnabled());
    // A second check replaces the rows instead of adding to them.
    frame.CheckButton()->click();
    EXPECT_EQ(pList->topLevelItemCount(), 1);
}

TEST_F(UpgradeWindows, AStalledDownloadShowsItsErrorWhileTheBarStandsThenTheListAgain) {
    m_bStallProgram = true;
    const auto pDialog = Dialog(true);
    ui::TFrmAutoUpgrade& frame = *pDialog->Frame();
    frame.CheckButton()->click();
    frame.List()->setCurrentItem(frame.List()->topLevelItem(0));
    std::string szShown;
    bool bProgressWhileError = false;
    WhenModalShown([&](QWidget* pWindow) {
        szShown = MessageText(pWindow);
        bProgressWhileError = frame.ProgressShown() && !frame.CheckButton()->isEnabled();
        Press(pWindow, dialogs::mbOK);
    });
    frame.DownloadButton()->click();
    EXPECT_EQ(szShown, UpgradeText(TUpgradeText::ErrDownload));
    EXPECT_TRUE(bProgressWhileError);
    EXPECT_FALSE(frame.ProgressShown());
    EXPECT_EQ(frame.List()->topLevelItemCount(), 1);
    EXPECT_TRUE(frame.CheckButton()->isEnabled());
    EXPECT_TRUE(frame.DownloadButton()->isEnabled());
    EXPECT_EQ(m_nHandOvers, 0);
    EXPECT_EQ(m_nEnds, 0);
}

TEST_F(UpgradeWindows, ServerZeroShowsTheNoticeWhoseContinueWaitsThenTheHandOverEnds) {
    m_env.nServer = 0;
    const auto pDialog = Dialog(true);
    ui::TFrmAutoUpgrade& frame = *pDialog->Frame();
    frame.CheckButton()->click();
    frame.List()->setCurrentItem(frame.List()->topLevelItem(0));
    bool bContinueAtFirst = true, bContinueAfterChoice = false, bBold = false;
    std::string szNoticeTitle, szFinal;
    WhenModalShown([&](QWidget* pWindow) {
        auto* pNotice = qobject_cast<ui::TFrm_Privacy*>(pWindow);
        ASSERT_NE(pNotice, nullptr);
        szNoticeTitle = pNotice->windowTitle().toStdString();
        bContinueAtFirst = pNotice->ContinueButton()->isEnabled();
        const QString szHtml = pNotice->NoticeText()->toHtml();
        bBold = szHtml.contains(QStringLiteral("font-weight:700")) || szHtml.contains(QStringLiteral("font-weight:600"));
        EXPECT_FALSE(pNotice->NoticeText()->toPlainText().contains(QLatin1String("$1")));
        pNotice->AcceptButton()->click();
        bContinueAfterChoice = pNotice->ContinueButton()->isEnabled();
        WhenModalShown([&](QWidget* pMessage) {
            szFinal = MessageText(pMessage);
            Press(pMessage, dialogs::mbOK);
        });
        pNotice->ContinueButton()->click();
    });
    frame.DownloadButton()->click();
    EXPECT_EQ(szNoticeTitle, "Notice");
    EXPECT_FALSE(bContinueAtFirst);
    EXPECT_TRUE(bContinueAfterChoice);
    EXPECT_TRUE(bBold);
    EXPECT_EQ(szFinal, UpgradeText(TUpgradeText::HinComplete));
    EXPECT_EQ(m_nHandOvers, 1);
    EXPECT_EQ(m_nEnds, 1);
    EXPECT_FALSE(pDialog->isVisible());
}

TEST_F(UpgradeWindows, RefusingTheNoticeOrClosingItDownloadsNothing) {
    m_env.nServer = 10;
    for (const bool bClose : {false, true}) {
        SCOPED_TRACE(bClose ? "closed" : "not accepted");
        const auto pDialog = Dialog(true);
        ui::TFrmAutoUpgrade& frame = *pDialog->Frame();
        frame.CheckButton()->click();
        frame.List()->setCurrentItem(frame.List()->topLevelItem(0));
        WhenModalShown([&](QWidget* pWindow) {
            auto* pNotice = qobject_cast<ui::TFrm_Privacy*>(pWindow);
            ASSERT_NE(pNotice, nullptr);
            if (bClose) {
                pNotice->reject();
                return;
            }
            pNotice->NotAcceptButton()->click();
            pNotice->ContinueButton()->click();
        });
        frame.DownloadButton()->click();
        EXPECT_FALSE(frame.ProgressShown());
    }
    for (const auto& r : m_pService->Requests()) EXPECT_EQ(r.szTarget.find("zorbit_download_file"), std::string::npos);
    EXPECT_EQ(m_nHandOvers, 0);
}

TEST_F(UpgradeWindows, OutsideTheStartTheDownloadFirstAsksAboutUnsavedWork) {
    const auto pDialog = Dialog(false);
    ui::TFrmAutoUpgrade& frame = *pDialog->Frame();
    frame.CheckButton()->click();
    frame.List()->setCurrentItem(frame.List()->topLevelItem(0));
    std::string szAsked;
    WhenModalShown([&](QWidget* pWindow) {
        szAsked = MessageText(pWindow);
        Press(pWindow, dialogs::mbNo);
    });
    pDialog->show();
    frame.DownloadButton()->click();
    EXPECT_EQ(szAsked, UpgradeText(TUpgradeText::QueUnsaved));
    // No closes the dialog with the cancel result, before anything is fetched.
    EXPECT_EQ(pDialog->RetCode(), 2);
    EXPECT_FALSE(pDialog->isVisible());
    for (const auto& r : m_pService->Requests()) EXPECT_EQ(r.szTarget.find("zorbit_download_file"), std::string::npos);
}

TEST_F(UpgradeWindows, TheReminderChoiceIsWrittenOnEachClickAndHintedByItsCaption) {
    online::TFrmAutoUpgradeHint::ApplicationStartupActions("Brumalis", "Software\\Test", "", {"no hint"}, {});
    const auto pDialog = Dialog(false);
    QCheckBox* pBox = pDialog->ShowAtStartup();
    EXPECT_TRUE(pBox->isChecked());
    EXPECT_EQ(pBox->toolTip(), pBox->text());
    pBox->click();
    EXPECT_FALSE(UserHive().ReadBool("Software\\Test", "UpdateHint", true));
    pBox->click();
    EXPECT_TRUE(UserHive().ReadBool("Software\\Test", "UpdateHint", false));
    pBox->click();
    const auto pAgain = Dialog(false);
    EXPECT_FALSE(pAgain->ShowAtStartup()->isChecked());
}

TEST_F(UpgradeWindows, TheHintWritesItsBoxOnOkAndOnTheWayToTheUpgrade) {
    {
        const auto pHint = dialogs::ui::TBasicDialog::Create<ui::TFrmAutoUpgradeHint>(nullptr, false, "Brumalis", Seams());
        EXPECT_EQ(pHint->windowTitle().toStdString(), "Welcome");
        EXPECT_EQ(Child<QLabel>(pHint.get(), "Lbl_Welcome")->text().toStdString(), "Welcome to the Brumalis program.");
        EXPECT_EQ(pHint->Memo()->document()->blockCount(), 5);
        EXPECT_TRUE(pHint->ShowAtStartup()->isChecked());
        // The memo shows every line without a scroll bar.
        EXPECT_EQ(pHint->Memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        pHint->ShowAtStartup()->setChecked(false);
        pHint->Btn_OKClick();
        EXPECT_EQ(pHint->RetCode(), 1);
        EXPECT_FALSE(UserHive().ReadBool("Software\\Test", "UpdateHint", true));
    }
    const auto pHint = dialogs::ui::TBasicDialog::Create<ui::TFrmAutoUpgradeHint>(nullptr, false, "Brumalis", Seams());
    bool bUpgradeAtStartup = false;
    WhenModalShown([&](QWidget* pWindow) {
        auto* pUpgrade = qobject_cast<ui::TFrmUpgrade*>(pWindow);
        ASSERT_NE(pUpgrade, nullptr);
        // Written before the dialog opened, so the dialog shows it.
        bUpgradeAtStartup = pUpgrade->ShowAtStartup()->isChecked();
        pUpgrade->Btn_CancelClick();
    });
    pHint->show();
    pHint->UpdateButton()->click();
    EXPECT_TRUE(bUpgradeAtStartup);
    EXPECT_TRUE(UserHive().ReadBool("Software\\Test", "UpdateHint", false));
    EXPECT_EQ(pHint->RetCode(), 2);
    EXPECT_FALSE(pHint->isVisible());
}

// The windows in the glossary's language while it lives, as the program installs it.
class CTShippedTranslation {
public:
    CTShippedTranslation()
        : v_previous(dialogs::TBaseMsg::SetTranslateFunc([](const std::string& szText) {
              return check::ShippedInterfaceGlossary().Translate(szText).value_or(szText);
          })),
          v_previousHook(dialogs::ui::TBasicDialog::SetLoadedHook(
              [](QWidget* pTop) { brumalis::ui::TranslateWidgets(check::ShippedInterfaceGlossary(), *pTop); })) {}
    ~CTShippedTranslation() {
        dialogs::TBaseMsg::SetTranslateFunc(v_previous);
        dialogs::ui::TBasicDialog::SetLoadedHook(v_previousHook);
    }
    CTShippedTranslation(const CTShippedTranslation&) = delete;
    CTShippedTranslation& operator=(const CTShippedTranslation&) = delete;

private:
    dialogs::TTranslateFunc v_previous;
    dialogs::ui::TBasicDialog::TLoadedHook v_previousHook;
};

TEST_F(UpgradeWindows, HintDialogWithAListAndNoticePassTheWindowChecksInRussianAndEnglish) {
    for (const bool bRussian : {true, false}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        std::optional<CTShippedTranslation> translation;
        if (bRussian) translation.emplace();
        const auto pHint = dialogs::ui::TBasicDialog::Create<ui::TFrmAutoUpgradeHint>(nullptr, false, "Brumalis", Seams());
        ExpectWindowPasses(*pHint, bRussian);
        const auto pDialog = Dialog(false);
        pDialog->Frame()->CheckButton()->click();
        pDialog->Frame()->List()->setCurrentItem(pDialog->Frame()->List()->topLevelItem(0));
        ExpectWindowPasses(*pDialog, bRussian);
        const auto pNotice = dialogs::ui::TBasicDialog::Create<ui::TFrm_Privacy>(
            nullptr, false, "Brumalis", DataProcessingNotice("Brumalis"));
        ExpectWindowPasses(*pNotice, bRussian);
        if (bRussian) {
            EXPECT_EQ(pNotice->windowTitle().toStdString(), UpgradeText(TUpgradeText::NoticeCaption));
        }
    }
}

}  // namespace
}  // namespace brumalis::online::testing
