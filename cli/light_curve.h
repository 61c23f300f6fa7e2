// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax-ephem light-curve CODE MOMENT [--step S]: a mutual event's light
// curve (results/light_curve.h) as CSV.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace veltrax {
namespace cli {

// The exit status when no event of the code is near the moment.
constexpr int kExitNoEvent = 1;

// The step when --step is not given, seconds.
constexpr int64_t kDefaultLightCurveStepSeconds = 5;

// Runs `light-curve` when it is the command's word (nullopt otherwise, and
// with --help or --version).
std::optional<int> RunLightCurveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
}  // namespace veltrax
