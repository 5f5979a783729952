// Drawing arithmetic of the graph window, checked against hand-worked numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphs/PlotLayout.h"

namespace korven {
namespace {

TEST(PlotLayout, LabelHeightScalesTheWindowFontInTenths) {
    EXPECT_EQ(LabelHeight(10, kWindowFontPixels), 14);
    EXPECT_EQ(LabelHeight(15, kWindowFontPixels), 21);
    EXPECT_EQ(LabelHeight(25, kWindowFontPixels), 35);
}

struct LayoutCase {
    const char* name;
    bool xOnTop, hasTitle, titleOnTop, showLayers;
    PixelRect plot;
    PixelRect strip;
};

// 800 x 600 client, 96 dpi, h = 14: 2h + dpi/8 + h/8 = 41, dpi/4 + h/2 = 31, h/2 + dpi/4 = 31
TEST(PlotLayout, ScreenRectangles) {
    const LayoutCase cases[] = {
        {"depth graph", true, false, true, false, {41, 41, 769, 569}, {}},
        {"title on top", true, true, true, false, {41, 56, 769, 569}, {}},
        {"title at bottom", true, true, false, false, {41, 41, 769, 555}, {}},
        {"x axis below", false, false, true, false, {41, 31, 769, 559}, {}},
        {"soil layers", true, false, true, true, {41, 41, 673, 569}, {692, 41, 769, 569}},
    };
    for (const auto& c : cases) {
        LayoutParams p;
        p.output          = {0, 0, 800, 600};
        p.h               = 14;
        p.xOnTop          = c.xOnTop;
        p.hasTitle        = c.hasTitle;
        p.titleOnTop      = c.titleOnTop;
        p.showLayers      = c.showLayers;
        const PlotRects r = ScreenLayout(p);
        EXPECT_EQ(r.plot, c.plot) << c.name;
        EXPECT_EQ(r.hasStrip, c.showLayers) << c.name;
        if (c.showLayers) {
            EXPECT_EQ(r.strip, c.strip) << c.name;
        }
    }
}

TEST(PlotLayout, PrintedPageKeepsCaptionRoomAndTitleSpace) {
    LayoutParams p;
    p.output = {100, 120, 5000, 6500};
    p.dpiX = p.dpiY = 600;
    p.h             = 87;  // 2h + dpiX/8 + h/8 = 174 + 75 + 10 = 259
    PlotRects r     = PrintLayout(p);
    EXPECT_EQ(r.plot, (PixelRect{359, 379, 5000, 6500}));
    p.hasTitle = true;
    r          = PrintLayout(p);
    EXPECT_EQ(r.plot.top, 379 + 150);
    p.titleOnTop = false;
    p.xOnTop     = false;
    r            = PrintLayout(p);
    EXPECT_EQ(r.plot, (PixelRect{359, 120, 5000, 6500 - 259 - 300}));
}

TEST(PlotLayout, WorldScreenMappingBothWaysAndBothOrientations) {
    const PixelRect plot{41, 41, 769, 569};  // 728 x 528
    const ViewRange v{0, 250, 0, 50};
    // y = 10 lies 105.6 -> 106 pixels from the y origin edge
    EXPECT_EQ(WorldToScreen(plot, v, true, 125, 10), (PixelPoint{405, 147}));
    EXPECT_EQ(WorldToScreen(plot, v, false, 125, 10), (PixelPoint{405, 463}));
    for (bool onTop : {true, false}) {
        for (const auto& [x, y] : {std::pair{0.0L, 0.0L}, {250.0L, 50.0L}, {37.3L, 12.9L}}) {
            const PixelPoint s = WorldToScreen(plot, v, onTop, x, y);
            const WorldPoint w = ScreenToWorld(plot, v, onTop, s.x, s.y);
            EXPECT_NEAR(static_cast<double>(w.x), static_cast<double>(x), 250.0 / 728);
            EXPECT_NEAR(static_cast<double>(w.y), static_cast<double>(y), 50.0 / 528);
        }
    }
    const WorldPoint outside = ScreenToWorld(plot, v, true, 20, 300);
    EXPECT_EQ(outside.x, 0);
    EXPECT_EQ(outside.y, 0);
    // a point far off the view still maps to a pixel that fits an int
    const PixelPoint far = WorldToScreen(plot, v, true, 1e30L, -1e30L);
    EXPECT_GT(far.x, 769);
    EXPECT_LT(far.y, 41);
}

TEST(PlotLayout, ZoomInKeepsATwentiethOfTheFullSpanInsideTheRange) {
    struct Case {
        long double a, b, lo, hi;
    } const cases[] = {
        {30, 60, 30, 60},      // wide enough: taken as dragged
        {60, 30, 30, 60},      // sorted
        {40, 41, 38, 43},      // narrow: 5 around the centre 40.5
        {0.5L, 1, 0, 5},       // narrow at the left end: starts at the minimum
        {99.5L, 99, 95, 100},  // and at the right end
    };
    for (const auto& c : cases) {
        long double lo = 0, hi = 0;
        ZoomAxisIn(c.a, c.b, 0, 100, lo, hi);
        EXPECT_NEAR(static_cast<double>(lo), static_cast<double>(c.lo), 1e-12) << c.a;
        EXPECT_NEAR(static_cast<double>(hi), static_cast<double>(c.hi), 1e-12) << c.a;
    }
    const ViewRange v = ZoomIn({0, 100, -10, 10}, {50, -1}, {50.1L, 9.99L});
    EXPECT_NEAR(static_cast<double>(v.xmax - v.xmin), 5, 1e-12);
    EXPECT_NEAR(static_cast<double>(v.ymin), -1, 1e-12);
}

TEST(PlotLayout, ZoomOutDoublesTheSpanAndEndsAtTheFullRange) {
    const ViewRange full{0, 100, 0, 50};
    long double lo = 0, hi = 0;
    ZoomAxisOut(45, 40, 50, 0, 100, lo, hi);
    EXPECT_EQ(lo, 35);
    EXPECT_EQ(hi, 55);
    ZoomAxisOut(2, 35, 55, 0, 100, lo, hi);  // centre pushed in so the span stays inside
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 40);

    for (const WorldPoint at :
         {WorldPoint{0, 0}, WorldPoint{99, 1}, WorldPoint{33.3L, 47}, WorldPoint{-500, 900}}) {
        ViewRange v = ZoomIn(full, {61, 20}, {62, 21});
        int clicks  = 0;
        while (!(v == full) && clicks < 10) {
            v = ZoomOut(full, v, at);
            ++clicks;
            EXPECT_GE(v.xmin, full.xmin);
            EXPECT_LE(v.xmax, full.xmax);
            EXPECT_GE(v.ymin, full.ymin);
            EXPECT_LE(v.ymax, full.ymax);
        }
        EXPECT_LE(clicks, 6);
        EXPECT_EQ(v, full);
    }
}

TEST(PlotLayout, MarkersAtEveryIntervalFromPointZero) {
    EXPECT_EQ(MarkerIndices(16, 3), (std::vector<int>{0, 3, 6, 9, 12, 15}));
    EXPECT_EQ(MarkerIndices(3, 5), (std::vector<int>{0}));
    EXPECT_TRUE(MarkerIndices(16, 0).empty());
    EXPECT_TRUE(MarkerIndices(0, 1).empty());
    EXPECT_EQ(MarkerIndices(16, 1).size(), 16u);
}

TEST(PlotLayout, MarkerShapesByCurveIndex) {
    // radius 4 pixels at 128 dpi; the triangle points down, the square stands on a side
    EXPECT_EQ(MarkerVertices(0, 100, 100, 128, 128),
              (std::vector<PixelPoint>{{100, 104}, {97, 98}, {103, 98}, {100, 104}}));
    EXPECT_EQ(MarkerVertices(1, 100, 100, 128, 128),
              (std::vector<PixelPoint>{{103, 97}, {103, 103}, {97, 103}, {97, 97}, {103, 97}}));
    for (int k = 2; k < 20; ++k) {
        const auto v = MarkerVertices(k, 50, 60, 128, 128);
        ASSERT_EQ(v.size(), static_cast<std::size_t>(k + 2));
        EXPECT_EQ(v.front(), (PixelPoint{50, 56}));  // first vertex straight above
        EXPECT_EQ(v.front(), v.back());
    }
    // print resolution: 600 / 32 = 18.75 pixels
    EXPECT_EQ(MarkerVertices(0, 0, 0, 600, 600).front(), (PixelPoint{0, 19}));
}

TEST(PlotLayout, CurvesListedPaletteAndPens) {
    EXPECT_EQ(ListedCurveCount(25, true), 20);
    EXPECT_EQ(ListedCurveCount(25, false), 25);
    EXPECT_EQ(ListedCurveCount(3, true), 3);
    EXPECT_EQ(ListedCurveCount(-1, true), 0);
    EXPECT_EQ(PaletteColour(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(PaletteColour(2), (Rgb{255, 0, 0}));
    EXPECT_EQ(PaletteColour(16), (Rgb{0, 255, 255}));
    EXPECT_EQ(PaletteColour(18), (Rgb{0, 0, 255}));
    EXPECT_EQ(CurvePenWidth(96, 1), 1);
    EXPECT_EQ(CurvePenWidth(600, 2), 6);
}

TEST(PlotLayout, LayerBandsStopAtTheLastLayer) {
    const PixelRect plot{41, 41, 769, 541};  // 500 pixels for 0 .. 50: 10 pixels a foot
    const auto bands = LayerBands(plot, {0, 100, 0, 50}, true, {10, 25, 40});
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].top, 41);
    EXPECT_EQ(bands[0].bottom, 142);
    EXPECT_EQ(bands[1].top, 141);
    EXPECT_EQ(bands[1].bottom, 292);
    EXPECT_EQ(bands[2].top, 291);
    EXPECT_EQ(bands[2].bottom, 441);  // below 40 the strip stays empty
}

TEST(PlotLayout, PageMarginsAndBitmapSizes) {
    EXPECT_EQ(MarginPixels(1000, 600, 0), 600);
    EXPECT_EQ(MarginPixels(1000, 600, 700), 700);
    EXPECT_EQ(MarginPixels(250, 300, 0), 75);
    EXPECT_EQ(ImagePixels(6, 72), 432);
    EXPECT_EQ(ImagePixels(4, 72), 288);
    EXPECT_EQ(ImagePixels(2.25, 10), 23);
    EXPECT_EQ(ImagePixels(1e300, 72), 0);
    EXPECT_EQ(ImagePixels(std::nan(""), 72), 0);
    EXPECT_EQ(ImagePixels(-3, 72), 0);
}

}  // namespace
}  // namespace korven
