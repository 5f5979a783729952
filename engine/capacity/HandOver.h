// What a diameter pass hands to the load-settlement methods and to the plot data file once its
// length is fixed.
#pragma once

#include "run/RunContext.h"
#include "settlement/PlotFile.h"
#include "settlement/SettlementInput.h"

namespace korven::capacity {

/// The shaft, the profile with the records of the pass, the capacity rows and, for a tip in
/// decomposed or weak rock, its socket at the design depth. Needs at least one row.
settlement::SettlementInput settlementInput(run::RunContext& ctx);

/// The capacity rows of the pass as the plot data file shows them.
settlement::PlotCapacity plotCapacity(const run::RunContext& ctx);

}  // namespace korven::capacity
