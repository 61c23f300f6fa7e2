// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's INI reader against the settings store the window writes
// with: every file QSettings writes, and files edited by hand, read the same
// by both (QSettings is the reference), and a file of nothing but garbage is
// told apart.
#include "cli/ini.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veltrax {
namespace {

// The groups and keys the two programs use (results/settings.h).
const std::pair<const char*, const char*> kKeys[] = {
    {"GreatRedSpot", "longitude"}, {"GreatRedSpot", "epoch"}, {"GreatRedSpot", "drift"}, {"View", "shadows"},
    {"Site", "latitude"},          {"Site", "longitude"},     {"Site", "height"},
};

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

// What the window makes of a key: its text, an unquoted list joined again
// with commas (as window/settings.cpp reads it); nullopt when absent.
std::optional<std::string> QtValue(QSettings& s, const QString& key)
{
    if (!s.contains(key))
        return std::nullopt;
    const QVariant v = s.value(key);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(',')).toStdString();
    return v.toString().toStdString();
}

// Every key QSettings finds in the file (and the extra ones named) read by
// both; a key without a group is the top level ("").
void ExpectSameAsQSettings(const QString& path, const std::vector<std::pair<std::string, std::string>>& alsoAbsent = {})
{
    QSettings qt(path, QSettings::IniFormat);
    EXPECT_FALSE(qt.allKeys().isEmpty()) << "QSettings read nothing";
    const cli::IniFile ours = cli::IniFile::Parse(ReadBytes(path));
    std::vector<std::pair<std::string, std::string>> keys = alsoAbsent;
    for (const QString& k : qt.allKeys()) {
        const int slash = k.indexOf(QLatin1Char('/'));
        keys.emplace_back(slash < 0 ? std::string() : k.left(slash).toStdString(), k.mid(slash + 1).toStdString());
    }
    for (const auto& [group, key] : keys) {
        const QString qtKey = QString::fromStdString(group.empty() ? key : group + "/" + key);
        EXPECT_EQ(ours.Value(group, key), QtValue(qt, qtKey)) << "[" << group << "] " << key;
    }
}

TEST(IniAgainstQSettings, ReadsEveryValueQSettingsWrites)
{
    const char* const values[] = {
        "100",
        "100.25",
        "2026-12-01",
        "1.5/month",
        "true",
        "",
        " ",
        "  leading and trailing blanks  ",
        "\tA tab\t",
        "with spaces inside",
        "a,b",
        "a, b, c",
        ",",
        "say \"hi\"",
        "\"",
        "\"quoted\"",
        "back\\slash",
        "ends with a backslash\\",
        "C:\\Users\\obs\\",
        "a;b",
        "; not a comment",
        "# not a comment",
        "a=b",
        "=",
        "[Group]",
        "@ByteArray(x)",
        "@home",
        "@",
        "line\nbreak",
        "carriage\rreturn",
        "木星の大赤斑",
        "経度 100°, 観測日 2026-12-01",
        "Ｊｕｐｉｔｅｒ",
        "%20%41",
        "\\n is not a new line",
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
            for (const auto& [group, key] : kKeys)
                s.setValue(QString::fromLatin1(group) + QLatin1Char('/') + QString::fromLatin1(key), text);
            s.sync();
            ASSERT_EQ(s.status(), QSettings::NoError);
        }
        // QSettings reads its own value back unchanged...
        QSettings back(path, QSettings::IniFormat);
        ASSERT_EQ(QtValue(back, QStringLiteral("Site/height")), std::optional<std::string>(value)) << ReadBytes(path);
        // ...and so does ours, for every key.
        const cli::IniFile ours = cli::IniFile::Parse(ReadBytes(path));
        for (const auto& [group, key] : kKeys)
            EXPECT_EQ(ours.Value(group, key), std::optional<std::string>(value))
                << "[" << group << "] " << key << " in\n"
                << ReadBytes(path);
    }
}

TEST(IniAgainstQSettings, ReadsFilesEditedByHandAsQSettingsDoes)
{
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"no_final_newline", "[Site]\nlatitude=35.68\nlongitude=139.77"},
        {"crlf", "[GreatRedSpot]\r\nlongitude=100\r\nepoch=2026-12-01\r\ndrift=1.5/month\r\n\r\n[View]\r\nshadows=true\r\n"},
        {"crlf_no_final_newline", "[View]\r\nshadows=false"},
        {"comments_and_blank_lines",
         "; the observer's settings\n# written by hand\n\n[Site]\n\n; Tokyo\nlatitude=35.68\n  # indented\n"
         "longitude=139.77\n\n\n[View]\nshadows=true\n"},
        {"comment_after_a_value", "[Site]\nlatitude=35.68 ; degrees\nlongitude=139.77;east\nheight=40 # metres\n"},
        {"blanks_around", "  [Site]  \n  latitude  =  35.68  \n\tlongitude\t=\t139.77\t\n"},
        {"quoted_by_hand", "[GreatRedSpot]\nlongitude=\"100\"\nepoch = \"2026-12-01\" \ndrift=\"1.5\"/month\n"},
        {"quoted_with_semicolon", "[GreatRedSpot]\ndrift=\"1.5/month; measured\"\n"},
        {"unquoted_list", "[Site]\nlatitude=35, 68\nlongitude=139.77,\n"},
        {"empty_values", "[Site]\nlatitude=\nlongitude=\"\"\nheight= \n"},
        {"japanese", "[GreatRedSpot]\nlongitude=１００\nepoch=２０２６-１２-０１\n[Site]\nlatitude=北緯35.68\n"},
        {"byte_order_mark", "\xEF\xBB\xBF[View]\nshadows=true\n"},
        {"general_and_top_level", "top=1\n[General]\ngeneral=2\n[View]\nshadows=true\n"},
        {"a_key_twice", "[Site]\nlatitude=1\nlatitude=2\n"},
        {"a_group_twice", "[Site]\nlatitude=1\n[View]\nshadows=true\n[Site]\nlongitude=2\n"},
        {"lines_that_are_nothing", "[Site]\nlatitude=35.68\njust words\n=no key\nlongitude=139.77\n"},
        {"case_matters", "[site]\nLatitude=35.68\n[Site]\nlatitude=1\n"},
        {"escaped_names", "[Great%20Red%20Spot]\nlong%3Ditude=1\n[Site]\nlatitude=2\n[%55%U6728]\nk%E9%U6728=3\n"},
        {"hash_lines_with_equals", "[Site]\n# latitude=1\n  #longitude=2\nheight=3\n"},
        {"joined_lines", "[GreatRedSpot]\nlongitude=10\\\n0\nepoch=2026-\\\r\n12-01\ndrift=\"1.5/\\\nmonth\"\n"},
        {"escapes_outside_quotes", "[Site]\nlatitude=\\x33\\065.68\\q\nlongitude= \\t139.77\\t \nheight=4\\\\0\n"},
        {"old_mac_line_ends", "[Site]\rlatitude=35.68\rlongitude=139.77\r"},
        {"general_in_lower_case", "[general]\ntop=1\n[Site]\nlatitude=2\n"},
        {"typed_values", "[GreatRedSpot]\nlongitude=@String(100)\nepoch=@Invalid()\ndrift=@@1.5\n[Site]\n"
                         "latitude=@ByteArray(\\xe6\\x9c\\xa8)\nlongitude=@home\nheight=@Rect(1 2 3 4)\n"},
        {"lists_with_at", "[Site]\nlatitude=a,@@b\nlongitude=a,@b\n"},
        {"unclosed_and_spaced_groups", "[ Site ]\nlatitude=1\n[View\nshadows=true\n[Site]x]\nheight=2\n"},
        {"quoted_blanks_and_commas", "[Site]\nlatitude=\" 35.68 \"\nlongitude=\"139\" , \" 77 \"\nheight=\"a\" b \"c\" \n"},
    };
    const std::vector<std::pair<std::string, std::string>> probes = {
        {"Site", "latitude"}, {"Site", "longitude"}, {"Site", "height"}, {"View", "shadows"},
        {"GreatRedSpot", "longitude"}, {"GreatRedSpot", "epoch"}, {"GreatRedSpot", "drift"}, {"site", "Latitude"},
        {"", "top"}, {"", "general"}, {"Site", "just words"}, {"Site", ""},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        const QString path = dir.filePath(QString::fromLatin1(f.name) + QStringLiteral(".conf"));
        WriteBytes(path, f.bytes);
        ExpectSameAsQSettings(path, probes);
    }
}

TEST(IniGarbage, AFileOfNothingButGarbageIsToldApart)
{
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::pair<int, std::string>> garbage;  // the first bad line: its number (from 1) and text
    } rows[] = {
        {"binary", std::string("\x80\x81\0\xff", 4), std::make_pair(1, std::string("\x80\x81\0\xff", 4))},
        {"prose", "\nThese are my notes.\nJupiter was low.\n", std::make_pair(2, std::string("These are my notes."))},
        {"prose_crlf", "no settings here\r\n", std::make_pair(1, std::string("no settings here"))},
        {"an_empty_file", "", std::nullopt},
        {"blank_lines_only", "\n  \n\t\n", std::nullopt},
        {"comments_only", "; nothing set yet\n# none\n", std::nullopt},
        {"a_group_among_garbage", "junk\n[Site]\nmore junk\n", std::nullopt},
        {"a_key_among_garbage", "junk\nlatitude=1\n", std::nullopt},
        {"empty_key_only", "=1\n", std::make_pair(1, std::string("=1"))},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto got = cli::IniFile::Parse(r.bytes).GarbageLine();
        ASSERT_EQ(got.has_value(), r.garbage.has_value());
        if (got) {
            EXPECT_EQ(got->first, r.garbage->first);
            EXPECT_EQ(got->second, r.garbage->second);
        }
    }
}

}  // namespace
}  // namespace veltrax
