// The hand-over of a pass to the load-settlement methods: the decomposed-rock socket of the tip
// layer as the settlement method takes it.
#include <gtest/gtest.h>

#include <memory>

#include "capacity/DecomposedRock.h"
#include "capacity/HandOver.h"

using namespace korven::capacity;
using korven::run::Layer;
using korven::run::real;
using korven::run::RunContext;

namespace {

// Decomposed rock from 0 to 12 ft (128 pcf, N = 50, socket 3 ft) over strong rock to 38 ft; the
// water table below the profile; design depth 7.9 ft, the shaft ends at 8 ft in the decomposed
// rock. The capacity loop's last step is set by each test.
class DecomposedHandOver : public ::testing::Test {
protected:
    void SetUp() override {
        ctx->units         = 1;
        ctx->designControl = 2;
        ctx->DSTART        = 3.0f;
        ctx->DGH           = 7.9f;
        ctx->Ec            = 224640.0f;  // 3.12e6 psi in tsf
        ctx->WT            = 31.9f;
        ctx->NL            = 3;
        Layer& rock        = ctx->layer(2);
        rock.code          = 5;
        rock.DEPTH         = 12.0f;
        rock.GAMMA         = {128.0f, 128.0f};
        rock.BLOWS         = {50.0f, 55.0f};
        rock.BDS           = {3.0f, 3.0f};
        rock.SIGMAEND      = 1536.0f;
        Layer& strong      = ctx->layer(3);
        strong.code        = 4;
        strong.DEPTH       = 38.0f;

        ctx->shaft.D = ctx->shaft.DB = 3.0f;
        ctx->shaft.SCALE             = 1.0f;
        ctx->rows.count              = 1;
        ctx->rows.LENGTH(1)          = 8.0f;
        ctx->rows.QS(1)              = 40.0f;
        ctx->tip                     = {2, 8.0f, 5, 40.0f};
    }
    // the capacity loop's last step of the pass
    void lastStep(real Z, real SIGMA) {
        ctx->step.Z     = Z;
        ctx->step.SIGMA = SIGMA;
    }
    korven::settlement::DecomposedSocket socket() { return settlementInput(*ctx).decomposed; }

    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
};

}  // namespace

// The stress of the tip is the mid-layer one unless the profile, that is the capacity loop's last
// step, ends within 2 Ds below the design depth; the layer's own bottom does not decide it.
TEST_F(DecomposedHandOver, StressNearTheBaseIsThatOfTheLastCapacityStep) {
    const real mid = 12.0f * (128.0f + 128.0f) / 4.0f;  // 768 psf
    ASSERT_FLOAT_EQ(referenceStress(*ctx, 2), mid);

    lastStep(38.0f, 4200.0f);  // the strong rock goes on far below 2 Ds + DGH = 13.9 ft
    EXPECT_FLOAT_EQ(socket().SIGMA, mid);
    const real OCR = 0.2f * 55.0f * 2115.7f / mid;
    EXPECT_FLOAT_EQ(socket().OCR, OCR);

    lastStep(13.0f, 1664.0f);  // the profile ends one foot below the decomposed rock
    EXPECT_FLOAT_EQ(socket().SIGMA, 1664.0f);

    ctx->DGH = 8.0f;  // 2 Ds + DGH = 14 ft: a last step at 14 ft is not above it
    lastStep(14.0f, 1792.0f);
    EXPECT_FLOAT_EQ(socket().SIGMA, mid);
}

// A socket diameter of 0 is the starting diameter in every pass, in the capacity steps and in the
// settlement method alike, whatever the stem of the pass.
TEST_F(DecomposedHandOver, SocketWithoutDiameterIsTheStartingDiameterInEveryPass) {
    ctx->layer(2).BDS = {0.0f, 0.0f};
    ctx->DSTART       = 2.0f;
    ctx->shaft.D = ctx->shaft.DB = 3.5f;
    ctx->shaft.SCALE             = 1.75f;
    lastStep(38.0f, 4200.0f);
    EXPECT_FLOAT_EQ(socket().Ds, 2.0f);

    const DecomposedResult step =
        decomposedRockSocket(*ctx, {2, 8.0f, 8.0f, 1024.0f, 3.5f, 1.75f, 7.9f});
    EXPECT_FLOAT_EQ(step.B, 2.0f);
    // with its own diameter the socket grows with the stem
    ctx->layer(2).BDS = {2.0f, 2.0f};
    EXPECT_FLOAT_EQ(socket().Ds, 3.5f);
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, {2, 8.0f, 8.0f, 1024.0f, 3.5f, 1.75f, 7.9f}).B,
                    3.5f);
}

// The strong-rock method averages the intact modulus over the rock below the soil: a decomposed
// layer inside the rock takes part with its Young's modulus, in tsf like every rock modulus, and
// with none given with 0.
TEST_F(DecomposedHandOver, DecomposedLayerInsideTheRockHandsOverItsModulus) {
    ctx->layer(3).EL = {130320.0f, 137520.0f};
    struct Case {
        int units;
        real top, bot;  // as entered: psi or kN/m2
        real tsfTop, tsfBot;
    };
    for (const Case c :
         {Case{1, 18700.0f, 23600.0f, 1346.4f, 1699.2f}, Case{2, 1.0e5f, 2.0e5f, 1044.25f, 2088.5f},
          Case{1, 0.0f, 0.0f, 0.0f, 0.0f}}) {
        ctx->units          = c.units;
        ctx->layer(2).EGRAV = {c.top, c.bot};
        const auto in       = settlementInput(*ctx);
        EXPECT_FLOAT_EQ(in.lay(1).EL.top, c.tsfTop) << c.units << " " << c.top;
        EXPECT_FLOAT_EQ(in.lay(1).EL.bot, c.tsfBot) << c.units << " " << c.top;
        EXPECT_EQ(in.lay(2).EL.top, 130320.0f);
        EXPECT_EQ(in.lay(2).EL.bot, 137520.0f);
    }
}

// Under a design load the decomposed-rock tip is evaluated at the middle of the tip layer plus
// TOPLEN, whatever design depth a decomposed or weak layer below the tip left behind.
TEST_F(DecomposedHandOver, DesignLoadControlTakesTheMiddleOfTheTipLayer) {
    ctx->designControl = 1;
    ctx->TOPLEN        = 1.0f;
    ctx->DGH           = 30.5f;  // as the strong rock's steps below would leave a socket layer
    lastStep(38.0f, 4200.0f);
    const DecomposedModulus m = decomposedModulus(ctx->layer(2), false, 55.0f);
    const SocketModel s       = socketModel(ctx->Ec, m.EM, m.RHO, 6.0f + 1.0f, 3.0f, 80000.0f);
    ASSERT_TRUE(s.formed);
    const auto got = socket();
    EXPECT_FLOAT_EQ(got.MUL, s.MUL);
    EXPECT_FLOAT_EQ(got.OMEGA, s.OMEGA);
    EXPECT_FLOAT_EQ(got.SIGMA, referenceStress(*ctx, 2));  // 38 ft is below 2 Ds + 7 ft
}

// The strong-rock method reads, for every layer above the tip, the layer's bottom and the side
// resistance accumulated down to it, whether or not a result row ended in that layer; for the
// tip layer the final length and its side resistance.
TEST_F(DecomposedHandOver, LayerEntriesAreTheBottomsAndTheSideDownToThem) {
    ctx->NL             = 4;
    ctx->layer(2).QSEND = 55.0f;
    ctx->layer(3).QSEND = 410.0f;
    ctx->layer(4).code  = 2;
    ctx->layer(4).DEPTH = 45.0f;
    ctx->layer(4).QSEND = 460.0f;
    ctx->tip            = {3, 30.0f, 4, 300.0f};
    ctx->rows.LENGTH(1) = 30.0f;
    const auto in       = settlementInput(*ctx);
    ASSERT_EQ(in.NLAY, 3);
    EXPECT_EQ(in.TIP, 2);
    EXPECT_EQ(in.lay(1).ZREC, 12.0f);
    EXPECT_EQ(in.lay(1).QSREC, 55.0f);
    EXPECT_EQ(in.lay(2).ZREC, 30.0f);
    EXPECT_EQ(in.lay(2).QSREC, 300.0f);
    EXPECT_EQ(in.lay(3).ZREC, 45.0f);
    EXPECT_EQ(in.lay(3).QSREC, 460.0f);
}
