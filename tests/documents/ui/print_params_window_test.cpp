// The print parameters window, offscreen: what it stores through OK, what
// it refuses, the logo's buttons and preview, with the open dialog scripted.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

#include "dialogs/messages.h"
#include "documents/ui/print_params_window.h"
#include "platform/program_path.h"
#include "tests/documents/print_params_support.h"
#include "tests/platform/ui/shipped_translation.h"
#include "tests/ui_support/gui_test_support.h"

namespace brumalis::docui {
namespace {

using dialogs::ui::TBasicDialog;
using test::Bitmap;
using test::Child;
using test::WhenModalShown;

class PrintParamsWindow : public test::PrivateSettingsTest {
protected:
    void SetUp() override {
        PrivateSettingsTest::SetUp();
        previousSink = dialogs::TBaseMsg::SetMessageSink(
            [this](const std::string& szText, int) { messages.push_back(szText); });
    }
    void TearDown() override {
        dialogs::TBaseMsg::SetMessageSink(previousSink);
        PrivateSettingsTest::TearDown();
    }
    // The open dialog answers the next file of the script (none: cancelled).
    std::unique_ptr<TDlgPrintParams> Window() {
        return TBasicDialog::Create<TDlgPrintParams>(
            nullptr, false, [this](QWidget*, const TOpenFileRequest& request) {
                requests.push_back(request);
                std::optional<std::string> answer = answers.empty() ? std::nullopt : answers.front();
                if (!answers.empty()) answers.erase(answers.begin());
                return answer;
            });
    }
    static void Type(QLineEdit* pEdit, const QString& text) {
        pEdit->selectAll();
        pEdit->insert(text);
    }

    dialogs::TMessageSink previousSink;
    std::vector<std::string> messages;
    std::vector<TOpenFileRequest> requests;
    std::vector<std::optional<std::string>> answers;
};

TEST_F(PrintParamsWindow, OKStoresTheLinesTrimmedAndTheLogo) {
    const std::string szLargest = File("largest.bmp", Bitmap(590, 236));
    const auto pWindow = Window();
    EXPECT_EQ(pWindow->windowTitle().toStdString(), "Print Parameters");
    EXPECT_EQ(pWindow->Txt_Line[1]->toolTip().toStdString(), "Line 2 of name and address");
    Type(pWindow->Txt_Line[0], QStringLiteral("  Frost & Partners \t"));
    Type(pWindow->Txt_Line[2], QStringLiteral(" 4000 Liège"));
    answers = {szLargest};
    QTest::mouseClick(pWindow->Btn_Browse, Qt::LeftButton);
    pWindow->Btn_OKClick();
    EXPECT_EQ(pWindow->RetCode(), 1);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(brumalis::TDlgPrintParams::GetLine1(), "Frost & Partners");
    EXPECT_EQ(brumalis::TDlgPrintParams::GetLine2(), "");
    EXPECT_EQ(brumalis::TDlgPrintParams::GetLine3(), "4000 Liège");
    EXPECT_EQ(brumalis::TDlgPrintParams::GetLogoFile(), szLargest);
}

TEST_F(PrintParamsWindow, ATooLargeLogoIsRefusedAndTheWindowStaysOpen) {
    answers = {File("wide.bmp", Bitmap(600, 100))};
    bool bOpenAfterOK = false;
    WhenModalShown([&](QWidget* pWindow) {
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_Browse"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
        bOpenAfterOK = pWindow->isVisible();
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_Cancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(OpenPrintParameters(nullptr, [this](QWidget*, const TOpenFileRequest&) {
        return std::optional<std::string>(answers.front());
    }));
    EXPECT_TRUE(bOpenAfterOK);
    EXPECT_EQ(messages, std::vector<std::string>{"Maximum bitmap size is 590x236 pixels."});
    EXPECT_EQ(brumalis::TDlgPrintParams::GetLogoFile(), "");
}

TEST_F(PrintParamsWindow, BrowseAndClearKeepOrDropTheName) {
    const std::string szProgram = File("brumalis", "program");
    const platform::CTProgramPathSubstitute program(szProgram);
    const auto pWindow = Window();
    EXPECT_FALSE(pWindow->Btn_Clear->isEnabled());
    EXPECT_EQ(pWindow->Lbl_FileName->text(), QString());
    const std::string szLogo = File("logo.bmp", Bitmap(300, 150));
    answers = {szLogo, std::nullopt};
    QTest::mouseClick(pWindow->Btn_Browse, Qt::LeftButton);
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].szTitle, "Select Logo");
    EXPECT_EQ(requests[0].szFilter, "Bitmap files (*.bmp)");
    EXPECT_EQ(requests[0].szFolder, ::testing::TempDir() + "Logos");
    EXPECT_EQ(requests[0].szFileName, "");
    EXPECT_TRUE(pWindow->Btn_Clear->isEnabled());
    // A cancelled Browse keeps the name; it starts at the current logo.
    QTest::mouseClick(pWindow->Btn_Browse, Qt::LeftButton);
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_EQ(requests[1].szFileName, szLogo);
    EXPECT_EQ(pWindow->Model().LogoFile(), szLogo);
    EXPECT_EQ(pWindow->Lbl_FileName->text().toStdString(), pWindow->Model().FileNameText());
    QTest::mouseClick(pWindow->Btn_Clear, Qt::LeftButton);
    EXPECT_EQ(pWindow->Model().LogoFile(), "");
    EXPECT_FALSE(pWindow->Btn_Clear->isEnabled());
    EXPECT_EQ(pWindow->Lbl_Width->text(), QString());
    EXPECT_TRUE(pWindow->Img_Logo->pixmap().isNull());
}

TEST_F(PrintParamsWindow, TheLogoPreviewsAtItsPrintedSizeAndABrokenOneShowsNothing) {
    const auto pWindow = Window();
    ASSERT_EQ(pWindow->logicalDpiX(), 96);
    answers = {File("logo.bmp", Bitmap(300, 150)), File("broken.bmp", "BMjunk")};
    QTest::mouseClick(pWindow->Btn_Browse, Qt::LeftButton);
    EXPECT_EQ(pWindow->PreviewSize(), QSize(96, 48));
    EXPECT_EQ(pWindow->Img_Logo->size(), QSize(96, 48));
    const QPixmap preview = pWindow->Img_Logo->pixmap();
    ASSERT_FALSE(preview.isNull());
    EXPECT_EQ(preview.deviceIndependentSize().toSize(), QSize(96, 48));
    EXPECT_EQ(pWindow->Lbl_Width->text().toStdString(), "300");
    EXPECT_EQ(pWindow->Lbl_Height->text().toStdString(), "150");
    QTest::mouseClick(pWindow->Btn_Browse, Qt::LeftButton);
    EXPECT_TRUE(pWindow->Img_Logo->pixmap().isNull());
    EXPECT_TRUE(pWindow->PreviewSize().isEmpty());
    EXPECT_EQ(pWindow->Lbl_Width->text(), QString());
}

TEST_F(PrintParamsWindow, PassesTheWindowChecksInRussianAndEnglish) {
    unsetenv("BRUMALIS_LANGUAGE");
    for (const bool bRussian : {true, false}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        std::optional<test::CTRussianWindows> russian;
        if (bRussian) russian.emplace();
        answers = {File("logo.bmp", Bitmap(300, 150))};
        const auto pWindow = Window();
        QTest::mouseClick(pWindow->Btn_Browse, Qt::LeftButton);
        // The file's name is data; "dpi" is the unit's own name.
        test::ExpectWindowPassesShowing(*pWindow, bRussian, {"tmp", "logo", "bmp", "dpi"});
    }
}

}  // namespace
}  // namespace brumalis::docui
