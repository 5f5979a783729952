// Rock settlement methods: strong rock, decomposed rock or gravel, weak rock.
#include "settlement/RockSettlement.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "settlement/WeakRockSide.h"

namespace korven::settlement {

namespace {

constexpr int kMaxLayerIterations = 1000;

// Piecewise-linear table, constant beyond its ends.
template <std::size_t N>
real table(const std::array<real, N>& x, const std::array<real, N>& y, real v) {
    if (v <= x[0]) return y[0];
    for (std::size_t k = 1; k < N; ++k)
        if (v < x[k]) return y[k - 1] + (v - x[k - 1]) * (y[k] - y[k - 1]) / (x[k] - x[k - 1]);
    return y[N - 1];
}

// clang-format off
constexpr std::array<real, 12> kRqd   = {0.0f, 10.0f, 20.0f, 30.0f, 40.0f, 50.0f, 60.0f, 70.0f,
                                         80.0f, 90.0f, 95.0f, 100.0f};
constexpr std::array<real, 12> kEmEi  = {0.1f, 0.105f, 0.11f, 0.12f, 0.13f, 0.14f, 0.17f, 0.2f,
                                         0.47f, 0.73f, 0.85f, 1.0f};

constexpr std::array<real, 10> kLd    = {0.0f, 1.0f, 2.0f, 4.0f, 5.0f, 6.0f, 8.0f, 10.0f, 12.0f,
                                         20.0f};
constexpr std::array<real, 4> kEcEm   = {10.0f, 50.0f, 100.0f, 5000.0f};
constexpr std::array<std::array<real, 10>, 4> kInfluence = {{
    {1.1f, 0.5f,  0.44f, 0.395f, 0.385f, 0.375f, 0.373f, 0.37f,  0.367f, 0.365f},
    {1.1f, 0.45f, 0.35f, 0.28f,  0.26f,  0.24f,  0.23f,  0.215f, 0.205f, 0.2f},
    {1.1f, 0.43f, 0.34f, 0.255f, 0.235f, 0.21f,  0.19f,  0.18f,  0.16f,  0.155f},
    {1.1f, 0.4f,  0.33f, 0.23f,  0.21f,  0.19f,  0.16f,  0.13f,  0.11f,  0.085f}}};

// Side ratio of the soil above the rock against movement over the stem diameter, 0 to 0.020.
constexpr std::array<real, 21> kSideMove = {
    0.0f,   0.001f, 0.002f, 0.003f, 0.004f, 0.005f, 0.006f, 0.007f, 0.008f, 0.009f, 0.01f,
    0.011f, 0.012f, 0.013f, 0.014f, 0.015f, 0.016f, 0.017f, 0.018f, 0.019f, 0.02f};
constexpr std::array<std::array<real, 21>, 2> kSandRatio = {{
    {0.0f, 0.22f, 0.4f,  0.54f, 0.67f, 0.74f, 0.82f, 0.87f, 0.9f, 0.92f, 0.93f, 0.93f, 0.93f,
     0.93f, 0.92f, 0.92f, 0.92f, 0.91f, 0.91f, 0.9f, 0.9f},
    {0.0f, 0.45f, 0.76f, 0.9f,  0.95f, 0.98f, 1.0f,  1.0f,  1.0f, 1.0f,  1.0f,  1.0f,  1.0f,
     1.0f,  1.0f,  1.0f,  1.0f,  1.0f,  1.0f,  1.0f, 1.0f}}};
constexpr std::array<std::array<real, 21>, 2> kClayRatio = {{
    {0.0f, 0.29f, 0.52f, 0.7f,  0.78f, 0.84f, 0.87f, 0.89f, 0.89f, 0.88f, 0.87f, 0.86f, 0.85f,
     0.84f, 0.83f, 0.82f, 0.8f,  0.78f, 0.77f, 0.76f, 0.75f},
    {0.0f, 0.74f, 0.92f, 0.97f, 1.0f,  1.01f, 1.02f, 1.02f, 1.02f, 1.01f, 1.01f, 1.0f,  1.0f,
     0.99f, 0.98f, 0.97f, 0.96f, 0.95f, 0.94f, 0.93f, 0.92f}}};
// clang-format on

constexpr real NU     = 0.4f;  // Poisson's ratio of decomposed rock, whatever is entered
constexpr real TON2KN = 8.896f;
constexpr real FT2M   = 1.0f / 3.2808f;
constexpr real IN2M   = 0.0254f;

bool isRock(int code) { return code >= 4 && code <= 7; }

// Ratio of the side curve of a pass for a layer code. Cohesionless soils take the sand curve,
// clays the clay curve; any other code keeps the ratio computed last.
real sideRatio(int pass, int code, real m, real& last) {
    const auto p = static_cast<std::size_t>(pass - 1);
    if (code == 1 || code == 8 || code == 9)
        last = table(kSideMove, kSandRatio[p], m);
    else if (code == 2 || code == 3)
        last = table(kSideMove, kClayRatio[p], m);
    return last;
}

}  // namespace

real massModulusRatio(real RQD) { return table(kRqd, kEmEi, RQD); }

real influenceFactor(real LD, real ECEM) {
    auto along = [&](std::size_t c) { return table(kLd, kInfluence[c], LD); };
    if (ECEM < kEcEm[0]) return along(0);
    if (ECEM >= kEcEm[3]) return along(3);
    std::size_t k = 0;
    while (ECEM >= kEcEm[k + 1]) ++k;
    const real a = along(k);
    const real b = along(k + 1);
    return a + (ECEM - kEcEm[k]) * (b - a) / (kEcEm[k + 1] - kEcEm[k]);
}

RockOutcome strongRock(const SettlementInput& in, run::SettlementSet& trend,
                       run::SettlementSet& upper) {
    RockOutcome out;
    const int tip = in.TIP;
    // entry 0 is the ground surface
    auto depth = [&](int j) { return j == 0 ? 0.0f : in.lay(j).ZREC; };
    auto qs    = [&](int j) { return j == 0 ? 0.0f : in.lay(j).QSREC; };

    // the rock socket is the run of rock layers that ends in the tip layer
    int c = 0;
    while (tip - c >= 1 && isRock(in.lay(tip - c).code)) ++c;
    const int above = tip - c;  // the layer just above the rock (0: the surface)
    const real ZR   = depth(above);
    const real LR   = depth(tip) - ZR;
    if (!(LR > 0.0f)) {
        out.problem = "THE SHAFT DOES NOT PENETRATE THE ROCK.";
        return out;
    }

    real sumRqd = 0.0f, sumEi = 0.0f;
    for (int j = above + 1; j <= tip; ++j) {
        const real th = depth(j) - depth(j - 1);
        sumRqd += (in.lay(j).RQD.top + in.lay(j).RQD.bot) / 2.0f * th;
        sumEi += (in.lay(j).EL.top + in.lay(j).EL.bot) / 2.0f * th;
    }
    const real RQD = sumRqd / LR;
    const real EI  = sumEi / LR;

    // a socket diameter left at zero means the socket is the shaft itself
    real D = in.lay(tip).BDS * (in.D / in.DSTART);
    if (D < 0.001f) D = in.D;
    const real LD = LR / D;
    const real QR = in.QB + qs(tip) - qs(above);
    const real QS = qs(above);
    const real EM = EI * massModulusRatio(RQD);
    if (!(EM > 0.0f)) {
        out.problem = "THE MODULUS OF THE ROCK IS NOT GREATER THAN ZERO.";
        return out;
    }
    const real I  = influenceFactor(LD, in.Ec / EM);
    const real DS = in.D;  // stem diameter
    const real EA = in.Ec * 0.7854f * D * D;

    std::array<real, 15> R{};
    for (std::size_t k = 0; k < 12; ++k) R[k] = 0.00018f * std::pow(1.5f, static_cast<real>(k));
    R[12] = 0.025f;
    R[13] = 0.05f;
    R[14] = 0.1f;

    for (int k = 1; k <= 15; ++k) {
        trend(k).TOPMOVE = 0.0f;
        upper(k).TOPMOVE = 0.0f;
    }
    const real RMAX = I * QR / (D * D * EM);
    for (int pass = 1; pass <= 2; ++pass) {
        run::SettlementSet& set = pass == 1 ? trend : upper;
        real last               = 0.0f;
        for (int k = 1; k <= 15; ++k) {
            const real r     = std::min(R[static_cast<std::size_t>(k - 1)], RMAX);
            const real PR    = D * D * EM * r / I;    // tons
            const real WR    = D * r + LR * PR / EA;  // ft
            const real w     = trend(k).TOPMOVE;
            const real PS    = w <= 0.017f ? QS * w / 0.017f : QS;  // simple rule for the soil
            trend(k).TOPMOVE = ZR * PS / EA + WR;
            trend(k).TOPLOAD = PS + PR;
            if (pass == 2) upper(k) = trend(k);
            if (tip == 1) continue;

            // carry the rock load up through the soil layers into this pass's set
            const real M0 = set(k).TOPMOVE / DS;
            real MB       = M0;
            real P        = PR;
            for (int j = above; j >= 1; --j) {
                real DQ = qs(j) - qs(j - 1);
                if (DQ < 1e-20f) DQ = 0.0f;
                const real H   = depth(j) - depth(j - 1);
                const int code = in.lay(j).code;
                const real RB  = sideRatio(pass, code, MB, last);
                const real PB  = P;
                P              = PB + DQ * RB;
                real MT = MB, PNEW = P;
                for (int it = 1;; ++it) {
                    MT            = MB + H * P / (0.7854f * DS * DS * in.Ec * DS);
                    const real RT = sideRatio(pass, code, MT, last);
                    PNEW          = PB + DQ * (RB + RT) / 2.0f;
                    if (DQ <= 1e-20f || std::fabs(PNEW - P) <= 0.1f * RB * DQ) break;
                    P = PNEW;
                    if (it >= kMaxLayerIterations) {
                        out.bounded = true;
                        break;
                    }
                }
                set(k).TOPMOVE = D * M0 + (MT - M0) * DS;
                set(k).TOPLOAD = PNEW;
                MB             = MT;
                P              = PNEW;
            }
        }
    }

    for (run::SettlementSet* set : {&trend, &upper}) {
        for (int k = 1; k <= 15; ++k) {
            run::SettlementRow& row = (*set)(k);
            if (in.units == 2) {
                row.TOPMOVE *= FT2M;
                row.TOPLOAD *= TON2KN;
            } else {
                row.TOPMOVE *= 12.0f;
            }
        }
    }
    return out;
}

RockOutcome decomposedRock(const SettlementInput& in, run::SettlementSet& trend) {
    RockOutcome out;
    const DecomposedSocket& s = in.decomposed;
    if (!(s.Ds > 0.0f) || !(s.Em > 0.0f)) {
        out.problem = "THE SOCKET DIAMETER AND MODULUS MUST BE GREATER THAN ZERO.";
        return out;
    }
    const real QS   = in.lay(in.TIP).QSREC * 2000.0f;  // lb
    const real PS   = QS / (1.0f - s.OMEGA / ((1.0f + NU) * (1.0f - NU) * std::cosh(s.MUL) * 2.5f));
    const real W1   = s.OMEGA * PS / s.Em / s.Ds;
    const real QTIP = 2.1459f * s.SIGMA * std::pow(s.OCR, 0.8f);  // psf
    const real PT   = QTIP * 3.1416f * s.Ds * s.Ds / 4.0f + PS;
    const real DW   = (1.0f - NU) * (1.0f + NU) * (PT - PS) / s.Ds / (s.Em * 0.4f);

    for (int k = 1; k <= 10; ++k) {
        const real f     = static_cast<real>(k) / 10.0f;
        trend(k).TOPMOVE = f * W1;
        trend(k).TOPLOAD = f * PS / 2000.0f;
    }
    for (int k = 11; k <= 14; ++k) {
        const real f     = static_cast<real>(k - 10) / 4.0f;
        trend(k).TOPMOVE = W1 + f * DW;
        trend(k).TOPLOAD = (PS + f * (PT - PS)) / 2000.0f;
    }
    trend(15).TOPMOVE = 1.2f * (W1 + DW);
    trend(15).TOPLOAD = trend(14).TOPLOAD;

    for (int k = 1; k <= 15; ++k) {
        run::SettlementRow& row = trend(k);
        if (in.units == 2) {
            if (row.TOPMOVE > 0.0f) row.TOPMOVE *= FT2M;
            row.TOPLOAD *= TON2KN;
        } else if (row.TOPMOVE > 0.0f) {
            row.TOPMOVE *= 12.0f;
        }
    }
    return out;
}

RockOutcome weakRock(const SettlementInput& in, run::SettlementSet& trend) {
    RockOutcome out;
    const WeakRockTip& s = in.weak;
    if (!(s.Ds > 0.0f) || !(s.LS > 0.0f) || !(s.Em > 0.0f)) {
        out.problem = "THE SOCKET DIAMETER, LENGTH AND MODULUS MUST BE GREATER THAN ZERO.";
        return out;
    }
    // the model of the capacity steps, so that factors outside their range mobilise nothing here
    // too instead of a negative or undefined side and base
    WeakRockInput model;
    model.LS = s.LS;
    model.QU = s.QU;
    WeakRockSocket sock;
    sock.EM          = s.Em;
    sock.FAR         = s.FAR;
    sock.W           = s.W;
    sock.LD          = s.LS / s.Ds;
    sock.T           = s.T;
    sock.G           = s.G;
    const real E     = in.Ec * 2000.0f / 144.0f;        // psi
    const real A     = 0.7854f * s.Ds * s.Ds * 144.0f;  // in2
    const real QSMAX = in.QS * 2000.0f;

    for (int k = 1; k <= 15; ++k) {
        const real r                = k <= 12 ? 0.00009f * std::pow(1.5f, static_cast<real>(k - 1))
                                      : k == 13 ? 0.0125f
                                      : k == 14 ? 0.025f
                                                : 0.05f;
        const real w                = s.Ds * r;  // ft
        const WeakRockMobilised mob = weakRockAt(model, sock, w);
        const real SIDE  = std::min(s.FAR * mob.F * 3.1416f * s.Ds * s.LS + s.QS1 * 2000.0f, QSMAX);
        const real QB    = mob.QB;
        const real BASE  = 3.1416f * s.Ds * s.Ds * QB / 4.0f;
        const real P     = SIDE + BASE;                               // lb
        const real MOVE  = 12.0f * w + P * (s.LF * 12.0f) / (E * A);  // in
        trend(k).TOPLOAD = in.units == 2 ? P / 2000.0f * TON2KN : P / 2000.0f;
        trend(k).TOPMOVE = in.units == 2 ? MOVE * IN2M : MOVE;
    }
    return out;
}

}  // namespace korven::settlement
