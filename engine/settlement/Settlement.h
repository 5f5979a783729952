// The load-settlement run of one diameter: the method chosen by the tip layer, and its report
// section.
#pragma once

#include "settlement/SettlementInput.h"

namespace korven::settlement {

/// Runs the method of the tip layer for a diameter whose length is fixed: a soil tip (codes 1,
/// 2, 3, 8, 9) gets the trend, upper- and lower-bound lines of the load-transfer method, a rock
/// tip its rock method. Writes the results to the report and leaves them in ctx.settle with
/// ctx.NLINE (3 after a soil tip, 0 after a rock tip).
void runSettlement(run::RunContext& ctx, const SettlementInput& in);

/// A diameter that produced no rows runs no method: one zero line.
void clearSettlement(run::RunContext& ctx);

}  // namespace korven::settlement
