// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax: the window program.
#include "platform/fonts.h"
#include "window/main_window.h"
#include "window/options.h"
#include "window/translation.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const veltrax::WindowOptions options = veltrax::ParseWindowOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty()) {
        std::fprintf(stderr, "veltrax: %s\n", options.error.c_str());
        return 64;
    }
    if (options.help || options.version) {
        const std::string text = options.help ? veltrax::WindowHelpText() : veltrax::WindowVersionText();
        std::fputs(text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 74;
    }
#if defined(Q_OS_LINUX)
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "veltrax: no display (DISPLAY is not set); start it from a desktop session.\n");
        return 1;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrax"));
    // The icon of the desktop entry, built in; drawing it needs Qt's SVG icon
    // engine (Debian libqt6svg6). The desktop file name ties the window to the
    // installed entry (named by the AppStream id) where the desktop asks for
    // it (Wayland).
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/veltrax.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.veltrax"));

    veltrax::platform::InstallFontSubstitutes();

    // The settings: what cannot be used is said once here; the dialog shows it too.
    veltrax::WindowSettings settings = veltrax::LoadWindowSettings(options);
    for (const std::string& line : veltrax::SettingsReport(settings))
        std::fprintf(stderr, "veltrax: %s\n", line.c_str());
    // The language before the first control is made, so that each is made in it.
    veltrax::UseLanguage(veltrax::ChooseLanguage(options.language, veltrax::SettingsLanguage(settings),
                                                 veltrax::EnvironmentLanguage()));
    veltrax::MainWindow w;
    w.SetSettings(std::move(settings));
    try {
        w.StartUp();
    } catch (const std::exception&) {
        // start-up reads only constants and the clock; a fault leaves what it set
    }
    w.show();
    return app.exec();
}
