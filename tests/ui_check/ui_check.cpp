#include "tests/ui_check/ui_check.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "localisation/embedded_glossary.h"

namespace brumalis::testing::ui {
namespace {

QString Name(const QObject& object) {
    const QString name = object.objectName();
    return name.isEmpty() ? QString::fromLatin1(object.metaObject()->className()) : name;
}

std::string Line(const QObject& object, const QString& szWhat) { return (Name(object) + ": " + szWhat).toStdString(); }

// The texts of one widget that the user can read.
QStringList ReadableTexts(const QWidget& widget) {
    QStringList texts{widget.toolTip()};
    if (widget.isWindow()) texts << widget.windowTitle();
    if (const auto* pLabel = qobject_cast<const QLabel*>(&widget)) texts << pLabel->text();
    if (const auto* pButton = qobject_cast<const QAbstractButton*>(&widget)) texts << pButton->text();
    if (const auto* pGroup = qobject_cast<const QGroupBox*>(&widget)) texts << pGroup->title();
    if (const auto* pTabs = qobject_cast<const QTabBar*>(&widget)) {
        for (int i = 0; i < pTabs->count(); ++i) texts << pTabs->tabText(i) << pTabs->tabToolTip(i);
    }
    if (const auto* pCombo = qobject_cast<const QComboBox*>(&widget)) {
        for (int i = 0; i < pCombo->count(); ++i) texts << pCombo->itemText(i);
    }
    if (const auto* pList = qobject_cast<const QListWidget*>(&widget)) {
        for (int i = 0; i < pList->count(); ++i) texts << pList->item(i)->text();
    }
    if (const auto* pTree = qobject_cast<const QTreeWidget*>(&widget)) {
        for (int i = 0; i < pTree->columnCount(); ++i) texts << pTree->headerItem()->text(i);
    }
    if (const auto* pTable = qobject_cast<const QTableWidget*>(&widget)) {
        for (int i = 0; i < pTable->columnCount(); ++i) {
            if (const QTableWidgetItem* pItem = pTable->horizontalHeaderItem(i)) texts << pItem->text();
        }
    }
    for (const QAction* pAction : widget.actions()) texts << pAction->text() << pAction->statusTip();
    return texts;
}

// Hidden widgets count: a hint or a page shows them later. The toolkit's
// own parts (objects named "qt_...") are the toolkit's business.
std::vector<const QWidget*> FormWidgets(const QWidget& window) {
    std::vector<const QWidget*> widgets{&window};
    for (const QWidget* pChild : window.findChildren<QWidget*>()) {
        if (!pChild->objectName().startsWith(QLatin1String("qt_"))) widgets.push_back(pChild);
    }
    return widgets;
}

bool ReadingOrderBefore(const QRect& a, const QRect& b) {
    if (a.bottom() < b.top()) return true;
    if (b.bottom() < a.top()) return false;
    return a.left() < b.left();
}

QRect GlobalRect(const QWidget& widget) { return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size()); }

// A widget with a focus proxy hands its focus on: the proxy is the control.
bool TakesTab(const QWidget& widget) {
    return (widget.focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget.isVisible() && widget.isEnabled() &&
           !widget.focusProxy() && !widget.objectName().startsWith(QLatin1String("qt_"));
}

}  // namespace

std::vector<std::string> ReviewedLatinWords() {
    return {"EER", "COP", "ESEER", "IPLV", "STD", "Eurovent", "Brumalis"};
}

const CTGlossary& ShippedInterfaceGlossary() {
    static const CTGlossary* pGlossary = [] {
        auto* p = new CTGlossary();
        LoadEmbeddedGlossary(*p, "UIGLOSSARY", "UIGlossary");
        return p;
    }();
    return *pGlossary;
}

std::vector<std::string> LatinTexts(const QWidget& window, const std::vector<std::string>& extraAllowed) {
    std::set<QString> allowed;
    for (const std::string& word : ReviewedLatinWords()) allowed.insert(QString::fromStdString(word));
    for (const std::string& word : extraAllowed) allowed.insert(QString::fromStdString(word));
    static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]+"));
    std::vector<std::string> problems;
    for (const QWidget* pWidget : FormWidgets(window)) {
        for (const QString& text : ReadableTexts(*pWidget)) {
            for (auto it = latinWord.globalMatch(text); it.hasNext();) {
                if (allowed.count(it.next().captured()) == 0) {
                    problems.push_back(Line(*pWidget, QStringLiteral("\"%1\"").arg(text)));
                    break;
                }
            }
        }
    }
    return problems;
}

std::vector<std::string> TabOrderProblems(QWidget& window) {
    if (!window.isVisible()) window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return {Line(window, QStringLiteral("never became active"))};
    std::vector<QWidget*> controls;
    for (QWidget* pChild : window.findChildren<QWidget*>()) {
        if (TakesTab(*pChild)) controls.push_back(pChild);
    }
    if (controls.empty()) return {};
    std::sort(controls.begin(), controls.end(),
              [](const QWidget* a, const QWidget* b) { return ReadingOrderBefore(GlobalRect(*a), GlobalRect(*b)); });
    controls.front()->setFocus(Qt::TabFocusReason);

    std::vector<std::string> problems;
    std::vector<QWidget*> reached{controls.front()};
    for (std::size_t nPress = 0; nPress <= controls.size(); ++nPress) {
        QWidget* pBefore = QApplication::focusWidget();
        if (!pBefore) break;
        QTest::keyClick(pBefore, Qt::Key_Tab);
        QWidget* pNow = QApplication::focusWidget();
        if (!pNow || pNow == controls.front()) break;
        if (std::find(reached.begin(), reached.end(), pNow) != reached.end()) {
            problems.push_back(Line(*pNow, QStringLiteral("reached twice before the round ended")));
            break;
        }
        if (ReadingOrderBefore(GlobalRect(*pNow), GlobalRect(*pBefore))) {
            problems.push_back(Line(*pNow, QStringLiteral("comes after %1 but lies before it").arg(Name(*pBefore))));
        }
        reached.push_back(pNow);
    }
    for (QWidget* pControl : controls) {
        if (std::find(reached.begin(), reached.end(), pControl) == reached.end()) {
            problems.push_back(Line(*pControl, QStringLiteral("not reached by Tab")));
        }
    }
    return problems;
}

std::vector<std::string> SizeProblems(const QWidget& window) {
    std::vector<std::string> problems;
    for (const QWidget* pWidget : FormWidgets(window)) {
        if (!pWidget->isVisible()) continue;
        if (!qobject_cast<const QLabel*>(pWidget) && !qobject_cast<const QAbstractButton*>(pWidget)) continue;
        const QSize minimum = pWidget->minimumSizeHint();
        if (pWidget->width() < minimum.width() || pWidget->height() < minimum.height()) {
            problems.push_back(Line(*pWidget, QStringLiteral("%1x%2 below its minimum %3x%4")
                                                  .arg(pWidget->width())
                                                  .arg(pWidget->height())
                                                  .arg(minimum.width())
                                                  .arg(minimum.height())));
        }
    }
    return problems;
}

void ExpectWindowPasses(QWidget& window, bool bRussian, const std::vector<std::string>& extraAllowed) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (bRussian) {
        EXPECT_EQ(LatinTexts(window, extraAllowed), std::vector<std::string>{});
    }
    EXPECT_EQ(TabOrderProblems(window), std::vector<std::string>{});
    EXPECT_EQ(SizeProblems(window), std::vector<std::string>{});
    window.close();
}

}  // namespace brumalis::testing::ui
