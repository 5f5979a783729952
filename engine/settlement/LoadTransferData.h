// Data of the load-transfer method: unit captions, normalised curve families, the t-z and tip
// curves, and the two depth-table lookups that give the maximum load transfer at a depth.
#pragma once

#include <array>
#include <string_view>

#include "run/RunContext.h"

namespace korven::settlement {

using run::real;

/// Three-character unit captions of the settlement tables and the listing.
struct UnitCaptions {
    std::string_view LENGTH;   ///< "IN." or " M."
    std::string_view FORCE;    ///< "ton" or "KN."
    std::string_view STRESS;   ///< "PSI" or "KPA"
    std::string_view AREA;     ///< "SQ IN" or " SQ M"
    std::string_view LENGTH2;  ///< copy of LENGTH, used where a length unit comes first
};

/// Captions of the unit system (2 SI, anything else English).
UnitCaptions unitCaptions(int units);

/// A normalised ten-point curve family: the movement ratios (over a diameter) and, for each
/// line (1 trend, 2 upper bound, 3 lower bound), the load ratios.
struct CurveFamily {
    std::array<real, 10> MOVE;
    std::array<std::array<real, 10>, 3> RATIO;
};

/// Side family of a layer code: sand (1), gravelly sand (8), gravel (9), clay (the others).
const CurveFamily& sideFamily(int code);
/// Tip family of the deepest layer's code: sand for 1, 8 and 9, clay for the others.
const CurveFamily& tipFamily(int code);

/// One t-z curve: load transfer (psi) against movement (in) at a depth (in).
struct TzCurve {
    real Z   = 0.0f;         ///< depth of the curve, in
    int code = 0;            ///< soil code of its layer
    int NPT  = 10;           ///< number of points
    run::Array<real, 10> W;  ///< movement, in
    run::Array<real, 10> T;  ///< load transfer, psi
};

/// The tip curve: tip load (lb) against tip movement (in).
struct TipCurve {
    run::Array<real, 10> W;  ///< movement, in
    run::Array<real, 10> Q;  ///< load, lb
};

/// Value of a curve at a movement, linear between points and held at the last point beyond it.
real curveAt(const run::Array<real, 10>& w, const run::Array<real, 10>& v, int n, real x);

/// The layer depth table: top and bottom of every layer in turn (in), with the maximum load
/// transfer at each entry (psi).
struct DepthTable {
    int N = 0;
    run::Array<real, 58> Z;  ///< depth, in
    run::Array<real, 58> V;  ///< maximum load transfer, psi
};

/// Maximum load transfer from the layer table at depth z (in). A depth outside the table writes
/// the warning to the report and ends the run.
real layerTableLookup(run::RunContext& ctx, const DepthTable& table, real z);

/// Unit side resistance of the capacity profile (depths ZROW, values FROW, n rows) at depth z;
/// beyond the last row the last value holds, and it is never negative.
real profileLookup(const run::Array<real, 500>& ZROW, const run::Array<real, 500>& FROW, int n,
                   real z);

/// The place of the last profile lookup, so that depths asked in increasing order walk the
/// profile once instead of scanning it from the top each time.
struct ProfileCursor {
    int k       = 2;      ///< the row to start the next search from
    real z      = 0.0f;   ///< the depth of the last lookup
    bool any    = false;  ///< a lookup was made
    bool sorted = false;  ///< the profile's depths never decrease
};

/// profileLookup, starting where the last lookup with the same cursor ended when the depth is
/// not shallower than the last one and the profile's depths never decrease. One cursor serves one
/// profile.
real profileLookup(const run::Array<real, 500>& ZROW, const run::Array<real, 500>& FROW, int n,
                   real z, ProfileCursor& at);

}  // namespace korven::settlement
