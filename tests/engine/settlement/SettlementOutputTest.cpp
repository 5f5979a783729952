// The settlement run of a diameter as the report and the plot data file show it.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "SettlementFixture.h"
#include "settlement/PlotFile.h"
#include "settlement/Settlement.h"
#include "settlement/SettlementReport.h"

namespace korven::settlement {
namespace {

using test::SettlementRun;
using test::uniformShaft;

// Reads the plot data file as the front end does: words split at blanks, one after the other.
class PlotReader {
public:
    explicit PlotReader(const std::string& text) {
        for (const std::string& line : test::lines(text)) {
            std::size_t p = 0;
            while (true) {
                p = line.find_first_not_of(" \t\r", p);
                if (p == std::string::npos) break;
                const std::size_t e = line.find_first_of(" \t\r", p);
                words_.push_back(line.substr(p, e - p));
                p = e;
            }
        }
    }
    double number() {
        EXPECT_LT(next_, words_.size()) << "file ends early";
        if (next_ >= words_.size()) return 0.0;
        const std::string& w = words_[next_++];
        double v             = 0.0;
        const auto r         = std::from_chars(w.data(), w.data() + w.size(), v);
        EXPECT_TRUE(r.ec == std::errc() && r.ptr == w.data() + w.size()) << w;
        return v;
    }
    int integer() {
        const double v = number();
        EXPECT_EQ(v, std::trunc(v));
        return static_cast<int>(v);
    }
    bool atEnd() const { return next_ == words_.size(); }

private:
    std::vector<std::string> words_;
    std::size_t next_ = 0;
};

// Ten capacity rows of a 3 ft shaft, lengths 11..20 ft.
PlotCapacity tenRows() {
    PlotCapacity cap;
    cap.NROW = 10;
    cap.FST  = 2.0f;
    cap.FSB  = 3.0f;
    for (int r = 1; r <= 10; ++r) {
        PlotRow& row = cap.ROW(r);
        const real x = static_cast<real>(r);
        row.LENGTH   = 10.0f + x;
        row.QS       = 10.0f * x;
        row.QB       = 6.0f * x;
        row.QU       = 16.0f * x;
        row.QDN      = 7.0f * x;
        row.LRFDQS   = 5.5f * x;
        row.LRFDQB   = 3.3f * x;
    }
    return cap;
}

double e103(double v) {  // what E10.3 keeps of a value
    if (v == 0.0) return 0.0;
    const double s = std::pow(10.0, std::floor(std::log10(std::fabs(v))) + 1.0 - 3.0);
    return std::round(v / s) * s;
}

// The records of a plot data file, each checked to end in CR LF, without it.
std::vector<std::string> plotRecords(const std::string& text) {
    std::vector<std::string> out = test::lines(text);
    for (std::string& l : out) {
        EXPECT_TRUE(!l.empty() && l.back() == '\r') << '"' << l << '"';
        if (!l.empty() && l.back() == '\r') l.pop_back();
    }
    return out;
}

TEST(PlotFile, OneDiameterTenRowsSandTip) {
    SettlementRun run;
    SettlementInput in = uniformShaft(1, 3.0f, 20.0f, 0.5f, 50.0f);
    in.NSEG            = 10;
    for (int r = 1; r <= 10; ++r) in.ZROW(r) = (10.0f + static_cast<real>(r)) * 12.0f;
    runSettlement(run.ctx, in);
    const PlotCapacity cap = tenRows();
    writePlotBlock(run.ctx, diameterCount(3.0f, 3.0f), cap);
    const std::string text = run.plot();

    const auto l = plotRecords(text);
    ASSERT_EQ(l.size(), 1u + 2u + 20u + 45u);
    EXPECT_EQ(l[1], "   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ");
    EXPECT_EQ(l[2], "  0.110E+02   0.0   0.0  0.0 0.0  0.0  0.0 ");
    EXPECT_EQ(l[3], "  0.110E+02  0.100E+02  0.600E+01  0.160E+02  0.500E+01");
    EXPECT_EQ(l[4], "  0.200E+01  0.700E+01");

    PlotReader rd(text);
    EXPECT_EQ(rd.integer(), 1);
    EXPECT_EQ(rd.integer(), 12);
    EXPECT_EQ(rd.integer(), 3);
    for (int k = 0; k < 7 + 7; ++k) EXPECT_EQ(rd.number(), 0.0 * k + (k == 7 ? 11.0 : 0.0));
    for (int r = 1; r <= 10; ++r) {
        const PlotRow& row = cap.ROW(r);
        for (double v : {row.LENGTH, row.QS, row.QB, row.QU, row.QS / 2.0f, row.QB / 3.0f, row.QDN})
            EXPECT_DOUBLE_EQ(rd.number(), e103(v)) << r;
    }
    for (int line = 1; line <= 3; ++line) {
        for (int k = 1; k <= 15; ++k) {
            const run::SettlementRow& s = run.ctx.settle(line)(k);
            for (double v : {s.TOPLOAD, s.TOPMOVE, s.TIPLOAD, s.TIPMOVE})
                EXPECT_NEAR(rd.number(), e103(v), 1e-9 * std::fabs(v)) << line << " " << k;
        }
    }
    EXPECT_TRUE(rd.atEnd());
}

TEST(PlotFile, LrfdEntriesCarryTheRowsOwnValuesInSi) {
    SettlementRun run;
    run.ctx.designMethod = 1;
    run.ctx.units        = 2;
    clearSettlement(run.ctx);
    writePlotBlock(run.ctx, 1, tenRows());
    const auto l = plotRecords(run.plot());
    // length 11 ft in m; 10, 6 and 16 tons, then LRFD 5.5, 3.3 and 8.8 tons in kN
    EXPECT_EQ(l[3], "  0.335E+01  0.890E+02  0.534E+02  0.142E+03  0.489E+02");
    EXPECT_EQ(l[4], "  0.294E+02  0.783E+02");
}

TEST(PlotFile, DiameterWithoutRowsKeepsTheReaderInStep) {
    SettlementRun run;
    run.ctx.NLINE = 3;  // left by an earlier soil-tip diameter
    clearSettlement(run.ctx);
    writePlotBlock(run.ctx, 2, PlotCapacity{});
    const std::string text = run.plot();
    EXPECT_EQ(test::lines(text).size(), 1u + 2u + 15u);
    PlotReader rd(text);
    EXPECT_EQ(rd.integer(), 2);
    EXPECT_EQ(rd.integer(), 2);
    EXPECT_EQ(rd.integer(), 0);
    for (int k = 0; k < 14 + 60; ++k) EXPECT_EQ(rd.number(), 0.0);
    EXPECT_TRUE(rd.atEnd());
}

TEST(PlotFile, DiameterCountIsThePassesTheLoopMakes) {
    struct Case {
        real DSTART, DIALIM;
        int expected;
    };
    for (const Case c :
         {Case{3.0f, 0.0f, 1}, Case{3.0f, 5.0f, 5}, Case{3.0f, 3.47f, 1}, Case{3.0f, 3.49f, 2},
          // 0.9 m to 1.05 m: trunc(0.49 / 0.5) + 1 would say one
          Case{0.9f * 3.2808f, 1.05f * 3.2808f, 2}}) {
        EXPECT_EQ(diameterCount(c.DSTART, c.DIALIM), c.expected) << c.DSTART << " " << c.DIALIM;
    }
}

TEST(SettlementReport, SoilBlockLayout) {
    SettlementRun run;
    run::SettlementSet set;
    set(1) = {12.5f, 0.0123f, 10.0f, 0.00001f};
    writeSoilBlock(run.ctx.report, 1, 2, set);
    const auto l = test::lines(run.report());
    ASSERT_EQ(l.size(), 3u + 1u + 1u + 1u + 1u + 15u);
    EXPECT_EQ(l[3], "        RESULT FROM UPPER-BOUND LINE");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[5], "        TOP  LOAD     TOP MOVEMENT       TIP LOAD      TIP  MOVEMENT");
    EXPECT_EQ(l[6], "           ton             IN.              ton            IN.");
    EXPECT_EQ(l[7],
              "       0.1250E+02"
              "      0.1230E-01"
              "      0.1000E+02"
              "      0.1000E-04");
}

TEST(SettlementReport, RockBlockLayout) {
    for (int units : {1, 2}) {
        SettlementRun run;
        run::SettlementSet set;
        set(1) = {12.5f, 0.0123f, 0.0f, 0.0f};
        writeRockBlock(run.ctx.report, units, set);
        const auto l = test::lines(run.report());
        ASSERT_EQ(l.size(), 2u + 2u + 1u + 2u + 15u);
        EXPECT_EQ(l[2], "                      LOAD SETTLEMENT RELATIONSHIP      ");
        EXPECT_EQ(l[3], "               ------------------------------------------   ");
        EXPECT_EQ(l[5], units == 1 ? "                      TOP  LOAD     TOP MOVEMENT     "
                                   : "                      TOP  LOAD     TOP MOVEMENT        ");
        EXPECT_EQ(l[6], units == 1 ? "                         TONS             IN.       "
                                   : "                         kN              M             ");
        EXPECT_EQ(l[7], "                    0.1250E+02       0.1230E-01");
    }
}

// The dispatch: three lines for a soil tip, one rock line after it with its own indicator.
TEST(Settlement, SoilTipThenRockTip) {
    SettlementRun run;
    SettlementInput soil = uniformShaft(2, 3.0f, 20.0f, 0.5f, 50.0f);
    runSettlement(run.ctx, soil);
    EXPECT_EQ(run.ctx.NLINE, 3);
    // the listing left behind is the lower-bound line's: clay 0.29 at the first point
    const auto listing = test::lines(run.listing());
    EXPECT_EQ(listing[10],
              "                                               0.2014E+01      0.3600E-01");

    SettlementInput rock = uniformShaft(4, 3.0f, 20.0f, 0.0f, 500.0f);
    rock.lay(1).RQD      = {100.0f, 100.0f};
    rock.lay(1).EL       = {1e5f, 1e5f};
    rock.lay(1).BDS      = 3.0f;
    runSettlement(run.ctx, rock);
    EXPECT_EQ(run.ctx.NLINE, 0);
    EXPECT_GT(run.ctx.settle(1)(15).TOPLOAD, 0.0f);
    EXPECT_EQ(run.ctx.settle(1)(15).TIPLOAD, 0.0f);  // nothing left of the soil diameter

    const std::string report = run.report();
    for (const char* heading : {"RESULT FROM TREND (AVERAGED) LINE", "RESULT FROM UPPER-BOUND LINE",
                                "RESULT FROM LOWER-BOUND LINE", "LOAD SETTLEMENT RELATIONSHIP"})
        EXPECT_EQ(test::countOf(report, heading), 1) << heading;
    EXPECT_EQ(run.runtime().find("WARNING"), std::string::npos);
}

TEST(Settlement, GravellyTipsUseTheGravelFamilies) {
    for (int code : {8, 9}) {
        SettlementRun run;
        runSettlement(run.ctx, uniformShaft(code, 3.0f, 20.0f, 0.5f, 50.0f));
        EXPECT_EQ(run.ctx.NLINE, 3);
        // ninth point of the first curve at 0.022 D
        const auto listing = test::lines(run.listing());
        EXPECT_NE(listing[17].find("0.7920E+00"), std::string::npos) << code << listing[17];
    }
}

TEST(Settlement, UnusableInputGivesAWarningAndNoCurve) {
    struct Case {
        const char* what;
        void (*spoil)(SettlementInput&);
        const char* message;
    };
    const Case cases[] = {
        {"no modulus", [](SettlementInput& in) { in.EcIn = in.Ec = 0.0f; },
         "THE ELASTIC MODULUS OF THE SHAFT, Ec, IS NOT GREATER THAN ZERO."},
        {"no rows", [](SettlementInput& in) { in.NSEG = 0; },
         "THE CAPACITY TABLE OF THIS DIAMETER HAS NO ROWS."},
        {"no tip layer", [](SettlementInput& in) { in.TIP = 3; },
         "THE LAYER THAT HOLDS THE TIP IS NOT KNOWN."},
        {"decomposed socket unavailable", [](SettlementInput& in) { in.lay(1).code = 5; },
         "THE DECOMPOSED-ROCK SOCKET COULD NOT BE MODELLED."},
        {"weak socket unavailable", [](SettlementInput& in) { in.lay(1).code = 6; },
         "THE WEAK-ROCK SOCKET COULD NOT BE MODELLED."},
        {"weak socket that gives no number",
         [](SettlementInput& in) {
             in.lay(1).code = 6;
             // a rock mass modulus beyond what the arithmetic can carry
             in.weak = {true,    3.0f, 10.0f, 10.0f,     20000.0f, 0.3f,
                        3.0e38f, 1.2f, 0.5f,  200000.0f, 0.0f};
             in.QS   = 100.0f;
         },
         "THE ROCK SETTLEMENT METHOD GAVE NO FINITE RESULT."},
    };
    for (const Case& c : cases) {
        SettlementRun run;
        SettlementInput in = uniformShaft(1, 3.0f, 20.0f, 0.5f, 50.0f);
        c.spoil(in);
        runSettlement(run.ctx, in);
        EXPECT_LE(run.ctx.NLINE, 3) << c.what;
        for (int line = 1; line <= 3; ++line)
            EXPECT_EQ(run.ctx.settle(line)(15).TOPLOAD, 0.0f) << c.what;
        const std::string report = run.report(), runtime = run.runtime();
        EXPECT_NE(report.find(c.message), std::string::npos) << c.what;
        EXPECT_NE(runtime.find(c.message), std::string::npos) << c.what;
        EXPECT_EQ(report.find("RESULT FROM"), std::string::npos) << c.what;
        EXPECT_EQ(report.find("LOAD SETTLEMENT RELATIONSHIP"), std::string::npos) << c.what;
    }
}

}  // namespace
}  // namespace korven::settlement

namespace korven::settlement {
namespace {

// A folder that cannot take the listing costs the listing, not the curves.
TEST(Settlement, ListingThatCannotBeCreatedIsReported) {
    test::SettlementRun run;
    const std::string reportPath = run.ctx.reportPath;
    run.ctx.reportPath           = (run.dir.path() / "no-such-folder" / "case.kvo").string();
    runSettlement(run.ctx, test::uniformShaft(1, 3.0f, 20.0f, 0.5f, 50.0f));
    EXPECT_GT(run.ctx.settle(3)(15).TOPLOAD, 0.0f);
    EXPECT_EQ(test::countOf(run.runtime(), "TZDATA.DAT CANNOT BE CREATED"), 1);
    run.ctx.report.close();
    EXPECT_EQ(test::countOf(test::readText(reportPath), "RESULT FROM"), 3);
}

}  // namespace
}  // namespace korven::settlement
