// Graph model: counts, fallback names, unit names and axis scaling.
#include <gtest/gtest.h>

#include <cmath>

#include "graphs/PltData.h"

namespace korven {
namespace {

TEST(GraphPlot, StartsWithTheComponentDefaults) {
    const TGraphPlot g;
    EXPECT_EQ(g.CurveName, "Curve #");
    EXPECT_TRUE(g.Caption.isEmpty());
    EXPECT_TRUE(g.ShowLegend);
    EXPECT_FALSE(g.ShowLayers);
    EXPECT_FALSE(g.ShowWall);
    EXPECT_FALSE(g.ShowThree);
    EXPECT_TRUE(g.ShowFontWidth);
    EXPECT_EQ(g.WallLineCount, 0);
    EXPECT_EQ(g.Markers, 1);
    EXPECT_EQ(g.SizeFont, 10);
    EXPECT_EQ(g.LegendFont, 11);
    EXPECT_EQ(g.WidthLine, 1);
    EXPECT_EQ(g.Units(), 1);
    EXPECT_TRUE(g.XOnTop);
    EXPECT_TRUE(g.LimitCurves);
    EXPECT_TRUE(g.CurveNames.isEmpty());
    EXPECT_EQ(g.LineCount(), 0);
    EXPECT_EQ(g.PointCount(), 0);
    EXPECT_EQ(g.LayerCount(), 0);
}

TEST(GraphPlot, UnitsAreClampedToTheThreeSystems) {
    TGraphPlot g;
    for (auto [set, stored] : {std::pair{2, 2}, {7, 3}, {3, 3}, {0, 1}, {-2, 1}, {1, 1}}) {
        g.SetUnits(set);
        EXPECT_EQ(g.Units(), stored) << set;
    }
}

TEST(GraphPlot, CountsGrowAndShrinkKeepingExistingPoints) {
    TGraphPlot g;
    g.SetPointCount(5);  // no curve yet: nothing to resize
    g.SetLineCount(3);
    ASSERT_EQ(g.LineCount(), 3);
    EXPECT_EQ(g.PointCount(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(g.Curve(i).PointCount(), 0);
        EXPECT_EQ(g.Curve(i).CurveNumber, i + 1);
        EXPECT_TRUE(g.Curve(i).Shown);
        EXPECT_TRUE(g.Curve(i).Active);
    }

    g.SetPointCount(4);
    g.Curve(1).Point(2) = {1.5L, -2.5L};
    g.SetPointCount(3);
    g.SetPointCount(6);
    EXPECT_EQ(g.Curve(1).Point(2).x, 1.5L);
    EXPECT_EQ(g.Curve(1).Point(2).y, -2.5L);
    EXPECT_EQ(g.Curve(1).Point(5).x, 0);  // appended points are at the origin
    EXPECT_EQ(g.Curve(2).PointCount(), 6);

    g.SetLineCount(4);  // a new curve takes the point count of curve 0
    EXPECT_EQ(g.Curve(3).PointCount(), 6);
    EXPECT_EQ(g.Curve(3).CurveNumber, 4);
    g.SetLineCount(-1);
    EXPECT_EQ(g.LineCount(), 0);
    g.SetPointCount(-3);
    EXPECT_EQ(g.PointCount(), 0);

    g.SetLayerCount(2);
    g.SetLayerPointCount(1);
    EXPECT_EQ(g.LayerCount(), 2);
    EXPECT_EQ(g.Layer(1).PointCount(), 1);
    EXPECT_EQ(g.LineCount(), 0);
}

TEST(GraphPlot, DisplayNameFallsBackFromLineNameToCurveNamesToTheNumber) {
    TGraphPlot g;
    g.SetLineCount(5);
    g.CurveNames        = {"first", "second"};
    g.Curve(0).LineName = "named";
    EXPECT_EQ(g.Curve(0).DisplayName(), "named");
    EXPECT_EQ(g.Curve(1).DisplayName(), "second");
    EXPECT_EQ(g.Curve(2).DisplayName(), "Curve #3");
    EXPECT_EQ(g.Curve(4).DisplayName(), "Curve #5");
    g.CurveName            = "Dia ";
    g.Curve(4).CurveNumber = 2.5L;
    EXPECT_EQ(g.Curve(4).DisplayName(), "Dia 2.5");
    // layer bands have no fallback entry, whatever CurveNames holds
    g.SetLayerCount(1);
    EXPECT_EQ(g.Layer(0).DisplayName(), "Dia 6");
}

TEST(UnitName, ReplacesTheFirstForceAndLengthCodeFound) {
    struct Case {
        const char* code;
        int units;
        const char* expected;
    };
    // clang-format off
    const Case cases[] = {
        {"F/L2^2", 2, "kN/m^2"},  {"F/L2^2", 1, "lbs/ft^2"}, {"F/L2^3", 1, "lbs/ft^3"},
        {"F/L^2",  1, "lbs/in^2"}, {"F/L^2", 2, "kN/m^2"},   {"F2",     1, "tons"},
        {"F2",     2, "kN"},       {"F1/L1", 1, "kips/in"},  {"F1/L1",  2, "kN/mm"},
        {"L",      1, "in"},       {"L",     2, "m"},        {"L2",     2, "m"},
        {"F/L2^2", 3, "F/L2^2"},   {"F2",    9, "F2"},       {"F2",     0, "tons"},
        {"",       1, ""},         {"%",     2, "%"},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(UnitName(c.code, c.units), c.expected) << c.code << " " << c.units;
    }
}

TEST(RangeStep, DropsADecadeBelowThree) {
    EXPECT_EQ(RangeStep(250), 10);
    EXPECT_EQ(RangeStep(400), 100);
    EXPECT_EQ(RangeStep(1000), 100);
    EXPECT_NEAR(static_cast<double>(RangeStep(0.02L)), 0.001, 1E-18);
}

TEST(AutoScale, RangeContainsTheOriginAndIsRoundedOutwardToTheStep) {
    TGraphPlot g;
    g.SetLineCount(2);
    g.SetPointCount(2);
    EXPECT_EQ(AutoScale(g.Curves()).Valid, true);
    // all points at the origin
    TAxisRange r = AutoScale(g.Curves());
    EXPECT_NEAR(static_cast<double>(r.ymin), -0.01, 1E-15);
    EXPECT_NEAR(static_cast<double>(r.ymax), 0.01, 1E-15);
    EXPECT_NEAR(static_cast<double>(r.xmin), -0.01, 1E-15);
    EXPECT_NEAR(static_cast<double>(r.xmax), 0.01, 1E-15);

    g.Curve(0).Point(1) = {250, 12.3L};
    g.Curve(1).Point(0) = {17, 40};
    g.Curve(1).Active   = false;  // inactive curves count too
    r                   = AutoScale(g.Curves());
    EXPECT_EQ(r.xmin, 0);
    EXPECT_EQ(r.xmax, 250);
    EXPECT_EQ(r.ymin, 0);
    EXPECT_EQ(r.ymax, 40);

    g.Curve(1).Point(1) = {-33, -0.5L};  // range 283 -> step 10; 40.5 -> step 10
    r                   = AutoScale(g.Curves());
    EXPECT_EQ(r.xmin, -40);
    EXPECT_EQ(r.xmax, 250);
    EXPECT_EQ(r.ymin, -10);
    EXPECT_EQ(r.ymax, 40);

    g.Curve(1).Point(1) = {1E4932L, 0};  // a width beyond the extended range: no finite scale
    g.Curve(0).Point(0) = {-1E4932L, 0};
    EXPECT_FALSE(AutoScale(g.Curves()).Valid);
}

TEST(LabelStep, PicksOneTwoOrFiveTimesADecade) {
    // 600 x 300 pixels, labels 10 high: 10 label slots across, 5 down
    TAxisRange r{0, 250, 0, 40, true};
    TLabelSteps s = LabelStep(600, 300, 10, false, r);
    ASSERT_TRUE(s.X.Draw);
    EXPECT_EQ(s.X.Label, 20);  // raw 25: m = 2
    EXPECT_EQ(s.X.Tick, 4);
    EXPECT_EQ(s.X.FirstTick, 0);
    EXPECT_EQ(s.X.LastTick, 62);
    EXPECT_EQ(s.Y.Label, 5);  // raw 8: m = 8
    EXPECT_EQ(s.Y.LastTick, 40);

    r = {-40, 250, -10, 40, true};
    s = LabelStep(600, 300, 10, false, r);
    EXPECT_EQ(s.X.Label, 20);  // raw 29
    EXPECT_EQ(s.X.FirstTick, -10);
    EXPECT_EQ(s.Y.Label, 10);  // raw 10: m = 1 of the decade 10
    EXPECT_EQ(s.Y.FirstTick, -5);

    s = LabelStep(600, 300, 10, true, {0, 90, 0, 1, true});  // 15 slots across: raw 6
    EXPECT_EQ(s.X.Label, 5);
    EXPECT_NEAR(static_cast<double>(s.Y.Label), 0.1, 1E-18);  // 7 slots down: raw 0.1428...
}

TEST(LabelStep, NothingIsDrawnWithoutRoomOrRange) {
    const TAxisRange r{0, 250, 0, 40, true};
    EXPECT_FALSE(LabelStep(50, 300, 10, false, r).X.Draw);  // narrower than one label slot
    EXPECT_FALSE(LabelStep(600, 50, 10, false, r).Y.Draw);
    EXPECT_FALSE(LabelStep(600, 300, 0, false, r).X.Draw);
    EXPECT_FALSE(LabelStep(600, 300, 10, false, {5, 5, 0, 40, true}).X.Draw);
    EXPECT_FALSE(LabelStep(600, 300, 10, false, {1E30L, 1E30L + 1E14L, 0, 40, true}).X.Draw);
}

}  // namespace
}  // namespace korven
