// SPDX-License-Identifier: GPL-3.0-or-later
// The window writes the settings file through QSettings and both programs
// read it with our INI reader: every value QSettings writes is read back
// exactly, and the files the window wrote before read the same and are
// written again byte for byte.
#include "results/ini.h"
#include "window/settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace veltrax {
namespace {

std::string ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST(IniAgainstQSettings, ReadsEveryValueQSettingsWrites)
{
    const char* const values[] = {
        "100", "100.25", "2026-12-01", "1.5/month", "true", "", " ", "  leading and trailing blanks  ", "\tA tab\t",
        "with spaces inside", "a,b", "a, b, c", ",", "say \"hi\"", "\"", "\"quoted\"", "back\\slash",
        "ends with a backslash\\", "C:\\Users\\obs\\", "a;b", "; not a comment", "# not a comment", "a=b", "=",
        "[Group]", "@ByteArray(x)", "@home", "@", "line\nbreak", "carriage\rreturn", "木星の大赤斑",
        "経度 100°, 観測日 2026-12-01", "Ｊｕｐｉｔｅｒ", "%20%41", "\\n is not a new line",
        "mixed \"quotes\", commas; semicolons = and \\ all",
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int n = 0;
    for (const char* value : values) {
        SCOPED_TRACE(std::string("value <") + value + ">");
        const QString path = dir.filePath(QStringLiteral("written%1.conf").arg(n++));
        const QString text = QString::fromUtf8(value);
        {
            QSettings s(path, QSettings::IniFormat);
            for (const SettingRow& r : SettingsTable())
                s.setValue(QString::fromLatin1(r.group) + QLatin1Char('/') + QString::fromLatin1(r.key), text);
            s.sync();
            ASSERT_EQ(s.status(), QSettings::NoError);
        }
        const IniFile ours = IniFile::Parse(ReadBytes(path));
        EXPECT_EQ(ours.StrayLineCount(), 0);
        for (const SettingRow& r : SettingsTable())
            EXPECT_EQ(ours.Value(r.group, r.key), std::optional<std::string>(value))
                << "[" << r.group << "] " << r.key << " in\n"
                << ReadBytes(path);
    }
}

// Files as the window wrote them before its settings were one table: its own
// saves, group by group, of the values below. They read back as those values
// (as the texts stored for them) and are written again byte for byte.
TEST(SettingsFiles, WrittenBeforeReadTheSameAndAreWrittenAgainAlike)
{
    const struct {
        const char* name;
        std::string bytes;
        std::string otherGroups;  // kept by every save
        std::vector<const char*> saved;
        GrsObservation spot;
        ViewSwitches view;
        Site site;
        PlanSettings plan;
    } files[] = {
        {"tokyo_all_groups",
         "[GreatRedSpot]\ndrift=1.5/month\nepoch=2026-12-01\nlongitude=100\n\n[Plan]\ngeometry=\"120,80,640,480\"\n"
         "range=7\nseenOnly=true\n\n[Site]\nheight=40\nlatitude=35.68\nlongitude=139.77\n\n[View]\ngrid=false\n"
         "mirror=true\nprecise=false\nshadows=true\n",
         "", {kGrsGroup, kViewGroup, kSiteGroup, kPlanGroup}, MakeGrsObservation(100, {2026, 12, 1}, 1.5 / 30.4375),
         {true, false, true, false}, {35.68, 139.77, 40}, {7, true, PlanGeometry{120, 80, 640, 480}}},
        {"sydney_westward_drift",
         "[GreatRedSpot]\ndrift=-0.8/month\nepoch=2024-02-29\nlongitude=57.5\n\n[Plan]\nrange=30\nseenOnly=false\n\n"
         "[Site]\nheight=58.5\nlatitude=-33.8688\nlongitude=151.2093\n\n[View]\ngrid=true\nmirror=false\n"
         "precise=true\nshadows=false\n",
         "", {kPlanGroup, kSiteGroup, kGrsGroup, kViewGroup}, MakeGrsObservation(57.5, {2024, 2, 29}, -0.8 / 30.4375),
         {false, true, false, true}, {-33.8688, 151.2093, 58.5}, {30, false, std::nullopt}},
        // A longitude a hair below 360 is stored as 0; the site's longitude
        // with 6 decimals, its height with 1; a group of the user's own kept.
        {"turn_and_rounding",
         "[GreatRedSpot]\ndrift=0/month\nepoch=-0044-03-15\nlongitude=0\n\n[Observer]\nname=Tokyo\n\n[Plan]\n"
         "range=0\nseenOnly=false\n\n[Site]\nheight=-12.3\nlatitude=0\nlongitude=-0.123457\n",
         "[Observer]\nname=Tokyo\n", {kGrsGroup, kSiteGroup, kPlanGroup},
         MakeGrsObservation(359.99999999, {-44, 3, 15}, 0), {}, {0, -0.1234567, -12.34}, {}},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        Settings made;
        made.grs.observation = f.spot;
        made.view = f.view;
        made.site = f.site;
        made.plan = f.plan;
        const QString path = dir.filePath(QString::fromLatin1(f.name) + QStringLiteral(".conf"));
        WriteBytes(path, f.otherGroups);
        for (const char* group : f.saved) {
            QString why;
            EXPECT_TRUE(SaveSettingsGroup(path, group, made, why)) << why.toStdString();
        }
        EXPECT_EQ(ReadBytes(path), f.bytes);

        const Settings read = ReadSettings(IniFile::Parse(f.bytes));
        EXPECT_TRUE(read.unusable.empty());
        for (const char* group : f.saved)
            EXPECT_EQ(SettingsTexts(read, group), SettingsTexts(made, group)) << group;
    }
}

}  // namespace
}  // namespace veltrax
