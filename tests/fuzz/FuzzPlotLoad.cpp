// Plot data files loaded into the result graphs: a damaged file fails the load (the graphs keep
// what was filled), never the program.
#include "FuzzTarget.h"
#include "graphs/PlotLoad.h"

using namespace korven;
using namespace korven::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Scratch dir;
    const fs::path file = dir.path() / "case.kvp";
    writeFile(file, text(data, size));
    TResultGraphs graphs;
    TPlotProject project;
    project.MinDiameter = 2;
    std::string error;
    if (!graphs.LoadPlotData(file.string(), project, {{1, 10}, {2, 30}}, &error) && error.empty())
        finding("a failed load gave no message");
    return 0;
}
