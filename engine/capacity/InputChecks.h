// Refusal of project values that no analysis can use.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

/// Stops the run with a message naming the field when a value would divide by zero, take the
/// tangent of zero, overflow a table or make a formula meaningless. Takes internal units.
void checkProject(run::RunContext& ctx);

}  // namespace korven::capacity
