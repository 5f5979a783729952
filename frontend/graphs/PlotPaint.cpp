// Painting of a graph, shared by the window, the printed page and the saved bitmap.
#include "graphs/PlotPaint.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "graphs/Patterns.h"
#include "project/GeneralFormat.h"

namespace korven {

namespace {

QColor Colour(int n) {
    const Rgb c = PaletteColour(n);
    return QColor(c.r, c.g, c.b);
}

// measured load tests stand apart from every palette colour
const QColor kMeasuredColour(230, 120, 0);

void DrawMarker(QPainter& p, int k, PixelPoint at, int dpiX, int dpiY) {
    const auto v = MarkerVertices(k, at.x, at.y, dpiX, dpiY);
    QPolygon poly;
    for (const PixelPoint& q : v) poly << QPoint(q.x, q.y);
    p.drawPolyline(poly);
}

// a rotated text centred on (x, y), reading upward as y captions do
void DrawUpward(QPainter& p, int x, int y, const QString& text, int alignBaselineLeft) {
    p.save();
    p.translate(x, y);
    p.rotate(-90);
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(text);
    // alignBaselineLeft: 0 text above the point (to its left once rotated), else centred
    const int dy = alignBaselineLeft == 0 ? -fm.descent() : fm.ascent() / 2;
    p.drawText(-w / 2, dy, text);
    p.restore();
}

void PaintCaptions(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    const int h         = f.h;
    const PixelRect& o  = f.output;
    const bool hasTitle = !g.Title.isEmpty();
    p.setPen(Qt::black);
    p.setFont(GraphFont(h, true));
    const QFontMetrics fm(p.font());

    const QString xc = AxisCaption(g.XCaption, g.XUnits, g.Units());
    int xTop         = 0;
    if (g.XOnTop) {
        xTop = o.top + (hasTitle && g.TitleOnTop ? h / 8 + h : 0);
    } else {
        xTop = o.bottom - fm.height() - (hasTitle && !g.TitleOnTop ? h / 8 + h : 0);
    }
    p.drawText(QRect(o.left, xTop, o.Width(), fm.height()), Qt::AlignHCenter | Qt::AlignTop, xc);

    if (hasTitle) {
        const int ty = g.TitleOnTop ? o.top : o.bottom - fm.height();
        p.drawText(QRect(o.left, ty, o.Width(), fm.height()), Qt::AlignHCenter | Qt::AlignTop,
                   g.Title);
    }

    const QString yc = AxisCaption(g.YCaption, g.YUnits, g.Units());
    DrawUpward(p, o.left + fm.ascent(), o.top + o.Height() / 2, yc, 0);
}

void PaintTicks(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    const PixelRect& r      = f.rects.plot;
    const ViewRange& v      = f.view;
    const TLabelSteps steps = LabelStep(r.Width(), r.Height(), f.h, g.ShowThree,
                                        TAxisRange{v.xmin, v.xmax, v.ymin, v.ymax});
    if (!steps.X.Draw || !steps.Y.Draw) return;

    const QPen tickPen(Qt::black, 1);
    const QPen gridPen(Qt::black, 1, Qt::DotLine);
    p.setFont(GraphFont(f.h, false));
    const QFontMetrics fm(p.font());

    for (long long k = steps.X.FirstTick; k <= steps.X.LastTick; ++k) {
        const long double x = k * steps.X.Tick;
        const int X         = WorldToScreen(r, v, g.XOnTop, x, v.ymin).x;
        if (X < r.left || X > r.right) continue;
        p.setPen(tickPen);
        if (g.XOnTop)
            p.drawLine(X, r.top, X, r.top + f.dpiY / 16);
        else
            p.drawLine(X, r.bottom, X, r.bottom - f.dpiY / 16);
        if (k % 5 != 0) continue;
        p.setPen(gridPen);
        p.drawLine(X, r.top, X, r.bottom);
        p.setPen(Qt::black);
        const QString label = QString::fromStdString(FormatGeneral(x, 4));
        const int w         = fm.horizontalAdvance(label);
        if (g.XOnTop)
            p.drawText(X - w / 2, r.top - f.dpiY / 32 - fm.descent(), label);
        else
            p.drawText(X - w / 2, r.bottom + f.dpiY / 16 + fm.ascent(), label);
    }

    for (long long k = steps.Y.FirstTick; k <= steps.Y.LastTick; ++k) {
        const long double y = k * steps.Y.Tick;
        const int Y         = WorldToScreen(r, v, g.XOnTop, v.xmin, y).y;
        if (Y < r.top || Y > r.bottom) continue;
        p.setPen(tickPen);
        p.drawLine(r.left, Y, r.left + f.dpiX / 16, Y);
        if (k % 5 != 0) continue;
        p.setPen(gridPen);
        p.drawLine(r.left, Y, r.right, Y);
        p.setPen(Qt::black);
        DrawUpward(p, r.left - f.dpiX / 32, Y, QString::fromStdString(FormatGeneral(y, 4)), 0);
    }
}

// a measured curve carries filled dots instead of the polygon markers
void DrawLineMarker(QPainter& p, const TLine& line, int k, PixelPoint at, int dpiX, int dpiY) {
    if (!line.Measured) {
        DrawMarker(p, k, at, dpiX, dpiY);
        return;
    }
    p.save();
    p.setBrush(p.pen().color());
    p.drawEllipse(QPoint(at.x, at.y), dpiX / 32, dpiY / 32);
    p.restore();
}

void PaintCurves(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    if (g.LineCount() == 0 || g.PointCount() < 2) return;
    const PixelRect& r = f.rects.plot;
    p.save();
    p.setClipRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
    p.setRenderHint(QPainter::Antialiasing, true);
    const int width   = CurvePenWidth(f.dpiX, g.WidthLine);
    const auto active = ActiveCurves(g);
    for (std::size_t n = 0; n < active.size(); ++n) {
        const TLine& line = g.Curve(active[n]);
        if (!line.Shown) continue;
        const int k = static_cast<int>(n);
        QPen pen(CurveColour(line, k), line.Measured ? width + 1 : width);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        QPolygon poly;
        for (const TFloatPoint& pt : line.Points) {
            const PixelPoint s = WorldToScreen(r, f.view, g.XOnTop, pt.x, pt.y);
            poly << QPoint(s.x, s.y);
        }
        p.drawPolyline(poly);
        for (int j : MarkerIndices(static_cast<int>(line.Points.size()), g.Markers)) {
            const TFloatPoint& pt = line.Points[static_cast<std::size_t>(j)];
            DrawLineMarker(p, line, k, WorldToScreen(r, f.view, g.XOnTop, pt.x, pt.y), f.dpiX,
                           f.dpiY);
        }
    }
    p.restore();
}

// the criterion line across the plot, its label, and a diamond where each shown curve meets it
void PaintCriterion(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    const TCriterionOverlay& c = g.Criterion;
    if (!c.Show) return;
    const PixelRect& r = f.rects.plot;
    const int Y        = WorldToScreen(r, f.view, g.XOnTop, f.view.xmin, c.Settlement).y;
    p.save();
    p.setClipRect(QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)));
    if (Y >= r.top && Y <= r.bottom) {
        p.setPen(QPen(QColor(96, 96, 96), 1, Qt::DashLine));
        p.drawLine(r.left, Y, r.right, Y);
        p.setFont(GraphFont(f.h, false));
        const QFontMetrics fm(p.font());
        p.setPen(Qt::black);
        const int tx = r.left + f.dpiX / 8;
        const int ty = g.XOnTop ? Y - fm.descent() - 1 : Y + fm.ascent() + 1;
        p.drawText(tx, ty, c.Label);
    }
    const auto active = ActiveCurves(g);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const TCriterionMark& m : c.Marks) {
        const auto at = std::find(active.begin(), active.end(), m.Curve);
        if (at == active.end() || !g.Curve(m.Curve).Shown) continue;
        const int n        = static_cast<int>(at - active.begin());
        const PixelPoint s = WorldToScreen(r, f.view, g.XOnTop, m.Load, c.Settlement);
        const int dx = f.dpiX / 16, dy = f.dpiY / 16;
        const QPolygon diamond({QPoint(s.x, s.y - dy), QPoint(s.x + dx, s.y), QPoint(s.x, s.y + dy),
                                QPoint(s.x - dx, s.y)});
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(CurveColour(g.Curve(m.Curve), n));
        p.drawPolygon(diamond);
    }
    p.restore();
}

void PaintLegendBox(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    struct Row {
        int n;
        QString name;
        const TLine* line;
    };
    std::vector<Row> rows;
    const auto active = ActiveCurves(g);
    for (std::size_t n = 0; n < active.size(); ++n) {
        const TLine& line = g.Curve(active[n]);
        if (!line.Shown) continue;
        QString name = line.DisplayName();
        if (g.onGetCaption) g.onGetCaption(active[n], name);
        rows.push_back({static_cast<int>(n), name, &line});
    }
    if (rows.empty()) return;
    p.setFont(GraphFont(f.h, false));
    const QFontMetrics fm(p.font());
    int widest = 0;
    for (const Row& row : rows) widest = std::max(widest, fm.horizontalAdvance(row.name));
    const int rowH     = fm.height() + f.dpiY / 32;
    const int width    = widest + 3 * f.dpiX / 16;
    const int height   = static_cast<int>(rows.size()) * rowH + f.dpiY / 32;
    const PixelRect& r = f.rects.plot;
    const QRect box(r.right - width, r.bottom - height, width, height);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setBrush(Qt::NoBrush);
    const int width2 = CurvePenWidth(f.dpiX, 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int top = box.top() + f.dpiY / 64 + static_cast<int>(i) * rowH;
        const int mid = top + rowH / 2;
        p.setPen(QPen(CurveColour(*rows[i].line, rows[i].n), width2));
        DrawLineMarker(p, *rows[i].line, rows[i].n, {box.left() + f.dpiX / 16, mid}, f.dpiX,
                       f.dpiY);
        p.drawText(box.left() + f.dpiX / 8, mid + (fm.ascent() - fm.descent()) / 2, rows[i].name);
    }
}

// the criterion table of a saved or printed graph, in the plot's corner of high load and small
// settlement, which load-settlement curves leave free
void PaintCriterionTable(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    const QStringList& table = g.Criterion.Table;
    if (!g.Criterion.Show || table.isEmpty()) return;
    p.setFont(GraphFont(f.h, false));
    const QFontMetrics fm(p.font());
    int widest = QFontMetrics(GraphFont(f.h, true)).horizontalAdvance(table[0]);  // the heading
    for (const QString& t : table) widest = std::max(widest, fm.horizontalAdvance(t));
    const int rowH     = fm.height() + f.dpiY / 32;
    const int width    = widest + f.dpiX / 8;
    const int height   = static_cast<int>(table.size()) * rowH + f.dpiY / 32;
    const PixelRect& r = f.rects.plot;
    const int top      = g.XOnTop ? r.top + f.dpiY / 16 : r.bottom - f.dpiY / 16 - height;
    const QRect box(r.right - f.dpiX / 16 - width, top, width, height);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setBrush(Qt::NoBrush);
    for (qsizetype i = 0; i < table.size(); ++i) {
        const int rowTop = box.top() + f.dpiY / 64 + static_cast<int>(i) * rowH;
        p.setFont(GraphFont(f.h, i == 0));
        p.drawText(box.left() + f.dpiX / 16, rowTop + rowH / 2 + (fm.ascent() - fm.descent()) / 2,
                   table[i]);
    }
}

// an SVG file knows no hatch or picture brushes: a band there is filled with its picture
bool FillsWithPatterns(const QPainter& p) {
    return p.paintEngine() == nullptr || p.paintEngine()->type() != QPaintEngine::SVG;
}

QImage PatternFill(const QBrush& brush, const QRect& band) {
    QImage fill(band.size(), QImage::Format_RGB32);
    fill.fill(Qt::white);
    QPainter q(&fill);
    QBrush moved = brush;
    moved.setTransform(brush.transform() * QTransform::fromTranslate(-band.left(), -band.top()));
    q.fillRect(fill.rect(), moved);
    return fill;
}

void PaintLayers(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    const PixelRect& s = f.rects.strip;
    p.save();
    p.setClipRect(QRect(QPoint(s.left, s.top), QPoint(s.right, s.bottom)));
    std::vector<long double> depths;
    std::vector<int> codes;
    for (int i = 0; i < g.LayerCount(); ++i) {
        const TLine& layer = g.Layer(i);
        if (layer.Points.empty()) continue;
        depths.push_back(layer.Points.front().y);
        const long double c = layer.Points.front().x;
        codes.push_back(c >= 0 && c <= 100 ? static_cast<int>(std::lround(c)) : 0);
    }
    const auto bands = LayerBands(f.rects.plot, f.view, g.XOnTop, depths);
    const bool print = f.mode == OutputMode::Printing;
    p.setFont(GraphFont(f.h, false));
    const QFontMetrics fm(p.font());
    const int pen     = CurvePenWidth(f.dpiX, g.WidthLine);
    std::size_t shown = 0;
    for (int i = 0; i < g.LayerCount(); ++i) {
        if (g.Layer(i).Points.empty()) continue;
        const Band& b = bands[shown];
        const int c   = codes[shown];
        ++shown;
        if (b.bottom <= b.top) continue;
        // an outline of width w spans left .. left + w, so the band's right edge stays inside
        const QRect band(s.left, b.top, s.Width(), b.bottom - b.top);
        p.setPen(QPen(Qt::black, pen));
        // the texture starts at the strip's corner on every device
        QBrush brush = LayerBrush(c, print, f.dpiX);
        brush.setTransform(QTransform::fromTranslate(s.left, s.top));
        if (!FillsWithPatterns(p) && brush.style() != Qt::NoBrush) {
            p.drawImage(band.topLeft(), PatternFill(brush, band));
            p.setBrush(Qt::NoBrush);
        } else {
            p.setBrush(brush);
        }
        p.drawRect(band);
        const QString name = g.Layer(i).DisplayName();
        const int w        = fm.horizontalAdvance(name);
        const QRect label(band.center().x() - w / 2, band.center().y() - fm.height() / 2, w,
                          fm.height());
        p.fillRect(label, Qt::white);
        p.setPen(Qt::black);
        p.drawText(label, Qt::AlignCenter, name);
    }
    p.restore();
}

}  // namespace

int FontPixels(int dpiY) { return static_cast<int>(std::lround(kWindowFontPixels * dpiY / 96.0)); }

QFont GraphFont(int pixels, bool bold) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(std::max(1, pixels));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

std::vector<int> ActiveCurves(const TGraphPlot& g) {
    std::vector<int> active;
    const int listed = ListedCurveCount(g.LineCount(), g.LimitCurves);
    for (int i = 0; i < listed; ++i)
        if (g.Curve(i).Active) active.push_back(i);
    return active;
}

QColor CurveColour(const TLine& line, int n) { return line.Measured ? kMeasuredColour : Colour(n); }

PlotFrame SaveFrame(const TGraphPlot& g, int width, int height, int dpiX, int dpiY,
                    const ViewRange& view) {
    LayoutParams lp;
    lp.output     = {0, 0, width, height};
    lp.dpiX       = dpiX;
    lp.dpiY       = dpiY;
    lp.h          = LabelHeight(g.SizeFont, FontPixels(dpiY));
    lp.xOnTop     = g.XOnTop;
    lp.showLayers = g.ShowLayers;
    PlotFrame f;
    f.mode   = OutputMode::Saving;
    f.output = lp.output;
    f.dpiX   = dpiX;
    f.dpiY   = dpiY;
    f.h      = lp.h;
    f.rects  = ScreenLayout(lp);
    f.view   = view;
    return f;
}

QString AxisCaption(const QString& caption, const QString& units, int unitSystem) {
    QString text = caption;
    if (!units.isEmpty()) text += QStringLiteral(" (") + UnitName(units, unitSystem) + ")";
    return text;
}

void PaintGraph(QPainter& p, const TGraphPlot& g, const PlotFrame& f) {
    const QRect out(QPoint(f.output.left, f.output.top), QPoint(f.output.right, f.output.bottom));
    p.fillRect(out, Qt::white);
    if (f.output.Width() < f.dpiX || f.output.Height() < f.dpiY) return;
    PaintCaptions(p, g, f);
    const PixelRect& r = f.rects.plot;
    if (r.Width() >= 6 * f.h && r.Height() >= 6 * f.h) PaintTicks(p, g, f);
    PaintCurves(p, g, f);
    PaintCriterion(p, g, f);
    if (f.mode != OutputMode::Screen) {
        PaintLegendBox(p, g, f);
        PaintCriterionTable(p, g, f);
    }
    if (g.ShowLayers && f.rects.hasStrip) PaintLayers(p, g, f);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(r.left, r.top, r.Width(), r.Height()));
}

}  // namespace korven
