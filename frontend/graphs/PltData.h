// Stand-in graph model until the core's arrives; replaced wholesale on merge.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace korven {

struct TFloatPoint {
    long double x = 0;
    long double y = 0;
};

class TGraphPlot;

class TLine {
public:
    explicit TLine(TGraphPlot* owner, long double number) : CurveNumber(number), graph_(owner) {}
    std::vector<TFloatPoint> Points;
    long double CurveNumber = 0;
    std::string LineName;
    bool Shown  = true;
    bool Active = true;
    std::string DisplayName() const;

private:
    TGraphPlot* graph_;
};

struct AxisRange {
    long double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool valid = true;
};

class TGraphPlot {
public:
    std::string CurveName = "Curve #";
    std::string Caption;
    bool ShowLegend    = true;
    bool ShowLayers    = false;
    bool ShowWall      = false;
    bool ShowThree     = false;
    bool ShowFontWidth = true;
    int WallLineCount  = 0;
    int Markers        = 1;
    int SizeFont       = 10;
    int LegendFont     = 11;
    int WidthLine      = 1;
    std::string XCaption, XUnits;
    bool XOnTop = true;
    std::string YCaption, YUnits;
    std::string Title;
    bool TitleOnTop = true;
    std::vector<std::string> CurveNames;
    bool LimitCurves = true;
    std::function<void(int, std::string&)> onGetCaption;

    int Units() const { return units_; }
    void SetUnits(int u) { units_ = u > 3 ? 3 : u < 1 ? 1 : u; }

    void SetLineCount(int n);
    int LineCount() const { return static_cast<int>(lines_.size()); }
    int PointCount() const;
    void SetPointCount(int n);
    void SetLayerCount(int n);
    int LayerCount() const { return static_cast<int>(layers_.size()); }
    void SetLayerPointCount(int n);
    TLine& Line(int i) { return *lines_.at(static_cast<std::size_t>(i)); }
    const TLine& Line(int i) const { return *lines_.at(static_cast<std::size_t>(i)); }
    TLine& Layer(int i) { return *layers_.at(static_cast<std::size_t>(i)); }
    const TLine& Layer(int i) const { return *layers_.at(static_cast<std::size_t>(i)); }
    int IndexOf(const TLine* l) const;

private:
    int units_ = 1;
    std::vector<std::unique_ptr<TLine>> lines_;
    std::vector<std::unique_ptr<TLine>> layers_;
};

std::string UnitName(const std::string& code, int units);
AxisRange AutoScale(const TGraphPlot& g);
long double RangeStep(long double r);
/// Label step for a span over `pixels` with label height h; 0 when no labels fit.
long double LabelStep(long double min, long double max, int pixels, int h);

}  // namespace korven
