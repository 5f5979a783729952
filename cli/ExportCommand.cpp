// korven export: a project's results as JSON or CSV.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Commands.h"
#include "EngineRun.h"
#include "Export.h"
#include "ProjectFiles.h"
#include "Results.h"
#include "entry/SystemTables.h"
#include "graphs/PlotLoad.h"
#include "project/PlotInput.h"
#include "project/ProgramData.h"

namespace fs = std::filesystem;

namespace korven::cli {
namespace {

constexpr const char* kExportHelp =
    "usage: korven export PROJECT.kvd [--format json|csv] [--out PATH] [--no-run]\n"
    "\n"
    "Writes the results of a project in machine-readable form: every diameter's\n"
    "capacity rows (length, volume, QS, QB or WT, QU, the design columns and\n"
    "QU/volume as the report's capacity table has them) and every settlement line\n"
    "(top load, top movement, tip load, tip movement), in the project's units with\n"
    "the unit names, and the most efficient shaft of the report. Numbers always\n"
    "use \".\" as the decimal separator. The layout is described in docs/export.md\n"
    "and docs/export.schema.json.\n"
    "\n"
    "The plot data file beside the project is read as the desktop program reads\n"
    "it; when it or the report is missing or older than the project, the analysis\n"
    "is run first.\n"
    "\n"
    "  --format json   one JSON document (the default), on standard output unless\n"
    "                  --out names a file\n"
    "  --format csv    two tables with a header row: PATH.capacity.csv and\n"
    "                  PATH.settlement.csv, PATH being the project without .kvd\n"
    "                  unless --out gives it\n"
    "  --out PATH      where to write (see --format)\n"
    "  --no-run        refuse, instead of running, when the results are not current\n"
    "\n"
    "Exit status: 0 when the results were written; 1 when the analysis or the\n"
    "reading of its files failed; 2 for a usage error or a missing project file.\n";

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int exportCommand(const std::vector<std::string>& args) {
    std::string project, format = "json", outPath;
    bool noRun = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << kExportHelp;
            return 0;
        }
        if ((a == "--format" || a == "--out") && i + 1 >= args.size()) {
            printError(a + " needs a value (see korven export --help)");
            return kUsageError;
        }
        if (a == "--format") {
            format = args[++i];
            if (format != "json" && format != "csv") {
                printError("unknown format '" + format + "': json or csv");
                return kUsageError;
            }
        } else if (a == "--out")
            outPath = args[++i];
        else if (a == "--no-run")
            noRun = true;
        else if (project.empty() && !a.starts_with('-'))
            project = a;
        else {
            printError("unexpected argument '" + a + "' (see korven export --help)");
            return kUsageError;
        }
    }
    if (project.empty()) {
        printError("no project given (usage: korven export PROJECT.kvd)");
        return kUsageError;
    }
    std::error_code ec;
    const fs::path abs = fs::absolute(project, ec);
    if (ec || !fs::is_regular_file(abs, ec)) {
        printError("project file not found: " + project);
        return kUsageError;
    }
    const RunFiles files = runFiles(fs::weakly_canonical(abs, ec).string());
    if (noRun && !resultsCurrent(files)) {
        printError(project + ": the results are missing or older than the project (--no-run)");
        return 1;
    }
    std::string error;
    if (!ensureResults(files, error)) {
        printError(project + ": " + error);
        return 1;
    }

    TProgramData data;
    if (const TFileResult read = data.LoadFromFile(files.project); !read) {
        printError(project + ": " + read.Message);
        return 1;
    }
    TPlotProject values                 = PlotProjectOf(data);
    const std::vector<TLayerRow> layers = LayerRowsOf(data);
    TResultGraphs graphs;
    if (!graphs.LoadPlotData(files.plot, values, layers, &error)) {
        printError(files.plot + ": " + error);
        return 1;
    }
    const RunResults results = readResults(readFile(files.report), readFile(files.runtime));
    if (results.diameters.empty()
        || static_cast<int>(results.diameters.size()) != graphs.pltSkin.LineCount()) {
        printError(files.report + ": the report does not hold the results of the plot data file");
        return 1;
    }

    const ExportProject meta{files.project, data.Title, data.DesignControl};
    if (format == "json") {
        const std::string text = exportJson(meta, results);
        if (outPath.empty() || outPath == "-") {
            std::cout << text;
        } else if (!writeFile(outPath, text)) {
            printError("cannot write " + outPath);
            return 1;
        }
        return 0;
    }
    std::string stem =
        outPath.empty() ? fs::path(files.project).replace_extension().string() : outPath;
    const std::pair<std::string, std::string> tables[] = {
        {stem + ".capacity.csv", capacityCsv(results)},
        {stem + ".settlement.csv", settlementCsv(results)}};
    for (const auto& [path, text] : tables) {
        if (!writeFile(path, text)) {
            printError("cannot write " + path);
            return 1;
        }
        std::cout << path << "\n";
    }
    return 0;
}

}  // namespace korven::cli
