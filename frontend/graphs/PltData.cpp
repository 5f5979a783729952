// Graph model: curve and layer lists, fallback names, unit names and axis scaling.
#include "graphs/PltData.h"

#include <algorithm>
#include <cmath>

#include "project/GeneralFormat.h"

namespace korven {

TLine::TLine(TGraphPlot& owner) : FOwner(&owner) {
    CurveNumber = owner.LineCount() + 1;
    Points.resize(static_cast<std::size_t>(owner.PointCount()));
}

void TLine::SetPointCount(int n) { Points.resize(static_cast<std::size_t>(std::max(n, 0))); }

QString TLine::DisplayName() const {
    if (!LineName.isEmpty()) return LineName;
    const TLineList& curves = FOwner->Curves();
    const auto it =
        std::find_if(curves.begin(), curves.end(),
                     [this](const std::unique_ptr<TLine>& l) { return l.get() == this; });
    // layer bands are not in the curve list and have no fallback entry
    if (it != curves.end() && it - curves.begin() < FOwner->CurveNames.size()) {
        return FOwner->CurveNames.at(it - curves.begin());
    }
    return FOwner->CurveName + QString::fromStdString(FormatGeneral(CurveNumber, 15));
}

void TGraphPlot::SetUnits(int units) { FUnits = std::clamp(units, 1, 3); }

void TGraphPlot::Resize(TLineList& list, int n) {
    n = std::max(n, 0);
    while (static_cast<int>(list.size()) > n) list.pop_back();
    // each new line takes its number and point count from the lines made before it
    while (static_cast<int>(list.size()) < n) list.push_back(std::make_unique<TLine>(*this));
}

void TGraphPlot::SetLineCount(int n) { Resize(FLines, n); }

void ClearMeasured(TGraphPlot& g) {
    int n = g.LineCount();
    while (n > 0 && g.Curve(n - 1).Measured) --n;
    g.SetLineCount(n);
    g.Criterion = {};
}

int TGraphPlot::PointCount() const { return FLines.empty() ? 0 : FLines.front()->PointCount(); }

void TGraphPlot::SetPointCount(int n) {
    for (auto& l : FLines) l->SetPointCount(n);
}

void TGraphPlot::SetLayerCount(int n) { Resize(FLayers, n); }

void TGraphPlot::SetLayerPointCount(int n) {
    for (auto& l : FLayers) l->SetPointCount(n);
}

namespace {

// Replaces the first of the codes that occurs in `text`, every occurrence of it, by its name.
void ReplaceFirstFound(QString& text, const char* const codes[3], const char* const names[3]) {
    for (int i = 0; i < 3; ++i) {
        if (text.contains(QLatin1String(codes[i]))) {
            text.replace(QLatin1String(codes[i]), QLatin1String(names[i]));
            return;
        }
    }
}

}  // namespace

QString UnitName(const QString& code, int units) {
    units = std::clamp(units, 1, 3);
    if (units == 3) return code;
    const bool english                = units == 1;
    static const char* const force[]  = {"F2", "F1", "F"};
    static const char* const length[] = {"L2", "L1", "L"};
    const char* const forceNames[]    = {english ? "tons" : "kN", english ? "kips" : "kN",
                                      english ? "lbs" : "kN"};
    const char* const lengthNames[] = {english ? "ft" : "m", english ? "in" : "mm",
                                       english ? "in" : "m"};
    QString text = code;
    ReplaceFirstFound(text, force, forceNames);
    ReplaceFirstFound(text, length, lengthNames);
    return text;
}

long double RangeStep(long double range) {
    const long double a = std::log10(range);
    long double s       = std::pow(10.0L, std::floor(a));
    if (a - std::floor(a) < std::log10(3.0L)) s /= 10;
    return s;
}

namespace {

// v / step as a whole number of steps, when it is one but for the rounding of the division:
// a range that already lies on the step must not grow by a step.
long double Steps(long double v, long double step) {
    const long double q = v / step;
    const long double r = std::round(q);
    return std::fabs(q - r) <= 1E-9L * std::max(1.0L, std::fabs(r)) ? r : q;
}

long double AwayFromZero(long double q) { return q > 0 ? std::ceil(q) : std::floor(q); }

bool RoundOutward(long double& lo, long double& hi) {
    const long double s = RangeStep(hi - lo);
    if (!std::isfinite(s) || s == 0) return false;
    lo = s * AwayFromZero(Steps(lo, s));
    hi = s * AwayFromZero(Steps(hi, s));
    return std::isfinite(lo) && std::isfinite(hi);
}

}  // namespace

namespace {

TAxisRange Bounds(const TLineList& curves) {
    TAxisRange r;
    for (const auto& line : curves) {
        for (const TFloatPoint& p : line->Points) {
            r.xmin = std::min(r.xmin, p.x);
            r.xmax = std::max(r.xmax, p.x);
            r.ymin = std::min(r.ymin, p.y);
            r.ymax = std::max(r.ymax, p.y);
        }
    }
    return r;
}

TAxisRange Rounded(TAxisRange r) {
    if (r.ymax == r.ymin) {
        r.ymax += 0.01L;
        r.ymin -= 0.01L;
    }
    if (r.xmax == r.xmin) {
        r.xmax += 0.01L;
        r.xmin -= 0.01L;
    }
    r.Valid = RoundOutward(r.ymin, r.ymax) && RoundOutward(r.xmin, r.xmax);
    return r;
}

}  // namespace

TAxisRange AutoScale(const TLineList& curves) { return Rounded(Bounds(curves)); }

TAxisRange GraphRange(const TGraphPlot& g) {
    TAxisRange r = Bounds(g.Curves());
    if (g.Criterion.Show && std::isfinite(g.Criterion.Settlement)) {
        r.ymin = std::min(r.ymin, g.Criterion.Settlement);
        r.ymax = std::max(r.ymax, g.Criterion.Settlement);
    }
    return Rounded(r);
}

namespace {

TAxisTicks AxisTicks(long double lo, long double hi, int n) {
    TAxisTicks t;
    if (n <= 0) return t;
    const long double raw = (hi - lo) / n;
    if (!std::isfinite(raw) || raw <= 0) return t;
    const long double g     = std::pow(10.0L, std::floor(std::log10(raw)));
    const long double m     = std::trunc(Steps(raw, g));
    t.Label                 = m < 2 ? g : m < 5 ? 2 * g : m < 9 ? 5 * g : 10 * g;
    t.Tick                  = t.Label / 5;
    const long double first = std::ceil(Steps(lo, t.Tick));
    const long double last  = std::floor(Steps(hi, t.Tick));
    // a view zoomed far from the origin has tick numbers beyond any integer
    constexpr long double kLimit = 1E15L;
    if (!(t.Tick > 0) || !(std::fabs(first) < kLimit) || !(std::fabs(last) < kLimit)) return t;
    t.FirstTick = static_cast<long long>(first);
    t.LastTick  = static_cast<long long>(last);
    t.Draw      = true;
    return t;
}

}  // namespace

TLabelSteps LabelStep(int width, int height, int labelHeight, bool threePanels,
                      const TAxisRange& range) {
    TLabelSteps s;
    const int per = (threePanels ? 4 : 6) * labelHeight;
    if (per <= 0) return s;
    const int nx = width / per;
    const int ny = height / per;
    if (nx <= 0 || ny <= 0) return s;
    s.X = AxisTicks(range.xmin, range.xmax, nx);
    s.Y = AxisTicks(range.ymin, range.ymax, ny);
    return s;
}

}  // namespace korven
