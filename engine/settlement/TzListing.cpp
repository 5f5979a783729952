// TZDATA.DAT: the t-z and tip curves that a load-transfer call generated.
#include "settlement/TzListing.h"

#include <filesystem>

namespace korven::settlement {

namespace {

constexpr run::Format kNote =
    "(5X,'NOTE: TZ CURVE DATA ARE AVAILABLE FOR SAND ','AND CLAY LAYERS ONLY.',//)";
constexpr run::Format kCurveHead =
    "(//,8X,'T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD ','TRANSFER   PILE MOVEMENT')";
constexpr run::Format kCurveUnits = "(11X,'NO.',6X,'POINTS',8X,A3,14X,A3,13X,A3,/)";
constexpr run::Format kCurve      = "(8X,I5,I11,E16.4)";
constexpr run::Format kCurvePoint = "(40X,E17.4,E16.4)";
constexpr run::Format kTipHead    = "(///,8X,'TIP   LOAD',8X,'TIP MOVEMENT')";
constexpr run::Format kTipUnits   = "(12X,A3,15X,A3,/)";
constexpr run::Format kTipPoint   = "(E18.4,E19.4)";
constexpr run::Format kEnd        = "('1')";

// The listing shows SI in metres, kPa and kN while the method itself runs in inches and pounds.
constexpr real IN2M    = 0.0254f;
constexpr real PSI2KPA = 6.895f;
constexpr real LB2KN   = 4.448f / 1000.0f;

}  // namespace

std::string listingPath(const std::string& reportPath) {
    const std::filesystem::path folder = std::filesystem::path(reportPath).parent_path();
    return (folder / "TZDATA.DAT").string();
}

bool openListing(run::RunContext& ctx) { return ctx.tzdata.open(listingPath(ctx.reportPath)); }

void writeListingNote(run::Channel& ch) { ch.write(kNote); }

void writeCurveTable(run::Channel& ch, int units, const run::Array<TzCurve, 145>& curves, int n) {
    const UnitCaptions cap = unitCaptions(units);
    const bool si          = units == 2;
    ch.write(kCurveHead);
    ch.write(kCurveUnits, cap.LENGTH2, cap.STRESS, cap.LENGTH);
    for (int i = 1; i <= n; ++i) {
        const TzCurve& c = curves(i);
        ch.write(kCurve, i, c.NPT, si ? c.Z * IN2M : c.Z);
        for (int j = 1; j <= c.NPT; ++j)
            ch.write(kCurvePoint, si ? c.T(j) * PSI2KPA : c.T(j), si ? c.W(j) * IN2M : c.W(j));
    }
}

void writeTipTable(run::Channel& ch, int units, const TipCurve& tip) {
    const UnitCaptions cap = unitCaptions(units);
    const bool si          = units == 2;
    ch.write(kTipHead);
    ch.write(kTipUnits, cap.FORCE, cap.LENGTH);
    for (int j = 1; j <= 10; ++j)
        ch.write(kTipPoint, si ? tip.Q(j) * LB2KN : tip.Q(j) / 2000.0f,
                 si ? tip.W(j) * IN2M : tip.W(j));
}

void writeListingEnd(run::Channel& ch) { ch.write(kEnd); }

void PendingListing::write(run::Channel& ch) {
    writeListingNote(ch);
    if (stage >= 1) writeCurveTable(ch, units, curves, NCURVE);
    if (stage >= 2) writeTipTable(ch, units, tip);
    if (stage >= 3) writeListingEnd(ch);
}

}  // namespace korven::settlement
