// Drawing arithmetic of the graph window.
#include "graphs/PlotLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace korven {

namespace {

// Pixel coordinates far outside any device still have to fit an int after rounding: a curve
// point a million screens away is drawn clipped all the same.
constexpr long double kPixelLimit = 1.0e7L;

int RoundPixel(long double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, -kPixelLimit, kPixelLimit)));
}

}  // namespace

int LabelHeight(int sizeFont, int fontPixels) { return sizeFont * fontPixels / 10; }

PlotRects ScreenLayout(const LayoutParams& p) {
    const int h        = p.h;
    const PixelRect& o = p.output;
    PlotRects r;
    r.plot.left  = o.left + 2 * h + p.dpiX / 8 + h / 8;
    r.plot.right = o.left + o.Width() - p.dpiX / 4 - h / 2;
    if (p.xOnTop) {
        r.plot.top    = o.top + 2 * h + p.dpiY / 8 + h / 8;
        r.plot.bottom = o.top + o.Height() - p.dpiY / 4 - h / 2;
    } else {
        r.plot.top    = o.top + h / 2 + p.dpiY / 4;
        r.plot.bottom = o.top + o.Height() - 2 * h - p.dpiY / 8 - h / 8;
    }
    if (p.hasTitle) {
        if (p.titleOnTop)
            r.plot.top += h / 8 + h;
        else
            r.plot.bottom -= h;
    }
    if (p.showLayers) {
        r.hasStrip = true;
        r.strip    = {r.plot.right - p.dpiX + p.dpiX / 5, r.plot.top, r.plot.right, r.plot.bottom};
        r.plot.right -= p.dpiX;
    }
    return r;
}

PlotRects PrintLayout(const LayoutParams& p) {
    const int h        = p.h;
    const PixelRect& o = p.output;
    PlotRects r;
    // the caption room is measured with the horizontal resolution on both axes, as the page
    // layout has always been drawn
    const int captionRoom = 2 * h + p.dpiX / 8 + h / 8;
    r.plot.left           = o.left + captionRoom;
    r.plot.right          = o.right;
    if (p.xOnTop) {
        r.plot.top    = o.top + captionRoom;
        r.plot.bottom = o.bottom;
    } else {
        r.plot.top    = o.top;
        r.plot.bottom = o.bottom - captionRoom;
    }
    if (p.hasTitle) {
        if (p.titleOnTop)
            r.plot.top += p.dpiY / 4;
        else
            r.plot.bottom -= p.dpiY / 2;
    }
    if (p.showLayers) {
        r.hasStrip = true;
        r.strip    = {r.plot.right - p.dpiX + p.dpiX / 5, r.plot.top, r.plot.right, r.plot.bottom};
        r.plot.right -= p.dpiX;
    }
    return r;
}

PixelPoint WorldToScreen(const PixelRect& plot, const ViewRange& v, bool xOnTop, long double x,
                         long double y) {
    const long double dx = v.xmax - v.xmin;
    const long double dy = v.ymax - v.ymin;
    PixelPoint s;
    s.x         = (dx != 0 ? RoundPixel((x - v.xmin) / dx * plot.Width()) : 0) + plot.left;
    const int c = dy != 0 ? RoundPixel((y - v.ymin) / dy * plot.Height()) : 0;
    s.y         = xOnTop ? plot.top + c : plot.bottom - c;
    return s;
}

WorldPoint ScreenToWorld(const PixelRect& plot, const ViewRange& v, bool xOnTop, int X, int Y) {
    if (X < plot.left || X > plot.right || plot.Width() == 0 || plot.Height() == 0) return {};
    const long double w   = plot.Width();
    const long double hgt = plot.Height();
    WorldPoint p;
    p.x                 = (X - plot.left) / w * (v.xmax - v.xmin) + v.xmin;
    const long double e = xOnTop ? (Y - plot.top) / hgt : (plot.bottom - Y) / hgt;
    p.y                 = v.ymin + e * (v.ymax - v.ymin);
    return p;
}

PixelPoint ClampToRect(const PixelRect& r, PixelPoint p) {
    return {std::clamp(p.x, r.left, std::max(r.left, r.right)),
            std::clamp(p.y, r.top, std::max(r.top, r.bottom))};
}

void ZoomAxisIn(long double a, long double b, long double fullMin, long double fullMax,
                long double& lo, long double& hi) {
    lo                      = std::min(a, b);
    hi                      = std::max(a, b);
    const long double least = (fullMax - fullMin) / 20;
    if (hi - lo < least) {
        const long double centre = (lo + hi) / 2;
        lo                       = centre - least / 2;
        hi                       = centre + least / 2;
        if (lo < fullMin) {
            lo = fullMin;
            hi = fullMin + least;
        } else if (hi > fullMax) {
            hi = fullMax;
            lo = fullMax - least;
        }
    }
}

void ZoomAxisOut(long double at, long double viewMin, long double viewMax, long double fullMin,
                 long double fullMax, long double& lo, long double& hi) {
    const long double p = std::min(viewMax - viewMin, (fullMax - fullMin) / 2);
    // at the cap the centre is pinned to the middle, so the result is the full range exactly
    const long double centre = std::clamp(at, fullMin + p, std::max(fullMin + p, fullMax - p));
    lo                       = centre - p;
    hi                       = centre + p;
    if (p == (fullMax - fullMin) / 2) {
        lo = fullMin;
        hi = fullMax;
    }
}

ViewRange ZoomIn(const ViewRange& full, WorldPoint a, WorldPoint b) {
    ViewRange v;
    ZoomAxisIn(a.x, b.x, full.xmin, full.xmax, v.xmin, v.xmax);
    ZoomAxisIn(a.y, b.y, full.ymin, full.ymax, v.ymin, v.ymax);
    return v;
}

ViewRange ZoomOut(const ViewRange& full, const ViewRange& view, WorldPoint at) {
    ViewRange v;
    ZoomAxisOut(at.x, view.xmin, view.xmax, full.xmin, full.xmax, v.xmin, v.xmax);
    ZoomAxisOut(at.y, view.ymin, view.ymax, full.ymin, full.ymax, v.ymin, v.ymax);
    return v;
}

int CurvePenWidth(int dpiX, int widthLine) {
    return (static_cast<int>(std::lround(dpiX / 300.0)) + 1) * widthLine;
}

std::vector<int> MarkerIndices(int pointCount, int markers) {
    std::vector<int> idx;
    if (markers <= 0) return idx;
    for (int j = 0; j < pointCount; j += markers) idx.push_back(j);
    return idx;
}

std::vector<PixelPoint> MarkerVertices(int k, int X, int Y, int dpiX, int dpiY) {
    constexpr double pi = std::numbers::pi;
    const double rx     = dpiX / 32.0;
    const double ry     = dpiY / 32.0;
    int sides           = 0;
    double start        = 0;
    if (k <= 0) {
        sides = 3;
        start = pi;
    } else if (k == 1) {
        sides = 4;
        start = pi / 4;
    } else {
        sides = k + 1;
    }
    std::vector<PixelPoint> v;
    v.reserve(static_cast<std::size_t>(sides) + 1);
    for (int j = 0; j <= sides; ++j) {
        const double theta = j * 2 * pi / sides + start;
        v.push_back({X + static_cast<int>(std::lround(std::sin(theta) * rx)),
                     Y - static_cast<int>(std::lround(std::cos(theta) * ry))});
    }
    return v;
}

int ListedCurveCount(int curveCount, bool limitCurves) {
    const int n = std::max(curveCount, 0);
    return limitCurves ? std::min(n, kMaxListedCurves) : n;
}

Rgb PaletteColour(int n) {
    // clang-format off
    static constexpr std::array<Rgb, 17> kPalette{{
        {0, 0, 0},     {0, 0, 255},     {255, 0, 0},     {0, 128, 0},   {128, 0, 128},
        {128, 0, 0},   {0, 0, 128},     {255, 0, 255},   {128, 128, 0}, {0, 128, 128},
        {128, 128, 128}, {0, 255, 0},   {128, 128, 128}, {192, 192, 192}, {192, 192, 192},
        {255, 255, 0}, {0, 255, 255}}};
    // clang-format on
    const int i = ((n % 17) + 17) % 17;
    return kPalette[static_cast<std::size_t>(i)];
}

std::vector<Band> LayerBands(const PixelRect& plot, const ViewRange& v, bool xOnTop,
                             const std::vector<long double>& depths) {
    std::vector<Band> bands;
    bands.reserve(depths.size());
    int from = plot.top;
    for (std::size_t i = 0; i < depths.size(); ++i) {
        const int to = WorldToScreen(plot, v, xOnTop, v.xmin, depths[i]).y;
        Band b{from, to};
        if (i + 1 < depths.size()) b.bottom += 1;
        bands.push_back(b);
        from = to;
    }
    return bands;
}

int MarginPixels(int thousandths, int dpi, int physicalOffset) {
    const long long px = std::llround(static_cast<double>(thousandths) * dpi / 1000.0);
    return std::max(static_cast<int>(std::clamp<long long>(px, 0, 1'000'000)), physicalOffset);
}

int ImagePixels(double inches, int ppi) {
    const double px = std::round(inches * ppi);
    // beyond this no image of that side can be allocated anyway (and it must fit an int)
    if (!std::isfinite(px) || px < 1 || px > 1.0e6) return 0;
    return static_cast<int>(px);
}

PixelPoint LegendCorner(const PixelRect& plot, int width, int height,
                        const std::vector<PixelPoint>& points) {
    // one pixel inside the frame, so the frame line stays visible
    const int left = plot.left + 1, top = plot.top + 1;
    const int right = plot.right - width, bottom = plot.bottom - height;
    const PixelPoint corners[] = {{right, bottom}, {left, bottom}, {right, top}, {left, top}};
    PixelPoint best            = corners[0];
    std::size_t fewest         = static_cast<std::size_t>(-1);
    for (const PixelPoint& c : corners) {
        const PixelRect box{c.x, c.y, c.x + width, c.y + height};
        const auto n = static_cast<std::size_t>(
            std::count_if(points.begin(), points.end(),
                          [&box](const PixelPoint& p) { return box.Contains(p.x, p.y); }));
        if (n < fewest) {
            fewest = n;
            best   = c;
        }
    }
    return best;
}

void SamplePolyline(const std::vector<PixelPoint>& vertices, int step,
                    std::vector<PixelPoint>& out) {
    step = std::max(step, 1);
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        out.push_back(vertices[i]);
        if (i + 1 == vertices.size()) break;
        const PixelPoint a = vertices[i], b = vertices[i + 1];
        const long long dx      = static_cast<long long>(b.x) - a.x;
        const long long dy      = static_cast<long long>(b.y) - a.y;
        const long long longest = std::max(std::llabs(dx), std::llabs(dy));
        // a segment thousands of screens long (a zoomed view) is sampled no finer than that
        const long long n = std::min<long long>(longest / step, 10000);
        for (long long k = 1; k < n; ++k)
            out.push_back({a.x + static_cast<int>(dx * k / n), a.y + static_cast<int>(dy * k / n)});
    }
}

}  // namespace korven
