// Call points of the decomposed-rock and weak-rock socket models in the depth steps.
#include "capacity/RockSockets.h"

#include "capacity/DecomposedRock.h"
#include "settlement/WeakRockSide.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

real socketDesignDepth(const RunContext& ctx, int layer) {
    if (ctx.designControl != 1) return ctx.DGH;
    // under a design load the length is not known yet: the sockets take the middle of the layer
    const real bottom = ctx.layer(layer).DEPTH;
    const real top    = ctx.layer(layer - 1).DEPTH;
    return bottom - 0.5f * (bottom - top) + ctx.TOPLEN;
}

void socketStep(RunContext& ctx) {
    run::Step& st  = ctx.step;
    const int code = ctx.layer(st.LAYER).code;
    if (code != 5 && code != 6) return;
    ctx.DGH = socketDesignDepth(ctx, st.LAYER);
    if (code == 5) {
        const DecomposedResult r = decomposedRockSocket(
            ctx, {st.LAYER, st.Z, st.DZ, st.SIGMA, ctx.shaft.D, ctx.shaft.SCALE, ctx.DGH});
        st.S      = r.S;
        st.QBSOCK = r.QB;
    } else {
        const settlement::WeakRockResult r = settlement::weakRockStep(
            ctx, {st.LAYER, st.Z, st.DZ, ctx.shaft.D, ctx.shaft.SCALE, ctx.DGH});
        st.S      = r.SIDE;
        st.QBSOCK = r.QB;
    }
}

void beforeSideForce(RunContext& ctx) {
    // the settlement method adds the whole socket's own side load to this, so the first rock
    // step must not be in it too
    if (ctx.layer(ctx.step.LAYER).code == 6) settlement::keepWeakRockQS(ctx, ctx.QS);
}

void startSocketPass(RunContext& ctx) {
    startDecomposedRockPass(ctx);
    settlement::startWeakRockPass(ctx);
    // each diameter's mean of Ei starts empty, so a pass does not depend on the passes before it
    settlement::resetWeakRockMean(ctx);
}

}  // namespace korven::capacity
