// Decomposed rock or gravel (code 5): strength, tip and closed-form socket at one step.
#include "capacity/DecomposedRock.h"

#include <cmath>
#include <string>

#include "run/StepWarnings.h"

namespace korven::capacity {

using run::Layer;
using run::RunContext;
using run::TopBottom;

namespace {

constexpr real PA = 2115.7f;  // atmospheric pressure, psf
constexpr real GW = 62.4f;    // unit weight of water, pcf
constexpr real NU = 0.4f;     // the socket solution is fixed at 0.4; the layer's own is not used
constexpr real PI = 3.1416f;

constexpr std::string_view kWarning = "*********************WARNING**********************";
constexpr std::string_view kError   = "*********************ERROR**********************";

// Linear in the depth below the layer top; the layer runs down from the bottom of the entry above,
// as the profile walks it.
real atStep(const TopBottom& v, real dz, real thickness) {
    return thickness > 0.0f ? v.top + (v.bot - v.top) * dz / thickness : v.top;
}

std::string layerNo(int entry) { return "LAYER NO" + run::editInteger(entry - 1, 3); }

std::string length(const RunContext& ctx, real ft) {
    return ctx.si() ? run::editFixed(static_cast<double>(ft / RunContext::M2FT), 8, 3) + " M"
                    : run::editFixed(static_cast<double>(ft), 8, 2) + " FT";
}

}  // namespace

DecomposedStrength decomposedStrength(real N, real SIGREF) {
    DecomposedStrength r;
    r.SIGP = 0.2f * N * PA;
    if (!(SIGREF >= 0.001f)) return r;

    // phi' and the overconsolidation both from the blow count: the material is not sampled intact
    r.OCR             = r.SIGP / SIGREF;
    r.PHI             = std::atan(std::pow(N / (12.2f + 20.3f * SIGREF / PA), 0.34f));
    const real sinPhi = std::sin(r.PHI);
    r.K0              = (1.0f - sinPhi) * std::pow(r.OCR, sinPhi);
    r.DELTA           = 0.75f * r.PHI;
    r.S               = std::tan(r.DELTA) * r.K0 * SIGREF;
    r.QTIP            = 2.1459f * SIGREF * std::pow(r.OCR, 0.8f);
    return r;
}

DecomposedModulus decomposedModulus(const Layer& L, bool si, real N) {
    DecomposedModulus m;
    // psi or kN/m2 to tsf, as every layer modulus is held
    const real toTsf = si ? RunContext::KPA2PSF / 2000.0f : 144.0f / 2000.0f;
    if (L.EGRAV.bot * toTsf > 0.001f) {
        // tsf x 2000: lambda and the movement are consistent only in psf, the unit of the
        // blow-count formula below
        m.EM      = L.EGRAV.bot * toTsf * 2000.0f;
        m.RHO     = (L.EGRAV.top + L.EGRAV.bot) / 2.0f / L.EGRAV.bot;
        m.ofLayer = true;
    } else {
        m.EM  = 46545.4f * std::pow(N, 0.82f);
        m.RHO = L.BLOWS.bot > 0.0f ? L.BLOWS.top / L.BLOWS.bot : 0.0f;
    }
    return m;
}

SocketModel socketModel(real EC, real EM, real RHO, real LSOCK, real B, real QSIDE) {
    SocketModel none;
    if (!(EM > 0.0f && EC > 0.0f && B > 0.0f && LSOCK > 0.0f)) return none;

    // closed-form pile-head solution of an elastic socket, nu = 0.4
    const real LB     = LSOCK / B;
    const real LAMBDA = EC * 2.6f * 2000.0f / EM;
    const real ARG    = (((1.0f - NU) * RHO * 2.5f - 0.25f) * 2.5f + 0.25f) * 2.0f * LB;
    if (!(ARG > 0.0f)) return none;
    const real ZETA = std::log(ARG);
    if (!(ZETA > 0.0f)) return none;
    const real MUL   = std::sqrt(2.0f / ZETA / LAMBDA) * 2.0f * LB;
    const real T     = std::tanh(MUL);
    const real OMEGA = (8.0f * T * LB / ((1.0f - NU) * PI * LAMBDA * 2.5f * MUL) + 1.0f)
                       * (1.0f + NU) * 4.0f
                       / (RHO * 12.5664f * T * LB / ZETA / MUL + 4.0f / (1.0f - NU) / 0.25f);
    const real SHARE = 1.0f - OMEGA / ((1.0f + NU) * (1.0f - NU) * std::cosh(MUL) * 2.5f);
    if (!(SHARE > 0.0f)) return none;  // a top load of the other sign than the side load
    const real PTOP = QSIDE / SHARE;
    const real WTOP = OMEGA * PTOP / EM / B;

    for (real v : {LAMBDA, ZETA, MUL, T, OMEGA, PTOP, WTOP})
        if (!std::isfinite(v)) return none;
    return {true, LAMBDA, ZETA, MUL, T, OMEGA, PTOP, WTOP};
}

real referenceStress(const RunContext& ctx, int i) {
    real sum = 0.0f;
    for (int j = 2; j <= i; ++j) {
        const Layer& L = ctx.layer(j);
        const real h   = L.DEPTH - ctx.layer(j - 1).DEPTH;
        sum +=
            j < i ? h * (L.GAMMA.top + L.GAMMA.bot) / 2.0f : h * (L.GAMMA.top + L.GAMMA.bot) / 4.0f;
    }
    const Layer& L = ctx.layer(i);
    const real MID = L.DEPTH - (L.DEPTH - ctx.layer(i - 1).DEPTH) / 2.0f;
    const real u   = ctx.WT <= MID ? GW * (MID - ctx.WT) : 0.0f;
    return sum - u;
}

DecomposedResult decomposedRockSocket(RunContext& ctx, const DecomposedStep& st) {
    const Layer& L   = ctx.layer(st.layer);
    const real TOP   = ctx.layer(st.layer - 1).DEPTH;
    const real THICK = L.DEPTH - TOP;
    auto& K          = ctx.DROCK;
    DecomposedResult r;

    r.SIGREF = referenceStress(ctx, st.layer);
    r.LSOCK  = st.DGH - TOP;
    if (r.LSOCK < 0.0001f) r.LSOCK = L.DEPTH;
    r.N = atStep(L.BLOWS, st.dz, THICK);
    if (!(r.N >= 0.0f))
        run::stopRun(ctx, {kError, "DECOMPOSED ROCK, " + layerNo(st.layer) + ":",
                           "THE BLOW COUNT MUST NOT BE NEGATIVE."});
    r.B = atStep(L.BDS, st.dz, THICK) * st.scale;

    r.modulus = decomposedModulus(L, ctx.si(), r.N);
    // within two socket diameters below the design depth the step's own stress; the zone is
    // measured with the diameter as given, so a socket without one has none
    if (st.z < 2.0f * r.B + st.DGH) r.SIGREF = st.SIGMA;
    r.strength = decomposedStrength(r.N, r.SIGREF);
    if (!std::isfinite(r.strength.S) || !std::isfinite(r.strength.QTIP))
        run::stopRun(ctx, {kError, "DECOMPOSED ROCK, " + layerNo(st.layer) + ":",
                           "THE BLOW COUNT AND UNIT WEIGHTS GIVE NO FINITE STRENGTH."});
    r.S = r.strength.S;
    // a socket without a diameter of its own takes the starting diameter for its size
    if (r.B < 0.001f) r.B = ctx.DSTART;

    r.QSOCK  = PI * r.B * r.LSOCK * r.S;
    r.QB     = r.strength.QTIP * PI * r.B * r.B / 4.0f / 2000.0f;
    r.QTOTAL = r.strength.QTIP * PI * r.B * r.B / 4.0f + r.QSOCK;
    r.socket = socketModel(ctx.Ec, r.modulus.EM, r.modulus.RHO, r.LSOCK, r.B, r.QSOCK);

    K.SIDSUM += PI * r.B * r.S;
    K.QSOCK  = r.QSOCK;
    K.QTOTAL = r.QTOTAL;
    K.QTIP   = r.strength.QTIP;
    K.socket = r.socket.formed;
    K.LAMBDA = r.socket.LAMBDA;
    K.ZETA   = r.socket.ZETA;
    K.MUL    = r.socket.MUL;
    K.OMEGA  = r.socket.OMEGA;
    K.PTOP   = r.socket.PTOP;
    K.WTOP   = r.socket.WTOP;

    if (r.SIGREF < 0.001f && !K.noStressWarned) {
        K.noStressWarned = true;
        run::flushStepBlocks(ctx);  // after the step warnings held so far
        run::writeBlock(ctx.runtime,
                        {kWarning, "DECOMPOSED ROCK, " + layerNo(st.layer) + ":",
                         "NO EFFECTIVE VERTICAL STRESS AT THE DEPTH OF" + length(ctx, st.z) + ",",
                         "SO NO SIDE OR TIP RESISTANCE IS TAKEN FROM IT.",
                         "CHECK THE UNIT WEIGHTS AND THE WATER TABLE."});
    }
    if (!r.socket.formed && !K.warned) {
        K.warned = true;
        run::flushStepBlocks(ctx);
        run::writeBlock(ctx.runtime, {kWarning, "DECOMPOSED ROCK, " + layerNo(st.layer) + ":",
                                      "THE CLOSED-FORM SOCKET CANNOT BE FORMED FOR THE",
                                      "STEM DIAMETER OF" + length(ctx, st.D) + " (SOCKET LENGTH"
                                          + length(ctx, r.LSOCK) + ",",
                                      "SOCKET DIAMETER" + length(ctx, r.B) + ").",
                                      "SIDE AND TIP RESISTANCE ARE COMPUTED, BUT NO LOAD-",
                                      "SETTLEMENT CURVE CAN BE FORMED FROM THIS SOCKET."});
    }
    return r;
}

void startDecomposedRockPass(RunContext& ctx) {
    auto& K          = ctx.DROCK;
    K.socket         = false;
    K.warned         = false;
    K.noStressWarned = false;
}

}  // namespace korven::capacity
