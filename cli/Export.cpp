// JSON through nlohmann::json and CSV through std::to_chars: numbers with "." whatever the locale.
#include "Export.h"

#include <nlohmann/json.hpp>

#include "Numbers.h"

namespace korven::cli {
namespace {

using nlohmann::ordered_json;

struct UnitNames {
    const char *length, *volume, *force, *movement, *perVolume;
};

UnitNames unitNames(bool si) {
    return si ? UnitNames{"m", "cu.m", "kN", "m", "kN/cu.m"}
              : UnitNames{"ft", "cu.yd", "tons", "in", "tons/cu.yd"};
}

// The columns of a capacity row that an export lists: all eight, except under LRFD and uplift,
// where the seventh repeats the weight WT of the fourth.
std::vector<std::size_t> exportedColumns(const RunResults& r) {
    std::vector<std::size_t> c = {0, 1, 2, 3, 4, 5, 6, 7};
    if (r.lrfd && r.uplift) c.erase(c.begin() + 6);
    return c;
}

std::string columnUnit(const RunResults& r, std::size_t c) {
    const UnitNames u = unitNames(r.si);
    if (c == 0) return u.length;
    if (c == 1) return u.volume;
    if (c == 7 && !r.lrfd) return u.perVolume;
    return u.force;
}

ordered_json optionalNumber(const std::optional<double>& v) {
    return v ? ordered_json(*v) : ordered_json(nullptr);
}

std::string csvNumber(const std::optional<double>& v) { return v ? shortest(*v) : ""; }

std::string csvText(const std::string& s) {
    if (s.find_first_of(",\"\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

std::string exportJson(const ExportProject& project, const RunResults& r) {
    const UnitNames u  = unitNames(r.si);
    const auto names   = r.columnNames();
    const auto columns = exportedColumns(r);

    ordered_json doc;
    doc["format"]        = "korven-results";
    doc["formatVersion"] = 1;
    doc["project"]       = project.path;
    doc["title"]         = project.title;
    doc["units"]         = {{"system", r.si ? "SI" : "English"},
                            {"length", u.length},
                            {"volume", u.volume},
                            {"force", u.force},
                            {"movement", u.movement},
                            {"perVolume", u.perVolume}};
    doc["designMethod"]  = r.lrfd ? "LRFD" : "ASD";
    doc["loadType"]      = r.uplift ? "uplift" : "compression";
    doc["designControl"] = project.designControl == 2 ? "length" : "load";
    ordered_json cols    = ordered_json::array();
    for (std::size_t c : columns) cols.push_back({{"name", names[c]}, {"unit", columnUnit(r, c)}});
    doc["columns"]     = cols;
    doc["designValue"] = names[r.designColumn()];

    ordered_json governing = nullptr;
    if (const auto g = r.governing()) {
        const auto& e              = *r.efficient;
        governing                  = ordered_json::object();
        governing["diameter"]      = r.diameters[g->first].diameter;
        governing["baseDiameter"]  = r.diameters[g->first].baseDiameter;
        governing["length"]        = e.length;
        governing["volume"]        = e.volume;
        governing["QU"]            = e.QU;
        governing["QU/VOLUME"]     = e.QUVOLUME;
        governing["diameterIndex"] = g->first;
        governing["rowIndex"]      = g->second;
    }
    doc["governing"] = governing;

    ordered_json diameters = ordered_json::array();
    for (const auto& d : r.diameters) {
        ordered_json rows = ordered_json::array();
        for (const auto& row : d.rows) {
            ordered_json o = ordered_json::object();
            for (std::size_t c : columns) o[names[c]] = optionalNumber(row[c]);
            rows.push_back(o);
        }
        ordered_json lines = ordered_json::array();
        for (const auto& l : d.settlement) {
            ordered_json pts = ordered_json::array();
            for (const auto& p : l.rows)
                pts.push_back({{"topLoad", p.topLoad},
                               {"topMovement", p.topMovement},
                               {"tipLoad", optionalNumber(p.tipLoad)},
                               {"tipMovement", optionalNumber(p.tipMovement)}});
            lines.push_back({{"line", l.name}, {"rows", pts}});
        }
        diameters.push_back({{"diameter", d.diameter},
                             {"baseDiameter", d.baseDiameter},
                             {"capacity", rows},
                             {"settlement", lines}});
    }
    doc["diameters"] = diameters;
    return doc.dump(2) + "\n";
}

std::string capacityCsv(const RunResults& r) {
    const auto names  = r.columnNames();
    const UnitNames u = unitNames(r.si);
    std::string out   = csvText(std::string("DIAMETER (") + u.length + ")");
    for (std::size_t c : exportedColumns(r))
        out += "," + csvText(std::string(names[c]) + " (" + columnUnit(r, c) + ")");
    out += "\n";
    for (const auto& d : r.diameters)
        for (const auto& row : d.rows) {
            out += shortest(d.diameter);
            for (std::size_t c : exportedColumns(r)) out += "," + csvNumber(row[c]);
            out += "\n";
        }
    return out;
}

std::string settlementCsv(const RunResults& r) {
    const UnitNames u   = unitNames(r.si);
    const std::string f = u.force, m = u.movement;
    std::string out = "DIAMETER (" + std::string(u.length) + "),LINE,ROW,TOP LOAD (" + f
                      + "),TOP MOVEMENT (" + m + "),TIP LOAD (" + f + "),TIP MOVEMENT (" + m
                      + ")\n";
    for (const auto& d : r.diameters)
        for (const auto& l : d.settlement)
            for (std::size_t k = 0; k < l.rows.size(); ++k) {
                const auto& p = l.rows[k];
                out += shortest(d.diameter) + "," + l.name + "," + std::to_string(k + 1) + ","
                       + shortest(p.topLoad) + "," + shortest(p.topMovement) + ","
                       + csvNumber(p.tipLoad) + "," + csvNumber(p.tipMovement) + "\n";
            }
    return out;
}

}  // namespace korven::cli
