// korven sweep: the product of parameter lists written as projects, run, and gathered into one
// table.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Batch.h"
#include "Commands.h"
#include "EngineRun.h"
#include "Numbers.h"
#include "Results.h"
#include "Sweep.h"
#include "project/ProgramData.h"

namespace fs = std::filesystem;

namespace korven::cli {
namespace {

constexpr std::size_t kMaxProjects = 10000;

std::string sweepHelp() {
    std::string h =
        "usage: korven sweep PROJECT.kvd --set NAME=LIST [--set NAME=LIST ...]\n"
        "                    [--out DIR] [-j N]\n"
        "\n"
        "Writes one project for every combination of the values of the lists into DIR\n"
        "(default: PROJECT-sweep beside the project), each a copy of PROJECT.kvd with\n"
        "the fields set, named by its values (PROJECT_diameter=3.5_length=40.kvd) and\n"
        "written as the desktop program writes projects, runs them as korven run does\n"
        "with many projects, and gathers the results into DIR/sweep.csv: one row per\n"
        "project with its values, the governing diameter and length, QU and the design\n"
        "value (QDN, or LRFD QU) of the most efficient shaft, the top movement at the\n"
        "design load on the trend line of that diameter (under a design length, at the\n"
        "design value; empty without a trend line or beyond its last row), and the\n"
        "warning and error blocks of the runtime file. All in the project's units.\n"
        "On a terminal a bar on standard error shows the runs done.\n"
        "\n"
        "LIST is a,b,c or start:stop:step (stop included). NAME is one of:\n";
    for (const auto& f : sweepFields()) {
        std::string name = f.name;
        name.resize(18, ' ');
        h += "  " + name + f.help + "\n";
    }
    h += "length and load exclude each other.\n"
         "\n"
         "  --set NAME=LIST   a parameter and its values (at most 1000 each, 10000\n"
         "                    projects in all)\n"
         "  --out DIR         the folder of the projects and sweep.csv\n"
         "  -j N              run at most N projects at a time (default: the number of\n"
         "                    cores)\n"
         "\n"
         "Exit status: 0 when every analysis ran to its end; 1 when any stopped or\n"
         "failed, or a project could not be written; 2 for a usage error.\n";
    return h;
}

struct Parameter {
    const SweepField* field;
    std::vector<double> values;
};

std::string csvCell(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// One row of sweep.csv from the files a run left.
std::vector<std::string> sweepRow(const BatchRun& run, double designLoad, bool loadControl) {
    const RunFiles files = runFiles(run.project);
    std::vector<std::string> cells(9);
    cells[8] = run.status == 0 ? "ok" : run.status == 1 ? "stopped" : "failed";
    if (run.status == 2) return cells;
    const RunResults r = readResults(readFile(files.report), readFile(files.runtime));
    const int d        = r.si ? 2 : 1;  // the report's decimals of a force
    cells[6]           = std::to_string(r.warnings);
    cells[7]           = std::to_string(r.errors);
    const auto g       = r.governing();
    if (!g) return cells;
    const auto& dia                  = r.diameters[g->first];
    const auto& row                  = dia.rows[g->second];
    const auto design                = row[r.designColumn()];
    cells[0]                         = fixed(dia.diameter, 3);
    cells[1]                         = row[0] ? fixed(*row[0], 1) : "";
    cells[2]                         = row[4] ? fixed(*row[4], d) : "";
    cells[3]                         = design ? fixed(*design, d) : "";
    const std::optional<double> load = loadControl ? std::optional<double>(designLoad) : design;
    if (load) cells[4] = shortest(*load);
    for (const auto& line : dia.settlement)
        if (line.name == "trend" && load) {
            std::vector<std::pair<double, double>> points;
            for (const auto& p : line.rows) points.emplace_back(p.topLoad, p.topMovement);
            if (const auto m = movementAt(points, *load)) cells[5] = significant(*m, 4);
        }
    return cells;
}

}  // namespace

int sweepCommand(const std::vector<std::string>& args) {
    std::string project, outDir;
    std::vector<Parameter> parameters;
    BatchOptions options;
    options.progress = BatchOptions::Progress::Bar;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::cout << sweepHelp();
            return 0;
        }
        if ((a == "--set" || a == "--out" || a == "-j") && i + 1 >= args.size()) {
            printError(a + " needs a value (see korven sweep --help)");
            return kUsageError;
        }
        if (a == "--set") {
            const std::string& s = args[++i];
            const auto eq        = s.find('=');
            const SweepField* f  = findSweepField(s.substr(0, eq));
            if (eq == std::string::npos || !f) {
                printError("--set " + s + ": no such parameter (see korven sweep --help)");
                return kUsageError;
            }
            for (const auto& p : parameters)
                if (p.field == f) {
                    printError("--set " + s + ": " + f->name + " is set twice");
                    return kUsageError;
                }
            std::string error;
            const auto values = parseSweepList(s.substr(eq + 1), error);
            if (!values) {
                printError("--set " + s + ": " + error);
                return kUsageError;
            }
            parameters.push_back({f, *values});
        } else if (a == "--out")
            outDir = args[++i];
        else if (a == "-j" || (a.starts_with("-j") && a.size() > 2)) {
            const std::string n = a.size() > 2 ? a.substr(2) : args[++i];
            options.jobs        = parseJobs(n);
            if (options.jobs == 0) {
                printError("-j needs a number of runs from 1 to 1024, not '" + n + "'");
                return kUsageError;
            }
        } else if (project.empty() && !a.starts_with('-'))
            project = a;
        else {
            printError("unexpected argument '" + a + "' (see korven sweep --help)");
            return kUsageError;
        }
    }
    if (project.empty() || parameters.empty()) {
        printError(
            "a project and at least one --set are needed (usage: korven sweep "
            "PROJECT.kvd --set NAME=LIST)");
        return kUsageError;
    }
    bool length = false, load = false;
    std::size_t count = 1;
    for (const auto& p : parameters) {
        length = length || std::string(p.field->name) == "length";
        load   = load || std::string(p.field->name) == "load";
        count *= p.values.size();
        if (count > kMaxProjects) {
            printError("the lists make more than 10000 projects");
            return kUsageError;
        }
    }
    if (length && load) {
        printError(
            "length and load exclude each other: a project has a design length or a "
            "design load");
        return kUsageError;
    }
    std::error_code ec;
    const fs::path abs = fs::absolute(project, ec);
    if (ec || !fs::is_regular_file(abs, ec)) {
        printError("project file not found: " + project);
        return kUsageError;
    }
    const fs::path source = fs::weakly_canonical(abs, ec);
    const fs::path dir = outDir.empty() ? source.parent_path() / (source.stem().string() + "-sweep")
                                        : fs::absolute(outDir, ec);
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) {
        printError("cannot make the folder " + dir.string());
        return 1;
    }

    // every combination, the last list changing fastest
    std::vector<std::string> projects;
    std::vector<std::vector<double>> combos;
    std::vector<double> designLoads;
    bool loadControl = false;
    bool si          = false;
    for (std::size_t n = 0; n < count; ++n) {
        std::vector<double> combo(parameters.size());
        std::size_t rest = n;
        for (std::size_t k = parameters.size(); k-- > 0;) {
            combo[k] = parameters[k].values[rest % parameters[k].values.size()];
            rest /= parameters[k].values.size();
        }
        TProgramData data;
        if (const TFileResult read = data.LoadFromFile(source.string()); !read) {
            printError(project + ": " + read.Message);
            return 1;
        }
        std::string name = source.stem().string();
        for (std::size_t k = 0; k < parameters.size(); ++k) {
            parameters[k].field->apply(data, combo[k]);
            name += std::string("_") + parameters[k].field->name + "=" + shortest(combo[k]);
        }
        data.FileName = (dir / (name + ".kvd")).string();
        if (const TFileResult saved = data.SaveToFile(); !saved) {
            printError(data.FileName + ": " + saved.Message);
            return 1;
        }
        loadControl = data.DesignControl == 1;
        si          = data.Units == 2;
        projects.push_back(data.FileName);
        combos.push_back(combo);
        designLoads.push_back(static_cast<double>(data.DesignLoad));
    }

    const auto runs = runBatch(projects, options);

    std::string csv = "PROJECT";
    for (const auto& p : parameters) csv += std::string(",") + p.field->name;
    const std::string len = si ? " (m)" : " (ft)", force = si ? " (kN)" : " (tons)";
    csv += ",DIAMETER" + len + ",LENGTH" + len + ",QU" + force + ",DESIGN VALUE" + force
           + ",DESIGN LOAD" + force + ",TOP MOVEMENT" + (si ? " (m)" : " (in)")
           + ",WARNINGS,ERRORS,RESULT\n";
    bool allDone = true;
    for (std::size_t n = 0; n < runs.size(); ++n) {
        csv += csvCell(fs::path(projects[n]).filename().string());
        for (double v : combos[n]) csv += "," + shortest(v);
        for (const auto& c : sweepRow(runs[n], designLoads[n], loadControl)) csv += "," + c;
        csv += "\n";
        if (runs[n].status != 0) {
            allDone = false;
            printError(fs::path(projects[n]).filename().string() + ": " + runs[n].message);
        }
    }
    const fs::path table = dir / "sweep.csv";
    std::ofstream out(table, std::ios::binary | std::ios::trunc);
    out << csv;
    out.close();
    if (!out) {
        printError("cannot write " + table.string());
        return 1;
    }
    std::cout << table.string() << "\n";
    return allDone ? 0 : 1;
}

}  // namespace korven::cli
