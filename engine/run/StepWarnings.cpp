// The runtime file's step warnings, written once per layer, diameter and cause.
#include "run/StepWarnings.h"

#include <algorithm>
#include <string>

namespace korven::run {

namespace {
constexpr Format kBlockLine = "(5X,A)";
}

void writeStepBlock(RunContext& ctx, std::initializer_list<std::string_view> lines) {
    HeldStepBlocks& h = ctx.heldBlocks;
    if (!h.blocks.empty() && (h.layer != ctx.step.LAYER || h.D != ctx.shaft.D))
        flushStepBlocks(ctx);
    h.layer = ctx.step.LAYER;
    h.D     = ctx.shaft.D;
    for (HeldStepBlocks::Block& b : h.blocks) {
        if (std::equal(b.lines.begin(), b.lines.end(), lines.begin(), lines.end())) {
            ++b.repeats;
            return;
        }
    }
    h.blocks.push_back({std::vector<std::string>(lines.begin(), lines.end()), 0});
}

void flushStepBlocks(RunContext& ctx) {
    HeldStepBlocks& h = ctx.heldBlocks;
    for (const HeldStepBlocks::Block& b : h.blocks) {
        // framed as every block, the count inside the frame
        ctx.runtime.put("\n\n");
        for (const std::string& line : b.lines) ctx.runtime.write(kBlockLine, line);
        if (b.repeats > 0)
            ctx.runtime.write(kBlockLine,
                              "(REPEATED AT " + std::to_string(b.repeats)
                                  + (b.repeats == 1 ? " FURTHER STEP" : " FURTHER STEPS")
                                  + " OF THIS LAYER)");
        ctx.runtime.put("\n\n");
    }
    h.blocks.clear();
}

}  // namespace korven::run
