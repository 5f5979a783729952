// Reading the project file: list-directed records, the reading rules, and damaged files.
#include <gtest/gtest.h>

#include "../EngineHarness.h"
#include "run/ProjectFile.h"

using namespace korven::run;
using namespace korven::test;

namespace {

// A small clay project with the header lines given.
std::string project(const std::string& line3, const std::string& line4, const std::string& line5,
                    const std::string& layers) {
    return "Test project\r\n1 \r\n" + line3 + "\r\n" + line4 + "\r\n" + line5 + "\r\n" + layers;
}

const std::string kClay =
    "2 30 \r\n0.0 120 0.0 1000 8 0.0 0.0 0.45 0.4 \r\n0.0 120 0.0 1500 10 0 0 0.5 0.35 \r\n0 0\r\n";

std::unique_ptr<RunContext> read(const std::string& text) {
    auto ctx         = std::make_unique<RunContext>();
    ctx->projectText = text;
    readProject(*ctx);
    return ctx;
}

}  // namespace

TEST(ListReader, ReadSpansLinesAndIgnoresTheRestOfItsLastLine) {
    RunContext ctx;
    ListReader in(ctx, "1 2\n3 4 5\n6\n");
    int a = 0, b = 0, c = 0, d = 0;
    in.read({{&a, "A"}, {&b, "B"}, {&c, "C"}});
    in.read({{&d, "D"}});
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(c, 3);
    EXPECT_EQ(d, 6);  // 4 and 5 were the rest of the line of the first read
}

TEST(ListReader, RealForms) {
    RunContext ctx;
    ListReader in(ctx, "12 -1.5 .5 1. 1.2E3 1.2D3 +4\t7,8\n");
    real v[9] = {};
    in.read({{&v[0], "v"},
             {&v[1], "v"},
             {&v[2], "v"},
             {&v[3], "v"},
             {&v[4], "v"},
             {&v[5], "v"},
             {&v[6], "v"},
             {&v[7], "v"},
             {&v[8], "v"}});
    const real expected[9] = {12.0f, -1.5f, 0.5f, 1.0f, 1200.0f, 1200.0f, 4.0f, 7.0f, 8.0f};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(v[i], expected[i]) << i;
}

TEST(ProjectFile, ValuesAndReadingRules) {
    const auto ctx =
        read(project("2 2 0.65 5 0 1", "3 2.5 1 30 4 1 3600000", "1 10 45 2 3", kClay));
    EXPECT_EQ(ctx->title, "Test project");
    EXPECT_EQ(ctx->unitTag, "EN");
    EXPECT_EQ(ctx->designControl, 2);
    EXPECT_EQ(ctx->loadType, 2);
    EXPECT_FLOAT_EQ(ctx->UPLIFT, 0.65f);
    EXPECT_FLOAT_EQ(ctx->PRINC, 5.0f);
    EXPECT_EQ(ctx->tipSwitch, 0);
    EXPECT_EQ(ctx->designMethod, 1);
    EXPECT_FLOAT_EQ(ctx->DIALIM, 3.0f);  // raised to DSTART
    EXPECT_FLOAT_EQ(ctx->RATIO, 0.0f);   // a ratio of 1 is no bell
    EXPECT_FLOAT_EQ(ctx->P, 45.0f);
    EXPECT_FLOAT_EQ(ctx->DGH, 45.0f);
    EXPECT_EQ(ctx->NL, 2);
    const Layer& L = ctx->layer(2);
    EXPECT_EQ(L.code, 2);
    EXPECT_FLOAT_EQ(L.CU.top, 1000.0f);
    EXPECT_FLOAT_EQ(L.CU.bot, 1500.0f);
    EXPECT_FLOAT_EQ(L.TRANLM.top, 1e10f);  // zero is "no limit"
    EXPECT_FLOAT_EQ(L.QMAXEB.bot, 1e10f);
    EXPECT_FLOAT_EQ(L.LRFDSIDE, 0.5f);  // the bottom line's pair is kept
    EXPECT_FLOAT_EQ(L.LRFDTIP, 0.35f);
}

TEST(ProjectFile, DesignLoadIsNotADesignDepth) {
    const auto ctx = read(project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 10 300 2 3", kClay));
    EXPECT_FLOAT_EQ(ctx->P, 300.0f);
    EXPECT_FLOAT_EQ(ctx->DGH, 0.0f);
}

TEST(ProjectFile, SoilCodesAreRoundedAndRockLayersCounted) {
    const std::string rock =
        "7.2 50 \r\n20000 4000 1 0.01 3 0 2000000 80 0 1 1 \r\n20000 4000 1 0.01 3 0 2000000 80 0 "
        "1 1 \r\n";
    const std::string gravel = "8.6 70 \r\n120 30 0 0 0 1 1 \r\n120 30 0 0 0 1 1 \r\n";
    const auto ctx           = read(
                  project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "3 10 300 2 3", kClay + rock + gravel));
    EXPECT_EQ(ctx->layer(3).code, 7);
    EXPECT_FLOAT_EQ(ctx->layer(3).SOIL, 7.0f);
    EXPECT_EQ(ctx->layer(4).code, 9);
    EXPECT_FLOAT_EQ(ctx->layer(3).TOP, 30.0f);
    EXPECT_EQ(ctx->rockCount, 1);  // the gravel is a soil
}

struct DamagedCase {
    const char* name;
    std::string text;
    const char* expectedInRuntime;
};

TEST(ProjectFile, DamagedFilesStopTheRunWithAMessage) {
    std::string thirty = project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "30 10 300 2 3", "");
    for (int i = 0; i < 30; ++i) thirty += kClay;
    const DamagedCase cases[] = {
        {"word", project("1 1 0.7 1 1 2", "3 0 zero 0 0 0 3600000", "1 10 300 2 3", kClay),
         "\"zero\" IS NOT A NUMBER (BELL RATIO)"},
        {"truncated",
         project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 10 300 2 3", kClay.substr(0, 40)),
         "THE FILE ENDS BEFORE ITS DATA ARE COMPLETE"},
        {"thirty", thirty, "THE NUMBER OF LAYERS IS 30; A PROJECT HOLDS 1 TO 29 LAYERS"},
        {"empty", "", "THE FILE ENDS BEFORE ITS FIRST LINE"},
        {"code",
         project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 10 300 2 3",
                 "12 30\r\n" + kClay.substr(7)),
         "SOIL TYPE CODE 12"},
        {"integer", project("1.5 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 10 300 2 3", kClay),
         "\"1.5\" IS NOT AN INTEGER (DESIGN CONTROL)"},
    };
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    for (const auto& c : cases) {
        const auto out = runProjectText(lib, dir.path(), c.text);
        EXPECT_NE(out.result, 0) << c.name;
        EXPECT_NE(out.runtime.find("ERROR"), std::string::npos) << c.name;
        EXPECT_NE(out.runtime.find(c.expectedInRuntime), std::string::npos) << c.name << "\n"
                                                                            << out.runtime;
    }
}

TEST(ProjectFile, DesignDepthBelowTheProfileWarnsInBothFiles) {
    ScratchDir dir;
    EngineLibrary lib;
    const auto out = runProjectText(
        lib, dir.path(), project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 10 45 2 3", kClay));
    const std::string block =
        "\n\n     *********************WARNING**********************\n"
        "     PLEASE PROVIDE THE SOIL DEPTH THAT IS TWO-DIAMETER DEEPER\n"
        "     THAN THE TIP OF DRILLED SHAFTS\n\n\n";
    EXPECT_NE(out.runtime.find(block), std::string::npos) << out.runtime;
    EXPECT_NE(out.report.find(block), std::string::npos);
}
