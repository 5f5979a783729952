// korven run: one project through the engine library, exactly as the desktop program's run
// command does it, or many projects side by side with a summary table.
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "Batch.h"
#include "Commands.h"
#include "EngineRun.h"
#include "Summary.h"

namespace fs = std::filesystem;

namespace korven::cli {
namespace {

constexpr const char* kRunHelp =
    "usage: korven run PROJECT.kvd [--quiet] [--trace]\n"
    "       korven run PROJECT.kvd PROJECT.kvd ... [-j N] [--quiet] [--trace]\n"
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
    "With several projects each runs in a child process of its own, at most N at\n"
    "a time, and a summary table follows, one line per project: the units, the\n"
    "diameters run, the governing diameter and length of the most efficient\n"
    "shaft, QU at that row and its design value (QDN, or LRFD QU), the warning\n"
    "and error blocks of its runtime file and whether it ran to its end. A\n"
    "project that fails never stops the others; the engine's console output is\n"
    "not shown. On a terminal a line per finished project goes to standard error.\n"
    "\n"
    "  --quiet   do not show the engine's console output\n"
    "  --trace   also write PROJECT.trace.csv: every diameter and one-foot step\n"
    "            with its stresses, coefficients, side and tip resistance\n"
    "  -j N      run at most N projects at a time (default: the number of cores)\n"
    "\n"
    "Exit status: 0 when every analysis ran to its end; 1 when any stopped or\n"
    "failed (see its runtime file); 2 for a usage error, and with one project for\n"
    "a missing project file or library.\n";

// A folder of its own for one run of many, inside the project's folder: names.dat and the output
// files are made there and moved beside the project when the run ends, so runs of projects in
// one folder never share names.dat or write into each other's files. The report names its files
// without their folder, so it reads exactly as after a run in the project's folder.
class PrivateFolder {
public:
    explicit PrivateFolder(const fs::path& projectFolder) {
        std::string pattern = (projectFolder / ".korven-run-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~PrivateFolder() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    PrivateFolder(const PrivateFolder&)            = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Moves what a run left in `from` to the paths of `to`; false names the first that could not go.
bool moveOutputs(const RunFiles& from, const RunFiles& to, std::string& failed) {
    const std::pair<std::string, std::string> moves[] = {
        {from.report, to.report},
        {from.plot, to.plot},
        {from.runtime, to.runtime},
        {from.trace, to.trace},
        {(fs::path(from.folder) / "TZDATA.DAT").string(),
         (fs::path(to.project).parent_path() / "TZDATA.DAT").string()}};
    for (const auto& [a, b] : moves) {
        std::error_code ec;
        if (a.empty() || !fs::exists(a, ec)) continue;
        fs::rename(a, b, ec);
        if (ec) {
            failed = b;
            return false;
        }
    }
    return true;
}

int runSingle(const std::string& project, bool quiet, bool trace, bool privateFolder) {
    std::error_code ec;
    const fs::path abs = fs::absolute(project, ec);
    if (ec || !fs::is_regular_file(abs, ec)) {
        printError("project file not found: " + project);
        return kUsageError;
    }
    auto files = runFiles(fs::weakly_canonical(abs, ec).string());
    if (trace) files.trace = tracePath(files.project);
    const auto library = executableDir() + "/Korven2012_DLL.so";
    RunOutcome outcome;
    if (privateFolder) {
        PrivateFolder own(fs::path(files.project).parent_path());
        if (own.path().empty()) {
            printError("cannot make a folder for the run beside " + files.project);
            return kUsageError;
        }
        RunFiles inside = files;
        for (std::string* f : {&inside.report, &inside.plot, &inside.runtime, &inside.trace})
            if (!f->empty()) *f = (own.path() / fs::path(*f).filename()).string();
        inside.folder = own.path().string();
        outcome       = runEngineLibrary(library, inside, quiet);
        std::string failed;
        if (outcome.ok && !moveOutputs(inside, files, failed)) {
            printError("cannot write " + failed);
            return kUsageError;
        }
    } else {
        outcome = runEngineLibrary(library, files, quiet);
    }
    if (!outcome.ok) {
        printError(outcome.error);
        return kUsageError;
    }

    std::cout << "Report:        " << files.report << "\n"
              << "Plot data:     " << files.plot << "\n"
              << "Runtime file:  " << files.runtime << "\n";
    if (trace) std::cout << "Trace:         " << files.trace << "\n";
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
    std::vector<std::string> projects;
    bool quiet         = false;
    bool privateFolder = false;  // set by a run of many for each of its child processes
    BatchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << kRunHelp;
            return 0;
        }
        if (a == "--quiet" || a == "-q")
            quiet = true;
        else if (a == "--trace")
            options.trace = true;
        else if (a == kPrivateFolderOption)
            privateFolder = true;
        else if (a == "-j" || (a.starts_with("-j") && a.size() > 2)) {
            const std::string n = a.size() > 2 ? a.substr(2) : i + 1 < args.size() ? args[++i] : "";
            options.jobs        = parseJobs(n);
            if (options.jobs == 0) {
                printError("-j needs a number of runs from 1 to 1024, not '" + n + "'");
                return kUsageError;
            }
        } else if (!a.starts_with('-'))
            projects.push_back(a);
        else {
            printError("unexpected argument '" + a + "' (see korven run --help)");
            return kUsageError;
        }
    }
    if (projects.empty()) {
        printError("no project given (usage: korven run PROJECT.kvd)");
        return kUsageError;
    }
    if (projects.size() == 1)
        return runSingle(projects.front(), quiet, options.trace, privateFolder);

    const auto runs = runBatch(projects, options);
    std::cout << summaryTable(runs);
    bool allDone = true;
    for (const auto& r : runs)
        if (r.status != 0) {
            allDone = false;
            printError(r.project + ": " + r.message);
        }
    return allDone ? 0 : 1;
}

}  // namespace korven::cli
