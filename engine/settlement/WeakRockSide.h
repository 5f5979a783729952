// Weak rock (code 6): side shear and base resistance of a socket mobilised at a settlement, for
// the capacity steps (at 5 per cent of the socket diameter) and for the weak-rock settlement curve.
#pragma once

#include "run/RunContext.h"

namespace korven::settlement {

using run::real;

/// The socket as the model sees it, in the engine's units.
struct WeakRockInput {
    int ICOND  = 1;     ///< interface kind: 1, 3 rough, 2, 4 smooth; 1, 2 closed, 3, 4 open joints
    real QU    = 0.0f;  ///< uniaxial compressive strength of the rock qu, psf
    real EI    = 0.0f;  ///< modulus of the intact rock Ei (the running mean), tsf
    real RQD   = 0.0f;  ///< rock quality designation, per cent
    real SLUMP = 0.0f;  ///< slump of the concrete, in
    real IFA   = 0.0f;  ///< angle of interface friction, radians
    real DS    = 0.0f;  ///< socket diameter Ds, ft
    real LS    = 0.0f;  ///< socket length Ls, ft
    real ZC    = 0.0f;  ///< depth of the socket centre zc, ft (already held at 40 ft at most)
    real EC    = 0.0f;  ///< modulus of the shaft Ec, tsf
};

/// What does not depend on the settlement.
struct WeakRockSocket {
    real M    = 0.0f;  ///< normal-stress factor, -
    real SN   = 0.0f;  ///< normal stress of the concrete sn, psf
    real A    = 0.0f;  ///< adhesion factor a, -
    real FA   = 0.0f;  ///< interface shear fa, psf
    real EMEI = 0.0f;  ///< modulus ratio Em/Ei, -
    real EM   = 0.0f;  ///< rock mass modulus Em, tsf
    real J    = 0.0f;  ///< joint factor j, -
    real FAR  = 0.0f;  ///< reduced shear fa' = fa x j, psf
    real W    = 0.0f;  ///< shear ratio W, - (held at 1 at most)
    real LD   = 0.0f;  ///< L/D, -
    real R    = 0.0f;  ///< Ec / Em, -
    real T    = 0.0f;  ///< settlement factor T, -
    real G    = 0.0f;  ///< settlement factor G, -
};

/// The socket at one settlement.
struct WeakRockMobilised {
    real N       = 0.0f;  ///< side parameter n, -
    real F       = 0.0f;  ///< mobilised ratio f, held within [0, 1]
    real QB      = 0.0f;  ///< base resistance qb, psf (at most 2.5 qu)
    bool inRange = true;  ///< false: T or G not positive, or no base term; the side or the base
                          ///< was then taken as mobilising nothing
};

WeakRockSocket weakRockSocket(const WeakRockInput& in);

/// The socket `s` of `in` at the settlement `ws` (ft).
WeakRockMobilised weakRockAt(const WeakRockInput& in, const WeakRockSocket& s, real ws);

/// What the capacity loop hands over at a code-6 step.
struct WeakRockStep {
    int layer  = 0;     ///< layer entry holding the step
    real z     = 0.0f;  ///< depth of the step, ft
    real dz    = 0.0f;  ///< depth of the step below the layer top, ft
    real D     = 0.0f;  ///< stem diameter of the pass, ft
    real scale = 1.0f;  ///< socket scale D / DSTART
    real DGH   = 0.0f;  ///< design depth, ft (under design control 1 the caller sets it first)
};

struct WeakRockResult {
    real SOCKTOP = 0.0f;  ///< socket top, ft
    WeakRockInput in;
    WeakRockSocket socket;
    WeakRockMobilised at;  ///< at 5 per cent of the socket diameter
    real SIDE = 0.0f;      ///< unit side resistance, psf: the strength that replaces the generic
    real QB   = 0.0f;      ///< tip capacity, tons
};

/// Top of the weak-rock socket, ft: the top of the first layer of code 6 or 7 (gravelly soils of
/// codes 8 and 9 are not rock); -1 when the profile has none.
real weakRockSocketTop(const run::RunContext& ctx);

/// Weak-rock step: called at every step of a code-6 layer. Bad layer data stop the run with a
/// message naming the layer and the value.
WeakRockResult weakRockStep(run::RunContext& ctx, const WeakRockStep& step);

/// At the start of a diameter pass: the QS of the first weak-rock step is taken anew and the
/// out-of-range warning may be written again.
void startWeakRockPass(run::RunContext& ctx);

/// When the settlement run of a diameter starts: the running mean of Ei begins again.
void resetWeakRockMean(run::RunContext& ctx);

/// At a weak-rock step, with the side resistance QS (tons) accumulated above it: keeps it when it
/// is the first weak-rock step of the pass, for the weak-rock settlement method.
void keepWeakRockQS(run::RunContext& ctx, real QS);

}  // namespace korven::settlement
