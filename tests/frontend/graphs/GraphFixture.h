// A small depth graph and a layered profile shared by the window tests and the screenshots.
#pragma once

#include <cmath>

#include "graphs/PltData.h"

namespace korven::testing {

/// `curves` capacity curves of 16 points down to 50 ft over three soil layers (10, 25, 40 ft).
inline void FillDepthGraph(TGraphPlot& g, int curves) {
    g.Caption  = "Ultimate Total Capacity vs Depth";
    g.XCaption = "Ultimate Total Capacity ";
    g.XUnits   = "F2";
    g.YCaption = "Depth ";
    g.YUnits   = "L2";
    g.SetLineCount(curves);
    g.SetPointCount(16);
    for (int i = 0; i < curves; ++i) {
        g.Curve(i).LineName = QStringLiteral("Dia=%1 ft").arg(2 + 0.5 * i);
        for (int j = 0; j < 16; ++j) {
            const long double depth = j * 50.0L / 15;
            g.Curve(i).Point(j)     = {(1 + i * 0.4L) * 4 * std::pow(depth, 1.2L), depth};
        }
    }
    g.SetLayerCount(3);
    g.SetLayerPointCount(1);
    const int codes[]          = {1, 7, 12};
    const long double bottom[] = {10, 25, 40};
    const char* names[]        = {" CLAY ", " SAND ", " GRAVEL "};
    for (int i = 0; i < 3; ++i) {
        g.Layer(i).LineName = QString::fromLatin1(names[i]);
        g.Layer(i).Point(0) = {static_cast<long double>(codes[i]), bottom[i]};
    }
}

}  // namespace korven::testing
