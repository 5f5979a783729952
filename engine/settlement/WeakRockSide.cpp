// Weak-rock socket: unit side resistance and tip capacity at one capacity step.
#include "settlement/WeakRockSide.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "settlement/Charts.h"

namespace korven::settlement {

using run::Layer;
using run::RunContext;
using run::TopBottom;

namespace {

constexpr real PA = 2115.7f;  // atmospheric pressure, psf
constexpr real PI = 3.1416f;

constexpr std::string_view kWarning = "*********************WARNING**********************";
constexpr std::string_view kError   = "*********************ERROR**********************";

real atStep(const TopBottom& v, real dz, real thickness) {
    return thickness > 0.0f ? v.top + (v.bot - v.top) * dz / thickness : v.top;
}

std::string layerNo(int entry) {
    return "WEAK ROCK, LAYER NO" + run::editInteger(entry - 1, 3) + ":";
}

[[noreturn]] void refuse(RunContext& ctx, int entry, std::string_view what) {
    run::stopRun(ctx, {kError, layerNo(entry), what});
}

}  // namespace

WeakRockSocket weakRockSocket(const WeakRockInput& in) {
    WeakRockSocket s;
    const bool rough  = in.ICOND == 1 || in.ICOND == 3;
    const bool closed = in.ICOND == 1 || in.ICOND == 2;

    // normal stress of the fluid concrete on the socket wall, 150 pcf concrete
    s.M  = normalStressFactor(in.SLUMP, in.ZC);
    s.SN = 150.0f * s.M * in.ZC;
    s.A  = adhesionFactor(s.SN / PA, in.QU);

    // interface shear; a smooth wall scales the adhesion chart, drawn for 30 degrees
    s.FA   = rough ? 0.5f * in.QU : std::tan(in.IFA) * s.A * in.QU / std::tan(0.5236f);
    s.EMEI = closed ? modulusRatioClosed(in.RQD) : modulusRatioOpen(in.RQD);
    s.EM   = s.EMEI * in.EI;
    s.J    = jointFactor(s.EMEI);
    s.FAR  = s.FA * s.J;

    // no normal stress reads the last shear-ratio curve, where the ratio Em/sn grows without end
    s.W = rough ? s.SN / in.QU
                : shearRatio(s.SN > 0.0f ? s.EM * 2000.0f / s.SN : 4000.0f, in.QU / PA);
    s.W = std::min(s.W, 1.0f);  // a ratio above 1 would mobilise more than fa'

    // settlement factors of the socket
    s.LD          = in.LS / in.DS;
    s.R           = in.EC / s.EM;
    const real sq = std::sqrt(s.LD);
    const real lr = std::log10(s.R);
    s.T           = 1.14f * sq - 0.05f * (sq - 1.0f) * lr - 0.44f;
    s.G           = 0.37f * sq - 0.15f * (sq - 1.0f) * lr + 0.13f;
    return s;
}

WeakRockMobilised weakRockAt(const WeakRockInput& in, const WeakRockSocket& s, real ws) {
    WeakRockMobilised m;
    m.inRange = s.T > 0.0f && s.G > 0.0f;

    // side: n from the elastic settlement factors, then the hyperbolic shear transfer
    if (s.G > 0.0f && s.FAR > 0.0f) m.N = (s.EM * 2000.0f * s.T) / (in.LS * PI * s.G * s.FAR) * ws;
    m.F = m.N <= s.W ? m.N : s.W + (1.0f - s.W) * (m.N - s.W) / (m.N - 2.0f * s.W + 1.0f);
    m.F = std::clamp(m.F, 0.0f, 1.0f);

    // base, fitted in kPa and mm
    if (s.G > 0.0f) {
        const real sq    = std::sqrt(s.LD);
        const real EMKPA = s.EM * 2.0f * 47.88f;
        const real LSMM  = in.LS * 25.4f * 12.0f;
        const real WSMM  = ws * 25.4f * 12.0f;
        const real base  = 200.0f * (sq - s.T) * (1.0f + s.LD) / (PI * LSMM * s.G);
        if (base > 0.0f) {
            const real QB1 = 0.0134f * EMKPA * s.LD / (s.LD + 1.0f) * std::pow(base, 0.67f);
            m.QB           = std::min(QB1 * std::pow(WSMM, 0.67f) * 20.88f, 2.5f * in.QU);
        } else {
            m.inRange = false;
        }
    }
    return m;
}

real weakRockSocketTop(const RunContext& ctx) {
    for (int j = 2; j <= ctx.NL; ++j)
        if (ctx.layer(j).code == 6 || ctx.layer(j).code == 7) return ctx.layer(j - 1).DEPTH;
    return -1.0f;
}

WeakRockResult weakRockStep(RunContext& ctx, const WeakRockStep& st) {
    const Layer& L   = ctx.layer(st.layer);
    const real THICK = L.DEPTH - ctx.layer(st.layer - 1).DEPTH;
    auto& K          = ctx.WROCK;
    WeakRockResult r;
    WeakRockInput& in = r.in;

    if (L.ICOND < 1 || L.ICOND > 4)
        refuse(ctx, st.layer, "THE INTERFACE CONDITION MUST BE 1 TO 4.");
    if (!(ctx.Ec > 0.0f))
        refuse(ctx, st.layer, "THE ELASTIC MODULUS OF THE SHAFT MUST BE ABOVE 0.");
    in.ICOND = L.ICOND;
    in.EC    = ctx.Ec;

    // the socket runs from the top of the rock down to the step
    r.SOCKTOP = weakRockSocketTop(ctx);
    if (r.SOCKTOP >= 0.0f && st.z >= r.SOCKTOP) K.LS = std::max(st.z - r.SOCKTOP, L.BDS.top);
    if (K.LS < 0.0f) K.LS = 1.0f;
    in.LS = K.LS;

    in.SLUMP = atStep(L.SLUMP, st.dz, THICK);
    if (ctx.si()) in.SLUMP = in.SLUMP * 1000.0f / 25.4f;  // m to in
    in.RQD = atStep(L.RQD, st.dz, THICK);
    // a socket without a diameter of its own is the stem of this pass
    in.DS = atStep(L.BDS, st.dz, THICK) * st.scale;
    if (in.DS < 0.001f) in.DS = st.D;
    if (!(in.DS > 0.0f)) refuse(ctx, st.layer, "THE SOCKET DIAMETER MUST BE ABOVE 0.");

    in.QU = atStep(L.QUR, st.dz, THICK);
    if (in.QU < L.QUR.top && in.QU < L.QUR.bot) in.QU = L.QUR.top;
    if (!(in.QU > 0.0f))
        refuse(ctx, st.layer, "THE UNIAXIAL COMPRESSION STRENGTH OF THE ROCK MUST BE ABOVE 0.");

    const real IFADEG = atStep(L.IFA, st.dz, THICK);
    if ((in.ICOND == 2 || in.ICOND == 4) && !(IFADEG >= 0.0f && IFADEG < 90.0f))
        refuse(ctx, st.layer, "THE ANGLE OF INTERFACE FRICTION MUST BE 0 TO 90 DEG.");
    in.IFA = IFADEG * 3.1416f / 180.0f;

    K.EISUM += atStep(L.EL, st.dz, THICK);
    K.EICOUNT += 1;
    in.EI = K.EISUM / static_cast<real>(K.EICOUNT);
    if (!(in.EI > 0.0f))
        refuse(ctx, st.layer, "THE ELASTIC MODULUS OF THE INTACT ROCK MUST BE ABOVE 0.");

    // centre of the socket between its top and the design depth, within the chart
    in.ZC = std::min(st.DGH - (st.DGH - r.SOCKTOP) * 0.5f, 40.0f);
    if (!(in.ZC >= 0.0f)) refuse(ctx, st.layer, "THE DESIGN DEPTH MUST NOT BE NEGATIVE.");

    r.socket = weakRockSocket(in);
    r.at     = weakRockAt(in, r.socket, 0.05f * in.DS);

    const bool rough = in.ICOND == 1 || in.ICOND == 3;
    if (K.FAFIRST < 0.001f) K.FAFIRST = r.at.F * r.socket.FAR;
    r.SIDE = rough ? r.at.F * r.socket.FAR : r.socket.FAR;
    r.QB   = in.DS * r.at.QB * in.DS * 0.7854f / 2000.0f;

    for (real v : {r.SIDE, r.QB, r.at.N, r.socket.T, r.socket.G})
        if (!std::isfinite(v))
            refuse(ctx, st.layer, "ITS VALUES GIVE NO FINITE SOCKET RESISTANCE.");

    if (!r.at.inRange && !K.warned) {
        K.warned     = true;
        const auto v = [](real x, int d) { return run::editFixed(static_cast<double>(x), 8, d); };
        const std::string depth =
            ctx.si() ? v(st.z / RunContext::M2FT, 3) + " M" : v(st.z, 2) + " FT";
        run::writeBlock(ctx.runtime, {kWarning, layerNo(st.layer),
                                      "THE SOCKET LIES OUTSIDE THE RANGE OF ITS SETTLEMENT",
                                      "FACTORS FROM THE DEPTH OF" + depth + " ON:",
                                      "L/D =" + v(r.socket.LD, 2) + ", T =" + v(r.socket.T, 3)
                                          + ", G =" + v(r.socket.G, 3) + ".",
                                      "THE SIDE SHEAR (ROUGH WALLS) OR THE BASE RESISTANCE",
                                      "THAT THESE FACTORS CANNOT GIVE IS TAKEN AS 0."});
    }
    return r;
}

void startWeakRockPass(RunContext& ctx) {
    ctx.WROCK.qsKept = false;
    ctx.WROCK.warned = false;
}

void resetWeakRockMean(RunContext& ctx) {
    ctx.WROCK.EISUM   = 0.0f;
    ctx.WROCK.EICOUNT = 0;
}

void keepWeakRockQS(RunContext& ctx, real QS) {
    if (ctx.WROCK.qsKept) return;
    ctx.WROCK.qsKept  = true;
    ctx.WROCK.QSFIRST = QS;
}

}  // namespace korven::settlement
