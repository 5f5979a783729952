// The socket models of decomposed rock (code 5) and weak rock (code 6) at a depth step.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

/// Decomposed rock or gravel: replaces the step's strength S and sets its tip QBSOCK.
void decomposedRockSocket(run::RunContext& ctx);
/// Weak rock: replaces the step's strength S and sets its tip QBSOCK.
void weakRockStep(run::RunContext& ctx);

}  // namespace korven::capacity
