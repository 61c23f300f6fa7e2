// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file shared by the window and the companion: where it lives
// and what its Great Red Spot keys mean. Reading the file itself is left to
// each program (the window through Qt, the companion through its own reader);
// both hand the values to the one interpretation here.
#pragma once

#include "engine/site.h"
#include "results/grs.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrax {

// The group of the spot's keys and the keys themselves.
constexpr const char* kGrsGroup = "GreatRedSpot";
constexpr const char* kGrsLongitudeKey = "longitude";  // System II degrees, 0 to under 360
constexpr const char* kGrsEpochKey = "epoch";          // YYYY-MM-DD, at 0 h UT
constexpr const char* kGrsDriftKey = "drift";          // 1.5/month, 18/year, 0.05/day; absent: 0

// $XDG_CONFIG_HOME/veltrax/veltrax.conf, or $HOME/.config/veltrax/veltrax.conf
// when the variable is unset, empty or not an absolute path (the desktops'
// folder rules ignore a relative one). Empty when neither gives a
// folder. Arguments are the variables' values, null when unset.
std::string SettingsFilePath(const char* xdgConfigHome, const char* home);

// The picture's switches, each true or false (absent: off): the satellites'
// shadows, their places from the precise theory, the star diagonal's
// mirrored view, and the longitude grid on the disk.
constexpr const char* kViewGroup = "View";
constexpr const char* kShadowsKey = "shadows";
constexpr const char* kPreciseKey = "precise";
constexpr const char* kMirrorKey = "mirror";
constexpr const char* kGridKey = "grid";

// The observer's site: latitude (north positive, -90 to 90), longitude (east
// positive, -360 to 360) and height (metres, -500 to 10000; absent: 0).
constexpr const char* kSiteGroup = "Site";
constexpr const char* kSiteLatitudeKey = "latitude";
constexpr const char* kSiteLongitudeKey = "longitude";
constexpr const char* kSiteHeightKey = "height";

// One key whose value cannot be used.
struct SettingsProblem {
    std::string key;    // "longitude", "epoch", "drift"
    std::string value;  // as it stands in the file
    std::string expected;  // what the key wants, in English
    std::string group = kGrsGroup;  // the key's group
    std::string fallback = "the built-in Great Red Spot table is used";  // what is used instead
};

// The spot's model from the file's values, and every value that could not be
// used. Any problem leaves the built-in table in force.
struct GrsSettings {
    GrsModel model;
    std::vector<SettingsProblem> problems;
};

// lookup(key) gives the value of key in the group kGrsGroup, nullopt when the
// key is absent. No longitude: the built-in table, whatever else stands there.
GrsSettings ReadGrsSettings(const std::function<std::optional<std::string>(const char* key)>& lookup);

// The [View] keys. A value other than true or false is a problem and leaves
// that switch off.
struct ViewSettings {
    bool shadows = false;
    bool precise = false;
    bool mirror = false;
    bool grid = false;
    std::vector<SettingsProblem> problems;
};
ViewSettings ReadViewSettings(const std::function<std::optional<std::string>(const char* key)>& lookup);

// The [Site] keys: no site when neither latitude nor longitude is given;
// any problem leaves no site.
struct SiteSettings {
    std::optional<Site> site;
    std::vector<SettingsProblem> problems;
};
SiteSettings ReadSiteSettings(const std::function<std::optional<std::string>(const char* key)>& lookup);

// The site's three coordinates, wherever a site is typed: the settings file,
// the command line's "LAT,LON[,HEIGHT]" and the events dialog.
enum class SiteCoordinate { Latitude, Longitude, Height };

// The settings key of a coordinate ("latitude", "longitude", "height").
const char* SiteKey(SiteCoordinate c);

// What a coordinate wants, in English: its unit, its range and an example.
const char* SiteCoordinateWants(SiteCoordinate c);

// One value typed for a coordinate: a plain decimal within the coordinate's
// range, or nullopt.
std::optional<double> ParseSiteCoordinate(SiteCoordinate c, std::string_view text);

// The night plan's choices: its range (0: from 12 hours before to 36 after
// the moment shown; 7 or 30: days from it), "見える現象だけ", and where its
// window stood (x, y, width, height in pixels; absent: beside the main window).
constexpr const char* kPlanGroup = "Plan";
constexpr const char* kPlanRangeKey = "range";
constexpr const char* kPlanSeenOnlyKey = "seenOnly";
constexpr const char* kPlanGeometryKey = "geometry";
// The plan's ranges in days, in the order the dialog offers them.
inline constexpr int kPlanRangeDays[3] = {0, 7, 30};
struct PlanGeometry {
    int x, y, width, height;
};
struct PlanSettings {
    int rangeDays = 0;
    bool seenOnly = false;
    std::optional<PlanGeometry> geometry;
    std::vector<SettingsProblem> problems;
};
PlanSettings ReadPlanSettings(const std::function<std::optional<std::string>(const char* key)>& lookup);

// The three values to store for the plan.
struct PlanSettingsTexts {
    std::string range, seenOnly, geometry;  // geometry empty: not stored
};
PlanSettingsTexts PlanSettingsValues(int rangeDays, bool seenOnly, const std::optional<PlanGeometry>& geometry);

// Checks one value typed for a site key (latitude, longitude, height): the
// number, or nullopt with what the key wants (English) in expected.
std::optional<double> ParseSiteValue(const char* key, const std::string& text, std::string& expected);

// "LAT,LON[,HEIGHT]" (height 0 when left out): the site, or nullopt with one
// line (English) naming the first value that cannot be used and what it wants.
std::optional<Site> ParseSiteText(std::string_view text, std::string& why);

// The three values to store for a site.
struct SiteSettingsTexts {
    std::string latitude, longitude, height;
};
SiteSettingsTexts SiteSettingsValues(const Site& site);

// One line for standard error: the file, the group and key, the value and
// what was expected.
std::string DescribeSettingsProblem(const std::string& file, const SettingsProblem& p);

// The three values to store for an observation: the longitude and the drift
// per month as short decimal texts, the epoch as YYYY-MM-DD.
struct GrsSettingsTexts {
    std::string longitude, epoch, drift;
};
GrsSettingsTexts GrsSettingsValues(const GrsObservation& o);

// "YYYY-MM-DD" (a negative year with its sign, at least four digits).
std::string GrsEpochText(const GrsEpochDate& d);

// A number as a short decimal text: at most `decimals` decimals, no trailing
// zeros, no point for a whole number ("100", "1.5", "-0.25").
std::string ShortDecimal(double v, int decimals);

}  // namespace veltrax
