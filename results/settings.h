// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file shared by the window and the companion: where it lives,
// the one table that declares each of its settings, and what comes from that
// table: the values read from the file (both programs read it through
// results/ini.h), the texts the window stores, the messages about values that
// cannot be used and the checks of values typed in the dialogs.
#pragma once

#include "engine/site.h"
#include "results/grs.h"
#include "results/language.h"
#include "results/ini.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace veltrax {

// $XDG_CONFIG_HOME/veltrax/veltrax.conf, or $HOME/.config/veltrax/veltrax.conf
// when the variable is unset, empty or not an absolute path (the desktops'
// folder rules ignore a relative one). Empty when neither gives a
// folder. Arguments are the variables' values, null when unset.
std::string SettingsFilePath(const char* xdgConfigHome, const char* home);

// The file's groups.
constexpr const char* kGrsGroup = "GreatRedSpot";  // the observer's spot
constexpr const char* kViewGroup = "View";         // the picture's switches
constexpr const char* kSiteGroup = "Site";         // the observer's site
constexpr const char* kPlanGroup = "Plan";         // the night plan's choices

// The picture's switches: the satellites' shadows, their places from the
// precise theory, the star diagonal's mirrored view, the longitude grid.
struct ViewSwitches {
    bool shadows = false;
    bool precise = false;
    bool mirror = false;
    bool grid = false;
    bool operator==(const ViewSwitches& o) const
    {
        return shadows == o.shadows && precise == o.precise && mirror == o.mirror && grid == o.grid;
    }
    bool operator!=(const ViewSwitches& o) const { return !(*this == o); }
};

// The night plan's choices: its range (0: from 12 hours before to 36 after
// the moment shown; 7 or 30: days from it), "見える現象だけ", and where its
// window stood (x, y, width, height in pixels; none: beside the main window).
// The plan's ranges in days, in the order the dialog offers them.
inline constexpr int kPlanRangeDays[3] = {0, 7, 30};
struct PlanGeometry {
    int x, y, width, height;
};
struct PlanSettings {
    int rangeDays = 0;
    bool seenOnly = false;
    std::optional<PlanGeometry> geometry;
};

// One value of the file that cannot be used.
struct SettingsProblem {
    std::string key;       // "longitude", "epoch", "drift"
    std::string value;     // as it stands in the file ("" for a missing key)
    std::string expected;  // what the key wants, in English
    std::string group;     // the key's group
    std::string fallback;  // what is used instead
};

// Every setting's value, as read from the file or as the window changed it.
struct Settings {
    GrsModel grs;              // [GreatRedSpot]: the observer's spot, or the built-in table
    ViewSwitches view;         // [View]
    std::optional<Site> site;  // [Site]: the observer's site, when set
    PlanSettings plan;         // [Plan]
    std::optional<Language> language;  // [View] language: none, the environment's
    // The values of the file that cannot be used, in the table's order.
    std::vector<SettingsProblem> unusable;

    std::vector<SettingsProblem> UnusableIn(std::string_view group) const;
    void ClearUnusable(std::string_view group);
};

// ---- The table of settings ----

// What a setting holds, each kind read and written one way.
enum class SettingType {
    Switch,    // "true" or "false"
    Choice,    // one of the texts of `choices`, separated by "|"
    Number,    // a plain decimal (ParseGrsDecimal) from low to high, written with `decimals` decimals
    Date,      // YYYY-MM-DD on the one calendar (ParseGrsEpochDate)
    Drift,     // "1.5/month", "18/year" or "0.05/day": degrees a day, at most `high` either way
    Geometry,  // "x,y,width,height" in pixels: x and y at most `high` either way, width and height 1 to `high`
};

// How a key stands in its group.
enum class SettingUse {
    // Absent, it has its default (`defaultText`; none: the value stays
    // unset). An empty Number or Drift counts as absent.
    Optional,
    // The group is read only when one of its leading keys is given; then each
    // leading key is needed too. Any problem in such a group leaves the whole
    // group unset (the spot's table, no site).
    Leads,
    // Needed once its group is read.
    Needed,
};

// Switch: bool; Choice: its text; Number and Drift (degrees a day): double;
// Date: GrsEpochDate; Geometry: PlanGeometry.
using SettingValue = std::variant<bool, double, std::string, GrsEpochDate, PlanGeometry>;

struct SettingRow {
    const char* group;
    const char* key;
    SettingType type;
    SettingUse use;
    double low, high;         // Number: the range; Drift and Geometry: the limit `high`
    int decimals;             // Number: decimals written at most
    const char* choices;      // Choice: the texts allowed
    const char* defaultText;  // Optional: the value when absent (nullptr: none)
    const char* wants;        // a bad value: what the key wants, in English
    const char* missing;      // a missing Leads or Needed key: what the message says
    const char* fallback;     // what a bad value leaves in force
    // The value into the settings, and back out of them for writing
    // (nullopt: the key is not stored).
    void (*set)(Settings&, const SettingValue&);
    std::optional<SettingValue> (*get)(const Settings&);
};

// Every setting, group by group in the file's order. Adding a setting is one
// row here (and the field it sets).
const std::vector<SettingRow>& SettingsTable();

// The row of group and key; a Fault when there is none (a program error).
const SettingRow& Setting(std::string_view group, std::string_view key);

// One text read as the row's type, or nullopt when it cannot be used.
std::optional<SettingValue> ParseSetting(const SettingRow& row, std::string_view text);

// Whether a number lies in the row's range (Number rows).
bool InSettingRange(const SettingRow& row, double v);

// The text stored for a value of the row's type.
std::string SettingText(const SettingRow& row, const SettingValue& v);

// The values of a settings file: defaults for what is absent, and every value
// that cannot be used in `unusable`. Stray lines are not judged here
// (DescribeStrayLines).
Settings ReadSettings(const IniFile& file);

// The keys and texts to store for one group, in the table's order; none:
// the group is removed.
std::vector<std::pair<const char*, std::string>> SettingsTexts(const Settings& s, std::string_view group);

// The language the settings file chooses: its [View] language, Japanese when
// that cannot be used, none when the file leaves it to the environment.
std::optional<Language> SettingsLanguage(const Settings& s);

// One line for standard error: the file, the group and key, the value and
// what was expected.
std::string DescribeSettingsProblem(const std::string& file, const SettingsProblem& p);

// One line for standard error about the file's stray lines (IniFile), or
// nullopt when it has none: the first one's number and text, and how many
// more there are. A file of nothing but stray lines is no settings file and
// is ignored.
std::optional<std::string> DescribeStrayLines(const std::string& file, const IniFile& ini);

// ---- The observer's spot, in the forms it is typed ----

// "LON@DATE[,DRIFT]" (--grs in both programs): the three [GreatRedSpot]
// values in one text, DRIFT left out for none. nullopt with a one-line
// reason (English) otherwise.
std::optional<GrsObservation> ParseGrsSpec(std::string_view text, std::string& why);

// The three texts stored for an observation: the longitude and the drift
// per month as short decimals, the epoch as YYYY-MM-DD.
struct GrsSettingsTexts {
    std::string longitude, epoch, drift;
};
GrsSettingsTexts GrsSettingsValues(const GrsObservation& o);

// "YYYY-MM-DD" (a negative year with its sign, at least four digits).
std::string GrsEpochText(const GrsEpochDate& d);

// A number as a short decimal text: at most `decimals` decimals, no trailing
// zeros, no point for a whole number ("100", "1.5", "-0.25").
std::string ShortDecimal(double v, int decimals);

// ---- The observer's site, wherever it is typed ----

// The site's three coordinates: the settings file, the command line's
// "LAT,LON[,HEIGHT]" and the events dialog.
enum class SiteCoordinate { Latitude, Longitude, Height };

// The settings key of a coordinate ("latitude", "longitude", "height").
const char* SiteKey(SiteCoordinate c);

// What a coordinate wants, in English: its unit, its range and an example.
const char* SiteCoordinateWants(SiteCoordinate c);

// One value typed for a coordinate: a plain decimal within the coordinate's
// range, or nullopt.
std::optional<double> ParseSiteCoordinate(SiteCoordinate c, std::string_view text);

// "LAT,LON[,HEIGHT]" (height 0 when left out): the site, or nullopt with one
// line (English) naming the first value that cannot be used and what it wants.
std::optional<Site> ParseSiteText(std::string_view text, std::string& why);

// The three texts stored for a site.
struct SiteSettingsTexts {
    std::string latitude, longitude, height;
};
SiteSettingsTexts SiteSettingsValues(const Site& site);

}  // namespace veltrax
