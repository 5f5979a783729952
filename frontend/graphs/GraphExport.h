// Result graphs and the elevation view written to image files without a window: PNG, PDF and
// SVG, painted by the same code as the windows.
#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <string_view>

#include "graphs/PltData.h"
#include "graphs/SideViewPaint.h"

namespace korven {

enum class ImageFormat { Png, Pdf, Svg };

/// A graph as a file: its number and the name of its file, and its caption in the Graphics
/// menu (without the accelerator mark and trailing blanks).
struct TGraphFile {
    int Number;
    const char* Slug;
    const char* Caption;
};
/// The twelve result graphs in the order of the Graphics menu (the order of
/// `TResultGraphs::All`), then the elevation view as number 13.
const std::array<TGraphFile, 13>& GraphFiles();
inline constexpr int kElevationNumber = 13;

/// "05-design-tip-resistance.svg" and the like.
QString GraphFileName(const TGraphFile& f, ImageFormat format);

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
