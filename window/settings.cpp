// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <cstdlib>

namespace veltrax {

QString SettingsFilePath()
{
    return QString::fromStdString(veltrax::SettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
}

WindowSettings LoadWindowSettings(const WindowOptions& options)
{
    WindowSettings s;
    s.filePath = SettingsFilePath();
    // The companion's reader: the window reads the file as the companion
    // does, and writes it through Qt's settings store, which that reader
    // reads back exactly.
    IniFile ini;
    std::string why;
    const IniRead read = s.filePath.isEmpty() ? IniRead::Missing : ReadIniFile(s.filePath.toStdString(), ini, why);
    if (read == IniRead::Unreadable)
        s.fileProblem = QStringLiteral("cannot be read");
    if (read == IniRead::Ok) {
        if (const std::optional<std::string> stray = DescribeStrayLines(s.filePath.toStdString(), ini))
            s.strayLines = *stray;
        static_cast<Settings&>(s) = ReadSettings(ini);
    }
    if (options.grs) {
        s.grs = *options.grs;
        s.grsForThisRun = true;
        s.ClearUnusable(kGrsGroup);
    }
    return s;
}

std::vector<std::string> SettingsReport(const WindowSettings& s)
{
    std::vector<std::string> lines;
    const std::string file = s.filePath.toStdString();
    if (!s.fileProblem.isEmpty())
        lines.push_back(file + ": " + s.fileProblem.toStdString() +
                        (s.grsForThisRun ? "; its settings are not used"
                                         : "; its settings are not used, and the built-in Great Red Spot table is"));
    if (!s.strayLines.empty())
        lines.push_back(s.strayLines);
    for (const SettingsProblem& p : s.unusable)
        lines.push_back(DescribeSettingsProblem(file, p));
    return lines;
}

bool SaveSettingsGroup(const QString& path, const char* group, const Settings& s, QString& why)
{
    if (path.isEmpty()) {
        why = QStringLiteral("no folder for settings (neither XDG_CONFIG_HOME nor HOME is set)");
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        why = QStringLiteral("cannot make the folder ") + QFileInfo(path).absolutePath();
        return false;
    }
    // QSettings writes an INI file through a temporary file that replaces
    // the old one by a rename (atomic sync is its default).
    QSettings file(path, QSettings::IniFormat);
    file.setAtomicSyncRequired(true);
    file.beginGroup(QString::fromLatin1(group));
    file.remove(QString());
    for (const auto& [key, value] : SettingsTexts(s, group))
        file.setValue(QString::fromLatin1(key), QString::fromStdString(value));
    file.endGroup();
    file.sync();
    // A format error only says that lines of the old file could not be
    // parsed; they are not carried over, and the new file is written all the same.
    if (file.status() == QSettings::AccessError) {
        why = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

}  // namespace veltrax
