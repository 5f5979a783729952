// The graph window and the elevation view, driven headless.
#include <QFontDatabase>
#include <QImageReader>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <limits>

#include "GraphFixture.h"
#include "entry/DataEdit.h"
#include "entry/GraphDialogs.h"
#include "graphs/GraphWindows.h"
#include "graphs/PlotForm.h"
#include "graphs/PlotLoad.h"
#include "graphs/SideView.h"
#include "project/MainForm.h"
#include "project/Messages.h"
#include "project/ProgramData.h"

using namespace korven;

namespace {

int CountColour(const QImage& img, QColor c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) ++n;
    return n;
}

// pixels of about colour `c`, antialiased edges included
int CountNear(const QImage& img, QColor c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (qAbs(p.red() - c.red()) + qAbs(p.green() - c.green()) + qAbs(p.blue() - c.blue())
                < 90)
                ++n;
        }
    return n;
}

// a pointer move with no button, as the window system reports it
void MoveTo(QWidget* w, QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QList<QAction*> CurveItems(TPlotForm& form) {
    QList<QAction*> items;
    for (QAction* a : form.PlotMenu()->actions())
        if (a->isCheckable() && a->data().isValid() && !a->menu()) items << a;
    return items;
}

class OneFile : public TFileAsker {
public:
    explicit OneFile(QString path) : path_(std::move(path)) {}
    QString OpenFile(QWidget*, const QString&, const QString&, const QStringList&, int&) override {
        return {};
    }
    QString SaveFile(QWidget*, const QString&, const QString&,
                     const QStringList& filters) override {
        filters_ = filters;
        return path_;
    }
    QString path_;
    QStringList filters_;
};

class Recorder : public TMessageSink {
public:
    TMsgAnswer Show(QWidget*, TMsgKind, const QString& text, TMsgButtons) override {
        texts << text;
        return TMsgAnswer::Ok;
    }
    QStringList texts;
};

// A shown main window with the graph windows installed and the example results loaded.
bool ShowWithExampleResults(TMainForm& main) {
    InstallGraphWindows(main);
    main.resize(1000, 760);
    main.show();
    TPlotProject project;
    project.MinDiameter = 2;
    return main.Graphs().LoadPlotData(KORVEN_GRAPH_DATA "/Example.kvp", project, {});
}

}  // namespace

class PlotFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyResultGraphShowsAfterLoading();
    void opensWithFullRangeAndListsAtMostTwentyCurves();
    void menuFollowsTheGraph();
    void savedImageSize_data();
    void savedImageSize();
    void saveToDiskThroughTheDialogs();
    void saveRefusesImpossibleImages();
    void doubleClickOnLegendHidesTheCurve();
    void pointerReadoutAndZoom();
    void printedPageGoesToPdf();
    void showGraphReusesAndForgetsTheWindow();
    void mainWindowOpensGraphsAndOneElevationView();
    void openGraphWindowsFollowNewResults();
    void windowsAreListedByName();
    void plotMenuItemsHaveTheirNames();
    void legendKeepsClearOfTheCurves();
    void sideViewOfAStraightShaft();
    void sideViewTakesTheLengthFromTheProfile();
    void sideViewWithoutLayersShowsOnlyBackground();
};

void PlotFormTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    // without fonts every glyph is an empty box and nothing else would notice
    QVERIFY(!QFontDatabase::families().isEmpty());
}

// Example.kvp: three diameters (2, 2.5, 3 ft), twelve capacity rows to 60 ft, soil tip with the
// trend, upper-bound and lower-bound settlement lines
void PlotFormTest::everyResultGraphShowsAfterLoading() {
    TResultGraphs graphs;
    TPlotProject project;
    project.MinDiameter = 2;
    const std::vector<TLayerRow> layers{{2, 12}, {1, 28}, {8, 40}, {3, 52}, {4, 65}};
    std::string error;
    QVERIFY2(graphs.LoadPlotData(KORVEN_GRAPH_DATA "/Example.kvp", project, layers, &error),
             error.c_str());
    QCOMPARE(project.SettlementAvailable, 3);

    QMdiArea area;
    area.resize(1000, 760);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    for (TGraphPlot* g : graphs.All()) {
        TPlotForm* form = ShowGraph(*g, &area);
        QVERIFY2(form, qPrintable(g->XCaption));
        QCOMPARE(CurveItems(*form).size(), g->LineCount());
        // a window says what it shows (the main window names those without a caption)
        QCOMPARE(form->parentWidget()->windowTitle(),
                 g->Caption.isEmpty() ? QStringLiteral("PlotForm") : g->Caption);
        const QImage img = form->Canvas()->grab().toImage();
        // a curve in the plot rectangle: more than frame, grid and text in black alone
        const PixelRect r = form->Frame().rects.plot;
        QVERIFY(CountNear(img.copy(r.left + 2, r.top + 2, r.Width() - 4, r.Height() - 4),
                          QColor(0, 0, 255))
                > 20);
    }
    QCOMPARE(area.subWindowList().size(), 12);
}

void PlotFormTest::opensWithFullRangeAndListsAtMostTwentyCurves() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 25);
    TPlotForm form(g);
    QVERIFY(form.Valid());
    QCOMPARE(form.windowTitle(), QStringLiteral("Ultimate Total Capacity vs Depth"));
    QVERIFY(form.View() == form.FullRange());
    QCOMPARE(form.FullRange().ymin, 0.0L);
    QCOMPARE(form.FullRange().ymax, 50.0L);
    QCOMPARE(CurveItems(form).size(), 20);
    QVERIFY(g.Curve(19).Active);
    QVERIFY(!g.Curve(20).Active);
    QCOMPARE(form.Legend()->height(), 20 * form.Legend()->ItemHeight() + 3);
}

void PlotFormTest::menuFollowsTheGraph() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 3);
    g.ShowFontWidth = false;
    TPlotForm form(g);
    QMenu* menu = form.PlotMenu();
    emit menu->aboutToShow();
    QStringList visible;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator()) visible << a->text();
    QCOMPARE(visible.mid(0, 10),
             (QStringList{"Show &Legend", "Show &Soil Layer", "Show &Markers", "&Graph Title",
                          "&Edit Legend", "&Active Curves", "&Print...", "P&age Setup",
                          "&Save To Disk...", "Save as &PDF..."}));
    QCOMPARE(visible.mid(10), (QStringList{"Dia=2 ft", "Dia=2.5 ft", "Dia=3 ft"}));
    const bool printer = !QPrinterInfo::availablePrinters().isEmpty();
    for (QAction* a : menu->actions())
        if (a->text() == "&Print..." || a->text() == "P&age Setup")
            QCOMPARE(a->isEnabled(), printer);

    // the soil layer item lays out a strip of one inch at the right
    const int right = form.Frame().rects.plot.right;
    for (QAction* a : menu->actions())
        if (a->text() == "Show &Soil Layer") a->trigger();
    QVERIFY(g.ShowLayers);
    QCOMPARE(form.Frame().rects.plot.right, right - form.Frame().dpiX);
}

void PlotFormTest::savedImageSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("6 x 4 in at 72")
        << "graph.bmp" << 6.0 << 4.0 << 72 << QSize(432, 288) << QByteArray("bmp");
    QTest::newRow("rounded") << "small.bmp" << 2.25 << 2.0 << 10 << QSize(23, 20)
                             << QByteArray("bmp");
    QTest::newRow("png") << "graph.png" << 3.0 << 2.0 << 150 << QSize(450, 300)
                         << QByteArray("png");
}

void PlotFormTest::savedImageSize() {
    QFETCH(QString, name);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, ppi);
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);
    TGraphPlot g;
    testing::FillDepthGraph(g, 3);
    g.ShowLayers = true;
    TPlotForm form(g);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QCOMPARE(form.SaveImage(path, width, height, ppi), TPlotForm::SaveResult::Saved);
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage img = reader.read();
    QCOMPARE(img.size(), size);
    // save mode draws the legend box: the red third curve's name shows in the image
    if (size.width() > 400) QVERIFY(CountColour(img, QColor(255, 0, 0)) > 0);
}

void PlotFormTest::saveToDiskThroughTheDialogs() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 3);
    TPlotForm form(g);
    QTemporaryDir dir;
    OneFile files(dir.filePath("graph"));
    Recorder messages;
    SetFileAsker(&files);
    SetMessageSink(&messages);
    // the attributes dialog opens with 6 x 4 inches at 72 ppi; OK takes them
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<TdlgFormat*>(QApplication::activeModalWidget())) d->accept();
    });
    form.PlotSaveClick();
    QCOMPARE(files.filters_.front(), QStringLiteral("Bitmap (*.bmp)"));
    QVERIFY(messages.texts.isEmpty());
    QImageReader reader(dir.filePath("graph.bmp"));
    QCOMPARE(reader.format(), QByteArray("bmp"));
    QCOMPARE(reader.read().size(), QSize(432, 288));

    // a bitmap too large to allocate: OK is pressed, nothing is written, the user is told
    files.path_ = dir.filePath("huge.bmp");
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<TdlgFormat*>(QApplication::activeModalWidget());
        if (!d) return;
        d->dePPI->SetNumber(100000);
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("OK")) b->click();
    });
    form.PlotSaveClick();
    SetFileAsker(nullptr);
    SetMessageSink(nullptr);
    QCOMPARE(messages.texts,
             QStringList{QStringLiteral("There is not enough memory to complete this task.")});
    QVERIFY(!QFile::exists(dir.filePath("huge.bmp")));
}

void PlotFormTest::saveRefusesImpossibleImages() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 1);
    TPlotForm form(g);
    QTemporaryDir dir;
    const QString huge = dir.filePath("huge.bmp");
    QCOMPARE(form.SaveImage(huge, 1000, 1000, 100000), TPlotForm::SaveResult::NoMemory);
    QVERIFY(!QFile::exists(huge));
    QCOMPARE(form.SaveImage(dir.filePath("no/such/folder/g.bmp"), 6, 4, 72),
             TPlotForm::SaveResult::WriteFailed);
}

void PlotFormTest::doubleClickOnLegendHidesTheCurve() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 3);
    g.Markers = 0;
    TPlotForm form(g);
    form.resize(900, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QColor blue(0, 0, 255), red(255, 0, 0);
    QImage before = form.Canvas()->grab().toImage();
    QVERIFY(CountNear(before, blue) > 50);

    TLegendBox* legend = form.Legend();
    QTest::mouseDClick(legend, Qt::LeftButton, {}, QPoint(10, 1 + legend->ItemHeight() * 3 / 2));
    QVERIFY(!g.Curve(1).Shown);
    QVERIFY(!CurveItems(form)[1]->isChecked());
    QImage after = form.Canvas()->grab().toImage();
    // the legend entry keeps its colour; the curve itself is gone; the third keeps red
    const QImage withoutLegend = after.copy(0, 0, legend->x(), after.height());
    QCOMPARE(CountNear(withoutLegend, blue), 0);
    QVERIFY(CountNear(after, red) > 50);

    QTest::mouseDClick(legend, Qt::LeftButton, {}, QPoint(10, 1 + legend->ItemHeight() * 3 / 2));
    QVERIFY(g.Curve(1).Shown);
}

void PlotFormTest::pointerReadoutAndZoom() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 2);
    g.Caption.clear();
    TPlotForm form(g);
    form.resize(900, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget* canvas      = form.Canvas();
    const PixelRect r    = form.Frame().rects.plot;
    const ViewRange full = form.FullRange();

    MoveTo(canvas, QPoint(r.left + 50, r.top + 50));
    QVERIFY2(form.windowTitle().startsWith(" X: "), qPrintable(form.windowTitle()));

    // a band a few pixels wide zooms to a twentieth of the full span, inside the full range
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(r.left + 2, r.top + 2));
    MoveTo(canvas, QPoint(r.left + 5, r.top + 5), Qt::LeftButton);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(r.left + 5, r.top + 5));
    const ViewRange v = form.View();
    QCOMPARE(static_cast<double>(v.xmin), static_cast<double>(full.xmin));
    QVERIFY(qAbs(static_cast<double>((v.xmax - v.xmin) - (full.xmax - full.xmin) / 20)) < 1e-9);

    // a release on the start row changes nothing
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(r.left + 100, r.top + 100));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(r.left + 300, r.top + 100));
    QVERIFY(form.View() == v);

    for (int i = 0; i < 8 && !(form.View() == full); ++i)
        QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(r.left + 10, r.bottom - 10));
    QVERIFY(form.View() == full);
}

void PlotFormTest::printedPageGoesToPdf() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 3);
    g.ShowLayers = true;
    g.Title      = "Test Shaft";
    TPlotForm form(g);
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("graph.pdf"));
    printer.setResolution(300);
    QVERIFY(form.PrintTo(printer));
    QFile pdf(dir.filePath("graph.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QVERIFY(pdf.size() > 2000);
}

void PlotFormTest::showGraphReusesAndForgetsTheWindow() {
    QMdiArea area;
    area.resize(1000, 800);
    area.show();
    TGraphPlot g;
    testing::FillDepthGraph(g, 2);
    TPlotForm* first = ShowGraph(g, &area);
    QVERIFY(first);
    QVERIFY(first->parentWidget()->isMaximized());
    QCOMPARE(ShowGraph(g, &area), first);
    QPointer<TPlotForm> gone = first;
    first->parentWidget()->close();
    QTRY_VERIFY(gone.isNull());
    QCOMPARE(GraphWindow(g), nullptr);
    QVERIFY(ShowGraph(g, &area));

    TGraphPlot empty;  // no curves: the range is rounded about 0 and still opens
    QVERIFY(ShowGraph(empty, &area));

    TGraphPlot unscalable;  // no finite range step: the window closes itself at once
    unscalable.SetLineCount(1);
    unscalable.SetPointCount(2);
    unscalable.Curve(0).Point(1).x = std::numeric_limits<long double>::infinity();
    const auto before              = area.subWindowList().size();
    QCOMPARE(ShowGraph(unscalable, &area), nullptr);
    QCOMPARE(GraphWindow(unscalable), nullptr);
    QCOMPARE(area.subWindowList().size(), before);
}

void PlotFormTest::mainWindowOpensGraphsAndOneElevationView() {
    TMainForm main;
    QVERIFY(ShowWithExampleResults(main));
    main.OnShowGraph(main, 6);
    TPlotForm* combined = GraphWindow(main.Graphs().pltCombine);
    QVERIFY(combined);
    QCOMPARE(CurveItems(*combined).size(), 3);

    main.Project().DesignLength = 0;  // no layers: nothing to take a length from
    main.OnShowSideView(main);
    main.OnShowSideView(main);
    int views = 0;
    for (QMdiSubWindow* w : main.MdiArea()->subWindowList())
        if (auto* view = qobject_cast<TDlgSideView*>(w->widget())) {
            ++views;
            // opened at a size that shows the shaft, not shrunk to its buttons
            QVERIFY2(view->Canvas()->height() >= 400,
                     qPrintable(QString::number(view->Canvas()->height())));
        }
    QCOMPARE(views, 1);
}

void PlotFormTest::openGraphWindowsFollowNewResults() {
    TMainForm main;
    QVERIFY(ShowWithExampleResults(main));
    main.OnShowGraph(main, 0);
    TPlotForm* skin = GraphWindow(main.Graphs().pltSkin);
    QVERIFY(skin);
    QCOMPARE(CurveItems(*skin).size(), 3);
    const ViewRange before = skin->FullRange();

    // a second run with one diameter in metres: the open window shows it, not the first run
    TPlotProject project;
    project.MinDiameter = 2;
    project.Units       = 2;
    QVERIFY(main.Graphs().LoadPlotData(KORVEN_GRAPH_DATA "/../../data/sand-one-diameter.kvp",
                                       project, {}));
    main.OnResultsLoaded(main);
    QCOMPARE(GraphWindow(main.Graphs().pltSkin), skin);
    QCOMPARE(CurveItems(*skin).size(), 1);
    QCOMPARE(CurveItems(*skin)[0]->text(), QStringLiteral("Dia=2 m"));
    QVERIFY(skin->FullRange().ymax != before.ymax);
    QCOMPARE(skin->View().ymax, skin->FullRange().ymax);
}

void PlotFormTest::windowsAreListedByName() {
    TMainForm main;
    QVERIFY(ShowWithExampleResults(main));
    for (int i : {0, 6, 9, 11}) main.OnShowGraph(main, i);
    QStringList titles;
    for (QMdiSubWindow* w : main.MdiArea()->subWindowList()) titles << w->windowTitle();
    QCOMPARE(titles, (QStringList{"Skin Ultimate Friction vs Depth",
                                  "Axial Capacity vs Depth (Ultimate), Dia=2 ft",
                                  "Axial Load vs Settlement (upper bound)",
                                  "Combined Plots of Load vs Settlement, Dia=2 ft"}));
    // the pointer readout is the title only while the pointer is over the graph
    TPlotForm* skin = GraphWindow(main.Graphs().pltSkin);
    MoveTo(skin->Canvas(), QPoint(200, 200));
    QVERIFY(skin->windowTitle().contains(" X: "));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(skin->Canvas(), &leave);
    QCOMPARE(skin->windowTitle(), QStringLiteral("Skin Ultimate Friction vs Depth"));
    // the combined graph's legend says which diameter it draws
    QVERIFY(CurveItems(*GraphWindow(main.Graphs().pltCombine))[0]->text().endsWith("(Dia=2 ft)"));
}

void PlotFormTest::plotMenuItemsHaveTheirNames() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 2);
    TPlotForm form(g);
    const char* names[] = {"PlotLegend",   "PlotSoilLayer", "ShowWallGeometry", "PlotMarkers",
                           "FontSize",     "LineWidth",     "PlotCaption",      "mLineName",
                           "ActiveGraphs", "PlotPrint",     "PlotPage",         "PlotSave"};
    for (const char* name : names) QVERIFY2(form.findChild<QAction*>(name), name);
    QCOMPARE(form.findChild<QAction*>("PlotSave")->text(), QStringLiteral("&Save To Disk..."));
}

void PlotFormTest::legendKeepsClearOfTheCurves() {
    // depth graphs end at the bottom right, where the legend used to sit
    TGraphPlot g;
    testing::FillDepthGraph(g, 3);
    TPlotForm form(g);
    form.resize(800, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto legendCovers = [&form, &g] {
        const QRect box = form.Legend()->geometry();
        int covered     = 0;
        for (int i = 0; i < g.LineCount(); ++i)
            for (const TFloatPoint& p : g.Curve(i).Points) {
                const PixelPoint s =
                    WorldToScreen(form.Frame().rects.plot, form.View(), g.XOnTop, p.x, p.y);
                if (box.contains(s.x, s.y)) ++covered;
            }
        return covered;
    };
    const PixelRect plot = form.Frame().rects.plot;
    QVERIFY(form.Legend()->x() < plot.left + plot.Width() / 2);  // moved to the free corner
    QCOMPARE(legendCovers(), 0);
    // a long new name widens the legend: it is placed again, inside the plot
    g.Curve(0).LineName = QStringLiteral("A curve with a far longer name than before");
    form.RebuildCurveLists();
    form.LayOut(false);
    QVERIFY(form.Legend()->geometry().right() <= plot.right);
    QVERIFY(form.Legend()->geometry().left() >= plot.left);
    QCOMPARE(legendCovers(), 0);
}

void PlotFormTest::sideViewOfAStraightShaft() {
    SideViewData data;
    data.shaft  = {2, 30, 0, 0};
    data.layers = {{2, 12}, {1, 40}};
    TDlgSideView view([&] { return data; }, nullptr);
    view.resize(500, 700);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.Shapes().size(), std::size_t{1});
    QCOMPARE(view.Shapes()[0].bottomRight.y, 34.0L);
    QVERIFY(!view.Disabled());
    const ViewRange v = *view.View();
    const QWidget* c  = view.Canvas();
    const int groundY = SideWorldToScreen(v, c->width(), c->height(), 0, 4).y;
    QCOMPARE(view.DepthToY(0), groundY);

    const QImage img = view.Canvas()->grab().toImage();
    const QColor ink = view.palette().color(QPalette::Text);
    QCOMPARE(img.pixelColor(5, groundY), ink);                               // ground line
    QCOMPARE(img.pixelColor(c->width() / 2, view.DepthToY(29)), ink);        // stem
    QVERIFY(img.pixelColor(c->width() / 2, view.DepthToY(29) + 40) != ink);  // below its tip

    MoveTo(view.Canvas(), QPoint(200, groundY));
    QCOMPARE(view.windowTitle(), QStringLiteral("  Depth: 0.0"));
}

void PlotFormTest::sideViewTakesTheLengthFromTheProfile() {
    SideViewData data;
    data.shaft  = {3, 0, 3, 45};
    data.layers = {{2, 10}, {6, 42}};
    // drawn to the last layer's bottom; the view has no way to write the length back
    TDlgSideView view([&] { return data; });
    QCOMPARE(view.Shapes().size(), std::size_t{2});
    QCOMPARE(view.Shapes()[1].bottomLeft.y, 42.0L + 6);
}

void PlotFormTest::sideViewWithoutLayersShowsOnlyBackground() {
    TDlgSideView view([] { return SideViewData{{2, 30, 0, 0}, {}}; }, nullptr);
    view.resize(400, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(view.Shapes().empty());
    const QImage img = view.Canvas()->grab().toImage();
    QCOMPARE(CountColour(img, view.palette().color(QPalette::Base)), img.width() * img.height());
}

QTEST_MAIN(PlotFormTest)
#include "PlotFormTest.moc"
