// Tip resistance: the clay, rock and sand methods, the limits, and the tip of a shaft length.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "capacity/Shaft.h"
#include "capacity/TipResistance.h"

using namespace korven::capacity;
using korven::run::Layer;

namespace {

// A context whose step lies at depth z in one layer of the given code, under a straight shaft.
std::unique_ptr<RunContext> tipIn(int code, real D, real z) {
    auto ctx         = std::make_unique<RunContext>();
    ctx->NL          = 2;
    ctx->DSTART      = D;
    Layer& L         = ctx->layer(2);
    L.code           = code;
    L.DEPTH          = 100.0f;
    ctx->shaft       = shaftGeometry(*ctx, D);
    ctx->step.LAYER  = 2;
    ctx->step.Z      = z;
    ctx->step.QMAXEB = 1e10f / 2000.0f;
    return ctx;
}

real tipOf(RunContext& ctx) {
    tipStep(ctx);
    return ctx.step.QB;
}

}  // namespace

TEST(TipResistance, ClayNcTimesCu) {
    auto ctx         = tipIn(2, 3.0f, 20.0f);
    ctx->layer(2).CU = {2000.0f, 2000.0f};
    ctx->step.CU     = 2000.0f;
    ctx->step.NC     = 9.0f;
    EXPECT_NEAR(ctx->shaft.AB, 7.069f, 0.001f);
    EXPECT_NEAR(tipOf(*ctx), 63.6f, 0.05f);  // q = 9 tsf
    EXPECT_EQ(ctx->step.SOILF, 1);

    // 90 tsf: held at 40 on clay, kept on clay-shale
    for (const int code : {2, 3}) {
        auto hard         = tipIn(code, 3.0f, 20.0f);
        hard->layer(2).CU = {20000.0f, 20000.0f};
        hard->step.CU     = 20000.0f;
        hard->step.NC     = 9.0f;
        EXPECT_NEAR(tipOf(*hard) / hard->shaft.AB, code == 2 ? 40.0f : 90.0f, 1e-3f) << code;
    }
    // without CU at either end the blow count gives cu = N / 10
    auto byN     = tipIn(2, 3.0f, 20.0f);
    byN->step.N  = 20.0f;
    byN->step.NC = 9.0f;
    EXPECT_NEAR(tipOf(*byN) / byN->shaft.AB, 18.0f, 1e-4f);
}

TEST(TipResistance, LargeBaseFactorOfClay) {
    EXPECT_NEAR(largeBaseFactor(1.0f, 40.0f, 7.0f), 0.877f, 0.0005f);  // a held at 0.015
    EXPECT_FLOAT_EQ(largeBaseFactor(1.0f, 40.0f, 6.0f), 1.0f);         // 72 in: no reduction
    // b held at 0.5 for a soft clay; Fr never above 1
    EXPECT_FLOAT_EQ(largeBaseFactor(0.1f, 0.0f, 6.5f), 1.0f);
}

TEST(TipResistance, RockSocket) {
    EXPECT_NEAR(socketKsp(10.0f, 3.0f, 0.0f), 0.633f, 0.0005f);
    for (const int code : {4, 7}) {
        auto ctx          = tipIn(code, 3.0f, 20.0f);
        ctx->layer(2).CS  = {10.0f, 10.0f};
        ctx->layer(2).BDS = {3.0f, 3.0f};
        ctx->step.CS      = 10.0f;
        ctx->step.BDS     = 3.0f;
        ctx->step.QUR     = 144.0f * 2000.0f;  // 2000 psi
        ctx->step.QUCON   = 144.0f * 4000.0f;
        const real expected =
            3.0f * (288000.0f / 2000.0f) * socketKsp(10.0f, 3.0f, 0.0f) * 0.7854f * 9.0f;
        EXPECT_NEAR(tipOf(*ctx), expected, 0.01f) << code;
        EXPECT_EQ(ctx->step.SOILF, 0);
        ctx->step.QUR = 144.0f * 900.0f;  // code 4 at 1000 psi or less: side friction only
        EXPECT_EQ(tipOf(*ctx) == 0.0f, code == 4) << code;
    }
}

TEST(TipResistance, SandFromBlowCountAndAngle) {
    struct Case {
        real D, z, N, phi, q;  // q: expected QB / Ab in tsf
    } const cases[] = {
        {3.0f, 40.0f, 50.0f, 0.0f, 30.0f},
        {6.0f, 40.0f, 50.0f, 0.0f, 30.0f * 50.0f / 72.0f * 40.0f / 60.0f},
        {3.0f, 40.0f, 100.0f, 0.0f, 45.0f},
        {2.0f, 10.0f, 50.0f, 0.0f, 15.0f},  // shallow base: halved
        {2.0f, 20.0f, 50.0f, 0.0f, 30.0f},
        {3.0f, 40.0f, 0.0f, 33.0f, 2.667f * 3.0f},
        {3.0f, 40.0f, 0.0f, 38.0f, 16.0f + 4.8f * 2.0f},
        {3.0f, 40.0f, 0.0f, 45.0f, 40.0f},
    };
    for (const auto& c : cases) {
        auto ctx          = tipIn(1, c.D, c.z);
        ctx->step.N       = c.N;
        ctx->layer(2).PHI = {c.phi, c.phi};
        ctx->step.PHI     = c.phi / 57.29f;
        EXPECT_NEAR(tipOf(*ctx) / ctx->shaft.AB, c.q, 1e-3f) << c.D << " " << c.z << " " << c.N;
    }
    // at 30 degrees or less the tip is a token 0.00001 tons, reduced only when shallow
    auto loose          = tipIn(1, 3.0f, 40.0f);
    loose->layer(2).PHI = {28.0f, 28.0f};
    loose->step.PHI     = 28.0f / 57.29f;
    EXPECT_FLOAT_EQ(tipOf(*loose), 0.00001f);
    // the switch off: no base-size reductions
    auto off       = tipIn(1, 6.0f, 10.0f);
    off->tipSwitch = 0;
    off->step.N    = 50.0f;
    EXPECT_NEAR(tipOf(*off) / off->shaft.AB, 30.0f, 1e-4f);
}

TEST(TipResistance, MaximumEndBearingAndUplift) {
    auto capped         = tipIn(1, 3.0f, 40.0f);
    capped->step.N      = 50.0f;
    capped->step.QMAXEB = 20.0f;
    EXPECT_NEAR(tipOf(*capped) / capped->shaft.AB, 20.0f, 1e-4f);
    auto fixed         = tipIn(1, 3.0f, 40.0f);
    fixed->step.N      = 10.0f;
    fixed->step.QMAXEB = -15.0f;
    EXPECT_NEAR(tipOf(*fixed) / fixed->shaft.AB, 15.0f, 1e-4f);
    auto up      = tipIn(1, 3.0f, 40.0f);
    up->step.N   = 50.0f;
    up->loadType = 2;
    EXPECT_FLOAT_EQ(tipOf(*up), 0.0f);
}

TEST(TipResistance, TipOfLengthAveragesTwoDiameters) {
    auto ctx = tipIn(1, 3.0f, 10.0f);  // n = 6 indices below the base
    for (int j = 1; j <= 40; ++j) {
        ctx->steps.QB(j)    = 100.0f + static_cast<real>(j);
        ctx->steps.SOILF(j) = j <= 23 ? 1 : 0;  // rock from index 24 down
    }
    // base at 10: indices 11..16 with weights 0, 0.2, 0.4, 0.6, 0.533, 0.467
    const real w[6] = {0.0f,
                       1.2f / 6.0f,
                       2.4f / 6.0f,
                       0.6f,
                       0.4f * (2.0f - 4.0f / 6.0f),
                       0.4f * (2.0f - 5.0f / 6.0f)};
    real sum = 0.0f, sumW = 0.0f;
    for (int k = 0; k < 6; ++k) {
        sum += w[k] * (111.0f + static_cast<real>(k));
        sumW += w[k];
    }
    EXPECT_NEAR(tipOfLength(*ctx, 10), sum / sumW, 1e-3f);
    // base at 20 on soil: the rock steps from 24 on take the last soil value, 123
    sum = 0.0f;
    for (int k = 0; k < 6; ++k) sum += w[k] * std::min(121.0f + static_cast<real>(k), 123.0f);
    EXPECT_NEAR(tipOfLength(*ctx, 20), sum / sumW, 1e-3f);
    // a base on rock averages the rock as it is
    sum = 0.0f;
    for (int k = 0; k < 6; ++k) sum += w[k] * (124.0f + static_cast<real>(k));
    EXPECT_NEAR(tipOfLength(*ctx, 23), sum / sumW, 1e-3f);

    // a shaft under 1 ft takes the step one foot below its base
    auto thin          = tipIn(1, 0.75f, 10.0f);
    thin->steps.QB(11) = 7.0f;
    EXPECT_FLOAT_EQ(tipOfLength(*thin, 10), 7.0f);
}
