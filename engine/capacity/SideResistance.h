// Unit side resistance at a depth step and the running side capacity of the shaft.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

/// Friction angle of a sand in degrees from its blow count N and the effective vertical stress in
/// psf. A blow count of 0 or less gives 0: the curves start at N = 0.
real frictionAngleFromN(real N, real sigma);

/// Strength of the step before the special rock models: the rock rule, then tan(PHI) sigma + C.
void genericStrength(RunContext& ctx);
/// Strength of soils given by blow counts alone (sand without PHI, clays without CU).
void soilStrength(RunContext& ctx);
/// Unit side resistance f of the step: uplift, beta or coefficient method, cap.
void unitSide(RunContext& ctx);
/// Adds the side force of the one-foot step to QS and QS (LRFD).
void addSideForce(RunContext& ctx);

}  // namespace korven::capacity
