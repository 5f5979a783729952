// Connects the main window's Graphics menu and elevation command to the graph windows.
#include "graphs/GraphWindows.h"

#include <QPointer>

#include "entry/SystemTables.h"
#include "graphs/LoadTestCommand.h"
#include "graphs/PlotForm.h"
#include "graphs/PlotLoad.h"
#include "graphs/SideView.h"
#include "project/MainForm.h"
#include "project/MainRules.h"
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

// The window's name in the Window menu: the graph's caption, with the diameter it draws when
// it draws one only.
void NameWindow(TMainForm& f, int index, TPlotForm& window) {
    const TGraphPlot& skin = f.Graphs().pltSkin;
    const QString diameter = GraphShowsOneDiameter(index) && skin.LineCount() > 0
                                 ? skin.Curve(0).DisplayName()
                                 : QString();
    window.SetName(GraphWindowName(
        window.Graph().Caption,
        QLatin1String(TMainForm::GraphCaptions()[static_cast<std::size_t>(index)]), diameter));
}

}  // namespace

void InstallGraphWindows(TMainForm& form) {
    form.OnShowGraph = [](TMainForm& f, int index) {
        const auto graphs = f.Graphs().All();
        if (index >= 0 && index < static_cast<int>(graphs.size()))
            if (TPlotForm* w = ShowGraph(*graphs[static_cast<std::size_t>(index)], f.MdiArea()))
                NameWindow(f, index, *w);
    };
    form.OnResultsLoaded = [](TMainForm& f) {
        const auto graphs = f.Graphs().All();
        for (std::size_t i = 0; i < graphs.size(); ++i) {
            QPointer<TPlotForm> open = GraphWindow(*graphs[i]);
            if (!open) continue;
            open->Reload();
            if (open) NameWindow(f, static_cast<int>(i), *open);
        }
    };
    form.OnLoadTest     = LoadTestClick;
    form.OnPlotsLoaded  = RestoreLoadTest;
    form.OnShowSideView = [view = QPointer<TDlgSideView>()](TMainForm& f) mutable {
        if (!view) {
            view = new TDlgSideView([&f] { return ReadProject(f); });
        }
        f.ShowChild(view);
        view->FormActivate();
    };
}

}  // namespace korven
