// One result graph without its window: curves of x-y points, soil-layer bands, captions, unit codes
// and display settings, with the axis scaling and unit naming its window relies on.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace korven {

struct TFloatPoint {
    long double x = 0;
    long double y = 0;
};

class TGraphPlot;

/// Where a curve meets a settlement criterion.
struct TCriterionMark {
    int Curve        = -1;  ///< curve index
    long double Load = 0;
};

/// A settlement criterion drawn over a load-settlement graph: its line, the points where the
/// curves reach it, and a small table listed under the legend.
struct TCriterionOverlay {
    bool Show              = false;
    long double Settlement = 0;  ///< y of the line
    QString Label;               ///< written at the line
    std::vector<TCriterionMark> Marks;
    QStringList Table;
};

/// One curve, or one soil-layer band whose single point holds the pattern code (x) and the
/// depth of the layer bottom (y).
class TLine {
public:
    explicit TLine(TGraphPlot& owner);

    std::vector<TFloatPoint> Points;
    long double CurveNumber = 0;  ///< number used in the default name
    QString LineName;             ///< explicit name; empty: the fallback name is used
    bool Shown    = true;         ///< drawn
    bool Active   = true;         ///< listed in legend and curve menu, and may be drawn
    bool Measured = false;        ///< a measured load test: drawn in its own colour and marker

    int PointCount() const { return static_cast<int>(Points.size()); }
    TFloatPoint& Point(int j) { return Points.at(static_cast<std::size_t>(j)); }
    const TFloatPoint& Point(int j) const { return Points.at(static_cast<std::size_t>(j)); }
    void SetPointCount(int n);
    TGraphPlot& Owner() const { return *FOwner; }

    /// `LineName`, else the graph's fallback name for this curve's index, else `CurveName`
    /// followed by `CurveNumber`.
    QString DisplayName() const;

private:
    TGraphPlot* FOwner;
};

using TLineList = std::vector<std::unique_ptr<TLine>>;

class TGraphPlot {
public:
    TGraphPlot()                             = default;
    TGraphPlot(const TGraphPlot&)            = delete;
    TGraphPlot& operator=(const TGraphPlot&) = delete;

    QString CurveName = "Curve #";
    QString Caption;
    bool ShowLegend    = true;
    bool ShowLayers    = false;
    bool ShowWall      = false;
    bool ShowThree     = false;
    bool ShowFontWidth = true;
    int WallLineCount  = 0;   ///< index of the layer that is a wall, 0 for none
    int Markers        = 1;   ///< a marker every n-th point, 0 for none
    int SizeFont       = 10;  ///< text size in tenths of the base size
    int LegendFont     = 11;  ///< base point size of the legend
    int WidthLine      = 1;   ///< line width multiplier
    QString XCaption, XUnits;
    bool XOnTop = true;  ///< x axis on top and y growing downward, as depth graphs want
    QString YCaption, YUnits;
    QString XCaption2, XUnits2, YCaption2, YUnits2;
    QString XCaption3, XUnits3, YCaption3, YUnits3;
    /// Lets the owner change a curve's legend name.
    std::function<void(int curveIndex, QString& name)> onGetCaption;

    QString Title;
    bool TitleOnTop = false;
    QStringList CurveNames;  ///< fallback names by curve index
    TCriterionOverlay Criterion;
    bool LimitCurves = true;  ///< only the first 20 curves are listed

    /// Unit system of the unit names: 1 English, 2 SI, 3 none.
    int Units() const { return FUnits; }
    void SetUnits(int units);

    void SetLineCount(int n);
    int LineCount() const { return static_cast<int>(FLines.size()); }
    /// Points of curve 0, 0 without curves.
    int PointCount() const;
    /// Every curve gets `n` points; nothing happens while there is no curve.
    void SetPointCount(int n);
    TLine& Curve(int i) { return *FLines.at(static_cast<std::size_t>(i)); }
    const TLine& Curve(int i) const { return *FLines.at(static_cast<std::size_t>(i)); }
    const TLineList& Curves() const { return FLines; }

    void SetLayerCount(int n);
    int LayerCount() const { return static_cast<int>(FLayers.size()); }
    void SetLayerPointCount(int n);
    TLine& Layer(int i) { return *FLayers.at(static_cast<std::size_t>(i)); }
    const TLine& Layer(int i) const { return *FLayers.at(static_cast<std::size_t>(i)); }
    const TLineList& Layers() const { return FLayers; }

    /// Curves of the second and third panel.
    TLineList& Curves2() { return FLines2; }
    TLineList& Curves3() { return FLines3; }

private:
    void Resize(TLineList& list, int n);

    int FUnits = 1;
    TLineList FLines;
    TLineList FLayers;
    TLineList FLines2;
    TLineList FLines3;
};

/// Removes the measured curves (they follow the predicted ones) and the criterion overlay.
void ClearMeasured(TGraphPlot& g);

/// `code` with its force and length codes replaced by the unit names of `units` (1 English,
/// 2 SI, 3 none: unchanged): "F/L2^2" gives lbs/ft^2 or kN/m^2.
QString UnitName(const QString& code, int units);

/// The step that axis ranges are rounded to, for a range of width `range`.
long double RangeStep(long double range);

struct TAxisRange {
    long double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    /// False when no finite scale exists; the graph window then closes itself.
    bool Valid = true;
};

/// The full range of all points of all `curves`, widened to include 0 and rounded outward to
/// the range step of each axis.
TAxisRange AutoScale(const TLineList& curves);

/// The full range of a graph: `AutoScale` of its curves, reaching the criterion line when one is
/// shown.
TAxisRange GraphRange(const TGraphPlot& g);

struct TAxisTicks {
    bool Draw           = false;  ///< false: no ticks, labels or grid on this axis
    long double Label   = 0;      ///< spacing of labels and grid lines
    long double Tick    = 0;      ///< spacing of ticks, a fifth of the label spacing
    long long FirstTick = 0;      ///< ticks sit at k * Tick for k from FirstTick to LastTick;
    long long LastTick  = -1;     ///< those with k a multiple of 5 carry a label
};

struct TLabelSteps {
    TAxisTicks X, Y;
};

/// Tick and label spacing for a plot area of `width` x `height` pixels, labels `labelHeight`
/// pixels high, showing `range`; the three-panel layout packs labels closer.
TLabelSteps LabelStep(int width, int height, int labelHeight, bool threePanels,
                      const TAxisRange& range);

}  // namespace korven
