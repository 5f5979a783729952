// The load-transfer method for a soil tip, checked against closed forms on uniform shafts.
#include <gtest/gtest.h>

#include <cmath>

#include "SettlementFixture.h"
#include "settlement/LoadTransfer.h"

namespace korven::settlement {
namespace {

using test::SettlementRun;
using test::uniformShaft;

TEST(TipMovements, LastThreeFollowTheDiameter) {
    struct Case {
        real D, w13, w14, w15;
    };
    for (const Case c : {Case{36.0f, 0.625f, 0.9f, 1.8f}, Case{10.0f, 0.625f, 0.78125f, 0.9765625f},
                         Case{100.0f, 1.0f, 2.5f, 5.0f}}) {
        const auto w = tipMovements(c.D);
        EXPECT_FLOAT_EQ(w[12], c.w13) << c.D;
        EXPECT_FLOAT_EQ(w[13], c.w14) << c.D;
        EXPECT_FLOAT_EQ(w[14], c.w15) << c.D;
        EXPECT_FLOAT_EQ(w[0], 0.00001f);
        EXPECT_FLOAT_EQ(w[11], 0.5f);
    }
}

TEST(LoadTransferAt, InterpolatesInDepthBetweenCurves) {
    run::Array<TzCurve, 145> curves;
    for (int c = 1; c <= 3; ++c) {
        curves(c).Z = 100.0f * static_cast<real>(c - 1);
        for (int j = 1; j <= 10; ++j) {
            curves(c).W(j) = static_cast<real>(j - 1);
            curves(c).T(j) = static_cast<real>(c) * static_cast<real>(j - 1);
        }
    }
    EXPECT_FLOAT_EQ(loadTransferAt(curves, 3, 50.0f, 2.0f), 3.0f);     // between curves 1 and 2
    EXPECT_FLOAT_EQ(loadTransferAt(curves, 3, 100.0f, 2.0f), 4.0f);    // on curve 2
    EXPECT_FLOAT_EQ(loadTransferAt(curves, 3, 250.0f, 2.0f), 6.0f);    // below the last curve
    EXPECT_FLOAT_EQ(loadTransferAt(curves, 3, 150.0f, 20.0f), 22.5f);  // beyond the last point
}

TEST(LoadTransfer, StiffnessProfileSoftensOnlyIntoTheBase) {
    SettlementInput in        = uniformShaft(1, 3.0f, 20.0f, 0.5f, 50.0f);
    in.Db                     = 6.0f;
    in.LB                     = 5.0f;
    const LoadTransferSetup s = prepareLoadTransfer(in);
    const real AS             = 0.7854f * 36.0f * 36.0f * 3.6e6f;
    const real AB             = 0.7854f * 72.0f * 72.0f * 3.6e6f;
    EXPECT_FLOAT_EQ(axialStiffness(s, 100.0f), AS);
    EXPECT_FLOAT_EQ(axialStiffness(s, 180.0f), AS);
    EXPECT_FLOAT_EQ(axialStiffness(s, 210.0f), (AS + AB) / 2.0f);
    EXPECT_FLOAT_EQ(axialStiffness(s, 240.0f), AB);
}

TEST(LoadTransfer, CurveDepthsPerLayer) {
    SettlementInput in        = uniformShaft(2, 3.0f, 20.0f, 0.5f, 50.0f, 10.0f);
    in.NLAY                   = 2;
    in.lay(2)                 = in.lay(1);
    in.lay(2).TOP             = 10.0f;
    in.lay(2).BOT             = 30.0f;
    const LoadTransferSetup s = prepareLoadTransfer(in);
    ASSERT_EQ(s.NCURVE, 10);
    const real expected[] = {0.0f,    30.0f,  60.0f,  89.995f,  119.99f,
                             132.01f, 180.0f, 240.0f, 299.995f, 359.99f};
    for (int c = 1; c <= 10; ++c) EXPECT_NEAR(s.ZCURVE(c), expected[c - 1], 1e-3f) << c;
}

// With no side resistance anywhere, the shaft only shortens elastically under the tip load.
TEST(LoadTransfer, NoSideResistanceWhenTheBottomLengthIsTheWholeShaft) {
    SettlementRun run;
    SettlementInput in        = uniformShaft(1, 3.0f, 20.0f, 0.5f, 50.0f);
    in.LB                     = in.L;
    const LoadTransferSetup s = prepareLoadTransfer(in);
    run::SettlementSet set;
    EXPECT_FALSE(runLoadTransfer(run.ctx, in, s, 1, set));
    const double AE = 0.7854 * 36.0 * 36.0 * 3.6e6;
    for (int k = 1; k <= 15; ++k) {
        EXPECT_EQ(set(k).TOPLOAD, set(k).TIPLOAD) << k;
        const double shortening = set(k).TIPLOAD * 2000.0 * 240.0 / AE;
        EXPECT_NEAR(set(k).TOPMOVE, set(k).TIPMOVE + shortening, 1e-5 * (1.0 + shortening)) << k;
    }
}

// At the largest tip movement every curve of a clay shaft lies beyond its last point, so the top
// load is the tip curve's last-but-two ratio of QB plus the last side ratio over the whole shaft.
// Each line converts QB once: the bound lines see the same base as the trend line.
TEST(LoadTransfer, FullyMobilisedClayShaftOnEveryLine) {
    struct Case {
        int line;
        double side, tip;
    };
    SettlementInput in        = uniformShaft(2, 3.0f, 20.0f, 0.5f, 50.0f);
    const LoadTransferSetup s = prepareLoadTransfer(in);
    SettlementRun run;
    for (const Case c : {Case{1, 0.835, 0.97}, Case{2, 0.92, 0.995}, Case{3, 0.75, 0.94}}) {
        run::SettlementSet set;
        runLoadTransfer(run.ctx, in, s, c.line, set);
        const double tmax = 0.5 * 2000.0 / 144.0;
        const double top = (c.tip * 50.0 * 2000.0 + c.side * tmax * 3.1416 * 36.0 * 240.0) / 2000.0;
        EXPECT_NEAR(set(15).TIPLOAD, c.tip * 50.0, 1e-3) << c.line;
        EXPECT_NEAR(set(15).TOPLOAD, top, 1e-4 * top) << c.line;
        EXPECT_FLOAT_EQ(set(15).TIPMOVE, 1.8f);
        EXPECT_GT(set(15).TOPMOVE, 1.8f);
    }
    // one runtime record per line: tip movements, segments, a reserved zero, segments
    EXPECT_EQ(test::countOf(run.runtime(), "          15          20           0          20\n"),
              3);
}

TEST(LoadTransfer, SiResultsAreTheEnglishOnesConverted) {
    SettlementRun run;
    SettlementInput en = uniformShaft(1, 3.0f, 20.0f, 0.5f, 50.0f);
    SettlementInput si = en;
    si.units           = 2;
    si.EcIn            = en.EcIn * 6.894f;
    run::SettlementSet a, b;
    runLoadTransfer(run.ctx, en, prepareLoadTransfer(en), 1, a);
    runLoadTransfer(run.ctx, si, prepareLoadTransfer(si), 1, b);
    for (int k = 1; k <= 15; ++k) {
        EXPECT_NEAR(b(k).TOPLOAD, a(k).TOPLOAD * 2000.0 * 4.448 / 1000.0, 1e-4 * b(k).TOPLOAD);
        EXPECT_NEAR(b(k).TIPLOAD, a(k).TIPLOAD * 2000.0 * 4.448 / 1000.0, 1e-4 * b(k).TIPLOAD);
        EXPECT_NEAR(b(k).TOPMOVE, a(k).TOPMOVE / 39.37, 1e-4 * b(k).TOPMOVE);
        EXPECT_NEAR(b(k).TIPMOVE, a(k).TIPMOVE / 39.37, 1e-4 * b(k).TIPMOVE);
    }
}

// A base narrower than 5 in moves past the end of its tip curve: the tip load is held.
TEST(LoadTransfer, TipCurveHeldAtItsLastLoad) {
    SettlementRun run;
    SettlementInput in = uniformShaft(1, 0.25f, 10.0f, 0.5f, 2.0f);
    run::SettlementSet set;
    runLoadTransfer(run.ctx, in, prepareLoadTransfer(in), 1, set);
    EXPECT_FLOAT_EQ(set(15).TIPLOAD, 1.46f * 2.0f);
    EXPECT_FLOAT_EQ(set(14).TIPLOAD, 1.46f * 2.0f);
}

}  // namespace
}  // namespace korven::settlement
