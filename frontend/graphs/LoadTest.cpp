// Load-test records, the bi-directional to top-down construction and the 5 % D criterion.
#include "graphs/LoadTest.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "project/GeneralFormat.h"

namespace korven {

namespace {

constexpr long double kPi            = 3.14159265358979323846L;
constexpr long double kKnPerTon      = 8.896443230521L;  // short ton-force, 2000 lbf
constexpr long double kMetresPerInch = 0.0254L;
constexpr long double kMetresPerFoot = 0.3048L;
constexpr long double kKpaPerPsi     = 6.894757293168L;
constexpr std::size_t kMaxFileBytes  = 1 << 20;
constexpr std::size_t kMaxRows       = 2000;
constexpr long double kMaxValue      = 1e9L;  // no load, movement or length of a test is larger

// settlements equal to within rounding of the unit conversions
bool Same(long double a, long double b) {
    return std::fabs(a - b) <= 1e-9L * std::max(1.0L, std::fabs(b));
}

std::string Trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(" \t\r");
    return std::string(s.substr(b, e - b + 1));
}

std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const auto comma = line.find(',', start);
        out.push_back(Trim(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool StartsNumeric(const std::string& s) {
    return !s.empty()
           && ((s[0] >= '0' && s[0] <= '9') || s[0] == '-' || s[0] == '+' || s[0] == '.');
}

// force of a record in kN, movement in metres
long double ForceToKn(long double f, TestUnits u) {
    switch (u) {
        case TestUnits::TonsIn:
            return f * kKnPerTon;
        case TestUnits::KipsIn:
            return f * kKnPerTon / 2;
        default:
            return f;
    }
}
long double MoveToMetres(long double m, TestUnits u) {
    switch (u) {
        case TestUnits::TonsIn:
        case TestUnits::KipsIn:
            return m * kMetresPerInch;
        case TestUnits::KnMm:
            return m / 1000;
        default:
            return m;
    }
}
bool EnglishFamily(TestUnits u) { return u == TestUnits::TonsIn || u == TestUnits::KipsIn; }

const char* UnitsText(TestUnits u) {
    switch (u) {
        case TestUnits::TonsIn:
            return "tons,in";
        case TestUnits::KipsIn:
            return "kips,in";
        case TestUnits::KnMm:
            return "kN,mm";
        default:
            return "kN,m";
    }
}

// a load or movement of the graphs: tons and inches, or kN and metres
long double KnToGraph(long double kn, int units) { return units == 2 ? kn : kn / kKnPerTon; }
long double MetresToGraph(long double m, int units) { return units == 2 ? m : m / kMetresPerInch; }

// the load of a curve at a movement, as the criterion reads it; nothing outside the curve
bool LoadAt(const std::vector<TCurvePoint>& c, long double m, long double& load) {
    const TCriterionLoad r = LoadAtSettlement(c, m);
    if (!r.Reached || c.empty() || m < c.front().Settlement) return false;
    load = r.Load;
    return true;
}

}  // namespace

TLoadTestRead ParseLoadTest(std::string_view text, const std::string& source) {
    TLoadTestRead r;
    const auto fail = [&](int line, const std::string& why) {
        r.Ok = false;
        r.Error =
            source + (line > 0 ? ", line " + std::to_string(line) : std::string()) + ": " + why;
        return r;
    };
    if (text.size() > kMaxFileBytes) return fail(0, "the file is larger than a load test can be");
    if (text.find('\0') != std::string_view::npos) return fail(0, "the file is not a text file");

    TLoadTest& t    = r.Test;
    bool hasName    = false;
    bool hasKind    = false;
    bool hasUnits   = false;
    bool inData     = false;
    int lineNo      = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const auto nl = text.find('\n', pos);
        const std::string raw =
            Trim(text.substr(pos, nl == std::string_view::npos ? text.npos : nl - pos));
        pos = nl == std::string_view::npos ? text.size() + 1 : nl + 1;
        ++lineNo;
        if (raw.empty() || raw[0] == '#') continue;
        const std::vector<std::string> f = Fields(raw);

        if (StartsNumeric(f[0])) {
            if (!hasName || !hasKind || !hasUnits)
                return fail(lineNo, "a data row comes before the name, kind and units lines");
            const std::size_t want = t.Kind == TestKind::Bidirectional ? 3 : 2;
            if (f.size() != want)
                return fail(lineNo, t.Kind == TestKind::Bidirectional
                                        ? "a bidirectional row needs load, up, down"
                                        : "a top-down row needs load, movement");
            long double v[3] = {0, 0, 0};
            for (std::size_t i = 0; i < want; ++i)
                if (!ParseReal(f[i], '.', v[i]) || !std::isfinite(v[i]))
                    return fail(lineNo, "'" + f[i] + "' is not a number");
            for (std::size_t i = 0; i < want; ++i)
                if (std::fabs(v[i]) > kMaxValue)
                    return fail(lineNo, "'" + f[i] + "' is out of range");
            for (std::size_t i = 0; i < want; ++i)
                if (v[i] < 0)
                    return fail(lineNo, "loads and movements are given as positive magnitudes");
            if (!t.Rows.empty()) {
                const TLoadTestRow& prev = t.Rows.back();
                if (v[0] < prev.Load)
                    return fail(lineNo,
                                "the load falls below the row before (give the loading "
                                "branch only)");
                if (v[1] < prev.Move || v[2] < prev.Down)
                    return fail(lineNo, "a movement falls below the row before");
            }
            if (t.Rows.size() >= kMaxRows) return fail(lineNo, "too many rows");
            t.Rows.push_back({v[0], v[1], v[2], lineNo});
            inData = true;
            continue;
        }

        const std::string key = Lower(f[0]);
        if (inData) return fail(lineNo, "'" + f[0] + "' where a data row was expected");
        if (key == "load") continue;  // the column heading row
        if (key == "name") {
            if (f.size() < 2 || f[1].empty()) return fail(lineNo, "the name is empty");
            t.Name = f[1];
            for (std::size_t i = 2; i < f.size(); ++i) t.Name += "," + f[i];
            hasName = true;
        } else if (key == "kind") {
            const std::string k = f.size() == 2 ? Lower(f[1]) : std::string();
            if (k == "top-down")
                t.Kind = TestKind::TopDown;
            else if (k == "bidirectional")
                t.Kind = TestKind::Bidirectional;
            else
                return fail(lineNo, "the kind is 'top-down' or 'bidirectional'");
            hasKind = true;
        } else if (key == "units") {
            const std::string u = f.size() == 3 ? Lower(f[1]) + "," + Lower(f[2]) : std::string();
            if (u == "tons,in")
                t.Units = TestUnits::TonsIn;
            else if (u == "kips,in")
                t.Units = TestUnits::KipsIn;
            else if (u == "kn,mm")
                t.Units = TestUnits::KnMm;
            else if (u == "kn,m")
                t.Units = TestUnits::KnM;
            else
                return fail(lineNo, "the units are one of tons,in  kips,in  kN,mm  kN,m");
            hasUnits = true;
        } else if (key == "length" || key == "modulus" || key == "diameter") {
            long double v = 0;
            if (f.size() != 2 || !ParseReal(f[1], '.', v) || !std::isfinite(v) || v <= 0
                || v > kMaxValue * 1000)
                return fail(lineNo, "the " + key + " is a positive number");
            (key == "length" ? t.Length : key == "modulus" ? t.Modulus : t.Diameter) = v;
        } else {
            return fail(lineNo, "unknown line '" + f[0] + "'");
        }
    }
    // what is missing at the end has no line of its own
    if (!hasName || !hasKind || !hasUnits)
        return fail(0, "the name, kind or units line is missing");
    if (t.Kind == TestKind::Bidirectional && t.Length <= 0)
        return fail(0, "a bidirectional test needs the length of the shaft above the cell");
    if (t.Rows.size() < 2) return fail(0, "a load test needs at least two rows");
    r.Ok = true;
    return r;
}

TLoadTestRead ReadLoadTest(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        TLoadTestRead r;
        r.Error = path + ": the file cannot be opened";
        return r;
    }
    std::string text;
    char buf[4096];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        text.append(buf, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxFileBytes) break;
    }
    return ParseLoadTest(text, path);
}

std::string LoadTestText(const TLoadTest& t) {
    std::ostringstream s;
    const auto num = [](long double v) { return FormatGeneral(v, 15); };
    s << "name," << t.Name << "\n";
    s << "kind," << (t.Kind == TestKind::Bidirectional ? "bidirectional" : "top-down") << "\n";
    s << "units," << UnitsText(t.Units) << "\n";
    if (t.Length > 0) s << "length," << num(t.Length) << "\n";
    if (t.Modulus > 0) s << "modulus," << num(t.Modulus) << "\n";
    if (t.Diameter > 0) s << "diameter," << num(t.Diameter) << "\n";
    s << (t.Kind == TestKind::Bidirectional ? "load,up,down\n" : "load,movement\n");
    for (const TLoadTestRow& row : t.Rows) {
        s << num(row.Load) << "," << num(row.Move);
        if (t.Kind == TestKind::Bidirectional) s << "," << num(row.Down);
        s << "\n";
    }
    return s.str();
}

std::vector<TCurvePoint> EquivalentTopDown(const std::vector<TCurvePoint>& up,
                                           const std::vector<TCurvePoint>& down, long double length,
                                           long double area, long double modulus) {
    std::vector<TCurvePoint> out;
    if (up.empty() || down.empty()) return out;
    // matched movements: every measured movement both curves reach
    const long double lo = std::max(up.front().Settlement, down.front().Settlement);
    const long double hi = std::min(up.back().Settlement, down.back().Settlement);
    std::vector<long double> moves;
    for (const auto* c : {&up, &down})
        for (const TCurvePoint& p : *c)
            if (p.Settlement >= lo && p.Settlement <= hi) moves.push_back(p.Settlement);
    std::sort(moves.begin(), moves.end());
    moves.erase(std::unique(moves.begin(), moves.end()), moves.end());
    const long double flexibility = length / (area * modulus);
    for (const long double m : moves) {
        long double qUp = 0, qDown = 0;
        if (!LoadAt(up, m, qUp) || !LoadAt(down, m, qDown)) continue;
        // shortening above the cell: the axial load falls from qUp + qDown to qDown
        const long double top        = qUp + qDown;
        const long double shortening = (qUp / 2 + qDown) * flexibility;
        out.push_back({top, m + shortening});
    }
    return out;
}

TCriterionLoad LoadAtSettlement(const std::vector<TCurvePoint>& c, long double s) {
    TCriterionLoad r;
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        const TCurvePoint& a = c[i];
        const TCurvePoint& b = c[i + 1];
        if (a.Settlement <= s && b.Settlement > s && !Same(b.Settlement, s)) {
            r.Reached = true;
            r.Load =
                a.Load + (s - a.Settlement) / (b.Settlement - a.Settlement) * (b.Load - a.Load);
            return r;
        }
    }
    // nothing passes the criterion: it may still be met where the curve stops
    for (std::size_t i = c.size(); i-- > 0;) {
        if (Same(c[i].Settlement, s)) {
            r.Reached     = true;
            r.AtLastPoint = i + 1 == c.size();
            r.Load        = c[i].Load;
            return r;
        }
    }
    return r;
}

long double CriterionSettlement(long double diameter, int units) {
    // 5 % of the diameter: ft to inches, metres stay
    return units == 2 ? 0.05L * diameter : 0.05L * diameter * 12;
}

long double DiameterToProject(long double d, TestUnits from, int units) {
    const long double metres = EnglishFamily(from) ? d * kMetresPerFoot : d;
    return units == 2 ? metres : metres / kMetresPerFoot;
}

long double DiameterFromProject(long double d, int units, TestUnits to) {
    const long double metres = units == 2 ? d : d * kMetresPerFoot;
    return EnglishFamily(to) ? metres / kMetresPerFoot : metres;
}

bool MeasuredCurve(const TLoadTest& t, int units, long double diameter, long double projectModulus,
                   std::vector<TCurvePoint>& curve, std::string& error) {
    curve.clear();
    if (t.Kind == TestKind::TopDown) {
        for (const TLoadTestRow& row : t.Rows)
            curve.push_back({KnToGraph(ForceToKn(row.Load, t.Units), units),
                             MetresToGraph(MoveToMetres(row.Move, t.Units), units)});
        return true;
    }
    // the construction runs in kN and metres
    const long double dMetres = units == 2 ? diameter : diameter * kMetresPerFoot;
    const long double lMetres = EnglishFamily(t.Units) ? t.Length * kMetresPerFoot : t.Length;
    long double modulus       = 0;  // kN/m^2
    if (t.Modulus > 0)
        modulus = EnglishFamily(t.Units) ? t.Modulus * kKpaPerPsi : t.Modulus;
    else
        modulus = units == 2 ? projectModulus : projectModulus * kKpaPerPsi;
    if (!(dMetres > 0) || !std::isfinite(dMetres)) {
        error = "the shaft diameter must be above 0";
        return false;
    }
    if (!(modulus > 0) || !std::isfinite(modulus)) {
        error =
            "the elastic modulus of the shaft is not given (neither in the test nor in the "
            "project)";
        return false;
    }
    std::vector<TCurvePoint> up, down;
    for (const TLoadTestRow& row : t.Rows) {
        const long double q = ForceToKn(row.Load, t.Units);
        up.push_back({q, MoveToMetres(row.Move, t.Units)});
        down.push_back({q, MoveToMetres(row.Down, t.Units)});
    }
    const long double area = kPi * dMetres * dMetres / 4;
    for (const TCurvePoint& p : EquivalentTopDown(up, down, lMetres, area, modulus))
        curve.push_back({KnToGraph(p.Load, units), MetresToGraph(p.Settlement, units)});
    if (curve.size() < 2) {
        error =
            "the upward and downward movements share too little range to build a top-down "
            "curve";
        return false;
    }
    return true;
}

}  // namespace korven
