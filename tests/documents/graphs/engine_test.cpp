#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "documents/graphs/graph_numbers.h"
#include "documents/graphs/legend.h"
#include "documents/graphs/virt_graph.h"
#include "platform/settings_store.h"
#include "tests/documents/graphs/recorded_calls.h"

namespace brumalis::graphs {
namespace {

using namespace graphics;
using testing::CallsWith;
using testing::Coordinates;

TEST(GraphNumbers, RoundingTiesGoToEvenAndHostileNumbersStayInRange) {
    EXPECT_EQ(Rnd(2.5), 2);
    EXPECT_EQ(Rnd(3.5), 4);
    EXPECT_EQ(Rnd(-2.5), -2);
    EXPECT_EQ(Rnd(-3.5), -4);
    EXPECT_EQ(Rnd(2.4999999), 2);
    EXPECT_EQ(Rnd(0.49999999999999994), 0);
    EXPECT_EQ(Rnd(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Rnd(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(Rnd(-std::numeric_limits<double>::infinity()), std::numeric_limits<int>::min());
    EXPECT_EQ(FixedText(1.25, 1), "1.2");
    EXPECT_EQ(FixedText(-0.04, 1), "0.0");
    EXPECT_EQ(FixedText(1234.5, 0), "1234");
}

class Legends : public ::testing::Test {
protected:
    void SetUp() override { TLegend::ResetColor(); }
    void TearDown() override { TLegend::ResetColor(); }

    platform::CTRegistry registry{std::make_shared<platform::CTMemorySettingsStore>(),
                                  std::make_shared<platform::CTMemorySettingsStore>(true)};
    platform::CTRegistrySubstitute substitute{registry};
};

TEST_F(Legends, NewEntriesTakeThePaletteInOrderAndADestroyedOneStartsItAgain) {
    auto pFirst = std::make_unique<TLegend>("0", "5.0 °C", true);
    auto pSecond = std::make_unique<TLegend>("1", "7.0 °C", true);
    auto pThird = std::make_unique<TLegend>("2", "10.0 °C", false);
    EXPECT_EQ(pFirst->GetColor(), RGBColor(128, 0, 0));
    EXPECT_EQ(pSecond->GetColor(), RGBColor(0, 128, 0));
    EXPECT_EQ(pThird->GetColor(), RGBColor(128, 128, 0));
    EXPECT_FALSE(pThird->MustDisplay());
    EXPECT_FALSE(pFirst->GetIsALine());
    EXPECT_EQ(pFirst->GetPenWidth(), 1);
    pFirst->SetIsALine(true, 2, psDash);
    EXPECT_TRUE(pFirst->GetIsALine());
    EXPECT_EQ(pFirst->GetPenWidth(), 2);
    EXPECT_EQ(pFirst->GetPenStyle(), psDash);
    pSecond.reset();
    EXPECT_EQ(TLegend("3", "", true).GetColor(), RGBColor(128, 0, 0));

    TLegend::ResetColor();
    std::vector<std::unique_ptr<TLegend>> many;
    for (int i = 0; i < 32; ++i) many.push_back(std::make_unique<TLegend>(std::to_string(i), "", true));
    EXPECT_EQ(many[15]->GetColor(), RGBColor(255, 127, 0));
    EXPECT_EQ(many[31]->GetColor(), RGBColor(0, 175, 127));
    EXPECT_EQ(TLegend("wrap", "", true).GetColor(), RGBColor(128, 0, 0));
    many.push_back(std::make_unique<TLegend>("after reset", "", true));
    EXPECT_EQ(many.back()->GetColor(), RGBColor(128, 0, 0));
}

TEST_F(Legends, SavedSettingsComeBackAndMissingOnesKeepTheCurrentValues) {
    constexpr std::string_view kKey = "Software\\Orvane\\Brumalis\\Cooling capacity";
    TLegendList legend;
    legend.push_back(std::make_unique<TLegend>("0", "5.0 °C", true));
    legend.push_back(std::make_unique<TLegend>("1", "7.0 °C", true));
    legend[0]->SetColor(clFuchsia);
    legend[1]->SetDisplay(false);
    TLegend::SaveLegendToIniFile(legend, kKey);
    auto& store = registry.CurrentUser();
    EXPECT_EQ(store.ReadInteger("Software\\Orvane\\Brumalis\\Cooling capacity\\0", "Color", 0),
              static_cast<std::int32_t>(clFuchsia));
    EXPECT_FALSE(store.ReadBool("Software\\Orvane\\Brumalis\\Cooling capacity\\1", "Visible", true));
    ASSERT_TRUE(store.DeleteValue("Software\\Orvane\\Brumalis\\Cooling capacity\\1", "Color"));

    legend[0]->SetColor(clTeal);
    legend[0]->SetDisplay(false);
    legend[1]->SetColor(clOlive);
    legend[1]->SetDisplay(true);
    legend.push_back(std::make_unique<TLegend>("2", "10.0 °C", true));  // never saved
    const TColor nThird = legend[2]->GetColor();

    TLegend::LoadLegendFromIniFile(legend, kKey, false, true);
    EXPECT_EQ(legend[0]->GetColor(), clTeal);  // colours not asked for
    EXPECT_TRUE(legend[0]->MustDisplay());
    EXPECT_FALSE(legend[1]->MustDisplay());

    TLegend::LoadLegendFromIniFile(legend, kKey, true, false);
    EXPECT_EQ(legend[0]->GetColor(), clFuchsia);
    EXPECT_EQ(legend[1]->GetColor(), clOlive);  // its value is missing
    EXPECT_EQ(legend[2]->GetColor(), nThird);   // its key is missing
    EXPECT_TRUE(legend[2]->MustDisplay());
    EXPECT_EQ(TLegend("next", "", true).GetColor(), RGBColor(128, 0, 0));  // palette reset by reading colours
}

// A graph on a recorder whose values come from a table per series.
class LineGraph : public Legends {
protected:
    LineGraph() {
        legend.push_back(std::make_unique<TLegend>("0", "First", true));
        legend.push_back(std::make_unique<TLegend>("1", "Second series", true));
    }
    std::unique_ptr<TVirtLineGraph> Graph(std::vector<std::vector<double>> values, TGraphEvent onLegend = {}) {
        v_values = std::move(values);
        auto pGraph = std::make_unique<TVirtLineGraph>(
            &canvas,
            [this](int s, int i, void*) {
                return v_values[static_cast<std::size_t>(s)][static_cast<std::size_t>(i)];
            },
            std::move(onLegend));
        pGraph->SetBorder(4);
        pGraph->SetPlots(&legend);
        pGraph->SetXTitle("Flow");
        pGraph->SetYTitle("Pressure");
        pGraph->SetXValues(static_cast<int>(v_values.front().size()), {"a", "b", "c", "d", "e"});
        pGraph->SetYValues(0.0, 10.0, 5, 1);
        return pGraph;
    }
    // The LineTo calls of the series pen, cut into pieces at each MoveTo.
    std::vector<std::vector<std::vector<int>>> Pieces(TColor nColor) const {
        std::vector<std::vector<std::vector<int>>> pieces;
        char szPen[16];
        std::snprintf(szPen, sizeof szPen, "pen=%06X", ColorToRGB(nColor));
        bool bOpen = false;
        for (const std::string& szCall : canvas.Calls()) {
            if (szCall.rfind("MoveTo", 0) == 0) bOpen = false;
            if (szCall.rfind("LineTo", 0) != 0 || szCall.find(szPen) == std::string::npos) continue;
            if (!bOpen) pieces.emplace_back();
            bOpen = true;
            pieces.back().push_back(Coordinates(szCall));
        }
        return pieces;
    }

    CTRecordingCanvas canvas{{400, 300}};
    TLegendList legend;
    std::vector<std::vector<double>> v_values;
};

TEST_F(LineGraph, TheLeftMarginMakesRoomForTheWiderYLabelAndABadRangeIsIgnored) {
    auto pGraph = Graph({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}});
    const int cw = canvas.TextWidth("W");
    int nLeft = 0, nRight = 0;
    pGraph->GetXRange(nLeft, nRight);
    EXPECT_EQ(nLeft, canvas.TextWidth("10.0") + cw + cw / 2);
    pGraph->SetYValues(5.0, 5.0, 2, 3);  // Min = Max: nothing changes
    pGraph->SetYValues(std::numeric_limits<double>::quiet_NaN(), 1.0, 2, 3);
    pGraph->SetYValues(-1000.0, 10.0, 5, 1);
    pGraph->GetXRange(nLeft, nRight);
    EXPECT_EQ(nLeft, canvas.TextWidth("-1000.0") + cw + cw / 2);
    pGraph->DrawOutline(false, false);
    EXPECT_EQ(CallsWith(canvas, "TextOut ", {"\"-1000.0\""}).size(), 1u);
    EXPECT_EQ(CallsWith(canvas, "TextOut ", {"\"-1000.0000\""}).size(), 0u);
}

TEST_F(LineGraph, ANoValueBreaksTheLineAndValuesAreClampedToTheAxis) {
    legend[1]->SetDisplay(false);
    auto pGraph = Graph({{1, 2, kNoValue, 4, 50}, {1, 2, 3, 4, 5}});
    pGraph->DrawOutline(false, false);
    canvas.Clear();
    pGraph->DrawGraph();
    const auto pieces = Pieces(legend[0]->GetColor());
    ASSERT_EQ(pieces.size(), 2u);
    ASSERT_EQ(pieces[0].size(), 1u);
    ASSERT_EQ(pieces[1].size(), 1u);
    int nLeft = 0, nRight = 0, nTop = 0, nBottom = 0;
    pGraph->GetXRange(nLeft, nRight);
    pGraph->GetYRange(nTop, nBottom);
    const double dStep = (nRight - nLeft) / 4.0;
    EXPECT_EQ(pieces[0][0], (std::vector<int>{Rnd(nLeft + dStep), Rnd(nTop + (10.0 - 2.0) * (nBottom - nTop) / 10.0)}));
    EXPECT_EQ(pieces[1][0], (std::vector<int>{nRight, nTop}));  // 50 drawn at the top
    EXPECT_TRUE(Pieces(legend[1]->GetColor()).empty());        // hidden series
}

TEST(LegendHit, ThePartCentresLandOnTheirOwnItemInEveryRowAndColumn) {
    TLegendLayout layout;
    layout.bVisible = layout.bChecks = true;
    layout.nLeft = 40, layout.nTop = 300, layout.nItemWidth = 90, layout.nPerRow = 3, layout.nRowHeight = 18;
    layout.nCount = 7, layout.nBoxSide = 11, layout.nBoxMargin = 3, layout.nSquareLeft = 16, layout.nLabelLeft = 32;
    for (int i = 0; i < layout.nCount; ++i) {
        for (TLegendPart part : {TLegendPart::CheckBox, TLegendPart::ColorSquare}) {
            const TPoint p = LegendPartCentre(layout, i, part);
            const TLegendHit hit = HitLegend(layout, p.X, p.Y);
            EXPECT_EQ(hit.part, part) << i;
            EXPECT_EQ(hit.nIndex, i);
        }
    }
    // Without check boxes the squares still answer; the box position does not.
    layout.bChecks = false;
    const TPoint box = LegendPartCentre(layout, 4, TLegendPart::CheckBox);
    EXPECT_EQ(HitLegend(layout, box.X, box.Y).part, TLegendPart::None);
    const TPoint square = LegendPartCentre(layout, 4, TLegendPart::ColorSquare);
    EXPECT_EQ(HitLegend(layout, square.X, square.Y).nIndex, 4);
}

TEST_F(LineGraph, ClicksOnACheckBoxAndAColourSquareChangeTheSeriesAndTellTheView) {
    int nCallbacks = 0;
    auto pGraph = Graph({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}, [&nCallbacks](TVirtGraph&) { ++nCallbacks; });
    std::optional<TColor> answer = clAqua;
    pGraph->SetColorChooser([&answer](TColor) { return answer; });
    pGraph->DrawOutline(true, true);
    const TLegendLayout& l = pGraph->LegendLayout();
    ASSERT_TRUE(l.bVisible);
    ASSERT_EQ(l.nCount, 2);
    const int y = l.nTop + l.nBoxMargin + l.nBoxSide / 2;
    const int xSecond = l.nLeft + (l.nPerRow > 1 ? l.nItemWidth : 0);
    const int ySecond = l.nPerRow > 1 ? y : y + l.nRowHeight;

    pGraph->OnClick(xSecond + l.nBoxSide / 2, ySecond);
    EXPECT_FALSE(legend[1]->MustDisplay());
    EXPECT_EQ(nCallbacks, 1);
    pGraph->OnClick(l.nLeft + l.nSquareLeft + 1, y);
    EXPECT_EQ(legend[0]->GetColor(), clAqua);
    EXPECT_EQ(nCallbacks, 2);
    answer.reset();  // the colour dialog cancelled
    pGraph->OnClick(l.nLeft + l.nSquareLeft + 1, y);
    EXPECT_EQ(legend[0]->GetColor(), clAqua);
    pGraph->OnClick(l.nLeft + l.nLabelLeft + 2, y);  // on the label
    pGraph->OnClick(l.nLeft + 1, l.nTop - 5);        // above the legend
    EXPECT_EQ(nCallbacks, 3);
    EXPECT_TRUE(legend[0]->MustDisplay());

    // The hidden series is drawn in button face with a grey outline and text.
    canvas.Clear();
    pGraph->DrawOutline(true, true);
    EXPECT_EQ(CallsWith(canvas, "Rectangle ", {"pen=808080", "brush=F0F0F0"}).size(), 1u);
    EXPECT_EQ(testing::TextsInColor(canvas, "808080"), std::vector<std::string>{"Second series"});
    EXPECT_EQ(CallsWith(canvas, "Rectangle ", {"pen=000000", "brush=FFFF00"}).size(), 1u);
}

TEST_F(LineGraph, LabelsAndPeriodsAreSpacedAcrossThePlot) {
    auto pGraph = Graph({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}});
    pGraph->DrawOutline(false, false);
    int nLeft = 0, nRight = 0, nTop = 0, nBottom = 0;
    pGraph->GetXRange(nLeft, nRight);
    pGraph->GetYRange(nTop, nBottom);
    const int h = canvas.TextHeight("W");
    EXPECT_EQ(nTop, 4 + h + h / 2);
    EXPECT_EQ(nRight, 400 - canvas.TextWidth("W") - canvas.TextWidth("Flow") - 4);
    const auto xOfLabel = [this](const std::string& s) {
        return testing::TextPosition(canvas, s).first + canvas.TextWidth(s) / 2.0;
    };
    EXPECT_NEAR(xOfLabel("a"), nLeft, 1.0);
    EXPECT_NEAR(xOfLabel("e"), nRight, 1.0);
    canvas.Clear();
    pGraph->DrawPeriodOutline(false, false);
    const double dPeriod = (nRight - nLeft) / 5.0;
    EXPECT_NEAR(xOfLabel("a"), nLeft + dPeriod / 2, 1.0);
    EXPECT_EQ(CallsWith(canvas, "LineTo ", {"," + std::to_string(Rnd(nBottom + h / 2.0)) + " "}).size(), 6u);
    canvas.Clear();
    pGraph->DrawPeriodGraph();
    const auto pieces = Pieces(legend[0]->GetColor());
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].back()[0], Rnd(nLeft + dPeriod / 2 + 4 * dPeriod));
}

TEST_F(LineGraph, ExtraPointsSitAtTheirPercentageWithNameAndHairLines) {
    auto pGraph = Graph({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}});
    pGraph->AddExtraPoint(50.0, 5.0, "Design", true);
    pGraph->DrawOutline(false, false);
    canvas.Clear();
    pGraph->DrawGraph();
    int nLeft = 0, nRight = 0, nTop = 0, nBottom = 0;
    pGraph->GetXRange(nLeft, nRight);
    pGraph->GetYRange(nTop, nBottom);
    const int cx = Rnd(nLeft + (nRight - nLeft) * 0.5), cy = Rnd(nTop + (nBottom - nTop) * 0.5);
    EXPECT_EQ(CallsWith(canvas, "Ellipse " + std::to_string(cx - 5) + "," + std::to_string(cy - 5)).size(), 1u);
    EXPECT_EQ(CallsWith(canvas, "LineTo " + std::to_string(nLeft) + "," + std::to_string(cy), {"dot"}).size(), 1u);
    EXPECT_EQ(testing::TextPosition(canvas, "Design").second, cy - 5 - canvas.TextHeight("W"));
    EXPECT_TRUE(CallsWith(canvas, "TextOut ", {"\"3.0\""}).empty());
    pGraph->ClearExtraPoints();
    pGraph->DisplayValues(1);
    canvas.Clear();
    pGraph->DrawGraph();
    EXPECT_TRUE(CallsWith(canvas, "Ellipse ").empty());
    const auto [x3, y3] = testing::TextPosition(canvas, "3.0");
    EXPECT_EQ(x3 + canvas.TextWidth("3.0") / 2, cx);  // above the middle point
    EXPECT_EQ(y3, Rnd(nTop + (nBottom - nTop) * 0.7) - canvas.TextHeight("W"));
}

}  // namespace
}  // namespace brumalis::graphs
