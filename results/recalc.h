// SPDX-License-Identifier: GPL-3.0-or-later
// The recalculation cycle: the six date and time fields (Japan Standard Time)
// to the texts of the two result labels and the values the window keeps.
#pragma once

#include "engine/calendar.h"
#include "results/grs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace veltrax {

// The six field texts, UTF-8, exactly as they stand in the window.
struct FieldTexts {
    std::string Nen;     // year
    std::string tuki;    // month
    std::string Hi;      // day
    std::string Jikoku;  // hour
    std::string Hun;     // minute
    std::string Byo;     // second
};


// The field a cycle stopped at.
enum class FieldId { Year, Month, Day, Hour, Minute, Second, None };

// "year", "month", ... for messages.
const char* FieldName(FieldId f);

// Everything a completed cycle produces.
struct Results {
    std::string result;  // label `result`: two lines, joined by a carriage return
    std::string Taikei;  // label `Taikei`: four lines, joined by carriage returns
    double CurrentJDE;   // JDE of the moment, days
    double CM1Whole, CM2Whole, CM3Whole;  // whole-disk meridians, degrees 0 to 360
    double CM1, CM2, CM3;  // illuminated-disk meridians (after the phase correction),
                           // degrees, not reduced again (may be just below 0 or >= 360)
    double GrsLongitude;   // predicted GRS longitude, degrees 0 to 360
    double JupArgJ;        // argument J, degrees
    double PhaseCorr;      // phase correction, degrees
};

// Either the results, or where and why the cycle ended (the display then keeps
// what it showed).
struct RecalcOutcome {
    std::optional<Results> results;
    FieldId endedAt = FieldId::None;
    std::string why;

    bool ok() const { return results.has_value(); }
};

// The words around the numbers of the two result labels. The moment's six
// parts are numeric patterns (FormatInteger: year, month, day, hour, minute,
// second, each with the text that follows it); a line's %1, %2, ... stand for
// the numbers: result: the moment in UT and the JDE; Taikei: CM I, CM I
// illuminated, CM II, CM II illuminated, the spot's longitude, CM III, CM III
// illuminated. Lines are joined by carriage returns.
struct ResultWords {
    std::array<std::string, 6> momentParts;
    std::array<std::string, 2> resultLines;
    std::array<std::string, 4> TaikeiLines;
};
// The window's own Japanese words.
const ResultWords& JapaneseResultWords();

// Runs the whole cycle. Validates month (1 to 12), day (1 to the month's length
// in monthDays), hour (at most 23) and minute (at most 59) by their whole values;
// a field that is not a number, a value beyond the integer ranges or a
// floating-point fault ends the cycle too. Never throws.
RecalcOutcome Recalculate(const FieldTexts& fields, const MonthTable& monthDays, const GrsTable& grs);
RecalcOutcome Recalculate(const FieldTexts& fields, const MonthTable& monthDays, const GrsSource& grs,
                          const ResultWords& words = JapaneseResultWords());

// The numbers of one moment in Universal Time, the day F (with its fraction)
// of month M of year Y: everything in Results but the two texts. The
// recalculation above runs exactly this after it has read the fields. Throws
// Fault on a floating-point fault or an overflow.
Results ComputeMoment(int32_t Y, int32_t M, double F, const GrsSource& grs);

}  // namespace veltrax
