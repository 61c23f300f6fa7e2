// The settings file shared by the window and the companion: where it lives
// and what its Great Red Spot keys mean. Reading the file itself is left to
// each program (the window through Qt, the companion through its own reader);
// both hand the values to the one interpretation here.
#pragma once

#include "results/grs.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace veltrax {

// The group of the spot's keys and the keys themselves.
constexpr const char* kGrsGroup = "GreatRedSpot";
constexpr const char* kGrsLongitudeKey = "longitude";  // System II degrees, 0 to under 360
constexpr const char* kGrsEpochKey = "epoch";          // YYYY-MM-DD, at 0 h UT
constexpr const char* kGrsDriftKey = "drift";          // 1.5/month, 18/year, 0.05/day; absent: 0

// $XDG_CONFIG_HOME/veltrax/veltrax.conf, or $HOME/.config/veltrax/veltrax.conf
// when the variable is unset, empty or not an absolute path (the XDG Base
// Directory Specification ignores a relative one). Empty when neither gives a
// folder. Arguments are the variables' values, null when unset.
std::string SettingsFilePath(const char* xdgConfigHome, const char* home);

// One key whose value cannot be used.
struct SettingsProblem {
    std::string key;    // "longitude", "epoch", "drift"
    std::string value;  // as it stands in the file
    std::string expected;  // what the key wants, in English
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
