// The design loop: shaft geometry, row values, passes, design controls and refused input, run
// through the real engine library where the behaviour shows in the files.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <sstream>

#include "../EngineHarness.h"
#include "capacity/ResultRows.h"
#include "capacity/Shaft.h"

using namespace korven::capacity;
using namespace korven::test;

namespace {

std::string project(const std::string& line3, const std::string& line4, const std::string& line5,
                    const std::string& layers) {
    return "Design loop test\n1 \n" + line3 + "\n" + line4 + "\n" + line5 + "\n" + layers;
}

// a uniform clay layer down to `bottom` ft with undrained strength CU psf
std::string clay(int bottom, int CU = 2000, const char* lrfd = "1 1") {
    const std::string line = "0.0 120 0.0 " + std::to_string(CU) + " 8 0.0 0.0 " + lrfd + " \n";
    return "2 " + std::to_string(bottom) + " \n" + line + line + "0 0\n";
}

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// the table lines of a report: lines that start with a blank and a digit field
std::vector<std::vector<double>> tableRows(const std::string& report) {
    std::vector<std::vector<double>> rows;
    std::istringstream in(report);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 70 || line[0] != ' ' || line.find('=') != std::string::npos) continue;
        std::istringstream w(line);
        std::vector<double> v;
        double x = 0;
        while (w >> x) v.push_back(x);
        if (v.size() == 8) rows.push_back(v);
    }
    return rows;
}

struct Engine : testing::Test {
    ScratchDir dir;
    EngineLibrary lib;
    RunOutput run(const std::string& text) { return runProjectText(lib, dir.path(), text); }
};

}  // namespace

TEST(Shaft, BelledGeometry) {
    RunContext ctx;
    ctx.DSTART    = 3.0f;
    ctx.RATIO     = 3.0f;
    ctx.BELANG    = 30.0f;
    const auto sh = shaftGeometry(ctx, 3.0f);
    EXPECT_FLOAT_EQ(sh.DB, 9.0f);
    EXPECT_FLOAT_EQ(sh.TOE, 0.25f);
    EXPECT_NEAR(sh.HB, 5.45f, 0.005f);  // 6 / (2 tan 30) + 0.25
    const real frustum = 3.142f * (sh.HB - 0.25f) / 3.0f * (81.0f / 4 + 9.0f / 4 + 27.0f / 4);
    EXPECT_NEAR(sh.VUNDER, (0.25f * 3.142f * 81.0f / 4.0f + frustum) / 27.0f, 1e-4f);
    EXPECT_EQ(sh.NTWO, 18);
    EXPECT_FLOAT_EQ(shaftGeometry(ctx, 4.0f).TOE, 0.5f);  // stems over 3.52 ft

    ctx.RATIO           = 0.0f;
    const auto straight = shaftGeometry(ctx, 3.0f);
    EXPECT_FLOAT_EQ(straight.DB, 3.0f);
    EXPECT_FLOAT_EQ(straight.HB, 0.0f);
    EXPECT_FLOAT_EQ(straight.VUNDER, 0.0f);
    EXPECT_NEAR(straight.STEEL, 0.01f * 3.142f * 9.0f / 4.0f * 144.0f, 1e-4f);
}

TEST(Shaft, BellWhenTheWholePartOfTheRatioIsNotZero) {
    RunContext ctx;
    const std::pair<real, bool> cases[] = {{0.0f, false}, {0.99f, false}, {1.0f, true},
                                           {2.5f, true},  {3e9f, true},   {1e30f, true}};
    for (const auto& [ratio, bell] : cases) {
        ctx.RATIO = ratio;
        EXPECT_EQ(belled(ctx), bell) << ratio;
    }
}

TEST(ResultRows, DesignValuesAndShaftWeight) {
    const DesignValues v = designValues(100.0f, 60.0f, 2.0f, 3.0f);
    EXPECT_FLOAT_EQ(v.QU, 160.0f);
    EXPECT_FLOAT_EQ(v.QDN, 70.0f);
    EXPECT_FLOAT_EQ(v.QBD, 120.0f);
    // 10 yd3 of 150 pcf concrete, the stem buoyed for the 20 ft below the water table
    EXPECT_NEAR(shaftWeight(10.0f, 30.0f, 10.0f, 3.0f),
                10.0f * 27.0f * 150.0f / 2000.0f - 20.0f * 62.4f / 2000.0f * 9.0f * 0.7854f, 1e-3f);
    EXPECT_FLOAT_EQ(shaftWeight(10.0f, 30.0f, 40.0f, 3.0f), 20.25f);
}

TEST_F(Engine, OnePassPerHalfFootOfDiameter) {
    const auto one = run(project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 20 2 3", clay(60)));
    EXPECT_EQ(one.result, 0) << one.runtime;
    EXPECT_EQ(count(one.report, "DIAMETER OF STEM          ="), 1);
    const auto five =
        run(project("2 1 0.7 1 1 2", "3 5 0 0 0 0 3600000", "1 100 20 2 3", clay(60)));
    EXPECT_EQ(five.result, 0) << five.runtime;
    for (const char* d : {"3.000", "3.500", "4.000", "4.500", "5.000"})
        EXPECT_EQ(count(five.report, std::string("DIAMETER OF STEM          =    ") + d), 1) << d;
    EXPECT_EQ(count(five.report, "DIAMETER OF STEM          ="), 5);
}

TEST_F(Engine, DesignLoadNeverReached) {
    const auto out =
        run(project("1 1 0.7 1 1 2", "3 4 0 0 0 0 3600000", "1 100 5000 2 3", clay(60)));
    const std::string line = "\n   *********** NEED ANOTHER SOIL LAYER ************\n";
    EXPECT_NE(out.result, 0);
    EXPECT_NE(out.report.find(line), std::string::npos);
    EXPECT_NE(out.runtime.find(line), std::string::npos);
    EXPECT_EQ(count(out.report, "DIAMETER OF STEM          ="), 1);  // no further pass
    EXPECT_EQ(out.report.find("MOST EFFICIENT"), std::string::npos);
}

TEST_F(Engine, DesignLoadStopsTheRowsOfAPass) {
    const auto out = run(project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 60 2 3", clay(60)));
    ASSERT_EQ(out.result, 0) << out.runtime;
    const auto rows = tableRows(out.report);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_GT(rows.back()[6], 60.0);            // QDN of the last row above the load
    EXPECT_LE(rows[rows.size() - 2][6], 60.0);  // and not before it
    EXPECT_NE(out.report.find("ESTIMATED SHAFT LENGTH =  "
                              + std::to_string(static_cast<int>(rows.back()[0])) + ". FT."),
              std::string::npos);
}

TEST_F(Engine, UpliftCarriesTheShaftWeight) {
    const auto out = run(project("2 2 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 10 30 2 3", clay(60)));
    ASSERT_EQ(out.result, 0) << out.runtime;
    EXPECT_NE(out.report.find("REDUCTION FACTOR APPLIED FOR UPLIFT FRICTION = 0.700"),
              std::string::npos);
    EXPECT_NE(out.report.find("     LENGTH  VOLUME     QS      WT      QU"), std::string::npos);
    for (const auto& r : tableRows(out.report)) {
        const double buoyancy = r[0] > 10 ? (r[0] - 10) * 0.0312 * 9 * 0.7854 : 0.0;
        const double weight   = r[1] * 27 * 150 / 2000 - buoyancy;
        EXPECT_NEAR(r[3], weight, 0.051 + 0.1 * 27 * 150 / 2000) << r[0];  // volume has 1 decimal
        EXPECT_NEAR(r[5], r[2] + r[3], 0.11) << r[0];                      // QBD = QS + WT
        EXPECT_NEAR(r[6], r[2] / 2 + r[3], 0.11) << r[0];                  // FSB is 1
    }
}

TEST_F(Engine, LrfdWithUnitFactorsEqualsTheUltimateValues) {
    const auto out = run(project("2 1 0.7 1 1 1", "3 0 0 0 0 0 3600000", "1 100 30 1 1", clay(60)));
    ASSERT_EQ(out.result, 0) << out.runtime;
    EXPECT_EQ(out.report.find("FACTOR OF SAFETY APPLIED"), std::string::npos);
    const auto rows = tableRows(out.report);
    ASSERT_FALSE(rows.empty());
    for (const auto& r : rows) {
        EXPECT_DOUBLE_EQ(r[5], r[2]);
        EXPECT_DOUBLE_EQ(r[6], r[3]);
        EXPECT_DOUBLE_EQ(r[7], r[4]);
    }
}

TEST_F(Engine, LrfdFactorsOfTheLayers) {
    // side factor 0.5 throughout; the base stands in a layer with tip factor 0.4
    const auto out = run(project("2 1 0.7 1 1 1", "3 0 0 0 0 0 3600000", "2 100 30 1 1",
                                 clay(20, 2000, "0.5 0.9") + clay(60, 2000, "0.5 0.4")));
    ASSERT_EQ(out.result, 0) << out.runtime;
    for (const auto& r : tableRows(out.report)) {
        EXPECT_NEAR(r[5], 0.5 * r[2], 0.1) << r[0];
        EXPECT_NEAR(r[6], (r[0] <= 20 ? 0.9 : 0.4) * r[3], 0.1) << r[0];
        EXPECT_NEAR(r[7], r[5] + r[6], 0.11) << r[0];
    }
}

TEST_F(Engine, ProfileTooShortForTheTip) {
    // an 8 ft profile under a 3 ft shaft with a 6 ft ignored top: no row has two diameters below
    const auto out = run(project("2 1 0.7 1 1 2", "3 0 0 0 6 0 3600000", "1 100 20 2 3", clay(8)));
    EXPECT_NE(out.runtime.find("INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR\n"
                               "     COMPUTING THE BASE RESISTANCE- AT LEAST TWO DIAMETER"),
              std::string::npos)
        << out.runtime;
    EXPECT_TRUE(tableRows(out.report).empty());
}

TEST_F(Engine, ClayShaleAtTheBottomGetsTheClosingNote) {
    const std::string shale =
        "3 80 \n0.0 125 0.0 6000 40 0.0 0.0 1 1 \n0.0 125 0.0 6000 40 0.0 0.0 1 1 \n0 0\n";
    const auto out =
        run(project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "2 100 30 2 3", clay(20) + shale));
    ASSERT_EQ(out.result, 0) << out.runtime;
    EXPECT_NE(out.report.find("     ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)\n"
                              "     "
                              + std::string(60, '-') + "\n"),
              std::string::npos);
    const auto plain =
        run(project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 30 2 3", clay(60)));
    EXPECT_EQ(plain.report.find("ROCK WITH COMPRESSIVE"), std::string::npos);
}

TEST_F(Engine, StepWarningsGoWhereTheyBelong) {
    const std::string clayByN =
        "2 30 \n0.0 120 0.0 0.0 10 0.0 0.0 1 1 \n0.0 120 0.0 0.0 12 0.0 0.0 1 1 \n0 0\n";
    const std::string gravel = "9 30 \n125 20 0 0 0 1 1 \n125 22 0 0 0 1 1 \n";
    const std::string bareSand =
        "1 30 \n0.0 120 0 0.0 0 0.0 0.0 1 1 \n0.0 120 0 0.0 0 0.0 0.0 1 1 \n1 \n0 0\n";
    const std::string light =
        "2 30 \n0.0 40 0.0 1000 8 0.0 0.0 1 1 \n0.0 40 0.0 1000 8 0.0 0.0 1 1 \n0 0\n";
    struct Case {
        const char* name;
        std::string layer;
        const char* line;
        bool report, runtime;
    } const cases[] = {
        {"clay from N", clayByN, "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE", true,
         false},
        {"gravel", gravel, "Blow counts should be greater than 25 for this criterion.", true, true},
        {"sand without N or PHI", bareSand,
         "PLEASE INPUT EITHER THE N-VALUE FROM STANDARD PENETRATION TESTS", false, true},
        {"unit weight", light, "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM",
         false, true},
    };
    for (const auto& c : cases) {
        const auto out =
            run(project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 10 2 3", c.layer));
        EXPECT_EQ(out.result, 0) << c.name << out.runtime;
        EXPECT_EQ(out.report.find(c.line) != std::string::npos, c.report) << c.name;
        EXPECT_EQ(out.runtime.find(c.line) != std::string::npos, c.runtime) << c.name;
        // written as the steps go, inside the table: after its heading, before its rows
        if (c.report) {
            EXPECT_GT(out.report.find(c.line), out.report.find("LENGTH  VOLUME")) << c.name;
        }
    }
}

// A warning of every step is written to the runtime file once per layer and diameter, with the
// count of the further steps; the report keeps each one where it arises.
TEST_F(Engine, StepWarningsRepeatedInALayerAreCountedInTheRuntimeFile) {
    const char* const unitWeight = "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM";
    const char* const sandInput = "PLEASE INPUT EITHER THE N-VALUE FROM STANDARD PENETRATION TESTS";
    const char* const blowCounts  = "Blow counts should be greater than 25 for this criterion.";
    const std::string noWeight    = "0.0 0 0.0 2000 8 0.0 0.0 1 1 \n";
    const std::string bareSand    = "0.0 0 0.0 0.0 0 0.0 0.0 1 1 \n";
    const std::string looseGravel = "125 20 0 0 0 1 1 \n";
    struct Case {
        const char* name;
        std::string layers;
        std::vector<const char*> blocks;  // held in this order in each layer and pass
        bool inReport;
    } const cases[] = {
        // the kind of project that flooded the runtime file: a clay without unit weight
        {"unit weight", "2 60 \n" + noWeight + noWeight + "0 0\n", {unitWeight}, false},
        // two causes at every step of a sand given neither N, PHI nor unit weight
        {"two causes",
         "1 60 \n" + bareSand + bareSand + "1 \n0 0\n",
         {sandInput, unitWeight},
         false},
        {"gravel", "9 60 \n" + looseGravel + looseGravel, {blowCounts}, true},
    };
    for (const auto& c : cases) {
        // 5 diameters, 60 steps each
        const auto out =
            run(project("2 1 0.7 1 1 2", "3 5 0 0 0 0 3600000", "1 100 30 2 3", c.layers));
        EXPECT_EQ(out.result, 0) << c.name << out.runtime.substr(0, 2000);
        for (const char* line : c.blocks) {
            EXPECT_EQ(count(out.runtime, line), 5) << c.name << " " << line;
            EXPECT_EQ(count(out.report, line), c.inReport ? 5 * 60 : 0) << c.name;
        }
        EXPECT_EQ(count(out.runtime, "\n     (REPEATED AT 59 FURTHER STEPS OF THIS LAYER)\n\n\n"),
                  5 * static_cast<int>(c.blocks.size()))
            << c.name << out.runtime.substr(0, 3000);
        // each count stands in the frame of its own block
        const auto first = out.runtime.find(c.blocks.back());
        const auto note  = out.runtime.find("(REPEATED AT", first);
        EXPECT_GT(out.runtime.find("\n\n", first), note) << c.name;
        EXPECT_LT(out.runtime.size(), 10000u) << c.name;
    }
}

// "nan" or "inf" standing as a word: what a value that is not finite would print as
bool printsNonFinite(const std::string& text) {
    std::string low = text;
    for (char& c : low) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* word : {"nan", "inf"}) {
        for (auto at = low.find(word); at != std::string::npos; at = low.find(word, at + 1)) {
            const bool before = at > 0 && std::isalpha(static_cast<unsigned char>(low[at - 1]));
            const bool after =
                at + 3 < low.size() && std::isalpha(static_cast<unsigned char>(low[at + 3]));
            if (!before && !after) return true;
        }
    }
    return false;
}

// Extreme but legal projects run without a value that is not finite in any output, or say which
// quantity at which depth could not be computed.
TEST_F(Engine, ExtremeInputPrintsNoValueThatIsNotFinite) {
    const std::string stiffRock =
        "7 80 \n1E9 1E8 10 0.001 3 0 1E9 100 0 1 1 \n1E9 1E8 10 0.001 3 0 1E9 100 0 1 1 \n";
    const std::string softClay =
        "2 80 \n0.0 60 0.0 1 0 0.0 0.0 1 1 \n0.0 60 0.0 1 0 0.0 0.0 1 1 \n0 0\n";
    const std::string steepSand =
        "1 80 \n0.0 130 89.99 0.0 100 0.0 0.0 1 1 \n0.0 130 89.99 0.0 100 0.0 0.0 1 1 \n1 \n0 0\n";
    const std::string denseGravel = "9 80 \n150 1E6 0 0 0 1 1 \n150 1E6 0 0 0 1 1 \n";
    const std::string weakRock =
        "6 80 \n1E8 1 6 30 3 0 1E9 100 0 1 1 \n1E8 1 6 30 3 0 1E9 100 0 1 1 \n";
    const std::string decomposed =
        "5 80 \n150 100 0.49 1E9 3 0 0 1 1 \n150 100 0.49 1E9 3 0 0 1 1 \n";
    struct Case {
        const char* name;
        std::string text;
        const char* warning = nullptr;  // the quantities named, once per diameter
    } const cases[] = {
        {"very stiff rock",
         project("2 1 0.7 1 1 2", "3 4 0 0 0 0 3600000", "2 100 30 2 3", clay(20) + stiffRock)},
        {"very soft clay", project("2 1 0.7 1 1 2", "3 4 0 0 0 0 3600000", "1 0 30 2 3", softClay)},
        {"huge diameters",
         project("2 1 0.7 1 1 2", "200 201 0 0 0 0 3600000", "1 0 30 2 3", clay(480))},
        {"huge belled diameter",
         project("2 1 0.7 1 1 2", "24 0 10 89 0 0 3600000", "1 0 30 2 3", clay(480))},
        {"water table far below",
         project("2 1 0.7 1 1 2", "3 4 0 0 0 0 3600000", "2 3E38 30 2 3", clay(20) + steepSand)},
        {"dense gravel",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 0 30 2 3", denseGravel)},
        {"strong weak rock",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "2 0 30 2 3", clay(20) + weakRock)},
        {"stiff decomposed rock",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "2 0 30 2 3", clay(20) + decomposed)},
        {"stiff shaft", project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3E38", "1 0 30 2 3", clay(60))},
        {"soft shaft", project("2 1 0.7 1 1 2", "3 0 0 0 0 0 1E-30", "1 0 30 2 3", clay(60))},
        {"design load",
         project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "2 0 1E30 2 3", clay(20) + stiffRock)},
        // values that overflow the 32-bit reals of the analysis
        {"tiny factors of safety",
         project("2 1 0.7 1 1 2", "3 4 0 0 0 0 3600000", "1 0 30 1E-38 1E-38", clay(60)),
         "NOT A FINITE NUMBER: QBD, QDN"},
        {"huge LRFD factors",
         project("2 1 0.7 1 1 1", "3 4 0 0 0 0 3600000", "1 0 30 2 3", clay(60, 2000, "1E38 1E38")),
         "NOT A FINITE NUMBER: LRFD QS, LRFD QB, LRFD QU"},
    };
    for (const auto& c : cases) {
        const auto out = run(c.text);
        EXPECT_TRUE(out.result == 0 || out.result == 1) << c.name << "\n" << out.runtime;
        for (const std::string* file : {&out.report, &out.plot, &out.runtime})
            EXPECT_FALSE(printsNonFinite(*file)) << c.name << "\n" << *file;
        const int diameters = count(out.report, "DIAMETER OF STEM          =");
        for (const std::string* file : {&out.report, &out.runtime}) {
            EXPECT_EQ(count(*file, "NOT A FINITE NUMBER"), c.warning ? diameters : 0) << c.name;
            if (c.warning) {
                EXPECT_EQ(count(*file, std::string(c.warning) + "\n"), diameters) << c.name;
                EXPECT_EQ(count(*file, "\n     AT THE DEPTH OF 1.00 FT, STEM DIAMETER 3.00 FT.\n"),
                          1)
                    << c.name << *file;
            }
        }
        if (c.warning) {
            EXPECT_EQ(diameters, 3) << c.name;
            EXPECT_NE(out.report.find("**********"), std::string::npos) << c.name;
        }
    }
}

TEST_F(Engine, CoefficientGivenAtOneEndIsReported) {
    struct Case {
        const char* name;
        std::string layer;
        const char* what;  // empty: no warning
    } const cases[] = {
        {"alpha at the top only",
         "2 30 \n0.0 120 0.0 1000 8 0.0 0.0 1 1 \n0.0 120 0.0 1000 8 0.0 0.0 1 1 \n0.6 0\n",
         "LAYER NO 1: THE SIDE COEFFICIENT"},
        {"Nc at the bottom only",
         "2 30 \n0.0 120 0.0 1000 8 0.0 0.0 1 1 \n9 120 0.0 1000 8 0.0 0.0 1 1 \n0 0\n",
         "LAYER NO 1: THE END BEARING COEFFICIENT Nc"},
        {"beta of a gravel at the top only", "9 30 \n125 30 0.8 0 0 1 1 \n125 30 0 0 0 1 1 \n",
         "LAYER NO 1: THE SIDE COEFFICIENT"},
        {"both ends given",
         "2 30 \n7 120 0.0 1000 8 0.0 0.0 1 1 \n9 120 0.0 1000 8 0.0 0.0 1 1 \n0.6 0.5\n", ""},
    };
    for (const auto& c : cases) {
        const auto out =
            run(project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 10 2 3", c.layer));
        EXPECT_EQ(out.result, 0) << c.name << out.runtime;
        const bool warned = *c.what != '\0';
        for (const std::string* file : {&out.report, &out.runtime}) {
            EXPECT_EQ(file->find("IS GIVEN AT ONE END OF THE LAYER ONLY") != std::string::npos,
                      warned)
                << c.name;
            if (warned) {
                EXPECT_NE(file->find(c.what), std::string::npos) << c.name;
            }
        }
    }
}

TEST_F(Engine, RefusedInput) {
    const std::string rockNoSpacing =
        "7 80 \n20000 4000 0 0.01 3 0 2000000 80 0 1 1 \n20000 4000 0 0.01 3 0 2000000 80 0 1 1 \n";
    const std::string weakKind =
        "6 80 \n200000 5 6 30 3 0 20000 80 0 1 1 \n200000 5 6 30 3 0 20000 80 0 1 1 \n";
    const std::string deep = clay(498);
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    } const cases[] = {
        {"bell angle", project("2 1 0.7 1 1 2", "3 0 2 0 0 0 3600000", "1 100 30 2 3", clay(60)),
         "THE BELL ANGLE (BELANG) OF A BELLED SHAFT IS NOT BETWEEN 0 AND 90 DEGREES"},
        {"side factor", project("1 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 30 0 3", clay(60)),
         "THE FACTOR OF SAFETY ON THE SIDE RESISTANCE (FST) IS 0 OR LESS"},
        {"base factor", project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 30 2 0", clay(60)),
         "THE FACTOR OF SAFETY ON THE BASE RESISTANCE (FSB) IS 0 OR LESS"},
        {"print increment",
         project("2 1 0.7 0 1 2", "3 0 0 0 0 0 3600000", "1 100 30 2 3", clay(60)),
         "THE PRINT INCREMENT IS LESS THAN 0.1 FT (0.03 M)"},
        {"diameter", project("2 1 0.7 1 1 2", "0 0 0 0 0 0 3600000", "1 100 30 2 3", clay(60)),
         "THE MINIMUM DIAMETER (DSTART) IS 0 OR LESS"},
        {"layer order",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "2 100 30 2 3", clay(60) + clay(40)),
         "LAYER 2: THE DEPTH AT ITS BOTTOM IS ABOVE ITS TOP"},
        {"negative strength",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 100 30 2 3", clay(60, -5)),
         "LAYER 1: THE UNDRAINED SHEAR STRENGTH IS NEGATIVE"},
        {"rock spacing",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "2 100 30 2 3", clay(60) + rockNoSpacing),
         "LAYER 2: THE SPACING OF DISCONTINUITIES OF THE STRONG ROCK IS 0"},
        {"weak-rock interface",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "2 100 30 2 3", clay(60) + weakKind),
         "THE INTERFACE CONDITION MUST BE 1 TO 4."},
        {"too deep", project("2 1 0.7 1 1 2", "3 0 0 0 0 5 3600000", "1 550 540 2 3", deep),
         "THE SOIL PROFILE AND SHAFT NEED SHAFT LENGTHS BEYOND 500 FT (152 M),"},
        {"deeper layer",
         project("2 1 0.7 1 1 2", "3 0 0 0 0 0 3600000", "1 550 540 2 3", clay(501)),
         "LAYER 1: THE LAYER REACHES BELOW 500 FT (152 M)"},
        {"huge bell", project("2 1 0.7 1 1 2", "25 0 10 30 0 0 3600000", "1 100 30 2 3", clay(60)),
         "TWO BASE DIAMETERS OF THE LARGEST SHAFT REACH 500 FT (152 M) OR MORE"},
        // ratios beyond any int: the bell test compares them as reals
        {"bell ratio 3E9",
         project("2 1 0.7 1 1 2", "3 0 3E9 30 0 0 3600000", "1 100 30 2 3", clay(60)),
         "THE BELL RATIO (RATIO) IS GREATER THAN 10"},
        {"bell ratio 1D30",
         project("2 1 0.7 1 1 2", "3 0 1D30 30 0 0 3600000", "1 100 30 2 3", clay(60)),
         "THE BELL RATIO (RATIO) IS GREATER THAN 10"},
        {"bell ratio just above 10",
         project("2 1 0.7 1 1 2", "3 0 10.01 30 0 0 3600000", "1 100 30 2 3", clay(60)),
         "THE BELL RATIO (RATIO) IS GREATER THAN 10"},
        {"flat bell", project("2 1 0.7 1 1 2", "3 0 3 0.001 0 0 3600000", "1 100 30 2 3", clay(60)),
         "THE IGNORED PORTIONS AND THE BELL REACH 500 FT (152 M) OR MORE"},
    };
    for (const auto& c : cases) {
        const auto out = run(c.text);
        EXPECT_NE(out.result, 0) << c.name;
        EXPECT_NE(out.runtime.find(c.message), std::string::npos) << c.name << "\n" << out.runtime;
        EXPECT_NE(out.report.find(c.message), std::string::npos) << c.name;
        EXPECT_EQ(out.report.find("MOST EFFICIENT"), std::string::npos) << c.name;
    }
}
