// Decomposed rock or gravel (code 5): strength and tip from the blow count, and the closed-form
// socket that the decomposed-rock settlement method builds its curve on.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

using run::real;

/// Strength of the material at one reference effective stress.
struct DecomposedStrength {
    real SIGP  = 0.0f;  ///< preconsolidation stress sigma_p, psf
    real OCR   = 0.0f;  ///< overconsolidation ratio, -
    real PHI   = 0.0f;  ///< effective friction angle phi', radians
    real K0    = 0.0f;  ///< earth-pressure coefficient at rest, -
    real DELTA = 0.0f;  ///< interface friction angle delta, radians
    real S     = 0.0f;  ///< unit side strength s, psf
    real QTIP  = 0.0f;  ///< unit tip q_tip, psf
};

/// phi', OCR, K0, delta, s and q_tip for blow count `N` at reference stress `SIGREF` (psf). With
/// no effective stress (SIGREF below 0.001 psf) strength and tip are 0, their limit as the stress
/// vanishes; the caller reports it.
DecomposedStrength decomposedStrength(real N, real SIGREF);

/// Modulus of the material as the socket formulas take it.
struct DecomposedModulus {
    real EM      = 0.0f;   ///< Em, psf
    real RHO     = 0.0f;   ///< rho, modulus at mid-layer over modulus at the socket base, -
    bool ofLayer = false;  ///< Em is the layer's own modulus, not the blow-count formula
};

/// Em and rho of a code-5 layer: its own Young's modulus when one is given at its bottom (entered
/// in psi or kN/m2, taken in psf like the blow-count formula so that both sources agree), else
/// 46545.4 N^0.82 psf with rho from the blow counts.
DecomposedModulus decomposedModulus(const run::Layer& L, bool si, real N);

/// Closed-form quantities of a socket (Poisson's ratio 0.4).
struct SocketModel {
    bool formed = false;  ///< false: a quantity could not be formed; all below are then 0
    real LAMBDA = 0.0f;   ///< Ec x 2.6 x 2000 / Em, -
    real ZETA   = 0.0f;   ///< -
    real MUL    = 0.0f;   ///< -
    real T      = 0.0f;   ///< tanh(muL), -
    real OMEGA  = 0.0f;   ///< -
    real PTOP   = 0.0f;   ///< top load for the side load given, lb
    real WTOP   = 0.0f;   ///< top movement under PTOP, ft
};

/// The socket of length `LSOCK` and diameter `B` (ft) carrying side load `QSIDE` (lb), with the
/// shaft modulus `EC` in tsf and `EM` in psf. Not formed when the logarithm for zeta would take a
/// non-positive number, zeta is not positive, or any quantity is not a finite number.
SocketModel socketModel(real EC, real EM, real RHO, real LSOCK, real B, real QSIDE);

/// Reference effective stress at the mid-depth of layer entry `i`, psf: the layers above with
/// their whole thickness, the layer itself with its upper half, less the pore pressure at its
/// mid-depth.
real referenceStress(const run::RunContext& ctx, int i);

/// What the capacity loop hands over at a code-5 step.
struct DecomposedStep {
    int layer  = 0;     ///< layer entry holding the step
    real z     = 0.0f;  ///< depth of the step, ft
    real dz    = 0.0f;  ///< depth of the step below the layer top, ft
    real SIGMA = 0.0f;  ///< effective vertical stress accumulated at z, psf
    real D     = 0.0f;  ///< stem diameter of the pass, ft
    real scale = 1.0f;  ///< socket scale D / DSTART
    real DGH   = 0.0f;  ///< design depth, ft (under design control 1 the caller sets it first)
};

/// Everything the step computed; the kept values also go to ctx.DROCK.
struct DecomposedResult {
    real SIGREF = 0.0f;  ///< reference effective stress used, psf
    real LSOCK  = 0.0f;  ///< socket length, ft
    real N      = 0.0f;  ///< blow count at the step
    real B      = 0.0f;  ///< socket diameter, ft
    DecomposedModulus modulus;
    DecomposedStrength strength;
    SocketModel socket;
    real S      = 0.0f;  ///< strength s that replaces the generic one, psf
    real QB     = 0.0f;  ///< tip capacity, tons
    real QSOCK  = 0.0f;  ///< socket side load, lb
    real QTOTAL = 0.0f;  ///< tip load plus socket side load, lb
};

/// `decomposed rock socket`: called at every step of a code-5 layer after the generic strength.
DecomposedResult decomposedRockSocket(run::RunContext& ctx, const DecomposedStep& step);

/// At the start of a diameter pass: the socket of the previous pass is no longer current and its
/// warnings may be written again.
void startDecomposedRockPass(run::RunContext& ctx);

}  // namespace korven::capacity
