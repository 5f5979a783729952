// Many projects run side by side, each by korven itself in a child process of its own (the engine
// keeps static state per call and changes the current directory, so runs never share a process).
#pragma once

#include <string>
#include <vector>

namespace korven::cli {

/// The option of `korven run` that a run of many gives each child: the run takes a folder of its
/// own beside the project. Not listed in the help.
inline constexpr const char* kPrivateFolderOption = "--private-folder";

struct BatchOptions {
    int jobs   = 0;      ///< runs at a time; 0: the number of cores
    bool trace = false;  ///< every run also writes its per-foot trace
    enum class Progress { Lines, Bar } progress = Progress::Lines;  ///< shown on a terminal only
};

struct BatchRun {
    std::string project;  ///< as given
    int status = -1;      ///< exit status of the child's `korven run`; -1 when it did not end
    std::string message;  ///< the child's first error line, without "korven: "
};

/// Runs every project and returns their outcomes in the order given. A project that fails never
/// stops the others. On a terminal, standard error shows a line per finished project (or a bar).
std::vector<BatchRun> runBatch(const std::vector<std::string>& projects,
                               const BatchOptions& options);

/// The number of cores, at least 1.
int coreCount();

/// The value of a -j option ("4"); 0 when it is not a whole number from 1 to 1024.
int parseJobs(const std::string& text);

}  // namespace korven::cli
