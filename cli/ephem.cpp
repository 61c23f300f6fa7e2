// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ephem.h"

#include "engine/calendar.h"
#include "cli/light_curve.h"
#include "cli/night.h"
#include "cli/plan.h"

#include "engine/engine.h"
#include "results/numtext.h"
#include "results/recalc.h"
#include "results/settings.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace veltrax {
namespace {

const char kUsage[] =
    "usage: veltrax-ephem [--json] [--utc] [--grs LON@DATE[,DRIFT]|table] YYYY-MM-DD HH:MM[:SS] | [--json] --fields Y M D h m s"
    " | table FROM TO STEP | grs-transits FROM TO | events FROM TO | mutual FROM TO | night DATE"
    " | light-curve CODE MOMENT | --help | --version";

const char kHelp[] =
    "veltrax-ephem: Jupiter's central meridians, the Great Red Spot and the Galilean\n"
    "satellites exactly as the Veltrax window shows them: for one moment, as a\n"
    "table over a range of moments, or as the Great Red Spot's transit times;\n"
    "and the Galilean satellites' transits, shadow transits, occultations and\n"
    "eclipses.\n"
    "\n"
    "usage:\n"
    "  veltrax-ephem [--json] [--utc] [--grs LON@DATE[,DRIFT]] YYYY-MM-DD HH:MM[:SS]\n"
    "      A moment in Japan Standard Time on the 24-hour clock (UT + 9 h), as a\n"
    "      date and a time or as one argument (\"2021-08-20 21:00\", 2021-08-20T21:00).\n"
    "      The year may carry a sign (-0044-03-15); seconds may have a fraction.\n"
    "      A date alone (2021-08-20) is 00:00 of that day.\n"
    "      With --utc the moment is read in Universal Time.\n"
    "      Dates before 1582-10-15 are on the Julian calendar, as the window\n"
    "      reads them (1500-02-29 exists), later ones on the Gregorian; this\n"
    "      holds for every moment and date the companion reads.\n"
    "  veltrax-ephem [--json] [--grs LON@DATE[,DRIFT]] --fields Y M D h m s\n"
    "      Six texts exactly as they would stand in the window's year, month, day,\n"
    "      hour, minute and second fields: --fields 2021 8 20 12 0 59.5, or\n"
    "      --fields 2026 3 1 -3 0 75 (a negative hour or minute, or seconds\n"
    "      beyond 59, are taken as the window takes them). Full-width digits are\n"
    "      read like ASCII digits. February has 29 days when the year field is a\n"
    "      leap year by the Gregorian rule.\n"
    "  veltrax-ephem table FROM TO STEP [--utc] [--digits N] [--grs LON@DATE[,DRIFT]] [--force]\n"
    "      One CSV row per moment from FROM to TO inclusive, STEP apart: a whole\n"
    "      number of seconds, minutes, hours or days (30s, 10m, 1h, 1d). FROM and\n"
    "      TO are \"YYYY-MM-DD HH:MM[:SS]\" in Japan Standard Time (quote each, or\n"
    "      give its date and time as two arguments) or a date alone (00:00),\n"
    "      years -999999 to 999999, on the Julian calendar before 1582-10-15\n"
    "      and the Gregorian from then on, as the window computes them. Columns: JST, UT (ISO 8601), JDE, the whole-disk CM1 CM2\n"
    "      CM3, the illuminated-disk CM1cc CM2cc CM3cc, GrsLongitude, then for\n"
    "      satellites I to IV their X and Y (Jupiter radii) and side: \"front\"\n"
    "      when the view draws the satellite in front of the planet, \"behind\"\n"
    "      when it draws it behind.\n"
    "  veltrax-ephem grs-transits FROM TO [--utc] [--csv] [--digits N] [--grs LON@DATE[,DRIFT]] [--force]\n"
    "                [--site LAT,LON[,HEIGHT]] [--min-alt DEG] [--sun-alt DEG]\n"
    "      Every moment from FROM to TO at which the Great Red Spot stands on the\n"
    "      central meridian (CM2cc, the illuminated-disk System II meridian,\n"
    "      equals the GRS longitude), to the nearest second: one line each with\n"
    "      the JST, the UT and CM2cc; with --csv a header and the columns JST, UT,\n"
    "      JDE, CM2cc, GrsLongitude (and jupiter_alt, sun_alt with --site).\n"
    "  veltrax-ephem events FROM TO [--utc] [--csv] [--all] [--moons I,II,III,IV]\n"
    "                [--kinds transit,shadow,occultation,eclipse] [--site LAT,LON[,HEIGHT]]\n"
    "                [--min-alt DEG] [--sun-alt DEG] [--force]\n"
    "      The Galilean satellites' events from FROM to TO, one line each in time\n"
    "      order: the start and end of each transit (the satellite in front of\n"
    "      the disk), shadow transit (its shadow on the disk), occultation (the\n"
    "      satellite behind the disk) and eclipse (the satellite in Jupiter's\n"
    "      shadow), as seen from the Earth's centre, to the second, in JST (UT\n"
    "      with --utc); with a site, Jupiter's altitude. By default only the\n"
    "      events that can be seen: not an occultation edge while the satellite\n"
    "      is eclipsed, an eclipse edge while it is behind the disk, a shadow\n"
    "      reaching or leaving the disk on the hemisphere turned away from the\n"
    "      Earth, nor a shadow hidden behind its own satellite. With --csv a\n"
    "      header and the columns JST, UT, moon (I to IV), kind (transit, shadow,\n"
    "      occultation, eclipse), edge (start, end), observable (yes, no),\n"
    "      jupiter_alt and sun_alt (degrees; empty without a site).\n"
    "      An event is the moment the centre of the satellite, or of its shadow,\n"
    "      crosses the limb of the oblate disk (for an eclipse: the satellite's\n"
    "      centre enters or leaves Jupiter's shadow). The monthly tables of the\n"
    "      astronomy magazines start a shadow transit when the shadow becomes\n"
    "      visible and may end a transit at the terminator: their times differ\n"
    "      from these by up to 1.5 minutes.\n"
    "  veltrax-ephem mutual FROM TO [--utc] [--csv] [--all] [--moons I,II,III,IV]\n"
    "                [--kinds occultation,eclipse] [--min-drop F] [--site LAT,LON[,HEIGHT]]\n"
    "                [--min-alt DEG] [--sun-alt DEG] [--force]\n"
    "      The Galilean satellites' events with each other (around Jupiter's\n"
    "      equinoxes, about a year in every six) whose maximum lies from FROM to\n"
    "      TO, one line each in the order of their maxima: the maximum in JST (UT\n"
    "      with --utc), the code (2O1: Europa occults Io; 1E2: Io eclipses\n"
    "      Europa), the first and last contact, the duration and the fraction of\n"
    "      the passive satellite's light lost (uniform disks); with a site,\n"
    "      Jupiter's altitude at the maximum. An occultation lasts while the two\n"
    "      disks overlap as seen from the Earth's centre, each satellite where it\n"
    "      was when its light left; an eclipse while any part of the passive\n"
    "      satellite is in the active one's penumbra (the Sun a disk), the\n"
    "      sunlight passing the active satellite before it reaches the passive\n"
    "      one. By default only the events that can be seen: not when the passive\n"
    "      satellite is behind Jupiter or in its shadow, nor an eclipse by a\n"
    "      satellite that is itself in Jupiter's shadow. --moons keeps the events\n"
    "      of which either satellite is listed; --min-drop F (0 to 1) the events\n"
    "      whose light loss is at least F. With --csv a header and the columns\n"
    "      JST, UT (the maximum), code, kind (occultation, eclipse), active and\n"
    "      passive (I to IV), start_UT and end_UT (first and last contact),\n"
    "      duration_s, impact (closest separation over the sum of the radii: of\n"
    "      the two satellites, or of the penumbra and the passive one), magnitude\n"
    "      (the fraction of the passive satellite's diameter covered by the\n"
    "      active one, or by the umbra), flux_drop, distance (the passive\n"
    "      satellite from Jupiter's centre, Jupiter radii: near or on the disk it\n"
    "      is hard to measure), observable (yes, no), jupiter_alt, sun_alt,\n"
    "      pair_drop (the light the two satellites lose together, unresolved, at\n"
    "      the maximum) and delta_mag (that loss in magnitudes).\n"
    "  veltrax-ephem night DATE [--site LAT,LON[,HEIGHT]] [--csv | --json]\n"
    "      The night that begins on the evening of DATE (YYYY-MM-DD, JST) at the\n"
    "      site (--site, else the settings file's [Site]; one of them is needed):\n"
    "      sunset, the end of civil, nautical and astronomical twilight,\n"
    "      Jupiter's rise, culmination (and its altitude) and set, the start of\n"
    "      astronomical, nautical and civil twilight, sunrise, and the span in\n"
    "      which Jupiter can be watched (at least 10 degrees high while the Sun\n"
    "      is at least 6 below the horizon, both apparent, as --site filters the\n"
    "      other commands; the longest such span, cut at the 24 hours' ends).\n"
    "      Each is the first in the 24 hours from noon JST on DATE to noon the\n"
    "      next day, or missing when it does not happen in them (midnight sun,\n"
    "      polar night, Jupiter up or down all day): the text says why. The Sun\n"
    "      rises and sets with its upper limb on the horizon and standard\n"
    "      refraction (the centre's true altitude -0.833 degrees), twilights at\n"
    "      true altitudes -6, -12 and -18 degrees, Jupiter rises and sets at a\n"
    "      true altitude of -0.5667 degrees, and its culmination's altitude is\n"
    "      apparent (with refraction). Times in JST to the second. Then the\n"
    "      plan's rows from watch_from to watch_to, in time order, as events\n"
    "      --site lists them (what can be seen and watched): the satellites'\n"
    "      events, the mutual events at their maxima and the Great Red Spot's\n"
    "      transits (the settings file's spot longitude, else the built-in\n"
    "      table), each as its command prints it; first any event already\n"
    "      under way at watch_from (a transit, shadow transit, occultation or\n"
    "      eclipse by its start, a mutual event by its maximum), marked\n"
    "      \"(under way)\", with Jupiter's altitude at watch_from. --csv: the\n"
    "      timetable's header and one row, a blank line, then the rows under\n"
    "      their own header: the events --csv columns (a spot's transit is\n"
    "      GRS, grs-transit; a mutual event its code, mutual-occultation or\n"
    "      mutual-eclipse, edge max) and under_way (yes, no). --json: one\n"
    "      object with the keys sunset, civil_dusk, nautical_dusk,\n"
    "      astronomical_dusk, jupiter_rise, jupiter_culmination,\n"
    "      jupiter_culmination_alt (degrees), jupiter_set, astronomical_dawn,\n"
    "      nautical_dawn, civil_dawn, sunrise, watch_from, watch_to (times as\n"
    "      \"YYYY-MM-DD HH:MM:SS\" JST, null when missing) and rows: one object\n"
    "      a row with the same columns as keys (observable and under_way true\n"
    "      or false, the altitudes numbers). No watch span: no rows.\n"
    "  veltrax-ephem light-curve CODE MOMENT [--step S]\n"
    "      The light curve of the mutual event of that code (3E1: Ganymede\n"
    "      eclipses Io) under way at MOMENT (\"YYYY-MM-DD HH:MM[:SS]\", JST), or\n"
    "      else the one whose maximum lies nearest to it within an hour: CSV\n"
    "      with the columns UT, JST, seconds_from_maximum, flux_passive (the\n"
    "      passive satellite's light as a fraction of its light before the\n"
    "      event, as mutual's flux_drop counts it), flux_pair (the two\n"
    "      satellites together, as photometry of the unresolved pair measures\n"
    "      them, each satellite's light from its mean opposition magnitude) and\n"
    "      delta_mag_pair (the pair's drop in magnitudes), every S whole seconds\n"
    "      (default 5) on the seconds of the maximum, from 2 minutes before the\n"
    "      first contact to 2 minutes after the last.\n"
    "  veltrax-ephem --help | --version\n"
    "\n"
    "options:\n"
    "  --utc        read (and for table, grs-transits, events and mutual, print)\n"
    "               moments in Universal Time; the JST column is left out\n"
    "  --digits N   numbers with N decimals (0 to 17); by default the shortest\n"
    "               text that reads back to exactly the computed number\n"
    "  --force      print more than 10000000 lines; search events (or mutual) over more\n"
    "               than 10 years\n"
    "  --all        events and mutual: those that cannot be seen too (marked\n"
    "               \"(not observable)\", or observable=no)\n"
    "  --moons LIST events and mutual: only these satellites, from I, II, III, IV\n"
    "  --kinds LIST events: only these kinds, from transit, shadow, occultation,\n"
    "               eclipse; mutual: from occultation, eclipse\n"
    "  --ics        events, grs-transits and mutual: an iCalendar (RFC 5545)\n"
    "               calendar on standard output instead, times in UTC, summaries\n"
    "               in the window's language (--lang): a transit, shadow transit,\n"
    "               occultation or eclipse whose start and end are both listed\n"
    "               is one entry spanning them, a lone edge or a spot's transit\n"
    "               an entry at its instant, a mutual event an entry from its\n"
    "               first to its last contact\n"
    "  --lang ja|en --ics: the summaries in Japanese or English; without it, the\n"
    "               settings file's [View] language, else English for an English\n"
    "               locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) and Japanese for\n"
    "               every other\n"
    "  --min-drop F mutual: only the events that take at least this fraction of\n"
    "               the passive satellite's light (0 to 1; default 0: all)\n"
    "  --site LAT,LON[,HEIGHT]\n"
    "               events, mutual and grs-transits: only the moments at which Jupiter\n"
    "               stands at least --min-alt high and the Sun at most --sun-alt\n"
    "               at this site: latitude (north positive), longitude (east\n"
    "               positive) in degrees, height in metres (0 when left out);\n"
    "               --site 35.68,139.77 for Tokyo. Without --site, the settings\n"
    "               file's site is used (group [Site], keys latitude, longitude,\n"
    "               height, as the window's events dialog saves them); --site\n"
    "               none: no site, whatever the file holds\n"
    "  --min-alt DEG  Jupiter's lowest altitude with --site (default 10)\n"
    "  --sun-alt DEG  the Sun's highest altitude with --site (default -6)\n"
    "  --grs LON@DATE[,DRIFT]\n"
    "               the observer's own Great Red Spot longitude instead of the\n"
    "               built-in prediction, for every output: System II longitude\n"
    "               LON in degrees measured on DATE (YYYY-MM-DD, taken at 0 h UT),\n"
    "               drifting DRIFT degrees a month, a year or a day (1.75/month,\n"
    "               21/year, 0.06/day; a month is 365.25/12 days, a year 365.25\n"
    "               days), no drift when left out: --grs 68@2025-01-01,1.75/month\n"
    "  --grs table  the built-in prediction, whatever the settings file holds\n"
    "\n"
    "  The built-in Great Red Spot table ends in 2021; later longitudes are an\n"
    "  extrapolation that drifts away from the real spot. Give a recent measured\n"
    "  longitude with --grs before you time a transit.\n"
    "\n"
    "  Where the Great Red Spot's longitude comes from, first found first:\n"
    "    1. --grs on the command line (--grs table: the built-in table);\n"
    "    2. the settings file $XDG_CONFIG_HOME/veltrax/veltrax.conf\n"
    "       (~/.config/veltrax/veltrax.conf when XDG_CONFIG_HOME is unset), which\n"
    "       the window's dialog writes: group [GreatRedSpot], keys longitude\n"
    "       (System II degrees, -360 to 360 as for --grs), epoch (YYYY-MM-DD,\n"
    "       0 h UT) and drift (1.5/month, 18/year or 0.05/day; absent: no drift);\n"
    "    3. the built-in table.\n"
    "  A value in the file that cannot be used is reported on standard error and\n"
    "  the built-in table is used; the companion never writes the file.\n"
    "\n"
    "output of a single moment:\n"
    "  By default the texts of the window's two result labels, the Universal Time\n"
    "  and Julian Day label first, then the central-meridian label, one line each\n"
    "  line of the label.\n"
    "  --json prints one JSON object instead: \"result\" and \"Taikei\" (the label\n"
    "  texts, lines joined by \\r), \"CurrentJDE\" (Julian Day, dynamical time),\n"
    "  \"CM1\" \"CM2\" \"CM3\" (whole disk, degrees), \"CM1cc\" \"CM2cc\" \"CM3cc\"\n"
    "  (illuminated disk), \"GrsLongitude\" (predicted System II longitude of the\n"
    "  Great Red Spot), \"GrsSource\" (\"observer\" for the observer's longitude,\n"
    "  \"table\" for the built-in table), \"JupArgJ\", \"PhaseCorr\", \"aspect\"\n"
    "  (Jupiter's apparent geometry) and \"moons\" (arrays X, Y in Jupiter radii\n"
    "  and U in degrees for satellites I to IV). Numbers round-trip exactly.\n"
    "\n"
    "exit status:\n"
    "  0   the results were printed\n"
    "  1   light-curve: no event of that code at that moment\n"
    "  2   the fields do not form a moment the window would show (a month of 13,\n"
    "      a day beyond the month, an hour above 23, a minute above 59, a text\n"
    "      that is not a number, a value beyond the arithmetic's range); one line\n"
    "      on standard error names the field\n"
    "  64  usage error; for table, grs-transits, events and mutual (an unreadable moment,\n"
    "      step, --grs or --site, a latitude beyond -90 to 90, an unknown moon\n"
    "      or kind, a --min-drop beyond 0 to 1, FROM after TO, a step that is not positive, more than\n"
    "      10000000 lines or 10 years of events without --force) one line on\n"
    "      standard error and nothing on standard output\n"
    "  74  the output could not be written\n";

bool AllDigits(const std::string& s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Splits s at every sep.
std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    parts.push_back(cur);
    return parts;
}

// "YYYY-MM-DD" (the year may carry a sign) and "HH:MM[:SS[.fff]]" to the six
// field texts; an empty time is 00:00. false when either does not have that form.
bool MomentToFields(const std::string& date, const std::string& time, FieldTexts& f)
{
    std::string d = date;
    std::string sign;
    if (!d.empty() && (d[0] == '-' || d[0] == '+')) {
        if (d[0] == '-')
            sign = "-";
        d.erase(0, 1);
    }
    const auto dp = Split(d, '-');
    if (dp.size() != 3 || !AllDigits(dp[0]) || !AllDigits(dp[1]) || !AllDigits(dp[2]) ||
        dp[1].size() > 2 || dp[2].size() > 2 || dp[0].size() > 9)
        return false;
    const auto tp = Split(time.empty() ? std::string("0:0") : time, ':');
    if (tp.size() < 2 || tp.size() > 3 || !AllDigits(tp[0]) || !AllDigits(tp[1]) ||
        tp[0].size() > 2 || tp[1].size() > 2)
        return false;
    std::string sec = "0";
    if (tp.size() == 3) {
        const auto sp = Split(tp[2], '.');
        if (sp.size() > 2 || !AllDigits(sp[0]) || sp[0].size() > 2 || (sp.size() == 2 && !AllDigits(sp[1])))
            return false;
        sec = tp[2];
    }
    auto plain = [](const std::string& digits) { return ShortText(*FieldNumber(digits)); };
    f.Nen = sign == "-" ? ShortText(-*FieldNumber(dp[0])) : plain(dp[0]);
    f.tuki = plain(dp[1]);
    f.Hi = plain(dp[2]);
    f.Jikoku = plain(tp[0]);
    f.Hun = plain(tp[1]);
    f.Byo = ShortText(*FieldNumber(sec));
    return true;
}

std::string JsonString(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string LabelLines(const std::string& label)
{
    std::string out = label;
    for (char& c : out)
        if (c == '\r')
            c = '\n';
    return out + "\n";
}

std::string ResultsJson(const Results& r, bool observer)
{
    const double d = r.CurrentJDE - kEpoch1900Jd;
    const JupiterAspect a = CalcAspect(d);
    const MoonPositions m = CalcMoons(d, a);
    auto arr = [](const double (&v)[4]) {
        return "[" + JsonNumber(v[0]) + ", " + JsonNumber(v[1]) + ", " + JsonNumber(v[2]) + ", " +
               JsonNumber(v[3]) + "]";
    };
    std::ostringstream o;
    o << "{\n"
      << "  \"result\": " << JsonString(r.result) << ",\n"
      << "  \"Taikei\": " << JsonString(r.Taikei) << ",\n"
      << "  \"CurrentJDE\": " << JsonNumber(r.CurrentJDE) << ",\n"
      << "  \"CM1\": " << JsonNumber(r.CM1Whole) << ",\n"
      << "  \"CM2\": " << JsonNumber(r.CM2Whole) << ",\n"
      << "  \"CM3\": " << JsonNumber(r.CM3Whole) << ",\n"
      << "  \"CM1cc\": " << JsonNumber(r.CM1) << ",\n"
      << "  \"CM2cc\": " << JsonNumber(r.CM2) << ",\n"
      << "  \"CM3cc\": " << JsonNumber(r.CM3) << ",\n"
      << "  \"GrsLongitude\": " << JsonNumber(r.GrsLongitude) << ",\n"
      << "  \"GrsSource\": " << (observer ? "\"observer\"" : "\"table\"") << ",\n"
      << "  \"JupArgJ\": " << JsonNumber(r.JupArgJ) << ",\n"
      << "  \"PhaseCorr\": " << JsonNumber(r.PhaseCorr) << ",\n"
      << "  \"aspect\": {\"EqCenter\": " << JsonNumber(a.EqCenter)
      << ", \"EarthSunDist\": " << JsonNumber(a.EarthSunDist)
      << ", \"JupSunDist\": " << JsonNumber(a.JupSunDist)
      << ", \"EarthJupDist\": " << JsonNumber(a.EarthJupDist)
      << ", \"PhaseAngle\": " << JsonNumber(a.PhaseAngle)
      << ", \"EarthDecl\": " << JsonNumber(a.EarthDecl) << "},\n"
      << "  \"moons\": {\"X\": " << arr(m.X) << ", \"Y\": " << arr(m.Y) << ", \"U\": " << arr(m.U) << "}\n"
      << "}\n";
    return o.str();
}

int Usage(std::ostream& err, const std::string& what)
{
    err << "veltrax-ephem: " << what << "\n" << kUsage << "\n";
    return kExitUsage;
}

// A date and a time given as one argument, "YYYY-MM-DD HH:MM" or with a T
// between them; a date alone leaves the time empty (00:00).
void SplitMoment(const std::string& moment, std::string& date, std::string& time)
{
    const size_t at = moment.find_first_of(" T", 1);
    if (at == std::string::npos) {
        date = moment;
        time.clear();
        return;
    }
    date = moment.substr(0, at);
    size_t t = at + 1;
    while (moment[at] == ' ' && t < moment.size() && moment[t] == ' ')
        ++t;
    time = moment.substr(t);
}

// Fields read as a Universal Time moment, moved on by 9 hours to the Japan
// Standard Time the window takes. The seconds stay as typed. false, with the
// field and the reason, when the date or the time is not a real one.
bool UtFieldsToJst(FieldTexts& f, FieldId& field, std::string& why)
{
    CivilTime c;
    c.year = std::stoll(f.Nen);
    const int64_t month = std::stoll(f.tuki), day = std::stoll(f.Hi);
    const int64_t hour = std::stoll(f.Jikoku), minute = std::stoll(f.Hun);
    if (month < 1 || month > 12) {
        field = FieldId::Month;
        why = "'" + f.tuki + "' is out of range (1 to 12)";
        return false;
    }
    const int32_t length = DaysInMonth(c.year, static_cast<int32_t>(month));
    if (day < 1 || day > length) {
        field = FieldId::Day;
        why = "'" + f.Hi + "' is out of range (1 to " + std::to_string(length) + ")";
        return false;
    }
    if (hour > 23 || minute > 59) {
        field = hour > 23 ? FieldId::Hour : FieldId::Minute;
        why = "'" + (hour > 23 ? f.Jikoku : f.Hun) + "' is out of range (at most " + (hour > 23 ? "23" : "59") + ")";
        return false;
    }
    c.month = static_cast<int32_t>(month);
    c.day = static_cast<int32_t>(day);
    c.hour = static_cast<int32_t>(hour);
    c.minute = static_cast<int32_t>(minute);
    const CivilTime jst = CivilFromSeconds(SecondsFromCivil(c) + kJstOffsetSeconds);
    f.Nen = std::to_string(jst.year);
    f.tuki = std::to_string(jst.month);
    f.Hi = std::to_string(jst.day);
    f.Jikoku = std::to_string(jst.hour);
    f.Hun = std::to_string(jst.minute);
    return true;
}

// The settings file, read once: its stray lines are reported on err at once,
// its values' problems only for the values a command uses.
struct FileSettings {
    std::string path;
    bool read = false;
    Settings values;
};

FileSettings ReadSettingsFile(std::ostream& err, const char* unreadable)
{
    FileSettings f;
    f.path = SettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    std::string why;
    if (f.path.empty())
        return f;
    IniFile ini;
    switch (ReadIniFile(f.path, ini, why)) {
    case IniRead::Missing:
        return f;
    case IniRead::Unreadable:
        err << "veltrax-ephem: " << f.path << ": " << why << "; " << unreadable << "\n";
        return f;
    case IniRead::Ok:
        break;
    }
    if (const std::optional<std::string> stray = DescribeStrayLines(f.path, ini))
        err << "veltrax-ephem: " << *stray << "\n";
    // Not one line of it is a setting: read as an empty file.
    if (ini.OnlyStrayLines())
        return f;
    f.values = ReadSettings(ini);
    f.read = true;
    return f;
}

void ReportUnusable(const FileSettings& f, const char* group, std::ostream& err)
{
    for (const SettingsProblem& p : f.values.UnusableIn(group))
        err << "veltrax-ephem: " << DescribeSettingsProblem(f.path, p) << "\n";
}

// The spot's model when no --grs is given: the settings file's, or the
// built-in table. Each value there that cannot be used is reported once on err.
GrsModel GrsFromSettings(const FileSettings& f, std::ostream& err)
{
    if (!f.read)
        return GrsModel{};
    ReportUnusable(f, kGrsGroup, err);
    return f.values.grs;
}

GrsModel GrsFromSettings(std::ostream& err)
{
    return GrsFromSettings(ReadSettingsFile(err, "the built-in Great Red Spot table is used"), err);
}

// The observer's site when no --site is given: the settings file's [Site], or none.
std::optional<Site> SiteFromSettings(const FileSettings& f, std::ostream& err)
{
    if (!f.read)
        return std::nullopt;
    ReportUnusable(f, kSiteGroup, err);
    return f.values.site;
}

int RunPlanCommand(const cli::CommandLine& cl, std::ostream& out, std::ostream& err)
{
    const bool table = cl.positional[0] == "table";
    const bool wantsSite = !table && !cl.site;
    FileSettings file;
    if (!cl.grs || wantsSite || (cl.ics && !cl.lang))
        file = ReadSettingsFile(err, "the built-in Great Red Spot table is used");
    const std::optional<Site> site = wantsSite ? SiteFromSettings(file, err) : std::nullopt;
    std::string why;
    std::optional<cli::Plan> plan = cli::ParsePlan(cl, why, site);
    if (!plan) {
        err << "veltrax-ephem " << cl.positional[0] << ": " << why << "\n";
        return kExitUsage;
    }
    if (!cl.grs) {
        if (const GrsModel m = GrsFromSettings(file, err); m.observation)
            plan->grs = m.observation->observed;
    }
    if (plan->ics) {
        // The calendar's language as the window's: --lang, [View] language, the environment.
        std::optional<Language> fromFile;
        if (!plan->language && file.read) {
            for (const SettingsProblem& p : file.values.UnusableIn(kViewGroup))
                if (p.key == "language")
                    err << "veltrax-ephem: " << DescribeSettingsProblem(file.path, p) << "\n";
            fromFile = SettingsLanguage(file.values);
        }
        plan->calendarLanguage = ChooseLanguage(plan->language, fromFile, EnvironmentLanguage());
    }
    return cli::RunPlan(*plan, out, err);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const auto nightSettings = [&](bool wantSite) {
        const FileSettings file =
            ReadSettingsFile(err, wantSite ? "no site is read from it" : "the built-in Great Red Spot table is used");
        return cli::NightSettings{wantSite ? SiteFromSettings(file, err) : std::nullopt, GrsFromSettings(file, err)};
    };
    if (const std::optional<int> status = cli::RunNightCommand(args, nightSettings, out, err))
        return *status;
    if (const std::optional<int> status = cli::RunLightCurveCommand(args, out, err))
        return *status;
    const cli::CommandLine cl = cli::ReadCommandLine(args);
    if (cl.help) {
        out << kHelp;
        return kExitOk;
    }
    if (cl.version) {
        out << "veltrax-ephem " << VELTRAX_VERSION << "\n";
        return kExitOk;
    }
    if (cli::IsPlanCommand(cl))
        return RunPlanCommand(cl, out, err);
    if (!cl.error.empty())
        return Usage(err, cl.error);
    if (cl.csv || cl.force || cl.digits)
        return Usage(err, std::string(cl.csv ? "--csv" : cl.force ? "--force" : "--digits") +
                              " applies to table and grs-transits only");
    if (cl.all || cl.moons || cl.kinds || cl.site || cl.minAlt || cl.sunAlt)
        return Usage(err, std::string(cl.all     ? "--all"
                                      : cl.moons ? "--moons"
                                      : cl.kinds ? "--kinds"
                                      : cl.site  ? "--site"
                                      : cl.minAlt ? "--min-alt"
                                                  : "--sun-alt") +
                              " applies to events (and the site options to grs-transits) only");

    std::optional<GrsObserved> observed;
    if (cl.grs && *cl.grs != "table") {
        std::string why;
        observed = cli::ParseGrsOption(*cl.grs, why);
        if (!observed)
            return Usage(err, why);
    }

    const std::vector<std::string>& rest = cl.positional;
    FieldTexts f;
    if (cl.fields) {
        if (cl.utc)
            return Usage(err, "--utc applies to a date and a time, not to --fields");
        if (rest.size() != 6)
            return Usage(err, "--fields takes six texts: year month day hour minute second");
        f = FieldTexts{rest[0], rest[1], rest[2], rest[3], rest[4], rest[5]};
    } else {
        std::string date, time;
        if (rest.size() == 2) {
            date = rest[0];
            time = rest[1];
        } else if (rest.size() == 1) {
            SplitMoment(rest[0], date, time);
        } else {
            return Usage(err, "give a date and a time, or --fields");
        }
        if (!MomentToFields(date, time, f))
            return Usage(err, "cannot read the moment '" + date + (time.empty() ? "" : " " + time) +
                                  "' (want YYYY-MM-DD [HH:MM[:SS]])");
        FieldId field = FieldId::None;
        std::string why;
        if (cl.utc && !UtFieldsToJst(f, field, why)) {
            err << "veltrax-ephem: " << FieldName(field) << ": " << why << "\n";
            return kExitCycleEnds;
        }
    }

    if (!cl.grs) {
        if (const GrsModel m = GrsFromSettings(err); m.observation)
            observed = m.observation->observed;
    }

    // February follows the year field, as in the window. A moment typed as
    // a date is read on the calendar CalcJD computes with, so that a Julian
    // 29 February before 1582 is the day it names.
    MonthTable monthDays = kCommonYearMonthDays;
    try {
        if (const auto y = FieldWhole(f.Nen)) {
            if (cl.fields)
                monthDays = WindowMonthDays(*y);
            else
                monthDays[1] = DaysInMonth(*y, 2);
        }
    } catch (const Fault&) {
        // a year beyond the 32-bit range: the cycle reports it below
    }

    const GrsTable table = GrsTable::Standard();
    GrsSource grs;
    grs.table = &table;
    if (observed)
        grs.observed = &*observed;
    const RecalcOutcome outcome = Recalculate(f, monthDays, grs);
    if (!outcome.ok()) {
        err << "veltrax-ephem: " << FieldName(outcome.endedAt) << ": " << outcome.why << "\n";
        return kExitCycleEnds;
    }
    if (cl.json) {
        try {
            out << ResultsJson(*outcome.results, observed.has_value());
        } catch (const Fault& e) {
            err << "veltrax-ephem: moment: " << e.what() << "\n";
            return kExitCycleEnds;
        }
    } else {
        out << LabelLines(outcome.results->result) << LabelLines(outcome.results->Taikei);
    }
    return kExitOk;
}

}  // namespace

int RunEphem(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    try {
        std::vector<std::string> args;
        for (int i = 1; i < argc; ++i)
            args.emplace_back(argv[i]);
        return Run(args, out, err);
    } catch (const std::exception& e) {
        err << "veltrax-ephem: " << e.what() << "\n";
        return kExitCycleEnds;
    }
}

}  // namespace veltrax
