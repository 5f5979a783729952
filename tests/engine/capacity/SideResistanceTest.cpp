// Side resistance: friction angle from N, the strength and unit side resistance by soil type,
// caps, uplift and the running side capacity.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "capacity/SideResistance.h"

using namespace korven::capacity;
using korven::run::Layer;

namespace {

// A context whose step 1 lies in a single layer of the given code, on a 3 ft straight shaft.
std::unique_ptr<RunContext> stepIn(int code) {
    auto ctx         = std::make_unique<RunContext>();
    ctx->NL          = 2;
    ctx->DSTART      = 3.0f;
    ctx->WT          = 100.0f;
    Layer& L         = ctx->layer(2);
    L.code           = code;
    L.DEPTH          = 50.0f;
    L.LRFDSIDE       = 0.5f;
    ctx->step.LAYER  = 2;
    ctx->step.Z      = 20.0f;
    ctx->step.TRANLM = 1e10f / 2000.0f;
    ctx->shaft.D     = 3.0f;
    ctx->shaft.SCALE = 1.0f;
    ctx->step.QUCON  = 1e9f;
    return ctx;
}

real sideOf(RunContext& ctx) {
    genericStrength(ctx);
    soilStrength(ctx);
    unitSide(ctx);
    return ctx.step.F;
}

}  // namespace

TEST(SideResistance, FrictionAngleFromN) {
    struct Case {
        real N, psi, phi;
    } const cases[] = {
        {60.0f, 10.0f, 45.0f},                // above 55 at low stress
        {5.0f, 30.0f, 25.0f},                 // 30 N / 6
        {8.0f, 50.0f, 24.0f},                 // 30 N / 10
        {40.0f, 50.0f, 37.0f},                // curve C
        {6.0f, 0.0f, 36.0f},                  // curve B at a grid point
        {6.0f, 20.0f, 30.0f},                 // curve A at its first point
        {15.0f, 40.0f, 32.0f},                // curve C
        {3.0f, 10.0f, 33.0f - 0.5f * 3.0f},   // B(3) = 33, halfway to 30
        {30.0f, 10.0f, 39.0f + 0.5f * 6.0f},  // A(30) = 39, halfway to 45
        {25.0f, 30.0f, 37.0f - 0.5f * 2.0f},  // between A(25) = 37 and C(25) = 35
        {70.0f, 30.0f, 42.0f + 0.5f * 3.0f},  // C(70) = 42, halfway to 45
        {95.0f, 30.0f, 45.0f},
        {0.0f, 10.0f, 0.0f},  // no blow count, no angle
    };
    for (const auto& c : cases)
        EXPECT_NEAR(frictionAngleFromN(c.N, c.psi * 144.0f), c.phi, 1e-4f)
            << "N = " << c.N << " at " << c.psi << " psi";
}

TEST(SideResistance, SandByTheKMethod) {
    auto ctx        = stepIn(1);
    ctx->step.COEF  = 1.0f;
    ctx->step.PHI   = 30.0f / 57.29f;
    ctx->step.SIGMA = 1000.0f;
    EXPECT_NEAR(sideOf(*ctx), 0.289f, 0.0005f);  // K sigma tan PHI / 2000
}

TEST(SideResistance, SandByTheBetaMethodUsesMidStepStress) {
    auto ctx                 = stepIn(1);
    ctx->layer(2).sandOption = 2;
    ctx->step.COEF           = 0.8f;
    ctx->step.SIGMA          = 1000.0f;
    ctx->step.SIGMAMID       = 940.0f;
    EXPECT_NEAR(sideOf(*ctx), 0.8f * 940.0f / 2000.0f, 1e-6f);
    ctx->loadType = 2;  // uplift reduces the beta side, whatever the bell
    ctx->RATIO    = 2.5f;
    EXPECT_NEAR(sideOf(*ctx), 0.7f * 0.8f * 940.0f / 2000.0f, 1e-6f);
}

TEST(SideResistance, SandWithoutPhiTakesTheAngleFromN) {
    auto ctx        = stepIn(1);
    ctx->step.COEF  = 1.0f;
    ctx->step.N     = 40.0f;
    ctx->step.SIGMA = 50.0f * 144.0f;
    const real phi  = 37.0f / 57.29f;
    EXPECT_NEAR(sideOf(*ctx), std::tan(phi) * 7200.0f / 2000.0f, 1e-4f);
    ctx->step.N   = 0.0f;  // nothing to go by: no side resistance
    ctx->step.PHI = 0.0f;
    EXPECT_FLOAT_EQ(sideOf(*ctx), 0.0f);
}

TEST(SideResistance, ClayAlphaUpliftAndBell) {
    auto ctx       = stepIn(2);
    ctx->step.COEF = 0.5f;
    ctx->step.CU   = 2000.0f;
    ctx->step.PHI  = 0.5f;  // ignored for clay
    EXPECT_FLOAT_EQ(sideOf(*ctx), 0.5f);
    ctx->loadType = 2;
    EXPECT_FLOAT_EQ(sideOf(*ctx), 0.7f * 0.5f);
    ctx->RATIO = 2.5f;
    EXPECT_FLOAT_EQ(sideOf(*ctx), 1.75f * 0.5f);
}

TEST(SideResistance, ClaysFromBlowCounts) {
    auto clay       = stepIn(2);
    clay->step.COEF = 0.55f;
    clay->step.N    = 10.0f;
    EXPECT_FLOAT_EQ(sideOf(*clay), 0.55f * 2000.0f / 2000.0f);  // N/10 tsf
    auto shale       = stepIn(3);
    shale->step.COEF = 0.55f;
    shale->step.N    = 53.0f;
    EXPECT_FLOAT_EQ(sideOf(*shale), 0.55f);  // N/53 tsf
}

TEST(SideResistance, RockSockets) {
    struct Case {
        int code, loadType;
        real quPsi, f;  // f in tsf, before the uplift reduction where it applies
    } const cases[] = {
        {4, 1, 1200.0f, 0.0f},                                          // end bearing only
        {7, 1, 1200.0f, 2.5f * 144.0f * std::sqrt(1200.0f) / 2000.0f},  // 86.6 psi
        {4, 2, 1200.0f, 0.7f * 2.5f * 144.0f * std::sqrt(1200.0f) / 2000.0f},
        {7, 1, 200.0f, 2.16f},  // 0.15 qu
    };
    for (const auto& c : cases) {
        auto ctx        = stepIn(c.code);
        ctx->loadType   = c.loadType;
        ctx->step.QUR   = c.quPsi * 144.0f;
        ctx->step.COEF  = 0.25f;
        ctx->step.SIGMA = 3000.0f;
        EXPECT_NEAR(sideOf(*ctx), c.f, 1e-3f) << c.code << " " << c.quPsi;
    }
    auto ctx      = stepIn(7);
    ctx->step.QUR = 144.0f * 1200.0f;
    sideOf(*ctx);
    EXPECT_NEAR(ctx->step.F * 2000.0f / 144.0f, 86.6f, 0.05f);  // psi
}

TEST(SideResistance, CapByMaximumLoadTransfer) {
    auto ctx         = stepIn(2);
    ctx->step.COEF   = 0.55f;
    ctx->step.CU     = 4000.0f;
    ctx->step.TRANLM = 0.5f;
    EXPECT_FLOAT_EQ(sideOf(*ctx), 0.5f);
    ctx->step.CU = 1000.0f;
    EXPECT_FLOAT_EQ(sideOf(*ctx), 0.275f);
}

TEST(SideResistance, RunningSumsAndPerimeters) {
    auto ctx       = stepIn(2);
    ctx->step.COEF = 0.5f;
    ctx->step.CU   = 2000.0f;
    sideOf(*ctx);
    addSideForce(*ctx);
    const real P = 3.142f * 3.0f;
    EXPECT_FLOAT_EQ(ctx->QS, P * 0.5f);
    EXPECT_FLOAT_EQ(ctx->QSL, P * 0.5f * 0.5f);  // the layer's LRFD side factor
    addSideForce(*ctx);
    EXPECT_FLOAT_EQ(ctx->QS, 2.0f * P * 0.5f);

    // a socket takes its own perimeter, scaled with the stem
    auto rock         = stepIn(7);
    rock->shaft.SCALE = 1.5f;
    rock->step.BDS    = 2.0f;
    rock->step.QUR    = 200.0f * 144.0f;
    rock->step.COEF   = 0.25f;
    sideOf(*rock);
    addSideForce(*rock);
    EXPECT_NEAR(rock->QS, 3.142f * 2.0f * 1.5f * 2.16f, 1e-4f);

    // no coefficient, no side force; the carried sum never drops to zero
    auto none       = stepIn(1);
    none->step.COEF = 0.0f;
    sideOf(*none);
    addSideForce(*none);
    EXPECT_FLOAT_EQ(none->QS, 0.0f);
    EXPECT_FLOAT_EQ(none->QSPREV, 1e-10f);
}
