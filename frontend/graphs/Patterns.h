// Fill textures of the soil-layer strip: the six hatches and the six picture patterns A to F.
#pragma once

#include <QBrush>
#include <QImage>

namespace korven {

/// Brush for a layer pattern code; `print` gives the printing sizes. Codes outside 1..12 give
/// no fill.
QBrush LayerBrush(int code, bool print, int dpi);

/// The picture of codes 7 to 12 in its screen or print size (null image for other codes).
QImage PatternPicture(int code, bool print);

}  // namespace korven
