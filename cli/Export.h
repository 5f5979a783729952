// The results of a run in machine-readable form: one JSON document, or CSV tables.
#pragma once

#include <string>

#include "Results.h"

namespace korven::cli {

/// What an export says about the project besides its results.
struct ExportProject {
    std::string path, title;
    int designControl = 1;  ///< 1 design load, 2 design length
};

/// The JSON document of docs/export.md, indented.
std::string exportJson(const ExportProject& project, const RunResults& results);

/// The capacity table: one row per diameter and report row, with a header row.
std::string capacityCsv(const RunResults& results);

/// The settlement table: one row per diameter, line and row, with a header row.
std::string settlementCsv(const RunResults& results);

}  // namespace korven::cli
