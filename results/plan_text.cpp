// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/plan_text.h"

#include "results/light_curve.h"

#include "engine/checked.h"
#include "results/numtext.h"
#include "results/plan_names.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

namespace veltrax {
namespace {

// Lines are appended to one string: most of them are written by the
// hundred thousand.

// "2026-12-08 18:38:32" (sep ' ') or "2026-12-08T09:38:32Z" (sep 'T').
void Moment(std::string& s, int64_t seconds, char sep)
{
    char buf[40];
    char* end = WriteMoment(buf, CivilFromSeconds(seconds), sep);
    if (sep == 'T')
        *end++ = 'Z';
    s.append(buf, end);
}

// "HH:MM:SS" of a moment in seconds.
void Clock(std::string& s, int64_t seconds)
{
    char buf[40];
    const char* end = WriteMoment(buf, CivilFromSeconds(seconds), ' ');
    s.append(end - 8, end);
}

void Fixed(std::string& s, double v, int decimals)
{
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        throw Fault("a number too long to print");
    s.append(buf, r.ptr);
}

void Number(std::string& s, double v, int digits)
{
    char buf[72];
    s.append(buf, WriteNumber(buf, v, digits));
}

// An altitude in the companion's lines, with one decimal: "-0.0" is "0.0".
void Degrees(std::string& s, double deg) { Fixed(s, std::fabs(deg) < 0.05 ? 0.0 : deg, 1); }

// ",jupiter_alt,sun_alt" values (empty without a site), or the text's
// "  Jupiter altitude 35.2°" (nothing without one).
void Altitudes(std::string& s, const std::optional<SiteView>& v, bool csv)
{
    if (!v) {
        s += csv ? ",," : "";
    } else if (csv) {
        s += ',';
        Degrees(s, v->altitudes.jupiterDeg);
        s += ',';
        Degrees(s, v->altitudes.sunDeg);
    } else {
        s += "  Jupiter altitude ";
        Degrees(s, v->altitudes.jupiterDeg);
        s += "\u00b0";
    }
}

// The moments a CSV row starts with: "JST,UT" or "UT".
void CsvMoments(std::string& s, int64_t ut, bool utc)
{
    if (!utc) {
        Moment(s, ut + kJstOffsetSeconds, ' ');
        s += ',';
    }
    Moment(s, ut, 'T');
}

// A text line's moment: "2026-12-08 18:38:32 JST  " or "... UT   ".
void TextMoment(std::string& s, int64_t ut, bool utc)
{
    Moment(s, utc ? ut : ut + kJstOffsetSeconds, ' ');
    s += utc ? " UT   " : " JST  ";
}

void SatelliteText(std::string& s, const PlanRow& row, const GalileanEvent& e, bool utc)
{
    const BodyNames& moon = kSatelliteNames[e.moon];
    TextMoment(s, row.ut, utc);
    const size_t label = s.size();
    s.append(moon.numeral).append(" (").append(moon.english).append(")");
    s.resize(std::max(s.size(), label + 16), ' ');
    s.append(NamesOf(e.kind).phrase).append(NamesOf(e.edge).phrase);
    Altitudes(s, row.view, false);
    s += e.observable ? "" : "  (not observable)";
}

// "2027-01-14 21:03:17 JST  2E1  Europa eclipses Io  20:59:40–21:06:52  7.2 min  drop 38 %"
void MutualText(std::string& s, const PlanRow& row, const MutualEvent& e, bool utc)
{
    const Contacts c = ContactsOf(e);
    const int64_t zone = utc ? 0 : kJstOffsetSeconds;
    TextMoment(s, row.ut, utc);
    s.append(MutualCode(e)).append("  ").append(kSatelliteNames[e.active].english).append(" ");
    s.append(NamesOf(e.kind).phrase).append(" ").append(kSatelliteNames[e.passive].english).append("  ");
    Clock(s, c.startUt + zone);
    s += "\u2013";
    Clock(s, c.endUt + zone);
    s += "  ";
    Fixed(s, static_cast<double>(c.endUt - c.startUt) / 60, 1);
    s.append(" min  drop ").append(std::to_string(DropPercent(e))).append(" %");
    Altitudes(s, row.view, false);
    s += e.observable ? "" : "  (not observable)";
}

void MutualCsv(std::string& s, const PlanRow& row, const MutualEvent& e, bool utc)
{
    const Contacts c = ContactsOf(e);
    CsvMoments(s, row.ut, utc);
    s.append(",").append(MutualCode(e)).append(",").append(NamesOf(e.kind).word);
    s.append(",").append(kSatelliteNames[e.active].numeral).append(",").append(kSatelliteNames[e.passive].numeral);
    for (const int64_t t : {c.startUt, c.endUt}) {
        s += ',';
        Moment(s, t, 'T');
    }
    s.append(",").append(std::to_string(c.endUt - c.startUt));
    for (const double v : {e.impact, e.magnitude, e.fluxDrop}) {
        s += ',';
        Fixed(s, v, 3);
    }
    s += ',';
    Fixed(s, e.distance, 2);
    s += e.observable ? ",yes" : ",no";
    Altitudes(s, row.view, true);
    // Last, so that a script reading the earlier columns keeps working: the
    // unresolved pair's loss of light at the maximum and its magnitude drop.
    const double pair = PairFraction(e.active, e.passive, 1 - e.fluxDrop);
    s += ',';
    Fixed(s, 1 - pair, 3);
    s += ',';
    Fixed(s, MagnitudeDrop(pair), 3);
}

void SpotLine(std::string& s, const PlanRow& row, const GrsTransit& t, const LineStyle& style)
{
    const Results& r = t.results;
    if (style.csv) {
        CsvMoments(s, t.ut, style.utc);
        for (double v : {r.CurrentJDE, r.CM2, r.GrsLongitude}) {
            s += ',';
            Number(s, v, style.digits);
        }
    } else {
        if (!style.utc) {
            Moment(s, t.ut + kJstOffsetSeconds, ' ');
            s += " JST  ";
        }
        Moment(s, t.ut, 'T');
        s += "  CM2cc=";
        if (style.digits < 0)
            s += FormatText15(r.CM2, "000.00");
        else
            Number(s, r.CM2, style.digits);
    }
    // The companion lists a transit with a site only when the site can watch it.
    if (row.view)
        Altitudes(s, row.view, style.csv);
}

}  // namespace

char* WriteNumber(char* p, double v, int digits)
{
    constexpr int kRoom = 64;
    const auto r = digits < 0 ? std::to_chars(p, p + kRoom, v)
                              : std::to_chars(p, p + kRoom, v, std::chars_format::fixed, digits);
    if (r.ec != std::errc())
        throw Fault("a number too long to print");
    return r.ptr;
}

std::string CsvHeader(RowKind kind, bool utc, bool site)
{
    const std::string moments = utc ? "UT" : "JST,UT";
    switch (kind) {
    case RowKind::Satellite:
        return moments + ",moon,kind,edge,observable,jupiter_alt,sun_alt\n";
    case RowKind::Mutual:
        return moments + ",code,kind,active,passive,start_UT,end_UT,duration_s,impact,magnitude,flux_drop,distance,"
                         "observable,jupiter_alt,sun_alt,pair_drop,delta_mag\n";
    case RowKind::Spot:
        break;
    }
    return moments + ",JDE,CM2cc,GrsLongitude" + (site ? ",jupiter_alt,sun_alt\n" : "\n");
}

std::string NightRowsCsvHeader()
{
    std::string header = CsvHeader(RowKind::Satellite, false, true);
    return header.insert(header.size() - 1, ",under_way");
}

namespace {

// The events command's words for a row of any kind: the satellite (or code,
// or GRS), the kind and the edge.
struct EventsWords {
    std::string body;
    const char* kind;
    const char* edge;
};

EventsWords EventsWordsOf(const PlanRow& row)
{
    if (const GalileanEvent* e = row.Satellite())
        return {kSatelliteNames[e->moon].numeral, NamesOf(e->kind).listWord, NamesOf(e->edge).word};
    const char* max = kEdgeNames[kMaximumEdge].word;
    if (const MutualEvent* m = row.Mutual())
        return {MutualCode(*m), NamesOf(m->kind).listWord, max};
    return {kSpotNames.numeral, kKindNames[kSpotKind].listWord, max};
}

}  // namespace

void WriteEventsCsvRow(std::string& s, const PlanRow& row, bool utc, bool underWayColumn)
{
    const EventsWords w = EventsWordsOf(row);
    CsvMoments(s, row.ut, utc);
    s.append(",").append(w.body).append(",").append(w.kind).append(",").append(w.edge);
    s += row.Observable() ? ",yes" : ",no";
    Altitudes(s, row.view, true);
    if (underWayColumn)
        s += row.underWay ? ",yes" : ",no";
    s += '\n';
}

void WriteEventsJsonRow(std::string& s, const PlanRow& row)
{
    const EventsWords w = EventsWordsOf(row);
    s += "{\"JST\": \"";
    Moment(s, row.ut + kJstOffsetSeconds, ' ');
    s += "\", \"UT\": \"";
    Moment(s, row.ut, 'T');
    s.append("\", \"moon\": \"").append(w.body).append("\", \"kind\": \"").append(w.kind);
    s.append("\", \"edge\": \"").append(w.edge).append("\", \"observable\": ");
    s += row.Observable() ? "true" : "false";
    for (const auto& [key, deg] : {std::pair{", \"jupiter_alt\": ", row.view ? &row.view->altitudes.jupiterDeg : nullptr},
                                   std::pair{", \"sun_alt\": ", row.view ? &row.view->altitudes.sunDeg : nullptr}}) {
        s += key;
        if (deg)
            Degrees(s, *deg);
        else
            s += "null";
    }
    s += row.underWay ? ", \"under_way\": true}" : ", \"under_way\": false}";
}

void WriteRowLine(std::string& s, const PlanRow& row, const LineStyle& style)
{
    if (style.csv && row.Satellite())
        return WriteEventsCsvRow(s, row, style.utc);
    if (const GalileanEvent* e = row.Satellite())
        SatelliteText(s, row, *e, style.utc);
    else if (const MutualEvent* m = row.Mutual())
        style.csv ? MutualCsv(s, row, *m, style.utc) : MutualText(s, row, *m, style.utc);
    else
        SpotLine(s, row, *row.Spot(), style);
    if (!style.csv && row.underWay)
        s += "  (under way)";
    s += '\n';
}

std::array<std::string, kListColumns> ListCells(const PlanRow& row, Language language)
{
    const PlanPhrases& say = PhrasesOf(language);
    std::array<std::string, kListColumns> cells;
    cells[kWhenColumn] = LocalText(JstOf(row));
    char text[96];
    if (const GalileanEvent* e = row.Satellite()) {
        cells[kBodyColumn] = SatelliteColumn(e->moon, language);
        cells[kKindColumn] = WindowWord(NamesOf(e->kind), language);
        cells[kEdgeColumn] = WindowWord(NamesOf(e->edge), language);
    } else if (const MutualEvent* m = row.Mutual()) {
        cells[kBodyColumn] = MutualCode(*m) + " " + SatelliteWord(m->active, language) + "→" +
                             SatelliteWord(m->passive, language);
        cells[kKindColumn] = WindowWord(NamesOf(m->kind), language);
        std::snprintf(text, sizeof text, say.mutualDrop, DropPercent(*m));
        cells[kEdgeColumn] = std::string(WindowWord(kEdgeNames[kMaximumEdge], language)) + text;
    } else {
        std::snprintf(text, sizeof text, say.spotLongitude, row.Spot()->results.GrsLongitude);
        cells[kBodyColumn] = language == Language::English ? kSpotNames.windowEnglish : kSpotNames.window;
        cells[kKindColumn] = WindowWord(kKindNames[kSpotKind], language);
        cells[kEdgeColumn] = text;
    }
    if (row.underWay)
        cells[kEdgeColumn] += say.underWay;
    if (row.view) {
        // The dialog writes the altitude as it is ("-0.0°" a hair below the horizon).
        char altitude[32];
        std::snprintf(altitude, sizeof altitude, "%.1f°", row.view->altitudes.jupiterDeg);
        cells[kAltitudeColumn] = altitude;
    }
    return cells;
}

}  // namespace veltrax
