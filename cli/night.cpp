// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/night.h"

#include "cli/ephem.h"
#include "cli/plan.h"
#include "engine/night.h"
#include "results/night_events.h"
#include "results/plan_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veltrax {
namespace cli {
namespace {

bool IsOption(const std::string& a)
{
    return a.size() > 2 && a.compare(0, 2, "--") == 0;
}

// How each moment is named: the JSON and CSV key, the text's label, and what
// the text says when it is missing with the body above or below its
// threshold all day.
struct EventWords {
    NightEvent event;
    const char* key;
    const char* label;
    const char* staysAbove;
    const char* staysBelow;
};
constexpr EventWords kEvents[kNightEvents] = {
    {NightEvent::Sunset, "sunset", "sunset", "the Sun does not set", "the Sun does not rise"},
    {NightEvent::CivilDusk, "civil_dusk", "civil twilight ends", "the Sun stays above -6\u00b0",
     "the Sun stays below -6\u00b0"},
    {NightEvent::NauticalDusk, "nautical_dusk", "nautical twilight ends", "the Sun stays above -12\u00b0",
     "the Sun stays below -12\u00b0"},
    {NightEvent::AstronomicalDusk, "astronomical_dusk", "astronomical twilight ends",
     "the Sun stays above -18\u00b0", "the Sun stays below -18\u00b0"},
    {NightEvent::JupiterRise, "jupiter_rise", "Jupiter rises", "Jupiter does not set", "Jupiter does not rise"},
    {NightEvent::JupiterCulmination, "jupiter_culmination", "Jupiter culminates", "not in these 24 hours",
     "not in these 24 hours"},
    {NightEvent::JupiterSet, "jupiter_set", "Jupiter sets", "Jupiter does not set", "Jupiter does not rise"},
    {NightEvent::AstronomicalDawn, "astronomical_dawn", "astronomical twilight begins",
     "the Sun stays above -18\u00b0", "the Sun stays below -18\u00b0"},
    {NightEvent::NauticalDawn, "nautical_dawn", "nautical twilight begins", "the Sun stays above -12\u00b0",
     "the Sun stays below -12\u00b0"},
    {NightEvent::CivilDawn, "civil_dawn", "civil twilight begins", "the Sun stays above -6\u00b0",
     "the Sun stays below -6\u00b0"},
    {NightEvent::Sunrise, "sunrise", "sunrise", "the Sun does not set", "the Sun does not rise"},
};

// The event met at the same threshold the other way (sunset for sunrise).
NightEvent Opposite(NightEvent e)
{
    return static_cast<NightEvent>(kNightEvents - 1 - static_cast<int>(e));
}

std::string JstText(double jdUT)
{
    return LocalText(CivilFromSeconds(SecondsFromJd(jdUT) + kJstOffsetSeconds));
}

std::string AltitudeText(double deg)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", std::fabs(deg) < 0.05 ? 0.0 : deg);
    return buf;
}

// The plan's rows (satellite events, mutual events, spot transits) inside
// the longest watch span, after those already under way at its start, in
// time order: as `events --site` lists them, only what the Earth can see and
// the site can watch. None without a span.
std::vector<PlanRow> RowsInWatchSpan(const NightTimetable& n, const Site& site, const GrsSource& grs)
{
    const auto span = n.LongestWatch();
    if (!span)
        return {};
    RowQuery query;
    query.onlyObservable = true;
    query.onlyWatchable = true;
    query.site = SiteFilter{};
    query.site->site = site;
    query.grs = &grs;
    std::vector<PlanRow> rows = PlanRowsBetween(span->fromJdUT, span->toJdUT, query, true);
    std::stable_sort(rows.begin(), rows.end(), [](const PlanRow& a, const PlanRow& b) { return a.jdUT < b.jdUT; });
    return rows;
}

// The values of the JSON object and the CSV row, in their order: a time as
// JST text, the altitude as a number, nullopt when absent.
struct Value {
    const char* key;
    std::optional<std::string> text;
    bool number;
};

std::vector<Value> Values(const NightTimetable& n)
{
    const auto time = [](const std::optional<double>& jd) {
        return jd ? std::optional(JstText(*jd)) : std::nullopt;
    };
    std::vector<Value> v;
    for (const EventWords& w : kEvents) {
        v.push_back({w.key, time(n.At(w.event)), false});
        if (w.event == NightEvent::JupiterCulmination) {
            const auto& alt = n.culminationAltitudeDeg;
            v.push_back({"jupiter_culmination_alt", alt ? std::optional(AltitudeText(*alt)) : std::nullopt, true});
        }
    }
    const auto watch = n.LongestWatch();
    v.push_back({"watch_from", time(watch ? std::optional(watch->fromJdUT) : std::nullopt), false});
    v.push_back({"watch_to", time(watch ? std::optional(watch->toJdUT) : std::nullopt), false});
    return v;
}

std::string Json(const NightTimetable& n, const std::vector<PlanRow>& rows)
{
    std::string o = "{\n";
    for (const Value& v : Values(n))
        o += std::string("  \"") + v.key + "\": " +
             (!v.text ? std::string("null") : v.number ? *v.text : "\"" + *v.text + "\"") + ",\n";
    o += "  \"rows\": [";
    for (size_t i = 0; i < rows.size(); ++i) {
        o += i ? ",\n    " : "\n    ";
        WriteEventsJsonRow(o, rows[i]);
    }
    return o + (rows.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

// The timetable's header and row as before, then a blank line and the rows
// under their own header (the events command's columns and under_way).
std::string Csv(const NightTimetable& n, const std::vector<PlanRow>& rows)
{
    std::string header, row;
    for (const Value& v : Values(n)) {
        const char* sep = header.empty() ? "" : ",";
        header += sep + std::string(v.key);
        row += sep + v.text.value_or("");
    }
    std::string o = header + "\n" + row + "\n\n" + NightRowsCsvHeader();
    for (const PlanRow& r : rows)
        WriteEventsCsvRow(o, r, false, true);
    return o;
}

std::string Text(const NightTimetable& n, const std::vector<PlanRow>& rows, const std::string& date, const Site& site)
{
    char head[160];
    std::snprintf(head, sizeof head, "The night of %s (JST) at latitude %.4f, longitude %.4f, height %.0f m\n",
                  date.c_str(), site.latitudeDeg, site.longitudeDeg, site.heightM);
    std::string o = head;
    const auto line = [&](const char* label, const std::string& v) {
        std::string l = std::string("  ") + label;
        l.resize(32, ' ');
        o += l + v + "\n";
    };
    for (const EventWords& w : kEvents) {
        const auto& jd = n.At(w.event);
        std::string v;
        if (jd) {
            v = JstText(*jd);
            if (w.event == NightEvent::JupiterCulmination && n.culminationAltitudeDeg)
                v += "  altitude " + AltitudeText(*n.culminationAltitudeDeg) + "\u00b0";
        } else if (w.event != NightEvent::JupiterCulmination && n.At(Opposite(w.event))) {
            v = "not in these 24 hours";
        } else {
            v = n.aboveAtStart[static_cast<size_t>(w.event)] ? w.staysAbove : w.staysBelow;
        }
        line(w.label, v);
    }
    const auto longest = n.LongestWatch();
    std::string v = longest ? JstText(longest->fromJdUT) + " to " + JstText(longest->toJdUT)
                            : "Jupiter cannot be watched this night";
    for (const JdSpan& s : n.watch)
        if (s.fromJdUT != longest->fromJdUT)
            v += ", also " + JstText(s.fromJdUT) + " to " + JstText(s.toJdUT);
    line("Jupiter can be watched", v);
    if (!longest)
        return o + "\nNo events: Jupiter cannot be watched this night.\n";
    if (rows.empty())
        return o + "\nNo events while Jupiter can be watched.\n";
    o += "\nEvents while Jupiter can be watched:\n";
    for (const PlanRow& r : rows)
        WriteRowLine(o, r, LineStyle{});
    return o;
}

int Fail(std::ostream& err, const std::string& why, int status)
{
    err << "veltrax-ephem night: " << why << "\n";
    return status;
}

}  // namespace

std::string CommandWord(const std::vector<std::string>& args)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--site" || args[i] == "--step")
            ++i;
        else if (!IsOption(args[i]))
            return args[i];
    }
    return "";
}

CommandArgs ReadCommandArgs(const std::vector<std::string>& args, const std::set<std::string>& valued,
                            const std::set<std::string>& flags)
{
    CommandArgs r;
    bool word = false;  // the command's word itself is not an argument
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!IsOption(a)) {
            if (word)
                r.positional.push_back(a);
            word = true;
            continue;
        }
        const size_t eq = a.find('=');
        const std::string name = a.substr(0, eq);
        if (flags.count(name) && eq == std::string::npos) {
            r.flags.insert(name);
        } else if (valued.count(name)) {
            if (r.values.count(name)) {
                r.error = name + " is given twice";
            } else if (eq != std::string::npos) {
                r.values[name] = a.substr(eq + 1);
            } else if (i + 1 < args.size() && !IsOption(args[i + 1])) {
                r.values[name] = args[++i];
            } else {
                r.error = name + " wants a value";
            }
        } else {
            r.error = "unknown option " + a;
        }
        if (!r.error.empty())
            return r;
    }
    return r;
}

std::optional<int> RunNightCommand(const std::vector<std::string>& args,
                                   const std::function<NightSettings(bool wantSite)>& settings, std::ostream& out,
                                   std::ostream& err)
{
    if (CommandWord(args) != "night")
        return std::nullopt;
    const CommandArgs a = ReadCommandArgs(args, {"--site"}, {"--csv", "--json", "--help", "--version"});
    if (a.flags.count("--help") || a.flags.count("--version"))
        return std::nullopt;
    if (!a.error.empty())
        return Fail(err, a.error, kExitUsage);
    if (a.flags.count("--csv") && a.flags.count("--json"))
        return Fail(err, "give --csv or --json, not both", kExitUsage);
    if (a.positional.size() != 1)
        return Fail(err, "give one DATE (YYYY-MM-DD, the night that begins on its evening, JST)", kExitUsage);
    std::string why;
    const auto date = ParseDate(a.positional[0], why);
    if (!date)
        return Fail(err, "DATE: " + why, kExitUsage);

    std::optional<Site> site;
    const auto given = a.values.find("--site");
    if (given != a.values.end() && given->second != "none" && !(site = ParseSiteOption(given->second, why)))
        return Fail(err, why, kExitUsage);
    const NightSettings file = settings(given == a.values.end());
    if (given == a.values.end())
        site = file.site;
    if (!site)
        return Fail(err, "needs a site: give --site LAT,LON[,HEIGHT], or [Site] in the settings file", kExitUsage);

    const GrsTable table = GrsTable::Standard();
    NightTimetable night;
    std::vector<PlanRow> rows;
    try {
        night = ComputeNight(*date, *site);
        rows = RowsInWatchSpan(night, *site, file.grs.Source(table));
    } catch (const Fault& e) {
        return Fail(err, DescribeFault(e), kExitCycleEnds);
    }
    out << (a.flags.count("--json")  ? Json(night, rows)
            : a.flags.count("--csv") ? Csv(night, rows)
                                     : Text(night, rows, a.positional[0], *site));
    out.flush();
    return out ? kExitOk : Fail(err, "cannot write the output", kExitIoError);
}

}  // namespace cli
}  // namespace veltrax
