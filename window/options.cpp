#include "window/options.h"

#ifndef VELTRAX_VERSION
#define VELTRAX_VERSION "unknown"
#endif

namespace veltrax {

WindowOptions ParseWindowOptions(const std::vector<std::string>& args)
{
    WindowOptions o;
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
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
           "and its satellites, in a window (Japanese).\n"
           "\n"
           "usage: veltrax [OPTION]...\n"
           "\n"
           "options:\n"
           "  -h, --help   print this help and exit\n"
           "  --version    print the version and exit\n"
           "\n"
           "The window needs a display. The command-line companion veltrax-ephem prints\n"
           "the same numbers without one.\n";
}

std::string WindowVersionText()
{
    return std::string("veltrax ") + VELTRAX_VERSION + "\n";
}

}  // namespace veltrax
