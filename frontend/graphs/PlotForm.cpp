// The graph window.
#include "graphs/PlotForm.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>
#include <map>

#include "entry/GraphDialogs.h"
#include "graphs/GraphCaption.h"
#include "project/GeneralFormat.h"
#include "project/MainRules.h"
#include "project/Messages.h"

namespace korven {

namespace {

// the graph notes its window here; a closed window removes itself
std::map<const TGraphPlot*, QPointer<TPlotForm>>& Windows() {
    static std::map<const TGraphPlot*, QPointer<TPlotForm>> windows;
    return windows;
}

QColor Colour(int n) {
    const Rgb c = PaletteColour(n);
    return QColor(c.r, c.g, c.b);
}

class PlotCanvas : public QWidget {
public:
    explicit PlotCanvas(TPlotForm* form) : QWidget(form), form_(form) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(40, 40);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        form_->CanvasPaint(p);
    }
    void mousePressEvent(QMouseEvent* e) override { form_->CanvasPress(e); }
    void mouseMoveEvent(QMouseEvent* e) override { form_->CanvasMove(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { form_->CanvasRelease(e); }
    void resizeEvent(QResizeEvent*) override { form_->LayOut(false); }
    void showEvent(QShowEvent*) override { form_->LayOut(false); }
    // the readout is over: the window is listed by its name again
    void leaveEvent(QEvent*) override { form_->setWindowTitle(form_->Name()); }

private:
    TPlotForm* form_;
};

struct Choice {
    const char* caption;
    int value;
};

}  // namespace

TPlotForm* GraphWindow(const TGraphPlot& graph) {
    auto it = Windows().find(&graph);
    return it == Windows().end() ? nullptr : it->second.data();
}

TPlotForm* ShowGraph(TGraphPlot& graph, QMdiArea* area) {
    if (TPlotForm* open = GraphWindow(graph)) {
        QWidget* frame = open->parentWidget() ? open->parentWidget() : open;
        if (frame->isMinimized()) frame->showNormal();
        frame->show();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && area)
            area->setActiveSubWindow(sub);
        return open;
    }
    auto* form = new TPlotForm(graph);
    if (!form->Valid()) {
        delete form;
        return nullptr;
    }
    Windows()[&graph] = form;
    if (area) {
        QMdiSubWindow* sub = area->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // maximised, the child's icon sits in the main menu bar: no toolkit logo there
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        sub->setWindowIcon(QIcon(blank));
        sub->showMaximized();
    } else {
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
    }
    return form;
}

// ---------------------------------------------------------------------------------------------

TLegendBox::TLegendBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
    setCursor(Qt::SizeAllCursor);
    SetFontSize(11);
}

void TLegendBox::SetEntries(const QStringList& names, const std::vector<bool>& shown,
                            const std::vector<QColor>& colours, const QStringList& table) {
    names_   = names;
    shown_   = shown;
    colours_ = colours;
    table_   = table;
    shown_.resize(static_cast<std::size_t>(names_.size()), true);
    Resize();
    update();
}

void TLegendBox::SetFontSize(int points) {
    font_       = GraphFont(std::max(1, points * logicalDpiY() / 72), false);
    itemHeight_ = std::max(3 * points / 2, QFontMetrics(font_).height() + 1);
    Resize();
}

void TLegendBox::Resize() {
    const QFontMetrics fm(font_);
    int width = 21;
    for (const QString& n : names_)
        width = std::max(width, fm.horizontalAdvance(n + QStringLiteral(" *")) + logicalDpiX() / 4);
    for (const QString& t : table_) width = std::max(width, fm.horizontalAdvance(t) + 10);
    resize(width, static_cast<int>(names_.size() + table_.size()) * itemHeight_ + 3);
    update();
}

int TLegendBox::ItemAt(int y) const {
    const int i = (y - 1) / itemHeight_;
    return y >= 1 && i < names_.size() ? i : -1;
}

void TLegendBox::KeepInside() {
    if (!parentWidget()) return;
    const QRect area = parentWidget()->rect();
    int x            = std::min(pos().x(), area.right() + 1 - width());
    int y            = std::min(pos().y(), area.bottom() + 1 - height());
    move(std::max(x, 0), std::max(y, 0));
}

void TLegendBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(font_);
    const QFontMetrics fm(font_);
    for (int i = 0; i < names_.size(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        p.setPen(k < colours_.size() ? colours_[k] : Colour(i));
        const QString text =
            names_[i] + (shown_[static_cast<std::size_t>(i)] ? QStringLiteral(" *") : QString());
        p.drawText(QRect(4, 1 + i * itemHeight_, width() - 6, itemHeight_),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    p.setPen(Qt::black);
    for (int i = 0; i < table_.size(); ++i)
        p.drawText(QRect(4, 1 + static_cast<int>(names_.size() + i) * itemHeight_, width() - 6,
                         itemHeight_),
                   Qt::AlignLeft | Qt::AlignVCenter, table_[i]);
}

void TLegendBox::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    dragging_ = true;
    grab_     = e->position().toPoint();
}

void TLegendBox::mouseMoveEvent(QMouseEvent* e) {
    if (!dragging_) return;
    userMoved_ = true;
    move(mapToParent(e->position().toPoint()) - grab_);
    KeepInside();
}

void TLegendBox::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TLegendBox::mouseDoubleClickEvent(QMouseEvent* e) {
    const int i = ItemAt(e->position().toPoint().y());
    if (i >= 0) emit ItemDoubleClicked(i);
}

// ---------------------------------------------------------------------------------------------

TPlotForm::TPlotForm(TGraphPlot& graph, QWidget* parent) : QWidget(parent), graph_(graph) {
    SetName(graph_.Caption.isEmpty() ? QStringLiteral("PlotForm") : graph_.Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    canvas_ = new PlotCanvas(this);
    layout->addWidget(canvas_);
    legend_ = new TLegendBox(canvas_);
    connect(legend_, &TLegendBox::ItemDoubleClicked, this, [this](int i) {
        if (i < static_cast<int>(legendCurves_.size()))
            ToggleCurve(legendCurves_[static_cast<std::size_t>(i)]);
    });

    if (!FitToCurves()) {
        valid_ = false;
        return;
    }
    BuildMenu();
    RebuildCurveLists();
    graph_.LegendFont = 11;
    ApplyFontSize(graph_.SizeFont);
    legend_->setVisible(graph_.LineCount() > 0 && graph_.ShowLegend);
    resize(800, 600);
    LayOut(true);
}

bool TPlotForm::FitToCurves() {
    const TAxisRange r = GraphRange(graph_);
    if (!r.Valid) return false;
    full_ = {r.xmin, r.xmax, r.ymin, r.ymax};
    view_ = full_;
    for (int i = 0; i < graph_.LineCount(); ++i)
        graph_.Curve(i).Active = i < ListedCurveCount(graph_.LineCount(), graph_.LimitCurves);
    return true;
}

void TPlotForm::Reload() {
    if (graph_.LineCount() == 0 || !FitToCurves()) {
        (parentWidget() ? parentWidget() : this)->close();
        return;
    }
    RebuildCurveLists();
    legend_->setVisible(graph_.LineCount() > 0 && graph_.ShowLegend);
    LayOut(true);
}

TPlotForm::~TPlotForm() {
    auto it = Windows().find(&graph_);
    if (it != Windows().end() && (it->second.isNull() || it->second.data() == this))
        Windows().erase(it);
}

void TPlotForm::SetName(const QString& name) {
    name_ = name;
    setWindowTitle(name_);
}

int TPlotForm::ScreenDpiX() const { return canvas_->logicalDpiX(); }
int TPlotForm::ScreenDpiY() const { return canvas_->logicalDpiY(); }

void TPlotForm::BuildMenu() {
    plotMenu_ = menuBar_->addMenu(QStringLiteral("&Plot"));
    connect(plotMenu_, &QMenu::aboutToShow, this, [this] { MenuOpening(); });

    legendItem_ = plotMenu_->addAction(QStringLiteral("Show &Legend"));
    legendItem_->setObjectName(QStringLiteral("PlotLegend"));
    legendItem_->setCheckable(true);
    connect(legendItem_, &QAction::triggered, this, [this] {
        graph_.ShowLegend = !graph_.ShowLegend;
        legend_->setVisible(graph_.LineCount() > 0 && graph_.ShowLegend);
    });
    soilItem_ = plotMenu_->addAction(QStringLiteral("Show &Soil Layer"));
    soilItem_->setObjectName(QStringLiteral("PlotSoilLayer"));
    soilItem_->setCheckable(true);
    connect(soilItem_, &QAction::triggered, this, [this] {
        graph_.ShowLayers = !graph_.ShowLayers;
        LayOut(true);
    });
    wallItem_ = plotMenu_->addAction(QStringLiteral("Show &Wall Geometry"));
    wallItem_->setObjectName(QStringLiteral("ShowWallGeometry"));
    wallItem_->setCheckable(true);
    connect(wallItem_, &QAction::triggered, this, [this] {
        graph_.ShowWall = !graph_.ShowWall;
        LayOut(true);
    });

    markersMenu_ = plotMenu_->addMenu(QStringLiteral("Show &Markers"));
    markersMenu_->menuAction()->setObjectName(QStringLiteral("PlotMarkers"));
    auto* markers = new QActionGroup(this);
    for (const Choice c : {Choice{"&Never", 0},
                           {"Every &Increment", 1},
                           {"Every &2 Increments", 2},
                           {"Every &3 Incrments", 3},
                           {"Every &5 Increments", 5},
                           {"Every &10 Incements", 10}}) {
        QAction* a = markersMenu_->addAction(QString::fromLatin1(c.caption));
        a->setCheckable(true);
        a->setData(c.value);
        markers->addAction(a);
        connect(a, &QAction::triggered, this, [this, v = c.value] {
            graph_.Markers = v;
            canvas_->update();
        });
    }

    QMenu* font = plotMenu_->addMenu(QStringLiteral("&Font Size"));
    fontItem_   = font->menuAction();
    fontItem_->setObjectName(QStringLiteral("FontSize"));
    for (const Choice c : {Choice{"&Default", 10},
                           {"1.5 * Default", 15},
                           {"2 * Default", 20},
                           {"2.5 * Default", 25},
                           {"3 * Default", 30},
                           {"4 * Default", 40}}) {
        QAction* a = font->addAction(QString::fromLatin1(c.caption));
        connect(a, &QAction::triggered, this, [this, v = c.value] {
            ApplyFontSize(v);
            LayOut(true);
        });
    }
    QMenu* width = plotMenu_->addMenu(QStringLiteral("&Line Width"));
    widthItem_   = width->menuAction();
    widthItem_->setObjectName(QStringLiteral("LineWidth"));
    for (const Choice c : {Choice{"&Default", 1},
                           {"2 * Default", 2},
                           {"4 * Default", 4},
                           {"6 * Default", 6},
                           {"10 * Default", 10}}) {
        QAction* a = width->addAction(QString::fromLatin1(c.caption));
        connect(a, &QAction::triggered, this, [this, v = c.value] {
            graph_.WidthLine = v;
            canvas_->update();
        });
    }

    const auto item = [this](const char* name, const char* text) {
        QAction* a = plotMenu_->addAction(QLatin1String(text));
        a->setObjectName(QLatin1String(name));
        return a;
    };
    connect(item("PlotCaption", "&Graph Title"), &QAction::triggered, this,
            &TPlotForm::PlotCaptionClick);
    connect(item("mLineName", "&Edit Legend"), &QAction::triggered, this,
            &TPlotForm::mLineNameClick);
    connect(item("ActiveGraphs", "&Active Curves"), &QAction::triggered, this,
            &TPlotForm::ActiveGraphsClick);
    plotMenu_->addSeparator();
    printItem_ = item("PlotPrint", "&Print...");
    connect(printItem_, &QAction::triggered, this, &TPlotForm::PlotPrintClick);
    pageItem_ = item("PlotPage", "P&age Setup");
    connect(pageItem_, &QAction::triggered, this, &TPlotForm::PlotPageClick);
    connect(item("PlotSave", "&Save To Disk..."), &QAction::triggered, this,
            &TPlotForm::PlotSaveClick);
    connect(item("PlotPdf", "Save as &PDF..."), &QAction::triggered, this,
            &TPlotForm::PlotPdfClick);
    plotMenu_->addSeparator();

    const bool printer = !QPrinterInfo::availablePrinters().isEmpty();
    printItem_->setEnabled(printer);
    pageItem_->setEnabled(printer);
    MenuOpening();
}

void TPlotForm::MenuOpening() {
    legendItem_->setChecked(graph_.ShowLegend);
    soilItem_->setChecked(graph_.ShowLayers);
    soilItem_->setVisible(graph_.LayerCount() > 0);
    wallItem_->setChecked(graph_.ShowWall);
    wallItem_->setVisible(graph_.WallLineCount > 0);
    fontItem_->setVisible(graph_.ShowFontWidth);
    widthItem_->setVisible(graph_.ShowFontWidth);
    for (QAction* a : markersMenu_->actions()) a->setChecked(a->data().toInt() == graph_.Markers);
    for (QAction* a : curveItems_) {
        const int i = a->data().toInt();
        if (i >= 0 && i < graph_.LineCount()) a->setChecked(graph_.Curve(i).Shown);
    }
}

void TPlotForm::RebuildCurveLists() {
    for (QAction* a : curveItems_) {
        plotMenu_->removeAction(a);
        a->deleteLater();
    }
    curveItems_.clear();
    legendNames_.clear();
    legendCurves_ = ActiveCurves(graph_);
    for (int i : legendCurves_) {
        QString q = graph_.Curve(i).DisplayName();
        if (graph_.onGetCaption) graph_.onGetCaption(i, q);
        legendNames_ << q;
        QAction* a = plotMenu_->addAction(q);
        a->setCheckable(true);
        a->setChecked(graph_.Curve(i).Shown);
        a->setData(i);
        connect(a, &QAction::triggered, this, [this, i] { ToggleCurve(i); });
        curveItems_.push_back(a);
    }
    UpdateLegend();
}

void TPlotForm::UpdateLegend() {
    std::vector<bool> shown;
    std::vector<QColor> colours;
    for (int i : legendCurves_) {
        shown.push_back(graph_.Curve(i).Shown);
        colours.push_back(CurveColour(graph_.Curve(i), static_cast<int>(colours.size())));
    }
    legend_->SetEntries(legendNames_, shown, colours,
                        graph_.Criterion.Show ? graph_.Criterion.Table : QStringList());
    legend_->KeepInside();
}

void TPlotForm::ToggleCurve(int curveIndex) {
    if (curveIndex < 0 || curveIndex >= graph_.LineCount()) return;
    graph_.Curve(curveIndex).Shown = !graph_.Curve(curveIndex).Shown;
    UpdateLegend();
    MenuOpening();
    canvas_->update();
}

void TPlotForm::ApplyFontSize(int size) {
    graph_.SizeFont = size;
    legend_->SetFontSize(size * graph_.LegendFont / 10);
}

void TPlotForm::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    LayOut(false);
}

void TPlotForm::LayOut(bool placeLegend) {
    LayoutParams lp;
    lp.output     = {0, 0, canvas_->width(), canvas_->height()};
    lp.dpiX       = ScreenDpiX();
    lp.dpiY       = ScreenDpiY();
    lp.h          = LabelHeight(graph_.SizeFont, FontPixels(lp.dpiY));
    lp.xOnTop     = graph_.XOnTop;
    lp.hasTitle   = !graph_.Title.isEmpty();
    lp.titleOnTop = graph_.TitleOnTop;
    lp.showLayers = graph_.ShowLayers;
    frame_.mode   = OutputMode::Screen;
    frame_.output = lp.output;
    frame_.dpiX   = lp.dpiX;
    frame_.dpiY   = lp.dpiY;
    frame_.h      = lp.h;
    frame_.rects  = ScreenLayout(lp);
    frame_.view   = view_;
    // until the user drags it, the legend rides the plot's emptiest corner as the window is sized
    if (placeLegend || !legend_->UserMoved()) PlaceLegend();
    legend_->KeepInside();
    canvas_->update();
}

void TPlotForm::PlaceLegend() {
    const PixelRect& r = frame_.rects.plot;
    std::vector<PixelPoint> drawn;
    if (graph_.LineCount() > 0 && graph_.Curve(0).PointCount() >= 2) {
        std::vector<PixelPoint> vertices;
        for (int i : ActiveCurves(graph_)) {
            const TLine& curve = graph_.Curve(i);
            if (!curve.Shown) continue;
            vertices.clear();
            for (const TFloatPoint& p : curve.Points)
                vertices.push_back(WorldToScreen(r, view_, graph_.XOnTop, p.x, p.y));
            SamplePolyline(vertices, 3, drawn);
        }
    }
    const PixelPoint at = LegendCorner(r, legend_->width(), legend_->height(), drawn);
    legend_->move(at.x, at.y);
}

void TPlotForm::CanvasPaint(QPainter& p) {
    frame_.view = view_;
    PaintGraph(p, graph_, frame_);
    if (banding_) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(bandStart_, bandCorner_).normalized());
    }
}

void TPlotForm::CanvasPress(QMouseEvent* e) {
    const QPoint at    = e->position().toPoint();
    const PixelRect& r = frame_.rects.plot;
    if (!r.Contains(at.x(), at.y())) return;
    if (e->button() == Qt::LeftButton && !graph_.ShowThree) {
        banding_    = true;
        bandStart_  = at;
        bandCorner_ = at;
    } else if (e->button() == Qt::RightButton) {
        const WorldPoint w = ScreenToWorld(r, view_, graph_.XOnTop, at.x(), at.y());
        view_              = ZoomOut(full_, view_, w);
        canvas_->update();
    }
}

void TPlotForm::CanvasMove(QMouseEvent* e) {
    const PixelRect& r = frame_.rects.plot;
    const PixelPoint c = ClampToRect(r, {e->position().toPoint().x(), e->position().toPoint().y()});
    const WorldPoint w = ScreenToWorld(r, view_, graph_.XOnTop, c.x, c.y);
    setWindowTitle(
        graph_.Caption
        + QString::fromStdString(" X: " + FormatGeneral(w.x, 5) + " Y: " + FormatGeneral(w.y, 5)));
    if (banding_) {
        bandCorner_ = QPoint(c.x, c.y);
        canvas_->update();
    }
}

void TPlotForm::CanvasRelease(QMouseEvent* e) {
    if (!banding_) return;
    banding_           = false;
    const PixelRect& r = frame_.rects.plot;
    const PixelPoint c = ClampToRect(r, {e->position().toPoint().x(), e->position().toPoint().y()});
    if (c.x != bandStart_.x() && c.y != bandStart_.y()) {
        const WorldPoint a = ScreenToWorld(r, view_, graph_.XOnTop, bandStart_.x(), bandStart_.y());
        const WorldPoint b = ScreenToWorld(r, view_, graph_.XOnTop, c.x, c.y);
        view_              = ZoomIn(full_, a, b);
    }
    canvas_->update();
}

void TPlotForm::PlotCaptionClick() {
    TfrmGraphCaption dlg(graph_.Title, graph_.TitleOnTop, this);
    dlg.exec();
    graph_.Title      = dlg.Title();
    graph_.TitleOnTop = dlg.OnTop();
    LayOut(false);
}

void TPlotForm::mLineNameClick() {
    QStringList names;
    std::vector<QColor> colours;
    for (int i = 0; i < graph_.LineCount(); ++i) {
        names << graph_.Curve(i).DisplayName();
        colours.push_back(Colour(i));
    }
    QStringList edited = names;
    TfrmLineNames dlg(edited, colours, this);
    if (dlg.exec() != QDialog::Accepted) return;
    for (int i = 0; i < graph_.LineCount() && i < edited.size(); ++i)
        graph_.Curve(i).LineName = edited[i];
    RebuildCurveLists();
    LayOut(false);
}

void TPlotForm::ActiveGraphsClick() {
    QStringList names, marks;
    for (int i = 0; i < graph_.LineCount(); ++i) {
        names << graph_.Curve(i).DisplayName();
        marks << QLatin1String(graph_.Curve(i).Active ? TfrmActiveLines::kYes
                                                      : TfrmActiveLines::kNo);
    }
    TfrmActiveLines dlg(names, marks, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const QStringList result = dlg.Marks();
    for (int i = 0; i < graph_.LineCount() && i < result.size(); ++i)
        graph_.Curve(i).Active = result[i] == QLatin1String(TfrmActiveLines::kYes);
    RebuildCurveLists();
    LayOut(false);
}

TPlotForm::SaveResult TPlotForm::SaveImage(const QString& path, double widthIn, double heightIn,
                                           int ppi) {
    const int w = ImagePixels(widthIn, ppi);
    const int h = ImagePixels(heightIn, ppi);
    QImage image;
    if (w > 0 && h > 0 && static_cast<double>(w) * h <= 4.0e8)
        image = QImage(w, h, QImage::Format_RGB32);
    if (image.isNull()) return SaveResult::NoMemory;
    const int dotsPerMetre = static_cast<int>(std::lround(ppi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return SaveBitmap(image, path);
}

TPlotForm::SaveResult TPlotForm::SaveBitmap(QImage& image, const QString& path) {
    // the bitmap takes the screen's layout rules and resolution over its own size
    const PlotFrame f =
        SaveFrame(graph_, image.width(), image.height(), ScreenDpiX(), ScreenDpiY(), view_);
    {
        QPainter p(&image);
        PaintGraph(p, graph_, f);
    }
    const bool png = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    return image.save(path, png ? "PNG" : "BMP") ? SaveResult::Saved : SaveResult::WriteFailed;
}

bool TPlotForm::PrintTo(QPrinter& printer) {
    printer.setDocName(graph_.Caption);
    printer.setFullPage(true);
    const int dpiX    = printer.logicalDpiX();
    const int dpiY    = printer.logicalDpiY();
    QPageLayout page  = printer.pageLayout();
    const QRect paper = page.fullRectPixels(dpiX);
    QPageLayout least = page;
    least.setMinimumMargins(QMarginsF());
    least.setMargins(page.minimumMargins());
    const QMargins offset = least.marginsPixels(dpiX);

    PixelRect out;
    out.left   = MarginPixels(margins_[0], dpiX, offset.left());
    out.top    = MarginPixels(margins_[1], dpiY, offset.top());
    out.right  = paper.width() - MarginPixels(margins_[2], dpiX, offset.right());
    out.bottom = paper.height() - MarginPixels(margins_[3], dpiY, offset.bottom());

    LayoutParams lp;
    lp.output     = out;
    lp.dpiX       = dpiX;
    lp.dpiY       = dpiY;
    lp.h          = LabelHeight(graph_.SizeFont, FontPixels(dpiY));
    lp.xOnTop     = graph_.XOnTop;
    lp.hasTitle   = !graph_.Title.isEmpty();
    lp.titleOnTop = graph_.TitleOnTop;
    lp.showLayers = graph_.ShowLayers;
    PlotFrame f;
    f.mode   = OutputMode::Printing;
    f.output = out;
    f.dpiX   = dpiX;
    f.dpiY   = dpiY;
    f.h      = lp.h;
    f.rects  = PrintLayout(lp);
    f.view   = view_;
    QPainter p;
    const bool opened = p.begin(&printer);
    if (opened) {
        PaintGraph(p, graph_, f);
        p.end();
    }
    LayOut(false);
    return opened;
}

void TPlotForm::PlotPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

void TPlotForm::PlotPageClick() {
    QPrinter printer(QPrinter::HighResolution);
    QPageLayout page = printer.pageLayout();
    page.setUnits(QPageLayout::Inch);
    page.setMargins(QMarginsF(margins_[0] / 1000.0, margins_[1] / 1000.0, margins_[2] / 1000.0,
                              margins_[3] / 1000.0));
    printer.setPageLayout(page);
    QPageSetupDialog dlg(&printer, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const QMarginsF m = printer.pageLayout().margins(QPageLayout::Inch);
    margins_          = {static_cast<int>(std::lround(m.left() * 1000)),
                         static_cast<int>(std::lround(m.top() * 1000)),
                         static_cast<int>(std::lround(m.right() * 1000)),
                         static_cast<int>(std::lround(m.bottom() * 1000))};
}

QString TPlotForm::AskPictureName(const QString& title, const QStringList& filters,
                                  const QString& suffix) {
    // the folder of the project (the current directory since it was opened or saved)
    const QString chosen =
        AskSaveFileName(this, title, QDir::currentPath() + QLatin1Char('/'), filters);
    if (chosen.isEmpty()) return {};
    const QString path = PictureFileName(chosen, suffix);
    if (path.isEmpty())
        ShowMessage(
            this, TMsgKind::Error,
            QStringLiteral("A picture is not saved under a project's name (.kvd): ") + chosen);
    return path;
}

void TPlotForm::PlotSaveClick() {
    const QString path =
        AskPictureName(QStringLiteral("Save To Disk"),
                       {QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("PNG image (*.png)")},
                       QStringLiteral("bmp"));
    if (path.isEmpty()) return;

    // the dialog allocates the bitmap; a refusal after OK means the memory would not hold it
    auto* format   = new TdlgFormat(this);
    bool okPressed = false;
    for (QPushButton* b : format->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("OK"))
            connect(b, &QPushButton::clicked, format, [&okPressed] { okPressed = true; });
    const bool accepted = format->exec() == QDialog::Accepted;
    QImage image        = accepted ? format->Bitmap() : QImage();
    delete format;  // the image is then the only holder of its pixels and is painted in place
    SaveResult result = SaveResult::NoMemory;
    if (accepted && !image.isNull())
        result = SaveBitmap(image, path);
    else if (!okPressed)
        return;
    switch (result) {
        case SaveResult::Saved:
            break;
        case SaveResult::NoMemory:
            ShowMessage(this, TMsgKind::Error,
                        QStringLiteral("There is not enough memory to complete this task."));
            break;
        case SaveResult::WriteFailed:
            ShowMessage(this, TMsgKind::Error,
                        QStringLiteral("The image could not be written to ") + path);
            break;
    }
    LayOut(false);
}

void TPlotForm::PlotPdfClick() {
    QString path = AskPictureName(QStringLiteral("Save as PDF"),
                                  {QStringLiteral("PDF document (*.pdf)")}, QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    // the pattern pictures are sized for a printer of a few hundred dots per inch
    printer.setResolution(300);
    if (!PrintTo(printer))
        ShowMessage(this, TMsgKind::Error,
                    QStringLiteral("The PDF file could not be written to ") + path);
}

}  // namespace korven
