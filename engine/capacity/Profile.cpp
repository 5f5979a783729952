// The soil profile at every one-foot step: converted, defaulted and interpolated layer values and
// the effective vertical stress with the water table.
#include "capacity/Profile.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "run/StepWarnings.h"

namespace korven::capacity {

using run::Layer;
using run::TopBottom;

namespace {

constexpr real PA_PSF = 2116.8f;  // atmospheric pressure, psf

void scale(TopBottom& v, real factor) {
    v.top *= factor;
    v.bot *= factor;
}

bool bothAbove(const TopBottom& v, real limit) { return v.top > limit && v.bot > limit; }
bool bothBelow(const TopBottom& v, real limit) { return v.top < limit && v.bot < limit; }

real clampCoef(real c, real lo, real hi) { return std::min(std::max(c, lo), hi); }

bool isClay(int code) { return code == 2 || code == 3; }

real layerTop(const RunContext& ctx, int i) { return i > 1 ? ctx.layer(i - 1).DEPTH : 0.0f; }

// value at dz below the top of a layer whose interpolation thickness is thick
real interpolate(const TopBottom& v, real dz, real thick) {
    // the bottom step takes the bottom value as given: the rounded line can miss it by a bit,
    // and a strength of 0 given at the bottom must stay 0 for the blow-count rules to see it
    if (dz == thick) return v.bot;
    return v.top + (v.bot - v.top) * dz / thick;
}

// the sand, gravelly-sand and gravel rules of a computed coefficient at depth z
real computedCoef(const Layer& L, real c, real z, real N) {
    if (L.code == 1 && L.sandOption == 2) c = sandBeta(z, N);
    if (!isClay(L.code)) c = clampCoef(c, 0.25f, 1.2f);
    if (L.code == 8) c = gravellySandBeta(z);
    if (L.code == 9) c = gravelBeta(z);
    return c;
}

constexpr std::string_view kErrorLine = "*********************ERROR**********************";

}  // namespace

void convertInput(RunContext& ctx) {
    if (!ctx.si()) return;
    constexpr real M2FT = RunContext::M2FT;
    ctx.P *= RunContext::KN2TON;
    ctx.WT *= M2FT;
    ctx.DGH *= M2FT;
    ctx.DSTART *= M2FT;
    ctx.DIALIM *= M2FT;
    ctx.TOPLEN *= M2FT;
    ctx.BS *= M2FT;
    ctx.PRINC *= M2FT;  // a length in the project's units
    for (int i = 2; i <= ctx.NL; ++i) {
        Layer& L = ctx.layer(i);
        scale(L.GAMMA, RunContext::KNM3PCF);
        scale(L.CU, RunContext::KPA2PSF);
        scale(L.TRANLM, RunContext::KPA2PSF);
        scale(L.QMAXEB, RunContext::KPA2PSF);
        L.DEPTH *= M2FT;
        L.TOP *= M2FT;
    }
}

void convertRock(RunContext& ctx) {
    // moduli to tsf: psi x 144 / 2000, or kN/m2 x 20.885 / 2000
    const real toTsf = ctx.si() ? RunContext::KPA2PSF / 2000.0f : 144.0f / 2000.0f;
    ctx.Ec           = ctx.EcEntered * toTsf;
    for (int i = 2; i <= ctx.NL; ++i) {
        Layer& L = ctx.layer(i);
        scale(L.EL, toTsf);
        if (!ctx.si()) continue;
        scale(L.QUR, RunContext::KPA2PSF);
        scale(L.QUCON, RunContext::KPA2PSF);
        scale(L.CS, RunContext::M2FT);
        scale(L.DISCT, RunContext::M2FT);
        scale(L.BDS, RunContext::M2FT);
    }
}

real alphaFromCU(real CU) {
    const real r = CU / PA_PSF;
    return r > 1.5f && r < 2.5f ? 0.55f - 0.1f * (r - 1.5f) : 0.55f;
}

real sandBeta(real z, real N) {
    real beta = 1.5f - 0.135f * std::sqrt(z);
    if (N > 0.0f && N < 15.0f) beta *= N / 15.0f;
    return beta;
}

real gravellySandBeta(real z) {
    // the correlation takes the depth in metres
    return clampCoef(2.0f - 0.15f * std::pow(0.3048f * z, 0.75f), 0.25f, 1.8f);
}

real gravelBeta(real z) { return clampCoef(3.4f * std::exp(-0.085f * 0.3048f * z), 0.25f, 3.0f); }

namespace {

// A coefficient with one end given and the other left at zero is neither interpolated nor
// computed: the steps keep whatever the step above left (another layer's coefficient, a rock
// factor, or nothing at all). The analysis does so as it always has, but not without saying it.
void warnOneEnd(RunContext& ctx, int i, const TopBottom& v, std::string_view what) {
    if (bothAbove(v, RunContext::ZERO) || bothBelow(v, RunContext::ZERO)) return;
    const std::string layer = "LAYER NO " + std::to_string(i - 1) + ": " + std::string(what);
    const std::initializer_list<std::string_view> lines = {
        "*********************WARNING**********************", layer,
        "IS GIVEN AT ONE END OF THE LAYER ONLY.  THE LAYER KEEPS THE VALUE",
        "OF THE STEP ABOVE IT.  PLEASE GIVE IT AT BOTH ENDS, OR 0 AT BOTH",
        "ENDS FOR THE PROGRAM TO COMPUTE IT."};
    run::writeBlock(ctx.runtime, lines);
    run::writeBlock(ctx.report, lines);
}

}  // namespace

void applyDefaults(RunContext& ctx) {
    for (int i = 2; i <= ctx.NL; ++i) {
        Layer& L = ctx.layer(i);
        if (L.code <= 3 || L.code >= 8) warnOneEnd(ctx, i, L.COEF, "THE SIDE COEFFICIENT");
        if (isClay(L.code)) warnOneEnd(ctx, i, L.NC, "THE END BEARING COEFFICIENT Nc");
        if (bothBelow(L.COEF, RunContext::ZERO)) {
            L.computed = true;
            if (isClay(L.code)) {
                L.COEF = {alphaFromCU(L.CU.top), alphaFromCU(L.CU.bot)};
            } else {
                L.COEF.top = computedCoef(L, L.COEF.top, L.TOP, L.BLOWS.top);
                L.COEF.bot = computedCoef(L, L.COEF.bot, L.DEPTH, L.BLOWS.bot);
            }
        }
        if (isClay(L.code) && bothBelow(L.NC, RunContext::ZERO)) {
            const real cap = L.code == 2 ? 9.0f : 7.0f;
            L.NC.top       = std::min(6.0f * (1.0f + 0.2f * L.TOP / ctx.DSTART), cap);
            L.NC.bot       = std::min(6.0f * (1.0f + 0.2f * L.DEPTH / ctx.DSTART), cap);
        }
    }
}

real keptAboveEnds(real x, const TopBottom& v, const run::Step& st) {
    // Between its ends a straight line cannot dip below both; only a step that a fractional
    // TOPLEN carries past the layer bottom extrapolates to a real dip. Inside the layer the test
    // would catch nothing but rounding: a bottom step one bit under its end value would jump to
    // the top value.
    const bool beyondBottom = st.DZ > st.THICK;
    return beyondBottom && x < v.top && x < v.bot ? v.top : x;
}

void startProfile(RunContext& ctx) {
    ctx.step       = run::Step{};
    ctx.step.SIGMA = 0.0f;
}

int beginLayer(RunContext& ctx, int i) {
    Layer& L = ctx.layer(i);
    if (L.DEPTH <= ctx.TOPLEN) return 0;
    L.DEPTH          = std::floor(L.DEPTH + 0.5f);  // stays rounded for the rest of the run
    const real top   = layerTop(ctx, i);
    const real start = std::max(top, ctx.TOPLEN);
    const int n      = static_cast<int>(L.DEPTH) - static_cast<int>(start);
    if (n <= 0) return 0;

    if (top <= ctx.TOPLEN) {
        // the stress at TOPLEN as if this layer reached the ground surface
        const real thick = L.DEPTH - top;
        const real gT    = L.GAMMA.top + (L.GAMMA.bot - L.GAMMA.top) * ctx.TOPLEN / thick;
        real u           = 0.0f;
        if (ctx.WT <= top)
            u = RunContext::GAMMAW * ctx.TOPLEN;
        else if (ctx.WT < ctx.TOPLEN)
            u = RunContext::GAMMAW * (ctx.TOPLEN - ctx.WT);
        ctx.step.SIGMA = 0.5f * (L.GAMMA.top + gT) * ctx.TOPLEN - u;
    }
    return n;
}

void prepareStep(RunContext& ctx, int i, int k) {
    Layer& L       = ctx.layer(i);
    run::Step& st  = ctx.step;
    const real top = layerTop(ctx, i);
    st.LAYER       = i;
    st.Z           = std::max(top, ctx.TOPLEN) + static_cast<real>(k);
    st.DZ          = st.Z - top;
    st.THICK       = L.DEPTH - top;

    auto at  = [&](const TopBottom& v) { return interpolate(v, st.DZ, st.THICK); };
    st.N     = at(L.BLOWS);
    st.PHI   = at(L.PHI);  // degrees until the conversion below
    st.CU    = at(L.CU);
    st.GAMMA = at(L.GAMMA);
    // unit resistances in tsf
    st.TRANLM = at(L.TRANLM) / 2000.0f;
    st.QMAXEB = at(L.QMAXEB) / 2000.0f;
    st.CS     = at(L.CS);
    st.DISCT  = at(L.DISCT);
    st.BDS    = at(L.BDS);
    st.QUR    = keptAboveEnds(at(L.QUR), L.QUR, st);
    st.QUCON  = keptAboveEnds(at(L.QUCON), L.QUCON, st);
    // a coefficient or Nc given at one end only leaves the previous step's value standing
    if (bothAbove(L.COEF, RunContext::ZERO)) st.COEF = at(L.COEF);
    if (bothAbove(L.NC, RunContext::ZERO)) st.NC = at(L.NC);
    if (L.computed) st.COEF = computedCoef(L, st.COEF, st.Z, st.N);

    if ((L.code == 8 || L.code == 9) && L.computed && st.N <= 25.0f) {
        const std::initializer_list<std::string_view> lines = {
            "*****************WARNING*********************",
            "Blow counts should be greater than 25 for this criterion.",
            "Select other soil criteria and do not use this output data."};
        run::writeBlock(ctx.report, lines);
        run::writeStepBlock(ctx, lines);
    }
    if (L.code == 1 && st.N < 0.001f && st.PHI < 0.001f)
        run::writeStepBlock(
            ctx, {kErrorLine, "PLEASE INPUT EITHER THE N-VALUE FROM STANDARD PENETRATION TESTS",
                  "OR THE INTERNAL FRICTION ANGLE FOR SAND LAYERS"});
    if ((L.code <= 3 || L.code == 5) && st.GAMMA < 50.0f)
        run::writeStepBlock(
            ctx, {kErrorLine, "PLEASE INPUT THE TOTAL UNIT WEIGHT FOR THE SOIL.  THE PROGRAM",
                  "WILL CONSIDER THE SUBMERGED UNIT WEIGHT INTERNALLY IF THE SOIL",
                  "IS BELOW THE WATER TABLE WHICH SHOULD BE ENTERED BY THE USER"});

    // one foot of effective unit weight, submerged below the water table
    const real dSigma = st.Z > ctx.WT ? st.GAMMA - RunContext::GAMMAW : st.GAMMA;
    st.SIGMA += dSigma;
    st.SIGMAMID = st.SIGMA - 0.5f * dSigma;
    L.SIGMAEND  = st.SIGMA;
    st.PHI /= RunContext::RADIAN;
}

}  // namespace korven::capacity
