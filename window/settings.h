// SPDX-License-Identifier: GPL-3.0-or-later
// The window's settings: the settings file's values (results/settings.h)
// and what only the window knows about them. The window owns one
// WindowSettings and reads the spot's model through it; the dialogs change
// it, then the window recalculates.
#pragma once

#include "results/settings.h"
#include "window/options.h"

#include <QString>
#include <string>
#include <vector>

namespace veltrax {

struct WindowSettings : Settings {
    bool grsForThisRun = false;  // the spot set by --grs on the command line, not by the file
    QString filePath;            // the settings file, whether or not it exists
    QString fileProblem;         // the file exists but cannot be read: why
    std::string strayLines;      // the file's lines that are no setting, as said on standard error (empty: none)
};

// $XDG_CONFIG_HOME/veltrax/veltrax.conf or ~/.config/veltrax/veltrax.conf,
// the file the companion reads.
QString SettingsFilePath();

// The settings for a run: the spot from --grs when given, else from the file,
// else the built-in table. Never writes the file.
WindowSettings LoadWindowSettings(const WindowOptions& options);

// Lines for standard error, one for each problem found in the file.
std::vector<std::string> SettingsReport(const WindowSettings& s);

// Stores one group of s in the file (SettingsTexts; none: the group
// removed), keeping the file's other groups. The file is replaced whole
// through a temporary file, or left as it was. false with the reason when it
// cannot be written.
bool SaveSettingsGroup(const QString& path, const char* group, const Settings& s, QString& why);

}  // namespace veltrax
