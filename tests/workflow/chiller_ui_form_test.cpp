#include "workflow/ui/chiller_ui_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "platform/build_identity.h"
#include "tests/platform/private_registry.h"

namespace brumalis::ui {
namespace {

// True when the page's tab icon has no colour: the greyed "nothing to show".
bool TabIconIsGrey(const TChillerUIForm& window, TChillerPage page) {
    const QImage image =
        window.PG_ChillerPages->tabIcon(static_cast<int>(page)).pixmap(QSize(24, 24)).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() > 0 && (colour.red() != colour.green() || colour.green() != colour.blue())) return false;
        }
    }
    return true;
}

class MainWindow : public ::testing::Test {
protected:
    std::unique_ptr<TChillerUIForm> NewWindow() {
        return std::make_unique<TChillerUIForm>(model, [this](std::string_view szTarget) {
            opened.emplace_back(szTarget);
            return true;
        });
    }

    testing::TPrivateRegistry registry;
    TMainWindowModel model{"Brumalis"};
    std::vector<std::string> opened;
};

TEST_F(MainWindow, TheFirstStartLandsOnSettingsByMouseAndKeyboard) {
    model.MarkContentPagesEmpty();
    const auto window = NewWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTabWidget& pages = *window->PG_ChillerPages;
    EXPECT_EQ(pages.currentWidget(), window->Tab_Settings);
    EXPECT_TRUE(TabIconIsGrey(*window, TChillerPage::Results));
    EXPECT_TRUE(TabIconIsGrey(*window, TChillerPage::Basket));
    EXPECT_FALSE(TabIconIsGrey(*window, TChillerPage::Settings));
    EXPECT_FALSE(TabIconIsGrey(*window, TChillerPage::Analysis));

    QTabBar* pBar = pages.tabBar();
    QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->tabRect(static_cast<int>(TChillerPage::Results)).center());
    EXPECT_EQ(pages.currentWidget(), window->Tab_Settings);
    // The arrow key moves on to Results, which has nothing to show either.
    pBar->setFocus();
    QTest::keyClick(pBar, Qt::Key_Right);
    EXPECT_EQ(pages.currentWidget(), window->Tab_Settings);
    QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->tabRect(static_cast<int>(TChillerPage::Analysis)).center());
    EXPECT_EQ(pages.currentWidget(), window->Tab_Analysis);

    // A page that gets content opens; losing it while shown returns to Settings.
    model.SetAvailable(TChillerPage::Results, true);
    EXPECT_FALSE(TabIconIsGrey(*window, TChillerPage::Results));
    QTest::mouseClick(pBar, Qt::LeftButton, {}, pBar->tabRect(static_cast<int>(TChillerPage::Results)).center());
    EXPECT_EQ(pages.currentWidget(), window->Tab_Results);
    model.SetAvailable(TChillerPage::Results, false);
    EXPECT_EQ(pages.currentWidget(), window->Tab_Settings);
}

TEST_F(MainWindow, CommandsCaptionLogosAndHints) {
    const auto window = NewWindow();
    model.AppendVersionToCaption("3.3.4", "2.1", "");
    model.HideSecondLogo();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Brumalis 3.3.4 - 2.1"));
    EXPECT_FALSE(window->Img_SalvikLogo->isVisible());
    EXPECT_TRUE(window->Img_OrvaneLogo->isVisible());
    EXPECT_EQ(window->ACF_Exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(window->ACF_Preferences->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    QStringList commands;
    for (const QAction* pAction : window->AM_Commands->actions()) commands << pAction->objectName();
    EXPECT_EQ(commands.mid(0, 4), (QStringList{"ACF_Open", "ACF_Save", "ACF_Preferences", "ACF_Exit"}));
    EXPECT_EQ(window->ACF_Open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(window->ACF_Save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(window->ACF_Open->isEnabled()) << "without the project commands";

    // The logo opens the maker's address, through the shell and nothing else.
    QTest::mouseClick(window->Img_OrvaneLogo, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<std::string>{platform::MakerWebAddress()});

    // Preferences waits for its dialog; then Ctrl+, opens it.
    EXPECT_FALSE(window->ACF_Preferences->isEnabled());
    int nPreferences = 0;
    window->SetPreferencesHandler([&] { ++nPreferences; });
    EXPECT_TRUE(window->ACF_Preferences->isEnabled());
    window->ACF_Preferences->trigger();
    EXPECT_EQ(nPreferences, 1);

    // The hint line shows the hint of the control entered.
    window->Img_OrvaneLogo->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window->Pnl_Hint->text(), QStringLiteral("Visit the maker's web site"));

    window->ACF_Exit->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindow, PlaceAndMaximisedStateHoldInANewWindow) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect normal(screen.left() + 30, screen.top() + 40, screen.width() / 2, screen.height() / 2);
    {
        const auto window = NewWindow();
        window->setGeometry(normal);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->close();
    }
    {
        const auto window = NewWindow();
        EXPECT_EQ(window->geometry(), normal);
        EXPECT_FALSE(window->isMaximized());
        window->showMaximized();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->close();
    }
    {
        const auto window = NewWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(window->isMaximized());
        window->showNormal();
        QApplication::processEvents();
        EXPECT_EQ(window->geometry(), normal);
        window->close();
    }
    // A place on a screen that has gone comes back onto the screen there is.
    WriteWindowPlacement(platform::Registry().CurrentUser(),
                         TWindowPlacement{{screen.right() + 3000, screen.top() + 10, 400, 300}, false});
    const auto window = NewWindow();
    EXPECT_TRUE(screen.contains(window->geometry())) << window->geometry().x();
    EXPECT_EQ(window->geometry().size(), QSize(400, 300));
}

}  // namespace
}  // namespace brumalis::ui
