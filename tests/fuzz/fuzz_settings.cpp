// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the settings file's text, read as both programs read it
// (IniFile::Parse, then ReadSettings), checked row by row against the table
// of settings.
#include "fuzz_check.h"
#include "results/ini.h"
#include "results/settings.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

using namespace veltrax;

namespace {

bool OneLine(const std::string& s) { return s.find_first_of("\n\r") == std::string::npos; }

bool HasProblem(const Settings& s, std::string_view group, std::string_view key)
{
    return std::any_of(s.unusable.begin(), s.unusable.end(),
                       [&](const SettingsProblem& p) { return p.group == group && p.key == key; });
}

bool GroupLeads(std::string_view group, bool& given, const IniFile& ini)
{
    bool leads = false;
    for (const SettingRow& r : SettingsTable())
        if (r.group == group && r.use == SettingUse::Leads) {
            leads = true;
            given = given || ini.Value(r.group, r.key).has_value();
        }
    return leads;
}

// A value the settings hold lies in its row's declared range and reads back
// from its own text.
void CheckInRange(const SettingRow& r, const SettingValue& v)
{
    if (r.type == SettingType::Number) {
        const double x = std::get<double>(v);
        FUZZ_CHECK(std::isfinite(x) && x >= r.low && x <= r.high);
    }
    if (r.type == SettingType::Drift)
        FUZZ_CHECK(std::isfinite(std::get<double>(v)) && std::fabs(std::get<double>(v)) <= r.high);
    FUZZ_CHECK(ParseSetting(r, SettingText(r, v)).has_value());
}

// The file's value and the one held: the same, but for a longitude a hair
// below a full turn, held as 0 (the same meridian).
bool SameValue(const SettingRow& r, const SettingValue& file, const SettingValue& held)
{
    if (r.type == SettingType::Number && r.high == 360)
        return std::fabs(std::remainder(std::get<double>(file) - std::get<double>(held), 360.0)) <= 1e-6;
    return SettingText(r, file) == SettingText(r, held);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NeverThrows([&] {
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        const IniFile ini = IniFile::Parse(text);

        // A group and key added after the text are read whatever came before.
        // Two line ends: a backslash ending the text joins the first one on.
        const IniFile more = IniFile::Parse(std::string(text) + "\n\n[Fuzz]\n k = \"v\\\"\" ");
        FUZZ_CHECK(more.Value("Fuzz", "k") == std::optional<std::string>("v\""));

        // Stray lines: said in one line exactly when there are some.
        const std::optional<std::string> stray = DescribeStrayLines("veltrax.conf", ini);
        FUZZ_CHECK(stray.has_value() == (ini.StrayLineCount() > 0) && (!stray || OneLine(*stray)));

        const Settings s = ReadSettings(ini);
        for (const SettingsProblem& p : s.unusable) {
            FUZZ_CHECK(!p.key.empty() && !p.expected.empty() && !p.group.empty() && !p.fallback.empty());
            FUZZ_CHECK(OneLine(DescribeSettingsProblem("veltrax.conf", p)));
        }

        for (const SettingRow& r : SettingsTable()) {
            const std::optional<std::string> value = ini.Value(r.group, r.key);
            const std::optional<SettingValue> parsed = value ? ParseSetting(r, *value) : std::nullopt;
            const std::optional<SettingValue> held = r.get(s);
            if (held)
                CheckInRange(r, *held);
            bool given = false;
            const bool leads = GroupLeads(r.group, given, ini);
            const bool groupSound = std::none_of(s.unusable.begin(), s.unusable.end(),
                                                 [&](const SettingsProblem& p) { return p.group == r.group; });
            const bool sound = leads ? groupSound : !HasProblem(s, r.group, r.key);
            // A value given that cannot be read is reported, when its group is read.
            const bool blank = value && value->empty() && r.use == SettingUse::Optional &&
                               (r.type == SettingType::Number || r.type == SettingType::Drift);
            if (value && !parsed && !blank && (given || !leads))
                FUZZ_CHECK(HasProblem(s, r.group, r.key));
            // A group read whole holds its values exactly when nothing in it is wrong.
            if (leads && r.use != SettingUse::Optional)
                FUZZ_CHECK(held.has_value() == (given && groupSound));
            // A good value read without a problem is the value held.
            if (parsed && sound && (given || !leads))
                FUZZ_CHECK(held && SameValue(r, *parsed, *held));
        }

        // What the window writes for these settings is read back the same.
        std::string written;
        for (const SettingRow& r : SettingsTable())
            if (const std::optional<SettingValue> v = r.get(s))
                written += std::string("[") + r.group + "]\n" + r.key + "=" + SettingText(r, *v) + "\n";
        const Settings back = ReadSettings(IniFile::Parse(written));
        FUZZ_CHECK(back.unusable.empty());
        for (const SettingRow& r : SettingsTable())
            FUZZ_CHECK(SettingsTexts(back, r.group) == SettingsTexts(s, r.group));
    });
    return 0;
}
