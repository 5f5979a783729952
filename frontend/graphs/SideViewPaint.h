// Painting of the elevation view, shared by its window and the files written without one.
#pragma once

#include <QColor>
#include <QFont>
#include <optional>
#include <vector>

#include "graphs/SideViewGeometry.h"

class QPainter;

namespace korven {

/// What the view reads from the project and its soil layer table.
struct SideViewData {
    ShaftOutline shaft;
    std::vector<SideLayer> layers;
};

/// The shapes and extents the view draws for `data`; a project without a length shows the shaft
/// down to the last layer's bottom (the project itself is not changed here).
struct SideViewPicture {
    SideViewData data;
    std::vector<Quad> shapes;
    ViewRange extents{-5, 5, 0, 5};
};
SideViewPicture BuildSideView(SideViewData data);

/// The ground line with its hatch, a line and a label at every layer bottom, and the shaft, on
/// a `width` x `height` area filled with `base`; nothing but the fill when `view` is empty.
void PaintSideView(QPainter& p, int width, int height, const SideViewData& data,
                   const std::vector<Quad>& shapes, const std::optional<ViewRange>& view,
                   const QColor& base, const QColor& ink, const QFont& font);

}  // namespace korven
