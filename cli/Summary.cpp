// The summary table of `korven run` on many projects.
#include "Summary.h"

#include <algorithm>
#include <filesystem>

#include "Commands.h"
#include "EngineRun.h"
#include "Numbers.h"
#include "Results.h"

namespace fs = std::filesystem;

namespace korven::cli {

std::string alignedTable(const std::vector<std::vector<std::string>>& rows) {
    std::vector<std::size_t> width;
    for (const auto& r : rows)
        for (std::size_t c = 0; c < r.size(); ++c) {
            if (width.size() <= c) width.push_back(0);
            width[c] = std::max(width[c], r[c].size());
        }
    std::string out;
    for (const auto& r : rows) {
        std::string line;
        for (std::size_t c = 0; c < r.size(); ++c) {
            const std::string pad(width[c] - r[c].size(), ' ');
            if (c == 0)
                line += r[c] + pad;
            else
                line += "  " + pad + r[c];
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string summaryTable(const std::vector<BatchRun>& runs) {
    std::vector<std::vector<std::string>> rows = {{"PROJECT", "UNITS", "DIAMETERS", "DIAMETER",
                                                   "LENGTH", "QU", "DESIGN", "VALUE", "WARNINGS",
                                                   "ERRORS", "RESULT"}};
    for (const auto& run : runs) {
        std::vector<std::string> row(11, "-");
        row[0]  = run.project;
        row[10] = run.status == 0 ? "ok" : run.status == 1 ? "stopped" : "failed";
        std::error_code ec;
        const fs::path abs   = fs::absolute(run.project, ec);
        const RunFiles files = runFiles(abs.string());
        if (fs::is_regular_file(files.report, ec) && run.status != 2) {
            const RunResults r = readResults(readFile(files.report), readFile(files.runtime));
            const int d        = r.si ? 2 : 1;  // the report's decimals of a force
            row[2]             = std::to_string(r.diameters.size());
            if (!r.diameters.empty()) {
                row[1] = r.si ? "m, kN" : "ft, tons";
                row[6] = r.lrfd ? "LRFD QU" : "QDN";
            }
            row[8] = std::to_string(r.warnings);
            row[9] = std::to_string(r.errors);
            if (const auto g = r.governing()) {
                const auto& dia = r.diameters[g->first];
                const auto& cap = dia.rows[g->second];
                row[3]          = fixed(dia.diameter, 3);
                row[4]          = cap[0] ? fixed(*cap[0], 1) : "*";
                row[5]          = cap[4] ? fixed(*cap[4], d) : "*";
                row[7]          = cap[r.designColumn()] ? fixed(*cap[r.designColumn()], d) : "*";
            }
        }
        rows.push_back(row);
    }
    return alignedTable(rows);
}

}  // namespace korven::cli
