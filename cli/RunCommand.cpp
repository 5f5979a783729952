// korven run: one project through the engine library, exactly as the desktop program's run
// command does it.
#include <filesystem>
#include <iostream>

#include "Commands.h"
#include "EngineRun.h"

namespace fs = std::filesystem;

namespace korven::cli {
namespace {

constexpr const char* kRunHelp =
    "usage: korven run PROJECT.kvd [--quiet]\n"
    "\n"
    "Runs the drilled-shaft analysis of a project file with the engine library\n"
    "Korven2012_DLL.so that sits beside this program, exactly as the desktop\n"
    "program's run command does: the project's folder becomes the current\n"
    "directory, names.dat is written there, the engine is called once and\n"
    "names.dat is removed again.\n"
    "\n"
    "The report (.kvo), the plot data file (.kvp) and the runtime file (.kvr)\n"
    "are written beside the project; their paths are printed at the end, with\n"
    "a word on whether the runtime file holds warnings or errors.\n"
    "\n"
    "  --quiet   do not show the engine's console output\n"
    "\n"
    "Exit status: 0 when the analysis ran to its end; 1 when it stopped (see the\n"
    "runtime file); 2 for a usage error, a missing project file or library.\n";

int runSingle(const std::string& project, bool quiet) {
    std::error_code ec;
    const fs::path abs = fs::absolute(project, ec);
    if (ec || !fs::is_regular_file(abs, ec)) {
        printError("project file not found: " + project);
        return kUsageError;
    }
    const auto files   = runFiles(fs::weakly_canonical(abs, ec).string());
    const auto library = executableDir() + "/Korven2012_DLL.so";
    const auto outcome = runEngineLibrary(library, files, quiet);
    if (!outcome.ok) {
        printError(outcome.error);
        return kUsageError;
    }

    std::cout << "Report:        " << files.report << "\n"
              << "Plot data:     " << files.plot << "\n"
              << "Runtime file:  " << files.runtime << "\n";
    const std::string runtime = readFile(files.runtime);
    const bool errors         = runtime.find("ERROR") != std::string::npos;
    const bool warnings       = runtime.find("WARNING") != std::string::npos;
    if (errors || warnings)
        std::cout << "The runtime file holds "
                  << (errors && warnings ? "warnings and errors"
                      : errors           ? "errors"
                                         : "warnings")
                  << ".\n";
    else
        std::cout << "The runtime file holds no warnings or errors.\n";

    if (outcome.engineResult != 0) {
        printError("the analysis stopped (engine result " + std::to_string(outcome.engineResult)
                   + "); see " + files.runtime);
        return 1;
    }
    return 0;
}

}  // namespace

int runCommand(const std::vector<std::string>& args) {
    std::string project;
    bool quiet = false;
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            std::cout << kRunHelp;
            return 0;
        }
        if (a == "--quiet" || a == "-q")
            quiet = true;
        else if (project.empty() && !a.starts_with('-'))
            project = a;
        else {
            printError("unexpected argument '" + a + "' (see korven run --help)");
            return kUsageError;
        }
    }
    if (project.empty()) {
        printError("no project given (usage: korven run PROJECT.kvd)");
        return kUsageError;
    }
    return runSingle(project, quiet);
}

}  // namespace korven::cli
