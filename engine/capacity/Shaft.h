// Geometry of the shaft of one diameter pass: stem, bell, volumes and steel.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

/// The shaft with stem diameter D (ft) for the project's DSTART, RATIO and BELANG.
run::Shaft shaftGeometry(const run::RunContext& ctx, run::real D);

/// True when the project's shafts have a bell (the whole part of RATIO is not 0, compared as a
/// real).
bool belled(const run::RunContext& ctx);

}  // namespace korven::capacity
