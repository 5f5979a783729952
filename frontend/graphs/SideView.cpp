// The elevation view of shaft and soil profile.
#include "graphs/SideView.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace korven {

namespace {

class SideCanvas : public QWidget {
public:
    explicit SideCanvas(TDlgSideView* view) : QWidget(view), view_(view) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(60, 60);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        view_->CanvasPaint(p);
    }
    void mouseMoveEvent(QMouseEvent* e) override { view_->CanvasMove(e->position().toPoint().y()); }
    void resizeEvent(QResizeEvent*) override { view_->LayOut(); }

private:
    TDlgSideView* view_;
};

QPolygon Outline(const Quad& q, const std::function<QPoint(WorldPoint)>& map) {
    return QPolygon({map(q.topLeft), map(q.topRight), map(q.bottomRight), map(q.bottomLeft)});
}

}  // namespace

TDlgSideView::TDlgSideView(Reader read, QWidget* parent) : QWidget(parent), read_(std::move(read)) {
    setWindowTitle(QStringLiteral("Elevation View"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* bar  = new QHBoxLayout;
    geometry_  = new QLabel(QStringLiteral("Pile Geometry"), this);
    QFont font = geometry_->font();
    font.setBold(true);
    geometry_->setFont(font);
    auto* print = new QPushButton(QStringLiteral("Print"), this);
    connect(print, &QPushButton::clicked, this, &TDlgSideView::PrintClick);
    bar->addWidget(geometry_);
    bar->addStretch();
    bar->addWidget(print);
    layout->addLayout(bar);
    canvas_ = new SideCanvas(this);
    layout->addWidget(canvas_, 1);
    resize(640, 640);
    FormActivate();
}

void TDlgSideView::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // inside the main window the frame tells when this view becomes the active child again
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && !watching_) {
        watching_ = true;
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    if (now.testFlag(Qt::WindowActive) && !before.testFlag(Qt::WindowActive))
                        FormActivate();
                });
    }
}

void TDlgSideView::closeEvent(QCloseEvent* e) {
    shapes_.clear();
    emit Closed();
    QWidget::closeEvent(e);
}

void TDlgSideView::FormActivate() {
    shapes_.clear();
    data_ = read_ ? read_() : SideViewData{};
    if (data_.layers.empty()) {
        extents_ = ShapeExtents({}, 0, 0);
        LayOut();
        return;
    }
    const long double lastBottom = data_.layers.back().bottom;
    data_.shaft.L                = DrawnLength(data_.shaft.L, lastBottom);
    shapes_                      = ShaftShapes(data_.shaft);
    extents_                     = ShapeExtents(shapes_, lastBottom, data_.shaft.B);
    LayOut();
}

void TDlgSideView::LayOut() {
    view_ = TrueScaleView(extents_, canvas_->width(), canvas_->height());
    canvas_->update();
}

int TDlgSideView::DepthToY(long double depth) const {
    if (!view_) return 0;
    return SideWorldToScreen(*view_, canvas_->width(), canvas_->height(), 0,
                             depth + GroundOffset(data_.shaft.B))
        .y;
}

void TDlgSideView::CanvasPaint(QPainter& p) {
    PaintSideView(p, canvas_->width(), canvas_->height(), data_, shapes_, view_,
                  palette().color(QPalette::Base), palette().color(QPalette::Text), font());
}

void TDlgSideView::CanvasMove(int y) {
    if (!view_) return;
    setWindowTitle(QString::fromStdString(
        DepthReadout(SideDepthAt(*view_, canvas_->height(), y, data_.shaft.B))));
}

bool TDlgSideView::PrintTo(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Soil-Pile Profile"));
    printer.setFullPage(true);
    const QRect paper = printer.pageLayout().fullRectPixels(printer.logicalDpiX());
    const int pw = paper.width(), ph = paper.height();
    const bool landscape = pw >= ph;
    const int dpi        = SnapPrintResolution(landscape ? pw / 10 : pw / 8);

    QPainter p;
    if (!p.begin(&printer)) return false;
    QFont font = geometry_->font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * dpi / 72))));
    p.setFont(font);
    const QFontMetrics fm(p.font());
    p.fillRect(QRect(pw / 10, ph / 10, pw * 8 / 10, ph * 8 / 10), palette().color(QPalette::Base));
    p.setPen(QPen(Qt::black, 12));

    const long double B    = data_.shaft.B;
    const long double last = data_.layers.empty() ? 0 : data_.layers.back().bottom;
    const auto depthY      = [&](long double d) {
        return PrintWorldY(d + GroundOffset(B), B, last, ph);
    };
    const int x0    = static_cast<int>(std::lround(0.1 * pw)),
              x1    = static_cast<int>(std::lround(0.9 * pw));
    long double top = 0;
    for (std::size_t i = 0; i < data_.layers.size(); ++i) {
        const SideLayer& layer = data_.layers[i];
        if (i == 0) {
            const int Y = depthY(0);
            p.drawLine(x0, Y, x1, Y);
            const int a = static_cast<int>(std::lround(0.35 * ph));
            const int b = static_cast<int>(std::lround(0.365 * ph));
            for (int k = 1; k <= 10; ++k) p.drawLine(a + 50 * k, Y, b + 50 * k, Y + 70);
        }
        const int Y = depthY(layer.bottom);
        p.drawLine(x0, Y, x1, Y);
        p.drawText(static_cast<int>(std::lround(0.15 * ph)),
                   depthY(top) + fm.height() + fm.ascent(),
                   QString::fromStdString(PrintLayerLabel(layer.soilType, top, layer.bottom)));
        top = layer.bottom;
    }
    if (view_) {
        const ViewRange v = *view_;
        p.setBrush(Qt::black);
        for (const Quad& q : shapes_)
            p.drawPolygon(Outline(q, [&](WorldPoint wp) {
                const long double X = (wp.x - v.xmin) / (v.xmax - v.xmin) * pw;
                return QPoint(static_cast<int>(std::lround(X)), PrintWorldY(wp.y, B, last, ph));
            }));
    }
    p.end();
    return true;
}

void TDlgSideView::PrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

}  // namespace korven
