// The results of the report: shaft description, legend, capacity table, most efficient shaft and
// the closing note.
#pragma once

#include "run/RunContext.h"

namespace korven::settlement {

using run::real;
using run::RunContext;

/// The eight values of a line of the capacity table in internal units: the last three are QBD,
/// QDN, QU/VOLUME, or under LRFD the LRFD QS, QB (shaft weight under uplift) and QU.
struct TableRow {
    real LENGTH, VOLUME, QS, QB, QU, C6, C7, C8;
};

/// Section A, the shaft of the current pass.
void writeShaftInformation(RunContext& ctx);
/// Section B, the legend of the table.
void writeLegend(RunContext& ctx);
/// The two heading lines of the capacity table.
void writeTableHeading(RunContext& ctx, run::Channel& ch);
/// The table line of result row r of the pass.
TableRow tableRow(const RunContext& ctx, int r);
/// One line of the capacity table, converted back to SI for SI projects.
void writeTableRow(const RunContext& ctx, run::Channel& ch, const TableRow& row);
/// Section E, the most efficient shaft over all diameters.
void writeEfficientShaft(RunContext& ctx);
/// Section F, the note on clay-shale over weak rock.
void writeClayShaleNote(RunContext& ctx);

}  // namespace korven::settlement
