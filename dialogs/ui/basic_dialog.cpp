#include "dialogs/ui/basic_dialog.h"

#include <mutex>
#include <vector>

#include <QtCore/QEvent>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QTreeWidget>

#include "dialogs/dialog_rules.h"
#include "dialogs/ui/bottom_panel.h"
#include "dialogs/ui/numeric_edit.h"

namespace brumalis::dialogs::ui {

namespace {

std::mutex g_hookMutex;
TBasicDialog::TLoadedHook g_pLoadedHook;

// Hands focus and mouse entering of a form's widgets to its bottom panel.
class THintTracker : public QObject {
public:
    explicit THintTracker(QWidget* pForm) : QObject(pForm), v_pForm(pForm) {}

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::FocusIn || pEvent->type() == QEvent::Enter) {
            TFraBottomPanelExt::GlobalOnEnterForForm(v_pForm, pWatched);
        }
        return false;
    }

private:
    QWidget* v_pForm;
};

// Items leave pFrom bottom up (indices stay valid) and land in their
// original order at the end of the target.
template <typename TTake, typename TInsert>
void MoveRows(std::vector<int> rows, int nTargetEnd, TTake take, TInsert insert) {
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) insert(nTargetEnd, take(*it));
}

std::vector<int> SelectedRows(const QListWidget* pLbx) {
    std::vector<int> rows;
    for (int i = 0; i < pLbx->count(); ++i) {
        if (pLbx->item(i)->isSelected()) rows.push_back(i);
    }
    return rows;
}

std::vector<int> SelectedRows(const QTreeWidget* pLvw) {
    std::vector<int> rows;
    for (int i = 0; i < pLvw->topLevelItemCount(); ++i) {
        if (pLvw->topLevelItem(i)->isSelected()) rows.push_back(i);
    }
    return rows;
}

void MoveLbxRows(QListWidget* pFrom, QListWidget* pTo, std::vector<int> rows) {
    MoveRows(
        std::move(rows), pTo->count(), [pFrom](int nRow) { return pFrom->takeItem(nRow); },
        [pTo](int nAt, QListWidgetItem* pItem) { pTo->insertItem(nAt, pItem); });
}

void MoveLvwRows(QTreeWidget* pFrom, QTreeWidget* pTo, std::vector<int> rows) {
    MoveRows(
        std::move(rows), pTo->topLevelItemCount(), [pFrom](int nRow) { return pFrom->takeTopLevelItem(nRow); },
        [pTo](int nAt, QTreeWidgetItem* pItem) { pTo->insertTopLevelItem(nAt, pItem); });
}

std::vector<int> AllRows(int nCount) {
    std::vector<int> rows(static_cast<std::size_t>(nCount));
    for (int i = 0; i < nCount; ++i) rows[static_cast<std::size_t>(i)] = i;
    return rows;
}

}  // namespace

TBasicDialog::TBasicDialog(QWidget* pOwner, bool bReadOnly) : QDialog(pOwner), v_readOnly(bReadOnly) {}

TBasicDialog::TLoadedHook TBasicDialog::SetLoadedHook(TLoadedHook pHook) {
    const std::lock_guard lock(g_hookMutex);
    return std::exchange(g_pLoadedHook, std::move(pHook));
}

void TBasicDialog::CallLoadedHook(QWidget* pTopControl) {
    TLoadedHook pHook;
    {
        const std::lock_guard lock(g_hookMutex);
        pHook = g_pLoadedHook;
    }
    if (pHook) pHook(pTopControl);
}

void TBasicDialog::Loaded() {
    CallLoadedHook(this);
    if (v_readOnly) {
        setWindowTitle(QString::fromStdString(ReadOnlyTitle(windowTitle().toStdString())));
        if (auto* pCancel = findChild<QPushButton*>(QStringLiteral("Btn_Cancel"))) pCancel->hide();
    }
    InitMouseHints(this);
    PostInit();
}

int TBasicDialog::Execute() {
    exec();
    return v_retCode;
}

void TBasicDialog::DoCloseWindow(int nRetCode) {
    if (nRetCode == 1 && !ValidateOK()) return;
    v_retCode = nRetCode;
    done(nRetCode);
}

void TBasicDialog::EnableWinControl(QWidget* pCtl, bool bEnab, bool bAlsoNonWinControls) {
    pCtl->setEnabled(bEnab);
    for (QWidget* pChild : pCtl->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (pChild->isWindow()) continue;
        if (qobject_cast<QLabel*>(pChild) != nullptr && !bAlsoNonWinControls) continue;
        EnableWinControl(pChild, bEnab, bAlsoNonWinControls);
    }
}

void TBasicDialog::MoveAllLbxItems(QListWidget* pFromLbx, QListWidget* pToLbx) {
    MoveLbxRows(pFromLbx, pToLbx, AllRows(pFromLbx->count()));
}

void TBasicDialog::MoveSelLbxItems(QListWidget* pFromLbx, QListWidget* pToLbx) {
    MoveLbxRows(pFromLbx, pToLbx, SelectedRows(pFromLbx));
}

void TBasicDialog::CopyListItem(const QTreeWidgetItem* pFrom, QTreeWidget* pTo) {
    pTo->addTopLevelItem(pFrom->clone());
}

void TBasicDialog::MoveAllLvwItems(QTreeWidget* pFromLvw, QTreeWidget* pToLvw) {
    MoveLvwRows(pFromLvw, pToLvw, AllRows(pFromLvw->topLevelItemCount()));
}

void TBasicDialog::MoveSelLvwItems(QTreeWidget* pFromLvw, QTreeWidget* pToLvw) {
    MoveLvwRows(pFromLvw, pToLvw, SelectedRows(pFromLvw));
}

void TBasicDialog::CalculateListColumnWidths(QTreeWidget* pLvw, int nMaxColW) {
    const int nWidthOfW = pLvw->fontMetrics().horizontalAdvance(QLatin1Char('W'));
    const int nDpi = pLvw->logicalDpiX();
    QHeaderView* pHeader = pLvw->header();
    // A stretched last column would ignore its width.
    pHeader->setStretchLastSection(false);
    for (int nCol = 0; nCol < pLvw->columnCount(); ++nCol) {
        // Qt's measure covers texts, icons and check boxes of the column.
        const int nWidest = std::max(static_cast<const QAbstractItemView*>(pLvw)->sizeHintForColumn(nCol),
                                     pHeader->isHidden() ? 0 : pHeader->sectionSizeHint(nCol));
        pLvw->setColumnWidth(nCol, ListColumnWidth(nWidest, nWidthOfW, nDpi, nMaxColW));
    }
}

void TBasicDialog::SafeFocusControl(QWidget* pCtl) {
    std::vector<std::pair<QTabWidget*, int>> pages;
    for (QWidget* pWidget = pCtl; pWidget != nullptr && !pWidget->isWindow(); pWidget = pWidget->parentWidget()) {
        auto* pStack = qobject_cast<QStackedWidget*>(pWidget->parentWidget());
        auto* pTabs = pStack != nullptr ? qobject_cast<QTabWidget*>(pStack->parentWidget()) : nullptr;
        if (pTabs == nullptr) continue;
        const int nIndex = pTabs->indexOf(pWidget);
        if (nIndex < 0 || !pTabs->isTabVisible(nIndex)) return;
        pages.emplace_back(pTabs, nIndex);
    }
    if (!pCtl->window()->isVisible()) return;
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) it->first->setCurrentIndex(it->second);
    pCtl->setFocus(Qt::OtherFocusReason);
}

void TBasicDialog::ShowInMemo(const std::string& szStr, QPlainTextEdit* pMemo, int nMaxLines) {
    pMemo->setPlainText(QString::fromStdString(szStr));
    const int nLines = pMemo->document()->blockCount();
    const int nVisible = MemoVisibleLines(nLines, nMaxLines);
    pMemo->setVerticalScrollBarPolicy(nLines > nVisible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const int nFrame = 2 * pMemo->frameWidth();
    const int nMargins = static_cast<int>(2 * pMemo->document()->documentMargin());
    pMemo->setFixedHeight(nVisible * pMemo->fontMetrics().lineSpacing() + nFrame + nMargins);
}

void TBasicDialog::NrField(QLineEdit* pEdit) { AttachNumericEdit(pEdit); }

void TBasicDialog::InitMouseHints(QWidget* pForm) {
    auto* pTracker = new THintTracker(pForm);
    for (QWidget* pWidget : pForm->findChildren<QWidget*>()) pWidget->installEventFilter(pTracker);
}

}  // namespace brumalis::dialogs::ui
