// Project values the formulas cannot take: refused before any number is printed from them.
#include "capacity/InputChecks.h"

#include <cmath>
#include <string>

#include "capacity/Shaft.h"

namespace korven::capacity {

using run::real;
using run::RunContext;

namespace {

constexpr std::string_view kError = "*********************ERROR**********************";
constexpr real kMaxBellRatio      = 10.0f;

[[noreturn]] void refuse(RunContext& ctx, const std::string& what, const std::string& rule) {
    run::stopRun(ctx, {kError, "THE PROJECT CANNOT BE ANALYSED:", what, rule});
}

void checkLayer(RunContext& ctx, int i) {
    const run::Layer& L     = ctx.layer(i);
    const std::string layer = "LAYER " + std::to_string(i - 1) + ": ";
    if (L.DEPTH > static_cast<real>(run::kTableSize))
        refuse(ctx, layer + "THE LAYER REACHES BELOW 500 FT (152 M)",
               "THE TABLES OF THE PROGRAM HOLD SHAFT LENGTHS UP TO 500 FT (152 M)");
    if (L.DEPTH < L.TOP)
        refuse(ctx, layer + "THE DEPTH AT ITS BOTTOM IS ABOVE ITS TOP",
               "THE LAYERS MUST BE GIVEN FROM THE GROUND SURFACE DOWN");
    const std::pair<const run::TopBottom*, const char*> nonNegative[] = {
        {&L.GAMMA, "THE UNIT WEIGHT"},
        {&L.PHI, "THE FRICTION ANGLE"},
        {&L.CU, "THE UNDRAINED SHEAR STRENGTH"},
        {&L.BLOWS, "THE BLOW COUNT"},
        {&L.NC, "THE BEARING CAPACITY FACTOR NC"},
        {&L.QUR, "THE COMPRESSIVE STRENGTH OF ROCK"},
        {&L.QUCON, "THE COMPRESSIVE STRENGTH OF CONCRETE"},
        {&L.CS, "THE SPACING OF DISCONTINUITIES"},
        {&L.DISCT, "THE THICKNESS OF DISCONTINUITIES"},
        {&L.BDS, "THE DIAMETER OF SOCKET"},
    };
    for (const auto& [v, name] : nonNegative)
        if (v->top < 0.0f || v->bot < 0.0f)
            refuse(ctx, layer + name + " IS NEGATIVE", "IT MUST BE 0 OR MORE");
    if (L.PHI.top >= 90.0f || L.PHI.bot >= 90.0f)
        refuse(ctx, layer + "THE FRICTION ANGLE IS 90 DEGREES OR MORE",
               "IT MUST BE LESS THAN 90 DEGREES");
    if (L.code == 4 || L.code == 7) {
        // the socket bearing factor divides by both
        if (L.CS.top <= 0.0f || L.CS.bot <= 0.0f)
            refuse(ctx, layer + "THE SPACING OF DISCONTINUITIES OF THE STRONG ROCK IS 0",
                   "IT MUST BE GREATER THAN 0");
        if (L.BDS.top <= 0.0f || L.BDS.bot <= 0.0f)
            refuse(ctx, layer + "THE DIAMETER OF SOCKET OF THE STRONG ROCK IS 0",
                   "IT MUST BE GREATER THAN 0");
    }
}

}  // namespace

void checkProject(RunContext& ctx) {
    if (ctx.designControl != 1 && ctx.designControl != 2)
        refuse(ctx, "THE DESIGN CONTROL IS " + std::to_string(ctx.designControl),
               "IT MUST BE 1 (DESIGN LOAD) OR 2 (DESIGN LENGTH)");
    if (ctx.loadType != 1 && ctx.loadType != 2)
        refuse(ctx, "THE LOAD TYPE IS " + std::to_string(ctx.loadType),
               "IT MUST BE 1 (COMPRESSION) OR 2 (UPLIFT)");
    if (!(ctx.DSTART > 0.0f))
        refuse(ctx, "THE MINIMUM DIAMETER (DSTART) IS 0 OR LESS", "IT MUST BE GREATER THAN 0");
    // one pass per half foot of diameter; the design-depth list holds one entry per pass
    const real passes = std::floor((ctx.DIALIM + 0.02f - ctx.DSTART) / 0.5f) + 1.0f;
    if (passes > static_cast<real>(run::kTableSize))
        refuse(ctx, "THE MAXIMUM DIAMETER (DIALIM) GIVES MORE THAN 500 DIAMETERS",
               "THE RANGE OF DIAMETERS MUST BE LESS THAN 250 FT (76 M)");
    if (ctx.RATIO < 0.0f)
        refuse(ctx, "THE BELL RATIO (RATIO) IS NEGATIVE", "IT MUST BE 0 (NO BELL) OR MORE");
    // the data dialog takes base diameters up to ten stem diameters
    if (ctx.RATIO > kMaxBellRatio)
        refuse(ctx, "THE BELL RATIO (RATIO) IS GREATER THAN 10",
               "IT MUST BE 0 (NO BELL) OR UP TO 10 BASE DIAMETERS PER STEM DIAMETER");
    if (belled(ctx) && !(ctx.BELANG > 0.0f && ctx.BELANG < 90.0f))
        refuse(ctx, "THE BELL ANGLE (BELANG) OF A BELLED SHAFT IS NOT BETWEEN 0 AND 90 DEGREES",
               "IT MUST BE GREATER THAN 0 AND LESS THAN 90 DEGREES");
    // the step and row tables reach 500 ft: a base two diameters wide, the ignored portions with
    // the bell, or a layer beyond that could not be stepped through
    const real dbMax = belled(ctx) ? ctx.RATIO * ctx.DIALIM : ctx.DIALIM;
    if (2.0f * dbMax >= static_cast<real>(run::kTableSize))
        refuse(ctx, "TWO BASE DIAMETERS OF THE LARGEST SHAFT REACH 500 FT (152 M) OR MORE",
               "THE TABLES OF THE PROGRAM HOLD SHAFT LENGTHS UP TO 500 FT (152 M)");
    if (!(ctx.TOPLEN + std::floor(ctx.BS + 0.5f) + shaftGeometry(ctx, ctx.DIALIM).HB
          < static_cast<real>(run::kTableSize)))
        refuse(ctx, "THE IGNORED PORTIONS AND THE BELL REACH 500 FT (152 M) OR MORE",
               "THE TABLES OF THE PROGRAM HOLD SHAFT LENGTHS UP TO 500 FT (152 M)");
    if (ctx.TOPLEN < 0.0f)
        refuse(ctx, "THE IGNORED TOP PORTION (TOPLEN) IS NEGATIVE", "IT MUST BE 0 OR MORE");
    if (ctx.BS < 0.0f)
        refuse(ctx, "THE IGNORED BOTTOM PORTION (BS) IS NEGATIVE", "IT MUST BE 0 OR MORE");
    // QDN divides by both factors; it is printed under factors of safety and decides the
    // design load under either method
    if (!ctx.lrfd() || ctx.designControl == 1) {
        if (!(ctx.FST > 0.0f))
            refuse(ctx, "THE FACTOR OF SAFETY ON THE SIDE RESISTANCE (FST) IS 0 OR LESS",
                   "IT MUST BE GREATER THAN 0");
        if (!(ctx.FSB > 0.0f))
            refuse(ctx, "THE FACTOR OF SAFETY ON THE BASE RESISTANCE (FSB) IS 0 OR LESS",
                   "IT MUST BE GREATER THAN 0");
    }
    // the resampled table steps by the print increment up to at most 500 ft
    if (ctx.designControl == 2 && !(ctx.PRINC >= 0.1f))
        refuse(ctx, "THE PRINT INCREMENT IS LESS THAN 0.1 FT (0.03 M)",
               "IT MUST BE AT LEAST 0.1 FT (0.03 M)");
    for (int i = 2; i <= ctx.NL; ++i) checkLayer(ctx, i);
}

}  // namespace korven::capacity
