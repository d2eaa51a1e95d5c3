// The detail pages' graph and table frames over units of the shipped
// catalogue, offscreen, with a private settings store.
#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QVBoxLayout>

#include <memory>
#include <optional>

#include "catalogue/capacity_table.h"
#include "catalogue/freeze_up.h"
#include "catalogue/unit_classes.h"
#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "documents/ui/graph_frames.h"
#include "documents/ui/table_frames.h"
#include "platform/settings_store.h"
#include "tests/catalogue_gen/shipped_catalogue.h"
#include "tests/ui_check/ui_check.h"
#include "tests/ui_support/gui_test_support.h"

namespace brumalis::docui {
namespace {

using namespace graphics;
using graphs::LegendPartCentre;
using graphs::TLegendPart;

class Frames : public brumalis::testing::ShippedCatalogue {
protected:
    void SetUp() override {
        registry = std::make_unique<platform::CTRegistry>(std::make_shared<platform::CTMemorySettingsStore>(),
                                                          std::make_shared<platform::CTMemorySettingsStore>(true));
        substitute = std::make_unique<platform::CTRegistrySubstitute>(*registry);
        graphs::TLegend::ResetColor();
        TU_Form::SetNewIndex(U_Temperature, 0, false);
    }
    void TearDown() override {
        TU_Form::SetNewIndex(U_Temperature, 0, false);
        substitute.reset();
        registry.reset();
    }

    // The first unit of the family whose cooling table has at least two series.
    static Cls_ChOutdoorUnit* UnitOf(std::int32_t nFamily, std::int32_t nCondenser = -1) {
        for (const auto& pUnit : s_units) {
            if (pUnit->GetFamily() != nFamily) continue;
            if (nCondenser >= 0 && pUnit->GetCondenserType() != nCondenser) continue;
            const TPolyCapListCh* pTable = pUnit->GetCapPITable(nullptr, 3);
            if (pTable && pTable->GetLWETempStrings().size() >= 2) return pUnit.get();
        }
        return nullptr;
    }
    // The first unit with built-in heat recovery rows.
    static Cls_ChOutdoorUnit* RecoveryUnit() {
        for (const auto& pUnit : s_units) {
            if (pUnit->GetFamily() == famHeatRecovery && !pUnit->GetHRTable(nullptr).empty()) return pUnit.get();
        }
        return nullptr;
    }
    // Shown, laid out and painted, so the model knows its legend layout.
    static QImage Painted(QWidget& frame, TCanvasView& canvas) {
        if (!frame.isVisible()) {
            frame.resize(640, 420);
            frame.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
        }
        return canvas.grab().toImage();
    }
    static void Click(TCanvasView& canvas, const graphs::TLegendLayout& layout, int nIndex, TLegendPart part) {
        const TPoint p = LegendPartCentre(layout, nIndex, part);
        QTest::mouseClick(&canvas, Qt::LeftButton, {}, QPoint(p.X, p.Y));
    }
    static int Count(const QImage& image, QColor color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == color ? 1 : 0;
        return n;
    }
    // Curves are smoothed: pixels within a small distance of the colour.
    static int CountLike(const QImage& image, QColor color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                             std::abs(c.blue() - color.blue()) <= 90
                         ? 1
                         : 0;
            }
        return n;
    }
    static QColor ToQ(TColor nColor) { return QColor(GetRValue(nColor), GetGValue(nColor), GetBValue(nColor)); }
    // The grid as the user reads it: a shown header is its title row or column.
    static int TitleRows(const QTableWidget& table) { return table.horizontalHeader()->isHidden() ? 0 : 1; }
    static int TitleCols(const QTableWidget& table) { return table.verticalHeader()->isHidden() ? 0 : 1; }
    static QSize GridSize(const QTableWidget& table) {
        return {table.columnCount() + TitleCols(table), table.rowCount() + TitleRows(table)};
    }
    static std::string CellText(const QTableWidget& table, int nRow, int nCol) {
        const int r = nRow - TitleRows(table), c = nCol - TitleCols(table);
        if (r < 0 && c < 0) return "";  // the corner
        const QTableWidgetItem* item =
            r < 0 ? table.horizontalHeaderItem(c) : c < 0 ? table.verticalHeaderItem(r) : table.item(r, c);
        return item ? item->text().toStdString() : std::string("<none>");
    }

    std::unique_ptr<platform::CTRegistry> registry;
    std::unique_ptr<platform::CTRegistrySubstitute> substitute;
};

TEST_F(Frames, ALegendClickHidesASeriesAScriptedColourRecoloursItAndBothHoldInANewFrame) {
    Cls_ChOutdoorUnit* pUnit = UnitOf(famHeatPump);
    ASSERT_NE(pUnit, nullptr);
    const TPolyCapListCh* pTable = pUnit->GetCapPITable(nullptr, 3);
    constexpr TColor kChosen = RGBColor(0, 160, 255);
    {
        TFrm_ChillerCapPIGraph frame;
        frame.SetupWindow(pTable, true, "Ambient temperature", "Cooling capacity");
        const auto& legend = frame.Model().Legend();
        const TColor nFirst = legend[0]->GetColor();
        EXPECT_EQ(nFirst, RGBColor(128, 0, 0));
        EXPECT_GT(Count(Painted(frame, frame.Canvas()), ToQ(nFirst)), 100);  // the curve
        const graphs::TLegendLayout layout = frame.Model().LegendLayout();
        ASSERT_TRUE(layout.bVisible);
        ASSERT_TRUE(layout.bChecks);

        Click(frame.Canvas(), layout, 0, TLegendPart::CheckBox);
        EXPECT_FALSE(legend[0]->MustDisplay());
        // Neither its curve nor its square keeps the colour once hidden.
        EXPECT_EQ(Count(Painted(frame, frame.Canvas()), ToQ(nFirst)), 0);

        std::optional<TColor> asked;
        frame.SetColorChooser([&asked](TColor nCurrent) -> std::optional<TColor> {
            asked = nCurrent;
            return kChosen;
        });
        const TColor nSecond = legend[1]->GetColor();
        Click(frame.Canvas(), layout, 1, TLegendPart::ColorSquare);
        EXPECT_EQ(asked, nSecond);
        EXPECT_EQ(legend[1]->GetColor(), kChosen);
        const QImage recoloured = Painted(frame, frame.Canvas());
        EXPECT_GT(Count(recoloured, ToQ(kChosen)), 100);
        EXPECT_EQ(Count(recoloured, ToQ(nSecond)), 0);

        // A cancelled chooser changes nothing; a click on the label is no click.
        frame.SetColorChooser([](TColor) { return std::nullopt; });
        Click(frame.Canvas(), layout, 1, TLegendPart::ColorSquare);
        EXPECT_EQ(legend[1]->GetColor(), kChosen);
        QTest::mouseClick(&frame.Canvas(), Qt::LeftButton, {},
                          QPoint(layout.nLeft + layout.nLabelLeft + 3, layout.nTop + layout.nBoxMargin + 2));
        EXPECT_FALSE(legend[0]->MustDisplay());
    }
    TFrm_ChillerCapPIGraph again;
    again.SetupWindow(pTable, true, "Ambient temperature", "Cooling capacity");
    EXPECT_FALSE(again.Model().Legend()[0]->MustDisplay());
    EXPECT_TRUE(again.Model().Legend()[1]->MustDisplay());
    EXPECT_EQ(again.Model().Legend()[1]->GetColor(), kChosen);
    EXPECT_GT(Count(Painted(again, again.Canvas()), ToQ(kChosen)), 100);

    // Cleared, the frame shows its ground only.
    again.ClearGraph();
    EXPECT_EQ(Count(Painted(again, again.Canvas()), ToQ(kChosen)), 0);
    EXPECT_TRUE(again.Model().Legend().empty());
}

TEST_F(Frames, TheColourSquareOpensTheColourDialogWhoseAnswerIsTheSeriesColour) {
    Cls_ChOutdoorUnit* pUnit = UnitOf(famHeatPump);
    ASSERT_NE(pUnit, nullptr);
    TFrm_ChillerCapPIGraph frame;
    frame.SetupWindow(pUnit->GetCapPITable(nullptr, 3), true, "Ambient temperature", "Power input");
    Painted(frame, frame.Canvas());
    const graphs::TLegendLayout layout = frame.Model().LegendLayout();
    ASSERT_TRUE(layout.bVisible);
    QString title;
    QColor offered;
    brumalis::test::WhenModalShown([&](QWidget* pWindow) {
        auto* dialog = qobject_cast<QColorDialog*>(pWindow);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        offered = dialog->currentColor();
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
    });
    Click(frame.Canvas(), layout, 0, TLegendPart::ColorSquare);
    EXPECT_EQ(title.toStdString(), dialogs::TBaseMsg::Translate("Series colour"));
    EXPECT_EQ(offered, QColor(128, 0, 0));
    EXPECT_EQ(frame.Model().Legend()[0]->GetColor(), RGBColor(10, 20, 30));

    brumalis::test::WhenModalShown([](QWidget* pWindow) { qobject_cast<QDialog*>(pWindow)->reject(); });
    Click(frame.Canvas(), layout, 0, TLegendPart::ColorSquare);
    EXPECT_EQ(frame.Model().Legend()[0]->GetColor(), RGBColor(10, 20, 30));
}

TEST_F(Frames, APressureDropLegendOnlyWithTwoOrMoreSeries) {
    Cls_ChOutdoorUnit* pUnit = UnitOf(famCoolingOnly, ctWaterCooled);
    ASSERT_NE(pUnit, nullptr);
    const Cls_Polynomial* pEvaporator = pUnit->GetPDPoly(1);
    const Cls_Polynomial* pCondenser = pUnit->GetPDPoly(2);
    ASSERT_NE(pEvaporator, nullptr);
    ASSERT_NE(pCondenser, nullptr);
    TFrm_ChillerPressureDrop frame;
    frame.SetupWindow(pUnit, pEvaporator, nullptr, nullptr, nullptr);
    const QImage single = Painted(frame, frame.Canvas());
    EXPECT_GT(CountLike(single, QColor(128, 0, 0)), 100);  // the evaporator's curve
    EXPECT_FALSE(frame.Model().LegendLayout().bVisible);

    frame.SetupWindow(pUnit, pEvaporator, pCondenser, nullptr, nullptr);
    Painted(frame, frame.Canvas());
    const graphs::TLegendLayout layout = frame.Model().LegendLayout();
    ASSERT_TRUE(layout.bVisible);
    EXPECT_EQ(layout.nCount, 2);
    Click(frame.Canvas(), layout, 1, TLegendPart::CheckBox);
    EXPECT_FALSE(frame.Model().Legend()[1]->MustDisplay());
    EXPECT_FALSE(registry->CurrentUser().ReadBool(std::string(graphs::kPressureDropLegendKey) + "\\2", "Visible", true));

    frame.ClearGraph();
    EXPECT_EQ(CountLike(Painted(frame, frame.Canvas()), QColor(128, 0, 0)), 0);
}

TEST_F(Frames, TheCapacityTableShowsItsGridAndIsTwoByTwoWhenCleared) {
    Cls_ChOutdoorUnit* pUnit = UnitOf(famHeatPump);
    ASSERT_NE(pUnit, nullptr);
    TFrm_ChillerCapPITable frame;
    EXPECT_EQ(GridSize(frame.Table()), QSize(2, 2));
    frame.SetupWindow(pUnit->GetCapPITable(nullptr, 3), "Cooling capacity");
    const TGridData& grid = frame.Model().Grid();
    ASSERT_GT(grid.RowCount(), 2);
    EXPECT_EQ(GridSize(frame.Table()), QSize(grid.ColCount(), grid.RowCount()));
    for (const auto& [r, c] : {std::pair{0, 1}, {1, 0}, {1, 1}, {grid.RowCount() - 1, grid.ColCount() - 1}}) {
        EXPECT_EQ(CellText(frame.Table(), r, c), grid.Cell(c, r).text) << r << " " << c;
    }
    EXPECT_NE(grid.Cell(1, 0).text, "");
    EXPECT_EQ(frame.Header().text().toStdString(), "Cooling capacity");
    // The titles are headers, so they stay in view when the figures scroll.
    EXPECT_FALSE(frame.Table().horizontalHeader()->isHidden());
    EXPECT_FALSE(frame.Table().verticalHeader()->isHidden());
    // No figure clipped.
    const QFontMetrics metrics(frame.Table().font());
    EXPECT_GE(frame.Table().columnWidth(0), metrics.horizontalAdvance(frame.Table().item(0, 0)->text()));

    frame.ClearTable();
    EXPECT_EQ(GridSize(frame.Table()), QSize(2, 2));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) EXPECT_EQ(CellText(frame.Table(), r, c), "") << r << c;
    EXPECT_EQ(frame.Table().columnWidth(0), TGridData::kDefaultColWidth);
    EXPECT_TRUE(frame.Header().isHidden());
    frame.SetupWindow(nullptr, "Power input");
    EXPECT_EQ(GridSize(frame.Table()), QSize(2, 2));
}

TEST_F(Frames, TheFreezeUpGridIsTitledInTheTemperatureUnitOverItsCurve) {
    Cls_ChOutdoorUnit* pUnit = UnitOf(famHeatPump);
    ASSERT_NE(pUnit, nullptr);
    const TFreezeUpCh& table = pUnit->GetFreezeUpTable();
    ASSERT_FALSE(table.GetTable().empty());
    TFrm_ChillerFreezeUp frame;
    frame.SetupWindow(&table);
    EXPECT_EQ(CellText(frame.Table(), 0, 0), "Correction factor");
    EXPECT_EQ(CellText(frame.Table(), 1, 0), "Temperature (°C)");
    EXPECT_EQ(GridSize(frame.Table()), QSize(int(table.GetTable().size()) + 1, 2));
    EXPECT_GT(CountLike(Painted(frame, frame.Canvas()), QColor(128, 0, 0)), 50);
    const std::string szCelsius = CellText(frame.Table(), 1, 1);

    TU_Form::SetNewIndex(U_Temperature, 1, false);
    frame.SetupWindow(&table);
    EXPECT_EQ(CellText(frame.Table(), 1, 0), "Temperature (°F)");
    EXPECT_EQ(CellText(frame.Table(), 1, 1),
              TU_Form::PutFmtDimensionedValue(U_Temperature, 1, true, table.GetTable().front()->GetTemp()));
    EXPECT_NE(CellText(frame.Table(), 1, 1), szCelsius);

    frame.ClearTableGraph();
    EXPECT_EQ(GridSize(frame.Table()), QSize(2, 2));
    EXPECT_EQ(CellText(frame.Table(), 0, 0), "");
    EXPECT_EQ(CountLike(Painted(frame, frame.Canvas()), QColor(128, 0, 0)), 0);
}

TEST_F(Frames, HeatRecoveryColumnsAreSizedToTheirContent) {
    Cls_ChOutdoorUnit* pUnit = RecoveryUnit();
    ASSERT_NE(pUnit, nullptr);
    TFrm_ChillerHeatRecovery frame;
    frame.resize(700, 300);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.SetupWindow(pUnit->GetHRTable(nullptr));
    const auto& columns = frame.Model().Columns();
    ASSERT_GE(columns.size(), 4u);
    ASSERT_EQ(frame.columnCount(), int(columns.size()));
    ASSERT_EQ(frame.topLevelItemCount(), int(frame.Model().Rows().size()));
    const QFontMetrics metrics(frame.font());
    for (int c = 0; c + 1 < frame.columnCount(); ++c) {
        int nWidest = QFontMetrics(frame.header()->font()).horizontalAdvance(frame.headerItem()->text(c));
        for (int r = 0; r < frame.topLevelItemCount(); ++r)
            nWidest = std::max(nWidest, metrics.horizontalAdvance(frame.topLevelItem(r)->text(c)));
        EXPECT_GE(frame.columnWidth(c), nWidest + metrics.averageCharWidth()) << c;  // with room to spare
        EXPECT_LE(frame.columnWidth(c), nWidest + 6 * metrics.averageCharWidth()) << c;
        const bool bRight = columns[std::size_t(c)].bRightAligned;
        EXPECT_EQ(bool(frame.topLevelItem(0)->textAlignment(c) & Qt::AlignRight), bRight) << c;
    }
    EXPECT_EQ(frame.topLevelItem(0)->text(0).toStdString(), frame.Model().Rows()[0][0]);

    frame.ClearList();
    EXPECT_EQ(frame.topLevelItemCount(), 0);
    EXPECT_EQ(frame.columnCount(), 0);
}

TEST_F(Frames, TheOperatingRangeScrollsAndFillsItsEnvelope) {
    Cls_ChOutdoorUnit* pUnit = UnitOf(famHeatPump);
    ASSERT_NE(pUnit, nullptr);
    TFrm_CapTableOpRange frame;
    frame.resize(300, 200);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_GT(frame.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(frame.verticalScrollBar()->maximum(), 0);
    frame.SetupWindow(pUnit, pUnit->GetCapPITable(nullptr, 4), graphs::kNotSet);
    const QImage image = frame.Canvas().grab().toImage();
    EXPECT_EQ(image.size(), QSize(TFrm_CapTableOpRange::kWidth, TFrm_CapTableOpRange::kHeight));
    EXPECT_GT(Count(image, QColor(240, 240, 255)), 3000);
    // The cooling table sets the cooling envelope and its own axes.
    frame.SetupWindow(pUnit, pUnit->GetCapPITable(nullptr, 3), graphs::kNotSet);
    EXPECT_NE(frame.Canvas().grab().toImage(), image);
    frame.ClearGraph();
    EXPECT_EQ(Count(frame.Canvas().grab().toImage(), QColor(240, 240, 255)), 0);
    frame.SetupWindow(pUnit, nullptr, graphs::kNotSet);
    EXPECT_EQ(Count(frame.Canvas().grab().toImage(), QColor(240, 240, 255)), 0);
}

// The table frames of a heat pump in one plain window, held to the window
// checks in Russian through the shipped glossary and in English.
TEST_F(Frames, AWindowOfAllFramesPassesTheWindowChecksInBothLanguages) {
    Cls_ChOutdoorUnit* pUnit = UnitOf(famHeatPump);
    ASSERT_NE(pUnit, nullptr);
    for (const bool bRussian : {true, false}) {
        SCOPED_TRACE(bRussian ? "ru" : "en");
        const auto translate = [bRussian](const std::string& szText) {
            return bRussian ? testing::ui::ShippedInterfaceGlossary().Translate(szText).value_or(szText) : szText;
        };
        const dialogs::TTranslateFunc previous = dialogs::TBaseMsg::SetTranslateFunc(translate);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* table = new TFrm_ChillerCapPITable;
        table->SetupWindow(pUnit->GetCapPITable(nullptr, 4), translate("Heating capacity"));
        auto* freezeUp = new TFrm_ChillerFreezeUp;
        freezeUp->SetupWindow(&pUnit->GetFreezeUpTable());
        auto* recovery = new TFrm_ChillerHeatRecovery;
        recovery->SetupWindow(RecoveryUnit()->GetHRTable(nullptr));
        EXPECT_GT(recovery->topLevelItemCount(), 0);
        layout->addWidget(table);
        layout->addWidget(freezeUp);
        layout->addWidget(recovery);
        window.resize(900, 700);
        if (bRussian) {
            EXPECT_EQ(CellText(freezeUp->Table(), 0, 0), "Поправочный коэффициент");
        }
        // Symbols stay Latin in Russian too: the C of °C and the Q and N of
        // the glossary's capacity and power columns ("Qх", "Nпотр").
        const std::vector<std::string> latin =
            bRussian ? testing::ui::LatinTexts(window, {"C", "Q", "N"}) : std::vector<std::string>{};
        EXPECT_EQ(latin, std::vector<std::string>{});
        EXPECT_EQ(testing::ui::TabOrderProblems(window), std::vector<std::string>{});
        EXPECT_EQ(testing::ui::SizeProblems(window), std::vector<std::string>{});
        dialogs::TBaseMsg::SetTranslateFunc(previous);
    }
}

}  // namespace
}  // namespace brumalis::docui
