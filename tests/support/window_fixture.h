// SPDX-License-Identifier: GPL-3.0-or-later
// A started window with a wall clock the test sets.
#pragma once

#include "window/main_window.h"
#include "window/settings.h"

#include <QDateTime>
#include <memory>

namespace veltrax::testing {

struct FixedClock {
    QDateTime now;
};

// A window after start-up, its clock reading `clock->now` (changeable later)
// and its animation pauses skipped; its steady clock stands still, so every
// step asks for its whole pause.
inline std::unique_ptr<MainWindow> StartedWindow(std::shared_ptr<FixedClock> clock)
{
    auto w = std::make_unique<MainWindow>();
    w->Clock = [clock] { return clock->now; };
    w->Sleep = [](int) {};
    w->SteadyMs = [] { return int64_t{0}; };
    w->Form_Load();
    return w;
}

inline std::shared_ptr<FixedClock> ClockAt(int y, int mo, int d, int h, int mi, int s)
{
    auto c = std::make_shared<FixedClock>();
    c->now = QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    return c;
}

// A window started at that local (JST) minute with the settings the test's
// settings file gives, as the program would start without options.
inline std::unique_ptr<MainWindow> StartedAt(int y, int mo, int d, int h, int mi)
{
    auto w = std::make_unique<MainWindow>();
    auto clock = ClockAt(y, mo, d, h, mi, 0);
    w->Clock = [clock] { return clock->now; };
    w->Sleep = [](int) {};
    w->SetSettings(LoadWindowSettings({}));
    w->Form_Load();
    return w;
}

}  // namespace veltrax::testing
