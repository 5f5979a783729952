// The working listing TZDATA.DAT of the load-transfer method, record by record.
#pragma once

#include <string>

#include "settlement/LoadTransferData.h"

namespace korven::settlement {

/// Path of the listing: TZDATA.DAT in the folder of the report.
std::string listingPath(const std::string& reportPath);

/// Opens TZDATA.DAT on the listing channel from its beginning; false when it cannot be created.
bool openListing(run::RunContext& ctx);

/// The note that opens the listing.
void writeListingNote(run::Channel& ch);

/// The t-z curves 1..n: headings, then each curve's depth and points (converted for SI).
void writeCurveTable(run::Channel& ch, int units, const run::Array<TzCurve, 145>& curves, int n);

/// The tip curve: headings and its ten points (converted for SI).
void writeTipTable(run::Channel& ch, int units, const TipCurve& tip);

/// The record that closes the listing after the fifteenth tip movement.
void writeListingEnd(run::Channel& ch);

/// The listing of one load-transfer call, kept on the listing channel and written when the
/// channel is closed for good: every call rewrites TZDATA.DAT, so only the last call's listing is
/// ever formatted. It holds the call's curves, and how far the call came (a run that stops half
/// way leaves the listing up to there).
struct PendingListing final : run::DeferredRecords {
    explicit PendingListing(int unitSystem) : units(unitSystem) {}
    void write(run::Channel& ch) override;

    int units = 1;  ///< 1 English, 2 SI
    int stage = 0;  ///< 0 the note, 1 and the curves, 2 and the tip curve, 3 and the closing record
    int NCURVE = 0;  ///< t-z curves
    run::Array<TzCurve, 145> curves;
    TipCurve tip;
};

}  // namespace korven::settlement
