// Pictures of the graph windows and the elevation view for the documentation:
//   graph_screenshots OUTPUT_FOLDER   (under a display server)
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

#include "GraphFixture.h"
#include "graphs/PlotForm.h"
#include "graphs/SideView.h"

using namespace korven;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(1100, 800);
    main.show();

    TGraphPlot g;
    testing::FillDepthGraph(g, 3);
    g.ShowLayers    = true;
    TPlotForm* form = ShowGraph(g, area);
    QApplication::processEvents();
    main.grab().save(out + "/graph-window.png");
    form->SaveImage(out + "/graph-saved.png", 6, 4, 96);

    SideViewData data;
    data.shaft  = {3, 38, 3, 45};
    data.layers = {{2, 12}, {1, 24}, {8, 33}, {3, 45}};
    auto* side  = new TDlgSideView([&] { return data; }, nullptr);
    area->addSubWindow(side)->showMaximized();
    QApplication::processEvents();
    main.grab().save(out + "/elevation-view.png");
    return 0;
}
