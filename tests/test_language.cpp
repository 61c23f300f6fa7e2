// SPDX-License-Identifier: GPL-3.0-or-later
// How the language is chosen (the environment, the settings file, --lang),
// and the companion's calendar summaries in each language.
#include "results/ini.h"
#include "results/language.h"
#include "results/settings.h"
#include "support/run_ephem.h"
#include "support/settings_dir.h"
#include "window/options.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace veltrax {
namespace {

using test_support::InProcess;

TEST(Language, TheEnvironmentNamesEnglishOnlyForAnEnglishLocale)
{
    constexpr Language J = Language::Japanese, E = Language::English;
    const struct {
        const char *language, *lcAll, *lcMessages, *lang;
        Language want;
    } cases[] = {
        {nullptr, nullptr, nullptr, nullptr, J},
        {nullptr, nullptr, nullptr, "C.UTF-8", J},
        {nullptr, nullptr, nullptr, "POSIX", J},
        {nullptr, nullptr, nullptr, "ja_JP.UTF-8", J},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", J},
        {nullptr, nullptr, nullptr, "en_GB.UTF-8", E},
        {nullptr, nullptr, nullptr, "en", E},
        {"", "", "", "en_US.UTF-8", E},                   // empty is unset
        {nullptr, "en_US.UTF-8", nullptr, "ja_JP.UTF-8", E},  // LC_ALL before LANG
        {nullptr, nullptr, "ja_JP.UTF-8", "en_GB.UTF-8", J},  // LC_MESSAGES before LANG
        {"en:ja", nullptr, nullptr, "C", E},               // LANGUAGE first, its first entry
        {"ja:en", "en_GB.UTF-8", nullptr, nullptr, J},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguageFromEnvironment(c.language, c.lcAll, c.lcMessages, c.lang), c.want)
            << (c.language ? c.language : "-") << " " << (c.lcAll ? c.lcAll : "-") << " "
            << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
}

TEST(Language, TheCommandLineThenTheSettingsFileThenTheEnvironment)
{
    const struct {
        const char* file;
        std::optional<Language> fromFile;
        size_t problems;
    } files[] = {
        {"[View]\nlanguage=en\n", Language::English, 0},
        {"[View]\nlanguage=ja\n", Language::Japanese, 0},
        {"[View]\nshadows=true\n", std::nullopt, 0},
        {"[View]\nlanguage=english\n", Language::Japanese, 1},  // reported, and Japanese
    };
    for (const auto& f : files) {
        const Settings s = ReadSettings(IniFile::Parse(f.file));
        EXPECT_EQ(SettingsLanguage(s), f.fromFile) << f.file;
        EXPECT_EQ(s.unusable.size(), f.problems) << f.file;
        EXPECT_EQ(ChooseLanguage(Language::Japanese, SettingsLanguage(s), Language::English), Language::Japanese);
    }
    EXPECT_EQ(ParseWindowOptions({"--lang", "en"}).language, Language::English);
    EXPECT_EQ(ParseWindowOptions({"--lang=ja"}).language, Language::Japanese);
    for (const auto& bad : {std::vector<std::string>{"--lang"}, {"--lang", "fr"}})
        EXPECT_FALSE(ParseWindowOptions(bad).error.empty());
}

// The SUMMARY lines of a calendar.
std::string Summaries(const std::string& ics)
{
    std::istringstream in(ics);
    std::string out;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("SUMMARY:", 0) == 0)
            out += line + "\n";
    return out;
}

TEST(Language, TheCompanionsCalendarSpeaksTheChosenLanguage)
{
    test_support::SettingsDir dir;
    // The published mutual event 2O1 of 2026-09-17 (Europa occults Io).
    const test_support::Args mutual = {"mutual", "2026-09-17", "2026-09-18", "--site", "none", "--ics"};
    const auto with = [&](std::initializer_list<const char*> more) {
        test_support::Args a = mutual;
        a.insert(a.end(), more.begin(), more.end());
        const auto ran = InProcess(a);
        EXPECT_EQ(ran.status, 0) << ran.err;
        return Summaries(ran.out);
    };
    const std::string japanese = with({}), english = with({"--lang", "en"});
    ASSERT_NE(japanese.find("2O1"), std::string::npos) << japanese;
    EXPECT_NE(japanese.find("エウロパ"), std::string::npos) << japanese;
    EXPECT_NE(english.find("Europa"), std::string::npos) << english;
    for (unsigned char c : english)
        EXPECT_LT(c, 0xE3) << english;  // no kana or kanji (their UTF-8 lead bytes start at E3)
    EXPECT_EQ(with({"--lang", "ja"}), japanese);

    setenv("LANG", "en_GB.UTF-8", 1);
    EXPECT_EQ(with({}), english);
    dir.Write("[View]\nlanguage=ja\n");
    EXPECT_EQ(with({}), japanese);  // the settings file before the locale
    EXPECT_EQ(with({"--lang", "en"}), english);
    setenv("LANG", "C.UTF-8", 1);
    EXPECT_NE(InProcess({"mutual", "2026-09-17", "2026-09-18", "--ics", "--lang", "fr"}).status, 0);
}

}  // namespace
}  // namespace veltrax
