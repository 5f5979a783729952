// A diameter pass end to end: the socket models in the steps, the settlement run of the tip layer,
// section D and the plot data block, through the real engine library.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "../EngineHarness.h"

using namespace korven::test;

namespace {

std::string project(const std::string& line3, const std::string& line4, const std::string& line5,
                    const std::string& layers, const char* units = "1") {
    return "Pass wiring test\n" + std::string(units) + " \n" + line3 + "\n" + line4 + "\n" + line5
           + "\n" + layers;
}

std::string clay(int bottom) {
    const std::string line = "0.0 120 0.0 2000 8 0.0 0.0 1 1 \n";
    return "2 " + std::to_string(bottom) + " \n" + line + line + "0 0\n";
}

// The plot data file as numbers.
std::vector<double> words(const std::string& text) {
    std::vector<double> out;
    std::istringstream in(text);
    for (double x = 0; in >> x;) out.push_back(x);
    return out;
}

// Block headers of a plot data file: the lines of three integers.
std::vector<std::vector<double>> headers(const std::string& plot) {
    std::vector<std::vector<double>> out;
    for (const std::string& l : lines(plot)) {
        if (l.find('.') != std::string::npos) continue;
        const auto v = words(l);
        if (v.size() == 3) out.push_back(v);
    }
    return out;
}

// Nothing that is not a number in numeric fields: no NaN or infinity, and asterisks only in the
// frames of warning blocks.
void expectOnlyNumbers(const std::string& text, const char* what) {
    for (const char* bad : {"nan", "NaN", "NAN", "inf", "Inf"})
        EXPECT_EQ(text.find(bad), std::string::npos) << what << " holds " << bad;
    for (const std::string& l : lines(text)) {
        if (l.find('*') == std::string::npos) continue;
        EXPECT_TRUE(l.find("WARNING") != std::string::npos || l.find("ERROR") != std::string::npos)
            << what << ": " << l;
    }
}

struct Pass : testing::Test {
    ScratchDir dir;
    EngineLibrary lib;
    RunOutput run(const std::string& text) { return runProjectText(lib, dir.path(), text); }
};

}  // namespace

// A design depth 0.3 ft into decomposed rock leaves a socket too short for its closed form: side
// and tip are still computed, the steps warn once, the settlement method says why there is no
// curve, and the plot data file carries a zero group instead of numbers from NaN.
TEST_F(Pass, VeryShortDecomposedSocketWarnsAndWritesNoNaN) {
    const std::string decomposed = "5 40 \n125 40 0.3 0 3 0 0 1 1 \n130 50 0.3 0 3 0 0 1 1 \n";
    const auto out               = run(
                      project("2 1 0.7 1 1 0", "3 3.5 0 0 0 0 3600000", "2 10 20.3 2 3", clay(20) + decomposed));
    ASSERT_EQ(out.result, 0) << out.runtime;
    // once per diameter from the steps, and the settlement method's word in both files
    EXPECT_EQ(
        out.runtime.find("THE CLOSED-FORM SOCKET CANNOT BE FORMED FOR THE") != std::string::npos,
        true);
    int steps = 0, curves = 0;
    for (auto at = out.runtime.find("CLOSED-FORM SOCKET CANNOT"); at != std::string::npos;
         at      = out.runtime.find("CLOSED-FORM SOCKET CANNOT", at + 1))
        ++steps;
    for (auto at = out.report.find("THE DECOMPOSED-ROCK SOCKET COULD NOT BE MODELLED.");
         at != std::string::npos;
         at = out.report.find("THE DECOMPOSED-ROCK SOCKET COULD NOT BE MODELLED.", at + 1))
        ++curves;
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(curves, 2);
    EXPECT_NE(out.runtime.find("THE DECOMPOSED-ROCK SOCKET COULD NOT BE MODELLED."),
              std::string::npos);
    EXPECT_EQ(out.report.find("LOAD SETTLEMENT RELATIONSHIP"), std::string::npos);
    expectOnlyNumbers(out.report, "report");
    expectOnlyNumbers(out.plot, "plot data file");

    // each block: a rock-tip indicator and one group of zeros after the capacity entries
    const auto h = headers(out.plot);
    ASSERT_EQ(h.size(), 2u);
    const auto v   = words(out.plot);
    std::size_t at = 0;
    for (const auto& head : h) {
        EXPECT_EQ(head[0], 2.0);
        EXPECT_EQ(head[2], 0.0);
        at += 3 + 14 + 7 * static_cast<std::size_t>(head[1] - 2);
        for (int k = 0; k < 60; ++k) EXPECT_EQ(v.at(at++), 0.0);
    }
    EXPECT_EQ(at, v.size());
}

// The count in every header is the number of blocks the run writes, also for a metric range that
// truncation would count short (0.9 to 1.05 m is 2.953 to 3.445 ft: two passes).
TEST_F(Pass, DiameterCountIsThePassesMade) {
    const std::string sand =
        "1 20 \n0.0 18 32 0.0 15 0.0 0.0 1 1 \n0.0 19 34 0.0 25 0.0 0.0 1 1 \n1 \n0 0\n";
    const auto out =
        run(project("2 1 0.7 1 1 0", "0.9 1.05 0 0 0 0 25000000", "1 3 8 2 3", sand, "2"));
    ASSERT_EQ(out.result, 0) << out.runtime;
    const auto h = headers(out.plot);
    ASSERT_EQ(h.size(), 2u);
    for (const auto& head : h) {
        EXPECT_EQ(head[0], 2.0);
        EXPECT_EQ(head[2], 3.0);  // a sand tip: three lines
    }
}

// A diameter whose base needs more profile than there is produces no rows: it runs no settlement
// method, and its block has point count 2 and one zero group, so the reader stays in step.
TEST_F(Pass, DiameterWithoutRowsKeepsThePlotFileInStep) {
    const auto out = run(project("2 1 0.7 1 1 0", "3 6 0 0 0 0 3600000", "1 10 3 2 3", clay(12)));
    ASSERT_EQ(out.result, 0) << out.runtime;
    const auto h = headers(out.plot);
    ASSERT_EQ(h.size(), 7u);  // D = 3.0 to 6.0 ft
    const auto v   = words(out.plot);
    std::size_t at = 0;
    int empty      = 0;
    for (const auto& head : h) {
        EXPECT_EQ(head[0], 7.0);
        const bool rows = head[1] > 2.0;
        EXPECT_EQ(head[2], rows ? 3.0 : 0.0);
        at += 3 + 14 + 7 * static_cast<std::size_t>(head[1] - 2);
        const int groups = rows ? 3 : 1;
        for (int k = 0; k < 60 * groups; ++k) {
            const double x = v.at(at++);
            if (!rows) {
                EXPECT_EQ(x, 0.0);
            }
        }
        empty += !rows;
    }
    EXPECT_EQ(at, v.size());
    EXPECT_EQ(empty, 2);  // D = 5.5 and 6.0 ft need 11 and 12 ft below the base
}

// The weak-rock steps of a diameter do not depend on the diameters run before it (the running
// mean of Ei starts afresh with every pass), and the settlement line adds to the socket only the
// side resistance above the rock.
TEST_F(Pass, WeakRockPassesAreIndependentAndAddOnlyTheSideAboveTheRock) {
    // no socket diameter of its own: the socket is the stem, whatever the starting diameter
    const std::string weak =
        "6 60 \n60000 1 6.89 30 0 0 70000 60 0 1 1 \n60000 1 6.89 30 0 0 90000 80 0 1 1 \n";
    // the last diameter's sections C and D
    auto section = [](const std::string& report, const std::string& from) {
        const auto start = report.rfind(from);
        return report.substr(start, report.find("THE MOST EFFICIENT") - start);
    };
    const auto both =
        run(project("2 1 0.7 1 1 0", "2.5 3 0 0 0 0 3600000", "2 10 40 2 3", clay(20) + weak));
    ASSERT_EQ(both.result, 0) << both.runtime;
    const std::string alone = [&] {
        ScratchDir other;
        return runProjectText(
                   lib, other.path(),
                   project("2 1 0.7 1 1 0", "3 3 0 0 0 0 3600000", "2 10 40 2 3", clay(20) + weak))
            .report;
    }();
    const std::string from = "     LENGTH  VOLUME";
    EXPECT_EQ(section(both.report, from), section(alone, from));

    // the first settlement row of D = 3 ft carries the clay above the rock (QS at 20 ft) and a
    // little of the socket, less than QS one foot into the rock
    double qs20 = 0, qs21 = 0;
    for (const std::string& l : lines(section(alone, from))) {
        const auto v = words(l);
        if (v.size() == 8 && v[0] == 20.0) qs20 = v[2];
        if (v.size() == 8 && v[0] == 21.0) qs21 = v[2];
    }
    const auto rel = lines(section(alone, "LOAD SETTLEMENT RELATIONSHIP"));
    ASSERT_GT(rel.size(), 5u);
    const double row1 = words(rel[5]).at(0);
    EXPECT_GT(qs21, qs20 + 1.0);
    EXPECT_GT(row1, qs20);
    EXPECT_LT(row1, qs21);
}
