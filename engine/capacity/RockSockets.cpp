// Until the closed-form socket models are in, a step in decomposed or weak rock stops the run
// rather than print side and tip values that would not be right.
#include "capacity/RockSockets.h"

namespace korven::capacity {
namespace {

[[noreturn]] void notAvailable(run::RunContext& ctx, std::string_view kind) {
    const std::string layer =
        "LAYER " + std::to_string(ctx.step.LAYER - 1) + " IS " + std::string(kind) + ".";
    run::stopRun(ctx, {"*********************ERROR**********************", layer,
                       "THIS VERSION OF THE PROGRAM CANNOT YET COMPUTE THE SIDE AND TIP",
                       "RESISTANCE OF THIS SOIL TYPE; THE RUN WAS STOPPED."});
}

}  // namespace

void decomposedRockSocket(run::RunContext& ctx) {
    notAvailable(ctx, "DECOMPOSED ROCK OR GRAVEL (SOIL TYPE 5)");
}

void weakRockStep(run::RunContext& ctx) { notAvailable(ctx, "WEAK ROCK (SOIL TYPE 6)"); }

}  // namespace korven::capacity
