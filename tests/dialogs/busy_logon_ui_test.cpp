#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

#include "dialogs/busy_progress.h"
#include "dialogs/messages.h"
#include "dialogs/ui/busy_window.h"
#include "dialogs/ui/logon_window.h"
#include "tests/ui_support/gui_test_support.h"

namespace brumalis::dialogs::ui {
namespace {

using std::chrono::milliseconds;
using test::Child;
using test::WhenModalShown;

TEST(BusyProgressTest, CountsWithinTheTotalAndFillsTheRoundedShare) {
    TBusyProgress progress;
    EXPECT_EQ(progress.Total(), 100);
    progress.IncActionNr();
    EXPECT_EQ(progress.PercentText(), "1%");
    progress.SetTotalActions(0);
    progress.SetTotalActions(-3);
    EXPECT_EQ(progress.Total(), 100);
    EXPECT_EQ(progress.ActionNr(), 1);
    progress.SetTotalActions(3);
    EXPECT_EQ(progress.ActionNr(), 0);
    progress.IncActionNr();
    EXPECT_EQ(progress.FillWidth(100), 33);
    progress.IncActionNr();
    EXPECT_EQ(progress.FillWidth(100), 67);
    EXPECT_EQ(progress.PercentText(), "66%");
    progress.IncActionNr();
    progress.IncActionNr();
    EXPECT_EQ(progress.ActionNr(), 3);
    EXPECT_EQ(progress.PercentText(), "100%");
    EXPECT_EQ(progress.FillWidth(100), 100);
    EXPECT_EQ(TBusyProgress::TwoLines("one\ntwo\nthree"), "one\ntwo");
    EXPECT_EQ(TBusyProgress::TwoLines("one\ntwo"), "one\ntwo");
    EXPECT_EQ(TBusyProgress::TwoLines("one"), "one");
}

class BusyWindowTest : public ::testing::Test {
protected:
    void SetUp() override { m_pTranslate = TBaseMsg::SetTranslateFunc(nullptr); }
    void TearDown() override { TBaseMsg::SetTranslateFunc(m_pTranslate); }

    TBusyProgress::TClock Clock() {
        return [this] { return m_t0 + m_elapsed; };
    }

    const std::chrono::steady_clock::time_point m_t0 = std::chrono::steady_clock::now();
    milliseconds m_elapsed{0};
    TTranslateFunc m_pTranslate;
};

TEST_F(BusyWindowTest, AppearsOnlyAfterThreeTenthsOfASecondAndShowsThreeOfFour) {
    TBaseMsg::SetTranslateFunc([](const std::string& sz) { return sz == "Progress" ? "Ход выполнения" : sz; });
    const auto pBusy = TBasicDialog::Create<TFrm_Busy>(nullptr, false, Clock());
    CTProgressSink& sink = *pBusy;
    sink.Start("Progress", "Verifying the databases\nsecond line\nthird line", 4);
    EXPECT_FALSE(pBusy->isVisible());
    m_elapsed = milliseconds(100);
    sink.Step();
    m_elapsed = milliseconds(299);
    sink.Step();
    EXPECT_FALSE(pBusy->isVisible());
    m_elapsed = milliseconds(300);
    sink.Step();
    ASSERT_TRUE(pBusy->isVisible());
    EXPECT_EQ(pBusy->windowTitle().toStdString(), "Ход выполнения");
    EXPECT_EQ(Child<QLabel>(pBusy.get(), "Lbl_Percentage")->text().toStdString(), "75%");
    EXPECT_EQ(Child<QLabel>(pBusy.get(), "Txt_Msg")->text().toStdString(), "Verifying the databases\nsecond line");

    // The box is painted: aqua up to three quarters of its width.
    auto* pBox = Child<QWidget>(pBusy.get(), "Pbx_Progress");
    const QImage image = pBox->grab().toImage();
    const int nFill = pBox->width() * 3 / 4;
    const int nY = pBox->height() / 2;
    EXPECT_EQ(image.pixel(nFill - 2, nY), qRgb(0, 255, 255));
    EXPECT_NE(image.pixel(nFill + 2, nY), qRgb(0, 255, 255));

    // Esc cannot stop the work; more steps than the total stay at 100%.
    QTest::keyClick(pBusy.get(), Qt::Key_Escape);
    EXPECT_TRUE(pBusy->isVisible());
    sink.Step();
    sink.Step();
    EXPECT_EQ(Child<QLabel>(pBusy.get(), "Lbl_Percentage")->text().toStdString(), "100%");
    sink.Close();
    EXPECT_FALSE(pBusy->isVisible());

    // Short work never shows the window.
    sink.Start("Progress", "Again", 2);
    sink.Step();
    sink.Step();
    sink.Close();
    m_elapsed += milliseconds(1000);
    pBusy->IncActionNr();
    EXPECT_FALSE(pBusy->isVisible());
}

TEST(LogonWindowTest, NameIsFocusedPasswordMaskedAndTextsEmptyUnlessOk) {
    const auto pLogon = TBasicDialog::Create<TFrm_Logon>(nullptr, false);
    bool bNameFocused = false;
    WhenModalShown([&](QWidget* pWindow) {
        bNameFocused = QTest::qWaitForWindowActive(pWindow) &&
                       QApplication::focusWidget() == Child<QLineEdit>(pWindow, "Ed_Name");
        QTest::keyClicks(Child<QLineEdit>(pWindow, "Ed_Name"), "engineer");
        Child<QLineEdit>(pWindow, "Ed_Password")->setFocus();
        QTest::keyClicks(Child<QLineEdit>(pWindow, "Ed_Password"), "s3cret");
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
    });
    EXPECT_TRUE(pLogon->LogOn());
    EXPECT_TRUE(bNameFocused);
    // Shown again, the name has the focus, not the field used last.
    bNameFocused = false;
    WhenModalShown([&](QWidget* pWindow) {
        bNameFocused = QTest::qWaitForWindowActive(pWindow) &&
                       QApplication::focusWidget() == Child<QLineEdit>(pWindow, "Ed_Name");
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
    });
    EXPECT_TRUE(pLogon->LogOn());
    EXPECT_TRUE(bNameFocused);
    EXPECT_EQ(pLogon->windowTitle().toStdString(), "Logon");
    EXPECT_EQ(pLogon->PasswordField()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(pLogon->GetName(), "engineer");
    EXPECT_EQ(pLogon->GetPassword(), "s3cret");

    // The object store's dialog: Cancel answers false and empty texts.
    const CTLogonDialog dialog = LogonDialog(nullptr);
    std::string szName = "old";
    std::string szPassword = "old";
    WhenModalShown([&](QWidget* pWindow) {
        QTest::keyClicks(Child<QLineEdit>(pWindow, "Ed_Name"), "someone");
        QTest::keyClicks(Child<QLineEdit>(pWindow, "Ed_Password"), "typed");
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_Cancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(dialog(szName, szPassword));
    EXPECT_EQ(szName, "");
    EXPECT_EQ(szPassword, "");
    WhenModalShown([&](QWidget* pWindow) {
        QTest::keyClicks(Child<QLineEdit>(pWindow, "Ed_Name"), "admin");
        QTest::keyClick(pWindow, Qt::Key_Return);
    });
    EXPECT_TRUE(dialog(szName, szPassword));
    EXPECT_EQ(szName, "admin");
    EXPECT_EQ(szPassword, "");
}

}  // namespace
}  // namespace brumalis::dialogs::ui
