// The graph window: one result graph drawn with zoom, legend, title, printing and saving.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <vector>

#include "graphs/PlotPaint.h"

class QMdiArea;
class QMenu;
class QMenuBar;
class QAction;
class QActionGroup;
class QPrinter;
class QPagedPaintDevice;

namespace korven {

class TPlotForm;

/// Opens the window of `graph` in `area` (maximised), or brings the open one back; nothing when
/// the graph cannot be scaled (the window closes itself at once).
TPlotForm* ShowGraph(TGraphPlot& graph, QMdiArea* area);

/// The open window of `graph`, if any.
TPlotForm* GraphWindow(const TGraphPlot& graph);

/// The floating list of curve names in the window's client area.
class TLegendBox : public QWidget {
    Q_OBJECT
public:
    explicit TLegendBox(QWidget* parent);
    /// `colours` per entry (the palette when missing); `table` rows follow the entries in black.
    void SetEntries(const QStringList& names, const std::vector<bool>& shown,
                    const std::vector<QColor>& colours = {}, const QStringList& table = {});
    void SetFontSize(int points);  ///< rebuilds the item height and the width
    int ItemAt(int y) const;       ///< entry under a y of the box, -1 if none
    int ItemHeight() const { return itemHeight_; }
    void KeepInside();
    bool UserMoved() const { return userMoved_; }

signals:
    void ItemDoubleClicked(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    void Resize();
    QStringList names_;
    std::vector<bool> shown_;
    std::vector<QColor> colours_;
    QStringList table_;
    QFont font_;
    int itemHeight_ = 16;
    bool dragging_  = false;
    bool userMoved_ = false;
    QPoint grab_;
};

class TPlotForm : public QWidget {
    Q_OBJECT
public:
    enum class SaveResult { Saved, NoMemory, WriteFailed };

    explicit TPlotForm(TGraphPlot& graph, QWidget* parent = nullptr);
    ~TPlotForm() override;

    /// False when the graph's range could not be computed: the window must not be shown.
    bool Valid() const { return valid_; }

    /// The window's title while the pointer is not over the graph, and its entry in the main
    /// window's Window menu: the graph's caption unless the owner names it otherwise.
    const QString& Name() const { return name_; }
    void SetName(const QString& name);

    TGraphPlot& Graph() { return graph_; }
    const ViewRange& View() const { return view_; }
    const ViewRange& FullRange() const { return full_; }
    const PlotFrame& Frame() const { return frame_; }
    TLegendBox* Legend() const { return legend_; }
    QMenu* PlotMenu() const { return plotMenu_; }
    QWidget* Canvas() const { return canvas_; }

    /// The graph painted in save mode into a width x height inch image at `ppi`, written as BMP
    /// (or PNG for a ".png" name).
    SaveResult SaveImage(const QString& path, double widthIn, double heightIn, int ppi);

    /// The graph painted in save mode into `image` (its size and resolution already chosen) and
    /// written to `path`.
    SaveResult SaveBitmap(QImage& image, const QString& path);

    /// The graph painted in print mode onto a page of `printer` (a real printer or a PDF file);
    /// false when the page could not be opened.
    bool PrintTo(QPrinter& printer);

    /// Page margins in thousandths of an inch: left, top, right, bottom.
    std::array<int, 4> Margins() const { return margins_; }

    void LayOut(bool placeLegend);
    /// Scales, lists and lays out the graph's curves anew after they were reloaded; closes the
    /// window when nothing is left to draw.
    void Reload();
    void RebuildCurveLists();
    void ToggleCurve(int curveIndex);

    // canvas events
    void CanvasPaint(QPainter& p);
    void CanvasPress(QMouseEvent* e);
    void CanvasMove(QMouseEvent* e);
    void CanvasRelease(QMouseEvent* e);

    // menu commands
    void PlotCaptionClick();
    void mLineNameClick();
    void ActiveGraphsClick();
    void PlotPrintClick();
    void PlotPageClick();
    void PlotSaveClick();
    void PlotPdfClick();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    void BuildMenu();
    /// The save dialog of a picture; empty when cancelled or refused (a project's name).
    QString AskPictureName(const QString& title, const QStringList& filters, const QString& suffix);
    bool FitToCurves();
    void MenuOpening();
    void ApplyFontSize(int size);
    void PlaceLegend();
    void UpdateLegend();
    int ScreenDpiX() const;
    int ScreenDpiY() const;

    TGraphPlot& graph_;
    bool valid_ = true;
    QString name_;
    ViewRange full_;
    ViewRange view_;
    PlotFrame frame_;
    QWidget* canvas_     = nullptr;
    QMenuBar* menuBar_   = nullptr;
    QMenu* plotMenu_     = nullptr;
    TLegendBox* legend_  = nullptr;
    QAction* legendItem_ = nullptr;
    QAction* soilItem_   = nullptr;
    QAction* wallItem_   = nullptr;
    QMenu* markersMenu_  = nullptr;
    QAction* fontItem_   = nullptr;
    QAction* widthItem_  = nullptr;
    QAction* printItem_  = nullptr;
    QAction* pageItem_   = nullptr;
    std::vector<QAction*> curveItems_;
    QStringList legendNames_;
    std::vector<int> legendCurves_;  ///< curve index of each legend entry
    std::array<int, 4> margins_{1000, 1000, 1000, 1000};
    bool banding_ = false;
    QPoint bandStart_;
    QPoint bandCorner_;
};

}  // namespace korven
