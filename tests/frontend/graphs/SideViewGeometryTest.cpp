// Geometry of the shaft elevation view.
#include <gtest/gtest.h>

#include <cmath>

#include "graphs/SideViewGeometry.h"

namespace korven {
namespace {

double D(long double v) { return static_cast<double>(v); }

TEST(SideViewGeometry, StraightShaftStandsTwoDiametersAboveGround) {
    const auto shapes = ShaftShapes({2, 30, 0, 0});
    ASSERT_EQ(shapes.size(), 1u);
    EXPECT_EQ(GroundOffset(2), 4);
    EXPECT_EQ(shapes[0].topLeft.y, 0);
    EXPECT_EQ(shapes[0].bottomRight.y, 34);
    EXPECT_EQ(shapes[0].topLeft.x, -1);
    EXPECT_EQ(shapes[0].bottomRight.x, 1);
}

TEST(SideViewGeometry, BellMeetsTheStemAtItsComputedTop) {
    // B = 2, Bb = 6, 45 degrees: e = 2, so the slope rises 2 ft above the base at depth 30
    const auto shapes = ShaftShapes({2, 30, 3, 45});
    ASSERT_EQ(shapes.size(), 2u);
    const Quad& bell = shapes[1];
    const double cot = std::cos(45 * 3.1416 / 180) / std::sin(45 * 3.1416 / 180);
    EXPECT_NEAR(D(bell.topLeft.y), 34 - 2 * cot, 1e-9);
    EXPECT_EQ(bell.topRight.x, 1);
    EXPECT_EQ(bell.bottomLeft.x, -3);
    EXPECT_EQ(bell.bottomRight.y, 34);

    // a ratio of 0 or 1 means a straight shaft even with an angle; a near-flat bell starts no
    // higher than the shaft head
    EXPECT_EQ(ShaftShapes({2, 30, 0, 45}).size(), 1u);
    EXPECT_EQ(ShaftShapes({2, 30, 1, 45}).size(), 1u);
    EXPECT_EQ(ShaftShapes({2, 30, 3, 1e-6L})[1].topLeft.y, 0);
}

TEST(SideViewGeometry, ExtentsReachTheLastLayerLine) {
    const auto shapes = ShaftShapes({2, 30, 3, 45});
    const ViewRange e = ShapeExtents(shapes, 50, 2);
    EXPECT_EQ(e.xmin, -3);
    EXPECT_EQ(e.xmax, 3);
    EXPECT_EQ(e.ymin, 0);
    EXPECT_EQ(e.ymax, 54 + 54.0L / 40);
    EXPECT_EQ(ShapeExtents(shapes, 20, 2).ymax, 34 + 34.0L / 40);
    EXPECT_EQ(ShapeExtents({}, 20, 2), (ViewRange{-5, 5, 0, 5}));
}

TEST(SideViewGeometry, TrueScaleKeepsOneUnitEqualOnBothAxes) {
    // wide window, tall shaft: x is widened
    auto v = TrueScaleView({-1, 1, 0, 34}, 800, 600);
    ASSERT_TRUE(v);
    EXPECT_NEAR(D(800 / (v->xmax - v->xmin)), D(600 / (v->ymax - v->ymin)), 1e-9);
    EXPECT_EQ(v->ymax, 34);
    // tall window: y is stretched
    v = TrueScaleView({-5, 5, 0, 5}, 100, 1000);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->xmin, -5);
    EXPECT_NEAR(D(v->ymax), 100, 1e-9);
    EXPECT_FALSE(TrueScaleView({-5, 5, 0, 5}, 0, 300));
    EXPECT_FALSE(TrueScaleView({-5, 5, 0, 5}, 300, 0));
    EXPECT_FALSE(TrueScaleView({1, 1, 0, 5}, 300, 300));
}

TEST(SideViewGeometry, DepthUnderThePointer) {
    const ViewRange v{-20, 20, 0, 40};  // 10 pixels a foot on a 400 pixel high window
    EXPECT_EQ(SideWorldToScreen(v, 400, 400, 0, 4), (PixelPoint{200, 40}));
    EXPECT_EQ(DepthReadout(SideDepthAt(v, 400, 40, 2)), "  Depth: 0.0");
    EXPECT_EQ(DepthReadout(SideDepthAt(v, 400, 41, 2)), "  Depth: 0.1");
    EXPECT_EQ(DepthReadout(SideDepthAt(v, 400, 0, 2)), "  Depth: -4.0");
    EXPECT_EQ(DepthReadout(-0.04L), "  Depth: 0.0");
}

TEST(SideViewGeometry, LayerLabelsByType) {
    struct Case {
        int type;
        const char* screen;
        bool below;
        const char* print;
    } const cases[] = {
        {1, "depth= 0 - 10.5; Sand", true, "depth= 0 - 10.5; Sand"},
        {2, "depth= 0 - 10.5; Clay", true, "depth= 0 - 10.5; Clay"},
        {3, "Shale", false, "depth= 0 - 10.5; Shale"},
        {4, "Strong Rock", false, "depth= 0 - 10.5; Strong Rock"},
        {5, "Decomposed Rock", false, "depth= 0 - 10.5; Decomposed Rock"},
        {6, "Weak Rock", false, "depth= 0 - 10.5; Soft Rock"},
        {7, "Strong Rock", false, "depth= 0 - 10.5; Strong Rock"},
        {8, "depth= 0 - 10.5; Gravelly Sand", true, "depth= 0 - 10.5; Gravelly Sand"},
        {9, "depth= 0 - 10.5; Gravel", true, "depth= 0 - 10.5; Gravel"},
        {0, "", false, "depth= 0 - 10.5; "},
    };
    for (const auto& c : cases) {
        const LayerLabel l = ScreenLayerLabel(c.type, 0, 10.5L);
        EXPECT_EQ(l.text, c.screen);
        EXPECT_EQ(l.belowTop, c.below) << c.type;
        EXPECT_EQ(PrintLayerLabel(c.type, 0, 10.5L), c.print);
    }
}

TEST(SideViewGeometry, PrintResolutionSnapsToPrinterSteps) {
    const std::pair<int, int> cases[] = {{0, 75},    {75, 75},   {76, 100},   {125, 100},
                                         {126, 150}, {225, 150}, {226, 300},  {449, 300},
                                         {450, 600}, {899, 600}, {900, 1200}, {5000, 1200}};
    for (const auto& [estimate, dpi] : cases) EXPECT_EQ(SnapPrintResolution(estimate), dpi);
}

TEST(SideViewGeometry, PrintedDepthMapping) {
    // B = 2, last layer at 30: world 0 .. 34 fills 80 % of a 1000 pixel page below a 10 % margin
    EXPECT_EQ(PrintWorldY(0, 2, 30, 1000), 100);
    EXPECT_EQ(PrintWorldY(4, 2, 30, 1000), 194);
    EXPECT_EQ(PrintWorldY(34, 2, 30, 1000), 900);
    EXPECT_EQ(PrintWorldY(10, 0, 0, 1000), 100);  // no depth at all: no division by zero
}

}  // namespace
}  // namespace korven
