#include "documents/ui/table_frames.h"

#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>


namespace brumalis::docui {

namespace {

constexpr QSize kFreezeUpGraphMinimum(320, 200);

QVBoxLayout* TightColumn(QWidget& frame) {
    auto* layout = new QVBoxLayout(&frame);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

}  // namespace

QTableWidget* NewGridTable(QWidget* parent, const char* szName) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(szName));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(false);
    table->setCornerButtonEnabled(false);
    table->horizontalHeader()->setSectionsClickable(false);
    table->verticalHeader()->setSectionsClickable(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Arrows move between cells; Tab moves on to the next control.
    table->setTabKeyNavigation(false);
    return table;
}

void ShowGrid(QTableWidget& table, const TGridData& grid, bool bTitleRow, bool bTitleCol) {
    const int nRow0 = bTitleRow && grid.RowCount() > 0 ? 1 : 0;
    const int nCol0 = bTitleCol && grid.ColCount() > 0 ? 1 : 0;
    const auto text = [&grid](int c, int r) { return QString::fromStdString(grid.Cell(c, r).text); };
    table.clear();
    table.setRowCount(grid.RowCount() - nRow0);
    table.setColumnCount(grid.ColCount() - nCol0);
    table.horizontalHeader()->setVisible(nRow0 == 1);
    table.verticalHeader()->setVisible(nCol0 == 1);
    for (int c = nCol0; c < grid.ColCount(); ++c) {
        auto* title = new QTableWidgetItem(nRow0 ? text(c, 0) : QString());
        title->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);  // over right-aligned figures
        table.setHorizontalHeaderItem(c - nCol0, title);
    }
    for (int r = nRow0; r < grid.RowCount(); ++r) {
        auto* title = new QTableWidgetItem(nCol0 ? text(0, r) : QString());
        title->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        table.setVerticalHeaderItem(r - nRow0, title);
        table.setRowHeight(r - nRow0, grid.RowHeight(r));
        for (int c = nCol0; c < grid.ColCount(); ++c) {
            auto* item = new QTableWidgetItem(text(c, r));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            table.setItem(r - nRow0, c - nCol0, item);
        }
    }
    // The model's widths assume a fixed character width; the table's font may need more.
    table.resizeColumnsToContents();
    for (int c = nCol0; c < grid.ColCount(); ++c) {
        table.setColumnWidth(c - nCol0, std::max(table.columnWidth(c - nCol0), grid.ColWidth(c)));
    }
}

TFrm_ChillerCapPITable::TFrm_ChillerCapPITable(QWidget* parent)
    : QWidget(parent), v_header(new QLabel(this)), v_table(NewGridTable(this, "Grd_CapPI")) {
    setObjectName(QStringLiteral("Frm_ChillerCapPITable"));
    v_header->setObjectName(QStringLiteral("Lbl_HeaderTitle"));
    QVBoxLayout* layout = TightColumn(*this);
    layout->addWidget(v_header);
    layout->addWidget(v_table, 1);
    Show();
}

void TFrm_ChillerCapPITable::SetupWindow(const TPolyCapListCh* TheTable, std::string HeaderTitle) {
    v_model.SetupWindow(TheTable, std::move(HeaderTitle));
    Show();
}

void TFrm_ChillerCapPITable::ClearTable() {
    v_model.ClearTable();
    Show();
}

void TFrm_ChillerCapPITable::Show() {
    v_header->setText(QString::fromStdString(v_model.HeaderTitle()));
    v_header->setVisible(!v_model.HeaderTitle().empty());
    // Leaving-water temperatures down the side, outdoor temperatures across,
    // both in view while the figures scroll.
    ShowGrid(*v_table, v_model.Grid(), true, true);
}

TFrm_ChillerFreezeUp::TFrm_ChillerFreezeUp(QWidget* parent)
    : QWidget(parent), v_table(NewGridTable(this, "Grd_FreezeUp")), v_canvas(new TCanvasView(this)) {
    setObjectName(QStringLiteral("Frm_ChillerFreezeUp"));
    v_canvas->setObjectName(QStringLiteral("PB_FreezeUp"));
    v_canvas->setMinimumSize(kFreezeUpGraphMinimum);
    v_canvas->SetPainter([this](graphics::CTDeviceCanvas& canvas, graphics::TSize) { v_model.Paint(canvas); });
    QVBoxLayout* layout = TightColumn(*this);
    layout->addWidget(v_table);
    layout->addWidget(v_canvas, 1);
    Show();
}

void TFrm_ChillerFreezeUp::SetupWindow(const TFreezeUpCh* Freezeup) {
    v_model.SetupWindow(Freezeup);
    Show();
}

void TFrm_ChillerFreezeUp::ClearTableGraph() {
    v_model.ClearTableGraph();
    Show();
}

void TFrm_ChillerFreezeUp::Show() {
    // The captions sit in the first column.
    ShowGrid(*v_table, v_model.Grid(), false, true);
    // Its two rows and the scroll bar, never a vertical one.
    int nHeight = 2 * v_table->frameWidth() + v_table->horizontalScrollBar()->sizeHint().height();
    for (int r = 0; r < v_table->rowCount(); ++r) nHeight += v_table->rowHeight(r);
    v_table->setFixedHeight(nHeight);
    v_canvas->update();
}

TFrm_ChillerHeatRecovery::TFrm_ChillerHeatRecovery(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("LV_HRData"));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(true);
    setColumnCount(0);
}

void TFrm_ChillerHeatRecovery::SetupWindow(const CTRecordList<Cls_ChHRTotalPartial>& HRTable) {
    v_model.SetupWindow(HRTable);
    clear();
    const auto& columns = v_model.Columns();
    QStringList captions;
    for (const graphs::TListColumn& column : columns) captions << QString::fromStdString(column.Caption);
    setColumnCount(int(columns.size()));
    setHeaderLabels(captions);
    const auto alignment = [&columns](int c) {
        return (columns[std::size_t(c)].bRightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    };
    for (int c = 0; c < int(columns.size()); ++c) headerItem()->setTextAlignment(c, alignment(c));
    for (const auto& cells : v_model.Rows()) {
        auto* item = new QTreeWidgetItem(this);
        for (int c = 0; c < int(cells.size()); ++c) {
            item->setText(c, QString::fromStdString(cells[std::size_t(c)]));
            item->setTextAlignment(c, alignment(c));
        }
    }
    // Every column as wide as its widest text or caption and a little room,
    // so right-aligned figures do not run into the next column; the empty
    // last one takes the rest.
    const int nRoom = 2 * fontMetrics().averageCharWidth();
    for (int c = 0; c + 1 < columnCount(); ++c) {
        resizeColumnToContents(c);
        setColumnWidth(c, columnWidth(c) + nRoom);
    }
}

}  // namespace brumalis::docui
