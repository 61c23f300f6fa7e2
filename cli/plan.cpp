// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plan.h"

#include "cli/ephem.h"
#include "results/calendar_export.h"
#include "results/plan_names.h"
#include "results/plan_text.h"
#include "results/numtext.h"
#include "results/settings.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <tuple>
#include <cmath>
#include <vector>

namespace veltrax {
namespace cli {
namespace {

const char* const kMomentForm = "\"YYYY-MM-DD HH:MM[:SS]\"";

constexpr int kMaxDigits = 17;

bool StartsWith(const std::string& s, const char* prefix)
{
    return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Takes FROM and TO (and STEP) from the arguments after the command word. A
// moment may be one argument ("2021-08-20 21:00") or a date and a time as two.
std::vector<std::string> JoinMoments(const std::vector<std::string>& args)
{
    std::vector<std::string> out;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool dateOnly = a.find_first_of(" T:") == std::string::npos && a.find('-', 1) != std::string::npos;
        if (dateOnly && i + 1 < args.size() && args[i + 1].find(':') != std::string::npos &&
            args[i + 1].find('-') == std::string::npos) {
            out.push_back(a + " " + args[i + 1]);
            ++i;
        } else {
            out.push_back(a);
        }
    }
    return out;
}

std::optional<int64_t> ReadMoment(const std::string& text, int64_t zone, std::string& why)
{
    const auto c = ParseMoment(text, why);
    if (!c)
        return std::nullopt;
    return SecondsFromCivil(*c) - zone;
}

char* Text(char* p, const char* s)
{
    while (*s)
        *p++ = *s++;
    return p;
}

// Output gathered in large chunks: one write per megabyte.
class ChunkedOut {
public:
    static constexpr size_t kChunk = size_t{1} << 20;
    static constexpr size_t kLineRoom = 4096;  // more than the longest line

    explicit ChunkedOut(std::ostream& out) : out_(out), buf_(kChunk + kLineRoom) {}

    // Where the next line goes; it may take up to kLineRoom characters.
    char* Cursor() { return buf_.data() + used_; }

    // The line ends at end. false when the output failed.
    bool Commit(char* end)
    {
        used_ = static_cast<size_t>(end - buf_.data());
        return used_ < kChunk || Flush();
    }

    bool Flush()
    {
        out_.write(buf_.data(), static_cast<std::streamsize>(used_));
        used_ = 0;
        out_.flush();
        return static_cast<bool>(out_);
    }

private:
    std::ostream& out_;
    std::vector<char> buf_;
    size_t used_ = 0;
};


char* TableHeader(char* p, bool utc)
{
    p = Text(p, utc ? "UT,JDE" : "JST,UT,JDE");
    p = Text(p, ",CM1,CM2,CM3,CM1cc,CM2cc,CM3cc,GrsLongitude");
    for (const BodyNames& m : kSatelliteNames) {
        for (const char* field : {"_X", "_Y", "_side"}) {
            *p++ = ',';
            p = Text(p, m.numeral);
            p = Text(p, field);
        }
    }
    *p++ = '\n';
    return p;
}

char* TableRow(char* p, int64_t ut, const Plan& plan, const GrsSource& grs)
{
    const CivilTime c = CivilFromSeconds(ut);
    if (!plan.utc) {
        p = WriteMoment(p, CivilFromSeconds(ut + kJstOffsetSeconds), ' ');
        *p++ = ',';
    }
    p = WriteMoment(p, c, 'T');
    *p++ = 'Z';

    const Results r = ResultsAt(c, 0, grs);
    const SatellitesSeen seen = SatellitesAt(r.CurrentJDE);
    const MoonPositions& moons = seen.moons;

    for (double v : {r.CurrentJDE, r.CM1Whole, r.CM2Whole, r.CM3Whole, r.CM1, r.CM2, r.CM3, r.GrsLongitude}) {
        *p++ = ',';
        p = WriteNumber(p, v, plan.digits);
    }
    for (int i = 0; i < 4; ++i) {
        *p++ = ',';
        p = WriteNumber(p, moons.X[i], plan.digits);
        *p++ = ',';
        p = WriteNumber(p, moons.Y[i], plan.digits);
        p = Text(p, seen.front[i] ? ",front" : ",behind");
    }
    *p++ = '\n';
    return p;
}

// The query a plan's command line makes: only the rows the Earth can see
// unless --all, only the moments the site can watch when it has a site.
RowQuery QueryOf(const Plan& plan, const GrsSource& grs)
{
    RowQuery q;
    q.moons = plan.moons;
    q.kinds = plan.kinds;
    q.minFluxDrop = plan.minDrop;
    q.onlyObservable = !plan.all;
    q.onlyWatchable = plan.site.has_value();
    q.site = plan.site;
    q.grs = &grs;
    return q;
}

RowKind RowsOf(PlanKind kind)
{
    return kind == PlanKind::Events ? RowKind::Satellite : kind == PlanKind::Mutual ? RowKind::Mutual : RowKind::Spot;
}

const char* CommandName(PlanKind kind)
{
    switch (kind) {
    case PlanKind::Table: return "table";
    case PlanKind::GrsTransits: return "grs-transits";
    case PlanKind::Events: return "events";
    case PlanKind::Mutual: return "mutual";
    }
    return "";
}

int Failed(std::ostream& err, const Plan& plan, const std::string& what, int status)
{
    err << "veltrax-ephem " << CommandName(plan.kind) << ": " << what << "\n";
    return status;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& args)
{
    CommandLine cl;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            cl.help = true;
            return cl;
        }
        if (a == "--version") {
            cl.version = true;
            return cl;
        }
        std::optional<std::string>* valued = nullptr;
        const char* name = nullptr;
        if (a == "--json")
            cl.json = true;
        else if (a == "--fields")
            cl.fields = true;
        else if (a == "--utc")
            cl.utc = true;
        else if (a == "--csv")
            cl.csv = true;
        else if (a == "--force")
            cl.force = true;
        else if (a == "--all")
            cl.all = true;
        else if (a == "--ics")
            cl.ics = true;
        else if (a == "--grs" || StartsWith(a, "--grs=")) {
            valued = &cl.grs;
            name = "--grs";
        } else if (a == "--digits" || StartsWith(a, "--digits=")) {
            valued = &cl.digits;
            name = "--digits";
        } else if (a == "--site" || StartsWith(a, "--site=")) {
            valued = &cl.site;
            name = "--site";
        } else if (a == "--min-alt" || StartsWith(a, "--min-alt=")) {
            valued = &cl.minAlt;
            name = "--min-alt";
        } else if (a == "--sun-alt" || StartsWith(a, "--sun-alt=")) {
            valued = &cl.sunAlt;
            name = "--sun-alt";
        } else if (a == "--moons" || StartsWith(a, "--moons=")) {
            valued = &cl.moons;
            name = "--moons";
        } else if (a == "--kinds" || StartsWith(a, "--kinds=")) {
            valued = &cl.kinds;
            name = "--kinds";
        } else if (a == "--min-drop" || StartsWith(a, "--min-drop=")) {
            valued = &cl.minDrop;
            name = "--min-drop";
        } else if (a == "--lang" || StartsWith(a, "--lang=")) {
            valued = &cl.lang;
            name = "--lang";
        } else if (a.size() > 2 && StartsWith(a, "--")) {
            cl.error = "unknown option " + a;
            return cl;
        } else
            cl.positional.push_back(a);

        if (valued) {
            const size_t eq = a.find('=');
            if (eq != std::string::npos) {
                *valued = a.substr(eq + 1);
            } else if (i + 1 < args.size() && !StartsWith(args[i + 1], "--")) {
                *valued = args[++i];
            } else {
                cl.error = std::string(name) + " wants a value";
                return cl;
            }
        }
    }
    return cl;
}

bool IsPlanCommand(const CommandLine& cl)
{
    return !cl.positional.empty() &&
           (cl.positional[0] == "table" || cl.positional[0] == "grs-transits" || cl.positional[0] == "events" ||
            cl.positional[0] == "mutual");
}

std::optional<GrsObserved> ParseGrsOption(std::string_view text, std::string& why)
{
    const std::optional<GrsObservation> o = ParseGrsSpec(text, why);
    if (!o) {
        why = "--grs: " + why;
        return std::nullopt;
    }
    return o->observed;
}

std::optional<Site> ParseSiteOption(std::string_view text, std::string& why)
{
    const std::optional<Site> site = ParseSiteText(text, why);
    if (!site)
        why = "--site: " + why;
    return site;
}

namespace {

// "I,III" or "shadow,transit": the bit of each name given (bit i for
// names[i]). nullopt with a one-line reason for an empty or unknown name.
std::optional<unsigned> ParseNameList(const std::string& option, const std::string& text,
                                      const std::vector<const char*>& names, std::string& why)
{
    unsigned bits = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        size_t i = 0;
        while (i < names.size() && name != names[i])
            ++i;
        if (i == names.size()) {
            std::string list;
            for (const char* n : names)
                list += std::string(list.empty() ? "" : ", ") + n;
            why = option + ": unknown " + (option == "--moons" ? "moon" : "kind") + " '" + name + "' (want " + list +
                  ")";
            return std::nullopt;
        }
        bits |= 1u << i;
        if (comma == std::string::npos)
            return bits;
        start = comma + 1;
    }
}

std::optional<double> ParseAltitude(const std::string& option, const std::string& text, std::string& why)
{
    const auto v = ParseGrsDecimal(text);
    if (!v || *v < -90 || *v > 90) {
        why = option + " wants an altitude in degrees from -90 to 90, not '" + text + "'";
        return std::nullopt;
    }
    return v;
}

}  // namespace

std::optional<int64_t> ParseStep(std::string_view text, std::string& why)
{
    const std::string given(text);
    const std::string want = " (want a whole number and s, m, h or d: 30s, 10m, 1h, 1d)";
    if (text.empty()) {
        why = "the step is empty" + want;
        return std::nullopt;
    }
    const char unit = text.back();
    int64_t seconds = 0;
    switch (unit) {
    case 's': seconds = 1; break;
    case 'm': seconds = 60; break;
    case 'h': seconds = 3600; break;
    case 'd': seconds = 86400; break;
    default:
        why = "cannot read the step '" + given + "'" + want;
        return std::nullopt;
    }
    std::string_view number = text.substr(0, text.size() - 1);
    const bool negative = !number.empty() && number[0] == '-';
    if (negative || (!number.empty() && number[0] == '+'))
        number.remove_prefix(1);
    int64_t n = 0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), n);
    // Digits only after the one sign: from_chars would take a second sign ("+-5m").
    if (number.empty() || number[0] < '0' || number[0] > '9' || r.ptr != number.data() + number.size() || (r.ec != std::errc() && r.ec != std::errc::result_out_of_range)) {
        why = "cannot read the step '" + given + "'" + want;
        return std::nullopt;
    }
    if (negative || (n == 0 && r.ec == std::errc())) {
        why = "the step must be positive, not '" + given + "'";
        return std::nullopt;
    }
    int64_t total = 0;
    if (r.ec == std::errc::result_out_of_range || __builtin_mul_overflow(n, seconds, &total)) {
        why = "the step '" + given + "' is too large";
        return std::nullopt;
    }
    return total;
}

std::optional<Plan> ParsePlan(const CommandLine& cl, std::string& why, const std::optional<Site>& settingsSite)
{
    if (!cl.error.empty()) {
        why = cl.error;
        return std::nullopt;
    }
    if (!IsPlanCommand(cl)) {
        why = "not a table or grs-transits command";
        return std::nullopt;
    }
    Plan plan;
    const std::string& command = cl.positional[0];
    plan.kind = command == "table"    ? PlanKind::Table
                : command == "events" ? PlanKind::Events
                : command == "mutual" ? PlanKind::Mutual
                                      : PlanKind::GrsTransits;
    const bool table = plan.kind == PlanKind::Table;
    const bool mutual = plan.kind == PlanKind::Mutual;
    const bool events = plan.kind == PlanKind::Events || mutual;
    if (cl.json || cl.fields) {
        why = std::string(cl.json ? "--json" : "--fields") + " applies to the single-moment output only";
        return std::nullopt;
    }
    if (!events && (cl.all || cl.moons || cl.kinds)) {
        why = std::string(cl.all ? "--all" : cl.moons ? "--moons" : "--kinds") + " applies to events and mutual only";
        return std::nullopt;
    }
    if (!mutual && cl.minDrop) {
        why = "--min-drop applies to mutual only";
        return std::nullopt;
    }
    if (table && (cl.site || cl.minAlt || cl.sunAlt)) {
        why = std::string(cl.site ? "--site" : cl.minAlt ? "--min-alt" : "--sun-alt") +
              " applies to grs-transits and events only";
        return std::nullopt;
    }
    if (events && (cl.digits || cl.grs)) {
        why = std::string(cl.digits ? "--digits" : "--grs") + " applies to table and grs-transits only";
        return std::nullopt;
    }
    plan.all = cl.all;
    if (cl.moons) {
        std::vector<const char*> numerals;
        for (const BodyNames& m : kSatelliteNames)
            numerals.push_back(m.numeral);
        const auto bits = ParseNameList("--moons", *cl.moons, numerals, why);
        if (!bits)
            return std::nullopt;
        plan.moons = *bits;
    }
    if (cl.kinds) {
        // The satellites' kinds come first in the names table, the mutual ones after them.
        std::vector<const char*> words;
        for (int k = mutual ? kFirstMutualKind : 0; k < (mutual ? kSpotKind : kFirstMutualKind); ++k)
            words.push_back(kKindNames[k].word);
        const auto bits = ParseNameList("--kinds", *cl.kinds, words, why);
        if (!bits)
            return std::nullopt;
        plan.kinds = *bits;
    }
    if (cl.minDrop) {
        const auto drop = ParseGrsDecimal(*cl.minDrop);
        if (!drop || *drop < 0 || *drop > 1) {
            why = "--min-drop wants a fraction of the light from 0 to 1 (0.05 for 5 %), not '" + *cl.minDrop + "'";
            return std::nullopt;
        }
        plan.minDrop = *drop;
    }
    if (cl.site && *cl.site != "none") {
        const auto site = ParseSiteOption(*cl.site, why);
        if (!site)
            return std::nullopt;
        plan.site = SiteFilter{};
        plan.site->site = *site;
    } else if (!cl.site && settingsSite && !table) {
        plan.site = SiteFilter{};
        plan.site->site = *settingsSite;
    }
    for (const auto& [option, given, limit] :
         {std::make_tuple("--min-alt", &cl.minAlt, 0), std::make_tuple("--sun-alt", &cl.sunAlt, 1)}) {
        if (!*given)
            continue;
        const auto deg = ParseAltitude(option, **given, why);
        if (!deg)
            return std::nullopt;
        if (!plan.site) {
            why = std::string(option) + " needs a site (--site LAT,LON[,HEIGHT], or [Site] in the settings file)";
            return std::nullopt;
        }
        (limit == 0 ? plan.site->minJupiterAltitudeDeg : plan.site->maxSunAltitudeDeg) = *deg;
    }
    plan.utc = cl.utc;
    plan.csv = cl.csv;  // the table is CSV anyway
    if (cl.ics && (table || cl.csv)) {
        why = table ? "--ics applies to events, grs-transits and mutual only" : "give --ics or --csv, not both";
        return std::nullopt;
    }
    plan.ics = cl.ics;
    if (cl.lang) {
        plan.language = ParseLanguage(*cl.lang);
        if (!plan.language) {
            why = "--lang wants ja or en, not '" + *cl.lang + "'";
            return std::nullopt;
        }
    }

    if (cl.digits) {
        int n = -1;
        const std::string& d = *cl.digits;
        const auto r = std::from_chars(d.data(), d.data() + d.size(), n);
        if (d.empty() || r.ec != std::errc() || r.ptr != d.data() + d.size() || n < 0 || n > kMaxDigits) {
            why = "--digits wants a whole number from 0 to 17, not '" + d + "'";
            return std::nullopt;
        }
        plan.digits = n;
    }
    if (cl.grs && *cl.grs != "table") {
        plan.grs = ParseGrsOption(*cl.grs, why);
        if (!plan.grs)
            return std::nullopt;
    }

    const std::vector<std::string> args = JoinMoments(cl.positional);
    const size_t wanted = table ? 3 : 2;
    if (args.size() != wanted) {
        why = table ? std::string("give FROM, TO and STEP (moments as ") + kMomentForm + ", STEP like 30s, 10m, 1h, 1d)"
                    : std::string("give FROM and TO (moments as ") + kMomentForm + ")";
        return std::nullopt;
    }
    const int64_t zone = plan.utc ? 0 : kJstOffsetSeconds;
    std::string fromWhy, toWhy;
    const auto from = ReadMoment(args[0], zone, fromWhy);
    if (!from) {
        why = "FROM: " + fromWhy;
        return std::nullopt;
    }
    const auto to = ReadMoment(args[1], zone, toWhy);
    if (!to) {
        why = "TO: " + toWhy;
        return std::nullopt;
    }
    if (*from > *to) {
        why = "FROM (" + args[0] + ") is after TO (" + args[1] + ")";
        return std::nullopt;
    }
    plan.from = *from;
    plan.to = *to;

    if (events) {
        // Julian years of 365.25 days.
        constexpr int64_t kLimit = kMaxEventYearsWithoutForce * 36525 * 864;
        if (plan.to - plan.from > kLimit && !cl.force) {
            why = "the range is longer than " + std::to_string(kMaxEventYearsWithoutForce) +
                  " years; give --force to search it all";
            return std::nullopt;
        }
        return plan;
    }
    if (table) {
        const auto step = ParseStep(args[2], why);
        if (!step)
            return std::nullopt;
        plan.step = *step;
        plan.lines = (plan.to - plan.from) / plan.step + 1;
    } else {
        plan.lines = (plan.to - plan.from) / kGrsTransitPeriodSeconds + 1;
    }
    if (plan.lines > kMaxLinesWithoutForce && !cl.force) {
        why = (table ? "the table would have " : "the range holds about ") + std::to_string(plan.lines) +
              (table ? " rows" : " transits") + ", more than " + std::to_string(kMaxLinesWithoutForce) +
              "; give --force to print them all";
        return std::nullopt;
    }
    return plan;
}

std::optional<Plan> ParsePlan(const std::vector<std::string>& args, std::string& why)
{
    return ParsePlan(ReadCommandLine(args), why);
}

int RunPlan(const Plan& plan, std::ostream& out, std::ostream& err)
{
    GrsTable table = GrsTable::Standard();
    GrsSource grs;
    grs.table = &table;
    if (plan.grs)
        grs.observed = &*plan.grs;

    try {
        // Both ends are computed before anything is printed, so that a moment
        // the theories cannot give leaves standard output empty.
        if (plan.kind == PlanKind::Events || plan.kind == PlanKind::Mutual) {
            CheckEventRange(plan.from, plan.to, plan.site);
        } else {
            ResultsAt(CivilFromSeconds(plan.from), 0, grs);
            ResultsAt(CivilFromSeconds(plan.to), 0, grs);
        }
    } catch (const Fault& e) {
        return Failed(err, plan, DescribeFault(e), kExitCycleEnds);
    }

    ChunkedOut o(out);
    const auto cannotWrite = [&] { return Failed(err, plan, "cannot write the output", kExitIoError); };
    const RowQuery query = QueryOf(plan, grs);
    if (plan.ics) {
        // The whole calendar is made, then written at once.
        std::vector<PlanRow> rows;
        try {
            ForEachPlanRowInSeconds(RowsOf(plan.kind), plan.from, plan.to, query, [&](const PlanRow& r) {
                rows.push_back(r);
                return true;
            });
        } catch (const Fault& e) {
            return Failed(err, plan, DescribeFault(e), kExitCycleEnds);
        }
        out << WriteICalendar(CalendarEntries(rows, plan.calendarLanguage), static_cast<int64_t>(std::time(nullptr)));
        out.flush();
        return out ? kExitOk : cannotWrite();
    }
    try {
        if (plan.kind == PlanKind::Table) {
            if (!o.Commit(TableHeader(o.Cursor(), plan.utc)))
                return cannotWrite();
            for (int64_t i = 0; i < plan.lines; ++i)
                if (!o.Commit(TableRow(o.Cursor(), plan.from + i * plan.step, plan, grs)))
                    return cannotWrite();
        } else {
            const RowKind kind = RowsOf(plan.kind);
            if (plan.csv && !o.Commit(Text(o.Cursor(), CsvHeader(kind, plan.utc, plan.site.has_value()).c_str())))
                return cannotWrite();
            const LineStyle style{plan.utc, plan.csv, plan.digits};
            bool ok = true;
            std::string line;
            ForEachPlanRowInSeconds(kind, plan.from, plan.to, query, [&](const PlanRow& r) {
                line.clear();
                WriteRowLine(line, r, style);
                ok = o.Commit(std::copy(line.begin(), line.end(), o.Cursor()));
                return ok;
            });
            if (!ok)
                return cannotWrite();
        }
        if (!o.Flush())
            return cannotWrite();
    } catch (const Fault& e) {
        o.Flush();
        return Failed(err, plan, DescribeFault(e), kExitCycleEnds);
    }
    return kExitOk;
}

}  // namespace cli
}  // namespace veltrax
