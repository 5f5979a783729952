// The plot data file, one block per diameter.
#include "settlement/PlotFile.h"

#include <string>

namespace korven::settlement {

namespace {

constexpr run::Format kHeader = "(3I12)";
constexpr run::Format kOrigin = "('   0.0  0.0  0.0  0.0  0.0 0.0  0.0  ')";
constexpr run::Format kFirst  = "(1X,E10.3,'   0.0   0.0  0.0 0.0  0.0  0.0 ')";
constexpr run::Format kEntry  = "(5(1X,E10.3))";
constexpr run::Format kEntry2 = "(2(1X,E10.3))";
constexpr run::Format kSettle = "(4(1X,E10.3))";

// SI output: feet to metres, tons to kN.
constexpr real FT2M   = 1.0f / 3.2808f;
constexpr real TON2KN = 1.0f / 0.1124f;

// The plot data file is a Windows text file, read back line by line: its records end in CR LF.
template <class... Args>
void record(run::Channel& ch, const run::Format& layout, const Args&... args) {
    ch.useCrLf(true);
    ch.write(layout, args...);
    ch.useCrLf(false);
}

// A range too wide to step through is cut here rather than looping without end.
constexpr int kMaxDiameters = 100000;

}  // namespace

int diameterCount(real DSTART, real DIALIM) {
    const real last = (DIALIM < DSTART ? DSTART : DIALIM) + 0.02f;
    int n           = 0;
    for (real D = DSTART; D < last && n < kMaxDiameters; D += 0.5f) {
        ++n;
        if (D + 0.5f == D) break;
    }
    return n;
}

void writePlotBlock(run::RunContext& ctx, int NDIA, const PlotCapacity& cap) {
    run::Channel& ch = ctx.plot;
    const bool si    = ctx.si();
    const real LEN   = si ? FT2M : 1.0f;
    const real FORCE = si ? TON2KN : 1.0f;
    const bool rows  = cap.NROW > 0;
    const int lines  = rows && ctx.NLINE > 1 ? 3 : 1;

    record(ch, kHeader, NDIA, cap.NROW + 2, rows ? ctx.NLINE : 0);
    record(ch, kOrigin);
    record(ch, kFirst, rows ? cap.ROW(1).LENGTH * LEN : 0.0f);
    for (int r = 1; r <= cap.NROW; ++r) {
        const PlotRow& row = cap.ROW(r);
        real SD = 0.0f, BD = 0.0f, TD = 0.0f;
        if (ctx.lrfd()) {
            SD = row.LRFDQS;
            BD = row.LRFDQB;
            TD = row.LRFDQS + row.LRFDQB;
        } else {
            SD = row.QS / cap.FST;
            BD = row.QB / cap.FSB;
            TD = row.QDN;
        }
        record(ch, kEntry, row.LENGTH * LEN, row.QS * FORCE, row.QB * FORCE, row.QU * FORCE,
               SD * FORCE);
        record(ch, kEntry2, BD * FORCE, TD * FORCE);
    }
    for (int line = 1; line <= lines; ++line) {
        for (int k = 1; k <= 15; ++k) {
            const run::SettlementRow r = rows ? ctx.settle(line)(k) : run::SettlementRow{};
            record(ch, kSettle, r.TOPLOAD, r.TOPMOVE, r.TIPLOAD, r.TIPMOVE);
        }
    }
}

}  // namespace korven::settlement
