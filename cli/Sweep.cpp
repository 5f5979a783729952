// Sweep parameters and lists.
#include "Sweep.h"

#include <charconv>
#include <cmath>

#include "Numbers.h"
#include "project/ProgramData.h"

namespace korven::cli {
namespace {

using L = long double;

double rounded(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 12);
    return parseNumber(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf))).value_or(v);
}

constexpr std::size_t kMaxValues = 1000;

}  // namespace

const std::vector<SweepField>& sweepFields() {
    static const std::vector<SweepField> fields = {
        {"diameter", "stem diameter, ft or m: the smallest and largest diameter both",
         [](TProgramData& p, double v) { p.MinDiameter = p.MaxDiameter = L(v); }},
        {"length", "shaft length, ft or m: the project is run to this design length",
         [](TProgramData& p, double v) {
             p.DesignLength = L(v);
             p.DesignLoad   = 0;
         }},
        {"load", "design load, tons or kN: the project is run to this design load",
         [](TProgramData& p, double v) {
             p.DesignLoad   = L(v);
             p.DesignLength = 0;
         }},
        {"water-table", "depth of the water table, ft or m",
         [](TProgramData& p, double v) { p.WaterTableDepth = L(v); }},
        {"fs-side", "factor of safety on the side resistance",
         [](TProgramData& p, double v) { p.SafetyFactorSide = L(v); }},
        {"fs-tip", "factor of safety on the base resistance",
         [](TProgramData& p, double v) { p.SafetyFactorBase = L(v); }},
        {"bell-ratio", "base diameter over stem diameter (0: straight shaft)",
         [](TProgramData& p, double v) { p.BellRatio = L(v); }},
        {"top-exclusion", "upper length without side resistance, ft or m",
         [](TProgramData& p, double v) { p.TopExclusion = L(v); }},
        {"bottom-exclusion", "bottom length without side resistance, ft or m",
         [](TProgramData& p, double v) { p.BottomExclusion = L(v); }},
        {"modulus", "elastic modulus of the shaft, lbs/in^2 or kN/m^2",
         [](TProgramData& p, double v) { p.ShaftModulus = L(v); }},
    };
    return fields;
}

const SweepField* findSweepField(const std::string& name) {
    for (const auto& f : sweepFields())
        if (name == f.name) return &f;
    return nullptr;
}

std::optional<std::vector<double>> parseSweepList(const std::string& text, std::string& error) {
    std::vector<std::string> parts;
    const char sep   = text.find(':') != std::string::npos ? ':' : ',';
    std::size_t from = 0;
    for (;;) {
        const auto at = text.find(sep, from);
        parts.push_back(text.substr(from, at - from));
        if (at == std::string::npos) break;
        from = at + 1;
    }
    std::vector<double> numbers;
    for (const auto& p : parts) {
        const auto v = parseNumber(p);
        if (!v || !std::isfinite(*v)) {
            error = "'" + p + "' in '" + text + "' is not a number";
            return std::nullopt;
        }
        numbers.push_back(*v);
    }
    if (sep == ',') {
        if (numbers.size() > kMaxValues) {
            error = "'" + text + "' holds more than 1000 values";
            return std::nullopt;
        }
        for (auto& v : numbers) v = rounded(v);
        return numbers;
    }
    if (numbers.size() != 3) {
        error = "'" + text + "' is not start:stop:step";
        return std::nullopt;
    }
    const double start = numbers[0], stop = numbers[1], step = numbers[2];
    if (!(step > 0) || stop < start) {
        error = "'" + text + "' needs a step above 0 and a stop not below its start";
        return std::nullopt;
    }
    const double count = std::floor((stop - start) / step * (1 + 1e-12) + 1e-9) + 1;
    if (!(count <= static_cast<double>(kMaxValues))) {
        error = "'" + text + "' holds more than 1000 values";
        return std::nullopt;
    }
    std::vector<double> values;
    for (int k = 0; k < static_cast<int>(count); ++k) values.push_back(rounded(start + k * step));
    return values;
}

std::optional<double> movementAt(const std::vector<std::pair<double, double>>& line, double load) {
    double load0 = 0, move0 = 0;
    for (const auto& [l, m] : line) {
        if (load <= l && l > load0) return move0 + (m - move0) * (load - load0) / (l - load0);
        if (l < load0) return std::nullopt;
        load0 = l;
        move0 = m;
    }
    return std::nullopt;
}

}  // namespace korven::cli
