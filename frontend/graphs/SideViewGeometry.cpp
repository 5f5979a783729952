// Geometry of the shaft elevation view.
#include "graphs/SideViewGeometry.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "project/GeneralFormat.h"

namespace korven {

namespace {

// the angle conversion the bell has always been drawn with
constexpr long double kPi = 3.1416L;

int RoundPixel(long double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, -1.0e7L, 1.0e7L)));
}

std::string Depths(long double top, long double bottom) {
    return "depth= " + FormatGeneral(top, 15) + " - " + FormatGeneral(bottom, 15) + "; ";
}

}  // namespace

long double GroundOffset(long double B) { return 2 * B; }

long double DrawnLength(long double L, long double lastBottom) {
    return L < 0.0001L ? lastBottom : L;
}

std::vector<Quad> ShaftShapes(const ShaftOutline& s) {
    const long double B   = s.B;
    const long double off = GroundOffset(B);
    std::vector<Quad> shapes;
    shapes.push_back({{-B / 2, 0}, {B / 2, 0}, {-B / 2, s.L + off}, {B / 2, s.L + off}});
    // a base no wider than the stem is a straight shaft whatever the angle says
    if (s.bellAngle > 0 && s.bellRatio > 1) {
        const long double Bb    = s.bellRatio * B;
        const long double e     = (s.bellRatio - 1) * B / 2;
        const long double alpha = s.bellAngle * kPi / 180;
        // the bell top carries the same ground offset as every other depth, so the slope starts
        // where the stem meets it; a bell flatter than the shaft is long starts at the head
        long double top = s.L + off - e * std::cos(alpha) / std::sin(alpha);
        top             = std::max(top, 0.0L);
        shapes.push_back({{-B / 2, top}, {B / 2, top}, {-Bb / 2, s.L + off}, {Bb / 2, s.L + off}});
    }
    return shapes;
}

ViewRange ShapeExtents(const std::vector<Quad>& shapes, long double lastBottom, long double B) {
    if (shapes.empty()) return {-5, 5, 0, 5};
    ViewRange e;
    for (const Quad& q : shapes) {
        e.xmin = std::min({e.xmin, q.topLeft.x, q.bottomLeft.x});
        e.xmax = std::max({e.xmax, q.topRight.x, q.bottomRight.x});
        e.ymin = std::min(e.ymin, q.topLeft.y);
        e.ymax = std::max(e.ymax, q.bottomRight.y);
    }
    // the last layer line is drawn at its depth plus the ground offset; without the offset here
    // a profile deeper than the shaft would lose its bottom line and label off the window
    e.ymax = std::max(e.ymax, lastBottom + GroundOffset(B));
    // a little room below, or the deepest line would fall on the window's last pixel row
    e.ymax += (e.ymax - e.ymin) / 40;
    return e;
}

std::optional<ViewRange> TrueScaleView(const ViewRange& extents, int clientWidth,
                                       int clientHeight) {
    const long double dx = extents.xmax - extents.xmin;
    const long double dy = extents.ymax - extents.ymin;
    if (clientWidth <= 0 || clientHeight <= 0 || !(dx > 0) || !(dy > 0)) return std::nullopt;
    const long double a = (static_cast<long double>(clientWidth) / clientHeight) / (dx / dy);
    if (!std::isfinite(a) || !(a > 0)) return std::nullopt;
    ViewRange v = extents;
    if (a >= 1) {
        v.xmin *= a;
        v.xmax *= a;
    } else {
        v.ymin /= a;
        v.ymax /= a;
    }
    if (!(v.xmax > v.xmin) || !(v.ymax > v.ymin) || !std::isfinite(v.xmax - v.xmin)
        || !std::isfinite(v.ymax - v.ymin))
        return std::nullopt;
    return v;
}

PixelPoint SideWorldToScreen(const ViewRange& v, int clientWidth, int clientHeight, long double x,
                             long double y) {
    return {RoundPixel(clientWidth * (x - v.xmin) / (v.xmax - v.xmin)),
            RoundPixel(clientHeight * (y - v.ymin) / (v.ymax - v.ymin))};
}

long double SideDepthAt(const ViewRange& v, int clientHeight, int Y, long double B) {
    if (clientHeight <= 0) return 0;
    const long double worldY =
        v.ymin + static_cast<long double>(Y) / clientHeight * (v.ymax - v.ymin);
    return worldY - GroundOffset(B);
}

std::string DepthReadout(long double depth) {
    std::array<char, 64> buf{};
    auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), depth, std::chars_format::fixed, 1);
    std::string text = ec == std::errc{} ? std::string(buf.data(), end) : std::string("?");
    if (text == "-0.0") text = "0.0";
    return "  Depth: " + text;
}

LayerLabel ScreenLayerLabel(int soilType, long double top, long double bottom) {
    switch (soilType) {
        case 1:
            return {Depths(top, bottom) + "Sand", true};
        case 2:
            return {Depths(top, bottom) + "Clay", true};
        case 3:
            return {"Shale", false};
        case 4:
        case 7:
            return {"Strong Rock", false};
        case 5:
            return {"Decomposed Rock", false};
        case 6:
            return {"Weak Rock", false};
        case 8:
            return {Depths(top, bottom) + "Gravelly Sand", true};
        case 9:
            return {Depths(top, bottom) + "Gravel", true};
        default:
            return {"", false};
    }
}

std::string PrintLayerLabel(int soilType, long double top, long double bottom) {
    static const std::array<const char*, 9> kNames{
        "Sand",      "Clay",        "Shale",         "Strong Rock", "Decomposed Rock",
        "Soft Rock", "Strong Rock", "Gravelly Sand", "Gravel"};
    const std::string name =
        soilType >= 1 && soilType <= 9 ? kNames[static_cast<std::size_t>(soilType - 1)] : "";
    return Depths(top, bottom) + name;
}

int SnapPrintResolution(int estimate) {
    if (estimate < 76) return 75;
    if (estimate <= 125) return 100;
    if (estimate <= 225) return 150;
    if (estimate <= 449) return 300;
    if (estimate <= 899) return 600;
    return 1200;
}

int PrintWorldY(long double worldY, long double B, long double lastBottom, int pageHeight) {
    const long double full = lastBottom + GroundOffset(B);
    const int margin       = RoundPixel(0.1L * pageHeight);
    if (!(full > 0)) return margin;
    return RoundPixel(worldY / full * 0.8L * pageHeight) + margin;
}

}  // namespace korven
