// The analysis driver: reads and prepares the project, then runs one pass per stem diameter,
// stepping down the profile foot by foot and forming the result rows.
#include "capacity/DesignLoop.h"

#include <cmath>

#include "capacity/HandOver.h"
#include "capacity/InputChecks.h"
#include "capacity/Profile.h"
#include "capacity/ResultRows.h"
#include "capacity/RockSockets.h"
#include "capacity/Shaft.h"
#include "capacity/SideResistance.h"
#include "capacity/StepTrace.h"
#include "capacity/TipResistance.h"
#include "run/Echo.h"
#include "run/ProjectFile.h"
#include "settlement/PlotFile.h"
#include "settlement/Report.h"
#include "settlement/Settlement.h"
#include "settlement/WeakRockSide.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

namespace {

constexpr run::Format kNeedLayer = "(/A)";
constexpr run::Format kAddDepth  = "(A/A/A)";

// Side, special-rock and tip resistance of the step prepared by the profile.
void stepResistance(RunContext& ctx) {
    genericStrength(ctx);
    socketStep(ctx);
    soilStrength(ctx);
    unitSide(ctx);
    beforeSideForce(ctx);
    addSideForce(ctx);
    tipStep(ctx);
}

// The step record at the step's depth index, the shaft length it stands for.
void storeStep(RunContext& ctx) {
    const run::Shaft& sh = ctx.shaft;
    const run::Step& st  = ctx.step;
    const real length    = std::floor(st.Z + ctx.BS + sh.HB + 0.5f);
    if (length > static_cast<real>(run::kTableSize))
        run::stopRun(ctx,
                     {"*********************ERROR**********************",
                      "THE SOIL PROFILE AND SHAFT NEED SHAFT LENGTHS BEYOND 500 FT (152 M),",
                      "MORE THAN THE TABLES OF THE PROGRAM HOLD.  PLEASE SHORTEN THE PROFILE."});
    const int i       = static_cast<int>(length);
    run::StepTable& t = ctx.steps;
    t.LENGTH(i)       = length;
    t.VOLUME(i)       = (length - sh.HB) * sh.AREA / 27.0f + sh.VUNDER;
    t.QS(i)           = ctx.QS;
    t.QSL(i)          = ctx.QSL;
    t.QB(i)           = st.QB;
    t.F(i)            = st.F;
    t.SOILF(i)        = st.SOILF;
    if (i > t.last) t.last = i;
    if (ctx.trace.isOpen()) traceStep(ctx, length);
}

// All layers and steps of a pass, with the first and last step of each layer recorded.
void walkProfile(RunContext& ctx) {
    startProfile(ctx);
    ctx.QS = ctx.QSL = ctx.QSPREV = ctx.QSLPREV = 0.0f;
    ctx.steps                                   = run::StepTable{};
    startSocketPass(ctx);
    for (int i = 1; i <= ctx.NL; ++i) {
        run::Layer& L = ctx.layer(i);
        L.FFIRST = L.FLAST = L.QFIRST = L.QLAST = L.QSEND = 0.0f;
        const int n                                       = beginLayer(ctx, i);
        for (int k = 1; k <= n; ++k) {
            prepareStep(ctx, i, k);
            stepResistance(ctx);
            storeStep(ctx);
            const real q = ctx.step.QB / ctx.shaft.AB;
            if (k == 1) {
                L.FFIRST = ctx.step.F;
                L.QFIRST = q;
            }
            if (k == n) {
                L.FLAST = ctx.step.F;
                L.QLAST = q;
                L.QSEND = ctx.QS;
            }
        }
    }
}

[[noreturn]] void needAnotherLayer(RunContext& ctx) {
    const char* line = "   *********** NEED ANOTHER SOIL LAYER ************";
    ctx.con.write(kNeedLayer, line);
    ctx.runtime.write(kNeedLayer, line);
    ctx.report.write(kNeedLayer, line);
    throw run::RunStop("NEED ANOTHER SOIL LAYER");
}

// Section D of the pass and its block of the plot data file.
void settleAndPlot(RunContext& ctx, int NDIA) {
    // the running mean of Ei starts again with every settlement run
    settlement::resetWeakRockMean(ctx);
    if (ctx.rows.count > 0)
        settlement::runSettlement(ctx, settlementInput(ctx));
    else
        settlement::clearSettlement(ctx);
    settlement::writePlotBlock(ctx, NDIA, plotCapacity(ctx));
}

void runPass(RunContext& ctx, real D, int NDIA) {
    ctx.shaft = shaftGeometry(ctx, D);
    settlement::writeShaftInformation(ctx);
    settlement::writeLegend(ctx);
    settlement::writeTableHeading(ctx, ctx.con);
    settlement::writeTableHeading(ctx, ctx.report);

    walkProfile(ctx);
    const PassEnd end = formRows(ctx);
    if (ctx.designControl == 2) writeResampled(ctx);
    if (ctx.designControl == 1 && !ctx.reached) needAnotherLayer(ctx);

    settleAndPlot(ctx, NDIA);
    const int n = ctx.rows.count;
    if (n > 0 && (!ctx.best.found || ctx.rows.QUVOL(n) > ctx.best.QUVOL))
        ctx.best = {true,          ctx.rows.LENGTH(n), D,
                    ctx.shaft.DB,  ctx.rows.QUVOL(n),  ctx.rows.VOLUME(n),
                    ctx.rows.QU(n)};
    if (ctx.designControl == 2 && n > 0 && end != PassEnd::DesignDepth)
        ctx.con.write(kAddDepth, " NOTE: Please add at least 2-diameter depth to the ",
                      "       soil profile for program to compute the tip",
                      "       resistance at the proposed shaft length.");
}

}  // namespace

void analyse(RunContext& ctx) {
    run::readProject(ctx);
    if (ctx.trace.isOpen()) traceHeader(ctx);
    convertInput(ctx);
    checkProject(ctx);
    applyDefaults(ctx);
    run::echoFactorsOfSafety(ctx);
    run::echoSoilInformation(ctx);
    convertRock(ctx);

    ctx.BS = std::floor(ctx.BS + 0.5f);  // whole feet, printed and used as such
    // the plot data file announces this count in every block: the loop steps D exactly as it
    // counts (the input checks keep it within the design-depth list)
    const int NDIA = settlement::diameterCount(ctx.DSTART, ctx.DIALIM);
    real D         = ctx.DSTART;
    for (int pass = 1; pass <= NDIA; ++pass, D += 0.5f) runPass(ctx, D, NDIA);

    if (ctx.best.found) settlement::writeEfficientShaft(ctx);
    const bool shaleAtBottom = ctx.layer(ctx.NL).code == 3;
    if (shaleAtBottom && ctx.QURLAST < 144000.0f) settlement::writeClayShaleNote(ctx);
}

}  // namespace korven::capacity
