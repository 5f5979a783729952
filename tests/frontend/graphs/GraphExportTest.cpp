// Graphs and the elevation view written without a window: the same pixels as the windows paint,
// PDF and SVG files that hold the graph, and the load test over the settlement graphs.
#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include "GraphFixture.h"
#include "graphs/GraphExport.h"
#include "graphs/LoadTestOverlay.h"
#include "graphs/PlotForm.h"
#include "graphs/PlotPaint.h"
#include "graphs/SideView.h"

using namespace korven;

namespace {

// trend lines of two diameters, 16 points each, with a measured test on the first
void FillSettlementGraphs(TResultGraphs& g) {
    TGraphPlot& a = g.pltAxial;
    a.XCaption    = "Axial Load ";
    a.XUnits      = "F2";
    a.YCaption    = "Settlement ";
    a.YUnits      = "L";
    a.XOnTop      = true;
    a.SetLineCount(2);
    a.SetPointCount(16);
    for (int i = 0; i < 2; ++i) {
        a.Curve(i).LineName = QStringLiteral("Dia=%1 ft").arg(3 + 0.5 * i);
        for (int j = 0; j < 16; ++j) {
            const long double load = 40.0L * j * (1 + 0.3L * i);
            a.Curve(i).Point(j)    = {load, load / 120 + load * load / 400000};
        }
    }
    const std::vector<TCurvePoint> measured = {{0, 0}, {150, 0.9}, {300, 1.6}, {420, 2.6}};
    const TCriterionTable t                 = CriterionTable(g, measured, 0, 3, 1, false);
    ApplyLoadTest(g, "TS-1 (invented)", measured, t, 0);
}

bool SameImages(QImage a, QImage b) {
    a = a.convertToFormat(QImage::Format_RGB32);
    b = b.convertToFormat(QImage::Format_RGB32);
    return a.size() == b.size() && a == b;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class GraphExportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(!QFontDatabase::families().isEmpty()); }
    void pngEqualsTheWindowsSavedImage_data();
    void pngEqualsTheWindowsSavedImage();
    void elevationEqualsTheViewsCanvas();
    void svgAndPdfHoldTheGraph();
    void loadTestIsDrawnAndListed();
    void nothingToScaleIsRefused();
};

void GraphExportTest::pngEqualsTheWindowsSavedImage_data() {
    QTest::addColumn<bool>("settlement");
    QTest::addColumn<QSize>("size");
    QTest::newRow("depth graph with layers") << false << QSize(900, 600);
    QTest::newRow("settlement graph with a load test") << true << QSize(640, 700);
}

void GraphExportTest::pngEqualsTheWindowsSavedImage() {
    QFETCH(bool, settlement);
    QFETCH(QSize, size);
    TResultGraphs graphs;
    TGraphPlot* g = &graphs.pltTotal;
    if (settlement) {
        FillSettlementGraphs(graphs);
        g = &graphs.pltAxial;
    } else {
        testing::FillDepthGraph(*g, 3);
        g->ShowLayers = true;
    }
    TPlotForm form(*g);
    QVERIFY(form.Valid());
    QTemporaryDir dir;
    QImage window(size, QImage::Format_RGB32);
    QCOMPARE(form.SaveBitmap(window, dir.filePath("window.png")), TPlotForm::SaveResult::Saved);

    const int dpi = form.Frame().dpiX;
    QCOMPARE(form.Frame().dpiY, dpi);
    QString error;
    const QString path = dir.filePath("headless.png");
    QVERIFY2(WriteGraph(*g, path, ImageFormat::Png, size.width(), size.height(), dpi, "t", error),
             qPrintable(error));
    const QImage headless(path);
    QCOMPARE(headless.size(), size);
    QVERIFY(SameImages(headless, window));
    QVERIFY(SameImages(RenderGraph(*g, size.width(), size.height(), dpi), window));
}

void GraphExportTest::elevationEqualsTheViewsCanvas() {
    SideViewData data;
    data.shaft  = {3, 0, 2.5L, 45};  // no length: the shaft reaches the last layer
    data.layers = {{2, 12}, {1, 30}, {6, 44}};
    TDlgSideView view([&] { return data; }, nullptr);
    view.resize(520, 640);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage canvas = view.Canvas()->grab().toImage();
    const QImage headless =
        RenderSideView(data, canvas.width(), canvas.height(), view.Canvas()->logicalDpiX());
    QVERIFY(SameImages(headless, canvas));
}

void GraphExportTest::svgAndPdfHoldTheGraph() {
    TGraphPlot g;
    testing::FillDepthGraph(g, 2);
    g.ShowLayers = true;
    QTemporaryDir dir;
    QString error;
    const QString svg = dir.filePath("03-ultimate-total-capacity.svg");
    QVERIFY2(WriteGraph(g, svg, ImageFormat::Svg, 800, 600, 96, g.Caption, error),
             qPrintable(error));
    QXmlStreamReader xml(ReadAll(svg));
    QString title, texts;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("title"))
            title = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("text"))
            texts += xml.readElementText(QXmlStreamReader::IncludeChildElements) + "|";
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(title, g.Caption);
    QVERIFY2(texts.contains("Ultimate Total Capacity  (tons)"), qPrintable(texts));
    QVERIFY(texts.contains("Dia=2.5 ft"));
    QVERIFY(texts.contains(" SAND "));
    // drawn back, the file looks like the PNG: the layer bands keep their textures (an SVG
    // knows no pattern brushes, a band without its fill would come out black)
    QImage drawn(800, 600, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter p(&drawn);
        QSvgRenderer(svg).render(&p);
    }
    const QImage png       = RenderGraph(g, 800, 600, 96);
    const TAxisRange range = GraphRange(g);
    const PixelRect strip =
        SaveFrame(g, 800, 600, 96, 96, {range.xmin, range.xmax, range.ymin, range.ymax})
            .rects.strip;
    int differ = 0;
    for (int y = strip.top; y < strip.bottom; ++y)
        for (int x = strip.left; x < strip.right; ++x) {
            const QColor a = png.pixelColor(x, y), b = drawn.pixelColor(x, y);
            if (qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue())
                > 120)
                ++differ;
        }
    QVERIFY2(differ < strip.Width() * strip.Height() / 20, qPrintable(QString::number(differ)));

    const QString pdf = dir.filePath("g.pdf");
    QVERIFY2(WriteGraph(g, pdf, ImageFormat::Pdf, 800, 600, 96, g.Caption, error),
             qPrintable(error));
    QVERIFY(ReadAll(pdf).startsWith("%PDF-"));
    QVERIFY(
        !WriteGraph(g, dir.filePath("no/such/g.pdf"), ImageFormat::Pdf, 800, 600, 96, "", error));
    QVERIFY(
        !WriteGraph(g, dir.filePath("no/such/g.png"), ImageFormat::Png, 800, 600, 96, "", error));
}

void GraphExportTest::loadTestIsDrawnAndListed() {
    TResultGraphs graphs;
    FillSettlementGraphs(graphs);
    const TGraphPlot& g = graphs.pltAxial;
    const QImage img    = RenderGraph(g, 800, 600, 96);
    QVERIFY(!img.isNull());
    int orange = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == QColor(230, 120, 0)) ++orange;
    QVERIFY(orange > 100);  // the measured curve, its dots, its legend row and its mark

    // the window's legend lists the test and the table, the curve menu the test
    TGraphPlot& graph = graphs.pltAxial;
    TPlotForm form(graph);
    QVERIFY(form.Valid());
    QVERIFY(form.FullRange().ymax >= 1.8L);  // 5 % of 3 ft
    QVERIFY(form.Legend()->height() > 6 * form.Legend()->ItemHeight());
    QTemporaryDir dir;
    QString error;
    const QString svg = dir.filePath("09.svg");
    QVERIFY(WriteGraph(graph, svg, ImageFormat::Svg, 800, 600, 96, "t", error));
    const QByteArray text = ReadAll(svg);
    QVERIFY(text.contains("TS-1 (invented)"));
    QVERIFY(text.contains("Load at 5 % D = 1.8 in, Dia=3 ft"));
    QVERIFY(text.contains("Measured: "));
}

void GraphExportTest::nothingToScaleIsRefused() {
    TGraphPlot g;
    g.SetLineCount(1);
    g.SetPointCount(2);
    g.Curve(0).Point(1) = {std::numeric_limits<long double>::infinity(), 1};
    QVERIFY(RenderGraph(g, 400, 300, 96).isNull());
    QString error;
    QTemporaryDir dir;
    QVERIFY(!WriteGraph(g, dir.filePath("x.png"), ImageFormat::Png, 400, 300, 96, "", error));
    QVERIFY(!error.isEmpty());
    QVERIFY(RenderGraph(g, 0, 300, 96).isNull());
}

QTEST_MAIN(GraphExportTest)
#include "GraphExportTest.moc"
