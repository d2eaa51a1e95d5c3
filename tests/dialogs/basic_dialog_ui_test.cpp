#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QtTest/QTest>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/dialog_rules.h"
#include "dialogs/messages.h"
#include "dialogs/ui/basic_dialog.h"
#include "dialogs/ui/bottom_panel.h"
#include "tests/ui_support/gui_test_support.h"

namespace brumalis::dialogs::ui {
namespace {

using test::Child;
using test::WhenModalShown;

class TTestDialog : public TBasicDialog {
public:
    TTestDialog(QWidget* pOwner, bool bReadOnly) : TBasicDialog(pOwner, bReadOnly) {
        setWindowTitle(QStringLiteral("Settings"));
        auto* pLayout = new QVBoxLayout(this);
        pLabel = new QLabel(QStringLiteral("Value"), this);
        pLayout->addWidget(pLabel);
        pEdit = new QLineEdit(this);
        pEdit->setObjectName(QStringLiteral("Ed_Value"));
        pEdit->setStatusTip(QStringLiteral("The value to use"));
        pLayout->addWidget(pEdit);
        pPanel = new TFraBottomPanelExt(this);
        pLayout->addWidget(pPanel);
    }

    bool ValidateOK() override {
        ++nValidations;
        return bValid;
    }
    void PostInit() override { szTitleAtPostInit = windowTitle().toStdString(); }

    QLabel* pLabel;
    QLineEdit* pEdit;
    TFraBottomPanelExt* pPanel;
    int nValidations = 0;
    bool bValid = true;
    std::string szTitleAtPostInit;
};

class BasicDialogUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pHook = TBasicDialog::SetLoadedHook(nullptr);
        m_pTranslate = TBaseMsg::SetTranslateFunc(nullptr);
        TBottomPanelSettings::Reset();
    }
    void TearDown() override {
        TBasicDialog::SetLoadedHook(m_pHook);
        TBaseMsg::SetTranslateFunc(m_pTranslate);
        TBottomPanelSettings::Reset();
    }
    TBasicDialog::TLoadedHook m_pHook;
    TTranslateFunc m_pTranslate;
};

TEST_F(BasicDialogUiTest, ReadOnlyDialogIsTranslatedThenTitledWithoutCancelAndClosesWithOk) {
    std::vector<bool> editExistedAtHook;
    TBasicDialog::SetLoadedHook([&](QWidget* pTop) {
        editExistedAtHook.push_back(Child<QLineEdit>(pTop, "Ed_Value") != nullptr);
        if (pTop->windowTitle() == QStringLiteral("Settings")) pTop->setWindowTitle(QStringLiteral("Настройки"));
    });
    TBaseMsg::SetTranslateFunc([](const std::string& sz) { return sz == "Read-only" ? "Только для чтения" : sz; });

    const auto pEditable = TBasicDialog::Create<TTestDialog>(nullptr, false);
    const auto pReadOnly = TBasicDialog::Create<TTestDialog>(nullptr, true);
    EXPECT_EQ(editExistedAtHook, (std::vector<bool>{true, true}));
    EXPECT_EQ(pEditable->windowTitle().toStdString(), "Настройки");
    EXPECT_EQ(pReadOnly->windowTitle().toStdString(), "Настройки (Только для чтения)");
    EXPECT_EQ(pReadOnly->szTitleAtPostInit, "Настройки (Только для чтения)");

    pEditable->show();
    pReadOnly->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pReadOnly.get()));
    QPushButton* pOK = pReadOnly->pPanel->OkButton();
    EXPECT_FALSE(pReadOnly->pPanel->CancelButton()->isVisible());
    EXPECT_TRUE(pOK->isVisible());
    EXPECT_EQ(pOK->text().toStdString(), "&Close");
    EXPECT_EQ(pOK->toolTip().toStdString(), "Close the window");
    EXPECT_EQ(pEditable->pPanel->OkButton()->text().toStdString(), "&OK");
    EXPECT_EQ(pEditable->pPanel->CancelButton()->toolTip().toStdString(), "Reject changes and close window");
    // OK stands where Cancel stands in the editable dialog.
    const auto RightEdge = [](const QWidget* pWidget) {
        return pWidget->mapTo(pWidget->window(), QPoint(pWidget->width(), 0)).x() - pWidget->window()->width();
    };
    EXPECT_EQ(RightEdge(pOK), RightEdge(pEditable->pPanel->CancelButton()));

    QTest::mouseClick(pOK, Qt::LeftButton);
    EXPECT_EQ(pReadOnly->RetCode(), 1);
    EXPECT_EQ(pReadOnly->nValidations, 1);
    EXPECT_FALSE(pReadOnly->isVisible());
}

TEST_F(BasicDialogUiTest, ReturnCodeStartsCancelledAndOkWaitsForValidation) {
    const auto pDialog = TBasicDialog::Create<TTestDialog>(nullptr, false);
    EXPECT_EQ(pDialog->RetCode(), 2);
    WhenModalShown([&](QWidget* pWindow) { QTest::keyClick(pWindow, Qt::Key_Escape); });
    EXPECT_EQ(pDialog->Execute(), 2);
    EXPECT_EQ(pDialog->nValidations, 0);

    pDialog->bValid = false;
    WhenModalShown([&](QWidget* pWindow) {
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
        EXPECT_TRUE(pWindow->isVisible());
        pDialog->bValid = true;
        QTest::mouseClick(Child<QPushButton>(pWindow, "Btn_OK"), Qt::LeftButton);
    });
    EXPECT_EQ(pDialog->Execute(), 1);
    EXPECT_EQ(pDialog->nValidations, 2);

    pDialog->bValid = false;
    WhenModalShown([&](QWidget*) { pDialog->DoCloseWindow(6); });
    EXPECT_EQ(pDialog->Execute(), 6);
    EXPECT_EQ(pDialog->nValidations, 2);
}

TEST_F(BasicDialogUiTest, StatusBarShowsTheHintOfTheControlEnteredByFocusOrMouse) {
    const auto pDialog = TBasicDialog::Create<TTestDialog>(nullptr, false);
    pDialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(pDialog.get()));
    TFraBottomPanelExt& panel = *pDialog->pPanel;

    pDialog->pEdit->setFocus();
    EXPECT_EQ(panel.HintText().toStdString(), "The value to use");
    QTest::mouseMove(panel.CancelButton());
    EXPECT_EQ(panel.HintText().toStdString(), "Reject changes and close window");
    // A label has no hint of its own: the text stays.
    QTest::mouseMove(pDialog->pLabel);
    EXPECT_EQ(panel.HintText().toStdString(), "Reject changes and close window");
    QTest::mouseMove(panel.OkButton());
    EXPECT_EQ(panel.HintText().toStdString(), "Commit changes and close window");
    // A control without a hint clears it; what is no widget clears it too.
    pDialog->pEdit->setStatusTip(QString());
    pDialog->pEdit->setFocus();
    pDialog->pEdit->clearFocus();
    pDialog->pEdit->setFocus();
    EXPECT_EQ(panel.HintText().toStdString(), "");
    TFraBottomPanelExt::GlobalOnEnterForForm(pDialog.get(), panel.OkButton());
    EXPECT_EQ(panel.HintText().toStdString(), "Commit changes and close window");
    QObject plain;
    TFraBottomPanelExt::GlobalOnEnterForForm(pDialog.get(), &plain);
    EXPECT_EQ(panel.HintText().toStdString(), "");

    // With panels the hint goes into the hint panel, when it exists.
    panel.AddStatusPanel(100);
    panel.AddStatusPanel(50);
    panel.SetHintPanelIndex(1);
    panel.GlobalOnEnter(panel.OkButton());
    EXPECT_EQ(panel.StatusPanels()[1]->text().toStdString(), "Commit changes and close window");
    EXPECT_EQ(panel.StatusPanels()[0]->text().toStdString(), "");
    panel.SetHintPanelIndex(5);
    panel.GlobalOnEnter(panel.CancelButton());
    EXPECT_EQ(panel.StatusPanels()[1]->text().toStdString(), "Commit changes and close window");
}

TEST_F(BasicDialogUiTest, ClassLevelStatusBarSettingsApplyToPanelsCreatedAfterwards) {
    const auto pBefore = TBasicDialog::Create<TTestDialog>(nullptr, false);
    TFraBottomPanelExt::SetCtlBarSizeGrip(false);
    TFraBottomPanelExt::SetCtlBarBevel(false);
    const auto pAfter = TBasicDialog::Create<TTestDialog>(nullptr, false);
    EXPECT_TRUE(pBefore->pPanel->StatusBar()->isSizeGripEnabled());
    EXPECT_FALSE(pAfter->pPanel->StatusBar()->isSizeGripEnabled());
    pBefore->pPanel->AddStatusPanel(80);
    pAfter->pPanel->AddStatusPanel(80);
    EXPECT_EQ(pBefore->pPanel->StatusPanels()[0]->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(pAfter->pPanel->StatusPanels()[0]->frameShape(), QFrame::NoFrame);
    TFraBottomPanelExt::SetCtlBarSizeGrip(true);
    EXPECT_TRUE(TBasicDialog::Create<TTestDialog>(nullptr, false)->pPanel->StatusBar()->isSizeGripEnabled());
}

TEST_F(BasicDialogUiTest, EnableWinControlReachesChildrenAndLabelsOnlyWhenAsked) {
    QGroupBox group;
    auto* pEdit = new QLineEdit(&group);
    auto* pInner = new QWidget(&group);
    auto* pDeepEdit = new QLineEdit(pInner);
    auto* pLabel = new QLabel(QStringLiteral("Name"), &group);
    pEdit->setEnabled(false);
    pLabel->setEnabled(false);
    TBasicDialog::EnableWinControl(&group, true, false);
    EXPECT_TRUE(pEdit->isEnabled());
    EXPECT_TRUE(pDeepEdit->isEnabled());
    EXPECT_FALSE(pLabel->isEnabled());
    TBasicDialog::EnableWinControl(&group, true, true);
    EXPECT_TRUE(pLabel->isEnabled());
    TBasicDialog::EnableWinControl(&group, false, false);
    // Explicitly disabled: the edits; the label only greyed with its parent.
    EXPECT_TRUE(pDeepEdit->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_FALSE(pLabel->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_FALSE(group.isEnabled());
}

TEST_F(BasicDialogUiTest, ListMovesTakeTheirDataAndKeepTheirOrder) {
    QListWidget from;
    QListWidget to;
    from.setSelectionMode(QAbstractItemView::MultiSelection);
    for (const char* szName : {"A", "B", "C", "D"}) {
        auto* pItem = new QListWidgetItem(QString::fromLatin1(szName), &from);
        pItem->setData(Qt::UserRole, QString::fromLatin1(szName).toLower());
    }
    from.item(1)->setSelected(true);
    from.item(3)->setSelected(true);
    TBasicDialog::MoveSelLbxItems(&from, &to);
    const auto Texts = [](const QListWidget& list) {
        std::string sz;
        for (int i = 0; i < list.count(); ++i) {
            sz += list.item(i)->text().toStdString() + list.item(i)->data(Qt::UserRole).toString().toStdString();
        }
        return sz;
    };
    EXPECT_EQ(Texts(from), "AaCc");
    EXPECT_EQ(Texts(to), "BbDd");
    TBasicDialog::MoveAllLbxItems(&from, &to);
    EXPECT_EQ(Texts(from), "");
    EXPECT_EQ(Texts(to), "BbDdAaCc");

    QTreeWidget lvwFrom;
    QTreeWidget lvwTo;
    lvwFrom.setColumnCount(2);
    lvwTo.setColumnCount(2);
    lvwFrom.setSelectionMode(QAbstractItemView::MultiSelection);
    for (int i = 0; i < 3; ++i) {
        auto* pItem = new QTreeWidgetItem(&lvwFrom, QStringList{QStringLiteral("Unit %1").arg(i), QStringLiteral("%1 kW").arg(100 * i)});
        pItem->setData(0, Qt::UserRole, i);
        pItem->setCheckState(0, i == 2 ? Qt::Checked : Qt::Unchecked);
    }
    lvwFrom.topLevelItem(0)->setSelected(true);
    lvwFrom.topLevelItem(2)->setSelected(true);
    TBasicDialog::MoveSelLvwItems(&lvwFrom, &lvwTo);
    ASSERT_EQ(lvwTo.topLevelItemCount(), 2);
    EXPECT_EQ(lvwTo.topLevelItem(0)->text(0).toStdString(), "Unit 0");
    EXPECT_EQ(lvwTo.topLevelItem(1)->text(1).toStdString(), "200 kW");
    EXPECT_EQ(lvwTo.topLevelItem(1)->data(0, Qt::UserRole).toInt(), 2);
    EXPECT_EQ(lvwTo.topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(lvwFrom.topLevelItemCount(), 1);
    TBasicDialog::CopyListItem(lvwFrom.topLevelItem(0), &lvwTo);
    EXPECT_EQ(lvwFrom.topLevelItemCount(), 1);
    EXPECT_EQ(lvwTo.topLevelItem(2)->text(1).toStdString(), "100 kW");
    TBasicDialog::MoveAllLvwItems(&lvwTo, &lvwFrom);
    EXPECT_EQ(lvwFrom.topLevelItemCount(), 4);
    EXPECT_EQ(lvwFrom.topLevelItem(1)->text(0).toStdString(), "Unit 0");

    lvwFrom.topLevelItem(0)->setText(1, QStringLiteral("a much longer text than any other cell of the column"));
    TBasicDialog::CalculateListColumnWidths(&lvwFrom, 0);
    const int nWide = lvwFrom.columnWidth(1);
    EXPECT_GT(nWide, lvwFrom.fontMetrics().horizontalAdvance(lvwFrom.topLevelItem(0)->text(1)));
    TBasicDialog::CalculateListColumnWidths(&lvwFrom, 60);
    EXPECT_EQ(lvwFrom.columnWidth(1), 60);
}

TEST_F(BasicDialogUiTest, SafeFocusActivatesThePagesOnTheWayAndSkipsHiddenOnes) {
    QWidget window;
    auto* pLayout = new QVBoxLayout(&window);
    auto* pTabs = new QTabWidget(&window);
    pLayout->addWidget(pTabs);
    auto* pFirst = new QLineEdit;
    auto* pPage = new QWidget;
    auto* pInnerTabs = new QTabWidget(pPage);
    auto* pInnerPage = new QWidget;
    auto* pTarget = new QLineEdit(pInnerPage);
    pInnerTabs->addTab(new QWidget, QStringLiteral("x"));
    pInnerTabs->addTab(pInnerPage, QStringLiteral("y"));
    pTabs->addTab(pFirst, QStringLiteral("One"));
    pTabs->addTab(pPage, QStringLiteral("Two"));
    auto* pHiddenPage = new QWidget;
    auto* pUnreachable = new QLineEdit(pHiddenPage);
    pTabs->addTab(pHiddenPage, QStringLiteral("Three"));
    pTabs->setTabVisible(2, false);

    TBasicDialog::SafeFocusControl(pTarget);  // not shown yet: nothing happens
    EXPECT_EQ(pTabs->currentIndex(), 0);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    TBasicDialog::SafeFocusControl(pTarget);
    EXPECT_EQ(pTabs->currentIndex(), 1);
    EXPECT_EQ(pInnerTabs->currentIndex(), 1);
    EXPECT_TRUE(pTarget->hasFocus());
    TBasicDialog::SafeFocusControl(pUnreachable);
    EXPECT_EQ(pTabs->currentIndex(), 1);
    EXPECT_TRUE(pTarget->hasFocus());
}

TEST_F(BasicDialogUiTest, MemoIsSizedForItsLinesUpToTheLimit) {
    QPlainTextEdit memo;
    const int nLine = memo.fontMetrics().lineSpacing();
    TBasicDialog::ShowInMemo("one\ntwo\nthree", &memo, 5);
    EXPECT_EQ(memo.toPlainText().toStdString(), "one\ntwo\nthree");
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const int nThree = memo.height();
    TBasicDialog::ShowInMemo("1\n2\n3\n4\n5\n6\n7\n8", &memo, 5);
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo.height() - nThree, 2 * nLine);
    TBasicDialog::ShowInMemo("1\n2\n3\n4\n5", &memo, 5);
    EXPECT_EQ(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

}  // namespace
}  // namespace brumalis::dialogs::ui
