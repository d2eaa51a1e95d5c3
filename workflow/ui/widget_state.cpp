#include "workflow/ui/widget_state.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

#include "workflow/window_state.h"

namespace brumalis::ui {
namespace {

// The named widgets of one kind under root, root's own excluded ones left out.
template <class TWidget>
QList<TWidget*> Named(const QWidget& root, const QWidget* pExcept) {
    QList<TWidget*> named;
    for (TWidget* pWidget : root.findChildren<TWidget*>()) {
        if (pWidget != pExcept && !pWidget->objectName().isEmpty()) named.push_back(pWidget);
    }
    return named;
}

// The column header of a grid or a list with columns.
QHeaderView* ColumnHeader(QAbstractItemView& view) {
    if (auto* pTable = qobject_cast<QTableView*>(&view)) return pTable->horizontalHeader();
    if (auto* pTree = qobject_cast<QTreeView*>(&view)) return pTree->header();
    return nullptr;
}

std::vector<int> ToVector(const QList<int>& list) { return std::vector<int>(list.begin(), list.end()); }

}  // namespace

void SaveWidgetState(const QWidget& root, platform::CTSettingsStore& store, const QWidget* pExcept) {
    for (QSplitter* pSplitter : Named<QSplitter>(root, pExcept)) {
        WriteWidgetSizes(store, TWidgetStateKind::SplitterSizes, pSplitter->objectName().toStdString(),
                         ToVector(pSplitter->sizes()));
    }
    for (QTabWidget* pTabs : Named<QTabWidget>(root, pExcept)) {
        WriteCurrentTab(store, pTabs->objectName().toStdString(), pTabs->currentIndex());
    }
    for (QAbstractItemView* pView : Named<QAbstractItemView>(root, pExcept)) {
        QHeaderView* pHeader = ColumnHeader(*pView);
        if (!pHeader || pHeader->count() == 0) continue;
        std::vector<int> widths;
        for (int i = 0; i < pHeader->count(); ++i) widths.push_back(pHeader->sectionSize(i));
        WriteWidgetSizes(store, TWidgetStateKind::ColumnWidths, pView->objectName().toStdString(), widths);
    }
}

void RestoreWidgetState(QWidget& root, const platform::CTSettingsStore& store, const QWidget* pExcept) {
    for (QSplitter* pSplitter : Named<QSplitter>(root, pExcept)) {
        const auto sizes =
            ReadWidgetSizes(store, TWidgetStateKind::SplitterSizes, pSplitter->objectName().toStdString());
        if (sizes && static_cast<int>(sizes->size()) == pSplitter->count()) {
            pSplitter->setSizes(QList<int>(sizes->begin(), sizes->end()));
        }
    }
    for (QTabWidget* pTabs : Named<QTabWidget>(root, pExcept)) {
        const auto nIndex = ReadCurrentTab(store, pTabs->objectName().toStdString());
        if (nIndex && *nIndex < pTabs->count()) pTabs->setCurrentIndex(*nIndex);
    }
    for (QAbstractItemView* pView : Named<QAbstractItemView>(root, pExcept)) {
        QHeaderView* pHeader = ColumnHeader(*pView);
        const auto widths = ReadWidgetSizes(store, TWidgetStateKind::ColumnWidths, pView->objectName().toStdString());
        if (!pHeader || !widths) continue;
        const int nCount = std::min(pHeader->count(), static_cast<int>(widths->size()));
        // A hidden column is stored as 0 and stays as the view has it.
        for (int i = 0; i < nCount; ++i) {
            if ((*widths)[static_cast<std::size_t>(i)] > 0) pHeader->resizeSection(i, (*widths)[static_cast<std::size_t>(i)]);
        }
    }
}

}  // namespace brumalis::ui
