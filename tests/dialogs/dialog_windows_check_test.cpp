// The message and input windows held to the checks every window of the
// program passes: Russian through the shipped glossary, and English.
#include <gtest/gtest.h>

#include <QTest>

#include <chrono>
#include <optional>

#include "dialogs/messages.h"
#include "dialogs/ui/busy_window.h"
#include "dialogs/ui/logon_window.h"
#include "dialogs/ui/message_windows.h"
#include "localisation/ui/widget_translation.h"
#include "tests/ui_check/ui_check.h"

namespace brumalis::dialogs::ui {
namespace {

namespace check = testing::ui;

// The windows in the glossary's language while it lives: the messages'
// texts and every dialog's widgets, as the program installs them.
class CTShippedTranslation {
public:
    CTShippedTranslation()
        : v_previous(TBaseMsg::SetTranslateFunc([](const std::string& szText) {
              return check::ShippedInterfaceGlossary().Translate(szText).value_or(szText);
          })),
          v_previousHook(TBasicDialog::SetLoadedHook([](QWidget* pTop) {
              brumalis::ui::TranslateWidgets(check::ShippedInterfaceGlossary(), *pTop);
          })) {}
    ~CTShippedTranslation() {
        TBaseMsg::SetTranslateFunc(v_previous);
        TBasicDialog::SetLoadedHook(v_previousHook);
    }
    CTShippedTranslation(const CTShippedTranslation&) = delete;
    CTShippedTranslation& operator=(const CTShippedTranslation&) = delete;

private:
    TTranslateFunc v_previous;
    TBasicDialog::TLoadedHook v_previousHook;
};

using check::ExpectWindowPasses;

TEST(DialogWindowsCheck, EveryMessageTypeAndTheInputWindowInRussianAndEnglish) {
    for (const bool bRussian : {true, false}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        std::optional<CTShippedTranslation> translation;
        if (bRussian) translation.emplace();
        const std::vector<std::pair<TMsgDlgType, TMsgDlgButtons>> kinds = {
            {mtError, {mbOK}},
            {mtWarning, {mbOK, mbCancel}},
            {mtInformation, {mbOK}},
            {mtConfirmation, {mbYes, mbNo, mbCancel}},
            {mtConfirmation, {mbYes, mbYesToAll, mbNo, mbNoToAll, mbAll, mbCancel}},
            {mtWarning, {mbAbort, mbRetry, mbIgnore}},
        };
        for (const auto& [nType, buttons] : kinds) {
            SCOPED_TRACE(nType);
            TMessageWindow window(nullptr, TMessageWindowModel(nType, buttons, TBaseMsg::GetUnicodeString(msgSaveChangesFirst)));
            ExpectWindowPasses(window, bRussian);
        }
        TInputWindowModel input(TBaseMsg::Translate("Save project"), TBaseMsg::Translate("Project"), "", {});
        TInputWindow inputWindow(nullptr, input);
        ExpectWindowPasses(inputWindow, bRussian);
        for (const bool bReadOnly : {false, true}) {
            const auto pLogon = TBasicDialog::Create<TFrm_Logon>(nullptr, bReadOnly);
            ExpectWindowPasses(*pLogon, bRussian);
        }
        auto now = std::chrono::steady_clock::now();
        const auto pBusy = TBasicDialog::Create<TFrm_Busy>(nullptr, false, [&now] { return now; });
        pBusy->Start(TBaseMsg::Translate("Open project"), "", 4);
        now += std::chrono::seconds(1);
        pBusy->Step();
        ExpectWindowPasses(*pBusy, bRussian);
    }
}

}  // namespace
}  // namespace brumalis::dialogs::ui
