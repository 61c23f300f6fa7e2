// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax-ephem, the command-line companion: the results panel of any moment,
// as text or JSON, ephemeris tables and Great Red Spot transit times, from the
// same code the window runs.
#pragma once

#include <ostream>

namespace veltrax {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitCycleEnds = 2;  // the fields do not form a moment the panel shows
constexpr int kExitUsage = 64;
constexpr int kExitIoError = 74;   // the output could not be written

// Runs the companion with argv[1..argc-1]; writes to out and err; returns the
// exit status. Never throws.
int RunEphem(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace veltrax
