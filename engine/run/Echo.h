// The echo of the project data at the head of the report and on the console.
#pragma once

#include "run/RunContext.h"

namespace korven::run {

/// The title, directly after it has been read.
void echoTitle(RunContext& ctx);
/// The design value, the uplift factor, the layer count and the water table, as entered.
void echoDesignValues(RunContext& ctx);
/// The factors of safety (not for LRFD designs).
void echoFactorsOfSafety(RunContext& ctx);
/// The layer blocks. Clears the friction angle of clays and puts gravels on the beta method, as
/// the analysis then expects.
void echoSoilInformation(RunContext& ctx);

}  // namespace korven::run
