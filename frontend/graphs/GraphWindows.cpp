// Connects the main window's Graphics menu and elevation command to the graph windows.
#include "graphs/GraphWindows.h"

#include <QPointer>

#include "entry/SystemTables.h"
#include "graphs/LoadTestCommand.h"
#include "graphs/PlotForm.h"
#include "graphs/PlotLoad.h"
#include "graphs/SideView.h"
#include "project/MainForm.h"
#include "project/ProgramData.h"

namespace korven {

namespace {

SideViewData ReadProject(const TMainForm& form) {
    const TProgramData& p = form.Project();
    SideViewData d;
    d.shaft                = {p.MinDiameter, p.DesignLength, p.BellRatio, p.BellAngle};
    const TGridTable& soil = p.Tables().SoilLayers();
    for (int r = 0; r < soil.RowCount(); ++r)
        d.layers.push_back(
            {soil.Column(kSoilType).IntegerAt(r), soil.Column(kSoilDepth).FloatAt(r)});
    return d;
}

}  // namespace

void InstallGraphWindows(TMainForm& form) {
    form.OnShowGraph = [](TMainForm& f, int index) {
        const auto graphs = f.Graphs().All();
        if (index >= 0 && index < static_cast<int>(graphs.size()))
            ShowGraph(*graphs[static_cast<std::size_t>(index)], f.MdiArea());
    };
    form.OnResultsLoaded = [](TMainForm& f) {
        for (TGraphPlot* g : f.Graphs().All())
            if (TPlotForm* open = GraphWindow(*g)) open->Reload();
    };
    form.OnLoadTest     = LoadTestClick;
    form.OnPlotsLoaded  = RestoreLoadTest;
    form.OnShowSideView = [view = QPointer<TDlgSideView>()](TMainForm& f) mutable {
        if (!view) {
            view = new TDlgSideView([&f] { return ReadProject(f); },
                                    [&f](long double L) { f.Project().DesignLength = L; });
        }
        f.ShowChild(view);
        view->FormActivate();
    };
}

}  // namespace korven
