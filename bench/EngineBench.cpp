// Speed of the record formatter and of whole runs of the example projects, the large one first.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "run/Format.h"
#include "run/RunContext.h"
#include "run/RunControl.h"

namespace fs = std::filesystem;
using namespace korven::run;

namespace {

constexpr Format kRow       = "(1X,F8.1,1X,F8.1,F9.1,F9.1,F9.1,2F9.1,1X,F9.2)";
constexpr Format kPlotEntry = "(5(1X,E10.3))";

// Standard output goes to /dev/null while it lives, as `korven run --quiet` sends it.
class NoConsole {
public:
    NoConsole() {
        std::fflush(stdout);
        saved_         = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0) dup2(null, STDOUT_FILENO);
        if (null >= 0) close(null);
    }
    ~NoConsole() {
        if (saved_ < 0) return;
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }
    NoConsole(const NoConsole&)            = delete;
    NoConsole& operator=(const NoConsole&) = delete;

private:
    int saved_ = -1;
};

}  // namespace

// One row of the capacity table as a string (the form the echo and the tests use).
static void FormatRowToString(benchmark::State& state) {
    float x = 1.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            format(kRow, x, 12.5f, 100.0f, 60.0f, 160.0f, 120.0f, 70.0f, 1.234f));
        x += 0.5f;
    }
}
BENCHMARK(FormatRowToString);

// One row of the capacity table and one plot entry into a channel's buffer, as the engine writes
// them.
static void FormatRowIntoChannel(benchmark::State& state) {
    Channel ch;
    if (!ch.open("/dev/null")) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    float x = 1.0f;
    for (auto _ : state) {
        ch.write(kRow, x, 12.5f, 100.0f, 60.0f, 160.0f, 120.0f, 70.0f, 1.234f);
        ch.write(kPlotEntry, x, 1234.5f, 0.00123f, 98765.4f, 3.25f);
        x += 0.5f;
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(FormatRowIntoChannel);

static void WholeRun(benchmark::State& state, const char* example) {
    const fs::path dir = fs::temp_directory_path() / "korven-bench";
    fs::create_directories(dir);
    fs::copy_file(fs::path(KORVEN_SOURCE_DIR) / "examples" / example, dir / "p.kvd",
                  fs::copy_options::overwrite_existing);
    const std::string base = (dir / "p").string();
    std::ofstream(dir / "names.dat") << "2012.7.2\n"
                                     << base << ".kvd\n"
                                     << base << ".kvo\n"
                                     << base << ".kvp\n"
                                     << base << ".kvr\n";
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    std::istringstream noConsole;
    {
        NoConsole quiet;
        for (auto _ : state) benchmark::DoNotOptimize(runEngine(noConsole));
    }
    state.counters["report_bytes"] = static_cast<double>(fs::file_size(dir / "p.kvo"));
    state.counters["plot_bytes"]   = static_cast<double>(fs::file_size(dir / "p.kvp"));
    fs::current_path(previous);
    fs::remove_all(dir);
}
BENCHMARK_CAPTURE(WholeRun, large, "large-20-layers-58-diameters.kvd")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, bridge, "bridge-clay-design-load.kvd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, layered, "layered-sand-clay-design-length.kvd")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, si_rock, "si-clay-sand-over-rock.kvd")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
