// The input echo: its blocks, unit words, the layer-number columns and its two side effects.
#include <gtest/gtest.h>

#include "../EngineHarness.h"
#include "run/Echo.h"
#include "run/ProjectFile.h"

using namespace korven::run;
using namespace korven::test;

namespace {

std::string project(const std::string& units, const std::string& line3, const std::string& line5,
                    const std::string& layers) {
    return "Echo test\n" + units + " \n" + line3 + "\n3 0 0 0 0 0 3600000\n" + line5 + "\n"
           + layers;
}

const std::string kSandK =
    "1 20 \n0.0 115 32 0.0 12 0.0 0.0 0.55 0.5 \n0.0 117 33 0.0 14 0.0 0.0 0.6 0.45 \n1 \n0 0\n";
const std::string kSandBeta =
    "1 30 \n0.0 115 0 0.0 12 0.0 0.0 1 1 \n0.0 117 0 0.0 14 0.0 0.0 1 1 \n2 \n0.7 0.6\n";
const std::string kClayWithPhi =
    "2 40 \n0.0 120 25 1000 8 0.0 0.0 1 1 \n0.0 120 25 1500 9 0.0 0.0 1 1 \n0 0\n";
const std::string kGravel = "9 50 \n125 40 0 0 0 1 1 \n125 40 0 0 0 1 1 \n";

struct Echo : testing::Test {
    ScratchDir dir;
    EngineLibrary lib;
    // the report and what the engine wrote to the console
    std::pair<RunOutput, std::string> run(const std::string& text) {
        testing::internal::CaptureStdout();
        auto out                  = runProjectText(lib, dir.path(), text);
        const std::string console = testing::internal::GetCapturedStdout();
        return {out, console};
    }
};

}  // namespace

TEST_F(Echo, SandLayerBlockOfAnLrfdProject) {
    const auto [out, console] = run(project("1", "2 1 0.7 1 1 1", "1 4 15 1 1", kSandK));
    const std::string block =
        "     LAYER NO 1----SAND\n"
        "\n"
        "       AT THE TOP\n"
        "\n"
        "       LATERAL EARTH-PRESSURE COEFFICIENT-K              = 0.250E+00\n"
        "       UNDRAINED SHEAR STRENGTH, LB/SQ FT                = 0.000E+00\n\n\n"
        "       INTERNAL FRICTION ANGLE, DEG.                     = 0.320E+02\n\n\n"
        "       BLOWS PER FOOT FROM STANDARD PENETRATION TEST     = 0.120E+02\n\n\n"
        "       SOIL UNIT WEIGHT, LB/CU FT                        = 0.115E+03\n\n\n"
        "       MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          = 0.100E+11\n\n\n"
        "       DEPTH, FT                                         = 0.000E+00\n\n\n"
        "       AT THE BOTTOM\n"
        "\n"
        "       LATERAL EARTH-PRESSURE COEFFICIENT-K              = 0.250E+00\n"
        "       UNDRAINED SHEAR STRENGTH, LB/SQ FT                = 0.000E+00\n\n\n"
        "       INTERNAL FRICTION ANGLE, DEG.                     = 0.330E+02\n\n\n"
        "       BLOWS PER FOOT FROM STANDARD PENETRATION TEST     = 0.140E+02\n\n\n"
        "       SOIL UNIT WEIGHT, LB/CU FT                        = 0.117E+03\n\n\n"
        "       MAXIMUM LOAD TRANSFER FOR SOIL, LB/SQ FT          = 0.100E+11\n\n\n"
        "       DEPTH, FT                                         = 0.200E+02\n\n\n"
        "       LRFD RESISTANCE FACTOR (SIDE FRICTION)            = 0.600E+00\n"
        "       LRFD RESISTANCE FACTOR (TIP RESISTANCE)           = 0.450E+00\n\n\n";
    const std::string head =
        "     Echo test" + std::string(72 - 9, ' ') + "\n\n\n"
        "     PROPOSED DEPTH =      15.0 FT\n"
        "     ----------------\n\n\n"
        "     NUMBER OF LAYERS =    1\n"
        "     ------------------\n\n\n"
        "     WATER TABLE DEPTH =       4.0 FT.\n"
        "     -------------------\n\n\n\n\n"  // two empty lines end a block, two begin the next
        "     SOIL INFORMATION\n"
        "     ---------------\n\n";
    EXPECT_NE(out.report.find(head + block), std::string::npos) << out.report;
    EXPECT_NE(console.find(block), std::string::npos);
    EXPECT_EQ(out.report.find("FACTOR OF SAFETY"), std::string::npos);
}

TEST_F(Echo, FactorsOfSafetyBetaDefaultsUpliftAndClayAngle) {
    const auto [out, console] =
        run(project("1", "1 2 0.65 1 1 2", "2 4 45 2 2.5", kSandBeta + kClayWithPhi));
    const std::string safety =
        "\n\n\n\n     FACTOR OF SAFETY APPLIED TO THE ULTIMATE SIDE FRICTION CAPACITY = 2.00\n"
        "     " + std::string(55, '-') + "\n"
        "     FACTOR OF SAFETY APPLIED TO THE ULTIMATE BASE CAPACITY = 2.50\n"
        "     " + std::string(54, '-') + "\n\n\n     SOIL INFORMATION\n";
    EXPECT_NE(out.report.find(safety), std::string::npos) << out.report;
    EXPECT_NE(
        out.report.find("       SKIN FRICTION COEFFICIENT- BETA                   = 0.700E+00\n"
                        "       UNDRAINED"),
        std::string::npos);
    EXPECT_EQ(out.report.find("LRFD RESISTANCE"), std::string::npos);
    // the clay's angle of 25 degrees is echoed, and used, as 0
    EXPECT_EQ(out.report.find("= 0.250E+02"), std::string::npos);
    const std::string uplift =
        "     REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION = 0.650\n"
        "     "
        + std::string(46, '-') + "\n\n\n";
    EXPECT_NE(out.report.find(uplift), std::string::npos);
    EXPECT_EQ(console.find("UPLIFT FRICTION"), std::string::npos);  // report only
    EXPECT_NE(out.report.find("     TOTAL LOAD =      45.0 TONS\n     ------------\n"),
              std::string::npos);
}

TEST_F(Echo, SiUnitWordsKeepTheirColumns) {
    const std::string rock =
        "7 25 \n20000 28000 0.3 0.005 0.9 0.0 5000000 70 0.0 1 1 \n"
        "24000 28000 0.5 0.005 0.9 0.0 6000000 80 0.0 1 1 \n";
    const std::string clay =
        "2 11 \n0.0 18 0.0 50 6 0.0 0.0 1 1 \n0.0 18.5 0.0 75 8 0.0 0.0 1 1 \n0 0\n";
    const auto [out, console] = run(project("2", "2 1 0.7 1 1 2", "2 2 14 2 2.5", clay + rock));
    for (const char* line : {
             "     PROPOSED DEPTH =      14.0 M\n",
             "     WATER TABLE DEPTH =       2.0 M\n",
             "       UNDRAINED SHEAR STRENGTH, KN/SQ M                 = 0.500E+02\n",
             "       SOIL UNIT WEIGHT, KN/CU M                         = 0.185E+02\n",
             "       DEPTH, M                                          = 0.110E+02\n",
             "    LAYER NO  2----STRONG ROCK\n",
             "       DIAMETER OF SOCKET,M                               = 0.900E+00\n",
             "       SPACING OF DISCONTINUITIES,M                       = 0.500E+00\n",
             "       UNIAXIAL COMPRESSION STRENGTH OF ROCK,KN/SQ M      = 0.240E+05\n",
             "       ELASTIC MODULUS FOR THE INTACT ROCK, KN/SQ M       = 0.600E+07\n",
             "       DEPTH, M                                           = 0.250E+02\n",
         })
        EXPECT_NE(out.report.find(line), std::string::npos) << line;
}

TEST_F(Echo, LayerNumberColumnsFromTenLayers) {
    std::string layers;
    for (int i = 1; i <= 10; ++i) {
        const std::string line = "0.0 120 0.0 2000 8 0.0 0.0 1 1 \n";
        layers += "2 " + std::to_string(5 * i) + " \n" + line + line + "0 0\n";
    }
    layers += "9 80 \n125 40 0 0 0 1 1 \n125 40 0 0 0 1 1 \n";
    const auto [out, console] = run(project("1", "2 1 0.7 1 1 2", "11 4 40 2 2.5", layers));
    EXPECT_NE(out.report.find("\n     LAYER NO 9----CLAY\n"), std::string::npos);
    EXPECT_NE(out.report.find("\n     LAYER NO10----CLAY\n"), std::string::npos);
    EXPECT_NE(out.report.find("\n    LAYER NO 11----GRAVEL\n"), std::string::npos);
}

TEST(EchoSideEffects, ClaysLoseTheirAngleAndGravelsTakeTheBetaMethod) {
    RunContext ctx;
    ctx.projectText = project("1", "2 1 0.7 1 1 2", "2 4 45 2 2.5", kClayWithPhi + kGravel);
    readProject(ctx);
    echoSoilInformation(ctx);
    EXPECT_FLOAT_EQ(ctx.layer(2).PHI.top, 0.0f);
    EXPECT_FLOAT_EQ(ctx.layer(2).PHI.bot, 0.0f);
    EXPECT_EQ(ctx.layer(3).sandOption, 2);
}
