#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <optional>
#include <string>
#include <vector>

#include <QtCore/QThread>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include "dialogs/messages.h"
#include "dialogs/ui/message_presenter.h"
#include "dialogs/ui/message_windows.h"
#include "dialogs/ui/numeric_edit.h"
#include "localisation/number_text.h"
#include "tests/ui_support/gui_test_support.h"

namespace brumalis::dialogs::ui {
namespace {

using test::Child;
using test::WhenModalShown;

// Errors the input window shows while it stays open.
class CTErrorRecorder : public CTMessagePresenter {
public:
    std::optional<TMsgDlgBtn> ShowMessageWindow(TDialogParent*, const TMessageWindowModel& model) override {
        texts.push_back(model.Text());
        return mbOK;
    }
    bool ShowInputWindow(TDialogParent*, TInputWindowModel&) override { return false; }
    std::vector<std::string> texts;
};

class MessageWindowUiTest : public ::testing::Test {
protected:
    void SetUp() override { m_chSeparator = SetDecimalSeparator('.'); }
    void TearDown() override { SetDecimalSeparator(m_chSeparator); }
    char m_chSeparator = '.';
};

std::vector<std::string> CaptionsLeftToRight(const TMessageWindow& window) {
    const QList<QPushButton*> found = window.findChildren<QPushButton*>();
    std::vector<QPushButton*> buttons(found.begin(), found.end());
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    std::vector<std::string> captions;
    for (QPushButton* pButton : buttons) {
        if (pButton->isVisible()) captions.push_back(pButton->text().toStdString());
    }
    return captions;
}

TEST_F(MessageWindowUiTest, EachTypeShowsItsTitleIconAndExactlyTheSetsButtonsInOrder) {
    const auto pWindows = InstallMessageWindows();
    std::vector<std::string> titles;
    std::vector<bool> icons;
    for (int i = 0; i < 3; ++i) {
        WhenModalShown([&](QWidget* pWindow) {
            titles.push_back(pWindow->windowTitle().toStdString());
            icons.push_back(Child<QLabel>(pWindow, "Img_Icon") != nullptr);
            QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
        });
        if (i == 0) TBaseMsg::DisplayError(nullptr, msgFileNotFound, {"x"});
        if (i == 1) TBaseMsg::DisplayWarning(nullptr, msgFileNotFound, {"x"});
        if (i == 2) TBaseMsg::DisplayHint(nullptr, msgFileNotFound, {"x"});
    }
    EXPECT_EQ(titles, (std::vector<std::string>{"Error", "Warning", "Information"}));
    EXPECT_EQ(icons, (std::vector<bool>{true, true, true}));

    std::vector<std::string> captions;
    std::string szTitle;
    WhenModalShown([&](QWidget* pWindow) {
        szTitle = pWindow->windowTitle().toStdString();
        captions = CaptionsLeftToRight(*static_cast<TMessageWindow*>(pWindow));
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_NoToAll"), Qt::LeftButton);
    });
    EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, TMsgDlgButtons::FromBits(0x3FF)), mrCancel);
    EXPECT_EQ(szTitle, "Confirm");
    EXPECT_EQ(captions, (std::vector<std::string>{"&OK", "&Yes", "Yes to &All", "&No", "N&o to All", "&All",
                                                  "&Abort", "&Retry", "&Ignore", "&Cancel"}));

    WhenModalShown([&](QWidget* pWindow) {
        captions = CaptionsLeftToRight(*static_cast<TMessageWindow*>(pWindow));
        QTest::keyClick(pWindow, Qt::Key_Return);  // the first button is the default
    });
    EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, {mbNo, mbYes}), mrYes);
    EXPECT_EQ(captions, (std::vector<std::string>{"&Yes", "&No"}));

    // No icon for a type outside the four.
    const TMessageWindow plain(nullptr, TMessageWindowModel(static_cast<TMsgDlgType>(0), {mbOK}, "x"));
    EXPECT_EQ(Child<QLabel>(&plain, "Img_Icon"), nullptr);
}

TEST_F(MessageWindowUiTest, AQuestionFromAWorkerThreadIsAskedOnTheInterfaceThread) {
    const auto pWindows = InstallMessageWindows();
    bool bOnInterfaceThread = false;
    WhenModalShown([&](QWidget* pWindow) {
        bOnInterfaceThread = QThread::currentThread() == qApp->thread() && pWindow->thread() == qApp->thread();
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_No"), Qt::LeftButton);
    });
    std::atomic<int> nAnswer{-1};
    std::thread worker([&nAnswer] { nAnswer = TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, {mbYes, mbNo}); });
    const bool bAnswered = QTest::qWaitFor([&nAnswer] { return nAnswer != -1; }, 5000);
    worker.join();
    EXPECT_TRUE(bAnswered);
    EXPECT_EQ(nAnswer, mrNo);
    EXPECT_TRUE(bOnInterfaceThread);
}

TEST_F(MessageWindowUiTest, EscapeAndCloseAnswerCancelWhenShownOkWhenAloneElseKeepTheWindow) {
    struct TCase {
        TMsgDlgButtons buttons;
        std::optional<TMsgDlgBtn> answer;
    };
    const std::vector<TCase> cases = {{{mbOK}, mbOK},
                                      {{mbOK, mbCancel}, mbCancel},
                                      {{mbYes, mbNo, mbCancel}, mbCancel},
                                      {{mbYes, mbNo}, std::nullopt},
                                      {{mbAbort, mbRetry, mbIgnore}, std::nullopt}};
    for (const TCase& c : cases) {
        for (const bool bByKey : {true, false}) {
            TMessageWindow window(nullptr, TMessageWindowModel(mtConfirmation, c.buttons, "Question"));
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            if (bByKey) {
                QTest::keyClick(&window, Qt::Key_Escape);
            } else {
                window.close();
            }
            EXPECT_EQ(window.Answer(), c.answer) << c.buttons.Bits() << (bByKey ? " Esc" : " close");
            EXPECT_EQ(window.isVisible(), !c.answer.has_value()) << c.buttons.Bits();
            if (c.answer) {
                EXPECT_EQ(window.result(), ResultCodeOf(*c.answer));
            }
        }
    }
}

TEST_F(MessageWindowUiTest, LongTextsScrollAfterTenLines) {
    std::string szLong;
    for (int i = 1; i <= 30; ++i) szLong += "Line " + std::to_string(i) + "\n";
    const TMessageWindow longWindow(nullptr, TMessageWindowModel(mtWarning, {mbOK}, szLong));
    QScrollArea* pArea = longWindow.MessageArea();
    const int nLine = QFontMetrics(pArea->widget()->font()).lineSpacing();
    EXPECT_LE(pArea->height(), 10 * nLine);
    EXPECT_GE(pArea->height(), 9 * nLine);
    EXPECT_GT(pArea->widget()->height(), pArea->height());

    const TMessageWindow shortWindow(nullptr, TMessageWindowModel(mtWarning, {mbOK}, "One\nTwo"));
    EXPECT_EQ(shortWindow.MessageArea()->height(), shortWindow.MessageArea()->widget()->height());
    EXPECT_LT(shortWindow.MessageArea()->height(), 3 * nLine);
}

TEST_F(MessageWindowUiTest, InputWindowRefusesZeroForAPositiveIntegerAndStaysOpen) {
    CTErrorRecorder errors;
    CTMessagePresenter* pPrevious = TBaseMsg::SetPresenter(&errors);
    TInputWindowModel model("Count", "Number of units", "", {.bNumericOnly = true, .bIntegerOnly = true});
    TInputWindow window(nullptr, model);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(window.OkButton()->isEnabled());
    QTest::keyClicks(window.EditField(), "0");
    EXPECT_TRUE(window.OkButton()->isEnabled());
    QTest::mouseClick(window.OkButton(), Qt::LeftButton);
    EXPECT_EQ(errors.texts, std::vector<std::string>{"0 is not a valid positive number"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);

    window.EditField()->selectAll();
    QTest::keyClicks(window.EditField(), " 12x");
    EXPECT_EQ(window.EditField()->text(), "120");
    QTest::keyClick(window.EditField(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(model.Result(), "120");
    EXPECT_EQ(errors.texts.size(), 1u);
    TBaseMsg::SetPresenter(pPrevious);
}

TEST_F(MessageWindowUiTest, EditStringThroughTheWindowIsTrimmedAndEmptyAfterCancel) {
    const auto pWindows = InstallMessageWindows();
    std::string szEdited;
    std::string szTitle;
    WhenModalShown([&](QWidget* pWindow) {
        szTitle = pWindow->windowTitle().toStdString();
        auto* pEdit = Child<QLineEdit>(pWindow, "Txt_Edit");
        EXPECT_EQ(pEdit->text(), "Plant A");
        EXPECT_EQ(Child<QLabel>(pWindow, "Img_Icon"), nullptr);
        pEdit->selectAll();
        QTest::keyClicks(pEdit, "  Plant B  ");
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
    });
    EXPECT_TRUE(TBaseMsg::DisplayEditString(nullptr, msgUninstall, msgReadOnly, "Plant A", szEdited));
    EXPECT_EQ(szEdited, "Plant B");
    EXPECT_EQ(szTitle, "Uninstall");

    WhenModalShown([&](QWidget* pWindow) {
        QTest::keyClicks(Child<QLineEdit>(pWindow, "Txt_Edit"), "typed");
        QTest::keyClick(pWindow, Qt::Key_Escape);
    });
    EXPECT_FALSE(TBaseMsg::DisplayEditString(nullptr, msgUninstall, msgReadOnly, "Plant A", szEdited));
    EXPECT_EQ(szEdited, "");
}

TEST_F(MessageWindowUiTest, NumericEditCleansEveryKeystrokeAndKeepsTheCaret) {
    QLineEdit edit;
    AttachNumericEdit(&edit);
    edit.show();
    QTest::keyClicks(&edit, "12a,5.3");
    EXPECT_EQ(edit.text(), "120.503");
    EXPECT_EQ(edit.cursorPosition(), 7);

    edit.setCursorPosition(2);
    QTest::keyClicks(&edit, "q");
    EXPECT_EQ(edit.text(), "1200.503");
    EXPECT_EQ(edit.cursorPosition(), 3);
    QTest::keyClicks(&edit, " ");
    EXPECT_EQ(edit.text(), "1200.503");
    EXPECT_EQ(edit.cursorPosition(), 3);

    // Stored values set by the program are shown as they are.
    edit.setText("1 x");
    EXPECT_EQ(edit.text(), "1 x");

    SetDecimalSeparator(',');
    edit.clear();
    QTest::keyClicks(&edit, "3.25");
    EXPECT_EQ(edit.text(), "3,25");
    EXPECT_EQ(Str2Number(edit.text().toStdString()), 3.25);
}

}  // namespace
}  // namespace brumalis::dialogs::ui
