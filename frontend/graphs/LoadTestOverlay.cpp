// The load test drawn over the load-settlement graphs.
#include "graphs/LoadTestOverlay.h"

#include <QFileInfo>
#include <cmath>

#include "project/GeneralFormat.h"

namespace korven {

namespace {

std::vector<TCurvePoint> CurveOf(const TGraphPlot& g, int i) {
    std::vector<TCurvePoint> c;
    if (i < 0 || i >= g.LineCount()) return c;
    for (const TFloatPoint& p : g.Curve(i).Points) c.push_back({p.x, p.y});
    return c;
}

QString Number(long double v, int digits) {
    return QString::fromStdString(FormatGeneral(v, digits));
}

void AddCurve(TGraphPlot& g, const QString& name, const std::vector<TCurvePoint>& measured) {
    const int n = g.LineCount();
    g.SetLineCount(n + 1);
    TLine& line   = g.Curve(n);
    line.Measured = true;
    line.LineName = name;
    line.Points.clear();
    for (const TCurvePoint& p : measured) line.Points.push_back({p.Load, p.Settlement});
}

void AddCriterion(TGraphPlot& g, const TCriterionTable& t, const std::vector<int>& curves) {
    TCriterionOverlay& c = g.Criterion;
    c.Show               = true;
    c.Settlement         = t.Settlement;
    c.Label              = QStringLiteral("5 % D = ") + Number(t.Settlement, 4) + " "
              + UnitName(QStringLiteral("L"), t.Units);
    c.Table = CriterionTableText(t);
    // curves: the measured one and the predicted ones, in the order of the table's rows
    for (std::size_t r = 0; r < t.Rows.size() && r < curves.size(); ++r)
        if (curves[r] >= 0 && t.Rows[r].Load.Reached)
            c.Marks.push_back({curves[r], t.Rows[r].Load.Load});
}

}  // namespace

long double RunDiameter(int index, long double minDiameter, int units) {
    return minDiameter + (units == 2 ? 0.152L : 0.5L) * index;
}

int RunDiameterIndex(long double d, long double minDiameter, int count, int units) {
    for (int i = 0; i < count; ++i)
        if (std::fabs(RunDiameter(i, minDiameter, units) - d) < 0.001L) return i;
    return -1;
}

TCriterionTable CriterionTable(const TResultGraphs& g, const std::vector<TCurvePoint>& measured,
                               int diameterIndex, long double diameter, int units, bool bounds) {
    TCriterionTable t;
    t.Units      = units;
    t.Settlement = CriterionSettlement(diameter, units);
    if (diameterIndex >= 0 && diameterIndex < g.pltAxial.LineCount())
        t.Diameter = g.pltAxial.Curve(diameterIndex).DisplayName();
    const TCriterionLoad m = LoadAtSettlement(measured, t.Settlement);
    t.Rows.push_back({QStringLiteral("Measured"), m});
    const auto predicted = [&](const char* label, const TGraphPlot& graph) {
        TCriterionRow row{QString::fromLatin1(label),
                          LoadAtSettlement(CurveOf(graph, diameterIndex), t.Settlement)};
        if (row.Load.Reached && m.Reached && m.Load > 0) {
            row.HasRatio = true;
            row.Ratio    = row.Load.Load / m.Load;
        }
        t.Rows.push_back(row);
    };
    predicted("Trend", g.pltAxial);
    if (bounds) {
        predicted("Upper Bound", g.pltUpper);
        predicted("Lower Bound", g.pltLower);
    }
    return t;
}

QStringList CriterionTableText(const TCriterionTable& t) {
    QStringList lines;
    const QString force = UnitName(QStringLiteral("F2"), t.Units);
    lines << QStringLiteral("Load at 5 % D = ") + Number(t.Settlement, 4) + " "
                 + UnitName(QStringLiteral("L"), t.Units)
                 + (t.Diameter.isEmpty() ? QString() : QStringLiteral(", ") + t.Diameter);
    for (const TCriterionRow& r : t.Rows) {
        QString line = r.Label + QStringLiteral(": ");
        line +=
            r.Load.Reached ? Number(r.Load.Load, 4) + " " + force : QStringLiteral("not reached");
        if (r.HasRatio)
            line += QStringLiteral("  (") + Number(std::round(r.Ratio * 100) / 100, 3)
                    + QStringLiteral(" x measured)");
        lines << line;
    }
    return lines;
}

void RemoveLoadTest(TResultGraphs& g) {
    for (TGraphPlot* p : {&g.pltAxial, &g.pltUpper, &g.pltLower, &g.pltCombinedSettle})
        ClearMeasured(*p);
}

void ApplyLoadTest(TResultGraphs& g, const QString& name, const std::vector<TCurvePoint>& measured,
                   const TCriterionTable& table, int diameterIndex) {
    RemoveLoadTest(g);
    // the rows of the table: measured, trend, upper, lower
    struct Target {
        TGraphPlot* graph;
        std::vector<int> rowCurves;  ///< curve of each table row in this graph, -1 for none
    };
    std::vector<Target> targets;
    const int n = g.pltAxial.LineCount();  // the measured curve is appended as curve n
    targets.push_back({&g.pltAxial, {n, diameterIndex, -1, -1}});
    targets.push_back({&g.pltUpper, {n, -1, diameterIndex, -1}});
    targets.push_back({&g.pltLower, {n, -1, -1, diameterIndex}});
    if (diameterIndex == 0) targets.push_back({&g.pltCombinedSettle, {3, 0, 1, 2}});
    for (Target& t : targets) {
        if (t.graph->LineCount() == 0) continue;
        t.rowCurves[0] = t.graph->LineCount();
        AddCurve(*t.graph, name, measured);
        AddCriterion(*t.graph, table, t.rowCurves);
    }
}

QString LoadTestFileOf(const QString& projectFile) {
    const QFileInfo info(projectFile);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName()
           + QStringLiteral(".tests.csv");
}

}  // namespace korven
