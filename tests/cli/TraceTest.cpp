// korven run --trace: for every example, the trace's QS at each report row's length is the
// report's QS within its printed rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "cli/CliRun.h"

using namespace korven::test;

namespace {

std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == ',')
            out.emplace_back();
        else if (c != '\r')
            out.back() += c;
    }
    return out;
}

std::vector<double> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<double> v;
    for (std::string w; in >> w;) {
        try {
            std::size_t used = 0;
            v.push_back(std::stod(w, &used));
            if (used != w.size()) return {};
        } catch (const std::exception&) {
            return {};
        }
    }
    return v;
}

struct ReportRow {
    double diameter, length, QS;
};

// Every capacity row of the report with the stem diameter of its section.
std::vector<ReportRow> reportRows(const std::string& report) {
    std::vector<ReportRow> rows;
    double diameter = 0;
    bool inTable    = false;
    for (const auto& l : lines(report)) {
        if (l.find("DIAMETER OF STEM          =") != std::string::npos)
            diameter = std::stod(l.substr(l.find('=') + 1));
        if (l.find("LENGTH  VOLUME") != std::string::npos) inTable = true;
        if (l.find("RESULT FROM") != std::string::npos
            || l.find("LOAD SETTLEMENT RELATIONSHIP") != std::string::npos
            || l.find("MOST EFFICIENT") != std::string::npos)
            inTable = false;
        const auto v = words(l);
        if (inTable && v.size() == 8) rows.push_back({diameter, v[0], v[2]});
    }
    return rows;
}

}  // namespace

TEST(Trace, QsAtEveryReportRowOfEveryExample) {
    ScratchDir dir("korven-trace");
    const auto examples = copyExamples(dir.path());
    for (const auto& e : examples) {
        const auto r = runKorven("run --quiet --trace " + e, dir.path());
        ASSERT_EQ(r.status, 0) << e << r.err;
        const fs::path base = dir.path() / fs::path(e).stem();
        const bool si       = e.starts_with("si-");
        // line 3 of the project: design control 1 (load) prints the rows of the steps, with
        // their lengths rounded; 2 (length) prints the table resampled at the print increment
        const bool resampled = words(lines(readText(dir.path() / e))[2])[0] == 2;
        // QS against length, per diameter; the last step of a length is the one the table keeps
        std::map<double, std::map<double, double>> trace;
        const auto traceLines = lines(readText(base.string() + ".trace.csv"));
        ASSERT_GT(traceLines.size(), 1u) << e;
        EXPECT_EQ(cells(traceLines[0])[14], si ? "QS (kN)" : "QS (tons)");
        for (std::size_t i = 1; i < traceLines.size(); ++i) {
            const auto c = cells(traceLines[i]);
            ASSERT_EQ(c.size(), 17u) << e << ": " << traceLines[i];
            trace[std::stod(c[0])][std::stod(c[1])] = std::stod(c[14]);
        }
        const auto rows = reportRows(readText(base.string() + ".kvo"));
        ASSERT_FALSE(rows.empty()) << e;
        const double rounding = si ? 0.005 : 0.05;
        for (const auto& row : rows) {
            // the trace's diameter nearest to the report's (printed with three decimals)
            auto d = trace.begin();
            for (auto it = trace.begin(); it != trace.end(); ++it)
                if (std::fabs(it->first - row.diameter) < std::fabs(d->first - row.diameter))
                    d = it;
            ASSERT_LT(std::fabs(d->first - row.diameter), 0.0005) << e;
            const auto& qs = d->second;
            double QS      = 0;
            if (!resampled) {
                auto nearest = qs.begin();
                for (auto it = qs.begin(); it != qs.end(); ++it)
                    if (std::fabs(it->first - row.length) < std::fabs(nearest->first - row.length))
                        nearest = it;
                ASSERT_LE(std::fabs(nearest->first - row.length), 0.05 + 1e-6) << e;
                QS = nearest->second;
            } else if (auto above = qs.lower_bound(row.length - 1e-4); above == qs.end()) {
                FAIL() << e << ": no step at or below length " << row.length;
            } else if (std::fabs(above->first - row.length) <= 1e-4) {
                QS = above->second;
            } else {  // between two steps
                const double x0 = above == qs.begin() ? 0 : std::prev(above)->first;
                const double y0 = above == qs.begin() ? 0 : std::prev(above)->second;
                QS = y0 + (above->second - y0) * (row.length - x0) / (above->first - x0);
            }
            EXPECT_NEAR(QS, row.QS, rounding + 1e-5 * std::fabs(row.QS) + 1e-6)
                << e << ": diameter " << row.diameter << ", length " << row.length;
        }
    }
}
