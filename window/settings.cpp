#include "window/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
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
    if (options.grs) {
        s.grs = *options.grs;
        s.grsForThisRun = true;
        return s;
    }
    const QFileInfo info(s.filePath);
    if (s.filePath.isEmpty() || !info.exists())
        return s;
    if (!info.isFile() || !info.isReadable()) {
        s.fileProblem = QStringLiteral("cannot be read");
        return s;
    }
    // Read only: a QSettings that changes nothing never writes the file.
    // Lines it cannot parse are passed over, as the companion passes them over;
    // only the values of the spot's keys are judged.
    QSettings file(s.filePath, QSettings::IniFormat);
    if (file.status() == QSettings::AccessError) {
        s.fileProblem = QStringLiteral("cannot be read");
        return s;
    }
    file.beginGroup(QString::fromLatin1(kGrsGroup));
    const GrsSettings read = ReadGrsSettings([&](const char* key) -> std::optional<std::string> {
        const QString k = QString::fromLatin1(key);
        if (!file.contains(k))
            return std::nullopt;
        const QVariant v = file.value(k);
        // An unquoted comma makes a list; the value is then unusable either way.
        if (v.typeId() == QMetaType::QStringList)
            return v.toStringList().join(QLatin1Char(',')).toStdString();
        return v.toString().toStdString();
    });
    s.grs = read.model;
    s.problems = read.problems;
    return s;
}

std::vector<std::string> SettingsReport(const WindowSettings& s)
{
    std::vector<std::string> lines;
    const std::string file = s.filePath.toStdString();
    if (!s.fileProblem.isEmpty())
        lines.push_back(file + ": " + s.fileProblem.toStdString() + "; the built-in Great Red Spot table is used");
    for (const SettingsProblem& p : s.problems)
        lines.push_back(DescribeSettingsProblem(file, p));
    return lines;
}

bool SaveGrsSettings(const QString& path, const GrsModel& grs, QString& why)
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
    file.beginGroup(QString::fromLatin1(kGrsGroup));
    file.remove(QString());
    if (grs.observation) {
        const GrsSettingsTexts t = GrsSettingsValues(*grs.observation);
        file.setValue(QString::fromLatin1(kGrsLongitudeKey), QString::fromStdString(t.longitude));
        file.setValue(QString::fromLatin1(kGrsEpochKey), QString::fromStdString(t.epoch));
        file.setValue(QString::fromLatin1(kGrsDriftKey), QString::fromStdString(t.drift));
    }
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
