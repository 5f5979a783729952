// Decisions of the graph windows and the elevation view that need no window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "graphs/PlotLayout.h"
#include "graphs/SideViewGeometry.h"

namespace korven {
namespace {

TEST(SideViewGeometry, DrawnLengthFallsBackToTheProfileOnly) {
    EXPECT_EQ(DrawnLength(30, 90), 30.0L);
    EXPECT_EQ(DrawnLength(0, 90), 90.0L);  // a design-load project: drawn to the last layer
    EXPECT_EQ(DrawnLength(0.00005L, 90), 90.0L);
}

TEST(PlotLayout, LegendGoesToTheCornerWithFewestCurvePoints) {
    const PixelRect plot{100, 50, 700, 450};
    struct Case {
        const char* what;
        std::vector<PixelPoint> points;
        PixelPoint expected;
    };
    const Case cases[] = {
        {"nothing drawn: bottom right", {}, {600, 400}},
        {"a depth curve ends bottom right", {{110, 60}, {400, 250}, {690, 440}}, {101, 400}},
        {"curves fill both lower corners", {{690, 440}, {110, 440}, {120, 445}}, {600, 51}},
        {"every corner but the top left", {{690, 440}, {110, 440}, {690, 60}}, {101, 51}},
    };
    for (const Case& c : cases) {
        const PixelPoint at = LegendCorner(plot, 100, 50, c.points);
        EXPECT_EQ(at.x, c.expected.x) << c.what;
        EXPECT_EQ(at.y, c.expected.y) << c.what;
    }
}

TEST(PlotLayout, SampledPolylineHasNoGapWiderThanTheStep) {
    std::vector<PixelPoint> out;
    SamplePolyline({{0, 0}, {100, 0}, {100, 30}}, 4, out);
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out.front(), (PixelPoint{0, 0}));
    EXPECT_EQ(out.back(), (PixelPoint{100, 30}));
    for (std::size_t i = 1; i < out.size(); ++i)
        EXPECT_LE(std::abs(out[i].x - out[i - 1].x) + std::abs(out[i].y - out[i - 1].y), 8) << i;
    // a point the legend would hide in the middle of a long segment is found
    const PixelRect plot{0, 0, 1000, 1000};
    std::vector<PixelPoint> diagonal;
    SamplePolyline({{0, 0}, {1000, 1000}}, 3, diagonal);
    const PixelPoint at = LegendCorner(plot, 200, 100, diagonal);
    EXPECT_EQ(at.x, 1);  // bottom left: the diagonal passes through both right-hand corners
    EXPECT_EQ(at.y, 900);
}

}  // namespace
}  // namespace korven
