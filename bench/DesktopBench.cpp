// Speed of the desktop program's path through the large example without showing a window:
// open the project, run the engine, load the twelve result graphs; and of the plot loader alone.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "entry/Resources.h"
#include "graphs/PlotLoad.h"
#include "project/MainForm.h"
#include "project/Messages.h"
#include "project/ProjectHolder.h"

using namespace korven;

namespace {

constexpr const char* kExample = "large-20-layers-58-diameters.kvd";

// Every message box is answered at once, so a run does not wait for anyone.
struct TAnswerAll final : TMessageSink {
    int Shown = 0;
    TMsgAnswer Show(QWidget*, TMsgKind, const QString&, TMsgButtons buttons) override {
        ++Shown;
        return buttons == TMsgButtons::YesNoCancel ? TMsgAnswer::No : TMsgAnswer::Ok;
    }
};

// A main window that is never shown, working in a folder of its own.
struct TDesktop {
    QTemporaryDir Work;
    TAnswerAll Messages;
    std::unique_ptr<TMainForm> Form;
    QString Project;

    TDesktop() {
        Project = Work.filePath(QLatin1String("large.kvd"));
        QFile::copy(QStringLiteral(KORVEN_SOURCE_DIR "/examples/") + QLatin1String(kExample),
                    Project);
        SetMessageSink(&Messages);
        Form = std::make_unique<TMainForm>();
        Form->StartUp({});
        Form->SetLibraryPath(QStringLiteral(KORVEN_BIN_DIR "/Korven2012_DLL.so"));
    }
    ~TDesktop() {
        Form.reset();
        SetMessageSink(nullptr);
        QDir::setCurrent(QDir::tempPath());
    }
    TDesktop(const TDesktop&)            = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    bool OpenRunLoad() {
        Form->OpenProject(Project, true);
        Form->findChild<QAction*>(QStringLiteral("CompRun"))->trigger();
        return Form->ResultsLoaded;
    }
};

}  // namespace

static void DesktopOpenRunLoad(benchmark::State& state) {
    TDesktop desktop;
    for (auto _ : state) {
        if (!desktop.OpenRunLoad()) {
            state.SkipWithError("the results did not load");
            return;
        }
    }
    int lines = 0;
    for (TGraphPlot* g : desktop.Form->Graphs().All()) lines += g->LineCount();
    state.counters["graph_lines"] = lines;
}
BENCHMARK(DesktopOpenRunLoad)->Unit(benchmark::kMillisecond);

static void PlotLoadLarge(benchmark::State& state) {
    TDesktop desktop;
    if (!desktop.OpenRunLoad()) {
        state.SkipWithError("the results did not load");
        return;
    }
    const QString plot           = desktop.Work.filePath(QLatin1String("large.kvp"));
    state.counters["plot_bytes"] = static_cast<double>(QFile(plot).size());
    for (auto _ : state) {
        if (!desktop.Form->Holder().LoadPlots(plot, false)) {
            state.SkipWithError("the plot data file did not load");
            return;
        }
    }
}
BENCHMARK(PlotLoadLarge)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    QApplication app(argc, argv);
    InitResources();
    QLocale::setDefault(QLocale::c());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
