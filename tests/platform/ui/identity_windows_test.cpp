// The about box, the disclaimer and the main window's "About", offscreen,
// with a fake shell and the terms answered by script.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <map>
#include <optional>

#include "dialogs/ui/bottom_panel.h"
#include "documents/ui/print_params_window.h"
#include "platform/build_identity.h"
#include "platform/ui/about_box.h"
#include "platform/ui/disclaimer_window.h"
#include "tests/dialogs/table_translation.h"
#include "tests/platform/private_registry.h"
#include "tests/platform/ui/shipped_translation.h"
#include "tests/ui_support/gui_test_support.h"
#include "workflow/ui/about_command.h"
#include "workflow/ui/chiller_ui_form.h"
#include "workflow/ui/desktop_presenter.h"

namespace brumalis::platform::ui {
namespace {

using dialogs::TAboutBox;
using dialogs::TBaseMsg;
using dialogs::ui::TBasicDialog;
using test::Child;
using test::WhenModalShown;

// The addresses and the maker's name the about box shows are no words to translate.
const std::vector<std::string> kAddressWords = {"www", "orvane", "invalid", "info", "brumalis", "software", "Orvane", "Climate", "Systems"};

class AboutBoxWindow : public test::TableTranslationTest {
protected:
    TAboutBoxCallbacks Callbacks(bool bDisclaimer, bool bUpgrade) {
        TAboutBoxCallbacks callbacks;
        callbacks.ShellOpen = [this](std::string_view szTarget) {
            opened.emplace_back(szTarget);
            return true;
        };
        if (bDisclaimer) callbacks.Disclaimer = [this](QWidget* pOwner) { disclaimerOwners.push_back(pOwner); };
        if (bUpgrade) callbacks.Upgrade = [this](QWidget* pOwner) { upgradeOwners.push_back(pOwner); };
        return callbacks;
    }
    std::unique_ptr<TFrm_AboutBox> Box(std::string_view szDataVersion, bool bDisclaimer = true, bool bUpgrade = true) {
        return TBasicDialog::Create<TFrm_AboutBox>(nullptr, false, Callbacks(bDisclaimer, bUpgrade), szDataVersion);
    }

    std::vector<std::string> opened;
    std::vector<QWidget*> disclaimerOwners;
    std::vector<QWidget*> upgradeOwners;
};

TEST_F(AboutBoxWindow, ShowsTheProgramItsVersionLanguageAndCatalogue) {
    table["Brumalis Program"] = "Программа\nBrumalis";
    const auto pBox = Box("3.3.4 Nordic");
    EXPECT_EQ(pBox->windowTitle().toStdString(), "About");
    EXPECT_EQ(pBox->Lbl_ProductName->text().toStdString(), "Программа\nBrumalis");
    // Two lines start level with the icon's top.
    EXPECT_TRUE(pBox->Lbl_ProductName->alignment() & Qt::AlignTop);
    EXPECT_EQ(pBox->Lbl_Version->text().toStdString(), "Version " + CTVersionUtils::GetVersionStringEx(" - ", ""));
    EXPECT_FALSE(pBox->Lbl_Language->text().isEmpty());
    EXPECT_EQ(pBox->Lbl_DataVersion->text().toStdString(), "Database");
    EXPECT_EQ(pBox->Lbl_VersionAndConfig->text().toStdString(), "3.3.4 Nordic");
    const QPixmap icon = pBox->Img_ProgramIcon->pixmap();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.deviceIndependentSize().toSize(), QSize(32, 32));
    EXPECT_EQ(Box("")->Lbl_DataVersion->text().toStdString(), "");
}

TEST_F(AboutBoxWindow, APlaceholderOrEmptyLineIsHiddenWithItsIcon) {
    table[TAboutBox::kDistributorWeb] = "<r-t>";
    table[TAboutBox::kDistributorMail] = "";
    table[std::string(dialogs::DistributorCaptions()[1])] = "<r-t>";
    const auto pBox = Box("3.3.4");
    pBox->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pBox.get()));
    EXPECT_FALSE(pBox->WWWDistrib.Label->isVisible());
    EXPECT_FALSE(pBox->WWWDistrib.Icon->isVisible());
    EXPECT_EQ(pBox->WWWDistrib.Label->text(), QString());
    EXPECT_FALSE(pBox->MailDistrib.Label->isVisible());
    EXPECT_FALSE(pBox->MailDistrib.Icon->isVisible());
    EXPECT_FALSE(pBox->Lbl_DistribTel->isVisible());  // "<r-t>" by default
    EXPECT_TRUE(pBox->Lbl_Distrib[0]->isVisible());
    EXPECT_FALSE(pBox->Lbl_Distrib[1]->isVisible());
    EXPECT_TRUE(pBox->FixedLinks[0].Label->isVisible());
    EXPECT_TRUE(pBox->FixedLinks[0].Icon->isVisible());
}

TEST_F(AboutBoxWindow, LinksReachTheShellAsWebAndMailTargets) {
    const auto pBox = Box("3.3.4");
    pBox->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pBox.get()));
    QTest::mouseClick(pBox->WWWDistrib.Label, Qt::LeftButton);
    QTest::mouseClick(pBox->MailDistrib.Icon, Qt::LeftButton);
    QTest::mouseClick(pBox->MailDistrib.Label, Qt::LeftButton);
    QTest::mouseClick(pBox->FixedLinks[1].Label, Qt::LeftButton);
    // The right button opens nothing.
    QTest::mouseClick(pBox->FixedLinks[0].Label, Qt::RightButton);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://www.orvane.invalid", "mailto:info@orvane.invalid",
                                                "mailto:info@orvane.invalid",
                                                TAboutBox::WebTarget(SoftwareHouseWebAddress())}));
}

TEST_F(AboutBoxWindow, DisclaimerAndUpgradeGoToTheirCallbacksOwnedByTheBox) {
    const auto pBox = Box("3.3.4");
    pBox->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pBox.get()));
    EXPECT_TRUE(pBox->Btn_License->isVisible());
    ASSERT_TRUE(pBox->Btn_Update->isEnabled());
    QTest::mouseClick(pBox->Btn_License, Qt::LeftButton);
    QTest::mouseClick(pBox->Btn_Update, Qt::LeftButton);
    EXPECT_EQ(disclaimerOwners, std::vector<QWidget*>{pBox.get()});
    EXPECT_EQ(upgradeOwners, std::vector<QWidget*>{pBox.get()});
    EXPECT_EQ(pBox->Btn_OK->text().toStdString(), "&OK");

    // Without the terms the button is gone; without an upgrade it is off.
    const auto pPlain = Box("3.3.4", false, false);
    pPlain->show();
    EXPECT_FALSE(pPlain->Btn_License->isVisible());
    EXPECT_FALSE(pPlain->Btn_Update->isEnabled());
}

// ---- The terms -------------------------------------------------------------

int BoldHeadings(const QTextDocument& document) {
    int nHeadings = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed().isEmpty()) continue;
        bool bBold = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) bBold = bBold && it.fragment().charFormat().fontWeight() >= QFont::Bold;
        nHeadings += bBold ? 1 : 0;
    }
    return nHeadings;
}

TEST(DisclaimerWindow, AtStartUpContinueWaitsForAChoiceAndTheChoiceIsTheResult) {
    const auto pTerms = TBasicDialog::Create<TFrm_Disclaimer>(nullptr, false, dialogs::TDisclaimerNames{}, true);
    EXPECT_EQ(pTerms->windowTitle().toStdString(), "Disclaimer");
    ASSERT_NE(pTerms->Rbn_Accept, nullptr);
    QPushButton* pContinue = pTerms->FraBottomPanel->OkButton();
    EXPECT_EQ(pContinue->text().toStdString(), "Continue");
    EXPECT_FALSE(pTerms->Rbn_Accept->isChecked());
    EXPECT_FALSE(pTerms->Rbn_NotAccept->isChecked());
    EXPECT_FALSE(pContinue->isEnabled());
    EXPECT_FALSE(pTerms->FraBottomPanel->CancelButton()->isVisible());
    pTerms->Rbn_NotAccept->click();
    EXPECT_TRUE(pContinue->isEnabled());
    EXPECT_EQ(pTerms->Result(), 2);
    pTerms->Rbn_Accept->click();
    EXPECT_EQ(pTerms->Result(), 1);

    // Through the desktop's presenter: the choice, or closing the window.
    for (const char* szChoice : {"Rbn_Accept", "Rbn_NotAccept", ""}) {
        SCOPED_TRACE(szChoice);
        WhenModalShown([szChoice](QWidget* pWindow) {
            if (*szChoice == '\0') {
                pWindow->close();
                return;
            }
            Child<QRadioButton>(pWindow, szChoice)->click();
            QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
        });
        brumalis::ui::TQtDesktopPresenter presenter;
        EXPECT_EQ(presenter.RunDisclaimer(), std::string(szChoice) == "Rbn_Accept" ? 1 : 2);
    }
}

TEST(DisclaimerWindow, FromTheAboutBoxItOnlyShowsAndEveryWayOutAnswersOne) {
    for (const bool bEscape : {true, false}) {
        WhenModalShown([bEscape](QWidget* pWindow) {
            EXPECT_EQ(pWindow->findChild<QRadioButton*>(), nullptr);
            EXPECT_EQ(Child<QPushButton>(pWindow, "Btn_OK")->text().toStdString(), "&OK");
            if (bEscape) {
                QTest::keyClick(pWindow, Qt::Key_Escape);
            } else {
                pWindow->close();
            }
        });
        EXPECT_EQ(DisplayDisclaimer(nullptr, "Brumalis", false), 1);
    }
}

TEST(DisclaimerWindow, TheTermsHaveTenBoldHeadingsNoMarkerAndReadRussianInRussian) {
    for (const bool bRussian : {false, true}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        std::optional<test::CTRussianWindows> russian;
        if (bRussian) russian.emplace();
        dialogs::TDisclaimerNames names;
        names.szProgName = "Brumalis";
        const auto pTerms = TBasicDialog::Create<TFrm_Disclaimer>(nullptr, false, names, false);
        const QString text = pTerms->Txt_DisplayText->toPlainText();
        EXPECT_FALSE(text.contains(QLatin1Char('$')));
        EXPECT_TRUE(text.contains(QStringLiteral("Brumalis")));
        EXPECT_TRUE(pTerms->Txt_DisplayText->isReadOnly());
        EXPECT_EQ(BoldHeadings(*pTerms->Txt_DisplayText->document()), dialogs::kDisclaimerSections);
        EXPECT_EQ(text.contains(QRegularExpression(QStringLiteral("[А-Яа-я]{4,}"))), bRussian);
        if (bRussian) {
            EXPECT_EQ(pTerms->windowTitle(), QString::fromStdString(TBaseMsg::Translate("Disclaimer")));
            EXPECT_NE(pTerms->windowTitle().toStdString(), "Disclaimer");
        }
    }
}

TEST(IdentityWindowsCheck, AboutBoxAndBothDisclaimersPassInRussianAndEnglish) {
    unsetenv("BRUMALIS_LANGUAGE");
    for (const bool bRussian : {true, false}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        std::optional<test::CTRussianWindows> russian;
        if (bRussian) russian.emplace();
        for (const bool bAccept : {true, false}) {
            const auto pTerms = TBasicDialog::Create<TFrm_Disclaimer>(nullptr, false, dialogs::TDisclaimerNames{}, bAccept);
            testing::ui::ExpectWindowPasses(*pTerms, bRussian);
        }
        TAboutBoxCallbacks callbacks;
        callbacks.Disclaimer = [](QWidget*) {};
        callbacks.Upgrade = [](QWidget*) {};
        const auto pBox = TBasicDialog::Create<TFrm_AboutBox>(nullptr, false, callbacks, "2026.1");
        test::ExpectWindowPassesShowing(*pBox, bRussian, kAddressWords);
    }
}

TEST(IdentityWindowsCheck, EveryOwnTextHasOneRussianTranslation) {
    const CTGlossary& glossary = testing::ui::ShippedInterfaceGlossary();
    for (const auto& texts : {TFrm_Disclaimer::Texts(), TFrm_AboutBox::Texts(), docui::TDlgPrintParams::Texts(),
                              brumalis::ui::TAboutCommand::Texts(), std::vector<std::string>{"Russian"}}) {
        for (const std::string& szEnglish : texts) {
            const auto translations = glossary.TranslationsFor(szEnglish);
            ASSERT_EQ(translations.size(), 1U) << szEnglish;
            EXPECT_NE(glossary.Translate(szEnglish).value_or(szEnglish), szEnglish) << szEnglish;
        }
    }
}

// ---- "About" on the main window --------------------------------------------

TEST(AboutCommand, SitsOnTheHelpMenuAndTheToolBarAndItsTermsEndNothing) {
    brumalis::testing::TPrivateRegistry registry;
    TMainWindowModel model("Brumalis");
    model.SetProjectModified(true);
    brumalis::ui::TChillerUIForm window(model, [](std::string_view) { return true; });
    auto* pCommand = new brumalis::ui::TAboutCommand(window);
    EXPECT_EQ(brumalis::ui::TAboutCommand::Of(window), pCommand);
    QAction* pAbout = pCommand->ACH_About;
    EXPECT_EQ(pAbout->text().toStdString(), "About");
    EXPECT_EQ(pAbout->statusTip().toStdString(), "Display the about box");
    auto* pHelp = window.menuBar()->findChild<QMenu*>(QStringLiteral("MM_Help"));
    ASSERT_NE(pHelp, nullptr);
    EXPECT_TRUE(pHelp->actions().contains(pAbout));
    EXPECT_TRUE(window.Ctl_ToolBar->actions().contains(pAbout));
    // A second command finds the menu there.
    EXPECT_EQ(window.menuBar()->findChildren<QMenu*>(QStringLiteral("MM_Help")).size(), 1);

    std::vector<QWidget*> upgradeOwners;
    pCommand->Upgrade = [&upgradeOwners](QWidget* pOwner) { upgradeOwners.push_back(pOwner); };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    bool bTermsShown = false;
    bool bBoxStillOpen = false;
    WhenModalShown([&](QWidget* pBox) {
        QTest::mouseClick(Child<QPushButton>(pBox, "Btn_Update"), Qt::LeftButton);
        WhenModalShown([&](QWidget* pTerms) {
            bTermsShown = pTerms->findChild<QTextBrowser*>() != nullptr;
            pTerms->close();
        });
        QTest::mouseClick(Child<QPushButton>(pBox, "Btn_License"), Qt::LeftButton);
        bBoxStillOpen = pBox->isVisible();
        QTest::mouseClick(Child<QPushButton>(pBox, "Btn_OK"), Qt::LeftButton);
    });
    pAbout->trigger();
    EXPECT_EQ(upgradeOwners.size(), 1U);
    EXPECT_TRUE(bTermsShown);
    EXPECT_TRUE(bBoxStillOpen);
    // The program, its window and the unsaved project are as they were.
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(model.ProjectModified());
}

}  // namespace
}  // namespace brumalis::platform::ui
