// SPDX-License-Identifier: GPL-3.0-or-later
// Where the night plan opens so that it hides none of the picture it steers:
// beside the main window where the screen has room, else beside it after the
// main window moves once to make room, else (a screen too small for both)
// as large as it may be at the screen's right edge.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace veltrax {

struct PlanPlacement {
    QPoint mainAt;  // the main window frame's new top-left (its old one: it stays)
    QRect plan;     // the plan's frame
};

// room: the screen's available area; main: the main window's frame; wanted:
// the plan's frame at its preferred size; least: the smallest frame that
// still shows its list and charts. All in the screen's pixels.
PlanPlacement PlacePlan(const QRect& room, const QRect& main, const QSize& wanted, const QSize& least);

}  // namespace veltrax
