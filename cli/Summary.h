// The table that ends a run of many projects, and the per-project line of the sweep table: what
// the report and runtime file of each run say.
#pragma once

#include <string>
#include <vector>

#include "Batch.h"

namespace korven::cli {

/// The summary table, one line per run, with its heading.
std::string summaryTable(const std::vector<BatchRun>& runs);

/// A table with a heading row: the first column left-aligned, the others right-aligned.
std::string alignedTable(const std::vector<std::vector<std::string>>& rows);

}  // namespace korven::cli
