// Stand-in graph model until the core's arrives; replaced wholesale on merge.
#include "graphs/PltData.h"

#include <cmath>

#include "project/GeneralFormat.h"

namespace korven {

std::string TLine::DisplayName() const {
    if (!LineName.empty()) return LineName;
    const int i = graph_->IndexOf(this);
    if (i >= 0 && i < static_cast<int>(graph_->CurveNames.size()))
        return graph_->CurveNames[static_cast<std::size_t>(i)];
    return graph_->CurveName + FormatGeneral(CurveNumber, 15);
}

void TGraphPlot::SetLineCount(int n) {
    n = std::max(n, 0);
    while (LineCount() > n) lines_.pop_back();
    while (LineCount() < n) {
        auto l = std::make_unique<TLine>(this, LineCount() + 1);
        l->Points.resize(lines_.empty() ? 0 : lines_.front()->Points.size());
        lines_.push_back(std::move(l));
    }
}
int TGraphPlot::PointCount() const {
    return lines_.empty() ? 0 : static_cast<int>(lines_.front()->Points.size());
}
void TGraphPlot::SetPointCount(int n) {
    for (auto& l : lines_) l->Points.resize(static_cast<std::size_t>(std::max(n, 0)));
}
void TGraphPlot::SetLayerCount(int n) {
    n = std::max(n, 0);
    while (LayerCount() > n) layers_.pop_back();
    while (LayerCount() < n) layers_.push_back(std::make_unique<TLine>(this, LayerCount() + 1));
}
void TGraphPlot::SetLayerPointCount(int n) {
    for (auto& l : layers_) l->Points.resize(static_cast<std::size_t>(std::max(n, 0)));
}
int TGraphPlot::IndexOf(const TLine* l) const {
    for (int i = 0; i < LineCount(); ++i)
        if (lines_[static_cast<std::size_t>(i)].get() == l) return i;
    return -1;
}

static void ReplaceAll(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size()))
        s.replace(p, from.size(), to);
}

std::string UnitName(const std::string& code, int units) {
    if (units == 3) return code;
    const bool en = units == 1;
    std::string s = code;
    if (s.find("F2") != std::string::npos)
        ReplaceAll(s, "F2", en ? "tons" : "kN");
    else if (s.find("F1") != std::string::npos)
        ReplaceAll(s, "F1", en ? "kips" : "kN");
    else
        ReplaceAll(s, "F", en ? "lbs" : "kN");
    if (s.find("L2") != std::string::npos)
        ReplaceAll(s, "L2", en ? "ft" : "m");
    else if (s.find("L1") != std::string::npos)
        ReplaceAll(s, "L1", en ? "in" : "mm");
    else
        ReplaceAll(s, "L", en ? "in" : "m");
    return s;
}

long double RangeStep(long double r) {
    if (!(r > 0)) return 0;
    const long double a = std::log10(r);
    long double s       = std::pow(10.0L, std::floor(a));
    if (a - std::floor(a) < std::log10(3.0L)) s /= 10;
    return s;
}

static long double Away(long double v) { return v > 0 ? std::ceil(v) : std::floor(v); }

AxisRange AutoScale(const TGraphPlot& g) {
    AxisRange r;
    for (int i = 0; i < g.LineCount(); ++i)
        for (const auto& p : g.Line(i).Points) {
            r.xmin = std::min(r.xmin, p.x);
            r.xmax = std::max(r.xmax, p.x);
            r.ymin = std::min(r.ymin, p.y);
            r.ymax = std::max(r.ymax, p.y);
        }
    if (r.ymax == r.ymin) {
        r.ymax += 0.01L;
        r.ymin -= 0.01L;
    }
    long double s = RangeStep(r.ymax - r.ymin);
    if (s == 0) {
        r.valid = false;
        return r;
    }
    r.ymin = s * Away(r.ymin / s);
    r.ymax = s * Away(r.ymax / s);
    if (r.xmax == r.xmin) {
        r.xmax += 0.01L;
        r.xmin -= 0.01L;
    }
    s = RangeStep(r.xmax - r.xmin);
    if (s == 0) {
        r.valid = false;
        return r;
    }
    r.xmin = s * Away(r.xmin / s);
    r.xmax = s * Away(r.xmax / s);
    return r;
}

long double LabelStep(long double min, long double max, int pixels, int h) {
    if (h <= 0) return 0;
    const int n = pixels / (6 * h);
    if (n <= 0 || !(max > min)) return 0;
    const long double raw = (max - min) / n;
    const long double g   = std::pow(10.0L, std::floor(std::log10(raw)));
    const int m           = static_cast<int>(raw / g);
    if (m < 2) return g;
    if (m <= 4) return 2 * g;
    if (m <= 8) return 5 * g;
    return 10 * g;
}

}  // namespace korven
