// Result rows with a value that is not finite: reported once per quantity and diameter.
#include "run/RowCheck.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "run/StepWarnings.h"

namespace korven::run {

namespace {

constexpr std::string_view kWarning = "*********************WARNING**********************";

// a length as the report prints it, without the leading blanks of its field
std::string length(const RunContext& ctx, real ft) {
    const double v  = static_cast<double>(ctx.si() ? ft / RunContext::M2FT : ft);
    std::string out = editFixed(v, 12, 2);
    out.erase(0, out.find_first_not_of(' '));
    return out + (ctx.si() ? " M" : " FT");
}

}  // namespace

bool checkRowValues(RunContext& ctx, real depth, std::initializer_list<RowValue> values) {
    NonFiniteReported& done = ctx.nonFinite;
    if (done.D != ctx.shaft.D) {
        done.D = ctx.shaft.D;
        done.names.clear();
    }
    bool finite = true;
    std::string names;  // those not reported yet in this pass
    for (const RowValue& v : values) {
        if (std::isfinite(v.value)) continue;
        finite = false;
        if (std::find(done.names.begin(), done.names.end(), v.name) != done.names.end()) continue;
        done.names.emplace_back(v.name);
        names += (names.empty() ? "" : ", ") + std::string(v.name);
    }
    if (names.empty()) return finite;
    const std::string what  = "NOT A FINITE NUMBER: " + names;
    const std::string where = "AT THE DEPTH OF " + length(ctx, depth) + ", STEM DIAMETER "
                              + length(ctx, ctx.shaft.D) + ".";
    const std::initializer_list<std::string_view> lines = {
        kWarning, what, where, "IT IS PRINTED AS ASTERISKS; THE INPUT GIVES NO USABLE",
        "RESULT FOR THIS DIAMETER."};
    flushStepBlocks(ctx);
    writeBlock(ctx.runtime, lines);
    writeBlock(ctx.report, lines);
    return finite;
}

}  // namespace korven::run
