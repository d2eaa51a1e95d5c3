#include "documents/ui/graph_frames.h"

#include <QtWidgets/QColorDialog>
#include <QtWidgets/QVBoxLayout>

#include "dialogs/messages.h"
#include "catalogue/unit_records.h"
#include "documents/graphs/report_figures.h"
#include "documents/ui/qt_colors.h"

namespace brumalis::docui {

namespace {

// Room for the axes, eleven labels across and two legend rows.
constexpr QSize kGraphMinimum(320, 220);

}  // namespace

graphs::TColorChooser DialogColorChooser(QWidget* parent) {
    return [parent](graphics::TColor nCurrent) -> std::optional<graphics::TColor> {
        const QString title = QString::fromStdString(dialogs::TBaseMsg::Translate("Series colour"));
        // Qt's own dialog on every desktop, so the chosen colour comes back the same way.
        const QColor color = QColorDialog::getColor(ToQColor(nCurrent, parent->palette()), parent, title,
                                                    QColorDialog::DontUseNativeDialog);
        if (!color.isValid()) return std::nullopt;
        return graphics::RGBColor(std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue()));
    };
}

void PlaceCanvas(QWidget& frame, TCanvasView& canvas) {
    auto* layout = new QVBoxLayout(&frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&canvas);
    canvas.setObjectName(QStringLiteral("PB_Graph"));
    canvas.setMinimumSize(kGraphMinimum);
}

TFrm_ChillerCapPIGraph::TFrm_ChillerCapPIGraph(QWidget* parent) : TLegendGraphFrame(parent) {
    setObjectName(QStringLiteral("Frm_ChillerCapPIGraph"));
}

TFrm_ChillerPressureDrop::TFrm_ChillerPressureDrop(QWidget* parent) : TLegendGraphFrame(parent) {
    setObjectName(QStringLiteral("Frm_ChillerPressureDrop"));
}

TFrm_CapTableOpRange::TFrm_CapTableOpRange(QWidget* parent) : QScrollArea(parent), v_canvas(new TCanvasView) {
    setObjectName(QStringLiteral("Frm_CapTableOpRange"));
    v_canvas->setObjectName(QStringLiteral("PB_OpRange"));
    v_canvas->setFixedSize(kWidth, kHeight);
    v_canvas->SetPainter([this](graphics::CTDeviceCanvas& canvas, graphics::TSize size) {
        v_model.Paint(canvas, size.cx, size.cy);
    });
    v_model.SetRepaint([this] { v_canvas->update(); });
    setWidget(v_canvas);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Base);
}

void TFrm_CapTableOpRange::SetupWindow(const Cls_ChOutdoorUnit* TheUnit, const TPolyCapListCh* TheTable,
                                       double RangeTemp) {
    if (!TheUnit || !TheTable) {
        ClearGraph();
        return;
    }
    graphs::PrepareOperatingRange(v_model, *TheUnit, *TheTable, RangeTemp);
    v_model.SetupWindow(TheUnit);
}

}  // namespace brumalis::docui
