// End-to-end reports of the example projects against expected files checked by hand.
//
// Set KORVEN_UPDATE_GOLDEN=1 to rewrite the expected files after a deliberate change, then check
// the differences line by line before committing them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "EngineHarness.h"

using namespace korven::test;

namespace {

const fs::path kExamples = fs::path(KORVEN_SOURCE_DIR) / "examples";
const fs::path kGolden   = fs::path(KORVEN_SOURCE_DIR) / "tests/golden";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

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

}  // namespace

// One row of each report was recomputed by hand from the formulas (a separate calculation in
// double precision, rounded as printed); all of its columns agree:
//
// bridge-clay-design-load, D = 3 ft, row 6.0: the side is the one step from 5 to 6 ft in clay,
//   CU(6) = 1200 + 400 x 6/18 = 1333.3 psf, alpha 0.55, QS = 3.142 x 3 x 0.55 x 1333.3/2000
//   = 3.46. The tip averages the clay steps at 7..12 ft (n = 6, weights 0 .2 .4 .6 .533 .467)
//   of Ab Nc cu with Ab = 7.0695, Nc = 6 + 3 z/18, cu = (1200 + 400 z/18)/2000: 39.0.
//   QU 42.5, QBD = QS + QB/2.5 = 19.1, QDN = QS/2 + QB/2.5 = 17.3, QU/VOLUME = 42.46/1.571 = 27.02.
// layered-sand-clay-design-length, D = 2.5 ft, line 4.0: the first row, unscaled. The stress at
//   TOPLEN 3 ft is 0.5 (115 + 115) 3 = 345 psf, 460 at 4 ft; computed K = 0.25, PHI 32:
//   QS = 7.855 x 0.25 x 460 tan(32/57.29)/2000 = 0.28. Tip: PHI 32 gives q = 2.667 x 2 tsf on
//   Ab = 4.909, reduced by z/25 at z = 5..9, weights 0 .24 .48 .56 .48: 8.1. LRFD QS = 0.55 QS,
//   LRFD QB = 0.5 QB (the factors of the sand that holds the base): 0.2, 4.0, 4.2.
// si-clay-sand-over-rock, D = 0.9 m, line 2.0 m: interpolated at 0.5616 between the rows at 6 and
//   7 ft, whose steps lie at z = TOPLEN + 1, + 2 (TOPLEN = 4.921 ft) in clay with
//   CU = 1044.25 + 522.1 z/20 psf (bottom rounded to 20 ft), Nc = 6 + 3 z/20, n = 5:
//   1.27 m3, QS 42.83, QB 300.90, QU 343.73, QBD 163.19, QDN 141.78, QU/VOLUME 270.48 kN/m3.
// belled-clay-design-load, row 9.0: HB = 4.5/(2 tan 30) + 0.25 = 4.147 ft, so the first step
//   (z = 4) lands on index round(4 + 1 + 4.147) = 9; QS = 3.142 x 3 x 0.55 x 1666.7/2000 = 4.3;
//   VOLUME = (9 - 4.147) x 7.0695/27 + 3.725 = 5.0; the tip averages z = 10..24 (n = 15) of
//   Ab Nc cu Fr on Ab = 44.18 with the large-base factor: 501.5; QDN = 4.32/2 + 501.5/3 = 169.3.
// si-uplift-sand-lrfd, D = 0.6 m, line 1.0 m: between the rows at 3 and 4 ft (t = 0.2808); K 0.8
//   to 0.7 and PHI 30 to 32 over 13 ft, f = K 0.75 tan(PHI) sigma/2000 with sigma from
//   0.5 (111.4 + GAMMA(TOPLEN)) TOPLEN; WT = VOLUME x 27 x 150/2000 above the water table:
//   0.28 m3, QS 3.86, WT 6.66, QU 10.53, LRFD QS 2.12 (0.55), LRFD QU = 2.12 + 6.66 = 8.79.
TEST_P(Golden, ReportMatchesTheCheckedFile) {
    const std::string name = GetParam();
    ScratchDir dir;
    EngineLibrary lib;
    ASSERT_TRUE(lib.loaded());
    const auto out = runProjectText(lib, dir.path(), readText(kExamples / (name + ".kvd")), name);
    EXPECT_EQ(out.result, 0) << out.runtime;
    const std::string actual = stable(out.report, dir.path());
    const fs::path expected  = kGolden / name / (name + ".kvo");
    if (std::getenv("KORVEN_UPDATE_GOLDEN")) {
        fs::create_directories(expected.parent_path());
        writeText(expected, actual);
    }
    ASSERT_TRUE(fs::exists(expected)) << expected;
    const std::string want = readText(expected);
    EXPECT_TRUE(want == actual) << name << ": the report differs from " << expected << "\n"
                                << lineDiff(want, actual);
}

INSTANTIATE_TEST_SUITE_P(Examples, Golden,
                         testing::Values("bridge-clay-design-load",
                                         "layered-sand-clay-design-length",
                                         "si-clay-sand-over-rock", "belled-clay-design-load",
                                         "si-uplift-sand-lrfd"),
                         [](const auto& p) {
                             std::string n = p.param;
                             for (char& c : n)
                                 if (c == '-') c = '_';
                             return n;
                         });
