#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/user_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/messages.h"
#include "dialogs/number_edit.h"
#include "dialogs/user_dialog_messages.h"
#include "localisation/number_text.h"

namespace brumalis::dialogs {
namespace {

// Records what the message service asks of the windows and answers as
// scripted.
class CTScriptedPresenter : public CTMessagePresenter {
public:
    struct TShown {
        TMsgDlgType nType;
        std::uint16_t nButtons;
        std::string szTitle;
        std::string szText;
    };

    std::optional<TMsgDlgBtn> ShowMessageWindow(TDialogParent*, const TMessageWindowModel& model) override {
        shown.push_back({model.Type(), model.Buttons().Bits(), model.Title(), model.Text()});
        return answer;
    }
    bool ShowInputWindow(TDialogParent*, TInputWindowModel& model) override {
        inputs.emplace_back(model.Title(), model.Prompt());
        defaults.push_back(model.Text());
        if (typed) model.Edit(*typed);
        return bConfirm;
    }

    std::optional<TMsgDlgBtn> answer = mbOK;
    std::optional<std::string> typed;
    bool bConfirm = true;
    std::vector<TShown> shown;
    std::vector<std::pair<std::string, std::string>> inputs;
    std::vector<std::string> defaults;
};

class MessageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pTranslate = TBaseMsg::SetTranslateFunc(nullptr);
        m_pSink = TBaseMsg::SetMessageSink([this](const std::string& sz, int n) { m_sunk.emplace_back(sz, n); });
        m_pPresenter = TBaseMsg::SetPresenter(nullptr);
        m_chSeparator = SetDecimalSeparator('.');
    }
    void TearDown() override {
        TBaseMsg::SetTranslateFunc(m_pTranslate);
        TBaseMsg::SetMessageSink(m_pSink);
        TBaseMsg::SetPresenter(m_pPresenter);
        SetDecimalSeparator(m_chSeparator);
    }

    TTranslateFunc m_pTranslate;
    TMessageSink m_pSink;
    CTMessagePresenter* m_pPresenter = nullptr;
    char m_chSeparator = '.';
    std::vector<std::pair<std::string, int>> m_sunk;
};

constexpr TMsgDlgButtons kEveryButton = TMsgDlgButtons::FromBits(0x3FF);

TEST_F(MessageWindowTest, ButtonsReadFromOkToCancelAndAnswerTheirCodes) {
    const TMessageWindowModel every(mtConfirmation, kEveryButton, "?");
    const std::vector<TMsgDlgBtn> order = {mbOK,    mbYes,   mbYesToAll, mbNo,     mbNoToAll,
                                           mbAll,   mbAbort, mbRetry,    mbIgnore, mbCancel};
    EXPECT_EQ(every.ButtonsLeftToRight(), order);
    const std::vector<TMsgDlgBtn> some = {mbYes, mbNo, mbCancel};
    EXPECT_EQ(TMessageWindowModel(mtConfirmation, {mbCancel, mbNo, mbYes}, "?").ButtonsLeftToRight(), some);
    EXPECT_TRUE(TMessageWindowModel(mtConfirmation, {}, "?").ButtonsLeftToRight().empty());

    const std::vector<std::pair<TMsgDlgBtn, int>> codes = {
        {mbOK, 1},    {mbCancel, 2}, {mbAbort, 3}, {mbRetry, 4},    {mbIgnore, 5},
        {mbYes, 6},   {mbNo, 7},     {mbAll, 1},   {mbYesToAll, 1}, {mbNoToAll, 2}};
    for (const auto& [btn, nCode] : codes) EXPECT_EQ(ResultCodeOf(btn), nCode) << btn;
    EXPECT_EQ(ResultCodeOf(static_cast<TMsgDlgBtn>(10)), mrNone);
    EXPECT_EQ(ButtonCaption(static_cast<TMsgDlgBtn>(-1)), "");
    EXPECT_EQ(ButtonName(mbNoToAll), "Btn_NoToAll");
    EXPECT_EQ(TMsgDlgButtons({mbYes, mbNo, mbYes}).Count(), 2);
    EXPECT_EQ(TMsgDlgButtons::FromBits(0xFFFF).Bits(), 0x3FF);
}

TEST_F(MessageWindowTest, EscapeAnswersCancelWhenShownOkWhenAloneElseNothing) {
    EXPECT_EQ(TMessageWindowModel(mtError, {mbOK}, "x").EscapeButton(), mbOK);
    EXPECT_EQ(TMessageWindowModel(mtConfirmation, {mbOK, mbCancel}, "x").EscapeButton(), mbCancel);
    EXPECT_EQ(TMessageWindowModel(mtConfirmation, {mbYes, mbNo, mbCancel}, "x").EscapeButton(), mbCancel);
    EXPECT_EQ(TMessageWindowModel(mtConfirmation, kEveryButton, "x").EscapeButton(), mbCancel);
    EXPECT_EQ(TMessageWindowModel(mtConfirmation, {mbYes, mbNo}, "x").EscapeButton(), std::nullopt);
    EXPECT_EQ(TMessageWindowModel(mtConfirmation, {mbOK, mbNo}, "x").EscapeButton(), std::nullopt);
    EXPECT_EQ(TMessageWindowModel(mtConfirmation, {mbAbort, mbRetry, mbIgnore}, "x").EscapeButton(), std::nullopt);
}

TEST_F(MessageWindowTest, TitleAndIconFollowTheTypeTranslated) {
    const std::vector<std::pair<TMsgDlgType, std::string>> titles = {
        {mtError, "Error"}, {mtConfirmation, "Confirm"}, {mtWarning, "Warning"}, {mtInformation, "Information"}};
    for (const auto& [nType, szTitle] : titles) {
        const TMessageWindowModel model(nType, {mbOK}, "x");
        EXPECT_EQ(model.Title(), szTitle);
        EXPECT_TRUE(model.HasIcon());
    }
    const TMessageWindowModel other(static_cast<TMsgDlgType>(0), {mbOK}, "x");
    EXPECT_FALSE(other.HasIcon());
    EXPECT_EQ(other.Title(), "");

    TBaseMsg::SetTranslateFunc([](const std::string& sz) { return sz == "Warning" ? "Предупреждение" : sz; });
    EXPECT_EQ(TMessageWindowModel(mtWarning, {mbOK}, "x").Title(), "Предупреждение");
    EXPECT_EQ(TMessageWindowModel(mtError, {mbOK}, "x").Title(), "Error");
}

TEST_F(MessageWindowTest, DisplaysGoThroughThePresenterWithTheirTypeButtonsAndCodes) {
    CTScriptedPresenter presenter;
    TBaseMsg::SetPresenter(&presenter);
    TBaseMsg::DisplayError(nullptr, msgFileNotFound, {"a.cpf"});
    TBaseMsg::DisplayWarning(nullptr, msgReadOnly);
    TBaseMsg::DisplayHint(nullptr, msgUninstalled, {"Brumalis"});
    presenter.answer = mbNoToAll;
    EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, {mbYes, mbNo, mbNoToAll}), mrCancel);
    presenter.answer = mbYesToAll;
    EXPECT_EQ(TBaseMsg::DisplayQuestionEx(nullptr, msgConfirmUninstall, {mbYesToAll, mbNo}, {"X"}), mrOK);
    presenter.answer = mbNo;
    EXPECT_EQ(TBaseMsg::DisplayQuestionEx(nullptr, msgConfirmUninstall, {mbYes, mbNo}, {"X"}), mrNo);
    presenter.answer = std::nullopt;
    EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, {mbYes, mbNo}), mrNone);

    ASSERT_EQ(presenter.shown.size(), 7u);
    EXPECT_EQ(presenter.shown[0].nType, mtError);
    EXPECT_EQ(presenter.shown[0].nButtons, TMsgDlgButtons{mbOK}.Bits());
    EXPECT_EQ(presenter.shown[0].szText, "File a.cpf not found");
    EXPECT_EQ(presenter.shown[1].nType, mtWarning);
    EXPECT_EQ(presenter.shown[1].szTitle, "Warning");
    EXPECT_EQ(presenter.shown[2].nType, mtInformation);
    EXPECT_EQ(presenter.shown[2].szText, "Brumalis successfully uninstalled");
    EXPECT_EQ(presenter.shown[3].nType, mtConfirmation);
    EXPECT_EQ(presenter.shown[3].nButtons, (TMsgDlgButtons{mbYes, mbNo, mbNoToAll}.Bits()));
    EXPECT_EQ(presenter.shown[4].szText, "Are you sure you want to uninstall X?");
    EXPECT_TRUE(m_sunk.empty());

    // The object store's messages reach the window too.
    const CTMessageCallback previous = InstallStoreMessageDisplay();
    ShowStoreMessage(5012, {"Name"});
    SetMessageCallback(previous);
    ASSERT_EQ(presenter.shown.size(), 8u);
    EXPECT_EQ(presenter.shown[7].nType, mtError);
    EXPECT_EQ(presenter.shown[7].szText, "Value required for 'Name'.");
}

TEST_F(MessageWindowTest, WithoutPresenterTextsGoToTheSinkAndQuestionsGetTheEscapeAnswer) {
    TBaseMsg::DisplayWarning(nullptr, msgFileNotFound, {"b"});
    EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, {mbYes, mbNo, mbCancel}), mrCancel);
    EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, {mbYes, mbNo}), mrNone);
    EXPECT_EQ(TBaseMsg::DisplayQuestion(nullptr, msgSaveChangesFirst, {mbOK}), mrOK);
    std::string szEdited = "stale";
    EXPECT_FALSE(TBaseMsg::DisplayEditString(nullptr, msgUninstall, msgReadOnly, "7", szEdited));
    EXPECT_EQ(szEdited, "");
    const std::vector<std::pair<std::string, int>> expected = {{"File b not found", -1},
                                                               {"File has changed. Save changes first?", -5},
                                                               {"File has changed. Save changes first?", -5},
                                                               {"File has changed. Save changes first?", -5},
                                                               {"Read-only", -4}};
    EXPECT_EQ(m_sunk, expected);
}

TEST_F(MessageWindowTest, UserDialogOfTheCalculationsAsksThroughTheMessageService) {
    CTScriptedPresenter presenter;
    TBaseMsg::SetPresenter(&presenter);
    {
        const TMessageUserDialog dialog;
        ShowUserError(msgFileNotFound, {"e"});
        ShowUserWarning(msgFileNotFound, {"w"});
        ShowUserInformation(msgFileNotFound, {"i"});
        presenter.answer = mbYes;
        EXPECT_TRUE(AskUserYesNo(msgSaveChangesFirst));
        EXPECT_EQ(AskUserYesNoCancel(msgSaveChangesFirst), TDialogAnswer::Yes);
        presenter.answer = mbNo;
        EXPECT_FALSE(AskUserYesNo(msgSaveChangesFirst));
        EXPECT_EQ(AskUserYesNoCancel(msgSaveChangesFirst), TDialogAnswer::No);
        presenter.answer = mbCancel;
        EXPECT_EQ(AskUserYesNoCancel(msgSaveChangesFirst), TDialogAnswer::Cancel);
    }
    ASSERT_EQ(presenter.shown.size(), 8u);
    EXPECT_EQ(presenter.shown[0].nType, mtError);
    EXPECT_EQ(presenter.shown[0].szText, "File e not found");
    EXPECT_EQ(presenter.shown[1].nType, mtWarning);
    EXPECT_EQ(presenter.shown[2].nType, mtInformation);
    EXPECT_EQ(presenter.shown[3].nButtons, (TMsgDlgButtons{mbYes, mbNo}.Bits()));
    EXPECT_EQ(presenter.shown[4].nButtons, (TMsgDlgButtons{mbYes, mbNo, mbCancel}.Bits()));
    // Gone again: the silent default answers.
    EXPECT_FALSE(AskUserYesNo(msgSaveChangesFirst));
    EXPECT_EQ(presenter.shown.size(), 8u);
}

TEST_F(MessageWindowTest, InputWindowEnablesOkForTextTrimsAndRefusesBadNumbers) {
    TInputWindowModel text("T", "P", "  ", {});
    EXPECT_FALSE(text.OkEnabled());
    text.Edit("  Plant A \t");
    EXPECT_TRUE(text.OkEnabled());
    EXPECT_EQ(text.Result(), "Plant A");
    EXPECT_EQ(text.Refusal(), std::nullopt);
    EXPECT_TRUE(TInputWindowModel("T", "P", "", {.bAllowEmpty = true}).OkEnabled());

    const TEditOptions positiveInteger{.bNumericOnly = true, .bIntegerOnly = true};
    const auto RefusalOf = [](const std::string& szTyped, const TEditOptions& options) {
        TInputWindowModel model("T", "P", "", options);
        model.Edit(szTyped);
        const std::optional<TInputRefusal> refusal = model.Refusal();
        return refusal ? std::make_pair(refusal->nMsgNr, refusal->params.at(0)) : std::make_pair(0, model.Result());
    };
    EXPECT_EQ(RefusalOf("0", positiveInteger), std::make_pair(-8, std::string("0")));
    EXPECT_EQ(RefusalOf("-3", positiveInteger), std::make_pair(-8, std::string("-3")));
    EXPECT_EQ(RefusalOf("12", positiveInteger), std::make_pair(0, std::string("12")));
    EXPECT_EQ(RefusalOf("1.5", positiveInteger), std::make_pair(-6, std::string("1.5")));
    EXPECT_EQ(RefusalOf("1e3", positiveInteger), std::make_pair(-6, std::string("1E3")));
    EXPECT_EQ(RefusalOf("-", positiveInteger), std::make_pair(-6, std::string("-")));
    EXPECT_EQ(RefusalOf("99999999999", positiveInteger), std::make_pair(-6, std::string("99999999999")));
    const TEditOptions nonNegative{.bNumericOnly = true, .bIntegerOnly = true, .bAllowZero = true};
    EXPECT_EQ(RefusalOf("-3", nonNegative), std::make_pair(-7, std::string("-3")));
    EXPECT_EQ(RefusalOf("0", nonNegative), std::make_pair(0, std::string("0")));
    const TEditOptions anyInteger{.bNumericOnly = true, .bIntegerOnly = true, .bAllowNegative = true};
    EXPECT_EQ(RefusalOf("-3", anyInteger), std::make_pair(0, std::string("-3")));
    EXPECT_EQ(RefusalOf("0", anyInteger), std::make_pair(-8, std::string("0")));
    // Decimal input keeps the sign and zero rules; letters become zeros.
    const TEditOptions positiveNumber{.bNumericOnly = true};
    EXPECT_EQ(RefusalOf("-1,5", positiveNumber), std::make_pair(-8, std::string("-1.5")));
    EXPECT_EQ(RefusalOf("2x5", positiveNumber), std::make_pair(0, std::string("205")));
    EXPECT_EQ(RefusalOf("", {.bAllowEmpty = true, .bNumericOnly = true}), std::make_pair(0, std::string()));

    // The refusal reads as the window shows it.
    TInputWindowModel zero("T", "P", "", positiveInteger);
    zero.Edit("0");
    const TInputRefusal refusal = *zero.Refusal();
    EXPECT_EQ(TBaseMsg::GetUnicodeString(refusal.nMsgNr, refusal.params), "0 is not a valid positive number");
}

TEST_F(MessageWindowTest, EditStringAnswersTheTrimmedTextOnlyWhenConfirmed) {
    CTScriptedPresenter presenter;
    TBaseMsg::SetPresenter(&presenter);
    presenter.typed = "  Plant B  ";
    std::string szEdited;
    EXPECT_TRUE(TBaseMsg::DisplayEditString(nullptr, msgUninstall, {}, msgFileNotFound, {"x"}, "Plant A", szEdited));
    EXPECT_EQ(szEdited, "Plant B");
    ASSERT_EQ(presenter.inputs.size(), 1u);
    EXPECT_EQ(presenter.inputs[0], std::make_pair(std::string("Uninstall"), std::string("File x not found")));
    EXPECT_EQ(presenter.defaults[0], "Plant A");

    presenter.bConfirm = false;
    EXPECT_FALSE(TBaseMsg::DisplayEditString(nullptr, msgUninstall, msgReadOnly, "Plant A", szEdited));
    EXPECT_EQ(szEdited, "");
}

TEST_F(MessageWindowTest, NumberEditsAreCleanedWithTheCaretBehindTheSameCharacter) {
    const TNumberEdit typed = CleanNumberEdit("12a,5.3", 7);
    EXPECT_EQ(typed.szText, "120.503");
    EXPECT_EQ(typed.nCaret, 7);
    // A dropped blank before the caret moves it back by one.
    EXPECT_EQ(CleanNumberEdit("1 23", 3).szText, "123");
    EXPECT_EQ(CleanNumberEdit("1 23", 3).nCaret, 2);
    EXPECT_EQ(CleanNumberEdit("-1e-5", 2).szText, "-1E-5");
    EXPECT_EQ(CleanNumberEdit("-1e-5", 2).nCaret, 2);
    // One character outside ASCII is one zero, not one per byte.
    EXPECT_EQ(CleanNumberEdit("1б2", 2).szText, "102");
    EXPECT_EQ(CleanNumberEdit("1б2", 2).nCaret, 2);
    EXPECT_EQ(CleanNumberEdit("12", 99).nCaret, 2);
    EXPECT_EQ(CleanNumberEdit("12", -1).nCaret, 0);
    SetDecimalSeparator(',');
    EXPECT_EQ(CleanNumberEdit("12a,5.3", 4).szText, "120,503");
    EXPECT_EQ(CleanNumberEdit("12a,5.3", 4).nCaret, 4);
}

TEST_F(MessageWindowTest, SystemDecimalSeparatorComesFromTheLocaleEnvironment) {
    const char* szOld = std::getenv("LC_ALL");
    const std::optional<std::string> old = szOld ? std::optional<std::string>(szOld) : std::nullopt;
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(UseSystemDecimalSeparator(), ',');
    EXPECT_EQ(DecimalSeparator(), ',');
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(UseSystemDecimalSeparator(), '.');
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(UseSystemDecimalSeparator(), '.');
    if (old) {
        setenv("LC_ALL", old->c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}

}  // namespace
}  // namespace brumalis::dialogs
