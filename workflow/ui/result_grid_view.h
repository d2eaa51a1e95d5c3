// A result grid on screen: the row titles and sort markers stay at the left
// while the unit columns scroll under them; every cell shows the model's own
// text. Clicks and keys move the current unit, a click on a sortable title
// sorts, a double-click names the unit; each goes to the model, which holds
// every rule. The Results, Plant Builder and Basket pages each show one.
#pragma once

#include <string>

#include <QHeaderView>
#include <QTableWidget>

#include "workflow/result_grid.h"

namespace brumalis::ui {

// The fixed columns: each row's title, then its sort marker in a column of
// its own (several units only).
class TGridRowTitles final : public QHeaderView {
    Q_OBJECT

public:
    explicit TGridRowTitles(QWidget* pParent);
    // The two columns' widths (text plus one blank) and the markers; the
    // titles are the rows' header items.
    void SetTitles(const QStringList& titles, const QStringList& markers);
    QString Title(int nRow) const { return model() ? model()->headerData(nRow, Qt::Vertical).toString() : QString(); }
    QString Marker(int nRow) const { return v_markers.value(nRow); }
    int TitleWidth() const { return v_titleWidth; }
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* pPainter, const QRect& rect, int nLogicalIndex) const override;

private:
    QStringList v_markers;
    int v_titleWidth = 0;
    int v_markerWidth = 0;
};

class TResultGridView final : public QTableWidget {
    Q_OBJECT

public:
    // The model outlives the view.
    TResultGridView(TFrm_ChResultGrid& model, QWidget* pParent = nullptr);

    // Everything anew from the model: rows, markers, unit columns, the
    // current unit.
    void Refresh();
    TFrm_ChResultGrid& Model() const { return v_model; }
    TGridRowTitles& RowTitles() const { return *v_titles; }
    // What a cell shows (unit column, or the total column at UnitCount()).
    std::string ShownCell(int nColumn, int nRow) const;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    // The texts of the cells the last Refresh made.
    void ShowTexts();
    void CurrentColumnChanged(int nColumn);
    void RowTitleClicked(int nRow);
    // The unit column at a point of the cells, the last one right of it; -1 when none.
    int UnitColumnAt(const QPoint& at) const;
    int ColumnWidth(int nColumn) const;
    int Blank() const;

    TFrm_ChResultGrid& v_model;
    TGridRowTitles* v_titles;
    bool v_bFilling = false;
};

}  // namespace brumalis::ui
