// The main window held to the checks every window of the program passes, in
// Russian with the shipped glossary and in English, at 1280 x 800.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "localisation/ui/widget_translation.h"
#include "tests/platform/private_registry.h"
#include "tests/ui_check/ui_check.h"
#include "workflow/ui/chiller_ui_form.h"

namespace brumalis::ui {
namespace {

namespace check = testing::ui;

TEST(MainWindowCheck, RussianAndEnglishAt1280x800) {
    for (const bool bRussian : {true, false}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        testing::TPrivateRegistry registry;
        TMainWindowModel model("Brumalis");
        model.MarkContentPagesEmpty();
        model.AppendVersionToCaption("3.3.4", "2.1", "");
        TChillerUIForm window(model, [](std::string_view) { return true; });
        if (bRussian) TranslateWidgets(check::ShippedInterfaceGlossary(), window);
        window.resize(1280, 800);
        check::ExpectWindowPasses(window, bRussian);
    }
}

// The checks find what they are for.
TEST(MainWindowCheck, TheChecksCatchLatinTextsTabOrderAndSqueezedButtons) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Окно Brumalis"));
    window.resize(400, 300);
    auto* pFirst = new QPushButton(QStringLiteral("Первая"), &window);
    auto* pSecond = new QPushButton(QStringLiteral("Вторая"), &window);
    auto* pThird = new QPushButton(QStringLiteral("Третья"), &window);
    pFirst->setObjectName(QStringLiteral("Btn_First"));
    pSecond->setObjectName(QStringLiteral("Btn_Second"));
    pThird->setObjectName(QStringLiteral("Btn_Third"));
    pFirst->setGeometry(10, 10, 150, 30);
    pSecond->setGeometry(10, 60, 150, 30);
    pThird->setGeometry(10, 110, 150, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(check::LatinTexts(window), std::vector<std::string>{});
    EXPECT_EQ(check::TabOrderProblems(window), std::vector<std::string>{});
    EXPECT_EQ(check::SizeProblems(window), std::vector<std::string>{});

    pSecond->setToolTip(QStringLiteral("Нажмите OK"));
    EXPECT_EQ(check::LatinTexts(window), std::vector<std::string>{"Btn_Second: \"Нажмите OK\""});
    EXPECT_EQ(check::LatinTexts(window, {"OK"}), std::vector<std::string>{});

    QWidget::setTabOrder(pFirst, pThird);
    QWidget::setTabOrder(pThird, pSecond);
    EXPECT_EQ(check::TabOrderProblems(window),
              std::vector<std::string>{"Btn_Second: comes after Btn_Third but lies before it"});

    pThird->setFixedSize(20, 20);
    const std::vector<std::string> sizes = check::SizeProblems(window);
    ASSERT_EQ(sizes.size(), 1U);
    EXPECT_EQ(sizes[0].rfind("Btn_Third: 20x20 below its minimum", 0), 0U) << sizes[0];
}

}  // namespace
}  // namespace brumalis::ui
