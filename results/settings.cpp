// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/settings.h"

#include <algorithm>

#include <cmath>
#include <cstdlib>
#include <cstdio>

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

GrsSettings ReadGrsSettings(const std::function<std::optional<std::string>(const char* key)>& lookup)
{
    GrsSettings s;
    const std::optional<std::string> lon = lookup(kGrsLongitudeKey);
    if (!lon)
        return s;
    const std::optional<std::string> epoch = lookup(kGrsEpochKey);
    const std::optional<std::string> drift = lookup(kGrsDriftKey);

    const std::optional<double> l = ParseGrsDecimal(*lon);
    if (!l || !IsGrsLongitudeInTurn(*l))
        s.problems.push_back({kGrsLongitudeKey, *lon, "System II degrees from 0 up to 360, such as 100 or 57.5"});
    const std::optional<GrsEpochDate> e = epoch ? ParseGrsEpochDate(*epoch) : std::nullopt;
    if (!e)
        s.problems.push_back({kGrsEpochKey, epoch.value_or(""),
                              epoch ? "a real date as YYYY-MM-DD, such as 2026-12-01"
                                    : "a date as YYYY-MM-DD beside the longitude; the key is missing"});
    std::optional<double> d = 0.0;
    if (drift && !drift->empty()) {
        d = ParseGrsDriftDegPerDay(*drift);
        if (!d)
            s.problems.push_back({kGrsDriftKey, *drift,
                                  "degrees per month, year or day, at most 10 a day: 1.5/month, 18/year, 0.05/day"});
    }
    if (s.problems.empty())
        s.model.observation = MakeGrsObservation(*l, *e, *d);
    return s;
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

ViewSettings ReadViewSettings(const std::function<std::optional<std::string>(const char* key)>& lookup)
{
    ViewSettings s;
    const struct {
        const char* key;
        bool ViewSettings::*on;
        const char* fallback;
    } switches[] = {
        {kShadowsKey, &ViewSettings::shadows, "the shadows are not drawn"},
        {kPreciseKey, &ViewSettings::precise, "the satellites are drawn from the window's own theory"},
        {kMirrorKey, &ViewSettings::mirror, "the view is not mirrored"},
        {kGridKey, &ViewSettings::grid, "the longitude grid is not drawn"},
    };
    for (const auto& sw : switches) {
        const std::optional<std::string> v = lookup(sw.key);
        if (!v || *v == "false")
            continue;
        if (*v == "true")
            s.*sw.on = true;
        else
            s.problems.push_back({sw.key, *v, "true or false", kViewGroup, sw.fallback});
    }
    return s;
}

const char* SiteKey(SiteCoordinate c)
{
    switch (c) {
    case SiteCoordinate::Latitude: return kSiteLatitudeKey;
    case SiteCoordinate::Longitude: return kSiteLongitudeKey;
    case SiteCoordinate::Height: break;
    }
    return kSiteHeightKey;
}

const char* SiteCoordinateWants(SiteCoordinate c)
{
    switch (c) {
    case SiteCoordinate::Latitude: return "degrees from -90 to 90, north positive, such as 35.68";
    case SiteCoordinate::Longitude: return "degrees from -360 to 360, east positive, such as 139.77";
    case SiteCoordinate::Height: break;
    }
    return "metres from -500 to 10000, such as 40";
}

std::optional<double> ParseSiteCoordinate(SiteCoordinate c, std::string_view text)
{
    const double low = c == SiteCoordinate::Latitude    ? -kMaxSiteLatitudeDeg
                       : c == SiteCoordinate::Longitude ? -kMaxSiteLongitudeDeg
                                                        : kMinSiteHeightM;
    const double high = c == SiteCoordinate::Latitude    ? kMaxSiteLatitudeDeg
                        : c == SiteCoordinate::Longitude ? kMaxSiteLongitudeDeg
                                                         : kMaxSiteHeightM;
    const std::optional<double> v = ParseGrsDecimal(text);
    if (v && *v >= low && *v <= high)
        return v;
    return std::nullopt;
}

std::optional<double> ParseSiteValue(const char* key, const std::string& text, std::string& expected)
{
    const std::string k = key;
    const SiteCoordinate c = k == kSiteLatitudeKey    ? SiteCoordinate::Latitude
                             : k == kSiteLongitudeKey ? SiteCoordinate::Longitude
                                                      : SiteCoordinate::Height;
    const std::optional<double> v = ParseSiteCoordinate(c, text);
    if (!v)
        expected = SiteCoordinateWants(c);
    return v;
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

SiteSettings ReadSiteSettings(const std::function<std::optional<std::string>(const char* key)>& lookup)
{
    SiteSettings s;
    const std::optional<std::string> lat = lookup(kSiteLatitudeKey);
    const std::optional<std::string> lon = lookup(kSiteLongitudeKey);
    const std::optional<std::string> height = lookup(kSiteHeightKey);
    if (!lat && !lon)
        return s;
    const char* fallback = "no site is used";
    double v[3] = {0, 0, 0};
    const struct {
        const char* key;
        const std::optional<std::string>& text;
        bool required;
    } keys[] = {{kSiteLatitudeKey, lat, true}, {kSiteLongitudeKey, lon, true}, {kSiteHeightKey, height, false}};
    for (int i = 0; i < 3; ++i) {
        const auto& k = keys[i];
        if (!k.text || (!k.required && k.text->empty())) {
            if (k.required)
                s.problems.push_back({k.key, "", std::string("a value beside the other coordinate; the key is missing"),
                                      kSiteGroup, fallback});
            continue;
        }
        std::string expected;
        const std::optional<double> x = ParseSiteValue(k.key, *k.text, expected);
        if (x)
            v[i] = *x;
        else
            s.problems.push_back({k.key, *k.text, expected, kSiteGroup, fallback});
    }
    if (s.problems.empty())
        s.site = Site{v[0], v[1], v[2]};
    return s;
}

PlanSettings ReadPlanSettings(const std::function<std::optional<std::string>(const char* key)>& lookup)
{
    PlanSettings s;
    const char* fallback = "the plan opens with its first choices";
    if (const auto range = lookup(kPlanRangeKey)) {
        const auto& days = kPlanRangeDays;
        const auto known = std::find_if(std::begin(days), std::end(days),
                                        [&](int d) { return *range == std::to_string(d); });
        if (known != std::end(days))
            s.rangeDays = *known;
        else
            s.problems.push_back({kPlanRangeKey, *range,
                                  std::to_string(days[0]) + ", " + std::to_string(days[1]) + " or " +
                                      std::to_string(days[2]) + " (days)",
                                  kPlanGroup, fallback});
    }
    if (const auto seen = lookup(kPlanSeenOnlyKey)) {
        if (*seen == "true" || *seen == "false")
            s.seenOnly = *seen == "true";
        else
            s.problems.push_back({kPlanSeenOnlyKey, *seen, "true or false", kPlanGroup, fallback});
    }
    if (const auto g = lookup(kPlanGeometryKey)) {
        int v[4] = {0, 0, 0, 0};
        char end = 0;
        const int n = std::sscanf(g->c_str(), "%d,%d,%d,%d%c", &v[0], &v[1], &v[2], &v[3], &end);
        if (n == 4 && v[2] > 0 && v[3] > 0 && v[2] <= 100000 && v[3] <= 100000 && std::abs(v[0]) <= 100000 &&
            std::abs(v[1]) <= 100000)
            s.geometry = PlanGeometry{v[0], v[1], v[2], v[3]};
        else
            s.problems.push_back({kPlanGeometryKey, *g, "x,y,width,height in pixels", kPlanGroup, fallback});
    }
    return s;
}

PlanSettingsTexts PlanSettingsValues(int rangeDays, bool seenOnly, const std::optional<PlanGeometry>& geometry)
{
    PlanSettingsTexts t{std::to_string(rangeDays), seenOnly ? "true" : "false", ""};
    if (geometry)
        t.geometry = std::to_string(geometry->x) + "," + std::to_string(geometry->y) + "," +
                     std::to_string(geometry->width) + "," + std::to_string(geometry->height);
    return t;
}

SiteSettingsTexts SiteSettingsValues(const Site& site)
{
    return {ShortDecimal(site.latitudeDeg, 6), ShortDecimal(site.longitudeDeg, 6), ShortDecimal(site.heightM, 1)};
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

std::string GrsEpochText(const GrsEpochDate& d)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%04d-%02d-%02d", d.year < 0 ? "-" : "", d.year < 0 ? -d.year : d.year,
                  d.month, d.day);
    return buf;
}

GrsSettingsTexts GrsSettingsValues(const GrsObservation& o)
{
    GrsSettingsTexts t;
    t.longitude = ShortDecimal(o.longitudeDeg, 6);
    // A longitude a hair below a full turn rounds to "360", which the reader
    // refuses: it is the same meridian as 0.
    if (t.longitude == "360")
        t.longitude = "0";
    t.epoch = GrsEpochText(o.epoch);
    t.drift = ShortDecimal(o.driftDegPerDay * kDaysPerDriftMonth, 6) + "/month";
    return t;
}

}  // namespace veltrax
