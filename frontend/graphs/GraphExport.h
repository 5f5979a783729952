// Result graphs and the elevation view written to image files without a window: PNG, PDF and
// SVG, painted by the same code as the windows.
#pragma once

#include <QImage>
#include <QString>
#include <string_view>

#include "graphs/PltData.h"
#include "graphs/SideViewPaint.h"

namespace korven {

enum class ImageFormat { Png, Pdf, Svg };

/// "png", "pdf" or "svg"; false for anything else.
bool ParseImageFormat(std::string_view text, ImageFormat& format);
const char* FormatExtension(ImageFormat format);

/// The graph as its window saves it: `width` x `height` pixels laid out at `dpi`, the legend box
/// drawn, the full range shown. A null image when the graph has no scale.
QImage RenderGraph(const TGraphPlot& g, int width, int height, int dpi);

/// The graph written to `path`; `title` names the document (SVG title, PDF title). False with
/// `error` when the graph has no scale or the file cannot be written.
bool WriteGraph(const TGraphPlot& g, const QString& path, ImageFormat format, int width, int height,
                int dpi, const QString& title, QString& error);

/// The elevation view as its window paints it at `width` x `height`, in the default palette
/// and font of the application.
QImage RenderSideView(const SideViewData& data, int width, int height, int dpi);
bool WriteSideView(const SideViewData& data, const QString& path, ImageFormat format, int width,
                   int height, int dpi, const QString& title, QString& error);

}  // namespace korven
