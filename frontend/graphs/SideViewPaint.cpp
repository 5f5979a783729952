// Painting of the elevation view.
#include "graphs/SideViewPaint.h"

#include <QPainter>
#include <QPolygon>

namespace korven {

SideViewPicture BuildSideView(SideViewData data) {
    SideViewPicture pic;
    if (data.layers.empty()) {
        pic.extents = ShapeExtents({}, 0, 0);
        pic.data    = std::move(data);
        return pic;
    }
    const long double lastBottom = data.layers.back().bottom;
    if (data.shaft.L < 0.0001L) data.shaft.L = lastBottom;
    pic.shapes  = ShaftShapes(data.shaft);
    pic.extents = ShapeExtents(pic.shapes, lastBottom, data.shaft.B);
    pic.data    = std::move(data);
    return pic;
}

void PaintSideView(QPainter& p, int w, int h, const SideViewData& data,
                   const std::vector<Quad>& shapes, const std::optional<ViewRange>& view,
                   const QColor& base, const QColor& ink, const QFont& font) {
    p.fillRect(QRect(0, 0, w, h), base);
    if (!view) return;
    const ViewRange v   = *view;
    const auto depthToY = [&](long double depth) {
        return SideWorldToScreen(v, w, h, 0, depth + GroundOffset(data.shaft.B)).y;
    };
    p.setPen(QPen(ink, 1));
    p.setFont(font);
    const QFontMetrics fm(p.font());
    long double top = 0;
    for (std::size_t i = 0; i < data.layers.size(); ++i) {
        const SideLayer& layer = data.layers[i];
        if (i == 0) {
            const int Y = depthToY(0);
            p.drawLine(0, Y, w, Y);
            for (int j = 1; j <= 20; ++j) p.drawLine(100 + 20 * j, Y, 115 + 20 * j, Y + 5);
        }
        const int Y = depthToY(layer.bottom);
        p.drawLine(0, Y, w, Y);
        const LayerLabel label = ScreenLayerLabel(layer.soilType, top, layer.bottom);
        const int ly           = depthToY(top) + (label.belowTop ? fm.height() : 0);
        p.drawText(QRect(4, ly, w, fm.height()), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(label.text));
        top = layer.bottom;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (const Quad& q : shapes) {
        QPolygon poly;
        for (const WorldPoint& wp : {q.topLeft, q.topRight, q.bottomRight, q.bottomLeft}) {
            const PixelPoint s = SideWorldToScreen(v, w, h, wp.x, wp.y);
            poly << QPoint(s.x, s.y);
        }
        p.drawPolygon(poly);
    }
}

}  // namespace korven
