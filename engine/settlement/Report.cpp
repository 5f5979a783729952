// Report sections A, B, C, E and F in their fixed layouts, English or SI.
#include "settlement/Report.h"

namespace korven::settlement {

using run::Format;

namespace {

constexpr Format kShaft =
    "(//5X,'DRILLED SHAFT INFORMATION'/5X,'-------------------------'/"
    "6X,'DIAMETER OF STEM          =',F9.3,2X,A/"
    "5X,'DIAMETER OF BASE          =',F9.3,2X,A/"
    "5X,'END OF STEM TO BASE       =',F9.3,2X,A/"
    "5X,'ANGLE OF BELL             =',F9.3,2X,A/"
    "5X,'IGNORED TOP PORTION       =',F9.3,2X,A/"
    "5X,'IGNORED BOTTOM PORTION    =',F9.3,2X,A/"
    "5X,'AREA OF ONE PERCENT STEEL =',F9.3,2X,A/"
    "5X,'ELASTIC MODULUS, Ec       =',E10.3,1X,A/"
    "5X,'VOLUME OF UNDERREAM       =',F9.3,2X,A/)";

constexpr Format kLegendHead = "(/5X,'PREDICTED RESULTS'/5X,'-----------------'/)";
constexpr Format kLegendSafety =
    "(5X,'QS     = ULTIMATE SIDE RESISTANCE;'/"
    "5X,'QB     = ULTIMATE BASE RESISTANCE;'/"
    "5X,'WT     = WEIGHT OF DRILLED SHAFT (FOR UPLIFT CAPACITY ONLY);'/"
    "5X,'QU     = TOTAL ULTIMATE RESISTANCE;'/"
    "5X,'QBD    = TOTAL ALLOWABLE LOAD USING A FACTOR OF SAFETY'/"
    "5X,'         APPLIED TO THE ULTIMATE BASE RESISTANCE;'/"
    "5X,'QDN    = TOTAL ALLOWABLE LOAD USING FACTORS OF SAFETY'/"
    "5X,'         APPLIED TO THE ULTIMATE SIDE RESISTANCE AND'/"
    "5X,'         THE ULTIMATE BASE RESISTANCE.')";
constexpr Format kLegendLrfd =
    "(5X,'QS      = ULTIMATE SIDE RESISTANCE;'/"
    "5X,'QB      = ULTIMATE BASE RESISTANCE;'/"
    "5X,'WT      = WEIGHT OF DRILLED SHAFT (UPLIFT CAPACITY ONLY);'/"
    "5X,'QU      = TOTAL ULTIMATE RESISTANCE;'/"
    "5X,'LRFD QS = TOTAL SIDE FRICTION USING LRFD RESISTANCE FACTOR'/"
    "5X,'          TO THE ULTIMATE SIDE RESISTANCE;'/"
    "5X,'LRFD QB = TOTAL BASE BEARING USING LRFD RESISTANCE FACTOR'/"
    "5X,'          TO THE ULTIMATE BASE RESISTANCE'/"
    "5X,'LRFD QU = TOTAL CAPACITY WITH LRFD RESISTANCE FACTOR.')";

// headings: the base column is QB, or WT under uplift (right-aligned in its field)
constexpr Format kHeadEnSafety =
    "(/5X,'LENGTH',2X,'VOLUME',5X,'QS',6X,A2,6X,'QU',7X,'QBD',6X,'QDN',6X,'QU/VOLUME'/"
    "5X,'(FEET)',2X,'(CU.YDS)',1X,'(TONS)',3X,'(TONS)',2X,'(TONS)',3X,'(TONS)',3X,'(TONS)',"
    "2X,'(TONS/CU.YDS)')";
constexpr Format kHeadEnLrfd =
    "(/5X,'LENGTH',2X,'VOLUME',5X,'QS',6X,A2,6X,'QU',5X,'LRFD QS',2X,A7,3X,'LRFD QU'/"
    "5X,'(FEET)',2X,'(CU.YDS)',1X,'(TONS)',3X,'(TONS)',2X,'(TONS)',3X,'(TONS)',3X,'(TONS)',"
    "4X,'(TONS)')";
constexpr Format kHeadSiSafety =
    "(/5X,'LENGTH',2X,'VOLUME',4X,'QS',5X,A2,8X,'QU',7X,'QBD',5X,'QDN',6X,'QU/VOLUME'/"
    "5X,'( M ) ',1X,'(CU.M ) ',2X,'( KN )',3X,'( KN )',3X,'( KN )',3X,'( KN )',3X,'( KN )',"
    "2X,'( KN /CU.M) ')";
constexpr Format kHeadSiLrfd =
    "(/5X,'LENGTH',2X,'VOLUME',4X,'QS',5X,A2,8X,'QU',5X,'LRFD QS',2X,A7,3X,'LRFD QU'/"
    "5X,'( M ) ',1X,'(CU.M ) ',2X,'( KN )',3X,'( KN )',3X,'( KN )',3X,'( KN )',3X,'( KN )',"
    "2X,'( KN ) ')";

constexpr Format kRowEn     = "(1X,F8.1,1X,F8.1,F9.1,F9.1,F9.1,2F9.1,1X,F9.2)";
constexpr Format kRowEnLrfd = "(1X,F8.1,1X,F8.1,F9.1,F9.1,F9.1,2F9.1,1X,F9.1)";
constexpr Format kRowSi     = "(1X,F8.1,1X,F8.2,F9.2,F9.2,F9.2,2F9.2,1X,F9.2)";

constexpr Format kEfficientEn =
    "(///' THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE',' APPEARS TO BE THE FOLLOWING ONE:'//"
    "1X,' DIAMETER OF STEM       =',F5.2,1X,'FT.'//"
    "1X,' DIAMETER OF BASE       =',F5.2,1X,'FT.'//"
    "1X,' ESTIMATED SHAFT LENGTH =',F5.0,1X,'FT.'//"
    "1X,' VOLUME OF CONCRETE     =',F7.2,1X,'CU.YDS.'//"
    "1X,' ULTIMATE LOAD CAPACITY =',F10.2,1X,'TONS'//"
    "1X,' QU/VOLUME OF CONCRETE  =',F7.2,1X,'TONS/CU.YD.')";
constexpr Format kEfficientSi =
    "(///' THE MOST EFFICIENT SHAFT FOR THIS SOIL PROFILE ',' APPEARS TO BE THE FOLLOWING ONE:'//"
    "' DIAMETER OF STEM       = ',F5.1,' M'//"
    "' DIAMETER OF BASE       = ',F5.1,' M'//"
    "' ESTIMATED SHAFT LENGTH = ',F5.0,' M'//"
    "' VOLUME OF CONCRETE     = ',F7.2,' CU.M'//"
    "' ULTIMATE LOAD CAPACITY = ',F10.2,' KN  '//"
    "' QU/VOLUME OF CONCRETE  = ',F7.2,' KN /CU.M')";

constexpr Format kClayShale =
    "(//5X,'ROCK WITH COMPRESSIVE STRENGTH LESS THAN 1000 PSI (6894 kPA)'/5X,60('-')/"
    "5X,'IF THE SETTLEMENT IS LESS THAN 0.4 IN. (10 mm), THE LOAD IS'/"
    "5X,'CARRIED ENTIRELY IN SIDE RESISTANCE.  IF THE SETTLEMENT IS'/"
    "5X,'GREATER THAN 0.4 IN. (10 MM), THE LOAD IS CARRIED ENTIRELY'/"
    "5X,'IN END BEARING.')";

// output conversions back to SI
constexpr real QUVOL_SI = RunContext::KN2TON / RunContext::M3YD3;

real length(const RunContext& ctx, real ft) { return ctx.si() ? ft / RunContext::M2FT : ft; }
real volume(const RunContext& ctx, real yd3) { return ctx.si() ? yd3 / RunContext::M3YD3 : yd3; }
real force(const RunContext& ctx, real tons) { return ctx.si() ? tons / RunContext::KN2TON : tons; }

template <class... Args>
void both(RunContext& ctx, const Format& layout, const Args&... args) {
    ctx.report.writeAlso(ctx.con, layout, args...);
}

}  // namespace

void writeShaftInformation(RunContext& ctx) {
    const run::Shaft& sh = ctx.shaft;
    const bool si        = ctx.si();
    const char* ft       = si ? "M" : "FT.";
    // one per cent steel in square metres for SI
    const real steel = si ? sh.STEEL * RunContext::SQM2SQIN : sh.STEEL;
    both(ctx, kShaft, length(ctx, sh.D), ft, length(ctx, sh.DB), ft, length(ctx, sh.HB), ft,
         ctx.BELANG, "DEG.", length(ctx, ctx.TOPLEN), ft, length(ctx, ctx.BS), ft, steel,
         si ? "SQ. M" : "SQ.IN.", ctx.EcEntered, si ? "KN/SQ M" : "LB/SQ IN",
         volume(ctx, sh.VUNDER), si ? "CU. M" : "CU.YDS.");
}

void writeLegend(RunContext& ctx) {
    both(ctx, kLegendHead);
    both(ctx, ctx.lrfd() ? kLegendLrfd : kLegendSafety);
}

void writeTableHeading(RunContext& ctx, run::Channel& ch) {
    const bool up = ctx.loadType == 2;
    if (ctx.lrfd())
        ch.write(ctx.si() ? kHeadSiLrfd : kHeadEnLrfd, up ? "WT" : "QB", up ? "WT" : "LRFD QB");
    else
        ch.write(ctx.si() ? kHeadSiSafety : kHeadEnSafety, up ? "WT" : "QB");
}

TableRow tableRow(const RunContext& ctx, int r) {
    const run::RowTable& t = ctx.rows;
    TableRow row{t.LENGTH(r), t.VOLUME(r), t.QS(r), t.QB(r), t.QU(r), 0.0f, 0.0f, 0.0f};
    if (ctx.lrfd()) {
        row.C6 = t.QSL(r);
        row.C7 = t.QBL(r);
        row.C8 = t.QUL(r);
    } else {
        row.C6 = t.QBD(r);
        row.C7 = t.QDN(r);
        row.C8 = t.QUVOL(r);
    }
    return row;
}

void writeTableRow(const RunContext& ctx, run::Channel& ch, const TableRow& row) {
    const bool lrfd     = ctx.lrfd();
    const real last     = lrfd ? force(ctx, row.C8) : ctx.si() ? row.C8 / QUVOL_SI : row.C8;
    const Format layout = ctx.si() ? kRowSi : lrfd ? kRowEnLrfd : kRowEn;
    ch.write(layout, length(ctx, row.LENGTH), volume(ctx, row.VOLUME), force(ctx, row.QS),
             force(ctx, row.QB), force(ctx, row.QU), force(ctx, row.C6), force(ctx, row.C7), last);
}

void writeEfficientShaft(RunContext& ctx) {
    const auto& b = ctx.best;
    if (ctx.si())
        both(ctx, kEfficientSi, b.D / RunContext::M2FT, b.DB / RunContext::M2FT,
             b.LENGTH / RunContext::M2FT, b.VOLUME / RunContext::M3YD3, b.QU / RunContext::KN2TON,
             b.QUVOL / QUVOL_SI);
    else
        both(ctx, kEfficientEn, b.D, b.DB, b.LENGTH, b.VOLUME, b.QU, b.QUVOL);
}

void writeClayShaleNote(RunContext& ctx) { ctx.report.write(kClayShale); }

}  // namespace korven::settlement
