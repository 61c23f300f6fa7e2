// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/plan_text.h"

#include "engine/checked.h"
#include "results/numtext.h"
#include "results/plan_names.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace veltrax {
namespace {

// "2026-12-08 18:38:32" and "2026-12-08T09:38:32Z" of a moment in seconds.
std::string Local(int64_t seconds) { return LocalText(CivilFromSeconds(seconds)); }
std::string Iso(int64_t ut) { return IsoUtcText(CivilFromSeconds(ut)); }

// "HH:MM:SS" of a moment in seconds.
std::string Clock(int64_t seconds)
{
    const std::string m = Local(seconds);
    return m.substr(m.size() - 8);
}

std::string Fixed(double v, int decimals)
{
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        throw Fault("a number too long to print");
    return std::string(buf, r.ptr);
}

std::string Number(double v, int digits)
{
    char buf[72];
    return std::string(buf, WriteNumber(buf, v, digits));
}

// An altitude in the companion's lines, with one decimal: "-0.0" is "0.0".
std::string Degrees(double deg) { return Fixed(std::fabs(deg) < 0.05 ? 0.0 : deg, 1); }

// ",jupiter_alt,sun_alt" values (empty without a site), or the text's
// "  Jupiter altitude 35.2°" (nothing without one).
std::string Altitudes(const std::optional<SiteView>& v, bool csv)
{
    if (!v)
        return csv ? ",," : "";
    if (csv)
        return "," + Degrees(v->altitudes.jupiterDeg) + "," + Degrees(v->altitudes.sunDeg);
    return "  Jupiter altitude " + Degrees(v->altitudes.jupiterDeg) + "\u00b0";
}

// The moments a CSV row starts with: "JST,UT" or "UT".
std::string CsvMoments(int64_t ut, bool utc)
{
    return (utc ? "" : Local(ut + kJstOffsetSeconds) + ",") + Iso(ut);
}

// A text line's moment: "2026-12-08 18:38:32 JST  " or "... UT   ".
std::string TextMoment(int64_t ut, bool utc)
{
    return Local(utc ? ut : ut + kJstOffsetSeconds) + (utc ? " UT   " : " JST  ");
}

std::string SatelliteText(const PlanRow& row, const GalileanEvent& e, bool utc)
{
    const BodyNames& moon = kSatelliteNames[e.moon];
    std::string label = std::string(moon.numeral) + " (" + moon.english + ")";
    label.resize(std::max<size_t>(label.size(), 16), ' ');
    return TextMoment(row.ut, utc) + label + NamesOf(e.kind).phrase + NamesOf(e.edge).phrase +
           Altitudes(row.view, false) + (e.observable ? "" : "  (not observable)");
}

// "2027-01-14 21:03:17 JST  2E1  Europa eclipses Io  20:59:40–21:06:52  7.2 min  drop 38 %"
std::string MutualText(const PlanRow& row, const MutualEvent& e, bool utc)
{
    const Contacts c = ContactsOf(e);
    const int64_t zone = utc ? 0 : kJstOffsetSeconds;
    return TextMoment(row.ut, utc) + MutualCode(e) + "  " + kSatelliteNames[e.active].english + " " +
           NamesOf(e.kind).phrase + " " + kSatelliteNames[e.passive].english + "  " + Clock(c.startUt + zone) +
           "\u2013" + Clock(c.endUt + zone) + "  " + Fixed(static_cast<double>(c.endUt - c.startUt) / 60, 1) +
           " min  drop " + std::to_string(DropPercent(e)) + " %" + Altitudes(row.view, false) +
           (e.observable ? "" : "  (not observable)");
}

std::string MutualCsv(const PlanRow& row, const MutualEvent& e, bool utc)
{
    const Contacts c = ContactsOf(e);
    std::string s = CsvMoments(row.ut, utc) + "," + MutualCode(e) + "," + NamesOf(e.kind).word + "," +
                    kSatelliteNames[e.active].numeral + "," + kSatelliteNames[e.passive].numeral + "," +
                    Iso(c.startUt) + "," + Iso(c.endUt) + "," + std::to_string(c.endUt - c.startUt);
    for (const double v : {e.impact, e.magnitude, e.fluxDrop})
        s += "," + Fixed(v, 3);
    return s + "," + Fixed(e.distance, 2) + (e.observable ? ",yes" : ",no") + Altitudes(row.view, true);
}

std::string SpotLine(const PlanRow& row, const GrsTransit& t, const LineStyle& style)
{
    const Results& r = t.results;
    std::string s;
    if (style.csv) {
        s = CsvMoments(t.ut, style.utc);
        for (double v : {r.CurrentJDE, r.CM2, r.GrsLongitude})
            s += "," + Number(v, style.digits);
    } else {
        if (!style.utc)
            s = Local(t.ut + kJstOffsetSeconds) + " JST  ";
        s += Iso(t.ut) + "  CM2cc=" + (style.digits < 0 ? FormatText15(r.CM2, "000.00") : Number(r.CM2, style.digits));
    }
    // The companion lists a transit with a site only when the site can watch it.
    return row.view ? s + Altitudes(row.view, style.csv) : s;
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
                         "observable,jupiter_alt,sun_alt\n";
    case RowKind::Spot:
        break;
    }
    return moments + ",JDE,CM2cc,GrsLongitude" + (site ? ",jupiter_alt,sun_alt\n" : "\n");
}

std::string EventsCsvRow(const PlanRow& row, bool utc)
{
    std::string body, kind, edge = kEdgeNames[kMaximumEdge].word;
    if (const GalileanEvent* e = row.Satellite()) {
        body = kSatelliteNames[e->moon].numeral;
        kind = NamesOf(e->kind).listWord;
        edge = NamesOf(e->edge).word;
    } else if (const MutualEvent* m = row.Mutual()) {
        body = MutualCode(*m);
        kind = NamesOf(m->kind).listWord;
    } else {
        body = kSpotNames.numeral;
        kind = kKindNames[kSpotKind].listWord;
    }
    return CsvMoments(row.ut, utc) + "," + body + "," + kind + "," + edge + (row.Observable() ? ",yes" : ",no") +
           Altitudes(row.view, true) + "\n";
}

std::string RowLine(const PlanRow& row, const LineStyle& style)
{
    if (const GalileanEvent* e = row.Satellite())
        return style.csv ? EventsCsvRow(row, style.utc) : SatelliteText(row, *e, style.utc) + "\n";
    if (const MutualEvent* m = row.Mutual())
        return (style.csv ? MutualCsv(row, *m, style.utc) : MutualText(row, *m, style.utc)) + "\n";
    return SpotLine(row, *row.Spot(), style) + "\n";
}

std::array<std::string, kListColumns> ListCells(const PlanRow& row)
{
    std::array<std::string, kListColumns> cells;
    cells[kWhenColumn] = LocalText(JstOf(row));
    if (const GalileanEvent* e = row.Satellite()) {
        cells[kBodyColumn] = kSatelliteNames[e->moon].window;
        cells[kKindColumn] = NamesOf(e->kind).japanese;
        cells[kEdgeColumn] = NamesOf(e->edge).japanese;
    } else if (const MutualEvent* m = row.Mutual()) {
        cells[kBodyColumn] = MutualCode(*m) + " " + kSatelliteNames[m->active].japanese + "→" +
                             kSatelliteNames[m->passive].japanese;
        cells[kKindColumn] = NamesOf(m->kind).japanese;
        cells[kEdgeColumn] = std::string(kEdgeNames[kMaximumEdge].japanese) + " 減光" + std::to_string(DropPercent(*m)) + "%";
    } else {
        char longitude[48];
        std::snprintf(longitude, sizeof longitude, "経度 %05.1f°", row.Spot()->results.GrsLongitude);
        cells[kBodyColumn] = kSpotNames.window;
        cells[kKindColumn] = kKindNames[kSpotKind].japanese;
        cells[kEdgeColumn] = longitude;
    }
    if (row.view) {
        // The dialog writes the altitude as it is ("-0.0°" a hair below the horizon).
        char altitude[32];
        std::snprintf(altitude, sizeof altitude, "%.1f°", row.view->altitudes.jupiterDeg);
        cells[kAltitudeColumn] = altitude;
    }
    return cells;
}

}  // namespace veltrax
