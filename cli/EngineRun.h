// One run of the engine library on a project file, with the files the run command prepares.
#pragma once

#include <string>

namespace korven::cli {

struct RunFiles {
    std::string project, report, plot, runtime;
    std::string trace;   ///< the per-foot trace the engine writes; empty: none
    std::string folder;  ///< current directory of the run; empty: the project's folder
};

/// The four files of a project: the project path and the same path with .kvo, .kvp, .kvr.
/// No trace is asked for.
RunFiles runFiles(const std::string& absoluteProject);

/// PROJECT.trace.csv for PROJECT.kvd.
std::string tracePath(const std::string& project);

struct RunOutcome {
    bool ok          = false;  ///< the library was called
    int engineResult = 0;      ///< what the entry returned
    std::string error;         ///< why the library was not called
};

/// Makes the project's folder the current directory, writes names.dat there, loads the library
/// (where installedLibrary finds it), calls _IKORVEN once, unloads it, deletes names.dat and
/// restores the current directory.
/// With `quiet`, the engine's console output is discarded.
RunOutcome runEngineLibrary(const std::string& libraryPath, const RunFiles& files, bool quiet);

/// Folder of the running executable.
std::string executableDir();

/// `libraryPath` (the library beside the program, as in the build tree), or, when no file is
/// there, the same name in ../lib/korven relative to the program's folder (an installed program).
std::string installedLibrary(const std::string& libraryPath);

}  // namespace korven::cli
