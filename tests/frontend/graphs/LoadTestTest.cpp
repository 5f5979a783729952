// Load-test records: reading, the bi-directional construction, the 5 % D criterion and the
// overlay on the load-settlement graphs.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "graphs/LoadTest.h"
#include "graphs/LoadTestOverlay.h"

namespace korven {
namespace {

constexpr const char* kBidirectional =
    "# invented cell test\n"
    "name,TS-1\n"
    "kind,bidirectional\n"
    "units,kN,mm\n"
    "length,20\n"
    "modulus,30000000\n"
    "load,up,down\n"
    "0,0,0\n"
    "1000,2,4\n"
    "2000,6,10\n"
    "3000,14,24\n";

TEST(LoadTest, BidirectionalBecomesTheHandWorkedTopDownCurve) {
    const TLoadTestRead read = ParseLoadTest(kBidirectional, "ts1.csv");
    ASSERT_TRUE(read.Ok) << read.Error;

    // By hand: at every movement both plates reached, the upward and the downward load (read
    // off each curve, linearly between its rows) add up; the shaft above the cell, 20 m long,
    // 1 m across, E = 30 GPa, shortens under a load falling from the top load to the downward
    // load: (up / 2 + down) * L / (A E).
    const double mmPerKn = 20.0 / (std::numbers::pi / 4 * 30e6) * 1000;
    struct Row {
        double move, up, down;
    };
    const Row hand[] = {{0, 0, 0},        {2, 1000, 500},
                        {4, 1500, 1000},  {6, 2000, 4000.0 / 3},
                        {10, 2500, 2000}, {14, 3000, 2000 + 4000.0 / 14}};

    std::vector<TCurvePoint> curve;
    std::string error;
    ASSERT_TRUE(MeasuredCurve(read.Test, 2, 1.0L, 0, curve, error)) << error;
    ASSERT_EQ(curve.size(), std::size(hand));
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const Row& h = hand[i];
        EXPECT_NEAR(static_cast<double>(curve[i].Load), h.up + h.down, 1e-9) << i;
        EXPECT_NEAR(static_cast<double>(curve[i].Settlement) * 1000,
                    h.move + (h.up / 2 + h.down) * mmPerKn, 1e-9)
            << i;
    }

    // the same test in an English project: tons and inches, the modulus from the record
    ASSERT_TRUE(MeasuredCurve(read.Test, 1, 1.0L / 0.3048L, 0, curve, error)) << error;
    EXPECT_NEAR(static_cast<double>(curve[1].Load), 1500 / 8.896443230521, 1e-9);
    EXPECT_NEAR(static_cast<double>(curve[1].Settlement), (2 + 1000 * mmPerKn) / 25.4, 1e-9);
}

TEST(LoadTest, BidirectionalTakesTheProjectModulusWhenTheRecordHasNone) {
    std::string text = kBidirectional;
    text.replace(text.find("modulus,30000000\n"), 17, "");
    const TLoadTestRead read = ParseLoadTest(text, "ts1.csv");
    ASSERT_TRUE(read.Ok) << read.Error;
    std::vector<TCurvePoint> withProject, withRecord;
    std::string error;
    EXPECT_FALSE(MeasuredCurve(read.Test, 2, 1.0L, 0, withProject, error));
    EXPECT_NE(error.find("modulus"), std::string::npos);
    ASSERT_TRUE(MeasuredCurve(read.Test, 2, 1.0L, 30e6L, withProject, error));
    ASSERT_TRUE(
        MeasuredCurve(ParseLoadTest(kBidirectional, "x").Test, 2, 1.0L, 0, withRecord, error));
    ASSERT_EQ(withProject.size(), withRecord.size());
    for (std::size_t i = 0; i < withRecord.size(); ++i)
        EXPECT_DOUBLE_EQ(static_cast<double>(withProject[i].Settlement),
                         static_cast<double>(withRecord[i].Settlement));
}

TEST(LoadTest, TopDownRecordsConvertToTheGraphUnits) {
    const auto read =
        ParseLoadTest("name,P-7\nkind,top-down\nunits,kips,in\n0,0\n200,0.25\n400,1.5\n", "p7.csv");
    ASSERT_TRUE(read.Ok) << read.Error;
    std::vector<TCurvePoint> c;
    std::string error;
    ASSERT_TRUE(MeasuredCurve(read.Test, 1, 3, 0, c, error));
    EXPECT_DOUBLE_EQ(static_cast<double>(c[2].Load), 200.0);  // 400 kips = 200 tons
    EXPECT_DOUBLE_EQ(static_cast<double>(c[2].Settlement), 1.5);
    ASSERT_TRUE(MeasuredCurve(read.Test, 2, 0.9L, 0, c, error));
    EXPECT_NEAR(static_cast<double>(c[2].Load), 400 * 8.896443230521 / 2, 1e-9);
    EXPECT_NEAR(static_cast<double>(c[2].Settlement), 1.5 * 0.0254, 1e-12);
}

TEST(LoadTest, LoadAtFivePercentOfTheDiameter) {
    // a 3 ft shaft: 5 % D = 1.8 in
    const long double s = CriterionSettlement(3, 1);
    EXPECT_NEAR(static_cast<double>(s), 1.8, 1e-12);
    EXPECT_NEAR(static_cast<double>(CriterionSettlement(0.9L, 2)), 0.045, 1e-12);

    struct Case {
        const char* what;
        std::vector<TCurvePoint> curve;
        bool reached, atLast;
        double load;
    };
    const Case cases[] = {
        {"reached between rows", {{0, 0}, {100, 0.6}, {200, 1.2}, {300, 2.4}}, true, false, 250},
        {"reached at the last point", {{0, 0}, {100, 0.9}, {240, 1.8}}, true, true, 240},
        {"reached at an inner point", {{0, 0}, {150, 1.8}, {160, 3.0}}, true, false, 150},
        {"not reached", {{0, 0}, {100, 0.5}, {380, 1.79}}, false, false, 0},
        {"no movement at first", {{0, 0}, {50, 0}, {150, 3.6}}, true, false, 100},
        {"empty curve", {}, false, false, 0},
    };
    for (const Case& c : cases) {
        const TCriterionLoad r = LoadAtSettlement(c.curve, s);
        EXPECT_EQ(r.Reached, c.reached) << c.what;
        EXPECT_EQ(r.AtLastPoint, c.atLast) << c.what;
        EXPECT_NEAR(static_cast<double>(r.Load), c.load, 1e-9) << c.what;
    }
}

TEST(LoadTest, DamagedRecordsAreRefusedNamingTheLine) {
    const std::string head = "name,T\nkind,top-down\nunits,tons,in\n";
    struct Case {
        std::string text;
        const char* where;  // expected in the message
    };
    const Case cases[] = {
        {head + "0,0\n10,abc\n", "line 5: 'abc' is not a number"},
        {head + "0,0\n10\n", "line 5: a top-down row"},
        {head + "0,0\n10,0.5\n5,0.6\n", "line 6: the load falls"},
        {head + "0,0\n10,0.5\n20,0.4\n", "line 6: a movement falls"},
        {head + "0,0\n-10,0.5\n", "line 5: loads and movements"},
        {head + "0,0\n1e999,0.5\n", "line 5: '1e999' is out of range"},
        {head + "0,0\n10,nan\n", "line 5: 'nan' is not a number"},
        {"name,T\nkind,sideways\n", "line 2: the kind"},
        {"name,T\nkind,top-down\nunits,lbs,ft\n", "line 3: the units"},
        {"name,T\n0,0\n", "line 2: a data row comes before"},
        {head + "0,0\n10,1\nname,again\n", "line 6: 'name' where a data row"},
        {head + "colour,red\n", "line 4: unknown line"},
        {head + "0,0\n", "t.csv: a load test needs at least two rows"},
        {"name,T\nkind,bidirectional\nunits,kN,mm\n0,0,0\n1,1,1\n", "needs the length"},
        {"name,T\nkind,bidirectional\nunits,kN,mm\nlength,20\n0,0,0\n1,1\n",
         "line 6: a bidirectional row"},
        {head + "length,-3\n", "line 4: the length is a positive number"},
        {std::string("name,T\0", 7), "not a text file"},
    };
    for (const Case& c : cases) {
        const TLoadTestRead r = ParseLoadTest(c.text, "t.csv");
        EXPECT_FALSE(r.Ok) << c.where;
        EXPECT_NE(r.Error.find(c.where), std::string::npos) << r.Error;
        EXPECT_EQ(r.Error.rfind("t.csv", 0), 0u) << r.Error;
    }
    EXPECT_NE(ReadLoadTest("/nonexistent/t.csv").Error.find("cannot be opened"), std::string::npos);
}

TEST(LoadTest, TheStoredTextReadsBackAsTheSameRecord) {
    TLoadTest t     = ParseLoadTest(kBidirectional, "x").Test;
    t.Diameter      = 1.2L;
    const auto back = ParseLoadTest(LoadTestText(t), "y");
    ASSERT_TRUE(back.Ok) << back.Error;
    EXPECT_EQ(back.Test.Name, "TS-1");
    EXPECT_EQ(back.Test.Kind, TestKind::Bidirectional);
    EXPECT_EQ(back.Test.Units, TestUnits::KnMm);
    EXPECT_EQ(back.Test.Length, 20);
    EXPECT_EQ(back.Test.Modulus, 30e6L);
    EXPECT_EQ(back.Test.Diameter, 1.2L);
    ASSERT_EQ(back.Test.Rows.size(), 4u);
    EXPECT_EQ(back.Test.Rows[3].Down, 24);
}

// two diameters with trend, upper and lower lines of 16 points: settlement = load / k
void FillSettlementGraphs(TResultGraphs& g) {
    for (TGraphPlot* p : {&g.pltAxial, &g.pltUpper, &g.pltLower}) {
        p->SetLineCount(2);
        p->SetPointCount(16);
    }
    g.pltCombinedSettle.SetLineCount(3);
    g.pltCombinedSettle.SetPointCount(16);
    const double k[3]    = {100, 150, 70};  // trend, upper, lower: tons per inch
    TGraphPlot* lines[3] = {&g.pltAxial, &g.pltUpper, &g.pltLower};
    for (int b = 0; b < 3; ++b)
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 16; ++j) {
                const long double load      = 30.0L * j * (i + 1);
                lines[b]->Curve(i).Point(j) = {load, load / k[b] / (i + 1)};
                if (i == 0) g.pltCombinedSettle.Curve(b).Point(j) = {load, load / k[b]};
            }
    g.pltAxial.Curve(0).LineName = "Dia=3 ft";
    g.pltAxial.Curve(1).LineName = "Dia=3.5 ft";
}

TEST(LoadTestOverlay, TableAndMarksOfOneDiameter) {
    TResultGraphs g;
    FillSettlementGraphs(g);
    const std::vector<TCurvePoint> measured = {{0, 0}, {100, 0.8}, {200, 2.0}};
    // 3 ft: 5 % D = 1.8 in; trend 180, upper 270, lower 126 tons; measured 100 + 100 * 1/1.2
    const TCriterionTable t = CriterionTable(g, measured, 0, 3, 1, true);
    ASSERT_EQ(t.Rows.size(), 4u);
    const double m = 100 + 100 * (1.0 / 1.2);
    EXPECT_NEAR(static_cast<double>(t.Rows[0].Load.Load), m, 1e-9);
    EXPECT_NEAR(static_cast<double>(t.Rows[1].Load.Load), 180, 1e-9);
    EXPECT_NEAR(static_cast<double>(t.Rows[2].Ratio), 270 / m, 1e-9);
    EXPECT_NEAR(static_cast<double>(t.Rows[3].Load.Load), 126, 1e-9);

    const QStringList text = CriterionTableText(t);
    EXPECT_EQ(text[0], "Load at 5 % D = 1.8 in, Dia=3 ft");
    EXPECT_EQ(text[2], "Trend: 180 tons  (0.98 x measured)");

    ApplyLoadTest(g, "TS-1", measured, t, 0);
    ASSERT_EQ(g.pltAxial.LineCount(), 3);
    EXPECT_TRUE(g.pltAxial.Curve(2).Measured);
    EXPECT_EQ(g.pltAxial.Curve(2).PointCount(), 3);
    EXPECT_EQ(g.pltAxial.Curve(2).DisplayName(), "TS-1");
    ASSERT_EQ(g.pltAxial.Criterion.Marks.size(), 2u);  // measured and trend
    EXPECT_EQ(g.pltAxial.Criterion.Marks[1].Curve, 0);
    EXPECT_EQ(g.pltCombinedSettle.LineCount(), 4);  // the smallest diameter: combined too
    EXPECT_EQ(g.pltCombinedSettle.Criterion.Marks.size(), 4u);
    // the range reaches the criterion line even where no curve does
    EXPECT_GE(GraphRange(g.pltUpper).ymax, 1.8L);

    // a second test replaces the first; the larger diameter leaves the combined graph alone;
    // at 3.5 ft the measured curve stops short of 5 % D = 2.1 in, so no ratios
    const TCriterionTable t2 = CriterionTable(g, measured, 1, 3.5L, 1, true);
    EXPECT_EQ(CriterionTableText(t2)[1], "Measured: not reached");
    EXPECT_EQ(CriterionTableText(t2)[2], "Trend: 420 tons");
    ApplyLoadTest(g, "TS-2", measured, t2, 1);
    EXPECT_EQ(g.pltAxial.Criterion.Marks.size(), 1u);
    EXPECT_EQ(g.pltAxial.LineCount(), 3);
    EXPECT_EQ(g.pltAxial.Curve(2).DisplayName(), "TS-2");
    EXPECT_EQ(g.pltCombinedSettle.LineCount(), 3);
    EXPECT_FALSE(g.pltCombinedSettle.Criterion.Show);
    RemoveLoadTest(g);
    EXPECT_EQ(g.pltAxial.LineCount(), 2);
    EXPECT_FALSE(g.pltAxial.Criterion.Show);
}

TEST(LoadTestOverlay, RunDiametersAndTheStoreBesideTheProject) {
    EXPECT_EQ(RunDiameterIndex(4, 3, 3, 1), 2);
    EXPECT_EQ(RunDiameterIndex(4.2L, 3, 3, 1), -1);
    EXPECT_EQ(RunDiameterIndex(0.904L, 0.6L, 3, 2), 2);
    EXPECT_EQ(RunDiameterIndex(5, 3, 3, 1), -1);
    EXPECT_EQ(LoadTestFileOf("/a/b/bridge.kvd"), "/a/b/bridge.tests.csv");
}

}  // namespace
}  // namespace korven
