// SPDX-License-Identifier: GPL-3.0-or-later
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
    // only the values of the keys this program uses are judged.
    QSettings file(s.filePath, QSettings::IniFormat);
    if (file.status() == QSettings::AccessError) {
        s.fileProblem = QStringLiteral("cannot be read");
        return s;
    }
    const auto lookupIn = [&file](const char* group) {
        return [&file, group](const char* key) -> std::optional<std::string> {
            const QString k = QString::fromLatin1(group) + QLatin1Char('/') + QString::fromLatin1(key);
            if (!file.contains(k))
                return std::nullopt;
            const QVariant v = file.value(k);
            // An unquoted comma makes a list; the value is then unusable either way.
            if (v.typeId() == QMetaType::QStringList)
                return v.toStringList().join(QLatin1Char(',')).toStdString();
            return v.toString().toStdString();
        };
    };
    if (!options.grs) {
        const GrsSettings read = ReadGrsSettings(lookupIn(kGrsGroup));
        s.grs = read.model;
        s.problems = read.problems;
    }
    const ViewSettings view = ReadViewSettings(lookupIn(kViewGroup));
    s.shadows = view.shadows;
    s.precise = view.precise;
    s.mirror = view.mirror;
    s.grid = view.grid;
    s.viewProblems = view.problems;
    const SiteSettings site = ReadSiteSettings(lookupIn(kSiteGroup));
    s.site = site.site;
    s.siteProblems = site.problems;
    s.plan = ReadPlanSettings(lookupIn(kPlanGroup));
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
    for (const auto* list : {&s.problems, &s.viewProblems, &s.siteProblems, &s.plan.problems})
        for (const SettingsProblem& p : *list)
            lines.push_back(DescribeSettingsProblem(file, p));
    return lines;
}

namespace {

// Replaces the keys of one group by `values` (none: the group removed),
// keeping the file's other groups.
bool SaveGroup(const QString& path, const char* group, const std::vector<std::pair<const char*, std::string>>& values,
               QString& why)
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
    for (const auto& [key, value] : values)
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

}  // namespace

bool SaveGrsSettings(const QString& path, const GrsModel& grs, QString& why)
{
    std::vector<std::pair<const char*, std::string>> values;
    if (grs.observation) {
        const GrsSettingsTexts t = GrsSettingsValues(*grs.observation);
        values = {{kGrsLongitudeKey, t.longitude}, {kGrsEpochKey, t.epoch}, {kGrsDriftKey, t.drift}};
    }
    return SaveGroup(path, kGrsGroup, values, why);
}

bool SaveViewSettings(const QString& path, const WindowSettings& s, QString& why)
{
    const auto text = [](bool on) { return std::string(on ? "true" : "false"); };
    return SaveGroup(path, kViewGroup,
                     {{kShadowsKey, text(s.shadows)}, {kPreciseKey, text(s.precise)}, {kMirrorKey, text(s.mirror)},
                      {kGridKey, text(s.grid)}},
                     why);
}

bool SavePlanSettings(const QString& path, const PlanSettings& plan, QString& why)
{
    const PlanSettingsTexts t = PlanSettingsValues(plan.rangeDays, plan.seenOnly, plan.geometry);
    std::vector<std::pair<const char*, std::string>> values = {{kPlanRangeKey, t.range},
                                                              {kPlanSeenOnlyKey, t.seenOnly}};
    if (!t.geometry.empty())
        values.emplace_back(kPlanGeometryKey, t.geometry);
    return SaveGroup(path, kPlanGroup, values, why);
}

bool SaveSiteSettings(const QString& path, const std::optional<Site>& site, QString& why)
{
    std::vector<std::pair<const char*, std::string>> values;
    if (site) {
        const SiteSettingsTexts t = SiteSettingsValues(*site);
        values = {{kSiteLatitudeKey, t.latitude}, {kSiteLongitudeKey, t.longitude}, {kSiteHeightKey, t.height}};
    }
    return SaveGroup(path, kSiteGroup, values, why);
}

}  // namespace veltrax
