// The elevation view: the shaft to true scale in front of its soil profile.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "graphs/SideViewPaint.h"

class QLabel;
class QPrinter;

namespace korven {

class TDlgSideView : public QWidget {
    Q_OBJECT
public:
    using Reader = std::function<SideViewData()>;

    /// `read` is asked on every activation. The view only reads: a project without a proposed
    /// length is drawn to the last layer's bottom and stays as it is.
    explicit TDlgSideView(Reader read, QWidget* parent = nullptr);

    /// Rebuilds the shapes from the project and lays the view out again.
    void FormActivate();

    /// The main window fits a new child to its hint; the layout's own would leave the picture
    /// a thumbnail.
    QSize sizeHint() const override { return {640, 640}; }

    const std::vector<Quad>& Shapes() const { return shapes_; }
    const std::vector<SideLayer>& Layers() const { return data_.layers; }
    long double B() const { return data_.shaft.B; }
    bool Disabled() const { return !view_.has_value(); }
    std::optional<ViewRange> View() const { return view_; }
    QWidget* Canvas() const { return canvas_; }

    /// Pixel row of a soil depth in the current view.
    int DepthToY(long double depth) const;

    /// The printed page: landscape, the profile within 10 % margins.
    bool PrintTo(QPrinter& printer);

    // canvas events
    void CanvasPaint(QPainter& p);
    void CanvasMove(int y);
    void LayOut();

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void PrintClick();

    Reader read_;
    SideViewData data_;
    std::vector<Quad> shapes_;
    ViewRange extents_{-5, 5, 0, 5};
    std::optional<ViewRange> view_;
    QWidget* canvas_  = nullptr;
    QLabel* geometry_ = nullptr;
    bool watching_    = false;
};

}  // namespace korven
