#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialogs/dialog_rules.h"
#include "dialogs/messages.h"

namespace brumalis::dialogs {
namespace {

TEST(DialogRulesTest, ReadOnlyTitleAppendsTheTranslatedMessage) {
    EXPECT_EQ(ReadOnlyTitle("Print parameters"), "Print parameters (Read-only)");
    const TTranslateFunc previous =
        TBaseMsg::SetTranslateFunc([](const std::string& sz) { return sz == "Read-only" ? "Только для чтения" : sz; });
    EXPECT_EQ(ReadOnlyTitle("Печать"), "Печать (Только для чтения)");
    TBaseMsg::SetTranslateFunc(previous);
}

TEST(DialogRulesTest, EnteringShowsControlHintsKeepsTextForBareContainersAndClearsOtherwise) {
    EXPECT_EQ(StatusTextOnEnter(TEnteredKind::Control, "Commit"), "Commit");
    EXPECT_EQ(StatusTextOnEnter(TEnteredKind::Control, ""), "");
    EXPECT_EQ(StatusTextOnEnter(TEnteredKind::Container, ""), std::nullopt);
    EXPECT_EQ(StatusTextOnEnter(TEnteredKind::Container, "Panel"), "Panel");
    EXPECT_EQ(StatusTextOnEnter(TEnteredKind::Other, "ignored"), "");
}

TEST(DialogRulesTest, ClassSettingsStayUnsetUntilMadeAndResetForgetsThem) {
    TBottomPanelSettings::Reset();
    EXPECT_FALSE(TBottomPanelSettings::Current().bSizeGrip.has_value());
    TBottomPanelSettings::SetCtlBarSysFont(true);
    TBottomPanelSettings::SetCtlBarBevel(false);
    const TBottomPanelSettings settings = TBottomPanelSettings::Current();
    EXPECT_FALSE(settings.bSizeGrip.has_value());
    EXPECT_EQ(settings.bSysFont, true);
    EXPECT_EQ(settings.bBevel, false);
    TBottomPanelSettings::Reset();
    EXPECT_FALSE(TBottomPanelSettings::Current().bSysFont.has_value());
}

TEST(DialogRulesTest, ColumnWidthsAndMemoLines) {
    EXPECT_EQ(ListColumnWidth(100, 11, 96, 0), 119);   // W + 2 + 6 below 120 dpi
    EXPECT_EQ(ListColumnWidth(100, 11, 120, 0), 113);
    EXPECT_EQ(ListColumnWidth(100, 11, 144, 50), 50);
    EXPECT_EQ(ListColumnWidth(10, 11, 144, 50), 23);
    EXPECT_EQ(MemoVisibleLines(3, 5), 3);
    EXPECT_EQ(MemoVisibleLines(8, 5), 5);
    EXPECT_EQ(MemoVisibleLines(0, 5), 1);
    EXPECT_EQ(MemoVisibleLines(4, 0), 1);
}

}  // namespace
}  // namespace brumalis::dialogs
