// SPDX-License-Identifier: GPL-3.0-or-later
// Planning rows as an iCalendar (RFC 5545) calendar for the observer's
// calendar program: times in UTC, Japanese summaries. A satellite's transit,
// shadow transit, occultation or eclipse whose start and end are both listed
// is one entry spanning them; a lone edge or a spot's transit is an entry at
// its instant; an event of two satellites spans its first and last contact.
#pragma once

#include "results/language.h"
#include "results/plan_rows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrax {

struct CalendarEntry {
    std::string uid;          // unique and stable for the same event
    std::string summary;      // Japanese, one line
    std::string description;  // Japanese, one line
    int64_t startUt;          // UT seconds from 1970-01-01
    int64_t endUt;            // the same as startUt for an instant
};

// The entries of rows listed in time order, in the order of their first
// rows: a satellite's start with its next end of the same kind as one span,
// a lone edge or a spot's transit at its instant (its System II longitude in
// the description), an event of two satellites over its contacts.
std::vector<CalendarEntry> CalendarEntries(const std::vector<PlanRow>& rows, Language language = Language::Japanese);

// The calendar's text: a VCALENDAR with one VEVENT per entry, written by
// libical. stampUt: when the calendar is made (its entries' DTSTAMP).
std::string WriteICalendar(const std::vector<CalendarEntry>& entries, int64_t stampUt);

}  // namespace veltrax
