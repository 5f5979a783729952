// korven: the command-line runner of the engine.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "EngineRun.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kHelp =
    "usage: korven run PROJECT.kvd [--quiet]\n"
    "       korven --help\n"
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

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

int main(int argc, char** argv) {
    std::string project;
    bool quiet = false;
    bool run   = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kHelp;
            return 0;
        }
        if (a == "--quiet" || a == "-q")
            quiet = true;
        else if (a == "run" && !run)
            run = true;
        else if (run && project.empty())
            project = a;
        else {
            std::cerr << "korven: unexpected argument '" << a << "' (see korven --help)\n";
            return 2;
        }
    }
    if (!run || project.empty()) {
        std::cerr << "korven: no project given (usage: korven run PROJECT.kvd)\n";
        return 2;
    }
    std::error_code ec;
    const fs::path abs = fs::absolute(project, ec);
    if (ec || !fs::is_regular_file(abs, ec)) {
        std::cerr << "korven: project file not found: " << project << "\n";
        return 2;
    }
    const auto files   = korven::cli::runFiles(fs::weakly_canonical(abs, ec).string());
    const auto library = korven::cli::executableDir() + "/Korven2012_DLL.so";
    const auto outcome = korven::cli::runEngineLibrary(library, files, quiet);
    if (!outcome.ok) {
        std::cerr << "korven: " << outcome.error << "\n";
        return 2;
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
        std::cerr << "korven: the analysis stopped (engine result " << outcome.engineResult
                  << "); see " << files.runtime << "\n";
        return 1;
    }
    return 0;
}
