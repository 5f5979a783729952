// Plot data files into the result graphs: counts, padding, names, captions and failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLocale>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "graphs/PlotLoad.h"

namespace korven {
namespace {

const std::string kData = std::string(KORVEN_SOURCE_DIR) + "/tests/frontend/data/";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A damaged copy of a data file, removed with the fixture.
class PlotLoad : public testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override {
        QLocale::setDefault(QLocale::system());
        std::filesystem::remove(FTemp);
    }
    std::string WithText(const std::string& text) {
        std::ofstream(FTemp, std::ios::binary) << text;
        return FTemp.string();
    }
    bool Load(const std::string& path) {
        return graphs.LoadPlotData(path, project, layers, &error);
    }

    TResultGraphs graphs;
    TPlotProject project;
    std::vector<TLayerRow> layers{{1, 4.5L}, {2, 9}, {4, 30}};
    std::string error;

private:
    std::filesystem::path FTemp = std::filesystem::temp_directory_path()
                                  / ("korven_plotload_" + std::to_string(::getpid()) + ".kvp");
};

void ExpectPoint(const TFloatPoint& p, long double x, long double y) {
    EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), 1E-9);
    EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(y), 1E-9);
}

TEST_F(PlotLoad, OneDiameterWithOneTrendLine) {
    project.MinDiameter = 2;
    ASSERT_TRUE(Load(kData + "sand-one-diameter.kvp")) << error;
    EXPECT_EQ(project.SettlementAvailable, 1);

    for (TGraphPlot* g : {&graphs.pltSkin, &graphs.pltTip, &graphs.pltTotal, &graphs.FSpltSkin}) {
        ASSERT_EQ(g->LineCount(), 1);
        EXPECT_EQ(g->PointCount(), 3);
        EXPECT_EQ(g->Curve(0).LineName, "Dia=2 ft");
        EXPECT_EQ(g->LayerCount(), 3);
    }
    // the two fixed records start every curve at the surface, then at the first length
    ExpectPoint(graphs.pltSkin.Curve(0).Point(0), 0, 0);
    ExpectPoint(graphs.pltSkin.Curve(0).Point(1), 0, 10);
    ExpectPoint(graphs.pltSkin.Curve(0).Point(2), 12.6L, 10);
    ExpectPoint(graphs.pltTip.Curve(0).Point(0), 0, 0);  // a zero tip above the deepest point stays
    ExpectPoint(graphs.pltTip.Curve(0).Point(2), 30.2L, 10);
    ExpectPoint(graphs.pltTotal.Curve(0).Point(2), 42.8L, 10);
    ExpectPoint(graphs.FSpltSkin.Curve(0).Point(2), 5.03L, 10);
    ExpectPoint(graphs.FSpltTip.Curve(0).Point(2), 10.1L, 10);
    ExpectPoint(graphs.FSpltTotal.Curve(0).Point(2), 15.1L, 10);
    EXPECT_EQ(graphs.FSpltSkin.XCaption, "Side Resistance/F.S. ");
    EXPECT_EQ(graphs.FSpltTip.XCaption, "Tip Resistance/F.S. ");
    EXPECT_EQ(graphs.pltCombineD.XCaption, "Resistance/F.S. ");

    ASSERT_EQ(graphs.pltAxial.PointCount(), 16);
    ExpectPoint(graphs.pltAxial.Curve(0).Point(0), 0, 0);
    ExpectPoint(graphs.pltAxial.Curve(0).Point(15), 42.8L, 0.412L);
    for (TGraphPlot* g : {&graphs.pltUpper, &graphs.pltLower}) {  // not in the file
        ASSERT_EQ(g->PointCount(), 16);
        ExpectPoint(g->Curve(0).Point(15), 0, 0);
    }

    // combined graphs from the smallest diameter; design values by the factors of safety
    EXPECT_EQ(graphs.pltCombine.LineCount(), 3);
    ExpectPoint(graphs.pltCombine.Curve(1).Point(2), 30.2L, 10);
    EXPECT_EQ(graphs.pltCombine.Curve(1).LineName, "  Tip Resistance (Dia=2 ft)");
    ExpectPoint(graphs.pltCombineD.Curve(0).Point(2), 12.6L / 2.5L, 10);
    ExpectPoint(graphs.pltCombineD.Curve(1).Point(2), 30.2L / 3, 10);
    ExpectPoint(graphs.pltCombineD.Curve(2).Point(2), 12.6L / 2.5L + 30.2L / 3, 10);
    ExpectPoint(graphs.pltCombinedSettle.Curve(0).Point(15), 42.8L, 0.412L);
    EXPECT_EQ(graphs.pltCombinedSettle.Curve(0).LineName, "  Trend (Averaged) (Dia=2 ft)");
    EXPECT_EQ(graphs.pltAxial.LayerCount(), 0);  // bands only on depth graphs
    for (TGraphPlot* g : graphs.All()) EXPECT_EQ(g->Units(), 1);
}

TEST_F(PlotLoad, ShorterBlockRepeatsItsLastRowAndEveryBlockStaysInStep) {
    project.MinDiameter  = 3;
    project.DesignMethod = 1;
    ASSERT_TRUE(Load(kData + "clay-three-diameters.kvp")) << error;
    EXPECT_EQ(project.SettlementAvailable, 3);
    ASSERT_EQ(graphs.pltSkin.LineCount(), 3);
    EXPECT_EQ(graphs.pltSkin.PointCount(), 7);
    EXPECT_EQ(graphs.pltSkin.Curve(1).LineName, "Dia=3.5 ft");
    EXPECT_EQ(graphs.pltLower.Curve(2).LineName, "Dia=4 ft");

    ExpectPoint(graphs.pltSkin.Curve(1).Point(5), 28.5L, 13);
    ExpectPoint(graphs.pltSkin.Curve(1).Point(6), 28.5L, 13);  // padded
    ExpectPoint(graphs.pltTip.Curve(1).Point(6), 36.9L, 13);
    ExpectPoint(graphs.pltSkin.Curve(2).Point(6), 39.1L, 14);
    ExpectPoint(graphs.pltLower.Curve(2).Point(15), 84.6L, 1.41L);
    ExpectPoint(graphs.pltCombinedSettle.Curve(1).Point(15), graphs.pltUpper.Curve(0).Point(15).x,
                graphs.pltUpper.Curve(0).Point(15).y);
    EXPECT_EQ(graphs.FSpltSkin.XCaption, "LRFD Side Resistance ");
    EXPECT_EQ(graphs.FSpltTip.XCaption, "LRFD Tip Resistance ");
    EXPECT_EQ(graphs.FSpltTotal.XCaption, "LRFD Total Resistance ");
    EXPECT_EQ(graphs.pltCombineD.XCaption, "LRFD Resistance ");
    // the combined design graph divides by the factors of safety even for LRFD
    ExpectPoint(graphs.pltCombineD.Curve(0).Point(6), 26.1L / 2.5L, 14);

    // a later load with fewer diameters and rows leaves nothing of this one
    ASSERT_TRUE(Load(kData + "sand-one-diameter.kvp")) << error;
    EXPECT_EQ(graphs.pltLower.LineCount(), 1);
    EXPECT_EQ(graphs.pltSkin.PointCount(), 3);
    ExpectPoint(graphs.pltLower.Curve(0).Point(15), 0, 0);
}

TEST_F(PlotLoad, UpliftInSiShowsSelfWeightUndivided) {
    project.Units       = 2;
    project.LoadType    = 2;
    project.MinDiameter = 0.6L;
    ASSERT_TRUE(Load(kData + "si-uplift.kvp")) << error;
    EXPECT_EQ(graphs.pltSkin.Curve(0).LineName, "Dia=0.6 m");
    EXPECT_EQ(graphs.pltSkin.Curve(1).LineName, "Dia=0.752 m");
    EXPECT_EQ(graphs.pltAxial.Curve(2).LineName, "Dia=0.904 m");
    EXPECT_EQ(graphs.FSpltTip.XCaption, "Self-Weight");
    EXPECT_EQ(graphs.pltCombine.Curve(1).LineName, "  Self-Weight (Dia=0.6 m)");
    EXPECT_EQ(graphs.pltCombineD.Curve(1).LineName, "  Self-Weight (Dia=0.6 m)");

    ExpectPoint(graphs.FSpltTip.Curve(1).Point(2), 29.1L, 3.05L);  // ultimate, not the design value
    ExpectPoint(graphs.pltTip.Curve(0).Point(4), 0.00001L, 3.66L);  // zero at the deepest point
    ExpectPoint(graphs.pltTip.Curve(0).Point(0), 0, 0);
    ExpectPoint(graphs.pltCombineD.Curve(1).Point(3), 20.2L, 3.35L);
    ExpectPoint(graphs.pltCombineD.Curve(0).Point(3), 70.9L / 2.5L, 3.35L);
    for (TGraphPlot* g : graphs.All()) EXPECT_EQ(g->Units(), 2);
    EXPECT_EQ(UnitName(graphs.pltAxial.YUnits, graphs.pltAxial.Units()), "m");
}

TEST_F(PlotLoad, CurveNamesUseTheUserDecimalSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    project.MinDiameter = 3;
    ASSERT_TRUE(Load(kData + "clay-three-diameters.kvp")) << error;
    EXPECT_EQ(graphs.pltSkin.Curve(1).LineName, "Dia=3,5 ft");
}

TEST_F(PlotLoad, EachBlockIsReadByItsOwnHeader) {
    ASSERT_TRUE(Load(kData + "rock-then-sand.kvp")) << error;
    EXPECT_EQ(project.SettlementAvailable, 0);  // the first header's indicator is stored
    EXPECT_EQ(graphs.pltSkin.PointCount(), 4);
    ExpectPoint(graphs.pltSkin.Curve(1).Point(3), 47.9L, 21);  // a longer block keeps N rows
    ExpectPoint(graphs.pltAxial.Curve(0).Point(15), 175, 0.21L);
    ExpectPoint(graphs.pltAxial.Curve(1).Point(15), 116, 0.83L);
    ExpectPoint(graphs.pltUpper.Curve(1).Point(15), 128, 0.55L);
    ExpectPoint(graphs.pltUpper.Curve(0).Point(15), 0, 0);
}

TEST_F(PlotLoad, IntegerWordsMustBeWhole) {
    std::string text = ReadFile(kData + "sand-one-diameter.kvp");
    text.replace(text.find("           3"), 12, "         3.0");
    EXPECT_TRUE(Load(WithText(text))) << error;
    text.replace(text.find("         3.0"), 12, "         3.5");
    EXPECT_FALSE(Load(WithText(text)));
    EXPECT_EQ(error, "Error on Line 1 Item 2\rAn integer was expected but not found.");
}

TEST_F(PlotLoad, FailuresStopTheLoadAndKeepWhatWasFilled) {
    EXPECT_FALSE(Load(kData + "no-such-file.kvp"));
    EXPECT_FALSE(error.empty());

    // cut in the last block: the first diameters are in
    const std::string text = ReadFile(kData + "clay-three-diameters.kvp");
    EXPECT_FALSE(Load(WithText(text.substr(0, text.size() * 9 / 10))));
    EXPECT_EQ(error, "This file either invalid or incomplete.");
    ASSERT_EQ(graphs.pltSkin.LineCount(), 3);
    ExpectPoint(graphs.pltSkin.Curve(1).Point(6), 28.5L, 13);
}

TEST_F(PlotLoad, CountsTheFileCannotHoldAreRejected) {
    const std::string text = ReadFile(kData + "clay-three-diameters.kvp");
    const std::string body = text.substr(text.find('\n') + 1);
    for (const char* header :
         {"0 7 3", "-1 7 3", "2000000000 7 3", "3 0 3", "3 -7 3", "3 2000000000 3", "1 40 3"}) {
        SCOPED_TRACE(header);
        EXPECT_FALSE(Load(WithText(std::string(header) + "\r\n" + body)));
        EXPECT_EQ(error, "This file either invalid or incomplete.");
    }
    std::string laterEmpty = text;
    laterEmpty.replace(laterEmpty.find("           3           6"), 24, "           3           0");
    EXPECT_FALSE(Load(WithText(laterEmpty)));
}

TEST_F(PlotLoad, ZeroFactorOfSafetyIsRefused) {
    project.SafetyFactorBase = 0;
    EXPECT_FALSE(Load(kData + "sand-one-diameter.kvp"));
    EXPECT_EQ(error, "A factor of safety must be above 0.");
    project.LoadType = 2;  // uplift does not divide the base value
    EXPECT_TRUE(Load(kData + "sand-one-diameter.kvp")) << error;
}

// The report's settlement tables, one per diameter: the 15 rows of top load and top movement
// that follow each trend-line (soil) or load-settlement (rock) heading.
std::vector<std::vector<std::pair<double, double>>> ReportSettlement(const std::string& kvo) {
    std::vector<std::vector<std::pair<double, double>>> blocks;
    std::istringstream in(ReadFile(kvo));
    std::string line;
    bool reading = false;
    while (std::getline(in, line)) {
        if (line.find("TREND (AVERAGED) LINE") != std::string::npos
            || line.find("LOAD SETTLEMENT RELATIONSHIP") != std::string::npos) {
            blocks.emplace_back();
            reading = true;
            continue;
        }
        if (!reading) continue;
        std::istringstream row(line);
        double load = 0, movement = 0;
        if (row >> load >> movement) blocks.back().emplace_back(load, movement);
        if (blocks.back().size() == 15) reading = false;
    }
    return blocks;
}

// Every example's engine output, soil and rock tips alike: one settlement curve per diameter
// whose points are the rows the report prints for that diameter.
TEST_F(PlotLoad, EveryExampleGraphsTheSettlementItsReportPrints) {
    const std::filesystem::path golden = std::filesystem::path(KORVEN_SOURCE_DIR) / "tests/golden";
    int examples                       = 0;
    for (const auto& dir : std::filesystem::directory_iterator(golden)) {
        const std::string name = dir.path().filename().string();
        SCOPED_TRACE(name);
        ++examples;
        const auto report = ReportSettlement((dir.path() / (name + ".kvo")).string());
        ASSERT_TRUE(Load((dir.path() / (name + ".kvp")).string())) << error;
        ASSERT_EQ(graphs.pltAxial.LineCount(), static_cast<int>(report.size()));
        const bool rock = name.find("rock") != std::string::npos;
        EXPECT_EQ(project.SettlementAvailable == 0, rock);
        for (int i = 0; i < graphs.pltAxial.LineCount(); ++i) {
            const TLine& curve = graphs.pltAxial.Curve(i);
            ASSERT_EQ(curve.PointCount(), 16);
            ASSERT_EQ(report[static_cast<std::size_t>(i)].size(), 15u);
            ExpectPoint(curve.Point(0), 0, 0);
            for (int k = 1; k < 16; ++k) {
                const auto [load, movement] = report[static_cast<std::size_t>(i)][k - 1];
                // the plot file keeps three significant digits, the report four
                EXPECT_NEAR(static_cast<double>(curve.Point(k).x), load, 6e-3 * load) << k;
                EXPECT_NEAR(static_cast<double>(curve.Point(k).y), movement, 6e-3 * movement) << k;
            }
        }
    }
    EXPECT_EQ(examples, 7);
}

TEST(AddLayersGraphPlot, OneBandPerLayerNamedAndPatternedBySoilType) {
    TGraphPlot g;
    AddLayersGraphPlot(g, {{1, 5}});
    EXPECT_EQ(g.LayerCount(), 0);  // no points: no bands
    g.SetLineCount(1);
    AddLayersGraphPlot(g, {{1, 5}});
    EXPECT_EQ(g.LayerCount(), 0);

    g.SetPointCount(2);
    g.SetLayerCount(11);
    g.SetLayerPointCount(1);
    g.Layer(9).Point(0).x = 4;  // a pattern from before
    struct Case {
        int code;
        const char* name;
        int pattern;
    };
    // clang-format off
    const Case cases[] = {
        {1, " SAND ", 7},       {2, " CLAY ", 1},  {3, " SHALE ", 8}, {4, " ROCK ", 9},
        {5, " WEAK ROCK ", 10}, {6, " WEAK ROCK ", 10},               {7, " ROCK ", 9},
        {8, " GW ", 11},        {9, " GRAVEL ", 12}, {0, "LAYER 10", 4},
    };
    // clang-format on
    std::vector<TLayerRow> rows;
    for (const Case& c : cases) rows.push_back({c.code, 2.5L * static_cast<int>(rows.size() + 1)});
    AddLayersGraphPlot(g, rows);
    ASSERT_EQ(g.LayerCount(), 10);
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(g.Layer(i).LineName, cases[i].name);
        ASSERT_EQ(g.Layer(i).PointCount(), 1);
        EXPECT_EQ(g.Layer(i).Point(0).x, cases[i].pattern);
        EXPECT_EQ(g.Layer(i).Point(0).y, 2.5L * (i + 1));
    }
}

}  // namespace
}  // namespace korven
