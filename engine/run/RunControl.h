// One run of the engine: names.dat, the four files, the report header, the analysis.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "run/RunContext.h"

namespace korven::run {

/// Result codes of a run.
enum RunResult : std::int32_t {
    kRunDone       = 0,  ///< the analysis ran to its end
    kRunStopped    = 1,  ///< the analysis stopped with a message in the runtime file
    kNoNamesFile   = 2,  ///< names.dat missing or unreadable: nothing written
    kCannotOpen    = 3,  ///< one of the four files could not be opened or created
    kInternalError = 4,  ///< an unexpected fault, reported in the runtime file when it was open
};

/// The whole call of the entry, reading console answers from `console`.
std::int32_t runEngine(std::istream& console);
std::int32_t runEngine();

/// Pieces of a path as the header prints them: drive (always empty here), directory with its
/// trailing separator, name, extension with its dot.
struct PathParts {
    std::string drive, dir, name, ext;
};
PathParts splitPath(const std::string& path);

/// The report header: banner lines, file lines and the date block for the given local time.
void writeHeader(RunContext& ctx, int year, int month, int day, int hour, int minute, int second);

}  // namespace korven::run
