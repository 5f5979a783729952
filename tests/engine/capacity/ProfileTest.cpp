// The soil profile: defaults, rounding of layer bottoms, interpolation and effective stress.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "capacity/Profile.h"

using namespace korven::capacity;
using korven::run::Layer;

namespace {

// A context with the given layers below the surface entry.
std::unique_ptr<RunContext> profile(std::vector<Layer> layers, real WT = 100.0f,
                                    real TOPLEN = 0.0f) {
    auto ctx    = std::make_unique<RunContext>();
    ctx->NLAYER = static_cast<int>(layers.size());
    ctx->NL     = ctx->NLAYER + 1;
    ctx->WT     = WT;
    ctx->TOPLEN = TOPLEN;
    ctx->DSTART = 3.0f;
    real top    = 0.0f;
    for (int i = 0; i < ctx->NLAYER; ++i) {
        Layer& L = ctx->layer(i + 2);
        L        = layers[static_cast<std::size_t>(i)];
        L.TOP    = top;
        top      = L.DEPTH;
    }
    return ctx;
}

Layer layer(int code, real bottom, real gamma = 120.0f) {
    Layer L;
    L.code  = code;
    L.SOIL  = static_cast<real>(code);
    L.DEPTH = bottom;
    L.GAMMA = {gamma, gamma};
    return L;
}

// every step of the profile as (layer, z, sigma)
struct Visited {
    int layer;
    real z, sigma;
};
std::vector<Visited> walk(RunContext& ctx) {
    std::vector<Visited> out;
    startProfile(ctx);
    for (int i = 1; i <= ctx.NL; ++i) {
        const int n = beginLayer(ctx, i);
        for (int k = 1; k <= n; ++k) {
            prepareStep(ctx, i, k);
            out.push_back({i, ctx.step.Z, ctx.step.SIGMA});
        }
    }
    return out;
}

}  // namespace

TEST(Profile, AlphaFromUndrainedStrength) {
    struct Case {
        real CU, alpha;
    } const cases[] = {
        {2000.0f, 0.55f},   // r = 0.94, at most 1.5
        {4000.0f, 0.511f},  // r = 1.89
        {5000.0f, 0.464f},  // r = 2.36
        {6000.0f, 0.55f},   // r = 2.83: 2.5 or more is 0.55 again
    };
    for (const auto& c : cases) EXPECT_NEAR(alphaFromCU(c.CU), c.alpha, 0.0005f) << c.CU;
}

TEST(Profile, ComputedCoefficientsAtTheLayerEnds) {
    Layer sand        = layer(1, 100.0f);
    sand.sandOption   = 2;
    sand.BLOWS        = {10.0f, 30.0f};
    Layer sandK       = layer(1, 110.0f);
    sandK.sandOption  = 1;
    Layer rock        = layer(7, 140.0f, 0.0f);
    Layer clay        = layer(2, 150.0f);
    clay.CU           = {4000.0f, 6000.0f};
    auto ctx          = profile({sand, sandK, rock, clay});
    ctx->layer(2).TOP = 4.0f;  // beta at z = 4 ft with N = 10
    applyDefaults(*ctx);
    EXPECT_NEAR(ctx->layer(2).COEF.top, (1.5f - 0.27f) * 10.0f / 15.0f, 0.001f);  // 0.82
    EXPECT_FLOAT_EQ(ctx->layer(2).COEF.bot, 0.25f);  // 1.5 - 1.35 at 100 ft, clamped
    EXPECT_FLOAT_EQ(ctx->layer(3).COEF.top, 0.25f);  // K: the clamp alone
    EXPECT_FLOAT_EQ(ctx->layer(4).COEF.bot, 0.25f);  // rock until its factor is set
    EXPECT_NEAR(ctx->layer(5).COEF.top, 0.511f, 0.0005f);
    EXPECT_FLOAT_EQ(ctx->layer(5).COEF.bot, 0.55f);
    for (int i = 2; i <= 5; ++i) EXPECT_TRUE(ctx->layer(i).computed) << i;

    // gravels: their own curves of depth in metres, with their own clamps
    auto gravels = profile({layer(8, 10.0f), layer(9, 20.0f), layer(9, 200.0f)});
    applyDefaults(*gravels);
    EXPECT_FLOAT_EQ(gravels->layer(2).COEF.top, 1.8f);  // 2.0 at the surface
    EXPECT_NEAR(gravels->layer(2).COEF.bot, 2.0f - 0.15f * std::pow(3.048f, 0.75f), 1e-5f);
    EXPECT_NEAR(gravels->layer(3).COEF.top, 3.4f * std::exp(-0.085f * 3.048f), 1e-5f);
    EXPECT_FLOAT_EQ(gravels->layer(4).COEF.bot, 0.25f);
}

TEST(Profile, NcDefaultsAreCappedByClayKind) {
    Layer clay  = layer(2, 30.0f);
    Layer shale = layer(3, 60.0f);
    Layer given = layer(2, 70.0f);
    given.NC    = {8.0f, 8.5f};
    auto ctx    = profile({clay, shale, given});
    applyDefaults(*ctx);
    EXPECT_FLOAT_EQ(ctx->layer(2).NC.top, 6.0f);
    EXPECT_FLOAT_EQ(ctx->layer(2).NC.bot, 9.0f);  // 6 (1 + 0.2 x 30 / 3) = 18, capped
    EXPECT_FLOAT_EQ(ctx->layer(3).NC.top, 7.0f);  // 6 (1 + 0.2 x 30 / 3) = 10 on clay-shale
    EXPECT_FLOAT_EQ(ctx->layer(4).NC.top, 8.0f);  // given values stand
}

TEST(Profile, LayerBottomsRoundToTheNearestFoot) {
    auto ctx = profile({layer(2, 12.5f), layer(2, 24.49f)});
    EXPECT_EQ(beginLayer(*ctx, 2), 13);
    EXPECT_FLOAT_EQ(ctx->layer(2).DEPTH, 13.0f);
    EXPECT_EQ(beginLayer(*ctx, 3), 11);
    EXPECT_FLOAT_EQ(ctx->layer(3).DEPTH, 24.0f);
}

TEST(Profile, NoStepsAboveTheIgnoredTop) {
    auto ctx = profile({layer(2, 5.0f), layer(1, 8.0f)}, 100.0f, 10.0f);
    EXPECT_TRUE(walk(*ctx).empty());
}

TEST(Profile, EffectiveStressWithTheWaterTable) {
    // at the surface every step adds GAMMA - 62.4; below the profile every step adds GAMMA
    for (const real W : {0.0f, 50.0f}) {
        auto ctx         = profile({layer(2, 10.0f, 120.0f)}, W);
        const auto steps = walk(*ctx);
        ASSERT_EQ(steps.size(), 10u);
        const real per = W == 0.0f ? 120.0f - 62.4f : 120.0f;
        for (std::size_t k = 0; k < steps.size(); ++k)
            EXPECT_NEAR(steps[k].sigma, per * static_cast<real>(k + 1), 0.01f);
        EXPECT_NEAR(ctx->step.SIGMAMID, ctx->step.SIGMA - 0.5f * per, 0.01f);
        EXPECT_NEAR(ctx->layer(2).SIGMAEND, 10.0f * per, 0.01f);
    }
    // a water table at 4 ft: four dry feet, then submerged ones
    auto ctx         = profile({layer(2, 10.0f, 120.0f)}, 4.0f);
    const auto steps = walk(*ctx);
    EXPECT_NEAR(steps.back().sigma, 4.0f * 120.0f + 6.0f * (120.0f - 62.4f), 0.01f);
}

TEST(Profile, StressAtTheIgnoredTopAsIfTheLayerReachedTheSurface) {
    Layer clay = layer(2, 20.0f);
    clay.GAMMA = {100.0f, 140.0f};
    // water at 2 ft, TOPLEN 5 ft: sigma = 0.5 (100 + 110) x 5 - 62.4 x 3 before the first step
    auto ctx = profile({clay}, 2.0f, 5.0f);
    EXPECT_EQ(beginLayer(*ctx, 2), 15);
    EXPECT_NEAR(ctx->step.SIGMA, 0.5f * (100.0f + 110.0f) * 5.0f - 62.4f * 3.0f, 0.01f);
    prepareStep(*ctx, 2, 1);
    EXPECT_FLOAT_EQ(ctx->step.Z, 6.0f);
    EXPECT_FLOAT_EQ(ctx->step.DZ, 6.0f);
}

TEST(Profile, InterpolationRules) {
    Layer sand      = layer(1, 10.0f);
    sand.BLOWS      = {10.0f, 20.0f};
    sand.PHI        = {30.0f, 30.0f};
    sand.TRANLM     = {2000.0f, 4000.0f};
    sand.COEF       = {0.8f, 0.0f};  // given at one end only
    sand.sandOption = 1;
    Layer rock      = layer(7, 20.0f, 0.0f);
    rock.QUR        = {10000.0f, 20000.0f};
    rock.QUCON      = {30000.0f, 30000.0f};
    auto ctx        = profile({sand, rock});
    ctx->step.COEF  = 0.33f;  // as if left by an earlier step
    beginLayer(*ctx, 2);
    prepareStep(*ctx, 2, 5);
    EXPECT_FLOAT_EQ(ctx->step.N, 15.0f);
    EXPECT_FLOAT_EQ(ctx->step.TRANLM, 1.5f);  // tsf
    EXPECT_NEAR(ctx->step.PHI, 30.0f / 57.29f, 1e-6f);
    EXPECT_FLOAT_EQ(ctx->step.COEF, 0.33f);  // not interpolated: the previous value stands
    for (int k = 1; k <= 10; ++k) {
        prepareStep(*ctx, 2, k);
        EXPECT_NEAR(ctx->step.PHI, 30.0f / 57.29f, 1e-6f) << "equal ends, every step";
    }
    beginLayer(*ctx, 3);
    prepareStep(*ctx, 3, 5);
    EXPECT_FLOAT_EQ(ctx->step.QUR, 15000.0f);
    EXPECT_FLOAT_EQ(ctx->step.QUCON, 30000.0f);
}

TEST(Profile, RockStrengthDipsOnlyBelowTheLayer) {
    // 14360 and 957.6 kN/m2 as converted: the bottom step rounds one bit under the bottom value
    Layer rock  = layer(7, 3.0f, 0.0f);
    rock.QUR    = {14360.0f * 20.885f, 957.6f * 20.885f};
    rock.QUCON  = rock.QUR;
    auto ctx    = profile({rock});
    const int n = beginLayer(*ctx, 2);
    ASSERT_EQ(n, 3);
    prepareStep(*ctx, 2, n);
    EXPECT_NEAR(ctx->step.QUR, rock.QUR.bot, 0.1f);
    EXPECT_NEAR(ctx->step.QUCON, rock.QUCON.bot, 0.1f);

    // a fractional TOPLEN carries the last step half a foot past the bottom: there the
    // extrapolated strength does dip below both ends and the top value stands
    Layer deep  = layer(7, 10.0f, 0.0f);
    deep.QUR    = {20000.0f, 10000.0f};
    deep.QUCON  = {30000.0f, 30000.0f};
    auto past   = profile({deep}, 100.0f, 2.5f);
    const int m = beginLayer(*past, 2);
    prepareStep(*past, 2, m);
    ASSERT_FLOAT_EQ(past->step.Z, 10.5f);
    EXPECT_FLOAT_EQ(past->step.QUR, 20000.0f);
    prepareStep(*past, 2, m - 1);
    EXPECT_FLOAT_EQ(past->step.QUR, 10500.0f);
}

TEST(Profile, BottomStepTakesTheBottomValues) {
    // 38.31 kN/m2 as converted, falling to 0: the line through 12 ft rounds to 6e-5 at the
    // bottom, which would hide the 0 from the blow-count rule of a clay
    Layer clay  = layer(2, 12.0f);
    clay.CU     = {38.31f * 20.885f, 0.0f};
    clay.BLOWS  = {7.0f, 25.0f};
    auto ctx    = profile({clay});
    const int n = beginLayer(*ctx, 2);
    prepareStep(*ctx, 2, n);
    EXPECT_EQ(ctx->step.CU, 0.0f);
    EXPECT_EQ(ctx->step.N, 25.0f);
}

TEST(Profile, SiInputIsConvertedOnReadingAndRockAfterTheEcho) {
    Layer rock     = layer(7, 10.0f, 20.0f);
    rock.CU        = {100.0f, 100.0f};
    rock.QUR       = {1000.0f, 1000.0f};
    rock.BDS       = {1.0f, 1.0f};
    rock.EL        = {2000.0f, 2000.0f};
    auto ctx       = profile({rock});
    ctx->units     = 2;
    ctx->P         = 1000.0f;
    ctx->PRINC     = 1.0f;
    ctx->EcEntered = 25e6f;
    convertInput(*ctx);
    EXPECT_FLOAT_EQ(ctx->P, 112.4f);
    EXPECT_FLOAT_EQ(ctx->PRINC, 3.2808f);
    EXPECT_FLOAT_EQ(ctx->DSTART, 3.0f * 3.2808f);
    EXPECT_FLOAT_EQ(ctx->layer(2).DEPTH, 32.808f);
    EXPECT_FLOAT_EQ(ctx->layer(2).GAMMA.top, 20.0f * 6.3659f);
    EXPECT_FLOAT_EQ(ctx->layer(2).CU.top, 2088.5f);
    EXPECT_FLOAT_EQ(ctx->layer(2).QUR.top, 1000.0f);  // still as entered for the echo
    convertRock(*ctx);
    EXPECT_FLOAT_EQ(ctx->layer(2).QUR.top, 20885.0f);
    EXPECT_FLOAT_EQ(ctx->layer(2).BDS.top, 3.2808f);
    EXPECT_FLOAT_EQ(ctx->layer(2).EL.top, 2000.0f * 20.885f / 2000.0f);
    EXPECT_FLOAT_EQ(ctx->Ec, 25e6f * 20.885f / 2000.0f);
}
