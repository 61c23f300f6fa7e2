// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the settings file's text, read as the companion reads it
// (IniFile::Parse), then its [GreatRedSpot], [Site] and [View] groups
// (ReadGrsSettings, ReadSiteSettings, ReadViewSettings).
#include "cli/ini.h"
#include "fuzz_check.h"
#include "results/settings.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace veltrax;

namespace {

using Lookup = std::function<std::optional<std::string>(const char* key)>;

Lookup In(const cli::IniFile& ini, const char* group)
{
    return [&ini, group](const char* key) { return ini.Value(group, key); };
}

Lookup In(const std::map<std::string, std::string>& values)
{
    return [&values](const char* key) -> std::optional<std::string> {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
}

void CheckProblems(const std::vector<SettingsProblem>& problems)
{
    for (const SettingsProblem& p : problems) {
        FUZZ_CHECK(!p.key.empty() && !p.expected.empty() && !p.group.empty() && !p.fallback.empty());
        // One line for standard error, whatever bytes the value holds.
        const std::string line = DescribeSettingsProblem("veltrax.conf", p);
        FUZZ_CHECK(line.find_first_of("\n\r") == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NeverThrows([&] {
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        const cli::IniFile ini = cli::IniFile::Parse(text);

        // A group and key added after the text are read whatever came before.
        // Two line ends: a backslash ending the text joins the first one on.
        const cli::IniFile more = cli::IniFile::Parse(std::string(text) + "\n\n[Fuzz]\n k = \"v\\\"\" ");
        FUZZ_CHECK(more.Value("Fuzz", "k") == std::optional<std::string>("v\""));

        // [GreatRedSpot]: an observation exactly when there is a longitude and no problem.
        const GrsSettings g = ReadGrsSettings(In(ini, kGrsGroup));
        CheckProblems(g.problems);
        FUZZ_CHECK(g.model.observation.has_value() ==
                   (ini.Value(kGrsGroup, kGrsLongitudeKey).has_value() && g.problems.empty()));
        if (const auto& o = g.model.observation) {
            FUZZ_CHECK(IsGrsLongitudeInTurn(o->longitudeDeg));
            FUZZ_CHECK(std::isfinite(o->driftDegPerDay) && std::fabs(o->driftDegPerDay) <= kMaxGrsDriftDegPerDay);
            FUZZ_CHECK(std::isfinite(o->observed.epochJde));
            // What the window writes back for it is read again as the same
            // observation (a longitude a hair below 360 comes back as 0, the
            // same meridian: corpus/settings/near_turn).
            const GrsSettingsTexts t = GrsSettingsValues(*o);
            {
                const std::map<std::string, std::string> written = {
                    {kGrsLongitudeKey, t.longitude}, {kGrsEpochKey, t.epoch}, {kGrsDriftKey, t.drift}};
                const GrsSettings back = ReadGrsSettings(In(written));
                FUZZ_CHECK(back.problems.empty() && back.model.observation);
                const GrsObservation& b = *back.model.observation;
                FUZZ_CHECK(std::fabs(std::remainder(b.longitudeDeg - o->longitudeDeg, 360.0)) <= 1e-6);
                FUZZ_CHECK(b.epoch.year == o->epoch.year && b.epoch.month == o->epoch.month &&
                           b.epoch.day == o->epoch.day);
                FUZZ_CHECK(std::fabs(b.driftDegPerDay - o->driftDegPerDay) <= 1e-6 / kDaysPerDriftMonth);
            }
        }

        // [Site]: a site in its ranges exactly when a coordinate is given and there is no problem.
        const SiteSettings s = ReadSiteSettings(In(ini, kSiteGroup));
        CheckProblems(s.problems);
        const bool coordinate = ini.Value(kSiteGroup, kSiteLatitudeKey) || ini.Value(kSiteGroup, kSiteLongitudeKey);
        FUZZ_CHECK(s.site.has_value() == (coordinate && s.problems.empty()));
        if (s.site) {
            FUZZ_CHECK(std::isfinite(s.site->latitudeDeg) && std::fabs(s.site->latitudeDeg) <= kMaxSiteLatitudeDeg);
            FUZZ_CHECK(std::isfinite(s.site->longitudeDeg) &&
                       std::fabs(s.site->longitudeDeg) <= kMaxSiteLongitudeDeg);
            FUZZ_CHECK(std::isfinite(s.site->heightM) && s.site->heightM >= kMinSiteHeightM &&
                       s.site->heightM <= kMaxSiteHeightM);
            const SiteSettingsTexts t = SiteSettingsValues(*s.site);
            const std::map<std::string, std::string> written = {
                {kSiteLatitudeKey, t.latitude}, {kSiteLongitudeKey, t.longitude}, {kSiteHeightKey, t.height}};
            const SiteSettings back = ReadSiteSettings(In(written));
            FUZZ_CHECK(back.problems.empty() && back.site);
        }

        // [View]: each switch on only for "true"; a problem for anything but
        // true and false.
        const ViewSettings v = ReadViewSettings(In(ini, kViewGroup));
        CheckProblems(v.problems);
        size_t bad = 0;
        for (const auto& [key, on] : {std::pair{kShadowsKey, v.shadows}, std::pair{kPreciseKey, v.precise},
                                      std::pair{kMirrorKey, v.mirror}, std::pair{kGridKey, v.grid}}) {
            const std::optional<std::string> value = ini.Value(kViewGroup, key);
            FUZZ_CHECK(on == (value == std::optional<std::string>("true")));
            bad += value && *value != "true" && *value != "false";
        }
        FUZZ_CHECK(v.problems.size() == bad);
    });
    return 0;
}
