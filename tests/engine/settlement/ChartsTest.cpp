// The weak-rock charts at their corners: below the first point, above the last, on a point or a
// curve, and between points and curves.
#include <gtest/gtest.h>

#include "settlement/Charts.h"

using namespace korven::settlement;

namespace {

struct Case {
    const char* what;
    real value;
    double expected;
};

void check(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_NEAR(c.value, c.expected, 1e-5) << c.what;
}

}  // namespace

TEST(Charts, OneDimensional) {
    check({
        {"closed joints, RQD below the first point", modulusRatioClosed(5.0f), 0.05},
        {"closed joints, on a point", modulusRatioClosed(70.0f), 0.7},
        {"closed joints, between points", modulusRatioClosed(60.0f), 0.425},
        {"closed joints, RQD 100", modulusRatioClosed(100.0f), 1.0},
        {"closed joints, above the last point", modulusRatioClosed(120.0f), 1.0},
        {"open joints, between points", modulusRatioOpen(85.0f), 0.45},
        {"open joints, above the last point", modulusRatioOpen(100.5f), 0.6},
        {"joint factor, below the first point", jointFactor(0.01f), 0.3},
        {"joint factor, between points", jointFactor(0.2f), 0.625},
        {"joint factor, Em = Ei", jointFactor(1.0f), 1.0},
        {"joint factor, above the last point", jointFactor(2.0f), 1.0},
    });
}

TEST(Charts, NormalStressFactor) {
    check({
        {"on a curve and a column", normalStressFactor(5.0f, 13.12f), 0.52},
        {"slump below the first column", normalStressFactor(4.0f, 26.25f), 0.47},
        {"slump above the last column", normalStressFactor(10.0f, 39.37f), 0.9},
        {"zc above the last curve", normalStressFactor(6.89f, 40.0f), 0.65},
        {"zc at the top", normalStressFactor(5.0f, 0.0f), 1.0},
        {"between curves, on a column", normalStressFactor(6.89f, 19.685f), (0.96 + 0.75) / 2},
        // half way between 5 and 6.89 in, half way between 0 and 13.12 ft: (1 + 0.74) / 2
        {"between curves and columns", normalStressFactor(5.945f, 6.56f), 0.87},
    });
}

TEST(Charts, AdhesionFactor) {
    check({
        {"sn/pa below the first curve takes it unchanged", adhesionFactor(0.5f, 20830.0f), 0.145},
        {"sn/pa above the last curve takes it", adhesionFactor(7.5f, 20830.0f), 0.47},
        {"between curves", adhesionFactor(1.5f, 10415.0f), 0.27},
        {"qu beyond the last column", adhesionFactor(4.0f, 200000.0f), 0.14},
        {"qu below the first column", adhesionFactor(3.0f, 5000.0f), 0.45},
        {"on an inner curve, between columns", adhesionFactor(2.0f, 31245.0f), (0.235 + 0.16) / 2},
    });
}

TEST(Charts, ShearRatio) {
    check({
        {"below the first curve", shearRatio(300.0f, 14.0f), 0.5},
        {"at or above the last curve", shearRatio(4000.0f, 24.0f), 0.0},
        {"far above the last curve", shearRatio(1e6f, 14.0f), 0.22},
        // 750 lies 3/8 of the way from the 600 curve to the 1000 curve
        {"between curves", shearRatio(750.0f, 14.0f), 0.45 + (0.38 - 0.45) * 0.375},
        {"qu/pa beyond the last column", shearRatio(1000.0f, 60.0f), 0.08},
        {"between columns", shearRatio(1500.0f, 26.0f), (0.255 + 0.22) / 2},
    });
}
