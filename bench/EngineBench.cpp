// Speed of the record formatter and of a whole run of each example project.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "run/Format.h"
#include "run/RunControl.h"

namespace fs = std::filesystem;
using namespace korven::run;

static void FormatResultRow(benchmark::State& state) {
    constexpr Format kRow = "(1X,F8.1,F10.2,5F10.1,F10.3)";
    float x               = 1.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            format(kRow, x, 12.5f, 100.0f, 60.0f, 160.0f, 120.0f, 70.0f, 1.234f));
        x += 0.5f;
    }
}
BENCHMARK(FormatResultRow);

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
    for (auto _ : state) benchmark::DoNotOptimize(runEngine(noConsole));
    fs::current_path(previous);
    fs::remove_all(dir);
}
BENCHMARK_CAPTURE(WholeRun, bridge, "bridge-clay-design-load.kvd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, layered, "layered-sand-clay-design-length.kvd")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeRun, si_rock, "si-clay-sand-over-rock.kvd")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
