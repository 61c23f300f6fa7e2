// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/settings.h"

#include "engine/checked.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace veltrax {

std::string SettingsFilePath(const char* xdgConfigHome, const char* home)
{
    std::string base;
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        base = xdgConfigHome;
    else if (home && home[0] == '/')
        base = std::string(home) + "/.config";
    else
        return std::string();
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    if (base == "/")
        base.clear();
    return base + "/veltrax/veltrax.conf";
}

std::vector<SettingsProblem> Settings::UnusableIn(std::string_view group) const
{
    std::vector<SettingsProblem> in;
    for (const SettingsProblem& p : unusable)
        if (p.group == group)
            in.push_back(p);
    return in;
}

void Settings::ClearUnusable(std::string_view group)
{
    unusable.erase(std::remove_if(unusable.begin(), unusable.end(),
                                  [&](const SettingsProblem& p) { return p.group == group; }),
                   unusable.end());
}

namespace {

using Value = std::optional<SettingValue>;

// The rows' setters and getters. The spot's observation is remade whenever
// one of its values is set (its epoch's Julian Day follows); the site is made
// when first set. Without them, their keys are not stored.
template <class V, V GrsObservation::*F>
void SetSpot(Settings& s, const SettingValue& v)
{
    GrsObservation o = s.grs.observation.value_or(GrsObservation{});
    o.*F = std::get<V>(v);
    s.grs.observation = MakeGrsObservation(o.longitudeDeg, o.epoch, o.driftDegPerDay);
}

template <class V, V GrsObservation::*F>
Value SpotValue(const Settings& s)
{
    return s.grs.observation ? Value((*s.grs.observation).*F) : std::nullopt;
}

// A longitude a hair below a full turn would be stored as "360": it is stored
// as 0, the same meridian.
Value StoredSpotLongitude(const Settings& s)
{
    const Value v = SpotValue<double, &GrsObservation::longitudeDeg>(s);
    return v && ShortDecimal(std::get<double>(*v), 6) == "360" ? Value(0.0) : v;
}

template <double Site::*F>
void SetSite(Settings& s, const SettingValue& v)
{
    if (!s.site)
        s.site = Site{0, 0, 0};
    (*s.site).*F = std::get<double>(v);
}

template <double Site::*F>
Value SiteValue(const Settings& s)
{
    return s.site ? Value((*s.site).*F) : std::nullopt;
}

constexpr const char* kGrsFallback = "the built-in Great Red Spot table is used";
constexpr const char* kSiteFallback = "no site is used";
constexpr const char* kPlanFallback = "the plan opens with its first choices";
constexpr const char* kBeside = "a value beside the other coordinate; the key is missing";
constexpr double kMaxPlanPixels = 100000;

using T = SettingType;
using U = SettingUse;

// A switch of the picture, the view's field F.
template <bool ViewSwitches::*F>
SettingRow ViewSwitch(const char* key, const char* fallback)
{
    return {kViewGroup, key, T::Switch, U::Optional, 0, 0, 0, nullptr, "false", "true or false", nullptr, fallback,
            [](Settings& s, const SettingValue& v) { s.view.*F = std::get<bool>(v); },
            [](const Settings& s) -> Value { return s.view.*F; }};
}

// The plan's ranges as the file writes them ("0|7|30") and as a message
// names them ("0, 7 or 30 (days)").
const std::string& PlanRangeText(bool message)
{
    const auto d = [](int i) { return std::to_string(kPlanRangeDays[i]); };
    static const std::string choices = d(0) + "|" + d(1) + "|" + d(2);
    static const std::string wants = d(0) + ", " + d(1) + " or " + d(2) + " (days)";
    return message ? wants : choices;
}

// The table, made on first use (whatever the order of static initialisation).
const std::vector<SettingRow>& Table()
{
    static const std::vector<SettingRow> rows = {
        // [GreatRedSpot]: without a longitude, the built-in table, whatever else stands there.
        {kGrsGroup, "longitude", T::Number, U::Leads, -360, 360, 6, nullptr, nullptr,
         "System II degrees from -360 to 360, such as 100 or 57.5", nullptr, kGrsFallback,
         SetSpot<double, &GrsObservation::longitudeDeg>, StoredSpotLongitude},
        {kGrsGroup, "epoch", T::Date, U::Needed, 0, 0, 0, nullptr, nullptr,
         "a real date as YYYY-MM-DD, such as 2026-12-01",
         "a date as YYYY-MM-DD beside the longitude; the key is missing", kGrsFallback,
         SetSpot<GrsEpochDate, &GrsObservation::epoch>, SpotValue<GrsEpochDate, &GrsObservation::epoch>},
        {kGrsGroup, "drift", T::Drift, U::Optional, 0, kMaxGrsDriftDegPerDay, 6, nullptr, "0/month",
         "degrees per month, year or day, at most 10 a day: 1.5/month, 18/year, 0.05/day", nullptr, kGrsFallback,
         SetSpot<double, &GrsObservation::driftDegPerDay>, SpotValue<double, &GrsObservation::driftDegPerDay>},

        // [View]: each switch on its own; absent, off.
        ViewSwitch<&ViewSwitches::shadows>("shadows", "the shadows are not drawn"),
        ViewSwitch<&ViewSwitches::precise>("precise", "the satellites are drawn from the window's own theory"),
        ViewSwitch<&ViewSwitches::mirror>("mirror", "the view is not mirrored"),
        ViewSwitch<&ViewSwitches::grid>("grid", "the longitude grid is not drawn"),
        // Absent, the environment's language.
        {kViewGroup, "language", T::Choice, U::Optional, 0, 0, 0, "ja|en", nullptr, "ja or en", nullptr,
         "the window is in Japanese",
         [](Settings& s, const SettingValue& v) { s.language = ParseLanguage(std::get<std::string>(v)); },
         [](const Settings& s) -> Value {
             if (!s.language)
                 return std::nullopt;
             return std::string(LanguageCode(*s.language));
         }},

        // [Site]: no site unless a latitude or a longitude is given.
        {kSiteGroup, "latitude", T::Number, U::Leads, -kMaxSiteLatitudeDeg, kMaxSiteLatitudeDeg, 6, nullptr, nullptr,
         "degrees from -90 to 90, north positive, such as 35.68", kBeside, kSiteFallback, SetSite<&Site::latitudeDeg>,
         SiteValue<&Site::latitudeDeg>},
        {kSiteGroup, "longitude", T::Number, U::Leads, -kMaxSiteLongitudeDeg, kMaxSiteLongitudeDeg, 6, nullptr, nullptr,
         "degrees from -360 to 360, east positive, such as 139.77", kBeside, kSiteFallback,
         SetSite<&Site::longitudeDeg>, SiteValue<&Site::longitudeDeg>},
        {kSiteGroup, "height", T::Number, U::Optional, kMinSiteHeightM, kMaxSiteHeightM, 1, nullptr, "0",
         "metres from -500 to 10000, such as 40", nullptr, kSiteFallback, SetSite<&Site::heightM>,
         SiteValue<&Site::heightM>},

        // [Plan]: each choice on its own; absent, the plan's first choices.
        {kPlanGroup, "range", T::Choice, U::Optional, 0, 0, 0, PlanRangeText(false).c_str(), "0",
         PlanRangeText(true).c_str(), nullptr,
         kPlanFallback,
         [](Settings& s, const SettingValue& v) { s.plan.rangeDays = std::atoi(std::get<std::string>(v).c_str()); },
         [](const Settings& s) -> Value { return std::to_string(s.plan.rangeDays); }},
        {kPlanGroup, "seenOnly", T::Switch, U::Optional, 0, 0, 0, nullptr, "false", "true or false", nullptr,
         kPlanFallback, [](Settings& s, const SettingValue& v) { s.plan.seenOnly = std::get<bool>(v); },
         [](const Settings& s) -> Value { return s.plan.seenOnly; }},
        {kPlanGroup, "geometry", T::Geometry, U::Optional, 0, kMaxPlanPixels, 0, nullptr, nullptr,
         "x,y,width,height in pixels", nullptr, kPlanFallback,
         [](Settings& s, const SettingValue& v) { s.plan.geometry = std::get<PlanGeometry>(v); },
         [](const Settings& s) -> Value {
             if (!s.plan.geometry)
                 return std::nullopt;
             return *s.plan.geometry;
         }},
    };
    return rows;
}

// An int as the geometry's parts are written: optional blanks and sign, digits.
std::optional<int> ParseInt(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size())
        return std::nullopt;
    return v;
}

std::optional<PlanGeometry> ParseGeometry(std::string_view text, double limit)
{
    int v[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const size_t comma = i < 3 ? text.find(',') : std::string_view::npos;
        if (i < 3 && comma == std::string_view::npos)
            return std::nullopt;
        const std::optional<int> n = ParseInt(text.substr(0, comma));
        if (!n)
            return std::nullopt;
        v[i] = *n;
        text = i < 3 ? text.substr(comma + 1) : std::string_view();
    }
    const auto within = [limit](int n) { return std::abs(static_cast<double>(n)) <= limit; };
    if (!within(v[0]) || !within(v[1]) || v[2] <= 0 || v[3] <= 0 || !within(v[2]) || !within(v[3]))
        return std::nullopt;
    return PlanGeometry{v[0], v[1], v[2], v[3]};
}

bool IsChoice(const char* choices, std::string_view text)
{
    std::string_view rest = choices ? choices : "";
    for (;;) {
        const size_t bar = rest.find('|');
        if (rest.substr(0, bar) == text)
            return true;
        if (bar == std::string_view::npos)
            return false;
        rest.remove_prefix(bar + 1);
    }
}

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool AbsentOrBlank(const SettingRow& row, const std::optional<std::string>& text)
{
    return !text || (row.use == U::Optional && text->empty() && (row.type == T::Number || row.type == T::Drift));
}

}  // namespace

const std::vector<SettingRow>& SettingsTable() { return Table(); }

const SettingRow& Setting(std::string_view group, std::string_view key)
{
    for (const SettingRow& r : Table())
        if (r.group == group && r.key == key)
            return r;
    throw Fault("no setting [" + std::string(group) + "] " + std::string(key));
}

bool InSettingRange(const SettingRow& row, double v) { return v >= row.low && v <= row.high; }

std::optional<SettingValue> ParseSetting(const SettingRow& row, std::string_view text)
{
    switch (row.type) {
    case T::Switch:
        if (text == "true" || text == "false")
            return SettingValue(text == "true");
        return std::nullopt;
    case T::Choice:
        if (IsChoice(row.choices, text))
            return SettingValue(std::string(text));
        return std::nullopt;
    case T::Number:
        if (const std::optional<double> v = ParseGrsDecimal(text); v && InSettingRange(row, *v))
            return SettingValue(*v);
        return std::nullopt;
    case T::Date:
        if (const std::optional<GrsEpochDate> d = ParseGrsEpochDate(text))
            return SettingValue(*d);
        return std::nullopt;
    case T::Drift:
        if (const std::optional<double> d = ParseGrsDriftDegPerDay(text); d && std::fabs(*d) <= row.high)
            return SettingValue(*d);
        return std::nullopt;
    case T::Geometry:
        if (const std::optional<PlanGeometry> g = ParseGeometry(text, row.high))
            return SettingValue(*g);
        return std::nullopt;
    }
    return std::nullopt;
}

std::string SettingText(const SettingRow& row, const SettingValue& v)
{
    switch (row.type) {
    case T::Switch: return std::get<bool>(v) ? "true" : "false";
    case T::Choice: return std::get<std::string>(v);
    case T::Number: return ShortDecimal(std::get<double>(v), row.decimals);
    case T::Date: return GrsEpochText(std::get<GrsEpochDate>(v));
    case T::Drift: return ShortDecimal(std::get<double>(v) * kDaysPerDriftMonth, row.decimals) + "/month";
    case T::Geometry: {
        const PlanGeometry& g = std::get<PlanGeometry>(v);
        return std::to_string(g.x) + "," + std::to_string(g.y) + "," + std::to_string(g.width) + "," +
               std::to_string(g.height);
    }
    }
    return {};
}

Settings ReadSettings(const IniFile& file)
{
    Settings s;
    const std::vector<SettingRow>& table = Table();
    for (auto first = table.begin(); first != table.end();) {
        const std::string_view group = first->group;
        const auto end = std::find_if(first, table.end(), [&](const SettingRow& r) { return r.group != group; });
        // A group with leading keys is read only when one of them is given,
        // and then as a whole: into a copy, kept only when nothing is wrong.
        bool whole = false, led = false;
        for (auto r = first; r != end; ++r) {
            if (r->use == U::Leads) {
                whole = true;
                led = led || file.Value(group, r->key).has_value();
            }
        }
        Settings read = s;
        std::vector<SettingsProblem> problems;
        for (auto r = first; (led || !whole) && r != end; ++r) {
            const std::optional<std::string> text = file.Value(group, r->key);
            std::optional<SettingValue> v;
            if (AbsentOrBlank(*r, text)) {
                if (r->use != U::Optional)
                    problems.push_back({r->key, "", r->missing ? r->missing : r->wants, r->group, r->fallback});
            } else if (!(v = ParseSetting(*r, *text))) {
                problems.push_back({r->key, *text, r->wants, r->group, r->fallback});
            }
            if (!v && r->use == U::Optional && r->defaultText)
                v = ParseSetting(*r, r->defaultText);
            if (v)
                r->set(read, *v);
        }
        if (!whole || problems.empty())
            s = read;
        s.unusable.insert(s.unusable.end(), problems.begin(), problems.end());
        first = end;
    }
    return s;
}

std::vector<std::pair<const char*, std::string>> SettingsTexts(const Settings& s, std::string_view group)
{
    std::vector<std::pair<const char*, std::string>> texts;
    for (const SettingRow& r : Table())
        if (r.group == group)
            if (const std::optional<SettingValue> v = r.get(s))
                texts.emplace_back(r.key, SettingText(r, *v));
    return texts;
}

std::optional<Language> SettingsLanguage(const Settings& s)
{
    for (const SettingsProblem& p : s.unusable)
        if (p.group == kViewGroup && p.key == "language")
            return Language::Japanese;
    return s.language;
}

std::string DescribeSettingsProblem(const std::string& file, const SettingsProblem& p)
{
    // Control bytes of a damaged file are shown as \xHH, so the line stays one line.
    std::string value;
    for (unsigned char c : p.value) {
        if (c < 0x20 || c == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            value += hex;
        } else {
            value.push_back(static_cast<char>(c));
        }
    }
    return file + ": [" + p.group + "] " + p.key + " = \"" + value + "\" cannot be used (want " + p.expected +
           "); " + p.fallback;
}

std::optional<std::string> DescribeStrayLines(const std::string& file, const IniFile& ini)
{
    const auto& first = ini.FirstStrayLine();
    if (!first)
        return std::nullopt;
    // Control bytes as "?", so the line stays one line.
    std::string text;
    for (unsigned char c : first->second)
        text += c < 0x20 || c == 0x7f ? '?' : static_cast<char>(c);
    const std::string line = "line " + std::to_string(first->first) + ": \"" + text + "\"";
    const char* neither = " is neither a [group], a key=value nor a comment";
    if (ini.OnlyStrayLines())
        return file + ": not a settings file (" + line + neither + "); it is ignored";
    std::string said = file + ": " + line + neither + "; it is passed over";
    if (const int more = ini.StrayLineCount() - 1; more > 0)
        said += " (and " + std::to_string(more) + (more == 1 ? " more such line)" : " more such lines)");
    return said;
}

std::optional<GrsObservation> ParseGrsSpec(std::string_view text, std::string& why)
{
    const size_t at = text.find('@');
    if (at == std::string_view::npos) {
        why = "want LON@DATE[,DRIFT] (for example 68@2025-01-01,1.75/month), not " + Quoted(text);
        return std::nullopt;
    }
    const std::string_view lonText = text.substr(0, at);
    std::string_view dateText = text.substr(at + 1);
    std::string_view driftText;
    const size_t comma = dateText.find(',');
    const bool hasDrift = comma != std::string_view::npos;
    if (hasDrift) {
        driftText = dateText.substr(comma + 1);
        dateText = dateText.substr(0, comma);
    }
    const auto lon = ParseGrsDecimal(lonText);
    const SettingRow& lonRow = Setting(kGrsGroup, "longitude");
    if (!lon) {
        why = "cannot read the longitude " + Quoted(lonText) + " (want degrees, such as 68 or 67.5)";
        return std::nullopt;
    }
    if (!InSettingRange(lonRow, *lon)) {
        why = "the longitude " + std::string(lonText) + " lies beyond -360 to 360 degrees";
        return std::nullopt;
    }
    const auto date = ParseSetting(Setting(kGrsGroup, "epoch"), dateText);
    if (!date) {
        why = "cannot read the date " + Quoted(dateText) + " (want a real date as YYYY-MM-DD)";
        return std::nullopt;
    }
    double perDay = 0;
    if (hasDrift) {
        const auto d = ParseSetting(Setting(kGrsGroup, "drift"), driftText);
        if (!d) {
            why = "cannot read the drift " + Quoted(driftText) +
                  " (want degrees per month, year or day, at most 10 a day: 1.75/month, 21/year, 0.06/day)";
            return std::nullopt;
        }
        perDay = std::get<double>(*d);
    }
    return MakeGrsObservation(*lon, std::get<GrsEpochDate>(*date), perDay);
}


GrsSettingsTexts GrsSettingsValues(const GrsObservation& o)
{
    Settings s;
    s.grs.observation = o;
    const auto text = [&s](const char* key) {
        const SettingRow& r = Setting(kGrsGroup, key);
        return SettingText(r, *r.get(s));
    };
    return {text("longitude"), text("epoch"), text("drift")};
}

std::string GrsEpochText(const GrsEpochDate& d)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%04d-%02d-%02d", d.year < 0 ? "-" : "", d.year < 0 ? -d.year : d.year,
                  d.month, d.day);
    return buf;
}

std::string ShortDecimal(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return s;
}

const char* SiteKey(SiteCoordinate c)
{
    switch (c) {
    case SiteCoordinate::Latitude: return "latitude";
    case SiteCoordinate::Longitude: return "longitude";
    case SiteCoordinate::Height: break;
    }
    return "height";
}

const char* SiteCoordinateWants(SiteCoordinate c) { return Setting(kSiteGroup, SiteKey(c)).wants; }

std::optional<double> ParseSiteCoordinate(SiteCoordinate c, std::string_view text)
{
    if (const std::optional<SettingValue> v = ParseSetting(Setting(kSiteGroup, SiteKey(c)), text))
        return std::get<double>(*v);
    return std::nullopt;
}

std::optional<Site> ParseSiteText(std::string_view text, std::string& why)
{
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (parts.size() != 2 && parts.size() != 3) {
        why = "want LAT,LON[,HEIGHT] in degrees and metres (for example 35.68,139.77,40), not '" + std::string(text) +
              "'";
        return std::nullopt;
    }
    double v[3] = {0, 0, 0};
    const SiteCoordinate order[3] = {SiteCoordinate::Latitude, SiteCoordinate::Longitude, SiteCoordinate::Height};
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::optional<double> x = ParseSiteCoordinate(order[i], parts[i]);
        if (!x) {
            why = std::string("the ") + SiteKey(order[i]) + " '" + std::string(parts[i]) + "' cannot be used (want " +
                  SiteCoordinateWants(order[i]) + ")";
            return std::nullopt;
        }
        v[i] = *x;
    }
    return Site{v[0], v[1], v[2]};
}

SiteSettingsTexts SiteSettingsValues(const Site& site)
{
    Settings s;
    s.site = site;
    const auto text = [&s](const char* key) {
        const SettingRow& r = Setting(kSiteGroup, key);
        return SettingText(r, *r.get(s));
    };
    return {text("latitude"), text("longitude"), text("height")};
}

}  // namespace veltrax
