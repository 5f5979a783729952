// The socket models of decomposed rock (code 5) and weak rock (code 6) at a depth step.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

/// A step in decomposed rock or weak rock, after the generic strength: the socket model of the
/// layer replaces the step's strength S and gives its tip QBSOCK. Under design control 1 the
/// design depth becomes the middle of the layer plus TOPLEN first.
void socketStep(run::RunContext& ctx);

/// Before the side force of a step is added: at the first weak-rock step of the pass, keeps the
/// side resistance accumulated above it for the weak-rock settlement method.
void beforeSideForce(run::RunContext& ctx);

/// At the start of a diameter pass: the sockets of the previous pass are no longer current.
void startSocketPass(run::RunContext& ctx);

/// Design depth of the socket models for a layer entry: the middle of the layer plus TOPLEN
/// under design control 1, the project's design depth under design control 2.
run::real socketDesignDepth(const run::RunContext& ctx, int layer);

}  // namespace korven::capacity
