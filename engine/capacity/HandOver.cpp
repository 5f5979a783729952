// The hand-over from the capacity loop to the load-settlement methods: layer and row records, and
// the decomposed- or weak-rock socket of the tip layer evaluated at the design depth.
#include "capacity/HandOver.h"

#include <algorithm>

#include "capacity/DecomposedRock.h"
#include "capacity/RockSockets.h"
#include "settlement/WeakRockSide.h"

namespace korven::capacity {

using run::Layer;
using run::real;
using run::RunContext;

namespace {

// The decomposed-rock socket of tip layer entry i, from the values at the layer's last step and
// the last step of the pass (ctx.step, left by the capacity loop).
settlement::DecomposedSocket decomposedTip(const RunContext& ctx, int i, real QS) {
    const Layer& L = ctx.layer(i);
    const real TOP = ctx.layer(i - 1).DEPTH;
    const real DGH = socketDesignDepth(ctx, i);

    // a socket without a diameter of its own takes the starting diameter, as in the capacity steps
    real DS = L.BDS.bot * ctx.shaft.SCALE;
    if (DS < 0.001f) DS = ctx.DSTART;
    const real N = L.BLOWS.bot;
    real LSOCK   = DGH - TOP;
    if (LSOCK < 0.0001f) LSOCK = L.DEPTH;
    real SIGMA = referenceStress(ctx, i);
    // a profile that ends within two socket diameters below the design depth: the stress the
    // capacity loop accumulated at its last step stands in for the mid-layer one
    const run::Step& last = ctx.step;
    if (last.Z < 2.0f * DS + DGH) SIGMA = last.SIGMA;

    const DecomposedModulus m   = decomposedModulus(L, ctx.si(), N);
    const DecomposedStrength st = decomposedStrength(N, SIGMA);
    const SocketModel s         = socketModel(ctx.Ec, m.EM, m.RHO, LSOCK, DS, QS * 2000.0f);
    return {s.formed, DS, m.EM, s.OMEGA, s.MUL, SIGMA, st.OCR};
}

// The intact modulus of a layer, tsf. Decomposed rock/gravel keeps its Young's modulus as entered
// (psi or kN/m2); inside a rock socket it takes part in the strong-rock mean with that value.
run::TopBottom intactModulus(const RunContext& ctx, const Layer& L) {
    if (L.code != 5) return L.EL;
    const real toTsf = ctx.si() ? RunContext::KPA2PSF / 2000.0f : 144.0f / 2000.0f;
    return {L.EGRAV.top * toTsf, L.EGRAV.bot * toTsf};
}

// The weak-rock socket of tip layer entry i at the design depth.
settlement::WeakRockTip weakTip(RunContext& ctx, int i) {
    settlement::WeakRockTip t;
    const real SOCKTOP = settlement::weakRockSocketTop(ctx);
    if (SOCKTOP < 0.0f) return t;
    const real TOP   = ctx.layer(i - 1).DEPTH;
    const real THICK = ctx.layer(i).DEPTH - TOP;
    const real DGH   = socketDesignDepth(ctx, i);
    const real dz    = std::clamp(DGH - TOP, 0.0f, THICK);

    // the mean of Ei starts again with the settlement run: the model takes Ei at the design depth
    settlement::resetWeakRockMean(ctx);
    const settlement::WeakRockResult r =
        settlement::weakRockStep(ctx, {i, TOP + dz, dz, ctx.shaft.D, ctx.shaft.SCALE, DGH});
    settlement::WeakRockInput in = r.in;
    in.LS                        = DGH - SOCKTOP;
    if (!(in.LS > 0.0f)) return t;
    const settlement::WeakRockSocket s = settlement::weakRockSocket(in);
    return {true, in.DS, in.LS, SOCKTOP, s.FAR, s.W, s.EM, s.T, s.G, in.QU, ctx.WROCK.QSFIRST};
}

}  // namespace

settlement::SettlementInput settlementInput(RunContext& ctx) {
    settlement::SettlementInput in;
    const run::RowTable& rows = ctx.rows;
    const int n               = rows.count;
    in.units                  = ctx.units;
    in.D                      = ctx.shaft.D;
    in.Db                     = ctx.shaft.DB;
    in.DSTART                 = ctx.DSTART;
    in.EcIn                   = ctx.EcEntered;
    in.Ec                     = ctx.Ec;
    in.L                      = rows.LENGTH(n);
    in.LB                     = ctx.BS + ctx.shaft.HB;
    // under uplift the base column holds the weight of the shaft, which is no base resistance
    in.QB = ctx.loadType == 2 ? 0.0f : rows.QB(n);
    in.QS = rows.QS(n);

    in.NLAY = ctx.NL - 1;
    for (int j = 1; j <= in.NLAY; ++j) {
        const Layer& L                   = ctx.layer(j + 1);
        settlement::SettlementLayer& lay = in.lay(j);
        lay.code                         = L.code;
        lay.TOP                          = ctx.layer(j).DEPTH;
        lay.BOT                          = L.DEPTH;
        lay.FTOP                         = L.FFIRST;
        lay.FBOT                         = L.FLAST;
        lay.QTOP                         = L.QFIRST;
        lay.QBOT                         = L.QLAST;
        lay.ZREC                         = L.DEPTH;
        lay.QSREC                        = L.QSEND;
        lay.RQD                          = L.RQD;
        lay.EL                           = intactModulus(ctx, L);
        lay.BDS                          = L.BDS.top;
    }
    in.TIP               = ctx.tip.LAYER - 1;
    in.lay(in.TIP).ZREC  = ctx.tip.DEPTH;
    in.lay(in.TIP).QSREC = ctx.tip.QS;

    in.NSEG = n;
    for (int r = 1; r <= n; ++r) {
        in.ZROW(r) = rows.LENIN(r);
        in.FROW(r) = rows.FPSI(r);
    }

    if (ctx.tip.code == 5) in.decomposed = decomposedTip(ctx, ctx.tip.LAYER, ctx.tip.QS);
    if (ctx.tip.code == 6) in.weak = weakTip(ctx, ctx.tip.LAYER);
    return in;
}

settlement::PlotCapacity plotCapacity(const RunContext& ctx) {
    settlement::PlotCapacity cap;
    const run::RowTable& t = ctx.rows;
    cap.NROW               = t.count;
    for (int r = 1; r <= t.count; ++r)
        cap.ROW(r) = {t.LENGTH(r), t.QS(r), t.QB(r), t.QU(r), t.QDN(r), t.QSL(r), t.QBL(r)};
    cap.FST = ctx.FST;
    cap.FSB = ctx.loadType == 2 ? 1.0f : ctx.FSB;  // the weight of the shaft takes no factor
    return cap;
}

}  // namespace korven::capacity
