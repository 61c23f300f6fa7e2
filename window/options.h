// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's command line, read before any Qt object exists so that
// --help and --version work without a display.
#pragma once

#include "results/grs.h"
#include "results/language.h"

#include <optional>
#include <string>
#include <vector>

namespace veltrax {

struct WindowOptions {
    bool help = false;
    bool version = false;
    // --grs LON@DATE[,DRIFT] or --grs table: the spot's model for this run,
    // in place of the settings file's.
    std::optional<GrsModel> grs;
    // --lang ja or --lang en: the window's language, whatever the settings
    // file and the environment say.
    std::optional<Language> language;
    std::string error;  // non-empty: the command line cannot be used; says why
};

// args: the arguments after the program's name.
WindowOptions ParseWindowOptions(const std::vector<std::string>& args);

// The text --help prints (English, for the terminal and the manual page).
std::string WindowHelpText();

// "veltrax VERSION", the build's version.
std::string WindowVersionText();

}  // namespace veltrax
