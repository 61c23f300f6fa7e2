// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/options.h"

#include "results/settings.h"

#ifndef VELTRAX_VERSION
#define VELTRAX_VERSION "unknown"
#endif

namespace veltrax {

WindowOptions ParseWindowOptions(const std::vector<std::string>& args)
{
    WindowOptions o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--grs" || a.compare(0, 6, "--grs=") == 0) {
            std::string value;
            if (a.size() > 5) {
                value = a.substr(6);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                o.error = "--grs wants LON@DATE[,DRIFT] or table (see veltrax --help)";
                return o;
            }
            if (value == "table") {
                o.grs = GrsModel{};
                continue;
            }
            std::string why;
            std::optional<GrsObservation> observed = ParseGrsSpec(value, why);
            if (!observed) {
                o.error = "--grs: " + why;
                return o;
            }
            o.grs = GrsModel{observed};
        } else if (a == "--lang" || a.compare(0, 7, "--lang=") == 0) {
            const bool joined = a.size() > 6;
            if (!joined && i + 1 >= args.size()) {
                o.error = "--lang wants ja or en";
                return o;
            }
            const std::string value = joined ? a.substr(7) : args[++i];
            o.language = ParseLanguage(value);
            if (!o.language) {
                o.error = "--lang wants ja or en, not '" + value + "'";
                return o;
            }
        } else {
            o.error = "unknown argument '" + a + "' (see veltrax --help)";
            return o;
        }
    }
    return o;
}

std::string WindowHelpText()
{
    return "veltrax: Jupiter's central meridians, the Great Red Spot and the Galilean\n"
           "satellites for a moment in Japan Standard Time, with a picture of the planet\n"
           "and its satellites, in a window (in Japanese or English).\n"
           "\n"
           "usage: veltrax [OPTION]...\n"
           "\n"
           "options:\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "  --grs LON@DATE[,DRIFT]\n"
           "               for this run, the Great Red Spot at System II longitude LON\n"
           "               (degrees) on DATE (YYYY-MM-DD, 0 h UT), drifting DRIFT\n"
           "               degrees a month, a year or a day (1.5/month, 18/year,\n"
           "               0.05/day; no drift when left out):\n"
           "               --grs 100@2026-12-01,1.5/month\n"
           "  --grs table  for this run, the built-in table of spot longitudes\n"
           "  --lang ja|en the window in Japanese or in English\n"
           "\n"
           "The window's language comes from the first of these that is given:\n"
           "  1. --lang on the command line;\n"
           "  2. language=ja or language=en in the [View] group of the settings file,\n"
           "     which the background menu's two language items write;\n"
           "  3. the environment's interface language (LANGUAGE, LC_ALL, LC_MESSAGES,\n"
           "     LANG, the first that is set): English for an English locale such as\n"
           "     en_GB.UTF-8, Japanese for every other, C and POSIX included.\n"
           "\n"
           "The Great Red Spot's longitude comes from the first of these that is given:\n"
           "  1. --grs on the command line (the settings file is left as it is);\n"
           "  2. the settings file $XDG_CONFIG_HOME/veltrax/veltrax.conf\n"
           "     (~/.config/veltrax/veltrax.conf when XDG_CONFIG_HOME is unset),\n"
           "     which the window's dialog writes (Ctrl+G, or a right click beside the\n"
           "     picture) and veltrax-ephem reads too;\n"
           "  3. the built-in table, which ends in 2021 and is extrapolated after it.\n"
           "\n"
           "The window needs a display. The command-line companion veltrax-ephem prints\n"
           "the same numbers without one.\n";
}

std::string WindowVersionText()
{
    return std::string("veltrax ") + VELTRAX_VERSION + "\n";
}

}  // namespace veltrax
