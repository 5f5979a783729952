// The load-settlement results of a diameter in the report.
#pragma once

#include "run/RunContext.h"

namespace korven::settlement {

/// One line of a soil tip (1 trend, 2 upper bound, 3 lower bound): heading, units, 15 rows.
void writeSoilBlock(run::Channel& report, int units, int line, const run::SettlementSet& set);

/// The curve of a rock tip: heading, units and the 15 rows of top load and top movement.
void writeRockBlock(run::Channel& report, int units, const run::SettlementSet& set);

}  // namespace korven::settlement
