#include <gtest/gtest.h>

#include "catalogue/units.h"
#include "dialogs/messages.h"
#include "documents/graphs/capacity_views.h"
#include "documents/graphs/freeze_up_view.h"
#include "documents/graphs/graph_numbers.h"
#include "documents/graphs/pressure_drop_view.h"
#include "platform/settings_store.h"
#include "tests/catalogue/unit_builder.h"
#include "tests/documents/graphs/recorded_calls.h"

namespace brumalis::graphs {
namespace {

using namespace graphics;
using testing::CallsWith;
using testing::TextPosition;

class DetailViews : public brumalis::testing::UnitFixture {
protected:
    void SetUp() override {
        UnitFixture::SetUp();
        TLegend::ResetColor();
    }
    // A cooling table over x = nFrom … nTo with rows at 5 and 7 °C.
    std::unique_ptr<TPolyCapListCh> CoolingTable(Cls_ChOutdoorUnit& unit, double dFrom, double dTo) {
        unit.SetCIndLowerLimit(dFrom);
        unit.SetCIndUpperLimit(dTo);
        std::vector<TCapRow> rows;
        for (double lwe : {5.0, 7.0}) {
            TCapRow row;
            row.Select1 = lwe;
            row.Poly.a = {118.3 + lwe, -1.0};
            rows.push_back(row);
        }
        return std::make_unique<TPolyCapListCh>(unit, cttCoolCap, std::move(rows));
    }
    platform::CTSettingsStore& Settings() { return platform::Registry().CurrentUser(); }

    CTRecordingCanvas canvas{{500, 360}};
};

TEST_F(DetailViews, TheCapacityTableFillsTheGridAndClearsToTwoByTwo) {
    auto pUnit = NewUnit();
    TFrm_ChillerCapPITable view;
    EXPECT_EQ(view.Grid().RowCount(), 2);
    EXPECT_EQ(view.Grid().ColWidth(1), 64);
    view.SetupWindow(pUnit->GetTable(cttCoolCap), "Cooling capacity");
    EXPECT_EQ(view.HeaderTitle(), "Cooling capacity");
    EXPECT_EQ(view.Grid().RowCount(), 4);  // the header row and the rows 5, 7 and 10 °C
    view.ClearTable();
    EXPECT_EQ(view.Grid().RowCount(), 2);
    EXPECT_EQ(view.Grid().ColCount(), 2);
    EXPECT_EQ(view.Grid().ColWidth(0), 64);
    EXPECT_EQ(view.Grid().Cell(1, 1).text, "");
}

TEST_F(DetailViews, TheCapacityGraphShowsItsTitleInTheProgramsLanguage) {
    auto pUnit = NewUnit();
    const auto pTable = CoolingTable(*pUnit, 20.0, 24.0);
    const auto previous = dialogs::TBaseMsg::SetTranslateFunc(
        [](const std::string& s) { return s == "Cooling capacity" ? std::string("Холодопроизводительность") : s; });
    TFrm_ChillerCapPIGraph view;
    view.SetupWindow(pTable.get(), true, "Ambient temperature", "Cooling capacity");
    dialogs::TBaseMsg::SetTranslateFunc(previous);
    EXPECT_EQ(view.YTitle(), "Холодопроизводительность(kW)");
}

TEST_F(DetailViews, TheCapacityGraphLabelsItsDegreesWhereTheyAreEvenForNarrowTables) {
    auto pUnit = NewUnit();
    const auto pNarrow = CoolingTable(*pUnit, 20.0, 24.0);
    {
        TFrm_ChillerCapPIGraph view;
        view.SetupWindow(pNarrow.get(), true, "Ambient temperature", "Cooling capacity");
        EXPECT_EQ(view.XTitle(), "Ambient temperature (°C)");
        EXPECT_EQ(view.YTitle(), "Cooling capacity(kW)");
        EXPECT_EQ(view.Legend().size(), 2u);
        EXPECT_EQ(view.Legend()[1]->GetLegend(), "7.0 °C");
        EXPECT_EQ(view.MaxY(), 110.0);  // rnd(118.3 + 7 − 20 + 4.9) div 5 × 5
        view.Paint(canvas);
        for (const char* szLabel : {"20", "21", "22", "23", "24"}) {
            EXPECT_EQ(CallsWith(canvas, "TextOut ", {std::string("\"") + szLabel + "\""}).size(), 1u) << szLabel;
        }
        EXPECT_NEAR(view.Value(0, 0), 103.3, 1e-9);
        EXPECT_NEAR(view.Value(1, 4), 101.3, 1e-9);
    }
    // Destroying the view kept its legend.
    EXPECT_TRUE(Settings().KeyExists("Software\\Orvane\\Brumalis\\Cooling capacity\\1"));

    // 25 K: every second degree labelled, each label at its own degree.
    const auto pWide = CoolingTable(*pUnit, 20.0, 45.0);
    TFrm_ChillerCapPIGraph view;
    view.SetupWindow(pWide.get(), true, "Ambient temperature", "Cooling capacity");
    canvas.Clear();
    view.Paint(canvas);
    EXPECT_TRUE(CallsWith(canvas, "TextOut ", {"\"21\""}).empty());
    const auto [x20, y20] = TextPosition(canvas, "20");
    const auto [x44, y44] = TextPosition(canvas, "44");
    ASSERT_GE(x20, 0);
    ASSERT_GE(x44, 0);
    const double dLeft = x20 + canvas.TextWidth("20") / 2.0;
    const double dDegree = (x44 + canvas.TextWidth("44") / 2.0 - dLeft) / 24.0;
    EXPECT_NEAR(dDegree * 25.0, 500 - 4 - canvas.TextWidth("W") - canvas.TextWidth(view.XTitle()) - dLeft, 2.0);
}

TEST_F(DetailViews, ACapacityGraphHasGapsWhereTheEnvelopeEndsAndSavesItsLegendOnAClick) {
    auto pUnit = NewUnit();
    pUnit->SetCMaxOTemp(40.0);
    const auto pTable = CoolingTable(*pUnit, 20.0, 45.0);
    TFrm_ChillerCapPIGraph view;
    int nRepaints = 0;
    view.SetRepaint([&nRepaints] { ++nRepaints; });
    view.SetupWindow(pTable.get(), true, "Ambient temperature", "Power input");
    EXPECT_EQ(nRepaints, 1);
    EXPECT_NE(view.Value(0, 20), kNoValue);  // 40 °C
    EXPECT_EQ(view.Value(0, 21), kNoValue);  // 41 °C lies outside
    view.Paint(canvas);
    const std::string szKey = "Software\\Orvane\\Brumalis\\Power input\\0";
    EXPECT_FALSE(Settings().KeyExists(szKey));

    // A click on the first check box hides the series, saves and repaints.
    canvas.Clear();
    TVirtLineGraph probe(&canvas, {}, {});
    const int h = canvas.TextHeight("W");
    const int cw = canvas.TextWidth("W");
    probe.SetBorder(kGraphBorder);
    probe.SetYValues(0.0, view.MaxY(), 5, 1);
    int nLeft = 0, nRight = 0;
    probe.GetXRange(nLeft, nRight);
    const int nLegendTop = 360 - kGraphBorder - h - h / 2 - h + h + h / 2;  // one row of two items
    ASSERT_GT(500 - nLeft + 1, 2 * (canvas.TextWidth("5.0 °C") + 4 * cw));
    view.OnClick(nLeft + 3, nLegendTop + h / 2);
    EXPECT_FALSE(view.Legend()[0]->MustDisplay());
    EXPECT_EQ(nRepaints, 2);
    EXPECT_FALSE(Settings().ReadBool(szKey, "Visible", true));
}

TEST_F(DetailViews, TheFreezeUpViewShowsItsTableAndACurveLabelledEveryTwoDegrees) {
    auto pUnit = NewUnit(2);
    for (auto [t, c] : {std::pair{-7.0, 0.85}, {-5.0, 0.86}, {0.0, 0.87}, {7.0, 1.0}}) {
        auto pRow = New<Cls_ChFreezeUp>();
        pRow->SetTemp(t);
        pRow->SetCorr(c);
        pRow->SetChOutdoorUnit(pUnit.get());
        Inserted(std::move(pRow));
    }
    TFrm_ChillerFreezeUp view;
    view.SetupWindow(&pUnit->GetFreezeUpTable());
    EXPECT_EQ(view.Grid().ColCount(), 5);
    EXPECT_EQ(view.Grid().Cell(0, 1).text, "Temperature (°C)");
    EXPECT_EQ(view.Grid().Cell(0, 0).text, "Correction factor");
    view.Paint(canvas);
    for (const char* szLabel : {"-7", "-5", "-3", "7", "1.00", "0.20"}) {
        EXPECT_EQ(CallsWith(canvas, "TextOut ", {std::string("\"") + szLabel + "\""}).size(), 1u) << szLabel;
    }
    EXPECT_TRUE(CallsWith(canvas, "TextOut ", {"\"-6\""}).empty());
    EXPECT_EQ(CallsWith(canvas, "LineTo ", {"pen=000080/copy/1/solid"}).size(), 14u);  // 15 degrees
    view.ClearTableGraph();
    canvas.Clear();
    view.Paint(canvas);
    EXPECT_TRUE(canvas.Calls().empty());
    EXPECT_EQ(view.Grid().ColCount(), 2);
}

TEST(FlowTicks, AViewRangeOf083To33LitresPerSecondStartsAt1InStepsOf02) {
    TU_Form::SetNewIndex(U_Airflow, 0, false);
    const TFlowTicks ticks = FlowTicks(0.83 * 60.0, 3.3 * 60.0, TFlowTickRule::View);
    EXPECT_EQ(ticks.StartFlow, 50.0);
    ASSERT_EQ(ticks.Labels.size(), 12u);
    EXPECT_EQ(ticks.Labels.front(), "1.0");
    EXPECT_EQ(ticks.Labels[1], "1.2");
    EXPECT_EQ(ticks.Labels.back(), "3.2");
    EXPECT_EQ(ticks.Flows.front(), 1000);
    EXPECT_EQ(ticks.Flows.back(), 3200);
    EXPECT_DOUBLE_EQ(ticks.FlowAt(1), 72.0);  // l/min for the curves

    const TFlowTicks report = FlowTicks(0.83 * 60.0, 3.3 * 60.0, TFlowTickRule::Report);
    EXPECT_EQ(report.Labels, (std::vector<std::string>{"1.0", "1.5", "2.0", "2.5", "3.0"}));

    // The view raises the start to the minimum; the report does not.
    EXPECT_EQ(FlowTicks(53.0, 500.0, TFlowTickRule::View).StartFlow, 55.0);
    EXPECT_EQ(FlowTicks(53.0, 500.0, TFlowTickRule::Report).StartFlow, 50.0);
}

TEST(FlowTicks, LabelsFollowTheStepAndTheUserUnitAndAlwaysUseAPoint) {
    TU_Form::SetNewIndex(U_Airflow, 0, false);
    // 5 … 6 l/s: the start rounded to tens would lie above the largest flow.
    const TFlowTicks narrow = FlowTicks(300.0, 360.0, TFlowTickRule::View);
    ASSERT_FALSE(narrow.Labels.empty());
    EXPECT_EQ(narrow.Labels.front(), "0.0");
    EXPECT_EQ(narrow.Labels.back(), "6.0");
    const TFlowTicks big = FlowTicks(3000.0, 12000.0, TFlowTickRule::View);
    EXPECT_EQ(big.Labels.front(), "50");
    EXPECT_EQ(big.Labels[1], "60");
    const TFlowTicks tiny = FlowTicks(2.0, 5.0, TFlowTickRule::View);
    EXPECT_EQ(tiny.Labels.front(), "0.00");
    EXPECT_EQ(tiny.Labels[1], "0.01");

    TU_Form::AddDisplayUnits();
    TU_Form::SetNewIndex(U_Airflow, 1, false);  // l/min
    const TFlowTicks perMinute = FlowTicks(50.0, 198.0, TFlowTickRule::View);
    EXPECT_EQ(perMinute.Labels.front(), "50");
    EXPECT_EQ(perMinute.Flows[1], 1000);  // 60 l/min is 1 l/s
    TU_Form::SetNewIndex(U_Airflow, 0, false);

    EXPECT_TRUE(FlowTicks(std::nan(""), 100.0, TFlowTickRule::View).Labels.empty());
    EXPECT_TRUE(FlowTicks(200.0, 100.0, TFlowTickRule::View).Labels.empty());
    EXPECT_TRUE(FlowTicks(0.0, 1e12, TFlowTickRule::View).Labels.empty());
}

TEST_F(DetailViews, ThePressureDropViewShowsTheCurvesGivenEachOverItsOwnRange) {
    TU_Form::SetNewIndex(U_Airflow, 0, false);
    TU_Form::SetNewIndex(U_Pressure, 0, false);
    auto pUnit = NewUnit(4, ctWaterCooled);
    auto pPump = New<Cls_ChPumpData>();
    pPump->SetA0(150.0), pPump->SetA1(-0.1), pPump->SetSelect1(200.0), pPump->SetSelect2(500.0);

    TFrm_ChillerPressureDrop single;
    single.SetupWindow(pUnit.get(), pUnit->GetPDPoly(cttEvapPressureDrop), nullptr, nullptr, nullptr);
    ASSERT_EQ(single.Series().size(), 1u);
    single.Paint(canvas);
    EXPECT_TRUE(CallsWith(canvas, "Rectangle ").empty());  // no legend for one curve

    TFrm_ChillerPressureDrop view;
    view.SetupWindow(pUnit.get(), pUnit->GetPDPoly(cttEvapPressureDrop), pUnit->GetPDPoly(cttCondPressureDrop),
                     nullptr, pPump.get());
    ASSERT_EQ(view.Series().size(), 3u);
    EXPECT_EQ(view.Legend()[2]->GetKey(), "4");
    EXPECT_EQ(view.Legend()[2]->GetLegend(), "Pressure drop - pump");
    const TFlowTicks ticks = view.Ticks();  // 100 … 800 l/min
    EXPECT_EQ(ticks.Labels.front(), "0");
    EXPECT_EQ(ticks.Labels.back(), "13");
    const TValueRange range = view.YRange(ticks);
    EXPECT_DOUBLE_EQ(range.Min, 5000.0);  // the condenser at 100 l/min: 0.0005·100² kPa
    EXPECT_DOUBLE_EQ(range.Max, 360000.0);  // the evaporator at 600 l/min
    EXPECT_EQ(view.Series()[0].At(700.0), kNoValue);  // beyond the evaporator's range
    EXPECT_DOUBLE_EQ(view.Series()[2].At(300.0), 120000.0);

    canvas.Clear();
    view.Paint(canvas);
    EXPECT_EQ(CallsWith(canvas, "TextOut ", {"\"Fluid flow rate (l/s)\""}).size(), 1u);
    EXPECT_EQ(CallsWith(canvas, "TextOut ", {"\"Pressure drop(Pa)\""}).size(), 1u);
    EXPECT_EQ(CallsWith(canvas, "TextOut ", {"\"Pressure drop - condenser\""}).size(), 1u);
    // Hiding the condenser narrows the ticks to the displayed curves.
    TLegendList& legend = const_cast<TLegendList&>(view.Legend());
    legend[1]->SetDisplay(false);
    EXPECT_EQ(view.Ticks().Labels.back(), "10");  // step 1: strictly above 10 ÷ 20
    view.ClearGraph();
    EXPECT_TRUE(view.Series().empty());
    EXPECT_TRUE(Settings().KeyExists("Software\\Orvane\\Brumalis\\Devices\\Pressure_Drop\\2"));
}

}  // namespace
}  // namespace brumalis::graphs
