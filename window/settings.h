// SPDX-License-Identifier: GPL-3.0-or-later
// The window's settings: the one place where the settings file is read and
// written. The window owns one WindowSettings and reads the spot's model
// through it; the dialog changes it, then the window recalculates.
#pragma once

#include "results/settings.h"
#include "window/options.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace veltrax {

struct WindowSettings {
    GrsModel grs;                // the spot's model in force
    bool grsForThisRun = false;  // set by --grs on the command line, not by the file
    QString filePath;            // the settings file, whether or not it exists
    QString fileProblem;         // the file exists but cannot be read: why
    std::vector<SettingsProblem> problems;  // the spot's values in the file that cannot be used
    bool shadows = false;        // [View] shadows: the satellites' shadows drawn
    bool precise = false;        // [View] precise: the satellites from the precise theory
    bool mirror = false;         // [View] mirror: the star diagonal's view, left and right exchanged
    bool grid = false;           // [View] grid: the longitude grid and the read-out on the disk
    std::vector<SettingsProblem> viewProblems;
    std::optional<Site> site;    // [Site]: the observer's site, when set
    std::vector<SettingsProblem> siteProblems;
    PlanSettings plan;           // [Plan]: the night plan's range, its filter and its place
};

// $XDG_CONFIG_HOME/veltrax/veltrax.conf or ~/.config/veltrax/veltrax.conf,
// the file the companion reads.
QString SettingsFilePath();

// The settings for a run: the spot from --grs when given, else from the file,
// else the built-in table. Never writes the file.
WindowSettings LoadWindowSettings(const WindowOptions& options);

// Lines for standard error, one for each problem found in the file.
std::vector<std::string> SettingsReport(const WindowSettings& s);

// Stores the spot's model in the file (the table: the spot's keys removed),
// keeping the file's other groups. The file is replaced whole through a
// temporary file, or left as it was. false with the reason when it cannot be
// written.
bool SaveGrsSettings(const QString& path, const GrsModel& grs, QString& why);

// The same for the [View] switches (all four of s) and for the site (none:
// the site's keys removed).
bool SaveViewSettings(const QString& path, const WindowSettings& s, QString& why);
bool SaveSiteSettings(const QString& path, const std::optional<Site>& site, QString& why);
bool SavePlanSettings(const QString& path, const PlanSettings& plan, QString& why);

}  // namespace veltrax
