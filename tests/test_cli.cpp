// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax-ephem, in process through RunEphem and end to end through the
// program: the label texts, the JSON, the exit statuses.
#include "cli/ephem.h"
#include "engine/engine.h"
#include "results/numtext.h"
#include "results/recalc.h"
#include "support/mini_json.h"
#include "support/run_ephem.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InChildProcess;
using test_support::InProcess;
using test_support::Ran;

enum class Via { Library, Program };

std::vector<std::string> Lines(const std::string& s)
{
    std::vector<std::string> lines;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

Args FieldArgs(const FieldTexts& f, bool json = false)
{
    Args a;
    if (json)
        a.push_back("--json");
    a.insert(a.end(), {"--fields", f.Nen, f.tuki, f.Hi, f.Jikoku, f.Hun, f.Byo});
    return a;
}

// What the window would compute for these fields.
Results Library(const FieldTexts& f)
{
    const RecalcOutcome o = Recalculate(f, WindowMonthDays(*FieldWhole(f.Nen)), GrsTable::Standard());
    if (!o.ok()) {
        ADD_FAILURE() << "cycle ended at " << FieldName(o.endedAt) << ": " << o.why;
        return Results{};
    }
    return *o.results;
}

class Ephem : public testing::TestWithParam<Via> {
protected:
    Ran Run(const Args& args) const { return GetParam() == Via::Library ? InProcess(args) : InChildProcess(args); }
};

const FieldTexts kOpposition{"2021", "8", "20", "12", "0", "0"};

TEST_P(Ephem, FieldsPrintTheTwoLabels)
{
    const Ran r = Run(FieldArgs(kOpposition));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 6u) << r.out;
    EXPECT_EQ(lines[0], "世界時（ＵＴ） 2021年 8月 20日　03時00分00秒");
    const Results lib = Library(kOpposition);
    EXPECT_EQ(lines[1], "ﾕﾘｳｽ日(力学時) " + FormatText15(lib.CurrentJDE, "#######0.00000"));
    const std::string jde = lines[1].substr(std::string("ﾕﾘｳｽ日(力学時) ").size());
    EXPECT_EQ(jde.find('.'), jde.size() - 6) << "five decimals wanted: " << jde;
    std::string labels = lib.result + "\r" + lib.Taikei + "\r";
    for (char& c : labels)
        if (c == '\r')
            c = '\n';
    EXPECT_EQ(r.out, labels);
}

TEST_P(Ephem, DateAndTimeEqualTheFields)
{
    const struct {
        const char* name;
        Args moment;
        FieldTexts fields;
    } rows[] = {
        {"minutes", {"2021-08-20", "12:00"}, kOpposition},
        {"seconds", {"2021-08-20", "12:00:30"}, {"2021", "8", "20", "12", "0", "30"}},
        {"fraction_of_second", {"2021-08-20", "12:00:59.5"}, {"2021", "8", "20", "12", "0", "59.5"}},
        {"negative_year", {"-0044-03-15", "12:00"}, {"-44", "3", "15", "12", "0", "0"}},
        {"json", {"--json", "2024-03-01", "08:59"}, {"2024", "3", "1", "8", "59", "0"}},
        {"bare_date_is_midnight", {"2026-01-01"}, {"2026", "1", "1", "0", "0", "0"}},
        // 2000 is a leap year by the 400-year rule; 12:00 UT is 21:00 JST.
        {"utc_leap_day_2000", {"--utc", "2000-02-29", "12:00"}, {"2000", "2", "29", "21", "0", "0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Ran a = Run(row.moment);
        const Ran b = Run(FieldArgs(row.fields, row.moment[0] == "--json"));
        EXPECT_EQ(a.status, 0) << a.err;
        EXPECT_EQ(a.out, b.out);
        EXPECT_FALSE(a.out.empty());
    }
}

TEST_P(Ephem, ExitStatusesAndMessages)
{
    const struct {
        const char* name;
        Args args;
        int status;
        const char* errHas;  // a word the one-line message holds
    } rows[] = {
        {"month_13", {"--fields", "2026", "13", "1", "0", "0", "0"}, kExitCycleEnds, "month"},
        {"day_32", {"--fields", "2026", "1", "32", "0", "0", "0"}, kExitCycleEnds, "day"},
        {"second_not_a_number", {"--fields", "2021", "8", "20", "12", "0", "x"}, kExitCycleEnds, "second"},
        {"json_cycle_ends", {"--json", "--fields", "2021", "8", "20", "24", "0", "0"}, kExitCycleEnds, "hour"},
        {"no_arguments", {}, kExitUsage, "usage"},
        {"date_without_day", {"2021-8", "12:00"}, kExitUsage, "usage"},
        {"time_without_minutes", {"2021-08-20", "12"}, kExitUsage, "usage"},
        {"unknown_option", {"--frobnicate"}, kExitUsage, "usage"},
        {"fields_with_five_texts", {"--fields", "2021", "8", "20", "12", "0"}, kExitUsage, "usage"},
        {"fields_with_seven_texts", {"--fields", "2021", "8", "20", "12", "0", "0", "0"}, kExitUsage, "usage"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Ran r = Run(row.args);
        EXPECT_EQ(r.status, row.status) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(row.errHas), std::string::npos) << r.err;
        if (row.status == kExitCycleEnds) {
            EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        }
    }
}

TEST_P(Ephem, HelpAndUnusualButValidFields)
{
    const Ran help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* word : {"--fields", "--json", "64", "Japan Standard Time"})
        EXPECT_NE(help.out.find(word), std::string::npos) << "help lacks " << word;

    const Ran odd = Run({"--fields", "2026", "3", "1", "-3", "0", "75"});
    EXPECT_EQ(odd.status, 0) << odd.err;
    EXPECT_EQ(Lines(odd.out).at(0), "世界時（ＵＴ） 2026年 2月 28日　12時00分75秒");
}

// --version prints one line, the program's name and a dotted version number,
// wherever it stands; the packaging test checks the number against the
// package's own.
TEST_P(Ephem, VersionIsOneLine)
{
    for (const Args& args : {Args{"--version"}, Args{"--json", "--version"}, Args{"--version", "--no-such"}}) {
        const Ran r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_TRUE(std::regex_match(r.out, std::regex("veltrax-ephem [0-9]+(\\.[0-9]+)+\n"))) << r.out;
    }
    EXPECT_NE(Run({"--help"}).out.find("--version"), std::string::npos);
}

// The JSON holds exactly the library's values and the geometry the view draws.
TEST_P(Ephem, JsonIsTheLibrarysValues)
{
    const FieldTexts moments[] = {kOpposition,
                                  {"2021", "11", "1", "4", "48", "10"},
                                  {"-1", "1", "1", "5", "0", "0"},
                                  {"8500", "12", "31", "23", "59", "59"},
                                  {"1976", "6", "15", "12", "0", "0"}};
    for (const FieldTexts& f : moments) {
        SCOPED_TRACE(f.Nen + "-" + f.tuki + "-" + f.Hi);
        const Ran r = Run(FieldArgs(f, true));
        ASSERT_EQ(r.status, 0) << r.err;
        minijson::Value doc;
        ASSERT_NO_THROW(doc = minijson::Parse(r.out)) << r.out;
        EXPECT_EQ(doc.object.size(), 15u);
        EXPECT_EQ(doc["GrsSource"].Str(), "table");  // no settings file, no --grs

        const Results lib = Library(f);
        EXPECT_EQ(doc["result"].Str(), lib.result);
        EXPECT_EQ(doc["Taikei"].Str(), lib.Taikei);
        const std::pair<const char*, double> numbers[] = {
            {"CurrentJDE", lib.CurrentJDE}, {"CM1", lib.CM1Whole}, {"CM2", lib.CM2Whole},
            {"CM3", lib.CM3Whole},          {"CM1cc", lib.CM1},    {"CM2cc", lib.CM2},
            {"CM3cc", lib.CM3},             {"GrsLongitude", lib.GrsLongitude},
            {"JupArgJ", lib.JupArgJ},       {"PhaseCorr", lib.PhaseCorr}};
        for (const auto& [key, wanted] : numbers)
            EXPECT_EQ(doc[key].Num(), wanted) << key;

        const double d = lib.CurrentJDE - 2415020;
        const JupiterAspect a = CalcAspect(d);
        const minijson::Value& ja = doc["aspect"];
        EXPECT_EQ(ja.object.size(), 6u);
        EXPECT_EQ(ja["EqCenter"].Num(), a.EqCenter);
        EXPECT_EQ(ja["EarthSunDist"].Num(), a.EarthSunDist);
        EXPECT_EQ(ja["JupSunDist"].Num(), a.JupSunDist);
        EXPECT_EQ(ja["EarthJupDist"].Num(), a.EarthJupDist);
        EXPECT_EQ(ja["PhaseAngle"].Num(), a.PhaseAngle);
        EXPECT_EQ(ja["EarthDecl"].Num(), a.EarthDecl);

        const MoonPositions m = CalcMoons(d, a);
        const minijson::Value& jm = doc["moons"];
        EXPECT_EQ(jm.object.size(), 3u);
        const std::pair<const char*, const double*> arrays[] = {{"X", m.X}, {"Y", m.Y}, {"U", m.U}};
        for (const auto& [key, wanted] : arrays) {
            ASSERT_EQ(jm[key].array.size(), 4u) << key;
            for (size_t i = 0; i < 4; ++i)
                EXPECT_EQ(jm[key][i].Num(), wanted[i]) << key << "[" << i << "]";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, Ephem, testing::Values(Via::Library, Via::Program),
                         [](const testing::TestParamInfo<Via>& i) {
                             return i.param == Via::Library ? "in_process" : "program";
                         });

// The reader the JSON checks rely on.
TEST(MiniJson, StringsNumbersAndMistakes)
{
    const minijson::Value v = minijson::Parse(
        R"({"s": "a\r\"\u00e9\u4e16\ud83d\ude00", "n": [0.1, -2.5e-3, 2459446.6258898703, 1e300], "t": true, "z": null})");
    EXPECT_EQ(v["s"].Str(), "a\r\"é世😀");
    EXPECT_EQ(v["n"][0].Num(), 0.1);
    EXPECT_EQ(v["n"][1].Num(), -2.5e-3);
    EXPECT_EQ(v["n"][2].Num(), 2459446.6258898703);
    EXPECT_EQ(v["n"][3].Num(), 1e300);
    EXPECT_TRUE(v["t"].boolean);
    EXPECT_EQ(v["z"].kind, minijson::Value::Kind::Null);
    for (const char* bad : {"", "{", "[1,]", "{\"a\" 1}", "01", "1.", "\"\\ud83d\"", "\"\\x\"", "[1] 2", "\"a\nb\""})
        EXPECT_THROW(minijson::Parse(bad), std::runtime_error) << bad;
}

}  // namespace
}  // namespace veltrax
