// Tip capacity of the shaft if its base stood at a depth step, and the tip of a shaft length.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

/// Reduction of a clay tip under a base wider than 75 in: cu in tsf, z and Db in ft.
real largeBaseFactor(real cu, real z, real Db);
/// Bearing factor Ksp of a rock socket from the spacing s and thickness delta of discontinuities
/// and the socket diameter B (all ft).
real socketKsp(real s, real B, real delta);

/// Tip on clay or clay-shale: Nc cu with the large-base factor.
void clayTip(RunContext& ctx);
/// Tip of a strong-rock socket from qu and the discontinuities.
void rockTip(RunContext& ctx);
/// Tip on sand, gravelly sand or gravel, from PHI or N, with the base-size reductions.
void sandTip(RunContext& ctx);
/// The tip of the step by soil type, with the end-bearing limits and the soil flag.
void tipStep(RunContext& ctx);

/// Averaged tip capacity of a shaft of length index i over two base diameters below its base.
real tipOfLength(const RunContext& ctx, int i);

}  // namespace korven::capacity
