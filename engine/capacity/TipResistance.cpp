// Tip resistance: clay, rock-socket and sand methods at each step, the end-bearing limits, and the
// weighted average over two base diameters that a shaft length takes as its tip.
#include "capacity/TipResistance.h"

#include <algorithm>
#include <cmath>

#include "capacity/Profile.h"

namespace korven::capacity {

using run::Layer;

real largeBaseFactor(real cu, real z, real Db) {
    if (Db <= 6.25f) return 1.0f;                                                          // 75 in
    const real b  = std::clamp(0.45f * std::sqrt(std::max(2.0f * cu, 0.0f)), 0.5f, 1.5f);  // ksf
    const real a  = std::min(0.0071f + 0.0021f * z / Db, 0.015f);
    const real Fr = 2.5f / (2.5f * b + 12.0f * a * Db);  // Db in inches in the second term
    return std::min(Fr, 1.0f);
}

real socketKsp(real s, real B, real delta) {
    return (3.0f + s / B) / (10.0f * std::sqrt(1.0f + 300.0f * delta / s));
}

void clayTip(RunContext& ctx) {
    run::Step& st   = ctx.step;
    const Layer& L  = ctx.layer(st.LAYER);
    const bool byCU = L.CU.top > RunContext::ZERO || L.CU.bot > RunContext::ZERO;
    const real cu   = byCU ? st.CU / 2000.0f : st.N / 10.0f;  // tsf
    real q          = st.NC * cu;
    if (L.code == 2) q = std::min(q, 40.0f);
    st.QB = ctx.shaft.AB * q * largeBaseFactor(cu, st.Z, ctx.shaft.DB);
}

void rockTip(RunContext& ctx) {
    run::Step& st  = ctx.step;
    const Layer& L = ctx.layer(st.LAYER);
    const real qu  = st.QUR;  // already kept by the profile
    const real s   = keptAboveEnds(st.CS, L.CS, st);
    const real B   = keptAboveEnds(st.BDS, L.BDS, st) * ctx.shaft.SCALE;
    // the socket area, not the base area
    st.QB = 3.0f * (qu / 2000.0f) * socketKsp(s, B, st.DISCT) * 0.7854f * B * B;
}

void sandTip(RunContext& ctx) {
    run::Step& st     = ctx.step;
    Layer& L          = ctx.layer(st.LAYER);
    const real Db     = ctx.shaft.DB;
    const bool reduce = ctx.tipSwitch == 1;
    bool largeBase    = true;
    if (L.PHI.bot > RunContext::ZERO) {
        const real phi = st.PHI * RunContext::RADIAN;
        if (phi <= 30.0f) {
            st.QB     = 0.00001f;  // tons, whatever the area
            largeBase = false;
        } else {
            const real q = phi <= 36.0f   ? 2.667f * (phi - 30.0f)
                           : phi <= 41.0f ? 16.0f + 4.8f * (phi - 36.0f)
                                          : 40.0f;
            st.QB        = ctx.shaft.AB * q;
        }
    } else {
        const real q = std::min(st.N < 75.0f ? 0.6f * st.N : 45.0f, 45.0f);
        L.QSAND      = q;
        st.QB        = ctx.shaft.AB * q;
    }
    if (largeBase && reduce && Db > 4.17f) st.QB *= 50.0f / (12.0f * Db);  // 50 in
    if (reduce && st.Z < 10.0f * Db) st.QB *= st.Z / (10.0f * Db);
}

void tipStep(RunContext& ctx) {
    run::Step& st  = ctx.step;
    const Layer& L = ctx.layer(st.LAYER);
    switch (L.code) {
        case 2:
        case 3:
            clayTip(ctx);
            break;
        case 4:
        case 7:
            rockTip(ctx);
            // below 1000 psi a code-4 layer takes side friction only
            if (L.code == 4 && std::min(st.QUR, st.QUCON) <= 144000.0f) st.QB = 0.0f;
            break;
        case 5:
        case 6:
            st.QB = st.QBSOCK;  // from the socket model of the step
            break;
        default:
            sandTip(ctx);
            break;
    }
    st.SOILF      = L.code == 4 || L.code == 7 ? 0 : 1;
    const real AB = ctx.shaft.AB;
    if (st.QMAXEB < -0.000001f) st.QB = std::fabs(st.QMAXEB) * AB;
    if (st.QMAXEB < st.QB / AB) st.QB = std::fabs(st.QMAXEB) * AB;
    if (ctx.loadType == 2) st.QB = 0.0f;
}

real tipOfLength(const RunContext& ctx, int i) {
    const run::Shaft& sh = ctx.shaft;
    const int hb         = static_cast<int>(sh.HB + ctx.BS);
    const int j0         = i + hb + 1;
    if (sh.D < 1.0f) return ctx.steps.QB(j0);
    const int n   = sh.NTWO;
    real sum      = 0.0f;
    real sumW     = 0.0f;
    real lastSoil = ctx.steps.QB(j0);
    for (int j = j0; j < j0 + n; ++j) {
        // weight 0 at the base, 0.6 one diameter down, 0.4 towards two diameters
        const real x = static_cast<real>(j - j0) / static_cast<real>(n);
        const real w = x <= 0.5f ? 1.2f * x : 0.4f * (2.0f - x);
        real value   = ctx.steps.QB(j);
        if (ctx.steps.SOILF(j) == 1)
            lastSoil = value;
        else if (ctx.steps.SOILF(j0) == 1)  // a soil base does not lean on rock below it
            value = lastSoil;
        sum += w * value;
        sumW += w;
    }
    return sum / sumW;
}

}  // namespace korven::capacity
