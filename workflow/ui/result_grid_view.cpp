#include "workflow/ui/result_grid_view.h"

#include <algorithm>

#include <QMouseEvent>
#include <QStyle>

namespace brumalis::ui {
namespace {

QString Q(const std::string& sz) { return QString::fromStdString(sz); }

// Item views draw their text inside this margin on either side.
int TextMargins(const QWidget& widget) {
    return 2 * (widget.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &widget) + 1);
}

int WidestText(const QFontMetrics& metrics, const QStringList& texts) {
    int nWidest = 0;
    for (const QString& text : texts) nWidest = std::max(nWidest, metrics.horizontalAdvance(text));
    return nWidest;
}

}  // namespace

TGridRowTitles::TGridRowTitles(QWidget* pParent) : QHeaderView(Qt::Vertical, pParent) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TGridRowTitles::SetTitles(const QStringList& titles, const QStringList& markers) {
    v_markers = markers;
    const QFontMetrics metrics = fontMetrics();
    const int nBlank = metrics.horizontalAdvance(QLatin1Char(' '));
    // The style keeps a header's text this far from either edge.
    const int nHeaderMargins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    v_titleWidth = WidestText(metrics, titles) + nBlank + nHeaderMargins;
    const int nMarkers = WidestText(metrics, markers);
    v_markerWidth = nMarkers > 0 ? nMarkers + nBlank + TextMargins(*this) : 0;
    updateGeometry();
    viewport()->update();
}

QSize TGridRowTitles::sizeHint() const {
    return QSize(v_titleWidth + v_markerWidth, QHeaderView::sizeHint().height());
}

void TGridRowTitles::paintSection(QPainter* pPainter, const QRect& rect, int nLogicalIndex) const {
    // The style draws the section with its title (the row's header item);
    // the marker goes into a column of its own at the right.
    QHeaderView::paintSection(pPainter, rect, nLogicalIndex);
    if (v_markerWidth == 0) return;
    pPainter->save();
    // The style leaves the painter clipped to the title's label.
    pPainter->setClipRect(rect);
    pPainter->setPen(palette().color(QPalette::ButtonText));
    const QRect marker(rect.left() + v_titleWidth, rect.top(), v_markerWidth, rect.height());
    pPainter->drawText(marker, Qt::AlignCenter, v_markers.value(nLogicalIndex));
    pPainter->restore();
}

TResultGridView::TResultGridView(TFrm_ChResultGrid& model, QWidget* pParent)
    : QTableWidget(pParent), v_model(model), v_titles(new TGridRowTitles(this)) {
    setVerticalHeader(v_titles);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectColumns);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    // Tab leaves the grid; the arrow keys move within it.
    setTabKeyNavigation(false);
    // Every mouse-up on a title counts, the second of a quick pair too.
    v_titles->viewport()->installEventFilter(this);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int, int nColumn, int, int) { CurrentColumnChanged(nColumn); });
}

bool TResultGridView::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (pWatched == v_titles->viewport() && pEvent->type() == QEvent::MouseButtonRelease) {
        const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        if (pMouse->button() == Qt::LeftButton) RowTitleClicked(v_titles->logicalIndexAt(pMouse->position().toPoint()));
    }
    return QTableWidget::eventFilter(pWatched, pEvent);
}

int TResultGridView::Blank() const { return fontMetrics().horizontalAdvance(QLatin1Char(' ')); }

int TResultGridView::ColumnWidth(int nColumn) const {
    QStringList texts;
    for (int r = 0; r < rowCount(); ++r) texts.push_back(item(r, nColumn) ? item(r, nColumn)->text() : QString());
    if (const QTableWidgetItem* pHeader = horizontalHeaderItem(nColumn)) texts.push_back(pHeader->text());
    return WidestText(fontMetrics(), texts) + Blank() + TextMargins(*this);
}

void TResultGridView::Refresh() {
    v_bFilling = true;
    clear();
    const int nRows = v_model.RowCount();
    const int nColumns = v_model.UnitCount() + (v_model.HasTotalColumn() ? 1 : 0);
    setRowCount(nRows);
    setColumnCount(nColumns);
    for (int r = 0; r < nRows; ++r) setVerticalHeaderItem(r, new QTableWidgetItem());
    for (int c = 0; c < nColumns; ++c) {
        setHorizontalHeaderItem(c, new QTableWidgetItem());
        for (int r = 0; r < nRows; ++r) setItem(r, c, new QTableWidgetItem());
    }
    // Only a total column has a title ("Solution"); unit columns have none.
    horizontalHeader()->setVisible(v_model.HasTotalColumn());
    ShowTexts();
    const int nCurrent = v_model.GetCurrentPosition();
    if (nCurrent >= 0 && nRows > 0) {
        setCurrentCell(0, nCurrent);
        scrollToItem(item(0, nCurrent));
    }
    v_bFilling = false;
}

void TResultGridView::ShowTexts() {
    QStringList titles, markers;
    for (int r = 0; r < rowCount(); ++r) {
        titles.push_back(Q(v_model.Row(r).title));
        markers.push_back(Q(v_model.SortMarker(r)));
    }
    v_titles->SetTitles(titles, markers);
    for (int r = 0; r < rowCount(); ++r) verticalHeaderItem(r)->setText(titles[r]);
    for (int c = 0; c < columnCount(); ++c) {
        horizontalHeaderItem(c)->setText(Q(v_model.ColumnTitle(c)));
        for (int r = 0; r < rowCount(); ++r) item(r, c)->setText(Q(v_model.CellText(c, r)));
        setColumnWidth(c, ColumnWidth(c));
    }
    updateGeometries();
}

std::string TResultGridView::ShownCell(int nColumn, int nRow) const {
    const QTableWidgetItem* pItem = item(nRow, nColumn);
    return pItem ? pItem->text().toStdString() : std::string();
}

void TResultGridView::CurrentColumnChanged(int nColumn) {
    if (v_bFilling || nColumn < 0 || nColumn >= v_model.UnitCount() || nColumn == v_model.GetCurrentPosition()) return;
    v_model.SetCurrentPosition(nColumn);
    // The price indication is relative to the current unit, and the select
    // callback may have changed the unit's figures.
    ShowTexts();
}

void TResultGridView::RowTitleClicked(int nRow) {
    if (v_model.ClickRowTitle(nRow)) Refresh();
}

void TResultGridView::focusInEvent(QFocusEvent* pEvent) {
    QTableWidget::focusInEvent(pEvent);
    v_model.ControlEntered();
}

int TResultGridView::UnitColumnAt(const QPoint& at) const {
    if (v_model.UnitCount() == 0 || at.x() < 0) return -1;
    // Right of the last column there is no cell: the last unit is meant.
    const int nColumn = columnAt(at.x());
    if (nColumn < 0) return v_model.UnitCount() - 1;
    return nColumn < v_model.UnitCount() ? nColumn : -1;
}

void TResultGridView::mouseReleaseEvent(QMouseEvent* pEvent) {
    QTableWidget::mouseReleaseEvent(pEvent);
    const int nColumn = pEvent->button() == Qt::LeftButton ? UnitColumnAt(pEvent->position().toPoint()) : -1;
    if (nColumn >= 0) setCurrentCell(std::max(currentRow(), 0), nColumn);
}

void TResultGridView::mouseDoubleClickEvent(QMouseEvent* pEvent) {
    QTableWidget::mouseDoubleClickEvent(pEvent);
    // Only on a column's own cells: the total column names no unit, the model says so.
    const int nColumn = pEvent->button() == Qt::LeftButton ? columnAt(pEvent->position().toPoint().x()) : -1;
    if (nColumn >= 0) v_model.DoubleClickColumn(nColumn);
}

}  // namespace brumalis::ui
