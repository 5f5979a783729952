// The project file as the desktop program reads it, and its results kept up to date for korven.
#pragma once

#include <optional>
#include <string>

#include "EngineRun.h"

namespace korven::cli {

/// The results of a project are there and newer than the project: its report and plot data file.
bool resultsCurrent(const RunFiles& files);

/// Runs the project in a child process when its results are not current. False with `error`
/// set when the run did not end normally.
bool ensureResults(const RunFiles& files, std::string& error);

}  // namespace korven::cli
