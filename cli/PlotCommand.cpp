// korven plot: the result graphs and the elevation view of a project written as PNG, PDF or SVG
// files without a display, with a measured load test over the load-settlement graphs.
#include <QGuiApplication>
#include <QLocale>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include "Commands.h"
#include "EngineRun.h"
#include "ProjectFiles.h"
#include "entry/SystemTables.h"
#include "graphs/GraphExport.h"
#include "graphs/LoadTest.h"
#include "graphs/LoadTestOverlay.h"
#include "graphs/PlotLoad.h"
#include "project/GeneralFormat.h"
#include "project/PlotInput.h"
#include "project/ProgramData.h"

namespace fs = std::filesystem;

namespace korven::cli {
namespace {

constexpr const char* kPlotHelp =
    "usage: korven plot PROJECT.kvd --out DIR [--format png|pdf|svg] [--graphs LIST]\n"
    "                   [--size WxH] [--dpi N] [--no-layers]\n"
    "                   [--load-test FILE.csv --diameter D]\n"
    "\n"
    "Writes the twelve result graphs and the elevation view of a project into DIR,\n"
    "drawn by the same code as the desktop program's graph windows (as their\n"
    "Save To Disk command draws them: legend box included). No display is needed.\n"
    "The files are named by number and graph, 01-ultimate-skin-friction.png to\n"
    "12-load-settlement-combined.png and 13-elevation-view.png. When the plot data\n"
    "file is missing or older than the project, the analysis is run first.\n"
    "\n"
    "  --out DIR          folder for the files (made when missing)\n"
    "  --format F         png (default), pdf or svg\n"
    "  --graphs LIST      comma-separated numbers (1 to 13), file names such as\n"
    "                     load-settlement-trend, or Graphics menu captions such as\n"
    "                     \"Axial Load vs Settlement (averaged)\"; default: all\n"
    "  --size WxH         picture size in pixels (default 960x640)\n"
    "  --dpi N            resolution the layout is measured in (default 96)\n"
    "  --no-layers        depth graphs without the soil-layer strip\n"
    "  --load-test FILE   a measured load test (see docs/load-tests.md) drawn over\n"
    "                     the load-settlement graphs, with the load at a settlement\n"
    "                     of 5 % of the diameter; its table is printed\n"
    "  --diameter D       the run's diameter the test is compared with, in ft or m\n"
    "                     of the project (default: the diameter the test records)\n"
    "\n"
    "Exit status: 0 when every graph asked for was written; 1 when the analysis,\n"
    "the results or a file failed, or a graph asked for could not be drawn; 2 for\n"
    "a usage error or a damaged load test.\n";

struct PlotOptions {
    std::string project, out, loadTest;
    ImageFormat format = ImageFormat::Png;
    std::vector<int> graphs;  ///< numbers 1 to 13; empty: all
    bool explicitGraphs = false;
    int width = 960, height = 640, dpi = 96;
    bool layers          = true;
    long double diameter = 0;
    bool diameterGiven   = false;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return s;
}

bool ParseInt(const std::string& s, int lo, int hi, int& v) {
    long double x = 0;
    if (!ParseReal(s, '.', x) || x != static_cast<long double>(static_cast<long long>(x)) || x < lo
        || x > hi)
        return false;
    v = static_cast<int>(x);
    return true;
}

// a graph by number, file name or menu caption
int GraphNumber(const std::string& item) {
    int n = 0;
    if (ParseInt(item, 1, kElevationNumber, n)) return n;
    const std::string key = Lower(item);
    for (const TGraphFile& f : GraphFiles())
        if (key == f.Slug || key == Lower(f.Caption)) return f.Number;
    return 0;
}

bool SplitList(const std::string& list, std::vector<int>& out, std::string& bad) {
    std::stringstream s(list);
    std::string item;
    while (std::getline(s, item, ',')) {
        while (!item.empty() && item.front() == ' ') item.erase(item.begin());
        while (!item.empty() && item.back() == ' ') item.pop_back();
        const int n = GraphNumber(item);
        if (n == 0) {
            bad = item;
            return false;
        }
        if (std::find(out.begin(), out.end(), n) == out.end()) out.push_back(n);
    }
    return !out.empty();
}

// 0 when parsed, else the exit status
int ParseArgs(const std::vector<std::string>& args, PlotOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a  = args[i];
        const bool takesValue = a == "--out" || a == "--format" || a == "--graphs" || a == "--size"
                                || a == "--dpi" || a == "--load-test" || a == "--diameter";
        if (takesValue && i + 1 >= args.size()) {
            printError(a + " needs a value (see korven plot --help)");
            return kUsageError;
        }
        if (a == "--out") {
            o.out = args[++i];
        } else if (a == "--format") {
            const std::string f = Lower(args[++i]);
            if (!ParseImageFormat(f, o.format)) {
                printError("unknown format '" + args[i] + "': png, pdf or svg");
                return kUsageError;
            }
        } else if (a == "--graphs") {
            std::string bad;
            if (!SplitList(args[++i], o.graphs, bad)) {
                printError("unknown graph '" + bad + "' (numbers 1 to 13, see korven plot --help)");
                return kUsageError;
            }
            o.explicitGraphs = true;
        } else if (a == "--size") {
            const std::string& s = args[++i];
            const auto x         = s.find('x');
            if (x == std::string::npos || !ParseInt(s.substr(0, x), 100, 10000, o.width)
                || !ParseInt(s.substr(x + 1), 100, 10000, o.height)) {
                printError("--size is WxH in pixels, each from 100 to 10000, not '" + s + "'");
                return kUsageError;
            }
        } else if (a == "--dpi") {
            if (!ParseInt(args[++i], 10, 1200, o.dpi)) {
                printError("--dpi is a whole number from 10 to 1200, not '" + args[i] + "'");
                return kUsageError;
            }
        } else if (a == "--no-layers") {
            o.layers = false;
        } else if (a == "--load-test") {
            o.loadTest = args[++i];
        } else if (a == "--diameter") {
            if (!ParseReal(args[++i], '.', o.diameter) || !(o.diameter > 0) || o.diameter > 1000) {
                printError("--diameter is a positive number (ft or m), not '" + args[i] + "'");
                return kUsageError;
            }
            o.diameterGiven = true;
        } else if (o.project.empty() && !a.starts_with('-')) {
            o.project = a;
        } else {
            printError("unexpected argument '" + a + "' (see korven plot --help)");
            return kUsageError;
        }
    }
    if (o.project.empty()) {
        printError("no project given (usage: korven plot PROJECT.kvd --out DIR)");
        return kUsageError;
    }
    if (o.out.empty()) {
        printError("no output folder given (--out DIR)");
        return kUsageError;
    }
    if (o.diameterGiven && o.loadTest.empty()) {
        printError("--diameter goes with --load-test");
        return kUsageError;
    }
    return 0;
}

// a display server is not needed and none may be there
void UseOffscreenWithoutDisplay() {
    const auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v != nullptr && *v != '\0';
    };
    if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

std::string Num(long double v, int digits) { return FormatGeneral(v, digits); }

void PrintTable(const TCriterionTable& t, const std::string& test) {
    const QString force = UnitName(QStringLiteral("F2"), t.Units);
    std::cout << "Load test " << test
              << ": load at a settlement of 5 % D = " << Num(t.Settlement, 4) << " "
              << UnitName(QStringLiteral("L"), t.Units).toStdString() << " ("
              << t.Diameter.toStdString() << ")\n";
    std::cout << "  " << std::left << std::setw(14) << "" << std::setw(16)
              << ("load (" + force.toStdString() + ")") << "predicted / measured\n";
    for (const TCriterionRow& r : t.Rows) {
        const std::string load = r.Load.Reached ? Num(r.Load.Load, 5) : "not reached";
        std::cout << "  " << std::setw(14) << r.Label.toStdString();
        if (r.HasRatio)
            std::cout << std::setw(16) << load << Num(std::round(r.Ratio * 100) / 100, 3);
        else
            std::cout << load;
        std::cout << "\n";
    }
}

}  // namespace

int plotCommand(const std::vector<std::string>& args) {
    // a scripted tool writes the same files and tables whatever the user's locale: "." throughout
    QLocale::setDefault(QLocale::c());
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << kPlotHelp;
            return 0;
        }
    PlotOptions o;
    if (const int status = ParseArgs(args, o); status != 0) return status;

    std::error_code ec;
    const fs::path abs = fs::absolute(o.project, ec);
    if (ec || !fs::is_regular_file(abs, ec)) {
        printError("project file not found: " + o.project);
        return kUsageError;
    }
    TLoadTestRead test;
    if (!o.loadTest.empty()) {
        test = ReadLoadTest(o.loadTest);
        if (!test.Ok) {
            printError(test.Error);
            return kUsageError;
        }
    }
    fs::create_directories(o.out, ec);
    if (!fs::is_directory(o.out, ec)) {
        printError("cannot make the output folder " + o.out);
        return 1;
    }

    // the engine runs before the toolkit takes over the locale
    const RunFiles files = runFiles(fs::weakly_canonical(abs, ec).string());
    std::string error;
    if (!ensureResults(files, error)) {
        printError(o.project + ": " + error);
        return 1;
    }

    TProgramData data;
    if (const TFileResult read = data.LoadFromFile(files.project); !read) {
        printError(o.project + ": " + read.Message);
        return 1;
    }
    TPlotProject values                 = PlotProjectOf(data);
    const std::vector<TLayerRow> layers = LayerRowsOf(data);
    SideViewData side;
    side.shaft = {data.MinDiameter, data.DesignLength, data.BellRatio, data.BellAngle};
    for (const TLayerRow& l : layers) side.layers.push_back({l.SoilType, l.BottomDepth});
    auto graphs = std::make_unique<TResultGraphs>();
    if (!graphs->LoadPlotData(files.plot, values, layers, &error)) {
        printError(files.plot + ": " + error);
        return 1;
    }
    const bool bounds = values.SettlementAvailable != 0;

    if (test.Ok) {
        const int count = graphs->pltAxial.LineCount();
        long double d   = o.diameter;
        if (!o.diameterGiven && test.Test.Diameter > 0)
            d = DiameterToProject(test.Test.Diameter, test.Test.Units, data.Units);
        const int index = RunDiameterIndex(d, data.MinDiameter, count, data.Units);
        if (index < 0) {
            std::string list;
            for (int i = 0; i < count; ++i)
                list += (i ? ", " : "") + Num(RunDiameter(i, data.MinDiameter, data.Units), 15);
            printError((o.diameterGiven || test.Test.Diameter > 0
                            ? "the diameter " + Num(d, 15) + " is not one of the run's ("
                            : "--diameter is needed with a load test; the run's diameters are (")
                       + list + (data.Units == 2 ? " m)" : " ft)"));
            return kUsageError;
        }
        std::vector<TCurvePoint> measured;
        if (!MeasuredCurve(test.Test, data.Units, RunDiameter(index, data.MinDiameter, data.Units),
                           data.ShaftModulus, measured, error)) {
            printError(o.loadTest + ": " + error);
            return kUsageError;
        }
        const TCriterionTable table =
            CriterionTable(*graphs, measured, index,
                           RunDiameter(index, data.MinDiameter, data.Units), data.Units, bounds);
        ApplyLoadTest(*graphs, QString::fromStdString(test.Test.Name), measured, table, index);
        PrintTable(table, test.Test.Name);
    }

    UseOffscreenWithoutDisplay();
    // the toolkit's notes (a missing runtime folder and the like) are no errors of this command
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << "\n";
    });
    static int argc     = 1;
    static char name[]  = "korven";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    std::vector<int> wanted = o.graphs;
    if (wanted.empty())
        for (const TGraphFile& f : GraphFiles()) wanted.push_back(f.Number);
    const auto all = graphs->All();
    bool failed    = false;
    for (const int n : wanted) {
        const TGraphFile& f = GraphFiles()[static_cast<std::size_t>(n - 1)];
        const QString path =
            QString::fromStdString(o.out) + QLatin1Char('/') + GraphFileName(f, o.format);
        const QString title = QString::fromLatin1(f.Caption);
        QString why;
        bool written = false;
        if (n == kElevationNumber) {
            written = WriteSideView(side, path, o.format, o.width, o.height, o.dpi, title, why);
        } else if (n >= 10 && !bounds) {
            why = QStringLiteral("the results hold no settlement bounds");
        } else {
            TGraphPlot& g = *all[static_cast<std::size_t>(n - 1)];
            g.ShowLayers  = o.layers && g.LayerCount() > 0;
            written       = WriteGraph(g, path, o.format, o.width, o.height, o.dpi, title, why);
        }
        if (written) {
            std::cout << path.toStdString() << "\n";
        } else {
            printError(GraphFileName(f, o.format).toStdString()
                       + " not written: " + why.toStdString());
            // a graph the results cannot have is no failure unless it was asked for
            if (o.explicitGraphs || n < 10 || bounds) failed = true;
        }
    }
    return failed ? 1 : 0;
}

}  // namespace korven::cli
