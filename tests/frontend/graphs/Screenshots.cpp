// Pictures of the graph windows and the elevation view for the documentation:
//   graph_screenshots OUTPUT_FOLDER   (under a display server)
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>

#include "graphs/PlotForm.h"
#include "graphs/PlotLoad.h"
#include "graphs/SideView.h"
#include "project/MainForm.h"
#include "project/MainRules.h"

using namespace korven;

namespace {

// named as the main window names it
void Name(TPlotForm& window, const TResultGraphs& graphs, int index) {
    window.SetName(
        GraphWindowName(window.Graph().Caption,
                        QLatin1String(TMainForm::GraphCaptions()[static_cast<std::size_t>(index)]),
                        graphs.pltSkin.Curve(0).DisplayName()));
}

void Shot(QMainWindow& main, const QString& file) {
    QApplication::processEvents();
    main.grab().save(file);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    QMainWindow main;
    main.setWindowTitle(QStringLiteral("KORVEN 2012.7.2"));
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(1100, 780);
    main.show();

    TResultGraphs graphs;
    TPlotProject project;
    project.MinDiameter = 2;
    const std::vector<TLayerRow> layers{{2, 12}, {1, 28}, {8, 40}, {3, 52}, {4, 65}};
    if (!graphs.LoadPlotData(KORVEN_GRAPH_DATA "/Example.kvp", project, layers)) return 1;

    graphs.pltCombine.ShowLayers = true;
    TPlotForm* combined          = ShowGraph(graphs.pltCombine, area);
    Name(*combined, graphs, 6);
    Shot(main, out + "/graph-combined-capacity.png");
    combined->parentWidget()->close();

    TPlotForm* settle = ShowGraph(graphs.pltCombinedSettle, area);
    Name(*settle, graphs, 11);
    Shot(main, out + "/graph-load-settlement-bounds.png");
    settle->SaveImage(out + "/graph-load-settlement-saved.png", 6, 4, 96);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(out + "/graph-load-settlement.pdf");
    pdf.setResolution(300);
    settle->PrintTo(pdf);
    settle->parentWidget()->close();

    SideViewData data;
    data.shaft               = {3, 38, 3, 45};
    data.layers              = {{2, 12}, {1, 24}, {8, 33}, {3, 45}};
    auto* side               = new TDlgSideView([&] { return data; });
    QMdiSubWindow* sideFrame = area->addSubWindow(side);
    QPixmap blank(16, 16);  // as the main window shows its children: no toolkit logo
    blank.fill(Qt::transparent);
    sideFrame->setWindowIcon(QIcon(blank));
    sideFrame->showMaximized();
    Shot(main, out + "/elevation-view.png");
    QPrinter sidePdf(QPrinter::HighResolution);
    sidePdf.setOutputFormat(QPrinter::PdfFormat);
    sidePdf.setOutputFileName(out + "/elevation-view.pdf");
    sidePdf.setResolution(600);
    side->PrintTo(sidePdf);
    return 0;
}
