// The table frames of the detail pages, each over its GUI-free view model:
// the capacity or power-input table, the freeze-up table with its curve and
// the heat-recovery list. A Setup call fills the model and shows it at
// once; Clear leaves the empty look the page starts with.
#pragma once

#include <QtWidgets/QTableWidget>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QWidget>

#include "catalogue/table_grid.h"
#include "documents/graphs/capacity_views.h"
#include "documents/graphs/freeze_up_view.h"
#include "documents/graphs/heat_recovery_view.h"
#include "documents/ui/canvas_view.h"

class QLabel;

namespace brumalis::docui {

// Copies the grid into the table: texts, column widths (widened where the
// table's font needs more), row heights. The grid's first row and first
// column, when they are titles, become the table's headers, so they stay
// in view while the figures scroll.
void ShowGrid(QTableWidget& table, const TGridData& grid, bool bTitleRow, bool bTitleCol);

// A read-only table whose headers are the grid's titles.
QTableWidget* NewGridTable(QWidget* parent, const char* szName);

class TFrm_ChillerCapPITable : public QWidget {
public:
    explicit TFrm_ChillerCapPITable(QWidget* parent = nullptr);

    // No table clears the frame.
    void SetupWindow(const TPolyCapListCh* TheTable, std::string HeaderTitle);
    // An empty 2 × 2 grid: a title row and column and one empty cell.
    void ClearTable();

    const graphs::TFrm_ChillerCapPITable& Model() const { return v_model; }
    QTableWidget& Table() const { return *v_table; }
    QLabel& Header() const { return *v_header; }

private:
    void Show();

    graphs::TFrm_ChillerCapPITable v_model;
    QLabel* v_header;
    QTableWidget* v_table;
};

// The defrost correction as a two-row table ("Correction factor", then
// "Temperature (unit)") over its curve.
class TFrm_ChillerFreezeUp : public QWidget {
public:
    explicit TFrm_ChillerFreezeUp(QWidget* parent = nullptr);

    void SetupWindow(const TFreezeUpCh* Freezeup);
    void ClearTableGraph();

    const graphs::TFrm_ChillerFreezeUp& Model() const { return v_model; }
    QTableWidget& Table() const { return *v_table; }
    TCanvasView& Canvas() const { return *v_canvas; }

private:
    void Show();

    graphs::TFrm_ChillerFreezeUp v_model;
    QTableWidget* v_table;
    TCanvasView* v_canvas;
};

// The recovery rows as a list whose columns fit their widest text.
class TFrm_ChillerHeatRecovery : public QTreeWidget {
public:
    explicit TFrm_ChillerHeatRecovery(QWidget* parent = nullptr);

    void SetupWindow(const CTRecordList<Cls_ChHRTotalPartial>& HRTable);
    void ClearList() { SetupWindow({}); }

    const graphs::TFrm_ChillerHeatRecovery& Model() const { return v_model; }

private:
    graphs::TFrm_ChillerHeatRecovery v_model;
};

}  // namespace brumalis::docui
