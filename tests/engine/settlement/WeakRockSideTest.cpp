// Weak-rock socket: the model at a settlement, the step with its socket, kept values and bad data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "../EngineHarness.h"
#include "settlement/Charts.h"
#include "settlement/WeakRockSide.h"

using namespace korven::settlement;
using korven::run::Layer;
using korven::run::RunContext;
using korven::run::RunStop;

namespace {

constexpr double PI30 = 30.0 * 3.1416 / 180.0;

// Settlement factors, side parameter, mobilised ratio and base worked in double from the socket's
// Em, fa' and W.
struct Hand {
    double T, G, n, f, qb;
};
Hand hand(const WeakRockInput& in, const WeakRockSocket& s, double ws) {
    Hand h{};
    const double LD = double(in.LS) / double(in.DS), sq = std::sqrt(LD);
    const double lr = std::log10(double(in.EC) / double(s.EM)), W = s.W;
    h.T = 1.14 * sq - 0.05 * (sq - 1) * lr - 0.44;
    h.G = 0.37 * sq - 0.15 * (sq - 1) * lr + 0.13;
    h.n = (double(s.EM) * 2000 * h.T) / (double(in.LS) * 3.1416 * h.G * double(s.FAR)) * ws;
    h.f = h.n <= W ? h.n : W + (1 - W) * (h.n - W) / (h.n - 2 * W + 1);
    const double qb1 =
        0.0134 * double(s.EM) * 2 * 47.88 * LD / (LD + 1)
        * std::pow(200 * (sq - h.T) * (1 + LD) / (3.1416 * in.LS * 304.8 * h.G), 0.67);
    h.qb = std::min(qb1 * std::pow(ws * 304.8, 0.67) * 20.88, 2.5 * double(in.QU));
    return h;
}

void near(double actual, double expected, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-4 * std::max(1.0, std::fabs(expected))) << what;
}

// Clay from 0 to 10 ft over weak rock from 10 to 40 ft; design depth 30 ft.
class WeakRockStepTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx->units  = 1;
        ctx->DSTART = 3.0f;
        ctx->Ec     = 259200.0f;
        ctx->NL     = 3;
        Layer& clay = ctx->layer(2);
        clay.code   = 2;
        clay.DEPTH  = 10.0f;
        Layer& rock = ctx->layer(3);
        rock.code   = 6;
        rock.TOP    = 10.0f;
        rock.DEPTH  = 40.0f;
        rock.QUR    = {50000.0f, 50000.0f};
        rock.ICOND  = 1;
        rock.SLUMP  = {7.0f, 7.0f};
        rock.IFA    = {30.0f, 30.0f};
        rock.BDS    = {3.0f, 3.0f};
        rock.EL     = {720.0f, 720.0f};  // 10 ksi
        rock.RQD    = {100.0f, 100.0f};
    }
    Layer& rock() { return ctx->layer(3); }
    WeakRockResult step(real z, real DGH = 30.0f, int entry = 3) {
        const real top = ctx->layer(entry - 1).DEPTH;
        return weakRockStep(*ctx, {entry, z, z - top, 3.0f, 1.0f, DGH});
    }
    void captureRuntime() { ASSERT_TRUE(ctx->runtime.open((dir.path() / "run.kvr").string())); }
    std::string runtime() {
        ctx->runtime.close();
        return korven::test::readText(dir.path() / "run.kvr");
    }

    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    korven::test::ScratchDir dir;
};

}  // namespace

TEST(WeakRock, RqdOfHundredWithClosedJointsKeepsTheIntactModulus) {
    for (int kind : {1, 2}) {
        WeakRockInput in{kind,    50000.0f, 720.0f, 100.0f, 7.0f,
                         0.5236f, 3.0f,     15.0f,  20.0f,  259200.0f};
        const WeakRockSocket s = weakRockSocket(in);
        EXPECT_EQ(s.EM, 720.0f) << kind;
        EXPECT_EQ(s.J, 1.0f) << kind;
        EXPECT_EQ(s.FAR, s.FA) << kind;
    }
}

TEST(WeakRock, SettlementFactorsOutsideTheirRangeMobiliseNothing) {
    const WeakRockInput in{1,       50000.0f, 720.0f, 100.0f, 7.0f,
                           0.5236f, 3.0f,     15.0f,  20.0f,  259200.0f};
    WeakRockSocket s = weakRockSocket(in);
    ASSERT_GT(s.T, 0.0f);
    ASSERT_GT(s.G, 0.0f);
    EXPECT_TRUE(weakRockAt(in, s, 0.15f).inRange);

    struct Case {
        const char* what;
        real T, G;
        bool baseLeft;
    };
    for (const Case c : {Case{"G of 0", 2.0f, 0.0f, false}, Case{"G below 0", 2.0f, -0.1f, false},
                         Case{"T below 0", -0.2f, 0.5f, true}}) {
        WeakRockSocket out        = s;
        out.T                     = c.T;
        out.G                     = c.G;
        const WeakRockMobilised m = weakRockAt(in, out, 0.15f);
        EXPECT_FALSE(m.inRange) << c.what;
        EXPECT_EQ(m.F, 0.0f) << c.what;
        EXPECT_EQ(m.QB > 0.0f, c.baseLeft) << c.what;
        EXPECT_TRUE(std::isfinite(m.N) && std::isfinite(m.QB)) << c.what;
    }

    // a stiff rock reaches the cap of the base, 2.5 qu
    WeakRockInput stiff = in;
    stiff.EI            = 7200.0f;
    EXPECT_EQ(weakRockAt(stiff, weakRockSocket(stiff), 0.15f).QB, 2.5f * 50000.0f);
}

TEST(WeakRock, MobilisedShearNeverExceedsTheReducedShear) {
    // rock weaker than the normal stress of the concrete: sn / qu above 1 on a rough wall
    const WeakRockInput in{1,       2000.0f, 720.0f, 100.0f, 7.0f,
                           0.5236f, 3.0f,    15.0f,  20.0f,  259200.0f};
    const WeakRockSocket s = weakRockSocket(in);
    ASSERT_GT(s.SN, in.QU);
    EXPECT_EQ(s.W, 1.0f);
    for (real ws : {0.001f, 0.15f, 10.0f}) {
        const WeakRockMobilised m = weakRockAt(in, s, ws);
        EXPECT_GE(m.F, 0.0f) << ws;
        EXPECT_LE(m.F, 1.0f) << ws;
    }
}

TEST_F(WeakRockStepTest, InterfaceKinds) {
    struct Case {
        int kind;
        double EMEI, J;
        bool rough;
    };
    // RQD 100: closed joints keep Ei, open joints 0.6 Ei with a joint factor of 0.84
    const Case cases[] = {
        {1, 1.0, 1.0, true}, {2, 1.0, 1.0, false}, {3, 0.6, 0.84, true}, {4, 0.6, 0.84, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        rock().ICOND            = c.kind;
        ctx->WROCK              = {};
        const WeakRockResult r  = step(25.0f);
        const WeakRockInput& in = r.in;
        const WeakRockSocket& s = r.socket;

        EXPECT_FLOAT_EQ(r.SOCKTOP, 10.0f);
        EXPECT_FLOAT_EQ(in.LS, 15.0f);
        EXPECT_FLOAT_EQ(in.DS, 3.0f);
        EXPECT_FLOAT_EQ(in.ZC, 20.0f);  // 30 - (30 - 10) / 2
        EXPECT_FLOAT_EQ(in.EI, 720.0f);
        near(in.IFA, PI30, "interface angle");

        const double M  = normalStressFactor(7.0f, 20.0f);
        const double sn = 150 * M * 20;
        const double a  = adhesionFactor(static_cast<real>(sn / 2115.7), 50000.0f);
        near(s.SN, sn, "sn");
        near(s.FA, c.rough ? 25000.0 : std::tan(PI30) * a * 50000 / std::tan(0.5236), "fa");
        near(s.EMEI, c.EMEI, "Em/Ei");
        near(s.EM, c.EMEI * 720, "Em");
        near(s.J, c.J, "j");
        near(s.FAR, s.FA * c.J, "fa'");
        const double W = c.rough ? sn / 50000
                                 : shearRatio(static_cast<real>(c.EMEI * 720 * 2000 / sn),
                                              static_cast<real>(50000 / 2115.7));
        near(s.W, W, "W");

        const Hand h = hand(in, s, 0.15);
        ASSERT_GT(h.f, 0.0);
        ASSERT_LT(h.qb, 125000.0);  // below the cap: the base formula itself is checked
        near(s.T, h.T, "T");
        near(s.G, h.G, "G");
        near(r.at.N, h.n, "n");
        near(r.at.F, h.f, "f");
        near(r.at.QB, h.qb, "qb");
        near(r.SIDE, c.rough ? h.f * s.FAR : s.FAR, "unit side resistance");
        near(r.QB, 3 * h.qb * 3 * 0.7854 / 2000, "tip capacity");
        near(ctx->WROCK.FAFIRST, h.f * s.FAR, "kept first mobilised shear");
    }
}

TEST_F(WeakRockStepTest, SocketCentreIsHeldAt40Ft) {
    const WeakRockResult r = step(25.0f, 100.0f);
    EXPECT_FLOAT_EQ(r.in.ZC, 40.0f);
    EXPECT_FLOAT_EQ(r.socket.M, normalStressFactor(7.0f, 39.37f));
    EXPECT_FLOAT_EQ(r.socket.SN, 150.0f * r.socket.M * 40.0f);
}

TEST_F(WeakRockStepTest, NotPositiveGLeavesOnlyTheSmoothWallAndWarnsOncePerPass) {
    captureRuntime();
    rock().EL = {10.0f, 10.0f};  // Ec/Em near 26000 on a socket of 9 diameters: G < 0
    for (int kind : {1, 2}) {
        rock().ICOND = kind;
        startWeakRockPass(*ctx);
        for (real z : {38.0f, 39.0f}) {
            const WeakRockResult r = step(z);
            ASSERT_LE(r.socket.G, 0.0f);
            EXPECT_FALSE(r.at.inRange);
            EXPECT_EQ(r.QB, 0.0f);
            EXPECT_EQ(r.SIDE, kind == 1 ? 0.0f : r.socket.FAR);
            EXPECT_GT(r.socket.FAR, 0.0f);
        }
    }
    const std::string text = runtime();
    std::size_t n          = 0;
    for (auto p = text.find("OUTSIDE THE RANGE"); p != std::string::npos;
         p      = text.find("OUTSIDE THE RANGE", p + 1))
        ++n;
    EXPECT_EQ(n, 2u) << text;
    EXPECT_NE(text.find("     WEAK ROCK, LAYER NO  2:\n"), std::string::npos) << text;
    EXPECT_NE(text.find("FACTORS FROM THE DEPTH OF   38.00 FT ON:"), std::string::npos) << text;
    EXPECT_EQ(text.find("nan"), std::string::npos);
}

TEST_F(WeakRockStepTest, SocketRunsFromTheTopOfTheFirstRockLayerDownToTheStep) {
    // gravel (code 8) is a soil; strong rock (code 7) starts the socket; a second weak-rock layer
    // continues it
    ctx->NL             = 5;
    ctx->layer(2).code  = 8;
    ctx->layer(2).DEPTH = 5.0f;
    ctx->layer(3).code  = 7;
    ctx->layer(3).DEPTH = 10.0f;
    Layer upper         = rock();
    upper.DEPTH         = 20.0f;
    Layer lower         = rock();
    ctx->layer(4)       = upper;
    ctx->layer(5)       = lower;

    EXPECT_FLOAT_EQ(weakRockSocketTop(*ctx), 5.0f);
    EXPECT_FLOAT_EQ(step(12.0f, 30.0f, 4).in.LS, 7.0f);
    EXPECT_FLOAT_EQ(step(30.0f, 30.0f, 5).in.LS, 25.0f);  // not the 10 ft into its own layer
    ctx->layer(3).code = 2;
    EXPECT_FLOAT_EQ(step(11.0f, 30.0f, 4).in.LS, 3.0f);  // 1 ft of socket raised to its diameter
}

TEST_F(WeakRockStepTest, RunningMeanOfEiAndItsReset) {
    rock().EL = {1000.0f, 4000.0f};
    EXPECT_FLOAT_EQ(step(13.0f).in.EI, 1300.0f);
    EXPECT_FLOAT_EQ(step(16.0f).in.EI, 1450.0f);  // (1300 + 1600) / 2
    resetWeakRockMean(*ctx);
    EXPECT_FLOAT_EQ(step(19.0f).in.EI, 1900.0f);
    EXPECT_EQ(ctx->WROCK.EICOUNT, 1);
}

TEST_F(WeakRockStepTest, KeptFirstShearAndFirstQsOfThePass) {
    const WeakRockResult first = step(25.0f);
    step(30.0f);
    EXPECT_EQ(ctx->WROCK.FAFIRST, first.at.F * first.socket.FAR);

    keepWeakRockQS(*ctx, 10.0f);
    keepWeakRockQS(*ctx, 20.0f);
    EXPECT_EQ(ctx->WROCK.QSFIRST, 10.0f);
    startWeakRockPass(*ctx);
    keepWeakRockQS(*ctx, 30.0f);
    EXPECT_EQ(ctx->WROCK.QSFIRST, 30.0f);
}

TEST_F(WeakRockStepTest, SiSlumpAndASocketWithoutADiameter) {
    ctx->units             = 2;
    rock().SLUMP           = {0.1778f, 0.1778f};  // m
    rock().BDS             = {0.0f, 0.0f};
    const WeakRockResult r = weakRockStep(*ctx, {3, 25.0f, 15.0f, 4.5f, 1.5f, 30.0f});
    EXPECT_NEAR(r.in.SLUMP, 7.0f, 1e-4f);
    EXPECT_FLOAT_EQ(r.in.DS, 4.5f);  // the stem of the pass
}

TEST_F(WeakRockStepTest, BadLayerDataStopTheRunWithAMessage) {
    struct Case {
        const char* message;
        void (*spoil)(RunContext&);
    };
    const Case cases[] = {
        {"THE INTERFACE CONDITION MUST BE 1 TO 4.", [](RunContext& c) { c.layer(3).ICOND = 5; }},
        {"THE UNIAXIAL COMPRESSION STRENGTH OF THE ROCK MUST BE ABOVE 0.",
         [](RunContext& c) {
             c.layer(3).QUR = {0.0f, 0.0f};
         }},
        {"THE ELASTIC MODULUS OF THE INTACT ROCK MUST BE ABOVE 0.",
         [](RunContext& c) {
             c.layer(3).EL = {0.0f, 0.0f};
         }},
        {"THE ANGLE OF INTERFACE FRICTION MUST BE 0 TO 90 DEG.",
         [](RunContext& c) {
             c.layer(3).ICOND = 4;
             c.layer(3).IFA   = {95.0f, 95.0f};
         }},
        {"THE ELASTIC MODULUS OF THE SHAFT MUST BE ABOVE 0.", [](RunContext& c) { c.Ec = 0.0f; }},
    };
    for (const Case& c : cases) {
        ctx = std::make_unique<RunContext>();
        SetUp();
        captureRuntime();
        c.spoil(*ctx);
        EXPECT_THROW(step(25.0f), RunStop) << c.message;
        const std::string text = runtime();
        EXPECT_NE(text.find("     WEAK ROCK, LAYER NO  2:\n     " + std::string(c.message) + "\n"),
                  std::string::npos)
            << text;
    }
}
