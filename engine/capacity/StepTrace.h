// The row of the per-foot trace for the step just computed.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

/// Writes the trace's header row.
void traceHeader(RunContext& ctx);

/// Writes the trace row of the current step, whose shaft length is `length` (ft).
void traceStep(RunContext& ctx, real length);

}  // namespace korven::capacity
