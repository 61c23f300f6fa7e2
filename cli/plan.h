// SPDX-License-Identifier: GPL-3.0-or-later
// Observing plans: the ephemeris table over a range of moments, the Great Red
// Spot's central-meridian transits, and the observer's own GRS longitude, all
// from the same computation as the single-moment output.
#pragma once

#include "engine/calendar.h"
#include "engine/visibility.h"
#include "results/language.h"
#include "results/grs.h"
#include "results/plan_rows.h"
#include "results/planning.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace veltrax {
namespace cli {

// More output lines than this need --force.
constexpr int64_t kMaxLinesWithoutForce = 10000000;

// Satellite events over more than this many years need --force.
constexpr int64_t kMaxEventYearsWithoutForce = 10;

// The command line split into options and the remaining arguments.
struct CommandLine {
    bool help = false;
    bool version = false;
    bool json = false, fields = false, utc = false, csv = false, force = false, all = false, ics = false;
    std::optional<std::string> grs;     // --grs LON@DATE[,DRIFT], as given
    std::optional<std::string> digits;  // --digits N, as given
    std::optional<std::string> site;    // --site LAT,LON[,HEIGHT] or none, as given
    std::optional<std::string> minAlt;  // --min-alt DEG, as given
    std::optional<std::string> sunAlt;  // --sun-alt DEG, as given
    std::optional<std::string> moons;   // --moons I,III, as given
    std::optional<std::string> kinds;   // --kinds shadow,transit, as given
    std::optional<std::string> minDrop; // --min-drop F, as given
    std::optional<std::string> lang;    // --lang ja|en, as given
    std::vector<std::string> positional;
    std::string error;  // an unknown option or a missing value; empty when none
};

// Options may stand anywhere; --grs, --digits, --site, --min-alt, --sun-alt,
// --moons and --kinds take the next argument (or --grs=..., and so on).
// Reading stops at --help, --version or the first error.
CommandLine ReadCommandLine(const std::vector<std::string>& args);

// "table", "grs-transits", "events" or "mutual" as the first argument that is not an option.
bool IsPlanCommand(const CommandLine& cl);

// "LON@DATE[,DRIFT]": longitude LON (degrees, -360 to 360) measured on DATE
// (YYYY-MM-DD, taken at 0 h UT), drifting DRIFT degrees a month (365.25/12
// days), a year (365.25 days) or a day: "1.75/month", "21/year", "0.06/day";
// no drift when left out. nullopt with a one-line reason otherwise.
std::optional<GrsObserved> ParseGrsOption(std::string_view text, std::string& why);

// "LAT,LON[,HEIGHT]" as the settings file's site reads it (ParseSiteText).
// nullopt with a one-line reason otherwise.
std::optional<Site> ParseSiteOption(std::string_view text, std::string& why);

// "30s", "10m", "1h", "1d": a positive whole number of seconds.
std::optional<int64_t> ParseStep(std::string_view text, std::string& why);

enum class PlanKind { Table, GrsTransits, Events, Mutual };

// A checked plan: everything is validated before anything is printed.
struct Plan {
    PlanKind kind = PlanKind::Table;
    int64_t from = 0, to = 0;  // the range, inclusive, UT seconds from 1970-01-01
    int64_t step = 0;          // table: seconds between rows
    int64_t lines = 0;         // table: rows; grs-transits: about how many transits
    bool utc = false;          // moments read and printed in UT only
    bool csv = false;          // grs-transits as CSV
    bool ics = false;          // events, grs-transits, mutual: an iCalendar calendar instead
    std::optional<Language> language;         // --lang: the calendar's language
    Language calendarLanguage = Language::Japanese;  // the calendar's language, as chosen
    int digits = -1;           // fixed decimals, or -1 for the shortest exact form
    std::optional<GrsObserved> grs;
    // grs-transits and events: only moments the site can watch Jupiter.
    std::optional<SiteFilter> site;
    // events: every geometric edge, not only the observable ones; the
    // satellites (bit 0 for I) and kinds (bit 0 for EventKind 0) to list.
    bool all = false;
    unsigned moons = 0xF, kinds = 0xF;
    // mutual: the smallest flux drop listed, 0 to 1.
    double minDrop = 0;
};

// Reads a plan's command line. nullopt with a one-line reason when the
// arguments, a moment, the step or an option is wrong, FROM is after TO, or
// more than kMaxLinesWithoutForce lines would be printed (events: more than
// kMaxEventYearsWithoutForce years searched) without --force.
// settingsSite: the settings file's site, used by events and grs-transits
// when no --site is given (--site none: no site whatever the file says).
std::optional<Plan> ParsePlan(const CommandLine& cl, std::string& why,
                              const std::optional<Site>& settingsSite = std::nullopt);
std::optional<Plan> ParsePlan(const std::vector<std::string>& args, std::string& why);

// Prints the plan on out (messages on err) and returns the exit status.
int RunPlan(const Plan& plan, std::ostream& out, std::ostream& err);

}  // namespace cli
}  // namespace veltrax
