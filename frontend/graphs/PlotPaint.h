// Paints one graph on any device: the screen, a printer page or a bitmap to be saved.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <vector>

#include "graphs/PlotLayout.h"
#include "graphs/PltData.h"

class QPainter;

namespace korven {

enum class OutputMode { Screen, Printing, Saving };

/// Where and how a graph is drawn on one device.
struct PlotFrame {
    OutputMode mode = OutputMode::Screen;
    PixelRect output;
    int dpiX = 96;
    int dpiY = 96;
    int h    = 14;  ///< label height on this device
    PlotRects rects;
    ViewRange view;
};

/// Window font height in pixels on a device of `dpiY`.
int FontPixels(int dpiY);

/// The drawing font: Times New Roman (or its metric twin) `pixels` high.
QFont GraphFont(int pixels, bool bold);

/// The indices of the curves that are listed and drawn, in curve order.
std::vector<int> ActiveCurves(const TGraphPlot& g);

/// Colour of the curve at position `n` among the active curves: the palette, or the colour of
/// measured curves.
QColor CurveColour(const TLine& line, int n);

/// The frame of a saved image of `width` x `height` pixels: the screen's layout rules at
/// `dpiX` x `dpiY`, the legend box drawn, no room kept for a title.
PlotFrame SaveFrame(const TGraphPlot& g, int width, int height, int dpiX, int dpiY,
                    const ViewRange& view);

/// Axis caption with its unit name in parentheses when the axis has a unit code.
QString AxisCaption(const QString& caption, const QString& units, int unitSystem);

/// Everything of the graph in drawing order: background, captions, ticks and grid, curves, the
/// criterion line with its marks, the legend box (printing and saving) with the criterion table,
/// the layer strip, the frame.
void PaintGraph(QPainter& p, const TGraphPlot& g, const PlotFrame& f);

}  // namespace korven
