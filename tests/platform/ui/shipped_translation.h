// The windows in the shipped glossary's language while it lives: numbered
// messages and every dialog's widgets, as the program installs them.
#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include <string>
#include <vector>

#include "dialogs/messages.h"
#include "dialogs/ui/basic_dialog.h"
#include "localisation/ui/widget_translation.h"
#include "tests/ui_check/ui_check.h"

namespace brumalis::test {

class CTRussianWindows {
public:
    CTRussianWindows()
        : v_previous(dialogs::TBaseMsg::SetTranslateFunc([](const std::string& szText) {
              return testing::ui::ShippedInterfaceGlossary().Translate(szText).value_or(szText);
          })),
          v_previousHook(dialogs::ui::TBasicDialog::SetLoadedHook([](QWidget* pTop) {
              brumalis::ui::TranslateWidgets(testing::ui::ShippedInterfaceGlossary(), *pTop);
          })) {}
    ~CTRussianWindows() {
        dialogs::TBaseMsg::SetTranslateFunc(v_previous);
        dialogs::ui::TBasicDialog::SetLoadedHook(v_previousHook);
    }
    CTRussianWindows(const CTRussianWindows&) = delete;
    CTRussianWindows& operator=(const CTRussianWindows&) = delete;

private:
    dialogs::TTranslateFunc v_previous;
    dialogs::ui::TBasicDialog::TLoadedHook v_previousHook;
};

// The window checks for a window that shows data in Latin letters (file
// names, addresses, the maker's name): those words pass in Russian.
inline void ExpectWindowPassesShowing(QWidget& window, bool bRussian, const std::vector<std::string>& dataWords) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (bRussian) {
        EXPECT_EQ(testing::ui::LatinTexts(window, dataWords), std::vector<std::string>{});
    }
    EXPECT_EQ(testing::ui::TabOrderProblems(window), std::vector<std::string>{});
    EXPECT_EQ(testing::ui::SizeProblems(window), std::vector<std::string>{});
    window.close();
}

}  // namespace brumalis::test
