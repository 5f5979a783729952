// Side resistance: the strength of the step, the unit side resistance by soil type, and the
// running side capacity.
#include "capacity/SideResistance.h"

#include <algorithm>
#include <cmath>

namespace korven::capacity {

using run::Layer;

namespace {

// clang-format off
// friction angle (degrees) against N at 0 psi (B), 20 psi (A) and 40 psi (C); 0 = not defined
constexpr real NK[21] = {0, 2, 4, 6, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90};
constexpr real CB[21] = {0, 32, 34, 36, 38, 42, 45};
constexpr real CA[21] = {0, 0, 0, 30, 32, 34, 36, 37, 39, 40, 41, 42, 44, 45};
constexpr real CC[21] = {0, 0, 0, 0, 31, 32, 34, 35, 36, 36, 37, 38, 39, 39, 40, 41, 42, 42, 43, 44, 44};
// clang-format on

// curve T at N, searching upward from grid point `from` (1-based) for the first N <= N_k
real curve(const real (&T)[21], real N, int from) {
    int k = std::max(from, 2);  // the first interval starts at the first grid point
    while (k < 21 && N > NK[k - 1]) ++k;
    const int a = k - 2, b = k - 1;  // zero-based k-1 and k
    return T[a] + (N - NK[a]) * (T[b] - T[a]) / (NK[b] - NK[a]);
}

bool isRock(int code) { return code >= 4 && code <= 7; }

}  // namespace

real frictionAngleFromN(real N, real sigma) {
    if (N <= 0.0f) return 0.0f;
    const real sv = sigma / 144.0f;  // psi
    if (sv <= 20.0f) {
        if (N < 6.0f) {
            const real phiB = curve(CB, N, 1);
            return phiB - (sv / 20.0f) * (phiB - 30.0f);
        }
        if (N <= 20.0f) {
            const real phiB = curve(CB, N, 4), phiA = curve(CA, N, 4);
            return phiB - (phiB - phiA) * sv / 20.0f;
        }
        if (N <= 55.0f) {
            const real phiA = curve(CA, N, 7);
            return phiA + (45.0f - phiA) * (20.0f - sv) / 20.0f;
        }
        return 45.0f;
    }
    if (sv < 40.0f) {
        if (N <= 6.0f) return 30.0f * N / 6.0f;
        if (N < 10.0f) return 30.0f + (N - 6.0f) * 2.0f / 4.0f;
        if (N <= 55.0f) {
            const real phiA = curve(CA, N, 5), phiC = curve(CC, N, 5);
            return phiA - (sv - 20.0f) * (phiA - phiC) / 20.0f;
        }
        if (N <= 90.0f) {
            const real phiC = curve(CC, N, 15);
            return phiC + (45.0f - phiC) * (40.0f - sv) / 20.0f;
        }
        return 45.0f;
    }
    if (N <= 10.0f) return 30.0f * N / 10.0f;
    if (N <= 90.0f) return curve(CC, N, 5);
    return 45.0f;
}

void genericStrength(RunContext& ctx) {
    run::Step& st  = ctx.step;
    const Layer& L = ctx.layer(st.LAYER);
    real C         = st.CU;
    if (isRock(L.code)) {
        // socket side strength from the weaker of rock and concrete
        const real qu = std::min(st.QUR, st.QUCON);
        if (qu <= 40320.0f) {  // 280 psi
            st.ROCKSIDE = qu;
            st.COEF     = 0.15f;
        } else {  // 2.5 sqrt(qu) in psi
            st.ROCKSIDE = 144.0f * std::sqrt(qu / 144.0f);
            st.COEF     = 2.5f;
        }
        // above 1000 psi a code-4 socket carries its load in end bearing only
        if (L.code == 4 && qu > 144000.0f && ctx.loadType == 1) st.ROCKSIDE = 0.0f;
        st.SOCKP    = RunContext::PISHAFT * st.BDS * ctx.shaft.SCALE;
        ctx.QURLAST = qu;
        C           = st.ROCKSIDE;
    }
    const real phi = isRock(L.code) || L.code == 2 || L.code == 3 ? 0.0f : st.PHI;
    st.S           = std::tan(phi) * st.SIGMA + C;
}

void soilStrength(RunContext& ctx) {
    run::Step& st  = ctx.step;
    const Layer& L = ctx.layer(st.LAYER);
    if (L.code == 1 && st.PHI < RunContext::ZERO) {
        // a sand without N or PHI has been reported by the profile: no friction angle
        const bool noData = st.N < 0.001f && st.PHI * RunContext::RADIAN < 0.001f;
        st.PHI            = noData ? 0.0f : frictionAngleFromN(st.N, st.SIGMA) / RunContext::RADIAN;
        st.S              = std::tan(st.PHI) * st.SIGMA + st.CU;
    } else if (L.code == 2 && st.CU < RunContext::ZERO) {
        st.S = st.N * 0.1f * 2000.0f;  // N/10 tsf
        run::writeBlock(ctx.report, {"*********************WARNING**********************",
                                     "THE PREDICTED LOAD TRANSFER IN CLAY BASED ON THE N-VALUE",
                                     "FROM STANDARD PENETRATION TESTS IS NOT RECOMMENDED FOR",
                                     "THE FINAL DESIGN.  PLEASE INPUT THE UNDRAIDED SHEAR",
                                     "STRENGTH FOR CLAY LAYERS IN THE FINAL DESIGN."});
    } else if (L.code == 3 && st.CU < RunContext::ZERO) {
        st.S = st.N * 2000.0f / 53.0f;  // N/53 tsf
    }
}

void unitSide(RunContext& ctx) {
    run::Step& st  = ctx.step;
    const Layer& L = ctx.layer(st.LAYER);
    st.F           = 0.0f;
    st.FRAW        = 0.0f;
    if (st.COEF <= 0.0f) return;
    const bool uplift = ctx.loadType == 2;
    real s            = st.S;
    if (uplift) {
        s *= ctx.UPLIFT;
        if (ctx.RATIO > 1.0f) s *= ctx.RATIO;
    }
    if (L.code == 5 || L.code == 6)
        st.F = s / 2000.0f;
    else if (L.sandOption >= 2)  // beta method, with the stress at mid-step
        st.F = st.COEF * st.SIGMAMID / 2000.0f * (uplift ? ctx.UPLIFT : 1.0f);
    else
        st.F = st.COEF * s / 2000.0f;
    st.FRAW = st.F;
    if (st.TRANLM > 0.0001f && st.F > st.TRANLM) st.F = st.TRANLM;
}

void addSideForce(RunContext& ctx) {
    const run::Step& st = ctx.step;
    const Layer& L      = ctx.layer(st.LAYER);
    if (st.COEF <= 0.0f) {
        ctx.QS  = ctx.QSPREV;
        ctx.QSL = ctx.QSLPREV;
    } else {
        const real stem = RunContext::PISHAFT * ctx.shaft.D;
        const real P    = isRock(L.code) && st.SOCKP >= 0.001f ? st.SOCKP : stem;
        ctx.QS          = ctx.QSPREV + P * st.F;
        ctx.QSL         = ctx.QSLPREV + P * st.F * L.LRFDSIDE;
    }
    // never zero, so that later ratios never divide by it
    ctx.QSPREV  = std::max(ctx.QS, RunContext::SMALL);
    ctx.QSLPREV = ctx.QSL;
}

}  // namespace korven::capacity
