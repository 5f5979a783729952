// Decomposed rock or gravel: strength from the blow count, modulus, reference stress, the step and
// the socket that cannot be formed.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "../EngineHarness.h"
#include "capacity/DecomposedRock.h"

using namespace korven::capacity;
using korven::run::Layer;
using korven::run::RunContext;
using korven::run::RunStop;

namespace {

constexpr double PA = 2115.7;

// The closed forms in double, as an engineer would work them by hand.
struct Hand {
    double phi, ocr, k0, delta, s, qtip;
};
Hand strength(double N, double sig) {
    Hand h{};
    h.phi           = std::atan(std::pow(N / (12.2 + 20.3 * sig / PA), 0.34));
    h.ocr           = 0.2 * N * PA / sig;
    const double sn = std::sin(h.phi);
    h.k0            = (1 - sn) * std::pow(h.ocr, sn);
    h.delta         = 0.75 * h.phi;
    h.s             = std::tan(h.delta) * h.k0 * sig;
    h.qtip          = 2.1459 * sig * std::pow(h.ocr, 0.8);
    return h;
}

struct HandSocket {
    double lambda, zeta, muL, omega, ptop, wtop;
};
HandSocket socket(double Ec, double Em, double rho, double L, double B, double Qs) {
    const double nu = 0.4, LB = L / B;
    HandSocket h{};
    h.lambda       = Ec * 2.6 * 2000 / Em;
    h.zeta         = std::log((((1 - nu) * rho * 2.5 - 0.25) * 2.5 + 0.25) * 2 * LB);
    h.muL          = std::sqrt(2 / h.zeta / h.lambda) * 2 * LB;
    const double T = std::tanh(h.muL);
    h.omega        = (8 * T * LB / ((1 - nu) * 3.1416 * h.lambda * 2.5 * h.muL) + 1) * (1 + nu) * 4
              / (rho * 12.5664 * T * LB / h.zeta / h.muL + 4 / (1 - nu) / 0.25);
    h.ptop = Qs / (1 - h.omega / ((1 + nu) * (1 - nu) * std::cosh(h.muL) * 2.5));
    h.wtop = h.omega * h.ptop / Em / B;
    return h;
}

double deg(double rad) { return rad * 180.0 / 3.14159265358979; }

// Sand from 0 to 20 ft over decomposed rock from 20 to 40 ft; water table at 10 ft.
class DecomposedRockStep : public ::testing::Test {
protected:
    void SetUp() override {
        ctx->units  = 1;
        ctx->DSTART = 3.0f;
        ctx->Ec     = 259200.0f;  // 3.6e6 psi in tsf
        ctx->WT     = 10.0f;
        ctx->NL     = 3;
        Layer& sand = ctx->layer(2);
        sand.code   = 1;
        sand.DEPTH  = 20.0f;
        sand.GAMMA  = {120.0f, 120.0f};
        Layer& rock = ctx->layer(3);
        rock.code   = 5;
        rock.TOP    = 20.0f;
        rock.DEPTH  = 40.0f;
        rock.GAMMA  = {125.0f, 135.0f};
        rock.BLOWS  = {30.0f, 50.0f};
        rock.BDS    = {3.0f, 3.0f};
    }
    Layer& rock() { return ctx->layer(3); }
    DecomposedStep at(real z, real DGH, real SIGMA = 2500.0f) const {
        return {3, z, z - 20.0f, SIGMA, 3.0f, 1.0f, DGH};
    }
    void captureRuntime() { ASSERT_TRUE(ctx->runtime.open((dir.path() / "run.kvr").string())); }
    std::string runtime() {
        ctx->runtime.close();
        return korven::test::readText(dir.path() / "run.kvr");
    }

    std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
    korven::test::ScratchDir dir;
};

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(DecomposedRock, StrengthAtOneAtmosphereWithThirtyBlows) {
    const DecomposedStrength r = decomposedStrength(30.0f, 2115.7f);
    EXPECT_NEAR(deg(static_cast<double>(r.PHI)), 44.2, 0.05);
    EXPECT_NEAR(r.SIGP, 12694.0, 0.5);
    EXPECT_NEAR(r.OCR, 6.0, 1e-4);
    EXPECT_NEAR(r.K0, 1.056, 5e-4);
    EXPECT_NEAR(deg(static_cast<double>(r.DELTA)), 33.2, 0.05);
    EXPECT_NEAR(r.S, 1460.0, 0.5);

    const Hand h = strength(30, 2115.7);
    EXPECT_NEAR(r.S, h.s, 1e-4 * h.s);
    EXPECT_NEAR(r.QTIP, h.qtip, 1e-4 * h.qtip);
}

TEST(DecomposedRock, NoBlowsOrNoEffectiveStressGiveNoStrengthAndNoTip) {
    struct Case {
        real N, SIGREF;
    };
    for (const Case c : {Case{0.0f, 2000.0f}, Case{30.0f, 0.0f}, Case{30.0f, -150.0f}}) {
        const DecomposedStrength r = decomposedStrength(c.N, c.SIGREF);
        EXPECT_EQ(r.S, 0.0f) << c.N << " " << c.SIGREF;
        EXPECT_EQ(r.QTIP, 0.0f) << c.N << " " << c.SIGREF;
        EXPECT_TRUE(std::isfinite(r.K0) && std::isfinite(r.OCR) && std::isfinite(r.PHI));
    }
}

TEST_F(DecomposedRockStep, ReferenceStressAtMidLayerWithTheWaterTable) {
    // 20 ft x 120 pcf above, the upper half of 20 ft at (125 + 135) / 2: 2400 + 1300 psf
    struct Case {
        real WT, expected;
    };
    for (const Case c : {Case{100.0f, 3700.0f}, Case{30.0f, 3700.0f}, Case{25.0f, 3700.0f - 312.0f},
                         Case{0.0f, 3700.0f - 62.4f * 30.0f}}) {
        ctx->WT = c.WT;
        EXPECT_NEAR(referenceStress(*ctx, 3), c.expected, 0.01f) << "water table " << c.WT;
    }
}

TEST_F(DecomposedRockStep, ModulusFromTheLayerIsTakenInPsfLikeTheBlowCountFormula) {
    struct Case {
        int units;
        real top, bot;  // as entered: psi or kN/m2
        real EM, RHO;   // psf
        bool ofLayer;
    };
    const Case cases[] = {
        {1, 15000.0f, 20000.0f, 20000.0f * 144.0f, 0.875f, true},      // 2.88e6 psf, not 1440
        {2, 103425.0f, 137900.0f, 137900.0f * 20.885f, 0.875f, true},  // the same rock in SI
        {1, 0.0f, 0.0f, static_cast<real>(46545.4 * std::pow(35.0, 0.82)), 0.6f, false},
    };
    for (const Case& c : cases) {
        ctx->units                = c.units;
        rock().EGRAV              = {c.top, c.bot};
        const DecomposedModulus m = decomposedModulus(rock(), ctx->si(), 35.0f);
        EXPECT_NEAR(m.EM, c.EM, 1e-5f * c.EM) << c.units << " " << c.bot;
        EXPECT_NEAR(m.RHO, c.RHO, 1e-6f);
        EXPECT_EQ(m.ofLayer, c.ofLayer);
    }
}

TEST_F(DecomposedRockStep, StrengthTipAndSocketOfAStep) {
    // z = 25 ft: N = 30 + 20 x 5/20 = 35; Lsock = 40 - 20 = 20 ft; z < 2B + DGH, so the stress of
    // the step stands for the reference stress
    const DecomposedResult r = decomposedRockSocket(*ctx, at(25.0f, 40.0f, 2500.0f));
    EXPECT_FLOAT_EQ(r.N, 35.0f);
    EXPECT_FLOAT_EQ(r.LSOCK, 20.0f);
    EXPECT_FLOAT_EQ(r.B, 3.0f);
    EXPECT_FLOAT_EQ(r.SIGREF, 2500.0f);

    const Hand h = strength(35, 2500);
    EXPECT_NEAR(r.S, h.s, 1e-4 * h.s);
    EXPECT_NEAR(r.QB, h.qtip * 3.1416 * 9 / 4 / 2000, 1e-4 * r.QB);
    const double Qs = 3.1416 * 3 * 20 * h.s;
    EXPECT_NEAR(r.QSOCK, Qs, 1e-4 * Qs);
    EXPECT_NEAR(r.QTOTAL, h.qtip * 3.1416 * 9 / 4 + Qs, 1e-4 * r.QTOTAL);

    const double Em    = 46545.4 * std::pow(35.0, 0.82);
    const HandSocket s = socket(259200, Em, 0.6, 20, 3, Qs);
    ASSERT_TRUE(r.socket.formed);
    EXPECT_NEAR(r.socket.LAMBDA, s.lambda, 1e-4 * s.lambda);
    EXPECT_NEAR(r.socket.ZETA, s.zeta, 1e-4 * s.zeta);
    EXPECT_NEAR(r.socket.MUL, s.muL, 1e-4 * s.muL);
    EXPECT_NEAR(r.socket.OMEGA, s.omega, 1e-4 * s.omega);
    EXPECT_NEAR(r.socket.PTOP, s.ptop, 1e-4 * s.ptop);
    EXPECT_NEAR(r.socket.WTOP, s.wtop, 1e-4 * s.wtop);

    // kept for the settlement method
    const auto& K = ctx->DROCK;
    EXPECT_TRUE(K.socket);
    EXPECT_EQ(K.PTOP, r.socket.PTOP);
    EXPECT_EQ(K.WTOP, r.socket.WTOP);
    EXPECT_EQ(K.QSOCK, r.QSOCK);
    EXPECT_EQ(K.QTIP, r.strength.QTIP);
    EXPECT_NEAR(K.SIDSUM, 3.1416 * 3 * h.s, 1e-4 * K.SIDSUM);

    const DecomposedResult r2 = decomposedRockSocket(*ctx, at(26.0f, 40.0f, 2600.0f));
    EXPECT_NEAR(K.SIDSUM, 3.1416f * 3.0f * (r.S + r2.S), 1e-4f * K.SIDSUM);
}

TEST_F(DecomposedRockStep, ReferenceStressBelowTwoDiametersUnderTheDesignDepth) {
    // DGH = 21 ft: z = 26 is within 2B below it and takes its own stress, z = 27 the mid-layer one
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, at(26.0f, 21.0f)).SIGREF, 2500.0f);
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, at(27.0f, 21.0f)).SIGREF, 3700.0f - 62.4f * 20.0f);
}

TEST_F(DecomposedRockStep, SocketWithoutDiameterHasNoNearBaseZoneButTheStartingSize) {
    // the zone of 2B below the design depth is measured with the diameter as given: none
    rock().BDS               = {0.0f, 0.0f};
    DecomposedStep st        = at(22.0f, 21.0f);
    st.D                     = 4.5f;
    st.scale                 = 1.5f;
    const DecomposedResult r = decomposedRockSocket(*ctx, st);
    EXPECT_FLOAT_EQ(r.SIGREF, 3700.0f - 62.4f * 20.0f);
    // the socket itself has the starting diameter: the tip is that of a 3 ft socket
    EXPECT_FLOAT_EQ(r.B, 3.0f);
    const Hand h = strength(static_cast<double>(r.N), static_cast<double>(r.SIGREF));
    EXPECT_NEAR(r.QB, h.qtip * 3.1416 * 9.0 / 4.0 / 2000.0, 1e-4 * r.QB);
    // above the design depth the step keeps its own stress
    st.z  = 20.0f;
    st.dz = 0.0f;
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, st).SIGREF, 2500.0f);
}

TEST_F(DecomposedRockStep, SocketLengthAndDiameterRules) {
    // a design depth above the layer: the socket reaches to the layer bottom
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, at(25.0f, 15.0f)).LSOCK, 40.0f);
    // the socket grows with the stem; without a socket diameter it is the starting diameter
    DecomposedStep st = at(25.0f, 40.0f);
    st.D              = 4.5f;
    st.scale          = 1.5f;
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, st).B, 4.5f);
    rock().BDS = {0.0f, 0.0f};
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, st).B, 3.0f);
    EXPECT_FLOAT_EQ(decomposedRockSocket(*ctx, at(25.0f, 40.0f)).B, 3.0f);
}

TEST_F(DecomposedRockStep, SocketThatCannotBeFormedIsReportedOncePerDiameter) {
    captureRuntime();
    const DecomposedResult longSocket = decomposedRockSocket(*ctx, at(21.0f, 40.0f));
    ctx->DROCK                        = {};

    struct Case {
        const char* what;
        real DGH;
        real blowsTop;
    };
    // 0.1 ft of socket: ln of a number below 1, zeta < 0; no blows at the top: rho = 0, ln of a
    // negative number
    for (const Case c : {Case{"very short socket", 20.1f, 30.0f}, Case{"rho of 0", 40.0f, 0.0f}}) {
        SCOPED_TRACE(c.what);
        rock().BLOWS.top = c.blowsTop;
        startDecomposedRockPass(*ctx);
        for (real z : {21.0f, 22.0f}) {
            const DecomposedResult r = decomposedRockSocket(*ctx, at(z, c.DGH));
            EXPECT_FALSE(r.socket.formed);
            EXPECT_FALSE(ctx->DROCK.socket);
            EXPECT_GT(r.S, 0.0f);
            EXPECT_GT(r.QB, 0.0f);
            for (real v : {r.S, r.QB, r.QSOCK, r.QTOTAL, r.socket.LAMBDA, r.socket.ZETA,
                           r.socket.MUL, r.socket.OMEGA, r.socket.PTOP, r.socket.WTOP,
                           ctx->DROCK.SIDSUM, ctx->DROCK.PTOP, ctx->DROCK.WTOP, ctx->DROCK.ZETA,
                           ctx->DROCK.MUL, ctx->DROCK.OMEGA, ctx->DROCK.LAMBDA})
                EXPECT_TRUE(std::isfinite(v));
        }
    }
    // side and tip do not depend on the socket quantities
    rock().BLOWS.top                   = 30.0f;
    const DecomposedResult shortSocket = decomposedRockSocket(*ctx, at(21.0f, 20.1f));
    EXPECT_EQ(shortSocket.S, longSocket.S);
    EXPECT_EQ(shortSocket.QB, longSocket.QB);

    const std::string text = runtime();
    EXPECT_EQ(count(text, "THE CLOSED-FORM SOCKET CANNOT BE FORMED FOR THE"), 2) << text;
    EXPECT_NE(text.find("     DECOMPOSED ROCK, LAYER NO  2:\n"), std::string::npos) << text;
    EXPECT_NE(text.find("STEM DIAMETER OF    3.00 FT (SOCKET LENGTH    0.10 FT,"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("nan"), std::string::npos);
    EXPECT_EQ(text.find("inf"), std::string::npos);
}

TEST_F(DecomposedRockStep, NoEffectiveStressIsReportedAndGivesNothing) {
    captureRuntime();
    // light material under the water table: the reference stress is negative
    ctx->layer(2).GAMMA      = {50.0f, 50.0f};
    rock().GAMMA             = {50.0f, 50.0f};
    ctx->WT                  = 0.0f;
    const DecomposedResult r = decomposedRockSocket(*ctx, at(30.0f, 21.0f));
    EXPECT_LT(r.SIGREF, 0.0f);
    EXPECT_EQ(r.S, 0.0f);
    EXPECT_EQ(r.QB, 0.0f);
    decomposedRockSocket(*ctx, at(31.0f, 21.0f));
    EXPECT_EQ(count(runtime(), "NO EFFECTIVE VERTICAL STRESS AT THE DEPTH OF   30.00 FT,"), 1);
}

TEST_F(DecomposedRockStep, NegativeBlowCountStopsTheRun) {
    captureRuntime();
    rock().BLOWS = {-5.0f, -5.0f};
    EXPECT_THROW(decomposedRockSocket(*ctx, at(25.0f, 40.0f)), RunStop);
    EXPECT_NE(runtime().find("THE BLOW COUNT MUST NOT BE NEGATIVE."), std::string::npos);
}
