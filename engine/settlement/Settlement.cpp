// Dispatch of the load-settlement methods by the tip layer.
#include "settlement/Settlement.h"

#include <cmath>
#include <string>

#include "settlement/LoadTransfer.h"
#include "settlement/RockSettlement.h"
#include "settlement/SettlementReport.h"

namespace korven::settlement {

namespace {

constexpr std::string_view kWarning = "*********************WARNING**********************";

bool isSoil(int code) { return code <= 3 || code >= 8; }

void zero(run::SettlementSet& set) {
    for (int k = 1; k <= 15; ++k) set(k) = run::SettlementRow{};
}

// Input the methods cannot work with; empty when all is usable.
std::string_view checkInput(const SettlementInput& in) {
    if (in.NLAY < 1 || in.NLAY > 29 || in.TIP < 1 || in.TIP > in.NLAY)
        return "THE LAYER THAT HOLDS THE TIP IS NOT KNOWN.";
    if (!(in.D > 0.0f) || !(in.DSTART > 0.0f)) return "THE STEM DIAMETER IS NOT GREATER THAN ZERO.";
    if (!(in.L > 0.0f)) return "THE SHAFT LENGTH IS NOT GREATER THAN ZERO.";
    if (!(in.EcIn > 0.0f) || !(in.Ec > 0.0f))
        return "THE ELASTIC MODULUS OF THE SHAFT, Ec, IS NOT GREATER THAN ZERO.";
    if (isSoil(in.lay(in.TIP).code) && (in.NSEG < 1 || in.NSEG > 500))
        return "THE CAPACITY TABLE OF THIS DIAMETER HAS NO ROWS.";
    return {};
}

bool allFinite(const run::SettlementSet& set) {
    for (int k = 1; k <= 15; ++k) {
        const run::SettlementRow& r = set(k);
        if (!std::isfinite(r.TOPLOAD) || !std::isfinite(r.TOPMOVE) || !std::isfinite(r.TIPLOAD)
            || !std::isfinite(r.TIPMOVE))
            return false;
    }
    return true;
}

void warnNoCurve(run::RunContext& ctx, std::string_view why) {
    for (run::Channel* ch : {&ctx.runtime, &ctx.report})
        run::writeBlock(*ch,
                        {kWarning, "NO LOAD-SETTLEMENT CURVE IS COMPUTED FOR THIS DIAMETER:", why});
}

void warnBounded(run::RunContext& ctx) {
    run::writeBlock(ctx.runtime,
                    {kWarning, "THE LOAD-SETTLEMENT ITERATION DID NOT SETTLE WITHIN 1000 STEPS",
                     "FOR THIS DIAMETER; THE LAST ESTIMATE IS USED."});
}

void runSoilTip(run::RunContext& ctx, const SettlementInput& in) {
    const LoadTransferSetup setup = prepareLoadTransfer(in);
    bool bounded                  = false;
    for (int line = 1; line <= 3; ++line) {
        run::SettlementSet& set = ctx.settle(line);
        ctx.NLINE               = line;
        bounded |= runLoadTransfer(ctx, in, setup, line, set);
        if (!allFinite(set)) {
            zero(set);
            warnNoCurve(ctx, "THE LOAD-TRANSFER ITERATION GAVE NO FINITE RESULT.");
            continue;
        }
        writeSoilBlock(ctx.report, in.units, line, set);
    }
    if (bounded) warnBounded(ctx);
}

void runRockTip(run::RunContext& ctx, const SettlementInput& in, int code) {
    run::SettlementSet& trend = ctx.settle(1);
    zero(trend);  // nothing of an earlier diameter may show in this one's line
    RockOutcome outcome;
    if (code == 5) {
        if (!in.decomposed.available)
            outcome.problem = "THE DECOMPOSED-ROCK SOCKET COULD NOT BE MODELLED.";
        else
            outcome = decomposedRock(in, trend);
    } else if (code == 6) {
        if (!in.weak.available)
            outcome.problem = "THE WEAK-ROCK SOCKET COULD NOT BE MODELLED.";
        else
            outcome = weakRock(in, trend);
    } else {
        outcome = strongRock(in, trend, ctx.settle(2));
    }
    if (outcome.problem.empty() && !allFinite(trend))
        outcome.problem = "THE ROCK SETTLEMENT METHOD GAVE NO FINITE RESULT.";
    if (!outcome.problem.empty()) {
        zero(trend);
        warnNoCurve(ctx, outcome.problem);
        return;
    }
    writeRockBlock(ctx.report, in.units, trend);
    if (outcome.bounded) warnBounded(ctx);
}

}  // namespace

void runSettlement(run::RunContext& ctx, const SettlementInput& in) {
    const std::string_view problem = checkInput(in);
    const int code                 = problem.empty() ? in.lay(in.TIP).code : 0;
    ctx.NLINE                      = problem.empty() && isSoil(code) ? 3 : 0;
    if (!problem.empty()) {
        for (int line = 1; line <= 3; ++line) zero(ctx.settle(line));
        warnNoCurve(ctx, problem);
        return;
    }
    if (isSoil(code))
        runSoilTip(ctx, in);
    else
        runRockTip(ctx, in, code);
}

void clearSettlement(run::RunContext& ctx) {
    ctx.NLINE = 0;
    for (int line = 1; line <= 3; ++line) zero(ctx.settle(line));
}

}  // namespace korven::settlement
