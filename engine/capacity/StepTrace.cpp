// The per-foot trace: what each step of a pass took and gave, in the project's units, for the
// engineer who checks a result by hand.
#include "capacity/StepTrace.h"

#include <cmath>
#include <optional>

namespace korven::capacity {
namespace {

using std::nullopt;

// Which rule gave the tip value of the step.
const char* tipRule(const RunContext& ctx) {
    const run::Step& st = ctx.step;
    const run::Layer& L = ctx.layer(st.LAYER);
    const real AB       = ctx.shaft.AB;
    if (ctx.loadType == 2) return "uplift";
    if (st.QB == std::fabs(st.QMAXEB) * AB) return "limit";  // the end-bearing limit governs
    switch (L.code) {
        case 2:
        case 3:
            return L.CU.top > RunContext::ZERO || L.CU.bot > RunContext::ZERO ? "clay-cu"
                                                                              : "clay-N";
        case 4:
        case 7:
            return st.QB == 0.0f ? "side-only" : "rock-socket";
        case 5:
            return "decomposed";
        case 6:
            return "weak-rock";
        default:
            return L.PHI.bot > RunContext::ZERO ? "sand-phi" : "sand-N";
    }
}

}  // namespace

void traceHeader(RunContext& ctx) {
    const bool si       = ctx.si();
    const char* L       = si ? " (m)" : " (ft)";
    const char* stress  = si ? " (kN/m2)" : " (psf)";
    const char* force   = si ? " (kN)" : " (tons)";
    const std::string h = std::string("DIAMETER") + L + ",LENGTH" + L + ",DEPTH" + L
                          + ",LAYER,SOIL,SIGMA_V" + stress + ",PHI (deg),CU" + stress
                          + ",K,BETA,ALPHA,NC,F BEFORE LIMIT" + stress + ",F" + stress + ",QS"
                          + force + ",QB" + force + ",TIP RULE";
    ctx.trace.text(h);
    ctx.trace.endRow();
}

void traceStep(RunContext& ctx, real length) {
    const run::Step& st = ctx.step;
    const run::Layer& L = ctx.layer(st.LAYER);
    const bool si       = ctx.si();
    auto len            = [si](real ft) { return si ? ft / RunContext::M2FT : ft; };
    auto stress         = [si](real psf) { return si ? psf / RunContext::KPA2PSF : psf; };
    auto force          = [si](real tons) { return si ? tons / RunContext::KN2TON : tons; };
    const int code      = L.code;
    const bool sand     = code == 1;
    const bool clay     = code == 2 || code == 3;
    const bool rock     = code == 4 || code == 7;
    const bool beta     = (sand && L.sandOption >= 2) || code == 8 || code == 9;

    run::TraceFile& t = ctx.trace;
    t.number(len(ctx.shaft.D));
    t.number(len(length));
    t.number(len(st.Z));
    t.integer(st.LAYER - 1);
    t.integer(code);
    t.number(stress(st.SIGMA));
    t.number(sand ? std::optional<real>(st.PHI * RunContext::RADIAN) : nullopt);
    // a strong-rock step takes its rock side value in the place of CU
    t.number(clay   ? std::optional<real>(stress(st.S))
             : rock ? std::optional<real>(stress(st.ROCKSIDE))
                    : nullopt);
    t.number(sand && !beta ? std::optional<real>(st.COEF) : nullopt);
    t.number(beta ? std::optional<real>(st.COEF) : nullopt);
    t.number(clay || rock ? std::optional<real>(st.COEF) : nullopt);
    t.number(clay ? std::optional<real>(st.NC) : nullopt);
    t.number(stress(st.FRAW * 2000.0f));
    t.number(stress(st.F * 2000.0f));
    t.number(force(ctx.QS));
    t.number(force(st.QB));
    t.text(tipRule(ctx));
    t.endRow();
}

}  // namespace korven::capacity
