#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "documents/graphs/operating_range.h"
#include "tests/catalogue/unit_builder.h"
#include "tests/documents/graphs/recorded_calls.h"

namespace brumalis::graphs {
namespace {

using namespace graphics;
using testing::CallsWith;
using testing::Coordinates;
using testing::TextsInColor;

constexpr const char* kRed = "0000FF";

class OperatingRange : public brumalis::testing::UnitFixture {
protected:
    // The polygons drawn with a pen colour, as point lists.
    std::vector<std::vector<int>> Polygons(const std::string& szPen) const {
        std::vector<std::vector<int>> polygons;
        for (const std::string& szCall : CallsWith(canvas, "Polygon ", {"pen=" + szPen + "/copy/3"})) {
            polygons.push_back(Coordinates(szCall));
        }
        return polygons;
    }
    void Paint(const Cls_OutdoorDevice* pUnit) { frame.PaintOnCanvas(pUnit, canvas, 560, 420); }

    CTRecordingCanvas canvas{{560, 420}, true};
    TFrm_CapTableOpRange frame;
};

TEST_F(OperatingRange, ASquareEnvelopeIsARectangleWithOneLabelPerCorner) {
    const auto pUnit = NewUnit();
    frame.SetAxesLabels(296, 290);
    Paint(pUnit.get());
    const auto polygons = Polygons(kRed);
    ASSERT_EQ(polygons.size(), 1u);
    const std::vector<int>& p = polygons.front();
    ASSERT_EQ(p.size(), 16u);
    std::set<std::pair<int, int>> corners;
    for (std::size_t i = 0; i < p.size(); i += 2) corners.insert({p[i], p[i + 1]});
    EXPECT_EQ(corners.size(), 4u);  // each corner point twice
    EXPECT_EQ(CallsWith(canvas, "Polygon ", {"brush=FFF0F0/solid"}).size(), 1u);
    const auto labels = TextsInColor(canvas, kRed);
    EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()),
              (std::set<std::string>{"4.0/46.0", "15.0/46.0", "15.0/15.0", "4.0/15.0"}));
    EXPECT_EQ(labels.size(), 4u);
    EXPECT_EQ(CallsWith(canvas, "TextOut ", {"\"LWE\""}).size(), 1u);
    EXPECT_EQ(CallsWith(canvas, "TextOut ", {"\"Ambient temperature\""}).size(), 1u);
    EXPECT_FALSE(CallsWith(canvas, "TextOut ", {"\"-5 °C\""}).empty());  // xmin = 5 − 10
    EXPECT_FALSE(CallsWith(canvas, "TextOut ", {"\"55 °C\""}).empty());  // ymax = 45 + 10
    // Projection lines are dotted and black.
    EXPECT_EQ(CallsWith(canvas, "LineTo ", {"pen=000000/copy/1/dot"}).size(), 4u);
}

TEST_F(OperatingRange, ARangeExtensionLowersTheMinimumAndSquaresTheLowerCorners) {
    const auto pUnit = NewUnit();
    pUnit->SetCMinOTemp(10.0);
    pUnit->SetCDIndLL(2.0), pUnit->SetCDOutLL(5.0);
    pUnit->SetCDIndLR(3.0), pUnit->SetCDOutLR(4.0);
    pUnit->SetCDIndUR(2.0), pUnit->SetCDOutUR(6.0);
    frame.SetRangeExtension(-10.0);
    Paint(pUnit.get());
    const auto labels = TextsInColor(canvas, kRed);
    EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()),
              (std::set<std::string>{"4.0/46.0", "13.0/46.0", "15.0/40.0", "15.0/-10.0", "4.0/-10.0"}));

    const TOpRangeLimits limits = UnitLimits(*pUnit, true, -10.0);
    EXPECT_EQ(limits.MinY, -10.0);
    EXPECT_EQ(limits.XLL + limits.YLL + limits.XLR + limits.YLR, 0.0);
    EXPECT_EQ(UnitLimits(*pUnit, true, kNotSet).MinY, 10.0);
    EXPECT_EQ(UnitLimits(*pUnit, true, 12.0).YLR, 4.0);  // a minimum below the extension stays
}

TEST_F(OperatingRange, TheCapacityAreaIsTheClippedShapeWithItsCutsMoved) {
    TOpRangeLimits l{0.0, 20.0, 10.0, 50.0};
    l.XUL = 4.0, l.YUL = 8.0;  // chamfered
    l.XLR = 6.0, l.YLR = 3.0;  // passed entirely by the clip below
    const auto area = CapacityArea(l, 1.0, 18.0, 15.0, 48.0);
    ASSERT_TRUE(area.has_value());
    EXPECT_EQ(area->MinX, 1.0);
    EXPECT_EQ(area->MaxY, 48.0);
    EXPECT_DOUBLE_EQ(area->XUL, 2.0);  // 4 − 1 − 4·2/8
    EXPECT_DOUBLE_EQ(area->YUL, 4.0);  // 8 − 2 − 1·8/4
    EXPECT_EQ(area->XLR, 0.0);
    EXPECT_EQ(area->YLR, 0.0);
    // Square corners with both sides moved stay square: no division by their zero cut.
    for (double v : {area->XUR, area->YUR, area->XLL, area->YLL}) EXPECT_EQ(v, 0.0);

    EXPECT_FALSE(CapacityArea(l, 21.0, 30.0, 15.0, 48.0));       // right of the limits
    EXPECT_FALSE(CapacityArea(l, 1.0, 18.0, kNotSet, 48.0));     // a range not set
    EXPECT_FALSE(CapacityArea(l, 18.0, 1.0, 15.0, 48.0));        // inverted
    EXPECT_FALSE(CapacityArea(l, std::nan(""), 1.0, 15.0, 48.0));

    // Painted: finite points only, the blue polygon inside the red one, the ranges in its centre.
    const auto pUnit = NewUnit();
    pUnit->SetCDIndUL(3.0), pUnit->SetCDOutUL(6.0);
    frame.SetCapRanges(5.0, 10.0, 20.0, 45.0);
    Paint(pUnit.get());
    const auto blue = Polygons("FF0000");
    ASSERT_EQ(blue.size(), 1u);
    const auto red = Polygons(kRed);
    ASSERT_EQ(red.size(), 1u);
    for (std::size_t i = 0; i < blue[0].size(); i += 2) {
        EXPECT_GE(blue[0][i], red[0][14]);      // right of the left edge
        EXPECT_LE(blue[0][i + 1], red[0][11]);  // above the bottom
    }
    EXPECT_EQ(CallsWith(canvas, "Polygon ", {"brush=F0FFFF/solid"}).size(), 1u);
    EXPECT_EQ(TextsInColor(canvas, "FF0000"), (std::vector<std::string>{"5.0 .. 10.0/", "20.0 .. 45.0 "}));
}

TEST_F(OperatingRange, CrowdedTemperatureLabelsOnTheXAxisAreThinnedOutNeverRunTogether) {
    frame.SetORParams({-15.0, 21.0, -12.0, 48.0});  // 60 K across 560 pixels
    Paint(nullptr);
    // The X labels: the lowest row of degree texts.
    std::vector<std::pair<int, std::string>> labels;
    int nRow = 0;
    for (const std::string& szCall : CallsWith(canvas, "TextOut ", {"°C\""})) {
        const std::vector<int> at = Coordinates(szCall);
        const std::string text = szCall.substr(szCall.find('"') + 1, szCall.rfind('"') - szCall.find('"') - 1);
        if (at[1] > nRow) nRow = at[1], labels.clear();
        if (at[1] == nRow) labels.emplace_back(at[0], text);
    }
    const int nTicks = (35 - -25) / 5 + 1;  // −25 … 35 °C every 5 K
    ASSERT_GE(int(labels.size()), nTicks / 2);
    EXPECT_LT(int(labels.size()), nTicks);
    const int cw = canvas.TextWidth("W");
    for (std::size_t i = 1; i < labels.size(); ++i) {
        const int nEnd = labels[i - 1].first + canvas.TextWidth(labels[i - 1].second);
        EXPECT_GE(labels[i].first, nEnd + cw) << labels[i].second;
    }
    // Every tick keeps its mark.
    EXPECT_GE(CallsWith(canvas, "LineTo ", {"pen=000000/copy/1/solid"}).size(), std::size_t(nTicks));
}

TEST_F(OperatingRange, WithoutUnitOnlyStoredLimitsAreDrawnAndDamagedLimitsNotAtAll) {
    Paint(nullptr);
    EXPECT_TRUE(canvas.Calls().empty());
    frame.SetORParams({-5.0, 10.0, 20.0, 40.0});
    Paint(nullptr);
    EXPECT_EQ(Polygons(kRed).size(), 1u);
    canvas.Clear();
    int nRepaints = 0;
    frame.SetRepaint([&nRepaints] { ++nRepaints; });
    frame.ClearGraph();
    EXPECT_EQ(nRepaints, 1);
    frame.Paint(canvas, 560, 420);
    EXPECT_TRUE(canvas.Calls().empty());

    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e9}) {
        frame.SetORParams({-5.0, bad, 20.0, 40.0});
        Paint(nullptr);
        EXPECT_TRUE(canvas.Calls().empty()) << bad;
    }
    frame.SetORParams({10.0, -5.0, 20.0, 40.0});  // inverted
    Paint(nullptr);
    EXPECT_TRUE(canvas.Calls().empty());

    // Cuts longer than the sides stay inside the rectangle.
    TOpRangeLimits wide{0.0, 10.0, 20.0, 40.0};
    wide.XUL = 50.0, wide.YUL = 90.0;
    frame.SetORParams(wide);
    Paint(nullptr);
    const auto polygons = Polygons(kRed);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0][0], polygons[0][2]);   // the top-left cut ends at the top-right corner
    EXPECT_EQ(polygons[0][15], polygons[0][11]); // and at the bottom-left corner
}

}  // namespace
}  // namespace brumalis::graphs
