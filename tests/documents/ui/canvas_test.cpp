#include <gtest/gtest.h>

#include <QtGui/QImage>
#include <QtTest/QTest>

#include <functional>
#include <memory>
#include <vector>

#include "documents/graphs/legend.h"
#include "documents/graphs/operating_range.h"
#include "documents/graphs/virt_graph.h"
#include "documents/ui/canvas_view.h"
#include "documents/ui/qt_canvas.h"
#include "platform/graphics/emf.h"
#include "platform/graphics/font_metrics.h"
#include "platform/graphics/virtual_canvas.h"
#include "platform/settings_store.h"

namespace brumalis::docui {
namespace {

using namespace graphics;

// Every drawing at 1x and at 2x: logical coordinates, device pixels doubled.
class QtCanvasTest : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override {
        palette.setColor(QPalette::Base, Qt::white);
        palette.setColor(QPalette::Text, Qt::black);
    }

    QImage Draw(const TCanvasPainter& painter, TSize size = {200, 100}) const {
        return RenderCanvasImage(painter, size, Ratio(), palette);
    }
    double Ratio() const { return GetParam(); }
    // The device pixel under a logical point (its top-left device pixel).
    QColor At(const QImage& image, int x, int y) const {
        return image.pixelColor(int(x * Ratio()), int(y * Ratio()));
    }
    // Device pixels of exactly this colour.
    static int Count(const QImage& image, QColor color) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == color ? 1 : 0;
        return n;
    }
    // Whether any device pixel of the logical square around (x, y) is dark.
    bool DarkNear(const QImage& image, int x, int y, int nRadius) const {
        for (int dy = -nRadius; dy <= nRadius; ++dy)
            for (int dx = -nRadius; dx <= nRadius; ++dx)
                for (int k = 0; k < int(Ratio() * Ratio()); ++k) {
                    const int px = int((x + dx) * Ratio()) + k % int(Ratio());
                    const int py = int((y + dy) * Ratio()) + k / int(Ratio());
                    if (image.valid(px, py) && image.pixelColor(px, py).lightness() < 128) return true;
                }
        return false;
    }

    QPalette palette;
};

TEST_P(QtCanvasTest, LinesAreSharpExcludeTheirEndAndKeepTheColourBytes) {
    const QImage image = Draw([](CTDeviceCanvas& c, TSize) {
        c.Pen().Color = RGBColor(128, 0, 0);  // 0x000080: red in the low byte
        c.MoveTo(10, 20);
        c.LineTo(60, 20);
    });
    const int r = int(Ratio());
    EXPECT_EQ(image.size(), QSize(200 * r, 100 * r));
    // The line covers exactly its row of logical pixels, on every device row.
    for (int k = 0; k < r; ++k) {
        EXPECT_EQ(image.pixelColor(30 * r, 20 * r + k), QColor(128, 0, 0)) << k;
        EXPECT_EQ(image.pixelColor(10 * r, 20 * r + k), QColor(128, 0, 0)) << k;
    }
    EXPECT_EQ(image.pixelColor(30 * r, 20 * r - 1), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(30 * r, 21 * r), QColor(Qt::white));
    EXPECT_EQ(At(image, 60, 20), QColor(Qt::white));  // the end point is not drawn
    EXPECT_EQ(Count(image, QColor(0, 0, 128)), 0);
    EXPECT_EQ(Count(image, QColor(128, 0, 0)), 50 * r * r);
}

TEST_P(QtCanvasTest, PenWidthsAndStylesDashesLeaveGaps) {
    const QImage image = Draw([](CTDeviceCanvas& c, TSize) {
        c.Pen().Style = psDot;
        c.MoveTo(10, 10);
        c.LineTo(110, 10);
        c.Pen().Style = psSolid;
        c.Pen().Width = 3;
        c.MoveTo(10, 50);
        c.LineTo(110, 50);
        c.Pen().Style = psClear;
        c.MoveTo(10, 80);
        c.LineTo(110, 80);
    });
    int nInk = 0, nGaps = 0;
    for (int x = 12; x < 108; ++x) (At(image, x, 10) == QColor(Qt::black) ? nInk : nGaps) += 1;
    EXPECT_GT(nInk, 30);
    EXPECT_GT(nGaps, 30);
    for (int x = 12; x < 108; ++x) {
        ASSERT_EQ(At(image, x, 49), QColor(Qt::black)) << x;  // three pixels wide, centred
        ASSERT_EQ(At(image, x, 51), QColor(Qt::black)) << x;
        ASSERT_EQ(At(image, x, 80), QColor(Qt::white)) << x;
    }
    EXPECT_EQ(At(image, 50, 47), QColor(Qt::white));
    EXPECT_EQ(At(image, 50, 53), QColor(Qt::white));
}

TEST_P(QtCanvasTest, SystemColoursFollowThePalette) {
    const auto fill = [](CTDeviceCanvas& c, TSize) {
        c.Pen().Color = clWindowText;
        c.Brush().Color = clBtnFace;
        c.Rectangle(10, 10, 50, 40);
    };
    palette.setColor(QPalette::Button, QColor(10, 200, 30));
    palette.setColor(QPalette::Text, QColor(0, 0, 90));
    QImage image = Draw(fill);
    EXPECT_EQ(At(image, 30, 25), QColor(10, 200, 30));
    EXPECT_EQ(At(image, 10, 25), QColor(0, 0, 90));   // the outline's left column
    EXPECT_EQ(At(image, 49, 25), QColor(0, 0, 90));   // and its right one, inside the box
    EXPECT_EQ(At(image, 50, 25), QColor(Qt::white));  // right and bottom edges are excluded
    EXPECT_EQ(At(image, 30, 40), QColor(Qt::white));
    palette.setColor(QPalette::Button, QColor(250, 120, 0));
    image = Draw(fill);
    EXPECT_EQ(At(image, 30, 25), QColor(250, 120, 0));
    // An RGB colour is never taken for a palette role.
    image = Draw([](CTDeviceCanvas& c, TSize) {
        c.Brush().Color = RGBColor(0, 0, 128);
        c.Rectangle(10, 10, 50, 40);
    });
    EXPECT_EQ(At(image, 30, 25), QColor(0, 0, 128));
}

TEST_P(QtCanvasTest, ACurveEndsOnItsEndPointsAndShapesStayInTheirBox) {
    const QImage image = Draw(
        [](CTDeviceCanvas& c, TSize) {
            CTVirtualCanvas world(&c);
            world.SetScale(2);
            const TPoint points[] = {{10, 40}, {30, 5}, {50, 40}, {70, 5}, {90, 40}};
            world.DrawCurve(points, 5);
        },
        {200, 100});
    EXPECT_TRUE(DarkNear(image, 20, 80, 1));
    EXPECT_TRUE(DarkNear(image, 180, 80, 1));
    EXPECT_FALSE(DarkNear(image, 14, 80, 2));   // nothing beyond the first point
    EXPECT_FALSE(DarkNear(image, 186, 80, 2));  // nor beyond the last
    EXPECT_TRUE(DarkNear(image, 120, 44, 1));   // the joint: midway between points 3 and 4

    const QImage shapes = Draw([](CTDeviceCanvas& c, TSize) {
        c.Brush().Color = RGBColor(0, 200, 0);
        c.Ellipse(10, 10, 50, 50);
        c.Arc(100, 10, 140, 50, 140, 30, 100, 30);  // the upper half, counter-clockwise
        const TPoint triangle[] = {{150, 90}, {190, 90}, {170, 60}};
        c.Polygon(triangle);
    });
    EXPECT_EQ(At(shapes, 30, 30), QColor(0, 200, 0));
    EXPECT_EQ(At(shapes, 11, 11), QColor(Qt::white));  // outside the round edge
    EXPECT_TRUE(DarkNear(shapes, 120, 10, 1));          // the top of the arc
    EXPECT_FALSE(DarkNear(shapes, 120, 49, 2));         // not its lower half
    EXPECT_EQ(At(shapes, 170, 85), QColor(0, 200, 0));
}

TEST_P(QtCanvasTest, TextSitsInTheMeasuredCellOverASolidBrush) {
    const TFont font{"Arial", 10, {}, clBlack};
    const TSize extent = TextExtent(font, "Wide 12");
    const QImage image = Draw([&](CTDeviceCanvas& c, TSize) {
        c.Font() = font;
        c.Brush().Color = RGBColor(255, 255, 0);
        c.TextOut(20, 30, "Wide 12");
        EXPECT_EQ(c.TextExtent("Wide 12"), extent);
    });
    EXPECT_EQ(At(image, 20, 30), QColor(255, 255, 0));
    EXPECT_EQ(At(image, 20 + extent.cx - 1, 30 + extent.cy - 1), QColor(255, 255, 0));
    EXPECT_EQ(At(image, 20 + extent.cx, 30), QColor(Qt::white));
    EXPECT_EQ(At(image, 20, 30 + extent.cy), QColor(Qt::white));
    EXPECT_EQ(At(image, 19, 30), QColor(Qt::white));
    int nInk = 0;
    for (int y = 30; y < 30 + extent.cy; ++y)
        for (int x = 20; x < 20 + extent.cx; ++x) nInk += At(image, x, y).lightness() < 100 ? 1 : 0;
    EXPECT_GT(nInk, 20);
}

TEST_P(QtCanvasTest, PicturesAreStretchedAndMetafilesPlayedDamagedOnesNot) {
    CTRaster raster(2, 2);
    raster.SetPixel(0, 0, RGBColor(255, 0, 0));
    raster.SetPixel(1, 0, RGBColor(0, 255, 0));
    raster.SetPixel(0, 1, RGBColor(0, 0, 255));
    raster.SetPixel(1, 1, RGBColor(255, 255, 255));
    CTEmfCanvas emf(40, 20);
    emf.Brush().Color = RGBColor(0, 128, 128);
    emf.Pen().Style = psClear;
    emf.Rectangle(0, 0, 40, 20);
    const CTGraphic metafile = emf.FinishGraphic();
    const QImage image = Draw([&](CTDeviceCanvas& c, TSize) {
        c.StretchDraw({10, 10, 50, 50}, raster, SRCCOPY);
        c.PlayMetafile({100, 10, 180, 50}, metafile);
        c.PlayMetafile({100, 60, 180, 90}, CTGraphic::FromMetafile("not a metafile", 10, 10));
    });
    EXPECT_EQ(At(image, 11, 11), QColor(255, 0, 0));
    EXPECT_EQ(At(image, 48, 11), QColor(0, 255, 0));
    EXPECT_EQ(At(image, 11, 48), QColor(0, 0, 255));
    EXPECT_EQ(At(image, 140, 30), QColor(0, 128, 128));
    EXPECT_EQ(At(image, 185, 30), QColor(Qt::white));  // nothing outside the destination
    EXPECT_EQ(At(image, 140, 75), QColor(Qt::white));
}

// The graphs' own painters on the canvas, in the current user's units.
class GraphOnCanvasTest : public QtCanvasTest {
protected:
    void SetUp() override {
        QtCanvasTest::SetUp();
        registry = std::make_unique<platform::CTRegistry>(std::make_shared<platform::CTMemorySettingsStore>(),
                                                          std::make_shared<platform::CTMemorySettingsStore>(true));
        substitute = std::make_unique<platform::CTRegistrySubstitute>(*registry);
    }
    void TearDown() override {
        substitute.reset();
        registry.reset();
    }

    std::unique_ptr<platform::CTRegistry> registry;
    std::unique_ptr<platform::CTRegistrySubstitute> substitute;
};

TEST_P(GraphOnCanvasTest, TheRangeFillIsPaleBlueAndScalesWithThePixelRatio) {
    graphs::TFrm_CapTableOpRange frame;
    frame.SetORParams({-5.0, 10.0, 20.0, 40.0});
    const QImage image =
        Draw([&](CTDeviceCanvas& c, TSize size) { frame.Paint(c, size.cx, size.cy); }, {560, 420});
    const int nFill = Count(image, QColor(240, 240, 255));
    EXPECT_GT(nFill, int(20000 * Ratio() * Ratio()));
    EXPECT_GT(Count(image, QColor(255, 0, 0)), 500);  // the red envelope
    // The envelope's middle.
    int nLeft = image.width(), nRight = 0, nTop = image.height(), nBottom = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(240, 240, 255)) {
                nLeft = std::min(nLeft, x), nRight = std::max(nRight, x);
                nTop = std::min(nTop, y), nBottom = std::max(nBottom, y);
            }
    EXPECT_EQ(image.pixelColor((nLeft + nRight) / 2, (nTop + nBottom) / 2), QColor(240, 240, 255));
}

TEST_P(GraphOnCanvasTest, ALineGraphShowsItsSeriesInThePaletteColoursWithAxesAndLegend) {
    graphs::TLegend::ResetColor();
    graphs::TLegendList legend;
    legend.push_back(std::make_unique<graphs::TLegend>("0", "7 °C", true));
    legend.push_back(std::make_unique<graphs::TLegend>("1", "9 °C", true));
    EXPECT_EQ(legend[0]->GetColor(), RGBColor(128, 0, 0));
    const QImage image = Draw(
        [&](CTDeviceCanvas& c, TSize) {
            graphs::TVirtLineGraph graph(&c, [](int nSeries, int, void*) { return nSeries == 0 ? 40.0 : 70.0; }, {});
            graph.SetBorder(4);
            graph.SetPlots(&legend);
            graph.SetXTitle("LWE");
            graph.SetYTitle("kW");
            graph.SetYValues(0, 100, 5, 0);
            graph.SetXValues(11, {"5", "10", "15"});
            graph.DrawOutline(true, true);
            graph.DrawGraph();
        },
        {400, 300});
    const int r = int(Ratio());
    // Each series is a long horizontal line plus its legend square.
    EXPECT_GT(Count(image, QColor(128, 0, 0)), 200 * r * r);
    EXPECT_GT(Count(image, QColor(0, 128, 0)), 200 * r * r);
    EXPECT_EQ(Count(image, QColor(0, 0, 128)), 0);
    EXPECT_GT(Count(image, QColor(Qt::black)), 300 * r * r);  // axes, ticks, labels
    EXPECT_GT(Count(image, QColor(Qt::white)), image.width() * image.height() / 2);
    graphs::TLegend::ResetColor();
}

INSTANTIATE_TEST_SUITE_P(PixelRatios, QtCanvasTest, ::testing::Values(1.0, 2.0));
INSTANTIATE_TEST_SUITE_P(PixelRatios, GraphOnCanvasTest, ::testing::Values(1.0, 2.0));

TEST(CanvasView, PaintsTheDrawingAndHandsClicksBackInLogicalPixels) {
    TCanvasView view;
    view.resize(120, 80);
    QPalette palette = view.palette();
    palette.setColor(QPalette::Base, QColor(250, 250, 250));
    view.setPalette(palette);
    TSize painted;
    view.SetPainter([&](CTDeviceCanvas& c, TSize size) {
        painted = size;
        c.Brush().Color = RGBColor(0, 0, 200);
        c.Pen().Style = psClear;
        c.Rectangle(0, 0, 60, 80);
    });
    const QImage image = view.grab().toImage();
    EXPECT_EQ(painted, (TSize{120, 80}));
    EXPECT_EQ(image.pixelColor(30, 40), QColor(0, 0, 200));
    EXPECT_EQ(image.pixelColor(90, 40), QColor(250, 250, 250));

    std::vector<std::pair<int, int>> clicks;
    view.SetClickHandler([&](int x, int y) { clicks.emplace_back(x, y); });
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(17, 23));
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{17, 23}}));
}

}  // namespace
}  // namespace brumalis::docui
