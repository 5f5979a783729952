// The analysis driver.
#include "capacity/DesignLoop.h"

#include "run/ProjectFile.h"

namespace korven::capacity {

void analyse(run::RunContext& ctx) { run::readProject(ctx); }

}  // namespace korven::capacity
