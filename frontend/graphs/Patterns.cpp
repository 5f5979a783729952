// Soil textures drawn by the program itself: sand stipple, shale laminae, rock blocks, weathered
// rock, gravelly sand and gravel, each a tile that repeats without a visible seam.
#include "graphs/Patterns.h"

#include <QPainter>
#include <QPainterPath>
#include <cstdint>

namespace korven {

namespace {

// a fixed sequence so every tile looks the same on every run
class Scatter {
public:
    explicit Scatter(std::uint32_t seed) : s_(seed) {}
    double Next() {
        s_ = s_ * 1664525u + 1013904223u;
        return (s_ >> 8) / 16777216.0;
    }

private:
    std::uint32_t s_;
};

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// draws `paint` at the tile and its eight neighbours so strokes crossing an edge wrap round
template <typename F>
void Wrapped(QPainter& p, int w, int h, F paint) {
    for (int dx : {-w, 0, w})
        for (int dy : {-h, 0, h}) {
            p.save();
            p.translate(dx, dy);
            paint(p);
            p.restore();
        }
}

QImage Sand(int w, int h) {  // A: fine stipple
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    Scatter r(7);
    const double s = w / 80.0;
    for (int i = 0; i < 70; ++i) {
        const double x = r.Next() * w, y = r.Next() * h, d = (0.8 + r.Next()) * s;
        Wrapped(p, w, h, [&](QPainter& q) { q.drawEllipse(QPointF(x, y), d, d); });
    }
    return img;
}

QImage Shale(int w, int h) {  // B: thin laminae broken into staggered dashes
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, std::max(1.0, h / 42.0)));
    const int rows = 6;
    for (int i = 0; i < rows; ++i) {
        const double y   = (i + 0.5) * h / rows;
        const double off = (i % 2) * w / 2.0;
        Wrapped(p, w, h, [&](QPainter& q) {
            q.drawLine(QPointF(off + w * 0.1, y), QPointF(off + w * 0.8, y));
        });
    }
    return img;
}

QImage Rock(int w, int h, bool weathered) {  // C, D: block masonry, D with broken joints and grit
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double lw = std::max(1.0, h / 42.0);
    p.setPen(QPen(Qt::black, lw));
    const double half = h / 2.0;
    for (int row = 0; row < 2; ++row) {
        const double y = row * half;
        Wrapped(p, w, h, [&](QPainter& q) {
            if (weathered) {
                q.drawLine(QPointF(0, y), QPointF(w * 0.35, y));
                q.drawLine(QPointF(w * 0.55, y), QPointF(w * 0.9, y));
            } else {
                q.drawLine(QPointF(0, y), QPointF(w, y));
            }
            const double x = row == 0 ? w * 0.25 : w * 0.75;
            q.drawLine(QPointF(x, y), QPointF(x + (weathered ? w * 0.1 : 0), y + half));
        });
    }
    if (weathered) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        Scatter r(11);
        for (int i = 0; i < 6; ++i) {
            const double x = r.Next() * w, y = r.Next() * h;
            Wrapped(p, w, h, [&](QPainter& q) { q.drawEllipse(QPointF(x, y), lw, lw); });
        }
    }
    return img;
}

QImage Pebbles(int w, int h, bool withSand) {  // E, F: rounded pebbles, E with sand between
    QImage img = Blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = w / 80.0;
    Scatter r(withSand ? 23 : 5);
    const int count = withSand ? 7 : 11;
    p.setPen(QPen(Qt::black, std::max(1.0, s)));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const double x = r.Next() * w, y = r.Next() * h;
        const double rx = (5 + 4 * r.Next()) * s, ry = rx * (0.6 + 0.3 * r.Next());
        Wrapped(p, w, h, [&](QPainter& q) { q.drawEllipse(QPointF(x, y), rx, ry); });
    }
    if (withSand) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        for (int i = 0; i < 40; ++i) {
            const double x = r.Next() * w, y = r.Next() * h;
            Wrapped(p, w, h, [&](QPainter& q) { q.drawEllipse(QPointF(x, y), 0.8 * s, 0.8 * s); });
        }
    }
    return img;
}

// hatch lines a fixed physical distance apart, so a printed hatch looks like the screen's
QImage Hatch(int code, int dpi) {
    const int step = std::max(8, dpi / 12);
    QImage img     = Blank(step, step);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, std::max(1, dpi / 150)));
    const bool back  = code == 1 || code == 4;
    const bool fwd   = code == 2 || code == 4;
    const bool horiz = code == 3 || code == 5;
    const bool vert  = code == 3 || code == 6;
    for (int k : {-step, 0, step}) {
        // backward: rising to the left; forward: rising to the right
        if (back) p.drawLine(k, 0, k + step, step);
        if (fwd) p.drawLine(k, step, k + step, 0);
    }
    if (horiz) p.drawLine(0, step / 2, step, step / 2);
    if (vert) p.drawLine(step / 2, 0, step / 2, step);
    return img;
}

}  // namespace

QImage PatternPicture(int code, bool print) {
    switch (code) {
        case 7:
            return print ? Sand(96, 96) : Sand(80, 80);
        case 8:
            return print ? Shale(96, 69) : Shale(30, 42);
        case 9:
            return print ? Rock(96, 69, false) : Rock(30, 42, false);
        case 10:
            return print ? Rock(96, 69, true) : Rock(30, 42, true);
        case 11:
            return print ? Pebbles(96, 192, true) : Pebbles(80, 80, true);
        case 12:
            return print ? Pebbles(96, 192, false) : Pebbles(80, 80, false);
        default:
            return {};
    }
}

QBrush LayerBrush(int code, bool print, int dpi) {
    if (code >= 1 && code <= 6) return QBrush(Hatch(code, print ? dpi : 96));
    if (code >= 7 && code <= 12) return QBrush(PatternPicture(code, print));
    return Qt::NoBrush;
}

}  // namespace korven
