// Load-settlement curve of a shaft with its tip in soil, by load-transfer (t-z) curves.
#pragma once

#include <array>

#include "settlement/LoadTransferData.h"
#include "settlement/SettlementInput.h"

namespace korven::settlement {

/// A segment iteration gets this many passes; past it the last estimate stands.
inline constexpr int kMaxSegmentIterations = 1000;

/// The inputs of the method in inches and pounds, converted once per diameter and shared by the
/// trend, upper-bound and lower-bound lines.
struct LoadTransferSetup {
    real D      = 0.0f;              ///< stem diameter, in
    real Db     = 0.0f;              ///< base diameter, in
    real L      = 0.0f;              ///< shaft length, in
    real LB     = 0.0f;              ///< bottom length without side resistance, in
    real QB     = 0.0f;              ///< ultimate base resistance, lb
    real EC     = 0.0f;              ///< shaft modulus, psi
    int NLAY    = 0;                 ///< layers
    int TIPCODE = 0;                 ///< code of the deepest layer, chooses the tip family
    DepthTable table;                ///< layer tops and bottoms with their maximum load transfer
    int NCURVE = 0;                  ///< t-z curves, five per layer
    run::Array<real, 145> ZCURVE;    ///< depth of each curve, in
    run::Array<int, 145> CODECURVE;  ///< soil code of each curve's layer
    std::array<real, 3> ZAE{};       ///< depths of the axial stiffness profile, in
    std::array<real, 3> AE{};        ///< axial stiffness at those depths, lb
};

/// Converts the inputs and lays out the curve depths and the stiffness profile.
LoadTransferSetup prepareLoadTransfer(const SettlementInput& in);

/// The fifteen assumed tip movements (in) for a stem diameter D (in).
std::array<real, 15> tipMovements(real D);

/// Axial stiffness at depth z (in), linear between the profile's points.
real axialStiffness(const LoadTransferSetup& s, real z);

/// Load transfer (psi) at depth z (in) and movement w (in) from the t-z curves 1..n.
real loadTransferAt(const run::Array<TzCurve, 145>& curves, int n, real z, real w);

/// One line (1 trend, 2 upper bound, 3 lower bound): writes TZDATA.DAT and the runtime record,
/// and fills `out` in the units of the report. Returns true when a segment iteration reached its
/// bound.
bool runLoadTransfer(run::RunContext& ctx, const SettlementInput& in, const LoadTransferSetup& s,
                     int line, run::SettlementSet& out);

}  // namespace korven::settlement
