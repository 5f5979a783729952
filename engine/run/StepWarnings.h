// Warning blocks that arise at the depth steps: the report takes every one where it arises; the
// runtime file takes a block repeated for the same layer, diameter and cause once, with one line
// that counts the further steps it applied to.
#pragma once

#include <initializer_list>
#include <string_view>

#include "run/RunContext.h"

namespace korven::run {

/// Holds a step's warning block for the runtime file: a block equal to one already held for the
/// layer and diameter of the current step is only counted.
void writeStepBlock(RunContext& ctx, std::initializer_list<std::string_view> lines);

/// Writes the held blocks to the runtime file, each followed by its count of repeats when there
/// were any, and empties the hold. Called at the end of each layer's steps, before any other
/// message of a step, and when the run stops or ends.
void flushStepBlocks(RunContext& ctx);

}  // namespace korven::run
