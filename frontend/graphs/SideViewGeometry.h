// Geometry of the shaft elevation: stem and bell outlines, the true-scale view, depth readout,
// layer labels and the printed page's mapping. Plain C++, checked without a display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/PlotLayout.h"

namespace korven {

/// Four world corners; drawn as top-left, top-right, bottom-right, bottom-left. x across the
/// axis (0 on it), y downward from the shaft top.
struct Quad {
    WorldPoint topLeft;
    WorldPoint topRight;
    WorldPoint bottomLeft;
    WorldPoint bottomRight;
};

struct SideLayer {
    int soilType       = 0;
    long double bottom = 0;  ///< depth at the bottom of the layer
};

struct ShaftOutline {
    long double B         = 0;  ///< minimum stem diameter
    long double L         = 0;  ///< proposed shaft length
    long double bellRatio = 0;  ///< Bb / B
    long double bellAngle = 0;  ///< degrees from the vertical
};

/// The shaft stands 2B above the ground so its head is visible: every depth d is drawn at d + 2B.
long double GroundOffset(long double B);

/// The shaft length drawn: the proposed length, or the last layer's bottom when the project
/// gives none (a design-load project). Only the picture uses it; the project keeps its own.
long double DrawnLength(long double L, long double lastBottom);

/// Stem, and the bell when it is one (angle above 0 and base wider than the stem).
std::vector<Quad> ShaftShapes(const ShaftOutline& s);

/// Extents of the shapes from 0, reaching at least the last layer's bottom line, with a fortieth
/// of the depth to spare below it; -5..5 x 0..5
/// when there is nothing to show.
ViewRange ShapeExtents(const std::vector<Quad>& shapes, long double lastBottom, long double B);

/// The extents widened on one axis so that a world unit is as long across as down; nothing when
/// the window or the extents are empty.
std::optional<ViewRange> TrueScaleView(const ViewRange& extents, int clientWidth, int clientHeight);

PixelPoint SideWorldToScreen(const ViewRange& v, int clientWidth, int clientHeight, long double x,
                             long double y);

/// Soil depth under a pixel row.
long double SideDepthAt(const ViewRange& v, int clientHeight, int Y, long double B);

/// "  Depth: " with one decimal.
std::string DepthReadout(long double depth);

/// Screen label of a layer and whether it sits one text height below the layer top.
struct LayerLabel {
    std::string text;
    bool belowTop = false;
};
LayerLabel ScreenLayerLabel(int soilType, long double top, long double bottom);

/// Printed label: depths and type name for every layer.
std::string PrintLayerLabel(int soilType, long double top, long double bottom);

/// Printer resolution estimated from the page size, snapped to the usual printer steps.
int SnapPrintResolution(int estimate);

/// Printed pixel row of a world y on a page whose depth axis ends at `lastBottom` + 2B.
int PrintWorldY(long double worldY, long double B, long double lastBottom, int pageHeight);

}  // namespace korven
