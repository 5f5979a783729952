// Shaft geometry of a pass; pi is 3.142 throughout, as the geometry has always taken it.
#include "capacity/Shaft.h"

#include <cmath>

namespace korven::capacity {

using run::real;
using run::RunContext;

// compared as a real: a ratio of any size (3E9, 1D30) is a bell, and no cast can overflow
bool belled(const RunContext& ctx) { return ctx.RATIO >= 1.0f || ctx.RATIO <= -1.0f; }

run::Shaft shaftGeometry(const RunContext& ctx, real D) {
    constexpr real pi = RunContext::PISHAFT;
    run::Shaft sh;
    sh.D     = D;
    sh.SCALE = D / ctx.DSTART;
    sh.AREA  = pi * D * D / 4.0f;
    sh.DB    = belled(ctx) ? ctx.RATIO * D : D;
    sh.AB    = pi * sh.DB * sh.DB / 4.0f;
    if (belled(ctx)) {
        const real Db = sh.DB;
        sh.TOE        = D <= 3.52f ? 0.25f : 0.5f;
        sh.HB         = (Db - D) / (2.0f * std::tan(ctx.BELANG / RunContext::RADIAN)) + sh.TOE;
        // a cylinder of toe height under a frustum up to the stem
        const real frustum =
            pi * (sh.HB - sh.TOE) / 3.0f * (Db * Db / 4.0f + D * D / 4.0f + D * Db / 4.0f);
        sh.VUNDER = (sh.TOE * sh.AB + frustum) / 27.0f;
    }
    sh.STEEL = 0.01f * pi * D * D / 4.0f * 144.0f;
    sh.NTWO  = static_cast<int>(2.0f * sh.DB);
    return sh;
}

}  // namespace korven::capacity
