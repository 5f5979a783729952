// The analysis driver: reads the project, then runs the diameters and lengths.
#pragma once

#include "run/RunContext.h"

namespace korven::capacity {

/// The whole analysis of one run, called by the entry after the report header.
void analyse(run::RunContext& ctx);

}  // namespace korven::capacity
