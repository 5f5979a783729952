// End-to-end outputs of the example projects (report, plot data file, load-transfer listing)
// against expected files checked by hand, and the plot data files read back by position.
//
// Set KORVEN_UPDATE_GOLDEN=1 to rewrite the expected files after a deliberate change, then check
// the differences line by line before committing them.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "EngineHarness.h"

using namespace korven::test;

namespace {

const fs::path kExamples = fs::path(KORVEN_SOURCE_DIR) / "examples";
const fs::path kGolden   = fs::path(KORVEN_SOURCE_DIR) / "tests/golden";

// The differing lines with their numbers, at most `limit` of them.
std::string lineDiff(const std::string& expected, const std::string& actual, int limit = 12) {
    const auto e = lines(expected), a = lines(actual);
    std::ostringstream out;
    int shown = 0;
    for (std::size_t i = 0; i < std::max(e.size(), a.size()) && shown < limit; ++i) {
        const std::string* x = i < e.size() ? &e[i] : nullptr;
        const std::string* y = i < a.size() ? &a[i] : nullptr;
        if (x && y && *x == *y) continue;
        out << "line " << i + 1 << "\n  - " << (x ? *x : "<none>") << "\n  + "
            << (y ? *y : "<none>") << "\n";
        ++shown;
    }
    return out.str();
}

// The report of a run with the parts that change from run to run taken out.
std::string stable(const std::string& report, const fs::path& dir) {
    std::string text      = withoutDate(report);
    const std::string tmp = dir.string() + "/";
    for (auto at = text.find(tmp); at != std::string::npos; at = text.find(tmp, at))
        text.replace(at, tmp.size(), "<folder>/");
    return text;
}

class Golden : public testing::TestWithParam<const char*> {};

// One row of each report was recomputed by hand from the formulas (a separate calculation in
// double precision, rounded as printed); all of its columns agree:
//
// bridge-clay-design-load, D = 3 ft, row 6.0: the side is the one step from 5 to 6 ft in clay,
//   CU(6) = 1200 + 400 x 6/18 = 1333.3 psf, alpha 0.55, QS = 3.142 x 3 x 0.55 x 1333.3/2000
//   = 3.46. The tip averages the clay steps at 7..12 ft (n = 6, weights 0 .2 .4 .6 .533 .467)
//   of Ab Nc cu with Ab = 7.0695, Nc = 6 + 3 z/18, cu = (1200 + 400 z/18)/2000: 39.0.
//   QU 42.5, QBD = QS + QB/2.5 = 19.1, QDN = QS/2 + QB/2.5 = 17.3, QU/VOLUME = 42.46/1.571 = 27.02.
//   Settlement, trend line of D = 3 ft: the tip stands at 83 ft with QB = 166.8 tons, the deepest
//   layer is sand, so the tip curve is 166.8 x (0, .175, .345, .485, .64, ...) at movements of
//   36 in x (0, .005, .01, .015, .025, ...). Row 1 (tip movement 0.00001 in): 0.175 x 166.8 x
//   0.00001/0.18 = 0.1622E-02 tons. Row 13 (0.01 x 36 = 0.36 is below 0.5, so 0.625 in):
//   (0.485 + 0.155 x 0.085/0.36) x 166.8 = 0.8701E+02 tons; rows 14, 15 move 0.9 and 1.8 in.
// layered-sand-clay-design-length, D = 2.5 ft, line 4.0: the first row, unscaled. The stress at
//   TOPLEN 3 ft is 0.5 (115 + 115) 3 = 345 psf, 460 at 4 ft; computed K = 0.25, PHI 32:
//   QS = 7.855 x 0.25 x 460 tan(32/57.29)/2000 = 0.28. Tip: PHI 32 gives q = 2.667 x 2 tsf on
//   Ab = 4.909, reduced by z/25 at z = 5..9, weights 0 .24 .48 .56 .48: 8.1. LRFD QS = 0.55 QS,
//   LRFD QB = 0.5 QB (the factors of the sand that holds the base): 0.2, 4.0, 4.2.
// si-clay-sand-over-rock, D = 0.9 m, line 2.0 m: interpolated at 0.5616 between the rows at 6 and
//   7 ft, whose steps lie at z = TOPLEN + 1, + 2 (TOPLEN = 4.921 ft) in clay with
//   CU = 1044.25 + 522.1 z/20 psf (bottom rounded to 20 ft), Nc = 6 + 3 z/20, n = 5:
//   1.27 m3, QS 42.83, QB 300.90, QU 343.73, QBD 163.19, QDN 141.78, QU/VOLUME 270.48 kN/m3.
//   Strong-rock settlement, D = 0.9 m, row 15: the capacity rows stop at 46 ft (14.02 m, QS
//   9611.93, QB 6047.56 kN) in sandstone from 36 ft (QS 1515.22 kN there). Rock: RQD (70 + 80)/2 =
//   75 gives Em/Ei = 0.335, Em = 0.335 x 5.5e6 x 20.885/2000 = 19240 tsf; Ec = 261063 tsf; L/D =
//   10/2.953 = 3.387 and Ec/Em = 13.57 give I = 0.3992. The ratio is held at I Qr/(D^2 Em) =
//   0.003784 and the soil above moves more than 0.017 ft, so the top load is Qr + Qs = QB + QS =
//   15658 kN (0.1566E+05) and the movement Zr Qs/EA + D r + Lr Qr/EA = 0.007161 m (0.7161E-02).
// belled-clay-design-load, row 9.0: HB = 4.5/(2 tan 30) + 0.25 = 4.147 ft, so the first step
//   (z = 4) lands on index round(4 + 1 + 4.147) = 9; QS = 3.142 x 3 x 0.55 x 1666.7/2000 = 4.3;
//   VOLUME = (9 - 4.147) x 7.0695/27 + 3.725 = 5.0; the tip averages z = 10..24 (n = 15) of
//   Ab Nc cu Fr on Ab = 44.18 with the large-base factor: 501.5; QDN = 4.32/2 + 501.5/3 = 169.3.
// si-uplift-sand-lrfd, D = 0.6 m, line 1.0 m: between the rows at 3 and 4 ft (t = 0.2808); K 0.8
//   to 0.7 and PHI 30 to 32 over 13 ft, f = K 0.75 tan(PHI) sigma/2000 with sigma from
//   0.5 (111.4 + GAMMA(TOPLEN)) TOPLEN; WT = VOLUME x 27 x 150/2000 above the water table:
//   0.28 m3, QS 3.86, WT 6.66, QU 10.53, LRFD QS 2.12 (0.55), LRFD QU = 2.12 + 6.66 = 8.79.
//   Under uplift the base carries nothing in the settlement lines: every tip load is 0.
// decomposed-rock-design-length, D = 3 ft, row 21.0: the step at z = 21 ft, 1 ft into the
//   decomposed granite (N = 40.4, socket 3 ft, within 2 B of the design depth so the step's own
//   stress 1819.6 psf counts): phi' = atan((40.4/(12.2 + 20.3 x 1819.6/2115.7))^0.34) = 48.0 deg,
//   OCR = 0.2 x 40.4 x 2115.7/1819.6 = 9.39, K0 = 1.357, s = tan(0.75 phi') K0 sigma = 1794 psf,
//   so QS grows by 3.142 x 3 x 1794/2000 = 8.46 tons (83.4 to 91.9).
//   Settlement rows 10 and 14: sigma_ref = 20 x 119 + 50 x 255/4 - 62.4 x 35 = 3383.5 psf, the
//   layer's modulus 30000 psi = 4.32e6 psf with rho 0.833, Ec = 259200 tsf: lambda = 312,
//   zeta = 3.825, muL = 0.6823, Omega = 0.1252. QS at 45 ft = 333.0 tons gives Ps = 349.8 tons
//   at w1 = 0.0811 in (0.3497E+03, 0.8108E-01); with q_tip = 2.1459 sigma OCR^0.8 (N = 60,
//   OCR = 7.50) row 14 carries 478.5 tons at 0.5815 in.
// si-weak-rock-design-load, D = 0.9 m, row 6.4 m (21 ft): the first weak-rock step, 1 ft below
//   the rock top at 20 ft. Ls = the socket diameter 2.953 ft (longer than 1 ft); design depth
//   51 + TOPLEN 3.281 = 54.28 ft, zc = 37.14 ft: M = 0.667 (slump 6.89 in), sn = 3716 psf;
//   rough closed joints: fa = 0.5 x 62655 psf; RQD 60.16 gives Em/Ei = 0.4294, j = 0.7647,
//   Em = 2242 tsf; L/D = 1, so T = 0.70 and G = 0.50; W = sn/qu = 0.0593; at ws = 0.05 Ds the
//   side parameter n = 4.171 and f = 0.8248, so the unit side is 19761 psf and QS grows by
//   3.142 x 2.953 x 19761/2000 tons = 815.5 kN (138.00 to 953.51).
const char* const kCases[] = {"bridge-clay-design-load", "layered-sand-clay-design-length",
                              "si-clay-sand-over-rock",  "belled-clay-design-load",
                              "si-uplift-sand-lrfd",     "decomposed-rock-design-length",
                              "si-weak-rock-design-load"};

std::string caseName(const testing::TestParamInfo<const char*>& p) {
    std::string n = p.param;
    for (char& c : n)
        if (c == '-') c = '_';
    return n;
}

// Compares one output with its expected file; an expected file that is absent means the run must
// not write that output either.
void expectSame(const std::string& what, bool written, const std::string& actual,
                const fs::path& expected) {
    if (std::getenv("KORVEN_UPDATE_GOLDEN")) {
        fs::create_directories(expected.parent_path());
        if (written)
            writeText(expected, actual);
        else
            fs::remove(expected);
    }
    ASSERT_EQ(fs::exists(expected), written) << what << ": " << expected;
    if (!written) return;
    const std::string want = readText(expected);
    EXPECT_TRUE(want == actual) << what << " differs from " << expected << "\n"
                                << lineDiff(want, actual);
}

TEST_P(Golden, OutputsMatchTheCheckedFiles) {
    const std::string name = GetParam();
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    const auto out = runProjectText(lib, dir.path(), readText(kExamples / (name + ".kvd")), name);
    EXPECT_EQ(out.result, 0) << out.runtime;
    const fs::path golden = kGolden / name;
    expectSame("report", true, stable(out.report, dir.path()), golden / (name + ".kvo"));
    expectSame("plot data", true, out.plot, golden / (name + ".kvp"));
    const fs::path listing = dir.path() / "TZDATA.DAT";
    expectSame("listing", fs::exists(listing), fs::exists(listing) ? readText(listing) : "",
               golden / "TZDATA.DAT");
}

INSTANTIATE_TEST_SUITE_P(Examples, Golden, testing::ValuesIn(kCases), caseName);

// ---- the plot data file read back by a reader of this test's own

// The words of a text, each of which must be a number with nothing around it.
std::vector<double> numbers(const std::string& text, std::string& bad) {
    std::vector<double> out;
    std::istringstream in(text);
    for (std::string w; in >> w;) {
        double v      = 0.0;
        const auto r  = std::from_chars(w.data(), w.data() + w.size(), v);
        const bool ok = r.ec == std::errc{} && r.ptr == w.data() + w.size() && std::isfinite(v);
        if (!ok) bad = w;
        out.push_back(v);
    }
    return out;
}

// Section D of each diameter, as printed: the rows of its settlement blocks (four numbers for a
// soil line, two for the rock line), in report order.
std::vector<std::vector<std::vector<double>>> sectionD(const std::string& report) {
    std::vector<std::vector<std::vector<double>>> out;
    const auto all = lines(report);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string& l = all[i];
        if (l.find("DRILLED SHAFT INFORMATION") != std::string::npos) out.emplace_back();
        const bool soil = l.find("RESULT FROM") != std::string::npos;
        const bool rock = l.find("LOAD SETTLEMENT RELATIONSHIP") != std::string::npos;
        if (!soil && !rock) continue;
        const std::size_t first = i + (soil ? 4 : 5);
        for (std::size_t k = first; k < first + 15 && k < all.size(); ++k) {
            std::string bad;
            out.back().push_back(numbers(all[k], bad));
        }
    }
    return out;
}

class PlotFile : public testing::TestWithParam<const char*> {};

// Every block is read in the order and counts its header announces, the file ends exactly after
// the last one, and the settlement groups carry the numbers of the report's section D.
TEST_P(PlotFile, ReadsBackIntoTheNumbersWritten) {
    const std::string name = GetParam();
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    const auto out = runProjectText(lib, dir.path(), readText(kExamples / (name + ".kvd")), name);
    ASSERT_EQ(out.result, 0) << out.runtime;

    std::string bad;
    const std::vector<double> v = numbers(out.plot, bad);
    ASSERT_TRUE(bad.empty()) << "not a number: " << bad;
    const auto report  = sectionD(out.report);
    const int expected = static_cast<int>(report.size());
    ASSERT_GT(expected, 0);

    std::size_t at = 0;
    auto next      = [&]() { return at < v.size() ? v[at++] : std::nan(""); };
    for (int block = 0; block < expected; ++block) {
        SCOPED_TRACE("block " + std::to_string(block + 1));
        const double NDIA = next(), NPT = next(), IND = next();
        EXPECT_EQ(NDIA, expected) << "diameter count";
        ASSERT_GE(NPT, 2.0);
        for (int k = 0; k < 7; ++k) EXPECT_EQ(next(), 0.0) << "first fixed record";
        const double firstLength = next();
        for (int k = 0; k < 6; ++k) EXPECT_EQ(next(), 0.0) << "second fixed record";
        double previous = 0.0;
        for (int r = 0; r + 2 < static_cast<int>(NPT); ++r) {
            double e[7];
            for (double& x : e) x = next();
            if (r == 0) {
                EXPECT_EQ(e[0], firstLength);
            }
            EXPECT_GT(e[0], previous) << "lengths increase";
            previous = e[0];
            // each of the three carries three significant digits
            EXPECT_NEAR(e[3], e[1] + e[2], 5e-3 * (std::fabs(e[1]) + std::fabs(e[2]) + e[3]))
                << "QU = QS + QB";
        }
        const int groups = IND > 1.0 ? 3 : 1;
        EXPECT_EQ(IND, report[static_cast<std::size_t>(block)].size() == 45 ? 3.0 : 0.0);
        const auto& printed = report[static_cast<std::size_t>(block)];
        ASSERT_EQ(printed.size(), static_cast<std::size_t>(15 * groups));
        for (int g = 0; g < groups; ++g) {
            for (int k = 0; k < 15; ++k) {
                const auto& row = printed[static_cast<std::size_t>(15 * g + k)];
                double p[4];
                for (double& x : p) x = next();
                // E10.3 against E16.4 or E17.4: three significant digits agree
                for (std::size_t c = 0; c < row.size(); ++c)
                    EXPECT_NEAR(p[c], row[c], 5e-3 * std::fabs(row[c]) + 1e-12)
                        << "group " << g + 1 << " row " << k + 1 << " column " << c + 1;
            }
        }
    }
    EXPECT_EQ(at, v.size()) << "words after the last block";
}

INSTANTIATE_TEST_SUITE_P(Examples, PlotFile, testing::ValuesIn(kCases), caseName);

}  // namespace
