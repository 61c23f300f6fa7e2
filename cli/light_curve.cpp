// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/light_curve.h"

#include "cli/ephem.h"
#include "cli/night.h"
#include "results/light_curve.h"

#include <charconv>
#include <cstdio>

namespace veltrax {
namespace cli {
namespace {

// A step longer than a day would leave at most the maximum.
constexpr int64_t kMaxStepSeconds = 86400;

int Fail(std::ostream& err, const std::string& why, int status)
{
    err << "veltrax-ephem light-curve: " << why << "\n";
    return status;
}

// "3E1", "2o1": the code with its letter in capitals, or nullopt when it is
// not two different satellites (1 to 4) about an O or an E.
std::optional<std::string> ReadCode(std::string code)
{
    if (code.size() != 3)
        return std::nullopt;
    code[1] = code[1] == 'o' ? 'O' : code[1] == 'e' ? 'E' : code[1];
    const auto moon = [](char c) { return c >= '1' && c <= '4'; };
    if (!moon(code[0]) || !moon(code[2]) || code[0] == code[2] || (code[1] != 'O' && code[1] != 'E'))
        return std::nullopt;
    return code;
}

std::string Row(const LightCurveSample& s)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, ",%lld,%.6f,%.6f,%.4f\n", static_cast<long long>(s.secondsFromMaximum),
                  s.fluxPassive, s.fluxPair, s.deltaMagPair);
    return IsoUtcText(CivilFromSeconds(s.ut)) + "," + LocalText(CivilFromSeconds(s.ut + kJstOffsetSeconds)) + buf;
}

}  // namespace

std::optional<int> RunLightCurveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (CommandWord(args) != "light-curve")
        return std::nullopt;
    const CommandArgs a = ReadCommandArgs(args, {"--step"}, {"--help", "--version"});
    if (a.flags.count("--help") || a.flags.count("--version"))
        return std::nullopt;
    if (!a.error.empty())
        return Fail(err, a.error, kExitUsage);
    const size_t n = a.positional.size();
    if (n != 2 && n != 3)
        return Fail(err, "give CODE and MOMENT (3E1 \"YYYY-MM-DD HH:MM[:SS]\", JST)", kExitUsage);
    const auto code = ReadCode(a.positional[0]);
    if (!code)
        return Fail(err, "cannot read the code '" + a.positional[0] + "' (want two satellites 1 to 4 about O or E: 2O1, 3E1)",
                    kExitUsage);
    std::string why;
    const std::string moment = n == 3 ? a.positional[1] + " " + a.positional[2] : a.positional[1];
    const auto civil = ParseMoment(moment, why);
    if (!civil)
        return Fail(err, "MOMENT: " + why, kExitUsage);
    int64_t step = kDefaultLightCurveStepSeconds;
    if (const auto s = a.values.find("--step"); s != a.values.end()) {
        const std::string& t = s->second;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), step);
        if (t.empty() || t[0] == '-' || t[0] == '+' || r.ec != std::errc() || r.ptr != t.data() + t.size() ||
            step < 1 || step > kMaxStepSeconds)
            return Fail(err, "--step wants whole seconds from 1 to 86400, not '" + t + "'", kExitUsage);
    }

    const int64_t ut = SecondsFromCivil(*civil) - kJstOffsetSeconds;
    LightCurve curve;
    try {
        const auto row = FindMutualEventByCode(*code, ut);
        if (!row)
            return Fail(err, "no " + *code + " event under way at " + moment + " JST nor with its maximum within an hour of it",
                        kExitNoEvent);
        curve = ComputeLightCurve(*row, step);
    } catch (const Fault& e) {
        return Fail(err, DescribeFault(e), kExitCycleEnds);
    }
    out << "UT,JST,seconds_from_maximum,flux_passive,flux_pair,delta_mag_pair\n";
    for (const LightCurveSample& s : curve.samples)
        out << Row(s);
    out.flush();
    return out ? kExitOk : Fail(err, "cannot write the output", kExitIoError);
}

}  // namespace cli
}  // namespace veltrax
