// SPDX-License-Identifier: GPL-3.0-or-later
// The planning rows as text: the companion's lines and CSV rows, the events
// dialog's export and the texts of its cells. One writer per format, used by
// both programs; the names come from results/plan_names.h.
#pragma once

#include "results/language.h"
#include "results/plan_rows.h"

#include <array>
#include <string>

namespace veltrax {

// The companion's way of writing a row.
struct LineStyle {
    bool utc = false;  // moments in UT only (otherwise JST, then UT)
    bool csv = false;  // a CSV row rather than a line of text
    int digits = -1;   // the spot's numbers: fixed decimals, or -1 for the shortest exact form
};

// Writes v at p: the shortest text that reads back to the same double, or
// fixed with `digits` decimals. Returns the end (at most 64 characters).
char* WriteNumber(char* p, double v, int digits);

// The header of the companion's CSV for rows of `kind` (the events, mutual
// or grs-transits command), with the site's columns for a spot's transits
// when site is true (the others always carry them).
std::string CsvHeader(RowKind kind, bool utc, bool site);

// Appends the companion's line for the row to `out`, ending in a newline:
// text or a CSV row of its command's columns. A text line of a row under
// way where its range starts ends in "  (under way)".
void WriteRowLine(std::string& out, const PlanRow& row, const LineStyle& style);

// Appends the events command's CSV row for a row of any kind: a spot's
// transit is the satellite "GRS" and the kind "grs-transit", an event of
// two satellites its code and "mutual-occultation" or "mutual-eclipse" at
// its maximum. The events dialog exports these, after CsvHeader(Satellite).
// underWayColumn: a last column under_way, yes for a row under way where
// its range starts (the night's rows, after NightRowsCsvHeader()).
void WriteEventsCsvRow(std::string& out, const PlanRow& row, bool utc, bool underWayColumn = false);

// The header of the night's rows as CSV: the events command's columns with
// JST and the site's, then under_way.
std::string NightRowsCsvHeader();

// Appends the same row as one JSON object on one line (no newline), keyed by
// those columns' names: JST and UT as text, moon, kind and edge, observable
// and under_way as true or false, jupiter_alt and sun_alt as numbers with
// one decimal (null without a site).
void WriteEventsJsonRow(std::string& out, const PlanRow& row);

// The texts of the events dialog's columns for a row: its JST, the
// satellite, the kind, the edge and Jupiter's altitude from the site.
enum ListColumn { kWhenColumn, kBodyColumn, kKindColumn, kEdgeColumn, kAltitudeColumn, kListColumns };
std::array<std::string, kListColumns> ListCells(const PlanRow& row, Language language = Language::Japanese);

}  // namespace veltrax
