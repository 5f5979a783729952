// Drawing arithmetic of the graph window: layout rectangles, world/screen mapping, zoom, ticks,
// markers and layer bands. Plain C++ so that every rule can be checked without a display.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace korven {

/// Pixel rectangle with inclusive edges as the drawing formulas use them.
struct PixelRect {
    int left   = 0;
    int top    = 0;
    int right  = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
    int x                                                        = 0;
    int y                                                        = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

/// World range of both axes (depth or settlement on y).
struct ViewRange {
    long double xmin                                           = 0;
    long double xmax                                           = 0;
    long double ymin                                           = 0;
    long double ymax                                           = 0;
    friend bool operator==(const ViewRange&, const ViewRange&) = default;
};

struct WorldPoint {
    long double x = 0;
    long double y = 0;
};

/// Window font: 14 pixels at 96 dpi; text scales with `SizeFont` in tenths.
constexpr int kWindowFontPixels = 14;

/// Label height h in pixels for a text size in tenths and a font height in pixels.
int LabelHeight(int sizeFont, int fontPixels);

/// What decides where the plot goes inside an output rectangle.
struct LayoutParams {
    PixelRect output;      ///< client area, printable area or bitmap
    int dpiX        = 96;  ///< resolution the margins are measured in
    int dpiY        = 96;
    int h           = 14;  ///< label height
    bool xOnTop     = true;
    bool hasTitle   = false;
    bool titleOnTop = true;
    bool showLayers = false;
};

struct PlotRects {
    PixelRect plot;
    PixelRect strip;  ///< layer strip; meaningful only when `hasStrip`
    bool hasStrip = false;
};

/// Screen and saved-bitmap layout: margins for captions and labels around the plot, room for a
/// title, and a strip of one inch at the right for the soil layers.
PlotRects ScreenLayout(const LayoutParams& p);

/// Printed-page layout: the plot fills the page less the margins and the caption room; a title
/// takes a quarter inch on top or half an inch at the bottom.
PlotRects PrintLayout(const LayoutParams& p);

/// World to screen on `plot`; y grows downward when the x axis is on top (depth graphs).
PixelPoint WorldToScreen(const PixelRect& plot, const ViewRange& v, bool xOnTop, long double x,
                         long double y);

/// Screen to world; an x outside the plot gives (0, 0).
WorldPoint ScreenToWorld(const PixelRect& plot, const ViewRange& v, bool xOnTop, int X, int Y);

/// `p` moved to the nearest point of `r`.
PixelPoint ClampToRect(const PixelRect& r, PixelPoint p);

/// One axis of a rubber-band zoom: the sorted span, widened to at least a twentieth of the full
/// span around its centre and shifted back inside the full range.
void ZoomAxisIn(long double a, long double b, long double fullMin, long double fullMax,
                long double& lo, long double& hi);

/// One axis of a right-click zoom out: the span doubles (at most to the full span) around the
/// clicked value, kept inside the full range.
void ZoomAxisOut(long double at, long double viewMin, long double viewMax, long double fullMin,
                 long double fullMax, long double& lo, long double& hi);

ViewRange ZoomIn(const ViewRange& full, WorldPoint a, WorldPoint b);
ViewRange ZoomOut(const ViewRange& full, const ViewRange& view, WorldPoint at);

/// Curve and marker pen width in device pixels.
int CurvePenWidth(int dpiX, int widthLine);

/// Indices of the points that carry a marker: 0 and every multiple of `markers`.
std::vector<int> MarkerIndices(int pointCount, int markers);

/// Closed outline of the marker of curve index k around (X, Y): triangle, square, then polygons
/// with k + 1 sides. The first vertex is repeated at the end.
std::vector<PixelPoint> MarkerVertices(int k, int X, int Y, int dpiX, int dpiY);

/// The curves that are listed and drawn: all of them, or the first 20 when limited.
constexpr int kMaxListedCurves = 20;
int ListedCurveCount(int curveCount, bool limitCurves);

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
/// Curve colour by position among the active curves.
Rgb PaletteColour(int n);

/// Vertical pixel extent of each layer band in the strip: from the previous band's bottom (the
/// plot top for the first) to the layer's depth; every band but the last reaches one pixel
/// further down so neighbours leave no gap.
struct Band {
    int top    = 0;
    int bottom = 0;
};
std::vector<Band> LayerBands(const PixelRect& plot, const ViewRange& v, bool xOnTop,
                             const std::vector<long double>& depths);

/// A page margin in thousandths of an inch, in device pixels, never inside the unprintable edge.
int MarginPixels(int thousandths, int dpi, int physicalOffset);

/// Size of a saved bitmap: round(ppi * inches) pixels; 0 when the result is not a usable size.
int ImagePixels(double inches, int ppi);

/// Top-left corner for a legend of `width` x `height` pixels inside `plot`, in the corner that
/// covers the fewest of `points` (the drawn curves, sampled along their segments). Ties go to
/// bottom right, then bottom left, top right, top left.
PixelPoint LegendCorner(const PixelRect& plot, int width, int height,
                        const std::vector<PixelPoint>& points);

/// Points along the polyline `vertices`, at most `step` pixels apart, ends included: what a
/// legend laid over the curve would hide.
void SamplePolyline(const std::vector<PixelPoint>& vertices, int step,
                    std::vector<PixelPoint>& out);

}  // namespace korven
