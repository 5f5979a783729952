// Result graphs and the elevation view written to files without a window.
#include "graphs/GraphExport.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <functional>

#include "graphs/PlotPaint.h"

namespace korven {

namespace {

using Painter = std::function<void(QPainter&)>;

void SetResolution(QImage& image, int dpi) {
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
}

QImage Blank(int width, int height, int dpi) {
    QImage image;
    // a size no one asks for would only exhaust the memory
    if (width > 0 && height > 0 && static_cast<double>(width) * height <= 1.0e8)
        image = QImage(width, height, QImage::Format_RGB32);
    if (!image.isNull()) SetResolution(image, dpi);
    return image;
}

bool Write(const QString& path, ImageFormat format, int width, int height, int dpi,
           const QString& title, const Painter& paint, QString& error) {
    switch (format) {
        case ImageFormat::Png: {
            QImage image = Blank(width, height, dpi);
            if (image.isNull()) {
                error = QStringLiteral("the image size is too large");
                return false;
            }
            {
                QPainter p(&image);
                paint(p);
            }
            if (!image.save(path, "PNG")) {
                error = QStringLiteral("cannot write ") + path;
                return false;
            }
            return true;
        }
        case ImageFormat::Pdf: {
            QPdfWriter pdf(path);
            pdf.setTitle(title);
            pdf.setCreator(QStringLiteral("KORVEN 2012.7.2"));
            pdf.setResolution(dpi);
            pdf.setPageSize(QPageSize(
                QSizeF(static_cast<double>(width) / dpi, static_cast<double>(height) / dpi),
                QPageSize::Inch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter p;
            if (!p.begin(&pdf)) {
                error = QStringLiteral("cannot write ") + path;
                return false;
            }
            paint(p);
            p.end();
            return true;
        }
        case ImageFormat::Svg: {
            QSvgGenerator svg;
            svg.setFileName(path);
            svg.setSize(QSize(width, height));
            svg.setViewBox(QRect(0, 0, width, height));
            svg.setResolution(dpi);
            svg.setTitle(title);
            svg.setDescription(QStringLiteral("KORVEN 2012.7.2"));
            QPainter p;
            if (!p.begin(&svg)) {
                error = QStringLiteral("cannot write ") + path;
                return false;
            }
            paint(p);
            p.end();
            return true;
        }
    }
    return false;
}

bool GraphFrame(const TGraphPlot& g, int width, int height, int dpi, PlotFrame& frame) {
    const TAxisRange r = GraphRange(g);
    if (!r.Valid) return false;
    frame = SaveFrame(g, width, height, dpi, dpi, ViewRange{r.xmin, r.xmax, r.ymin, r.ymax});
    return true;
}

Painter SidePainter(const SideViewData& data, int width, int height) {
    return [pic = BuildSideView(data), width, height](QPainter& p) {
        const QPalette palette = QGuiApplication::palette();
        PaintSideView(p, width, height, pic.data, pic.shapes,
                      TrueScaleView(pic.extents, width, height), palette.color(QPalette::Base),
                      palette.color(QPalette::Text), QGuiApplication::font());
    };
}

}  // namespace

const std::array<TGraphFile, 13>& GraphFiles() {
    // clang-format off
    static const std::array<TGraphFile, 13> files = {{
        {1,  "ultimate-skin-friction",     "Ultimate Skin Friction vs Depth"},
        {2,  "ultimate-tip-resistance",    "Ultimate Tip Resistance vs Depth"},
        {3,  "ultimate-total-capacity",    "Ultimate Total Capacity vs Depth"},
        {4,  "design-skin-friction",       "ASD/LRFD Skin Friction vs Depth"},
        {5,  "design-tip-resistance",      "ASD/LRFD Tip Resistance vs Depth"},
        {6,  "design-total-capacity",      "ASD/LRFD Total Capacity vs Depth"},
        {7,  "combined-ultimate",          "Combined Plots vs Depth (ultimate)"},
        {8,  "combined-design",            "Combined Plots vs Depth (ASD/LRFD)"},
        {9,  "load-settlement-trend",      "Axial Load vs Settlement (averaged)"},
        {10, "load-settlement-upper",      "Axial Load vs Settlement (upper bound)"},
        {11, "load-settlement-lower",      "Axial Load vs Settlement (lower bound)"},
        {12, "load-settlement-combined",   "Combined Plots of Load vs Settlement"},
        {13, "elevation-view",             "Elevation View"},
    }};
    // clang-format on
    return files;
}

QString GraphFileName(const TGraphFile& f, ImageFormat format) {
    return QStringLiteral("%1-%2.%3")
        .arg(f.Number, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(f.Slug), QLatin1String(FormatExtension(format)));
}

bool ParseImageFormat(std::string_view text, ImageFormat& format) {
    if (text == "png")
        format = ImageFormat::Png;
    else if (text == "pdf")
        format = ImageFormat::Pdf;
    else if (text == "svg")
        format = ImageFormat::Svg;
    else
        return false;
    return true;
}

const char* FormatExtension(ImageFormat format) {
    switch (format) {
        case ImageFormat::Png:
            return "png";
        case ImageFormat::Pdf:
            return "pdf";
        case ImageFormat::Svg:
            return "svg";
    }
    return "";
}

QImage RenderGraph(const TGraphPlot& g, int width, int height, int dpi) {
    PlotFrame f;
    if (!GraphFrame(g, width, height, dpi, f)) return {};
    QImage image = Blank(width, height, dpi);
    if (image.isNull()) return image;
    QPainter p(&image);
    PaintGraph(p, g, f);
    return image;
}

bool WriteGraph(const TGraphPlot& g, const QString& path, ImageFormat format, int width, int height,
                int dpi, const QString& title, QString& error) {
    PlotFrame f;
    if (!GraphFrame(g, width, height, dpi, f)) {
        error = QStringLiteral("the graph has nothing to scale");
        return false;
    }
    return Write(
        path, format, width, height, dpi, title, [&](QPainter& p) { PaintGraph(p, g, f); }, error);
}

QImage RenderSideView(const SideViewData& data, int width, int height, int dpi) {
    QImage image = Blank(width, height, dpi);
    if (image.isNull()) return image;
    QPainter p(&image);
    SidePainter(data, width, height)(p);
    return image;
}

bool WriteSideView(const SideViewData& data, const QString& path, ImageFormat format, int width,
                   int height, int dpi, const QString& title, QString& error) {
    return Write(path, format, width, height, dpi, title, SidePainter(data, width, height), error);
}

}  // namespace korven
