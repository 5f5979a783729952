// Report blocks of the load-settlement results.
#include "settlement/SettlementReport.h"

#include "settlement/LoadTransferData.h"

namespace korven::settlement {

namespace {

constexpr run::Format kTrend = "(///,8X,'RESULT FROM TREND (AVERAGED) LINE')";
constexpr run::Format kUpper = "(///,8X,'RESULT FROM UPPER-BOUND LINE')";
constexpr run::Format kLower = "(///,8X,'RESULT FROM LOWER-BOUND LINE')";
constexpr run::Format kSoilColumns =
    "(/,8X,'TOP  LOAD     TOP MOVEMENT       TIP LOAD  ',4X,'TIP  MOVEMENT')";
constexpr run::Format kSoilUnits = "(11X,A3,13X,A3,14X,A3,12X,A3)";
constexpr run::Format kSoilRow   = "(E17.4,3E16.4)";

constexpr run::Format kRockHead      = "(//,15X,'       LOAD SETTLEMENT RELATIONSHIP      ')";
constexpr run::Format kRockRule      = "(15X,'------------------------------------------   ')";
constexpr run::Format kRockColumnsEn = "(/,22X,'TOP  LOAD     TOP MOVEMENT     ')";
constexpr run::Format kRockUnitsEn   = "(22X,'   TONS             IN.       ')";
constexpr run::Format kRockColumnsSi = "(/,22X,'TOP  LOAD     TOP MOVEMENT        ')";
constexpr run::Format kRockUnitsSi   = "(22X,'   kN              M             ')";
constexpr run::Format kRockRow       = "(13X,2(E17.4))";

}  // namespace

void writeSoilBlock(run::Channel& report, int units, int line, const run::SettlementSet& set) {
    const UnitCaptions cap = unitCaptions(units);
    report.write(line == 1 ? kTrend : line == 2 ? kUpper : kLower);
    report.write(kSoilColumns);
    report.write(kSoilUnits, cap.FORCE, cap.LENGTH, cap.FORCE, cap.LENGTH);
    for (int k = 1; k <= 15; ++k) {
        const run::SettlementRow& r = set(k);
        report.write(kSoilRow, r.TOPLOAD, r.TOPMOVE, r.TIPLOAD, r.TIPMOVE);
    }
}

void writeRockBlock(run::Channel& report, int units, const run::SettlementSet& set) {
    report.write(kRockHead);
    report.write(kRockRule);
    report.write(units == 2 ? kRockColumnsSi : kRockColumnsEn);
    report.write(units == 2 ? kRockUnitsSi : kRockUnitsEn);
    for (int k = 1; k <= 15; ++k) report.write(kRockRow, set(k).TOPLOAD, set(k).TOPMOVE);
}

}  // namespace korven::settlement
