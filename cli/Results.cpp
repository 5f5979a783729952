// Reading a run's report back: the report is the one file with every column of the capacity
// table (volume, QBD, QU/volume) and the tip columns of the settlement lines, and it prints them
// with more digits than the plot data file.
#include "Results.h"

#include <cmath>
#include <sstream>
#include <string_view>

#include "Numbers.h"

namespace korven::cli {
namespace {

bool has(std::string_view line, std::string_view what) {
    return line.find(what) != std::string_view::npos;
}

// The number after the "=" of a labelled line, e.g. "  DIAMETER OF STEM       = 3.00 FT.".
std::optional<double> labelled(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    std::istringstream words{std::string(line.substr(eq + 1))};
    std::string w;
    words >> w;
    return parseNumber(w);
}

// Every blank-separated word of the line as a number, or nothing when one is not.
std::optional<std::vector<double>> numbers(std::string_view line) {
    std::istringstream words{std::string(line)};
    std::vector<double> v;
    std::string w;
    while (words >> w) {
        const auto x = parseNumber(w);
        if (!x) return std::nullopt;
        v.push_back(*x);
    }
    return v;
}

// A row of the capacity table: eight fixed fields, the length always a number.
std::optional<CapacityRow> capacityRow(std::string_view line) {
    static constexpr std::size_t kStart[9] = {0, 9, 18, 27, 36, 45, 54, 63, 73};
    if (line.size() < kStart[8] - 2) return std::nullopt;
    CapacityRow row;
    for (std::size_t k = 0; k < 8; ++k)
        if (kStart[k] < line.size())
            row[k] = parseNumber(line.substr(kStart[k], kStart[k + 1] - kStart[k]));
    if (!row[0]) return std::nullopt;
    return row;
}

bool isBlockFrame(std::string_view line, std::string_view word) {
    return has(line, word) && has(line, "***");
}

}  // namespace

std::optional<std::pair<std::size_t, std::size_t>> RunResults::governing() const {
    if (!efficient || diameters.empty()) return std::nullopt;
    std::size_t best = 0;
    for (std::size_t i = 1; i < diameters.size(); ++i)
        if (std::fabs(diameters[i].diameter - efficient->diameter)
            < std::fabs(diameters[best].diameter - efficient->diameter))
            best = i;
    const auto& rows = diameters[best].rows;
    if (rows.empty()) return std::nullopt;
    std::size_t row = rows.size() - 1;
    for (std::size_t r = rows.size(); r-- > 0;)
        if (std::fabs(*rows[r][0] - efficient->length)
            < std::fabs(*rows[row][0] - efficient->length))
            row = r;
    return std::make_pair(best, row);
}

std::array<const char*, 8> RunResults::columnNames() const {
    const char* base = uplift ? "WT" : "QB";
    if (lrfd)
        return {"LENGTH", "VOLUME", "QS", base, "QU", "LRFD QS", uplift ? "WT" : "LRFD QB",
                "LRFD QU"};
    return {"LENGTH", "VOLUME", "QS", base, "QU", "QBD", "QDN", "QU/VOLUME"};
}

RunResults readResults(const std::string& report, const std::string& runtime) {
    RunResults out;
    enum class In { Nothing, TableHeading, Table, Settlement, Efficient } in = In::Nothing;
    SettlementLine* line                                                     = nullptr;
    std::size_t columns                                                      = 4;
    std::istringstream text(report);
    std::string s;
    while (std::getline(text, s)) {
        while (!s.empty() && (s.back() == '\r' || s.back() == ' ')) s.pop_back();
        if (has(s, "THE MOST EFFICIENT SHAFT")) {
            in            = In::Efficient;
            out.efficient = EfficientShaft{};
            continue;
        }
        if (in == In::Efficient) {
            auto& e      = *out.efficient;
            const auto v = labelled(s);
            if (!v) continue;
            if (has(s, "DIAMETER OF STEM")) e.diameter = *v;
            if (has(s, "DIAMETER OF BASE")) e.baseDiameter = *v;
            if (has(s, "ESTIMATED SHAFT LENGTH")) e.length = *v;
            if (has(s, "VOLUME OF CONCRETE") && !has(s, "QU/")) e.volume = *v;
            if (has(s, "ULTIMATE LOAD CAPACITY")) e.QU = *v;
            if (has(s, "QU/VOLUME OF CONCRETE")) e.QUVOLUME = *v;
            continue;
        }
        if (has(s, "LRFD QU = TOTAL CAPACITY")) out.lrfd = true;
        if (has(s, "DIAMETER OF STEM") && has(s, "=")) {
            out.diameters.emplace_back();
            out.diameters.back().diameter = labelled(s).value_or(0);
            out.si                        = s.ends_with(" M");
            in                            = In::Nothing;
            continue;
        }
        if (out.diameters.empty()) continue;
        DiameterResult& d = out.diameters.back();
        if (has(s, "DIAMETER OF BASE") && has(s, "=")) {
            d.baseDiameter = labelled(s).value_or(0);
            continue;
        }
        if (has(s, "LENGTH  VOLUME")) {
            out.uplift = has(s, " WT ");
            in         = In::TableHeading;
            continue;
        }
        const char* lineName = has(s, "RESULT FROM TREND")              ? "trend"
                               : has(s, "RESULT FROM UPPER-BOUND")      ? "upper-bound"
                               : has(s, "RESULT FROM LOWER-BOUND")      ? "lower-bound"
                               : has(s, "LOAD SETTLEMENT RELATIONSHIP") ? "rock"
                                                                        : nullptr;
        if (lineName) {
            d.settlement.push_back({lineName, {}});
            line    = &d.settlement.back();
            columns = line->name == "rock" ? 2 : 4;
            in      = In::Settlement;
            continue;
        }
        switch (in) {
            case In::TableHeading:
                in = In::Table;  // the units line
                break;
            case In::Table:
                if (auto row = capacityRow(s)) d.rows.push_back(*row);
                break;
            case In::Settlement:
                if (auto v = numbers(s); v && v->size() == columns && line->rows.size() < 15) {
                    SettlementRow r{(*v)[0], (*v)[1], std::nullopt, std::nullopt};
                    if (columns == 4) {
                        r.tipLoad     = (*v)[2];
                        r.tipMovement = (*v)[3];
                    }
                    line->rows.push_back(r);
                }
                break;
            default:
                break;
        }
    }
    // a rock method that prints no settlement table leaves an empty line behind
    for (auto& d : out.diameters)
        std::erase_if(d.settlement, [](const auto& l) { return l.rows.empty(); });

    std::istringstream rt(runtime);
    while (std::getline(rt, s)) {
        out.warnings += isBlockFrame(s, "WARNING");
        out.errors += isBlockFrame(s, "ERROR");
    }
    return out;
}

}  // namespace korven::cli
