// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax-ephem night DATE [--site LAT,LON[,H]] [--csv | --json]: the night's
// timetable at a site (engine/night.h) and the plan's rows while Jupiter can
// be watched, as text, CSV or one JSON object.
#pragma once

#include "engine/site.h"
#include "results/grs.h"

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace veltrax {
namespace cli {

// The command's word: the first argument that is neither an option nor the
// value of --site or --step ("" when there is none).
std::string CommandWord(const std::vector<std::string>& args);

// The arguments after the command's word: the positional ones in order, the
// options' values (--site V or --site=V) and the flags given. error: one line
// on an unknown option, a repeated one or one without its value.
struct CommandArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::string error;
};
CommandArgs ReadCommandArgs(const std::vector<std::string>& args, const std::set<std::string>& valued,
                            const std::set<std::string>& flags);

// What the night takes from the settings file: its [Site] (asked for only
// when no --site is given) and the observer's Great Red Spot longitude (none:
// the built-in table), from which the night's spot transits come.
struct NightSettings {
    std::optional<Site> site;
    GrsModel grs;
};

// Runs `night` when it is the command's word (nullopt otherwise, and with
// --help or --version, which the companion answers itself). settings(wantSite)
// reads the settings file once, its site only when wantSite.
std::optional<int> RunNightCommand(const std::vector<std::string>& args,
                                   const std::function<NightSettings(bool wantSite)>& settings, std::ostream& out,
                                   std::ostream& err);

}  // namespace cli
}  // namespace veltrax
