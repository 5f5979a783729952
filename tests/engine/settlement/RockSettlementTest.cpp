// Rock settlement methods: influence factor, mass modulus, strong, decomposed and weak rock.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "settlement/RockSettlement.h"

namespace korven::settlement {
namespace {

TEST(InfluenceFactor, AlongAndBetweenTheCurves) {
    struct Case {
        real LD, ECEM, expected;
    };
    for (const Case c :
         {Case{20.0f, 5.0f, 0.365f}, Case{35.0f, 2.0f, 0.365f}, Case{0.0f, 300.0f, 1.1f},
          Case{3.0f, 10.0f, (0.44f + 0.395f) / 2.0f}, Case{20.0f, 30.0f, (0.365f + 0.2f) / 2.0f},
          Case{10.0f, 75.0f, (0.215f + 0.18f) / 2.0f}, Case{10.0f, 5000.0f, 0.13f},
          Case{12.0f, 9000.0f, 0.11f}}) {
        EXPECT_NEAR(influenceFactor(c.LD, c.ECEM), c.expected, 1e-6f) << c.LD << " " << c.ECEM;
    }
}

TEST(MassModulusRatio, LinearInRqd) {
    struct Case {
        real RQD, expected;
    };
    for (const Case c : {Case{100.0f, 1.0f}, Case{0.0f, 0.1f}, Case{85.0f, 0.6f},
                         Case{97.5f, 0.925f}, Case{75.0f, 0.335f}}) {
        EXPECT_NEAR(massModulusRatio(c.RQD), c.expected, 1e-6f) << c.RQD;
    }
}

// One rock layer of code `code` from TOP to the tip at 20 ft, with the given RQD and modulus.
void rockLayer(SettlementInput& in, int index, int code, real TOP, real BOT, real RQD, real EL) {
    SettlementLayer& lay = in.lay(index);
    lay.code             = code;
    lay.TOP              = TOP;
    lay.BOT              = BOT;
    lay.ZREC             = BOT;
    lay.RQD              = {RQD, RQD};
    lay.EL               = {EL, EL};
    lay.BDS              = 3.0f;
}

SettlementInput rockShaft() {
    SettlementInput in;
    in.D = in.Db = in.DSTART = 3.0f;
    in.EcIn                  = 3.6e6f;
    in.Ec                    = 3.6e6f * 0.072f;
    in.L                     = 20.0f;
    in.QB                    = 500.0f;
    return in;
}

// A rock tip right below the surface: the rock model alone, in closed form.
TEST(StrongRock, SocketFromTheSurface) {
    SettlementInput in = rockShaft();
    in.NLAY = in.TIP = 1;
    rockLayer(in, 1, 4, 0.0f, 20.0f, 100.0f, 1e5f);
    in.lay(1).QSREC = 300.0f;
    run::SettlementSet trend, upper;
    const RockOutcome out = strongRock(in, trend, upper);
    ASSERT_TRUE(out.problem.empty());

    const double D = 3.0, EM = 1e5, EC = 3.6e6 * 0.072, LR = 20.0, QR = 800.0;
    const double I = 0.375 - (20.0 / 3.0 - 6.0) / 2.0 * 0.002;  // Ec/Em < 10, L/D 6.67
    for (int k = 1; k <= 15; ++k) {
        const double rk = k <= 12   ? 0.00018 * std::pow(1.5, k - 1)
                          : k == 13 ? 0.025
                          : k == 14 ? 0.05
                                    : 0.1;
        const double r  = std::min(rk, I * QR / (D * D * EM));
        const double PR = D * D * EM * r / I;
        const double WR = D * r + LR * PR / (EC * 0.7854 * D * D);
        EXPECT_NEAR(trend(k).TOPLOAD, PR, 1e-4 * PR) << k;
        EXPECT_NEAR(trend(k).TOPMOVE, 12.0 * WR, 1e-4 * 12.0 * WR) << k;
    }
}

// Rock layers are averaged by thickness: two layers equal one with their mean values.
TEST(StrongRock, RockLayersAveragedByThickness) {
    SettlementInput layered = rockShaft();
    layered.NLAY = layered.TIP = 2;
    rockLayer(layered, 1, 7, 0.0f, 5.0f, 50.0f, 3e5f);
    rockLayer(layered, 2, 4, 5.0f, 20.0f, 90.0f, 1e5f);
    layered.lay(2).QSREC   = 300.0f;
    SettlementInput single = rockShaft();
    single.NLAY = single.TIP = 1;
    rockLayer(single, 1, 4, 0.0f, 20.0f, 80.0f, 1.5e5f);
    single.lay(1).QSREC = 300.0f;

    run::SettlementSet a, b, upper;
    strongRock(layered, a, upper);
    strongRock(single, b, upper);
    for (int k = 1; k <= 15; ++k) {
        EXPECT_NEAR(a(k).TOPLOAD, b(k).TOPLOAD, 1e-4f * b(k).TOPLOAD) << k;
        EXPECT_NEAR(a(k).TOPMOVE, b(k).TOPMOVE, 1e-4f * b(k).TOPMOVE) << k;
    }
}

// Sand over rock, with the rock load at its ultimate value on the last row and the sand fully
// mobilised: both lines carry the rock load plus the whole side resistance of the sand.
TEST(StrongRock, SoilAboveTheRockAddsItsSideResistance) {
    SettlementInput in = rockShaft();
    in.NLAY = in.TIP = 2;
    in.lay(1).code   = 1;
    in.lay(1).BOT = in.lay(1).ZREC = 10.0f;
    in.lay(1).QSREC                = 50.0f;
    rockLayer(in, 2, 4, 10.0f, 20.0f, 100.0f, 5000.0f);
    in.lay(2).QSREC = 350.0f;
    run::SettlementSet trend, upper;
    ASSERT_TRUE(strongRock(in, trend, upper).problem.empty());
    const double QR = 500.0 + 350.0 - 50.0;
    EXPECT_NEAR(trend(15).TOPLOAD, QR + 50.0, 1e-3);
    EXPECT_NEAR(upper(15).TOPLOAD, QR + 50.0, 1e-3);
    EXPECT_GT(upper(15).TOPMOVE, 0.0f);
    for (int k = 2; k <= 15; ++k) EXPECT_GE(trend(k).TOPLOAD, trend(k - 1).TOPLOAD) << k;
}

// Gravelly sand and gravel above the rock are cohesionless: they take the sand curves in both
// passes, not the ratio last computed for the clay below them.
TEST(StrongRock, GravellySandAndGravelTakeTheSandCurves) {
    auto run = [](int code) {
        SettlementInput in = rockShaft();
        in.NLAY = in.TIP = 3;
        in.lay(1).code   = code;
        in.lay(1).BOT = in.lay(1).ZREC = 5.0f;
        in.lay(1).QSREC                = 20.0f;
        in.lay(2).code                 = 2;
        in.lay(2).TOP                  = 5.0f;
        in.lay(2).BOT = in.lay(2).ZREC = 10.0f;
        in.lay(2).QSREC                = 50.0f;
        rockLayer(in, 3, 4, 10.0f, 20.0f, 100.0f, 5000.0f);
        in.lay(3).QSREC = 350.0f;
        std::pair<run::SettlementSet, run::SettlementSet> sets;
        EXPECT_TRUE(strongRock(in, sets.first, sets.second).problem.empty());
        return sets;
    };
    const auto sand = run(1);
    const auto clay = run(2);
    EXPECT_NE(sand.first(1).TOPLOAD, clay.first(1).TOPLOAD);
    for (int code : {8, 9}) {
        const auto gravel = run(code);
        for (int k = 1; k <= 15; ++k) {
            EXPECT_EQ(gravel.first(k).TOPLOAD, sand.first(k).TOPLOAD) << code << " " << k;
            EXPECT_EQ(gravel.first(k).TOPMOVE, sand.first(k).TOPMOVE) << code << " " << k;
            EXPECT_EQ(gravel.second(k).TOPLOAD, sand.second(k).TOPLOAD) << code << " " << k;
            EXPECT_EQ(gravel.second(k).TOPMOVE, sand.second(k).TOPMOVE) << code << " " << k;
        }
    }
}

// The rock of the socket is the run of rock layers that ends in the tip layer: a rock layer above
// a soil layer is not part of it, whatever its modulus and RQD; it counts as a layer above the
// rock (here one without side resistance, so that its side curve does not matter either).
TEST(StrongRock, RockTopIsWhereTheRunOfRockEndingInTheTipStarts) {
    auto run = [](int upperCode, int middle, real upperEL, real upperRQD) {
        SettlementInput in = rockShaft();
        in.NLAY = in.TIP = 3;
        rockLayer(in, 1, upperCode, 0.0f, 5.0f, upperRQD, upperEL);
        in.lay(1).QSREC = 0.0f;
        rockLayer(in, 2, middle, 5.0f, 10.0f, 100.0f, 5000.0f);
        in.lay(2).QSREC = 60.0f;
        rockLayer(in, 3, 4, 10.0f, 20.0f, 100.0f, 5000.0f);
        in.lay(3).QSREC = 360.0f;
        run::SettlementSet trend, upper;
        EXPECT_TRUE(strongRock(in, trend, upper).problem.empty());
        return trend;
    };
    const run::SettlementSet soil = run(2, 2, 0.0f, 0.0f);
    for (const auto& [EL, RQD] : {std::pair{1e5f, 90.0f}, std::pair{10.0f, 20.0f}}) {
        const run::SettlementSet rock = run(7, 2, EL, RQD);
        for (int k = 1; k <= 15; ++k) {
            EXPECT_EQ(rock(k).TOPLOAD, soil(k).TOPLOAD) << EL << " " << k;
            EXPECT_EQ(rock(k).TOPMOVE, soil(k).TOPMOVE) << EL << " " << k;
        }
    }
    // with rock in between, the upper layer belongs to the socket
    EXPECT_NE(run(7, 4, 1e5f, 90.0f)(1).TOPLOAD, run(7, 4, 10.0f, 20.0f)(1).TOPLOAD);
}

TEST(StrongRock, RockThatTheShaftDoesNotReachIsRefused) {
    SettlementInput in = rockShaft();
    in.NLAY = in.TIP = 1;
    rockLayer(in, 1, 4, 0.0f, 20.0f, 100.0f, 1e5f);
    in.lay(1).ZREC = 0.0f;
    run::SettlementSet trend, upper;
    EXPECT_FALSE(strongRock(in, trend, upper).problem.empty());
    in.lay(1).ZREC = 20.0f;
    in.lay(1).EL   = {0.0f, 0.0f};
    EXPECT_FALSE(strongRock(in, trend, upper).problem.empty());
}

SettlementInput decomposedShaft(int units) {
    SettlementInput in = rockShaft();
    in.units           = units;
    in.NLAY = in.TIP = 1;
    in.lay(1).code   = 5;
    in.lay(1).QSREC  = 100.0f;
    in.decomposed    = {true, 3.0f, 1e6f, 2.0f, 1.0f, 2000.0f, 5.0f};
    return in;
}

TEST(DecomposedRock, ElasticRangeThenTipThenTwentyPerCentMore) {
    SettlementInput in = decomposedShaft(1);
    run::SettlementSet set;
    ASSERT_TRUE(decomposedRock(in, set).problem.empty());

    const double nu = 0.4, QS = 200000.0, OMEGA = 2.0, EM = 1e6, DS = 3.0;
    const double PS = QS / (1.0 - OMEGA / ((1.0 + nu) * (1.0 - nu) * std::cosh(1.0) * 2.5));
    const double W1 = OMEGA * PS / EM / DS;
    const double PT = 2.1459 * 2000.0 * std::pow(5.0, 0.8) * 3.1416 * DS * DS / 4.0 + PS;
    const double DW = (1.0 - nu) * (1.0 + nu) * (PT - PS) / DS / (EM * 0.4);
    for (int k = 1; k <= 10; ++k) {
        // a straight line through the origin
        EXPECT_NEAR(set(k).TOPLOAD, k / 10.0 * PS / 2000.0, 1e-5 * PS / 2000.0) << k;
        EXPECT_NEAR(set(k).TOPMOVE, k / 10.0 * W1 * 12.0, 1e-5 * W1 * 12.0) << k;
    }
    EXPECT_NEAR(set(14).TOPLOAD, PT / 2000.0, 1e-5 * PT / 2000.0);
    EXPECT_NEAR(set(14).TOPMOVE, (W1 + DW) * 12.0, 1e-5 * (W1 + DW) * 12.0);
    EXPECT_EQ(set(15).TOPLOAD, set(14).TOPLOAD);
    EXPECT_FLOAT_EQ(set(15).TOPMOVE, 1.2f * set(14).TOPMOVE);
}

TEST(DecomposedRock, SiInKilonewtonsAndMetres) {
    run::SettlementSet en, si;
    decomposedRock(decomposedShaft(1), en);
    decomposedRock(decomposedShaft(2), si);
    for (int k = 1; k <= 15; ++k) {
        EXPECT_FLOAT_EQ(si(k).TOPLOAD, en(k).TOPLOAD * 8.896f) << k;
        EXPECT_NEAR(si(k).TOPMOVE, en(k).TOPMOVE / 12.0f / 3.2808f, 1e-6f * en(k).TOPMOVE) << k;
    }
}

SettlementInput weakShaft(int units) {
    SettlementInput in = rockShaft();
    in.units           = units;
    in.NLAY = in.TIP = 1;
    in.lay(1).code   = 6;
    in.QS            = 100.0f;
    // socket 3 ft wide and 10 ft long below 10 ft of overburden; 100 tons of side resistance
    // were already there when the shaft reached the rock
    in.weak = {true, 3.0f, 10.0f, 10.0f, 20000.0f, 0.3f, 20000.0f, 1.2f, 0.5f, 200000.0f, 100.0f};
    return in;
}

// The side resistance is at its ultimate from the start, so every row is the ultimate side load
// plus the base at that settlement.
TEST(WeakRock, SideAtItsUltimateAndBaseByTheSocketModel) {
    SettlementInput in = weakShaft(1);
    run::SettlementSet set;
    ASSERT_TRUE(weakRock(in, set).problem.empty());
    const double DS = 3.0, LS = 10.0, LD = LS / DS, T = 1.2, G = 0.5;
    const double QB1 =
        0.0134 * 20000.0 * 2.0 * 47.88 * LD / (LD + 1.0)
        * std::pow(200.0 * (std::sqrt(LD) - T) * (1.0 + LD) / (3.1416 * LS * 25.4 * 12.0 * G),
                   0.67);
    const double E = 3.6e6 * 0.072 * 2000.0 / 144.0, A = 0.7854 * DS * DS * 144.0;
    for (int k = 1; k <= 15; ++k) {
        const double r  = k <= 12   ? 0.00009 * std::pow(1.5, k - 1)
                          : k == 13 ? 0.0125
                          : k == 14 ? 0.025
                                    : 0.05;
        const double w  = DS * r;
        const double qb = std::min(QB1 * std::pow(w * 304.8, 0.67) * 20.88, 2.5 * 200000.0);
        const double P  = 200000.0 + 3.1416 * DS * DS * qb / 4.0;
        EXPECT_NEAR(set(k).TOPLOAD, P / 2000.0, 1e-4 * P / 2000.0) << k;
        const double move = 12.0 * w + P * 120.0 / (E * A);
        EXPECT_NEAR(set(k).TOPMOVE, move, 1e-4 * move) << k;
    }
}

// A socket whose settlement factor G is negative (long, in soft rock) mobilises neither side nor
// base, as in the capacity steps: the curve keeps the side above the rock, never less.
TEST(WeakRock, SettlementFactorsOutsideTheirRangeMobiliseNothing) {
    SettlementInput in = weakShaft(1);
    in.QS              = 500.0f;
    in.weak.G          = -0.2f;
    run::SettlementSet set;
    ASSERT_TRUE(weakRock(in, set).problem.empty());
    const double E = 3.6e6 * 0.072 * 2000.0 / 144.0, A = 0.7854 * 9.0 * 144.0;
    for (int k = 1; k <= 15; ++k) {
        EXPECT_FLOAT_EQ(set(k).TOPLOAD, 100.0f) << k;
        const double w =
            3.0 * (k <= 12 ? 0.00009 * std::pow(1.5, k - 1) : 0.0125 * (1 << (k - 13)));
        EXPECT_NEAR(set(k).TOPMOVE, 12.0 * w + 200000.0 * 120.0 / (E * A), 1e-6) << k;
    }
}

TEST(WeakRock, SiInKilonewtonsAndMetres) {
    run::SettlementSet en, si;
    weakRock(weakShaft(1), en);
    weakRock(weakShaft(2), si);
    for (int k = 1; k <= 15; ++k) {
        EXPECT_NEAR(si(k).TOPLOAD, en(k).TOPLOAD * 8.896f, 1e-5f * si(k).TOPLOAD) << k;
        EXPECT_NEAR(si(k).TOPMOVE, en(k).TOPMOVE * 0.0254f, 1e-5f * si(k).TOPMOVE) << k;
    }
}

}  // namespace
}  // namespace korven::settlement
