// The soil profile: unit conversion, coefficient defaults, one-foot steps with interpolated layer
// values and the effective vertical stress.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

/// SI input to the engine's feet, pounds and tons, right after the project has been read.
void convertInput(RunContext& ctx);
/// Rock strengths, rock lengths and the moduli to internal units; after the echo, which prints
/// them as entered.
void convertRock(RunContext& ctx);
/// Side coefficients and Nc of the layers that left them at zero.
void applyDefaults(RunContext& ctx);

/// Alpha of the cohesive side resistance for an undrained strength in psf.
real alphaFromCU(real CU);
/// Beta of a sand at depth z (ft) with blow count N, before the clamp.
real sandBeta(real z, real N);
/// Beta of a gravelly sand at depth z (ft), clamped.
real gravellySandBeta(real z);
/// Beta of a gravel at depth z (ft), clamped.
real gravelBeta(real z);

/// A rock value x interpolated at the current step, or the layer's top value where x has dipped
/// below both end values.
real keptAboveEnds(real x, const run::TopBottom& v, const run::Step& st);

/// Starts the steps of a diameter pass.
void startProfile(RunContext& ctx);
/// Rounds the bottom of layer entry i and sets up its steps; returns their number (0: skipped).
int beginLayer(RunContext& ctx, int i);
/// Step k (1-based) of layer entry i: depth, interpolated values, coefficient, effective stress.
void prepareStep(RunContext& ctx, int i, int k);

}  // namespace korven::capacity
