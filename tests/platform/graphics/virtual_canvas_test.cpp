#include "platform/graphics/virtual_canvas.h"

#include <gtest/gtest.h>

#include "platform/graphics/emf.h"
#include "platform/graphics/recording_canvas.h"

namespace brumalis::graphics {
namespace {

using Calls = std::vector<std::string>;

class VirtualCanvasTest : public ::testing::Test {
protected:
    CTRecordingCanvas device;
    CTVirtualCanvas canvas{&device};
};

TEST_F(VirtualCanvasTest, WorldPointsMapThroughScaleAndOffset) {
    canvas.SetScale(2);
    canvas.SetOffsetX(10);
    canvas.SetOffsetY(10);
    canvas.MoveTo(3, 4);
    canvas.LineTo(3, 4);
    EXPECT_EQ(device.Calls(), (Calls{"MoveTo 16,18", "LineTo 16,18 pen=000000/copy/1/solid"}));
    EXPECT_EQ(canvas.GetScaleX(), 2);
    EXPECT_EQ(canvas.GetScaleY(), 2);
}

TEST_F(VirtualCanvasTest, HalvesRoundToEven) {
    canvas.SetOffsetX(0.5);
    canvas.SetOffsetY(-0.5);
    EXPECT_EQ(canvas.MapX(0), 0);
    EXPECT_EQ(canvas.MapX(1), 2);
    EXPECT_EQ(canvas.MapX(2), 2);
    EXPECT_EQ(canvas.MapY(0), 0);
    EXPECT_EQ(canvas.MapY(-1), -2);
    EXPECT_EQ(canvas.MapX(1e300), kMaxCoordinate) << "absurd values stay in range";
}

TEST_F(VirtualCanvasTest, CurveThroughThreePointsIsOneSegment) {
    const TPoint p[] = {{0, 0}, {10, 20}, {30, 5}};
    canvas.DrawCurve(p, 3);
    EXPECT_EQ(device.Calls(), (Calls{"PolyBezier 0,0 10,20 30,5 30,5 pen=000000/copy/1/solid"}));
}

TEST_F(VirtualCanvasTest, CurveThroughFivePointsJoinsAtAMidpoint) {
    canvas.SetScale(2);
    const TPoint p[] = {{0, 0}, {1, 2}, {3, -3}, {6, 0}, {8, 1}};
    canvas.DrawCurve(p, 5);
    // The midpoint of (3, -3) and (6, 0) truncates toward zero: (4, -1).
    EXPECT_EQ(device.Calls(), (Calls{"PolyBezier 0,0 2,4 6,-6 8,-2 12,0 16,2 16,2 pen=000000/copy/1/solid"}));
}

TEST_F(VirtualCanvasTest, CurvesOfFewPoints) {
    const TPoint p[] = {{1, 1}, {5, 5}, {9, 1}, {12, 3}};
    canvas.DrawCurve(p, 1);
    EXPECT_TRUE(device.Calls().empty());
    canvas.DrawCurve(p, 2);
    EXPECT_EQ(device.Calls(), (Calls{"MoveTo 1,1", "LineTo 5,5 pen=000000/copy/1/solid"}));
    device.Clear();
    canvas.DrawCurve(p, 4);
    EXPECT_EQ(device.Calls(), (Calls{"PolyBezier 1,1 5,5 9,1 12,3 pen=000000/copy/1/solid"}));
}

TEST_F(VirtualCanvasTest, FixedMarksKeepTheirPixelSize) {
    canvas.SetScale(10);
    canvas.DrawCrossFixed(1, 2, 3);
    canvas.DrawSquareFixed(1, 2, 2);
    EXPECT_EQ(device.Calls(), (Calls{"MoveTo 7,20", "LineTo 14,20 pen=000000/copy/1/solid", "MoveTo 10,17",
                                     "LineTo 10,24 pen=000000/copy/1/solid",
                                     "Rectangle 8,18,13,23 pen=000000/copy/1/solid brush=FFFFFF/solid"}));
}

TEST_F(VirtualCanvasTest, ShapesMapBothCornersAndTheRoundingDiameter) {
    canvas.SetScaleX(2);
    canvas.SetScaleY(3);
    canvas.DrawRectangle(1, 1, 2, 2);
    canvas.DrawEllipse(0, 0, 1, 1);
    canvas.DrawRoundedRectangle(0, 0, 4, 4, 1.5);  // 4.5 rounds to 4
    canvas.DrawArc(0, 0, 4, 4, 4, 2, 0, 2);
    const std::string fill = " pen=000000/copy/1/solid brush=FFFFFF/solid";
    EXPECT_EQ(device.Calls(), (Calls{"Rectangle 2,3,4,6" + fill, "Ellipse 0,0,2,3" + fill, "RoundRect 0,0,8,12,4,4" + fill,
                                     "Arc 0,0,8,12,8,6,0,6 pen=000000/copy/1/solid"}));
}

TEST_F(VirtualCanvasTest, PolygonIsMappedInPlace) {
    canvas.SetOffsetX(100);
    TPoint p[] = {{0, 0}, {5, 0}, {5, 5}};
    canvas.DrawPolygon(p, 3);
    EXPECT_EQ(p[1], (TPoint{105, 0}));
    EXPECT_EQ(device.Calls(), (Calls{"Polygon 100,0 105,0 105,5 pen=000000/copy/1/solid brush=FFFFFF/solid"}));
}

TEST_F(VirtualCanvasTest, GraphicRectangles) {
    CTRaster raster(4, 3);
    const CTGraphic bitmap = CTGraphic::FromRaster(raster);
    CTEmfCanvas emf(20, 10);
    const CTGraphic metafile = emf.FinishGraphic();
    canvas.SetScale(2);
    canvas.SetOffsetX(1);
    canvas.DrawGraphic(1, 1, 10, 5, bitmap, SRCAND, true);     // far corner mapped: (23, 12)
    canvas.DrawGraphic(1, 1, 10, 5, bitmap, SRCCOPY, false);   // 10 x 5 pixels further: (13, 7)
    canvas.DrawGraphic(0, 0, 20, 10, metafile, SRCAND, true);
    canvas.DrawGraphic(0, 0, 20, 10, CTGraphic(), SRCAND, true);
    device.Pen().Color = clRed;
    canvas.DrawGraphic(0, 0, 20, 10, metafile, SRCCOPY, true);
    ASSERT_EQ(device.Calls().size(), 5u);
    EXPECT_EQ(device.Calls()[0].substr(0, 24), "StretchDraw 3,2,24,13 ra");
    EXPECT_NE(device.Calls()[0].find("rop=8800C6"), std::string::npos);
    EXPECT_EQ(device.Calls()[1].substr(0, 24), "StretchDraw 3,2,14,8 ras");
    EXPECT_NE(device.Calls()[1].find("rop=CC0020"), std::string::npos);
    EXPECT_EQ(device.Calls()[2], "PlayMetafile 1,0,42,21 size=20x10");
    // Copied rather than combined: the metafile's white ground covers what is below.
    EXPECT_EQ(device.Calls()[3], "Rectangle 1,0,43,22 pen=clear/copy brush=FFFFFF/solid");
    EXPECT_EQ(device.Calls()[4], "PlayMetafile 1,0,42,21 size=20x10");
    EXPECT_EQ(device.Pen().Color, clRed);
}

TEST_F(VirtualCanvasTest, StateIsSavedAndRestored) {
    device.Pen() = {clRed, pmXor, 3, psDot};
    device.Brush() = {clBlue, bsCross};
    device.Font() = {"Tahoma", 14, {fsBold}, clGreen};
    canvas.SaveProperties();
    device.Pen() = TPen{};
    device.Brush() = TBrush{};
    device.Font() = {"Tahoma", 8, {}, clBlack};
    canvas.RestoreProperties();
    EXPECT_EQ(device.Pen(), (TPen{clRed, pmXor, 3, psDot}));
    EXPECT_EQ(device.Brush(), (TBrush{clBlue, bsCross}));
    EXPECT_EQ(device.Font(), (TFont{"Tahoma", 14, {fsBold}, clGreen}));
}

TEST_F(VirtualCanvasTest, TextSizesAreInWorldUnits) {
    device.Font() = {"Arial", 10, {}, clBlack};
    canvas.SetScaleX(2);
    canvas.SetScaleY(0.5);
    EXPECT_DOUBLE_EQ(canvas.TextWidth("W"), 12 / 2.0);
    EXPECT_DOUBLE_EQ(canvas.TextHeight(), 15 / 0.5);
    canvas.TextOut(1, 2, "x");
    EXPECT_EQ(device.Calls(), (Calls{"TextOut 2,1 \"x\" font=Arial/10//000000 bg=FFFFFF"}));
    EXPECT_FALSE(canvas.ToPrinter());
    CTEmfCanvas emf(10, 10);
    EXPECT_TRUE(CTVirtualCanvas(&emf).ToPrinter());
}

}  // namespace
}  // namespace brumalis::graphics
