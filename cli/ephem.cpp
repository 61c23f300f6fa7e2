#include "cli/ephem.h"

#include "engine/engine.h"
#include "results/numtext.h"
#include "results/recalc.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace veltrax {
namespace {

const char kUsage[] = "usage: veltrax-ephem [--json] YYYY-MM-DD HH:MM[:SS] | [--json] --fields Y M D h m s | --help";

const char kHelp[] =
    "veltrax-ephem: Jupiter's central meridians, the Great Red Spot and the Galilean\n"
    "satellites for one moment, exactly as the Veltrax window shows them.\n"
    "\n"
    "usage:\n"
    "  veltrax-ephem [--json] YYYY-MM-DD HH:MM[:SS]\n"
    "      A moment in Japan Standard Time on the 24-hour clock (UT + 9 h).\n"
    "      The year may carry a sign (-0044-03-15); seconds may have a fraction.\n"
    "  veltrax-ephem [--json] --fields Y M D h m s\n"
    "      Six texts exactly as they would stand in the window's year, month, day,\n"
    "      hour, minute and second fields: --fields 2021 8 20 12 0 59.5, or\n"
    "      --fields 2026 3 1 -3 0 75 (a negative hour or minute, or seconds\n"
    "      beyond 59, are taken as the window takes them). Full-width digits are\n"
    "      read like ASCII digits. February has 29 days when the year field is a\n"
    "      leap year by the Gregorian rule.\n"
    "  veltrax-ephem --help\n"
    "\n"
    "output:\n"
    "  By default the texts of the window's two result labels, the Universal Time\n"
    "  and Julian Day label first, then the central-meridian label, one line each\n"
    "  line of the label.\n"
    "  --json prints one JSON object instead: \"result\" and \"Taikei\" (the label\n"
    "  texts, lines joined by \\r), \"CurrentJDE\" (Julian Day, dynamical time),\n"
    "  \"CM1\" \"CM2\" \"CM3\" (whole disk, degrees), \"CM1cc\" \"CM2cc\" \"CM3cc\"\n"
    "  (illuminated disk), \"GrsLongitude\" (predicted System II longitude of the\n"
    "  Great Red Spot), \"JupArgJ\", \"PhaseCorr\", \"aspect\" (Jupiter's apparent\n"
    "  geometry) and \"moons\" (arrays X, Y in Jupiter radii and U in degrees for\n"
    "  satellites I to IV). Numbers round-trip exactly.\n"
    "\n"
    "  The built-in Great Red Spot table ends in 2021; later longitudes are an\n"
    "  extrapolation, so compare them with a recent measurement.\n"
    "\n"
    "exit status:\n"
    "  0   the results were printed\n"
    "  2   the fields do not form a moment the window would show (a month of 13,\n"
    "      a day beyond the month, an hour above 23, a minute above 59, a text\n"
    "      that is not a number, a value beyond the arithmetic's range); one line\n"
    "      on standard error names the field\n"
    "  64  usage error\n";

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
// field texts. false when either does not have that form.
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
    const auto tp = Split(time, ':');
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

std::string ResultsJson(const Results& r)
{
    const double d = r.CurrentJDE - 2415020;
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

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool json = false;
    bool fieldsMode = false;
    std::vector<std::string> rest;
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            out << kHelp;
            return kExitOk;
        }
        if (a == "--json")
            json = true;
        else if (a == "--fields")
            fieldsMode = true;
        else if (a.size() > 2 && a.compare(0, 2, "--") == 0)
            return Usage(err, "unknown option " + a);
        else
            rest.push_back(a);
    }

    FieldTexts f;
    if (fieldsMode) {
        if (rest.size() != 6)
            return Usage(err, "--fields takes six texts: year month day hour minute second");
        f = FieldTexts{rest[0], rest[1], rest[2], rest[3], rest[4], rest[5]};
    } else {
        if (rest.size() != 2)
            return Usage(err, "give a date and a time, or --fields");
        if (!MomentToFields(rest[0], rest[1], f))
            return Usage(err, "cannot read the moment '" + rest[0] + " " + rest[1] +
                                  "' (want YYYY-MM-DD HH:MM[:SS])");
    }

    // February follows the year field, as in the window.
    MonthTable monthDays = CommonMonthDays();
    try {
        if (const auto y = FieldWhole(f.Nen); y && IsLeapYear(*y))
            monthDays[1] = 29;
    } catch (const Fault&) {
        // a year beyond the 32-bit range: the cycle reports it below
    }

    const RecalcOutcome outcome = Recalculate(f, monthDays, GrsTable::Standard());
    if (!outcome.ok()) {
        err << "veltrax-ephem: " << FieldName(outcome.endedAt) << ": " << outcome.why << "\n";
        return kExitCycleEnds;
    }
    if (json) {
        try {
            out << ResultsJson(*outcome.results);
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
