// Result rows: side and averaged tip by shaft length, the design values under factors of safety
// or LRFD, the stop at the design load or depth, and the table resampled by the print increment.
#include "capacity/ResultRows.h"

#include <algorithm>
#include <cmath>

#include "capacity/TipResistance.h"
#include "run/RowCheck.h"
#include "settlement/Report.h"

namespace korven::capacity {

using settlement::TableRow;

DesignValues designValues(real QS, real QB, real FST, real FSB) {
    return {QS + QB, QS / FST + QB / FSB, QS + QB / FSB};
}

real shaftWeight(real VOLUME, real LENGTH, real WT, real D) {
    // water at 62.4 pcf is 0.0312 tons per cubic foot
    const real buoyancy = LENGTH > WT ? (LENGTH - WT) * 0.0312f * D * D * 0.7854f : 0.0f;
    return VOLUME * 27.0f * 150.0f / 2000.0f - buoyancy;
}

int layerHolding(const RunContext& ctx, real depth) {
    for (int i = 2; i < ctx.NL; ++i)
        if (depth <= ctx.layer(i).DEPTH) return i;
    return ctx.NL;
}

namespace {

int rockLayersAbove(const RunContext& ctx, int layer) {
    int n = 0;
    for (int i = 2; i < layer; ++i) n += ctx.layer(i).code >= 4 && ctx.layer(i).code <= 7;
    return n;
}

void recordTip(RunContext& ctx, int layer, real depth, real QS) {
    ctx.tip = {layer, depth, ctx.layer(layer).code, QS};
}

// Row r from the step records at depth index i.
void formRow(RunContext& ctx, int r, int i) {
    const run::StepTable& st = ctx.steps;
    run::RowTable& t         = ctx.rows;
    const real D             = ctx.shaft.D;
    const real LENGTH        = st.LENGTH(i) > 0.0f ? st.LENGTH(i) : static_cast<real>(i);
    const real VOLUME        = st.VOLUME(i) > 0.01f ? st.VOLUME(i) : r > 1 ? t.VOLUME(r - 1) : 0.0f;
    const int base           = layerHolding(ctx, LENGTH);
    const real QS            = st.QS(i);
    real QB                  = tipOfLength(ctx, i);
    real QBL                 = QB * ctx.layer(base).LRFDTIP;
    real FSB                 = ctx.FSB;
    real FST                 = ctx.FST;
    if (ctx.lrfd() && ctx.designControl == 2) {
        // factors of safety play no part in an LRFD design to a given length
        if (FST <= 0.0f) FST = 1.0f;
        if (FSB <= 0.0f) FSB = 1.0f;
    }
    if (ctx.loadType == 2) {
        // under uplift the base column carries the weight of the shaft, unfactored
        QB  = shaftWeight(VOLUME, LENGTH, ctx.WT, D);
        QBL = QB;
        FSB = 1.0f;
    }
    const DesignValues v = designValues(QS, QB, FST, FSB);
    t.LENGTH(r)          = LENGTH;
    t.VOLUME(r)          = VOLUME;
    t.QS(r)              = QS;
    t.QB(r)              = QB;
    t.QU(r)              = v.QU;
    t.QBD(r)             = v.QBD;
    t.QDN(r)             = v.QDN;
    t.QUVOL(r)           = VOLUME > 0.0f ? v.QU / VOLUME : 0.0f;
    t.QSL(r)             = st.QSL(i);
    t.QBL(r)             = QBL;
    t.QUL(r)             = st.QSL(i) + QBL;
    t.FPSI(r)            = st.F(i) * 2000.0f / 144.0f;
    t.LENIN(r)           = LENGTH * 12.0f;
    t.count              = r;
}

// every value of row r that the report, the console or the plot data file prints
void checkRow(RunContext& ctx, int r) {
    const run::RowTable& t = ctx.rows;
    const bool up          = ctx.loadType == 2;
    run::checkRowValues(ctx, t.LENGTH(r),
                        {{"LENGTH", t.LENGTH(r)},
                         {"VOLUME", t.VOLUME(r)},
                         {"QS", t.QS(r)},
                         {up ? "WT" : "QB", t.QB(r)},
                         {"QU", t.QU(r)},
                         {"QBD", t.QBD(r)},
                         {"QDN", t.QDN(r)},
                         {"QU/VOLUME", t.QUVOL(r)},
                         {"LRFD QS", t.QSL(r)},
                         {up ? "WT" : "LRFD QB", t.QBL(r)},
                         {"LRFD QU", t.QUL(r)}});
}

// a line of the resampled table
void checkTableRow(RunContext& ctx, const TableRow& row) {
    const bool up   = ctx.loadType == 2;
    const bool lrfd = ctx.lrfd();
    run::checkRowValues(ctx, row.LENGTH,
                        {{"LENGTH", row.LENGTH},
                         {"VOLUME", row.VOLUME},
                         {"QS", row.QS},
                         {up ? "WT" : "QB", row.QB},
                         {"QU", row.QU},
                         {lrfd ? "LRFD QS" : "QBD", row.C6},
                         {lrfd ? (up ? "WT" : "LRFD QB") : "QDN", row.C7},
                         {lrfd ? "LRFD QU" : "QU/VOLUME", row.C8}});
}

}  // namespace

PassEnd formRows(RunContext& ctx) {
    const run::Shaft& sh = ctx.shaft;
    const int hb         = static_cast<int>(sh.HB + ctx.BS);
    int lastIndex =
        ctx.designControl == 1 ? static_cast<int>(ctx.layer(ctx.NL).DEPTH) : ctx.steps.last;
    lastIndex       = std::min(lastIndex, ctx.steps.last);
    const int first = static_cast<int>(std::floor(ctx.TOPLEN + ctx.BS + sh.HB + 0.5f)) + 1;
    const int last  = lastIndex - sh.NTWO - hb - 1;
    ctx.rows.count  = 0;
    if (last < first) {
        const std::initializer_list<std::string_view> lines = {
            "*********************WARNING**********************",
            "INCREASE THE SOIL DEPTH TO GIVE ENOUGH LENGTH FOR",
            "COMPUTING THE BASE RESISTANCE- AT LEAST TWO DIAMETER"};
        run::writeBlock(ctx.runtime, lines);
        run::writeBlock(ctx.report, lines);
        return PassEnd::NoRows;
    }

    for (int i = first, r = 1; i <= last; ++i, ++r) {
        formRow(ctx, r, i);
        checkRow(ctx, r);
        const TableRow row = settlement::tableRow(ctx, r);
        settlement::writeTableRow(ctx, ctx.con, row);
        if (ctx.designControl == 1) settlement::writeTableRow(ctx, ctx.report, row);

        const real LENGTH = ctx.rows.LENGTH(r);
        const int base    = layerHolding(ctx, LENGTH);
        ctx.rockCount += rockLayersAbove(ctx, base);
        if (ctx.designControl == 1 && ctx.P < ctx.rows.QDN(r)) {
            ctx.reached = true;
            recordTip(ctx, base, LENGTH - ctx.BS - sh.HB, row.QS);
            return PassEnd::DesignLoad;
        }
        if (ctx.designControl == 2 && ctx.DGH <= LENGTH) {
            ++ctx.designCount;
            ctx.DDIAM(ctx.designCount) = sh.D;
            ctx.DQDN(ctx.designCount)  = ctx.rows.QDN(r);
            recordTip(ctx, base, LENGTH, row.QS);
            return PassEnd::DesignDepth;
        }
        recordTip(ctx, base, LENGTH - ctx.BS - sh.HB, row.QS);
    }
    return PassEnd::LastRow;
}

namespace {

TableRow mix(const TableRow& a, const TableRow& b, real t) {
    auto at = [t](real x, real y) { return x + t * (y - x); };
    return {at(a.LENGTH, b.LENGTH), at(a.VOLUME, b.VOLUME), at(a.QS, b.QS), at(a.QB, b.QB),
            at(a.QU, b.QU),         at(a.C6, b.C6),         at(a.C7, b.C7), at(a.C8, b.C8)};
}

TableRow scaled(const TableRow& a, real f) {
    return {a.LENGTH * f, a.VOLUME * f, a.QS * f, a.QB * f, a.QU * f, a.C6 * f, a.C7 * f, a.C8 * f};
}

}  // namespace

void writeResampled(RunContext& ctx) {
    const int n = ctx.rows.count;
    if (n == 0) return;
    const real finalLength = ctx.rows.LENGTH(n);
    const real from        = ctx.TOPLEN + ctx.BS;
    const int lines        = static_cast<int>(finalLength / ctx.PRINC + 1.0f);
    int r                  = 1;
    for (int k = 1; k <= lines; ++k) {
        const real x = static_cast<real>(k) * ctx.PRINC;
        if (x > finalLength) break;
        while (ctx.rows.LENGTH(r) < x) ++r;
        const TableRow row =
            r > 1
                ? mix(settlement::tableRow(ctx, r - 1), settlement::tableRow(ctx, r),
                      (x - ctx.rows.LENGTH(r - 1)) / (ctx.rows.LENGTH(r) - ctx.rows.LENGTH(r - 1)))
                : scaled(settlement::tableRow(ctx, 1), x / ctx.rows.LENGTH(1));
        TableRow out = row;
        out.LENGTH   = x;
        if (out.QS < 0.00001f) out.QS = 0.0f;
        // metric tables stop at the design depth, within a rounding of the unit conversion
        const bool withinDepth = !ctx.si() || x <= ctx.DGH + 0.0001f;
        if (x >= from && x > from + ctx.shaft.HB && withinDepth) {
            checkTableRow(ctx, out);
            settlement::writeTableRow(ctx, ctx.report, out);
        }
    }
}

}  // namespace korven::capacity
