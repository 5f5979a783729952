// A measured load test over the predicted load-settlement graphs: the curve, the 5 % D line, the
// points where each curve reaches it, and the table of those loads.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "graphs/LoadTest.h"
#include "graphs/PlotLoad.h"

namespace korven {

/// The diameters of a run: `count` of them from `minDiameter` in the loader's steps (0.5 ft,
/// 0.152 m).
long double RunDiameter(int index, long double minDiameter, int units);
/// Index of the run's diameter equal to `d` (to a thousandth), -1 when it is none of them.
int RunDiameterIndex(long double d, long double minDiameter, int count, int units);

/// One line of the criterion table.
struct TCriterionRow {
    QString Label;        ///< "Measured", "Trend", "Upper Bound", "Lower Bound"
    TCriterionLoad Load;  ///< load at the criterion settlement
    bool HasRatio     = false;
    long double Ratio = 0;  ///< predicted / measured
};

struct TCriterionTable {
    long double Settlement = 0;  ///< 5 % D in the graphs' settlement unit
    QString Diameter;            ///< the curve name of the diameter
    int Units = 1;
    std::vector<TCriterionRow> Rows;
};

/// The table of the loads at 5 % D of the measured curve and of the predicted lines of one
/// diameter (trend, and the bounds when the results hold them).
TCriterionTable CriterionTable(const TResultGraphs& g, const std::vector<TCurvePoint>& measured,
                               int diameterIndex, long double diameter, int units, bool bounds);

/// The table as text lines, as the legend lists them and `korven plot` prints them.
QStringList CriterionTableText(const TCriterionTable& t);

/// Adds the measured curve named `name` to the load-settlement graphs (to the combined one only
/// when the diameter is the smallest, whose lines that graph shows), with the criterion line,
/// the marks and the table. Any load test drawn before is removed first.
void ApplyLoadTest(TResultGraphs& g, const QString& name, const std::vector<TCurvePoint>& measured,
                   const TCriterionTable& table, int diameterIndex);

/// Removes a load test from the graphs.
void RemoveLoadTest(TResultGraphs& g);

/// Where a project keeps its load test: PROJECT.tests.csv beside PROJECT.kvd.
QString LoadTestFileOf(const QString& projectFile);

}  // namespace korven
